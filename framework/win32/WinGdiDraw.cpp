#include "framework/win32/WinHandles.h"
#include "framework/win32/WinPrint.h"
#include "framework/win32/Windows.h"
#include "framework/win32/gdi/Blit.h"
#include "framework/win32/gdi/FloodFill.h"
#include "framework/win32/gdi/Primitives.h"
#include "framework/win32/gdi/SysColors.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int MaxPoints = 1 << 20;

std::vector<TPoint> PointsOf(const POINT* points, int count) {
  if (!points || count <= 0 || count > MaxPoints) return {};
  return std::vector<TPoint>(points, points + count);
}

// Hands a drawing call to the recorder of a recording DC; false for every other DC.
template <class F> bool Recorded(HDC hdc, F record) {
  TDcRecorder* recorder = RecorderOf(hdc);
  if (!recorder) return false;
  record(*recorder, *DcOf(hdc));
  return true;
}

// Runs a drawing call on a valid DC; FALSE for a bad handle.
template <class F> BOOL OnDc(HDC hdc, F draw) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return FALSE;
  draw(*dc);
  return TRUE;
}

// (HBRUSH)(COLOR_x + 1) names the system colour brush; anything else is a brush handle.
THandleId BrushId(HBRUSH brush) {
  const std::uintptr_t v = IdFromHandle(brush);
  if (v >= 1 && v <= static_cast<std::uintptr_t>(SysColorCount))
    return IdFromHandle(GetSysColorBrush(static_cast<int>(v) - 1));
  return v;
}

// A device context's bitmap or a DIB as a blit source, in source device pixels.
std::optional<TBlitSource> SourceOfDc(HDC src, TPoint& logicalToDevice) {
  TDeviceContext* s = DcOf(src);
  if (!s) return std::nullopt;
  const TPoint o = s->ToDevice(TPoint{0, 0});
  logicalToDevice = o;
  return SourceOf(*s);
}

int ClampedSum(int a, int b) {
  return static_cast<int>(
      std::clamp<long long>(static_cast<long long>(a) + b, INT32_MIN, INT32_MAX));
}

BOOL Blit(HDC dest, TBlitArea d, HDC src, TBlitArea s, DWORD rop,
          std::optional<std::uint32_t> transparent) {
  TDeviceContext* dc = DcOf(dest);
  if (!dc) return FALSE;
  TPoint shift;
  const std::optional<TBlitSource> source = SourceOfDc(src, shift);
  s.X = ClampedSum(s.X, shift.X);
  s.Y = ClampedSum(s.Y, shift.Y);
  if (TDcRecorder* recorder = RecorderOf(dest)) {
    if (!source || !source->Raster) return FALSE;
    const TPoint o = source->Origin;
    recorder->Picture(*dc, TRect{d.X, d.Y, d.X + d.Width, d.Y + d.Height}, *source->Raster,
                      TRect{o.X + s.X, o.Y + s.Y, o.X + s.X + s.Width, o.Y + s.Y + s.Height});
    return TRUE;
  }
  return StretchBlit(*dc, d, source, s, rop, transparent) ? TRUE : FALSE;
}

// Whether a DC draws on a DIB section whose rows run from the top.
bool DrawsOnTopDownDib(const TDeviceContext& dc) {
  if (!dc.IsMemory()) return false;
  const auto* bitmap = TGdiHandles::Instance().FindAs<TGdiBitmap>(dc.State().Bitmap);
  return bitmap && bitmap->TopDownDib;
}

// A 32-bit DIB as a top-down raster; empty when the format is not one we read.
bool DibToRaster(const void* bits, const BITMAPINFO* info, TRaster& out, int firstRow = 0,
                 int rows = -1) {
  if (!bits || !info || info->bmiHeader.biBitCount != 32 || info->bmiHeader.biCompression != BI_RGB)
    return false;
  const int width = info->bmiHeader.biWidth;
  const int height = info->bmiHeader.biHeight;
  if (width <= 0 || height == 0 || height == INT32_MIN || width > 16384 || std::abs(height) > 16384)
    return false;
  const int h = std::abs(height);
  if (rows < 0) rows = h;
  out = TRaster(width, h, 0xFF000000u);
  const auto* src = static_cast<const std::uint8_t*>(bits);
  for (int i = 0; i < rows && firstRow + i < h; ++i) {
    const int dibRow = firstRow + i;
    const int y = height < 0 ? dibRow : h - 1 - dibRow;
    std::uint32_t* row = out.Pixels.data() + static_cast<std::size_t>(y) * width;
    std::memcpy(row, src + static_cast<std::size_t>(i) * width * 4,
                static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x) row[x] |= 0xFF000000u;
  }
  return true;
}

} // namespace

BOOL LineTo(HDC dc, int x, int y) {
  if (Recorded(dc, [&](TDcRecorder& r, TDeviceContext& d) {
        r.LineTo(d, TPoint{x, y});
        d.State().CurrentPosition = TPoint{x, y};
      }))
    return TRUE;
  return OnDc(dc, [&](TDeviceContext& d) { LineToPoint(d, TPoint{x, y}); });
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  if (count < 2 || !points) return FALSE;
  return OnDc(dc, [&](TDeviceContext& d) { StrokePolyline(d, PointsOf(points, count)); });
}

BOOL PolylineTo(HDC dc, const POINT* points, int count) {
  if (count < 1 || !points) return FALSE;
  return OnDc(dc, [&](TDeviceContext& d) {
    std::vector<TPoint> path = PointsOf(points, count);
    path.insert(path.begin(), d.State().CurrentPosition);
    StrokePolyline(d, path);
    d.State().CurrentPosition = path.back();
  });
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (Recorded(dc, [&](TDcRecorder& r, TDeviceContext& d) {
        r.Rectangle(d, TRect{left, top, right, bottom});
      }))
    return TRUE;
  return OnDc(dc, [&](TDeviceContext& d) { DrawRectangle(d, TRect{left, top, right, bottom}); });
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  return OnDc(dc, [&](TDeviceContext& d) {
    DrawRoundRect(d, TRect{left, top, right, bottom}, width, height);
  });
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  if (Recorded(dc, [&](TDcRecorder& r, TDeviceContext& d) {
        r.Ellipse(d, TRect{left, top, right, bottom});
      }))
    return TRUE;
  return OnDc(dc, [&](TDeviceContext& d) { DrawEllipse(d, TRect{left, top, right, bottom}); });
}

BOOL Arc(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return OnDc(dc, [&](TDeviceContext& d) {
    DrawArcFigure(d, TRect{l, t, r, b}, TPoint{xs, ys}, TPoint{xe, ye}, TArcFigure::Arc);
  });
}

BOOL ArcTo(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return OnDc(dc, [&](TDeviceContext& d) {
    const auto [from, to] = ArcEnds(d, TRect{l, t, r, b}, TPoint{xs, ys}, TPoint{xe, ye});
    LineToPoint(d, from);
    DrawArcFigure(d, TRect{l, t, r, b}, TPoint{xs, ys}, TPoint{xe, ye}, TArcFigure::Arc);
    d.State().CurrentPosition = to;
  });
}

BOOL Pie(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return OnDc(dc, [&](TDeviceContext& d) {
    DrawArcFigure(d, TRect{l, t, r, b}, TPoint{xs, ys}, TPoint{xe, ye}, TArcFigure::Pie);
  });
}

BOOL Chord(HDC dc, int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
  return OnDc(dc, [&](TDeviceContext& d) {
    DrawArcFigure(d, TRect{l, t, r, b}, TPoint{xs, ys}, TPoint{xe, ye}, TArcFigure::Chord);
  });
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  if (count < 2 || !points) return FALSE;
  return OnDc(dc, [&](TDeviceContext& d) { DrawPolyPolygon(d, {PointsOf(points, count)}); });
}

BOOL PolyPolygon(HDC dc, const POINT* points, const INT* counts, int polygons) {
  if (!points || !counts || polygons <= 0) return FALSE;
  std::vector<std::vector<TPoint>> all;
  long long used = 0;
  for (int i = 0; i < polygons; ++i) {
    if (counts[i] < 2 || used + counts[i] > MaxPoints) return FALSE;
    all.push_back(PointsOf(points + used, counts[i]));
    used += counts[i];
  }
  return OnDc(dc, [&](TDeviceContext& d) { DrawPolyPolygon(d, all); });
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect) return FALSE;
  if (Recorded(dc,
               [&](TDcRecorder& r, TDeviceContext& d) { r.FillRect(d, *rect, BrushId(brush)); }))
    return TRUE;
  return OnDc(dc, [&](TDeviceContext& d) { FillRectWith(d, *rect, BrushId(brush)); });
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect) return FALSE;
  if (Recorded(dc,
               [&](TDcRecorder& r, TDeviceContext& d) { r.FrameRect(d, *rect, BrushId(brush)); }))
    return TRUE;
  return OnDc(dc, [&](TDeviceContext& d) { FrameRectWith(d, *rect, BrushId(brush)); });
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  if (!rect) return FALSE;
  return OnDc(dc, [&](TDeviceContext& d) { InvertRectangle(d, *rect); });
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  if (!rect) return FALSE;
  return OnDc(dc, [&](TDeviceContext& d) { DrawFocusRectangle(d, *rect); });
}

BOOL FloodFill(HDC dc, int x, int y, COLORREF border) {
  return ExtFloodFill(dc, x, y, border, FLOODFILLBORDER);
}

BOOL ExtFloodFill(HDC hdc, int x, int y, COLORREF colour, UINT type) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || type > FLOODFILLSURFACE) return FALSE;
  return FloodFillArea(*dc, TPoint{x, y}, colour & 0x00FFFFFFu, type == FLOODFILLSURFACE) ? TRUE
                                                                                          : FALSE;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour) {
  TDeviceContext* dc = DcOf(hdc);
  return dc ? SetPixelColour(*dc, TPoint{x, y}, colour) : CLR_INVALID;
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF colour) {
  return SetPixel(dc, x, y, colour) != CLR_INVALID ? TRUE : FALSE;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  TDeviceContext* dc = DcOf(hdc);
  return dc ? GetPixelColour(*dc, TPoint{x, y}) : CLR_INVALID;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return FALSE;
  const long long right = static_cast<long long>(x) + width;
  const long long bottom = static_cast<long long>(y) + height;
  if (right > INT32_MAX || right < INT32_MIN || bottom > INT32_MAX || bottom < INT32_MIN)
    return FALSE;
  return PatternBlit(*dc, TRect{x, y, static_cast<int>(right), static_cast<int>(bottom)}, rop)
             ? TRUE
             : FALSE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop) {
  return Blit(dest, {x, y, width, height}, src, {xSrc, ySrc, width, height}, rop, std::nullopt);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc,
                int srcWidth, int srcHeight, DWORD rop) {
  return Blit(dest, {x, y, width, height}, src, {xSrc, ySrc, srcWidth, srcHeight}, rop,
              std::nullopt);
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC src, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, UINT transparent) {
  if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0 || !DcOf(src)) return FALSE;
  return Blit(dest, {x, y, width, height}, src, {xSrc, ySrc, srcWidth, srcHeight}, SRCCOPY,
              ColorRefToPixel(transparent & 0x00FFFFFFu));
}

int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  TDeviceContext* dc = DcOf(hdc);
  TRaster raster;
  if (!dc || usage != DIB_RGB_COLORS || !DibToRaster(bits, info, raster)) return 0;
  // A bottom-up DIB counts its source rows from the bottom.
  const int top = info->bmiHeader.biHeight > 0 ? raster.Height - ySrc - srcHeight : ySrc;
  TBlitSource source;
  source.Raster = &raster;
  if (!StretchBlit(*dc, {xDest, yDest, destWidth, destHeight}, source,
                   {xSrc, top, srcWidth, srcHeight}, rop))
    return 0;
  return DrawsOnTopDownDib(*dc) ? -srcHeight : srcHeight;
}

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  TDeviceContext* dc = DcOf(hdc);
  TRaster raster;
  if (!dc || usage != DIB_RGB_COLORS || width > 16384 || height > 16384 || startScan > 16384 ||
      lines > 16384 ||
      !DibToRaster(bits, info, raster, static_cast<int>(startScan), static_cast<int>(lines)))
    return 0;
  const int w = static_cast<int>(width);
  const int h = static_cast<int>(height);
  const int top = info->bmiHeader.biHeight > 0 ? raster.Height - ySrc - h : ySrc;
  TBlitSource source;
  source.Raster = &raster;
  if (!StretchBlit(*dc, {xDest, yDest, w, h}, source, {xSrc, top, w, h}, SRCCOPY)) return 0;
  return static_cast<int>(lines);
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  auto* b = ObjectOf<TGdiBitmap>(bitmap);
  if (!DcOf(hdc) || !b || !info || usage != DIB_RGB_COLORS) return 0;
  BITMAPINFOHEADER& h = info->bmiHeader;
  const TRaster& r = b->Raster;
  if (!bits) {
    h.biWidth = r.Width;
    h.biHeight = r.Height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(r.Width) * static_cast<DWORD>(r.Height) * 4;
    return r.Height;
  }
  if (h.biBitCount != 32 || h.biCompression != BI_RGB || h.biWidth != r.Width ||
      (h.biHeight != r.Height && h.biHeight != -r.Height) || start >= static_cast<UINT>(r.Height))
    return 0;
  const int count = static_cast<int>(std::min<UINT>(lines, static_cast<UINT>(r.Height) - start));
  auto* out = static_cast<std::uint8_t*>(bits);
  for (int i = 0; i < count; ++i) {
    const int dibRow = static_cast<int>(start) + i;
    const int y = h.biHeight < 0 ? dibRow : r.Height - 1 - dibRow;
    std::memcpy(out + static_cast<std::size_t>(i) * r.Width * 4,
                r.Pixels.data() + static_cast<std::size_t>(y) * r.Width,
                static_cast<std::size_t>(r.Width) * 4);
  }
  return count;
}
