#include "framework/win32/gdi/IcoCodec.h"
#include "framework/win32/gdi/JpegCodec.h"

#include <benchmark/benchmark.h>

// Decoding and encoding speed of the picture formats pictures load from, in pixels per second.

namespace {

TRaster Photo(int width, int height) {
  TRaster raster(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      raster.At(x, y) = 0xFF000000u | static_cast<std::uint32_t>(x * 255 / width) << 16 |
                        static_cast<std::uint32_t>((x ^ y) & 0xFF) << 8 |
                        static_cast<std::uint32_t>(y * 255 / height);
  return raster;
}

void CountPixels(benchmark::State& state, std::int64_t pixelsPerRun) {
  state.SetItemsProcessed(state.iterations() * pixelsPerRun);
}

} // namespace

static void BM_ReadJpeg(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const std::vector<std::uint8_t> bytes = WriteJpeg(Photo(side, side), 90);
  for (auto _ : state) benchmark::DoNotOptimize(ReadJpeg(bytes));
  CountPixels(state, std::int64_t{side} * side);
}
BENCHMARK(BM_ReadJpeg)->Arg(64)->Arg(1024);

static void BM_WriteJpeg(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const TRaster raster = Photo(side, side);
  for (auto _ : state) benchmark::DoNotOptimize(WriteJpeg(raster, 90));
  CountPixels(state, std::int64_t{side} * side);
}
BENCHMARK(BM_WriteJpeg)->Arg(1024);

static void BM_ReadIcoImages(benchmark::State& state) {
  std::vector<TRaster> rasters;
  std::int64_t pixels = 0;
  for (const int side : {16, 32, 48, 256}) {
    rasters.push_back(Photo(side, side));
    pixels += std::int64_t{side} * side;
  }
  const std::vector<std::uint8_t> bytes = WriteIco(rasters);
  for (auto _ : state) benchmark::DoNotOptimize(ReadIcoImages(bytes));
  CountPixels(state, pixels);
}
BENCHMARK(BM_ReadIcoImages);
