#include "framework/graphics/RasterImage.h"

#include "framework/classes/Streams.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/graphics/RasterDraw.h"
#include "framework/rtl/Files.h"

#include <algorithm>

void TRasterImage::Assign(TPersistent* Source) {
  if (!Source) {
    SetPixels({});
    return;
  }
  if (auto* image = dynamic_cast<TRasterImage*>(Source)) {
    if (image != this) SetPixels(image->FPixels);
    return;
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
    SetPixels(bitmap->ToRaster());
    return;
  }
  inherited::Assign(Source);
}

void TRasterImage::AssignTo(TPersistent* Dest) {
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->AssignRaster(FPixels, pf24bit);
    return;
  }
  inherited::AssignTo(Dest);
}

void TRasterImage::SetWidth(int) {
  throw EInvalidGraphic("Cannot change the size of the " + Kind() + " image");
}

void TRasterImage::SetHeight(int) {
  throw EInvalidGraphic("Cannot change the size of the " + Kind() + " image");
}

void TRasterImage::SetPixels(const TRaster& Value) {
  FPixels = Value;
  Changed(this);
}

void TRasterImage::Decode(const std::vector<std::uint8_t>& Bytes) {
  TRaster pixels;
  try {
    pixels = DecodeBytes(Bytes);
  } catch (const EReadError& e) {
    throw EInvalidGraphic(Kind() + " image is not valid: " + e.Message());
  } catch (const EOutOfResources& e) {
    throw EInvalidGraphic(Kind() + " image is not valid: " + e.Message());
  }
  FPixels = std::move(pixels);
  Changed(this);
}

std::vector<std::uint8_t> TRasterImage::Encode() const {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty " + Kind() + " image");
  return EncodeBytes();
}

void TRasterImage::LoadFromStream(TStream* Stream) {
  const Int64 remaining = std::max<Int64>(Stream->Size() - Stream->Position(), 0);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(remaining));
  Stream->ReadBuffer(bytes.data(), remaining);
  Decode(bytes);
}

void TRasterImage::SaveToStream(TStream* Stream) {
  const std::vector<std::uint8_t> bytes = Encode();
  Stream->WriteBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
}

void TRasterImage::LoadFromFile(const String& FileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FileName);
  try {
    Decode(bytes);
  } catch (EInvalidGraphic& e) {
    e.SetMessage(e.Message() + " (" + FileName + ")");
    throw;
  }
}

void TRasterImage::SaveToFile(const String& FileName) { ReplaceFileContents(FileName, Encode()); }

void TRasterImage::Draw(TCanvas* ACanvas, const TRect& Rect) {
  DrawRaster(ACanvas, Rect, FPixels, FPixels.HasAlpha);
}
