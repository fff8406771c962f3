#pragma once

#include "framework/controls/Forms.h"
#include "framework/controls/PageControl.h"

// The gallery's main form: a page control filling the form, one tab per entry of the page
// table. A click on a tab, Ctrl+Tab and Ctrl+Shift+Tab switch pages.
class TGalleryForm : public TForm {
  LUM_CLASS(TGalleryForm, TForm)
public:
  explicit TGalleryForm(TComponent* AOwner);

  int PageCount() const { return FTabs->PageCount(); }
  int ActivePageIndex() const { return FTabs->ActivePageIndex(); }
  // The page of that name, -1 for none.
  int PageIndexOf(const String& Name) const;
  // Shows the page; EListError for an index outside the pages.
  void ShowPage(int Index);
  TPageControl* Tabs() const { return FTabs; }
  TTabSheet* Page(int Index) const { return FTabs->Pages(Index); }

private:
  void PageChanged();

  TPageControl* FTabs = nullptr;
};
