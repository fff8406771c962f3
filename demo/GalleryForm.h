#pragma once

#include "framework/controls/Forms.h"
#include "framework/controls/StdCtrls.h"

#include <vector>

// A page of the gallery: a plain windowed area its controls are placed on.
class TGalleryPage : public TCustomControl {
  LUM_CLASS(TGalleryPage, TCustomControl)
public:
  explicit TGalleryPage(TComponent* AOwner) : TCustomControl(AOwner) {}
};

// The gallery's main form: a row of buttons that switch pages over one page per entry of
// the page table, one page showing at a time.
class TGalleryForm : public TForm {
  LUM_CLASS(TGalleryForm, TForm)
public:
  explicit TGalleryForm(TComponent* AOwner);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  int ActivePageIndex() const { return FActive; }
  // The page of that name, -1 for none.
  int PageIndexOf(const String& Name) const;
  // Shows the page; EListError for an index outside the pages.
  void ShowPage(int Index);
  TButton* PageButton(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }
  TGalleryPage* Page(int Index) const { return FPages.at(static_cast<std::size_t>(Index)); }

private:
  void AddPage(const String& Name, TGalleryPage* Page);

  TGalleryPage* FSwitcher = nullptr;
  std::vector<TButton*> FButtons;
  std::vector<TGalleryPage*> FPages;
  std::vector<String> FNames;
  int FActive = -1;
};
