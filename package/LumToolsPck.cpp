#include "package/LumToolsPck.h"

#include "framework/controls/PageControl.h"
#include "framework/design/FormDesigner.h"
#include "framework/design/Registry.h"
#include "package/Lumreg.h"

#include <algorithm>

namespace {

constexpr const char* PageName = "LumTools";

} // namespace

void LoadLumToolsPck() {
  const std::vector<String> pages = PalettePages();
  if (std::none_of(pages.begin(), pages.end(),
                   [](const String& Page) { return SameText(Page, PageName); }))
    Register();
}

void ShowLumToolsPage(TFormDesigner* Designer) {
  TPageControl* palette = Designer->Palette();
  for (int i = 0; i < palette->PageCount(); ++i)
    if (SameText(palette->Pages(i)->Caption(), PageName)) palette->SetActivePageIndex(i);
}

TFormDesigner* OpenLumToolsDesigner(TComponent* AOwner) {
  LoadLumToolsPck();
  auto* designer = CreateForm<TFormDesigner>(AOwner);
  ShowLumToolsPage(designer);
  return designer;
}
