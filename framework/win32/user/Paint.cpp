#include "framework/win32/user/Paint.h"

#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/SysColors.h"
#include "framework/win32/user/Backend.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>

namespace {

bool Overlap(const TRect& a, const TRect& b) { return !Intersection(a, b).IsEmpty(); }

TRect SurfaceWindowRect(const TWindow& w) {
  const TPoint o = WindowSurfaceOrigin(&w);
  return Bounds(o.X, o.Y, w.Rect.Width(), w.Rect.Height());
}

TRect SurfaceClientRect(const TWindow& w) {
  const TPoint o = ClientSurfaceOrigin(&w);
  return Bounds(o.X, o.Y, w.Client.Width(), w.Client.Height());
}

TRect ClientArea(const TWindow& w) { return Rect(0, 0, w.Client.Width(), w.Client.Height()); }

TRect Shifted(const TRect& r, TPoint by) {
  return Rect(r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y);
}

// The union of many rectangles, merged pairwise so large sets stay fast.
TRegion UnionOf(const std::vector<TRect>& rects, std::size_t begin, std::size_t end) {
  if (end - begin == 1) return TRegion(rects[begin]);
  const std::size_t middle = begin + (end - begin) / 2;
  return TRegion::Combine(UnionOf(rects, begin, middle), UnionOf(rects, middle, end),
                          TRegionOp::Or);
}

TRegion Without(TRegion region, const std::vector<TRect>& cut) {
  if (cut.empty() || region.IsEmpty()) return region;
  return TRegion::Combine(region, UnionOf(cut, 0, cut.size()), TRegionOp::Diff);
}

// Siblings are compared in their parent's client coordinates, where their rectangles live.
void CollectCoveringSiblings(const TWindow& w, bool clipSiblings, const TRect& bounds,
                             std::vector<TRect>& cut) {
  const TWindow* desktop = User().Desktop;
  for (const TWindow* a = &w; a->Parent != desktop; a = a->Parent) {
    const bool clip = a == &w ? clipSiblings : (a->Style & WS_CLIPSIBLINGS) != 0;
    if (!clip) continue;
    const TPoint origin = ClientSurfaceOrigin(a->Parent);
    const TRect local = Shifted(bounds, TPoint{-origin.X, -origin.Y});
    for (const TWindow* s : a->Parent->Children) {
      if (s == a) break;
      if ((s->Style & WS_VISIBLE) && Overlap(s->Rect, local))
        cut.push_back(Shifted(s->Rect, origin));
    }
  }
}

bool HasFrame(const TWindow& w) { return w.Client != Rect(0, 0, w.Rect.Width(), w.Rect.Height()); }

TRect ClientInParent(const TWindow& child) {
  return Bounds(child.Rect.Left + child.Client.Left, child.Rect.Top + child.Client.Top,
                child.Client.Width(), child.Client.Height());
}

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

// Whether the area (parent's client coordinates) touches the child's frame.
bool ReachesFrame(const TWindow& child, const TRegion& areaInParent) {
  if (!HasFrame(child)) return false;
  const TRect client = ClientInParent(child);
  for (const TRect& r : areaInParent.Rects()) {
    const TRect part = Intersection(r, child.Rect);
    if (!part.IsEmpty() && !Inside(part, client)) return true;
  }
  return false;
}

void ApplyToChildren(TWindow& w, const TRegion& area, UINT flags) {
  const bool all = flags & RDW_ALLCHILDREN, none = flags & RDW_NOCHILDREN;
  if (!(all || (!none && !(w.Style & WS_CLIPCHILDREN)))) return;
  for (TWindow* c : w.Children) {
    if (!(c->Style & WS_VISIBLE) || !area.Intersects(c->Rect)) continue;
    TRegion part = area.Rects().size() == 1
                       ? TRegion(Intersection(area.Rects().front(), c->Rect))
                       : TRegion::Combine(area, TRegion(c->Rect), TRegionOp::And);
    if ((flags & RDW_INVALIDATE) && ReachesFrame(*c, part)) c->FrameNeeded = true;
    part.Offset(-(c->Rect.Left + c->Client.Left), -(c->Rect.Top + c->Client.Top));
    RedrawRegion(*c, &part, flags & ~RDW_FRAME);
  }
}

// Whether the window, shown, or one of its descendants waits for WM_PAINT.
bool SubtreeNeedsPaint(const TWindow& w) {
  if (!(w.Style & WS_VISIBLE)) return false;
  if (w.NeedsPaint()) return true;
  for (const TWindow* c : w.Children)
    if (SubtreeNeedsPaint(*c)) return true;
  return false;
}

// Children (client coordinates) that meet the area, cut to the client area and moved to the
// surface, for clipping them out.
void CollectChildren(const TWindow& w, const TRect& surfaceArea, std::vector<TRect>& cut) {
  const TPoint origin = ClientSurfaceOrigin(&w);
  const TRect area =
      Intersection(Shifted(surfaceArea, TPoint{-origin.X, -origin.Y}), ClientArea(w));
  if (area.IsEmpty()) return;
  for (const TWindow* c : w.Children)
    if ((c->Style & WS_VISIBLE) && Overlap(c->Rect, area))
      cut.push_back(Shifted(Intersection(c->Rect, ClientArea(w)), origin));
}

TWindow* FindNeedingPaint(TWindow& w) {
  if (!(w.Style & WS_VISIBLE)) return nullptr;
  if (w.NeedsPaint() && &w != User().Desktop) return &w;
  for (TWindow* c : w.Children)
    if (TWindow* found = FindNeedingPaint(*c)) return found;
  return nullptr;
}

THandleId SysBrush(int index) {
  TGdiHandles& table = TGdiHandles::Instance();
  const int stockIndex = 1000 + index;
  if (!table.Stock(stockIndex)) {
    auto brush = std::make_unique<TGdiBrush>();
    brush->SysColourIndex = index;
    table.RegisterStock(stockIndex, std::move(brush));
  }
  return table.Stock(stockIndex);
}

TWindow& SurfaceOwner(TWindow& w) {
  TWindow* top = TopLevelOf(&w);
  if (!top->Surface) ResizeSurface(*top);
  return *top;
}

// A DC at a surface origin, clipped to a region in its own coordinates.
THandleId MakeClippedDc(TWindow& w, TPoint origin, TRegion clip) {
  TWindow& top = SurfaceOwner(w);
  auto dc = std::make_unique<TDeviceContext>(top.Surface.get(), origin, std::move(clip));
  const THandleId id = TGdiHandles::Instance().AddDc(std::move(dc));
  top.Dcs.push_back(id);
  top.SurfaceChanged = true;
  return id;
}

} // namespace

TRegion VisibleRegion(const TWindow& w, bool windowArea, bool clipChildren, bool clipSiblings,
                      const TRect* within) {
  const TWindow* desktop = User().Desktop;
  if (!IsVisibleTree(&w)) return {};
  if (&w == desktop) return TRegion(Rect(0, 0, w.Rect.Width(), w.Rect.Height()));
  TRect bounds = windowArea ? SurfaceWindowRect(w) : SurfaceClientRect(w);
  for (const TWindow* a = w.Parent; a != desktop; a = a->Parent)
    bounds = Intersection(bounds, SurfaceClientRect(*a));
  bounds = Intersection(bounds, Rect(0, 0, TopLevelOf(const_cast<TWindow*>(&w))->Rect.Width(),
                                     TopLevelOf(const_cast<TWindow*>(&w))->Rect.Height()));
  if (within) bounds = Intersection(bounds, *within);
  if (bounds.IsEmpty()) return {};
  std::vector<TRect> cut;
  CollectCoveringSiblings(w, clipSiblings, bounds, cut);
  if (clipChildren) CollectChildren(w, bounds, cut);
  return Without(TRegion(bounds), cut);
}

void RedrawRegion(TWindow& w, const TRegion* region, UINT flags) {
  if (!IsVisibleTree(&w) || &w == User().Desktop) return;
  TRegion area = region ? *region : TRegion(ClientArea(w));
  const bool reachesFrame = !region || !Inside(area.Box(), ClientArea(w));
  area.IntersectWith(ClientArea(w));
  if (flags & RDW_INVALIDATE) {
    w.Update = w.Update.IsEmpty() ? area : TRegion::Combine(w.Update, area, TRegionOp::Or);
    if ((flags & RDW_ERASE) && !area.IsEmpty()) w.EraseNeeded = true;
    if ((flags & RDW_FRAME) && reachesFrame && HasFrame(w)) w.FrameNeeded = true;
    if (flags & RDW_INTERNALPAINT) w.InternalPaint = true;
  }
  if (flags & RDW_VALIDATE) {
    w.Update = TRegion::Combine(w.Update, area, TRegionOp::Diff);
    if ((flags & RDW_NOERASE) || w.Update.IsEmpty()) w.EraseNeeded = false;
    if (flags & RDW_NOFRAME) w.FrameNeeded = false;
    if (flags & RDW_NOINTERNALPAINT) w.InternalPaint = false;
  }
  ApplyToChildren(w, area, flags);
}

void UpdateNow(HWND h, bool children) {
  const TWindow* w = WindowOf(h);
  if (!w || !IsVisibleTree(w)) return;
  if (w->NeedsPaint()) SendTo(h, WM_PAINT, 0, 0);
  if (!children || !(w = WindowOf(h))) return;
  // Only the children with something to paint are visited; their handles are taken first,
  // as painting one may destroy another.
  std::vector<HWND> waiting;
  for (const TWindow* c : w->Children)
    if (SubtreeNeedsPaint(*c)) waiting.push_back(c->Handle);
  for (HWND child : waiting) UpdateNow(child, true);
}

void InvalidateWholeWindow(TWindow& w) {
  RedrawRegion(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void InvalidateParentArea(TWindow& parent, const TRect& rectInClient) {
  const TRegion area(rectInClient);
  RedrawRegion(parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HWND NextWindowToPaint(HWND filter) {
  TWindow* root = filter ? WindowOf(filter) : User().Desktop;
  if (!root || !IsVisibleTree(root)) return nullptr;
  TWindow* found = FindNeedingPaint(*root);
  return found ? found->Handle : nullptr;
}

THandleId MakeWindowDc(TWindow& w, DWORD flags, const TRegion* extra) {
  const bool windowArea = flags & DCX_WINDOW;
  const bool clipChildren = (flags & DCX_CLIPCHILDREN) || (w.Style & WS_CLIPCHILDREN);
  const bool clipSiblings = (flags & DCX_CLIPSIBLINGS) || (w.Style & WS_CLIPSIBLINGS);
  const bool desktop = &w == User().Desktop;
  const TPoint origin =
      desktop ? TPoint{} : (windowArea ? WindowSurfaceOrigin(&w) : ClientSurfaceOrigin(&w));
  TRegion visible = VisibleRegion(w, windowArea, clipChildren, clipSiblings);
  if ((flags & DCX_PARENTCLIP) && !desktop && w.Parent != User().Desktop) {
    visible = VisibleRegion(*w.Parent, false, false, (w.Parent->Style & WS_CLIPSIBLINGS) != 0);
    visible.IntersectWith(windowArea ? SurfaceWindowRect(w) : SurfaceClientRect(w));
  }
  if (extra && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    TRegion moved = *extra;
    moved.Offset(origin.X, origin.Y);
    visible = TRegion::Combine(visible, moved,
                               (flags & DCX_EXCLUDERGN) ? TRegionOp::Diff : TRegionOp::And);
  }
  visible.Offset(-origin.X, -origin.Y);
  return MakeClippedDc(w, origin, std::move(visible));
}

bool ReleaseWindowDc(TWindow& w, THandleId dc) {
  TWindow* top = TopLevelOf(&w);
  const auto it = std::find(top->Dcs.begin(), top->Dcs.end(), dc);
  if (it == top->Dcs.end()) return false;
  top->Dcs.erase(it);
  TGdiHandles::Instance().DeleteDc(dc);
  return true;
}

void ReleaseWindowDcs(TWindow& w) {
  for (const THandleId dc : w.Dcs) TGdiHandles::Instance().DeleteDc(dc);
  w.Dcs.clear();
}

void ResizeSurface(TWindow& top) {
  const bool desktop = &top == User().Desktop;
  const int width = desktop ? ScreenWidth() : top.Rect.Width();
  const int height = desktop ? ScreenHeight() : top.Rect.Height();
  constexpr std::uint32_t white = 0xFFFFFFFFu;
  if (!top.Surface) {
    top.Surface = std::make_unique<TRaster>(width, height, white);
  } else if (top.Surface->Width != width || top.Surface->Height != height) {
    *top.Surface = TRaster(width, height, white);
  }
  top.SurfaceChanged = true;
}

THandleId BeginPaintOn(HWND h, PAINTSTRUCT& paint) {
  paint = PAINTSTRUCT{};
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  if (w->FrameNeeded) {
    w->FrameNeeded = false;
    SendTo(h, WM_NCPAINT, 1, 0);
    if (!(w = WindowOf(h))) return 0;
  }
  TRegion update = w->Update;
  update.IntersectWith(ClientArea(*w));
  const bool erase = w->EraseNeeded;
  w->Update = TRegion();
  w->EraseNeeded = false;
  w->InternalPaint = false;
  const TPoint origin = ClientSurfaceOrigin(w);
  update.Offset(origin.X, origin.Y);
  // Only the part of the window the update touches needs its children cut out.
  const TRect updateBox = update.Box();
  TRegion clip = VisibleRegion(*w, false, (w->Style & WS_CLIPCHILDREN) != 0,
                               (w->Style & WS_CLIPSIBLINGS) != 0, &updateBox);
  const bool updateCoversAll =
      update.Rects().size() == 1 && !clip.IsEmpty() && Inside(clip.Box(), update.Rects().front());
  if (!updateCoversAll) clip = TRegion::Combine(update, clip, TRegionOp::And);
  clip.Offset(-origin.X, -origin.Y);
  const THandleId dc = MakeClippedDc(*w, origin, clip);
  paint.hdc = reinterpret_cast<HDC>(dc);
  paint.rcPaint = clip.IsEmpty() ? TRect{} : clip.Box();
  if (erase) paint.fErase = SendTo(h, WM_ERASEBKGND, static_cast<WPARAM>(dc), 0) == 0 ? 1 : 0;
  return dc;
}

bool EndPaintOn(HWND h, const PAINTSTRUCT& paint) {
  TWindow* w = WindowOf(h);
  if (!w) return false;
  return ReleaseWindowDc(*w, reinterpret_cast<THandleId>(paint.hdc));
}

THandleId ClassBrushId(const TWindow& w) {
  if (!w.Class) return 0;
  const auto value = reinterpret_cast<std::uintptr_t>(w.Class->Background);
  if (value >= 1 && value <= static_cast<std::uintptr_t>(SysColorCount))
    return SysBrush(static_cast<int>(value) - 1);
  return value;
}
