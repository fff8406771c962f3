#pragma once

#include "framework/controls/Edits.h"
#include "valueentry/LumEntryDialog.h"

// The memo dialog's window: a label over a memo, OK and cancel.
class TMemoDialog : public TLumEntryDialog {
  LUM_CLASS(TMemoDialog, TLumEntryDialog)
public:
  explicit TMemoDialog(TComponent* AOwner);

  TMemo* Memo1 = nullptr;
};
