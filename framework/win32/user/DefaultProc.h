#pragma once

#include "framework/win32/user/UserDefs.h"

// DefWindowProcA: what a window does with a message its procedure leaves alone.
LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
