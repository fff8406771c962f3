#include "DbTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/Application.h"
#include "framework/db/DBGrids.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"

#include <functional>
#include <memory>
#include <set>

namespace {

// A form with a data grid over 60 records of Items (ID, Name, Amount, Notes as a memo).
class DBGridTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    const String data = MakeDir("data");
    Exec(data, "CREATE TABLE Items (ID AUTOINC, Name CHAR(20), Amount SMALLINT, Notes MEMO, "
               "PRIMARY KEY (ID))");
    Items = new TTable(&Owner);
    SetTable(*Items, data, "Items");
    Items->Open();
    for (int i = 1; i <= 60; ++i) {
      Items->Append();
      Items->FieldByName("Name")->SetAsString("item" + std::to_string(i));
      Items->FieldByName("Amount")->SetAsInteger(i * 10);
      if (i == 2) Items->FieldByName("Notes")->SetAsString("a note");
      Items->Post();
    }
    Items->First();
    Source = new TDataSource(&Owner);
    Source->SetDataSet(Items);
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(50, 50, 460, 300);
    Grid = new TDBGrid(Form);
    Grid->SetBounds(10, 10, 420, 240);
    Grid->SetParent(Form);
    Grid->SetDataSource(Source);
    Form->Show();
    Grid->SetFocus();
    User.ProcessMessages();
  }
  void TearDown() override {
    Form->Free();
    Owner.DestroyComponents();
    DbTest::TearDown();
  }
  TPoint CellCentre(int ACol, int ARow) {
    const TRect r = Grid->CellRect(ACol, ARow);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  String Name() { return Items->FieldByName("Name")->AsString(); }
  // The Name texts the grid draws, row by row.
  std::vector<String> DrawnNames() {
    std::vector<String> names;
    Grid->SetOnDrawColumnCell([&](TObject*, const TRect&, int, TColumn* Column, TGridDrawState) {
      if (Column->FieldName() == "Name") names.push_back(Column->Field()->AsString());
    });
    Grid->Invalidate();
    User.ProcessMessages();
    Grid->SetOnDrawColumnCell(nullptr);
    return names;
  }
  void ClickWith(int VirtualKey, int ACol, int ARow) {
    User.KeyDown(VirtualKey);
    User.Click(Grid, CellCentre(ACol, ARow));
    User.KeyUp(VirtualKey);
  }
  // The form's snapshot, read at client points of the grid.
  std::function<TColor(int, int)> GridPixels() {
    std::shared_ptr<TBitmap> picture = User.Snapshot(Form);
    const TPoint origin = Grid->ClientToScreen(TPoint{0, 0});
    RECT window{};
    GetWindowRect(Form->Handle(), &window);
    return [=](int X, int Y) {
      return picture->Canvas()->Pixels(origin.X - window.Left + X, origin.Y - window.Top + Y);
    };
  }
  TColor PixelAt(TPoint At) { return GridPixels()(At.X, At.Y); }

  // The black pixels of a row's indicator cell, as offsets from the cell's centre.
  std::set<std::pair<int, int>> IndicatorMark(int ARow) {
    const auto at = GridPixels();
    const TRect cell = Grid->CellRect(0, ARow);
    const int cx = (cell.Left + cell.Right) / 2, cy = (cell.Top + cell.Bottom) / 2;
    std::set<std::pair<int, int>> dark;
    for (int y = cell.Top + 1; y < cell.Bottom - 1; ++y)
      for (int x = cell.Left + 1; x < cell.Right - 1; ++x)
        if (at(x, y) == clBlack) dark.emplace(x - cx, y - cy);
    return dark;
  }

  TComponent Owner{nullptr};
  TScriptedUser User;
  TTable* Items = nullptr;
  TDataSource* Source = nullptr;
  TForm* Form = nullptr;
  TDBGrid* Grid = nullptr;
};

TEST_F(DBGridTest, DefaultColumnsShowTheFieldsAndOnlyTheRecordsThatFit) {
  ASSERT_EQ(Grid->Columns()->Count(), 4);
  EXPECT_EQ(Grid->Columns()->State(), csDefault);
  EXPECT_EQ(Grid->Columns()->Items(1)->FieldName(), "Name");
  EXPECT_EQ(Grid->Columns()->Items(1)->Field(), Items->FieldByName("Name"));
  EXPECT_EQ(Grid->Columns()->Items(1)->Title()->CaptionText(), "Name");
  EXPECT_EQ(Grid->ColCount(), 5) << "indicator and four columns";
  EXPECT_EQ(Grid->ColWidths(0), 11);
  const int fit = (Grid->ClientHeight() - 25) / 25;
  EXPECT_EQ(Grid->RecordRows(), fit);
  EXPECT_EQ(Grid->RowCount(), 1 + fit) << "one grid row per record that shows";
  std::vector<String> drawn;
  Grid->SetOnDrawColumnCell(
      [&](TObject*, const TRect&, int DataCol, TColumn* Column, TGridDrawState) {
        if (DataCol == 3) drawn.push_back(Column->Field()->DisplayText());
        if (DataCol == 1) drawn.push_back(Column->Field()->AsString());
      });
  Grid->Invalidate();
  User.ProcessMessages();
  ASSERT_GE(drawn.size(), 4u);
  EXPECT_EQ(drawn[0], "item1");
  EXPECT_EQ(drawn[1], "(Memo)");
  EXPECT_EQ(drawn[2], "item2");
  EXPECT_EQ(drawn[3], "(MEMO)") << "a memo with text";
  EXPECT_EQ(static_cast<int>(drawn.size()), 2 * fit) << "only the records that show are read";
  EXPECT_EQ(Items->ActiveRecord(), -1);
  User.SaveSnapshot(Form, SheetPath("grids_db_grid.png"));
}

TEST_F(DBGridTest, KeysMoveTheDataSetAndTheWindowFollows) {
  const int fit = Grid->RecordRows();
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->RecNo(), 2);
  EXPECT_EQ(Grid->Row(), 2);
  for (int i = 0; i < fit; ++i) User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->RecNo(), 2 + fit);
  EXPECT_EQ(Grid->FirstRecord(), 2) << "the window moved down by two records";
  EXPECT_EQ(Grid->Row(), fit);
  User.PressKey(VK_END, TShiftState{ssCtrl});
  EXPECT_EQ(Items->RecNo(), 60);
  EXPECT_EQ(Grid->FirstRecord(), 60 - fit);
  EXPECT_EQ(Grid->Row(), fit);
  User.PressKey(VK_PRIOR);
  EXPECT_EQ(Items->RecNo(), 60 - fit);
  User.PressKey(VK_HOME, TShiftState{ssCtrl});
  EXPECT_EQ(Items->RecNo(), 1);
  EXPECT_EQ(Grid->FirstRecord(), 0);
  User.PressKey(VK_RIGHT);
  EXPECT_EQ(Grid->SelectedIndex(), 1);
  EXPECT_EQ(Grid->SelectedField(), Items->FieldByName("Name"));
  Items->MoveBy(30);
  EXPECT_EQ(Grid->FirstRecord() + Grid->Row() - 1, 30) << "the grid follows a move made in code";
  SendMessageA(Grid->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(Items->RecNo(), 1);
  User.Wheel(Grid, TPoint{100, 100}, -3 * WHEEL_DELTA);
  EXPECT_EQ(Items->RecNo(), 4);
}

TEST_F(DBGridTest, ClicksMoveToTheRecordAndReportColumnAndTitle) {
  std::vector<String> cells, titles;
  Grid->SetOnCellClick([&](TColumn* Column) { cells.push_back(Column->FieldName()); });
  Grid->SetOnTitleClick([&](TColumn* Column) { titles.push_back(Column->FieldName()); });
  User.Click(Grid, CellCentre(3, 4));
  EXPECT_EQ(Items->RecNo(), 4);
  EXPECT_EQ(Grid->SelectedIndex(), 2);
  EXPECT_EQ(cells, (std::vector<String>{"Amount"}));
  User.Click(Grid, CellCentre(2, 0));
  EXPECT_EQ(titles, (std::vector<String>{"Name"}));
  EXPECT_EQ(Items->RecNo(), 4) << "a title click does not move";
}

TEST_F(DBGridTest, TypingEditsTheRecordLeavingItPostsEscapeCancels) {
  User.PressKey(VK_RIGHT);
  User.Type("pear");
  EXPECT_EQ(Items->State(), dsEdit);
  ASSERT_TRUE(Grid->EditorMode());
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->State(), dsBrowse);
  EXPECT_EQ(Items->RecNo(), 2);
  Items->First();
  EXPECT_EQ(Name(), "pear");
  User.PressKey(VK_DOWN);
  User.Type("plum");
  EXPECT_EQ(Items->State(), dsEdit);
  User.Escape();
  EXPECT_EQ(Items->State(), dsBrowse);
  EXPECT_FALSE(Grid->EditorMode());
  EXPECT_EQ(Name(), "item2");
}

TEST_F(DBGridTest, TextTheFieldRefusesKeepsTheEditorOpenWithTheMessage) {
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_RIGHT);
  User.Type("abc");
  User.PressKey(VK_DOWN);
  ASSERT_FALSE(User.Messages().empty());
  EXPECT_EQ(User.Messages().back().Text, "'abc' is not a valid integer value.");
  EXPECT_EQ(Items->RecNo(), 1) << "the cursor stays on the record";
  EXPECT_EQ(Items->State(), dsEdit);
  EXPECT_TRUE(Grid->EditorMode());
  EXPECT_EQ(Grid->InplaceEditor()->GetText(), "abc");
  User.Escape();
  EXPECT_EQ(Items->FieldByName("Amount")->AsInteger(), 10);
}

TEST_F(DBGridTest, CustomColumnsChooseFieldsAndStreamAsACollection) {
  TColumn* amount = Grid->Columns()->Add();
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  amount->SetFieldName("Amount");
  amount->Title()->SetCaption("Menge");
  amount->SetAlignment(taRightJustify);
  amount->SetWidth(80);
  TColumn* name = Grid->Columns()->Add();
  name->SetFieldName("Name");
  EXPECT_EQ(Grid->ColCount(), 3);
  EXPECT_EQ(Grid->ColWidths(1), 80);
  Grid->SetName("Grid1");
  const String text = WriteFormText(Form);
  EXPECT_NE(text.find("Columns = <\n      item\n        Alignment = taRightJustify\n"
                      "        FieldName = 'Amount'\n        Title.Caption = 'Menge'\n"
                      "        Width = 80\n      end"),
            String::npos)
      << text;
  Grid->Columns()->Clear();
  EXPECT_EQ(Grid->Columns()->State(), csDefault);
  EXPECT_EQ(Grid->Columns()->Count(), 4) << "an empty list of columns shows every field";
  EXPECT_EQ(WriteFormText(Form).find("Columns"), String::npos);
}

TEST_F(DBGridTest, DownOnTheLastRecordAppendsOneAndUpDropsItUntouched) {
  const int fit = Grid->RecordRows();
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_END, TShiftState{ssCtrl});
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->State(), dsInsert);
  EXPECT_EQ(Grid->Row(), fit) << "the new record shows on the last row";
  EXPECT_EQ(Grid->FirstRecord(), 61 - fit);
  std::vector<String> names = DrawnNames();
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[names.size() - 2], "item60");
  EXPECT_EQ(names.back(), "") << "the new record is drawn below the last one";
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->State(), dsInsert) << "an untouched new record does not append another";
  User.PressKey(VK_UP);
  EXPECT_EQ(Items->State(), dsBrowse);
  EXPECT_EQ(Items->RecordCount(), 60);
  EXPECT_EQ(Items->RecNo(), 60);
  EXPECT_EQ(Grid->FirstRecord(), 60 - fit);
  User.PressKey(VK_DOWN);
  User.Type("fig");
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->RecordCount(), 61) << "the typed record was posted";
  EXPECT_EQ(Items->State(), dsInsert) << "and Down on it appended the next";
  User.PressKey(VK_UP);
  EXPECT_EQ(Name(), "fig");
  EXPECT_EQ(Items->RecordCount(), 61);
  Grid->SetReadOnly(true);
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->State(), dsBrowse) << "a read-only grid appends nothing";
  Grid->SetReadOnly(false);
  Grid->SetOptions(Grid->Options() - TDBGridOptions{dgEditing});
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->State(), dsBrowse);
}

TEST_F(DBGridTest, CtrlDeleteAsksFirstAndCancelKeepsTheRecord) {
  User.PressKey(VK_DOWN);
  User.AnswerMessage("Cancel");
  User.PressKey(VK_DELETE, TShiftState{ssCtrl});
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages().back().Text, "Delete record?");
  EXPECT_EQ(User.Messages().back().Buttons, (std::vector<String>{"OK", "Cancel"}));
  EXPECT_EQ(Items->RecordCount(), 60);
  User.AnswerMessage("OK");
  User.PressKey(VK_DELETE, TShiftState{ssCtrl});
  EXPECT_EQ(Items->RecordCount(), 59);
  EXPECT_EQ(Name(), "item3");
  Grid->SetOptions(Grid->Options() - TDBGridOptions{dgConfirmDelete});
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_F2);
  ASSERT_TRUE(Grid->EditorMode());
  User.PressKey(VK_DELETE, TShiftState{ssCtrl});
  EXPECT_EQ(User.Messages().size(), 2u) << "no question without dgConfirmDelete";
  EXPECT_EQ(Items->RecordCount(), 58) << "Ctrl+Del in the editor deletes the record";
  EXPECT_EQ(Name(), "item4");
  EXPECT_EQ(DrawnNames().front(), "item1");
  Grid->SetReadOnly(true);
  User.PressKey(VK_DELETE, TShiftState{ssCtrl});
  EXPECT_EQ(Items->RecordCount(), 58);
}

TEST_F(DBGridTest, MultiSelectTogglesWithCtrlExtendsWithShiftAndDeletesTheSelection) {
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect});
  TBookmarkList* selected = Grid->SelectedRows();
  User.Click(Grid, CellCentre(2, 2));
  EXPECT_EQ(selected->Count(), 1) << "a plain click selects its row alone";
  ClickWith(VK_CONTROL, 2, 4);
  EXPECT_EQ(selected->Count(), 2);
  EXPECT_TRUE(selected->CurrentRowSelected());
  ClickWith(VK_CONTROL, 2, 4);
  EXPECT_EQ(selected->Count(), 1);
  EXPECT_FALSE(selected->CurrentRowSelected());
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  User.PressKey(VK_UP, TShiftState{ssShift});
  EXPECT_EQ(Items->RecNo(), 5);
  EXPECT_EQ(selected->Count(), 3) << "records 2, 4 and 5: the way back shrank the block";
  EXPECT_EQ(PixelAt(TPoint{CellCentre(3, 2).X, CellCentre(3, 2).Y + 8}), ColorToRGB(clHighlight));
  EXPECT_EQ(PixelAt(TPoint{CellCentre(3, 3).X, CellCentre(3, 3).Y + 8}), ColorToRGB(clWindow));
  User.SaveSnapshot(Form, SheetPath("grids_db_multiselect.png"));
  User.AnswerMessage("OK");
  User.PressKey(VK_DELETE, TShiftState{ssCtrl});
  EXPECT_EQ(User.Messages().back().Text, "Delete all selected records?");
  EXPECT_EQ(Items->RecordCount(), 57);
  EXPECT_EQ(selected->Count(), 0);
  const std::vector<String> names = DrawnNames();
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[1], "item3");
  EXPECT_EQ(names[2], "item6");
  ClickWith(VK_CONTROL, 2, 1);
  ASSERT_EQ(selected->Count(), 1);
  EXPECT_TRUE(Items->BookmarkValid(selected->Items(0)));
  User.PressKey(VK_DOWN);
  EXPECT_EQ(selected->Count(), 0) << "a plain move clears the selection";
  EXPECT_THROW(selected->Items(0), EListError);
}

TEST_F(DBGridTest, PickListOpensFromTheButtonOrAltDownAndPutsTheChoiceInTheEditor) {
  Grid->Columns()->Items(1)->PickList()->SetCommaText("apple,pear,plum");
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_F2);
  auto* editor = dynamic_cast<TInplaceEditList*>(Grid->InplaceEditor());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->EditStyle(), esPickList);
  User.PressKey(VK_DOWN, TShiftState{ssAlt});
  ASSERT_TRUE(editor->ListVisible());
  TCustomListBox* list = editor->ActiveList();
  EXPECT_TRUE(IsWindowVisible(list->Handle()));
  EXPECT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(list->BoundsRect().Top, editor->ClientToScreen(TPoint{0, editor->Height()}).Y);
  EXPECT_TRUE(editor->Focused()) << "the list leaves the focus in the editor";
  WritePngFile(User.Display().ScreenSnapshot(), SheetPath("grids_db_picklist.png"));
  User.Escape();
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_FALSE(IsWindowVisible(list->Handle()));
  EXPECT_TRUE(Grid->EditorMode()) << "Escape closed only the list";
  EXPECT_EQ(editor->GetText(), "item1");
  const TRect button = editor->ButtonRect();
  ASSERT_FALSE(button.IsEmpty());
  User.Click(editor, TPoint{(button.Left + button.Right) / 2, button.Height() / 2});
  ASSERT_TRUE(editor->ListVisible());
  const TRect pear = list->ItemRect(1);
  User.Click(list, TPoint{pear.Left + 5, (pear.Top + pear.Bottom) / 2});
  EXPECT_FALSE(editor->ListVisible());
  EXPECT_EQ(editor->GetText(), "pear");
  EXPECT_EQ(Items->State(), dsEdit);
  User.PressKey(VK_DOWN, TShiftState{ssAlt});
  User.PressKey(VK_DOWN);
  User.Enter();
  EXPECT_EQ(editor->GetText(), "plum") << "Down moves in the open list, Enter takes the item";
  EXPECT_TRUE(Grid->EditorMode());
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->RecNo(), 2);
  Items->First();
  EXPECT_EQ(Name(), "plum");
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_F2);
  EXPECT_EQ(editor->EditStyle(), esSimple) << "a column without a pick list";
  EXPECT_TRUE(editor->ButtonRect().IsEmpty());
}

TEST_F(DBGridTest, DraggingATitleMovesItsColumnWithColumnResize) {
  std::vector<std::pair<int, int>> moves;
  int titleClicks = 0;
  Grid->SetOnColumnMoved([&](TObject*, int From, int To) { moves.emplace_back(From, To); });
  Grid->SetOnTitleClick([&](TColumn*) { ++titleClicks; });
  Grid->Columns()->Items(1)->SetWidth(90);
  User.Drag(Grid, CellCentre(2, 0), Grid, CellCentre(3, 0));
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 3}}));
  EXPECT_EQ(titleClicks, 0) << "a drag is not a click";
  EXPECT_EQ(Grid->Columns()->Items(1)->FieldName(), "Amount");
  EXPECT_EQ(Grid->Columns()->Items(2)->FieldName(), "Name");
  EXPECT_EQ(Grid->Columns()->State(), csCustomized);
  EXPECT_EQ(Grid->ColWidths(3), 90) << "the width went along";
  User.Click(Grid, CellCentre(3, 1));
  EXPECT_EQ(Grid->SelectedField(), Items->FieldByName("Name"));
  Grid->SetOptions(Grid->Options() - TDBGridOptions{dgColumnResize});
  User.Drag(Grid, CellCentre(2, 0), Grid, CellCentre(3, 0));
  EXPECT_EQ(moves.size(), 1u);
  EXPECT_EQ(Grid->Columns()->Items(1)->FieldName(), "Amount");
}

TEST_F(DBGridTest, BlobColumnsShowTheirKindAndTypingDoesNotEditThem) {
  Exec(Items->DatabaseName(), "CREATE TABLE Pics (ID AUTOINC, Photo GRAPHIC, PRIMARY KEY (ID))");
  auto* pics = new TTable(&Owner);
  SetTable(*pics, Items->DatabaseName(), "Pics");
  pics->Open();
  pics->Append();
  pics->Post();
  pics->Append();
  static_cast<TBlobField*>(pics->FieldByName("Photo"))
      ->LoadFromFile(String(LUM_TESTS_DIR) + "/resources/Checker.bmp");
  pics->Post();
  pics->First();
  Source->SetDataSet(pics);
  std::vector<String> shown;
  Grid->SetOnDrawColumnCell([&](TObject*, const TRect&, int, TColumn* Column, TGridDrawState) {
    if (Column->FieldName() == "Photo") shown.push_back(Column->Field()->DisplayText());
  });
  Grid->Invalidate();
  User.ProcessMessages();
  EXPECT_EQ(shown, (std::vector<String>{"(Graphic)", "(GRAPHIC)"}));
  User.PressKey(VK_RIGHT);
  User.Type("x");
  EXPECT_EQ(pics->State(), dsBrowse) << "a picture is not typed over";
  Source->SetDataSet(Items);
  Items->Next();
  Grid->SetSelectedField(Items->FieldByName("Notes"));
  User.Type("x");
  EXPECT_EQ(Items->State(), dsBrowse);
  EXPECT_EQ(Items->FieldByName("Notes")->AsString(), "a note");
}

// The indicator marks the current record as an arrow, an I-beam while editing, an asterisk on
// a new record, and with dgMultiSelect a dot on selected rows (an arrow and a dot on the
// current one when selected).
TEST_F(DBGridTest, IndicatorMarksTheRecordByStateAndTheSelectedRows) {
  using TMark = std::set<std::pair<int, int>>;
  const auto has = [](const TMark& Mark, std::initializer_list<std::pair<int, int>> Points) {
    return std::all_of(Points.begin(), Points.end(),
                       [&](const auto& P) { return Mark.count(P) == 1; });
  };
  const auto lacks = [](const TMark& Mark, std::initializer_list<std::pair<int, int>> Points) {
    return std::none_of(Points.begin(), Points.end(),
                        [&](const auto& P) { return Mark.count(P) == 1; });
  };
  const TMark arrow = IndicatorMark(1);
  EXPECT_TRUE(has(arrow, {{-2, -4}, {-2, 0}, {-2, 4}, {0, 0}, {2, 0}})) << arrow.size();
  EXPECT_TRUE(lacks(arrow, {{3, 0}, {-3, 0}, {0, -4}}));
  EXPECT_TRUE(IndicatorMark(2).empty()) << "only the current record is marked";

  User.PressKey(VK_RIGHT);
  User.Type("p");
  ASSERT_EQ(Items->State(), dsEdit);
  const TMark edit = IndicatorMark(1);
  EXPECT_TRUE(has(edit, {{0, -4}, {0, 0}, {0, 4}, {-2, -4}, {2, -4}, {-2, 4}, {2, 4}}));
  EXPECT_TRUE(lacks(edit, {{-2, 0}, {2, 0}}));
  User.Escape();
  EXPECT_EQ(IndicatorMark(1), arrow) << "cancelling the edit brings the arrow back";

  User.PressKey(VK_END, TShiftState{ssCtrl});
  User.PressKey(VK_DOWN);
  ASSERT_EQ(Items->State(), dsInsert);
  const int newRow = Grid->Row();
  const TMark insert = IndicatorMark(newRow);
  EXPECT_TRUE(has(insert, {{0, -3}, {0, 3}, {-3, 0}, {3, 0}, {-2, -2}, {2, 2}, {2, -2}, {-2, 2}}));
  EXPECT_TRUE(lacks(insert, {{-1, -3}, {0, -4}}));
  EXPECT_TRUE(IndicatorMark(newRow - 1).empty()) << "the last stored record is not current";
  User.SaveSnapshot(Form, SheetPath("grids_db_indicator_insert.png"));
  User.PressKey(VK_UP);
  ASSERT_EQ(Items->State(), dsBrowse);
  User.PressKey(VK_HOME, TShiftState{ssCtrl});

  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect});
  ClickWith(VK_CONTROL, 2, 2);
  const TMark selectedCurrent = IndicatorMark(2);
  EXPECT_TRUE(has(selectedCurrent, {{-3, 0}, {0, -4}, {0, 4}, {4, 0}}));
  EXPECT_TRUE(IndicatorMark(1).empty());
  ClickWith(VK_CONTROL, 2, 4);
  const TMark dot = IndicatorMark(2);
  EXPECT_TRUE(has(dot, {{0, 0}, {-2, 0}, {2, 0}, {0, -2}, {0, 2}}));
  EXPECT_TRUE(lacks(dot, {{-3, 0}, {3, 0}, {0, -3}}));
  EXPECT_EQ(IndicatorMark(4), selectedCurrent);
  User.SaveSnapshot(Form, SheetPath("grids_db_indicator.png"));
  ClickWith(VK_CONTROL, 2, 4);
  EXPECT_EQ(IndicatorMark(4), arrow) << "the current record left the selection";
  EXPECT_EQ(IndicatorMark(2), dot);
  User.Type("q");
  EXPECT_EQ(IndicatorMark(4), edit);
  User.SaveSnapshot(Form, SheetPath("grids_db_indicator_edit.png"));
  EXPECT_EQ(IndicatorMark(2), dot) << "a selected row keeps its dot while another is edited";
  User.Escape();
  const std::vector<TMark> marks{arrow, edit, insert, dot, selectedCurrent};
  for (std::size_t i = 0; i < marks.size(); ++i)
    for (std::size_t j = i + 1; j < marks.size(); ++j) EXPECT_NE(marks[i], marks[j]) << i << j;
}

// The selection is ordered by the data set's CompareBookmarks whatever order the rows were
// picked in, and a Shift block follows the records' order, not the bookmarks'.
TEST_F(DBGridTest, SelectedRowsKeepBookmarkOrderAndShiftBlocksFollowTheIndex) {
  Grid->SetOptions(Grid->Options() + TDBGridOptions{dgMultiSelect});
  TBookmarkList* selected = Grid->SelectedRows();
  std::vector<TBookmarkStr> picked;
  for (int recNo : {12, 3, 10, 1, 7, 11, 2, 60, 9}) {
    Items->First();
    Items->MoveBy(recNo - 1);
    selected->SetCurrentRowSelected(true);
    picked.push_back(Items->Bookmark());
  }
  ASSERT_EQ(selected->Count(), 9);
  for (int i = 0; i + 1 < selected->Count(); ++i)
    EXPECT_LT(Items->CompareBookmarks(selected->Items(i), selected->Items(i + 1)), 0) << i;
  for (const TBookmarkStr& bookmark : picked) {
    int index = -1;
    ASSERT_TRUE(selected->Find(bookmark, index)) << bookmark;
    EXPECT_EQ(selected->Items(index), bookmark);
    EXPECT_EQ(selected->IndexOf(bookmark), index);
  }
  Items->First();
  Items->MoveBy(4);
  int at = -1;
  EXPECT_FALSE(selected->Find(Items->Bookmark(), at)) << "record 5 was not picked";
  ASSERT_TRUE(at > 0 && at < selected->Count());
  EXPECT_LT(Items->CompareBookmarks(selected->Items(at - 1), Items->Bookmark()), 0);
  EXPECT_GT(Items->CompareBookmarks(selected->Items(at), Items->Bookmark()), 0);
  EXPECT_FALSE(selected->CurrentRowSelected());
  EXPECT_EQ(selected->IndexOf(Items->Bookmark()), -1);

  selected->Clear();
  Items->SetIndexFieldNames("Name");
  Items->First();
  Items->MoveBy(10);
  ASSERT_EQ(Name(), "item19") << "item1, item10 ... item19, item2 ...";
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  EXPECT_EQ(Name(), "item20");
  EXPECT_EQ(selected->Count(), 3);
  User.PressKey(VK_UP, TShiftState{ssShift});
  EXPECT_EQ(Name(), "item2");
  EXPECT_EQ(selected->Count(), 2) << "the way back shrank the block";
  EXPECT_TRUE(selected->CurrentRowSelected());
  User.PressKey(VK_UP, TShiftState{ssShift});
  User.PressKey(VK_UP, TShiftState{ssShift});
  EXPECT_EQ(Name(), "item18");
  EXPECT_EQ(selected->Count(), 2) << "past the anchor the block grows the other way";
  EXPECT_TRUE(selected->CurrentRowSelected());
}

} // namespace
