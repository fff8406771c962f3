#include "tests/SheetPath.h"
#include "tests/win32/Canvas.h"

#include "framework/graphics/Bitmap.h"
#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/PixelRuns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

// Pies, chords and polygons of every angle and size against what they are meant to fill, and a
// sheet of them all to compare pictures by.

namespace {

constexpr double Turn = 2 * std::numbers::pi;

// A repeatable run of pseudo-random numbers.
class TDice {
public:
  int Roll(int Lo, int Hi) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return Lo + static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(Hi - Lo + 1));
  }

private:
  std::uint64_t state_ = 20261208;
};

// The angle of a pixel's centre seen from (Cx, Cy), counter-clockwise from east.
double AngleOf(double X, double Y, double Cx, double Cy) {
  return std::atan2(Cy - (Y + 0.5), X + 0.5 - Cx);
}

double Distance(double A, double B) {
  const double d = std::fmod(std::fabs(A - B), Turn);
  return std::min(d, Turn - d);
}

TEST(GdiFills, APieFillsTheSweptPixelsOfItsEllipseAtEveryAngle) {
  TTestCanvas c(101, 101);
  SelectObject(c.Dc(), GetStockObject(NULL_PEN));
  c.Use(CreateSolidBrush(Red));
  HBRUSH white = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT all{0, 0, 101, 101};
  TDice dice;
  // Without a pen the figure's box loses its right column and bottom row: 100 x 100.
  const double centre = 50, radius = 50;
  int checked = 0;
  for (int k = 0; k < 60; ++k) {
    FillRect(c.Dc(), &all, white);
    const POINT start{dice.Roll(-60, 160), dice.Roll(-60, 160)};
    const POINT end = k % 5 == 0 ? POINT{50, dice.Roll(-60, 160)} : POINT{dice.Roll(-60, 160), 20};
    Pie(c.Dc(), 0, 0, 101, 101, start.X, start.Y, end.X, end.Y);
    const double from = AngleOf(start.X, start.Y, centre, centre);
    const double to = AngleOf(end.X, end.Y, centre, centre);
    double sweep = std::fmod(to - from + 2 * Turn, Turn);
    if (sweep < 1e-12) sweep = Turn;
    for (int y = 0; y < 101; ++y)
      for (int x = 0; x < 101; ++x) {
        const double dx = (x + 0.5 - centre) / radius, dy = (y + 0.5 - centre) / radius;
        const double r = dx * dx + dy * dy;
        const double a = AngleOf(x, y, centre, centre);
        if (std::fabs(r - 1) < 1e-9 || Distance(a, from) < 1e-6 || Distance(a, to) < 1e-6) continue;
        const bool inside = r < 1 && std::fmod(a - from + 2 * Turn, Turn) <= sweep;
        EXPECT_EQ(GetPixel(c.Dc(), x, y), inside ? Red : White)
            << "pie " << k << " at " << x << "," << y;
        ++checked;
      }
  }
  EXPECT_GT(checked, 60 * 7000);
}

// A polygon of N random corners in a box of Size at (X, Y).
std::vector<POINT> RandomPolygon(TDice& Dice, int N, int X, int Y, int Size) {
  std::vector<POINT> corners;
  for (int i = 0; i < N; ++i) corners.push_back({X + Dice.Roll(0, Size), Y + Dice.Roll(0, Size)});
  return corners;
}

TEST(GdiFills, AlternateFillsNoPixelThatWindingLeavesAndSheet) {
  TBitmap sheet;
  sheet.SetSize(960, 720);
  const HDC dc = sheet.Canvas()->Handle();
  const RECT all{0, 0, 960, 720};
  FillRect(dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  TDice dice;
  HBRUSH red = CreateSolidBrush(Red);
  HBRUSH blue = CreateSolidBrush(Blue);
  // Pies and chords of every size under pens of several kinds.
  const HPEN pens[] = {reinterpret_cast<HPEN>(GetStockObject(NULL_PEN)),
                       CreatePen(PS_SOLID, 1, Black), CreatePen(PS_SOLID, 4, RGB(0, 128, 0)),
                       CreatePen(PS_DOT, 1, Black)};
  for (int cell = 0; cell < 192; ++cell) {
    const int x = cell % 16 * 60, y = cell / 16 * 30;
    const int w = 3 + dice.Roll(0, 54), h = cell % 3 == 0 ? w : 3 + dice.Roll(0, 24);
    SelectObject(dc, pens[cell % 4]);
    SelectObject(dc, cell % 2 ? red : blue);
    const int sx = x + dice.Roll(-10, w + 10), sy = y + dice.Roll(-10, h + 10);
    const int ex = x + dice.Roll(-10, w + 10), ey = y + dice.Roll(-10, h + 10);
    if (cell % 7 == 3)
      Chord(dc, x, y, x + w, y + h, sx, sy, ex, ey);
    else
      Pie(dc, x, y, x + w, y + h, sx, sy, ex, ey);
  }
  // Polygons under both fill modes: what alternate fills, winding fills too.
  SelectObject(dc, GetStockObject(NULL_PEN));
  for (int cell = 0; cell < 24; ++cell) {
    const int n = 3 + dice.Roll(0, 60);
    const int x = cell % 12 * 80, y = 370 + cell / 12 * 90;
    const std::vector<POINT> corners = RandomPolygon(dice, n, x, y, 75);
    TTestCanvas winding(80, 80), alternate(80, 80);
    std::vector<POINT> local = corners;
    for (POINT& p : local) p = {p.X - x, p.Y - y};
    for (TTestCanvas* canvas : {&winding, &alternate}) {
      SelectObject(canvas->Dc(), GetStockObject(NULL_PEN));
      canvas->Use(CreateSolidBrush(Red));
      SetPolyFillMode(canvas->Dc(), canvas == &winding ? WINDING : ALTERNATE);
      Polygon(canvas->Dc(), local.data(), n);
    }
    const std::vector<COLORREF> w = winding.Pixels(), a = alternate.Pixels();
    int alternateOnly = 0, windingOnly = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
      alternateOnly += a[i] == Red && w[i] != Red;
      windingOnly += w[i] == Red && a[i] != Red;
    }
    EXPECT_EQ(alternateOnly, 0) << "polygon " << cell;
    if (n > 8) {
      EXPECT_GT(windingOnly, 0) << "polygon " << cell;
    }
    SetPolyFillMode(dc, cell % 2 ? WINDING : ALTERNATE);
    SelectObject(dc, pens[cell % 4]);
    SelectObject(dc, cell % 3 ? red : blue);
    Polygon(dc, corners.data(), n);
  }
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  for (int i = 1; i < 4; ++i) DeleteObject(pens[i]);
  DeleteObject(red);
  DeleteObject(blue);
  sheet.SaveToFile(SheetPath("GdiFills.bmp"));
}

// Every kernel the processor runs, at every alignment and at lengths around the vector widths,
// writes what a plain loop writes and nothing outside the run.
TEST(GdiFills, VectorRunsMatchAPlainLoopAtEveryOffsetAndLength) {
  constexpr std::size_t Room = 200;
  std::vector<std::uint32_t> source(Room);
  for (std::size_t i = 0; i < Room; ++i) source[i] = 0x00030507u * static_cast<std::uint32_t>(i);
  for (const TPixelRunKernel& kernel : SupportedPixelRunKernels())
    for (std::size_t offset = 0; offset < 17; ++offset)
      for (std::size_t length = 0; offset + length + 16 < Room; ++length) {
        std::vector<std::uint32_t> got(Room, 0xDEADBEEFu), want = got;
        kernel.Fill(got.data() + offset, length, 0xFF123456u);
        std::fill_n(want.begin() + static_cast<std::ptrdiff_t>(offset), length, 0xFF123456u);
        ASSERT_EQ(got, want) << kernel.Name << " fill at " << offset << " of " << length;
        kernel.CopySet(got.data() + offset, source.data() + 16 - offset % 16, length, 0xFF000000u);
        for (std::size_t i = 0; i < length; ++i)
          want[offset + i] = source[16 - offset % 16 + i] | 0xFF000000u;
        ASSERT_EQ(got, want) << kernel.Name << " copy at " << offset << " of " << length;
      }
}

// Long fills, which some kernels write another way, around that length and at odd starts.
TEST(GdiFills, LongFillsMatchAPlainLoop) {
  constexpr std::size_t Room = 20100;
  for (const TPixelRunKernel& kernel : SupportedPixelRunKernels())
    for (const std::size_t offset : {0, 1, 3, 16})
      for (const std::size_t length : {8191, 8192, 8193, 20000}) {
        std::vector<std::uint32_t> got(Room, 0xDEADBEEFu), want = got;
        kernel.Fill(got.data() + offset, length, 0xFF654321u);
        std::fill_n(want.begin() + static_cast<std::ptrdiff_t>(offset), length, 0xFF654321u);
        ASSERT_EQ(got, want) << kernel.Name << " fill at " << offset << " of " << length;
      }
}

// Fills and straight copies of odd sizes at odd places, through a clip of two parts, against
// the same pixels set one by one.
TEST(GdiFills, FillsAndCopiesOfOddRectanglesMatchPixelByPixel) {
  constexpr int Width = 83, Height = 9;
  TTestCanvas source(Width, Height), canvas(Width, Height), model(Width, Height);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) SetPixel(source.Dc(), x, y, RGB(x * 3, y * 20, (x * y) & 0xFF));
  HRGN clip = CreateRectRgn(1, 0, 40, Height);
  HRGN right = CreateRectRgn(45, 2, 80, 7);
  CombineRgn(clip, clip, right, RGN_OR);
  auto inClip = [](int x, int y) {
    return (x >= 1 && x < 40) || (x >= 45 && x < 80 && y >= 2 && y < 7);
  };
  HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
  TDice dice;
  for (int round = 0; round < 60; ++round) {
    const int l = dice.Roll(-3, Width), t = dice.Roll(-2, Height);
    const RECT r{l, t, l + dice.Roll(0, 70), t + dice.Roll(0, 6)};
    const bool copy = round % 2 == 1;
    const int sx = dice.Roll(0, 20), sy = dice.Roll(0, 3);
    SelectClipRgn(canvas.Dc(), clip);
    if (copy)
      BitBlt(canvas.Dc(), r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, source.Dc(), sx, sy,
             SRCCOPY);
    else
      FillRect(canvas.Dc(), &r, brush);
    for (int y = std::max<int>(r.Top, 0); y < std::min<int>(r.Bottom, Height); ++y)
      for (int x = std::max<int>(r.Left, 0); x < std::min<int>(r.Right, Width); ++x) {
        const int fromX = sx + x - r.Left, fromY = sy + y - r.Top;
        if (!inClip(x, y) || (copy && (fromX >= Width || fromY >= Height))) continue;
        SetPixel(model.Dc(), x, y, copy ? GetPixel(source.Dc(), fromX, fromY) : RGB(10, 200, 30));
      }
    SelectClipRgn(canvas.Dc(), nullptr); // GetPixel answers for the clip's pixels only
    ASSERT_EQ(canvas.Pixels(), model.Pixels()) << "round " << round;
  }
  DeleteObject(brush);
  DeleteObject(right);
  DeleteObject(clip);
}

} // namespace
