#pragma once

#include "framework/graphics/Graphic.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <vector>

class TBitmap;

// A picture held as decoded 32-bit pixels and stored in a file format of its descendant's
// (PNG, JPEG, icon). Loading decodes into a new raster first: corrupt or truncated data raises
// EInvalidGraphic "<Kind> image is not valid: reason" and leaves the picture as it was.
// Drawing stretches the pixels over the rectangle, blending them by alpha when they have it.
class TRasterImage : public TGraphic {
  LUM_CLASS(TRasterImage, TGraphic)
public:
  TRasterImage() = default;

  // Copies another picture of pixels or a bitmap (nullptr empties the picture).
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FPixels.Pixels.empty(); }
  int Width() const override { return FPixels.Width; }
  int Height() const override { return FPixels.Height; }
  // The size comes from the pixels: EInvalidGraphic "Cannot change the size of the <Kind>
  // image".
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;

  // The rest of the stream is the file.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // EFOpenError when the file cannot be read; a failed save leaves no file.
  void LoadFromFile(const String& FileName) override;
  void SaveToFile(const String& FileName) override;

  const TRaster& Pixels() const { return FPixels; }
  void SetPixels(const TRaster& Value);

protected:
  virtual String Kind() const = 0;
  virtual TRaster DecodeBytes(const std::vector<std::uint8_t>& Bytes) const = 0;
  virtual std::vector<std::uint8_t> EncodeBytes() const = 0;

  void Draw(TCanvas* ACanvas, const TRect& Rect) override;
  void AssignTo(TPersistent* Dest) override;

private:
  void Decode(const std::vector<std::uint8_t>& Bytes);
  std::vector<std::uint8_t> Encode() const;

  TRaster FPixels;
};
