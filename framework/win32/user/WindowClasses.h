#pragma once

#include "framework/win32/user/UserState.h"

#include <string_view>

// The class registry. Names are compared without regard to case, as Win32 does.

// Registers a class; null when the name is missing or taken, or the procedure is missing.
TWindowClass* RegisterWindowClass(const WNDCLASSEXA& description);
// Finds a registered class, registering a system class of that name on first use.
TWindowClass* FindWindowClass(std::string_view name);
// Only classes registered so far.
TWindowClass* FindRegisteredClass(std::string_view name);
// A name, or an atom as MAKEINTATOM makes it.
TWindowClass* FindWindowClass(const char* nameOrAtom);
// False for unknown classes and for classes that still have windows.
bool UnregisterWindowClass(std::string_view name);
