#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/rtl/ErrorTesting.h"

#include "framework/controls/Panels.h"
#include "framework/controls/StdCtrls.h"

using namespace controltest;

namespace {

class FormTest : public ControlTest {
protected:
  TButton* AddButton(TForm* Form, const String& Caption, TModalResult Result, int Left) {
    auto* button = Titled(Place(Form, new TButton(Form), Bounds(Left, 150, 75, 25)), Caption);
    button->SetModalResult(Result);
    return button;
  }
};

TEST_F(FormTest, ShowModalReturnsTheResultOfTheButtonThatClosedIt) {
  TForm* form = NewForm();
  form->SetCaption("Choose");
  auto* field = Place(form, new TSwatch(form), 20, 20); // first in tab order: gets the focus
  TButton* ok = AddButton(form, "OK", mrOk, 20);
  ok->SetDefault(true);
  TButton* cancel = AddButton(form, "Cancel", mrCancel, 110);
  cancel->SetCancel(true);
  TButton* retry = AddButton(form, "Retry", mrRetry, 200);

  User.WhenModal([&](TCustomForm* shown) {
    EXPECT_EQ(shown, form);
    EXPECT_TRUE(field->Focused());
    User.Enter();
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->Visible());

  User.WhenModal([&](TCustomForm*) { User.Escape(); });
  EXPECT_EQ(form->ShowModal(), mrCancel);

  User.WhenModal([&](TCustomForm*) { User.Click(retry); });
  EXPECT_EQ(form->ShowModal(), mrRetry);

  // A focused button is the one Enter presses.
  User.WhenModal([&](TCustomForm*) {
    EXPECT_TRUE(retry->Focused());
    User.Enter();
  });
  EXPECT_EQ(form->ShowModal(), mrRetry);

  User.WhenModal([&](TCustomForm* shown) { shown->SetModalResult(mrAbort); });
  EXPECT_EQ(form->ShowModal(), mrAbort);
}

TEST_F(FormTest, AnExceptionInAClickHandlerIsShownAndTheApplicationCarriesOn) {
  TForm* form = NewForm();
  TButton* failing = AddButton(form, "Fail", mrNone, 20);
  int clicks = 0;
  failing->SetOnClick([&](TObject*) {
    ++clicks;
    throw Exception("The disk is full");
  });
  form->Show();
  User.Click(failing);
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text, "The disk is full."); // a stop is added, as the VCL does
  EXPECT_EQ(User.Messages()[0].Type, mtError);
  User.Click(failing);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(User.Messages().size(), 2u);
}

TEST_F(FormTest, AModalFormWithoutAnAnswerFailsNamingItself) {
  TForm* form = NewForm();
  form->SetCaption("Forgotten dialog");
  ExpectErrorContaining<EDisplayError>([&] { form->ShowModal(); }, "Forgotten dialog");
  EXPECT_FALSE(form->Visible());
}

TEST_F(FormTest, MessageBoxesAreRecordedAndAnsweredByDefaultOrByScript) {
  User.WhenModal([&](TCustomForm* box) {
    EXPECT_EQ(GetActiveWindow(), box->Handle());
    User.SaveSnapshot(box, SheetPath("message_box.png"));
    User.Enter();
  });
  EXPECT_EQ(MessageDlg("Save the changes?", mtConfirmation, mbYesNoCancel, 0), mrYes);
  User.AnswerMessage("No");
  EXPECT_EQ(MessageDlg("Save the changes?", mtConfirmation, mbYesNoCancel, 0), mrNo);
  User.AnswerMessage("Cancel");
  EXPECT_EQ(ShowMessageBox("Really?", "Question", MB_OKCANCEL), IDCANCEL);
  ShowMessage("Done");

  const auto& shown = User.Messages();
  ASSERT_EQ(shown.size(), 4u);
  EXPECT_EQ(shown[0].Text, "Save the changes?");
  EXPECT_EQ(shown[0].Buttons, (std::vector<String>{"Yes", "No", "Cancel"}));
  EXPECT_EQ(shown[0].Caption, "Confirm");
  EXPECT_EQ(shown[2].Caption, "Question");
  EXPECT_EQ(shown[2].Buttons, (std::vector<String>{"OK", "Cancel"}));
  EXPECT_EQ(shown[3].Buttons, (std::vector<String>{"OK"}));
}

TEST_F(FormTest, ANestedFormIsDrivenModallyAndClosedByAButton) {
  TForm* form = NewForm(320, 240);
  form->SetCaption("Nested");
  auto* outer = new TPanel(form);
  outer->SetAlign(alTop);
  outer->SetHeight(120);
  outer->SetParent(form);
  auto* inner = Place(outer, new TPanel(form), Bounds(10, 10, 200, 90));
  inner->SetBevelOuter(bvLowered);
  inner->SetColor(clWhite);
  auto* swatch = Place(inner, new TSwatch(form, clNavy), 10, 10);
  auto* patch = Place(inner, new TPatch(form, clRed), 60, 10);
  TButton* close = AddButton(form, "Close", mrOk, 230);
  close->SetTop(form->ClientHeight() - 35);

  User.WhenModal([&](TCustomForm* shown) {
    User.Click(swatch, {5, 5});
    User.Click(patch, {5, 5});
    EXPECT_TRUE(swatch->Focused());
    EXPECT_EQ(PixelAt(shown, patch, {2, 2}), clRed);
    EXPECT_EQ(PixelAt(shown, swatch, {2, 2}), clNavy);
    EXPECT_EQ(PixelAt(shown, inner, {150, 50}), clWhite);
    User.SaveSnapshot(shown, SheetPath("nested_form.png"));
    User.Click(close);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  // The click on Close moved the focus out of the swatch.
  EXPECT_EQ(swatch->Log, (std::vector<String>{"enter ", "down 5,5", "click", "exit "}));
  EXPECT_EQ(patch->Clicks, 1);
}

} // namespace
