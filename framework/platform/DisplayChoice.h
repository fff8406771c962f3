#pragma once

#include "framework/win32/user/Backend.h"

#include <memory>

// The display a program runs on: SDL when a display is there (DISPLAY or WAYLAND_DISPLAY set
// and SDL's video opens), the headless one otherwise. LUMTOOLS_BACKEND=headless forces the
// headless display; LUMTOOLS_BACKEND=sdl forces SDL and fails with EDisplayError without one.
std::unique_ptr<TDisplayBackend> CreateDefaultDisplay();
