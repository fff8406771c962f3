#pragma once

#include "framework/controls/WinControl.h"

// The page of the rich item lists: list boxes in each selected look, with bitmaps, item
// colours and fonts, check boxes, tab columns and a background picture, and combo boxes in
// each style.
void FillRichLists(TWinControl* Parent);
