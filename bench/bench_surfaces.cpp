#include "framework/controls/Application.h"
#include "framework/controls/Panels.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "surfaces/LumEffekt.h"
#include "surfaces/LumImage.h"

#include <benchmark/benchmark.h>

// The effect painter over a whole 1024 × 768 form, and the scroll text's tick.

namespace {

struct TFormEffectBench {
  TScriptedUser User{1280, 1024};
  TForm* Form = nullptr;
  TPanel* Target = nullptr;
  TLumEffect* Effect = nullptr;

  // A 10 × 10 control in the middle whose decoration covers the whole client area.
  TFormEffectBench() {
    Form = CreateForm<TForm>(Application());
    Form->SetClientWidth(1024);
    Form->SetClientHeight(768);
    Target = new TPanel(Form);
    Target->SetName("Target");
    Target->SetParent(Form);
    Target->SetBounds(507, 379, 10, 10);
    Effect = new TLumEffect(Form);
    Effect->SetBorderStyle(bsNone);
    Effect->SetShadow(false);
    Effect->SetEffectWidth(507);
    Effect->SetEffectHeight(379);
    Form->Show();
    User.ProcessMessages();
  }
  ~TFormEffectBench() { Form->Free(); }
};

void BM_PlainFillOf1024x768Form(benchmark::State& state) {
  TFormEffectBench bench;
  const HDC dc = GetDC(bench.Form->Handle());
  const HBRUSH brush = CreateSolidBrush(0x00FF00);
  const RECT all{0, 0, 1024, 768};
  for (auto _ : state) FillRect(dc, &all, brush);
  DeleteObject(brush);
  ReleaseDC(bench.Form->Handle(), dc);
}
BENCHMARK(BM_PlainFillOf1024x768Form)->Unit(benchmark::kMillisecond);

void BM_GradientOver1024x768Form(benchmark::State& state) {
  TFormEffectBench bench;
  bench.Effect->SetEffectStyle(static_cast<TEffectStyle>(state.range(0)));
  for (auto _ : state) bench.Effect->DrawEffect(bench.Target);
}
BENCHMARK(BM_GradientOver1024x768Form)
    ->DenseRange(es2ColorsVertical, es3ColorsHorizontal)
    ->Unit(benchmark::kMillisecond);

void BM_Tiled32x32PictureOver1024x768Form(benchmark::State& state) {
  TFormEffectBench bench;
  TPicture picture;
  picture.Bitmap()->SetSize(32, 32);
  picture.Bitmap()->Canvas()->Brush()->SetColor(clTeal);
  picture.Bitmap()->Canvas()->Ellipse(2, 2, 30, 30);
  bench.Effect->SetPicture(&picture);
  bench.Effect->SetEffectStyle(esPictureTile);
  for (auto _ : state) bench.Effect->DrawEffect(bench.Target);
}
BENCHMARK(BM_Tiled32x32PictureOver1024x768Form)->Unit(benchmark::kMillisecond);

void BM_ScrollTextStepOfThreeLines(benchmark::State& state) {
  TScriptedUser user;
  TForm* form = CreateForm<TForm>(Application());
  form->SetBounds(0, 0, 300, 200);
  auto* text = new TLumScrollText(form);
  text->SetBounds(10, 10, 200, 100);
  for (const char* line : {"LumTools", "a scrolling text", "three lines"}) text->Items()->Add(line);
  form->Show();
  user.ProcessMessages();
  for (auto _ : state) text->ScrollStep();
  form->Free();
}
BENCHMARK(BM_ScrollTextStepOfThreeLines)->Unit(benchmark::kMicrosecond);

} // namespace
