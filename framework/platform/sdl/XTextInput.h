#pragma once

#include <functional>

union SDL_Event;
struct _XDisplay;
using Display = _XDisplay;
union _XEvent;
using XEvent = _XEvent;
struct _XIM;
struct _XIC;

// Compose and dead-key input through an X input method of the program's own, opened on the
// first key press rather than at start-up: reading the locale's compose table (half a
// megabyte of rules) is most of what opening the display costs otherwise. SDL's own input
// method, opened by StartVideo with a table of one rule no keyboard types, goes on turning
// plain keys into UTF-8 text; each key press is also given to this one, and what it composes
// is queued as SDL text events, the text SDL finds for keys in a sequence dropped. Under an X
// input method server that XMODIFIERS names, SDL keeps its own input method untouched and
// this one stays closed.
class TXTextInput {
public:
  // Runs SDL's video start-up (the callable) with SDL's input method made quick to open.
  static void StartVideo(const std::function<void()>& start);

  // Installs itself as SDL's event filter; the video subsystem is running.
  TXTextInput();
  ~TXTextInput();
  TXTextInput(const TXTextInput&) = delete;
  TXTextInput& operator=(const TXTextInput&) = delete;

  // Whether the input method has been opened (by a key press).
  bool Opened() const { return opened_; }

private:
  static int Filter(void* self, SDL_Event* event);
  bool Keep(const SDL_Event& event);
  void KeyPressed(const XEvent& pressed);
  void Open(Display* display);
  void QueueComposedText(XEvent& key);
  void QueueText(const char* text, int length);

  bool local_;
  bool opened_ = false;
  bool dropSdlText_ = false;
  Display* display_ = nullptr;
  unsigned long window_ = 0;
  _XIM* im_ = nullptr;
  _XIC* context_ = nullptr;
};
