#pragma once

#include "framework/controls/MaskEdit.h"
#include "valueentry/LumEntryDialog.h"

// The line dialog's window: a label over a masked edit, OK and cancel.
class TZeilenDialog : public TLumEntryDialog {
  LUM_CLASS(TZeilenDialog, TLumEntryDialog)
public:
  explicit TZeilenDialog(TComponent* AOwner);

  void SetKommazuPunkt(bool Value) { FKommazuPunkt = Value; }
  bool KommazuPunkt() const { return FKommazuPunkt; }

  TMaskEdit* MaskEdit1 = nullptr;

private:
  // Turns the first comma into a point, the caret staying where it was.
  void MaskEdit1Change(TObject* Sender);

  bool FKommazuPunkt = false;
};
