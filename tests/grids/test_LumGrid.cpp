#include "tests/displays/DisplayTestSupport.h"

#include "framework/classes/FormFile.h"
#include "grids/LumGrid.h"

using namespace displaytest;

namespace {

TEST(TextLinesRect, KeepsTheWholeLinesThatFitCentredInTheCell) {
  EXPECT_EQ(TextLinesRect(Rect(10, 100, 74, 130), 13, 2), Rect(10, 102, 72, 128));
  EXPECT_EQ(TextLinesRect(Rect(0, 0, 64, 24), 13, 0), Rect(0, 5, 64, 18));
  EXPECT_EQ(TextLinesRect(Rect(0, 0, 64, 39), 13, 0), Rect(0, 0, 64, 39));
  const TRect none = TextLinesRect(Rect(0, 0, 64, 10), 13, 0);
  EXPECT_EQ(none.Height(), 0) << "a line taller than the cell shows nothing";
  EXPECT_EQ(none.Top, 5);
}

class LumStringGridTest : public DisplayTest {
protected:
  TLumStringGrid* NewGrid() {
    auto* grid = ShowNew<TLumStringGrid>(400, 200);
    User.ProcessMessages();
    return grid;
  }
  // Dark pixels of a cell in a band of columns from its left edge.
  static int DarkIn(const TShot& Shot, const TRect& Cell, int From, int To) {
    return Shot.CountDark(Rect(Cell.Left + From, Cell.Top, Cell.Left + To, Cell.Bottom));
  }
};

TEST_F(LumStringGridTest, TallTextShowsOnlyTheLinesThatFitCentredInTheCell) {
  auto* grid = NewGrid();
  grid->SetDefaultRowHeight(30);
  grid->SetCells(2, 2, "a long text that wraps over many lines of the cell");
  TShot shot = Shoot(grid);
  grid->Canvas()->SetFont(grid->Font());
  const int h = grid->Canvas()->TextHeight("Ag");
  ASSERT_GT(h, 5);
  const int n = 30 / h * h, top = (30 - n) / 2;
  const TRect cell = grid->CellRect(2, 2);
  EXPECT_EQ(shot.CountDark(Rect(cell.Left, cell.Top, cell.Right, cell.Top + top)), 0);
  EXPECT_EQ(shot.CountDark(Rect(cell.Left, cell.Top + top + n, cell.Right, cell.Bottom)), 0);
  for (int line = 0; line < n / h; ++line)
    EXPECT_GT(shot.CountDark(Rect(cell.Left, cell.Top + top + line * h, cell.Right,
                                  cell.Top + top + (line + 1) * h)),
              0)
        << "line " << line;
  Sheet("LumStringGrid-wrapped.png");
}

TEST_F(LumStringGridTest, TextAlignsForTheWholeGridOrCellByCell) {
  auto* grid = NewGrid();
  grid->SetCells(2, 2, "ab");
  grid->SetCells(3, 2, "ab");
  const TRect cell = grid->CellRect(2, 2);
  const int w = cell.Width();
  TShot shot = Shoot(grid);
  EXPECT_GT(DarkIn(shot, cell, 0, 16), 0) << "left by default";
  EXPECT_EQ(DarkIn(shot, cell, 24, w), 0);
  grid->SetAlignment(taRightJustify);
  shot = Shoot(grid);
  EXPECT_EQ(DarkIn(shot, cell, 0, w - 24), 0);
  EXPECT_GT(DarkIn(shot, cell, w - 18, w - 2), 0);
  EXPECT_EQ(DarkIn(shot, cell, w - 2, w), 0) << "two pixels kept free at the right";
  grid->SetAlignment(taCenter);
  shot = Shoot(grid);
  EXPECT_EQ(DarkIn(shot, cell, 0, 16), 0);
  EXPECT_GT(DarkIn(shot, cell, w / 2 - 8, w / 2 + 8), 0);
  EXPECT_EQ(DarkIn(shot, cell, w - 16, w), 0);

  grid->SetAlignmentCell(true);
  grid->SetAlignmentCells(2, 2, taRightJustify);
  EXPECT_EQ(grid->GetAlignmentCells(2, 2), taRightJustify);
  EXPECT_EQ(grid->GetAlignmentCells(3, 2), taLeftJustify) << "a cell starts left";
  shot = Shoot(grid);
  EXPECT_GT(DarkIn(shot, cell, w - 18, w - 2), 0);
  EXPECT_GT(DarkIn(shot, grid->CellRect(3, 2), 0, 16), 0) << "its own alignment, not the grid's";
}

TEST_F(LumStringGridTest, MarkedCellsTakeTheMarkColourAndARightClickTogglesThem) {
  auto* grid = NewGrid();
  grid->SetCells(2, 2, "x");
  const auto corner = [&](int C, int R) {
    const TRect r = grid->CellRect(C, R);
    return Shoot(grid).At(r.Left + 1, r.Top + 1);
  };
  grid->SetMarkCells(2, 2, true);
  EXPECT_TRUE(grid->GetMarkCells(2, 2));
  EXPECT_EQ(corner(2, 2), ColorToRGB(clLime));
  grid->SetMarkColor(clAqua);
  EXPECT_EQ(corner(2, 2), ColorToRGB(clAqua));
  EXPECT_EQ(corner(3, 2), ColorToRGB(clWindow));

  // Apart in time, so that no two make a double click.
  const auto rightClick = [&](int C, int R) {
    User.Advance(1000);
    const TRect r = grid->CellRect(C, R);
    User.Click(grid, TPoint{r.Left + 5, r.Top + 5}, THeadlessButton::Right);
  };
  rightClick(3, 3);
  EXPECT_FALSE(grid->GetMarkCells(3, 3)) << "only with RightClickSelect";
  grid->SetRightClickSelect(true);
  rightClick(3, 3);
  EXPECT_TRUE(grid->GetMarkCells(3, 3));
  EXPECT_EQ(corner(3, 3), ColorToRGB(clAqua));
  rightClick(2, 2);
  EXPECT_FALSE(grid->GetMarkCells(2, 2));
  rightClick(0, 2);
  rightClick(2, 0);
  EXPECT_FALSE(grid->GetMarkCells(0, 2)) << "fixed cells stay";
  EXPECT_FALSE(grid->GetMarkCells(2, 0));
  // Outside every cell: right of the last column and below the last row.
  User.Click(grid, TPoint{grid->ClientWidth() - 5, 40}, THeadlessButton::Right);
  User.Click(grid, TPoint{40, grid->ClientHeight() - 5}, THeadlessButton::Right);
  EXPECT_TRUE(grid->GetMarkCells(3, 3));
  Sheet("LumStringGrid-marks.png");
}

TEST_F(LumStringGridTest, TheCellTableFollowsTheGridKeepingWhatStaysInside) {
  auto* grid = NewGrid();
  grid->SetMarkCells(2, 3, true);
  grid->SetAlignmentCells(4, 4, taCenter);
  grid->SetColCount(9);
  grid->SetRowCount(12);
  EXPECT_TRUE(grid->GetMarkCells(2, 3));
  EXPECT_EQ(grid->GetAlignmentCells(4, 4), taCenter);
  EXPECT_FALSE(grid->GetMarkCells(8, 11));
  EXPECT_EQ(grid->GetAlignmentCells(8, 11), taLeftJustify);
  grid->SetMarkCells(8, 11, true);
  grid->SetColCount(3);
  grid->SetRowCount(4);
  EXPECT_TRUE(grid->GetMarkCells(2, 3));
  grid->SetColCount(9);
  grid->SetRowCount(12);
  EXPECT_FALSE(grid->GetMarkCells(8, 11)) << "cut off, then new";
  EXPECT_EQ(grid->GetAlignmentCells(4, 4), taLeftJustify);
  EXPECT_TRUE(grid->GetMarkCells(2, 3));
  EXPECT_THROW(grid->GetMarkCells(9, 0), ERangeError);
  EXPECT_THROW(grid->SetMarkCells(-1, -1, true), ERangeError);
  EXPECT_THROW(grid->GetAlignmentCells(0, 12), ERangeError);
}

TEST_F(LumStringGridTest, ItsSettingsGoThroughTheFormFile) {
  auto* grid = NewGrid();
  grid->SetName("Grid1");
  EXPECT_EQ(WriteFormText(Form()).find("MarkColor"), String::npos) << "defaults are not stored";
  grid->SetAlignment(taCenter);
  grid->SetAlignmentCell(true);
  grid->SetMarkColor(clRed);
  grid->SetRightClickSelect(true);
  const String text = WriteFormText(Form());
  for (const char* line : {"Alignment = taCenter", "AlignmentCell = True", "MarkColor = clRed",
                           "RightClickSelect = True"})
    EXPECT_NE(text.find(line), String::npos) << line << "\n" << text;
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumStringGrid*>(copy->FindComponent("Grid1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Alignment(), taCenter);
  EXPECT_TRUE(read->AlignmentCell());
  EXPECT_EQ(read->MarkColor(), clRed);
  EXPECT_TRUE(read->RightClickSelect());
  EXPECT_EQ(WriteFormText(copy), text);
}

} // namespace
