#include "valueentry/Lumvaled.h"

#include "core/Lumherk.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Image.h"
#include "framework/db/DBCtrls.h"
#include "framework/rtl/Checked.h"
#include "framework/rtl/FormatFloat.h"
#include "framework/rtl/Maths.h"
#include "framework/rtl/Strings.h"

#include <cmath>
#include <cstdint>
#include <limits>

using namespace Lumherk;

namespace {

const bool ValidateEditRegistered =
    (RegisterClass<TLumValidateEdit, TLumExtValEdit, TLumDBExtValEdit>(), true);

TValidChars CharsOf(const char* Chars) {
  TValidChars set;
  for (const char* c = Chars; *c; ++c) set.set(static_cast<unsigned char>(*c));
  return set;
}

bool IsSign(char C) { return C == '+' || C == '-'; }
bool IsExponentMark(char C) { return C == 'E' || C == 'e'; }

// Bounds this far from 0 round within 64 bits.
bool RoundsToInt64(double Value) { return std::fabs(Value) < 9.2e18; }

// Rounded to the nearest whole number, ties to even; bounds beyond 64 bits in plain digits.
String WholeNumberText(double Value) {
  return RoundsToInt64(Value) ? IntToStr(Round(Value)) : S_N(Value, 1, 0);
}

String HexNumberText(double Value) {
  const Int64 whole = RoundsToInt64(Value) ? Round(Value)
                      : Value < 0          ? std::numeric_limits<Int64>::min()
                                           : std::numeric_limits<Int64>::max();
  return IntToHex(whole, 10);
}

String DecimalNumberText(double Value) { return S_N(Value, 5, 2); }

// The error texts by kind of entry: German, then English.
struct TRangeErrorTexts {
  const char* German;
  const char* English;
};

TRangeErrorTexts RangeErrorTexts(TValEditTyp Kind) {
  switch (Kind) {
  case etBin:
    return {"Ungültige Binärzahl! Erwartet: ", "Invalid binary number! Expects: "};
  case etDouble:
  case etExponent:
    return {"Ungültige Dezimalzahl! Erwartet: ", "Invalid decimal number! Expects: "};
  case etFilter:
    return {"Ungültige Zeichenkombination! Erwartet: ", "Invalid entry! Expects: "};
  case etHex:
    return {"Ungültige Hexadezimalzahl! Erwartet: ", "Invalid hexadecimal number! Expects: "};
  case etLongInt:
    return {"Ungültige Ganzzahl! Erwartet: ", "Invalid number! Expects: "};
  case etString:
    break;
  }
  return {"", ""};
}

} // namespace

TValidChars ValidCharsOf(TValEditTyp Kind) {
  switch (Kind) {
  case etBin:
    return CharsOf("01");
  case etDouble:
    return CharsOf("+,-.0123456789");
  case etExponent:
    return CharsOf("+-.0123456789Ee");
  case etHex:
    return CharsOf("0123456789ABCDEFabcdef");
  case etLongInt:
    return CharsOf("+-0123456789");
  case etFilter:
  case etString:
    break;
  }
  return TValidChars().set();
}

TFilterValidator::TFilterValidator() { FValidChars.set(); }

bool TFilterValidator::IsValid(const String& S) const {
  for (const char c : S)
    if (!FValidChars.test(static_cast<unsigned char>(c))) return false;
  return true;
}

bool TFilterValidator::IsValidInput(String& S) const {
  const bool numberRules = FValEditTyp != etFilter && FValEditTyp != etString;
  bool result = true;
  bool removed = false;
  int points = 0;
  for (std::size_t i = S.size(); i-- > 0;) {
    if (!FValidChars.test(static_cast<unsigned char>(S[i]))) {
      S.erase(i, 1);
      result = false;
      removed = true;
      continue;
    }
    if (!numberRules) continue;
    if (S[i] == ',') S[i] = '.';
    if (removed) continue;
    if (S[i] == '.' && ++points > 1) {
      S.erase(i, 1);
      removed = true;
    } else if (IsSign(S[i]) && i > 0 && !IsExponentMark(S[i - 1])) {
      S.erase(i, 1);
    }
  }
  return result;
}

void TFilterValidator::SetValidChars(const TValidChars& AValidChars) { FValidChars = AValidChars; }

void TFilterValidator::SetValEditTyp(TValEditTyp AValEditTyp) { FValEditTyp = AValEditTyp; }

bool TFilterValidator::Valid(const String& S) const { return IsValid(S); }

TLumValidateEdit::TLumValidateEdit(TComponent* AOwner)
    : TLumValidateEdit(AOwner, TInnerControls::Plain) {}

TLumValidateEdit::TLumValidateEdit(TComponent* AOwner, TInnerControls Inner)
    : TCustomPanel(AOwner) {
  if (auto* parent = dynamic_cast<TWinControl*>(AOwner)) SetParent(parent);
  FValidator = std::make_unique<TFilterValidator>();
  CreateInnerControls(Inner);
  FComboBox->SetVisible(false);
  FComboBox->SetParent(this);
  FEdit->SetParent(this);
  FComboBox->SetAlign(alClient);
  FEdit->SetAlign(alClient);
  FFilter = std::make_unique<TStringList>();
  FFilter->SetOnChange([this](TObject* Sender) { FilterChange(Sender); });
  SetBounds(FLeft, FTop, 121, 21);
  SetBevelInner(bvNone);
  SetBevelOuter(bvNone);
  SetEditColor(clWindow);
  SetFEnabled(true);
  FLayoutReady = true;
  Berechne_Groesse();
}

// The inner controls go after this part of the object: nothing of theirs may call back in.
TLumValidateEdit::~TLumValidateEdit() {
  FFilter->SetOnChange(nullptr);
  for (TWinControl* inner :
       {static_cast<TWinControl*>(FEdit), static_cast<TWinControl*>(FComboBox)}) {
    inner->SetOnEnter(nullptr);
    inner->SetOnExit(nullptr);
  }
  FEdit->SetOnChange(nullptr);
  FComboBox->SetOnChange(nullptr);
}

void TLumValidateEdit::CreateInnerControls(TInnerControls Inner) {
  if (Inner == TInnerControls::DataAware) {
    FComboBox = new TDBComboBox(this);
    FEdit = new TDBEdit(this);
  } else {
    FComboBox = new TComboBox(this);
    FEdit = new TEdit(this);
  }
  FComboBox->SetOnChange([this](TObject* Sender) { EditChange(Sender); });
  FEdit->SetOnChange([this](TObject* Sender) { EditChange(Sender); });
  ConnectEvents(FComboBox);
  ConnectEvents(FEdit);
  ConnectEditEvents();
}

// Click, drag, focus and key events of an inner control reach the control's own handlers,
// with the control as sender.
void TLumValidateEdit::ConnectEvents(TControl* Inner) {
  Inner->SetOnClick([this](TObject*) {
    if (FOnClick) FOnClick(this);
  });
  Inner->SetOnDblClick([this](TObject*) {
    if (FOnDblClick) FOnDblClick(this);
  });
  Inner->SetOnDragDrop([this](TObject*, TObject* Source, int X, int Y) {
    if (FOnDragDrop) FOnDragDrop(this, Source, X, Y);
  });
  Inner->SetOnDragOver(
      [this](TObject*, TObject* Source, int X, int Y, TDragState State, bool& Accept) {
        if (FOnDragOver) FOnDragOver(this, Source, X, Y, State, Accept);
      });
  Inner->SetOnEndDrag([this](TObject*, TObject* Target, int X, int Y) {
    if (FOnEndDrag) FOnEndDrag(this, Target, X, Y);
  });
  Inner->SetOnStartDrag([this](TObject*, TDragObject*& DragObject) {
    if (FOnStartDrag) FOnStartDrag(this, DragObject);
  });
  auto* windowed = static_cast<TWinControl*>(Inner);
  windowed->SetOnEnter([this](TObject*) {
    if (OnEnter()) OnEnter()(this);
  });
  windowed->SetOnExit([this](TObject*) {
    if (OnExit()) OnExit()(this);
  });
  windowed->SetOnKeyDown([this](TObject*, Word& Key, TShiftState Shift) {
    if (OnKeyDown()) OnKeyDown()(this, Key, Shift);
  });
  windowed->SetOnKeyPress([this](TObject*, char& Key) {
    if (OnKeyPress()) OnKeyPress()(this, Key);
  });
  windowed->SetOnKeyUp([this](TObject*, Word& Key, TShiftState Shift) {
    if (OnKeyUp()) OnKeyUp()(this, Key, Shift);
  });
}

void TLumValidateEdit::ConnectEditEvents() {
  FEdit->SetOnMouseDown([this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
  });
  FEdit->SetOnMouseMove([this](TObject*, TShiftState Shift, int X, int Y) {
    if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
  });
  FEdit->SetOnMouseUp([this](TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
  });
}

void TLumValidateEdit::Berechne_Groesse() {
  FComboBox->SetBounds(0, 0, FWidth, FHeight);
  FEdit->SetBounds(0, 0, FWidth, FHeight);
  SetCaption("");
}

void TLumValidateEdit::WMSize(TMessage& Message) {
  TCustomPanel::WMSize(Message);
  if (FLayoutReady) Berechne_Groesse();
}

void TLumValidateEdit::Loaded() {
  TCustomPanel::Loaded();
  SetCaption("");
}

void TLumValidateEdit::EditChange(TObject* Sender) {
  const int caret = FEdit->SelStart();
  String text = GetEditText();
  if (!FValidator->IsValidInput(text) && FValidateMessage && !Designing()) Error(0);
  SetEditText(text);
  FEdit->SetSelStart(std::min(caret, static_cast<int>(text.size())));
  if (FOnChange) FOnChange(Sender);
}

void TLumValidateEdit::FilterChange(TObject*) {
  const String remembered = GetEditText();
  FComboBox->Items()->Assign(FFilter.get());
  int index = FComboBox->Items()->IndexOf(remembered);
  if (index < 0 && FComboBox->Items()->Count() > 0) index = 0;
  if (index >= 0) FComboBox->SetItemIndex(index);
}

void TLumValidateEdit::SetValEditTyp(TValEditTyp Value) {
  if (FValEditTyp == Value) return;
  FValEditTyp = Value;
  FValidator->SetValEditTyp(Value);
  FValidator->SetValidChars(ValidCharsOf(Value));
  if (!FValidator->IsValid(GetEditText())) FEdit->SetText("0");
  FComboBox->SetVisible(Value == etFilter);
  FEdit->SetVisible(Value != etFilter);
  BindVisibleControl();
}

void TLumValidateEdit::BindVisibleControl() {
  auto* edit = dynamic_cast<TDBEdit*>(FEdit);
  auto* combo = dynamic_cast<TDBComboBox*>(FComboBox);
  if (!edit || !combo) return;
  const bool list = FValEditTyp == etFilter;
  edit->SetDataField(list ? String() : FDataField);
  combo->SetDataField(list ? FDataField : String());
}

void TLumValidateEdit::SetNK(Integer Value) {
  if (Value >= 0) FNK = Value;
}

bool TLumValidateEdit::IsValid() { return FValidator->IsValid(GetEditText()); }

double TLumValidateEdit::FloatOfKind(TValEditTyp Kind) const {
  double value = 0;
  if (FValEditTyp != Kind || !TryStrToFloat(FEdit->Text(), value)) return 0;
  return value;
}

double TLumValidateEdit::GetDouble() { return FloatOfKind(etDouble); }

double TLumValidateEdit::GetExponent() { return FloatOfKind(etExponent); }

Integer TLumValidateEdit::GetLongInt() {
  Integer value = 0;
  if (FValEditTyp != etLongInt || !TryStrToInt(FEdit->Text(), value)) return 0;
  return value;
}

Integer TLumValidateEdit::GetHex() {
  if (FValEditTyp != etHex) return 0;
  std::uint32_t value = 0;
  for (const char c : Leftpad(Grossgeschrieben(FEdit->Text()), 8)) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') digit = static_cast<std::uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') digit = static_cast<std::uint32_t>(c - 'A' + 10);
    value = value * 16 + digit;
  }
  return static_cast<Integer>(value);
}

// Each digit keeps its place value; beyond 32 digits the higher ones fall out of the word.
Integer TLumValidateEdit::GetBin() {
  if (FValEditTyp != etBin) return 0;
  std::uint32_t value = 0;
  for (const char c : Grossgeschrieben(FEdit->Text())) value = (value << 1) | (c == '1' ? 1u : 0u);
  return static_cast<Integer>(value);
}

void TLumValidateEdit::SetDouble(double Value) {
  FEdit->SetText(S_N(Value, 1, RangeChecked<Word>(FNK)));
}

void TLumValidateEdit::SetExponent(double Value) {
  const String decimals = FNK > 0 ? "." + String(static_cast<std::size_t>(FNK), '0') : "";
  FEdit->SetText(FormatFloat("0" + decimals + "E+00", Value));
}

void TLumValidateEdit::SetLongInt(Integer Value) { FEdit->SetText(Str_Number(Value)); }

void TLumValidateEdit::SetHex(Integer Value) {
  FEdit->SetText(NoNull(IntToHex(static_cast<Int64>(static_cast<std::uint32_t>(Value)), 8)));
}

void TLumValidateEdit::SetBin(Integer Value) {
  auto bits = static_cast<std::uint32_t>(Value);
  String digits;
  do {
    digits.insert(digits.begin(), (bits & 1u) ? '1' : '0');
    bits >>= 1;
  } while (bits != 0);
  FEdit->SetText(digits);
}

double TLumValidateEdit::ValueOfKind() {
  switch (FValEditTyp) {
  case etBin:
    return GetBin();
  case etDouble:
    return GetDouble();
  case etExponent:
    return GetExponent();
  case etHex:
    return GetHex();
  case etLongInt:
    return GetLongInt();
  case etFilter:
  case etString:
    break;
  }
  return 0;
}

void TLumValidateEdit::DoExit() {
  bool valid = IsValid();
  if (!valid && FValidateMessage && !Designing()) {
    Error(0);
  } else if (FValidate) {
    if (FValEditTyp == etFilter) {
      valid = FFilter->IndexOf(FComboBox->Text()) >= 0;
    } else if (FValEditTyp == etString) {
      valid = true;
    } else {
      const double value = ValueOfKind();
      valid = FMinValue <= value && value <= FMaxValue;
      if (NoBlank(FEdit->Text()).empty()) FEdit->SetText("0");
    }
    if (!valid) Error(1);
  }
  if (!valid) return SetFocus();
  if (FOnValidExit) FOnValidExit(this);
  TCustomPanel::DoExit();
}

String TLumValidateEdit::RangeText() const {
  switch (FValEditTyp) {
  case etBin:
  case etLongInt:
    return WholeNumberText(FMinValue) + " ... " + WholeNumberText(FMaxValue);
  case etDouble:
  case etExponent:
    return DecimalNumberText(FMinValue) + " ... " + DecimalNumberText(FMaxValue);
  case etHex:
    return HexNumberText(FMinValue) + " ... " + HexNumberText(FMaxValue);
  case etFilter:
    return FilterEntriesText();
  case etString:
    break;
  }
  return "";
}

String TLumValidateEdit::FilterEntriesText() const {
  if (FFilter->Count() == 0) return "???";
  String text = FFilter->Strings(0);
  for (Integer i = 1; i < FFilter->Count(); ++i) text += ", " + FFilter->Strings(i);
  return text;
}

String TLumValidateEdit::ErrorText(Integer ErrorIndex, bool German) const {
  const String prefix = German ? "Eingabefehler! " : "Input-mistakes! ";
  if (ErrorIndex == 0)
    return prefix + (German ? "Ungültige Zeicheneingabe!" : "Invalid character!");
  const TRangeErrorTexts texts = RangeErrorTexts(FValEditTyp);
  return prefix + (German ? texts.German : texts.English) + RangeText();
}

void TLumValidateEdit::Error(Integer ErrorIndex) {
  TLumValidateEditErrorAction action = lveaGerman;
  if (FOnValidateError) FOnValidateError(this, ErrorIndex, action);
  if (action == lveaNothing) return;
  MessageDlg(ErrorText(ErrorIndex, action == lveaGerman), mtWarning, TMsgDlgButtons{mbOK}, 0);
}

void TLumValidateEdit::SetFocus() {
  if (FValEditTyp == etFilter)
    FComboBox->SetFocus();
  else
    FEdit->SetFocus();
}

void TLumValidateEdit::SelectAll() {
  if (FValEditTyp == etFilter)
    FComboBox->SelectAll();
  else
    FEdit->SelectAll();
}

void TLumValidateEdit::ClearSelection() { FEdit->ClearSelection(); }

void TLumValidateEdit::SetCharCase(TEditCharCase Value) {
  FEdit->SetCharCase(Value);
  FComboBox->SetCharCase(Value);
}

void TLumValidateEdit::SetCursor(TCursor Value) {
  TControl::SetCursor(Value);
  FEdit->SetCursor(Value);
  FComboBox->SetCursor(Value);
}

void TLumValidateEdit::SetDragCursor(TCursor Value) {
  TControl::SetDragCursor(Value);
  FEdit->SetDragCursor(Value);
  FComboBox->SetDragCursor(Value);
}

void TLumValidateEdit::SetDragMode(TDragMode Value) {
  TControl::SetDragMode(Value);
  FEdit->SetDragMode(Value);
  FComboBox->SetDragMode(Value);
}

void TLumValidateEdit::SetEditColor(TColor Value) {
  FEdit->SetColor(Value);
  FComboBox->SetColor(Value);
}

void TLumValidateEdit::SetFEnabled(bool Value) {
  FFEnabled = Value;
  FEdit->SetEnabled(Value);
  FComboBox->SetEnabled(Value);
}

void TLumValidateEdit::SetMaxLength(Integer Value) {
  FEdit->SetMaxLength(Value);
  FComboBox->SetMaxLength(Value);
}

void TLumValidateEdit::SetReadOnly(bool Value) {
  FEdit->SetReadOnly(Value);
  FComboBox->SetStyle(Value ? csDropDownList : csDropDown);
}

void TLumValidateEdit::SetSelStart(Integer Value) {
  FEdit->SetSelStart(Value);
  FComboBox->SetSelStart(Value);
}

void TLumValidateEdit::SetSelLength(Integer Value) {
  FEdit->SetSelLength(Value);
  FComboBox->SetSelLength(Value);
}

String TLumValidateEdit::GetSelText() const {
  return FValEditTyp == etFilter ? FComboBox->SelText() : FEdit->SelText();
}

void TLumValidateEdit::SetSelText(const String& Value) {
  FEdit->SetSelText(Value);
  FComboBox->SetSelText(Value);
}

void TLumValidateEdit::SetTabStop(bool Value) {
  FInnerTabStop = Value;
  FEdit->SetTabStop(Value);
  FComboBox->SetTabStop(Value);
}

String TLumValidateEdit::GetEditText() const {
  return FValEditTyp == etFilter ? FComboBox->Text() : FEdit->Text();
}

void TLumValidateEdit::SetEditText(const String& Value) {
  FEdit->SetText(Value);
  FComboBox->SetText(Value);
}

TLumExtValEdit::TLumExtValEdit(TComponent* AOwner)
    : TLumExtValEdit(AOwner, TInnerControls::Plain) {}

TLumExtValEdit::TLumExtValEdit(TComponent* AOwner, TInnerControls Inner)
    : TLumValidateEdit(AOwner, Inner) {
  FEdit->SetAlign(alNone);
  FComboBox->SetAlign(alNone);
  BuildFrame();
  SetBounds(FLeft, FTop, 144, 40);
  SetBevelOuter(bvLowered);
  SetBevelInner(bvRaised);
  FUnitPanel->SetBevelOuter(bvLowered);
  FUnitPanel->SetBevelInner(bvRaised);
  FHeaderFont->Assign(FHeaderLabel->Font());
  FUnitFont->Assign(FUnitPanel->Font());
  FHeaderFont->SetOnChange([this](TObject*) { FHeaderLabel->SetFont(FHeaderFont.get()); });
  FUnitFont->SetOnChange([this](TObject*) { FUnitPanel->SetFont(FUnitFont.get()); });
  FExtLayoutReady = true;
  Berechne_Groesse();
  FPictureHeader->Bitmap()->LoadFromResourceName(nullptr, "LumExtValEdit1");
  FPictureRange->Bitmap()->LoadFromResourceName(nullptr, "LumExtValEdit2");
  FPictureHeader->SetOnChange([this](TObject* Sender) { PictureChange(Sender); });
  FPictureRange->SetOnChange([this](TObject* Sender) { PictureChange(Sender); });
  PictureChange(this);
}

TLumExtValEdit::~TLumExtValEdit() {
  FHeaderFont->SetOnChange(nullptr);
  FUnitFont->SetOnChange(nullptr);
  FPictureHeader->SetOnChange(nullptr);
  FPictureRange->SetOnChange(nullptr);
}

void TLumExtValEdit::BuildFrame() {
  FHeaderLabel = new TLabel(this);
  FHeaderLabel->SetTransparent(true);
  FHeaderLabel->SetWordWrap(true);
  FHeaderLabel->SetAutoSize(false);
  FHeaderLabel->SetFocusControl(FEdit);
  FHeaderLabel->SetParent(this);
  FUnitPanel = new TPanel(this);
  FUnitPanel->SetParent(this);
  FPicture = new TImage(this);
  FPicture->SetCursor(crHandPoint);
  FPicture->SetStretch(true);
  FPicture->SetOnMouseDown([this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                  int Y) { PictureMouseDown(Sender, Button, Shift, X, Y); });
  FPicture->SetParent(this);
  FHeaderFont = std::make_unique<TFont>();
  FUnitFont = std::make_unique<TFont>();
  FPictureHeader = std::make_unique<TPicture>();
  FPictureRange = std::make_unique<TPicture>();
}

int TLumExtValEdit::FrameSize() const {
  return BorderWidth() + BevelWidth() + (BorderStyle() == bsSingle ? 1 : 0);
}

// A negative unit width counts as none, so the entry line never reaches past the right edge.
void TLumExtValEdit::Berechne_Groesse() {
  if (!FExtLayoutReady) return;
  const int w = FWidth, h = FHeight, e = FEditHeight, b = FrameSize();
  const int u = std::max(FUnitWidth, 0);
  FComboBox->SetBounds(b + 1, h - e - b - 1, w - u - 2 * b - 2, e);
  FEdit->SetBounds(b + 1, h - e - b - 1, w - u - 2 * b - 2, e);
  FHeaderLabel->SetCaption(FHeader);
  FHeaderLabel->SetBounds(b + 3, b + 1, w - 2 - (FPictures ? u + 2 * b : 0), h - e - 2 * b - 2);
  FUnitPanel->SetCaption(FUnitValue);
  FUnitPanel->SetVisible(FUnitWidth > 0);
  FUnitPanel->SetBounds(w - b - FUnitWidth - 1, h - e - b - 1, FUnitWidth, e);
  PlacePicture(b);
  SetCaption("");
}

void TLumExtValEdit::PlacePicture(int Frame) {
  FPicture->SetVisible(FPictures);
  if (!FPictures && ComponentState().Contains(csDesigning)) {
    FPicture->SetBounds(0, 0, 0, 0);
    return;
  }
  const int side = FHeight - FEditHeight - 2 * Frame - 3;
  if (FUnitWidth > 2) {
    const int fitted = std::min(FUnitWidth - 2, side);
    FPicture->SetBounds(FWidth - Frame - FUnitWidth - 1, Frame + 2, fitted, fitted);
  } else {
    FPicture->SetBounds(FWidth - Frame - side - 3, Frame + 2, side, side);
  }
}

void TLumExtValEdit::Loaded() {
  TLumValidateEdit::Loaded();
  PictureChange(this);
}

void TLumExtValEdit::PictureChange(TObject*) {
  FPicture->Picture()->Assign(FRangeShown ? FPictureRange.get() : FPictureHeader.get());
}

void TLumExtValEdit::PictureMouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  ToggleRange();
}

void TLumExtValEdit::ToggleRange() {
  FRangeShown = !FRangeShown;
  FHeaderLabel->SetCaption(FRangeShown ? RangeDisplayText() : FHeader);
  PictureChange(this);
  SetFocus();
}

String TLumExtValEdit::RangeDisplayText() const {
  if (ValEditTyp() == etString) return "";
  return RangeText() + " " + FUnitValue;
}

void TLumExtValEdit::ShowHeader() {
  FRangeShown = false;
  FHeaderLabel->SetCaption(FHeader);
  PictureChange(this);
}

void TLumExtValEdit::DoExit() {
  TLumValidateEdit::DoExit();
  if (FRangeShown) ShowHeader();
}

void TLumExtValEdit::Wertebereich_zeigen() {
  DoExit();
  ToggleRange();
}

void TLumExtValEdit::SetHeader(const String& Value) {
  const String trimmed = NoBlank(Value);
  if (trimmed == FHeader) return;
  FHeader = trimmed;
  if (FHeader2Hint) SetHint(FHeader);
  Berechne_Groesse();
}

void TLumExtValEdit::SetHeader2Hint(bool Value) {
  FHeader2Hint = Value;
  if (Value) SetHint(FHeader);
}

void TLumExtValEdit::SetUnitValue(const String& Value) {
  const String trimmed = NoBlank(Value);
  if (trimmed == FUnitValue) return;
  FUnitValue = trimmed;
  Berechne_Groesse();
}

void TLumExtValEdit::SetUnitWidth(Integer Value) {
  if (Value == FUnitWidth) return;
  FUnitWidth = Value;
  Berechne_Groesse();
}

void TLumExtValEdit::SetPictures(bool Value) {
  if (Value == FPictures) return;
  FPictures = Value;
  Berechne_Groesse();
}

void TLumExtValEdit::SetEditHeight(Integer Value) {
  if (Value == FEditHeight) return;
  FEditHeight = Value;
  Berechne_Groesse();
}

void TLumExtValEdit::SetUnitBevelInner(TPanelBevel Value) { FUnitPanel->SetBevelInner(Value); }

TPanelBevel TLumExtValEdit::GetUnitBevelInner() const { return FUnitPanel->BevelInner(); }

void TLumExtValEdit::SetUnitBevelOuter(TPanelBevel Value) { FUnitPanel->SetBevelOuter(Value); }

TPanelBevel TLumExtValEdit::GetUnitBevelOuter() const { return FUnitPanel->BevelOuter(); }

void TLumExtValEdit::SetHeaderFont(TFont* Value) { FHeaderFont->Assign(Value); }

void TLumExtValEdit::SetUnitFont(TFont* Value) { FUnitFont->Assign(Value); }

void TLumExtValEdit::SetUnitPanelColor(TColor Value) { FUnitPanel->SetColor(Value); }

TColor TLumExtValEdit::GetUnitPanelColor() const { return FUnitPanel->Color(); }

void TLumExtValEdit::SetPictureHeader(TPicture* Value) { FPictureHeader->Assign(Value); }

void TLumExtValEdit::SetPictureRange(TPicture* Value) { FPictureRange->Assign(Value); }

void TLumExtValEdit::SetFEnabled(bool Value) {
  TLumValidateEdit::SetFEnabled(Value);
  if (FPicture) FPicture->SetEnabled(Value);
}

TLumDBExtValEdit::TLumDBExtValEdit(TComponent* AOwner)
    : TLumExtValEdit(AOwner, TInnerControls::DataAware) {}

TField* TLumDBExtValEdit::GetField() const {
  if (FEdit->Visible()) return static_cast<TDBEdit*>(FEdit)->Field();
  return static_cast<TDBComboBox*>(FComboBox)->Field();
}

TDataSource* TLumDBExtValEdit::GetDataSource() const {
  return static_cast<TDBEdit*>(FEdit)->DataSource();
}

void TLumDBExtValEdit::SetDataSource(TDataSource* Value) {
  static_cast<TDBEdit*>(FEdit)->SetDataSource(Value);
  static_cast<TDBComboBox*>(FComboBox)->SetDataSource(Value);
}

void TLumDBExtValEdit::SetDataField(const String& Value) {
  if (Value == FDataField) return;
  FDataField = Value;
  BindVisibleControl();
}

void TLumDBExtValEdit::SetMaxLength(Integer Value) { FEdit->SetMaxLength(Value); }

bool TLumDBExtValEdit::GetReadOnly() const { return static_cast<TDBEdit*>(FEdit)->ReadOnly(); }

void TLumDBExtValEdit::SetReadOnly(bool Value) {
  static_cast<TDBEdit*>(FEdit)->SetReadOnly(Value);
  FComboBox->SetStyle(Value ? csDropDownList : csDropDown);
}
