#include "framework/win32/user/Scroll.h"

#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowTree.h"

#include <vector>

namespace {

TRegion Offset(TRegion r, int dx, int dy) {
  r.Offset(dx, dy);
  return r;
}

// Copies the pixels of `target` (surface coordinates) from dx, dy back.
void MovePixels(TRaster& surface, const TRegion& target, int dx, int dy) {
  if (target.IsEmpty()) return;
  const TRaster before = surface;
  for (const TRect& r : target.Rects())
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) surface.At(x, y) = before.At(x - dx, y - dy);
}

void ScrollChildren(TWindow& w, int dx, int dy, const TRect* area) {
  for (HWND child : ChildHandles(&w)) {
    const TWindow* c = WindowOf(child);
    if (!c || (area && !TRegion(*area).Intersects(c->Rect))) continue;
    PlaceWindow(child, nullptr, c->Rect.Left + dx, c->Rect.Top + dy, 0, 0,
                SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
}

} // namespace

TRegion ScrollClientArea(TWindow& w, int dx, int dy, const TRect* area, const TRect* clip,
                         UINT flags) {
  const TRect client = Rect(0, 0, w.Client.Width(), w.Client.Height());
  TRegion scrolled(area ? *area : client);
  scrolled.IntersectWith(client);
  TRegion limit(clip ? *clip : client);
  limit.IntersectWith(client);
  const TPoint origin = ClientSurfaceOrigin(&w);
  const TRegion visible =
      Offset(VisibleRegion(w, false, (w.Style & WS_CLIPCHILDREN) != 0, true), -origin.X, -origin.Y);
  const TRegion source = TRegion::Combine(scrolled, visible, TRegionOp::And);
  TRegion moved = TRegion::Combine(Offset(source, dx, dy), limit, TRegionOp::And);
  moved = TRegion::Combine(moved, visible, TRegionOp::And);
  if (TWindow* top = TopLevelOf(&w); top && top->Surface) {
    MovePixels(*top->Surface, Offset(moved, origin.X, origin.Y), dx, dy);
    top->SurfaceChanged = true;
  }
  const TRegion pending = TRegion::Combine(w.Update, scrolled, TRegionOp::And);
  w.Update = TRegion::Combine(w.Update, pending, TRegionOp::Diff);
  w.Update = TRegion::Combine(w.Update, Offset(pending, dx, dy), TRegionOp::Or);
  w.Update.IntersectWith(client);
  const TRegion uncovered =
      TRegion::Combine(TRegion::Combine(scrolled, limit, TRegionOp::And), moved, TRegionOp::Diff);
  if (flags & SW_SCROLLCHILDREN) ScrollChildren(w, dx, dy, area);
  if (TWindow* again = WindowOf(w.Handle); again && (flags & SW_INVALIDATE))
    RedrawRegion(*again, &uncovered,
                 RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                     ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : 0));
  return uncovered;
}
