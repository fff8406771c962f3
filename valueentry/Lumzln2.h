#pragma once

#include "framework/controls/Buttons.h"
#include "framework/controls/Forms.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/Panels.h"

// The line dialog's window: a label over a masked edit, OK and cancel.
class TZeilenDialog : public TForm {
  LUM_CLASS(TZeilenDialog, TForm)
public:
  explicit TZeilenDialog(TComponent* AOwner);

  void SetKommazuPunkt(bool Value) { FKommazuPunkt = Value; }
  bool KommazuPunkt() const { return FKommazuPunkt; }

  TPanel* Panel1 = nullptr;
  TBitBtn* BitBtn1 = nullptr;
  TBitBtn* BitBtn2 = nullptr;
  TLabel* Label1 = nullptr;
  TMaskEdit* MaskEdit1 = nullptr;

private:
  // Turns the first comma into a point, the caret staying where it was.
  void MaskEdit1Change(TObject* Sender);

  bool FKommazuPunkt = false;
};
