#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

// A virtual X server for the tests of real windows: started on a free display number,
// DISPLAY pointing at it while it runs. It never resets, so the tests' displays may close
// and open again on it.
class TVirtualXServer {
public:
  TVirtualXServer();
  ~TVirtualXServer();
  TVirtualXServer(const TVirtualXServer&) = delete;
  TVirtualXServer& operator=(const TVirtualXServer&) = delete;

  bool Running() const { return pid_ > 0; }
  const std::string& Failure() const { return failure_; }

private:
  int pid_ = -1;
  std::string failure_;
  std::string oldDisplay_;
  bool hadDisplay_ = false;
};

// SDL and the X libraries it loads keep state they never free: while one of these lives,
// the allocations of a real-window test are left out of the leak check.
class TRealWindowLeakPause {
public:
  TRealWindowLeakPause() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_disable();
#endif
  }
  ~TRealWindowLeakPause() {
#if defined(__SANITIZE_ADDRESS__)
    __lsan_enable();
#endif
  }
  TRealWindowLeakPause(const TRealWindowLeakPause&) = delete;
  TRealWindowLeakPause& operator=(const TRealWindowLeakPause&) = delete;
};

// Runs a shell command (for at most 5 s) on the virtual display; its standard output, trailing
// newline removed.
std::string RunOnDisplay(const std::string& command);
// A screenshot of one X window through xwd, as a raster.
TRaster ScreenshotOfXWindow(const std::string& windowId);
// xdotool's id of the visible X window of that exact title, waiting for it to appear.
std::string XWindowNamed(const std::string& title);
// How many pixels of two rasters of one size differ in colour; -1 when their sizes differ.
int DifferingPixels(const TRaster& a, const TRaster& b);
