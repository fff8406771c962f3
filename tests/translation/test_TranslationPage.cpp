#include "demo/TranslationPage.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"
#include "framework/controls/StdCtrls.h"
#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "translation/LumLingua.h"
#include "translation/Newkwd.h"

#include <cstdlib>

using namespace controltest;

namespace {

// The page on a form of its own, its database in a folder of the test's.
class TranslationPageTest : public ControlTest {
protected:
  const std::string Data = TempPath("lumlingua-page").string();
  TForm* Page = nullptr;

  void SetUp() override {
    setenv("LUMTOOLS_GALLERY_DATA", Data.c_str(), 1);
    setenv("LUMTOOLS_ALIASES", (Data + "/aliases").c_str(), 1);
    Page = NewForm(480, 340);
    FillTranslation(Page);
    Page->Show();
    User.ProcessMessages();
  }
  void TearDown() override {
    ControlTest::TearDown();
    TLumLingua(nullptr).Reset();
    unsetenv("LUMTOOLS_GALLERY_DATA");
    unsetenv("LUMTOOLS_ALIASES");
    std::filesystem::remove_all(Data);
  }
  TPanel* Sample() {
    for (int i = 0; i < Page->ControlCount(); ++i)
      if (auto* p = dynamic_cast<TPanel*>(Page->Controls(i))) return p;
    return nullptr;
  }
  TComboBox* Languages() {
    for (int i = 0; i < Page->ControlCount(); ++i)
      if (auto* c = dynamic_cast<TComboBox*>(Page->Controls(i))) return c;
    return nullptr;
  }
  template <class C> C* Part(const String& Name) {
    return dynamic_cast<C*>(Sample()->FindComponent(Name));
  }
};

TEST_F(TranslationPageTest, CaptionsAndHintsFollowTheChosenLanguage) {
  ASSERT_TRUE(Sample());
  EXPECT_EQ(Part<TButton>("OrderButton")->Caption(), "&Bestellen");
  EXPECT_EQ(Part<TButton>("OrderButton")->Hint(), "Schickt die Bestellung ab");
  EXPECT_EQ(Part<TLabel>("SizeLabel")->Caption(), "&Größe:");
  EXPECT_EQ(Part<TCheckBox>("WrapBox")->Caption(), "&Geschenkverpackung");
  User.SaveSnapshot(Page, SheetPath("translation_page_de.png"));

  Languages()->SetFocus();
  User.PressKey(VK_DOWN);
  EXPECT_EQ(Languages()->Text(), "English");
  EXPECT_EQ(Part<TButton>("OrderButton")->Caption(), "&Order");
  EXPECT_EQ(Part<TButton>("CancelButton")->Hint(), "Forgets the order");
  EXPECT_EQ(Part<TLabel>("SizeLabel")->Caption(), "&Size:");
  EXPECT_TRUE(std::filesystem::exists(Data + "/LumLinguaDB/lumtools.sqlite"));
}

TEST_F(TranslationPageTest, AMissingWordOpensThePromptAndIsKnownAfterwards) {
  Part<TEdit>("WordEdit")->SetText("Thank you");
  User.WhenModal([&](TCustomForm* Form) {
    auto* prompt = dynamic_cast<TfmNewKeyword*>(Form);
    ASSERT_TRUE(prompt);
    EXPECT_EQ(prompt->EdLanguage->Text(), "Deutsch");
    User.Type("Danke");
    User.Click(prompt->OKBtn);
  });
  User.Click(Part<TButton>("LookUpButton"));
  EXPECT_EQ(Part<TLabel>("Answer")->Caption(), "= Danke");
  User.Click(Part<TButton>("LookUpButton")); // no prompt the second time
  EXPECT_EQ(Part<TLabel>("Answer")->Caption(), "= Danke");
}

} // namespace
