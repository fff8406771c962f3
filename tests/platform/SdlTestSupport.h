#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <string>

// A virtual X server for the tests of real windows: started on a free display number,
// DISPLAY pointing at it while it runs.
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

// Runs a shell command on the virtual display; its standard output, trailing newline removed.
std::string RunOnDisplay(const std::string& command);
// A screenshot of one X window through xwd, as a raster.
TRaster ScreenshotOfXWindow(const std::string& windowId);
