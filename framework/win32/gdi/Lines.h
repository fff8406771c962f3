#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/SpanWriter.h"

#include <vector>

// Pen styles in the order of the PS_ codes.
enum class TPenDash {
  Solid = 0,
  Dash = 1,
  Dot = 2,
  DashDot = 3,
  DashDotDot = 4,
  Null = 5,
  InsideFrame = 6
};

// Where a styled line is in its dash pattern, carried from segment to segment of one call.
struct TDashCursor {
  TPenDash Dash = TPenDash::Solid;
  long long Position = 0;
  bool On() const; // whether the pixel at Position is drawn with the pen
};

// A one-pixel cosmetic line from a to b in device pixels, the end pixel excluded; a line and
// its reverse light the same pixels but for their ends. Pixels of a dash get `pen`; gap
// pixels get `gap` when it is given, else stay untouched.
void DrawCosmeticLine(TSpanWriter& out, TPoint a, TPoint b, TDashCursor& dash, const TPaint& pen,
                      const TPaint* gap);

// A wide solid pen along connected segments: every pixel within width / 2 of the path, so
// ends and joins are round; each pixel is painted once.
void DrawWidePolyline(TSpanWriter& out, const std::vector<TPoint>& points, int width,
                      const TPaint& pen);
