#pragma once

#include "framework/graphics/Canvas.h"
#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/Raster.h"

// Draws a raster stretched over Rect of the canvas (each target pixel takes the source pixel
// nearest its centre). Opaque drawing copies the pixels with the canvas's CopyMode; blended
// drawing mixes each pixel with what lies beneath by its alpha, touching only the visible part;
// a mirrored (negative) rectangle is drawn opaque.
void DrawRaster(TCanvas* ACanvas, const TRect& Rect, const TRaster& Pixels, bool Blend);

// Straight-alpha mixing of a 0xAARRGGBB source pixel over an opaque one.
std::uint32_t BlendPixel(std::uint32_t Source, std::uint32_t Beneath);
