#pragma once

#include "framework/win32/user/UserDefs.h"

// System metrics and the non-client metrics behind them (classic Windows values).
const NONCLIENTMETRICSA& NonClientMetrics();
// False, changing nothing, for a record of the wrong size or sizes outside 1 … 512.
bool SetNonClientMetrics(const NONCLIENTMETRICSA& metrics);
void ResetNonClientMetrics();
// GetSystemMetrics; 0 for indices it does not know.
int SystemMetric(int index);
UINT DoubleClickTime();
// The time the caret stays shown and then hidden while it blinks (530 ms at start).
UINT CaretBlinkTime();
void SetCaretBlinkTimeTo(UINT milliseconds);
