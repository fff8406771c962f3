#pragma once

#include "framework/controls/WinControl.h"

// The page of the value entries: a validating edit of each kind with its range, and a line
// that reports each valid exit and each entry error as it happens.
void FillValueEntry(TWinControl* Parent);
