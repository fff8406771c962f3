#include "framework/win32/gdi/TextLayout.h"
#include "framework/win32/gdi/TextRender.h"

#include <benchmark/benchmark.h>

// Text drawing is on the path of every paint: TextOut with cached glyphs, and DrawText's
// word-break layout.

namespace {

const char* const Forty = "The quick brown fox jumps over a lazy do"; // 40 characters

const char* const Paragraph =
    "Lines break at blanks when a word would run past the right edge of the rectangle; a word "
    "longer than the line stays whole. Tabs expand to every eight average characters, and the "
    "character after an ampersand is underlined. This paragraph has about four hundred "
    "characters, which is what a memo or a printed block of text typically holds at once.";

const TGdiFont& EightPointFont() {
  static const TGdiFont font = [] {
    SetFontSources(PackagedFontFiles());
    return TGdiFont(MakeLogFont("MS Sans Serif", -11));
  }();
  return font;
}

void BM_TextOut40Characters(benchmark::State& state) {
  const TGdiFont& font = EightPointFont();
  TRaster raster(400, 40, 0xFFFFFFFFu);
  const TTextTarget target = TTextTarget::Whole(raster);
  TTextState text;
  text.BkMode = TTextState::Transparent;
  Gdi::TextOut(target, font, text, 4, 4, Forty);
  for (auto _ : state) {
    Gdi::TextOut(target, font, text, 4, 4, Forty);
    benchmark::ClobberMemory();
  }
  state.counters["glyphs/s"] = benchmark::Counter(40.0 * static_cast<double>(state.iterations()),
                                                  benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TextOut40Characters);

void BM_TextOut40CharactersOpaque(benchmark::State& state) {
  const TGdiFont& font = EightPointFont();
  TRaster raster(400, 40, 0xFFFFFFFFu);
  const TTextTarget target = TTextTarget::Whole(raster);
  TTextState text;
  for (auto _ : state) {
    Gdi::TextOut(target, font, text, 4, 4, Forty);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextOut40CharactersOpaque);

void BM_TextExtent40Characters(benchmark::State& state) {
  const TGdiFont& font = EightPointFont();
  for (auto _ : state) benchmark::DoNotOptimize(Gdi::GetTextExtentPoint32(font, Forty));
}
BENCHMARK(BM_TextExtent40Characters);

void BM_DrawTextWordBreakLayout(benchmark::State& state) {
  const TGdiFont& font = EightPointFont();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        LayoutDrawText(font, Paragraph, Rect(0, 0, 200, 400), DT_WORDBREAK | DT_EXPANDTABS));
}
BENCHMARK(BM_DrawTextWordBreakLayout);

void BM_DrawTextWordBreakDrawn(benchmark::State& state) {
  const TGdiFont& font = EightPointFont();
  TRaster raster(220, 200, 0xFFFFFFFFu);
  const TTextTarget target = TTextTarget::Whole(raster);
  TTextState text;
  text.BkMode = TTextState::Transparent;
  for (auto _ : state) {
    TRect rect = Rect(0, 0, 200, 200);
    benchmark::DoNotOptimize(Gdi::DrawText(target, font, text, Paragraph, rect, DT_WORDBREAK));
  }
}
BENCHMARK(BM_DrawTextWordBreakDrawn);

void BM_TextFontFromSameRecord(benchmark::State& state) {
  EightPointFont();
  const LOGFONTA record = MakeLogFont("Times New Roman", 13);
  for (auto _ : state) benchmark::DoNotOptimize(TGdiFont(record));
}
BENCHMARK(BM_TextFontFromSameRecord);

} // namespace
