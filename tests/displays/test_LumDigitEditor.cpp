#include "tests/displays/DisplayTestSupport.h"

#include "displays/LumDigitEditor.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/design/DesignIntf.h"
#include "framework/rtl/DateTime.h"
#include "lists/LumList.h"

#include <cmath>

using namespace displaytest;

namespace {

template <class C> C* Named(TCustomForm* Form, const String& Name) {
  auto* control = dynamic_cast<C*>(Form->FindComponent(Name));
  if (!control) throw Exception("The editor has no " + Name);
  return control;
}

TLumDigit* PreviewOf(TCustomForm* Form) {
  auto* window = dynamic_cast<TLumDigitFenster*>(Form);
  if (!window) throw Exception("Not the digit editor: " + Form->Caption());
  return window->Preview();
}

COLORREF StripPixel(int Strip, char C, int X, int Y) {
  TBitmap strip;
  strip.LoadFromResourceName(nullptr, "LumDigitBitmap" + std::to_string(Strip));
  return static_cast<COLORREF>(strip.Canvas()->Pixels(14 * GlyphIndex(C) + X, Y));
}

class TCountingDesigner : public IDesigner {
public:
  explicit TCountingDesigner(TComponent* ARoot) : Root(ARoot) {}
  TComponent* GetRoot() override { return Root; }
  void Modified() override { ++Modifications; }
  TComponent* Root;
  int Modifications = 0;
};

class DigitEditorTest : public DisplayTest {
protected:
  void SetUp() override {
    Digit = ShowNew<TLumDigit>();
    Form()->SetName("MainForm");
    Digit->SetName("Digit1");
  }
  void UseStrip(int Strip) {
    TPicture picture;
    picture.Bitmap()->LoadFromResourceName(nullptr, "LumDigitBitmap" + std::to_string(Strip));
    Digit->SetDigitBitmap(&picture);
  }
  void Retype(TCustomEdit* Edit, const String& Text) {
    User.Click(Edit);
    User.PressKey(VK_END);
    User.PressKey(VK_HOME, TShiftState{ssShift});
    User.PressKey(VK_DELETE);
    User.Type(Text);
  }
  void ClickStrip(TCustomForm* Form, int Index) {
    auto* list = Named<TLumList>(Form, "DBListe");
    list->SetTopIndex(Index);
    User.Click(list, TPoint{20, list->ItemRect(Index).Top + 4});
  }
  void ChooseStyle(TCustomForm* Form, TDigitStyle Style) {
    User.Click(Named<TRadioGroup>(Form, "DigitStyle")->Buttons(static_cast<int>(Style)));
  }
  // The glyph the preview shows at position I (1 the rightmost), repainted first.
  char PreviewGlyph(TCustomForm* Form, int I) {
    PreviewOf(Form)->Repaint();
    return PreviewOf(Form)->DigitPosition(I).Target;
  }
  TLumDigit* Digit = nullptr;
};

TEST_F(DigitEditorTest, TheVerbOpensTheSettingsAndAcceptTakesTheChangesBack) {
  UseStrip(3);
  Digit->SetDigitCount(6);
  Digit->SetDecimals(3);
  Digit->SetValue(Integer(42));
  TCountingDesigner designer(Form());
  TLumDigitEditor editor(Digit, &designer);
  ASSERT_EQ(editor.GetVerbCount(), 1);
  EXPECT_EQ(editor.GetVerb(0), "&Edit LumDigit");
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "MainForm.Digit1 - LumDigit Editor");
    auto* list = Named<TLumList>(form, "DBListe");
    ASSERT_EQ(list->Items()->Count(), 5);
    EXPECT_EQ(list->Items()->Strings(0), "Standard 1");
    EXPECT_EQ(list->Items()->Strings(4), "Owner");
    EXPECT_EQ(list->ItemIndex(), 4);
    EXPECT_EQ(Named<TRadioGroup>(form, "DigitStyle")->ItemIndex(), 0);
    EXPECT_EQ(Named<TSpinEdit>(form, "DigitCount")->Value(), 6);
    EXPECT_EQ(Named<TSpinEdit>(form, "Decimals")->Value(), 3);
    EXPECT_FALSE(Named<TCheckBox>(form, "DigitScrolling")->Checked());

    TLumDigit* preview = PreviewOf(form);
    preview->Repaint();
    const TShot before(User, form, preview);
    EXPECT_EQ(before.At(5 * 14 + 6, 9), StripPixel(3, '2', 6, 9));
    EXPECT_EQ(before.At(4 * 14 + 6, 9), StripPixel(3, '4', 6, 9));

    ClickStrip(form, 3);
    preview->Repaint();
    const TShot red(User, form, preview);
    for (const int y : {0, 9, 19}) EXPECT_EQ(red.At(5 * 14 + 6, y), StripPixel(4, '2', 6, y)) << y;
    Retype(Named<TSpinEdit>(form, "DigitCount"), "8");
    EXPECT_EQ(preview->Width(), 8 * 14);
    User.Click(Named<TCheckBox>(form, "DigitScrolling"));
    User.ProcessMessages();
    User.SaveSnapshot(form, SheetPath("LumDigitEditor.png"));
    User.Click(Named<TButton>(form, "AcceptButton"));
  });
  editor.Edit();
  EXPECT_EQ(designer.Modifications, 1);
  EXPECT_EQ(Digit->DigitCount(), 8);
  EXPECT_EQ(Digit->Decimals(), 3);
  EXPECT_TRUE(Digit->DigitScrolling());
  EXPECT_EQ(Digit->DigitStyle(), dsInteger);
  EXPECT_EQ(Digit->Value().AsInteger(), 42);
  EXPECT_EQ(static_cast<COLORREF>(Digit->DigitBitmap()->Bitmap()->Canvas()->Pixels(20, 9)),
            StripPixel(4, '1', 6, 9));
}

TEST_F(DigitEditorTest, ChoosingAStyleKeepsItAndAcceptKeepsTheStoredNumberForADate) {
  Digit->SetValue(Integer(7));
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "LumDigit Editor");
    TLumDigit* preview = PreviewOf(form);
    auto* clock = dynamic_cast<TLumDigitFenster*>(form)->Timer1();

    ChooseStyle(form, dsTime);
    EXPECT_EQ(preview->DigitStyle(), dsTime);
    EXPECT_TRUE(clock->Enabled());
    User.Advance(100);
    EXPECT_EQ(VarType(preview->Value()), varDate);
    const double sinceTick = (Time() - preview->Value().AsDateTime()) * 86400;
    EXPECT_GE(sinceTick, 0);
    EXPECT_LT(sinceTick, 5);
    EXPECT_EQ(PreviewGlyph(form, 3), ':');

    ChooseStyle(form, dsDouble);
    EXPECT_FALSE(clock->Enabled());
    EXPECT_EQ(preview->DigitStyle(), dsDouble);
    EXPECT_DOUBLE_EQ(preview->Value().AsDouble(), 7);
    EXPECT_EQ(PreviewGlyph(form, 3), '.');

    ChooseStyle(form, dsDate);
    EXPECT_EQ(preview->DigitStyle(), dsDate);
    EXPECT_DOUBLE_EQ(preview->Value().AsDateTime(), Date());
    EXPECT_EQ(PreviewGlyph(form, 5), '.');
    User.Click(Named<TButton>(form, "AcceptButton"));
  });
  Digit->Edit_aufrufen();
  EXPECT_EQ(Digit->DigitStyle(), dsDate);
  EXPECT_EQ(VarType(Digit->Value()), varInteger);
  EXPECT_EQ(Digit->Value().AsInteger(), 7);
}

TEST_F(DigitEditorTest, ATimeDisplayRunsTheClockAndCancelLeavesTheDisplayAsItWas) {
  Digit->SetValue(VarFromDateTime(0.5));
  Digit->SetDigitStyle(dsTime);
  Digit->SetDigitCount(8);
  User.WhenModal([&](TCustomForm* form) {
    TLumDigit* preview = PreviewOf(form);
    EXPECT_EQ(Named<TRadioGroup>(form, "DigitStyle")->ItemIndex(), 3);
    EXPECT_TRUE(dynamic_cast<TLumDigitFenster*>(form)->Timer1()->Enabled());
    User.Advance(100);
    EXPECT_NE(preview->Value().AsDateTime(), 0.5);
    ClickStrip(form, 1);
    Retype(Named<TSpinEdit>(form, "Decimals"), "99");
    EXPECT_EQ(preview->Decimals(), 10);
    Retype(Named<TSpinEdit>(form, "DigitCount"), "3");
    EXPECT_EQ(preview->DigitCount(), 3);
    User.Click(Named<TButton>(form, "CancelButton"));
  });
  Digit->Edit_aufrufen();
  EXPECT_DOUBLE_EQ(Digit->Value().AsDateTime(), 0.5);
  EXPECT_EQ(Digit->DigitCount(), 8);
  EXPECT_EQ(Digit->Decimals(), 2);
  EXPECT_EQ(static_cast<COLORREF>(Digit->DigitBitmap()->Bitmap()->Canvas()->Pixels(20, 9)),
            StripPixel(1, '1', 6, 9));

  // Accept keeps the stored time rather than the clock's.
  User.WhenModal([&](TCustomForm* form) {
    User.Advance(300);
    User.Click(Named<TButton>(form, "AcceptButton"));
  });
  Digit->Edit_aufrufen();
  EXPECT_EQ(Digit->DigitStyle(), dsTime);
  EXPECT_DOUBLE_EQ(Digit->Value().AsDateTime(), 0.5);
}

} // namespace
