#include "displays/LumDigit.h"
#include "displays/LumProgressBar.h"
#include "displays/LumStat.h"
#include "displays/LumTacho.h"
#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <benchmark/benchmark.h>

#include <cmath>

// Each display on a shown form, repainted through the window engine.

namespace {

template <class C> struct TDisplayBench {
  TScriptedUser User;
  TForm* Form = nullptr;
  C* Display = nullptr;

  TDisplayBench(int Width, int Height) {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(0, 0, Width + 40, Height + 60);
    Display = new C(Form);
    Display->SetParent(Form);
    Display->SetBounds(10, 10, Width, Height);
    Form->Show();
    User.ProcessMessages();
  }
  ~TDisplayBench() { Form->Free(); }
  void Repaint() {
    Display->Invalidate();
    Display->Update();
  }
};

void BM_BinAndDraw100000ValuesInChartType(benchmark::State& state) {
  TDisplayBench<TLumHistogram> bench(400, 300);
  bench.Display->SetHistogramType(static_cast<TTLumHistogramType>(state.range(0)));
  for (int i = 0; i < 100000; ++i)
    bench.Display->AddValue(static_cast<float>(std::sin(i * 0.37) * 5), static_cast<float>(i % 7));
  for (auto _ : state) bench.Repaint();
}
BENCHMARK(BM_BinAndDraw100000ValuesInChartType)
    ->DenseRange(ctBars, ctXYPlot)
    ->Unit(benchmark::kMillisecond);

void BM_RepaintGauge(benchmark::State& state) {
  TDisplayBench<TLumTacho> bench(250, 200);
  bench.Display->SetPointerType(static_cast<TZeigerform>(state.range(0)));
  bench.Display->SetPosition(6.5);
  for (auto _ : state) bench.Repaint();
}
BENCHMARK(BM_RepaintGauge)->DenseRange(zfNadel, zfRing)->Unit(benchmark::kMicrosecond);

void BM_RollStepOf20DigitDisplay(benchmark::State& state) {
  TDisplayBench<TLumDigit> bench(280, 20);
  bench.Display->SetDigitCount(20);
  bench.Display->SetDigitScrolling(true);
  // Two values whose 20-glyph texts differ in every position, so all of them roll at once.
  bench.Display->SetDecimals(0);
  const double values[] = {-1.1111111111111111e18, 2.2222222222222222e18};
  bench.Display->SetValue(values[0]);
  bench.Repaint();
  int steps = 0;
  for (auto _ : state) {
    if (steps++ % 10 == 0) bench.Display->SetValue(values[steps / 10 % 2]);
    bench.Repaint();
  }
}
BENCHMARK(BM_RollStepOf20DigitDisplay)->Unit(benchmark::kMicrosecond);

void BM_ProgressBarStep(benchmark::State& state) {
  TDisplayBench<TLumProgressBar> bench(200, 24);
  bench.Display->SetSmooth(state.range(0) == 1);
  bench.Display->SetStep(0.5);
  for (auto _ : state) {
    bench.Display->StepIt();
    if (bench.Display->Position() >= 100) bench.Display->SetPosition(0);
  }
}
BENCHMARK(BM_ProgressBarStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
