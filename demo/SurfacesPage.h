#pragma once

#include "framework/controls/WinControl.h"

// The page of surfaces and indicators: an effect painter decorating three controls, its
// style chosen from a list; a picture in each of the eight placements; a scroll text;
// straight and arc arrows; LEDs; a frame panel.
void FillSurfaces(TWinControl* Parent);
