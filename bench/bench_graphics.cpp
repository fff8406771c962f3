#include "framework/graphics/Canvas.h"
#include "framework/win32/gdi/FontEngine.h"

#include <benchmark/benchmark.h>

// The cost the canvas adds to text and figures: the HDC face over the text engine, and the
// canvas's tool selection, lazily kept or redone after a font change.

namespace {

const char* const Forty = "The quick brown fox jumps over a lazy do"; // 40 characters

class TBenchDc {
public:
  TBenchDc() {
    static const bool fonts = [] {
      SetFontSources(PackagedFontFiles());
      return true;
    }();
    static_cast<void>(fonts);
    Dc = CreateCompatibleDC(nullptr);
    Bitmap = CreateCompatibleBitmap(Dc, 400, 40);
    Old = SelectObject(Dc, Bitmap);
  }
  ~TBenchDc() {
    SelectObject(Dc, Old);
    DeleteDC(Dc);
    DeleteObject(Bitmap);
  }
  TBenchDc(const TBenchDc&) = delete;
  TBenchDc& operator=(const TBenchDc&) = delete;

  HDC Dc;
  HBITMAP Bitmap;
  HGDIOBJ Old;
};

void BM_TextOutAOnADc(benchmark::State& state) {
  TBenchDc dc;
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
  HGDIOBJ old = SelectObject(dc.Dc, font);
  SetBkMode(dc.Dc, TRANSPARENT);
  for (auto _ : state) benchmark::DoNotOptimize(TextOutA(dc.Dc, 4, 4, Forty, 40));
  SelectObject(dc.Dc, old);
  DeleteObject(font);
}
BENCHMARK(BM_TextOutAOnADc);

void BM_CanvasTextOutWithItsFontInPlace(benchmark::State& state) {
  TBenchDc dc;
  TCanvas canvas;
  canvas.SetHandle(dc.Dc);
  canvas.Brush()->SetStyle(bsClear);
  for (auto _ : state) canvas.TextOut(4, 4, Forty);
  canvas.SetHandle(nullptr);
}
BENCHMARK(BM_CanvasTextOutWithItsFontInPlace);

// Every call finds a changed font: a new HFONT is made and selected.
void BM_CanvasTextOutAfterAFontChange(benchmark::State& state) {
  TBenchDc dc;
  TCanvas canvas;
  canvas.SetHandle(dc.Dc);
  canvas.Brush()->SetStyle(bsClear);
  int size = 8;
  for (auto _ : state) {
    size = size == 8 ? 9 : 8;
    canvas.Font()->SetSize(size);
    canvas.TextOut(4, 4, Forty);
  }
  canvas.SetHandle(nullptr);
}
BENCHMARK(BM_CanvasTextOutAfterAFontChange);

void BM_CanvasFillRectAfterABrushChange(benchmark::State& state) {
  TBenchDc dc;
  TCanvas canvas;
  canvas.SetHandle(dc.Dc);
  TColor colour = clRed;
  for (auto _ : state) {
    colour = colour == clRed ? clBlue : clRed;
    canvas.Brush()->SetColor(colour);
    canvas.FillRect(Rect(0, 0, 32, 32));
  }
  canvas.SetHandle(nullptr);
}
BENCHMARK(BM_CanvasFillRectAfterABrushChange);

} // namespace
