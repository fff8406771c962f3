#include "framework/win32/user/WindowTree.h"

#include "framework/win32/user/Menu.h"
#include "framework/win32/user/MenuTracking.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"

#include <algorithm>
#include <set>

namespace {

LPARAM PointerParam(void* p) { return reinterpret_cast<LPARAM>(p); }

// Where a window without a position of its own goes.
TRect DefaultRect(const CREATESTRUCTA& cs, bool overlapped) {
  int x = cs.x, y = cs.y, cx = cs.cx, cy = cs.cy;
  if (x == CW_USEDEFAULT) x = y = overlapped ? 26 : 0;
  if (cx == CW_USEDEFAULT) {
    cx = overlapped ? ScreenWidth() * 3 / 4 : 0;
    cy = overlapped ? ScreenHeight() * 3 / 4 : 0;
  }
  return Bounds(x, y, std::max(cx, 0), std::max(cy, 0));
}

std::unique_ptr<TWindow> NewWindow(const CREATESTRUCTA& cs, TWindowClass* cls, DWORD style) {
  auto w = std::make_unique<TWindow>();
  w->Handle = User().NewHandle();
  w->Class = cls;
  w->Style = style & ~WS_VISIBLE;
  w->ExStyle = cs.dwExStyle;
  w->Id = (style & WS_CHILD) ? reinterpret_cast<UINT_PTR>(cs.hMenu)
                             : MenuForNewWindow(cs.hMenu, w->Handle);
  w->Instance = cs.hInstance;
  w->Proc = cls->Proc;
  w->Extra.assign(static_cast<std::size_t>(cls->WindowExtra), 0);
  w->Rect = DefaultRect(cs, (style & (WS_CHILD | WS_POPUP)) == 0);
  w->Client = Rect(0, 0, w->Rect.Width(), w->Rect.Height());
  return w;
}

void SendSizeAndMove(HWND h) {
  const TWindow* w = WindowOf(h);
  if (!w) return;
  const TRect client = w->Client;
  SendTo(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
  if (const TWindow* again = WindowOf(h))
    SendTo(h, WM_MOVE, 0,
           MAKELPARAM(again->Rect.Left + again->Client.Left, again->Rect.Top + again->Client.Top));
}

void SendDestroyMessages(HWND h) {
  SendTo(h, WM_DESTROY, 0, 0);
  const TWindow* w = WindowOf(h);
  if (!w) return;
  for (HWND child : ChildHandles(w))
    if (TWindow* c = WindowOf(child)) {
      c->Destroying = true;
      SendDestroyMessages(child);
    }
}

void FreeWindow(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  for (HWND child : ChildHandles(w)) FreeWindow(child);
  SendTo(h, WM_NCDESTROY, 0, 0);
  w = WindowOf(h);
  if (!w) return;
  ForgetWindowInput(*w);
  RemoveWindowMessages(h);
  ReleaseWindowDcs(*w);
  auto& siblings = w->Parent->Children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  for (auto& [id, other] : User().Windows)
    if (other->Owner == w) other->Owner = nullptr;
  --w->Class->Windows;
  if (w->Surface && DisplayBackend()) DisplayBackend()->WindowDestroyed(h);
  User().Windows.erase(reinterpret_cast<std::uintptr_t>(h));
}

std::vector<HWND> OwnedWindows(const TWindow* owner) {
  std::vector<HWND> owned;
  for (const TWindow* top : User().Desktop->Children)
    if (top->Owner == owner) owned.push_back(top->Handle);
  return owned;
}

// Moves the window in its siblings' z-order; true when its place changed.
bool Reorder(TWindow& w, HWND insertAfter) {
  auto& siblings = w.Parent->Children;
  const auto old = std::find(siblings.begin(), siblings.end(), &w);
  const auto oldIndex = old - siblings.begin();
  siblings.erase(old);
  auto at = siblings.begin();
  if (insertAfter == HWND_BOTTOM) {
    at = siblings.end();
  } else if (insertAfter != HWND_TOP && insertAfter != HWND_TOPMOST &&
             insertAfter != HWND_NOTOPMOST) {
    const TWindow* after = WindowOf(insertAfter);
    const auto found = std::find(siblings.begin(), siblings.end(), after);
    if (found != siblings.end()) at = found + 1;
  }
  const auto newIndex = at - siblings.begin();
  siblings.insert(at, &w);
  return newIndex != oldIndex;
}

bool Contains(const TRect& r, TPoint p) { return r.Contains(p); }

TPoint Offset(TPoint p, TPoint by) { return TPoint{p.X - by.X, p.Y - by.Y}; }

// The deepest window under the point that is not excluded; disabled children are skipped.
TWindow* DeepestAt(TPoint screen, const std::set<HWND>& excluded) {
  TWindow* found = nullptr;
  const TWindow* parent = User().Desktop;
  for (;;) {
    const TPoint inParent = Offset(screen, ClientScreenOrigin(parent));
    TWindow* next = nullptr;
    for (TWindow* c : parent->Children) {
      if (!(c->Style & WS_VISIBLE) || excluded.count(c->Handle)) continue;
      if (!Contains(c->Rect, inParent)) continue;
      if ((c->Style & (WS_CHILD | WS_DISABLED)) == (WS_CHILD | WS_DISABLED)) continue;
      next = c;
      break;
    }
    if (!next) return found;
    found = next;
    const TPoint inWindow = Offset(inParent, TPoint{next->Rect.Left, next->Rect.Top});
    if (!Contains(next->Client, inWindow)) return found;
    parent = next;
  }
}

void InsertOnTop(TWindow& w, TWindow& parent) {
  w.Parent = &parent;
  parent.Children.insert(parent.Children.begin(), &w);
}

void UpdateSurfaceFor(TWindow& w) {
  const bool topLevel = w.Parent == User().Desktop;
  if (!topLevel) {
    ReleaseWindowDcs(w);
    w.Surface.reset();
    return;
  }
  ResizeSurface(w);
}

void InvalidateInParent(TWindow& w, const TRect& rect) {
  if (w.Parent == User().Desktop) return;
  InvalidateParentArea(*w.Parent, rect);
}

} // namespace

HWND CreateWindowFrom(const CREATESTRUCTA& original) {
  CREATESTRUCTA cs = original;
  TWindowClass* cls = FindWindowClass(cs.lpszClass);
  if (!cls) return nullptr;
  TUserState& u = User();
  TWindow* parent = u.Desktop;
  TWindow* owner = nullptr;
  DWORD style = static_cast<DWORD>(cs.style);
  if (style & WS_CHILD) {
    parent = WindowOf(cs.hwndParent);
    if (!parent || parent == u.Desktop) return nullptr;
  } else {
    if (cs.hwndParent && cs.hwndParent != HWND_MESSAGE) {
      owner = WindowOf(cs.hwndParent);
      if (!owner) return nullptr;
      owner = TopLevelOf(owner);
    }
    // Top-level windows never draw over each other; overlapped ones always have a caption.
    style |= WS_CLIPSIBLINGS;
    if (!(style & WS_POPUP)) style |= WS_CAPTION;
  }
  std::unique_ptr<TWindow> made = NewWindow(cs, cls, style);
  TWindow* w = made.get();
  const HWND h = w->Handle;
  w->Owner = owner;
  ++cls->Windows;
  u.Windows.emplace(reinterpret_cast<std::uintptr_t>(h), std::move(made));
  InsertOnTop(*w, *parent);
  if (parent == u.Desktop) ResizeSurface(*w);

  cs.style = static_cast<LONG>(style);
  cs.hwndParent = parent == u.Desktop ? (owner ? owner->Handle : nullptr) : parent->Handle;
  if (!SendTo(h, WM_NCCREATE, 0, PointerParam(&cs))) {
    DestroyWindowTree(h);
    return nullptr;
  }
  if (TWindow* again = WindowOf(h)) RecalculateClient(*again);
  if (SendTo(h, WM_CREATE, 0, PointerParam(&cs)) == -1) {
    DestroyWindowTree(h);
    return nullptr;
  }
  if (!WindowOf(h)) return nullptr;
  SendSizeAndMove(h);
  if ((style & WS_VISIBLE) && WindowOf(h)) ShowWindowAs(h, SW_SHOW);
  return WindowOf(h) ? h : nullptr;
}

bool DestroyWindowTree(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || w == User().Desktop || w->Destroying) return false;
  w->Destroying = true;
  for (HWND owned : OwnedWindows(w)) DestroyWindowTree(owned);
  if (WindowOf(h) && (WindowOf(h)->Style & WS_VISIBLE))
    PlaceWindow(h, nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (TWindow* again = WindowOf(h)) ForgetWindowInput(*again);
  MenuOwnerGone(h);
  SendDestroyMessages(h);
  if (TWindow* gone = WindowOf(h)) ForgetWindowMenu(*gone);
  FreeWindow(h);
  return true;
}

void RecalculateClient(TWindow& w) {
  const HWND h = w.Handle;
  TRect r = w.Rect;
  SendTo(h, WM_NCCALCSIZE, 0, PointerParam(&r));
  TWindow* again = WindowOf(h);
  if (!again) return;
  const TRect& outer = again->Rect;
  r.Left = std::clamp(r.Left, outer.Left, outer.Right);
  r.Right = std::clamp(r.Right, r.Left, outer.Right);
  r.Top = std::clamp(r.Top, outer.Top, outer.Bottom);
  r.Bottom = std::clamp(r.Bottom, r.Top, outer.Bottom);
  again->Client =
      Rect(r.Left - outer.Left, r.Top - outer.Top, r.Right - outer.Left, r.Bottom - outer.Top);
}

bool PlaceWindow(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  TWindow* w = WindowOf(h);
  if (!w || w == User().Desktop) return false;
  WINDOWPOS pos{h, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  if (flags & SWP_NOMOVE) pos.x = w->Rect.Left, pos.y = w->Rect.Top;
  if (flags & SWP_NOSIZE) pos.cx = w->Rect.Width(), pos.cy = w->Rect.Height();
  if (!(flags & SWP_NOSENDCHANGING)) SendTo(h, WM_WINDOWPOSCHANGING, 0, PointerParam(&pos));
  w = WindowOf(h);
  if (!w) return false;
  const TRect oldRect = w->Rect;
  const TRect oldClient = w->Client;
  const bool wasVisible = IsVisibleTree(w);
  const TRect newRect = Bounds(pos.x, pos.y, std::max(pos.cx, 0), std::max(pos.cy, 0));
  const bool moved = newRect.Left != oldRect.Left || newRect.Top != oldRect.Top;
  const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
  w->Rect = newRect;
  if (sized || (pos.flags & SWP_FRAMECHANGED)) RecalculateClient(*w);
  w = WindowOf(h);
  if (!w) return false;
  const bool reordered = !(pos.flags & SWP_NOZORDER) && Reorder(*w, pos.hwndInsertAfter);
  if (pos.flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
  if (pos.flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;
  if (sized && w->Parent == User().Desktop) ResizeSurface(*w);
  const bool nowVisible = IsVisibleTree(w);
  const bool changed =
      moved || sized || reordered || wasVisible != nowVisible || (pos.flags & SWP_FRAMECHANGED);
  if (!(pos.flags & SWP_NOREDRAW) && changed) {
    if (wasVisible) InvalidateInParent(*w, oldRect);
    if (nowVisible) {
      InvalidateInParent(*w, newRect);
      if (w->Parent == User().Desktop && (sized || !wasVisible || (pos.flags & SWP_FRAMECHANGED)))
        InvalidateWholeWindow(*w);
    }
  }
  if (w->Client.Width() == oldClient.Width() && w->Client.Height() == oldClient.Height())
    pos.flags |= 0x0800; // SWP_NOCLIENTSIZE
  if (!moved && w->Client.Left == oldClient.Left && w->Client.Top == oldClient.Top)
    pos.flags |= 0x1000; // SWP_NOCLIENTMOVE
  SendTo(h, WM_WINDOWPOSCHANGED, 0, PointerParam(&pos));
  return true;
}

bool ShowWindowAs(HWND h, int command) {
  TWindow* w = WindowOf(h);
  if (!w || w == User().Desktop) return false;
  const bool wasVisible = (w->Style & WS_VISIBLE) != 0;
  if (command == SW_HIDE) {
    if (!wasVisible) return false;
    SendTo(h, WM_SHOWWINDOW, 0, 0);
    PlaceWindow(h, nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (TWindow* again = WindowOf(h)) WindowHidden(*again);
    return true;
  }
  if (!wasVisible) SendTo(h, WM_SHOWWINDOW, 1, 0);
  w = WindowOf(h);
  if (!w) return wasVisible;
  const bool topLevel = w->Parent == User().Desktop;
  const bool activate = topLevel && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                        command != SW_SHOWMINNOACTIVE && !(w->ExStyle & WS_EX_NOACTIVATE);
  UINT flags = SWP_SHOWWINDOW | SWP_NOSIZE | SWP_NOMOVE;
  if (!activate) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  TRect target = w->Rect;
  if (command == SW_SHOWMAXIMIZED) {
    w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    target = topLevel ? Rect(0, 0, ScreenWidth(), ScreenHeight())
                      : Rect(0, 0, w->Parent->Client.Width(), w->Parent->Client.Height());
    flags &= ~(SWP_NOSIZE | SWP_NOMOVE);
  } else if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED ||
             command == SW_SHOWMINNOACTIVE) {
    w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
  } else if (command == SW_RESTORE || command == SW_SHOWNORMAL) {
    w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  }
  PlaceWindow(h, HWND_TOP, target.Left, target.Top, target.Width(), target.Height(), flags);
  if (activate && WindowOf(h)) ActivateWindow(h, WA_ACTIVE);
  return wasVisible;
}

bool EnableWindowTree(HWND h, bool enable) {
  TWindow* w = WindowOf(h);
  if (!w || w == User().Desktop) return false;
  const bool wasDisabled = (w->Style & WS_DISABLED) != 0;
  if (enable == !wasDisabled) return wasDisabled;
  if (enable) {
    w->Style &= ~WS_DISABLED;
  } else {
    w->Style |= WS_DISABLED;
    WindowDisabled(*w);
  }
  SendTo(h, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

HWND ChangeParent(HWND h, HWND newParentHandle) {
  TWindow* w = WindowOf(h);
  TUserState& u = User();
  TWindow* parent = newParentHandle ? WindowOf(newParentHandle) : u.Desktop;
  if (!w || w == u.Desktop || !parent || parent == w || IsDescendant(w, parent)) return nullptr;
  TWindow* old = w->Parent;
  const bool visible = IsVisibleTree(w);
  if (visible) InvalidateInParent(*w, w->Rect);
  auto& siblings = old->Children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), w), siblings.end());
  InsertOnTop(*w, *parent);
  UpdateSurfaceFor(*w);
  if (IsVisibleTree(w)) {
    InvalidateInParent(*w, w->Rect);
    InvalidateWholeWindow(*w);
  }
  return old->Handle;
}

TWindow* TopLevelOf(TWindow* w) {
  const TWindow* desktop = User().Desktop;
  if (!w || w == desktop) return w;
  while (w->Parent != desktop) w = w->Parent;
  return w;
}

bool IsVisibleTree(const TWindow* w) {
  for (; w; w = w->Parent)
    if (!(w->Style & WS_VISIBLE)) return false;
  return true;
}

bool IsEnabledTree(const TWindow* w) {
  for (; w; w = w->Parent)
    if (w->Style & WS_DISABLED) return false;
  return true;
}

bool DrawsEnabled(const TWindow& w) { return (w.Style & WS_DISABLED) == 0; }

bool IsDescendant(const TWindow* ancestor, const TWindow* w) {
  if (!w) return false;
  for (w = w->Parent; w; w = w->Parent)
    if (w == ancestor) return true;
  return false;
}

TPoint WindowScreenOrigin(const TWindow* w) {
  if (!w->Parent) return TPoint{w->Rect.Left, w->Rect.Top};
  const TPoint p = ClientScreenOrigin(w->Parent);
  return TPoint{p.X + w->Rect.Left, p.Y + w->Rect.Top};
}

TPoint ClientScreenOrigin(const TWindow* w) {
  const TPoint p = WindowScreenOrigin(w);
  return TPoint{p.X + w->Client.Left, p.Y + w->Client.Top};
}

TPoint WindowSurfaceOrigin(const TWindow* w) {
  const TWindow* desktop = User().Desktop;
  if (w == desktop || w->Parent == desktop) return TPoint{};
  const TPoint p = ClientSurfaceOrigin(w->Parent);
  return TPoint{p.X + w->Rect.Left, p.Y + w->Rect.Top};
}

TPoint ClientSurfaceOrigin(const TWindow* w) {
  const TPoint p = WindowSurfaceOrigin(w);
  return TPoint{p.X + w->Client.Left, p.Y + w->Client.Top};
}

TRect ScreenRectOf(const TWindow* w) {
  const TPoint p = WindowScreenOrigin(w);
  return Bounds(p.X, p.Y, w->Rect.Width(), w->Rect.Height());
}

HWND WindowUnderPoint(TPoint screen, LRESULT* hitTest) {
  std::set<HWND> excluded;
  for (;;) {
    TWindow* w = DeepestAt(screen, excluded);
    if (!w) {
      if (hitTest) *hitTest = HTNOWHERE;
      return nullptr;
    }
    if (!IsEnabledTree(w)) {
      if (hitTest) *hitTest = HTERROR;
      return w->Handle;
    }
    const HWND h = w->Handle;
    const LRESULT hit = SendTo(h, WM_NCHITTEST, 0, MAKELPARAM(screen.X, screen.Y));
    if (hit != HTTRANSPARENT || !WindowOf(h)) {
      if (hitTest) *hitTest = hit;
      return WindowOf(h) ? h : nullptr;
    }
    excluded.insert(h);
  }
}

HWND ChildAtPoint(HWND parentHandle, TPoint client, UINT skip) {
  const TWindow* parent = WindowOf(parentHandle);
  if (!parent) return nullptr;
  const TPoint inWindow{client.X + parent->Client.Left, client.Y + parent->Client.Top};
  if (!Contains(Rect(0, 0, parent->Rect.Width(), parent->Rect.Height()), inWindow)) return nullptr;
  for (const TWindow* c : parent->Children) {
    if ((skip & CWP_SKIPINVISIBLE) && !(c->Style & WS_VISIBLE)) continue;
    if ((skip & CWP_SKIPDISABLED) && (c->Style & WS_DISABLED)) continue;
    if ((skip & CWP_SKIPTRANSPARENT) && (c->ExStyle & WS_EX_TRANSPARENT)) continue;
    if (Contains(c->Rect, client)) return c->Handle;
  }
  return parentHandle;
}

std::vector<HWND> ChildHandles(const TWindow* w) {
  std::vector<HWND> handles;
  handles.reserve(w->Children.size());
  for (const TWindow* c : w->Children) handles.push_back(c->Handle);
  return handles;
}

void ForEachDescendant(const TWindow* w, const std::function<void(HWND)>& visit) {
  for (HWND child : ChildHandles(w)) {
    const TWindow* c = WindowOf(child);
    if (!c) continue;
    visit(child);
    if ((c = WindowOf(child))) ForEachDescendant(c, visit);
  }
}
