#pragma once

#include "framework/design/DesignIntf.h"

// The library's own property category: the properties that LumTools adds to its components.
LUM_PROPERTY_CATEGORY(TLumToolsCategory, "LumTools", "Extended properties from LumTools");

// What the designer calls when it loads the library: every component on the palette page
// "LumTools", the component and property editors bound, and the components' own properties
// filed under the category "LumTools".
void Register();
