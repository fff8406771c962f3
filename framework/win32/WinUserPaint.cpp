#include "framework/win32/WinHandles.h"
#include "framework/win32/WinUser.h"

#include "framework/win32/user/Paint.h"
#include "framework/win32/user/Scroll.h"
#include "framework/win32/user/UserState.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

namespace {

BOOL Bool(bool b) { return b ? TRUE : FALSE; }

TRect Ordered(const RECT& r) {
  return Rect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
              std::max(r.Top, r.Bottom));
}

const TRegion* RegionOf(HRGN region) {
  const auto* r = ObjectOf<TGdiRegion>(region);
  return r ? &r->Region : nullptr;
}

// Redraws a window (null: every top-level window) over a rectangle or region, if given.
BOOL Redraw(HWND h, const TRegion* area, UINT flags) {
  if (!h) {
    for (HWND top : ChildHandles(User().Desktop)) Redraw(top, area, flags);
    return TRUE;
  }
  TWindow* w = WindowOf(h);
  if (!w) return FALSE;
  RedrawRegion(*w, area, flags);
  return TRUE;
}

HDC AsHdc(THandleId id) { return HandleFromId<HDC>(id); }

TWindow* DcWindow(HWND h) { return h ? WindowOf(h) : User().Desktop; }

} // namespace

BOOL InvalidateRect(HWND h, const RECT* rect, BOOL erase) {
  const TRegion area(rect ? Ordered(*rect) : TRect{});
  return Redraw(h, rect ? &area : nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND h, HRGN region, BOOL erase) {
  if (region && !RegionOf(region)) return FALSE;
  return Redraw(h, RegionOf(region), RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND h, const RECT* rect) {
  const TRegion area(rect ? Ordered(*rect) : TRect{});
  return Redraw(h, rect ? &area : nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND h, HRGN region) {
  if (region && !RegionOf(region)) return FALSE;
  return Redraw(h, RegionOf(region), RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND h, LPRECT rect, BOOL erase) {
  TWindow* w = WindowOf(h);
  if (!w) return FALSE;
  const bool empty = w->Update.IsEmpty();
  if (rect) *rect = empty ? TRect{} : w->Update.Box();
  if (erase && !empty && w->EraseNeeded) {
    const THandleId dc = MakeWindowDc(*w, DCX_INTERSECTRGN, &w->Update);
    w->EraseNeeded = false;
    SendTo(h, WM_ERASEBKGND, static_cast<WPARAM>(dc), 0);
    if (TWindow* again = WindowOf(h)) ReleaseWindowDc(*again, dc);
  }
  return Bool(!empty);
}

int GetUpdateRgn(HWND h, HRGN region, BOOL erase) {
  const TWindow* w = WindowOf(h);
  auto* target = ObjectOf<TGdiRegion>(region);
  if (!w || !target) return ERROR;
  target->Region = w->Update;
  const int kind = static_cast<int>(target->Region.Kind());
  if (erase) GetUpdateRect(h, nullptr, TRUE);
  return kind;
}

BOOL UpdateWindow(HWND h) {
  if (!WindowOf(h)) return FALSE;
  UpdateNow(h, true);
  return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT* rect, HRGN region, UINT flags) {
  if (region && !RegionOf(region)) return FALSE;
  const TRegion fromRect(rect ? Ordered(*rect) : TRect{});
  const TRegion* area = region ? RegionOf(region) : (rect ? &fromRect : nullptr);
  if (!Redraw(h, area, flags)) return FALSE;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    if (!h) {
      for (HWND top : ChildHandles(User().Desktop)) UpdateNow(top, true);
    } else {
      UpdateNow(h, !(flags & RDW_NOCHILDREN));
    }
  }
  return TRUE;
}

HDC BeginPaint(HWND h, PAINTSTRUCT* paint) {
  if (!paint || !WindowOf(h)) return nullptr;
  return AsHdc(BeginPaintOn(h, *paint));
}

BOOL EndPaint(HWND h, const PAINTSTRUCT* paint) { return Bool(paint && EndPaintOn(h, *paint)); }

HDC GetDC(HWND h) { return GetDCEx(h, nullptr, 0); }

HDC GetWindowDC(HWND h) { return GetDCEx(h, nullptr, DCX_WINDOW); }

HDC GetDCEx(HWND h, HRGN clip, DWORD flags) {
  TWindow* w = DcWindow(h);
  if (!w) return nullptr;
  return AsHdc(MakeWindowDc(*w, flags, RegionOf(clip)));
}

int ReleaseDC(HWND h, HDC dc) {
  TWindow* w = DcWindow(h);
  return w && ReleaseWindowDc(*w, IdFromHandle(dc)) ? 1 : 0;
}

int ScrollWindowEx(HWND h, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update,
                   LPRECT updateRect, UINT flags) {
  TWindow* w = WindowOf(h);
  auto* target = ObjectOf<TGdiRegion>(update);
  if (!w || w == User().Desktop || (update && !target)) return ERROR;
  const TRect area = scroll ? Ordered(*scroll) : TRect{};
  const TRect limit = clip ? Ordered(*clip) : TRect{};
  const TRegion uncovered =
      ScrollClientArea(*w, dx, dy, scroll ? &area : nullptr, clip ? &limit : nullptr, flags);
  if (target) target->Region = uncovered;
  if (updateRect) *updateRect = uncovered.IsEmpty() ? TRect{} : uncovered.Box();
  return static_cast<int>(uncovered.Kind());
}

BOOL ScrollWindow(HWND h, int dx, int dy, const RECT* scroll, const RECT* clip) {
  const UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
  return Bool(ScrollWindowEx(h, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR);
}
