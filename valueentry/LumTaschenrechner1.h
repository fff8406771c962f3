#pragma once

#include "framework/controls/Buttons.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"
#include "valueentry/Lumvaled.h"

#include <array>

// The calculator's buttons, by what they do in decimal mode.
enum class TCalcKey {
  Digit0,
  Digit1,
  Digit2,
  Digit3,
  Digit4,
  Digit5,
  Digit6,
  Digit7,
  Digit8,
  Digit9,
  Point,
  Exp,
  Clear,
  ClearAll,
  Times,
  Divide,
  Plus,
  Minus,
  Equals,
  Power,
  MemoryPlus,
  MemoryIn,
  MemoryRecall,
  Mode,
  Shift,
  Back,
  Sign,
  Root,
  Square,
  Log,
  Ln,
  Reciprocal,
  Pi,
  Hyp,
  Sin,
  Cos,
  Tan
};

// A binary operator waiting on the stack.
enum class TCalcOperator { None, Plus, Minus, Times, Divide, Power, And, Or, Xor, Xnor, Equals };

// The pocket-calculator window, worked with the mouse: chained operations with operator
// priorities, scientific functions in three angle units, a memory, an exponent entry, and a
// hexadecimal mode with logic operations. Every operand is read back from the display.
class TTaschenrechner : public TForm {
  LUM_CLASS(TTaschenrechner, TForm)
public:
  explicit TTaschenrechner(TComponent* AOwner);

  // What pressing the key's button does.
  void Press(TCalcKey Key);
  TSpeedButton* Button(TCalcKey Key) const { return FButtons[static_cast<std::size_t>(Key)]; }

  TLumValidateEdit* Display() const { return FDisplay; }
  TLumValidateEdit* ExponentDisplay() const { return FExponentDisplay; }
  TLabel* ErrorLabel() const { return FErrorLabel; }
  TLabel* ExitLabel() const { return FExitLabel; }
  // The number as the display shows it: sign, mantissa and " E" with the exponent, or the
  // error text while an error is shown.
  String DisplayText() const;
  // The display's value (0 while an error is shown).
  double Value();
  bool HexMode() const { return FHexLabel->Visible(); }
  String AngleUnit() const { return FAngleLabel->Caption(); }
  bool ShiftOn() const { return FShiftLabel->Visible(); }
  bool HypOn() const { return FHypLabel->Visible(); }
  bool ModeOn() const { return FModeImage->Visible(); }
  bool MemoryShown() const { return FMemoryLabel->Visible(); }
  bool ErrorShown() const { return FErrorLabel->Visible(); }
  int Depth() const { return FDepth; }

private:
  void BuildDisplayPanel();
  void BuildFunctionPanel();
  void BuildBottomPanel();
  TLabel* AddLabel(TWinControl* Parent, const String& Name, const String& Caption, int Left,
                   int Top);
  TSpeedButton* AddButton(TWinControl* Parent, TCalcKey Key, int Left, int Top, int Width,
                          int Height);
  void AddFunctionButton(TWinControl* Parent, TCalcKey Key, const String& Legend, int Left, int Top,
                         int Width = 25);

  void PressDecimal(TCalcKey Key);
  void PressHex(TCalcKey Key);
  bool PressCommon(TCalcKey Key);
  void ChooseMode(int Digit);
  void TypeDigit(int Digit);
  void TypeHexLetter(int Digit);
  void AppendDigit(char Digit);
  void TypePoint();
  void StartExponent();
  void FlipSign();
  void Back();
  void ToggleIndicator(TControl* Indicator);
  void Memory(TCalcKey Key);
  void RecallMemory();
  void ShowPi();
  void Hexadecimal(bool On);

  // The operand the display holds.
  double ReadDisplay();
  // Shows a value; an exponent beyond two digits is an overflow or an underflow.
  void Zahl_setzen(double Value);
  static int Wertigkeit_ermitteln(TCalcOperator Operator);
  void malClick(TCalcOperator Operator);
  void Rechnen();
  Extended Compute(double Left, TCalcOperator Operator, bool Shift, double Right) const;
  void Unaer_Rechnen(TCalcKey Key);
  Extended Function(TCalcKey Key, double X, bool Shift, bool Hyp) const;
  void NegOrNot(TCalcKey Key);

  void ClearEntry();
  void ClearAll();
  void ShowError(const String& Text);
  // Runs a step; a failure shows its error text and gives false.
  template <class F> bool Guarded(F Step);
  void ShowAbout(TObject* Sender);

  std::array<TSpeedButton*, static_cast<std::size_t>(TCalcKey::Tan) + 1> FButtons{};
  TPanel* FDisplayPanel = nullptr;
  TLumValidateEdit* FDisplay = nullptr;
  TLumValidateEdit* FExponentDisplay = nullptr;
  TLabel* FSignLabel = nullptr;
  TLabel* FExponentSignLabel = nullptr;
  TLabel* FShiftLabel = nullptr;
  TLabel* FMemoryLabel = nullptr;
  TLabel* FHypLabel = nullptr;
  TLabel* FAngleLabel = nullptr;
  TLabel* FHexLabel = nullptr;
  TImage* FModeImage = nullptr;
  TLabel* FErrorLabel = nullptr;
  TLabel* FExitLabel = nullptr;

  bool FPointEntered = false;
  bool FEntering = false;
  bool FResultShown = false;
  bool FNegative = false;
  bool FExponentActive = false;
  bool FExponentNegative = false;
  static constexpr int StackSize = 10;
  std::array<double, StackSize + 1> FOperands{};
  std::array<TCalcOperator, StackSize + 1> FOperators{};
  std::array<bool, StackSize + 1> FShiftAt{};
  int FDepth = 0;
  double FMemory = 0;
};

// The failure texts of the calculator.
namespace LumTaschenrechnerTexts {
inline constexpr const char* DivByZero = "Error - Div durch 0";
inline constexpr const char* Overflow = "Error - Überlauf   ";
inline constexpr const char* Underflow = "Error - Unterlauf  ";
inline constexpr const char* Invalid = "Error";
inline constexpr const char* Infinite = "Error - Unendlich";
inline constexpr const char* NegativeInfinite = "Error - -Unendlich";
} // namespace LumTaschenrechnerTexts
