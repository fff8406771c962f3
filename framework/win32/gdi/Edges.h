#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/DeviceContext.h"

#include <memory>

// Border flags of DrawEdge, valued as the BDR_ and BF_ codes.
namespace EdgeFlags {
inline constexpr unsigned RaisedOuter = 0x1, SunkenOuter = 0x2, RaisedInner = 0x4,
                          SunkenInner = 0x8;
inline constexpr unsigned Left = 0x1, Top = 0x2, Right = 0x4, Bottom = 0x8, Diagonal = 0x10;
inline constexpr unsigned Middle = 0x800, Soft = 0x1000, Adjust = 0x2000, Flat = 0x4000,
                          Mono = 0x8000;
} // namespace EdgeFlags

// DrawEdge in the classic 3D colours: per side an outer and an inner line, the top and left
// lines under the bottom and right ones at the corners. With BF_ADJUST r shrinks by the
// lines drawn. False for a border without lines.
bool DrawEdgeLines(TDeviceContext& dc, TRect& r, unsigned edge, unsigned flags);

// DrawFrameControl for DFC_BUTTON (check box, radio button, push button) and DFC_SCROLL
// arrows; false for other kinds.
bool DrawFrameControlParts(TDeviceContext& dc, TRect& r, unsigned type, unsigned state);

// The system check-mark bitmap (OBM_CHECK): 13 x 13 monochrome, the mark in black on white.
std::unique_ptr<TGdiBitmap> CheckMarkBitmap();
