#pragma once

#include "framework/win32/user/Backend.h"

#include <memory>

// The display a program runs on: SDL when the environment names one (DISPLAY or
// WAYLAND_DISPLAY), failing with EDisplayError naming it when it does not open; the headless
// one when none is named. LUMTOOLS_BACKEND=headless forces the headless display;
// LUMTOOLS_BACKEND=sdl forces SDL and fails with EDisplayError without one.
std::unique_ptr<TDisplayBackend> CreateDefaultDisplay();

// A program calls this first, before its application creates forms: it installs the default
// display unless one is installed already (a test's), and keeps it until CloseDisplay or the
// end of the program. The application stays free of any backend this way.
TDisplayBackend& InitDisplay();
// Closes the display InitDisplay opened; the program's forms should be gone by then.
void CloseDisplay();
