#pragma once

#include "framework/rtl/Types.h"

#include <cstdint>
#include <vector>

// A 32-bit raster in memory, rows top-down. A pixel is 0xAARRGGBB: blue in the low byte,
// as a 32-bit device-independent bitmap lays it out. Alpha is 255 for opaque pixels.
struct TRaster {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels; // Width * Height, row after row
  bool HasAlpha = false;             // true when the source carried real transparency

  TRaster() = default;
  TRaster(int width, int height, std::uint32_t fill = 0xFF000000u);

  std::uint32_t& At(int x, int y) { return Pixels[Index(x, y)]; }
  std::uint32_t At(int x, int y) const { return Pixels[Index(x, y)]; }

private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(Width) +
           static_cast<std::size_t>(x);
  }
};

// The largest picture, in pixels, that the picture readers decode (64 megapixels unless
// set); a file claiming more is refused before anything is allocated for it. A process-wide
// setting; values below 1 or above the raster's own limit of 2^28 pixels are clamped.
std::int64_t MaxPicturePixels();
void SetMaxPicturePixels(std::int64_t pixels);
bool ExceedsMaxPicturePixels(std::int64_t width, std::int64_t height);
