#pragma once

#include "framework/controls/Buttons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Panels.h"

// The memo dialog's window: a label over a memo, OK and cancel.
class TMemoDialog : public TForm {
  LUM_CLASS(TMemoDialog, TForm)
public:
  explicit TMemoDialog(TComponent* AOwner);

  TPanel* Panel1 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* Memo1 = nullptr;
};
