#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/lists/ListTestSupport.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/ColorDialogForm.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "lists/LumComboBoxItemsfenster.h"
#include "lists/LumItemsfenster.h"

using namespace liststest;

namespace {

template <class C> C* Named(TCustomForm* Form, const String& Name) {
  auto* control = dynamic_cast<C*>(Form->FindComponent(Name));
  if (!control) throw Exception("The window has no " + Name);
  return control;
}

String Texts(TStrings* Items) {
  String all;
  for (int i = 0; i < Items->Count(); ++i) all += (i ? "," : "") + Items->Strings(i);
  return all;
}

TEST(ItemsWindowParts, TheFilterOffersOnlyKindsAPictureLoads) {
  EXPECT_EQ(ItemPictureFilter(), "Alle Dateien (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|"
                                 "Symbole (*.ico)|*.ico");
  EXPECT_EQ(ItemTextOf("abc\r\n"), "abc");
  EXPECT_EQ(ItemTextOf("abc\r\n\r\n"), "abc\r\n");
  EXPECT_EQ(ItemTextOf("a\tb"), "a\tb");
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ItemOfSelectedStyle(SelectedStyleOfItem(i)), i);
  EXPECT_EQ(SelectedStyleOfItem(1), LumList::psBoldText);
}

class ItemsWindowTest : public ListsTest {
protected:
  void SetUp() override {
    FForm = NewForm(400, 300);
    FForm->SetName("MainForm");
  }
  void Retype(TWinControl* Edit, const String& Text) {
    User.Click(Edit);
    Edit->SetText("");
    User.Type(Text);
  }
  // Answers the open-picture dialog with a file name.
  void AnswerFile(const String& Path) {
    User.WhenModal([this, Path](TCustomForm* files) {
      Retype(Named<TEdit>(files, "FileNameEdit"), Path);
      User.Enter();
    });
  }
  TPoint RowCentre(TLumList* List, int Index) {
    const TRect r = List->ItemRect(Index);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TForm* FForm = nullptr;
};

TEST_F(ItemsWindowTest, OpensOnTheLastItemAndCancelLeavesTheListAsItWas) {
  TLumList* list = NewList(FForm);
  for (const char* s : {"eins", "zwei", "drei"}) list->Items()->Add(s);
  list->SetSelectedStyle(LumList::psCheckbox);
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "LumList Editor");
    EXPECT_EQ(form->ClientWidth(), 705);
    EXPECT_EQ(form->ClientHeight(), 456);
    EXPECT_EQ(Named<TLabel>(form, "ZeilenLabel2")->Caption(), "3");
    EXPECT_EQ(Named<TLabel>(form, "Gesamtzeilenlabel2")->Caption(), "3");
    EXPECT_EQ(Named<TMemo>(form, "Edit")->Text(), "drei");
    EXPECT_EQ(Named<TRadioGroup>(form, "CBStyle")->ItemIndex(), 2);
    Retype(Named<TMemo>(form, "Edit"), "vier");
    User.Click(Named<TButton>(form, "InsertBtn"));
    User.Click(Named<TButton>(form, "LoeschBtn"));
    User.Click(Named<TRadioGroup>(form, "CBStyle")->Buttons(3));
    User.Click(Named<TButton>(form, "AbbruchButton"));
  });
  list->Edit_aufrufen();
  EXPECT_EQ(Texts(list->Items()), "eins,zwei,drei");
  EXPECT_EQ(list->SelectedStyle(), LumList::psCheckbox);
}

TEST_F(ItemsWindowTest, AcceptCarriesItemsWithTheirLookBack) {
  TLumList* list = NewList(FForm);
  list->Items()->Add("alt");
  list->SetHint("Liste");
  const String png = String(LUM_CORPUS_DIR) + "/pngsuite/png/basn2c08.png";
  User.WhenModal([&](TCustomForm* form) {
    auto* window = dynamic_cast<TLumItemsfenster*>(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(form->Caption(), "MainForm.LumList1 - LumList Editor");
    // A text ending in a line break goes in without it, before the selected item.
    window->Edit->SetText("neu\r\n");
    User.Click(window->InsertBtn);
    EXPECT_EQ(Texts(window->Vorschau()->Items()), "neu,alt");
    User.Click(window->Vorschau(), RowCentre(window->Vorschau(), 1));
    EXPECT_EQ(window->Edit->Text(), "alt");
    User.Click(window->Vorschau(), RowCentre(window->Vorschau(), 0));
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_EQ(window->Edit->Text(), "neu");

    User.WhenModal([&](TCustomForm* colours) {
      const TRect r = SwatchRect(8); // the basic red
      User.Click(Named<TPaintBox>(colours, "BasicSwatches"), TPoint{r.Left + 10, r.Top + 10});
      User.Enter();
    });
    User.Click(window->ColorBtn);
    User.WhenModal([&](TCustomForm* line) {
      EXPECT_EQ(line->Caption(), "Hint für diesen Item eingeben");
      Retype(Named<TMaskEdit>(line, "MaskEdit1"), "Hinweis, neu");
      User.Enter();
    });
    User.Click(window->HintBtn);
    // A picture of another kind than a bitmap is drawn into the item's bitmap.
    AnswerFile(png);
    User.Click(window->BitmapBtn);
    EXPECT_EQ(window->Vorschau()->Items()->GetBitmap(0)->Width(), 32);
    Retype(window->HelpEdit, "77");
    User.Click(window->Edit);
    User.Click(window->CBStyle->Buttons(1));
    User.Click(window->BStyle->Buttons(4));
    User.Click(window->MS);
    User.SaveSnapshot(form, SheetPath("LumItemsfenster.png"));
    User.Click(window->OkButton);
  });
  TLumListEditor(list, nullptr).ExecuteVerb(0);
  ASSERT_EQ(Texts(list->Items()), "neu,alt");
  EXPECT_EQ(list->Items()->GetColor(0), clRed);
  EXPECT_EQ(list->Items()->GetHint(0), "Hinweis, neu");
  EXPECT_EQ(list->Items()->GetHelpContext(0), 77);
  TBitmap* bitmap = list->Items()->GetBitmap(0);
  ASSERT_EQ(bitmap->Height(), 32);
  EXPECT_FALSE(list->Items()->GetBitmap(1)->Width() > 0);
  EXPECT_EQ(list->SelectedStyle(), LumList::psBoldText);
  EXPECT_EQ(list->BitmapStyle(), LumList::bsPattern);
  EXPECT_TRUE(list->MultiSelect());
  EXPECT_EQ(list->Hint(), "Liste");
}

TEST_F(ItemsWindowTest, DraggingAnItemMovesItToTheTargetsPlace) {
  TLumList* list = NewList(FForm);
  for (const char* s : {"0", "1", "2", "3"}) list->Items()->Add(s);
  list->Items()->SetHint(0, "null");
  User.WhenModal([&](TCustomForm* form) {
    TLumList* preview = dynamic_cast<TLumItemsfenster*>(form)->Vorschau();
    User.Drag(preview, RowCentre(preview, 0), preview, RowCentre(preview, 2));
    EXPECT_EQ(Texts(preview->Items()), "1,2,0,3");
    EXPECT_EQ(preview->Items()->GetHint(2), "null");
    User.Drag(preview, RowCentre(preview, 3), preview, RowCentre(preview, 1));
    EXPECT_EQ(Texts(preview->Items()), "1,3,2,0");
    // Dropping an item on itself changes nothing.
    User.Drag(preview, RowCentre(preview, 1), preview, RowCentre(preview, 1));
    EXPECT_EQ(Texts(preview->Items()), "1,3,2,0");
    User.Click(Named<TButton>(form, "OkButton"));
  });
  list->Edit_aufrufen();
  EXPECT_EQ(Texts(list->Items()), "1,3,2,0");
}

TEST_F(ItemsWindowTest, ACommandWithoutAnItemOrABadTabStopIsReportedAndTheWindowStays) {
  TLumList* list = NewList(FForm);
  User.WhenModal([&](TCustomForm* form) {
    auto* window = dynamic_cast<TLumItemsfenster*>(form);
    User.Click(window->ColorBtn);
    ASSERT_EQ(User.Messages().size(), 1u);
    EXPECT_NE(User.Messages().back().Text.find("out of bounds"), String::npos)
        << User.Messages().back().Text;
    Retype(window->TSEdit, "5;x");
    ASSERT_EQ(User.Messages().size(), 2u);
    EXPECT_EQ(User.Messages().back().Text, "x is an invalid tab stop.");
    EXPECT_EQ(window->Vorschau()->TabStops(), "5");
    User.Click(window->UT);
    EXPECT_FALSE(window->TSEdit->Enabled());
    User.Click(window->OkButton);
  });
  list->Edit_aufrufen();
  EXPECT_EQ(list->TabStops(), "5");
  EXPECT_FALSE(list->UseTabStops());
}

TEST_F(ItemsWindowTest, TheComboBoxWindowReordersByPressAndReleaseAndDeletesBitmaps) {
  TLumComboBox* combo = NewCombo(FForm);
  for (const char* s : {"a", "b", "c"}) combo->Items()->Add(s);
  combo->Items()->SetBitmap(1, SolidBitmap(12, 8, clBlue).get());
  User.WhenModal([&](TCustomForm* form) {
    auto* window = dynamic_cast<TLumComboBoxItemsfenster*>(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(form->Caption(), "MainForm.LumComboBox1 - LumComboBox Editor");
    EXPECT_EQ(form->ClientWidth(), 705);
    EXPECT_EQ(form->ClientHeight(), 349);
    EXPECT_EQ(form->FindComponent("BGStyle"), nullptr);
    EXPECT_EQ(form->FindComponent("CBStyle"), nullptr);
    TLumComboBox* preview = window->Vorschau();
    EXPECT_EQ(preview->Style(), csSimple);
    EXPECT_EQ(preview->Height(), 230);
    EXPECT_EQ(preview->ItemIndex(), 2);
    // A point on row i of the simple combo box's list.
    const auto row = [&](int i) {
      for (int y = 0; y < preview->Height(); ++y)
        if (preview->ItemAtPos(TPoint{20, y}, true) == i) return TPoint{20, y + 2};
      throw Exception("No row " + std::to_string(i));
    };
    User.Press(preview, row(0));
    User.Release(preview, row(2));
    EXPECT_EQ(Texts(preview->Items()), "b,c,a");
    User.Click(preview, row(0));
    EXPECT_EQ(window->CurrentIndex(), 0);
    EXPECT_EQ(window->Edit->Text(), "b");
    EXPECT_EQ(preview->Items()->GetBitmap(0)->Width(), 12);
    User.Click(window->BitBtn1);
    EXPECT_TRUE(preview->Items()->GetBitmap(0)->Empty());
    User.Click(window->BoldStyle);
    User.Click(window->IHStyle->Buttons(1));
    User.SaveSnapshot(form, SheetPath("LumComboBoxItemsfenster.png"));
    User.Click(window->OkButton);
  });
  TLumComboBoxEditor(combo, nullptr).ExecuteVerb(0);
  EXPECT_EQ(Texts(combo->Items()), "b,c,a");
  EXPECT_TRUE(combo->Items()->GetBitmap(0)->Empty());
  EXPECT_TRUE(combo->BoldStyle());
  EXPECT_EQ(combo->ItemHeightStyle(), LumComboBox::ihcFont);
}

} // namespace
