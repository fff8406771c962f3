#include "framework/platform/sdl/XTextInput.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

// Xlib's own input method composes from the locale's table unless XMODIFIERS names a server
// (the D-Bus input methods SDL talks to directly count as none: SDL then asks for "none").
bool ComposesLocally() {
  const char* modifiers = std::getenv("XMODIFIERS");
  if (!modifiers) return true;
  const std::string_view m(modifiers);
  const std::size_t at = m.find("@im=");
  if (at == std::string_view::npos) return true;
  const std::string_view name = m.substr(at + 4, m.find('@', at + 4) - (at + 4));
  return name.empty() || name == "none" || name == "local" || name.starts_with("ibus") ||
         name.starts_with("fcitx");
}

// XCOMPOSEFILE pointing, while this lives, at a table in memory of one rule for a key no
// keyboard has (U+10FFFF is no character); an empty table would leave the input method
// without the tree its look-ups read.
class TOneRuleComposeTable {
public:
  TOneRuleComposeTable() : fd_(memfd_create("compose", MFD_CLOEXEC)) {
    static constexpr std::string_view Rule = "<U10FFFF> : \"x\"\n";
    if (fd_ < 0 || write(fd_, Rule.data(), Rule.size()) != static_cast<ssize_t>(Rule.size()))
      return;
    if (const char* old = std::getenv("XCOMPOSEFILE")) old_ = old;
    setenv("XCOMPOSEFILE", ("/proc/self/fd/" + std::to_string(fd_)).c_str(), 1);
    set_ = true;
  }
  ~TOneRuleComposeTable() {
    if (set_ && old_)
      setenv("XCOMPOSEFILE", old_->c_str(), 1);
    else if (set_)
      unsetenv("XCOMPOSEFILE");
    if (fd_ >= 0) close(fd_);
  }
  TOneRuleComposeTable(const TOneRuleComposeTable&) = delete;
  TOneRuleComposeTable& operator=(const TOneRuleComposeTable&) = delete;

private:
  int fd_;
  bool set_ = false;
  std::optional<std::string> old_;
};

// The locale of the environment while this lives, as X input methods are opened under.
class TEnvironmentLocale {
public:
  TEnvironmentLocale() {
    if (const char* current = std::setlocale(LC_ALL, nullptr)) old_ = current;
    std::setlocale(LC_ALL, "");
  }
  ~TEnvironmentLocale() { std::setlocale(LC_ALL, old_.c_str()); }
  TEnvironmentLocale(const TEnvironmentLocale&) = delete;
  TEnvironmentLocale& operator=(const TEnvironmentLocale&) = delete;

private:
  std::string old_ = "C";
};

const XEvent* KeyPressOf(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg->subsystem != SDL_SYSWM_X11) return nullptr;
  const XEvent& x = event.syswm.msg->msg.x11.event;
  return x.type == KeyPress ? &x : nullptr;
}

// The length of the longest start of the text, at most `limit` bytes, that ends between two
// UTF-8 characters.
int WholeCharacters(const char* text, int length, int limit) {
  if (length <= limit) return length;
  int end = limit;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return end > 0 ? end : limit;
}

} // namespace

void TXTextInput::StartVideo(const std::function<void()>& start) {
  if (!ComposesLocally()) {
    start();
    return;
  }
  const TOneRuleComposeTable table;
  start();
}

TXTextInput::TXTextInput() : local_(ComposesLocally()) {
  if (local_) SDL_SetEventFilter(&TXTextInput::Filter, this);
}

TXTextInput::~TXTextInput() {
  if (!local_) return;
  SDL_SetEventFilter(nullptr, nullptr);
  if (context_) XDestroyIC(context_);
  if (window_) XDestroyWindow(display_, window_);
  if (im_) XCloseIM(im_);
}

int TXTextInput::Filter(void* self, SDL_Event* event) {
  return static_cast<TXTextInput*>(self)->Keep(*event) ? 1 : 0;
}

// SDL reports each key press to the filter as a window-system event before it looks the key
// up; the text SDL then finds for a key in a sequence is not the key's.
bool TXTextInput::Keep(const SDL_Event& event) {
  if (event.type == SDL_TEXTINPUT && dropSdlText_) {
    dropSdlText_ = false;
    return false;
  }
  if (const XEvent* key = KeyPressOf(event)) KeyPressed(*key);
  return true;
}

// The input method's context is focused on a window of its own that nothing is shown in:
// SDL's XFilterEvent never reaches it, and the key press without key code it puts back for
// a composed text goes to that window, which SDL leaves alone but reports to the filter.
void TXTextInput::KeyPressed(const XEvent& pressed) {
  dropSdlText_ = false;
  if (!opened_) Open(pressed.xkey.display);
  if (!context_) return;
  XEvent key = pressed;
  if (key.xkey.window == window_) {
    if (key.xkey.keycode == 0) QueueComposedText(key);
    return;
  }
  key.xkey.window = window_;
  dropSdlText_ = XFilterEvent(&key, window_) == True;
}

void TXTextInput::Open(Display* display) {
  opened_ = true;
  {
    const TEnvironmentLocale locale;
    const char* old = XSetLocaleModifiers(nullptr);
    const std::string oldModifiers = old ? old : "";
    XSetLocaleModifiers("@im=none");
    im_ = XOpenIM(display, nullptr, nullptr, nullptr);
    XSetLocaleModifiers(oldModifiers.c_str());
  }
  if (!im_) return;
  display_ = display;
  window_ = XCreateWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, CopyFromParent,
                          InputOnly, nullptr, 0, nullptr);
  context_ = XCreateIC(im_, XNClientWindow, window_, XNFocusWindow, window_, XNInputStyle,
                       XIMPreeditNothing | XIMStatusNothing, nullptr);
  if (context_) XSetICFocus(context_);
}

void TXTextInput::QueueComposedText(XEvent& key) {
  std::vector<char> text(64);
  KeySym symbol;
  Status status;
  int length = Xutf8LookupString(context_, &key.xkey, text.data(), static_cast<int>(text.size()),
                                 &symbol, &status);
  if (status == XBufferOverflow) {
    text.resize(static_cast<std::size_t>(length));
    length = Xutf8LookupString(context_, &key.xkey, text.data(), length, &symbol, &status);
  }
  if (status == XLookupChars || status == XLookupBoth) QueueText(text.data(), length);
}

// Pushed from within the filter, the text lands in SDL's queue after everything before the
// key press that completed the sequence.
void TXTextInput::QueueText(const char* text, int length) {
  while (length > 0) {
    SDL_Event event{};
    event.text.type = SDL_TEXTINPUT;
    event.text.timestamp = SDL_GetTicks();
    if (SDL_Window* focus = SDL_GetKeyboardFocus()) event.text.windowID = SDL_GetWindowID(focus);
    const int n = WholeCharacters(text, length, SDL_TEXTINPUTEVENT_TEXT_SIZE - 1);
    std::memcpy(event.text.text, text, static_cast<std::size_t>(n));
    SDL_PushEvent(&event);
    text += n;
    length -= n;
  }
}
