#pragma once

#include "framework/controls/Forms.h"

class TLabel;
class TButton;

// Building blocks of the common dialogs' forms. Every control is owned by the form, so a
// caller finds it by name (FindComponent), and placed on the given parent.
template <class C>
C* PlaceNamed(TCustomForm* Form, TWinControl* Parent, const String& Name, TRect Bounds) {
  auto* control = new C(Form);
  control->SetName(Name);
  control->SetBoundsRect(Bounds);
  control->SetParent(Parent);
  return control;
}

// A label whose accelerator focuses Focus.
TLabel* AddDialogLabel(TCustomForm* Form, TWinControl* Parent, const String& Caption, int Left,
                       int Top, TWinControl* Focus = nullptr);
// A 75 by 25 push button closing the form with Result (mrNone: only its OnClick acts).
TButton* AddDialogButton(TCustomForm* Form, const String& Name, const String& Caption,
                         TModalResult Result, int Left, int Top);
// A modal dialog form: dialog frame, centred on the screen, the given client size.
void SetUpDialogForm(TCustomForm* Form, const String& Caption, int ClientWidth, int ClientHeight);
