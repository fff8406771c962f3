#pragma once

#include "framework/rtl/Strings.h"

class TComponent;
class TFormDesigner;

// The library as one package: its description, and its loading into the designer.
inline constexpr const char* LumToolsPckDescription = "Lum-Tools";

// Runs Register unless the palette has the page "LumTools" already (a designer may be opened
// more than once in a program; the registrations stay until reset).
void LoadLumToolsPck();
// Brings the page "LumTools" of the designer's palette to the front.
void ShowLumToolsPage(TFormDesigner* Designer);
// A form designer (not yet shown) with the package loaded and its page in front.
TFormDesigner* OpenLumToolsDesigner(TComponent* AOwner);
