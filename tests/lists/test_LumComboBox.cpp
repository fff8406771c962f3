#include "tests/SheetPath.h"
#include "tests/lists/ListTestSupport.h"

#include <tuple>

using namespace liststest;
using namespace LumComboBox;

namespace {

class LumComboBoxTest : public ListsTest {
protected:
  static int HostItemHeight(TLumComboBox* Combo, int Index) {
    return static_cast<int>(SendMessageA(Combo->Handle(), CB_GETITEMHEIGHT, Index, 0));
  }
  static void AddItems(TLumComboBox* Combo, int Count) {
    for (int i = 0; i < Count; ++i) Combo->Items()->Add("entry " + std::to_string(i));
  }
  // A client point of the combo box inside row Row of a simple combo box's list.
  static TPoint SimpleRowPoint(TLumComboBox* Combo, int Row) {
    RECT r{};
    SendMessageA(Combo->ListHandle(), LB_GETITEMRECT, Row, reinterpret_cast<LPARAM>(&r));
    POINT p{r.Left + 20, r.Top + 3};
    MapWindowPoints(Combo->ListHandle(), Combo->Handle(), &p, 1);
    return TPoint{p.X, p.Y};
  }
};

TEST_F(LumComboBoxTest, ANewComboBoxHasTheDocumentedDefaults) {
  TForm* form = NewForm();
  auto* combo = new TLumComboBox(form);
  EXPECT_EQ(combo->Width(), 145);
  EXPECT_EQ(combo->Height(), 25);
  EXPECT_EQ(combo->Style(), csSimple);
  EXPECT_EQ(combo->ItemHeight(), 16);
  EXPECT_EQ(combo->DropDownCount(), 8);
  EXPECT_TRUE(combo->AnyColors());
  EXPECT_TRUE(combo->AnyFonts());
  EXPECT_EQ(combo->ItemHeightStyle(), ihcFix);
  EXPECT_EQ(combo->BitmapStyle(), bscLeft);
  EXPECT_EQ(combo->BackGroundStyle(), bgscNone);
  EXPECT_FALSE(combo->BoldStyle());
  EXPECT_TRUE(combo->UseTabStops());
  EXPECT_TRUE(combo->TabStop());
}

TEST_F(LumComboBoxTest, EveryStyleMakesAnOwnerDrawnWindow) {
  TForm* form = NewForm();
  TLumComboBox* combo = NewCombo(form);
  form->Show();
  const std::pair<TComboBoxStyle, LONG> styles[] = {{csDropDown, 0x22},
                                                    {csSimple, 0x21},
                                                    {csDropDownList, 0x23},
                                                    {csOwnerDrawFixed, 0x13},
                                                    {csOwnerDrawVariable, 0x23}};
  for (auto [style, bits] : styles) {
    combo->SetStyle(style);
    EXPECT_EQ(GetWindowLongA(combo->Handle(), GWL_STYLE) & 0x33, bits) << style;
  }
  combo->SetSorted(true);
  EXPECT_NE(GetWindowLongA(combo->Handle(), GWL_STYLE) & CBS_SORT, 0);
}

// The edit field has no margins, also after a new font; the client edge follows Ctl3D in a
// new window.
TEST_F(LumComboBoxTest, TheEditFieldHasNoMarginsAndTheEdgeFollowsCtl3D) {
  TForm* form = NewForm();
  TLumComboBox* combo = NewCombo(form, csDropDown, 25);
  EXPECT_TRUE(combo->ControlStyle().Contains(csFixedHeight));
  form->Show();
  const auto margins = [&] { return SendMessageA(combo->EditHandle(), EM_GETMARGINS, 0, 0); };
  EXPECT_EQ(margins(), 0);
  combo->Font()->SetSize(20);
  EXPECT_EQ(margins(), 0);
  EXPECT_NE(GetWindowLongA(combo->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  const HWND before = combo->Handle();
  combo->SetCtl3D(false);
  EXPECT_NE(combo->Handle(), before);
  EXPECT_EQ(GetWindowLongA(combo->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(margins(), 0);
}

// Red, or red blended into the background at a glyph's edge.
bool Reddish(TColor C) {
  const int r = GetRValue(C), g = GetGValue(C), b = GetBValue(C);
  return r - std::max(g, b) > 100;
}

// Over a background picture the edit field shows the item's text in the control's font, in
// the colour of the item's font.
TEST_F(LumComboBoxTest, TheEditFieldOverAPictureUsesTheControlsFontInTheItemsColour) {
  TForm* form = NewForm(300, 120);
  TLumComboBox* combo = NewCombo(form, csDropDown, 25);
  combo->SetWidth(260);
  combo->Background()->SetBitmap(SolidBitmap(8, 8, clAqua).get());
  combo->SetBackGroundStyle(bgscPattern);
  form->Show();
  combo->Items()->Add("entry 0");
  combo->Items()->GetFont(0)->SetSize(22);
  combo->Items()->GetFont(0)->SetColor(clRed);
  combo->SetItemIndex(0);
  SendMessageA(combo->EditHandle(), WM_KEYUP, VK_SHIFT, 0);
  User.ProcessMessages();
  int left = combo->Width(), right = -1;
  for (int y = 0; y < combo->Height(); ++y)
    for (int x = 0; x < combo->Width(); ++x)
      if (Reddish(Pixel(form, combo, x, y))) left = std::min(left, x), right = std::max(right, x);
  TBitmap measure;
  measure.Canvas()->Font()->Assign(combo->Font());
  ASSERT_GE(right, left) << "no text in the item's colour";
  EXPECT_LE(right - left + 1, measure.Canvas()->TextWidth("entry 0") + 1);
}

TEST_F(LumComboBoxTest, HeightStylesMeasureEveryItemAtOnce) {
  TForm* form = NewForm();
  TLumComboBox* combo = NewCombo(form);
  form->Show();
  AddItems(combo, 3);
  combo->Items()->SetBitmap(1, SolidBitmap(20, 40, clRed).get());
  EXPECT_EQ(HostItemHeight(combo, 1), 16) << "ihcFix";
  combo->SetItemHeightStyle(ihcBitmap);
  EXPECT_EQ(HostItemHeight(combo, 1), 40);
  EXPECT_EQ(HostItemHeight(combo, 0), 16);
  combo->Items()->SetBitmap(2, SolidBitmap(500, 40, clRed).get());
  EXPECT_EQ(HostItemHeight(combo, 2), 13) << "scaled into the 160 pixels of the control";
  combo->SetStyle(csDropDownList);
  EXPECT_EQ(HostItemHeight(combo, 1), 40) << "the rows are measured again in a new window";
  EXPECT_EQ(combo->Items()->GetBitmap(1)->Height(), 40) << "records survive the new window";
  combo->SetItemHeight(0);
  EXPECT_EQ(combo->ItemHeight(), 16);
}

// A sorted combo box's new window sorted the rows it was given back, so they no longer
// matched the items: texts, heights and looks came apart.
TEST_F(LumComboBoxTest, ASortedComboBoxKeepsItsRowsInItemOrderInANewWindow) {
  TForm* form = NewForm(300, 300);
  TLumComboBox* combo = NewCombo(form, csSimple, 200);
  combo->SetItemHeightStyle(ihcBitmap);
  form->Show();
  const std::tuple<const char*, TColor, int> items[] = {
      {"c", clYellow, 30}, {"a", clAqua, 0}, {"b", clLime, 22}};
  for (auto [text, color, height] : items) {
    const Integer at = combo->Items()->Add(text);
    combo->Items()->SetColor(at, color);
    if (height) combo->Items()->SetBitmap(at, SolidBitmap(4, height, clRed).get());
  }
  combo->SetItemIndex(2);
  for (const auto recreate : {+[](TLumComboBox* c) { c->SetSorted(true); },
                              +[](TLumComboBox* c) { c->SetStyle(csDropDown); }}) {
    recreate(combo);
    User.ProcessMessages();
    ASSERT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
      const auto [text, color, height] = items[i];
      char row[8] = {};
      SendMessageA(combo->Handle(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(row));
      EXPECT_STREQ(row, text) << "row " << i;
      EXPECT_EQ(HostItemHeight(combo, i), height ? height : 16) << "row " << i;
      if (combo->Style() != csSimple || i == 2) continue;
      const TPoint at = SimpleRowPoint(combo, i);
      EXPECT_EQ(Pixel(form, combo, at.X + 100, at.Y), color) << "row " << i;
    }
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(combo->Text(), "b");
  }
}

TEST_F(LumComboBoxTest, TheOpenListIsSizedToDropDownCountRows) {
  TForm* form = NewForm(300, 300);
  TLumComboBox* combo = NewCombo(form, csDropDown, 25);
  form->Show();
  // The window is given Height + 2 + the rows and shows its closed height; the rest is the list.
  auto listHeight = [&] {
    RECT r{}, window{};
    SendMessageA(combo->Handle(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    GetWindowRect(combo->Handle(), &window);
    return r.Bottom - r.Top + (window.Bottom - window.Top) - combo->Height();
  };
  combo->SetFocus();
  int dropDowns = 0;
  combo->SetOnDropDown([&](TObject*) { ++dropDowns; });
  combo->SetDroppedDown(true);
  EXPECT_EQ(listHeight(), 16 + 2) << "one row with no items";
  combo->SetDroppedDown(false);
  AddItems(combo, 20);
  combo->SetDroppedDown(true);
  EXPECT_EQ(listHeight(), 8 * 16 + 2);
  EXPECT_EQ(dropDowns, 2);
  User.Escape();
  EXPECT_FALSE(combo->DroppedDown()) << "Escape closes the open list";
}

// ItemAtPos used to stack the rows from the list's top and ignore its scroll position.
TEST_F(LumComboBoxTest, ItemAtPosCountsFromTheTopIndex) {
  TForm* form = NewForm(300, 300);
  TLumComboBox* combo = NewCombo(form, csSimple, 120);
  form->Show();
  AddItems(combo, 20);
  EXPECT_EQ(combo->ItemAtPos(SimpleRowPoint(combo, 2), true), 2);
  SendMessageA(combo->Handle(), CB_SETTOPINDEX, 5, 0);
  User.ProcessMessages();
  EXPECT_EQ(combo->ItemAtPos(SimpleRowPoint(combo, 6), true), 6);
  EXPECT_EQ(combo->ItemAtPos(TPoint{500, 5}, true), -1);
  combo->Items()->Clear();
  combo->Items()->Add("only");
  EXPECT_EQ(combo->ItemAtPos(TPoint{20, combo->ClientHeight() - 3}, false), 1);
  EXPECT_EQ(combo->ItemAtPos(TPoint{20, combo->ClientHeight() - 3}, true), -1);
}

TEST_F(LumComboBoxTest, TheMouseOverTheListGivesTheComboBoxTheItemsHint) {
  TForm* form = NewForm(300, 300);
  TLumComboBox* combo = NewCombo(form, csSimple, 150);
  combo->SetShowHint(true);
  form->Show();
  AddItems(combo, 4);
  combo->Items()->SetHint(1, "second");
  combo->Items()->SetHelpContext(1, 21);
  combo->Items()->SetHint(3, "fourth");
  combo->Items()->SetHelpContext(3, 41);
  User.MoveTo(combo, SimpleRowPoint(combo, 1));
  EXPECT_EQ(combo->Hint(), "second");
  EXPECT_EQ(combo->HelpContext(), 21);
  User.MoveTo(combo, SimpleRowPoint(combo, 3));
  EXPECT_EQ(combo->Hint(), "fourth");
  EXPECT_EQ(combo->HelpContext(), 41);
}

TEST_F(LumComboBoxTest, SelectedItemsAreHighlightedOrBoldAndBitmapsPlaced) {
  TForm* form = NewForm(300, 300);
  TLumComboBox* combo = NewCombo(form, csSimple, 150);
  form->Show();
  AddItems(combo, 3);
  combo->Items()->SetBitmap(1, SolidBitmap(8, 8, clRed).get());
  combo->SetItemIndex(1);
  User.ProcessMessages();
  const TPoint row = SimpleRowPoint(combo, 1);
  EXPECT_EQ(Pixel(form, combo, row.X + 80, row.Y + 2), ColorToRGB(clHighlight));
  RECT r{};
  SendMessageA(combo->ListHandle(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  POINT origin{r.Left, r.Top};
  MapWindowPoints(combo->ListHandle(), combo->Handle(), &origin, 1);
  EXPECT_EQ(Pixel(form, combo, origin.X + 3, origin.Y + 3), clRed) << "the bitmap at the left";
  combo->SetBitmapStyle(bscRight);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, combo, origin.X + (r.Right - r.Left) - 3, origin.Y + 3), clRed);
  User.SaveSnapshot(form, SheetPath("lumcombobox-selected.png"));
  combo->SetBoldStyle(true);
  User.ProcessMessages();
  EXPECT_NE(Pixel(form, combo, row.X + 80, row.Y + 2), ColorToRGB(clHighlight));
}

TEST_F(LumComboBoxTest, ABackgroundPictureShowsBelowTheLastItemOfASimpleList) {
  TForm* form = NewForm(300, 300);
  TLumComboBox* combo = NewCombo(form, csSimple, 200);
  combo->Background()->SetBitmap(SolidBitmap(8, 8, clFuchsia).get());
  combo->SetBackGroundStyle(bgscPattern);
  form->Show();
  AddItems(combo, 2);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, combo, 30, combo->Height() - 10), clFuchsia);
  User.SaveSnapshot(form, SheetPath("lumcombobox-background.png"));
}

TEST_F(LumComboBoxTest, OwnerDrawStylesLeaveTheDrawingToTheEvent) {
  TForm* form = NewForm();
  TLumComboBox* combo = NewCombo(form, csOwnerDrawVariable, 25);
  std::vector<int> drawn;
  combo->SetOnDrawItem(
      [&](TWinControl*, int Index, TRect, TOwnerDrawState) { drawn.push_back(Index); });
  form->Show();
  AddItems(combo, 2);
  combo->SetItemIndex(1);
  User.ProcessMessages();
  EXPECT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), 1);
}

TEST_F(LumComboBoxTest, ClearEmptiesTextAndItems) {
  TForm* form = NewForm();
  TLumComboBox* combo = NewCombo(form, csDropDown, 25);
  form->Show();
  AddItems(combo, 2);
  combo->SetText("typed");
  combo->Items()->Add("more");
  EXPECT_EQ(combo->Text(), "typed") << "an insertion keeps the typed text";
  combo->Clear();
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->Items()->Count(), 0);
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 0);
}

} // namespace
