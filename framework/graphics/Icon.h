#pragma once

#include "framework/graphics/RasterImage.h"

// An icon: the image of an icon file nearest to 32 pixels (see ReadIco), drawn with its
// transparency blended. Saving writes that one image.
class TIcon : public TRasterImage {
  LUM_CLASS(TIcon, TRasterImage)
public:
  TIcon() = default;

protected:
  String Kind() const override { return "Icon"; }
  TRaster DecodeBytes(const std::vector<std::uint8_t>& Bytes) const override;
  std::vector<std::uint8_t> EncodeBytes() const override;
};
