#pragma once

#include "framework/controls/WinControl.h"

// The page of the measurement displays: a chart over generated data with its type and
// interval count to choose, a gauge following a track of values, a rolling clock in glyphs,
// and progress bars of every style moving on a timer; a button opens the clock's editor.
void FillDisplays(TWinControl* Parent);

// Renders the digit display's editor window on a navy strip showing -273.150 to
// digit-editor.png in Dir on a headless display; the file written.
String RenderDigitEditorPicture(const String& Dir);
