#pragma once

#include "framework/win32/user/UserState.h"

// Keyboard focus, activation and mouse capture.

// SetFocus: WM_KILLFOCUS to the old window (wParam the new), WM_SETFOCUS to the new (wParam
// the old); activates the new window's top-level window first. Null clears the focus. The
// old focus, or null when the window cannot take it (disabled, gone).
HWND SetFocusTo(HWND window, bool* failed = nullptr);
// SetActiveWindow: WM_NCACTIVATE and WM_ACTIVATE to the old and the new top-level window;
// `how` is WA_ACTIVE or WA_CLICKACTIVE. Answers the window that was active.
HWND ActivateWindow(HWND window, WPARAM how);
HWND SetCaptureTo(HWND window);
bool ReleaseCaptureNow();

// What becomes of focus, capture and activation when a window goes away, hides or is
// disabled.
void ForgetWindowInput(TWindow& w);
void WindowHidden(TWindow& w);
void WindowDisabled(TWindow& w);
