#include "framework/controls/DialogParts.h"

#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"

TLabel* AddDialogLabel(TCustomForm* Form, TWinControl* Parent, const String& Caption, int Left,
                       int Top, TWinControl* Focus) {
  auto* label = new TLabel(Form);
  label->SetCaption(Caption);
  label->SetLeft(Left);
  label->SetTop(Top);
  label->SetParent(Parent);
  if (Focus) label->SetFocusControl(Focus);
  return label;
}

TButton* AddDialogButton(TCustomForm* Form, const String& Name, const String& Caption,
                         TModalResult Result, int Left, int Top) {
  auto* button = PlaceNamed<TButton>(Form, Form, Name, Bounds(Left, Top, 75, 25));
  button->SetCaption(Caption);
  button->SetModalResult(Result);
  return button;
}

void SetUpDialogForm(TCustomForm* Form, const String& Caption, int ClientWidth, int ClientHeight) {
  Form->SetText(Caption);
  Form->SetBorderStyle(bsDialog);
  Form->SetPosition(poScreenCenter);
  Form->SetClientWidth(ClientWidth);
  Form->SetClientHeight(ClientHeight);
}
