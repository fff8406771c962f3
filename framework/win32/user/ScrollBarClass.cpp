#include "framework/win32/user/ScrollBarClass.h"

#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/ScrollBars.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

namespace {

bool IsVertical(const TWindow& w) { return (w.Style & SBS_VERT) != 0; }

void Paint(HWND h, TWindow& w) {
  ControlPaint::TPaintDc paint(h, 0);
  if (!paint) return;
  const TRect bar = Rect(0, 0, w.Client.Width(), w.Client.Height());
  DrawScrollBar(paint.Dc(), bar, IsVertical(w), w.ScrollBars[SB_CTL], DrawsEnabled(w),
                PressedScrollPart(h, SB_CTL));
}

LRESULT SetRange(HWND h, WPARAM low, LPARAM high, bool redraw) {
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = static_cast<int>(low);
  info.nMax = static_cast<int>(high);
  const TWindow* w = WindowOf(h);
  const int before = w ? w->ScrollBars[SB_CTL].Pos : 0;
  SetScrollInfoOn(h, SB_CTL, info, redraw);
  return before;
}

LRESULT GetRange(HWND h, WPARAM low, LPARAM high) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  if (low) *reinterpret_cast<int*>(low) = w->ScrollBars[SB_CTL].Min;
  if (high) *reinterpret_cast<int*>(high) = w->ScrollBars[SB_CTL].Max;
  return 0;
}

LRESULT SetPos(HWND h, WPARAM pos, LPARAM redraw) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  const int before = w->ScrollBars[SB_CTL].Pos;
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = static_cast<int>(pos);
  SetScrollInfoOn(h, SB_CTL, info, redraw != 0);
  return before;
}

// The keyboard sends the requests the arrows and the track send.
LRESULT KeyDown(HWND h, const TWindow& w, WPARAM key) {
  int code = -1;
  switch (static_cast<int>(key)) {
  case VK_UP:
  case VK_LEFT:
    code = SB_LINEUP;
    break;
  case VK_DOWN:
  case VK_RIGHT:
    code = SB_LINEDOWN;
    break;
  case VK_PRIOR:
    code = SB_PAGEUP;
    break;
  case VK_NEXT:
    code = SB_PAGEDOWN;
    break;
  case VK_HOME:
    code = SB_TOP;
    break;
  case VK_END:
    code = SB_BOTTOM;
    break;
  default:
    return 0;
  }
  if (!w.Parent) return 0;
  const UINT message = IsVertical(w) ? WM_VSCROLL : WM_HSCROLL;
  SendTo(w.Parent->Handle, message, static_cast<WPARAM>(MAKELPARAM(code, 0)),
         reinterpret_cast<LPARAM>(h));
  SendTo(w.Parent->Handle, message, static_cast<WPARAM>(MAKELPARAM(SB_ENDSCROLL, 0)),
         reinterpret_cast<LPARAM>(h));
  return 0;
}

LRESULT ScrollBarProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  switch (message) {
  case WM_PAINT:
    Paint(h, *w);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    const TPoint o = ClientScreenOrigin(w);
    BeginScrollTracking(h, SB_CTL, TPoint{GET_X_LPARAM(lParam) + o.X, GET_Y_LPARAM(lParam) + o.Y});
    return 0;
  }
  case WM_ENABLE:
    RedrawRegion(*w, nullptr, RDW_INVALIDATE);
    return 0;
  case WM_KEYDOWN:
    return KeyDown(h, *w, wParam);
  case WM_GETDLGCODE:
    return DLGC_WANTARROWS;
  case SBM_SETPOS:
    return SetPos(h, wParam, lParam);
  case SBM_GETPOS:
    return w->ScrollBars[SB_CTL].Pos;
  case SBM_SETRANGE:
  case SBM_SETRANGEREDRAW:
    return SetRange(h, wParam, lParam, message == SBM_SETRANGEREDRAW);
  case SBM_GETRANGE:
    return GetRange(h, wParam, lParam);
  case SBM_ENABLE_ARROWS:
    return EnableScrollBarOn(h, SB_CTL, static_cast<UINT>(wParam)) ? 1 : 0;
  case SBM_SETSCROLLINFO:
    return lParam ? SetScrollInfoOn(h, SB_CTL, *reinterpret_cast<const SCROLLINFO*>(lParam),
                                    wParam != 0)
                  : 0;
  case SBM_GETSCROLLINFO:
    return lParam && GetScrollInfoOf(h, SB_CTL, *reinterpret_cast<SCROLLINFO*>(lParam)) ? 1 : 0;
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

} // namespace

void RegisterScrollBarClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ScrollBarProc;
  wc.lpszClassName = "ScrollBar";
  RegisterWindowClass(wc);
}
