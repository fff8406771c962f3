#include "demo/GalleryForm.h"

#include "demo/GalleryPages.h"
#include "framework/controls/Application.h"
#include "framework/controls/Dialogs.h"
#include "framework/design/FormDesigner.h"
#include "package/LumToolsPck.h"
#include "styled/LumMainMenu.h"

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner) {
  SetBounds(40, 40, 800, 340);
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
  BuildMainMenu();
  BuildPagePopup();
  if (PageCount() > 0) ShowPage(0);
}

namespace {

void ShowAbout(TObject*) {
  ShowMessage("LumTools gallery\nEvery component of the library on a page of its own.");
}

} // namespace

TMenuItem* TGalleryForm::AddItem(TMenuItem* Parent, const String& Caption, TNotifyEvent OnClick) {
  auto* item = new TMenuItem(this);
  item->SetCaption(Caption);
  item->SetOnClick(std::move(OnClick));
  Parent->Add(item);
  return item;
}

void TGalleryForm::BuildMainMenu() {
  FMainMenu = new TLumMainMenu(this);
  TMenuItem* file = AddItem(FMainMenu->Items(), "&File", nullptr);
  AddItem(file, "Form &designer...", [](TObject*) { OpenLumToolsDesigner(Application())->Show(); });
  TMenuItem* exit = AddItem(file, "E&xit", [this](TObject*) { Close(); });
  exit->SetShortCut(ShortCut('Q', TShiftState{ssCtrl}));
  FView = AddItem(FMainMenu->Items(), "&View", nullptr);
  for (int i = 0; i < PageCount(); ++i) {
    TMenuItem* item =
        AddItem(FView, "&" + Page(i)->Caption(), [this, i](TObject*) { ShowPage(i); });
    item->SetRadioItem(true);
    if (i < 9) item->SetShortCut(ShortCut(static_cast<Word>('1' + i), TShiftState{ssCtrl}));
  }
  TMenuItem* help = AddItem(FMainMenu->Items(), "&Help", nullptr);
  AddItem(help, "&About...", ShowAbout);
  SetMenu(FMainMenu);
}

void TGalleryForm::BuildPagePopup() {
  if (PageCount() == 0) return;
  FPagePopup = new TPopupMenu(this);
  AddItem(FPagePopup->Items(), "&Next page",
          [this](TObject*) { ShowPage((ActivePageIndex() + 1) % PageCount()); });
  AddItem(FPagePopup->Items(), "&Previous page",
          [this](TObject*) { ShowPage((ActivePageIndex() + PageCount() - 1) % PageCount()); });
  AddItem(FPagePopup->Items(), "-", nullptr);
  AddItem(FPagePopup->Items(), "&About...", ShowAbout);
  Page(0)->SetPopupMenu(FPagePopup);
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
  if (FView && page && ActivePageIndex() < FView->Count())
    FView->Items(ActivePageIndex())->SetChecked(true);
  SetCaption(page ? "LumTools gallery - " + page->Caption() : String("LumTools gallery"));
}
