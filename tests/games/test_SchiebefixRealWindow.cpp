#include "tests/platform/RealWindowTest.h"

#include "framework/controls/Forms.h"
#include "games/LumSchiebefix.h"

namespace {

using SchiebefixRealWindowTest = TRealWindowTest;

void ClickTile(TBitBtn* Tile) {
  const TPoint p = Tile->ClientToScreen({Tile->Width() / 2, Tile->Height() / 2});
  RunOnDisplay("xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1");
}

TEST_F(SchiebefixRealWindowTest, TilesClickedInARealWindowSlideAndSolveTheBoard) {
  TForm* form = CreateForm<TForm>(Application());
  form->SetCaption("Schiebefix real window");
  form->SetBounds(60, 60, 220, 220);
  auto* puzzle = new TLumSchiebefixspiel(form);
  puzzle->SetBounds(8, 8, 160, 160);
  int wins = 0;
  puzzle->SetOnWin([&](TObject*) { ++wins; });
  form->Show();
  ASSERT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
  XWindowNamed("Schiebefix real window");
  ClickTile(puzzle->Tile(15));
  ASSERT_TRUE(PumpUntil([&] { return puzzle->ZugZahl() == 1; }));
  EXPECT_EQ(puzzle->Hole(), 15);
  ClickTile(puzzle->Tile(15));
  ASSERT_TRUE(PumpUntil([&] { return puzzle->ZugZahl() == 2; }));
  EXPECT_EQ(wins, 1) << "back in order";
  form->Free();
}

} // namespace
