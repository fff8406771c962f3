#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "styled/LumCheckBox.h"
#include "styled/LumMainMenu.h"

#include <benchmark/benchmark.h>

// The styled controls: painting a checked check box, and opening a drop-down of 20 items
// drawn by the owner-drawn main menu over a tiled picture.

namespace {

void BM_PaintACheckedCheckBoxWithItsFocusMarker(benchmark::State& state) {
  TScriptedUser user;
  TForm* form = CreateForm<TForm>(Application());
  form->SetBounds(20, 20, 300, 200);
  auto* box = new TLumCheckBox(form);
  box->SetParent(form);
  box->SetBounds(10, 10, 120, 20);
  box->SetCaption("Check &me");
  box->SetChecked(true);
  form->Show();
  box->Companion()->SetFocus();
  user.ProcessMessages();
  for (auto _ : state) {
    box->Invalidate();
    box->Update();
  }
  form->Free();
}
BENCHMARK(BM_PaintACheckedCheckBoxWithItsFocusMarker)->Unit(benchmark::kMicrosecond);

void BM_OpenAnOwnerDrawnDropDownOf20ItemsOnATiledPicture(benchmark::State& state) {
  TScriptedUser user;
  TForm* form = CreateForm<TForm>(Application());
  form->SetBounds(20, 20, 400, 500);
  auto* menu = new TLumMainMenu(form);
  auto* file = new TMenuItem(form);
  file->SetCaption("&File");
  menu->Items()->Add(file);
  for (int i = 0; i < 20; ++i) {
    auto* item = new TMenuItem(form);
    item->SetCaption(i % 7 == 6 ? String("-") : "Item &" + std::to_string(i));
    if (i % 3 == 0) item->SetShortCut(ShortCut(static_cast<Word>('A' + i), TShiftState{ssCtrl}));
    file->Add(item);
  }
  TBitmap tile;
  tile.SetSize(16, 16);
  tile.Canvas()->Brush()->SetColor(clAqua);
  tile.Canvas()->FillRect(Rect(0, 0, 8, 8));
  TPicture picture;
  picture.SetBitmap(&tile);
  menu->SetBackground(&picture);
  menu->SetMenuStyle(lmsBitmap);
  form->SetMenu(menu);
  form->Show();
  user.ProcessMessages();
  RECT r{};
  GetMenuItemRect(form->Handle(), menu->Handle(), 0, &r);
  const TPoint bar{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  for (auto _ : state) {
    user.Display().Click(bar.X, bar.Y);
    user.ProcessMessages();
    state.PauseTiming();
    EndMenu();
    user.ProcessMessages();
    state.ResumeTiming();
  }
  form->Free();
}
BENCHMARK(BM_OpenAnOwnerDrawnDropDownOf20ItemsOnATiledPicture)->Unit(benchmark::kMillisecond);

} // namespace
