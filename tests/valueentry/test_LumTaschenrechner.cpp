#include "framework/controls/Application.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "valueentry/LumTaschenrechner.h"
#include "valueentry/LumTaschenrechner1.h"

#include <algorithm>
#include <map>
#include <sstream>

using namespace controltest;

namespace {

const std::map<String, TCalcKey>& KeysByToken() {
  static const std::map<String, TCalcKey> keys{
      {".", TCalcKey::Point},         {"EXP", TCalcKey::Exp},       {"CE", TCalcKey::Clear},
      {"AC", TCalcKey::ClearAll},     {"x", TCalcKey::Times},       {"/", TCalcKey::Divide},
      {"+", TCalcKey::Plus},          {"-", TCalcKey::Minus},       {"=", TCalcKey::Equals},
      {"x^y", TCalcKey::Power},       {"M+", TCalcKey::MemoryPlus}, {"Min", TCalcKey::MemoryIn},
      {"MR", TCalcKey::MemoryRecall}, {"MODE", TCalcKey::Mode},     {"SHIFT", TCalcKey::Shift},
      {"back", TCalcKey::Back},       {"+/-", TCalcKey::Sign},      {"sqrt", TCalcKey::Root},
      {"x²", TCalcKey::Square},       {"log", TCalcKey::Log},       {"ln", TCalcKey::Ln},
      {"1/x", TCalcKey::Reciprocal},  {"pi", TCalcKey::Pi},         {"hyp", TCalcKey::Hyp},
      {"sin", TCalcKey::Sin},         {"cos", TCalcKey::Cos},       {"tan", TCalcKey::Tan},
  };
  return keys;
}

// A calculator window on the headless screen, worked by clicking its buttons.
class CalculatorTest : public ControlTest {
protected:
  void SetUp() override {
    Calc = CreateForm<TTaschenrechner>(Application());
    Forms.push_back(Calc);
    Calc->Show();
  }
  // Clicks the buttons named by the blank-separated tokens: digits, "+", "x", "sin", "CE"
  // for clear entry …; the letters A to F click the buttons that type them in hexadecimal.
  void Keys(const String& Tokens) {
    std::istringstream in(Tokens);
    String token;
    while (in >> token) {
      User.Advance(1000);
      User.Click(ButtonOf(token));
    }
  }
  TSpeedButton* ButtonOf(const String& Token) {
    if (Token.size() == 1 && Token[0] >= '0' && Token[0] <= '9')
      return Calc->Button(static_cast<TCalcKey>(Token[0] - '0'));
    if (Token.size() == 1 && Token[0] >= 'A' && Token[0] <= 'F') {
      const TCalcKey letters[] = {TCalcKey::Reciprocal, TCalcKey::Pi,  TCalcKey::Hyp,
                                  TCalcKey::Sin,        TCalcKey::Cos, TCalcKey::Tan};
      return Calc->Button(letters[Token[0] - 'A']);
    }
    return Calc->Button(KeysByToken().at(Token));
  }
  // Black or dark red pixels (glyph ink) inside a control, from one snapshot of the window.
  int InkIn(TControl* Control) {
    auto shot = User.Snapshot(Calc);
    RECT window{};
    GetWindowRect(Calc->Handle(), &window);
    const TPoint origin = Control->ClientToScreen(TPoint{0, 0});
    int ink = 0;
    for (int y = 2; y < Control->Height() - 2; ++y)
      for (int x = 2; x < Control->Width() - 2; ++x) {
        const TColor c =
            shot->Canvas()->Pixels(origin.X - window.Left + x, origin.Y - window.Top + y);
        ink += c == clBlack || c == clMaroon;
      }
    return ink;
  }
  String Shown(const String& Tokens) {
    Keys(Tokens);
    return Calc->DisplayText();
  }
  TTaschenrechner* Calc = nullptr;
};

TEST_F(CalculatorTest, OperatorsChainWithTheirPriorities) {
  std::vector<String> shown;
  Calc->Display()->SetOnChange([&](TObject*) { shown.push_back(Calc->Display()->Text()); });
  EXPECT_EQ(Shown("2 + 3 x 4 ="), "14");
  const auto four = std::find(shown.rbegin(), shown.rend(), "4");
  EXPECT_NE(std::find(shown.rbegin(), four, "12"), four) << "3 x 4 is shown before the sum";
  EXPECT_EQ(Calc->Depth(), 0);
  EXPECT_EQ(Shown("AC 2 + 3 = x 4 ="), "20") << "a result is the next first operand";
  EXPECT_EQ(Shown("AC 5 + x 2 ="), "10") << "x replaces +";
  EXPECT_EQ(Shown("AC 2 x^y 1 0 ="), "1024");
  EXPECT_EQ(Shown("AC 1 0 2 4 SHIFT x^y 1 0 ="), "2") << "with SHIFT the y-th root";
  EXPECT_EQ(Shown("AC 1 - 2 x 3 x^y 2 + 4 ="), "-13") << "1 - 2 x 9 + 4";
  EXPECT_EQ(Shown("AC 7 / 2 ="), "3.5");
  EXPECT_DOUBLE_EQ(Calc->Value(), 3.5);
}

TEST_F(CalculatorTest, NumbersAreTypedAndShownAsTheDisplayHoldsThem) {
  EXPECT_EQ(Shown("1 2 3 4 5 6 7 8 9 0 1"), "1234567890") << "the eleventh digit is ignored";
  EXPECT_EQ(Shown("AC . 5"), "5") << "a point before the first digit is undone by it";
  EXPECT_EQ(Shown("AC 0 . 5"), "0.5");
  EXPECT_EQ(Shown("AC 2 . 5 0"), "2.50") << "typed trailing zeros stay";
  EXPECT_EQ(Shown("AC 2 0 0 0 0 0 x 1 0 0 0 ="), "2 E08");
  EXPECT_TRUE(Calc->ExponentDisplay()->Visible());
  EXPECT_EQ(Calc->Display()->Text(), "2");
  EXPECT_EQ(Calc->ExponentDisplay()->Text(), "08");
  EXPECT_EQ(Shown("AC 1 EXP 4 2 +/- x 1 ="), "1 E-42");
  EXPECT_EQ(Shown("AC 3 +/- x 2 ="), "-6");
  EXPECT_EQ(Shown("AC pi"), "3.1415926536");
  EXPECT_EQ(Shown("AC 1 EXP 4 2 back"), "1 E04") << "back takes the last exponent digit";
  EXPECT_EQ(Shown("back back"), "1") << "then the exponent itself";
}

TEST_F(CalculatorTest, BackKeepsThePointStateTrueToTheText) {
  EXPECT_EQ(Shown("1 . back"), "1");
  EXPECT_EQ(Shown(". 5"), "1.5") << "after the point went, a point can be typed again";
  EXPECT_EQ(Shown("AC 1 . 2 5 back 3"), "1.23") << "the decimals follow the text";
  EXPECT_EQ(Shown("AC 7 back"), "0");
}

TEST_F(CalculatorTest, FailuresShowTheirTextUntilAllIsCleared) {
  EXPECT_EQ(Shown("1 / 0 ="), "Error - Div durch 0");
  EXPECT_FALSE(Calc->Display()->Visible());
  EXPECT_EQ(Calc->Button(TCalcKey::ClearAll)->Font()->Color(), clRed);
  EXPECT_EQ(Shown("5 + pi CE"), "Error - Div durch 0") << "only AC leaves the error";
  EXPECT_EQ(Shown("AC"), "0");
  EXPECT_EQ(Calc->Button(TCalcKey::ClearAll)->Font()->Color(), clWindowText);
  EXPECT_EQ(Shown("AC 0 1/x"), "Error - Div durch 0");
  EXPECT_EQ(Shown("AC 0 log"), "Error - Div durch 0");
  EXPECT_EQ(Shown("AC 0 / 0 ="), "Error");
  EXPECT_EQ(Shown("AC 4 +/- sqrt"), "Error");
  EXPECT_EQ(Shown("AC 2 SHIFT sin"), "Error") << "arc sine outside -1 to 1";
  EXPECT_EQ(Shown("AC 9 0 tan"), "Error - Unendlich");
  EXPECT_EQ(Shown("AC 2 5 +/- SHIFT ln"), "0") << "e to the -25 is cut below 1e-10";
  EXPECT_EQ(Shown("AC 1 +/- EXP 1 2 +/- 1/x"), "Error - -Unendlich");
}

TEST_F(CalculatorTest, ExponentsBeyondTwoDigitsOverflowInsteadOfShowingTheLastTwo) {
  EXPECT_EQ(Shown("1 EXP 9 9 x 1 EXP 9 9 ="), "Error - Überlauf   ");
  EXPECT_EQ(Calc->DisplayText().size(), 20u) << "19 characters, Ü taking two bytes";
  EXPECT_EQ(Shown("AC 1 EXP 6 0 +/- x 1 EXP 6 0 +/- ="), "Error - Unterlauf  ");
  EXPECT_EQ(Shown("AC 1 EXP 9 9 x 9 ="), "9 E99") << "two digits still show";
  EXPECT_EQ(Shown("AC 1 EXP 9 9 x 1 0 ="), "Error - Überlauf   ");
  EXPECT_EQ(Shown("AC 1 EXP 9 9 Min M+ M+ M+ M+ M+ M+ M+ M+ M+ M+ MR"), "Error - Überlauf   ")
      << "a recalled memory obeys the same limit";
}

TEST_F(CalculatorTest, AngleUnitsAndTheirFunctions) {
  EXPECT_EQ(Calc->AngleUnit(), "D");
  EXPECT_EQ(Shown("3 0 sin"), "0.5");
  EXPECT_EQ(Shown("1 8 0 sin"), "0") << "the tiny remainder is cut";
  EXPECT_EQ(Shown("0 . 5 SHIFT sin"), "30");
  EXPECT_FALSE(Calc->ShiftOn()) << "a function switches SHIFT off";
  EXPECT_EQ(Shown("MODE 6 1 0 0 sin"), "1");
  EXPECT_EQ(Calc->AngleUnit(), "G");
  EXPECT_EQ(Shown("MODE 5 pi cos"), "-1");
  EXPECT_EQ(Calc->AngleUnit(), "R");
  EXPECT_EQ(Shown("1 hyp tan"), "0.761594156");
  EXPECT_FALSE(Calc->HypOn());
  EXPECT_EQ(Shown("2 x²"), "4");
  EXPECT_EQ(Shown("1 0 0 0 log"), "3");
  EXPECT_EQ(Shown("2 SHIFT log"), "100");
  EXPECT_EQ(Shown("1 SHIFT ln"), "2.7182818285");
  EXPECT_EQ(Shown("8 1/x"), "0.125");
  EXPECT_EQ(Shown("+"), "0.125") << "a unary function needs a typed or computed operand";
  EXPECT_EQ(Shown("sqrt"), "0.125");
}

TEST_F(CalculatorTest, HexadecimalModeWithLogicOnThirtyTwoBits) {
  EXPECT_EQ(Shown("2 5 5 . 9 MODE 1"), "FF");
  EXPECT_TRUE(Calc->HexMode());
  EXPECT_EQ(Calc->Display()->ValEditTyp(), etHex);
  EXPECT_EQ(Shown("MODE 0"), "255");
  EXPECT_FALSE(Calc->HexMode());
  Keys("MODE 1");
  EXPECT_EQ(Shown("F F x² 0 F ="), "F") << "AND";
  EXPECT_EQ(Shown("F F ln 0 F ="), "F0") << "XOR";
  EXPECT_EQ(Shown("1 log 2 x² 3 ="), "3") << "AND before OR: 1 OR (2 AND 3)";
  EXPECT_EQ(Shown("5 x^y 3 ="), "FFFFFFF9") << "XNOR";
  EXPECT_EQ(Shown("1 +/-"), "FFFFFFFF") << "NEG";
  EXPECT_EQ(Shown("sqrt"), "0") << "NOT";
  EXPECT_EQ(Shown("8 0 0 0 0 0 0 0 +/-"), "Error") << "NEG of the lowest 32-bit value";
  Keys("AC");
  EXPECT_EQ(Shown("1 2 3 4 5 6 7 8 9"), "12345678") << "eight hexadecimal digits";
  EXPECT_EQ(Shown("CE 1 2 3 4 5 6 7 A"), "1234567A");
  EXPECT_EQ(Shown("B"), "1234567A") << "letters only below eight digits";
  EXPECT_EQ(Shown(". EXP"), "1234567A");
  EXPECT_EQ(Shown("CE 7 F F F F F F F + 1 ="), "Error") << "beyond 32 signed bits";
}

TEST_F(CalculatorTest, MemoryStoresAddsAndRecalls) {
  Keys("5 Min");
  EXPECT_TRUE(Calc->MemoryShown());
  Keys("3 M+ CE MR");
  EXPECT_EQ(Calc->DisplayText(), "8");
  Keys("8 SHIFT M+");
  EXPECT_FALSE(Calc->MemoryShown()) << "8 - 8 leaves nothing";
  EXPECT_FALSE(Calc->ShiftOn());
  EXPECT_EQ(Shown("2 MR"), "0");
  EXPECT_EQ(Shown("4 Min 1 + MR ="), "5");
}

TEST_F(CalculatorTest, TheWindowIsLaidOutAndDrawn) {
  EXPECT_FALSE(Calc->Display()->Enabled());
  EXPECT_EQ(Calc->FormStyle(), fsStayOnTop);
  Keys("1 2 . 5 x 8 + SHIFT MODE");
  User.ProcessMessages();
  User.SaveSnapshot(Calc, SheetPath("calculator.png"));
  for (const TCalcKey key : {TCalcKey::Power, TCalcKey::Sin, TCalcKey::Root, TCalcKey::Back})
    EXPECT_GT(InkIn(Calc->Button(key)), 8)
        << "the glyph shows on button " << Calc->Button(key)->Name();
  EXPECT_EQ(InkIn(Calc->ErrorLabel()), 0);
  User.AnswerMessage("OK");
  User.DoubleClick(dynamic_cast<TControl*>(Calc->FindComponent("LogoLabel")), TPoint{3, 3});
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Type, mtInformation);
}

class CalculatorComponentTest : public ControlTest {};

TEST_F(CalculatorComponentTest, ExecuteShowsModallyAndFreesTheWindow) {
  TLumCalculator calculator(nullptr);
  calculator.SetCaption("Rechner");
  calculator.SetCalculatorLeft(120);
  calculator.SetCalculatorTop(80);
  calculator.SetHelpContext(7);
  const int before = Application()->ComponentCount();
  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TTaschenrechner*>(Form);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Caption(), "Rechner");
    EXPECT_EQ(window->Left(), 120);
    EXPECT_EQ(window->Top(), 80);
    EXPECT_EQ(window->HelpContext(), 7);
    User.Click(window->Button(TCalcKey::Digit6));
    User.Advance(1000);
    User.Click(window->Button(TCalcKey::Digit4));
    User.Advance(1000);
    User.Click(window->Button(TCalcKey::Root));
    Form->SetModalResult(mrOk);
  });
  EXPECT_TRUE(calculator.Execute());
  EXPECT_DOUBLE_EQ(calculator.Value(), 8);
  EXPECT_EQ(Application()->ComponentCount(), before);
  User.WhenModal(
      [&](TCustomForm* Form) { User.Click(dynamic_cast<TTaschenrechner*>(Form)->ExitLabel()); });
  EXPECT_FALSE(calculator.Execute()) << "the Exit label closes with cancel";
  EXPECT_EQ(Application()->ComponentCount(), before);
}

TEST_F(CalculatorComponentTest, AShownWindowLivesOnItsOwnAndIsFreedWhenItCloses) {
  TLumCalculator calculator(nullptr);
  const int before = Application()->ComponentCount();
  calculator.Show();
  User.ProcessMessages();
  ASSERT_EQ(Application()->ComponentCount(), before + 1);
  auto* window = dynamic_cast<TTaschenrechner*>(Application()->Components(before));
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->Visible());
  User.Click(window->Button(TCalcKey::Digit9));
  EXPECT_EQ(window->DisplayText(), "9");
  User.Click(window->ExitLabel());
  User.ProcessMessages();
  EXPECT_EQ(Application()->ComponentCount(), before) << "closing frees the window";
}

} // namespace
