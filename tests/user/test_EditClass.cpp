#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"
#include "tests/user/UserTestSupport.h"

#include <cstring>

namespace {

constexpr std::uint32_t NavyPixel = 0xFF000080u, FacePixel = 0xFFC0C0C0u, BlackPixel = 0xFF000000u;

class EditClassTest : public UserTest {
protected:
  HWND Parent = nullptr;
  void SetUp() override {
    UserTest::SetUp();
    Parent = TopLevel(50, 50, 400, 300);
  }
  HWND Make(DWORD style, const char* text = "", int w = 160, int h = 24, int x = 10, int y = 10) {
    return CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", text, WS_CHILD | WS_VISIBLE | style, x, y, w,
                           h, Parent, reinterpret_cast<HMENU>(std::uintptr_t{9}), nullptr, nullptr);
  }
  static String TextOf(HWND e) {
    String s(static_cast<std::size_t>(GetWindowTextLengthA(e)), '\0');
    GetWindowTextA(e, s.data(), static_cast<int>(s.size()) + 1);
    return s;
  }
  static std::pair<DWORD, DWORD> Sel(HWND e) {
    DWORD start = 0, end = 0;
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
  static void SetSel(HWND e, int start, int end) {
    SendMessageA(e, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
  }
  std::vector<WORD> Notifications(HWND e) {
    std::vector<WORD> codes;
    for (const TLogged& m : Got(Parent, WM_COMMAND))
      if (m.LParam == reinterpret_cast<LPARAM>(e)) codes.push_back(HIWORD(m.WParam));
    return codes;
  }
  int Count(HWND e, WORD code) {
    const auto codes = Notifications(e);
    return static_cast<int>(std::count(codes.begin(), codes.end(), code));
  }
  void Type(HWND e, std::string_view text) {
    SetFocus(e);
    Display.TypeText(text);
    Display.ProcessMessages();
  }
  void Key(int vk, unsigned modifiers = 0) {
    Display.PressKey(vk, modifiers);
    Display.ProcessMessages();
  }
  // The edit as it shows on its parent, frame included.
  TRaster Shot(HWND e) {
    const TRaster all = Display.Snapshot(Parent);
    RECT outer, r;
    GetWindowRect(Parent, &outer);
    GetWindowRect(e, &r);
    TRaster part;
    part.Width = r.Right - r.Left;
    part.Height = r.Bottom - r.Top;
    for (int y = 0; y < part.Height; ++y)
      for (int x = 0; x < part.Width; ++x)
        part.Pixels.push_back(all.At(r.Left - outer.Left + x, r.Top - outer.Top + y));
    return part;
  }
  // The leftmost column of the client area holding a pixel of the colour, -1 if none.
  static int ColumnWith(const TRaster& shot, std::uint32_t colour) {
    for (int x = 0; x < shot.Width; ++x)
      for (int y = 0; y < shot.Height; ++y)
        if (shot.At(x, y) == colour) return x;
    return -1;
  }
};

TEST_F(EditClassTest, TypingUtf8AndCaretMovesByWholeCharacters) {
  const HWND e = Make(ES_AUTOHSCROLL);
  Type(e, "Gr\xC3\xB6\xC3\x9F"
          "e");
  EXPECT_EQ(TextOf(e), "Gr\xC3\xB6\xC3\x9F"
                       "e");
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{7}, DWORD{7}));
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(Sel(e).first, 4u);
  Key(VK_LEFT);
  EXPECT_EQ(Sel(e).first, 2u);
  Key(VK_RIGHT, HeadlessShift);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{2}, DWORD{4}));
  Key(VK_BACK);
  EXPECT_EQ(TextOf(e), "Gr\xC3\x9F"
                       "e");
  SetSel(e, 3, 3);
  EXPECT_EQ(Sel(e).first, 2u) << "EM_SETSEL inside a character snaps to its start";
}

TEST_F(EditClassTest, ShiftSelectionWordMovesHomeEnd) {
  const HWND e = Make(ES_AUTOHSCROLL, "alpha beta gamma");
  SetFocus(e);
  Key(VK_END);
  Key(VK_LEFT, HeadlessControl | HeadlessShift);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{11}, DWORD{16}));
  Key(VK_LEFT, HeadlessControl | HeadlessShift);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{6}, DWORD{16}));
  Key(VK_HOME, HeadlessShift);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{0}, DWORD{16}));
  Key(VK_RIGHT, HeadlessControl);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{6}, DWORD{6}));
}

TEST_F(EditClassTest, SetSelMinusOneRulesAndPackedResult) {
  const HWND e = Make(0, "abcdef");
  SetSel(e, 0, -1);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{0}, DWORD{6}));
  EXPECT_EQ(SendMessageA(e, EM_GETSEL, 0, 0), MAKELPARAM(0, 6));
  SetSel(e, 4, 1);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{1}, DWORD{4})) << "reversed ends";
  SetSel(e, -1, 0);
  EXPECT_EQ(Sel(e).first, Sel(e).second) << "-1 start removes the selection";
  SetSel(e, 2, 99);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{2}, DWORD{6}));
}

TEST_F(EditClassTest, ReplaceSelUndoFlagAndUndoRedo) {
  const HWND e = Make(0, "hello world");
  SetSel(e, 0, 5);
  SendMessageA(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("bye"));
  EXPECT_EQ(TextOf(e), "bye world");
  EXPECT_TRUE(SendMessageA(e, EM_CANUNDO, 0, 0));
  EXPECT_TRUE(SendMessageA(e, EM_GETMODIFY, 0, 0));
  SendMessageA(e, EM_UNDO, 0, 0);
  EXPECT_EQ(TextOf(e), "hello world");
  SendMessageA(e, WM_UNDO, 0, 0);
  EXPECT_EQ(TextOf(e), "bye world") << "undoing the undo redoes";
  SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
  EXPECT_FALSE(SendMessageA(e, EM_CANUNDO, 0, 0));
  SetWindowTextA(e, "fresh");
  EXPECT_FALSE(SendMessageA(e, EM_GETMODIFY, 0, 0));
  EXPECT_EQ(Sel(e).first, 0u);
}

TEST_F(EditClassTest, LimitRefusesWithMaxTextAndCountsChanges) {
  const HWND e = Make(ES_AUTOHSCROLL);
  EXPECT_EQ(SendMessageA(e, EM_GETLIMITTEXT, 0, 0), 0x7FFF);
  SendMessageA(e, EM_LIMITTEXT, 3, 0);
  Type(e, "abcd");
  EXPECT_EQ(TextOf(e), "abc");
  EXPECT_EQ(Count(e, EN_CHANGE), 3);
  EXPECT_EQ(Count(e, EN_UPDATE), 3);
  EXPECT_EQ(Count(e, EN_MAXTEXT), 1);
  SetWindowTextA(e, "longer than three");
  EXPECT_EQ(TextOf(e), "longer than three") << "the limit holds for the user only";
  EXPECT_EQ(Count(e, EN_CHANGE), 4);
}

TEST_F(EditClassTest, NumberAndUppercaseStyles) {
  const HWND number = Make(ES_NUMBER);
  const auto beeps = MessageBeepCount();
  Type(number, "1a2-3");
  EXPECT_EQ(TextOf(number), "123");
  EXPECT_EQ(MessageBeepCount(), beeps + 2);
  SetWindowTextA(number, "x9");
  EXPECT_EQ(TextOf(number), "x9");
  const HWND upper = Make(ES_UPPERCASE, "", 160, 24, 10, 40);
  Type(upper, "ab\xC3\xA4");
  EXPECT_EQ(TextOf(upper), "AB\xC3\x84");
}

TEST_F(EditClassTest, ClipboardCutCopyPasteBetweenEdits) {
  const HWND from = Make(0, "copy me");
  const HWND to = Make(0, "", 160, 24, 10, 40);
  SetSel(from, 0, 4);
  SendMessageA(from, WM_COPY, 0, 0);
  SetFocus(to);
  Key('V', HeadlessControl);
  EXPECT_EQ(TextOf(to), "copy");
  SetFocus(from);
  SetSel(from, 4, 7);
  Key('X', HeadlessControl);
  EXPECT_EQ(TextOf(from), "copy");
  SendMessageA(to, WM_PASTE, 0, 0);
  EXPECT_EQ(TextOf(to), "copy me");
  SetSel(to, 0, -1);
  SendMessageA(to, WM_CLEAR, 0, 0);
  EXPECT_EQ(TextOf(to), "");
}

TEST_F(EditClassTest, PasswordEditNeitherCopiesNorShowsItsText) {
  const HWND secret = Make(ES_PASSWORD, "hunter2");
  EXPECT_EQ(SendMessageA(secret, EM_GETPASSWORDCHAR, 0, 0), '*');
  const HWND plain = Make(0, "clip", 160, 24, 10, 40);
  SetSel(plain, 0, -1);
  SendMessageA(plain, WM_COPY, 0, 0);
  SetSel(secret, 0, -1);
  SendMessageA(secret, WM_COPY, 0, 0);
  SetSel(plain, 4, 4);
  SendMessageA(plain, WM_PASTE, 0, 0);
  EXPECT_EQ(TextOf(plain), "clipclip");
  const TRaster masked = Shot(secret);
  SendMessageA(secret, EM_SETPASSWORDCHAR, 0, 0);
  const TRaster shown = Shot(secret);
  EXPECT_NE(masked.Pixels, shown.Pixels);
  SendMessageA(secret, EM_SETPASSWORDCHAR, '#', 0);
  EXPECT_EQ(Shot(secret).Pixels.size(), masked.Pixels.size());
  EXPECT_EQ(TextOf(secret), "hunter2");
}

TEST_F(EditClassTest, MultiLineBreaksIndexAndOnlyMultiLineAnswersLineIndex) {
  const HWND memo = Make(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, "one\r\ntwo\r\n", 160, 80);
  EXPECT_EQ(SendMessageA(memo, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, 1, 0), 5);
  EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, 2, 0), 10);
  EXPECT_EQ(SendMessageA(memo, EM_LINEINDEX, 3, 0), -1);
  EXPECT_EQ(SendMessageA(memo, EM_LINELENGTH, 6, 0), 3);
  EXPECT_EQ(SendMessageA(memo, EM_LINEFROMCHAR, 7, 0), 1);
  char line[16] = {};
  const WORD room = sizeof line;
  std::memcpy(line, &room, sizeof room);
  EXPECT_EQ(SendMessageA(memo, EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 3);
  EXPECT_EQ(String(line, 3), "two");
  const HWND single = Make(0, "abc", 160, 24, 10, 100);
  SetSel(single, 2, 2);
  EXPECT_EQ(SendMessageA(single, EM_LINEINDEX, 0, 0), 0);
  EXPECT_EQ(SendMessageA(single, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 0);
  EXPECT_EQ(SendMessageA(single, EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_EQ(SendMessageA(single, EM_LINEINDEX, 1, 0), 0) << "a multi-line edit answers -1";
}

TEST_F(EditClassTest, EnterAndCaretAcrossCrLf) {
  const HWND memo = Make(ES_MULTILINE | ES_WANTRETURN, "", 160, 80);
  Type(memo, "ab");
  Key(VK_RETURN);
  Type(memo, "c");
  EXPECT_EQ(TextOf(memo), "ab\r\nc");
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(Sel(memo).first, 2u) << "CR LF is one step";
  Key(VK_DOWN);
  EXPECT_EQ(Sel(memo).first, 5u);
  const HWND single = Make(0, "", 160, 24, 10, 100);
  Type(single, "x");
  Key(VK_RETURN);
  EXPECT_EQ(TextOf(single), "x");
}

TEST_F(EditClassTest, WordWrapBreaksBeforeTheWordThatCrosses) {
  const HWND memo = Make(ES_MULTILINE, "", 80, 80);
  SetWindowTextA(memo, "the quick brown fox jumps over");
  const auto lines = SendMessageA(memo, EM_GETLINECOUNT, 0, 0);
  EXPECT_GT(lines, 2);
  for (int i = 1; i < lines; ++i) {
    const auto start = SendMessageA(memo, EM_LINEINDEX, static_cast<WPARAM>(i), 0);
    EXPECT_NE(TextOf(memo)[static_cast<std::size_t>(start)], ' ') << "line " << i;
    EXPECT_EQ(TextOf(memo)[static_cast<std::size_t>(start - 1)], ' ') << "line " << i;
  }
  EXPECT_EQ(TextOf(memo), "the quick brown fox jumps over") << "wrapping adds no characters";
}

TEST_F(EditClassTest, ScrollBarsFollowTheCaretAndScrollTheMemo) {
  const HWND memo = Make(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "", 160, 60);
  String text;
  for (int i = 0; i < 20; ++i) text += "line " + std::to_string(i) + "\r\n";
  SetWindowTextA(memo, text.c_str());
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(memo, SB_VERT, &info));
  EXPECT_EQ(info.nMax, 20);
  EXPECT_GT(info.nPage, 0u);
  EXPECT_EQ(info.nPos, 0);
  SendMessageA(memo, WM_VSCROLL, SB_LINEDOWN, 0);
  SendMessageA(memo, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 2);
  GetScrollInfo(memo, SB_VERT, &info);
  EXPECT_EQ(info.nPos, 2);
  SetFocus(memo);
  Key(VK_END, HeadlessControl);
  GetScrollInfo(memo, SB_VERT, &info);
  EXPECT_EQ(info.nPos, static_cast<int>(info.nMax) - static_cast<int>(info.nPage) + 1);
  EXPECT_GT(Count(memo, EN_VSCROLL), 0);
  SendMessageA(memo, WM_VSCROLL, SB_TOP, 0);
  RECT r;
  GetWindowRect(memo, &r);
  const int arrow = GetSystemMetrics(SM_CXVSCROLL);
  Display.Click(r.Right - 2 - arrow / 2, r.Bottom - 2 - arrow / 2);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 1) << "the bar's down arrow";
}

TEST_F(EditClassTest, AutoScrollKeepsCaretVisibleAndPlainEditStopsAtEdge) {
  const HWND scrolling = Make(ES_AUTOHSCROLL, "", 60);
  Type(scrolling, "a long text that is wider than the edit");
  EXPECT_EQ(TextOf(scrolling).size(), 39u);
  const LRESULT caret =
      SendMessageA(scrolling, EM_POSFROMCHAR, static_cast<WPARAM>(TextOf(scrolling).size() - 1), 0);
  EXPECT_LT(GET_X_LPARAM(caret), 60);
  EXPECT_GT(SendMessageA(scrolling, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  const HWND fixed = Make(0, "", 60, 24, 10, 40);
  Type(fixed, "a long text that is wider than the edit");
  EXPECT_LT(TextOf(fixed).size(), 39u);
  EXPECT_GT(Count(fixed, EN_MAXTEXT), 0);
}

TEST_F(EditClassTest, ParentRewritingTextOnChangeKeepsTheCaretItSets) {
  const HWND e = Make(ES_AUTOHSCROLL, "abcdef");
  TestHandler() = [&](HWND h, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (h != Parent || m != WM_COMMAND || HIWORD(w) != EN_CHANGE) return std::nullopt;
    DWORD start = 0;
    SendMessageA(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    const String upper = AnsiUpperCase(TextOf(e));
    if (upper == TextOf(e)) return 0;
    SetWindowTextA(e, upper.c_str());
    SetSel(e, static_cast<int>(start), static_cast<int>(start));
    return 0;
  };
  SetFocus(e);
  SetSel(e, 3, 3);
  Display.TypeText("x");
  Display.ProcessMessages();
  EXPECT_EQ(TextOf(e), "ABCXDEF");
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{4}, DWORD{4}));
  Display.TypeText("y");
  Display.ProcessMessages();
  EXPECT_EQ(TextOf(e), "ABCXYDEF");
}

TEST_F(EditClassTest, MouseClickDragAndDoubleClickSelect) {
  const HWND e = Make(0, "word other");
  RECT r;
  GetWindowRect(e, &r);
  const LRESULT end = SendMessageA(e, EM_POSFROMCHAR, 4, 0);
  const int y = r.Top + 2 + GET_Y_LPARAM(end) + 4;
  Display.MouseDown(r.Left + 2 + 2, y);
  Display.MouseMove(r.Left + 2 + GET_X_LPARAM(end), y);
  Display.MouseUp(r.Left + 2 + GET_X_LPARAM(end), y);
  Display.ProcessMessages();
  EXPECT_EQ(GetFocus(), e);
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{0}, DWORD{4}));
  Display.Advance(1000);
  const LRESULT other = SendMessageA(e, EM_POSFROMCHAR, 7, 0);
  Display.DoubleClick(r.Left + 2 + GET_X_LPARAM(other), y);
  Display.ProcessMessages();
  EXPECT_EQ(Sel(e), std::make_pair(DWORD{5}, DWORD{10}));
}

TEST_F(EditClassTest, PaintShowsSelectionCaretAndGreyReadOnly) {
  const HWND e = Make(0, "selected");
  const HWND readOnly = Make(ES_READONLY, "fixed", 160, 24, 10, 40);
  SetSel(e, 0, -1);
  EXPECT_EQ(ColumnWith(Shot(e), NavyPixel), -1) << "hidden while unfocused";
  SetFocus(e);
  EXPECT_GE(ColumnWith(Shot(e), NavyPixel), 0);
  SetSel(e, 0, 0);
  const TRaster caretShot = Shot(e);
  EXPECT_EQ(ColumnWith(caretShot, NavyPixel), -1);
  EXPECT_EQ(caretShot.At(3, 10), BlackPixel) << "the caret at the left of the text";
  const TRaster grey = Shot(readOnly);
  EXPECT_EQ(grey.At(grey.Width / 2, grey.Height - 4), FacePixel);
}

TEST_F(EditClassTest, TheCaretBlinksAtTheBlinkTimeAndEveryKeyShowsItAgain) {
  const HWND e = Make(0, "");
  SetFocus(e);
  ASSERT_EQ(GetCaretBlinkTime(), 530u);
  const auto caretShown = [&] { return Shot(e).At(3, 10) == BlackPixel; };
  EXPECT_TRUE(caretShown());
  Display.Advance(530);
  EXPECT_FALSE(caretShown());
  Display.Advance(530);
  EXPECT_TRUE(caretShown());
  Display.Advance(530);
  Key(VK_HOME);
  EXPECT_TRUE(caretShown()) << "a key shows the caret and starts its blink over";
  Display.Advance(529);
  EXPECT_TRUE(caretShown());
  Display.Advance(1);
  EXPECT_FALSE(caretShown());
  ASSERT_TRUE(SetCaretBlinkTime(200));
  Key(VK_HOME);
  Display.Advance(200);
  EXPECT_FALSE(caretShown());
  SetCaretBlinkTime(530);
  SetFocus(nullptr);
  Display.Advance(530);
  EXPECT_FALSE(caretShown()) << "no caret without the focus";
}

TEST_F(EditClassTest, SheetOfEditsInTheirStates) {
  const HWND focused = Make(ES_AUTOHSCROLL, "Focused, selected", 170, 24, 10, 10);
  Make(ES_AUTOHSCROLL, "Unfocused", 170, 24, 10, 40);
  Make(ES_READONLY, "Read-only", 170, 24, 10, 70);
  Make(WS_DISABLED, "Disabled", 170, 24, 10, 100);
  Make(ES_PASSWORD, "secret", 170, 24, 10, 130);
  Make(ES_CENTER, "Centred", 170, 24, 10, 160);
  const HWND scrolled = Make(ES_AUTOHSCROLL, "", 170, 24, 10, 190);
  SetWindowTextA(scrolled, "Scrolled to the end of a long line of text");
  SendMessageA(scrolled, EM_SETSEL, 43, 43);
  Make(ES_MULTILINE, "A word-wrapped memo whose words fall onto the following lines.", 180, 80, 200,
       10);
  const HWND bars = Make(ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
                         "", 180, 100, 200, 100);
  SetWindowTextA(bars, "Memo with scroll bars\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8");
  SetFocus(focused);
  SendMessageA(focused, EM_SETSEL, 0, 7);
  const TRaster shot = Display.Snapshot(Parent);
  WritePngFile(shot, SheetPath("edit_class.png"));
  EXPECT_GE(ColumnWith(shot, NavyPixel), 10);
}

} // namespace
