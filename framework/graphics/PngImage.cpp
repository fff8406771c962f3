#include "framework/graphics/PngImage.h"

#include "framework/win32/gdi/PngCodec.h"

TRaster TPngImage::DecodeBytes(const std::vector<std::uint8_t>& Bytes) const {
  return ReadPng(Bytes);
}

std::vector<std::uint8_t> TPngImage::EncodeBytes() const { return WritePng(Pixels()); }
