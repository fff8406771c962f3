#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Panels.h"
#include "framework/controls/StdCtrls.h"

using namespace controltest;

namespace {

class AnchorsTest : public ControlTest {
protected:
  template <class C> C* Put(TWinControl* Parent, TRect Bounds, TAnchors Anchors) {
    auto* control = Place(Parent, new C(Parent), Bounds);
    control->SetAnchors(Anchors);
    return control;
  }
};

TEST_F(AnchorsTest, AnchoredControlsFollowTheEdgesOfTheirResizedParent) {
  TForm* form = NewForm(400, 300);
  form->Show();
  auto* fixed = Put<TButton>(form, Bounds(10, 10, 75, 25), DefaultAnchors);
  auto* corner = Put<TButton>(form, Bounds(300, 240, 75, 25), TAnchors{akRight, akBottom});
  auto* wide = Put<TEdit>(form, Bounds(10, 50, 300, 21), TAnchors{akLeft, akTop, akRight});
  auto* free = Put<TPanel>(form, Bounds(150, 100, 100, 50), TAnchors{});
  auto* tall = Put<TPanel>(form, Bounds(320, 10, 60, 200), TAnchors{akTop, akBottom, akRight});
  form->SetBounds(50, 50, 500, 360); // 100 wider, 60 taller
  EXPECT_EQ(fixed->BoundsRect(), Bounds(10, 10, 75, 25));
  EXPECT_EQ(corner->BoundsRect(), Bounds(400, 300, 75, 25));
  EXPECT_EQ(wide->BoundsRect(), Bounds(10, 50, 400, 21));
  EXPECT_EQ(free->BoundsRect(), Bounds(200, 130, 100, 50)); // the centre stays in the middle
  EXPECT_EQ(tall->BoundsRect(), Bounds(420, 10, 60, 260));
  // Shrinking back restores every place; moving a control by hand starts from there.
  form->SetBounds(50, 50, 400, 300);
  EXPECT_EQ(corner->BoundsRect(), Bounds(300, 240, 75, 25));
  EXPECT_EQ(wide->BoundsRect(), Bounds(10, 50, 300, 21));
  corner->SetLeft(200);
  form->SetWidth(450);
  EXPECT_EQ(corner->Left(), 250);
}

TEST_F(AnchorsTest, ConstraintsBoundEverySizeTheControlIsGiven) {
  TForm* form = NewForm(400, 300);
  form->Show();
  auto* panel = Put<TPanel>(form, Bounds(10, 10, 150, 100), TAnchors{akLeft, akTop, akRight});
  panel->Constraints()->SetMinWidth(120);
  panel->Constraints()->SetMaxWidth(200);
  panel->SetWidth(50);
  EXPECT_EQ(panel->Width(), 120);
  panel->SetWidth(150);
  form->SetWidth(600); // the anchors ask for 350
  EXPECT_EQ(panel->Width(), 200);
  form->SetWidth(400);
  EXPECT_EQ(panel->Width(), 150);
  panel->Constraints()->SetMaxHeight(60); // a new limit applies at once
  EXPECT_EQ(panel->Height(), 60);
  panel->Constraints()->SetMinHeight(80); // a minimum above the maximum lifts the maximum
  EXPECT_EQ(panel->Constraints()->MaxHeight(), 80);
  EXPECT_EQ(panel->Height(), 80);
  EXPECT_THROW(panel->Constraints()->SetMaxWidth(-1), ERangeError);

  form->Constraints()->SetMaxWidth(450);
  form->SetWidth(700);
  EXPECT_EQ(form->Width(), 450);
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  EXPECT_EQ(window.Right - window.Left, 450);
  // A size from outside the control (the window's frame dragged) is held too.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 800, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form->Width(), 450);
}

TEST_F(AnchorsTest, AnchorsConstraintsAndReadingOrderStreamAndApplyAfterLoading) {
  std::unique_ptr<TComponent> root(ReadFormText(R"(object Form1: TForm
  Left = 0
  Top = 0
  BiDiMode = bdRightToLeft
  ClientHeight = 200
  ClientWidth = 300
  object Panel1: TPanel
    Left = 200
    Top = 150
    Width = 90
    Height = 40
    Anchors = [akRight, akBottom]
    Constraints.MinWidth = 80
    DragKind = dkDock
    object Edit1: TEdit
      Left = 5
      Top = 5
      Width = 50
      Height = 21
      ImeMode = imClose
      ImeName = 'Pinyin'
    end
  end
end
)"));
  auto* form = dynamic_cast<TForm*>(root.get());
  auto* panel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
  auto* edit = dynamic_cast<TEdit*>(form->FindComponent("Edit1"));
  EXPECT_EQ(panel->Anchors(), (TAnchors{akRight, akBottom}));
  EXPECT_EQ(panel->Constraints()->MinWidth(), 80);
  EXPECT_EQ(panel->DragKind(), dkDock);
  EXPECT_EQ(edit->ImeMode(), imClose);
  EXPECT_EQ(edit->ImeName(), "Pinyin");
  // The reading order comes down from the form to controls that follow their parent.
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(edit->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(edit->ParentBiDiMode());
  form->Show();
  form->SetClientWidth(400);
  EXPECT_EQ(panel->Left(), 300);
  const String text = WriteFormText(form);
  for (const char* line :
       {"Anchors = [akRight, akBottom]", "Constraints.MinWidth = 80", "DragKind = dkDock",
        "ImeMode = imClose", "ImeName = 'Pinyin'", "BiDiMode = bdRightToLeft"})
    EXPECT_NE(text.find(line), String::npos) << line << "\n" << text;
  // Only the form, which set its own, stores it; its controls follow it.
  const std::size_t parent = text.find("ParentBiDiMode = False");
  EXPECT_NE(parent, String::npos) << text;
  EXPECT_EQ(text.find("ParentBiDiMode", parent + 1), String::npos) << text;
  EXPECT_EQ(text.find("Anchors = [akLeft, akTop]"), String::npos) << text;
  panel->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(panel->ParentBiDiMode());
  EXPECT_EQ(edit->BiDiMode(), bdLeftToRight);
}

// A form that takes F2 from its controls.
class TKeyTakingForm : public TForm {
  LUM_CLASS(TKeyTakingForm, TForm)
public:
  using TForm::TForm;
  std::vector<TControl*> Offered;

  bool WantChildKey(TControl* Child, TMessage& Message) override {
    if (Message.Msg == WM_KEYDOWN) Offered.push_back(Child);
    return Message.WParam == VK_F2;
  }
};

TEST_F(AnchorsTest, TheFormIsOfferedEveryKeyOfItsControlsFirst) {
  auto* form = CreateForm<TKeyTakingForm>(Application());
  Forms.push_back(form);
  form->SetBounds(50, 50, 300, 200);
  auto* edit = Put<TEdit>(form, Bounds(10, 10, 100, 21), DefaultAnchors);
  std::vector<Word> seen;
  edit->SetOnKeyDown([&](TObject*, Word& Key, TShiftState) { seen.push_back(Key); });
  form->Show();
  User.Click(edit);
  User.PressKey(VK_F2);
  User.PressKey(VK_F3);
  EXPECT_EQ(seen, (std::vector<Word>{VK_F3}));
  ASSERT_EQ(form->Offered.size(), 2u);
  EXPECT_EQ(form->Offered[0], edit);
}

} // namespace
