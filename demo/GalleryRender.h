#pragma once

#include "framework/rtl/Types.h"

#include <vector>

// Renders the gallery's pages (all, or only the one named) to PNG files in Dir on a headless
// display, creating Dir; the files written, in page order.
std::vector<String> RenderGalleryPages(const String& Dir, const String& PageName);
// Renders the gallery with its View menu open (the form and the drop-down) to menu.png in
// Dir; the file written.
String RenderMenuPicture(const String& Dir);
