#pragma once

#include "framework/win32/user/UserDefs.h"

#include <string_view>

// The window classes the system provides ("Button", "Edit", "ListBox" …). They are registered
// the first time a name is looked up, and again after the engine is reset.

// Registers the system class of that name (case ignored); false when there is none.
bool RegisterSystemClass(std::string_view name);
