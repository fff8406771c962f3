#pragma once

#include "framework/print/Metafile.h"

// Plays recorded pages with our raster engine: the print preview, and what tests compare.

// Draws page onto dc as a sheet of the printer's caps shown at scale (1.0: printer pixels),
// the sheet's top-left corner at the DC's (0, 0).
void PlayPage(const TMetaPage& page, const TDeviceCaps& caps, HDC dc, double scale);

// The page on a white sheet at dpi pixels per inch.
TRaster RenderPage(const TMetaPage& page, const TDeviceCaps& caps, int dpi);
