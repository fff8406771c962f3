#pragma once

#include "framework/controls/WinControl.h"

#include <functional>
#include <vector>

// One page of the gallery: its name and what puts its controls on a parent.
struct TGalleryPageInfo {
  String Name;
  std::function<void(TWinControl* Parent)> Fill;
};

// Every page, one per subsystem, in the order of the gallery's tabs.
const std::vector<TGalleryPageInfo>& GalleryPages();
// The page's PNG file name: lower case, runs of other characters as one '-'
// ("Standard controls" gives "standard-controls.png").
String PageFileName(const String& PageName);
