#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/PngCodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// Larger pictures are legal but only make each run slow; the reader's own limits are tested.
constexpr std::uint64_t PixelBudget = std::uint64_t{1} << 22;

std::uint64_t BigEndian32(const std::uint8_t* bytes) {
  return std::uint64_t{bytes[0]} << 24 | std::uint64_t{bytes[1]} << 16 |
         std::uint64_t{bytes[2]} << 8 | bytes[3];
}

// Width and height sit in the IHDR chunk right after the signature.
bool OverBudget(const std::uint8_t* data, std::size_t size) {
  return size >= 24 && BigEndian32(data + 16) * BigEndian32(data + 20) > PixelBudget;
}

} // namespace

// Any bytes either decode to a picture of the size the file claims or raise an error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (OverBudget(data, size)) return 0;
  try {
    const TRaster raster = ReadPng(std::vector<std::uint8_t>(data, data + size));
    if (raster.Width <= 0 || raster.Height <= 0 ||
        raster.Pixels.size() !=
            static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height))
      __builtin_trap();
  } catch (const EReadError&) {
  } catch (const EOutOfResources&) {
  }
  return 0;
}
