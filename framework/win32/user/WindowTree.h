#pragma once

#include "framework/win32/user/UserState.h"

#include <functional>

// The window tree: creation, destruction, geometry, z-order, visibility.

// CreateWindowExA: null when the class is unknown, a child has no parent, or WM_NCCREATE /
// WM_CREATE refuse (the window is destroyed again).
HWND CreateWindowFrom(const CREATESTRUCTA& create);
// DestroyWindow: owned windows first, then WM_DESTROY, the children, WM_NCDESTROY.
bool DestroyWindowTree(HWND window);

// SetWindowPos; x, y in the parent's client coordinates.
bool PlaceWindow(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
// ShowWindow: whether the window was visible before.
bool ShowWindowAs(HWND window, int command);
// EnableWindow: whether the window was disabled before.
bool EnableWindowTree(HWND window, bool enable);
// SetParent: the old parent, null on failure.
HWND ChangeParent(HWND window, HWND parent);
// Sends WM_NCCALCSIZE and stores the client rectangle it answers.
void RecalculateClient(TWindow& w);

TWindow* TopLevelOf(TWindow* w);
bool IsVisibleTree(const TWindow* w);
bool IsEnabledTree(const TWindow* w);
// Whether the window draws itself enabled: its own WS_DISABLED only, as a disabled parent
// (a form under a modal box) blocks input without greying its children.
bool DrawsEnabled(const TWindow& w);
bool IsDescendant(const TWindow* ancestor, const TWindow* w);
// The top-left corners of the window and client rectangles, in screen coordinates.
TPoint WindowScreenOrigin(const TWindow* w);
TPoint ClientScreenOrigin(const TWindow* w);
// The same corners in the pixels of the top-level window's surface.
TPoint WindowSurfaceOrigin(const TWindow* w);
TPoint ClientSurfaceOrigin(const TWindow* w);
TRect ScreenRectOf(const TWindow* w);

// The deepest visible window under a screen point, hit-tested with WM_NCHITTEST: windows
// answering HTTRANSPARENT are passed through, disabled children are skipped. hitTest gets
// the answer (HTERROR for a disabled top-level window). Null where no window is.
HWND WindowUnderPoint(TPoint screen, LRESULT* hitTest);
// The child of parent whose window rectangle holds the client point (skipping as the
// CWP_ flags say), the parent itself when none does, null outside the parent.
HWND ChildAtPoint(HWND parent, TPoint client, UINT skip);

// Children of a window in z-order (top first), and all descendants depth first.
std::vector<HWND> ChildHandles(const TWindow* w);
void ForEachDescendant(const TWindow* w, const std::function<void(HWND)>& visit);
