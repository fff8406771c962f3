#include "displays/LumDigitEditor.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/rtl/DateTime.h"
#include "lists/LumList.h"

#include <algorithm>
#include <memory>

namespace {

const bool FensterRegistered = (RegisterClass<TLumDigitFenster>(), true);

constexpr int WindowWidth = 396, WindowHeight = 204, PanelHeight = 41;
constexpr Cardinal ClockInterval = 100;
constexpr int BuiltInStrips = 4;
constexpr const char* WindowCaption = "LumDigit Editor";

struct TFormDeleter {
  void operator()(TCustomForm* Form) const { Form->Free(); }
};

bool ShowsDateOrTime(TDigitStyle Style) { return Style == dsDate || Style == dsTime; }

TButton* AddButton(TCustomForm* Form, TWinControl* Parent, const String& Name,
                   const String& Caption, TModalResult Result, int Top) {
  auto* button = PlaceNamed<TButton>(Form, Parent, Name, Bounds(310, Top, 75, 25));
  button->SetCaption(Caption);
  button->SetModalResult(Result);
  return button;
}

} // namespace

void TransferDigitSettings(TLumDigit* From, TLumDigit* To) {
  To->SetDigitBitmap(From->DigitBitmap());
  To->SetDigitCount(From->DigitCount());
  To->SetDecimals(From->Decimals());
  To->SetValue(From->Value());
  To->SetDigitStyle(From->DigitStyle());
  To->SetDigitScrolling(From->DigitScrolling());
}

void AcceptDigitSettings(TLumDigit* Preview, TLumDigit* Digit) {
  Digit->SetDigitBitmap(Preview->DigitBitmap());
  Digit->SetDigitCount(Preview->DigitCount());
  Digit->SetDecimals(Preview->Decimals());
  if (!ShowsDateOrTime(Preview->DigitStyle())) Digit->SetValue(Preview->Value());
  Digit->SetDigitStyle(Preview->DigitStyle());
  Digit->SetDigitScrolling(Preview->DigitScrolling());
}

String DigitVerbCaption(TLumDigit* Digit) {
  const String owner = Digit->Owner() ? Digit->Owner()->Name() : String();
  return owner + "." + Digit->Name() + " - " + WindowCaption;
}

bool EditDigit(TLumDigit* Digit, const String& Caption) {
  std::unique_ptr<TLumDigitFenster, TFormDeleter> window(
      CreateForm<TLumDigitFenster>(Application()));
  if (!Caption.empty()) window->SetCaption(Caption);
  TransferDigitSettings(Digit, window->Preview());
  if (window->ShowModal() != mrOk) return false;
  AcceptDigitSettings(window->Preview(), Digit);
  return true;
}

TLumDigitFenster::TLumDigitFenster(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, WindowCaption, WindowWidth, WindowHeight);
  FDigitPanel =
      PlaceNamed<TPanel>(this, this, "DigitPanel", Bounds(0, 0, WindowWidth, PanelHeight));
  FDigitPanel->SetAlign(alTop);
  FDigitPanel->SetCaption("");
  FPreview = new TLumDigit(this);
  FPreview->SetName("Preview");
  FPreview->SetLeft(10);
  FPreview->SetTop(10);
  FPreview->SetParent(FDigitPanel);
  auto* settings = PlaceNamed<TPanel>(
      this, this, "SettingsPanel", Bounds(0, PanelHeight, WindowWidth, WindowHeight - PanelHeight));
  settings->SetAlign(alClient);
  settings->SetBevelOuter(bvNone);
  settings->SetCaption("");
  BuildStrips(settings);
  BuildSettings(settings);
  FTimer1 = new TTimer(this);
  FTimer1->SetName("Timer1");
  FTimer1->SetEnabled(false);
  FTimer1->SetInterval(ClockInterval);
  FTimer1->SetOnTimer([this](TObject*) { FPreview->SetValue(VarFromDateTime(Time())); });
}

void TLumDigitFenster::BuildStrips(TWinControl* Parent) {
  FDBListe = PlaceNamed<TLumList>(this, Parent, "DBListe", Bounds(8, 24, 377, 57));
  FDBListe->Font()->SetHeight(-16);
  FDBListe->SetBitmapStyle(LumList::bsRight);
  FDBListe->SetItemHeightStyle(LumList::ihBitmap);
  AddDialogLabel(this, Parent, "DigitBitmap", 8, 8, FDBListe);
  for (int i = 1; i <= BuiltInStrips; ++i) {
    const String number = std::to_string(i);
    TBitmap strip;
    strip.LoadFromResourceName(nullptr, "LumDigitBitmap" + number);
    const Integer index = FDBListe->Items()->Add("Standard " + number);
    FDBListe->Items()->SetBitmap(index, &strip);
  }
  FDBListe->SetOnClick([this](TObject*) { ChooseStrip(); });
}

TSpinEdit* TLumDigitFenster::AddSpin(TWinControl* Parent, const String& Name, int Left, int Max) {
  auto* spin = PlaceNamed<TSpinEdit>(this, Parent, Name, Bounds(Left, 108, 65, 22));
  spin->SetMinValue(0);
  spin->SetMaxValue(Max);
  AddDialogLabel(this, Parent, Name, Left, 92, spin);
  return spin;
}

void TLumDigitFenster::BuildSettings(TWinControl* Parent) {
  FDigitStyle = PlaceNamed<TRadioGroup>(this, Parent, "DigitStyle", Bounds(8, 88, 73, 73));
  FDigitStyle->SetCaption("DigitStyle");
  for (const char* item : {"Integer", "Double", "Date", "Time"}) FDigitStyle->Items()->Add(item);
  FDigitStyle->SetOnClick([this](TObject*) {
    if (FLoading || FDigitStyle->ItemIndex() < 0) return;
    ChooseStyle(static_cast<TDigitStyle>(FDigitStyle->ItemIndex()));
  });

  // A typed number outside a spin edit's range counts as the nearest end of it.
  auto spinValue = [](TSpinEdit* Spin) {
    return static_cast<Byte>(std::clamp(Spin->Value(), Spin->MinValue(), Spin->MaxValue()));
  };
  FDigitCount = AddSpin(Parent, "DigitCount", 96, MaxDigitPositions);
  FDigitCount->SetOnChange([this, spinValue](TObject*) {
    if (!FLoading) FPreview->SetDigitCount(spinValue(FDigitCount));
  });
  FDecimals = AddSpin(Parent, "Decimals", 176, 10);
  FDecimals->SetOnChange([this, spinValue](TObject*) {
    if (!FLoading) FPreview->SetDecimals(spinValue(FDecimals));
  });

  FDigitScrolling = PlaceNamed<TCheckBox>(this, Parent, "DigitScrolling", Bounds(96, 140, 110, 17));
  FDigitScrolling->SetCaption("DigitScrolling");
  FDigitScrolling->SetOnClick([this](TObject*) {
    if (!FLoading) FPreview->SetDigitScrolling(FDigitScrolling->Checked());
  });

  AddButton(this, Parent, "AcceptButton", "&Accept", mrOk, 100)->SetDefault(true);
  AddButton(this, Parent, "CancelButton", "&Cancel", mrCancel, 132)->SetCancel(true);
}

void TLumDigitFenster::DoShow() {
  AddOwnerStrip();
  FKeptValue = ShowsDateOrTime(FPreview->DigitStyle()) ? Variant(Integer(0)) : FPreview->Value();
  if (FPreview->DigitStyle() == dsDate) ShowToday();
  if (FPreview->DigitStyle() == dsTime) FTimer1->SetEnabled(true);
  LoadControls();
  TForm::DoShow();
}

void TLumDigitFenster::AddOwnerStrip() {
  TBitmap strip;
  if (auto* bitmap = dynamic_cast<TBitmap*>(FPreview->DigitBitmap()->Graphic()))
    strip.Assign(bitmap);
  const Integer index = FDBListe->Items()->Add("Owner");
  FDBListe->Items()->SetBitmap(index, &strip);
  FDBListe->SetItemIndex(index);
}

void TLumDigitFenster::LoadControls() {
  FLoading = true;
  FDigitStyle->SetItemIndex(static_cast<int>(FPreview->DigitStyle()));
  FDigitCount->SetValue(FPreview->DigitCount());
  FDecimals->SetValue(FPreview->Decimals());
  FDigitScrolling->SetChecked(FPreview->DigitScrolling());
  FLoading = false;
}

void TLumDigitFenster::ChooseStrip() {
  const int index = FDBListe->ItemIndex();
  if (index < 0) return;
  FPreview->DigitBitmap()->Assign(FDBListe->Items()->GetBitmap(index));
}

void TLumDigitFenster::ChooseStyle(TDigitStyle Style) {
  FTimer1->SetEnabled(false);
  FPreview->SetValue(FKeptValue);
  FPreview->SetDigitStyle(Style);
  if (Style == dsDate) ShowToday();
  if (Style == dsTime) FTimer1->SetEnabled(true);
}

void TLumDigitFenster::ShowToday() { FPreview->SetValue(VarFromDateTime(Date())); }

void TLumDigitEditor::ExecuteVerb(int Index) {
  if (Index != 0) return;
  auto* digit = dynamic_cast<TLumDigit*>(Component());
  if (digit && EditDigit(digit, DigitVerbCaption(digit))) Designer().Modified();
}

String TLumDigitEditor::GetVerb(int Index) { return Index == 0 ? "&Edit LumDigit" : ""; }
