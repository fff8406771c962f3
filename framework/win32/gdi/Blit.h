#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <optional>

// Where a blit reads: a raster, how device pixels of the source map onto it, and the colours
// a monochrome source or destination is converted with.
struct TBlitSource {
  const TRaster* Raster = nullptr;
  TPoint Origin; // source (0, 0) in raster pixels
  bool Monochrome = false;
  std::uint32_t BkColour = 0; // 0x00RRGGBB: the source DC's background colour
};

TBlitSource SourceOf(const TDeviceContext& dc);

// A blit's rectangle as position and size; a negative size runs the other way.
struct TBlitArea {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// StretchBlt and friends. dst in the destination's logical pixels, src in the source's device
// pixels (negative sizes make a mirrored copy). Stretching
// maps each destination pixel's centre to the nearest source pixel. `transparent` (a
// 0x00RRGGBB colour) skips source pixels of that colour (TransparentBlt). The copy is clipped
// to the destination's clip region and to both surfaces; source and destination may overlap.
// False when the operation needs a source and there is none.
bool StretchBlit(TDeviceContext& dst, TBlitArea dstArea, const std::optional<TBlitSource>& src,
                 TBlitArea srcArea, std::uint32_t rop,
                 std::optional<std::uint32_t> transparent = {});
