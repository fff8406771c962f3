#include "framework/graphics/JpegImage.h"

#include "framework/graphics/GraphicsObject.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/JpegCodec.h"

void TJPEGImage::SetCompressionQuality(int Value) {
  if (Value < 1 || Value > 100)
    throw EInvalidGraphic("JPEG quality " + IntToStr(Value) + " is outside 1 to 100");
  FCompressionQuality = Value;
}

TRaster TJPEGImage::DecodeBytes(const std::vector<std::uint8_t>& Bytes) const {
  return ReadJpeg(Bytes);
}

std::vector<std::uint8_t> TJPEGImage::EncodeBytes() const {
  return WriteJpeg(Pixels(), FCompressionQuality);
}
