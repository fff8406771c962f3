#include "framework/win32/gdi/Raster.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <atomic>

namespace {
// Beyond this a picture is refused rather than allocated: 16384 x 16384 pixels.
constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;
constexpr std::int64_t DefaultMaxPicturePixels = std::int64_t{64} << 20;

std::atomic<std::int64_t> maxPicturePixels{DefaultMaxPicturePixels};
} // namespace

TRaster::TRaster(int width, int height, std::uint32_t fill) : Width(width), Height(height) {
  if (width < 0 || height < 0 || std::int64_t{width} * height > MaxPixels)
    throw EOutOfResources("Picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
  Pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

std::int64_t MaxPicturePixels() { return maxPicturePixels.load(std::memory_order_relaxed); }

void SetMaxPicturePixels(std::int64_t pixels) {
  maxPicturePixels.store(std::clamp<std::int64_t>(pixels, 1, MaxPixels), std::memory_order_relaxed);
}

bool ExceedsMaxPicturePixels(std::int64_t width, std::int64_t height) {
  return width > MaxPixels || height > MaxPixels || width * height > MaxPicturePixels();
}
