#include "framework/platform/sdl/SdlDisplay.h"

#include "framework/platform/sdl/SdlKeys.h"
#include "framework/platform/sdl/XConnection.h"
#include "framework/platform/sdl/XTextInput.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/WindowTree.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

int EngineButton(Uint8 button) {
  if (button == SDL_BUTTON_RIGHT) return 1;
  if (button == SDL_BUTTON_MIDDLE) return 2;
  return button == SDL_BUTTON_LEFT ? 0 : -1;
}

SDL_SystemCursor SystemCursorOf(int cursor) {
  switch (cursor) {
  case IDC_IBEAM:
    return SDL_SYSTEM_CURSOR_IBEAM;
  case IDC_WAIT:
    return SDL_SYSTEM_CURSOR_WAIT;
  case IDC_CROSS:
    return SDL_SYSTEM_CURSOR_CROSSHAIR;
  case IDC_SIZENWSE:
    return SDL_SYSTEM_CURSOR_SIZENWSE;
  case IDC_SIZENESW:
    return SDL_SYSTEM_CURSOR_SIZENESW;
  case IDC_SIZEWE:
    return SDL_SYSTEM_CURSOR_SIZEWE;
  case IDC_SIZENS:
    return SDL_SYSTEM_CURSOR_SIZENS;
  case IDC_SIZEALL:
    return SDL_SYSTEM_CURSOR_SIZEALL; // also the drag cursor
  case IDC_NO:
    return SDL_SYSTEM_CURSOR_NO;
  case IDC_HAND:
    return SDL_SYSTEM_CURSOR_HAND;
  default:
    return SDL_SYSTEM_CURSOR_ARROW;
  }
}

Uint32 WindowFlagsOf(const TWindow* w) {
  Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (w && (w->Style & WS_CAPTION) != WS_CAPTION && (w->Style & WS_POPUP))
    flags |= (w->ExStyle & WS_EX_TOOLWINDOW) ? SDL_WINDOW_TOOLTIP : SDL_WINDOW_POPUP_MENU;
  else
    flags |= SDL_WINDOW_RESIZABLE;
  return flags;
}

// SDL's video start-up keeps library-global state (D-Bus, input methods) that is never
// freed; the leak checker of a sanitized build is told to look away while it runs.
class TLeakCheckPause {
public:
  TLeakCheckPause() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
  }
  ~TLeakCheckPause() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
  }
  TLeakCheckPause(const TLeakCheckPause&) = delete;
  TLeakCheckPause& operator=(const TLeakCheckPause&) = delete;
};

// Reaching no display, SDL falls back to drivers that show nothing; those count only when
// the environment names them.
bool ShowsNoWindows(std::string_view driver) {
  if (driver != "offscreen" && driver != "dummy" && driver != "evdev") return false;
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  return !asked || std::string_view(asked).find(driver) == std::string_view::npos;
}

void StartVideo() {
  const TLeakCheckPause pause;
  // SDL's warnings are for SDL's developers; what fails reaches the user as an exception.
  SDL_LogSetAllPriority(SDL_LOG_PRIORITY_ERROR);
  // Before SDL's start: SDL passes X errors on to the handlers it found, and puts them back
  // before it closes the connection, when the last errors arrive.
  WatchXConnection();
  TXTextInput::StartVideo([] {
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
      throw EDisplayError(String("No display for real windows: ") + SDL_GetError());
  });
  const String driver = SDL_GetCurrentVideoDriver();
  if (ShowsNoWindows(driver)) {
    SDL_Quit();
    throw EDisplayError("No display for real windows: SDL reached none and chose its \"" + driver +
                        "\" driver, which shows nothing");
  }
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_StartTextInput();
}

void Raw(TRawKind kind, TPoint at, int button, int value, DWORD time) {
  QueueRawInput(TRawInput{kind, at, button, value, time});
}

} // namespace

TSdlDisplay::TSdlDisplay() {
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  // Surfaces are copied into plain window framebuffers; loading OpenGL for them would cost
  // most of the start-up time.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  StartVideo();
  text_ = std::make_unique<TXTextInput>();
  SDL_DisplayMode mode;
  if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
    width_ = mode.w;
    height_ = mode.h;
  }
  SetDisplayBackend(this);
  User().Reset();
}

TSdlDisplay::~TSdlDisplay() {
  User().Reset();
  SetDisplayBackend(nullptr);
  for (const auto& [h, window] : windows_) SDL_DestroyWindow(window);
  for (const auto& [shape, cursor] : cursors_) SDL_FreeCursor(cursor);
  text_.reset();
  const TLeakCheckPause pause;
  SDL_Quit();
}

DWORD TSdlDisplay::Now() const { return static_cast<DWORD>(SDL_GetTicks64()); }

void TSdlDisplay::WaitForEvent(std::optional<DWORD> until) {
  FollowEngine();
  SDL_Event event;
  int timeout = 100;
  if (until)
    timeout = std::clamp(static_cast<int>(static_cast<std::int32_t>(*until - Now())), 0, 100);
  if (!SDL_WaitEventTimeout(&event, timeout)) return;
  Handle(event);
  while (SDL_PollEvent(&event)) Handle(event);
  UpdateCapture();
  CheckWindowsAlive();
}

// A window destroyed by another program cannot be shown again: the program is told so.
void TSdlDisplay::CheckWindowsAlive() const {
  for (const auto& [h, native] : windows_)
    if (XWindowGone(native))
      throw EDisplayError(String("The window \"") + SDL_GetWindowTitle(native) +
                          "\" was destroyed by another program");
}

SDL_Window* TSdlDisplay::WindowFor(HWND window, const TRect& screenRect) {
  if (const auto it = windows_.find(window); it != windows_.end()) return it->second;
  SDL_Window* native =
      SDL_CreateWindow("", screenRect.Left, screenRect.Top, std::max(1, screenRect.Width()),
                       std::max(1, screenRect.Height()), WindowFlagsOf(WindowOf(window)));
  if (!native) throw EDisplayError(String("Cannot open a window: ") + SDL_GetError());
  NoteWindowCreated(native);
  windows_[window] = native;
  return native;
}

void TSdlDisplay::Present(HWND window, const TRaster& surface, const TRect& screenRect) {
  SDL_Window* native = WindowFor(window, screenRect);
  const TWindow* w = WindowOf(window);
  if (w && w->Text != SDL_GetWindowTitle(native)) SDL_SetWindowTitle(native, w->Text.c_str());
  int x, y, cx, cy;
  SDL_GetWindowPosition(native, &x, &y);
  SDL_GetWindowSize(native, &cx, &cy);
  if (cx != surface.Width || cy != surface.Height)
    SDL_SetWindowSize(native, std::max(1, surface.Width), std::max(1, surface.Height));
  if (x != screenRect.Left || y != screenRect.Top)
    SDL_SetWindowPosition(native, screenRect.Left, screenRect.Top);
  if (!(SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN)) SDL_ShowWindow(native);
  // Minimised as far as the window system allows: without a window manager it stays.
  if (w && (w->Style & WS_MINIMIZE) && !(SDL_GetWindowFlags(native) & SDL_WINDOW_MINIMIZED))
    SDL_MinimizeWindow(native);
  SDL_Surface* target = SDL_GetWindowSurface(native);
  if (!target) throw EDisplayError(String("Cannot draw into a window: ") + SDL_GetError());
  const int width = std::min(surface.Width, target->w),
            height = std::min(surface.Height, target->h);
  if (width > 0 && height > 0) {
    SDL_LockSurface(target);
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, surface.Pixels.data(),
                      surface.Width * 4, target->format->format, target->pixels, target->pitch);
    SDL_UnlockSurface(target);
  }
  SDL_UpdateWindowSurface(native);
  ++presented_;
}

void TSdlDisplay::WindowDestroyed(HWND window) {
  const auto it = windows_.find(window);
  if (it == windows_.end()) return;
  refocus_ = refocus_ || SDL_GetKeyboardFocus() == it->second;
  SDL_DestroyWindow(it->second);
  windows_.erase(it);
}

// A window holding the input focus that goes away leaves it to nobody when no window manager
// hands it on: the engine's active window takes it back.
void TSdlDisplay::RefocusActiveWindow() {
  if (!refocus_) return;
  refocus_ = false;
  const auto it = windows_.find(User().Active);
  if (it != windows_.end() && (SDL_GetWindowFlags(it->second) & SDL_WINDOW_SHOWN))
    SDL_SetWindowInputFocus(it->second);
}

void TSdlDisplay::SetCursorShape(int cursor) {
  SDL_Cursor*& shape = cursors_[cursor];
  if (!shape) shape = SDL_CreateSystemCursor(SystemCursorOf(cursor));
  if (shape) SDL_SetCursor(shape);
}

bool TSdlDisplay::TextInputOpened() const { return text_->Opened(); }

SDL_Window* TSdlDisplay::NativeWindow(HWND window) const {
  const auto it = windows_.find(window);
  return it == windows_.end() ? nullptr : it->second;
}

// Hides the SDL windows of engine windows hidden since they were presented, and moves
// those the engine moved without drawing them anew.
void TSdlDisplay::FollowEngine() {
  for (const auto& [h, native] : windows_) {
    const TWindow* w = WindowOf(h);
    const bool shown = (SDL_GetWindowFlags(native) & SDL_WINDOW_SHOWN) != 0;
    if ((!w || !(w->Style & WS_VISIBLE)) && shown) {
      refocus_ = refocus_ || SDL_GetKeyboardFocus() == native;
      SDL_HideWindow(native);
    }
    if (!w || !shown) continue;
    const TRect r = ScreenRectOf(w);
    int x, y;
    SDL_GetWindowPosition(native, &x, &y);
    if (x != r.Left || y != r.Top) SDL_SetWindowPosition(native, r.Left, r.Top);
  }
  RefocusActiveWindow();
  UpdateCapture();
}

void TSdlDisplay::UpdateCapture() {
  const bool wanted = User().Capture || (SDL_GetMouseState(nullptr, nullptr) != 0);
  if (wanted == captured_) return;
  captured_ = wanted;
  SDL_CaptureMouse(wanted ? SDL_TRUE : SDL_FALSE);
}

HWND TSdlDisplay::HandleOf(unsigned windowId) const {
  SDL_Window* native = SDL_GetWindowFromID(windowId);
  for (const auto& [h, window] : windows_)
    if (window == native) return h;
  return nullptr;
}

TPoint TSdlDisplay::ScreenPoint(unsigned windowId, int x, int y) const {
  const TWindow* w = WindowOf(HandleOf(windowId));
  if (!w) return TPoint{x, y};
  const TRect r = ScreenRectOf(w);
  return TPoint{r.Left + x, r.Top + y};
}

void TSdlDisplay::Handle(const SDL_Event& event) {
  switch (event.type) {
  case SDL_MOUSEMOTION:
    Raw(TRawKind::MouseMove, ScreenPoint(event.motion.windowID, event.motion.x, event.motion.y), 0,
        0, event.motion.timestamp);
    break;
  case SDL_MOUSEBUTTONDOWN:
  case SDL_MOUSEBUTTONUP:
    if (const int button = EngineButton(event.button.button); button >= 0)
      Raw(event.type == SDL_MOUSEBUTTONDOWN ? TRawKind::ButtonDown : TRawKind::ButtonUp,
          ScreenPoint(event.button.windowID, event.button.x, event.button.y), button, 0,
          event.button.timestamp);
    break;
  case SDL_MOUSEWHEEL:
    Raw(TRawKind::Wheel, User().Cursor, 0, event.wheel.y * WHEEL_DELTA, event.wheel.timestamp);
    break;
  case SDL_KEYDOWN:
  case SDL_KEYUP:
    if (const int vk = VirtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode))
      Raw(event.type == SDL_KEYDOWN ? TRawKind::KeyDown : TRawKind::KeyUp, {}, 0, vk,
          event.key.timestamp);
    break;
  case SDL_TEXTINPUT:
    for (const char* c = event.text.text; *c; ++c)
      Raw(TRawKind::Char, {}, 0, static_cast<unsigned char>(*c), event.text.timestamp);
    break;
  case SDL_WINDOWEVENT:
    HandleWindowEvent(event);
    break;
  case SDL_QUIT:
    PostQuit(0);
    break;
  case SDL_SYSWMEVENT:
    NoteWindowSystemEvent(event);
    break;
  default:
    break;
  }
}

void TSdlDisplay::HandleWindowEvent(const SDL_Event& event) {
  const HWND h = HandleOf(event.window.windowID);
  const TWindow* w = WindowOf(h);
  if (!w) return;
  const TRect r = ScreenRectOf(w);
  switch (event.window.event) {
  case SDL_WINDOWEVENT_FOCUS_GAINED:
    // Without a window manager SDL hands the input focus to every window it shows, drop-downs
    // included: those, and windows disabled under a modal one, never take the activation.
    if (User().Active != h && (w->Style & WS_VISIBLE) && !(w->Style & WS_DISABLED) &&
        !(w->ExStyle & WS_EX_NOACTIVATE))
      ActivateWindow(h, WA_ACTIVE);
    break;
  case SDL_WINDOWEVENT_MOVED:
    if (event.window.data1 != r.Left || event.window.data2 != r.Top)
      PlaceWindow(h, nullptr, event.window.data1, event.window.data2, 0, 0,
                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    break;
  case SDL_WINDOWEVENT_SIZE_CHANGED:
    if (event.window.data1 != r.Width() || event.window.data2 != r.Height())
      PlaceWindow(h, nullptr, 0, 0, event.window.data1, event.window.data2,
                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    break;
  case SDL_WINDOWEVENT_RESTORED:
    if (w->Style & WS_MINIMIZE) PostTo(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    break;
  case SDL_WINDOWEVENT_EXPOSED:
    if (w->Surface && (w->Style & WS_VISIBLE)) Present(h, *w->Surface, r);
    break;
  case SDL_WINDOWEVENT_CLOSE:
    PostTo(h, WM_CLOSE, 0, 0);
    break;
  default:
    break;
  }
}
