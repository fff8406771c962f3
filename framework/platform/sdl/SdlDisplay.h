#pragma once

#include "framework/win32/user/Backend.h"

#include <map>
#include <memory>

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;
class TXTextInput;

// Real windows through SDL2: every visible top-level engine window is a borderless SDL
// window at its screen rectangle showing the whole engine surface (the engine draws its own
// caption and frame), titled with the window's text. Input is queued raw for the engine;
// typed text arrives as UTF-8, compose sequences included (see XTextInput.h).
// Creating one opens the video subsystem, installs it and starts the window engine afresh;
// EDisplayError when there is no display.
class TSdlDisplay : public TDisplayBackend {
public:
  TSdlDisplay();
  ~TSdlDisplay() override;
  TSdlDisplay(const TSdlDisplay&) = delete;
  TSdlDisplay& operator=(const TSdlDisplay&) = delete;

  DWORD Now() const override;
  void WaitForEvent(std::optional<DWORD> until) override;
  void Present(HWND window, const TRaster& surface, const TRect& screenRect) override;
  void WindowDestroyed(HWND window) override;
  void SetCursorShape(int cursor) override;
  int ScreenWidth() const override { return width_; }
  int ScreenHeight() const override { return height_; }
  bool DeliversText() const override { return true; }

  // The SDL window showing an engine window; null when it has none.
  SDL_Window* NativeWindow(HWND window) const;
  int PresentCount() const { return presented_; }
  // Whether the input method for compose sequences has been opened (by a key press).
  bool TextInputOpened() const;

private:
  SDL_Window* WindowFor(HWND window, const TRect& screenRect);
  void FollowEngine();
  void Handle(const SDL_Event& event);
  void HandleWindowEvent(const SDL_Event& event);
  HWND HandleOf(unsigned windowId) const;
  TPoint ScreenPoint(unsigned windowId, int x, int y) const;
  void UpdateCapture();
  void CheckWindowsAlive() const;
  void RefocusActiveWindow();

  std::map<HWND, SDL_Window*> windows_;
  std::map<int, SDL_Cursor*> cursors_;
  std::unique_ptr<TXTextInput> text_;
  int width_ = 1024;
  int height_ = 768;
  int presented_ = 0;
  bool captured_ = false;
  bool refocus_ = false;
};
