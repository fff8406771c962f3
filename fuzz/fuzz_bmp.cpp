#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/BmpCodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Any bytes either decode to a picture of the size the file claims or raise an error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const TRaster raster = ReadBmp(std::vector<std::uint8_t>(data, data + size));
    if (raster.Pixels.size() !=
        static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height))
      __builtin_trap();
  } catch (const EReadError&) {
  } catch (const EOutOfResources&) {
  }
  return 0;
}
