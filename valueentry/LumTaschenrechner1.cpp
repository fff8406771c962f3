#include "valueentry/LumTaschenrechner1.h"

#include "core/Lumherk.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Dialogs.h"
#include "framework/rtl/Checked.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Maths.h"
#include "framework/rtl/Strings.h"

#include <cmath>

using namespace Lumherk;
using namespace LumTaschenrechnerTexts;

namespace {

const bool TaschenrechnerRegistered = (RegisterClass<TTaschenrechner>(), true);

struct TKeyFace {
  const char* Name;
  const char* Caption;
  const char* Glyph;
};

// Per key: the button's name, its caption, or the resource of its picture.
constexpr TKeyFace KeyFaces[] = {
    {"Digit0Button", "0", ""},
    {"Digit1Button", "1", ""},
    {"Digit2Button", "2", ""},
    {"Digit3Button", "3", ""},
    {"Digit4Button", "4", ""},
    {"Digit5Button", "5", ""},
    {"Digit6Button", "6", ""},
    {"Digit7Button", "7", ""},
    {"Digit8Button", "8", ""},
    {"Digit9Button", "9", ""},
    {"PointButton", ".", ""},
    {"ExpButton", "EXP", ""},
    {"ClearButton", "C", ""},
    {"ClearAllButton", "AC", ""},
    {"TimesButton", "x", ""},
    {"DivideButton", "/", ""},
    {"PlusButton", "+", ""},
    {"MinusButton", "---", ""},
    {"EqualsButton", "=", ""},
    {"PowerButton", "", "LumCalcPower"},
    {"MemoryPlusButton", "", "LumCalcMPlus"},
    {"MemoryInButton", "Min", ""},
    {"MemoryRecallButton", "MR", ""},
    {"ModeButton", "MODE", ""},
    {"ShiftButton", "SHIFT", ""},
    {"BackButton", "", "LumCalcBack"},
    {"SignButton", "+/-", ""},
    {"RootButton", "", "LumCalcSqrt"},
    {"SquareButton", "x²", ""},
    {"LogButton", "", "LumCalcLog"},
    {"LnButton", "", "LumCalcLn"},
    {"ReciprocalButton", "1/x", ""},
    {"PiButton", "", "LumCalcPi"},
    {"HypButton", "hyp", ""},
    {"SinButton", "", "LumCalcSin"},
    {"CosButton", "", "LumCalcCos"},
    {"TanButton", "", "LumCalcTan"},
};
static_assert(std::size(KeyFaces) == static_cast<std::size_t>(TCalcKey::Tan) + 1);

constexpr const char* AboutText =
    "LumTools calculator\r\nChained operations with priorities, scientific functions, "
    "memory and a hexadecimal mode with logic operations.";

int DigitOf(TCalcKey Key) {
  const int k = static_cast<int>(Key);
  return k <= static_cast<int>(TCalcKey::Digit9) ? k : -1;
}

// The letters A to F of hexadecimal mode sit on the reciprocal, pi, hyp and trigonometric
// buttons.
int HexLetterOf(TCalcKey Key) {
  switch (Key) {
  case TCalcKey::Reciprocal:
    return 10;
  case TCalcKey::Pi:
    return 11;
  case TCalcKey::Hyp:
    return 12;
  case TCalcKey::Sin:
    return 13;
  case TCalcKey::Cos:
    return 14;
  case TCalcKey::Tan:
    return 15;
  default:
    return -1;
  }
}

TCalcOperator DecimalOperatorOf(TCalcKey Key) {
  switch (Key) {
  case TCalcKey::Plus:
    return TCalcOperator::Plus;
  case TCalcKey::Minus:
    return TCalcOperator::Minus;
  case TCalcKey::Times:
    return TCalcOperator::Times;
  case TCalcKey::Divide:
    return TCalcOperator::Divide;
  case TCalcKey::Equals:
    return TCalcOperator::Equals;
  default:
    return TCalcOperator::None;
  }
}

TCalcOperator LogicOperatorOf(TCalcKey Key) {
  switch (Key) {
  case TCalcKey::Square:
    return TCalcOperator::And;
  case TCalcKey::Log:
    return TCalcOperator::Or;
  case TCalcKey::Ln:
    return TCalcOperator::Xor;
  case TCalcKey::Power:
    return TCalcOperator::Xnor;
  default:
    return TCalcOperator::None;
  }
}

bool IsUnary(TCalcKey Key) {
  switch (Key) {
  case TCalcKey::Reciprocal:
  case TCalcKey::Root:
  case TCalcKey::Square:
  case TCalcKey::Log:
  case TCalcKey::Ln:
  case TCalcKey::Sin:
  case TCalcKey::Cos:
  case TCalcKey::Tan:
    return true;
  default:
    return false;
  }
}

Extended ToRadians(Extended X, const String& Unit) {
  if (Unit == "D") return X * 2 * Pi / 360;
  if (Unit == "G") return X * 2 * Pi / 400;
  return X;
}

Extended FromRadians(Extended X, const String& Unit) {
  if (Unit == "D") return X * 360 / 2 / Pi;
  if (Unit == "G") return X * 400 / 2 / Pi;
  return X;
}

// The decimal display's text of a value, as Zahl_setzen starts from.
String DecimalText(Extended Value) {
  const Extended magnitude = std::fabs(Value);
  const bool plain = Value == 0 || (magnitude > 0.001L && magnitude < 1e8L);
  return NoNull(NoBlank(plain ? S_N(static_cast<double>(Value), 10, 10)
                              : S_N(static_cast<double>(Value), 15, 100)));
}

bool HasExponent(const String& Text) { return Text.size() > 6 && Text[Text.size() - 6] == 'E'; }

// The display keeps two exponent digits; more is an overflow, or an underflow for a
// negative exponent.
void RequireTwoDigitExponent(Extended Value) {
  if (std::fabs(Value) >= 1e100L) throw EOverflow(RtlMessages::Overflow);
  if (Value != 0 && std::fabs(Value) < 1e-99L) throw EUnderflow(RtlMessages::Underflow);
  const String text = DecimalText(Value);
  if (!HasExponent(text) || StrToInt(text.substr(text.size() - 4)) <= 99) return;
  if (text[text.size() - 5] == '-') throw EUnderflow(RtlMessages::Underflow);
  throw EOverflow(RtlMessages::Overflow);
}

String ErrorTextOf(const std::exception_ptr& Failure) {
  try {
    std::rethrow_exception(Failure);
  } catch (const EZeroDivide&) {
    return DivByZero;
  } catch (const EOverflow&) {
    return Overflow;
  } catch (const EUnderflow&) {
    return Underflow;
  } catch (const Exception&) {
    return Invalid;
  }
}

TLumValidateEdit* NewDisplay(TComponent* Owner, TWinControl* Parent, const String& Name,
                             TValEditTyp Kind, int MaxLength, const TRect& Bounds) {
  auto* display = new TLumValidateEdit(Owner);
  display->SetParent(Parent);
  display->SetName(Name);
  display->SetValEditTyp(Kind);
  display->SetFEnabled(false);
  display->SetReadOnly(true);
  display->SetMaxLength(MaxLength);
  display->SetValidateMessage(false);
  display->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right, Bounds.Bottom);
  return display;
}

} // namespace

template <class F> bool TTaschenrechner::Guarded(F Step) {
  try {
    Step();
    return true;
  } catch (const Exception&) {
    ShowError(ErrorTextOf(std::current_exception()));
    return false;
  }
}

TTaschenrechner::TTaschenrechner(TComponent* AOwner) : TForm(AOwner) {
  SetName("Taschenrechner");
  SetCaption("Calculator");
  SetBorderStyle(bsDialog);
  SetFormStyle(fsStayOnTop);
  SetClientWidth(219);
  SetClientHeight(420);
  BuildDisplayPanel();
  BuildFunctionPanel();
  BuildBottomPanel();
  ClearAll();
  FMemory = 0;
  FAngleLabel->SetCaption("D");
}

TLabel* TTaschenrechner::AddLabel(TWinControl* Parent, const String& Name, const String& Caption,
                                  int Left, int Top) {
  auto* label = new TLabel(this);
  label->SetName(Name);
  label->SetCaption(Caption);
  label->SetLeft(Left);
  label->SetTop(Top);
  label->SetParent(Parent);
  return label;
}

TSpeedButton* TTaschenrechner::AddButton(TWinControl* Parent, TCalcKey Key, int Left, int Top,
                                         int Width, int Height) {
  const TKeyFace& face = KeyFaces[static_cast<std::size_t>(Key)];
  auto* button = new TSpeedButton(this);
  button->SetName(face.Name);
  button->SetBounds(Left, Top, Width, Height);
  if (*face.Glyph) {
    TBitmap glyph;
    glyph.LoadFromResourceName(nullptr, face.Glyph);
    button->SetGlyph(&glyph);
  } else {
    button->SetCaption(face.Caption);
  }
  button->SetOnClick([this, Key](TObject*) { Press(Key); });
  button->SetParent(Parent);
  FButtons[static_cast<std::size_t>(Key)] = button;
  return button;
}

void TTaschenrechner::BuildDisplayPanel() {
  FDisplayPanel = new TPanel(this);
  FDisplayPanel->SetName("DisplayPanel");
  FDisplayPanel->SetCaption("");
  FDisplayPanel->SetBounds(0, 0, 219, 97);
  FDisplayPanel->SetBevelInner(bvLowered);
  FDisplayPanel->SetBorderWidth(2);
  FDisplayPanel->SetParent(this);
  FDisplay = NewDisplay(this, FDisplayPanel, "Display", etDouble, 12, TRect{24, 24, 113, 21});
  FDisplay->SetDecimalPlaces(0);
  FExponentDisplay =
      NewDisplay(this, FDisplayPanel, "ExponentDisplay", etLongInt, 2, TRect{152, 16, 33, 21});
  FExponentDisplay->SetVisible(false);
  FSignLabel = AddLabel(FDisplayPanel, "SignLabel", "", 8, 24);
  FExponentSignLabel = AddLabel(FDisplayPanel, "ExponentSignLabel", "", 136, 16);
  FShiftLabel = AddLabel(FDisplayPanel, "ShiftLabel", "S", 8, 4);
  FMemoryLabel = AddLabel(FDisplayPanel, "MemoryLabel", "M", 32, 4);
  FHypLabel = AddLabel(FDisplayPanel, "HypLabel", "hyp", 48, 4);
  FAngleLabel = AddLabel(FDisplayPanel, "AngleLabel", "D", 72, 4);
  FHexLabel = AddLabel(FDisplayPanel, "HexLabel", "HEX", 104, 4);
  FModeImage = new TImage(this);
  FModeImage->SetName("ModeImage");
  FModeImage->SetBounds(136, 5, 22, 7);
  FModeImage->Picture()->Bitmap()->LoadFromResourceName(nullptr, "LumCalcMode");
  FModeImage->SetParent(FDisplayPanel);
  FExitLabel = AddLabel(FDisplayPanel, "ExitLabel", "Exit", 190, 4);
  FExitLabel->SetCursor(crHandPoint);
  FExitLabel->SetOnClick([this](TObject*) { Close(); });
  FErrorLabel = AddLabel(FDisplayPanel, "ErrorLabel", "", 24, 27);
  FErrorLabel->Font()->SetColor(clRed);
  FErrorLabel->Font()->SetStyle(TFontStyles{fsBold});
  for (TLabel* indicator : {FShiftLabel, FMemoryLabel, FHypLabel, FHexLabel, FErrorLabel})
    indicator->SetVisible(false);
  TLabel* logo = AddLabel(FDisplayPanel, "LogoLabel", "LumTools", 8, 50);
  logo->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
  TLabel* type = AddLabel(FDisplayPanel, "TypeLabel", "LT-219 scientific", 112, 50);
  for (TLabel* text : {logo, type}) text->SetOnDblClick([this](TObject* S) { ShowAbout(S); });
  auto* legend = new TImage(this);
  legend->SetName("LegendImage");
  legend->SetBounds(8, 67, 200, 22);
  legend->Picture()->Bitmap()->LoadFromResourceName(nullptr, "LumCalcLegend");
  legend->SetParent(FDisplayPanel);
}

// A button on a small panel of its own with its hexadecimal meaning above it.
void TTaschenrechner::AddFunctionButton(TWinControl* Parent, TCalcKey Key, const String& Legend,
                                        int Left, int Top, int Width) {
  auto* holder = new TPanel(this);
  holder->SetName(String(KeyFaces[static_cast<std::size_t>(Key)].Name) + "Panel");
  holder->SetBevelOuter(bvNone);
  holder->SetCaption("");
  holder->SetBounds(Left, Top, Width + 6, 44);
  holder->SetParent(Parent);
  if (!Legend.empty()) {
    TLabel* label = AddLabel(holder, holder->Name() + "Label", Legend, 0, 0);
    label->SetAutoSize(false);
    label->SetAlignment(taCenter);
    label->SetBounds(0, 1, Width + 6, 13);
    label->Font()->SetColor(clNavy);
  }
  AddButton(holder, Key, 3, 16, Width, 25);
}

void TTaschenrechner::BuildFunctionPanel() {
  auto* panel = new TPanel(this);
  panel->SetName("FunctionPanel");
  panel->SetCaption("");
  panel->SetBounds(0, 97, 219, 170);
  panel->SetParent(this);
  const TCalcKey first[] = {TCalcKey::Sign, TCalcKey::Root, TCalcKey::Square,
                            TCalcKey::Log,  TCalcKey::Ln,   TCalcKey::Power};
  const char* logic[] = {"NEG", "NOT", "AND", "OR", "XOR", "XNOR"};
  const TCalcKey second[] = {TCalcKey::Reciprocal, TCalcKey::Pi,  TCalcKey::Hyp,
                             TCalcKey::Sin,        TCalcKey::Cos, TCalcKey::Tan};
  const char* letters[] = {"A", "B", "C", "D", "E", "F"};
  for (int i = 0; i < 6; ++i) {
    AddFunctionButton(panel, first[i], logic[i], 13 + 32 * i, 6);
    AddFunctionButton(panel, second[i], letters[i], 13 + 32 * i, 60);
  }
  AddFunctionButton(panel, TCalcKey::Back, "", 13, 114);
  AddFunctionButton(panel, TCalcKey::Shift, "", 45, 114, 41);
  AddFunctionButton(panel, TCalcKey::Mode, "", 93, 114, 41);
  AddFunctionButton(panel, TCalcKey::MemoryIn, "", 141, 114);
  AddFunctionButton(panel, TCalcKey::MemoryRecall, "", 173, 114);
}

void TTaschenrechner::BuildBottomPanel() {
  auto* panel = new TPanel(this);
  panel->SetName("BottomPanel");
  panel->SetCaption("");
  panel->SetBounds(0, 267, 219, 153);
  panel->SetParent(this);
  const TCalcKey digits[4][3] = {
      {TCalcKey::Digit7, TCalcKey::Digit8, TCalcKey::Digit9},
      {TCalcKey::Digit4, TCalcKey::Digit5, TCalcKey::Digit6},
      {TCalcKey::Digit1, TCalcKey::Digit2, TCalcKey::Digit3},
      {TCalcKey::Digit0, TCalcKey::Point, TCalcKey::Exp},
  };
  const TCalcKey operators[4][2] = {
      {TCalcKey::Clear, TCalcKey::ClearAll},
      {TCalcKey::Times, TCalcKey::Divide},
      {TCalcKey::Plus, TCalcKey::Minus},
      {TCalcKey::Equals, TCalcKey::MemoryPlus},
  };
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 3; ++col)
      AddButton(panel, digits[row][col], 10 + 38 * col, 10 + 36 * row, 34, 30);
    for (int col = 0; col < 2; ++col)
      AddButton(panel, operators[row][col], 134 + 40 * col, 10 + 36 * row, 36, 30);
  }
}

void TTaschenrechner::ShowAbout(TObject*) {
  MessageDlg(AboutText, mtInformation, TMsgDlgButtons{mbOK}, 0);
}

String TTaschenrechner::DisplayText() const {
  if (ErrorShown()) return FErrorLabel->Caption();
  String text = FSignLabel->Caption() + FDisplay->Text();
  if (FExponentActive) text += " E" + FExponentSignLabel->Caption() + FExponentDisplay->Text();
  return text;
}

double TTaschenrechner::Value() { return ErrorShown() ? 0 : ReadDisplay(); }

void TTaschenrechner::Press(TCalcKey Key) {
  if (Key == TCalcKey::ClearAll) return ClearAll();
  if (Key == TCalcKey::Clear) return ClearEntry();
  if (ErrorShown()) return;
  Guarded([&] {
    if (PressCommon(Key)) return;
    if (HexMode())
      PressHex(Key);
    else
      PressDecimal(Key);
  });
}

bool TTaschenrechner::PressCommon(TCalcKey Key) {
  if (const int digit = DigitOf(Key); digit >= 0) {
    if (ModeOn())
      ChooseMode(digit);
    else
      TypeDigit(digit);
    return true;
  }
  if (const TCalcOperator op = DecimalOperatorOf(Key); op != TCalcOperator::None) {
    malClick(op);
    return true;
  }
  switch (Key) {
  case TCalcKey::MemoryIn:
  case TCalcKey::MemoryPlus:
    Memory(Key);
    return true;
  case TCalcKey::MemoryRecall:
    RecallMemory();
    return true;
  case TCalcKey::Mode:
    ToggleIndicator(FModeImage);
    return true;
  case TCalcKey::Shift:
    ToggleIndicator(FShiftLabel);
    return true;
  case TCalcKey::Back:
    Back();
    return true;
  default:
    return false;
  }
}

void TTaschenrechner::PressDecimal(TCalcKey Key) {
  if (IsUnary(Key)) return Unaer_Rechnen(Key);
  switch (Key) {
  case TCalcKey::Point:
    return TypePoint();
  case TCalcKey::Exp:
    return StartExponent();
  case TCalcKey::Sign:
    return FlipSign();
  case TCalcKey::Power:
    return malClick(TCalcOperator::Power);
  case TCalcKey::Pi:
    return ShowPi();
  case TCalcKey::Hyp:
    return ToggleIndicator(FHypLabel);
  default:
    return;
  }
}

void TTaschenrechner::PressHex(TCalcKey Key) {
  if (const int letter = HexLetterOf(Key); letter >= 0) return TypeHexLetter(letter);
  if (const TCalcOperator op = LogicOperatorOf(Key); op != TCalcOperator::None) return malClick(op);
  if (Key == TCalcKey::Sign || Key == TCalcKey::Root) NegOrNot(Key);
}

void TTaschenrechner::ToggleIndicator(TControl* Indicator) {
  Indicator->SetVisible(!Indicator->Visible());
}

void TTaschenrechner::ChooseMode(int Digit) {
  FModeImage->SetVisible(false);
  if ((Digit == 0 && HexMode()) || (Digit == 1 && !HexMode())) {
    const double value = ReadDisplay();
    ClearEntry();
    Hexadecimal(Digit == 1);
    Zahl_setzen(value);
    FEntering = false;
    FResultShown = true;
  } else if (Digit >= 4 && Digit <= 6) {
    FAngleLabel->SetCaption(Digit == 4 ? "D" : Digit == 5 ? "R" : "G");
  }
}

void TTaschenrechner::Hexadecimal(bool On) {
  FHexLabel->SetVisible(On);
  FDisplay->SetValEditTyp(On ? etHex : etDouble);
}

void TTaschenrechner::TypeDigit(int Digit) {
  if (!FEntering) ClearEntry();
  FEntering = true;
  if (FExponentActive) {
    const String exponent = Rightpad(FExponentDisplay->Text(), 2);
    FExponentDisplay->SetText(exponent.substr(1, 1) + static_cast<char>('0' + Digit));
    return;
  }
  AppendDigit(static_cast<char>('0' + Digit));
}

void TTaschenrechner::TypeHexLetter(int Digit) {
  if (!FEntering) ClearEntry();
  FEntering = true;
  if (FDisplay->Text().size() < 8) AppendDigit(static_cast<char>('A' + Digit - 10));
}

void TTaschenrechner::AppendDigit(char Digit) {
  const String text = FDisplay->Text();
  if (text.size() >= 10) return;
  FDisplay->SetText(text + Digit);
  if (HexMode()) {
    FDisplay->SetHex(FDisplay->GetHex());
    return;
  }
  if (FPointEntered) FDisplay->SetDecimalPlaces(FDisplay->DecimalPlaces() + 1);
  FDisplay->SetDouble(FDisplay->GetDouble());
}

void TTaschenrechner::TypePoint() {
  if (FPointEntered) return;
  FPointEntered = true;
  FDisplay->SetText(FDisplay->Text() + ".");
}

void TTaschenrechner::StartExponent() {
  if (FExponentActive) return;
  FExponentActive = true;
  FExponentDisplay->SetText("00");
  FExponentDisplay->SetVisible(true);
}

void TTaschenrechner::FlipSign() {
  if (FExponentActive) {
    FExponentNegative = !FExponentNegative;
    FExponentSignLabel->SetCaption(FExponentNegative ? "-" : "");
  } else {
    FNegative = !FNegative;
    FSignLabel->SetCaption(FNegative ? "-" : "");
  }
}

// The point state and the decimals follow the text that is left.
void TTaschenrechner::Back() {
  if (!FEntering) return;
  if (FExponentActive) {
    const String exponent = Rightpad(FExponentDisplay->Text(), 2);
    if (exponent != "00") {
      FExponentDisplay->SetText("0" + exponent.substr(0, 1));
      return;
    }
    FExponentActive = false;
    FExponentDisplay->SetVisible(false);
    FExponentSignLabel->SetCaption("");
    return;
  }
  String text = FDisplay->Text();
  text = text.size() <= 1 ? String("0") : text.substr(0, text.size() - 1);
  const std::size_t point = text.find('.');
  FPointEntered = point != String::npos;
  FDisplay->SetDecimalPlaces(FPointEntered ? static_cast<Integer>(text.size() - point - 1) : 0);
  FDisplay->SetText(text);
}

void TTaschenrechner::Memory(TCalcKey Key) {
  const double value = ReadDisplay();
  if (Key == TCalcKey::MemoryIn)
    FMemory = value;
  else
    FMemory = static_cast<double>(ShiftOn() ? FloatSub(FMemory, value) : FloatAdd(FMemory, value));
  FMemoryLabel->SetVisible(FMemory != 0);
  FShiftLabel->SetVisible(false);
  FEntering = false;
  FResultShown = true;
}

void TTaschenrechner::RecallMemory() {
  ClearEntry();
  Zahl_setzen(FMemory);
  FEntering = false;
  FResultShown = true;
}

void TTaschenrechner::ShowPi() {
  ClearEntry();
  Zahl_setzen(Pi);
  FEntering = false;
  FResultShown = true;
}

double TTaschenrechner::ReadDisplay() {
  Extended value = HexMode() ? FDisplay->GetHex() : FDisplay->GetDouble();
  if (FNegative) value = -value;
  if (FExponentActive) {
    Integer exponent = FExponentDisplay->GetLongInt();
    if (FExponentNegative) exponent = -exponent;
    value = FloatMul(value, IntPower(10, exponent));
  }
  return static_cast<double>(value);
}

void TTaschenrechner::Zahl_setzen(double Value) {
  if (HexMode()) {
    FDisplay->SetHex(RangeChecked<Integer>(Trunc(Value)));
    return;
  }
  RequireTwoDigitExponent(Value);
  String text = DecimalText(Value);
  if (HasExponent(text)) {
    const std::size_t n = text.size();
    FExponentActive = true;
    FExponentDisplay->SetVisible(true);
    FExponentDisplay->SetText(text.substr(n - 2));
    FExponentNegative = text[n - 5] == '-';
    FExponentSignLabel->SetCaption(FExponentNegative ? "-" : "");
    text.resize(n - 6);
  }
  if (!text.empty() && text[0] == '-') {
    FNegative = true;
    FSignLabel->SetCaption("-");
  }
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.erase(0, 1);
  text = NoNull(text);
  const std::size_t point = text.find('.');
  FDisplay->SetDecimalPlaces(
      static_cast<Integer>(point == String::npos ? text.size() : text.size() - point - 1));
  FDisplay->SetText(text);
}

int TTaschenrechner::Wertigkeit_ermitteln(TCalcOperator Operator) {
  switch (Operator) {
  case TCalcOperator::Plus:
  case TCalcOperator::Minus:
  case TCalcOperator::Or:
  case TCalcOperator::Xor:
    return 1;
  case TCalcOperator::Times:
  case TCalcOperator::Divide:
  case TCalcOperator::And:
  case TCalcOperator::Xnor:
    return 2;
  case TCalcOperator::Power:
    return 3;
  case TCalcOperator::Equals:
  case TCalcOperator::None:
    break;
  }
  return 0;
}

void TTaschenrechner::malClick(TCalcOperator Operator) {
  if (FEntering || FResultShown) {
    FDepth = RangeChecked(FDepth + 1, 1, StackSize);
    FOperands[static_cast<std::size_t>(FDepth)] = ReadDisplay();
  }
  if (FDepth >= 1) {
    FOperators[static_cast<std::size_t>(FDepth)] = Operator;
    FShiftAt[static_cast<std::size_t>(FDepth)] = ShiftOn();
    Rechnen();
  }
  FEntering = false;
  FResultShown = Operator == TCalcOperator::Equals;
}

void TTaschenrechner::Rechnen() {
  for (int i = FDepth; i >= 2; --i) {
    const auto left = static_cast<std::size_t>(i - 1), right = static_cast<std::size_t>(i);
    if (Wertigkeit_ermitteln(FOperators[left]) < Wertigkeit_ermitteln(FOperators[right])) continue;
    ClearEntry();
    double result = 0;
    const bool done = Guarded([&] {
      const Extended exact =
          Compute(FOperands[left], FOperators[left], FShiftAt[left], FOperands[right]);
      RequireTwoDigitExponent(exact);
      if (HexMode()) RangeChecked<Integer>(Trunc(exact));
      result = static_cast<double>(exact);
    });
    if (!done) continue;
    FOperands[left] = result;
    FOperators[left] = FOperators[right];
    FShiftAt[left] = FShiftAt[right];
    Zahl_setzen(result);
    --FDepth;
  }
  if (FDepth == 1 && FOperators[1] == TCalcOperator::Equals) FDepth = 0;
}

Extended TTaschenrechner::Compute(double Left, TCalcOperator Operator, bool Shift,
                                  double Right) const {
  switch (Operator) {
  case TCalcOperator::Plus:
    return FloatAdd(Left, Right);
  case TCalcOperator::Minus:
    return FloatSub(Left, Right);
  case TCalcOperator::Times:
    return FloatMul(Left, Right);
  case TCalcOperator::Divide:
    return FloatDiv(Left, Right);
  case TCalcOperator::Power:
    return Power(Left, Shift ? FloatDiv(1, Right) : Right);
  case TCalcOperator::And:
    return static_cast<Extended>(Round(Left) & Round(Right));
  case TCalcOperator::Or:
    return static_cast<Extended>(Round(Left) | Round(Right));
  case TCalcOperator::Xor:
    return static_cast<Extended>(Round(Left) ^ Round(Right));
  case TCalcOperator::Xnor:
    return static_cast<Extended>(~(Round(Left) ^ Round(Right)));
  case TCalcOperator::Equals:
  case TCalcOperator::None:
    break;
  }
  return Right;
}

void TTaschenrechner::Unaer_Rechnen(TCalcKey Key) {
  if (!FEntering && !FResultShown) return;
  const double x = ReadDisplay();
  const bool shift = ShiftOn(), hyp = HypOn();
  ClearEntry();
  Extended result = Function(Key, x, shift, hyp);
  if (std::fabs(result) < 1e-10L) result = 0;
  if (result > 1e11L) return ShowError(Infinite);
  if (result < -1e11L) return ShowError(NegativeInfinite);
  Zahl_setzen(static_cast<double>(result));
  FEntering = false;
  FResultShown = true;
}

Extended TTaschenrechner::Function(TCalcKey Key, double X, bool Shift, bool Hyp) const {
  const String unit = AngleUnit();
  switch (Key) {
  case TCalcKey::Reciprocal:
    return FloatDiv(1, X);
  case TCalcKey::Root:
    return Sqrt(X);
  case TCalcKey::Square:
    return FloatMul(X, X);
  case TCalcKey::Log:
    return Shift ? Power(10, X) : Log10(X);
  case TCalcKey::Ln:
    return Shift ? Exp(X) : Ln(X);
  default:
    break;
  }
  if (Shift) {
    Extended angle = 0;
    if (Key == TCalcKey::Sin) angle = Hyp ? ArcSinh(X) : ArcSin(X);
    if (Key == TCalcKey::Cos) angle = Hyp ? ArcCosh(X) : ArcCos(X);
    if (Key == TCalcKey::Tan) angle = Hyp ? ArcTanh(X) : ArcTan(X);
    return FromRadians(angle, unit);
  }
  const Extended a = ToRadians(X, unit);
  if (Key == TCalcKey::Sin) return Hyp ? Sinh(a) : Sin(a);
  if (Key == TCalcKey::Cos) return Hyp ? Cosh(a) : Cos(a);
  return Hyp ? Tanh(a) : Tan(a);
}

void TTaschenrechner::NegOrNot(TCalcKey Key) {
  const Integer value = RangeChecked<Integer>(Trunc(ReadDisplay()));
  Zahl_setzen(Key == TCalcKey::Sign ? CheckedSub<Integer>(0, value) : ~value);
  FEntering = false;
  FResultShown = true;
}

void TTaschenrechner::ClearEntry() {
  FDisplay->SetDecimalPlaces(0);
  FDisplay->SetText("0");
  FSignLabel->SetCaption("");
  FExponentSignLabel->SetCaption("");
  FExponentDisplay->SetText("");
  FExponentDisplay->SetVisible(false);
  FPointEntered = FNegative = FExponentActive = FExponentNegative = false;
  for (TControl* indicator :
       {static_cast<TControl*>(FModeImage), static_cast<TControl*>(FShiftLabel),
        static_cast<TControl*>(FHypLabel)})
    indicator->SetVisible(false);
}

void TTaschenrechner::ClearAll() {
  FErrorLabel->SetVisible(false);
  Button(TCalcKey::ClearAll)->Font()->SetColor(clWindowText);
  FDisplay->SetVisible(true);
  ClearEntry();
  FDepth = 0;
  FEntering = FResultShown = false;
}

void TTaschenrechner::ShowError(const String& Text) {
  FDisplay->SetVisible(false);
  FErrorLabel->SetCaption(Text);
  FErrorLabel->SetVisible(true);
  Button(TCalcKey::ClearAll)->Font()->SetColor(clRed);
}
