#include "framework/controls/ComboBoxes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

using namespace controltest;

namespace {

class ComboBoxesTest : public ControlTest {
protected:
  // The screen around the form, the open list below it included.
  TRaster FormAndOpenList(TForm* Form) {
    const TRaster screen = User.Display().ScreenSnapshot();
    RECT r{};
    GetWindowRect(Form->Handle(), &r);
    TRaster out(r.Width() + 20, r.Height() + 60);
    for (int y = 0; y < out.Height; ++y)
      for (int x = 0; x < out.Width; ++x) out.At(x, y) = screen.At(r.Left - 10 + x, r.Top - 10 + y);
    return out;
  }
  TComboBox* MakeCombo(TForm* Form, TComboBoxStyle Style, int Count) {
    auto* combo = Place(Form, new TComboBox(Form), 10, 10);
    combo->SetStyle(Style);
    for (int i = 0; i < Count; ++i) combo->Items()->Add("item" + std::to_string(i));
    return combo;
  }
  static int OpenListHeight(TComboBox* Combo) {
    RECT r{};
    SendMessageA(Combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r.Height();
  }
};

TEST_F(ComboBoxesTest, DropDownSizedToDropDownCountRows) {
  TForm* form = NewForm();
  TComboBox* combo = MakeCombo(form, csDropDownList, 20);
  int dropDowns = 0;
  combo->SetOnDropDown([&](TObject*) { ++dropDowns; });
  form->Show();
  const int rowHeight = combo->ItemHeight();
  combo->SetDroppedDown(true);
  EXPECT_EQ(dropDowns, 1);
  EXPECT_EQ(OpenListHeight(combo), rowHeight * 8 + 2);
  combo->SetDroppedDown(false);
  combo->Items()->Clear();
  combo->SetDroppedDown(true);
  EXPECT_EQ(OpenListHeight(combo), rowHeight + 2) << "one row when empty";
}

TEST_F(ComboBoxesTest, EscapeClosesTheListAndDoesNotReachTheForm) {
  TForm* form = NewForm();
  TComboBox* combo = MakeCombo(form, csDropDown, 3);
  auto* cancel = Place(form, new TButton(form), 10, 100);
  cancel->SetCancel(true);
  int cancels = 0;
  cancel->SetOnClick([&](TObject*) { ++cancels; });
  form->Show();
  combo->SetFocus();
  User.PressKey(VK_F4);
  ASSERT_TRUE(combo->DroppedDown());
  User.Escape();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(cancels, 0);
  User.Escape();
  EXPECT_EQ(cancels, 1) << "with the list closed Escape is the form's";
}

TEST_F(ComboBoxesTest, EditKeysReachKeyEventsAndTypingTracksTheList) {
  TForm* form = NewForm();
  TComboBox* combo = MakeCombo(form, csDropDown, 0);
  for (const char* s : {"red", "green", "blue"}) combo->Items()->Add(s);
  std::vector<Word> keys;
  String pressed;
  combo->SetOnKeyDown([&](TObject*, Word& Key, TShiftState) { keys.push_back(Key); });
  combo->SetOnKeyPress([&](TObject*, char& Key) {
    pressed += Key;
    if (Key == 'x') Key = 0;
  });
  int changes = 0;
  combo->SetOnChange([&](TObject*) { ++changes; });
  form->Show();
  combo->SetFocus();
  EXPECT_EQ(form->ActiveControl(), combo);
  User.PressKey(VK_F4);
  User.Type("gxr");
  EXPECT_EQ(combo->Text(), "gr") << "a key press event can eat a character";
  EXPECT_EQ(pressed, "gxr");
  EXPECT_NE(std::find(keys.begin(), keys.end(), VK_F4), keys.end());
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 1) << "green is shown selected";
  EXPECT_EQ(changes, 2);
  User.Enter();
  EXPECT_EQ(combo->Text(), "green");
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes, 3) << "the accepted selection is one more change";
  combo->SetText("blue");
  EXPECT_EQ(changes, 3) << "text set in code is no change";
  combo->SelectAll();
  EXPECT_EQ(combo->SelLength(), 4);
  combo->SetSelStart(1);
  combo->SetSelLength(2);
  EXPECT_EQ(combo->SelText(), "lu");
  combo->SetSelText("LU");
  EXPECT_EQ(combo->Text(), "bLUe");
}

TEST_F(ComboBoxesTest, SelectionByMouseAndKeyboardCountsChanges) {
  TForm* form = NewForm();
  TComboBox* combo = MakeCombo(form, csDropDownList, 4);
  int changes = 0, clicks = 0;
  combo->SetOnChange([&](TObject*) { ++changes; });
  combo->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();
  User.Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  RECT open{};
  SendMessageA(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open));
  const TPoint item =
      combo->ScreenToClient(TPoint{open.Left + 10, open.Top + 1 + combo->ItemHeight() * 3 + 2});
  User.MoveTo(combo, item);
  User.Click(combo, item);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "item3");
  EXPECT_EQ(changes, 1);
  User.PressKey(VK_UP);
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(clicks, 2);
  combo->SetItemIndex(0);
  EXPECT_EQ(changes, 2) << "setting ItemIndex in code is no change";
}

TEST_F(ComboBoxesTest, OwnerDrawVariableMeasuresEveryItemAfterRecreation) {
  TForm* form = NewForm();
  TComboBox* combo = MakeCombo(form, csDropDownList, 3);
  std::vector<int> measured;
  combo->SetOnMeasureItem([&](TWinControl*, int Index, int& Height) {
    measured.push_back(Index);
    Height = 20;
  });
  std::vector<int> drawn;
  combo->SetOnDrawItem([&](TWinControl*, int Index, TRect, TOwnerDrawState State) {
    if (!State.Contains(odComboBoxEdit)) drawn.push_back(Index);
  });
  form->Show();
  combo->SetItemIndex(1);
  combo->SetStyle(csOwnerDrawVariable);
  EXPECT_EQ(combo->Items()->Count(), 3);
  EXPECT_EQ(combo->ItemIndex(), 1) << "kept across the recreation";
  EXPECT_EQ(measured, (std::vector<int>{-1, 0, 1, 2}));
  combo->SetDroppedDown(true);
  User.ProcessMessages();
  std::sort(drawn.begin(), drawn.end());
  drawn.erase(std::unique(drawn.begin(), drawn.end()), drawn.end());
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2}));
}

TEST_F(ComboBoxesTest, AnEntryChosenBeforeTheWindowExistsShowsUntilATextReplacesIt) {
  TForm* form = NewForm();
  auto* combo = Place(form, new TComboBox(form), 10, 10);
  combo->Items()->SetText("rot\r\ngrün\r\n");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "grün");
  combo->SetText("blau");
  form->Show();
  EXPECT_EQ(combo->Text(), "blau");
  EXPECT_EQ(combo->ItemIndex(), 1);
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->Text(), "rot");
}

TEST_F(ComboBoxesTest, MaxLengthAndCharCaseShapeTypedText) {
  TForm* form = NewForm();
  TComboBox* combo = MakeCombo(form, csDropDown, 0);
  combo->SetMaxLength(4);
  combo->SetCharCase(ecUpperCase);
  form->Show();
  combo->SetFocus();
  User.Type("abcdef");
  EXPECT_EQ(combo->Text(), "ABCD");
  combo->SetCharCase(ecNormal);
  EXPECT_EQ(combo->Text(), "ABCD") << "the text survives the recreation";
  combo->SetMaxLength(0);
  combo->SetFocus();
  combo->SetSelStart(4);
  User.Type("xy");
  EXPECT_EQ(combo->Text(), "ABCDxy");
}

TEST_F(ComboBoxesTest, SheetOfListsAndCombos) {
  TForm* form = NewForm(420, 260);
  form->SetCaption("Lists");
  auto* list = Place(form, new TListBox(form), Bounds(10, 10, 120, 110));
  for (const char* s : {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot", "Golf", "Hotel"})
    list->Items()->Add(s);
  list->SetItemIndex(2);
  auto* multi = Place(form, new TListBox(form), Bounds(140, 10, 120, 110));
  multi->SetStyle(lbOwnerDrawFixed);
  multi->SetMultiSelect(true);
  for (const char* s : {"One", "Two", "Three", "Four"}) multi->Items()->Add(s);
  TComboBox* simple = MakeCombo(form, csSimple, 4);
  simple->SetBounds(270, 10, 130, 110);
  TComboBox* drop = MakeCombo(form, csDropDown, 6);
  drop->SetBounds(10, 130, 150, 25);
  drop->SetItemIndex(1);
  TComboBox* dropList = MakeCombo(form, csDropDownList, 6);
  dropList->SetBounds(180, 130, 150, 25);
  form->Show();
  multi->SetSelected(1, true);
  multi->SetSelected(3, true);
  dropList->SetItemIndex(4);
  dropList->SetDroppedDown(true);
  User.ProcessMessages();
  WritePngFile(FormAndOpenList(form), SheetPath("lists.png"));
  EXPECT_EQ(PixelAt(form, list, TPoint{list->ItemRect(2).Right - 4, list->ItemRect(2).Top + 2}),
            ColorToRGB(clHighlight));
}

} // namespace
