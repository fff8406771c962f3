#pragma once

#include "framework/graphics/RasterImage.h"

// A PNG picture; alpha and transparency chunks are kept and blended when drawn.
class TPngImage : public TRasterImage {
  LUM_CLASS(TPngImage, TRasterImage)
public:
  TPngImage() = default;

protected:
  String Kind() const override { return "PNG"; }
  TRaster DecodeBytes(const std::vector<std::uint8_t>& Bytes) const override;
  std::vector<std::uint8_t> EncodeBytes() const override;
};
