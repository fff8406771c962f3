#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/IcoCodec.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

bool Consistent(const TRaster& raster) {
  return raster.Width > 0 && raster.Height > 0 && raster.Width <= 1024 && raster.Height <= 1024 &&
         raster.Pixels.size() ==
             static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height);
}

} // namespace

// Any bytes either decode to images of sensible sizes, one of which ReadIco picks, or raise an
// error in both readers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  std::vector<TRaster> images;
  try {
    images = ReadIcoImages(bytes);
  } catch (const EReadError&) {
    return 0;
  } catch (const EOutOfResources&) {
    return 0;
  }
  for (const TRaster& image : images)
    if (!Consistent(image)) __builtin_trap();
  if (images.empty() || !Consistent(ReadIco(bytes, 32))) __builtin_trap();
  return 0;
}
