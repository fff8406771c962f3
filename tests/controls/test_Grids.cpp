#include "framework/classes/FormFile.h"
#include "framework/controls/Grids.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

using namespace controltest;

namespace {

class GridsTest : public ControlTest {
protected:
  // A 10 x 50 string grid, 64 x 24 cells, every cell holding "c,r".
  TStringGrid* MakeGrid(TForm* Form) {
    auto* grid = new TStringGrid(Form);
    grid->SetBounds(10, 10, 330, 200);
    grid->SetColCount(10);
    grid->SetRowCount(50);
    for (int c = 0; c < 10; ++c)
      for (int r = 0; r < 50; ++r)
        grid->SetCells(c, r, std::to_string(c) + "," + std::to_string(r));
    grid->SetParent(Form);
    return grid;
  }
  TStringGrid* ShowGrid(TGridOptions Options = DefaultGridOptions) {
    TForm* form = NewForm(400, 300);
    TStringGrid* grid = MakeGrid(form);
    grid->SetOptions(Options);
    form->Show();
    grid->SetFocus();
    User.ProcessMessages();
    return grid;
  }
  static TPoint CellCentre(TCustomGrid* Grid, int ACol, int ARow) {
    const TRect r = Grid->CellRect(ACol, ARow);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  static TGridCoord Current(TCustomGrid* Grid) { return TGridCoord{Grid->Col(), Grid->Row()}; }
};

template <class F> String MessageOf(F Action) {
  try {
    Action();
  } catch (const EInvalidGridOperation& e) {
    return e.what();
  }
  return "no error";
}

TEST_F(GridsTest, BadIndexesRaiseTheFrameworksGridErrors) {
  TForm* form = NewForm();
  auto* grid = new TStringGrid(form);
  EXPECT_EQ(grid->ColCount(), 5);
  EXPECT_EQ(grid->RowCount(), 5);
  EXPECT_EQ(MessageOf([&] { grid->Cells(5, 0); }), SGridIndexOutOfRange);
  EXPECT_EQ(MessageOf([&] { grid->SetCells(0, -1, "x"); }), SGridIndexOutOfRange);
  EXPECT_EQ(MessageOf([&] { grid->ColWidths(5); }), SGridIndexOutOfRange);
  EXPECT_EQ(MessageOf([&] { grid->SetRowHeights(-1, 3); }), SGridIndexOutOfRange);
  EXPECT_EQ(MessageOf([&] { grid->SetCol(7); }), SGridIndexOutOfRange);
  EXPECT_EQ(MessageOf([&] { grid->SetRow(-2); }), SGridIndexOutOfRange);
  EXPECT_EQ(MessageOf([&] { grid->Cols(5); }), SGridIndexOutOfRange);
  grid->SetFixedCols(3);
  EXPECT_EQ(MessageOf([&] { grid->SetColCount(2); }), SFixedColTooBig);
  EXPECT_EQ(MessageOf([&] { grid->SetFixedRows(5); }), SFixedRowTooBig);
  EXPECT_EQ(MessageOf([&] { grid->SetColCount(0); }), SGridIndexOutOfRange);
  grid->SetColCount(3);
  EXPECT_EQ(grid->FixedCols(), 2) << "a column count equal to the fixed ones leaves one to scroll";
  EXPECT_EQ(grid->ColCount(), 3);
  EXPECT_EQ(MessageOf([&] { grid->Rows(0)->Insert(0, "x"); }), SCannotInsertDelete);
}

TEST_F(GridsTest, CellsStayAcrossCountChangesAndHugeGridsStayCheap) {
  TForm* form = NewForm();
  auto* grid = new TStringGrid(form);
  grid->SetCells(1, 1, "kept");
  grid->SetCells(4, 4, "cut");
  grid->SetObjects(2, 3, form);
  grid->SetColCount(12);
  grid->SetRowCount(10'000'000);
  EXPECT_EQ(grid->Cells(1, 1), "kept");
  EXPECT_EQ(grid->Cells(4, 4), "cut");
  EXPECT_EQ(grid->Objects(2, 3), form);
  EXPECT_EQ(grid->Cells(11, 9'999'999), "");
  grid->SetCells(11, 9'999'999, "last");
  EXPECT_EQ(grid->Cells(11, 9'999'999), "last");
  EXPECT_EQ(grid->RowHeights(9'999'999), 24);
  grid->SetColCount(4);
  grid->SetRowCount(4);
  grid->SetColCount(6);
  grid->SetRowCount(6);
  EXPECT_EQ(grid->Cells(1, 1), "kept");
  EXPECT_EQ(grid->Cells(4, 4), "") << "a cell cut off and brought back is empty";
  EXPECT_EQ(grid->Objects(2, 3), form);
}

TEST_F(GridsTest, ColumnsAndRowsAreStringListsOverTheCells) {
  TForm* form = NewForm();
  auto* grid = new TStringGrid(form);
  grid->Rows(2)->SetCommaText("a,b,c");
  EXPECT_EQ(grid->Cells(0, 2), "a");
  EXPECT_EQ(grid->Cells(2, 2), "c");
  EXPECT_EQ(grid->Cols(1)->Strings(2), "b");
  EXPECT_EQ(grid->Cols(1)->Count(), 5);
  EXPECT_EQ(grid->Rows(2)->Add("d"), 3) << "Add fills the first empty cell";
  TStringList list;
  list.Add("x");
  list.Add("y");
  grid->SetCols(4, &list);
  EXPECT_EQ(grid->Cells(4, 0), "x");
  EXPECT_EQ(grid->Cells(4, 1), "y");
  EXPECT_EQ(grid->Cells(4, 2), "") << "Assign clears the rest of the column";
  grid->Cols(4)->Clear();
  EXPECT_EQ(grid->Cells(4, 0), "");
  EXPECT_THROW(grid->Cols(1)->Strings(5), EListError);
}

TEST_F(GridsTest, CellRectsAndMouseCoordsFollowScrolling) {
  TStringGrid* grid = ShowGrid();
  grid->SetColWidths(2, 100);
  EXPECT_EQ(grid->CellRect(0, 0), Rect(0, 0, 64, 24));
  EXPECT_EQ(grid->CellRect(2, 1), Rect(130, 25, 230, 49));
  EXPECT_EQ(grid->MouseCoord(131, 26), (TGridCoord{2, 1}));
  EXPECT_EQ(grid->MouseCoord(129, 26), (TGridCoord{1, 1})) << "the line belongs to the cell before";
  EXPECT_EQ(grid->MouseCoord(-1, 5), (TGridCoord{-1, -1}));
  EXPECT_TRUE(grid->CellRect(1, 40).IsEmpty()) << "a cell below the visible ones has no rectangle";
  grid->SetTopRow(10);
  EXPECT_EQ(grid->CellRect(1, 10), Rect(65, 25, 129, 49));
  EXPECT_EQ(grid->MouseCoord(70, 30), (TGridCoord{1, 10}));
  EXPECT_TRUE(grid->CellRect(1, 5).IsEmpty());
  EXPECT_EQ(grid->VisibleRowCount(), grid->ClientHeight() / 25 - 1);
}

TEST_F(GridsTest, KeysMoveTheCurrentCellAndScrollIt) {
  TStringGrid* grid = ShowGrid(DefaultGridOptions + TGridOptions{goTabs});
  int clicks = 0;
  grid->SetOnClick([&](TObject*) { ++clicks; });
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Current(grid), (TGridCoord{2, 2}));
  EXPECT_EQ(clicks, 2) << "each move of the current cell clicks";
  User.PressKey(VK_END);
  EXPECT_EQ(Current(grid), (TGridCoord{9, 2}));
  EXPECT_GT(grid->LeftCol(), 1) << "the last column was scrolled into view";
  User.PressKey(VK_HOME);
  EXPECT_EQ(Current(grid), (TGridCoord{1, 2}));
  EXPECT_EQ(grid->LeftCol(), 1);
  User.PressKey(VK_END, TShiftState{ssCtrl});
  EXPECT_EQ(Current(grid), (TGridCoord{9, 49}));
  EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 49);
  User.PressKey(VK_HOME, TShiftState{ssCtrl});
  EXPECT_EQ(Current(grid), (TGridCoord{1, 1}));
  EXPECT_EQ(grid->TopRow(), 1);
  const int page = grid->VisibleRowCount() - 1;
  User.PressKey(VK_NEXT);
  EXPECT_EQ(grid->Row(), 1 + page);
  EXPECT_EQ(grid->TopRow(), 1 + page);
  User.PressKey(VK_PRIOR);
  EXPECT_EQ(grid->Row(), 1);
  User.PressKey(VK_UP);
  EXPECT_EQ(grid->Row(), 1) << "the fixed row is not entered";
  grid->SetCol(9);
  User.Tab();
  EXPECT_EQ(Current(grid), (TGridCoord{1, 2})) << "Tab wraps to the next row";
  User.Tab(true);
  EXPECT_EQ(Current(grid), (TGridCoord{9, 1}));
}

TEST_F(GridsTest, ShiftArrowsSelectABlockWhenRangeSelectIsOn) {
  TStringGrid* grid = ShowGrid();
  User.PressKey(VK_RIGHT, TShiftState{ssShift});
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
  User.PressKey(VK_DOWN);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
  grid->SetOptions(DefaultGridOptions - TGridOptions{goRangeSelect});
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 4, 2, 4}));
  grid->SetOptions(DefaultGridOptions + TGridOptions{goRowSelect});
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 4, 9, 4}));
}

TEST_F(GridsTest, SelectCellCanRefuseAMove) {
  TStringGrid* grid = ShowGrid();
  grid->SetOnSelectCell([](TObject*, int ACol, int, bool& CanSelect) { CanSelect = ACol != 2; });
  User.PressKey(VK_RIGHT);
  EXPECT_EQ(grid->Col(), 1);
  User.Click(grid, CellCentre(grid, 3, 2));
  EXPECT_EQ(Current(grid), (TGridCoord{3, 2}));
  User.Click(grid, CellCentre(grid, 2, 2));
  EXPECT_EQ(Current(grid), (TGridCoord{3, 2}));
}

TEST_F(GridsTest, ClicksAndDragsSelectCells) {
  TStringGrid* grid = ShowGrid();
  int clicks = 0;
  grid->SetOnClick([&](TObject*) { ++clicks; });
  User.Click(grid, CellCentre(grid, 2, 3));
  EXPECT_EQ(Current(grid), (TGridCoord{2, 3}));
  EXPECT_EQ(clicks, 1);
  User.Drag(grid, CellCentre(grid, 1, 1), grid, CellCentre(grid, 3, 4));
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 4}));
  EXPECT_EQ(Current(grid), (TGridCoord{1, 1}));
  User.Click(grid, CellCentre(grid, 0, 2));
  EXPECT_EQ(Current(grid), (TGridCoord{1, 1})) << "a fixed cell is not selected";
}

TEST_F(GridsTest, DraggingBeyondAnEdgeScrollsTheBlockOnATimerUntilTheButtonIsUp) {
  TStringGrid* grid = ShowGrid();
  const TRect client = grid->ClientRect();
  User.Press(grid, CellCentre(grid, 2, 2));
  User.MoveTo(grid, TPoint{100, client.Bottom + 20});
  User.Advance(5 * 60);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 7}));
  User.Advance(20 * 60);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 27}));
  EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 27) << "the block's end is in view";
  const int top = grid->TopRow();
  User.MoveTo(grid, TPoint{client.Right + 20, -20});
  User.Advance(3 * 60);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 5, 24}));
  EXPECT_EQ(grid->TopRow(), top) << "row 24 was in view already";
  EXPECT_GE(grid->LeftCol() + grid->VisibleColCount() - 1, 5);
  User.Release(grid, TPoint{client.Right + 20, -20});
  User.Advance(10 * 60);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 5, 24})) << "no scrolling once released";
  EXPECT_EQ(Current(grid), (TGridCoord{2, 2}));
}

TEST_F(GridsTest, FixedLinesDragToSizeAndFixedCellsDragToMove) {
  TStringGrid* grid = ShowGrid(DefaultGridOptions +
                               TGridOptions{goColSizing, goColMoving, goRowSizing, goRowMoving});
  int movedFrom = -1, movedTo = -1;
  grid->SetOnColumnMoved([&](TObject*, int From, int To) { movedFrom = From, movedTo = To; });
  // The line after column 1 is at x = 129 in the fixed row.
  User.Drag(grid, TPoint{129, 10}, grid, TPoint{170, 10});
  EXPECT_EQ(grid->ColWidths(1), 170 - 65);
  User.Drag(grid, TPoint{10, 48}, grid, TPoint{10, 60});
  EXPECT_EQ(grid->RowHeights(1), 60 - 25);
  User.Drag(grid, CellCentre(grid, 1, 0), grid, CellCentre(grid, 2, 0));
  EXPECT_EQ(movedFrom, 1);
  EXPECT_EQ(movedTo, 2);
  EXPECT_EQ(grid->Cells(2, 5), "1,5");
  EXPECT_EQ(grid->Cells(1, 5), "2,5");
  EXPECT_EQ(grid->ColWidths(2), 105) << "the width moves with its column";
  User.Drag(grid, CellCentre(grid, 0, 3), grid, CellCentre(grid, 0, 2));
  EXPECT_EQ(grid->Cells(0, 2), "0,3");
  EXPECT_EQ(grid->Cells(0, 3), "0,2");
}

TEST_F(GridsTest, TypingEditsTheCellInPlace) {
  TStringGrid* grid = ShowGrid(DefaultGridOptions + TGridOptions{goEditing});
  std::vector<String> told;
  grid->SetOnSetEditText([&](TObject*, int, int, const String& Value) { told.push_back(Value); });
  User.Type("hi");
  ASSERT_TRUE(grid->EditorMode());
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_TRUE(grid->InplaceEditor()->Focused());
  EXPECT_EQ(grid->Cells(1, 1), "hi") << "typing replaces the text";
  EXPECT_FALSE(told.empty());
  User.Enter();
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_TRUE(grid->Focused());
  EXPECT_EQ(grid->Cells(1, 1), "hi");
  User.PressKey(VK_F2);
  ASSERT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->GetText(), "hi");
  User.PressKey(VK_END);
  User.Type("gh");
  EXPECT_EQ(grid->Cells(1, 1), "high");
  User.Escape();
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Cells(1, 1), "hi") << "Escape takes the edit back";
  User.PressKey(VK_RETURN);
  User.Type("x");
  User.PressKey(VK_DOWN);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Cells(1, 1), "x") << "Enter opens the editor with its text selected";
}

TEST_F(GridsTest, AlwaysShownEditorFollowsTheCurrentCell) {
  TStringGrid* grid = ShowGrid(DefaultGridOptions + TGridOptions{goEditing, goAlwaysShowEditor});
  ASSERT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->GetText(), "1,1");
  User.PressKey(VK_DOWN);
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_EQ(grid->InplaceEditor()->GetText(), "1,2");
  EXPECT_EQ(grid->InplaceEditor()->BoundsRect(), grid->CellRect(1, 2));
}

TEST_F(GridsTest, ScrollBarsAndWheelScroll) {
  TStringGrid* grid = ShowGrid();
  const HWND window = grid->Handle();
  SCROLLINFO info{};
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
  EXPECT_EQ(static_cast<int>(info.nPage), grid->VisibleRowCount());
  EXPECT_EQ(info.nMax - static_cast<int>(info.nPage) + 1, 49 - grid->VisibleRowCount());
  SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 1 + grid->VisibleRowCount());
  EXPECT_EQ(GetScrollPos(window, SB_VERT), grid->TopRow() - 1);
  SendMessageA(window, WM_VSCROLL, static_cast<WPARAM>(MAKELPARAM(SB_THUMBPOSITION, 3)), 0);
  EXPECT_EQ(grid->TopRow(), 4);
  SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid->TopRow() + grid->VisibleRowCount() - 1, 49);
  SendMessageA(window, WM_HSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->LeftCol(), 2);
  User.Wheel(grid, TPoint{100, 100}, -2 * WHEEL_DELTA);
  EXPECT_EQ(grid->Row(), 3) << "each notch moves the current row";
}

TEST_F(GridsTest, PaintsFixedSelectedAndPlainCellsAndOnlyTheVisibleOnes) {
  TForm* form = NewForm(400, 300);
  TStringGrid* grid = MakeGrid(form);
  std::vector<TGridCoord> drawn;
  grid->SetOnDrawCell([&](TObject*, int ACol, int ARow, TRect, TGridDrawState) {
    drawn.push_back(TGridCoord{ACol, ARow});
  });
  grid->SetSelection(TGridRect{2, 2, 3, 3});
  form->Show();
  User.ProcessMessages();
  drawn.clear();
  auto snap = User.Snapshot(form);
  EXPECT_LE(drawn.size(), 6u * 9u) << "only the cells that show are drawn";
  EXPECT_EQ(PixelAt(form, grid, TPoint{3, 20}), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(form, grid, TPoint{250, 70}), ColorToRGB(clHighlight));
  EXPECT_EQ(PixelAt(form, grid, TPoint{300, 150}), ColorToRGB(clWindow));
  EXPECT_EQ(PixelAt(form, grid, TPoint{129, 150}), ColorToRGB(clSilver)) << "a cell line";
  User.SaveSnapshot(form, SheetPath("grids_string_grid.png"));
}

TEST_F(GridsTest, FormFilesKeepLayoutWidthsAndHeights) {
  TForm* form = NewForm();
  auto* grid = new TStringGrid(form);
  grid->SetName("Grid1");
  grid->SetParent(form);
  grid->SetColCount(3);
  grid->SetRowCount(4);
  grid->SetFixedCols(0);
  grid->SetOptions(DefaultGridOptions + TGridOptions{goEditing, goTabs});
  grid->SetColWidths(1, 90);
  grid->SetRowHeights(3, 30);
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("ColWidths = (\n      64\n      90\n      64)"), String::npos) << text;
  EXPECT_NE(text.find("RowHeights = ("), String::npos);
  EXPECT_NE(text.find("goEditing, goTabs]"), String::npos);
  TForm* copy = NewForm();
  grid->SetName("");
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TStringGrid*>(copy->FindComponent("Grid1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->ColCount(), 3);
  EXPECT_EQ(read->FixedCols(), 0);
  EXPECT_EQ(read->ColWidths(1), 90);
  EXPECT_EQ(read->RowHeights(3), 30);
  EXPECT_EQ(read->RowHeights(2), 24);
  EXPECT_TRUE(read->Options().Contains(goTabs));
}

} // namespace
