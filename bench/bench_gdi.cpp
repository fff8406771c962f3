#include "framework/win32/Windows.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

// A memory DC over a 1024 x 768 bitmap for the length of one benchmark.
class TBenchSurface {
public:
  TBenchSurface(int width = 1024, int height = 768) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, width, height);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~TBenchSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }

private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

void BM_GdiFillRect(benchmark::State& state) {
  TBenchSurface s;
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  RECT all{0, 0, 1024, 768};
  for (auto _ : state) {
    FillRect(s.Dc(), &all, brush);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 1024 * 768 * 4);
  DeleteObject(brush);
}
BENCHMARK(BM_GdiFillRect);

void BM_GdiRandomLines(benchmark::State& state) {
  TBenchSurface s;
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> x(0, 1023), y(0, 767);
  for (auto _ : state) {
    MoveToEx(s.Dc(), x(rng), y(rng), nullptr);
    LineTo(s.Dc(), x(rng), y(rng));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GdiRandomLines);

void BM_GdiStretchBlt(benchmark::State& state) {
  TBenchSurface dst;
  TBenchSurface src(256, 256);
  for (int i = 0; i < 256; ++i) SetPixel(src.Dc(), i, i, RGB(i, 255 - i, 7));
  for (auto _ : state) {
    StretchBlt(dst.Dc(), 0, 0, 1024, 768, src.Dc(), 0, 0, 256, 256, SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 1024 * 768 * 4);
}
BENCHMARK(BM_GdiStretchBlt);

} // namespace
