#pragma once

#include "framework/controls/Forms.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"

// The gallery's main form: a page control filling the form, one tab per entry of the page
// table. A click on a tab, Ctrl+Tab and Ctrl+Shift+Tab switch pages; so do the View menu
// (one item per page) and the first page's popup menu. File has Exit, Help an About box.
// The main menu is the library's owner-drawn one, drawn by the system until a page switches it.
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
  TMainMenu* MainMenu() const { return FMainMenu; }
  TMenuItem* ViewMenu() const { return FView; }
  TPopupMenu* PagePopup() const { return FPagePopup; }

private:
  void PageChanged();
  void BuildMainMenu();
  void BuildPagePopup();
  TMenuItem* AddItem(TMenuItem* Parent, const String& Caption, TNotifyEvent OnClick);

  TMainMenu* FMainMenu = nullptr;
  TMenuItem* FView = nullptr;
  TPopupMenu* FPagePopup = nullptr;

  TPageControl* FTabs = nullptr;
};
