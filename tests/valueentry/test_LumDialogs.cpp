#include "framework/controls/Application.h"
#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "valueentry/LumMemoDialog1.h"
#include "valueentry/LumMemodialog2.h"
#include "valueentry/Lumzln1.h"
#include "valueentry/Lumzln2.h"

using namespace controltest;

namespace {

using LineDialogTest = ControlTest;

TEST_F(LineDialogTest, DefaultsCarryTheTranslationCookie) {
  TLumZeilenDialog dialog(nullptr);
  EXPECT_EQ(dialog.Oktext(), "##&Ok");
  EXPECT_EQ(dialog.Abbrechentext(), "##&Abbrechen");
  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TZeilenDialog*>(Form);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->BitBtn1->Caption(), "##&Ok") << "no translation on the form";
    EXPECT_EQ(window->BitBtn2->Caption(), "##&Abbrechen");
    EXPECT_EQ(Screen()->ActiveControl(), window->MaskEdit1) << "the edit takes the focus";
    User.ProcessMessages();
    User.SaveSnapshot(Form, SheetPath("line_dialog.png"));
    User.Enter();
  });
  EXPECT_TRUE(dialog.Execute());
}

TEST_F(LineDialogTest, TypedCommasBecomePointsWhereTheyWereTyped) {
  TLumZeilenDialog dialog(nullptr);
  dialog.SetUeberschrift("Wert");
  dialog.SetLabeltext("&Faktor:");
  dialog.SetZeilentext("x");
  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TZeilenDialog*>(Form);
    EXPECT_EQ(window->Caption(), "Wert");
    EXPECT_EQ(window->Label1->Caption(), "&Faktor:");
    window->MaskEdit1->SelectAll();
    User.Type("3,5");
    EXPECT_EQ(window->MaskEdit1->Text(), "3.5");
    User.Type(",2");
    EXPECT_EQ(window->MaskEdit1->Text(), "3.5.2") << "every comma typed later too";
    User.PressKey(VK_HOME);
    User.Type("1,");
    EXPECT_EQ(window->MaskEdit1->Text(), "1.3.5.2");
    EXPECT_EQ(window->MaskEdit1->SelStart(), 2);
    User.Click(window->BitBtn1);
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Zeilentext(), "1.3.5.2");

  dialog.SetKommazuPunkt(false);
  dialog.SetZeilenlaenge(4);
  dialog.SetCharCase(ecUpperCase);
  dialog.SetPasswordChar('*');
  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TZeilenDialog*>(Form);
    EXPECT_EQ(window->MaskEdit1->MaxLength(), 4);
    EXPECT_EQ(window->MaskEdit1->PasswordChar(), '*');
    window->MaskEdit1->SelectAll();
    User.Type("ab,cd");
    User.Escape();
  });
  EXPECT_FALSE(dialog.Execute()) << "cancelled";
  EXPECT_EQ(dialog.Zeilentext(), "AB,C") << "cancelling still hands the text back";
}

TEST_F(LineDialogTest, TheMaskShapesTheLine) {
  TLumZeilenDialog dialog(nullptr);
  dialog.SetEditmask("00:00;1;_");
  dialog.SetZeilentext("12:3");
  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TZeilenDialog*>(Form);
    EXPECT_EQ(window->MaskEdit1->EditText(), "12:3_") << "the mask is set after the text";
    window->MaskEdit1->SetSelStart(4);
    User.Type("0");
    User.Click(window->BitBtn1);
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Zeilentext(), "12:30");
}

using MemoDialogTest = ControlTest;

TEST_F(MemoDialogTest, HandsBackTheLinesOnOkAndOnCancel) {
  TLumMemoDialog dialog(nullptr);
  dialog.SetUeberschrift("Notiz");
  dialog.SetLabeltext("Text:");
  dialog.SetMemotext("erste");
  dialog.SetMaxLength(30);
  dialog.SetScrollBars(ssVertical);
  dialog.SetWordWrap(false);
  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TMemoDialog*>(Form);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Caption(), "Notiz");
    EXPECT_EQ(window->BitBtn1->Caption(), "&Ok");
    EXPECT_EQ(window->Memo1->MaxLength(), 30);
    EXPECT_EQ(window->Memo1->ScrollBars(), ssVertical);
    EXPECT_FALSE(window->Memo1->WordWrap());
    EXPECT_EQ(Screen()->ActiveControl(), window->Memo1);
    User.PressKey(VK_END);
    User.Enter();
    User.Type("zweite");
    User.ProcessMessages();
    User.SaveSnapshot(Form, SheetPath("memo_dialog.png"));
    User.Click(window->BitBtn1);
  });
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Memotext(), "erste\r\nzweite") << "the return went into the memo";

  dialog.SetWantReturns(false);
  User.WhenModal([&](TCustomForm*) {
    User.Type("!");
    User.Escape();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.Memotext(), "!erste\r\nzweite");
}

} // namespace
