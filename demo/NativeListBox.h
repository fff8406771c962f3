#pragma once

#include "framework/controls/WinControl.h"

#include <vector>

// A plain list box over the system "LISTBOX" class, filled with its entries as its window
// is created (and again when the window is made anew).
class TGalleryListBox : public TWinControl {
  LUM_CLASS(TGalleryListBox, TWinControl)
public:
  explicit TGalleryListBox(TComponent* AOwner);

  void AddItem(const String& Text);
  int ItemCount();
  // The selected entry's index, -1 for none.
  int ItemIndex();
  void SetItemIndex(int Index);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;

private:
  std::vector<String> FItems;
  int FItemIndex = -1;
};
