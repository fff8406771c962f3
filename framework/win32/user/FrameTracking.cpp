#include "framework/win32/user/FrameTracking.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Menu.h"
#include "framework/win32/user/MenuTracking.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/NonClient.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <optional>

namespace {

// A move, a size or a pressed caption button, from the press to the release.
struct TFrameTrack {
  HWND Window = nullptr;
  LRESULT Hit = HTNOWHERE;
  TPoint Start;    // where the mouse was, or stands for, at the start
  TRect StartRect; // the window's rectangle then
  bool Inside = true;
};

std::optional<TFrameTrack>& Track() {
  static std::optional<TFrameTrack> track;
  return track;
}

constexpr int KeyStep = 8;
// SC_SIZE carries the edge as WMSZ_LEFT (1) … WMSZ_BOTTOMRIGHT (8), the hit codes less 9.
constexpr LRESULT SizeEdgeToHit = HTLEFT - 1;

bool IsSizing(LRESULT hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }
bool IsButton(LRESULT hit) { return hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON; }
bool SizesLeft(LRESULT hit) { return hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT; }
bool SizesRight(LRESULT hit) { return hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT; }
bool SizesTop(LRESULT hit) { return hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT; }
bool SizesBottom(LRESULT hit) {
  return hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
}

LPARAM PointParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }
TPoint PointOf(LPARAM l) { return TPoint{GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }

WPARAM CommandOfButton(LRESULT hit, DWORD style) {
  if (hit == HTMINBUTTON) return SC_MINIMIZE;
  if (hit == HTMAXBUTTON) return (style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE;
  return SC_CLOSE;
}

MINMAXINFO MinMaxOf(HWND h) {
  MINMAXINFO info;
  info.ptMaxSize = TPoint{ScreenWidth(), ScreenHeight()};
  info.ptMaxTrackSize = info.ptMaxSize;
  info.ptMinTrackSize = TPoint{SystemMetric(SM_CXMINTRACK), SystemMetric(SM_CYMINTRACK)};
  SendTo(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

int Clamped(int value, int low, int high) { return std::clamp(value, low, std::max(low, high)); }

TRect DraggedRect(const TFrameTrack& t, TPoint screen) {
  const int dx = screen.X - t.Start.X, dy = screen.Y - t.Start.Y;
  TRect r = t.StartRect;
  if (t.Hit == HTCAPTION) return Bounds(r.Left + dx, r.Top + dy, r.Width(), r.Height());
  const MINMAXINFO m = MinMaxOf(t.Window);
  const TPoint least = m.ptMinTrackSize, most = m.ptMaxTrackSize;
  if (SizesLeft(t.Hit)) r.Left = Clamped(r.Left + dx, r.Right - most.X, r.Right - least.X);
  if (SizesRight(t.Hit)) r.Right = Clamped(r.Right + dx, r.Left + least.X, r.Left + most.X);
  if (SizesTop(t.Hit)) r.Top = Clamped(r.Top + dy, r.Bottom - most.Y, r.Bottom - least.Y);
  if (SizesBottom(t.Hit)) r.Bottom = Clamped(r.Bottom + dy, r.Top + least.Y, r.Top + most.Y);
  return r;
}

void RepaintFrame(HWND h) {
  if (WindowOf(h)) SendTo(h, WM_NCPAINT, 1, 0);
}

void PlaceAt(HWND h, const TRect& r) {
  const TWindow* w = WindowOf(h);
  if (w && !(r == w->Rect))
    PlaceWindow(h, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveTrack(TPoint screen) {
  TFrameTrack& t = *Track();
  const TWindow* w = WindowOf(t.Window);
  if (!w) return;
  if (!IsButton(t.Hit)) return PlaceAt(t.Window, DraggedRect(t, screen));
  const bool inside = HitTestFrame(*w, screen) == t.Hit;
  if (inside == t.Inside) return;
  t.Inside = inside;
  RepaintFrame(t.Window);
}

// Ends the tracking; a released caption button runs its command.
void EndTrack(TPoint screen, bool cancelled) {
  const TFrameTrack t = *Track();
  Track().reset();
  if (User().Capture == t.Window) ReleaseCaptureNow();
  if (!WindowOf(t.Window)) return;
  if (IsButton(t.Hit)) {
    RepaintFrame(t.Window);
    if (t.Inside && !cancelled)
      SendTo(t.Window, WM_SYSCOMMAND, CommandOfButton(t.Hit, WindowOf(t.Window)->Style),
             PointParam(screen));
    return;
  }
  if (cancelled) PlaceAt(t.Window, t.StartRect);
  SendTo(t.Window, WM_EXITSIZEMOVE, 0, 0);
}

// The keyboard's part of a move or size: arrows step, Return ends, Escape puts it back.
void TrackKey(int key) {
  TFrameTrack& t = *Track();
  const TPoint cursor = User().Cursor;
  switch (key) {
  case VK_RETURN:
    return EndTrack(cursor, false);
  case VK_ESCAPE:
    return EndTrack(cursor, true);
  case VK_LEFT:
  case VK_RIGHT:
    t.Start.X += key == VK_LEFT ? KeyStep : -KeyStep;
    return MoveTrack(cursor);
  case VK_UP:
  case VK_DOWN:
    t.Start.Y += key == VK_UP ? KeyStep : -KeyStep;
    return MoveTrack(cursor);
  default:
    return;
  }
}

void Maximize(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || (w->Style & WS_MAXIMIZE)) return;
  if (!(w->Style & WS_MINIMIZE)) w->Restored = w->Rect;
  ShowWindowAs(h, SW_SHOWMAXIMIZED);
}

void Restore(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  if (w->Style & WS_MINIMIZE) {
    ShowWindowAs(h, SW_RESTORE);
    RepaintFrame(h);
    return;
  }
  if (!(w->Style & WS_MAXIMIZE)) return;
  w->Style &= ~WS_MAXIMIZE;
  const TRect r = w->Restored.value_or(w->Rect);
  w->Restored.reset();
  PlaceWindow(h, nullptr, r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  RepaintFrame(h);
}

void Minimize(HWND h) {
  ShowWindowAs(h, SW_MINIMIZE);
  RepaintFrame(h);
}

UINT ItemFlags(bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); }

HMENU SystemMenuOf(const TWindow& w) {
  const bool maximized = w.Style & WS_MAXIMIZE, minimized = w.Style & WS_MINIMIZE;
  const bool normal = !maximized && !minimized;
  const HMENU menu = NewMenu(true);
  const auto add = [menu](UINT flags, WPARAM command, const char* text) {
    InsertItemRecord(menu, -1, ItemFromFlags(flags, command, text));
  };
  add(ItemFlags(!normal), SC_RESTORE, "&Restore");
  add(ItemFlags(normal), SC_MOVE, "&Move");
  add(ItemFlags(normal && (w.Style & WS_THICKFRAME)), SC_SIZE, "&Size");
  add(ItemFlags(!minimized && (w.Style & WS_MINIMIZEBOX)), SC_MINIMIZE, "Mi&nimize");
  add(ItemFlags(!maximized && (w.Style & WS_MAXIMIZEBOX)), SC_MAXIMIZE, "Ma&ximize");
  add(MF_SEPARATOR, 0, nullptr);
  add(MF_STRING, SC_CLOSE, "&Close\tAlt+F4");
  return menu;
}

} // namespace

void BeginFrameTracking(HWND h, LRESULT hit, TPoint screen) {
  TWindow* w = WindowOf(h);
  if (!w || Track()) return;
  const bool button = IsButton(hit);
  if (!button && hit != HTCAPTION && !IsSizing(hit)) return;
  if (!button && (w->Style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
  if (IsSizing(hit) && !(w->Style & WS_THICKFRAME)) return;
  Track() = TFrameTrack{h, hit, screen, w->Rect, true};
  SetCaptureTo(h);
  if (button)
    RepaintFrame(h);
  else
    SendTo(h, WM_ENTERSIZEMOVE, 0, 0);
}

bool TrackFrameInput(const TRawInput& input) {
  std::optional<TFrameTrack>& t = Track();
  if (!t) return false;
  if (!WindowOf(t->Window) || User().Capture != t->Window) {
    t.reset();
    return false;
  }
  switch (input.Kind) {
  case TRawKind::MouseMove:
    MoveTrack(input.Screen);
    break;
  case TRawKind::ButtonUp:
    if (input.Button == 0) EndTrack(input.Screen, false);
    break;
  case TRawKind::KeyDown:
    if (!IsButton(t->Hit)) TrackKey(input.Value);
    break;
  default:
    break;
  }
  return true;
}

LRESULT PressedFrameButton(HWND h) {
  const std::optional<TFrameTrack>& t = Track();
  if (!t || t->Window != h || !IsButton(t->Hit) || !t->Inside) return HTNOWHERE;
  return t->Hit;
}

bool FrameCommand(HWND h, WPARAM command, LPARAM lParam) {
  const WPARAM detail = command & 0xF;
  switch (command & 0xFFF0) {
  case SC_MOVE:
    BeginFrameTracking(h, HTCAPTION, detail ? PointOf(lParam) : User().Cursor);
    return true;
  case SC_SIZE:
    BeginFrameTracking(h, detail ? SizeEdgeToHit + static_cast<LRESULT>(detail) : HTBOTTOMRIGHT,
                       detail ? PointOf(lParam) : User().Cursor);
    return true;
  case SC_MINIMIZE:
    Minimize(h);
    return true;
  case SC_MAXIMIZE:
    Maximize(h);
    return true;
  case SC_RESTORE:
    Restore(h);
    return true;
  case SC_CLOSE:
    SendTo(h, WM_CLOSE, 0, 0);
    return true;
  default:
    return false;
  }
}

bool FrameButtonDown(HWND h, LRESULT hit, TPoint screen, bool isDouble) {
  const TWindow* w = WindowOf(h);
  if (!w) return false;
  if (isDouble) {
    if (hit != HTCAPTION || !(w->Style & WS_MAXIMIZEBOX)) return false;
    SendTo(h, WM_SYSCOMMAND, (w->Style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE,
           PointParam(screen));
    return true;
  }
  if (hit == HTCAPTION) {
    SendTo(h, WM_SYSCOMMAND, SC_MOVE | static_cast<WPARAM>(HTCAPTION), PointParam(screen));
    return true;
  }
  if (IsSizing(hit)) {
    SendTo(h, WM_SYSCOMMAND, SC_SIZE | static_cast<WPARAM>(hit - SizeEdgeToHit),
           PointParam(screen));
    return true;
  }
  if (IsButton(hit)) {
    BeginFrameTracking(h, hit, screen);
    return true;
  }
  if (hit == HTSYSMENU) {
    ShowSystemMenu(h, screen);
    return true;
  }
  return false;
}

void ShowSystemMenu(HWND h, TPoint screen) {
  const TWindow* w = WindowOf(h);
  if (!w || !(w->Style & WS_SYSMENU)) return;
  const HMENU menu = SystemMenuOf(*w);
  const UINT command = TrackPopup(menu, TPM_RETURNCMD | TPM_NONOTIFY, screen, h, nullptr);
  DestroyMenuTree(menu);
  if (command && WindowOf(h)) SendTo(h, WM_SYSCOMMAND, command, PointParam(User().Cursor));
}
