#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/JpegCodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Larger pictures are legal but only make each run slow; the reader's own limits are tested.
constexpr std::int64_t PixelBudget = std::int64_t{1} << 22;

void DecodeWithinBudget(const std::vector<std::uint8_t>& bytes) {
  const TJpegHeader header = ReadJpegHeader(bytes);
  if (std::int64_t{header.Width} * header.Height > PixelBudget) return;
  const TRaster raster = ReadJpeg(bytes);
  if (raster.Width != header.Width || raster.Height != header.Height ||
      raster.Pixels.size() !=
          static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height))
    __builtin_trap();
  for (const std::uint32_t pixel : raster.Pixels)
    if (pixel >> 24 != 0xFF) __builtin_trap();
}

} // namespace

// Any bytes either decode to an opaque picture of the size the header gives or raise an error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    DecodeWithinBudget(std::vector<std::uint8_t>(data, data + size));
  } catch (const EReadError&) {
  } catch (const EOutOfResources&) {
  }
  return 0;
}
