#pragma once

#include "framework/controls/WinControl.h"

// The page of the measurement displays: a chart over generated data with its type and
// interval count to choose, a gauge following a track of values, a rolling clock in glyphs,
// and progress bars of every style moving on a timer.
void FillDisplays(TWinControl* Parent);
