#pragma once

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphic.h"
#include "framework/graphics/PixelFormat.h"
#include "framework/win32/Windows.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// tmAuto takes the transparent colour from the bottom-left pixel, tmFixed from
// TransparentColor.
LUM_ENUM(TTransparentMode, tmAuto, tmFixed);

class TBitmapCanvas;

// A picture of pixels behind an HBITMAP, drawn on through Canvas.
//
// Pixels live in a 32-bit device-independent bitmap whatever the PixelFormat; a lower
// format maps them to what it can hold (its colour table, 5- or 6-bit channels) when the
// format is set and before the pixels are looked at, drawn or saved, so saving and loading
// again gives the same pixels. Drawing on Canvas at a low format keeps full colour until then.
//
// The stream form is a BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, colour table, rows) at
// the depth of PixelFormat. 32-bit pixels whose AlphaFormat is afDefined and that are not all
// opaque are written with a BITMAPV5HEADER whose masks name the fourth byte as alpha, since a
// plain 32-bit file's fourth byte is read as opaque; otherwise the plain form. An empty
// bitmap writes nothing, and loading from a stream with nothing left makes it empty. A bitmap
// loaded from a stream and not changed since saves the bytes it was loaded from.
//
// Form files store it as the defined binary property "Data": the BMP file's size as a 4-byte
// little-endian number, then the BMP file. An empty bitmap stores nothing (size 0 reads as
// empty); data that does not hold one whole BMP file raises EInvalidGraphic and leaves the
// bitmap as it was.
class TBitmap : public TGraphic {
  LUM_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  ~TBitmap() override;

  // Copies a bitmap (the two stay independent), another picture's pixels, or nothing
  // (nullptr empties this bitmap).
  void Assign(TPersistent* Source) override;

  bool Empty() const override { return FWidth == 0 || FHeight == 0; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  // A new size keeps the top-left content; new pixels take the canvas brush's colour.
  // EInvalidGraphic for a negative size, EOutOfResources for one too large to hold.
  void SetWidth(int Value) override;
  void SetHeight(int Value) override;
  void SetSize(int AWidth, int AHeight);

  TPixelFormat PixelFormat() const { return FPixelFormat; }
  // Converts the pixels; 1, 4 and 8 bits take the standard colour table of that depth.
  // pfCustom cannot be set (EInvalidGraphic "Invalid pixel format").
  void SetPixelFormat(TPixelFormat Value);
  TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
  // afDefined needs 32-bit pixels: other formats are made pf32bit first.
  void SetAlphaFormat(TAlphaFormat Value);
  bool Monochrome() const { return FPixelFormat == pf1bit; }
  void SetMonochrome(bool Value);
  // The colour table of 1-, 4- and 8-bit pixels; empty for the other formats.
  std::vector<TColor> ColorTable() const;
  // Replaces it (1 to 2^bits colours) and maps the pixels to it. EInvalidGraphic when the
  // format has no colour table or the count does not fit.
  void SetColorTable(std::span<const TColor> Colors);

  // A canvas drawing on the bitmap, made when first asked for. Drawing changes the bitmap.
  TCanvas* Canvas();
  // The HBITMAP; null while the bitmap is empty. The bitmap owns it.
  HBITMAP Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Takes over a bitmap handle: its pixels move into a bitmap of the bitmap's own and the
  // handle is deleted (null empties the bitmap). A monochrome handle makes pf1bit, any other
  // pfDevice. EInvalidGraphic when the handle names no bitmap.
  void SetHandle(HBITMAP Value);
  // Hands the handle over to the caller, who must delete it; the bitmap keeps a copy of its
  // pixels under a new handle.
  HBITMAP ReleaseHandle();
  // Frees the canvas's device context while the bitmap is not drawn on.
  void Dormant();
  // Forgets the bytes the bitmap was loaded from, so the next save encodes its pixels.
  void FreeImage();

  // A monochrome bitmap, white where the pixels have the transparent colour and black
  // elsewhere, kept until the bitmap changes. Null while empty.
  HBITMAP MaskHandle();
  // Turns the bitmap into that mask for the given colour.
  void Mask(TColor ATransparentColor);

  TColor TransparentColor();
  // clDefault returns to tmAuto; any other colour makes the mode tmFixed.
  void SetTransparentColor(TColor Value);
  TTransparentMode TransparentMode() const { return FTransparentMode; }
  void SetTransparentMode(TTransparentMode Value);

  // Row Row (0 at the top) in the bitmap's own layout: 1, 4 or 8-bit indices, 16-bit 5-5-5
  // or 5-6-5 words, 3-byte blue-green-red or 4-byte blue-green-red-alpha pixels (pfDevice
  // and pfCustom too). Rows of 32-bit bitmaps are the pixels themselves; rows of lower
  // formats are a copy whose changes reach the pixels at the next other use of the bitmap,
  // and whose pointers stay valid until then. EInvalidGraphic "Scan line index out of range".
  void* ScanLine(int Row);

  // Reads one BMP file image from the stream's position, as long as its header says.
  // EInvalidGraphic "Bitmap image is not valid: reason" leaves the bitmap as it was.
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) override;
  // Any BMP file; an empty file makes an empty bitmap. EFOpenError when it cannot be read;
  // EInvalidGraphic as LoadFromStream, naming the file.
  void LoadFromFile(const String& FileName) override;
  // Replaces the file whole or not at all; an empty bitmap writes an empty file.
  void SaveToFile(const String& FileName) override;
  // A BMP compiled into the program under that name, letter case ignored (the instance is
  // not needed: one table serves every module). EResNotFound "Resource NAME not found".
  void LoadFromResourceName(HINSTANCE Instance, const String& ResName);
  // The resource named by the number's decimal digits.
  void LoadFromResourceID(HINSTANCE Instance, int ResID);
  // A PNG file of the pixels, with alpha when AlphaFormat is afDefined.
  void SaveToPngFile(const String& FileName);

  // The pixels as they are stored, top-down 0xAARRGGBB; HasAlpha when alpha is defined.
  TRaster ToRaster();
  // Replaces the pixels; afDefined when the raster has alpha (then pf32bit).
  void AssignRaster(const TRaster& Pixels, TPixelFormat Format);

protected:
  void DefineProperties(TFiler* Filer) override;
  // Stretches the pixels over Rect: with TransparentBlt when Transparent, blending when
  // alpha is defined, else with StretchBlt and the canvas's CopyMode.
  void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
  friend class TBitmapCanvas;
  friend bool SameBitmapImage(TBitmap& A, TBitmap& B);

  struct TImage;
  void SwapIn(TImage& Image);
  void Decode(const std::vector<std::uint8_t>& Bytes, bool KeepBytes);
  // An empty bitmap for no bytes, else the BMP file they hold.
  void LoadBytes(const std::vector<std::uint8_t>& Bytes);
  std::vector<std::uint8_t> Encode();
  void Clear();
  void CopyFrom(TBitmap& Source);
  std::size_t PixelCount() const;
  // A copy of the stored pixels; HasAlpha when alpha is defined.
  TRaster StoredPixels() const;
  void StorePixels(const TRaster& Pixels);
  // Brings the pixels up to date: scan line copies written back, colours reduced.
  void Settle();
  void SettleScanLines();
  void ReduceNow();
  // Before and after anything that changes the pixels.
  void BeginChange();
  void EndChange();
  void FreeContext();
  void FreeMask();
  std::uint32_t NewPixelColour() const;
  void DrawTransparent(TCanvas* ACanvas, const TRect& Rect);
  void DrawOpaque(TCanvas* ACanvas, const TRect& Rect);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  bool HasData(TFiler* Filer);

  HBITMAP FHandle = nullptr;
  std::uint32_t* FBits = nullptr; // FWidth * FHeight pixels, top-down, of FHandle
  int FWidth = 0;
  int FHeight = 0;
  TPixelFormat FPixelFormat = pfDevice;
  TAlphaFormat FAlphaFormat = afIgnored;
  std::vector<std::uint32_t> FColorTable; // 0xFFRRGGBB
  std::unique_ptr<TBitmapCanvas> FCanvas;
  HBITMAP FMaskHandle = nullptr;
  TColor FTransparentColor = clDefault;
  TTransparentMode FTransparentMode = tmAuto;
  bool FReducePending = false;
  std::vector<std::uint8_t> FImage;     // the BMP loaded, saved again while unchanged
  std::vector<std::uint8_t> FScanLines; // a BMP whose rows ScanLine handed out
  bool FScanLinesOut = false;
};

// True when assigning either bitmap to a new one gives the same bitmap: the same size, pixel
// and alpha format, colour table, pixels, loaded bytes and transparency. Lets holders of
// copies share one copy among equal pictures.
bool SameBitmapImage(TBitmap& A, TBitmap& B);
