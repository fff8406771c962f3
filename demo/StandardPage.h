#pragma once

#include "framework/controls/WinControl.h"

// The page of the framework's standard controls: push buttons (a default one, a disabled
// one, one that opens a message box) and a native list box.
void FillStandardControls(TWinControl* Parent);
