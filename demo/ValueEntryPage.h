#pragma once

#include "framework/controls/WinControl.h"

// The page of the value entries: a validating edit of each kind with its range, and a line
// that reports each valid exit and each entry error as it happens; extended edits with units
// and range pictures, one of them bound to the gallery's fruit table; buttons opening the
// calculator and the line and memo dialogs, with what they returned.
void FillValueEntry(TWinControl* Parent);

// Renders the calculator window after 2 + 3 x 4 = and Min to calculator.png in Dir on a
// headless display; the file written.
String RenderCalculatorPicture(const String& Dir);
