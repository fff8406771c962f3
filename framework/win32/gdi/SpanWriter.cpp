#include "framework/win32/gdi/SpanWriter.h"

#include "framework/win32/gdi/PixelRuns.h"
#include "framework/win32/gdi/Rop.h"

#include <algorithm>

namespace {
constexpr std::uint32_t Opaque = 0xFF000000u;

int Wrap(std::int64_t value, int size) {
  const std::int64_t m = value % size;
  return static_cast<int>(m < 0 ? m + size : m);
}
} // namespace

TSpanWriter::TSpanWriter(TRaster& surface, const TRegion& clip, TPoint origin, bool monochrome)
    : surface_(surface), clip_(clip), origin_(origin), monochrome_(monochrome),
      rectangular_(clip.Rects().size() <= 1) {
  deviceBox_ = clip_.Box();
  deviceBox_.Left -= origin.X;
  deviceBox_.Right -= origin.X;
  deviceBox_.Top -= origin.Y;
  deviceBox_.Bottom -= origin.Y;
}

bool TSpanWriter::Visible(std::int64_t x, std::int64_t y) const {
  if (x < deviceBox_.Left || x >= deviceBox_.Right || y < deviceBox_.Top || y >= deviceBox_.Bottom)
    return false;
  return clip_.Contains(TPoint{static_cast<int>(x) + origin_.X, static_cast<int>(y) + origin_.Y});
}

std::uint32_t TSpanWriter::Land(std::uint32_t rgb) const {
  return monochrome_ ? NearestMono(rgb) : rgb & 0x00FFFFFFu;
}

void TSpanWriter::Pixel(std::int64_t x, std::int64_t y, const TPaint& paint) {
  if (!rectangular_ || paint.Pattern) {
    FillSpan(y, x, x + 1, paint);
    return;
  }
  if (x < deviceBox_.Left || x >= deviceBox_.Right || y < deviceBox_.Top || y >= deviceBox_.Bottom)
    return;
  std::uint32_t& d = surface_.At(static_cast<int>(x) + origin_.X, static_cast<int>(y) + origin_.Y);
  const std::uint32_t c = Land(paint.Colour);
  d = Opaque | (paint.Rop2 == Rop2CopyPen ? c : ApplyRop2(paint.Rop2, c, d));
}

void TSpanWriter::FillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, const TPaint& paint) {
  if (y < deviceBox_.Top || y >= deviceBox_.Bottom) return;
  x0 = std::max<std::int64_t>(x0, deviceBox_.Left);
  x1 = std::min<std::int64_t>(x1, deviceBox_.Right);
  if (x0 >= x1 || paint.Rop2 == Rop2Nop) return;
  const int sy = static_cast<int>(y) + origin_.Y;
  const int sx0 = static_cast<int>(x0) + origin_.X;
  const int sx1 = static_cast<int>(x1) + origin_.X;
  std::uint32_t* row = surface_.Pixels.data() + static_cast<std::size_t>(sy) * surface_.Width;
  auto [first, last] = clip_.RowRects(sy);
  for (const TRect* r = first; r != last; ++r) {
    const int a = std::max(sx0, r->Left);
    const int b = std::min(sx1, r->Right);
    if (a < b) PaintRun(row, a, b, static_cast<int>(y), paint);
  }
}

void TSpanWriter::FillRect(const TRect& r, const TPaint& paint) {
  const int top = std::max(r.Top, deviceBox_.Top), bottom = std::min(r.Bottom, deviceBox_.Bottom);
  if (rectangular_ && !paint.Pattern && paint.Rop2 == Rop2CopyPen) {
    const TRect box{std::max(r.Left, deviceBox_.Left), top, std::min(r.Right, deviceBox_.Right),
                    bottom};
    if (box.Left < box.Right && box.Top < box.Bottom)
      FillSolidBox(box, Opaque | Land(paint.Colour));
    return;
  }
  for (int y = top; y < bottom; ++y) FillSpan(y, r.Left, r.Right, paint);
}

// A box within the clip: full-width rows are one run, others a run each.
void TSpanWriter::FillSolidBox(TRect device, std::uint32_t colour) {
  const int width = device.Right - device.Left;
  std::uint32_t* first = surface_.Pixels.data() +
                         static_cast<std::size_t>(device.Top + origin_.Y) * surface_.Width +
                         (device.Left + origin_.X);
  if (width == surface_.Width) {
    FillPixels(first, static_cast<std::size_t>(width) * (device.Bottom - device.Top), colour);
    return;
  }
  for (int y = device.Top; y < device.Bottom; ++y, first += surface_.Width)
    FillPixels(first, static_cast<std::size_t>(width), colour);
}

void TSpanWriter::PaintRun(std::uint32_t* row, int x0, int x1, int deviceY, const TPaint& paint) {
  if (!paint.Pattern) {
    const std::uint32_t c = Land(paint.Colour);
    if (paint.Rop2 == Rop2CopyPen) {
      FillPixels(row + x0, static_cast<std::size_t>(x1 - x0), Opaque | c);
      return;
    }
    for (int x = x0; x < x1; ++x) row[x] = Opaque | ApplyRop2(paint.Rop2, c, row[x]);
    return;
  }
  const TPattern& p = *paint.Pattern;
  const int py = Wrap(std::int64_t{deviceY} - paint.Origin.Y, p.Height);
  const std::uint32_t* line = p.Pixels.data() + static_cast<std::size_t>(py) * p.Width;
  const std::uint8_t* mask =
      p.Opaque.empty() ? nullptr : p.Opaque.data() + static_cast<std::size_t>(py) * p.Width;
  int px = Wrap(std::int64_t{x0} - origin_.X - paint.Origin.X, p.Width);
  if (!mask && paint.Rop2 == Rop2CopyPen) {
    for (int x = x0; x < x1; ++x) {
      row[x] = Opaque | Land(line[px]);
      if (++px == p.Width) px = 0;
    }
    return;
  }
  for (int x = x0; x < x1; ++x) {
    if (!mask || mask[px]) row[x] = Opaque | ApplyRop2(paint.Rop2, Land(line[px]), row[x]);
    if (++px == p.Width) px = 0;
  }
}
