#include "framework/classes/FormFile.h"
#include "framework/controls/EditMask.h"
#include "framework/controls/Edits.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/win32/WinGdiText.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

using namespace controltest;

namespace {

class EditsTest : public ControlTest {
protected:
  TForm* Form = nullptr;
  template <class E> E* Add(int Left, int Top) {
    if (!Form) Form = NewForm(400, 300);
    return Place(Form, new E(Form), Left, Top);
  }
  void ShowWithFocus(TWinControl* Control) {
    Form->Show();
    Control->SetFocus();
    User.ProcessMessages();
  }
};

// --- TEdit -----------------------------------------------------------------------------

TEST_F(EditsTest, EditTypingCountsChangesAndKeepsTheCaretOnCharacters) {
  auto* edit = Add<TEdit>(10, 10);
  int changes = 0;
  edit->SetOnChange([&](TObject*) { ++changes; });
  ShowWithFocus(edit);
  User.Type("Gr\xC3\xB6\xC3\x9F"
            "e");
  EXPECT_EQ(edit->Text(), "Gr\xC3\xB6\xC3\x9F"
                          "e");
  EXPECT_EQ(changes, 5) << "one change per character, not per byte";
  User.PressKey(VK_LEFT);
  User.PressKey(VK_LEFT);
  EXPECT_EQ(edit->SelStart(), 4);
  User.PressKey(VK_LEFT, TShiftState{ssShift});
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelText(), "\xC3\xB6");
  EXPECT_TRUE(edit->Modified());
}

TEST_F(EditsTest, EditChangeInCodeWithAndWithoutWindow) {
  auto* edit = Add<TEdit>(10, 10);
  int changes = 0;
  edit->SetOnChange([&](TObject*) { ++changes; });
  edit->SetText("before");
  EXPECT_EQ(changes, 1);
  Form->Show();
  ASSERT_TRUE(edit->HandleAllocated());
  EXPECT_EQ(changes, 1) << "creating the window is no change";
  edit->SetText("after");
  EXPECT_EQ(changes, 2);
  edit->SetText("after");
  EXPECT_EQ(changes, 2);
  edit->Clear();
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(edit->Text(), "");
}

TEST_F(EditsTest, EditSelectionAndModifiedSurviveTheWindow) {
  auto* edit = Add<TEdit>(10, 10);
  edit->SetAutoSelect(false);
  edit->SetText("hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(5);
  EXPECT_EQ(edit->SelText(), "world");
  edit->SetSelText("there");
  EXPECT_EQ(edit->Text(), "hello there");
  edit->SetSelStart(0);
  edit->SetSelLength(5);
  edit->SetModified(true);
  Form->Show();
  EXPECT_EQ(edit->SelText(), "hello");
  EXPECT_TRUE(edit->Modified());
  edit->ClearSelection();
  EXPECT_EQ(edit->Text(), " there");
  edit->SelectAll();
  EXPECT_EQ(edit->SelLength(), 6);
  edit->RecreateWnd();
  EXPECT_EQ(edit->SelLength(), 6);
  EXPECT_EQ(edit->Text(), " there");
}

TEST_F(EditsTest, EditMaxLengthPasswordReadOnlyAndCase) {
  auto* edit = Add<TEdit>(10, 10);
  edit->SetMaxLength(3);
  edit->SetPasswordChar('*');
  ShowWithFocus(edit);
  User.Type("abcdef");
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_THROW(edit->SetMaxLength(-1), EInvalidOperation);
  EXPECT_EQ(edit->MaxLength(), 3);
  edit->SetReadOnly(true);
  User.Type("z");
  User.PressKey(VK_BACK);
  EXPECT_EQ(edit->Text(), "abc");
  edit->SetReadOnly(false);
  edit->SetMaxLength(0);
  edit->SetCharCase(ecUpperCase);
  EXPECT_EQ(edit->Text(), "ABC");
  edit->SetFocus();
  User.PressKey(VK_END);
  User.Type("d");
  EXPECT_EQ(edit->Text(), "ABCD");
}

TEST_F(EditsTest, EditAutoSelectOnTabAndAutoSizeFromFont) {
  auto* first = Add<TEdit>(10, 10);
  auto* second = Add<TEdit>(10, 50);
  second->SetText("all of it");
  first->SetText("clicked");
  ShowWithFocus(first);
  User.Tab();
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->SelLength(), 9);
  User.Click(first, {5, first->Height() / 2});
  EXPECT_TRUE(first->Focused());
  EXPECT_EQ(first->SelLength(), 0) << "a click places the caret, it selects nothing";
  const int line = FontHeight(second->Font());
  EXPECT_EQ(second->Height(), line + 8);
  second->Font()->SetSize(20);
  EXPECT_GT(second->Height(), line + 8);
}

// The validating pattern: the change handler writes a cleaned text and puts the caret back.
TEST_F(EditsTest, EditRewrittenOnEveryChangeKeepsTheCaret) {
  auto* edit = Add<TEdit>(10, 10);
  edit->SetOnChange([&](TObject*) {
    const int caret = edit->SelStart();
    String cleaned;
    for (char c : edit->Text())
      if (c >= '0' && c <= '9') cleaned += c;
    edit->SetText(cleaned);
    edit->SetSelStart(std::min(caret, static_cast<int>(cleaned.size())));
  });
  ShowWithFocus(edit);
  User.Type("12x3");
  EXPECT_EQ(edit->Text(), "123");
  EXPECT_EQ(edit->SelStart(), 3);
  User.PressKey(VK_LEFT);
  User.PressKey(VK_LEFT);
  User.Type("9");
  EXPECT_EQ(edit->Text(), "1923");
  EXPECT_EQ(edit->SelStart(), 2);
}

// --- TMemo -----------------------------------------------------------------------------

TEST_F(EditsTest, MemoLinesWorkWithAndWithoutWindow) {
  auto* memo = Add<TMemo>(10, 10);
  int changes = 0;
  memo->SetOnChange([&](TObject*) { ++changes; });
  memo->Lines()->Add("one");
  memo->Lines()->Add("two");
  EXPECT_EQ(memo->Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(changes, 2);
  Form->Show();
  ASSERT_TRUE(memo->HandleAllocated());
  EXPECT_EQ(memo->Lines()->Count(), 2);
  memo->Lines()->SetStrings(1, "deux");
  memo->Lines()->Insert(0, "zero");
  memo->Lines()->Delete(1);
  EXPECT_EQ(memo->Text(), "zero\r\ndeux\r\n");
  EXPECT_EQ(changes, 5) << "a memo's window says nothing of WM_SETTEXT; the control does";
  EXPECT_EQ(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_THROW(memo->Lines()->Strings(5), EListError);
  memo->Lines()->SetText("a\r\nb");
  EXPECT_EQ(memo->Lines()->Strings(1), "b");
  memo->Lines()->Clear();
  EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(EditsTest, MemoReturnsTabsAndStyles) {
  auto* memo = Add<TMemo>(10, 10);
  auto* after = Add<TEdit>(10, 150);
  memo->SetScrollBars(ssVertical);
  ShowWithFocus(memo);
  const LONG style = GetWindowLongA(memo->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_FALSE(style & ES_AUTOHSCROLL) << "word wrap";
  User.Type("a");
  User.Enter();
  User.Type("b");
  EXPECT_EQ(memo->Text(), "a\r\nb");
  User.Tab();
  EXPECT_TRUE(after->Focused()) << "Tab moves on without WantTabs";
  EXPECT_EQ(memo->Text(), "a\r\nb");
  memo->SetWantTabs(true);
  memo->SetWantReturns(false);
  memo->SetFocus();
  User.PressKey(VK_END, TShiftState{ssCtrl});
  User.Tab();
  User.Enter();
  EXPECT_TRUE(memo->Focused());
  EXPECT_EQ(memo->Text(), "a\r\nb\t");
  memo->SetWordWrap(false);
  EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_EQ(memo->Text(), "a\r\nb\t");
}

// --- TEditMask -------------------------------------------------------------------------

TEST(EditMaskTest, ParsesPositionsCaseEscapesAndFields) {
  const TEditMask mask(">LL<l\\L_!09#;0;*");
  ASSERT_EQ(mask.Length(), 8u);
  EXPECT_EQ(mask.At(0).Kind, TEditMask::TKind::Letter);
  EXPECT_TRUE(mask.At(0).Required);
  EXPECT_EQ(mask.At(1).Case, TEditMask::TCase::Upper);
  EXPECT_FALSE(mask.At(2).Required);
  EXPECT_EQ(mask.At(2).Case, TEditMask::TCase::Lower);
  EXPECT_EQ(mask.At(3).Literal, "L");
  EXPECT_EQ(mask.At(4).Literal, " ");
  EXPECT_EQ(mask.At(7).Kind, TEditMask::TKind::DigitOrSign);
  EXPECT_FALSE(mask.SavesLiterals());
  EXPECT_EQ(mask.Blank(), '*');
  EXPECT_EQ(TEditMask::Join(mask.BlankCells()), "***L ***");
  EXPECT_EQ(mask.Accept(0, "q"), std::optional<String>("Q"));
  EXPECT_EQ(mask.Accept(2, "Q"), std::optional<String>("q"));
  EXPECT_EQ(mask.Accept(5, "a"), std::nullopt);
  EXPECT_EQ(mask.Accept(3, "L"), std::nullopt) << "literals take no input";
  EXPECT_EQ(mask.Accept(7, "-"), std::optional<String>("-"));
  EXPECT_TRUE(TEditMask("99;1;_").SavesLiterals());
  EXPECT_EQ(TEditMask("00").Blank(), '_');
}

TEST(EditMaskTest, TextAndEditTextBothWays) {
  const TEditMask saved("00/00/0000;1;_");
  const auto cells = saved.CellsFromText("24/12/2026");
  EXPECT_EQ(TEditMask::Join(cells), "24/12/2026");
  EXPECT_EQ(saved.FirstInvalid(cells), std::nullopt);
  const auto partial = saved.CellsOf("24/1_/____");
  EXPECT_EQ(saved.FirstInvalid(partial), std::optional<std::size_t>(4));
  EXPECT_EQ(saved.TextFromCells(partial), "24/1 /    ");
  const TEditMask bare("(999) 000;0;_");
  const auto phone = bare.CellsFromText("12345");
  EXPECT_EQ(TEditMask::Join(phone), "(123) 45_");
  EXPECT_EQ(bare.TextFromCells(phone), "12345 ");
  EXPECT_EQ(bare.FirstInvalid(phone), std::optional<std::size_t>(8));
  const TEditMask right("!999;0;_");
  EXPECT_EQ(TEditMask::Join(right.CellsFromText("7")), "__7");
  EXPECT_EQ(bare.NextInput(0), 1u);
  EXPECT_EQ(bare.NextInput(4), 6u);
  EXPECT_EQ(bare.PreviousInput(6), std::optional<std::size_t>(3));
  EXPECT_EQ(bare.PreviousInput(1), std::nullopt);
}

// --- TMaskEdit -------------------------------------------------------------------------

TEST_F(EditsTest, MaskEditTypingSkipsLiteralsAndRefusesWithABeep) {
  auto* edit = Add<TMaskEdit>(10, 10);
  edit->SetEditMask("00/00/0000;1;_");
  int changes = 0;
  edit->SetOnChange([&](TObject*) { ++changes; });
  EXPECT_EQ(edit->EditText(), "__/__/____");
  ShowWithFocus(edit);
  User.PressKey(VK_HOME);
  User.Type("2412");
  EXPECT_EQ(edit->EditText(), "24/12/____");
  EXPECT_EQ(edit->SelStart(), 6) << "after the second literal";
  EXPECT_EQ(changes, 4);
  const auto beeps = MessageBeepCount();
  User.Type("x");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  EXPECT_EQ(edit->EditText(), "24/12/____");
  EXPECT_EQ(changes, 4);
  User.Type("2026");
  EXPECT_EQ(edit->Text(), "24/12/2026");
  User.PressKey(VK_LEFT);
  User.PressKey(VK_BACK);
  EXPECT_EQ(edit->EditText(), "24/12/20_6");
  User.PressKey(VK_HOME);
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_RIGHT);
  EXPECT_EQ(edit->SelStart(), 3) << "the literal is stepped over";
}

TEST_F(EditsTest, MaskEditTextLeavesUnsavedLiteralsOut) {
  auto* edit = Add<TMaskEdit>(10, 10);
  edit->SetEditMask(">LL-000;0;_");
  edit->SetText("ab123");
  EXPECT_EQ(edit->EditText(), "AB-123");
  EXPECT_EQ(edit->Text(), "AB123");
  Form->Show();
  EXPECT_EQ(GetWindowTextLengthA(edit->Handle()), 6);
  edit->SetEditMask("");
  EXPECT_EQ(edit->Text(), "AB123");
}

TEST_F(EditsTest, MaskEditValidatesOnExitAndEscapeRestores) {
  auto* edit = Add<TMaskEdit>(10, 10);
  auto* other = Add<TEdit>(10, 50);
  edit->SetEditMask("000;1;_");
  ShowWithFocus(edit);
  User.PressKey(VK_HOME);
  User.Type("1");
  User.Tab();
  ASSERT_FALSE(User.Messages().empty());
  EXPECT_EQ(User.Messages().back().Text, String(SMaskEditErr) + ".");
  EXPECT_TRUE(edit->Focused());
  EXPECT_FALSE(other->Focused());
  EXPECT_EQ(edit->SelStart(), 1) << "the caret at the first missing position";
  User.PressKey(VK_ESCAPE);
  EXPECT_EQ(edit->EditText(), "___");
  User.Type("123");
  User.Tab();
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(edit->Text(), "123");
  EXPECT_THROW(
      {
        edit->SetText("12");
        edit->ValidateEdit();
      },
      EDBEditError);
}

// --- TSpinEdit -------------------------------------------------------------------------

TEST_F(EditsTest, SpinEditStepsWithinBoundsByKeysAndButtons) {
  auto* spin = Add<TSpinEdit>(10, 10);
  spin->SetMinValue(-5);
  spin->SetMaxValue(10);
  spin->SetIncrement(4);
  spin->SetValue(3);
  int changes = 0;
  spin->SetOnChange([&](TObject*) { ++changes; });
  ShowWithFocus(spin);
  User.PressKey(VK_UP);
  EXPECT_EQ(spin->Value(), 7);
  User.PressKey(VK_UP);
  EXPECT_EQ(spin->Value(), 10) << "held at MaxValue";
  const int below = spin->Button()->Height() * 3 / 4;
  User.Click(spin->Button(), {5, below});
  User.Advance(1000);
  User.Click(spin->Button(), {5, below});
  EXPECT_EQ(spin->Value(), 2);
  User.Advance(1000);
  User.Click(spin->Button(), {5, 2});
  EXPECT_EQ(spin->Value(), 6);
  EXPECT_EQ(changes, 5);
  spin->SetValue(-99);
  EXPECT_EQ(spin->Text(), "-5");
}

TEST_F(EditsTest, SpinEditRefusesNonDigitsAndReadsBadTextAsMinimum) {
  auto* spin = Add<TSpinEdit>(10, 10);
  auto* other = Add<TEdit>(10, 50);
  spin->SetMinValue(-10);
  spin->SetMaxValue(100);
  ShowWithFocus(spin);
  spin->SelectAll();
  const auto beeps = MessageBeepCount();
  User.Type("-4x2");
  EXPECT_EQ(spin->Text(), "-42");
  EXPECT_EQ(MessageBeepCount(), beeps + 1);
  User.PressKey(VK_HOME);
  User.Type("-");
  EXPECT_EQ(spin->Text(), "-42") << "a second sign is refused at the start too";
  spin->SetText("");
  EXPECT_EQ(spin->Value(), -10);
  spin->SetText("500");
  other->SetFocus();
  EXPECT_EQ(spin->Text(), "100") << "leaving corrects the value";
}

// A mask that saves no literals, its text shorter than the mask, read back from a form file.
TEST_F(EditsTest, MaskEditTextGoesThroughFormFiles) {
  auto* masked = Add<TMaskEdit>(10, 150);
  masked->SetName("Mask1");
  masked->SetEditMask("000;0;_");
  masked->SetText("42");
  Form->SetName("Form1");
  const String text = WriteFormText(Form);
  Form->SetName("Old");
  TForm* copy = NewForm();
  copy->SetName("Form1");
  ReadFormText(text, copy);
  auto* masked2 = dynamic_cast<TMaskEdit*>(copy->FindComponent("Mask1"));
  ASSERT_NE(masked2, nullptr) << text;
  EXPECT_EQ(masked2->EditText(), "42_");
  EXPECT_EQ(masked2->Text(), "42 ");
}

TEST_F(EditsTest, SheetOfTheEditControls) {
  auto* plain = Add<TEdit>(10, 10);
  plain->SetText("An edit");
  auto* secret = Add<TEdit>(10, 45);
  secret->SetPasswordChar('*');
  secret->SetText("secret");
  auto* masked = Add<TMaskEdit>(10, 80);
  masked->SetEditMask("00/00/0000;1;_");
  masked->SetText("24/12/2026");
  auto* memo = Add<TMemo>(150, 10);
  memo->SetScrollBars(ssVertical);
  memo->Lines()->SetText("A memo with a scroll bar\r\nand lines\r\n3\r\n4\r\n5\r\n6\r\n7");
  auto* spin = Add<TSpinEdit>(10, 115);
  spin->SetValue(42);
  ShowWithFocus(plain);
  plain->SelectAll();
  User.SaveSnapshot(Form, SheetPath("edits.png"));
  int navy = 0;
  for (int x = 0; x < 30; ++x)
    navy += PixelAt(Form, plain, {x, plain->ClientHeight() / 2}) == clNavy ? 1 : 0;
  EXPECT_GT(navy, 5) << "the selection in the highlight colour";
}

} // namespace
