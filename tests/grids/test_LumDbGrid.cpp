#include "tests/db/DbTestSupport.h"
#include "tests/displays/DisplayTestSupport.h"
#include "tests/surfaces/SurfaceTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/Application.h"
#include "grids/LumDbGrid.h"
#include "grids/LumGrid.h"

namespace {

const char* const Note = "Crisp apples from the orchard behind the house, picked in October";

// A form with a viewer grid over Fruit: Apple (a note and a picture), Junk (a blob that is
// no picture) and Empty. Columns: indicator, ID, Name, Notes, Picture.
class LumDBGridTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    Data = MakeDir("data");
    Exec(Data, "CREATE TABLE Fruit (ID AUTOINC, Name CHAR(20), Notes MEMO, Picture GRAPHIC, "
               "PRIMARY KEY (ID))");
    Items = new TTable(&Owner);
    Items->SetDatabaseName(Data);
    Items->SetTableName("Fruit");
    Items->Open();
    Add("Apple", Note, [](TField* F) { F->Assign(surfacetest::Quarters(40, 20).get()); });
    Add("Junk", nullptr, [](TField* F) { F->SetAsString("no picture at all"); });
    Add("Empty", nullptr, [](TField*) {});
    Items->First();
    Source = new TDataSource(&Owner);
    Source->SetDataSet(Items);
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(50, 50, 460, 300);
    Grid = new TLumDBGrid(Form);
    Grid->SetName("Grid1");
    Grid->SetBounds(10, 10, 420, 240);
    Grid->SetDefaultRowHeight(40);
    Grid->SetParent(Form);
    Grid->SetDataSource(Source);
    Form->Show();
    User.ProcessMessages();
  }
  void TearDown() override {
    Form->Free();
    Owner.DestroyComponents();
    DbTest::TearDown();
  }
  void Add(const char* Name, const char* Notes, void (*Picture)(TField*)) {
    Items->Append();
    Items->FieldByName("Name")->SetAsString(Name);
    if (Notes) Items->FieldByName("Notes")->SetAsString(Notes);
    Picture(Items->FieldByName("Picture"));
    Items->Post();
  }
  TPoint CellCentre(int ACol, int ARow) {
    const TRect r = Grid->CellRect(ACol, ARow);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  displaytest::TShot Shoot() {
    Grid->Repaint();
    return displaytest::TShot(User, Form, Grid);
  }
  String Notes() { return Items->FieldByName("Notes")->AsString(); }

  TComponent Owner{nullptr};
  TScriptedUser User;
  String Data;
  TTable* Items = nullptr;
  TDataSource* Source = nullptr;
  TForm* Form = nullptr;
  TLumDBGrid* Grid = nullptr;
};

TEST_F(LumDBGridTest, MemosAreWrappedTextAndPicturesFillTheirCells) {
  const displaytest::TShot shot = Shoot();
  User.SaveSnapshot(Form, SheetPath("LumDBGrid.png"));
  // The memo cell looks exactly like the text written on its own.
  const TRect memo = Grid->CellRect(3, 1);
  TBitmap expected;
  expected.SetSize(memo.Width(), memo.Height());
  expected.Canvas()->Font()->Assign(Grid->Columns()->Items(2)->Font());
  expected.Canvas()->Brush()->SetColor(clWindow);
  MyWriteText(expected.Canvas(), Rect(0, 0, memo.Width(), memo.Height()), Note, taLeftJustify, 0);
  int differing = 0;
  for (int y = 0; y < memo.Height(); ++y)
    for (int x = 0; x < memo.Width(); ++x)
      differing += shot.At(memo.Left + x, memo.Top + y) !=
                   static_cast<COLORREF>(ColorToRGB(expected.Canvas()->Pixels(x, y)));
  EXPECT_EQ(differing, 0);
  EXPECT_GT(shot.CountDark(memo), 0);

  const TRect picture = Grid->CellRect(4, 1);
  const int qx = picture.Width() / 4, qy = picture.Height() / 4;
  EXPECT_EQ(shot.At(picture.Left + qx, picture.Top + qy), ColorToRGB(clRed));
  EXPECT_EQ(shot.At(picture.Right - qx, picture.Top + qy), ColorToRGB(clBlue));
  EXPECT_EQ(shot.At(picture.Left + qx, picture.Bottom - qy), ColorToRGB(clLime));
  EXPECT_EQ(shot.At(picture.Right - qx, picture.Bottom - qy), ColorToRGB(clYellow));
  const TRect junk = Grid->CellRect(4, 2);
  EXPECT_EQ(shot.Count(junk, clWindow), junk.Width() * junk.Height()) << "no picture: empty";
  const TRect name = Grid->CellRect(2, 2);
  EXPECT_GT(shot.CountDark(name), 0) << "other fields as the data grid draws them";
}

TEST_F(LumDBGridTest, EachBlobIsDecodedOnceNotOnEveryPaint) {
  Shoot();
  EXPECT_EQ(Grid->CachedPictureCount(), 2u) << "the picture and the blob that is none";
  for (int i = 0; i < 3; ++i) Shoot();
  EXPECT_EQ(Grid->CachedPictureCount(), 2u);
  Items->Edit();
  Items->FieldByName("Picture")->Assign(surfacetest::Quarters(20, 20).get());
  Items->Post();
  const displaytest::TShot shot = Shoot();
  EXPECT_EQ(Grid->CachedPictureCount(), 3u) << "a changed blob is decoded anew";
  const TRect picture = Grid->CellRect(4, 1);
  EXPECT_EQ(shot.At(picture.Right - 4, picture.Top + 4), ColorToRGB(clBlue));
}

TEST_F(LumDBGridTest, AMemoChangedInTheViewerIsWrittenAndReachesTheFile) {
  Grid->SetFormCaption("Notizen");
  Grid->SetFormWidth(360);
  bool asked = false;
  User.WhenModal([&](TCustomForm* Window) {
    asked = true;
    auto* viewer = dynamic_cast<TLumDBGridForm*>(Window);
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(viewer->Caption(), "Notizen");
    EXPECT_EQ(viewer->BoundsRect(), Rect(10, 10, 370, 350));
    EXPECT_EQ(viewer->Kartei->ActivePage(), viewer->MemoSeite);
    EXPECT_EQ(viewer->Memo1->Text(), Note);
    EXPECT_EQ(viewer->OKButton->Caption(), "&Ok");
    EXPECT_FALSE(viewer->CancelButton->Visible());
    EXPECT_EQ(viewer->CancelButton->Caption(), "&Cancel");
    User.Click(viewer->Memo1);
    User.PressKey(VK_END, TShiftState{ssCtrl});
    User.Type(" and eaten");
    EXPECT_EQ(viewer->OKButton->Caption(), "&Accept");
    EXPECT_TRUE(viewer->CancelButton->Visible());
    User.SaveSnapshot(Window, SheetPath("LumDBGridForm-memo.png"));
    User.Click(viewer->OKButton);
  });
  User.Click(Grid, CellCentre(3, 1));
  ASSERT_TRUE(asked);
  EXPECT_EQ(Items->State(), dsEdit) << "the data set posts when it likes";
  EXPECT_EQ(Notes(), String(Note) + " and eaten");
  Grid->SetFocus();
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Items->State(), dsBrowse);
  TTable reread(nullptr);
  reread.SetDatabaseName(Data);
  reread.SetTableName("Fruit");
  reread.Open();
  EXPECT_EQ(reread.FieldByName("Notes")->AsString(), String(Note) + " and eaten");
}

TEST_F(LumDBGridTest, OkWithoutAChangeAndCancelAfterOneLeaveTheRecord) {
  User.WhenModal(
      [&](TCustomForm* Window) { User.Click(dynamic_cast<TLumDBGridForm*>(Window)->OKButton); });
  User.Click(Grid, CellCentre(3, 1));
  EXPECT_EQ(Items->State(), dsBrowse);
  User.WhenModal([&](TCustomForm* Window) {
    auto* viewer = dynamic_cast<TLumDBGridForm*>(Window);
    User.Click(viewer->Memo1);
    User.Type("x");
    User.Click(viewer->CancelButton);
  });
  User.Click(Grid, CellCentre(3, 1));
  EXPECT_EQ(Items->State(), dsBrowse);
  EXPECT_EQ(Notes(), Note);
}

TEST_F(LumDBGridTest, APictureOpensOnThePicturePageCentredOrFitted) {
  User.WhenModal([&](TCustomForm* Window) {
    auto* viewer = dynamic_cast<TLumDBGridForm*>(Window);
    EXPECT_EQ(viewer->Kartei->ActivePage(), viewer->Grafikseite);
    ASSERT_NE(viewer->Image1->Picture()->Graphic(), nullptr);
    EXPECT_EQ(viewer->Image1->Picture()->Width(), 40);
    EXPECT_EQ(viewer->Image1->ImageType(), btCenter);
    EXPECT_TRUE(viewer->SB1->Down());
    EXPECT_EQ(viewer->Panel2->Width(), 36);
    User.Click(viewer->SB2);
    EXPECT_EQ(viewer->Image1->ImageType(), btCenterOptimal);
    EXPECT_TRUE(viewer->SB2->Down());
    EXPECT_FALSE(viewer->SB1->Down());
    User.SaveSnapshot(Window, SheetPath("LumDBGridForm-picture.png"));
    User.Click(viewer->SB1);
    EXPECT_EQ(viewer->Image1->ImageType(), btCenter);
    User.Click(viewer->OKButton);
  });
  User.Click(Grid, CellCentre(4, 1));
  User.WhenModal([&](TCustomForm* Window) {
    auto* viewer = dynamic_cast<TLumDBGridForm*>(Window);
    EXPECT_EQ(viewer->Image1->Picture()->Graphic(), nullptr) << "the blob holds no picture";
    User.Click(viewer->OKButton);
  });
  User.Click(Grid, CellCentre(4, 2));
  EXPECT_TRUE(User.Messages().empty());
  EXPECT_EQ(Items->State(), dsBrowse);
}

TEST_F(LumDBGridTest, OtherCellsClickAsInTheDataGridAndTheWindowSettingsAreStored) {
  std::vector<String> clicked;
  Grid->SetOnCellClick([&](TColumn* Column) { clicked.push_back(Column->FieldName()); });
  User.Click(Grid, CellCentre(2, 2));
  EXPECT_EQ(clicked, (std::vector<String>{"Name"}));
  EXPECT_EQ(Items->RecNo(), 2);

  EXPECT_EQ(WriteFormText(Form).find("FormLeft"), String::npos);
  Grid->SetFormCaption("Ansicht");
  Grid->SetFormAcceptCaption("&Speichern");
  Grid->SetFormLeft(-20);
  Grid->SetFormHeight(500);
  const String text = WriteFormText(Form);
  for (const char* line : {"FormCaption = 'Ansicht'", "FormAcceptCaption = '&Speichern'",
                           "FormLeft = -20", "FormHeight = 500"})
    EXPECT_NE(text.find(line), String::npos) << line << "\n" << text;
  Grid->SetDataSource(nullptr);
  const String detached = WriteFormText(Form);
  TForm* copy = CreateForm<TForm>(Application());
  ReadFormText(detached, copy);
  auto* read = dynamic_cast<TLumDBGrid*>(copy->FindComponent("Grid1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->FormCaption(), "Ansicht");
  EXPECT_EQ(read->FormOkCaption(), "&Ok");
  EXPECT_EQ(read->FormAcceptCaption(), "&Speichern");
  EXPECT_EQ(read->FormLeft(), -20);
  EXPECT_EQ(read->FormTop(), 10);
  EXPECT_EQ(read->FormHeight(), 500);
  copy->Free();
}

} // namespace
