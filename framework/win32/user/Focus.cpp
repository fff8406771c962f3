#include "framework/win32/user/Focus.h"

#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

namespace {

LPARAM HandleParam(HWND h) { return reinterpret_cast<LPARAM>(h); }
WPARAM HandleWParam(HWND h) { return reinterpret_cast<WPARAM>(h); }

bool Within(const TWindow& w, HWND candidate) {
  const TWindow* c = WindowOf(candidate);
  return c && (c == &w || IsDescendant(&w, c));
}

// The window that becomes active when `leaving` stops being: its owner when that can take
// it, else the topmost other visible, enabled top-level window.
HWND NextActiveWindow(const TWindow& leaving) {
  if (leaving.Owner && IsVisibleTree(leaving.Owner) && IsEnabledTree(leaving.Owner) &&
      !leaving.Owner->Destroying)
    return leaving.Owner->Handle;
  for (const TWindow* top : User().Desktop->Children)
    if (top != &leaving && !top->Destroying && (top->Style & WS_VISIBLE) &&
        !(top->Style & WS_DISABLED) && !(top->ExStyle & WS_EX_NOACTIVATE))
      return top->Handle;
  return nullptr;
}

HWND FocusFallback(const TWindow& w) {
  const TWindow* parent = w.Parent;
  if (!parent || parent == User().Desktop || parent->Destroying) return nullptr;
  return parent->Handle;
}

} // namespace

HWND SetFocusTo(HWND h, bool* failed) {
  TUserState& u = User();
  if (failed) *failed = false;
  if (h) {
    TWindow* w = WindowOf(h);
    if (!w || w == u.Desktop || !IsEnabledTree(w) || w->Destroying) {
      if (failed) *failed = true;
      return nullptr;
    }
    const HWND top = TopLevelOf(w)->Handle;
    if (u.Active != top) ActivateWindow(top, WA_ACTIVE);
    if (!WindowOf(h)) {
      if (failed) *failed = true;
      return nullptr;
    }
  }
  const HWND old = u.Focus;
  if (old == h) return old;
  if (old && WindowOf(old)) SendTo(old, WM_KILLFOCUS, HandleWParam(h), 0);
  if (h && !WindowOf(h)) return old;
  u.Focus = h;
  if (h) SendTo(h, WM_SETFOCUS, HandleWParam(old && WindowOf(old) ? old : nullptr), 0);
  return old;
}

HWND ActivateWindow(HWND h, WPARAM how) {
  TUserState& u = User();
  TWindow* w = WindowOf(h);
  const HWND old = u.Active;
  if (h && (!w || w == u.Desktop)) return nullptr;
  if (w) {
    w = TopLevelOf(w);
    h = w->Handle;
  }
  if (old == h) return old;
  if (old && WindowOf(old)) {
    SendTo(old, WM_NCACTIVATE, 0, 0);
    SendTo(old, WM_ACTIVATE, WA_INACTIVE, HandleParam(h));
  }
  if (h && !WindowOf(h)) return old;
  u.Active = h;
  if (!h) {
    if (u.Focus) SetFocusTo(nullptr);
    return old;
  }
  PlaceWindow(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendTo(h, WM_NCACTIVATE, 1, 0);
  SendTo(h, WM_ACTIVATE, how, HandleParam(old && WindowOf(old) ? old : nullptr));
  return old;
}

HWND SetCaptureTo(HWND h) {
  TUserState& u = User();
  const HWND old = u.Capture;
  if (h && !WindowOf(h)) return nullptr;
  u.Capture = h;
  if (old && old != h && WindowOf(old)) SendTo(old, WM_CAPTURECHANGED, 0, HandleParam(h));
  return old;
}

bool ReleaseCaptureNow() {
  TUserState& u = User();
  const HWND old = u.Capture;
  u.Capture = nullptr;
  if (old && WindowOf(old)) SendTo(old, WM_CAPTURECHANGED, 0, 0);
  return true;
}

void ForgetWindowInput(TWindow& w) {
  TUserState& u = User();
  const HWND h = w.Handle;
  if (u.Capture && Within(w, u.Capture)) ReleaseCaptureNow();
  if (u.Focus && WindowOf(h) && Within(w, u.Focus)) SetFocusTo(FocusFallback(w));
  if (u.Active && WindowOf(h) && Within(w, u.Active)) {
    const HWND next = NextActiveWindow(w);
    if (next) {
      ActivateWindow(next, WA_ACTIVE);
    } else {
      ActivateWindow(nullptr, WA_INACTIVE);
    }
  }
  // The window's own messages may still have changed the state above.
  if (u.Focus == h) u.Focus = nullptr;
  if (u.Active == h) u.Active = nullptr;
  if (u.Capture == h) u.Capture = nullptr;
}

void WindowHidden(TWindow& w) {
  TUserState& u = User();
  if (u.Focus && Within(w, u.Focus)) SetFocusTo(FocusFallback(w));
  if (u.Active == w.Handle && WindowOf(w.Handle)) {
    const HWND next = NextActiveWindow(w);
    ActivateWindow(next, WA_ACTIVE);
  }
}

void WindowDisabled(TWindow& w) {
  TUserState& u = User();
  if (u.Focus && Within(w, u.Focus)) SetFocusTo(nullptr);
  if (u.Capture && Within(w, u.Capture)) ReleaseCaptureNow();
}
