#pragma once

#include "framework/controls/Buttons.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Panels.h"

// What the line and memo dialogs share: a lowered panel filling the form, a prompt label at
// its top, the dialog's own field under it and OK and cancel buttons at the bottom.
class TLumEntryDialog : public TForm {
  LUM_CLASS(TLumEntryDialog, TForm)
public:
  TLumEntryDialog(TComponent* AOwner, const String& Name, int ClientHeight);

  TPanel* Panel1 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TLabel* Label1 = nullptr;

protected:
  // Puts the field under the label, the buttons below it; the field has the focus on show.
  void PlaceFieldAndButtons(TWinControl* Field, const String& Name, int FieldHeight,
                            int ButtonsTop);
};
