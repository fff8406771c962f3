#pragma once

#include "framework/win32/user/WindowProcs.h"

// A hidden top-level window whose procedure is a function object: it receives what is sent
// or posted to it while the message loop runs.
HWND AllocateHWnd(TWindowFunction procedure);
void DeallocateHWnd(HWND window);
