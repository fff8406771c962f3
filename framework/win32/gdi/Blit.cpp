#include "framework/win32/gdi/Blit.h"

#include "framework/win32/gdi/PixelRuns.h"
#include "framework/win32/gdi/Rop.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr std::uint32_t Opaque = 0xFF000000u;
constexpr std::uint32_t Rgb = 0x00FFFFFFu;
constexpr unsigned SrcCopyIndex = 0xCC;

struct TAxis {
  long long DstStart; // first destination pixel, device
  long long Count;    // destination pixels
  long long SrcStart; // first source pixel, raster
  long long SrcCount;
  bool Mirror;
};

// A negative size runs back from the position and keeps its pixel: -3 at 5 covers 3 to 5.
long long FirstPixel(long long pos, long long size) { return size < 0 ? pos + size + 1 : pos; }

TAxis MakeAxis(long long dstPos, long long dstSize, long long srcPos, long long srcSize) {
  TAxis a;
  a.DstStart = FirstPixel(dstPos, dstSize);
  a.Count = std::llabs(dstSize);
  a.SrcStart = FirstPixel(srcPos, srcSize);
  a.SrcCount = std::llabs(srcSize);
  a.Mirror = (dstSize < 0) != (srcSize < 0);
  return a;
}

// The source pixel of destination pixel i (0 <= i < Count): nearest to its centre.
long long SourceIndex(const TAxis& a, long long i) {
  if (a.Mirror) i = a.Count - 1 - i;
  return a.SrcStart + (2 * i + 1) * a.SrcCount / (2 * a.Count);
}

int Wrap(long long v, int size) {
  const long long m = v % size;
  return static_cast<int>(m < 0 ? m + size : m);
}

class TBlitter {
public:
  TBlitter(TDeviceContext& dst, const std::optional<TBlitSource>& src, unsigned index,
           std::optional<std::uint32_t> transparent)
      : dst_(dst), src_(src), index_(index), transparent_(transparent),
        pattern_(RopUsesPattern(index) ? dst.BrushPaint(dst.State().Brush, Rop2CopyPen)
                                       : std::nullopt),
        dstMono_(dst.Monochrome()), textColour_(ColorRefToPixel(dst.State().TextColour)),
        bkColour_(ColorRefToPixel(dst.State().BkColour)) {}

  void Run(const TAxis& ax, const TAxis& ay) {
    TSpanWriter out = dst_.Writer();
    const TRect& box = out.DeviceClipBox();
    const long long x0 = std::max<long long>(ax.DstStart, box.Left);
    const long long x1 = std::min<long long>(ax.DstStart + ax.Count, box.Right);
    const long long y0 = std::max<long long>(ay.DstStart, box.Top);
    const long long y1 = std::min<long long>(ay.DstStart + ay.Count, box.Bottom);
    if (x0 >= x1 || y0 >= y1) return;
    std::vector<long long> columns;
    for (long long x = x0; x < x1; ++x) columns.push_back(SourceIndex(ax, x - ax.DstStart));
    TakeSnapshotIfShared(out.Surface());
    const TPoint o = out.Origin();
    const bool plainColumns = PlainCopy() && columns.front() >= -src_->Origin.X &&
                              columns.back() >= -src_->Origin.X &&
                              columns.front() + src_->Origin.X < src_->Raster->Width &&
                              columns.back() + src_->Origin.X < src_->Raster->Width;
    // Unstretched and unmirrored: each row is a run of consecutive source pixels.
    const bool straight = !ax.Mirror && ax.SrcCount == ax.Count;
    for (long long y = y0; y < y1; ++y) {
      const long long sy = SourceIndex(ay, y - ay.DstStart);
      if (plainColumns && sy + src_->Origin.Y >= 0 && sy + src_->Origin.Y < src_->Raster->Height) {
        CopyRow(out, y, x0, x1, columns, sy, straight);
        continue;
      }
      auto [first, last] = out.SurfaceClip().RowRects(static_cast<int>(y) + o.Y);
      for (const TRect* r = first; r != last; ++r) {
        const long long a = std::max<long long>(x0, r->Left - o.X);
        const long long b = std::min<long long>(x1, r->Right - o.X);
        for (long long x = a; x < b; ++x)
          Put(out.Surface(), x, y, o, columns[static_cast<std::size_t>(x - x0)], sy);
      }
    }
  }

private:
  // A straight copy needing no conversion, raster operation or colour key.
  bool PlainCopy() const {
    return src_ && index_ == SrcCopyIndex && !transparent_ && src_->Monochrome == dstMono_;
  }

  // Copies row y of [x0, x1) through the clip; the source columns are monotonic and inside.
  void CopyRow(TSpanWriter& out, long long y, long long x0, long long x1,
               const std::vector<long long>& columns, long long sy, bool straight) {
    const TPoint o = out.Origin();
    const std::uint32_t* from = src_->Raster->Pixels.data() +
                                static_cast<std::size_t>(sy + src_->Origin.Y) *
                                    static_cast<std::size_t>(src_->Raster->Width) +
                                src_->Origin.X;
    std::uint32_t* row =
        out.Surface().Pixels.data() +
        static_cast<std::size_t>(y + o.Y) * static_cast<std::size_t>(out.Surface().Width);
    // Both surfaces alike: colour pixels keep their fourth byte, monochrome ones are opaque.
    const std::uint32_t forced = dstMono_ ? Opaque : 0u;
    auto [first, last] = out.SurfaceClip().RowRects(static_cast<int>(y) + o.Y);
    for (const TRect* r = first; r != last; ++r) {
      const long long a = std::max<long long>(x0, r->Left - o.X);
      const long long b = std::min<long long>(x1, r->Right - o.X);
      if (straight && a < b) {
        CopyPixels(row + a + o.X, from + columns[static_cast<std::size_t>(a - x0)],
                   static_cast<std::size_t>(b - a), forced);
        continue;
      }
      for (long long x = a; x < b; ++x)
        row[x + o.X] = forced | from[columns[static_cast<std::size_t>(x - x0)]];
    }
  }

  void TakeSnapshotIfShared(const TRaster& surface) {
    if (src_ && src_->Raster == &surface) {
      snapshot_ = surface;
      src_->Raster = &snapshot_;
    }
  }

  std::optional<std::uint32_t> SourcePixel(long long sx, long long sy) const {
    if (!src_) return 0u;
    const TRaster& r = *src_->Raster;
    sx += src_->Origin.X;
    sy += src_->Origin.Y;
    if (sx < 0 || sy < 0 || sx >= r.Width || sy >= r.Height) return std::nullopt;
    return r.At(static_cast<int>(sx), static_cast<int>(sy));
  }

  // A source pixel as the destination sees it: monochrome sources take the destination's
  // text (black) and background (white) colours; a monochrome destination gets white where
  // the source has its background colour.
  std::uint32_t Convert(std::uint32_t s) const {
    if (src_ && src_->Monochrome && !dstMono_) return s ? bkColour_ : textColour_;
    if (dstMono_ && src_ && !src_->Monochrome) return s == src_->BkColour ? 0x00FFFFFFu : 0u;
    return s;
  }

  // What SRCCOPY writes: between colour surfaces the source pixel with its fourth byte as it
  // stands (a 32-bit surface's alpha travels with it); a converted pixel is opaque.
  std::uint32_t CopiedPixel(std::uint32_t s) const {
    if (!dstMono_ && !src_->Monochrome) return s;
    return Opaque | Convert(s & Rgb);
  }

  std::uint32_t PatternPixel(long long x, long long y) const {
    if (!pattern_) return 0;
    const TPaint& p = *pattern_;
    if (!p.Pattern) return dstMono_ ? NearestMono(p.Colour) : p.Colour;
    const TPattern& t = *p.Pattern;
    const std::uint32_t c = t.Pixels[static_cast<std::size_t>(
        Wrap(y - p.Origin.Y, t.Height) * t.Width + Wrap(x - p.Origin.X, t.Width))];
    return dstMono_ ? NearestMono(c) : c;
  }

  void Put(TRaster& surface, long long x, long long y, TPoint o, long long sx, long long sy) {
    const std::optional<std::uint32_t> s = SourcePixel(sx, sy);
    if (!s || (transparent_ && (*s & Rgb) == *transparent_)) return;
    std::uint32_t& d = surface.At(static_cast<int>(x) + o.X, static_cast<int>(y) + o.Y);
    if (index_ == SrcCopyIndex) {
      d = CopiedPixel(*s);
      return;
    }
    d = Opaque | ApplyRop3(index_, PatternPixel(x, y), Convert(*s & Rgb), d & Rgb);
  }

  TDeviceContext& dst_;
  std::optional<TBlitSource> src_;
  unsigned index_;
  std::optional<std::uint32_t> transparent_;
  std::optional<TPaint> pattern_;
  bool dstMono_;
  std::uint32_t textColour_;
  std::uint32_t bkColour_;
  TRaster snapshot_;
};

} // namespace

TBlitSource SourceOf(const TDeviceContext& dc) {
  TBlitSource s;
  s.Raster = dc.Surface();
  s.Origin = dc.SurfaceOrigin();
  s.Monochrome = dc.Monochrome();
  s.BkColour = ColorRefToPixel(dc.State().BkColour);
  return s;
}

bool StretchBlit(TDeviceContext& dst, TBlitArea dstArea, const std::optional<TBlitSource>& src,
                 TBlitArea srcArea, std::uint32_t rop, std::optional<std::uint32_t> transparent) {
  const unsigned index = rop >> 16 & 0xFFu;
  const bool needsSource = RopUsesSource(index);
  if (needsSource && (!src || !src->Raster)) return false;
  const TPoint d = dst.ToDevice(TPoint{dstArea.X, dstArea.Y});
  const TAxis ax =
      MakeAxis(d.X, dstArea.Width, srcArea.X, needsSource ? srcArea.Width : dstArea.Width);
  const TAxis ay =
      MakeAxis(d.Y, dstArea.Height, srcArea.Y, needsSource ? srcArea.Height : dstArea.Height);
  if (ax.Count == 0 || ay.Count == 0 || ax.SrcCount == 0 || ay.SrcCount == 0) return true;
  TBlitter blitter(dst, needsSource ? src : std::nullopt, index, transparent);
  blitter.Run(ax, ay);
  return true;
}
