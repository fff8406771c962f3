#include "framework/win32/WinHandles.h"
#include "framework/win32/Windows.h"

#include <algorithm>

namespace {

constexpr int DeviceLimit = 1 << 27;

int Clamp(long long v) {
  return static_cast<int>(std::clamp<long long>(v, -DeviceLimit, DeviceLimit));
}

TRect ClampedRect(int left, int top, int right, int bottom) {
  return TRect{Clamp(left), Clamp(top), Clamp(right), Clamp(bottom)};
}

// Sets one field of the DC's state and answers the old value, or `failed` for a bad handle.
template <class T, class V> T Exchange(HDC hdc, T TDcState::*field, V value, T failed) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return failed;
  T old = dc->State().*field;
  dc->State().*field = static_cast<T>(value);
  return old;
}

template <class T> T Read(HDC hdc, T TDcState::*field, T failed) {
  TDeviceContext* dc = DcOf(hdc);
  return dc ? dc->State().*field : failed;
}

BOOL SetOrigin(HDC hdc, TPoint TDcState::*field, long long x, long long y, LPPOINT previous) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return FALSE;
  TPoint& origin = dc->State().*field;
  if (previous) *previous = origin;
  origin = TPoint{Clamp(x), Clamp(y)};
  dc->StateChanged();
  return TRUE;
}

BOOL GetOrigin(HDC hdc, TPoint TDcState::*field, LPPOINT out) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !out) return FALSE;
  *out = dc->State().*field;
  return TRUE;
}

int KindOf(const TRegion& r) { return static_cast<int>(r.Kind()); }

// The clip region the DC has, or its whole drawing area when it has none (device pixels).
TRegion CurrentClip(const TDeviceContext& dc) {
  return dc.State().ClipRegion ? *dc.State().ClipRegion : dc.DeviceClip();
}

int SetClip(TDeviceContext& dc, std::optional<TRegion> clip) {
  dc.State().ClipRegion = std::move(clip);
  dc.StateChanged();
  return KindOf(dc.DeviceClip());
}

int CombineClipWithRect(HDC hdc, int left, int top, int right, int bottom, TRegionOp op) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return ERROR;
  const TRect d = Normalised(dc->ToDevice(ClampedRect(left, top, right, bottom)));
  if (op == TRegionOp::And && !dc->State().ClipRegion) return SetClip(*dc, dc->DeviceClip(&d));
  return SetClip(*dc, TRegion::Combine(CurrentClip(*dc), TRegion(d), op));
}

} // namespace

HDC CreateCompatibleDC(HDC) {
  return HandleFromId<HDC>(TGdiHandles::Instance().AddDc(std::make_unique<TDeviceContext>()));
}

BOOL DeleteDC(HDC dc) { return TGdiHandles::Instance().DeleteDc(IdFromHandle(dc)) ? TRUE : FALSE; }

int SaveDC(HDC hdc) {
  TDeviceContext* dc = DcOf(hdc);
  return dc ? dc->SaveState() : 0;
}

BOOL RestoreDC(HDC hdc, int level) {
  TDeviceContext* dc = DcOf(hdc);
  return dc && dc->RestoreState(level) ? TRUE : FALSE;
}

COLORREF SetTextColor(HDC dc, COLORREF c) {
  return Exchange(dc, &TDcState::TextColour, c & 0x00FFFFFFu, CLR_INVALID);
}
COLORREF GetTextColor(HDC dc) { return Read(dc, &TDcState::TextColour, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF c) {
  return Exchange(dc, &TDcState::BkColour, c & 0x00FFFFFFu, CLR_INVALID);
}
COLORREF GetBkColor(HDC dc) { return Read(dc, &TDcState::BkColour, CLR_INVALID); }

int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return Exchange(dc, &TDcState::BkMode, mode, 0);
}
int GetBkMode(HDC dc) { return Read(dc, &TDcState::BkMode, 0); }

UINT SetTextAlign(HDC dc, UINT align) {
  constexpr UINT GdiError = 0xFFFFFFFF;
  return Exchange(dc, &TDcState::TextAlign, align, GdiError);
}
UINT GetTextAlign(HDC dc) { return Read(dc, &TDcState::TextAlign, 0xFFFFFFFFu); }

int SetROP2(HDC dc, int rop2) {
  if (rop2 < R2_BLACK || rop2 > R2_WHITE) return 0;
  return Exchange(dc, &TDcState::Rop2, rop2, 0);
}
int GetROP2(HDC dc) { return Read(dc, &TDcState::Rop2, 0); }

int SetPolyFillMode(HDC hdc, int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return static_cast<int>(
      Exchange(hdc, &TDcState::PolyFillMode, static_cast<TFillRule>(mode), TFillRule{}));
}
int GetPolyFillMode(HDC dc) {
  return static_cast<int>(Read(dc, &TDcState::PolyFillMode, TFillRule{}));
}

int SetStretchBltMode(HDC dc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return Exchange(dc, &TDcState::StretchMode, mode, 0);
}
int GetStretchBltMode(HDC dc) { return Read(dc, &TDcState::StretchMode, 0); }

int SetArcDirection(HDC hdc, int direction) {
  if (direction != AD_CLOCKWISE && direction != AD_COUNTERCLOCKWISE) return 0;
  const bool old = Exchange(hdc, &TDcState::ClockwiseArcs, direction == AD_CLOCKWISE, false);
  return DcOf(hdc) ? (old ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE) : 0;
}
int GetArcDirection(HDC hdc) {
  if (!DcOf(hdc)) return 0;
  return Read(hdc, &TDcState::ClockwiseArcs, false) ? AD_CLOCKWISE : AD_COUNTERCLOCKWISE;
}

int SetMapMode(HDC dc, int mode) { return DcOf(dc) && mode == MM_TEXT ? MM_TEXT : 0; }
int GetMapMode(HDC dc) { return DcOf(dc) ? MM_TEXT : 0; }

COLORREF SetDCBrushColor(HDC dc, COLORREF c) {
  return Exchange(dc, &TDcState::DcBrushColour, c & 0x00FFFFFFu, CLR_INVALID);
}
COLORREF SetDCPenColor(HDC dc, COLORREF c) {
  return Exchange(dc, &TDcState::DcPenColour, c & 0x00FFFFFFu, CLR_INVALID);
}

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  return SetOrigin(dc, &TDcState::CurrentPosition, x, y, previous);
}
BOOL GetCurrentPositionEx(HDC dc, LPPOINT p) {
  return GetOrigin(dc, &TDcState::CurrentPosition, p);
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return SetOrigin(dc, &TDcState::WindowOrigin, x, y, previous);
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT p) { return GetOrigin(dc, &TDcState::WindowOrigin, p); }
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return FALSE;
  const TPoint o = dc->State().WindowOrigin;
  return SetOrigin(hdc, &TDcState::WindowOrigin, static_cast<long long>(o.X) + dx,
                   static_cast<long long>(o.Y) + dy, previous);
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return SetOrigin(dc, &TDcState::ViewportOrigin, x, y, previous);
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT p) { return GetOrigin(dc, &TDcState::ViewportOrigin, p); }
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return FALSE;
  const TPoint o = dc->State().ViewportOrigin;
  return SetOrigin(hdc, &TDcState::ViewportOrigin, static_cast<long long>(o.X) + dx,
                   static_cast<long long>(o.Y) + dy, previous);
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return SetOrigin(dc, &TDcState::BrushOrigin, x, y, previous);
}
BOOL GetBrushOrgEx(HDC dc, LPPOINT p) { return GetOrigin(dc, &TDcState::BrushOrigin, p); }

BOOL LPtoDP(HDC hdc, LPPOINT points, int count) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = dc->ToDevice(points[i]);
  return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || (!points && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = dc->ToLogical(points[i]);
  return TRUE;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  auto region = std::make_unique<TGdiRegion>();
  region->Region = TRegion(ClampedRect(left, top, right, bottom));
  return AddObject<HRGN>(std::move(region));
}

HRGN CreateRectRgnIndirect(const RECT* r) {
  return r ? CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  auto* r = ObjectOf<TGdiRegion>(region);
  if (!r) return FALSE;
  r->Region = TRegion(ClampedRect(left, top, right, bottom));
  return TRUE;
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
  auto* d = ObjectOf<TGdiRegion>(dest);
  auto* ra = ObjectOf<TGdiRegion>(a);
  auto* rb = ObjectOf<TGdiRegion>(b);
  if (!d || !ra || mode < RGN_AND || mode > RGN_COPY || (mode != RGN_COPY && !rb)) return ERROR;
  d->Region = mode == RGN_COPY
                  ? ra->Region
                  : TRegion::Combine(ra->Region, rb->Region, static_cast<TRegionOp>(mode));
  return KindOf(d->Region);
}

int OffsetRgn(HRGN region, int dx, int dy) {
  auto* r = ObjectOf<TGdiRegion>(region);
  if (!r) return ERROR;
  const TRect box = r->Region.Box();
  const int cx = Clamp(static_cast<long long>(box.Left) + dx) - box.Left;
  const int cy = Clamp(static_cast<long long>(box.Top) + dy) - box.Top;
  r->Region.Offset(cx, cy);
  return KindOf(r->Region);
}

BOOL PtInRegion(HRGN region, int x, int y) {
  auto* r = ObjectOf<TGdiRegion>(region);
  return r && r->Region.Contains(TPoint{x, y}) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
  auto* r = ObjectOf<TGdiRegion>(region);
  return r && rect && r->Region.Intersects(*rect) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, LPRECT box) {
  auto* r = ObjectOf<TGdiRegion>(region);
  if (!r || !box) return ERROR;
  *box = r->Region.Box();
  return KindOf(r->Region);
}

BOOL EqualRgn(HRGN a, HRGN b) {
  auto* ra = ObjectOf<TGdiRegion>(a);
  auto* rb = ObjectOf<TGdiRegion>(b);
  if (!ra || !rb) return ERROR;
  return ra->Region == rb->Region ? TRUE : FALSE;
}

int SelectClipRgn(HDC hdc, HRGN region) { return ExtSelectClipRgn(hdc, region, RGN_COPY); }

int ExtSelectClipRgn(HDC hdc, HRGN region, int mode) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  auto* r = ObjectOf<TGdiRegion>(region);
  if (!r) {
    if (region || mode != RGN_COPY) return ERROR;
    return SetClip(*dc, std::nullopt);
  }
  if (mode == RGN_COPY) return SetClip(*dc, r->Region);
  return SetClip(*dc, TRegion::Combine(CurrentClip(*dc), r->Region, static_cast<TRegionOp>(mode)));
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return CombineClipWithRect(dc, left, top, right, bottom, TRegionOp::And);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return CombineClipWithRect(dc, left, top, right, bottom, TRegionOp::Diff);
}

int OffsetClipRgn(HDC hdc, int dx, int dy) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return ERROR;
  if (dc->State().ClipRegion) {
    dc->State().ClipRegion->Offset(Clamp(dx), Clamp(dy));
    dc->StateChanged();
  }
  return KindOf(dc->DeviceClip());
}

int GetClipBox(HDC hdc, LPRECT box) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !box) return ERROR;
  const TRegion clip = dc->DeviceClip();
  const TRect d = clip.Box();
  const TPoint a = dc->ToLogical(TPoint{d.Left, d.Top});
  const TPoint b = dc->ToLogical(TPoint{d.Right, d.Bottom});
  *box = TRect{a.X, a.Y, b.X, b.Y};
  return KindOf(clip);
}

int GetClipRgn(HDC hdc, HRGN region) {
  TDeviceContext* dc = DcOf(hdc);
  auto* r = ObjectOf<TGdiRegion>(region);
  if (!dc || !r) return -1;
  if (!dc->State().ClipRegion) return 0;
  r->Region = *dc->State().ClipRegion;
  return 1;
}

BOOL PtVisible(HDC hdc, int x, int y) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return FALSE;
  return dc->DeviceClip().Contains(dc->ToDevice(TPoint{x, y})) ? TRUE : FALSE;
}

BOOL RectVisible(HDC hdc, const RECT* rect) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !rect) return FALSE;
  const TRect area = Normalised(dc->ToDevice(*rect));
  return dc->DeviceClip(&area).IsEmpty() ? FALSE : TRUE;
}
