#pragma once

#include "framework/win32/user/UserState.h"

#include <optional>

// The thread's message queue: posted messages, routed input, WM_QUIT, and the WM_PAINT and
// WM_TIMER messages made up when nothing else is waiting, in that order.

// PostMessage; a null window posts a thread message. False for a handle that names nothing.
bool PostTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuit(int exitCode);
// PeekMessage; the window filter takes the window and its descendants, (HWND)-1 thread
// messages only; first = last = 0 takes every message.
bool PeekNext(MSG& msg, HWND filter, UINT first, UINT last, UINT flags);
// GetMessage: 1, 0 for WM_QUIT, -1 for a filter window that names nothing. Waits on the
// display when nothing is there.
int GetNext(MSG& msg, HWND filter, UINT first, UINT last);
// WaitMessage.
void WaitForInput();
LRESULT DispatchMsg(const MSG& msg);
// Forgets what the queue and the timers hold for a window that goes away.
void RemoveWindowMessages(HWND window);

// SetTimer and KillTimer. A null window makes a thread timer with an id of its own.
UINT_PTR AddTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
bool RemoveTimer(HWND window, UINT_PTR id);
std::optional<DWORD> NextTimerDue();

// Dispatches until nothing is waiting; false when WM_QUIT came (it is posted again for the
// loop that owns it). Refuses to go on forever with EDisplayError.
bool PumpMessages();
