#include "tests/SheetPath.h"
#include "tests/lists/ListTestSupport.h"

using namespace liststest;
using namespace LumList;

namespace {

class LumListTest : public ListsTest {
protected:
  // A shown list of items with their heights fixed by OnMeasureItem.
  TLumList* RowsOf(TForm* Form, int Count, int RowHeight) {
    TLumList* list = NewList(Form);
    list->SetOnMeasureItem([RowHeight](TWinControl*, int, int& Height) { Height = RowHeight; });
    for (int i = 0; i < Count; ++i) list->Items()->Add("item " + std::to_string(i));
    Form->Show();
    User.ProcessMessages();
    return list;
  }
};

TEST_F(LumListTest, ANewListHasTheDocumentedDefaults) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  EXPECT_TRUE(list->UseTabStops());
  EXPECT_TRUE(list->AnyColors());
  EXPECT_TRUE(list->AnyFonts());
  EXPECT_EQ(list->SelectedStyle(), psStandard);
  EXPECT_EQ(list->BitmapStyle(), bsLeft);
  EXPECT_EQ(list->ItemHeightStyle(), ihFixFont);
  EXPECT_EQ(list->BackGroundStyle(), bgsNone);
  EXPECT_EQ(list->TabStops(), "");
  EXPECT_EQ(list->HorzExtent(), 0);
  EXPECT_FALSE(list->HorzScrollBar());
  EXPECT_EQ(list->Style(), lbOwnerDrawVariable);
}

TEST_F(LumListTest, ItemHeightsFollowTheHeightStyle) {
  TForm* form = NewForm(300, 300);
  TLumList* list = NewList(form, 200, 250);
  form->Show();
  const int line = LineHeightOf(list->Font());
  const int font = std::max(16, line); // the rows start from ItemHeight 16
  for (const char* s : {"narrow", "wide", "plain", "big font"}) list->Items()->Add(s);
  list->Items()->SetBitmap(0, SolidBitmap(20, 40, clRed).get());
  list->Items()->SetBitmap(1, SolidBitmap(400, 40, clRed).get());
  TFont big;
  big.Assign(list->Font());
  big.SetHeight(-30);
  list->Items()->SetFont(3, &big);
  const int bigLine = LineHeightOf(&big);

  EXPECT_EQ(list->ItemRect(0).Height(), font) << "ihFixFont";
  list->SetItemHeightStyle(ihBitmap);
  EXPECT_EQ(list->ItemRect(0).Height(), 40);
  EXPECT_EQ(list->ItemRect(1).Height(), 20) << "400 x 40 scaled into 200 pixels";
  EXPECT_EQ(list->ItemRect(2).Height(), font) << "no bitmap keeps the font height";
  list->SetItemHeightStyle(ihFont);
  EXPECT_EQ(list->ItemRect(3).Height(), bigLine);
  EXPECT_EQ(list->ItemRect(0).Height(), line) << "the font's height replaces the start";
  list->SetAnyFonts(false);
  EXPECT_EQ(list->ItemRect(3).Height(), line) << "the control's font without AnyFonts";
  list->SetAnyFonts(true);
  list->SetItemHeightStyle(ihFontBitmap);
  EXPECT_EQ(list->ItemRect(0).Height(), 40);
  EXPECT_EQ(list->ItemRect(3).Height(), bigLine);
}

TEST_F(LumListTest, AMeasuredHeightIsKeptWhenLargerAndRaisedToTheFontWhenSmaller) {
  TForm* form = NewForm();
  TLumList* tall = RowsOf(form, 2, 33);
  EXPECT_EQ(tall->ItemRect(1).Height(), 33);
  TLumList* small = NewList(form);
  small->SetOnMeasureItem([](TWinControl*, int, int& Height) { Height = 3; });
  small->Items()->Add("x");
  User.ProcessMessages();
  EXPECT_EQ(small->ItemRect(0).Height(), LineHeightOf(small->Font()));
  small->SetSelectedStyle(psOwnerDraw);
  EXPECT_EQ(small->ItemRect(0).Height(), 3) << "psOwnerDraw leaves the event's height";
}

TEST_F(LumListTest, BitmapsArePlacedAsTheirStyleSays) {
  const TRect row(0, 10, 200, 30);
  TBitmap* square = SolidBitmap(10, 10, clRed).release();
  std::unique_ptr<TBitmap> owned(square);
  EXPECT_EQ(BitmapRect(TBitmapPlacement::Left, square, row), TRect(0, 10, 20, 30));
  EXPECT_EQ(BitmapRect(TBitmapPlacement::Right, square, row), TRect(180, 10, 200, 30));
  EXPECT_EQ(BitmapRect(TBitmapPlacement::Center, square, TRect(40, 10, 200, 30)),
            TRect(70, 10, 90, 30))
      << "the middle counts from 0, not from the left edge";
  EXPECT_EQ(BitmapRect(TBitmapPlacement::Stretch, square, row), row);
  TBitmap empty;
  EXPECT_EQ(BitmapRect(TBitmapPlacement::Left, &empty, row), TRect(0, 10, 0, 10));
  auto wide = SolidBitmap(5, 2, clRed);
  EXPECT_EQ(BitmapRect(TBitmapPlacement::Left, wide.get(), TRect(0, 0, 50, 5)), TRect(0, 0, 12, 5))
      << "12.5 rounds to even";

  TForm* form = NewForm();
  TLumList* list = RowsOf(form, 2, 20);
  list->Items()->SetBitmap(0, square);
  list->Items()->SetBitmap(1, square);
  list->Items()->SetStrings(0, "");
  list->SetItemIndex(-1);
  User.ProcessMessages();
  const TRect r = list->ItemRect(0);
  User.SaveSnapshot(form, SheetPath("lumlist-bitmaps.png"));
  EXPECT_EQ(Pixel(form, list, 5, r.Top + 5), clRed); // inside the focus frame
  EXPECT_EQ(Pixel(form, list, 18, r.Top + 17), clRed);
  EXPECT_EQ(Pixel(form, list, 21, r.Top + 5), clWhite);
  list->SetBitmapStyle(bsRight);
  User.ProcessMessages();
  const int right = list->ItemRect(0).Right;
  EXPECT_EQ(Pixel(form, list, right - 5, r.Top + 5), clRed);
  EXPECT_EQ(Pixel(form, list, right - 21, r.Top + 5), clWhite);
  list->SetBitmapStyle(bsPattern);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, list, 15, r.Top + 5), clRed) << "tiles of the bitmap's own width";
  EXPECT_EQ(Pixel(form, list, right - 3, r.Top + 15), clRed);
}

TEST_F(LumListTest, SelectionStylesHighlightBoldOrCross) {
  TForm* form = NewForm();
  TLumList* list = RowsOf(form, 3, 20);
  list->Items()->SetBitmap(1, SolidBitmap(10, 10, clRed).get());
  list->SetItemIndex(1);
  User.ProcessMessages();
  const TRect r = list->ItemRect(1);
  EXPECT_EQ(Pixel(form, list, 5, r.Top + 10), clRed) << "no highlight under the bitmap";
  EXPECT_EQ(Pixel(form, list, 150, r.Top + 10), ColorToRGB(clHighlight));
  User.SaveSnapshot(form, SheetPath("lumlist-selected.png"));

  list->SetSelectedStyle(psCheckbox);
  list->Items()->SetBitmap(1, nullptr);
  User.ProcessMessages();
  const TRect c = list->ItemRect(1);
  const int w = c.Height();
  EXPECT_EQ(Pixel(form, list, 2, c.Top + 5), ColorToRGB(clWindowText)) << "the box's left edge";
  EXPECT_EQ(Pixel(form, list, 9, c.Top + 8), ColorToRGB(clWindowText)) << "the cross";
  EXPECT_NE(Pixel(form, list, 150, c.Top + 10), ColorToRGB(clHighlight));
  list->SetItemIndex(0);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, list, 9, c.Top + 8), clWhite) << "no cross when not selected";
  int firstInk = -1;
  for (int x = w; x < 80 && firstInk < 0; ++x)
    for (int y = c.Top; y < c.Bottom && firstInk < 0; ++y)
      if (Pixel(form, list, x, y) != clWhite) firstInk = x;
  EXPECT_GE(firstInk, w + 4) << "text starts at item height + 4";
  User.SaveSnapshot(form, SheetPath("lumlist-checkbox.png"));
}

TEST_F(LumListTest, BoldStyleDrawsTheSelectedTextWiderWithoutHighlight) {
  TForm* form = NewForm();
  TLumList* list = RowsOf(form, 2, 20);
  list->SetSelectedStyle(psBoldText);
  list->Items()->SetStrings(0, "WWWWWWWW");
  list->Items()->SetStrings(1, "WWWWWWWW");
  list->SetItemIndex(0);
  User.ProcessMessages();
  auto inkRight = [&](int Row) {
    const TRect r = list->ItemRect(Row);
    int right = 0;
    for (int x = 0; x < r.Right; ++x)
      for (int y = r.Top; y < r.Bottom; ++y)
        if (Pixel(form, list, x, y) != clWhite) right = std::max(right, x);
    return right;
  };
  EXPECT_GT(inkRight(0), inkRight(1));
  EXPECT_NE(Pixel(form, list, 150, list->ItemRect(0).Top + 10), ColorToRGB(clHighlight));
}

TEST_F(LumListTest, ItemColoursAndOwnerDrawing) {
  TForm* form = NewForm();
  TLumList* list = RowsOf(form, 2, 20);
  list->Items()->SetColor(1, clYellow);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, list, 150, list->ItemRect(1).Top + 10), clYellow);
  list->SetAnyColors(false);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, list, 150, list->ItemRect(1).Top + 10), clWhite);
  list->SetAnyColors(true);
  int drawn = 0;
  list->SetOnDrawItem([&](TWinControl*, int, TRect, TOwnerDrawState) { ++drawn; });
  list->SetSelectedStyle(psOwnerDraw);
  User.ProcessMessages();
  EXPECT_GT(drawn, 0);
  EXPECT_NE(Pixel(form, list, 150, list->ItemRect(1).Top + 10), clYellow)
      << "OnDrawItem does all in psOwnerDraw";
}

TEST_F(LumListTest, TabStopsParseAndPlaceTextInAverageCharacterWidths) {
  TForm* form = NewForm();
  TLumList* list = RowsOf(form, 1, 20);
  list->SetTabStops("5;10;20");
  EXPECT_EQ(list->TabStops(), "5;10;20");
  try {
    list->SetTabStops(";5");
    ADD_FAILURE() << "accepted ;5";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), ";5 is an invalid tab stop");
  }
  try {
    list->SetTabStops("5;;10");
    ADD_FAILURE() << "accepted 5;;10";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), " is an invalid tab stop");
  }
  EXPECT_EQ(list->TabStops(), "5");

  list->SetTabStops("8");
  list->SetItemIndex(-1);
  list->Items()->SetStrings(0, "i\tI");
  User.ProcessMessages();
  const int stop = 8 * FontMetrics(list->Font()).tmAveCharWidth;
  const TRect r = list->ItemRect(0);
  int secondInk = -1;
  for (int x = 10; x < 120 && secondInk < 0; ++x)
    for (int y = r.Top + 1; y < r.Bottom - 1 && secondInk < 0; ++y) // inside the focus frame
      if (Pixel(form, list, x, y) != clWhite) secondInk = x;
  EXPECT_GE(secondInk, stop);
  EXPECT_LE(secondInk, stop + 3);
  list->SetUseTabStops(false);
  User.ProcessMessages();
  for (int y = r.Top + 1; y < r.Bottom - 1; ++y) EXPECT_EQ(Pixel(form, list, stop + 1, y), clWhite);
}

TEST_F(LumListTest, ABackgroundPictureShowsCentredInAnEmptyListAndBelowTheItems) {
  TForm* form = NewForm(300, 260);
  TLumList* list = NewList(form, 200, 200);
  list->Background()->SetBitmap(SolidBitmap(40, 30, clFuchsia).get());
  list->SetBackGroundStyle(bgsCenter);
  form->Show();
  User.ProcessMessages();
  const TRect client = list->ClientRect();
  const int cx = client.Width() / 2, cy = client.Height() / 2;
  EXPECT_EQ(Pixel(form, list, cx, cy), clFuchsia);
  EXPECT_EQ(Pixel(form, list, cx - 21, cy), clWhite);
  EXPECT_EQ(Pixel(form, list, cx + 19, cy + 14), clFuchsia);

  list->Items()->Add("over");
  list->Items()->SetColor(0, clWindow);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, list, cx, cy), clFuchsia) << "below the last item";
  list->SetBackGroundStyle(bgsPattern);
  User.ProcessMessages();
  EXPECT_EQ(Pixel(form, list, 1, client.Height() - 2), clFuchsia);
  User.SaveSnapshot(form, SheetPath("lumlist-background.png"));
}

TEST_F(LumListTest, TheMouseOverAnItemGivesTheListItsHintAndHelpContext) {
  TForm* form = NewForm();
  TLumList* list = RowsOf(form, 3, 20);
  list->SetShowHint(true);
  list->SetHint("the list");
  list->Items()->SetHint(0, "first");
  list->Items()->SetHelpContext(0, 10);
  list->Items()->SetHint(2, "third");
  list->Items()->SetHelpContext(2, 30);
  User.MoveTo(list, TPoint{20, list->ItemRect(0).Top + 5});
  EXPECT_EQ(list->Hint(), "first");
  EXPECT_EQ(list->HelpContext(), 10);
  User.MoveTo(list, TPoint{20, list->ItemRect(2).Top + 5});
  EXPECT_EQ(list->Hint(), "third");
  EXPECT_EQ(list->HelpContext(), 30);
}

TEST_F(LumListTest, HorizontalExtentAndScrollBarReachTheWindow) {
  TForm* form = NewForm();
  TLumList* list = NewList(form);
  list->SetHorzExtent(500);
  list->SetHorzScrollBar(true);
  form->Show();
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 500);
  list->SetHorzExtent(600);
  EXPECT_EQ(SendMessageA(list->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 600);
}

} // namespace
