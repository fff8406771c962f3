#include "framework/win32/user/DefaultProc.h"

#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/Primitives.h"
#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/FrameTracking.h"
#include "framework/win32/user/MenuLayout.h"
#include "framework/win32/user/MenuTracking.h"
#include "framework/win32/user/NonClient.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/ScrollBars.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT SWP_NOCLIENTSIZE = 0x0800, SWP_NOCLIENTMOVE = 0x1000;
constexpr LPARAM AltDownFlag = 1 << 29;

TPoint PointOf(LPARAM l) { return TPoint{GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

LRESULT OnNcCreate(TWindow& w, LPARAM lParam) {
  const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
  if (cs && cs->lpszName) w.Text = cs->lpszName;
  return 1;
}

LRESULT OnNcCalcSize(const TWindow& w, WPARAM wParam, LPARAM lParam) {
  if (!lParam) return 0;
  // With wParam TRUE the first rectangle of NCCALCSIZE_PARAMS is the window rectangle too.
  TRect* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                    : reinterpret_cast<TRect*>(lParam);
  const TRect insets = FrameInsets(w.Style, w.ExStyle);
  const int windowWidth = r->Right - r->Left;
  r->Left += insets.Left;
  r->Top += insets.Top + MenuBarHeight(w, windowWidth);
  r->Right = std::max(r->Left, r->Right - insets.Right);
  r->Bottom = std::max(r->Top, r->Bottom - insets.Bottom);
  return 0;
}

LRESULT OnSetText(HWND h, TWindow& w, LPARAM lParam) {
  w.Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  if ((w.Style & WS_CAPTION) == WS_CAPTION) {
    w.FrameNeeded = true;
    if (IsVisibleTree(&w)) SendTo(h, WM_NCPAINT, 1, 0);
  }
  return 1;
}

LRESULT OnGetText(const TWindow& w, WPARAM size, LPARAM lParam) {
  if (!lParam || size == 0) return 0;
  auto* out = reinterpret_cast<char*>(lParam);
  const std::size_t n = std::min<std::size_t>(w.Text.size(), size - 1);
  std::memcpy(out, w.Text.data(), n);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT OnEraseBackground(const TWindow& w, WPARAM wParam) {
  const THandleId brush = ClassBrushId(w);
  TDeviceContext* dc = TGdiHandles::Instance().FindDc(static_cast<THandleId>(wParam));
  if (!brush || !dc) return 0;
  const TRegion clip = dc->DeviceClip();
  if (clip.IsEmpty()) return 1;
  const TRect box = clip.Box();
  const TPoint topLeft = dc->ToLogical(TPoint{box.Left, box.Top});
  const TPoint bottomRight = dc->ToLogical(TPoint{box.Right, box.Bottom});
  FillRectWith(*dc, Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y), brush);
  return 1;
}

LRESULT OnPaint(HWND h) {
  PAINTSTRUCT ps;
  BeginPaintOn(h, ps);
  EndPaintOn(h, ps);
  return 0;
}

LRESULT OnSetCursor(HWND h, const TWindow& w, WPARAM wParam, LPARAM lParam) {
  if (w.IsChild() && SendTo(w.Parent->Handle, WM_SETCURSOR, wParam, lParam)) return 1;
  if (!WindowOf(h)) return 0;
  TDisplayBackend* backend = DisplayBackend();
  if (!backend) return 0;
  const auto hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  if (hit == HTCLIENT && w.Class && w.Class->Cursor) {
    backend->SetCursorShape(static_cast<int>(reinterpret_cast<std::uintptr_t>(w.Class->Cursor)));
    return 1;
  }
  if (hit != HTCLIENT) backend->SetCursorShape(IDC_ARROW);
  return 0;
}

LRESULT OnMouseActivate(const TWindow& w, WPARAM wParam, LPARAM lParam) {
  if (w.IsChild()) {
    const LRESULT parent = SendTo(w.Parent->Handle, WM_MOUSEACTIVATE, wParam, lParam);
    if (parent) return parent;
  }
  return MA_ACTIVATE;
}

LRESULT OnWindowPosChanged(HWND h, LPARAM lParam) {
  const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
  const TWindow* w = WindowOf(h);
  if (!pos || !w) return 0;
  const TRect client = w->Client;
  const TPoint at{w->Rect.Left + client.Left, w->Rect.Top + client.Top};
  if (!(pos->flags & SWP_NOCLIENTMOVE)) SendTo(h, WM_MOVE, 0, MAKELPARAM(at.X, at.Y));
  if (!(pos->flags & SWP_NOCLIENTSIZE) && WindowOf(h))
    SendTo(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
  return 0;
}

LRESULT OnActivate(HWND h, WPARAM wParam) {
  const TWindow* w = WindowOf(h);
  if (LOWORD(wParam) == WA_INACTIVE || !w || (w->Style & WS_MINIMIZE)) return 0;
  const TWindow* focus = WindowOf(User().Focus);
  if (!focus || (focus != w && !IsDescendant(w, focus))) SetFocusTo(h);
  return 0;
}

// Where Alt+Space opens the system menu: under the caption's left end.
TPoint SystemMenuPoint(const TWindow& w) {
  const TPoint origin = WindowScreenOrigin(&w);
  const TRect caption = CaptionRect(w);
  return TPoint{origin.X + caption.Left, origin.Y + caption.Bottom};
}

LRESULT OnSetRedraw(TWindow& w, WPARAM wParam) {
  if (wParam) {
    w.Style |= WS_VISIBLE;
  } else {
    w.Style &= ~WS_VISIBLE;
  }
  return 0;
}

} // namespace

LRESULT DefaultWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  if (message == WM_SYSKEYDOWN && wParam == VK_F4 && (lParam & AltDownFlag)) {
    SendTo(TopLevelOf(w)->Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if (LRESULT result = 0; DefaultMenuMessage(h, message, wParam, lParam, result)) return result;
  switch (message) {
  case WM_NCCREATE:
    return OnNcCreate(*w, lParam);
  case WM_NCCALCSIZE:
    return OnNcCalcSize(*w, wParam, lParam);
  case WM_NCHITTEST:
    return HitTestFrame(*w, PointOf(lParam));
  case WM_NCPAINT:
    w->FrameNeeded = false;
    PaintFrame(*w, User().Active == h);
    return 0;
  case WM_NCACTIVATE:
    if (IsVisibleTree(w)) PaintFrame(*w, wParam != 0);
    return 1;
  case WM_SETTEXT:
    return OnSetText(h, *w, lParam);
  case WM_GETTEXT:
    return OnGetText(*w, wParam, lParam);
  case WM_GETTEXTLENGTH:
    return static_cast<LRESULT>(w->Text.size());
  case WM_ERASEBKGND:
    return OnEraseBackground(*w, wParam);
  case WM_PAINT:
    return OnPaint(h);
  case WM_CLOSE:
    DestroyWindowTree(h);
    return 0;
  case WM_SYSCOMMAND:
    if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == ' ')
      ShowSystemMenu(TopLevelOf(w)->Handle, SystemMenuPoint(*TopLevelOf(w)));
    else
      FrameCommand(h, wParam, lParam);
    return 0;
  case WM_SETCURSOR:
    return OnSetCursor(h, *w, wParam, lParam);
  case WM_MOUSEACTIVATE:
    return OnMouseActivate(*w, wParam, lParam);
  case WM_MOUSEWHEEL:
    return w->IsChild() ? SendTo(w->Parent->Handle, message, wParam, lParam) : 0;
  case WM_WINDOWPOSCHANGED:
    return OnWindowPosChanged(h, lParam);
  case WM_ACTIVATE:
    return OnActivate(h, wParam);
  case WM_SETREDRAW:
    return OnSetRedraw(*w, wParam);
  case WM_NCLBUTTONDOWN:
    if (wParam == static_cast<WPARAM>(HTVSCROLL) || wParam == static_cast<WPARAM>(HTHSCROLL))
      BeginScrollTracking(h, wParam == static_cast<WPARAM>(HTVSCROLL) ? SB_VERT : SB_HORZ,
                          PointOf(lParam));
    else
      FrameButtonDown(h, static_cast<LRESULT>(wParam), PointOf(lParam), false);
    return 0;
  case WM_NCLBUTTONDBLCLK:
    FrameButtonDown(h, static_cast<LRESULT>(wParam), PointOf(lParam), true);
    return 0;
  case WM_CANCELMODE:
    if (User().Capture == h) ReleaseCaptureNow();
    return 0;
  default:
    return 0;
  }
}
