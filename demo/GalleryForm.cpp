#include "demo/GalleryForm.h"

#include "demo/GalleryPages.h"

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
  SetBounds(40, 40, 560, 340);
  SetCaption("LumTools gallery");
  FTabs = new TPageControl(this);
  FTabs->SetAlign(alClient);
  FTabs->SetParent(this);
  for (const TGalleryPageInfo& info : GalleryPages()) {
    auto* sheet = new TTabSheet(this);
    sheet->SetCaption(info.Name);
    sheet->SetPageControl(FTabs);
    info.Fill(sheet);
  }
  FTabs->SetOnChange([this](TObject*) { PageChanged(); });
  if (PageCount() > 0) ShowPage(0);
}

int TGalleryForm::PageIndexOf(const String& Name) const {
  for (int i = 0; i < PageCount(); ++i)
    if (Page(i)->Caption() == Name) return i;
  return -1;
}

void TGalleryForm::ShowPage(int Index) {
  FTabs->SetActivePage(Page(Index));
  PageChanged();
}

void TGalleryForm::PageChanged() {
  const TTabSheet* page = FTabs->ActivePage();
  SetCaption(page ? "LumTools gallery - " + page->Caption() : String("LumTools gallery"));
}
