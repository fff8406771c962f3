#include "framework/classes/FormFile.h"
#include "framework/controls/Image.h"
#include "framework/controls/StdCtrls.h"
#include "framework/db/DBCtrls.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/db/DbTestSupport.h"
#include "valueentry/LumMemoDialog1.h"
#include "valueentry/LumTaschenrechner.h"
#include "valueentry/Lumvaled.h"
#include "valueentry/Lumzln1.h"

using namespace controltest;

namespace {

class ExtValEditTest : public ControlTest {
protected:
  TLumExtValEdit* AddEdit(TValEditTyp Kind, double Min = 0, double Max = 100) {
    if (!Form) {
      Form = NewForm(360, 300);
      Other = Place(Form, new TEdit(Form), 200, 10);
    }
    auto* edit = new TLumExtValEdit(Form);
    edit->SetLeft(10);
    edit->SetTop(10 + 50 * (Form->ControlCount() - 1));
    edit->SetValEditTyp(Kind);
    edit->SetMinValue(Min);
    edit->SetMaxValue(Max);
    return edit;
  }
  void ClickPicture(TLumExtValEdit* Edit) {
    User.Advance(1000);
    User.Click(Edit->Picture(), TPoint{3, 3});
  }
  TForm* Form = nullptr;
  TEdit* Other = nullptr;
};

TEST_F(ExtValEditTest, TheLayoutFollowsTheFormulas) {
  auto* edit = AddEdit(etDouble);
  EXPECT_EQ(edit->Edit()->BoundsRect(), Rect(2, 17, 122, 38));
  EXPECT_EQ(edit->ComboBox()->BoundsRect(), Rect(2, 17, 122, 38));
  EXPECT_EQ(edit->UnitPanel()->BoundsRect(), Rect(122, 17, 142, 38));
  EXPECT_EQ(edit->HeaderLabel()->BoundsRect(), Rect(4, 2, 124, 17));
  EXPECT_EQ(edit->Picture()->BoundsRect(), Rect(122, 3, 136, 17));
  EXPECT_EQ(edit->HeaderLabel()->FocusControl(), edit->Edit());

  edit->SetUnitWidth(0);
  EXPECT_FALSE(edit->UnitPanel()->Visible());
  EXPECT_EQ(edit->Edit()->Width(), 140) << "the entry line takes the unit's room";
  EXPECT_EQ(edit->Picture()->BoundsRect(), Rect(126, 3, 140, 17)) << "a square of side S";
  edit->SetUnitWidth(-30);
  EXPECT_EQ(edit->Edit()->Width(), 140) << "a negative unit width counts as none";
  EXPECT_EQ(edit->HeaderLabel()->Width(), 140);

  Form->Show();
  edit->SetUnitWidth(40);
  edit->SetEditHeight(25);
  edit->SetBorderStyle(bsSingle);
  edit->SetBounds(10, 10, 200, 60);
  EXPECT_EQ(edit->Edit()->BoundsRect(), Rect(3, 32, 157, 57)) << "B = 2 with a single border";
  EXPECT_EQ(edit->UnitPanel()->BoundsRect(), Rect(157, 32, 197, 57));
  EXPECT_EQ(edit->Picture()->BoundsRect(), Rect(157, 4, 185, 32)) << "side min(U - 2, S)";
  edit->SetPictures(false);
  EXPECT_FALSE(edit->Picture()->Visible());
  EXPECT_EQ(edit->HeaderLabel()->Width(), 198) << "without the picture the label keeps W - 2";
}

TEST_F(ExtValEditTest, HeaderAndUnitAreTrimmedAndTheHeaderBecomesTheHint) {
  auto* edit = AddEdit(etDouble);
  edit->SetHeader("  Speed  ");
  EXPECT_EQ(edit->Header(), "Speed");
  EXPECT_EQ(edit->HeaderLabel()->Caption(), "Speed");
  EXPECT_EQ(edit->Hint(), "Speed");
  edit->HeaderLabel()->SetCaption("changed behind its back");
  edit->SetHeader("Speed");
  EXPECT_EQ(edit->HeaderLabel()->Caption(), "changed behind its back")
      << "the same header changes nothing and lays nothing out";
  edit->SetHeader2Hint(false);
  edit->SetHeader("Tempo");
  EXPECT_EQ(edit->Hint(), "Speed");
  edit->SetHeader2Hint(true);
  EXPECT_EQ(edit->Hint(), "Tempo");
  edit->SetUnitValue(" km/h ");
  EXPECT_EQ(edit->UnitValue(), "km/h");
  EXPECT_EQ(edit->UnitPanel()->Caption(), "km/h");
  edit->UnitFont()->SetColor(clMaroon);
  EXPECT_EQ(edit->UnitPanel()->Font()->Color(), clMaroon) << "font changes reach the panel";
  edit->HeaderFont()->SetStyle(TFontStyles{fsBold});
  EXPECT_TRUE(edit->HeaderLabel()->Font()->Style().Contains(fsBold));
  edit->SetUnitPanelColor(clYellow);
  EXPECT_EQ(edit->UnitPanel()->Color(), clYellow);
  edit->SetFEnabled(false);
  EXPECT_FALSE(edit->Picture()->Enabled());
  EXPECT_FALSE(edit->Edit()->Enabled());
}

TEST_F(ExtValEditTest, ThePictureSwapsHeaderAndRange) {
  auto* edit = AddEdit(etDouble);
  edit->SetHeader("Length");
  edit->SetUnitValue("mm");
  Form->Show();
  const TColor header = edit->PictureHeader()->Bitmap()->Canvas()->Pixels(8, 4);
  const TColor range = edit->PictureRange()->Bitmap()->Canvas()->Pixels(8, 4);
  ASSERT_NE(header, range) << "the two default pictures differ";
  ClickPicture(edit);
  EXPECT_TRUE(edit->RangeShown());
  EXPECT_EQ(edit->HeaderLabel()->Caption(), " 0.00 ... 100.00 mm");
  EXPECT_EQ(edit->Picture()->Picture()->Bitmap()->Canvas()->Pixels(8, 4), range);
  EXPECT_EQ(Screen()->ActiveControl(), edit->Edit()) << "the click focuses the entry";
  User.ProcessMessages();
  User.SaveSnapshot(Form, SheetPath("ext_val_edit_range.png"));
  EXPECT_EQ(PixelAt(Form, edit->Picture(), TPoint{7, 7}), clBlack) << "the range arrow drawn";
  EXPECT_EQ(PixelAt(Form, edit->Edit(), TPoint{60, 10}), clWhite);
  ClickPicture(edit);
  EXPECT_EQ(edit->HeaderLabel()->Caption(), "Length");
  EXPECT_EQ(PixelAt(Form, edit->Picture(), TPoint{7, 7}), clWhite) << "the header note drawn";
  EXPECT_EQ(edit->Picture()->Picture()->Bitmap()->Canvas()->Pixels(8, 4), header);

  const struct {
    TValEditTyp Kind;
    double Min, Max;
    String Shown;
  } kinds[] = {{etLongInt, -2.5, 10.5, "-2 ... 10 mm"},
               {etBin, 0, 7, "0 ... 7 mm"},
               {etHex, 0, 255, "0000000000 ... 00000000FF mm"},
               {etFilter, 0, 0, "rot, grün mm"},
               {etString, 0, 0, ""}};
  for (const auto& k : kinds) {
    edit->SetValEditTyp(k.Kind);
    edit->SetMinValue(k.Min);
    edit->SetMaxValue(k.Max);
    edit->Filter()->SetText("rot\r\ngrün\r\n");
    edit->SetText("rot");
    ClickPicture(edit);
    EXPECT_EQ(edit->HeaderLabel()->Caption(), k.Shown);
    ClickPicture(edit);
  }
}

TEST_F(ExtValEditTest, LeavingRestoresTheHeaderEvenWhenTheEntryIsRefused) {
  auto* edit = AddEdit(etLongInt, 1, 10);
  edit->SetHeader("Count");
  Form->Show();
  edit->SetFocus();
  User.Type("42");
  ClickPicture(edit);
  EXPECT_TRUE(edit->RangeShown());
  User.Advance(1000);
  User.Click(Other);
  EXPECT_FALSE(edit->RangeShown());
  EXPECT_EQ(edit->HeaderLabel()->Caption(), "Count");
  EXPECT_EQ(Screen()->ActiveControl(), edit->Edit()) << "the invalid entry keeps the focus";
  EXPECT_EQ(User.Messages().size(), 1u);

  edit->Wertebereich_zeigen();
  EXPECT_EQ(User.Messages().size(), 2u) << "the full check runs first";
  EXPECT_TRUE(edit->RangeShown()) << "and the range is shown after it";
  EXPECT_EQ(edit->HeaderLabel()->Caption(), "1 ... 10 ");
}

// The data-aware edit over a real table.
class DBExtValEditTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    const String data = MakeDir("data");
    Exec(data, "CREATE TABLE Parts (ID AUTOINC, Name CHAR(20), Weight CHAR(12), "
               "PRIMARY KEY (ID))");
    Parts = new TTable(&Owner);
    Parts->SetDatabaseName(data);
    Parts->SetTableName("Parts");
    Parts->Open();
    Parts->Append();
    Parts->FieldByName("Name")->SetAsString("rot");
    Parts->FieldByName("Weight")->SetAsString("2.5");
    Parts->Post();
    Source = new TDataSource(&Owner);
    Source->SetDataSet(Parts);
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(50, 50, 300, 200);
    Edit = new TLumDBExtValEdit(Form);
    Edit->SetBounds(10, 10, 144, 40);
    Other = new TButton(Form);
    Other->SetBounds(10, 100, 75, 25);
    Other->SetParent(Form);
  }
  void TearDown() override {
    Form->Free();
    Owner.DestroyComponents();
    DbTest::TearDown();
  }
  String StoredWeight() {
    TTable check(nullptr);
    check.SetDatabaseName(Parts->DatabaseName());
    check.SetTableName("Parts");
    check.Open();
    check.First();
    return check.FieldByName("Weight")->AsString();
  }
  TComponent Owner{nullptr};
  TScriptedUser User;
  TTable* Parts = nullptr;
  TDataSource* Source = nullptr;
  TForm* Form = nullptr;
  TLumDBExtValEdit* Edit = nullptr;
  TButton* Other = nullptr;
};

TEST_F(DBExtValEditTest, TheVisibleInnerControlWritesTheField) {
  auto* dbEdit = dynamic_cast<TDBEdit*>(Edit->Edit());
  auto* dbCombo = dynamic_cast<TDBComboBox*>(Edit->ComboBox());
  ASSERT_TRUE(dbEdit && dbCombo);
  Edit->SetValEditTyp(etDouble);
  Edit->SetMaxValue(10);
  Edit->SetDataSource(Source);
  Edit->SetDataField("Weight");
  EXPECT_EQ(Edit->DataSource(), Source);
  EXPECT_EQ(dbCombo->DataSource(), Source);
  EXPECT_EQ(dbEdit->DataField(), "Weight");
  EXPECT_EQ(dbCombo->DataField(), "");
  EXPECT_EQ(Edit->GetField(), Parts->FieldByName("Weight"));
  EXPECT_EQ(Edit->Text(), "2.5");
  Form->Show();
  User.Click(Edit->Edit());
  User.PressKey(VK_END);
  User.Type("5x");
  EXPECT_EQ(Edit->Text(), "2.55") << "cleaned as typed";
  EXPECT_EQ(User.Messages().size(), 1u);
  User.Advance(1000);
  User.Click(Other);
  EXPECT_EQ(Screen()->ActiveControl(), Other);
  Parts->Post();
  EXPECT_EQ(StoredWeight(), "2.55");

  Edit->SetMaxLength(3);
  EXPECT_EQ(dbEdit->MaxLength(), 3);
  EXPECT_EQ(dbCombo->MaxLength(), 0) << "MaxLength goes to the edit only";
  Edit->SetReadOnly(true);
  EXPECT_TRUE(Edit->ReadOnly());
  EXPECT_EQ(dbCombo->Style(), csDropDownList);

  Edit->SetValEditTyp(etFilter);
  EXPECT_EQ(dbEdit->DataField(), "");
  EXPECT_EQ(dbCombo->DataField(), "Weight") << "the visible combo box is bound";
  Edit->SetDataField("Name");
  EXPECT_EQ(dbCombo->DataField(), "Name");
  EXPECT_EQ(Edit->GetField(), Parts->FieldByName("Name"));
  Edit->Free();
  Parts->Next();
  EXPECT_EQ(Form->ControlCount(), 1) << "freed while its data source lives on";
}

using FolderFormFileTest = ControlTest;

// Save, read, save: every class of the folder, with defaults and with settings.
TEST_F(FolderFormFileTest, EveryComponentRoundTripsByteForByte) {
  TForm* form = NewForm(400, 300);
  form->SetName("Form1");
  auto* plain = new TLumValidateEdit(form);
  plain->SetName("Plain1");
  auto* ext = new TLumExtValEdit(form);
  ext->SetName("Ext1");
  auto* set = new TLumExtValEdit(form);
  set->SetName("Ext2");
  set->SetTop(60);
  set->SetValEditTyp(etLongInt);
  set->SetHeader("Anzahl");
  set->SetUnitValue("Stk");
  set->SetUnitWidth(30);
  set->SetEditHeight(24);
  set->SetPictures(false);
  set->SetUnitBevelInner(bvNone);
  set->SetUnitPanelColor(clAqua);
  set->HeaderFont()->SetStyle(TFontStyles{fsBold});
  set->SetShowHint(true);
  auto* bound = new TLumDBExtValEdit(form);
  bound->SetName("Bound1");
  bound->SetTop(120);
  bound->SetDataField("Weight");
  auto* calculator = new TLumCalculator(form);
  calculator->SetName("Calculator1");
  calculator->SetCalculatorLeft(40);
  auto* line = new TLumZeilenDialog(form);
  line->SetName("Line1");
  line->SetZeilentext("3.5");
  auto* memo = new TLumMemoDialog(form);
  memo->SetName("Memo1");
  memo->SetWordWrap(false);
  const String text = WriteFormText(form);
  EXPECT_EQ(text.find("ParentShowHint = False"), text.rfind("ParentShowHint = False")) << text;
  EXPECT_EQ(text.find("ReadOnly"), String::npos) << "a data-aware edit without a field: " << text;
  EXPECT_NE(text.find("Header = 'Anzahl'"), String::npos) << text;
  EXPECT_NE(text.find("object Calculator1: TLumCalculator"), String::npos) << text;

  form->SetName("Old");
  TForm* copy = NewForm();
  copy->SetName("Form1");
  ReadFormText(text, copy);
  auto* readPlain = dynamic_cast<TLumValidateEdit*>(copy->FindComponent("Plain1"));
  auto* readSet = dynamic_cast<TLumExtValEdit*>(copy->FindComponent("Ext2"));
  ASSERT_TRUE(readPlain && readSet);
  EXPECT_TRUE(readPlain->ParentShowHint()) << "ShowHint is stored only where it was set";
  EXPECT_FALSE(readSet->ParentShowHint());
  EXPECT_EQ(readSet->UnitPanel()->BoundsRect(), set->UnitPanel()->BoundsRect());
  EXPECT_EQ(readSet->Hint(), "Anzahl");
  EXPECT_EQ(WriteFormText(copy), text);
}

} // namespace
