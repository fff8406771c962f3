#pragma once

#include "framework/win32/user/UserState.h"

// The non-client area: frame, caption and scroll bars as the style bits ask for them.

// How far the client rectangle lies inside the window rectangle on each side.
TRect FrameInsets(DWORD style, DWORD exStyle);
// Where the caption bar lies in window coordinates (empty without WS_CAPTION).
TRect CaptionRect(const TWindow& w);
// WM_NCHITTEST's default answer for a screen point.
LRESULT HitTestFrame(const TWindow& w, TPoint screen);
// WM_NCPAINT's default drawing, clipped to what is visible of the window; the caption in
// the active or the inactive colours.
void PaintFrame(TWindow& w, bool active);
