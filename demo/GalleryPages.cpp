#include "demo/GalleryPages.h"

#include "demo/CalendarGridsPage.h"
#include "demo/DialogsPage.h"
#include "demo/DisplaysPage.h"
#include "demo/GridsPage.h"
#include "demo/PrintingPage.h"
#include "demo/RichListsPage.h"
#include "demo/StandardPage.h"
#include "demo/StyledPage.h"
#include "demo/SurfacesPage.h"
#include "demo/TranslationPage.h"
#include "demo/ValueEntryPage.h"

#include <cctype>

const std::vector<TGalleryPageInfo>& GalleryPages() {
  static const std::vector<TGalleryPageInfo> pages{
      {"Standard controls", FillStandardControls},
      {"Value entry", FillValueEntry},
      {"Dialogs", FillDialogs},
      {"Displays", FillDisplays},
      {"Rich lists", FillRichLists},
      {"Grids", FillGrids},
      {"Calendar and grids", FillCalendarGrids},
      {"Printing", FillPrinting},
      {"Surfaces", FillSurfaces},
      {"Styled and games", FillStyled},
      {"Translation", FillTranslation},
  };
  return pages;
}

String PageFileName(const String& PageName) {
  String name;
  for (const char c : PageName) {
    const auto u = static_cast<unsigned char>(c);
    if (std::isalnum(u))
      name += static_cast<char>(std::tolower(u));
    else if (!name.empty() && name.back() != '-')
      name += '-';
  }
  while (!name.empty() && name.back() == '-') name.pop_back();
  return (name.empty() ? String("page") : name) + ".png";
}
