#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"
#include "tests/win32/Canvas.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <set>
#include <utility>

// Pixels the platform draws, each expectation worked out from its rule for the case.

namespace {

using Rows = std::vector<std::string>;
using Pixel = std::pair<int, int>; // x, y
using PixelSet = std::set<Pixel>;

// The pixels of a cosmetic line from a to b, end excluded, by grid-intersect quantization: at
// each whole step along the longer axis the line lights the pixel whose diamond it leaves,
// the one nearest to it across the shorter axis. Where the line runs exactly midway between
// two pixels, the diamond owning the shared corner wins: diamonds keep their bottom and right
// corners, so an x-major line lights the upper pixel and a y-major line the left one, in every
// octant and whichever way the line runs.
PixelSet GiqLinePixels(POINT a, POINT b) {
  const long long dx = b.X - a.X, dy = b.Y - a.Y;
  const bool xMajor = std::llabs(dx) > std::llabs(dy);
  const long long n = xMajor ? dx : dy; // signed length along the major axis
  const long long m = xMajor ? dy : dx;
  const long long major0 = xMajor ? a.X : a.Y, minor0 = xMajor ? a.Y : a.X;
  PixelSet out;
  for (long long k = 0; k != n; k += n > 0 ? 1 : -1) {
    // The ideal minor coordinate is minor0 + k * m / n; compare doubled distances exactly.
    const long long twice = 2 * (minor0 * n + k * m); // 2 * ideal * n
    long long best = 0;
    long long bestDistance = -1;
    for (long long c = minor0 - std::llabs(m) - 1; c <= minor0 + std::llabs(m) + 1; ++c) {
      const long long distance = std::llabs(2 * c * n - twice);
      if (bestDistance < 0 || distance < bestDistance) { // ties keep the smaller coordinate
        best = c;
        bestDistance = distance;
      }
    }
    const int major = static_cast<int>(major0 + k);
    const int minor = static_cast<int>(best);
    out.insert(xMajor ? Pixel{major, minor} : Pixel{minor, major});
  }
  return out;
}

// The black pixels of a line drawn on a white canvas of the given size.
PixelSet DrawnLine(POINT a, POINT b, int size) {
  TTestCanvas c(size, size);
  MoveToEx(c.Dc(), a.X, a.Y, nullptr);
  LineTo(c.Dc(), b.X, b.Y);
  const TRaster& surface = *DcOf(c.Dc())->Surface();
  PixelSet out;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if ((surface.At(x, y) & 0x00FFFFFFu) == 0) out.insert({x, y});
  return out;
}

TEST(GdiLineTies, SlopesOfOneHalfAndTwoFromOnePointFollowTheGridIntersectRule) {
  for (int k : {1, 3, 7, 40})
    for (int sx : {-1, 1})
      for (int sy : {-1, 1})
        for (bool steep : {false, true}) {
          const POINT from{100, 100};
          const POINT to{100 + sx * (steep ? k : 2 * k), 100 + sy * (steep ? 2 * k : k)};
          SCOPED_TRACE(std::to_string(to.X) + "," + std::to_string(to.Y));
          EXPECT_EQ(DrawnLine(from, to, 200), GiqLinePixels(from, to));
        }
}

TEST(GdiLineTies, TiesGoUpForFlatLinesAndLeftForSteepOnes) {
  TTestCanvas c(5, 5);
  MoveToEx(c.Dc(), 0, 2, nullptr);
  LineTo(c.Dc(), 4, 0); // up and right, ideal y 1.5 and 0.5 at x 1 and 3
  EXPECT_EQ(c.Map(Black), (Rows{"...#.", ".##..", "#....", ".....", "....."}));
  TTestCanvas back(5, 5);
  MoveToEx(back.Dc(), 4, 0, nullptr);
  LineTo(back.Dc(), 0, 2);
  EXPECT_EQ(back.Map(Black), (Rows{"...##", ".##..", ".....", ".....", "....."}));
  TTestCanvas steep(5, 5);
  MoveToEx(steep.Dc(), 2, 4, nullptr);
  LineTo(steep.Dc(), 0, 0); // up and left, ideal x 1.5 and 0.5 at y 3 and 1
  EXPECT_EQ(steep.Map(Black), (Rows{".....", "#....", ".#...", ".#...", "..#.."}));
}

TEST(GdiLineTies, ALineAndItsReverseShareEveryPixelButTheirEnds) {
  for (int dx = -9; dx <= 9; ++dx)
    for (int dy = -9; dy <= 9; ++dy) {
      const POINT a{10, 10}, b{10 + dx, 10 + dy};
      SCOPED_TRACE(std::to_string(dx) + "," + std::to_string(dy));
      PixelSet forward = DrawnLine(a, b, 20);
      PixelSet backward = DrawnLine(b, a, 20);
      EXPECT_EQ(forward, GiqLinePixels(a, b));
      if (dx == 0 && dy == 0) continue;
      forward.insert({b.X, b.Y});
      backward.insert({a.X, a.Y});
      EXPECT_EQ(forward, backward);
    }
}

// Rectangle in GM_COMPATIBLE: corners ordered; nothing when the width or height is 0;
// otherwise the outline is one closed figure through (right-1, top), (left, top),
// (left, bottom-1), (right-1, bottom-1) and back, each side leaving out its last pixel and a
// styled pen's pattern counted on from side to side (a pixel met twice takes the later);
// the brush fills what lies strictly inside the outline.
enum class TMark : char { Blank = '.', Pen = '#', Gap = 'o', Brush = '+' };

Rows GdiRectangle(int width, int height, TRect r, bool dashed, bool brush) {
  Rows out(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
  r = Normalised(r);
  if (r.IsEmpty()) return out;
  auto put = [&](int x, int y, TMark mark) {
    if (x >= 0 && y >= 0 && x < width && y < height)
      out[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = static_cast<char>(mark);
  };
  if (brush)
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
      for (int x = r.Left + 1; x < r.Right - 1; ++x) put(x, y, TMark::Brush);
  int step = 0; // PS_DASH: 18 pixels on, 6 off
  auto pen = [&](int x, int y) {
    put(x, y, !dashed || step % 24 < 18 ? TMark::Pen : TMark::Gap);
    ++step;
  };
  const int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
  for (int x = rr; x > l; --x) pen(x, t);
  for (int y = t; y < b; ++y) pen(l, y);
  for (int x = l; x < rr; ++x) pen(x, b);
  for (int y = b; y > t; --y) pen(rr, y);
  return out;
}

Rows DrawnRectangle(int width, int height, TRect r, bool dashed, bool brush) {
  TTestCanvas c(width, height);
  if (dashed) c.Use(CreatePen(PS_DASH, 1, Black));
  SetBkColor(c.Dc(), Blue);
  if (brush)
    c.Use(CreateSolidBrush(Red));
  else
    SelectObject(c.Dc(), GetStockObject(NULL_BRUSH));
  Rectangle(c.Dc(), r.Left, r.Top, r.Right, r.Bottom);
  Rows rows = c.Map(Black, '#');
  const Rows gaps = c.Map(Blue, 'o'), filled = c.Map(Red, '+');
  for (std::size_t y = 0; y < rows.size(); ++y)
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      if (gaps[y][x] != '.') rows[y][x] = 'o';
      if (filled[y][x] != '.') rows[y][x] = '+';
    }
  return rows;
}

TEST(GdiRectangleSizes, EverySizeUpToFourByFourWithSolidAndDashedPens) {
  for (int w = 0; w <= 4; ++w)
    for (int h = 0; h <= 4; ++h)
      for (bool dashed : {false, true})
        for (bool brush : {false, true}) {
          SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + (dashed ? " dashed" : "") +
                       (brush ? " brush" : ""));
          const TRect r{2, 3, 2 + w, 3 + h};
          EXPECT_EQ(DrawnRectangle(8, 9, r, dashed, brush), GdiRectangle(8, 9, r, dashed, brush));
          const TRect reversed{r.Right, r.Bottom, r.Left, r.Top};
          EXPECT_EQ(DrawnRectangle(8, 9, reversed, dashed, brush),
                    GdiRectangle(8, 9, r, dashed, brush));
        }
}

TEST(GdiRectangleSizes, ThinLongRectanglesCarryTheDashAroundTheirCorners) {
  for (int thin = 1; thin <= 3; ++thin)
    for (int length : {5, 19, 30, 47}) {
      SCOPED_TRACE(std::to_string(thin) + " by " + std::to_string(length));
      const TRect wide{1, 1, 1 + length, 1 + thin}, tall{1, 1, 1 + thin, 1 + length};
      EXPECT_EQ(DrawnRectangle(50, 50, wide, true, true), GdiRectangle(50, 50, wide, true, true));
      EXPECT_EQ(DrawnRectangle(50, 50, tall, true, true), GdiRectangle(50, 50, tall, true, true));
      EXPECT_EQ(DrawnRectangle(50, 50, tall, false, true), GdiRectangle(50, 50, tall, false, true));
    }
}

TEST(GdiRectangleSizes, TheDashStartsAtTheTopRightCornerAndRunsLeft) {
  // 30 x 3: the top row is pixels 0-28 of the pattern from x 29 leftwards, so its gap is
  // x 11 to 6; the left side is 29 and 30, the bottom row from x 0 is 31 on, its gap 42-47.
  const Rows drawn = DrawnRectangle(30, 3, TRect{0, 0, 30, 3}, true, false);
  EXPECT_EQ(drawn, (Rows{"######oooooo##################", "#............................#",
                         "###########oooooo#############"}));
  // A one-pixel column goes down and comes back up over itself: the way back decides.
  const Rows column = DrawnRectangle(1, 30, TRect{0, 0, 1, 30}, true, false);
  std::string seen;
  for (const std::string& row : column) seen += row;
  EXPECT_EQ(seen, std::string(11, '#') + std::string(6, 'o') + std::string(13, '#'));
}

TEST(GdiRectangleSizes, EmptyRectanglesDrawNothingWhateverThePen) {
  TTestCanvas c(12, 12);
  c.Use(CreatePen(PS_SOLID, 3, Black));
  c.Use(CreateSolidBrush(Red));
  Rectangle(c.Dc(), 4, 4, 4, 9);
  Rectangle(c.Dc(), 2, 6, 9, 6);
  Rectangle(c.Dc(), 9, 9, 3, 9);
  EXPECT_EQ(c.Count(White), 144);
}

TEST(GdiRectangleSizes, ClockwiseArcDirectionStartsAtTheBottomRight) {
  TTestCanvas c(30, 3);
  c.Use(CreatePen(PS_DASH, 1, Black));
  SetBkColor(c.Dc(), Blue);
  SelectObject(c.Dc(), GetStockObject(NULL_BRUSH));
  SetArcDirection(c.Dc(), AD_CLOCKWISE);
  Rectangle(c.Dc(), 0, 0, 30, 3);
  // The counter-clockwise figure turned upside down: bottom row from x 29 leftwards first.
  EXPECT_EQ(c.Map(Blue, 'o')[2], "......oooooo..................");
  EXPECT_EQ(c.Map(Blue, 'o')[0], "...........oooooo.............");
}

// A 32-bit DIB of the given rows, top row first; biHeight negative when topDown.
struct TDib {
  BITMAPINFO Info{};
  std::vector<std::uint32_t> Bits;
  TDib(int width, std::vector<std::uint32_t> topFirst, bool topDown) : Bits(std::move(topFirst)) {
    const int height = static_cast<int>(Bits.size()) / width;
    Info.bmiHeader.biWidth = width;
    Info.bmiHeader.biHeight = topDown ? -height : height;
    Info.bmiHeader.biBitCount = 32;
    if (!topDown)
      for (int y = 0; y < height / 2; ++y)
        std::swap_ranges(Bits.begin() + y * width, Bits.begin() + (y + 1) * width,
                         Bits.end() - (y + 1) * width);
  }
};

constexpr std::uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF; // 0x00RRGGBB as DIBs hold
constexpr COLORREF Green = RGB(0, 255, 0);

// A top-down 32-bit DIB section selected into a memory DC.
class TSectionDc {
public:
  TSectionDc(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    section_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, section_);
  }
  ~TSectionDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(section_);
  }
  TSectionDc(const TSectionDc&) = delete;
  TSectionDc& operator=(const TSectionDc&) = delete;
  HDC Dc() const { return dc_; }
  std::uint32_t* Bits = nullptr;

private:
  HBITMAP section_;
  HDC dc_;
  HGDIOBJ old_;
};

TEST(GdiStretchDIBits, AnswersTheSourceHeightNegatedOnATopDownSection) {
  const TDib dib(1, {R, G}, false);
  const auto blit = [&](HDC dc, int w, int h, int ys, int hs) {
    return StretchDIBits(dc, 0, 0, w, h, 0, ys, 1, hs, dib.Bits.data(), &dib.Info, DIB_RGB_COLORS,
                         SRCCOPY);
  };
  TTestCanvas bitmap(4, 6);
  EXPECT_EQ(blit(bitmap.Dc(), 1, 2, 0, 2), 2);
  EXPECT_EQ(blit(bitmap.Dc(), 4, 6, 0, 2), 2);
  EXPECT_EQ(blit(bitmap.Dc(), 1, 1, 0, 2), 2);
  EXPECT_EQ(blit(bitmap.Dc(), 1, 2, 2, -2), -2);
  TSectionDc section(4, 6);
  EXPECT_EQ(blit(section.Dc(), 4, 6, 0, 2), -2);
  EXPECT_EQ(section.Bits[0] & 0xFFFFFF, R);
  EXPECT_EQ(section.Bits[4 * 5] & 0xFFFFFF, G);
  EXPECT_EQ(StretchDIBits(section.Dc(), 0, 0, 1, 1, 0, 0, 1, 1, nullptr, &dib.Info, DIB_RGB_COLORS,
                          SRCCOPY),
            0);
}

TEST(GdiStretchDIBits, NegativeExtentsRunBackFromTheirOriginAndMirror) {
  const TDib dib(3, {R, G, B}, true);
  auto draw = [&](int x, int w, int xs, int ws) {
    TTestCanvas c(4, 1);
    StretchDIBits(c.Dc(), x, 0, w, 1, xs, 0, ws, 1, dib.Bits.data(), &dib.Info, DIB_RGB_COLORS,
                  SRCCOPY);
    return c.Pixels();
  };
  // A width of -3 at 2 covers pixels 0 to 2 and mirrors; so does a source width of -3 at 2.
  EXPECT_EQ(draw(2, -3, 0, 3), (std::vector<COLORREF>{Blue, Green, Red, White}));
  EXPECT_EQ(draw(0, 3, 2, -3), (std::vector<COLORREF>{Blue, Green, Red, White}));
  EXPECT_EQ(draw(2, -3, 2, -3), (std::vector<COLORREF>{Red, Green, Blue, White}));
  // At 3 the mirrored copy covers 1 to 3.
  EXPECT_EQ(draw(3, -3, 0, 3), (std::vector<COLORREF>{White, Blue, Green, Red}));
  // The source rectangle runs off the DIB: only the part inside is copied.
  EXPECT_EQ(draw(0, 3, 1, -3), (std::vector<COLORREF>{Green, Red, White, White}));
}

TEST(GdiStretchDIBits, NegativeDestinationHeightTurnsABottomUpDibUpsideDown) {
  const TDib dib(1, {R, G, B}, false);
  TTestCanvas c(1, 4);
  StretchDIBits(c.Dc(), 0, 2, 1, -3, 0, 0, 1, 3, dib.Bits.data(), &dib.Info, DIB_RGB_COLORS,
                SRCCOPY);
  EXPECT_EQ(c.Pixels(), (std::vector<COLORREF>{Blue, Green, Red, White}));
  TTestCanvas upright(1, 4);
  StretchDIBits(upright.Dc(), 0, 1, 1, 3, 0, 0, 1, 3, dib.Bits.data(), &dib.Info, DIB_RGB_COLORS,
                SRCCOPY);
  EXPECT_EQ(upright.Pixels(), (std::vector<COLORREF>{White, Red, Green, Blue}));
}

TEST(GdiBitBltAlpha, SourceCopyKeepsTheFourthByteOtherOperationsWriteOpaque) {
  TSectionDc src(4, 1);
  const std::array<std::uint32_t, 4> pixels{0x00102030u, 0x80405060u, 0xFF708090u, 0x01A0B0C0u};
  std::copy(pixels.begin(), pixels.end(), src.Bits);
  TSectionDc copy(4, 1);
  EXPECT_TRUE(BitBlt(copy.Dc(), 0, 0, 4, 1, src.Dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(std::vector<std::uint32_t>(copy.Bits, copy.Bits + 4),
            std::vector<std::uint32_t>(pixels.begin(), pixels.end()));
  TSectionDc stretched(8, 1);
  StretchBlt(stretched.Dc(), 0, 0, 8, 1, src.Dc(), 0, 0, 4, 1, SRCCOPY);
  EXPECT_EQ(stretched.Bits[2], pixels[1]);
  EXPECT_EQ(stretched.Bits[7], pixels[3]);
  TSectionDc inverted(4, 1);
  BitBlt(inverted.Dc(), 0, 0, 4, 1, src.Dc(), 0, 0, NOTSRCCOPY);
  EXPECT_EQ(inverted.Bits[0], 0xFFEFDFCFu);
  EXPECT_EQ(inverted.Bits[1], 0xFFBFAF9Fu);
  TSectionDc fromDib(4, 1);
  BITMAPINFO info{};
  info.bmiHeader.biWidth = 4;
  info.bmiHeader.biHeight = -1;
  info.bmiHeader.biBitCount = 32;
  StretchDIBits(fromDib.Dc(), 0, 0, 4, 1, 0, 0, 4, 1, pixels.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);
  EXPECT_EQ(fromDib.Bits[0], 0xFF102030u);
  EXPECT_EQ(fromDib.Bits[3], 0xFFA0B0C0u);
}

// Lines through half-pixel ties and the small and dashed rectangles, eight times enlarged.
TEST(GdiPlatformSheet, LinesAndRectanglesEnlarged) {
  TTestCanvas c(120, 64);
  for (int k = 0; k < 8; ++k) {
    static const int dx[] = {12, 6, -6, -12, -12, -6, 6, 12};
    static const int dy[] = {6, 12, 12, 6, -6, -12, -12, -6};
    MoveToEx(c.Dc(), 16, 16, nullptr);
    LineTo(c.Dc(), 16 + dx[k], 16 + dy[k]);
  }
  HPEN red = CreatePen(PS_SOLID, 1, Red);
  HGDIOBJ old = SelectObject(c.Dc(), red);
  for (int k = 0; k < 4; ++k) { // the same lines drawn back towards the centre, in red
    static const int dx[] = {12, -6, -12, 6};
    static const int dy[] = {6, 12, -6, -12};
    MoveToEx(c.Dc(), 48 + dx[k], 16 + dy[k], nullptr);
    LineTo(c.Dc(), 48, 16);
  }
  SelectObject(c.Dc(), old);
  DeleteObject(red);
  HBRUSH orange = CreateSolidBrush(RGB(255, 160, 0));
  old = SelectObject(c.Dc(), orange);
  for (int w = 1; w <= 4; ++w)
    for (int h = 1; h <= 4; ++h)
      Rectangle(c.Dc(), 64 + w * 9 - 9, h * 7 - 6, 64 + w * 9 - 9 + w, h * 7 - 6 + h);
  HPEN dash = CreatePen(PS_DASH, 1, Black);
  HGDIOBJ oldPen = SelectObject(c.Dc(), dash);
  SetBkColor(c.Dc(), Blue);
  Rectangle(c.Dc(), 2, 36, 40, 39);
  Rectangle(c.Dc(), 44, 36, 46, 62);
  Rectangle(c.Dc(), 50, 36, 53, 62);
  Rectangle(c.Dc(), 100, 62, 58, 42); // reversed corners
  SelectObject(c.Dc(), oldPen);
  DeleteObject(dash);
  SelectObject(c.Dc(), old);
  DeleteObject(orange);
  const TRaster& surface = *DcOf(c.Dc())->Surface();
  TRaster big(surface.Width * 8, surface.Height * 8);
  for (int y = 0; y < big.Height; ++y)
    for (int x = 0; x < big.Width; ++x) {
      const bool grid = x % 8 == 0 || y % 8 == 0;
      const std::uint32_t p = surface.At(x / 8, y / 8);
      big.At(x, y) = grid ? 0xFF000000u | (p & 0x00FEFEFEu) >> 1 | 0x404040u : p;
    }
  WritePngFile(big, SheetPath("gdi_platform_pixels.png"));
  EXPECT_EQ(ReadPngFile(SheetPath("gdi_platform_pixels.png")).Pixels, big.Pixels);
}

} // namespace
