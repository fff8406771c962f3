#include "framework/controls/ListBoxes.h"
#include "tests/controls/ControlTestSupport.h"

#include <set>

using namespace controltest;

namespace {

class ListBoxesTest : public ControlTest {
protected:
  TListBox* MakeList(TForm* Form, int Count) {
    auto* list = Place(Form, new TListBox(Form), Bounds(10, 10, 150, 120));
    for (int i = 0; i < Count; ++i) list->Items()->Add("item" + std::to_string(i));
    return list;
  }
  static TPoint RowPoint(TListBox* List, int Index) {
    const TRect r = List->ItemRect(Index);
    return TPoint{r.Left + 10, r.Top + r.Height() / 2};
  }
};

TEST_F(ListBoxesTest, EntriesLiveWithoutAWindowAndSurviveRecreation) {
  TForm* form = NewForm();
  auto* list = new TListBox(form);
  list->SetSorted(true);
  list->Items()->Add("pear");
  list->Items()->Add("apple");
  list->Items()->Insert(0, "zebra");
  list->Items()->SetObjects(1, list);
  EXPECT_FALSE(list->HandleAllocated());
  EXPECT_THROW(list->Items()->Strings(3), EListError);
  list->SetItemIndex(2);
  list->SetParent(form);
  form->Show();
  ASSERT_TRUE(list->HandleAllocated());
  EXPECT_EQ(list->Items()->Text(), "apple\r\npear\r\nzebra\r\n") << "sorted in the window";
  list->SetSorted(false);
  list->Items()->Add("banana");
  const HWND before = list->Handle();
  list->SetStyle(lbOwnerDrawFixed);
  EXPECT_NE(list->Handle(), before);
  EXPECT_EQ(list->Items()->Count(), 4);
  EXPECT_EQ(list->Items()->Strings(3), "banana");
  EXPECT_EQ(list->Items()->IndexOf("PEAR"), 1);
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(ListBoxesTest, StyleChangeMeasuresAndDrawsEveryItem) {
  TForm* form = NewForm();
  TListBox* list = MakeList(form, 5);
  std::vector<int> measured;
  std::set<int> drawn;
  list->SetOnMeasureItem([&](TWinControl*, int Index, int& Height) {
    measured.push_back(Index);
    Height = 14 + Index;
  });
  list->SetOnDrawItem(
      [&](TWinControl*, int Index, TRect, TOwnerDrawState) { drawn.insert(Index); });
  form->Show();
  User.ProcessMessages();
  list->SetStyle(lbOwnerDrawVariable);
  User.ProcessMessages();
  EXPECT_EQ(measured, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(drawn, (std::set<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(list->ItemRect(3).Height(), 17);
  EXPECT_EQ(list->ItemAtPos(TPoint{5, list->ItemRect(4).Bottom + 2}, false), 5);
  EXPECT_EQ(list->ItemAtPos(TPoint{5, list->ItemRect(4).Bottom + 2}, true), -1);
}

TEST_F(ListBoxesTest, DefaultOwnerDrawingHighlightsTheSelection) {
  TForm* form = NewForm();
  TListBox* list = MakeList(form, 3);
  list->SetStyle(lbOwnerDrawFixed);
  form->Show();
  list->SetItemIndex(1);
  const TRect r = list->ItemRect(1);
  EXPECT_EQ(PixelAt(form, list, TPoint{r.Right - 3, r.Top + 2}), ColorToRGB(clHighlight));
  EXPECT_EQ(PixelAt(form, list, TPoint{r.Right - 3, r.Top + 2 + r.Height()}), ColorToRGB(clWindow));
}

TEST_F(ListBoxesTest, InsertResultsAndClickSelection) {
  TForm* form = NewForm();
  TListBox* list = MakeList(form, 3);
  form->Show();
  const HWND h = list->Handle();
  EXPECT_EQ(SendMessageA(h, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("x")), 1);
  EXPECT_EQ(
      SendMessageA(h, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("end")),
      4);
  EXPECT_EQ(SendMessageA(h, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>("bad")), LB_ERR);
  EXPECT_THROW(list->Items()->Insert(9, "bad"), EOutOfResources);
  int clicks = 0;
  list->SetOnClick([&](TObject*) { ++clicks; });
  User.Click(list, RowPoint(list, 2));
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  list->SetItemIndex(0);
  EXPECT_EQ(clicks, 1) << "setting ItemIndex in code is no click";
  int doubles = 0;
  list->SetOnDblClick([&](TObject*) { ++doubles; });
  User.DoubleClick(list, RowPoint(list, 1));
  EXPECT_EQ(doubles, 1);
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListBoxesTest, MultiAndExtendedSelectByClicks) {
  TForm* form = NewForm();
  TListBox* list = MakeList(form, 6);
  list->SetMultiSelect(true);
  list->SetExtendedSelect(false);
  form->Show();
  User.Click(list, RowPoint(list, 1));
  User.Click(list, RowPoint(list, 3));
  EXPECT_EQ(list->SelCount(), 2);
  User.Click(list, RowPoint(list, 1));
  EXPECT_FALSE(list->Selected(1));
  list->SetExtendedSelect(true);
  User.Click(list, RowPoint(list, 1));
  User.Click(list, RowPoint(list, 4), THeadlessButton::Left);
  EXPECT_EQ(list->SelCount(), 1);
  User.KeyDown(VK_SHIFT);
  User.Click(list, RowPoint(list, 2));
  User.KeyUp(VK_SHIFT);
  EXPECT_EQ(list->SelCount(), 3) << "2 to 4";
  User.KeyDown(VK_CONTROL);
  User.Click(list, RowPoint(list, 0));
  User.KeyUp(VK_CONTROL);
  EXPECT_TRUE(list->Selected(0));
  EXPECT_TRUE(list->Selected(3));
  EXPECT_EQ(list->SelCount(), 4);
  list->SetStyle(lbOwnerDrawFixed);
  EXPECT_EQ(list->SelCount(), 4) << "selection kept across recreation";
  EXPECT_THROW(list->Selected(9), EListError);
}

TEST_F(ListBoxesTest, ColumnsLayItemsSideBySide) {
  TForm* form = NewForm();
  TListBox* list = MakeList(form, 20);
  list->SetColumns(2);
  form->Show();
  const TRect first = list->ItemRect(0);
  const int rows = list->ClientHeight() / first.Height();
  const TRect next = list->ItemRect(rows);
  EXPECT_EQ(next.Top, first.Top);
  EXPECT_EQ(next.Left, first.Right);
  User.Click(list, TPoint{next.Left + 5, next.Top + 2});
  EXPECT_EQ(list->ItemIndex(), rows);
}

} // namespace
