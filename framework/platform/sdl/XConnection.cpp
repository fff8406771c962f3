#include "framework/platform/sdl/XConnection.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace {

// Never destroyed: errors can still arrive while the program's statics are torn down.
std::unordered_set<unsigned long>& GoneWindows() {
  static auto& windows = *new std::unordered_set<unsigned long>;
  return windows;
}

int OnXError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable) {
    GoneWindows().insert(error->resourceid);
    return 0;
  }
  char text[256];
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "%s: X error ignored: %s (request %d.%d, resource 0x%lx)\n",
               program_invocation_short_name, text, error->request_code, error->minor_code,
               error->resourceid);
  return 0;
}

int OnConnectionLost(Display* display) {
  std::fprintf(stderr, "%s: lost the display \"%s\": the X server closed the connection\n",
               program_invocation_short_name, DisplayString(display));
  std::fflush(nullptr);
  std::_Exit(1);
}

} // namespace

void WatchXConnection() {
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnConnectionLost);
}

void NoteWindowSystemEvent(const SDL_Event& event) {
  const SDL_SysWMmsg* message = event.syswm.msg;
  if (message->subsystem == SDL_SYSWM_X11 && message->msg.x11.event.type == DestroyNotify)
    GoneWindows().insert(message->msg.x11.event.xdestroywindow.window);
}

bool XWindowGone(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  return GoneWindows().count(info.info.x11.window) != 0;
}
