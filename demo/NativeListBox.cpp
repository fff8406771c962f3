#include "demo/NativeListBox.h"

#include "framework/win32/user/ListBoxDefs.h"

TGalleryListBox::TGalleryListBox(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 120;
  FHeight = 97;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
  FBrush->SetColor(FColor);
}

void TGalleryListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "LISTBOX");
  Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL;
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TGalleryListBox::CreateWnd() {
  TWinControl::CreateWnd();
  for (const String& item : FItems)
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TGalleryListBox::AddItem(const String& Text) {
  FItems.push_back(Text);
  if (HandleAllocated())
    SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text.c_str()));
}

int TGalleryListBox::ItemCount() { return static_cast<int>(FItems.size()); }

int TGalleryListBox::ItemIndex() {
  if (HandleAllocated()) FItemIndex = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
  return FItemIndex;
}

void TGalleryListBox::SetItemIndex(int Index) {
  FItemIndex = Index >= 0 && Index < ItemCount() ? Index : -1;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}
