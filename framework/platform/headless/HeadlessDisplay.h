#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/user/Backend.h"

#include <deque>
#include <functional>
#include <string_view>

// Modifier keys held around injected keys.
inline constexpr unsigned HeadlessShift = 1, HeadlessControl = 2, HeadlessAlt = 4;

enum class THeadlessButton { Left = 0, Right = 1, Middle = 2 };

// The in-memory display: a screen of a given size, a clock that moves only when told,
// input injected at screen points, and the surfaces of top-level windows to look at.
// Creating one installs it and starts the window engine afresh; destroying it destroys
// every window and uninstalls it.
class THeadlessDisplay : public TDisplayBackend {
public:
  explicit THeadlessDisplay(int width = 1024, int height = 768);
  ~THeadlessDisplay() override;
  THeadlessDisplay(const THeadlessDisplay&) = delete;
  THeadlessDisplay& operator=(const THeadlessDisplay&) = delete;

  DWORD Now() const override { return now_; }
  // Runs the next scripted step; with none left the wait could never end: EDisplayError.
  void WaitForEvent(std::optional<DWORD> until) override;
  void Present(HWND window, const TRaster& surface, const TRect& screenRect) override;
  void WindowDestroyed(HWND window) override;
  void SetCursorShape(int cursor) override { cursor_ = cursor; }
  int ScreenWidth() const override { return width_; }
  int ScreenHeight() const override { return height_; }

  // Moves the clock by ms, firing due timers in order (the clock stands at each one's time
  // while the message loop runs), then runs the loop at the end time.
  void Advance(DWORD ms);
  // Runs the message loop until nothing is waiting.
  void ProcessMessages();
  // Steps the scripted user takes when a message loop waits (a modal loop, WaitMessage).
  void WhenWaiting(std::function<void()> step);
  // What a waiting loop gets when no step is left (by default EDisplayError).
  void WhenNoStepLeft(std::function<void()> step) { fallback_ = std::move(step); }
  // Handles the waiting messages; false once the loop should quit. By default the window
  // engine's own loop; the application's loop replaces it.
  void SetMessagePump(std::function<bool()> pump) { pump_ = std::move(pump); }

  // Input, queued for the message loop.
  void MouseMove(int x, int y);
  void MouseDown(int x, int y, THeadlessButton button = THeadlessButton::Left);
  void MouseUp(int x, int y, THeadlessButton button = THeadlessButton::Left);
  void Click(int x, int y, THeadlessButton button = THeadlessButton::Left);
  void DoubleClick(int x, int y, THeadlessButton button = THeadlessButton::Left);
  void Wheel(int x, int y, int delta);
  void KeyDown(int vk, unsigned modifiers = 0);
  void KeyUp(int vk, unsigned modifiers = 0);
  void PressKey(int vk, unsigned modifiers = 0);
  // Each byte of the UTF-8 text as a WM_CHAR to the focus window.
  void TypeText(std::string_view text);

  // A copy of a top-level window's surface after the pending messages are handled;
  // EDisplayError for a handle that is no top-level window.
  TRaster Snapshot(HWND window);
  // The screen: the desktop colour under every visible top-level window, bottom up.
  TRaster ScreenSnapshot();
  int CursorShape() const { return cursor_; }
  int PresentCount() const { return presented_; }

private:
  void Modifiers(unsigned modifiers, bool down);
  bool Pump();

  int width_;
  int height_;
  DWORD now_ = 0;
  int cursor_ = IDC_ARROW;
  int presented_ = 0;
  std::deque<std::function<void()>> script_;
  std::function<void()> fallback_;
  std::function<bool()> pump_;
};
