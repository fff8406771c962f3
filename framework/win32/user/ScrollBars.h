#pragma once

#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/user/UserState.h"

// Scroll bars: the scroll information of a window's own bars and of "ScrollBar" controls,
// their geometry and drawing, and tracking the mouse on them.

// The parts of a bar, from the top (left) arrow to the bottom (right) one.
enum class TScrollPart { None, LineUp, PageUp, Thumb, PageDown, LineDown };

struct TScrollGeometry {
  TRect LineUp;
  TRect LineDown;
  TRect Track; // between the arrows
  TRect Thumb; // empty when the bar shows none
  int ArrowSize = 0;
};

// The state of bar SB_HORZ, SB_VERT or SB_CTL; null for other codes.
TScrollBarState* ScrollBarStateOf(TWindow& w, int bar);

// SetScrollInfo: stores what the mask names, clamped as Win32 clamps it (the page to the
// range, the position to min … max - max(page - 1, 0)); a window bar that the range makes
// unnecessary is hidden (disabled with SIF_DISABLENOSCROLL) and shown again when needed.
// Answers the position, 0 for a bad window or bar.
int SetScrollInfoOn(HWND window, int bar, const SCROLLINFO& info, bool redraw);
bool GetScrollInfoOf(HWND window, int bar, SCROLLINFO& info);
// SetScrollPos: the position before, 0 for a bad window or bar.
int SetScrollPosOn(HWND window, int bar, int pos, bool redraw);
int ScrollPosOf(HWND window, int bar);
bool SetScrollRangeOn(HWND window, int bar, int min, int max, bool redraw);
bool ScrollRangeOf(HWND window, int bar, int* min, int* max);
// ShowScrollBar: the style bits change and the client area with them.
bool ShowScrollBarOn(HWND window, int bar, bool show);
// EnableScrollBar: ESB_ arrows disabled; false when nothing changed or the bar is bad.
bool EnableScrollBarOn(HWND window, int bar, UINT arrows);

// Where a window's own bar lies, in window coordinates (empty without the style bit).
TRect WindowScrollBarRect(const TWindow& w, int bar);
TScrollGeometry ScrollGeometry(const TRect& bar, bool vertical, const TScrollBarState& s,
                               bool enabled);
TScrollPart ScrollPartAt(const TScrollGeometry& g, bool vertical, TPoint p);

// Draws a bar: arrows, track and the thumb sized by the page; `pressed` looks pushed.
void DrawScrollBar(TDeviceContext& dc, const TRect& bar, bool vertical, const TScrollBarState& s,
                   bool enabled, TScrollPart pressed);

// Starts tracking a press on a bar at a screen point: WM_VSCROLL / WM_HSCROLL requests go to
// the window (for SB_CTL to the control's parent, lParam the control) while the button is
// held, with auto-repeat on a timer for arrows and the track.
void BeginScrollTracking(HWND window, int bar, TPoint screen);
// Routed mouse input while a bar is tracked goes here; false when no bar is tracked.
bool TrackScrollInput(const TRawInput& input);
bool IsScrollTracking();
// The part of the bar held down with the mouse inside it, for drawing it pushed.
TScrollPart PressedScrollPart(HWND window, int bar);
