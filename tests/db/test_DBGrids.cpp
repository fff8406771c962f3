#include "DbTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/Application.h"
#include "framework/db/DBGrids.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "tests/SheetPath.h"

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
    Items->SetDatabaseName(data);
    Items->SetTableName("Items");
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

} // namespace
