#include "demo/GalleryForm.h"

#include "demo/GalleryPages.h"

namespace {

constexpr int SwitcherHeight = 41;
constexpr int ButtonWidth = 120;
constexpr int Gap = 8;

} // namespace

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
  SetBounds(40, 40, 560, 340);
  SetCaption("LumTools gallery");
  FSwitcher = new TGalleryPage(this);
  FSwitcher->SetHeight(SwitcherHeight);
  FSwitcher->SetAlign(alTop);
  FSwitcher->SetParent(this);
  for (const TGalleryPageInfo& info : GalleryPages()) {
    auto* page = new TGalleryPage(this);
    page->SetVisible(false);
    page->SetAlign(alClient);
    page->SetParent(this);
    info.Fill(page);
    AddPage(info.Name, page);
  }
  if (!FPages.empty()) ShowPage(0);
}

void TGalleryForm::AddPage(const String& Name, TGalleryPage* Page) {
  const int index = PageCount();
  auto* button = new TButton(this);
  button->SetBounds(Gap + index * (ButtonWidth + Gap), Gap, ButtonWidth, SwitcherHeight - 2 * Gap);
  button->SetCaption(Name);
  button->SetOnClick([this, index](TObject*) { ShowPage(index); });
  button->SetParent(FSwitcher);
  FButtons.push_back(button);
  FPages.push_back(Page);
  FNames.push_back(Name);
}

int TGalleryForm::PageIndexOf(const String& Name) const {
  for (std::size_t i = 0; i < FNames.size(); ++i)
    if (FNames[i] == Name) return static_cast<int>(i);
  return -1;
}

void TGalleryForm::ShowPage(int Index) {
  if (Index < 0 || Index >= PageCount())
    throw EListError("Gallery page index out of bounds (" + std::to_string(Index) + ")");
  for (int i = 0; i < PageCount(); ++i) Page(i)->SetVisible(i == Index);
  FActive = Index;
  SetCaption("LumTools gallery - " + FNames[static_cast<std::size_t>(Index)]);
}
