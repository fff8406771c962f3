#pragma once

#include "framework/graphics/RasterImage.h"

// A JPEG picture: opaque pixels, saved at CompressionQuality (1 to 100, 90 at first).
class TJPEGImage : public TRasterImage {
  LUM_CLASS(TJPEGImage, TRasterImage)
public:
  TJPEGImage() = default;

  int CompressionQuality() const { return FCompressionQuality; }
  // EInvalidGraphic for a quality outside 1 to 100.
  void SetCompressionQuality(int Value);

protected:
  String Kind() const override { return "JPEG"; }
  TRaster DecodeBytes(const std::vector<std::uint8_t>& Bytes) const override;
  std::vector<std::uint8_t> EncodeBytes() const override;

private:
  int FCompressionQuality = 90;
};
