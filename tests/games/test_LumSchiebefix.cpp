#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/rtl/Maths.h"
#include "games/LumSchiebefix.h"

#include <set>

using namespace controltest;

namespace {

// Whether the tiles' positions can be slid back to the solved order: the parity of the
// permutation (the hole counted as tile N²) equals the parity of the hole's distance home.
bool Solvable(const TLumSchiebefixspiel& Puzzle) {
  const int n = Puzzle.Side(), cells = n * n;
  std::vector<int> at(static_cast<std::size_t>(cells) + 1, cells);
  for (int i = 1; i < cells; ++i) at[static_cast<std::size_t>(Puzzle.Tile(i)->Tag())] = i;
  int swaps = 0;
  std::vector<bool> seen(at.size(), false);
  for (int p = 1; p <= cells; ++p) {
    int length = 0;
    for (int q = p; !seen[static_cast<std::size_t>(q)]; q = at[static_cast<std::size_t>(q)]) {
      seen[static_cast<std::size_t>(q)] = true;
      ++length;
    }
    if (length > 0) swaps += length - 1;
  }
  const int hole = Puzzle.Hole() - 1;
  const int distance = (n - 1 - hole % n) + (n - 1 - hole / n);
  return swaps % 2 == distance % 2;
}

class LumSchiebefixTest : public ControlTest {
protected:
  TLumSchiebefixspiel* NewPuzzle() {
    Form = NewForm(400, 400);
    auto* puzzle = new TLumSchiebefixspiel(Form);
    puzzle->SetBounds(10, 10, puzzle->Width(), puzzle->Height());
    puzzle->SetOnChange([this](TObject*) { ++Changes; });
    puzzle->SetOnWin([this](TObject*) { ++Wins; });
    Form->Show();
    return puzzle;
  }

  // The tiles that may move now.
  static std::vector<int> Movable(const TLumSchiebefixspiel* Puzzle) {
    std::vector<int> tiles;
    for (int i = 1; i < Puzzle->Side() * Puzzle->Side(); ++i)
      if (NextToHole(Puzzle->Tile(i)->Tag(), Puzzle->Hole(), Puzzle->Side())) tiles.push_back(i);
    return tiles;
  }

  TForm* Form = nullptr;
  int Changes = 0;
  int Wins = 0;
};

TEST(SchiebefixRules, NeighboursOfTheHoleAndShuffleStepsStayOnTheBoard) {
  EXPECT_TRUE(NextToHole(15, 16, 4));
  EXPECT_TRUE(NextToHole(12, 16, 4));
  EXPECT_FALSE(NextToHole(11, 16, 4)) << "diagonal";
  EXPECT_FALSE(NextToHole(4, 5, 4)) << "end of one row, start of the next";
  EXPECT_EQ(ShuffleTarget(1, 4, 0), 2) << "turned round at the left edge";
  EXPECT_EQ(ShuffleTarget(1, 4, 2), 5) << "and at the top";
  EXPECT_EQ(ShuffleTarget(16, 4, 1), 15);
  EXPECT_EQ(ShuffleTarget(16, 4, 3), 12);
  EXPECT_EQ(ShuffleTarget(6, 4, 0), 5);
  for (int n = 4; n <= 10; ++n)
    for (int hole = 1; hole <= n * n; ++hole)
      for (int d = 0; d < 4; ++d)
        EXPECT_TRUE(NextToHole(ShuffleTarget(hole, n, d), hole, n)) << n << " " << hole << " " << d;
}

TEST_F(LumSchiebefixTest, ANewPuzzleIsSolvedWithTheHoleBottomRight) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  EXPECT_EQ(puzzle->Width(), 120);
  EXPECT_EQ(puzzle->Height(), 120);
  EXPECT_EQ(puzzle->Board()->Left(), 1);
  EXPECT_EQ(puzzle->Board()->Width(), 120);
  for (int i = 1; i <= 15; ++i) {
    EXPECT_EQ(puzzle->Tile(i)->Tag(), i);
    EXPECT_EQ(puzzle->Tile(i)->Caption(), std::to_string(i));
    EXPECT_EQ(puzzle->Tile(i)->BoundsRect(),
              Bounds(((i - 1) % 4) * 30, ((i - 1) / 4) * 30, 30, 30));
  }
  EXPECT_EQ(puzzle->Tile(16), nullptr);
  EXPECT_EQ(puzzle->Hole(), 16);
  EXPECT_EQ(puzzle->ZugZahl(), 0);
  EXPECT_EQ(Changes + Wins, 0);
  EXPECT_GE(puzzle->Text10x10().size(), 99u);
  EXPECT_NE(puzzle->Text10x10().back(), ' ') << "the credit text fills the largest board";
}

TEST_F(LumSchiebefixTest, AClickSlidesATileBesideTheHoleAndNoOther) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  User.Click(puzzle->Tile(15));
  EXPECT_EQ(puzzle->Tile(15)->Tag(), 16);
  EXPECT_EQ(puzzle->Hole(), 15);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Wins, 0);
  EXPECT_EQ(puzzle->ZugZahl(), 1);
  EXPECT_EQ(Movable(puzzle), (std::vector<int>{11, 14, 15}));
  User.Click(puzzle->Tile(1));
  EXPECT_EQ(puzzle->Tile(1)->Tag(), 1) << "tile 1 is far from the hole";
  EXPECT_EQ(Changes, 1);
  User.Click(puzzle->Tile(11));
  EXPECT_EQ(puzzle->Tile(11)->Tag(), 15);
  EXPECT_EQ(puzzle->Tile(11)->Left(), 60);
  EXPECT_EQ(puzzle->Tile(11)->Top(), 90);
  EXPECT_EQ(Changes, 2);
}

TEST_F(LumSchiebefixTest, APuzzleWanderedFromAndClickedBackIsWon) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  std::vector<int> path;
  int previous = 0;
  RandSeed = 7;
  while (path.size() < 30) {
    std::vector<int> choices = Movable(puzzle);
    std::erase(choices, previous);
    previous = choices[static_cast<std::size_t>(Random(static_cast<Integer>(choices.size())))];
    User.Click(puzzle->Tile(previous));
    path.push_back(previous);
  }
  const int winsOnTheWay = Wins;
  for (auto it = path.rbegin(); it != path.rend(); ++it) User.Click(puzzle->Tile(*it));
  EXPECT_EQ(puzzle->Hole(), 16);
  EXPECT_EQ(Wins, winsOnTheWay + 1) << "the last click solved it";
  EXPECT_EQ(puzzle->ZugZahl(), 60);
  EXPECT_EQ(Changes, 60);

  puzzle->Neues_Spiel();
  const int tile = Movable(puzzle).front();
  puzzle->Tile(tile)->SetFocus();
  User.PressKey(VK_SPACE);
  EXPECT_EQ(puzzle->ZugZahl(), 1) << "a focused tile moves with the space key";
}

TEST_F(LumSchiebefixTest, ShufflesHoldEveryPositionOnceAndCanAlwaysBeSolved) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  for (int d = dm4x4; d <= dm10x10; ++d) {
    puzzle->SetDimension(static_cast<TDimension>(d));
    const int n = puzzle->Side();
    ASSERT_EQ(puzzle->Board()->ControlCount(), n * n - 1);
    for (int round = 0; round < 3; ++round) {
      User.Click(puzzle->Tile(n * n - 1));
      puzzle->Neues_Spiel();
      EXPECT_EQ(puzzle->ZugZahl(), 0);
      std::set<int> positions;
      for (int i = 1; i < n * n; ++i) positions.insert(puzzle->Tile(i)->Tag());
      EXPECT_EQ(positions.size(), static_cast<std::size_t>(n * n - 1));
      EXPECT_GE(*positions.begin(), 1);
      EXPECT_LE(*positions.rbegin(), n * n);
      EXPECT_TRUE(Solvable(*puzzle)) << n << "x" << n;
    }
  }
  EXPECT_EQ(Wins, 0);
}

TEST_F(LumSchiebefixTest, LettersComeFromTheTextAndEqualLettersMayChangePlaces) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  puzzle->SetText4x4("ABC");
  EXPECT_EQ(puzzle->Text4x4(), "ABC            ");
  puzzle->SetText5x5(String(30, 'x'));
  EXPECT_EQ(puzzle->Text5x5().size(), 24u) << "cut to the board";
  puzzle->SetSFStyle(SfText);
  EXPECT_EQ(puzzle->Tile(2)->Caption(), "B");
  EXPECT_EQ(puzzle->Tile(15)->Caption(), " ");

  puzzle->SetText4x4("ABCDEFGHIJXXLMX");
  EXPECT_EQ(puzzle->Tile(11)->Caption(), "X") << "the current board is labelled again";
  // Tiles 11, 12 and 15 go once round the bottom-right square: each lands on an X.
  for (const int tile : {15, 11, 12, 15}) User.Click(puzzle->Tile(tile));
  EXPECT_EQ(puzzle->Tile(11)->Tag(), 15);
  EXPECT_EQ(puzzle->Tile(12)->Tag(), 11);
  EXPECT_EQ(puzzle->Tile(15)->Tag(), 12);
  EXPECT_EQ(Wins, 1) << "the letters read right, so the board is solved";
  EXPECT_EQ(Changes, 4);

  puzzle->SetSFStyle(SfZahlen);
  EXPECT_EQ(puzzle->Tile(2)->Caption(), "2");
}

TEST_F(LumSchiebefixTest, ResizingPlacesTheTilesAndSnapsBackToTheBoardsLeastSize) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  puzzle->SetBounds(10, 10, 200, 160);
  EXPECT_EQ(puzzle->Tile(6)->BoundsRect(), Bounds(50, 40, 50, 40));
  puzzle->SetDimension(dm10x10);
  puzzle->SetBounds(10, 10, 60, 240);
  EXPECT_EQ(puzzle->Width(), 100) << "10 x 10 needs 100 pixels";
  EXPECT_EQ(puzzle->Height(), 240);
  EXPECT_EQ(puzzle->Tile(99)->BoundsRect(), Bounds(80, 216, 10, 24));
  puzzle->SetAktiv(false);
  EXPECT_FALSE(puzzle->Enabled());
  EXPECT_FALSE(puzzle->Tile(50)->Enabled());
  puzzle->SetAktiv(true);
  puzzle->SetLochfarbe(clNavy);
  puzzle->SetDimension(dm5x5);
  EXPECT_EQ(puzzle->Board()->Color(), clNavy) << "a new board keeps the hole colour";
  puzzle->SetBounds(10, 10, 220, 220);
  User.Click(puzzle->Tile(24));
  User.SaveSnapshot(Form, SheetPath("schiebefix_5x5.png"));
  EXPECT_EQ(puzzle->Tile(24)->Tag(), 25);
}

TEST_F(LumSchiebefixTest, GlyphsReachEveryTileAndTheFormFileKeepsTheSettings) {
  TLumSchiebefixspiel* puzzle = NewPuzzle();
  Form->SetName("Game");
  puzzle->SetName("Puzzle");
  TBitmap glyph;
  glyph.SetSize(8, 8);
  puzzle->SetGlyph(&glyph);
  puzzle->SetLayout(blGlyphTop);
  EXPECT_EQ(puzzle->Tile(7)->Glyph()->Width(), 8);
  EXPECT_EQ(puzzle->Tile(7)->Layout(), blGlyphTop);
  puzzle->Glyph()->SetSize(12, 12);
  EXPECT_EQ(puzzle->Tile(3)->Glyph()->Width(), 12) << "a change of the bitmap reaches the tiles";
  puzzle->SetDimension(dm6x6);
  puzzle->SetSFStyle(SfText);
  const String text = WriteFormText(Form);
  EXPECT_NE(text.find("Dimension = dm6x6"), String::npos) << text;
  EXPECT_EQ(text.find("TBitBtn"), String::npos) << "the tiles are made, not stored";
  std::unique_ptr<TComponent> read(ReadFormText(text));
  auto* loaded = dynamic_cast<TLumSchiebefixspiel*>(read->FindComponent("Puzzle"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Board()->ControlCount(), 35);
  EXPECT_EQ(loaded->Tile(1)->Caption(), loaded->Text6x6().substr(0, 1));
  EXPECT_EQ(loaded->Tile(1)->Glyph()->Width(), 12);
}

} // namespace
