#include "DbTestSupport.h"

#include "framework/controls/Application.h"
#include "framework/controls/StdCtrls.h"
#include "framework/db/DBCtrls.h"
#include "framework/platform/headless/ScriptedUser.h"

namespace {

// A form with a data-aware edit and combo box over the Name field of Items, and a button
// to move the focus to.
class DBControlTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    const String data = MakeDir("data");
    CreateItems(data);
    Items = new TTable(&Owner);
    SetTable(*Items, data, "Items");
    Items->Open();
    AddItems(*Items, {"apple", "pear"});
    Items->First();
    Source = new TDataSource(&Owner);
    Source->SetDataSet(Items);
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(50, 50, 300, 200);
    Edit = Place(new TDBEdit(Form), 10);
    Combo = Place(new TDBComboBox(Form), 40);
    Combo->SetStyle(csDropDownList);
    for (const char* fruit : {"apple", "pear", "plum"}) Combo->Items()->Add(fruit);
    Other = Place(new TButton(Form), 70);
    Form->Show();
  }
  void TearDown() override {
    Form->Free();
    Owner.DestroyComponents();
    DbTest::TearDown();
  }
  template <class C> C* Place(C* Control, int Top) {
    Control->SetBounds(10, Top, 120, 22);
    Control->SetParent(Form);
    return Control;
  }
  void Bind(const String& Field) {
    Edit->SetDataSource(Source);
    Edit->SetDataField(Field);
    Combo->SetDataSource(Source);
    Combo->SetDataField(Field);
  }
  String Stored(const String& Key) {
    TTable check(nullptr);
    SetTable(check, Items->DatabaseName(), "Items");
    check.Open();
    for (check.First(); !check.Eof(); check.Next())
      if (check.FieldByName("ID")->AsString() == Key) return check.FieldByName("Name")->AsString();
    return "<missing>";
  }

  TComponent Owner{nullptr};
  TScriptedUser User;
  TTable* Items = nullptr;
  TDataSource* Source = nullptr;
  TForm* Form = nullptr;
  TDBEdit* Edit = nullptr;
  TDBComboBox* Combo = nullptr;
  TButton* Other = nullptr;
};

TEST_F(DBControlTest, TheEditShowsTheRecordFollowsScrollingAndWritesBackOnExitAndPost) {
  Bind("Name");
  EXPECT_EQ(Edit->Text(), "apple");
  EXPECT_EQ(Edit->MaxLength(), 20) << "the field's size";
  EXPECT_EQ(Items->State(), dsBrowse);
  User.Click(Edit);
  User.PressKey(VK_END);
  User.Type("s");
  EXPECT_EQ(Items->State(), dsEdit) << "typing edits the record";
  EXPECT_EQ(Items->FieldByName("Name")->AsString(), "apple") << "not before the exit";
  User.Click(Other);
  EXPECT_EQ(Items->FieldByName("Name")->AsString(), "apples");
  const String key = Items->FieldByName("ID")->AsString();
  Items->Post();
  EXPECT_EQ(Stored(key), "apples");
  Items->Next();
  EXPECT_EQ(Edit->Text(), "pear");
  // Posting while the edit still has the focus writes the text too.
  User.Click(Edit);
  User.PressKey(VK_END);
  User.Type("!");
  Items->Post();
  EXPECT_EQ(Stored(Items->FieldByName("ID")->AsString()), "pear!");
}

TEST_F(DBControlTest, EscapeTakesBackWhatWasTypedAndReadOnlyRefusesTyping) {
  Bind("Name");
  User.Click(Edit);
  User.Type("xyz");
  User.Escape();
  EXPECT_EQ(Edit->Text(), "apple");
  Items->Cancel();
  Edit->SetReadOnly(true);
  User.Click(Edit);
  User.Type("q");
  EXPECT_EQ(Edit->Text(), "apple");
  EXPECT_EQ(Items->State(), dsBrowse);
}

TEST_F(DBControlTest, WithoutAFieldTheControlsStayEmptyAndReadOnly) {
  Bind("NoSuchField");
  EXPECT_EQ(Edit->Field(), nullptr);
  EXPECT_EQ(Edit->Text(), "");
  User.Click(Edit);
  User.Type("abc");
  EXPECT_EQ(Edit->Text(), "");
  EXPECT_EQ(Items->State(), dsBrowse);
  EXPECT_EQ(Combo->ItemIndex(), -1);
  Items->Close();
  Bind("Name");
  EXPECT_EQ(Edit->Text(), "") << "a closed data set has no field to show";
}

TEST_F(DBControlTest, TheComboBoxChoosesAValueForTheField) {
  Bind("Name");
  EXPECT_EQ(Combo->ItemIndex(), 0);
  User.Click(Combo);
  User.Escape(); // close the list the click opened
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Combo->ItemIndex(), 1);
  EXPECT_EQ(Items->State(), dsEdit);
  User.Click(Other);
  EXPECT_EQ(Items->FieldByName("Name")->AsString(), "pear");
  Items->Post();
  Items->Next();
  EXPECT_EQ(Combo->ItemIndex(), 1) << "the second record is a pear too";
  EXPECT_EQ(Edit->Text(), "pear");
}

} // namespace
