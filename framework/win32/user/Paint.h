#pragma once

#include "framework/win32/user/UserState.h"

// Update regions, visible regions, device contexts over window surfaces, and painting.

// What of the window (its whole rectangle or its client area) can be seen, in the pixels of
// its top-level window's surface: cut by every ancestor's client area, minus the siblings
// above it (and above its ancestors) that clip siblings, minus its visible children when
// clipChildren, and within that rectangle of the surface when one is given. Empty when the
// window or an ancestor is hidden.
TRegion VisibleRegion(const TWindow& w, bool windowArea, bool clipChildren, bool clipSiblings,
                      const TRect* within = nullptr);

// RedrawWindow's invalidation and validation (RDW_ flags); region in client coordinates,
// null for the whole client area. Hidden windows are left alone.
void RedrawRegion(TWindow& w, const TRegion* region, UINT flags);
// RDW_UPDATENOW: WM_PAINT sent now to the window (and its descendants) that need it.
void UpdateNow(HWND window, bool children);
void InvalidateWholeWindow(TWindow& w);
void InvalidateParentArea(TWindow& parent, const TRect& rectInClient);

// The window that should get the next WM_PAINT (parents before children), null for none.
HWND NextWindowToPaint(HWND filter);

// A device context over the window; dcxFlags are DCX_ flags, extra a region in the DC's
// coordinates to intersect with (or exclude, with DCX_EXCLUDERGN). Returns the DC's id.
THandleId MakeWindowDc(TWindow& w, DWORD dcxFlags, const TRegion* extra);
// ReleaseDC: false when the DC is not one of the window's.
bool ReleaseWindowDc(TWindow& w, THandleId dc);
void ReleaseWindowDcs(TWindow& w);
// The surface of a top-level window follows its size; the desktop gets one on demand.
void ResizeSurface(TWindow& top);

// BeginPaint and EndPaint.
THandleId BeginPaintOn(HWND window, PAINTSTRUCT& paint);
bool EndPaintOn(HWND window, const PAINTSTRUCT& paint);

// The class brush as the erase fills it: (HBRUSH)(COLOR_x + 1) names a system colour.
THandleId ClassBrushId(const TWindow& w);
