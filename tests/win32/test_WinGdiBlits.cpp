#include "tests/win32/Canvas.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Fills row 0 of the canvas with the given colours.
void PaintRow(TTestCanvas& c, std::initializer_list<COLORREF> colours) {
  int x = 0;
  for (COLORREF colour : colours) SetPixel(c.Dc(), x++, 0, colour);
}

TEST(GdiBitBlt, NamedRopsMatchTheirTruthTables) {
  const DWORD p = RGB(0xF0, 0x3C, 0x55), s = RGB(0xCC, 0x0F, 0x96), d = RGB(0xAA, 0x66, 0x3A);
  struct TCase {
    DWORD Rop;
    DWORD Expected;
  };
  const TCase cases[] = {
      {SRCCOPY, s},         {SRCAND, s & d},  {SRCPAINT, s | d},       {SRCINVERT, s ^ d},
      {SRCERASE, s & ~d},   {NOTSRCCOPY, ~s}, {NOTSRCERASE, ~(s | d)}, {MERGECOPY, p & s},
      {MERGEPAINT, ~s | d}, {PATCOPY, p},     {PATPAINT, p | ~s | d},  {PATINVERT, p ^ d},
      {DSTINVERT, ~d},      {BLACKNESS, 0},   {WHITENESS, 0xFFFFFF},
  };
  TTestCanvas src(1, 1);
  SetPixel(src.Dc(), 0, 0, s);
  for (const TCase& t : cases) {
    TTestCanvas dst(1, 1);
    SetPixel(dst.Dc(), 0, 0, d);
    dst.Use(CreateSolidBrush(p));
    EXPECT_TRUE(BitBlt(dst.Dc(), 0, 0, 1, 1, src.Dc(), 0, 0, t.Rop));
    EXPECT_EQ(GetPixel(dst.Dc(), 0, 0), t.Expected & 0xFFFFFF) << std::hex << t.Rop;
  }
}

TEST(GdiBitBlt, ClipsToTheSourceSurfaceAndTheDestinationClip) {
  TTestCanvas src(2, 2);
  RECT all{0, 0, 2, 2};
  FillRect(src.Dc(), &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  TTestCanvas dst(6, 2);
  IntersectClipRect(dst.Dc(), 0, 0, 5, 2);
  BitBlt(dst.Dc(), 0, 0, 6, 2, src.Dc(), -2, 0, SRCCOPY);
  EXPECT_EQ(dst.Map(Black)[0], "..##..");
  BitBlt(dst.Dc(), 4, 0, 2, 2, src.Dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(dst.Map(Black)[1], "..###.");
}

TEST(GdiBitBlt, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
  TTestCanvas c(6, 1);
  PaintRow(c, {Red, Blue, Black, White, White, White});
  BitBlt(c.Dc(), 1, 0, 4, 1, c.Dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(c.Pixels(), (std::vector<COLORREF>{Red, Red, Blue, Black, White, White}));
  BitBlt(c.Dc(), 0, 0, 4, 1, c.Dc(), 1, 0, SRCCOPY);
  EXPECT_EQ(c.Pixels(), (std::vector<COLORREF>{Red, Blue, Black, White, White, White}));
}

TEST(GdiStretchBlt, EnlargesAndShrinksByNearestPixel) {
  TTestCanvas src(4, 1);
  const COLORREF g = RGB(0, 128, 0);
  PaintRow(src, {Red, Blue, Black, g});
  TTestCanvas wide(8, 1);
  StretchBlt(wide.Dc(), 0, 0, 8, 1, src.Dc(), 0, 0, 2, 1, SRCCOPY);
  EXPECT_EQ(wide.Pixels(), (std::vector<COLORREF>{Red, Red, Red, Red, Blue, Blue, Blue, Blue}));
  TTestCanvas narrow(2, 1);
  StretchBlt(narrow.Dc(), 0, 0, 2, 1, src.Dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(narrow.Pixels(), (std::vector<COLORREF>{Blue, g}));
  TTestCanvas three(6, 1);
  StretchBlt(three.Dc(), 0, 0, 6, 1, src.Dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(three.Pixels(), (std::vector<COLORREF>{Red, Blue, Blue, Black, g, g}));
}

TEST(GdiStretchBlt, NegativeWidthRunsBackFromItsOriginAndMirrors) {
  TTestCanvas src(3, 1);
  PaintRow(src, {Red, Blue, Black});
  TTestCanvas dst(3, 1);
  StretchBlt(dst.Dc(), 2, 0, -3, 1, src.Dc(), 0, 0, 3, 1, SRCCOPY); // covers pixels 0 to 2
  EXPECT_EQ(dst.Pixels(), (std::vector<COLORREF>{Black, Blue, Red}));
  TTestCanvas again(3, 1);
  StretchBlt(again.Dc(), 0, 0, 3, 1, src.Dc(), 2, 0, -3, 1, SRCCOPY);
  EXPECT_EQ(again.Pixels(), (std::vector<COLORREF>{Black, Blue, Red}));
  TTestCanvas shifted(3, 1);
  StretchBlt(shifted.Dc(), 3, 0, -3, 1, src.Dc(), 0, 0, 3, 1, SRCCOPY); // covers 1 to 3
  EXPECT_EQ(shifted.Pixels(), (std::vector<COLORREF>{White, Black, Blue}));
}

TEST(GdiTransparentBlt, SkipsTheTransparentColour) {
  TTestCanvas src(3, 1);
  PaintRow(src, {Red, Blue, Red});
  TTestCanvas dst(3, 1);
  EXPECT_TRUE(TransparentBlt(dst.Dc(), 0, 0, 3, 1, src.Dc(), 0, 0, 3, 1, Red));
  EXPECT_EQ(dst.Pixels(), (std::vector<COLORREF>{White, Blue, White}));
}

TEST(GdiBitBlt, MonochromeSourceTakesTextAndBackgroundColours) {
  HBITMAP check = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK));
  ASSERT_NE(check, nullptr);
  BITMAP info;
  GetObject(check, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 13);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HDC mono = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mono, check);
  TTestCanvas dst(13, 13);
  SetTextColor(dst.Dc(), Red);
  SetBkColor(dst.Dc(), Blue);
  BitBlt(dst.Dc(), 0, 0, 13, 13, mono, 0, 0, SRCCOPY);
  EXPECT_EQ(dst.Count(Red), 21);
  EXPECT_EQ(dst.Count(Blue), 13 * 13 - 21);
  EXPECT_EQ(GetPixel(dst.Dc(), 9, 3), Red); // top right of the mark
  EXPECT_EQ(GetPixel(dst.Dc(), 3, 3), Blue);
  SelectObject(mono, old);
  DeleteDC(mono);
  DeleteObject(check);
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(32754)), nullptr);
}

TEST(GdiDib, GetDIBitsAndStretchDIBitsRoundTripBottomUp) {
  TTestCanvas c(3, 2);
  PaintRow(c, {Red, Blue, Black});
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = 2;
  info.bmiHeader.biBitCount = 32;
  std::array<std::uint32_t, 6> bits{};
  EXPECT_EQ(GetDIBits(c.Dc(), c.Bitmap(), 0, 2, bits.data(), &info, DIB_RGB_COLORS), 2);
  EXPECT_EQ(bits[3] & 0xFFFFFF, 0xFF0000u); // the top row comes last, red as 0x00RRGGBB
  EXPECT_EQ(bits[0] & 0xFFFFFF, 0xFFFFFFu);
  TTestCanvas out(3, 2);
  EXPECT_EQ(
      StretchDIBits(out.Dc(), 0, 0, 3, 2, 0, 0, 3, 2, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY),
      2);
  EXPECT_EQ(out.Pixels(), c.Pixels());
  TTestCanvas part(1, 1);
  // Source row 1 of a bottom-up DIB counted from the bottom is the top row.
  SetDIBitsToDevice(part.Dc(), 0, 0, 1, 1, 1, 1, 0, 2, bits.data(), &info, DIB_RGB_COLORS);
  EXPECT_EQ(GetPixel(part.Dc(), 0, 0), Blue);
}

TEST(GdiDib, TopDownSectionSharesItsPixels) {
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 2;
  info.bmiHeader.biHeight = -2;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(bits, nullptr);
  static_cast<std::uint32_t*>(bits)[1] = 0x0000FF;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, section);
  EXPECT_EQ(GetPixel(dc, 1, 0), Blue);
  SetPixel(dc, 0, 1, Red);
  EXPECT_EQ(static_cast<std::uint32_t*>(bits)[2] & 0xFFFFFF, 0xFF0000u);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(section);
}

TEST(GdiPatternBrush, TilesTheBitmapFromTheBrushOrigin) {
  const BYTE rows[4] = {0x40, 0, 0x80, 0}; // rows padded to 16 bits; a set bit is white
  HBITMAP bits = CreateBitmap(2, 2, 1, 1, rows);
  TTestCanvas c(4, 2);
  c.Use(CreatePatternBrush(bits));
  DeleteObject(bits);
  SetTextColor(c.Dc(), Red);
  SetBkColor(c.Dc(), Blue);
  PatBlt(c.Dc(), 0, 0, 4, 2, PATCOPY);
  EXPECT_EQ(c.Map(Red), (std::vector<std::string>{"#.#.", ".#.#"}));
  EXPECT_EQ(c.Map(Blue), (std::vector<std::string>{".#.#", "#.#."}));
}

TEST(GdiMonochrome, ColourToMonoBlitMakesTheBackgroundColourWhite) {
  TTestCanvas src(3, 1);
  PaintRow(src, {Red, Blue, Red});
  SetBkColor(src.Dc(), Red);
  HBITMAP mask = CreateBitmap(3, 1, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  BitBlt(dc, 0, 0, 3, 1, src.Dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dc, 0, 0), White);
  EXPECT_EQ(GetPixel(dc, 1, 0), Black);
  EXPECT_EQ(GetPixel(dc, 2, 0), White);
  // Pens land on a monochrome surface as the nearer of black and white.
  EXPECT_EQ(SetPixel(dc, 1, 0, RGB(250, 240, 200)), White);
  EXPECT_EQ(GetPixel(dc, 1, 0), White);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(mask);
}

} // namespace
