#pragma once

#include "framework/win32/user/UserDefs.h"

#include <functional>

// A window procedure that is a function object (a method bound to its object, a lambda).
using TWindowFunction = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Turns a function object into a WNDPROC value that the window engine and CallProc know.
// The value is not a callable address: like the procedures GetWindowLong answers in Win32,
// it is called through CallWindowProcA. Free it with FreeProcInstance.
WNDPROC MakeProcInstance(TWindowFunction function);
void FreeProcInstance(WNDPROC proc);

// Calls a procedure, a function object's instance or a plain function; 0 for null.
LRESULT CallProc(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// SendMessage: the window's procedure now, on this thread; 0 for a handle that names nothing.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
