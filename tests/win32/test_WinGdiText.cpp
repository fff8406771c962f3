#include "framework/win32/Windows.h"
#include "tests/win32/DcTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

class WinGdiTextTest : public ::testing::Test {
protected:
  void SetUp() override {
    UsePackagedFonts();
    Font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    OldFont = SelectObject(Dc.Dc, Font);
    SetBkMode(Dc.Dc, TRANSPARENT);
  }
  void TearDown() override {
    SelectObject(Dc.Dc, OldFont);
    DeleteObject(Font);
  }

  SIZE Extent(const char* text) {
    SIZE size;
    GetTextExtentPoint32A(Dc.Dc, text, static_cast<int>(std::strlen(text)), &size);
    return size;
  }
  std::vector<COLORREF> Draw(int x, int y, const char* text) {
    Dc.Clear();
    TextOutA(Dc.Dc, x, y, text, static_cast<int>(std::strlen(text)));
    return Dc.Pixels();
  }

  TMemoryDc Dc{160, 60};
  HFONT Font = nullptr;
  HGDIOBJ OldFont = nullptr;
};

TEST(WinGdiFontTest, CreatedFontsGiveTheirRecordBack) {
  LOGFONTA lf = MakeLogFont("Times New Roman", -20, FW_BOLD);
  lf.lfItalic = 1;
  lf.lfEscapement = 900;
  HFONT font = CreateFontIndirectA(&lf);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  EXPECT_EQ(GetObject(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTA)));
  EXPECT_EQ(GetObject(font, sizeof(LOGFONTA) - 1, &lf), 0);
  LOGFONTA back;
  ASSERT_EQ(GetObject(font, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_STREQ(back.lfFaceName, "Times New Roman");
  EXPECT_EQ(back.lfHeight, -20);
  EXPECT_EQ(back.lfWeight, FW_BOLD);
  EXPECT_EQ(back.lfItalic, 1);
  EXPECT_EQ(back.lfEscapement, 900);
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(GetObjectType(font), 0u);
}

TEST(WinGdiFontTest, BadRecordsMakeNoFont) {
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  LOGFONTA huge = MakeLogFont("Arial", -5000);
  EXPECT_EQ(CreateFontIndirectA(&huge), nullptr);
  // A face name without its terminating zero is cut, not read past.
  LOGFONTA unterminated;
  std::memset(unterminated.lfFaceName, 'A', LF_FACESIZE);
  HFONT font = CreateFontIndirectA(&unterminated);
  LOGFONTA back;
  GetObject(font, sizeof back, &back);
  EXPECT_EQ(std::strlen(back.lfFaceName), static_cast<std::size_t>(LF_FACESIZE - 1));
  DeleteObject(font);
}

TEST(WinGdiFontTest, StockFontsAndTheDefaultOfNewDcs) {
  const int indices[] = {OEM_FIXED_FONT,      ANSI_FIXED_FONT,   ANSI_VAR_FONT,   SYSTEM_FONT,
                         DEVICE_DEFAULT_FONT, SYSTEM_FIXED_FONT, DEFAULT_GUI_FONT};
  for (int index : indices) {
    HGDIOBJ font = GetStockObject(index);
    ASSERT_NE(font, nullptr) << index;
    EXPECT_EQ(GetObjectType(font), OBJ_FONT) << index;
    EXPECT_FALSE(DeleteObject(font)) << index;
  }
  LOGFONTA gui;
  GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_EQ(gui.lfHeight, -11);
  LOGFONTA fixed;
  GetObject(GetStockObject(ANSI_FIXED_FONT), sizeof fixed, &fixed);
  EXPECT_EQ(fixed.lfPitchAndFamily & 3, FIXED_PITCH);

  TMemoryDc dc(10, 10);
  EXPECT_EQ(GetCurrentObject(dc.Dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  char face[32];
  EXPECT_EQ(GetTextFaceA(dc.Dc, sizeof face, face), 6);
  EXPECT_STREQ(face, "System");
}

TEST(WinGdiFontTest, SelectingReturnsThePreviousFontAndSelectedFontsStay) {
  UsePackagedFonts();
  TMemoryDc dc(10, 10);
  HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Courier New");
  EXPECT_EQ(SelectObject(dc.Dc, font), GetStockObject(SYSTEM_FONT));
  EXPECT_FALSE(DeleteObject(font)); // still selected
  EXPECT_EQ(GetObjectType(font), OBJ_FONT);
  char face[8];
  EXPECT_EQ(GetTextFaceA(dc.Dc, sizeof face, face), 7);
  EXPECT_STREQ(face, "Courier");
  EXPECT_EQ(GetTextFaceA(dc.Dc, 0, nullptr), 12);
  EXPECT_EQ(SelectObject(dc.Dc, GetStockObject(ANSI_VAR_FONT)), font);
  EXPECT_TRUE(DeleteObject(font));
}

TEST(WinGdiMonoTextTest, MonochromeBitmapsGetBlackOrWhiteWholePixels) {
  UsePackagedFonts();
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP mono = CreateBitmap(80, 20, 1, 1, nullptr);
  HGDIOBJ old = SelectObject(dc, mono);
  PatBlt(dc, 0, 0, 80, 20, WHITENESS);
  HFONT font = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetTextColor(dc, RGB(200, 0, 0)); // dark: black
  SetBkColor(dc, RGB(250, 250, 0)); // light: white
  TextOutA(dc, 2, 2, "Mono", 4);
  int black = 0;
  int other = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      const COLORREF c = GetPixel(dc, x, y);
      black += c == 0 ? 1 : 0;
      other += c != 0 && c != WhiteRef ? 1 : 0;
    }
  EXPECT_GT(black, 20);
  EXPECT_EQ(other, 0);
  SelectObject(dc, oldFont);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  DeleteObject(mono);
}

TEST_F(WinGdiTextTest, TextCallsRefuseBadArguments) {
  EXPECT_FALSE(TextOutA(Dc.Dc, 0, 0, "abc", -1));
  EXPECT_FALSE(TextOutA(Dc.Dc, 0, 0, nullptr, 3));
  EXPECT_TRUE(TextOutA(Dc.Dc, 0, 0, nullptr, 0));
  EXPECT_FALSE(TextOutA(nullptr, 0, 0, "abc", 3));
  SIZE size;
  EXPECT_FALSE(GetTextExtentPoint32A(Dc.Dc, "abc", 3, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(Dc.Dc, "abc", -2, &size));
  EXPECT_FALSE(GetTextMetricsA(Dc.Dc, nullptr));
  EXPECT_EQ(TabbedTextOutA(Dc.Dc, 0, 0, "a\tb", 3, 2, nullptr, 0), 0);
  RECT r{0, 0, 100, 20};
  EXPECT_EQ(DrawTextA(Dc.Dc, "abc", 3, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(Dc.Dc, nullptr, 3, &r, 0), 0);
  EXPECT_EQ(Dc.InkBox(), std::nullopt);
}

TEST_F(WinGdiTextTest, ExtentsAndMetricsComeFromTheSelectedFont) {
  TEXTMETRICA tm;
  ASSERT_TRUE(GetTextMetricsA(Dc.Dc, &tm));
  const SIZE size = Extent("Hello");
  EXPECT_EQ(size.cy, tm.tmHeight);
  EXPECT_GT(size.cx, 0);
  EXPECT_EQ(Extent("HelloHello").cx, 2 * size.cx);
  SIZE old;
  GetTextExtentPointA(Dc.Dc, "Hello", 5, &old);
  EXPECT_EQ(old.cx, size.cx);
  HFONT big = CreateFontA(-32, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(Dc.Dc, big);
  EXPECT_GT(Extent("Hello").cx, size.cx * 3 / 2);
  SelectObject(Dc.Dc, Font);
  DeleteObject(big);
}

TEST_F(WinGdiTextTest, ExtentExCountsWhatFitsWithTheCharacterExtra) {
  const char* text = "fit\xC3\xA4x"; // five characters in six bytes
  int fit = -1;
  int dx[6] = {};
  SIZE size;
  ASSERT_TRUE(GetTextExtentExPointA(Dc.Dc, text, 6, 1000, &fit, dx, &size));
  EXPECT_EQ(fit, 5);
  EXPECT_EQ(dx[4], size.cx);
  EXPECT_EQ(size.cx, Extent(text).cx);
  ASSERT_TRUE(GetTextExtentExPointA(Dc.Dc, text, 6, dx[2], &fit, nullptr, &size));
  EXPECT_EQ(fit, 3);
  const int plain[6] = {dx[0], dx[1], dx[2], dx[3], dx[4], dx[5]};
  SetTextCharacterExtra(Dc.Dc, 4);
  ASSERT_TRUE(GetTextExtentExPointA(Dc.Dc, text, 6, plain[2] + 12, &fit, dx, &size));
  EXPECT_EQ(fit, 3);
  EXPECT_EQ(dx[0], plain[0] + 4);
  EXPECT_EQ(dx[4], plain[4] + 20);
  EXPECT_EQ(size.cx, Extent(text).cx);
  SetTextCharacterExtra(Dc.Dc, 0);
  EXPECT_FALSE(GetTextExtentExPointA(Dc.Dc, text, 6, 10, &fit, dx, nullptr));
}

TEST_F(WinGdiTextTest, OriginsMoveTheTextAsTheyMoveEverythingElse) {
  const std::vector<COLORREF> plain = Draw(30, 20, "Origin");
  SetWindowOrgEx(Dc.Dc, 10, 5, nullptr);
  EXPECT_EQ(Draw(40, 25, "Origin"), plain);
  SetViewportOrgEx(Dc.Dc, -7, 3, nullptr);
  EXPECT_EQ(Draw(47, 22, "Origin"), plain);
}

TEST_F(WinGdiTextTest, TheClipRegionKeepsTextInside) {
  const std::vector<COLORREF> whole = Draw(10, 10, "Clipped text");
  IntersectClipRect(Dc.Dc, 30, 0, 60, 60);
  const std::vector<COLORREF> clipped = Draw(10, 10, "Clipped text");
  for (int y = 0; y < Dc.Height; ++y)
    for (int x = 0; x < Dc.Width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * Dc.Width + x);
      EXPECT_EQ(clipped[i], x >= 30 && x < 60 ? whole[i] : WhiteRef) << x << "," << y;
    }
}

TEST_F(WinGdiTextTest, UpdateCpDrawsAtTheCurrentPositionAndMovesIt) {
  const std::vector<COLORREF> whole = Draw(15, 12, "abcd");
  SetWindowOrgEx(Dc.Dc, 5, 2, nullptr);
  Dc.Clear();
  SetTextAlign(Dc.Dc, TA_UPDATECP);
  MoveToEx(Dc.Dc, 20, 14, nullptr);
  TextOutA(Dc.Dc, 90, 40, "ab", 2); // the coordinates are ignored
  TextOutA(Dc.Dc, 0, 0, "cd", 2);
  EXPECT_EQ(Dc.Pixels(), whole);
  POINT cp;
  GetCurrentPositionEx(Dc.Dc, &cp);
  EXPECT_EQ(cp.X, 20 + Extent("abcd").cx);
  EXPECT_EQ(cp.Y, 14);
}

TEST_F(WinGdiTextTest, ColoursAndTheOpaqueBackground) {
  SetTextColor(Dc.Dc, Blue);
  SetBkColor(Dc.Dc, Red);
  Draw(10, 10, "Colour");
  EXPECT_EQ(Dc.Count(Red), 0);
  EXPECT_GT(Dc.Count(Blue), 10);
  const int ink = Dc.CountOthers(WhiteRef, WhiteRef);
  SetBkMode(Dc.Dc, OPAQUE);
  Draw(10, 10, "Colour");
  const SIZE size = Extent("Colour");
  EXPECT_EQ(Dc.BoxOf(Red), (TRect{10, 10, 10 + size.cx, 10 + size.cy}));
  EXPECT_GT(Dc.Count(Red), size.cx * size.cy / 2);
  EXPECT_GT(Dc.Count(Blue), 10);
  // Antialiased edges blend with the background but the glyphs are the same.
  EXPECT_NEAR(Dc.CountOthers(WhiteRef, Red), ink, ink / 10);
}

TEST_F(WinGdiTextTest, ExtTextOutFillsAndClipsToItsRectangleInLogicalCoordinates) {
  SetWindowOrgEx(Dc.Dc, -10, -10, nullptr);
  SetBkColor(Dc.Dc, Red);
  const RECT box{0, 0, 30, 12};
  Dc.Clear();
  ExtTextOutA(Dc.Dc, 2, 0, ETO_OPAQUE | ETO_CLIPPED, &box, "Wide text", 9, nullptr);
  EXPECT_EQ(Dc.InkBox(), (TRect{10, 10, 40, 22}));
  const int dx[] = {20, 20, 20};
  Dc.Clear();
  ExtTextOutA(Dc.Dc, 0, 0, 0, nullptr, "lll", 3, dx);
  const TRect spaced = *Dc.InkBox();
  EXPECT_GE(spaced.Width(), 40);
}

TEST_F(WinGdiTextTest, CharacterExtraSpacesTextAndExtents) {
  const SIZE plain = Extent("Wide");
  const int a = Extent("W").cx;
  const int b = Extent("i").cx;
  const int c = Extent("d").cx;
  const int d = Extent("e").cx;
  EXPECT_EQ(SetTextCharacterExtra(Dc.Dc, 5), 0);
  EXPECT_EQ(GetTextCharacterExtra(Dc.Dc), 5);
  EXPECT_EQ(Extent("Wide").cx, plain.cx + 4 * 5);
  const std::vector<COLORREF> spaced = Draw(5, 5, "Wide");
  const int dx[] = {a + 5, b + 5, c + 5, d + 5};
  SetTextCharacterExtra(Dc.Dc, 0);
  Dc.Clear();
  ExtTextOutA(Dc.Dc, 5, 5, 0, nullptr, "Wide", 4, dx);
  EXPECT_EQ(Dc.Pixels(), spaced);
  SaveDC(Dc.Dc);
  SetTextCharacterExtra(Dc.Dc, 3);
  RestoreDC(Dc.Dc, -1);
  EXPECT_EQ(GetTextCharacterExtra(Dc.Dc), 0);
  // Absurd spacing is held to the device space and draws without overflowing.
  SetTextCharacterExtra(Dc.Dc, INT32_MAX);
  EXPECT_EQ(GetTextCharacterExtra(Dc.Dc), 1 << 27);
  EXPECT_TRUE(TextOutA(Dc.Dc, 0, 0, "ab", 2));
  EXPECT_EQ(GetTextCharacterExtra(nullptr), INT32_MIN);
}

TEST_F(WinGdiTextTest, TabbedTextHonoursTheOriginAndReturnsItsExtent) {
  const int stops[] = {50};
  Dc.Clear();
  const LONG extent = TabbedTextOutA(Dc.Dc, 30, 10, "a\tb", 3, 1, stops, 30);
  const std::vector<COLORREF> plain = Dc.Pixels();
  EXPECT_EQ(static_cast<DWORD>(extent), GetTabbedTextExtentA(Dc.Dc, "a\tb", 3, 1, stops));
  EXPECT_EQ(static_cast<int>(extent & 0xFFFF), 50 + Extent("b").cx);
  SetViewportOrgEx(Dc.Dc, 20, 0, nullptr);
  Dc.Clear();
  EXPECT_EQ(TabbedTextOutA(Dc.Dc, 10, 10, "a\tb", 3, 1, stops, 10), extent);
  EXPECT_EQ(Dc.Pixels(), plain);
}

TEST_F(WinGdiTextTest, DrawTextWorksInLogicalCoordinates) {
  RECT calc{0, 0, 0, 0};
  EXPECT_EQ(DrawTextA(Dc.Dc, "Line", -1, &calc, DT_CALCRECT | DT_SINGLELINE), Extent("L").cy);
  EXPECT_EQ(calc.Right, Extent("Line").cx);
  SetWindowOrgEx(Dc.Dc, 100, 100, nullptr);
  RECT moved{100, 100, 100, 100};
  DrawTextA(Dc.Dc, "Line", -1, &moved, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(moved, (RECT{100, 100, 100 + calc.Right, 100 + calc.Bottom}));
  Dc.Clear();
  RECT r{110, 105, 250, 150};
  DrawTextA(Dc.Dc, "Line", 4, &r, DT_SINGLELINE);
  const TRect ink = *Dc.InkBox();
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Right, 10 + calc.Right);
  EXPECT_GE(ink.Top, 5);
}

TEST_F(WinGdiTextTest, DrawTextExAddsMarginsAndReturnsTheShortenedText) {
  DRAWTEXTPARAMS params;
  params.iLeftMargin = 7;
  params.iRightMargin = 5;
  RECT calc{0, 0, 0, 0};
  char text[] = "Margins";
  DrawTextExA(Dc.Dc, text, -1, &calc, DT_CALCRECT | DT_SINGLELINE, &params);
  EXPECT_EQ(calc.Right, 7 + Extent("Margins").cx + 5);
  EXPECT_EQ(params.uiLengthDrawn, 7u);

  char longText[] = "A rather long line of text";
  RECT narrow{0, 0, 60, 20};
  DrawTextExA(Dc.Dc, longText, -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING,
              nullptr);
  const std::string shown(longText);
  EXPECT_LT(shown.size(), std::strlen("A rather long line of text"));
  EXPECT_EQ(shown.substr(shown.size() - 3), "...");
  DRAWTEXTPARAMS wrong;
  wrong.cbSize = 3;
  EXPECT_EQ(DrawTextExA(Dc.Dc, text, -1, &calc, 0, &wrong), 0);
}

} // namespace
