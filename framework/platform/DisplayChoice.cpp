#include "framework/platform/DisplayChoice.h"

#include "framework/platform/headless/HeadlessDisplay.h"
#include "framework/platform/sdl/SdlDisplay.h"

#include <cstdlib>
#include <string_view>

namespace {

bool DisplayNamed() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

String NamedDisplay() {
  const char* x = std::getenv("DISPLAY");
  if (x && *x) return x;
  return std::getenv("WAYLAND_DISPLAY");
}

// A display the environment names must open; failing silently would run a program unseen.
std::unique_ptr<TDisplayBackend> NamedSdlDisplay() {
  try {
    return std::make_unique<TSdlDisplay>();
  } catch (const EDisplayError& e) {
    throw EDisplayError("Cannot open the display \"" + NamedDisplay() + "\": " + e.Message());
  }
}

std::unique_ptr<TDisplayBackend>& OpenedDisplay() {
  static std::unique_ptr<TDisplayBackend> display;
  return display;
}

} // namespace

std::unique_ptr<TDisplayBackend> CreateDefaultDisplay() {
  const char* chosen = std::getenv("LUMTOOLS_BACKEND");
  const std::string_view choice = chosen ? chosen : "";
  if (choice == "headless") return std::make_unique<THeadlessDisplay>();
  if (choice == "sdl") {
    if (!DisplayNamed())
      throw EDisplayError("LUMTOOLS_BACKEND=sdl, but neither DISPLAY nor WAYLAND_DISPLAY is set");
    return std::make_unique<TSdlDisplay>();
  }
  if (!choice.empty())
    throw EDisplayError("LUMTOOLS_BACKEND must be \"sdl\" or \"headless\", not \"" +
                        String(choice) + "\"");
  if (DisplayNamed()) return NamedSdlDisplay();
  return std::make_unique<THeadlessDisplay>();
}

TDisplayBackend& InitDisplay() {
  if (TDisplayBackend* installed = DisplayBackend()) return *installed;
  OpenedDisplay() = CreateDefaultDisplay();
  return *OpenedDisplay();
}

void CloseDisplay() { OpenedDisplay().reset(); }
