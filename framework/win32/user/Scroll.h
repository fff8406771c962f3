#pragma once

#include "framework/win32/user/UserState.h"

// ScrollWindowEx: moves what is visible of the area (client coordinates; null for the
// client area) by dx, dy inside the clip rectangle, moves the pending update region with it,
// and answers the region the move left uncovered (client coordinates). SW_SCROLLCHILDREN
// moves the children too; SW_INVALIDATE (with SW_ERASE) invalidates what was uncovered.
TRegion ScrollClientArea(TWindow& w, int dx, int dy, const TRect* area, const TRect* clip,
                         UINT flags);
