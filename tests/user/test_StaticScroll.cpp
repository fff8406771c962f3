#include "tests/user/UserTestSupport.h"

namespace {

class StaticScrollTest : public UserTest {
protected:
  HWND Parent = nullptr;
  void SetUp() override {
    UserTest::SetUp();
    Parent = TopLevel(0, 0, 400, 300);
  }
  HWND Make(const char* cls, DWORD style, const char* text, int x, int y, int w, int h) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Parent,
                           reinterpret_cast<HMENU>(5), nullptr, nullptr);
  }
  // The columns [left, right) holding dark pixels in a band of rows.
  static std::pair<int, int> InkColumns(const TRaster& r, int x0, int x1, int y0, int y1) {
    int left = x1, right = x0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if ((r.At(x, y) & 0xFF) < 0x60) {
          left = std::min(left, x);
          right = std::max(right, x + 1);
        }
    return {left, right};
  }
};

TEST_F(StaticScrollTest, StaticAlignmentPlacesTheText) {
  Make("Static", SS_LEFT, "Text", 0, 0, 200, 20);
  Make("Static", SS_CENTER, "Text", 0, 30, 200, 20);
  Make("Static", SS_RIGHT, "Text", 0, 60, 200, 20);
  const TRaster shot = Display.Snapshot(Parent);
  const auto left = InkColumns(shot, 0, 200, 0, 20);
  const auto centre = InkColumns(shot, 0, 200, 30, 50);
  const auto right = InkColumns(shot, 0, 200, 60, 80);
  EXPECT_LT(left.first, 3);
  EXPECT_NEAR((centre.first + centre.second) / 2, 100, 3);
  EXPECT_GT(right.second, 196);
  EXPECT_EQ(left.second - left.first, right.second - right.first);
}

TEST_F(StaticScrollTest, PrefixUnderlinesUnlessNoPrefix) {
  Make("Static", SS_LEFT, "&Wx", 0, 0, 200, 20);
  Make("Static", SS_LEFT | SS_NOPREFIX, "&Wx", 0, 30, 200, 20);
  Make("Static", SS_LEFT, "A&&B", 0, 60, 200, 20);
  Make("Static", SS_LEFT | SS_NOPREFIX, "A&B", 0, 90, 200, 20);
  const TRaster shot = Display.Snapshot(Parent);
  const auto prefixed = InkColumns(shot, 0, 200, 0, 20);
  const auto plain = InkColumns(shot, 0, 200, 30, 50);
  EXPECT_GT(plain.second - plain.first, prefixed.second - prefixed.first) << "& is not shown";
  // "A&&B" shows as "A&B": the same pixels as the literal text.
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(shot.At(x, 60 + y), shot.At(x, 90 + y));
  // The underline: a row under the W that is dark across the glyph's width.
  int longest = 0;
  for (int y = 0; y < 20; ++y) {
    int run = 0;
    for (int x = 0; x < 20; ++x)
      run = (shot.At(x, y) & 0xFF) < 0x60 ? run + 1 : 0, longest = std::max(longest, run);
  }
  EXPECT_GE(longest, 8);
}

TEST_F(StaticScrollTest, StaticHitTestAndNotify) {
  const HWND quiet = Make("Static", SS_LEFT, "Quiet", 0, 0, 100, 20);
  const HWND loud = Make("Static", SS_LEFT | SS_NOTIFY, "Loud", 0, 30, 100, 20);
  EXPECT_EQ(SendMessageA(quiet, WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTTRANSPARENT);
  EXPECT_EQ(SendMessageA(loud, WM_NCHITTEST, 0, MAKELPARAM(10, 40)), HTCLIENT);
  Display.Click(10, 10);
  Display.Click(10, 40);
  Display.ProcessMessages();
  const auto commands = Got(Parent, WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].LParam, reinterpret_cast<LPARAM>(loud));
  EXPECT_EQ(HIWORD(commands[0].WParam), STN_CLICKED);
}

TEST_F(StaticScrollTest, ScrollInfoIsClampedAsWin32Does) {
  const HWND bar = Make("ScrollBar", SBS_VERT, "", 300, 0, 16, 200);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMin = 0;
  info.nMax = 99;
  info.nPage = 10;
  info.nPos = 500;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 90);
  info.fMask = SIF_PAGE;
  info.nPage = 1000;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, TRUE), 0);
  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &got));
  EXPECT_EQ(got.nPage, 100u) << "the page is cut to the range";
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 10;
  info.nMax = 20;
  info.nPage = 0;
  info.nPos = -5;
  EXPECT_EQ(SetScrollInfo(bar, SB_CTL, &info, FALSE), 10);
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, 30, FALSE), 10);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), 20);
  int low = 0, high = 0;
  ASSERT_TRUE(GetScrollRange(bar, SB_CTL, &low, &high));
  EXPECT_EQ(low, 10);
  EXPECT_EQ(high, 20);
  info.fMask = SIF_RANGE;
  info.nMin = 50;
  info.nMax = 40;
  SetScrollInfo(bar, SB_CTL, &info, FALSE);
  ASSERT_TRUE(GetScrollRange(bar, SB_CTL, &low, &high));
  EXPECT_EQ(std::make_pair(low, high), std::make_pair(0, 0)) << "an inverted range is emptied";
}

TEST_F(StaticScrollTest, WindowBarHidesWhenNotNeededAndTheClientGrows) {
  const HWND w = Child(Parent, 0, 0, 200, 150, WS_VSCROLL);
  RECT before;
  GetClientRect(w, &before);
  EXPECT_EQ(before.Right, 200 - GetSystemMetrics(SM_CXVSCROLL));
  MessageLog().clear();
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMax = 9;
  info.nPage = 20;
  SetScrollInfo(w, SB_VERT, &info, TRUE);
  EXPECT_EQ(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL, 0);
  RECT after;
  GetClientRect(w, &after);
  EXPECT_EQ(after.Right, 200);
  EXPECT_FALSE(Got(w, WM_SIZE).empty());
  info.nPage = 5;
  SetScrollInfo(w, SB_VERT, &info, TRUE);
  EXPECT_NE(GetWindowLongA(w, GWL_STYLE) & WS_VSCROLL, 0);
  ShowScrollBar(w, SB_BOTH, TRUE);
  EXPECT_NE(GetWindowLongA(w, GWL_STYLE) & WS_HSCROLL, 0);
}

TEST_F(StaticScrollTest, ThumbDragSendsTrackThenPositionThenEnd) {
  const HWND w = Child(Parent, 0, 0, 200, 216, WS_VSCROLL);
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMax = 99;
  info.nPage = 20;
  info.nPos = 0;
  SetScrollInfo(w, SB_VERT, &info, TRUE);
  MessageLog().clear();
  // Arrows 16 pixels, track 184, thumb 184 * 20 / 100 = 36 at the top of the track.
  const int x = 200 - 8;
  Display.MouseDown(x, 16 + 10);
  Display.MouseMove(x, 16 + 10 + 74);
  Display.MouseUp(x, 16 + 10 + 74);
  Display.ProcessMessages();
  std::vector<std::pair<int, int>> requests;
  for (const TLogged& m : Got(w, WM_VSCROLL))
    requests.emplace_back(LOWORD(m.WParam), HIWORD(m.WParam));
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].first, SB_THUMBTRACK);
  EXPECT_EQ(requests[0].second, 40); // 74 of 148 pixels of 80 positions
  EXPECT_EQ(requests[1], std::make_pair(SB_THUMBPOSITION, 40));
  EXPECT_EQ(requests[2].first, SB_ENDSCROLL);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 0) << "the application moves the position itself";
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(StaticScrollTest, ArrowAndTrackClicksRepeatWhileHeld) {
  const HWND bar = Make("ScrollBar", SBS_HORZ, "", 0, 250, 200, 16);
  SetScrollRange(bar, SB_CTL, 0, 50, TRUE);
  MessageLog().clear();
  Display.MouseDown(195, 258);
  Display.ProcessMessages();
  Display.Advance(200 + 50 * 3);
  Display.MouseUp(195, 258);
  Display.Advance(500);
  std::vector<int> codes;
  for (const TLogged& m : Got(Parent, WM_HSCROLL)) {
    EXPECT_EQ(m.LParam, reinterpret_cast<LPARAM>(bar));
    codes.push_back(LOWORD(m.WParam));
  }
  ASSERT_GE(codes.size(), 4u);
  EXPECT_EQ(codes.front(), SB_LINERIGHT);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), SB_LINERIGHT),
            static_cast<long>(codes.size() - 1));
  EXPECT_EQ(codes.back(), SB_ENDSCROLL);
  MessageLog().clear();
  Display.Click(100, 258); // right of the thumb at 0
  Display.ProcessMessages();
  const auto page = Got(Parent, WM_HSCROLL);
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(LOWORD(page[0].WParam), SB_PAGERIGHT);
}

} // namespace
