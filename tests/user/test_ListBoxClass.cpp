#include "tests/user/UserTestSupport.h"

#include "framework/rtl/Strings.h"

#include <cstring>

namespace {

class ListBoxClassTest : public UserTest {
protected:
  HWND Parent = nullptr;
  void SetUp() override {
    UserTest::SetUp();
    Parent = TopLevel(0, 0, 400, 400);
  }
  HWND Make(DWORD style, int h = 100, int w = 150) {
    return CreateWindowExA(0, "listbox", "", WS_CHILD | WS_VISIBLE | style, 10, 10, w, h, Parent,
                           reinterpret_cast<HMENU>(3), nullptr, nullptr);
  }
  static LRESULT Add(HWND list, const char* text) {
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  static String Text(HWND list, int i) {
    char buffer[64] = {};
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }
  std::vector<WORD> Notifications() {
    std::vector<WORD> codes;
    for (const TLogged& m : Got(Parent, WM_COMMAND)) codes.push_back(HIWORD(m.WParam));
    return codes;
  }
  static int Height(HWND list) {
    return static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  }
  // Screen y of the middle of item i (items from the top of the list).
  static int RowY(HWND list, int i) { return 10 + i * Height(list) + Height(list) / 2; }
};

TEST_F(ListBoxClassTest, SortedInsertionIgnoresCase) {
  const HWND list = Make(LBS_SORT);
  EXPECT_EQ(Add(list, "pear"), 0);
  EXPECT_EQ(Add(list, "Apple"), 0);
  EXPECT_EQ(Add(list, "banana"), 1);
  EXPECT_EQ(Add(list, "APPLE"), 1) << "equal strings go after the ones there";
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>("zzz")), 1);
  EXPECT_EQ(Text(list, 0), "Apple");
  EXPECT_EQ(Text(list, 1), "zzz");
  EXPECT_EQ(Text(list, 2), "APPLE");
  EXPECT_EQ(
      SendMessageA(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("BAN")),
      3);
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>("apple")), 2)
      << "the search starts after the start index";
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("app")),
            LB_ERR);
}

TEST_F(ListBoxClassTest, BadIndexesAnswerLbErr) {
  const HWND list = Make(0);
  Add(list, "a");
  Add(list, "b");
  EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, 2, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(-1), 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 3, reinterpret_cast<LPARAM>("x")), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 7, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 1, 0), 1);
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR) << "-1 cleared the selection";
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), LB_ERR) << "single selection";
  EXPECT_EQ(SendMessageA(list, LB_SETSEL, TRUE, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_DELETESTRING, 0, 0), 1);
  EXPECT_EQ(SendMessageA(list, LB_SETITEMDATA, 0, 77), 1);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 77);
}

TEST_F(ListBoxClassTest, SelectionByMouseAndKeysNotifiesOnlyUserActions) {
  const HWND list = Make(LBS_NOTIFY | WS_VSCROLL, 100);
  for (const char* s : {"alpha", "beta", "gamma", "delta", "echo", "foxtrot", "golf", "hotel",
                        "india", "juliet", "kilo", "lima"})
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s));
  SendMessageA(list, LB_SETCURSEL, 2, 0);
  Display.ProcessMessages();
  EXPECT_EQ(std::count(Notifications().begin(), Notifications().end(), LBN_SELCHANGE), 0);
  Display.Click(50, RowY(list, 1));
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 1);
  const auto after = Notifications();
  EXPECT_EQ(after.front(), LBN_SETFOCUS);
  EXPECT_EQ(std::count(after.begin(), after.end(), LBN_SELCHANGE), 1);
  Display.PressKey(VK_END);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 11);
  EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0) << "the caret item was scrolled in";
  EXPECT_EQ(GetScrollPos(list, SB_VERT), SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  Display.PressKey(VK_HOME);
  Display.TypeText("g");
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  Display.TypeText("g");
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 6);
  MessageLog().clear();
  Display.DoubleClick(50, RowY(list, 0));
  Display.ProcessMessages();
  const auto dbl = Notifications();
  EXPECT_NE(std::find(dbl.begin(), dbl.end(), LBN_DBLCLK), dbl.end());
}

TEST_F(ListBoxClassTest, ExtendedSelectionWithShiftAndControl) {
  const HWND list = Make(LBS_EXTENDEDSEL | LBS_NOTIFY, 200);
  for (int i = 0; i < 8; ++i) Add(list, ("item" + std::to_string(i)).c_str());
  Display.Click(50, RowY(list, 1));
  Display.Click(50, RowY(list, 4));
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 1);
  Display.KeyDown(VK_SHIFT);
  Display.Click(50, RowY(list, 6), THeadlessButton::Left);
  Display.KeyUp(VK_SHIFT);
  Display.ProcessMessages();
  int items[8] = {};
  ASSERT_EQ(SendMessageA(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(items)), 3);
  EXPECT_EQ(std::vector<int>(items, items + 3), (std::vector<int>{4, 5, 6}));
  Display.KeyDown(VK_CONTROL);
  Display.Click(50, RowY(list, 0));
  Display.Click(50, RowY(list, 5));
  Display.KeyUp(VK_CONTROL);
  Display.ProcessMessages();
  ASSERT_EQ(SendMessageA(list, LB_GETSELITEMS, 8, reinterpret_cast<LPARAM>(items)), 3);
  EXPECT_EQ(std::vector<int>(items, items + 3), (std::vector<int>{0, 4, 6}));
  Display.KeyDown(VK_SHIFT);
  Display.PressKey(VK_DOWN, HeadlessShift);
  Display.KeyUp(VK_SHIFT);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETCARETINDEX, 0, 0), 6);
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 2) << "range from the anchor 5";
}

TEST_F(ListBoxClassTest, MultipleSelectionTogglesEachClick) {
  const HWND list = Make(LBS_MULTIPLESEL, 200);
  for (int i = 0; i < 4; ++i) Add(list, "x");
  Display.Click(50, RowY(list, 1));
  Display.Click(50, RowY(list, 2));
  Display.Click(50, RowY(list, 1));
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETSEL, 1, 0), 0);
  EXPECT_EQ(SendMessageA(list, LB_GETSEL, 2, 0), 1);
  SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(-1));
  EXPECT_EQ(SendMessageA(list, LB_GETSELCOUNT, 0, 0), 4);
}

TEST_F(ListBoxClassTest, OwnerDrawVariableHeightsAndRects) {
  std::vector<DELETEITEMSTRUCT> deleted;
  std::vector<DRAWITEMSTRUCT> drawn;
  TestHandler() = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_MEASUREITEM) {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      m->itemHeight = static_cast<UINT>(10 + m->itemData);
      return 1;
    }
    if (message == WM_DRAWITEM) drawn.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    if (message == WM_DELETEITEM) deleted.push_back(*reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
    return std::nullopt;
  };
  const HWND list = Make(LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 100);
  for (LPARAM data : {5, 20, 1}) SendMessageA(list, LB_ADDSTRING, 0, data);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 1, 0), 30);
  RECT r;
  ASSERT_EQ(SendMessageA(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r, Rect(0, 45, 150, 56));
  EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 20)), MAKELPARAM(1, 0));
  EXPECT_EQ(SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 80)), MAKELPARAM(2, 1));
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  Display.ProcessMessages();
  bool sawSelected = false;
  for (const DRAWITEMSTRUCT& d : drawn) {
    EXPECT_EQ(d.CtlType, ODT_LISTBOX);
    if (d.itemID == 1) {
      EXPECT_EQ(d.itemData, 20u);
      EXPECT_EQ(d.rcItem, Rect(0, 15, 150, 45));
      sawSelected = sawSelected || (d.itemState & ODS_SELECTED);
    }
  }
  EXPECT_TRUE(sawSelected);
  SendMessageA(list, LB_DELETESTRING, 0, 0);
  ASSERT_EQ(deleted.size(), 1u);
  EXPECT_EQ(deleted[0].itemData, 5u);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the selection moved up with its item";
}

TEST_F(ListBoxClassTest, IntegralHeightScrollingAndWheel) {
  const HWND list = Make(WS_VSCROLL, 105);
  const int h = Height(list);
  RECT client;
  GetClientRect(list, &client);
  EXPECT_EQ(client.Bottom % h, 0) << "shrunk to whole items";
  for (int i = 0; i < 30; ++i) Add(list, "row");
  const int page = client.Bottom / h;
  SendMessageA(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), page - 1);
  SendMessageA(list, LB_SETTOPINDEX, 29, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 30 - page);
  SetFocus(list);
  Display.Wheel(50, 30, WHEEL_DELTA);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 30 - page - 3);
  const HWND free = Make(LBS_NOINTEGRALHEIGHT, 105);
  GetClientRect(free, &client);
  EXPECT_EQ(client.Bottom, 105);
}

TEST_F(ListBoxClassTest, TabStopsAlignColumns) {
  const HWND list = Make(LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT, 100, 300);
  const int stops[] = {100};
  EXPECT_EQ(SendMessageA(list, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops)), 1);
  Add(list, "a\tX");
  Add(list, "wide text\tX");
  const TRaster shot = Display.Snapshot(Parent);
  auto firstInkAfter = [&](int row, int from) {
    const int y0 = 10 + row * Height(list);
    for (int x = from; x < 300; ++x)
      for (int y = y0; y < y0 + Height(list); ++y)
        if ((shot.At(10 + x, y) & 0xFF) < 0x60) return x;
    return -1;
  };
  const int a = firstInkAfter(0, 130), b = firstInkAfter(1, 130);
  EXPECT_GT(a, 130);
  EXPECT_EQ(a, b);
  EXPECT_EQ(SendMessageA(Make(0), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(stops)), 0);
}

// Enough items for several storage blocks, so that insertions and deletions cross them.
TEST_F(ListBoxClassTest, ManyItemsKeepTextDataAndSelectionThroughInsertsAndDeletes) {
  const HWND list = Make(LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL);
  struct TModel {
    String Text;
    LPARAM Data;
    bool Selected;
  };
  std::vector<TModel> model;
  for (int i = 0; i < 1500; ++i) {
    const std::size_t at = i % 3 == 0 ? 0 : (i % 3 == 1 ? model.size() : model.size() / 2);
    const String text = "n" + std::to_string(i);
    ASSERT_EQ(SendMessageA(list, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str())),
              static_cast<LRESULT>(at));
    SendMessageA(list, LB_SETITEMDATA, at, i);
    const bool selected = i % 5 == 0;
    if (selected) SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(at));
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), {text, i, selected});
  }
  for (std::size_t at = 7; at < model.size(); at += 4) {
    ASSERT_EQ(SendMessageA(list, LB_DELETESTRING, at, 0), static_cast<LRESULT>(model.size() - 1));
    model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
  }
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(model.size()));
  std::vector<int> selected;
  for (std::size_t i = 0; i < model.size(); ++i) {
    ASSERT_EQ(Text(list, static_cast<int>(i)), model[i].Text) << i;
    ASSERT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), model[i].Data) << i;
    ASSERT_EQ(SendMessageA(list, LB_GETSEL, i, 0) > 0, model[i].Selected) << i;
    if (model[i].Selected) selected.push_back(static_cast<int>(i));
  }
  std::vector<int> got(selected.size() + 1);
  ASSERT_EQ(SendMessageA(list, LB_GETSELITEMS, got.size(), reinterpret_cast<LPARAM>(got.data())),
            static_cast<LRESULT>(selected.size()));
  got.pop_back();
  EXPECT_EQ(got, selected);
  const String last = model.back().Text;
  EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(last.c_str())),
            static_cast<LRESULT>(model.size() - 1));
  Display.ProcessMessages();
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  GetScrollInfo(list, SB_VERT, &info);
  EXPECT_EQ(info.nMax, static_cast<int>(model.size()) - 1) << "the range follows the count";
}

TEST_F(ListBoxClassTest, SortedListOrdersManyEqualTextsByArrival) {
  const HWND list = Make(LBS_SORT);
  const char* const spellings[] = {"key", "KEY", "Key"};
  for (int i = 0; i < 1200; ++i) {
    const String text = spellings[i % 3] + std::to_string((i * 37) % 40 + 10);
    const LRESULT at = Add(list, text.c_str());
    ASSERT_GE(at, 0);
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), i);
    ASSERT_EQ(CompareText(Text(list, static_cast<int>(at)), text), 0) << "answered its index";
  }
  for (int i = 1; i < 1200; ++i) {
    const String before = Text(list, i - 1), here = Text(list, i);
    ASSERT_LE(CompareText(before, here), 0) << i;
    if (CompareText(before, here) == 0) {
      ASSERT_LT(SendMessageA(list, LB_GETITEMDATA, i - 1, 0),
                SendMessageA(list, LB_GETITEMDATA, i, 0))
          << "equal texts stay in the order they came, at " << i;
    }
  }
}

TEST_F(ListBoxClassTest, VariableHeightsFollowTheirItemsThroughInserts) {
  TestHandler() = [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message != WM_MEASUREITEM) return std::nullopt;
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    m->itemHeight = static_cast<UINT>(10 + m->itemData % 7);
    return 1;
  };
  const HWND list = Make(LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT, 200);
  std::vector<LPARAM> model;
  for (LPARAM i = 0; i < 1100; ++i) {
    const std::size_t at = i % 2 ? 0 : model.size() / 3;
    ASSERT_EQ(SendMessageA(list, LB_INSERTSTRING, at, i), static_cast<LRESULT>(at));
    model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), i);
  }
  for (std::size_t at = 0; at < model.size(); at += 9) {
    SendMessageA(list, LB_DELETESTRING, at, 0);
    model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
  }
  SendMessageA(list, LB_SETTOPINDEX, 500, 0);
  const int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  int y = 0;
  for (std::size_t i = static_cast<std::size_t>(top); i < static_cast<std::size_t>(top) + 12; ++i) {
    ASSERT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, i, 0), 10 + model[i] % 7) << i;
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    ASSERT_EQ(r.Top, y) << i;
    y = r.Bottom;
  }
  for (std::size_t i = 0; i < model.size(); ++i)
    ASSERT_EQ(SendMessageA(list, LB_GETITEMDATA, i, 0), model[i]) << i;
}

} // namespace
