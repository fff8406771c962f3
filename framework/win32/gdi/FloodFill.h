#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/DeviceContext.h"

#include <cstdint>

// ExtFloodFill with the selected brush: with `surface` false fills the 4-connected area up to
// the border colour, with it true fills the 4-connected area of that colour. False when the
// start is clipped away or already is the border (not the surface) colour.
bool FloodFillArea(TDeviceContext& dc, TPoint start, std::uint32_t colour, bool surface);
