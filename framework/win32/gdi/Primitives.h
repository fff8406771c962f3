#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/DeviceContext.h"

#include <cstdint>
#include <vector>

// The drawing calls of a device context, in logical coordinates, with GDI's pixel rules.
// Colours are COLORREF values.

// Draws along the points with the selected pen (no current position involved).
void StrokePolyline(TDeviceContext& dc, const std::vector<TPoint>& logical);
void LineToPoint(TDeviceContext& dc, TPoint to);

void DrawRectangle(TDeviceContext& dc, TRect r);
void DrawRoundRect(TDeviceContext& dc, TRect r, int cornerWidth, int cornerHeight);
void DrawEllipse(TDeviceContext& dc, TRect r);

enum class TArcFigure { Arc, Pie, Chord };
// Arc, Pie and Chord: the ellipse in r, from the radial through `start` to the radial
// through `end`, counter-clockwise unless the DC's arc direction is clockwise.
void DrawArcFigure(TDeviceContext& dc, TRect r, TPoint start, TPoint end, TArcFigure figure);
// Where the arc of ArcTo starts and ends (the ellipse points of the radials), logical.
std::pair<TPoint, TPoint> ArcEnds(TDeviceContext& dc, TRect r, TPoint start, TPoint end);

void DrawPolyPolygon(TDeviceContext& dc, const std::vector<std::vector<TPoint>>& logical);

// FillRect, FrameRect with a brush handle (PATCOPY, whatever the ROP2); InvertRect.
void FillRectWith(TDeviceContext& dc, TRect r, THandleId brush);
// Fills the rectangle with a paint of the caller's (a pattern placed where it wants it).
void FillRectWithPaint(TDeviceContext& dc, TRect r, const TPaint& paint);
void FrameRectWith(TDeviceContext& dc, TRect r, THandleId brush);
void InvertRectangle(TDeviceContext& dc, TRect r);
// Inverts every other pixel of the rectangle's one-pixel frame; twice restores.
void DrawFocusRectangle(TDeviceContext& dc, TRect r);

// PatBlt: false for operations that need a source.
bool PatternBlit(TDeviceContext& dc, TRect r, std::uint32_t rop);

// SetPixel: the colour set, or -1 (as 0xFFFFFFFF) when the point is clipped away.
std::uint32_t SetPixelColour(TDeviceContext& dc, TPoint p, std::uint32_t colour);
// GetPixel: CLR_INVALID (0xFFFFFFFF) outside the clip region or the surface.
std::uint32_t GetPixelColour(TDeviceContext& dc, TPoint p);
