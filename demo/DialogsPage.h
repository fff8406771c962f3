#pragma once

#include "framework/controls/WinControl.h"

// The page of the common dialogs: a button for each (open, save, picture, font, colour) and
// beside it what was chosen last, shown on a sample text, a swatch and a picture.
void FillDialogs(TWinControl* Parent);
