#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/surfaces/SurfaceTestSupport.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/ColorDialogForm.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Image.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/Shapes.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "surfaces/LumEffektEditor.h"

#include <filesystem>

using namespace controltest;

namespace {

template <class C> C* Named(TCustomForm* Form, const String& Name) {
  auto* control = dynamic_cast<C*>(Form->FindComponent(Name));
  if (!control) throw Exception("The editor has no " + Name);
  return control;
}

TEST(EffectEditorParts, RadioItemsStandForStylesInTheirOwnOrder) {
  const TEffectStyle expected[] = {esNone,
                                   es2ColorsVertical,
                                   es2ColorsHorizontal,
                                   es3ColorsVertical,
                                   es3ColorsHorizontal,
                                   es2ColorsDiagonal1,
                                   es2ColorsDiagonal2,
                                   esPictureStretch,
                                   esPictureTile};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(EffectStyleOfItem(i), expected[i]) << i;
    EXPECT_EQ(ItemOfEffectStyle(expected[i]), i) << i;
  }
}

class EffectEditorTest : public ControlTest {
protected:
  void SetUp() override {
    FForm = NewForm(300, 200);
    FForm->SetName("MainForm");
    Effect = new TLumEffect(FForm);
    Effect->SetName("Effect1");
  }
  // Replaces a field's text as a user does.
  void Retype(TCustomEdit* Edit, const String& Text) {
    User.Click(Edit);
    User.PressKey(VK_END);
    User.PressKey(VK_HOME, TShiftState{ssShift});
    User.PressKey(VK_DELETE);
    User.Type(Text);
  }
  void ChooseItem(TRadioGroup* Group, int Index) { User.Click(Group->Buttons(Index)); }
  TForm* FForm = nullptr;
  TLumEffect* Effect = nullptr;
};

TEST_F(EffectEditorTest, ChangesShowLiveOnTheTestControlsAndOkTakesThemBack) {
  Effect->SetBorderColor(clBlue);
  Effect->SetEffectHeight(7);
  Effect->SetShadow(false);
  EXPECT_EQ(EffectVerbCaption(Effect), "MainForm.Effect1 - Effect Editor");
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Effect1 - Effect Editor");
    EXPECT_EQ(Named<TSpinEdit>(form, "SpinEffectHeight")->Value(), 7);
    EXPECT_FALSE(Named<TCheckBox>(form, "CheckShadow")->Checked());
    EXPECT_EQ(Named<TRadioGroup>(form, "RadioEffectStyle")->ItemIndex(), 1);
    auto* button = Named<TButton>(form, "Button1");
    auto* group = Named<TGroupBox>(form, "GroupTest");
    const TRect b = button->BoundsRect();
    // The window's painter is black-bordered: BorderColor is not handed over.
    EXPECT_EQ(PixelAt(form, group, {b.Left - 5 - 1, b.Top + 10}), ColorToRGB(clBlack));

    Retype(Named<TSpinEdit>(form, "SpinEffectWidth"), "9");
    EXPECT_EQ(PixelAt(form, group, {b.Left - 9 - 1, b.Top + 10}), ColorToRGB(clBlack));
    User.Click(Named<TCheckBox>(form, "CheckShadow"));
    ChooseItem(Named<TRadioGroup>(form, "RadioEffectStyle"), 5); // es2ColorsDiagonal1
    User.WhenModal([&](TCustomForm* colours) {
      const TRect r = SwatchRect(8); // the basic red
      User.Click(Named<TPaintBox>(colours, "BasicSwatches"), TPoint{r.Left + 10, r.Top + 10});
      User.Enter();
    });
    User.Click(Named<TButton>(form, "ButtonColor1"));
    EXPECT_EQ(Named<TShape>(form, "ShapeColor1")->Brush()->Color(), clRed);
    User.ProcessMessages();
    User.SaveSnapshot(form, SheetPath("LumEffectEditor.png"));
    User.Click(Named<TButton>(form, "ButtonOK"));
  });
  ASSERT_TRUE(Effect->Execute());
  EXPECT_EQ(Effect->EffectWidth(), 9);
  EXPECT_EQ(Effect->EffectHeight(), 7);
  EXPECT_TRUE(Effect->Shadow());
  EXPECT_EQ(Effect->EffectStyle(), es2ColorsDiagonal1);
  EXPECT_EQ(Effect->EffectColor1(), clRed);
  EXPECT_EQ(Effect->BorderColor(), clBlue);
}

TEST_F(EffectEditorTest, CancelKeepsTheSettingsAndThePictureButtonLoadsAFile) {
  const auto path = TempPath("lumeffecteditor") += ".bmp";
  surfacetest::Quarters(40, 20)->SaveToFile(path.string());
  User.WhenModal([&](TCustomForm* form) {
    Retype(Named<TSpinEdit>(form, "SpinBorderWidth"), "3");
    ChooseItem(Named<TRadioGroup>(form, "RadioBorderStyle"), 0);
    User.WhenModal([&](TCustomForm* files) {
      Retype(Named<TEdit>(files, "FileNameEdit"), path.string());
      User.Enter();
    });
    User.Click(Named<TButton>(form, "ButtonPicture"));
    auto* editor = dynamic_cast<TLumEffectEditorDialog*>(form);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Effect()->Picture()->Width(), 40);
    EXPECT_EQ(editor->Effect()->BorderStyle(), bsNone);
    EXPECT_EQ(editor->Effect()->BorderWidth(), 3);
    EXPECT_EQ(Named<TImage>(form, "ImagePicture")->Picture()->Width(), 40);
    User.Click(Named<TButton>(form, "ButtonCancel"));
  });
  EXPECT_FALSE(Effect->Execute());
  std::filesystem::remove(path);
  EXPECT_EQ(Effect->BorderWidth(), 1);
  EXPECT_EQ(Effect->BorderStyle(), bsSingle);
  EXPECT_EQ(Effect->Picture()->Graphic(), nullptr);

  // On OK the picture comes along too.
  TPicture picture;
  picture.Assign(surfacetest::Quarters(16, 16).get());
  User.WhenModal([&](TCustomForm* form) {
    auto* editor = dynamic_cast<TLumEffectEditorDialog*>(form);
    editor->Effect()->SetPicture(&picture);
    User.Click(Named<TButton>(form, "ButtonOK"));
  });
  EXPECT_TRUE(Effect->Execute());
  EXPECT_EQ(Effect->Picture()->Width(), 16);
}

} // namespace
