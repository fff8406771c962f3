#include "translation/Upcookie.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Panels.h"
#include "framework/controls/ScrollBox.h"
#include "framework/rtl/Strings.h"
#include "translation/Newkwd.h"

namespace {

const bool UpdateCookieRegistered = (RegisterClass<TfmUpdateCookie>(), true);

constexpr int CheckHeight = 17, CheckSpacing = 20;

TPanel* AddPanel(TCustomForm* Form, const String& Name, TAlign Align) {
  auto* panel = new TPanel(Form);
  panel->SetName(Name);
  panel->SetCaption("");
  panel->SetBevelOuter(bvNone);
  panel->SetAlign(Align);
  panel->SetParent(Form);
  return panel;
}

TBitBtn* AddButton(TCustomForm* Form, TWinControl* Parent, const String& Name, TBitBtnKind Kind,
                   const String& Caption, int Top) {
  auto* button = PlaceNamed<TBitBtn>(Form, Parent, Name, Rect(0, Top, 77, Top + 27));
  button->SetKind(Kind);
  button->SetCaption(Caption);
  return button;
}

} // namespace

TfmUpdateCookie::TfmUpdateCookie(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmUpdateCookie");
  SetCaption("##UpdateCookie");
  SetPosition(poScreenCenter);
  SetLinguaDialogFont(this);
  SetBounds(0, 0, 396, 206);
  Panel1 = AddPanel(this, "Panel1", alRight);
  Panel1->SetWidth(84);
  OKBtn = AddButton(this, Panel1, "OKBtn", bkOK, "##&OK", 8);
  CancelBtn = AddButton(this, Panel1, "CancelBtn", bkCancel, "##&Cancel", 40);
  HelpBtn = AddButton(this, Panel1, "HelpBtn", bkHelp, "##&Help", 72);
  Panel2 = AddPanel(this, "Panel2", alClient);
  Panel2->SetBorderWidth(10);
  sbxProperties = new TScrollBox(this);
  sbxProperties->SetName("sbxProperties");
  sbxProperties->SetAlign(alClient);
  sbxProperties->SetParent(Panel2);
}

TCheckBox* TfmUpdateCookie::AddPropertyCheck(const String& Caption) {
  auto* check = new TCheckBox(this);
  check->SetName("Check" + IntToStr(static_cast<int>(FChecks.size()) + 1));
  const int top = 4 + static_cast<int>(FChecks.size()) * CheckSpacing;
  check->SetBounds(4, top, 24 + 7 * static_cast<int>(Caption.size()), CheckHeight);
  check->SetCaption(Caption);
  check->SetParent(sbxProperties);
  FChecks.push_back(check);
  return check;
}
