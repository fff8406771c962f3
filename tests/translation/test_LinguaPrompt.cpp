#include "tests/SheetPath.h"
#include "tests/translation/LinguaTestSupport.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/StdCtrls.h"
#include "translation/Newkwd.h"

using namespace linguatest;

namespace {

TEST(SpaceTrimmen, GivesTheTranslationTheBlanksOfTheSourceText) {
  EXPECT_EQ(Space_trimmen(" Cancel", "  Abbrechen"), " Abbrechen");
  EXPECT_EQ(Space_trimmen("  Cancel", "Abbrechen"), "  Abbrechen");
  EXPECT_EQ(Space_trimmen("Cancel  ", "Abbrechen "), "Abbrechen  ");
  EXPECT_EQ(Space_trimmen("Cancel", "Abbrechen   "), "Abbrechen");
  EXPECT_EQ(Space_trimmen("Cancel", "Ab\r\nbrechen\r\n"), "Abbrechen");
  EXPECT_EQ(Space_trimmen(" a", "\r\n"), "");
}

class LinguaPrompt : public LinguaTest {
protected:
  TForm* Form = nullptr;
  TButton* AddButton(const String& Name, const String& Caption) {
    auto* button = controltest::Place(Form, new TButton(Form), 8, 8 + 30 * Form->ComponentCount());
    button->SetName(Name);
    button->SetCaption(Caption);
    return button;
  }
  void SetUp() override {
    LinguaTest::SetUp();
    Seed();
    Form = NewForm(300, 260);
    Form->SetName("Form1");
  }
  static TfmNewKeyword* Prompt(TCustomForm* Shown) {
    auto* prompt = dynamic_cast<TfmNewKeyword*>(Shown);
    EXPECT_TRUE(prompt) << "the new-word prompt";
    return prompt;
  }
};

TEST_F(LinguaPrompt, AMissingWordIsAskedForAndStored) {
  AddWord("translate text", {"Text übersetzen"});
  TButton* save = AddButton("Button1", "##Save");
  TLumLingua* lingua = Lingua(Form);
  User.WhenModal([&](TCustomForm* Shown) {
    TfmNewKeyword* prompt = Prompt(Shown);
    EXPECT_TRUE(TLumLingua::PromptOpen());
    EXPECT_EQ(prompt->Caption(), "Text übersetzen") << "the prompt is translated too";
    EXPECT_EQ(prompt->OKBtn->Caption(), "&Accept") << "a missing caption loses its cookie";
    EXPECT_EQ(prompt->ClientWidth(), 461);
    EXPECT_EQ(prompt->ClientHeight(), 235);
    EXPECT_EQ(prompt->EdTranslation->BoundsRect(), Rect(112, 104, 425, 161));
    EXPECT_EQ(prompt->CancelBtn->BoundsRect(), Rect(328, 180, 453, 225));
    EXPECT_FALSE(prompt->SpeedButton2->Visible());
    EXPECT_EQ(prompt->EdLanguage->Text(), "Deutsch");
    EXPECT_EQ(prompt->EdKeyword->Text(), "Save");
    EXPECT_TRUE(prompt->EdKeyword->ReadOnly());
    EXPECT_EQ(prompt->EdTranslation->Text(), "Save");
    EXPECT_EQ(Screen()->ActiveControl(), prompt->EdTranslation);
    EXPECT_EQ(prompt->EdTranslation->SelLength(), 4) << "selected, typing replaces it";
    User.Type("Speichern");
    User.ProcessMessages();
    User.SaveSnapshot(prompt, SheetPath("lingua_new_word.png"));
    User.Click(prompt->OKBtn);
  });
  User.ProcessMessages();
  EXPECT_EQ(save->Caption(), "Speichern");
  EXPECT_EQ(Stored("Save", 1), "Speichern");
  EXPECT_FALSE(Stored("Save", 2).has_value());
  EXPECT_TRUE(lingua->Translatefound());
  EXPECT_TRUE(lingua->AllTranslated());
  EXPECT_FALSE(TLumLingua::PromptOpen());
}

TEST_F(LinguaPrompt, SkippingLeavesOneTextCancellingStopsEveryPromptUntilReset) {
  TButton* one = AddButton("Button1", "##One");
  TButton* two = AddButton("Button2", "##Two");
  TButton* three = AddButton("Button3", "##Three");
  TLumLingua* lingua = Lingua(Form);
  User.WhenModal([&](TCustomForm* Shown) {
    EXPECT_EQ(Prompt(Shown)->EdKeyword->Text(), "One");
    User.Click(Prompt(Shown)->SkipBtn);
    User.WhenModal([&](TCustomForm* Next) {
      EXPECT_EQ(Prompt(Next)->EdKeyword->Text(), "Two");
      User.Click(Prompt(Next)->CancelBtn);
    });
  });
  User.ProcessMessages();
  EXPECT_EQ(one->Caption(), "One");
  EXPECT_EQ(two->Caption(), "Two");
  EXPECT_EQ(three->Caption(), "Three") << "no third prompt";
  EXPECT_FALSE(lingua->AllTranslated());
  EXPECT_TRUE(TLumLingua::PromptingCancelled());
  EXPECT_EQ(RowCount("LANGWORD"), 5);

  lingua->Reset();
  EXPECT_TRUE(lingua->AllTranslated());
  EXPECT_FALSE(lingua->Translatefound());
  User.WhenModal([&](TCustomForm* Shown) {
    Prompt(Shown)->EdTranslation->SetText("Drei");
    User.Click(Prompt(Shown)->OKBtn);
  });
  EXPECT_EQ(lingua->GetWord("Three"), "Drei");
}

TEST_F(LinguaPrompt, BlanksFollowTheSourceAndLineBreaksNeverMakeAnEmptyTranslation) {
  TButton* cancel = AddButton("Button1", "## Close");
  TButton* lines = AddButton("Button2", "##Two lines");
  Lingua(Form);
  User.WhenModal([&](TCustomForm* Shown) {
    TfmNewKeyword* prompt = Prompt(Shown);
    User.Enter();
    User.Enter();
    EXPECT_EQ(prompt->EdTranslation->Text(), "\r\n\r\n");
    User.Click(prompt->OKBtn);
    EXPECT_EQ(MessageTexts().back(), "Translation MUST be filled !!!");
    EXPECT_TRUE(prompt->Visible());
    EXPECT_EQ(Screen()->ActiveControl(), prompt->EdTranslation);
    prompt->EdTranslation->SetText("   ");
    User.Click(prompt->OKBtn);
    EXPECT_EQ(User.Messages().size(), 2u) << "blanks only are empty too";
    User.Click(prompt->SpeedButton1);
    EXPECT_EQ(prompt->EdTranslation->Text(), " Close");
    prompt->EdTranslation->SetText("  Schließen");
    User.Click(prompt->OKBtn);
    User.WhenModal([&](TCustomForm* Next) {
      Prompt(Next)->EdTranslation->SelectAll();
      User.Type("Zwei");
      User.Enter();
      User.Type("Zeilen");
      User.Click(Prompt(Next)->OKBtn);
    });
  });
  User.ProcessMessages();
  EXPECT_EQ(Stored(" Close", 1), " Schließen");
  EXPECT_EQ(cancel->Caption(), " Schließen");
  EXPECT_EQ(lines->Caption(), "ZweiZeilen");
}

TEST_F(LinguaPrompt, TwoComponentsShareOnePromptAndTheSecondWaitsForIt) {
  TLumLingua* first = Lingua(Form);
  TForm* other = NewForm(200, 100);
  other->SetName("Form2");
  TLumLingua* second = Lingua(other);
  User.ProcessMessages();
  auto* waiting = controltest::Place(other, new TButton(other), 8, 8);
  waiting->SetName("Button1");
  waiting->SetCaption("##Cancel");
  User.WhenModal([&](TCustomForm* Shown) {
    EXPECT_EQ(second->GetWord("Other"), "Other") << "no second prompt while one is open";
    EXPECT_FALSE(second->Translatefound());
    second->AddComponents();
    User.ProcessMessages();
    EXPECT_EQ(waiting->Caption(), "##Cancel") << "its refresh waits for the prompt";
    User.Click(Prompt(Shown)->CancelBtn);
  });
  EXPECT_EQ(first->GetWord("Missing"), "Missing");
  User.ProcessMessages();
  EXPECT_EQ(waiting->Caption(), "Abbrechen");
  EXPECT_EQ(second->GetWord("Again"), "Again") << "cancelled for every instance";
  EXPECT_TRUE(second->AllTranslated()) << "it never prompted";
  EXPECT_TRUE(first->Translatefound());
  EXPECT_FALSE(first->AllTranslated());
}

TEST_F(LinguaPrompt, WithoutThePromptAMissingTextOnlyLosesItsCookie) {
  TButton* button = AddButton("Button1", "##Unknown");
  TLumLingua* lingua = Lingua(Form);
  lingua->SetNewWordPrompt(false);
  User.ProcessMessages();
  EXPECT_EQ(button->Caption(), "Unknown");
  EXPECT_FALSE(lingua->Translatefound());
  EXPECT_TRUE(lingua->AllTranslated());
}

} // namespace
