#include "framework/controls/Application.h"
#include "framework/controls/Menus.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <benchmark/benchmark.h>

// Opening a drop-down of 30 items from a form's bar: the items are measured and painted, by
// the window engine or (owner-drawn) by the items' default drawing.

namespace {

struct TMenuForm {
  TScriptedUser User;
  TForm* Form = nullptr;
  TMainMenu* Menu = nullptr;
  TPoint BarItem;

  explicit TMenuForm(bool OwnerDraw) {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(20, 20, 400, 300);
    Menu = new TMainMenu(Form);
    auto* file = new TMenuItem(Form);
    file->SetCaption("&File");
    Menu->Items()->Add(file);
    for (int i = 0; i < 30; ++i) {
      auto* item = new TMenuItem(Form);
      item->SetCaption(i % 10 == 9 ? String("-") : "Item &" + std::to_string(i));
      if (i % 3 == 0)
        item->SetShortCut(ShortCut(static_cast<Word>('A' + i % 26), TShiftState{ssCtrl}));
      item->SetChecked(i % 4 == 0);
      item->SetEnabled(i % 7 != 6);
      file->Add(item);
    }
    Menu->SetOwnerDraw(OwnerDraw);
    Form->SetMenu(Menu);
    Form->Show();
    User.ProcessMessages();
    RECT r{};
    GetMenuItemRect(Form->Handle(), Menu->Handle(), 0, &r);
    BarItem = TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  ~TMenuForm() { Form->Free(); }
};

void OpenDropDown(benchmark::State& state, bool OwnerDraw) {
  TMenuForm form(OwnerDraw);
  for (auto _ : state) {
    form.User.Display().Click(form.BarItem.X, form.BarItem.Y);
    form.User.ProcessMessages();
    state.PauseTiming();
    EndMenu();
    form.User.ProcessMessages();
    state.ResumeTiming();
  }
}

void BM_OpenDropDownOf30ItemsDrawnByTheEngine(benchmark::State& state) {
  OpenDropDown(state, false);
}
BENCHMARK(BM_OpenDropDownOf30ItemsDrawnByTheEngine)->Unit(benchmark::kMillisecond);

void BM_OpenDropDownOf30OwnerDrawnItems(benchmark::State& state) { OpenDropDown(state, true); }
BENCHMARK(BM_OpenDropDownOf30OwnerDrawnItems)->Unit(benchmark::kMillisecond);

} // namespace
