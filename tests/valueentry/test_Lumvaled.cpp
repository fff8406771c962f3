#include "framework/classes/FormFile.h"
#include "framework/classes/Registry.h"
#include "framework/controls/StdCtrls.h"
#include "framework/db/DBCtrls.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "valueentry/Lumvaled.h"

#include <climits>

using namespace controltest;

namespace {

struct TCleaning {
  TValEditTyp Kind;
  String Typed;
  String Cleaned;
  bool Result;
};

TEST(FilterValidator, CleansTypedTextFromTheRight) {
  const TCleaning cases[] = {
      {etDouble, "1,5", "1.5", true},
      {etDouble, ".1.5", "1.5", true},       // the point left of the rightmost one goes
      {etDouble, "1.2.3.4", "1.23.4", true}, // a removal ends the point rule for the walk
      {etLongInt, "12-3", "123", true},      // a misplaced sign goes without a report
      {etLongInt, "-123", "-123", true},
      {etExponent, "1E-5", "1E-5", true},
      {etExponent, "-1e+5-", "-1e+5", true},
      {etLongInt, "12a", "12", false},
      {etLongInt, "1-2a", "1-2", false}, // left of a removed character no sign rule
      {etHex, "fFg0", "fF0", false},
      {etBin, "1021", "101", false},
      {etString, "1,5-+", "1,5-+", true},
      {etFilter, ".1.5", ".1.5", true},
  };
  for (const TCleaning& c : cases) {
    TFilterValidator validator;
    validator.SetValEditTyp(c.Kind);
    validator.SetValidChars(ValidCharsOf(c.Kind));
    String text = c.Typed;
    EXPECT_EQ(validator.IsValidInput(text), c.Result) << c.Typed;
    EXPECT_EQ(text, c.Cleaned) << c.Typed;
    EXPECT_EQ(validator.Valid(text), validator.IsValid(text));
  }
  TFilterValidator validator;
  validator.SetValidChars(ValidCharsOf(etBin));
  EXPECT_TRUE(validator.IsValid(""));
  EXPECT_FALSE(validator.IsValid("012"));
}

class ValidateEditTest : public ControlTest {
protected:
  TForm* Form = nullptr;
  TEdit* Other = nullptr;
  std::vector<String> Events;

  TLumValidateEdit* AddEdit(TValEditTyp Kind, double Min = 0, double Max = 1) {
    if (!Form) {
      Form = NewForm(320, 400);
      Other = Place(Form, new TEdit(Form), 180, 10);
      Other->SetName("Other1");
    }
    auto* edit = new TLumValidateEdit(Form);
    edit->SetBounds(10, 10 + 30 * (Form->ControlCount() - 1), 121, 21);
    edit->SetValEditTyp(Kind);
    edit->SetMinValue(Min);
    edit->SetMaxValue(Max);
    edit->SetOnValidExit([this](TObject*) { Events.push_back("valid exit"); });
    edit->SetOnExit([this](TObject*) { Events.push_back("exit"); });
    edit->SetOnEnter([this](TObject*) { Events.push_back("enter"); });
    return edit;
  }
  void Focus(TLumValidateEdit* Edit) {
    Form->Show();
    Edit->SetFocus();
    User.ProcessMessages();
    Events.clear();
  }
  // A click well apart from the one before, so no two make a double click.
  void LeaveFor(TWinControl* Target) {
    User.Advance(1000);
    User.Click(Target);
    User.ProcessMessages();
  }
  std::vector<String> MessageTexts() const {
    std::vector<String> texts;
    for (const TShownMessage& m : User.Messages()) texts.push_back(m.Text);
    return texts;
  }
};

TEST_F(ValidateEditTest, BuildsAPanelHoldingOneVisibleInnerControl) {
  auto* edit = AddEdit(etString);
  EXPECT_EQ(edit->Edit()->Parent(), edit);
  EXPECT_EQ(edit->ComboBox()->Parent(), edit);
  EXPECT_TRUE(edit->Edit()->Visible());
  EXPECT_FALSE(edit->ComboBox()->Visible());
  EXPECT_EQ(edit->Edit()->BoundsRect(), Rect(0, 0, 121, 21));
  Form->Show();
  edit->SetWidth(200);
  EXPECT_EQ(edit->Edit()->Width(), 200) << "the inner controls follow the panel's size";
  edit->SetValEditTyp(etFilter);
  EXPECT_TRUE(edit->ComboBox()->Visible());
  EXPECT_FALSE(edit->Edit()->Visible());
  EXPECT_EQ(edit->ComboBox()->Width(), 200);

  edit->SetValEditTyp(etString);
  edit->SetText("abc");
  edit->SetValEditTyp(etLongInt);
  EXPECT_EQ(edit->Text(), "0") << "a text the new kind does not allow becomes 0";
  edit->SetText("12");
  edit->SetValEditTyp(etDouble);
  EXPECT_EQ(edit->Text(), "12");
  edit->SetDecimalPlaces(-1);
  EXPECT_EQ(edit->DecimalPlaces(), 2) << "negative decimals are ignored";
}

TEST_F(ValidateEditTest, TypingIsCleanedAndTheCaretKept) {
  auto* edit = AddEdit(etDouble, -10, 10);
  std::vector<TObject*> senders;
  edit->SetOnChange([&](TObject* Sender) { senders.push_back(Sender); });
  Focus(edit);
  User.Type("1,5");
  EXPECT_EQ(edit->Text(), "1.5");
  EXPECT_EQ(edit->SelStart(), 3);
  EXPECT_FALSE(senders.empty());
  EXPECT_EQ(senders.back(), edit->Edit()) << "OnChange names the inner control";

  edit->Edit()->SetSelStart(0);
  User.Type(".");
  EXPECT_EQ(edit->Text(), "1.5") << "the left point goes";
  edit->Edit()->SetSelStart(0);
  User.Type("-");
  User.PressKey(VK_END);
  User.Type("+");
  EXPECT_EQ(edit->Text(), "-1.5") << "a sign stays only in front";
  EXPECT_TRUE(User.Messages().empty()) << "points and signs are cleaned without a report";

  auto* whole = AddEdit(etLongInt);
  Focus(whole);
  User.Type("12-3");
  EXPECT_EQ(whole->Text(), "123");
  EXPECT_TRUE(User.Messages().empty());
}

TEST_F(ValidateEditTest, ABadCharacterIsReportedOnceInTheChosenLanguage) {
  auto* edit = AddEdit(etLongInt);
  std::vector<Integer> indexes;
  TLumValidateEditErrorAction answer = lveaGerman;
  edit->SetOnValidateError(
      [&](TObject* Sender, Integer Index, TLumValidateEditErrorAction& Action) {
        EXPECT_EQ(Sender, edit);
        EXPECT_EQ(Action, lveaGerman);
        indexes.push_back(Index);
        Action = answer;
      });
  Focus(edit);
  User.Type("12a");
  EXPECT_EQ(edit->Text(), "12");
  EXPECT_EQ(edit->SelStart(), 2) << "a caret beyond the shorter text goes to its end";
  EXPECT_EQ(indexes, std::vector<Integer>{0});
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text, "Eingabefehler! Ungültige Zeicheneingabe!");
  EXPECT_EQ(User.Messages()[0].Type, mtWarning);
  EXPECT_EQ(User.Messages()[0].Buttons, std::vector<String>{"OK"});

  answer = lveaEnglish;
  User.Type("x");
  EXPECT_EQ(MessageTexts().back(), "Input-mistakes! Invalid character!");
  answer = lveaNothing;
  User.Type("y");
  EXPECT_EQ(User.Messages().size(), 2u);
  edit->SetValidateMessage(false);
  answer = lveaGerman;
  User.Type("z");
  EXPECT_EQ(User.Messages().size(), 2u) << "ValidateMessage off reports nothing";
  EXPECT_EQ(edit->Text(), "12");
  EXPECT_EQ(indexes.size(), 3u);
}

TEST_F(ValidateEditTest, LeavingOutOfRangeKeepsTheFocusAndNamesTheRange) {
  auto* edit = AddEdit(etLongInt, 1, 10);
  Focus(edit);
  User.Type("42");
  LeaveFor(Other);
  EXPECT_EQ(MessageTexts(),
            std::vector<String>{"Eingabefehler! Ungültige Ganzzahl! Erwartet: 1 ... 10"});
  EXPECT_EQ(Screen()->ActiveControl(), edit->Edit());
  EXPECT_EQ(edit->Text(), "42") << "an invalid entry is neither corrected nor reset";
  EXPECT_EQ(Events, (std::vector<String>{"exit", "enter", "enter"}))
      << "the inner exit, then the focus coming back through panel and edit";

  auto* ok = Place(Form, new TButton(Form), 180, 40);
  int clicks = 0;
  ok->SetOnClick([&](TObject*) { ++clicks; });
  Events.clear();
  LeaveFor(ok);
  EXPECT_EQ(clicks, 0) << "a button clicked with an invalid entry does not act";
  EXPECT_EQ(Screen()->ActiveControl(), edit->Edit());
  EXPECT_EQ(User.Messages().size(), 2u);

  Events.clear();
  User.PressKey(VK_END);
  User.PressKey(VK_BACK);
  LeaveFor(Other);
  EXPECT_EQ(Screen()->ActiveControl(), Other);
  EXPECT_EQ(Events, (std::vector<String>{"exit", "valid exit", "exit"}));
  EXPECT_EQ(User.Messages().size(), 2u);
  LeaveFor(ok);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ValidateEditTest, RangeTextsPerKindAndLanguage) {
  struct TCase {
    TValEditTyp Kind;
    double Min, Max;
    String Typed;
    TLumValidateEditErrorAction Language;
    String Message;
  };
  const TCase cases[] = {
      {etDouble, 0, 1, "5", lveaEnglish,
       "Input-mistakes! Invalid decimal number! Expects:  0.00 ...  1.00"},
      {etExponent, -2.5, 1e3, "2E4", lveaGerman,
       "Eingabefehler! Ungültige Dezimalzahl! Erwartet: -2.50 ... 1000.00"},
      {etHex, 16, 255, "1FF", lveaGerman,
       "Eingabefehler! Ungültige Hexadezimalzahl! Erwartet: 0000000010 ... 00000000FF"},
      {etBin, 2.5, 3.5, "101", lveaEnglish,
       "Input-mistakes! Invalid binary number! Expects: 2 ... 4"},
      {etLongInt, -1e12, 1e30, "", lveaEnglish, ""},
      {etLongInt, 1e10, 1e30, "5", lveaEnglish,
       "Input-mistakes! Invalid number! Expects: 10000000000 ... "
       "1000000000000000019884624838656"},
  };
  for (const TCase& c : cases) {
    auto* edit = AddEdit(c.Kind, c.Min, c.Max);
    edit->SetOnValidateError(
        [&](TObject*, Integer, TLumValidateEditErrorAction& Action) { Action = c.Language; });
    Focus(edit);
    User.Type(c.Typed);
    const std::size_t before = User.Messages().size();
    LeaveFor(Other);
    if (c.Message.empty()) {
      EXPECT_EQ(User.Messages().size(), before) << "in range: " << c.Typed;
      continue;
    }
    ASSERT_EQ(User.Messages().size(), before + 1) << c.Message;
    EXPECT_EQ(User.Messages().back().Text, c.Message);
    edit->SetValidate(false);
    LeaveFor(Other);
    EXPECT_EQ(Screen()->ActiveControl(), Other) << "without Validate any clean entry may leave";
  }
}

TEST_F(ValidateEditTest, AnEmptyEntryReadsZeroAndSilenceStillKeepsTheFocus) {
  auto* edit = AddEdit(etDouble, 0, 1);
  Focus(edit);
  LeaveFor(Other);
  EXPECT_EQ(edit->Text(), "0");
  EXPECT_EQ(Screen()->ActiveControl(), Other);

  auto* quiet = AddEdit(etDouble, 2, 3);
  int errors = 0;
  quiet->SetOnValidateError([&](TObject*, Integer Index, TLumValidateEditErrorAction& Action) {
    EXPECT_EQ(Index, 1);
    ++errors;
    Action = lveaNothing;
  });
  Focus(quiet);
  User.Type("-");
  EXPECT_DOUBLE_EQ(quiet->GetDouble(), 0) << "a text that does not convert reads 0";
  LeaveFor(Other);
  EXPECT_EQ(errors, 1);
  EXPECT_TRUE(User.Messages().empty());
  EXPECT_EQ(Screen()->ActiveControl(), quiet->Edit());
  EXPECT_EQ(quiet->Text(), "-") << "only a blank entry becomes 0";
}

TEST_F(ValidateEditTest, ListEntriesMustComeFromTheFilter) {
  auto* edit = AddEdit(etFilter);
  TStringList colours;
  colours.SetText("rot\r\ngrün\r\nblau\r\n");
  edit->SetText("BLAU");
  edit->SetFilter(&colours);
  EXPECT_EQ(edit->ComboBox()->Items()->Count(), 3);
  EXPECT_EQ(edit->ComboBox()->ItemIndex(), 2) << "the entry matching the text, case ignored";
  edit->Filter()->Add("gelb");
  EXPECT_EQ(edit->ComboBox()->Items()->Count(), 4) << "every change of Filter refills the list";

  edit->SetText("lila");
  edit->Filter()->Delete(3);
  EXPECT_EQ(edit->ComboBox()->ItemIndex(), 0) << "no match selects the first entry";

  Focus(edit);
  EXPECT_EQ(Screen()->ActiveControl(), edit->ComboBox());
  edit->SelectAll();
  User.Type("gelb");
  EXPECT_EQ(edit->Text(), "gelb");
  LeaveFor(Other);
  EXPECT_EQ(MessageTexts(), std::vector<String>{"Eingabefehler! Ungültige Zeichenkombination! "
                                                "Erwartet: rot, grün, blau"});
  EXPECT_EQ(Screen()->ActiveControl(), edit->ComboBox());
  edit->SelectAll();
  User.Type("BLAU");
  LeaveFor(Other);
  EXPECT_EQ(Screen()->ActiveControl(), Other) << edit->Text();

  auto* empty = AddEdit(etFilter);
  Focus(empty);
  LeaveFor(Other);
  EXPECT_EQ(MessageTexts().back(), "Eingabefehler! Ungültige Zeichenkombination! Erwartet: ???");
}

TEST_F(ValidateEditTest, HexAndBinaryValuesRoundTrip) {
  auto* edit = AddEdit(etHex);
  const struct {
    Integer Value;
    String Text;
  } hex[] = {{0, "0"}, {255, "FF"}, {-1, "FFFFFFFF"}, {INT_MIN, "80000000"}, {4096, "1000"}};
  for (const auto& h : hex) {
    edit->SetHex(h.Value);
    EXPECT_EQ(edit->Text(), h.Text);
    EXPECT_EQ(edit->GetHex(), h.Value) << h.Text;
  }
  edit->SetText("1ff");
  EXPECT_EQ(edit->GetHex(), 511);
  edit->SetText("123456789");
  EXPECT_EQ(edit->GetHex(), 0x12345678) << "only the first 8 digits count";
  EXPECT_EQ(edit->GetBin(), 0) << "another kind reads 0";

  edit->SetValEditTyp(etBin);
  for (const Integer v : {0, 1, 5, 1024, -1, -2, INT_MIN, INT_MAX}) {
    edit->SetBin(v);
    EXPECT_EQ(edit->GetBin(), v) << edit->Text();
  }
  edit->SetBin(5);
  EXPECT_EQ(edit->Text(), "101");
  edit->SetBin(-2);
  EXPECT_EQ(edit->Text(), String(31, '1') + "0");
  edit->SetBin(0);
  EXPECT_EQ(edit->Text(), "0");
  EXPECT_EQ(edit->GetHex(), 0);
}

TEST_F(ValidateEditTest, NumbersAreWrittenAndReadByKind) {
  auto* edit = AddEdit(etDouble);
  edit->SetDecimalPlaces(3);
  edit->SetDouble(3.14159);
  EXPECT_EQ(edit->Text(), "3.142");
  EXPECT_DOUBLE_EQ(edit->GetDouble(), 3.142);
  EXPECT_DOUBLE_EQ(edit->GetExponent(), 0);
  edit->SetValEditTyp(etExponent);
  edit->SetDecimalPlaces(2);
  edit->SetExponent(1234.5);
  EXPECT_EQ(edit->Text(), "1.23E+03");
  EXPECT_DOUBLE_EQ(edit->GetExponent(), 1230);
  edit->SetExponent(-0.000125);
  EXPECT_EQ(edit->Text(), "-1.25E-04");
  edit->SetDecimalPlaces(0);
  edit->SetExponent(1234.5);
  EXPECT_EQ(edit->Text(), "1E+03");
  edit->SetValEditTyp(etLongInt);
  edit->SetLongInt(-42);
  EXPECT_EQ(edit->GetLongInt(), -42);
  edit->SetText("99999999999");
  EXPECT_EQ(edit->GetLongInt(), 0) << "beyond 32 bits does not convert";
}

TEST_F(ValidateEditTest, PropertiesAndEventsReachTheInnerControls) {
  auto* edit = AddEdit(etString);
  edit->SetMaxLength(5);
  edit->SetEditColor(clYellow);
  edit->SetCharCase(ecUpperCase);
  edit->SetFEnabled(false);
  EXPECT_EQ(edit->ComboBox()->MaxLength(), 5);
  EXPECT_EQ(edit->ComboBox()->Color(), clYellow);
  EXPECT_EQ(edit->ComboBox()->CharCase(), ecUpperCase);
  EXPECT_FALSE(edit->Edit()->Enabled());
  EXPECT_FALSE(edit->ComboBox()->Enabled());
  edit->SetFEnabled(true);
  edit->SetReadOnly(true);
  EXPECT_TRUE(edit->Edit()->ReadOnly());
  EXPECT_EQ(edit->ComboBox()->Style(), csDropDownList);
  edit->SetReadOnly(false);
  EXPECT_EQ(edit->ComboBox()->Style(), csDropDown);
  edit->SetTabStop(false);
  EXPECT_FALSE(edit->Edit()->TabStop());
  EXPECT_FALSE(edit->TWinControl::TabStop()) << "the panel itself never takes a tab stop";

  std::vector<String> seen;
  edit->SetOnKeyPress([&](TObject* Sender, char& Key) {
    EXPECT_EQ(Sender, edit);
    seen.push_back(String("press ") + Key);
  });
  edit->SetOnClick([&](TObject* Sender) {
    EXPECT_EQ(Sender, edit);
    seen.push_back("click");
  });
  edit->SetOnMouseDown([&](TObject* Sender, TMouseButton, TShiftState, int X, int Y) {
    EXPECT_EQ(Sender, edit);
    seen.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  });
  Focus(edit);
  User.Click(edit->Edit(), TPoint{7, 5});
  User.Type("ab");
  EXPECT_EQ(seen, (std::vector<String>{"down 7,5", "click", "press a", "press b"}));
  EXPECT_EQ(edit->Text(), "AB");
  edit->SetSelStart(1);
  edit->SetSelLength(1);
  EXPECT_EQ(edit->SelText(), "B");
  edit->SetSelText("X");
  EXPECT_EQ(edit->Text(), "AX");
  edit->SelectAll();
  edit->ClearSelection();
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(ValidateEditTest, GoesThroughFormFiles) {
  RegisterClass<TEdit>();
  auto* edit = AddEdit(etHex, 16, 4095);
  edit->SetName("Hex1");
  edit->SetDecimalPlaces(4);
  edit->SetValidate(false);
  edit->SetValidateMessage(false);
  edit->Filter()->SetText("a\r\nb\r\n");
  edit->SetAutoSelect(false);
  edit->SetAutoSize(false);
  edit->SetCharCase(ecUpperCase);
  edit->SetCursor(crHandPoint);
  edit->SetDragCursor(crNo);
  edit->SetDragMode(dmAutomatic);
  edit->SetEditColor(clYellow);
  edit->SetFEnabled(false);
  edit->SetHideSelection(false);
  edit->SetMaxLength(8);
  edit->SetPasswordChar('*');
  edit->SetReadOnly(true);
  edit->SetTabStop(false);
  edit->SetText("1F");
  edit->SetBorderStyle(bsSingle);
  edit->SetColor(clAqua);
  edit->SetCtl3D(false);
  edit->SetShowHint(true);
  edit->SetHint("hex");
  Form->SetName("Form1");
  const String text = WriteFormText(Form);
  EXPECT_NE(text.find("ValEditTyp = etHex"), String::npos) << text;
  EXPECT_NE(text.find("MaxValue = 4095"), String::npos) << text;
  std::size_t objects = 0;
  for (std::size_t at = text.find("object "); at != String::npos; at = text.find("object ", at + 1))
    ++objects;
  EXPECT_EQ(objects, 3u) << "inner controls are not stored: " << text;
  EXPECT_EQ(text.find("Caption"), String::npos) << text;

  Form->SetName("Old");
  TForm* copy = NewForm();
  copy->SetName("Form1");
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumValidateEdit*>(copy->FindComponent("Hex1"));
  ASSERT_TRUE(read) << text;
  EXPECT_EQ(read->GetHex(), 31);
  EXPECT_EQ(read->ComboBox()->Items()->Count(), 2);
  EXPECT_EQ(read->Edit()->PasswordChar(), '*');
  EXPECT_FALSE(read->Edit()->Ctl3D()) << "the inner controls follow the panel's Ctl3D";
  EXPECT_EQ(read->ControlCount(), 2);
  EXPECT_EQ(WriteFormText(copy), text);
}

// Builds the data-aware inner controls, as a data-bound descendant does.
class TBoundValidateEdit : public TLumValidateEdit {
  LUM_CLASS(TBoundValidateEdit, TLumValidateEdit)
public:
  explicit TBoundValidateEdit(TComponent* AOwner)
      : TLumValidateEdit(AOwner, TInnerControls::DataAware) {}
  void Bind(const String& Field) {
    FDataField = Field;
    BindVisibleControl();
  }
};

TEST_F(ValidateEditTest, ADataAwareDescendantGetsDataAwareInnerControls) {
  NewForm();
  auto* edit = new TBoundValidateEdit(Forms.back());
  auto* dbEdit = dynamic_cast<TDBEdit*>(edit->Edit());
  auto* dbCombo = dynamic_cast<TDBComboBox*>(edit->ComboBox());
  ASSERT_TRUE(dbEdit && dbCombo);
  edit->Bind("NAME");
  EXPECT_EQ(dbEdit->DataField(), "NAME");
  EXPECT_EQ(dbCombo->DataField(), "");
  edit->SetValEditTyp(etFilter);
  EXPECT_EQ(dbEdit->DataField(), "") << "the hidden control is bound to no field";
  EXPECT_EQ(dbCombo->DataField(), "NAME");
  EXPECT_FALSE(dynamic_cast<TDBEdit*>(AddEdit(etString)->Edit()));
}

TEST_F(ValidateEditTest, EveryKindDrawn) {
  Form = NewForm(300, 250);
  const TValEditTyp kinds[] = {etBin, etDouble, etExponent, etFilter, etHex, etLongInt, etString};
  const char* texts[] = {"1011", "3.14", "1.5E+03", "", "FF", "-42", "Text"};
  std::vector<TLumValidateEdit*> edits;
  for (int i = 0; i < 7; ++i) {
    auto* edit = new TLumValidateEdit(Form);
    edit->SetBounds(10, 10 + 30 * i, 121, 21);
    edit->SetValEditTyp(kinds[i]);
    edit->Filter()->SetText("Liste\r\nzwei\r\n");
    if (*texts[i]) edit->SetText(texts[i]);
    edits.push_back(edit);
  }
  Form->Show();
  User.ProcessMessages();
  User.SaveSnapshot(Form, SheetPath("validate_edits.png"));
  EXPECT_EQ(PixelAt(Form, edits[0], TPoint{100, 10}), clWhite) << "the edit fills the panel";
  EXPECT_EQ(PixelAt(Form, edits[3], TPoint{106, 10}), ColorToRGB(clBtnFace))
      << "a list entry shows the combo box's button";
}

} // namespace
