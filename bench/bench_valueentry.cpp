#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "valueentry/LumTaschenrechner1.h"
#include "valueentry/Lumvaled.h"

#include <benchmark/benchmark.h>

// The calculator worked by mouse, and extended edits laid out on a form, on the headless
// display.

namespace {

// One click on a calculator button, its handling and the repaint of the window it caused;
// digits, an operator and "=" in turn, so the stack is pushed and reduced too.
void BM_CalculatorKeyPressWithRepaint(benchmark::State& state) {
  TScriptedUser user;
  auto* calculator = CreateForm<TTaschenrechner>(Application());
  calculator->Show();
  user.ProcessMessages();
  const TCalcKey keys[] = {TCalcKey::Digit7, TCalcKey::Digit3, TCalcKey::Times,  TCalcKey::Digit2,
                           TCalcKey::Plus,   TCalcKey::Digit5, TCalcKey::Equals, TCalcKey::Clear};
  std::size_t next = 0;
  for (auto _ : state) {
    user.Advance(1000);
    user.Click(calculator->Button(keys[next]));
    calculator->Update();
    next = (next + 1) % std::size(keys);
  }
  calculator->Free();
}
BENCHMARK(BM_CalculatorKeyPressWithRepaint)->Unit(benchmark::kMicrosecond);

// 1,000 extended edits shown on one form.
struct TExtendedEditsBench {
  TScriptedUser User;
  TForm* Form = nullptr;
  std::vector<TLumExtValEdit*> Edits;

  TExtendedEditsBench() {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(0, 0, 1000, 800);
    for (int i = 0; i < 1000; ++i) {
      auto* edit = new TLumExtValEdit(Form);
      edit->SetBounds(10 + (i % 5) * 190, 10 + (i / 5) * 4, 144, 40);
      edit->SetHeader("Field");
      edit->SetUnitValue("mm");
      Edits.push_back(edit);
    }
    Form->Show();
    User.ProcessMessages();
  }
  ~TExtendedEditsBench() { Form->Free(); }
};

// Every edit's entry line a pixel higher or lower: each lays out its entry line, header,
// unit panel and picture again.
void BM_LayOut1000ExtendedEditsOnAForm(benchmark::State& state) {
  TExtendedEditsBench bench;
  int height = 21;
  for (auto _ : state) {
    height = height == 21 ? 22 : 21;
    for (TLumExtValEdit* edit : bench.Edits) edit->SetEditHeight(height);
  }
}
BENCHMARK(BM_LayOut1000ExtendedEditsOnAForm)->Unit(benchmark::kMillisecond);

// Every edit given a new width: the window engine moves each edit among its 999 siblings,
// then the edit lays itself out.
void BM_Resize1000ExtendedEditsOnAForm(benchmark::State& state) {
  TExtendedEditsBench bench;
  int width = 144;
  for (auto _ : state) {
    width = width == 144 ? 160 : 144;
    for (TLumExtValEdit* edit : bench.Edits) edit->SetWidth(width);
  }
}
BENCHMARK(BM_Resize1000ExtendedEditsOnAForm)->Unit(benchmark::kMillisecond);

} // namespace
