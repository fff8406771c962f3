#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"
#include "tests/user/UserTestSupport.h"

// The native controls in their states, rendered to out/sheets/native_controls.png in the build
// folder for a person to look at.

namespace {

constexpr std::uint32_t HighlightPixel = 0xFF000080u;

class ControlSheetTest : public UserTest {
protected:
  HWND Form = nullptr;
  void SetUp() override {
    UserTest::SetUp();
    WNDCLASSA wc;
    wc.lpfnWndProc = LoggingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SheetForm";
    RegisterClassA(&wc);
    Form = CreateWindowExA(0, "SheetForm", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 420, nullptr,
                           nullptr, nullptr, nullptr);
  }
  HWND Add(const char* cls, DWORD style, const char* text, int x, int y, int w, int h) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Form, nullptr,
                           nullptr, nullptr);
  }
  void ButtonRows() {
    Add("Button", BS_PUSHBUTTON, "&Normal", 10, 10, 90, 26);
    SendMessageA(Add("Button", BS_PUSHBUTTON, "Pressed", 110, 10, 90, 26), BM_SETSTATE, 1, 0);
    Add("Button", BS_DEFPUSHBUTTON, "Default", 210, 10, 90, 26);
    Focused = Add("Button", BS_PUSHBUTTON, "Focused", 310, 10, 90, 26);
    EnableWindow(Add("Button", BS_PUSHBUTTON, "Disabled", 410, 10, 90, 26), FALSE);
    Add("Button", BS_AUTOCHECKBOX, "Unchecked", 10, 50, 100, 20);
    SendMessageA(Add("Button", BS_AUTOCHECKBOX, "Checked", 110, 50, 100, 20), BM_SETCHECK, 1, 0);
    SendMessageA(Add("Button", BS_AUTO3STATE, "Grey", 210, 50, 100, 20), BM_SETCHECK, 2, 0);
    const HWND off = Add("Button", BS_AUTOCHECKBOX, "Disabled", 310, 50, 100, 20);
    SendMessageA(off, BM_SETCHECK, 1, 0);
    EnableWindow(off, FALSE);
    Add("Button", BS_AUTOCHECKBOX | BS_LEFTTEXT, "Left text", 410, 50, 100, 20);
    Add("Button", BS_GROUPBOX, "Group", 10, 80, 200, 80);
    Add("Button", BS_AUTORADIOBUTTON | WS_GROUP, "Radio one", 20, 100, 120, 20);
    SendMessageA(Add("Button", BS_AUTORADIOBUTTON, "Radio two", 20, 125, 120, 20), BM_SETCHECK, 1,
                 0);
    EnableWindow(Add("Button", BS_AUTORADIOBUTTON | WS_GROUP, "Disabled", 220, 100, 100, 20),
                 FALSE);
    Add("Button", BS_PUSHBUTTON | BS_MULTILINE, "Two lines of text", 330, 90, 80, 50);
  }
  void StaticRow() {
    Add("Static", SS_LEFT, "&Left static", 10, 175, 150, 18);
    Add("Static", SS_CENTER, "Centred", 170, 175, 150, 18);
    Add("Static", SS_RIGHT | SS_SUNKEN, "Right, sunken", 330, 175, 150, 18);
    Add("Static", SS_ETCHEDHORZ, "", 10, 200, 470, 2);
    Add("Static", SS_BLACKFRAME, "", 500, 170, 30, 30);
    Add("Static", SS_GRAYRECT, "", 540, 170, 30, 30);
    Add("Static", SS_ETCHEDFRAME, "", 580, 170, 30, 30);
  }
  void ListRow() {
    List = Add("ListBox", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, "", 10, 215, 150, 120);
    for (int i = 0; i < 20; ++i)
      SendMessageA(List, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(("Item " + std::to_string(10 + i)).c_str()));
    SendMessageA(List, LB_SETCURSEL, 2, 0);
    const HWND multi = Add("ListBox", WS_BORDER | LBS_EXTENDEDSEL, "", 170, 215, 120, 120);
    for (const char* s : {"one", "two", "three", "four"})
      SendMessageA(multi, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(multi, LB_SETSEL, 1, 0);
    SendMessageA(multi, LB_SETSEL, 1, 2);
    const HWND disabled = Add("ListBox", WS_BORDER, "", 300, 215, 120, 60);
    SendMessageA(disabled, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("disabled"));
    SendMessageA(disabled, LB_SETCURSEL, 0, 0);
    EnableWindow(disabled, FALSE);
    const HWND bar = Add("ScrollBar", SBS_HORZ, "", 300, 290, 200, 16);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMax = 99;
    info.nPage = 25;
    info.nPos = 40;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    const HWND vbar = Add("ScrollBar", SBS_VERT, "", 600, 215, 16, 150);
    SetScrollInfo(vbar, SB_CTL, &info, TRUE);
    const HWND both = Add("SheetForm", WS_VSCROLL | WS_HSCROLL | WS_BORDER, "", 440, 215, 150, 70);
    SetScrollInfo(both, SB_VERT, &info, TRUE);
    SetScrollInfo(both, SB_HORZ, &info, TRUE);
  }
  HWND Focused = nullptr;
  HWND List = nullptr;
};

TEST_F(ControlSheetTest, RendersEveryClassInItsStates) {
  ButtonRows();
  StaticRow();
  ListRow();
  SetFocus(Focused);
  const TRaster shot = Display.Snapshot(Form);
  WritePngFile(shot, SheetPath("native_controls.png"));
  RECT item;
  SendMessageA(List, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  POINT p{item.Left + 100, item.Top + 2};
  MapWindowPoints(List, Form, &p, 1);
  EXPECT_EQ(shot.At(p.X, p.Y), HighlightPixel) << "the selected item";
}

} // namespace
