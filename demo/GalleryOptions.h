#pragma once

#include "framework/rtl/Exceptions.h"

#include <optional>
#include <vector>

LUM_DECLARE_EXCEPTION(EGalleryOptionError, Exception);

// What the gallery was asked for on its command line.
struct TGalleryOptions {
  bool Help = false;
  std::optional<String> PngDir; // render the pages there instead of opening a window
  String Page;                  // the page to open or render; empty for all
  bool StartupTime = false;     // print the time to the first frame shown, then quit
};

// The options of the arguments after the program name; EGalleryOptionError naming what is
// wrong for an unknown option, a missing value or an unknown page.
TGalleryOptions ParseGalleryOptions(const std::vector<String>& Args);
String GalleryUsage();
