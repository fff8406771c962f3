#pragma once

#include "framework/rtl/Types.h"

#include <vector>

// Renders the gallery's pages (all, or only the one named) to PNG files in Dir on a headless
// display, creating Dir; the files written, in page order.
std::vector<String> RenderGalleryPages(const String& Dir, const String& PageName);
