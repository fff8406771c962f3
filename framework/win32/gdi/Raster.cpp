#include "framework/win32/gdi/Raster.h"

#include "framework/rtl/Exceptions.h"

namespace {
// Beyond this a picture is refused rather than allocated: 16384 x 16384 pixels.
constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;
} // namespace

TRaster::TRaster(int width, int height, std::uint32_t fill) : Width(width), Height(height) {
  if (width < 0 || height < 0 || std::int64_t{width} * height > MaxPixels)
    throw EOutOfResources("Picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
  Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}
