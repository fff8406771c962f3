#include "framework/win32/WinUser.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/UserState.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>

namespace {

HCURSOR currentCursor = nullptr;

} // namespace

HWND SetFocus(HWND h) {
  bool failed = false;
  const HWND old = SetFocusTo(h, &failed);
  return failed ? nullptr : old;
}

HWND GetFocus() { return User().Focus; }
HWND GetActiveWindow() { return User().Active; }

HWND SetActiveWindow(HWND h) {
  const TWindow* w = WindowOf(h);
  if (!w || w == User().Desktop || w->IsChild()) return nullptr;
  return ActivateWindow(h, WA_ACTIVE);
}

BOOL SetForegroundWindow(HWND h) {
  const TWindow* w = WindowOf(h);
  if (!w || w == User().Desktop) return FALSE;
  ActivateWindow(TopLevelOf(const_cast<TWindow*>(w))->Handle, WA_ACTIVE);
  return TRUE;
}

HWND GetForegroundWindow() { return User().Active; }

HWND SetCapture(HWND h) { return SetCaptureTo(h); }
BOOL ReleaseCapture() { return ReleaseCaptureNow() ? TRUE : FALSE; }
HWND GetCapture() { return User().Capture; }

SHORT GetKeyState(int vk) { return KeyStateOf(vk); }
SHORT GetAsyncKeyState(int vk) { return AsyncKeyStateOf(vk); }

BOOL GetCursorPos(LPPOINT point) {
  if (!point) return FALSE;
  *point = User().Cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  const TPoint at{std::clamp(x, 0, ScreenWidth() - 1), std::clamp(y, 0, ScreenHeight() - 1)};
  QueueRawInput(TRawInput{TRawKind::MouseMove, at, 0, 0, BackendNow()});
  return TRUE;
}

// The standard cursors only: the handle is the IDC_ number.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  const auto id = reinterpret_cast<std::uintptr_t>(name);
  if (instance || id < static_cast<std::uintptr_t>(IDC_ARROW) ||
      id > static_cast<std::uintptr_t>(IDC_HAND))
    return nullptr;
  return reinterpret_cast<HCURSOR>(id);
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR old = currentCursor;
  currentCursor = cursor;
  if (TDisplayBackend* backend = DisplayBackend(); backend && cursor)
    backend->SetCursorShape(static_cast<int>(reinterpret_cast<std::uintptr_t>(cursor)));
  return old;
}

UINT GetDoubleClickTime() { return DoubleClickTime(); }
UINT GetCaretBlinkTime() { return CaretBlinkTime(); }

BOOL SetCaretBlinkTime(UINT milliseconds) {
  if (milliseconds == 0) return FALSE;
  SetCaretBlinkTimeTo(milliseconds);
  return TRUE;
}
