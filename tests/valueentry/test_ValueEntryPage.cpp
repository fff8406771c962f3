#include "demo/ValueEntryPage.h"
#include "framework/controls/StdCtrls.h"
#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "valueentry/LumMemodialog2.h"
#include "valueentry/LumTaschenrechner1.h"
#include "valueentry/Lumvaled.h"
#include "valueentry/Lumzln2.h"

#include <cstdlib>

using namespace controltest;

namespace {

// The page on a form of its own, its fruit table in a folder of the test's.
class ValueEntryPageTest : public ControlTest {
protected:
  void SetUp() override {
    setenv("LUMTOOLS_GALLERY_DATA", Data.c_str(), 1);
    Page = NewForm(560, 300);
    FillValueEntry(Page);
    Page->Show();
  }
  void TearDown() override {
    ControlTest::TearDown();
    unsetenv("LUMTOOLS_GALLERY_DATA");
    std::filesystem::remove_all(Data);
  }
  template <class C> C* Find(const std::function<bool(C*)>& Match) {
    for (int i = 0; i < Page->ControlCount(); ++i)
      if (auto* c = dynamic_cast<C*>(Page->Controls(i)); c && Match(c)) return c;
    return nullptr;
  }
  TButton* ButtonCaptioned(const String& Caption) {
    return Find<TButton>([&](TButton* b) { return b->Caption() == Caption; });
  }
  TLabel* Report() {
    return Find<TLabel>([](TLabel* l) {
      return l->Caption().find("dialog") != String::npos ||
             l->Caption().find(" OK") != String::npos ||
             l->Caption().find("cancelled") != String::npos;
    });
  }
  const String Data = TempPath("lum-value-entry-page").string();
  TForm* Page = nullptr;
};

TEST_F(ValueEntryPageTest, TheDialogsReportWhatTheyReturned) {
  auto* price = Find<TLumDBExtValEdit>([](TLumDBExtValEdit*) { return true; });
  ASSERT_TRUE(price);
  EXPECT_EQ(price->Header(), "Price of Apple");
  EXPECT_EQ(price->Text(), "2.4") << "bound to the fruit table";
  User.SaveSnapshot(Page, SheetPath("ValueEntryPage.png"));

  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TZeilenDialog*>(Form);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->MaskEdit1->Text(), "1,5");
    User.PressKey(VK_END);
    User.Type(",25");
    User.Click(window->BitBtn1);
  });
  User.Click(ButtonCaptioned("L&ine..."));
  ASSERT_TRUE(Report());
  EXPECT_EQ(Report()->Caption(), "Line OK: '1.5.25'") << "each change turns a comma into a point";

  User.WhenModal([&](TCustomForm* Form) {
    auto* window = dynamic_cast<TTaschenrechner*>(Form);
    ASSERT_TRUE(window);
    for (const TCalcKey key :
         {TCalcKey::Digit7, TCalcKey::Divide, TCalcKey::Digit2, TCalcKey::Equals}) {
      User.Advance(1000);
      User.Click(window->Button(key));
    }
    User.Click(window->ExitLabel());
  });
  User.Advance(1000);
  User.Click(ButtonCaptioned("&Calculator"));
  EXPECT_EQ(Report()->Caption(), "Calculator cancelled, display 3.5");

  User.WhenModal([&](TCustomForm* Form) { User.Click(dynamic_cast<TMemoDialog*>(Form)->BitBtn2); });
  User.Advance(1000);
  User.Click(ButtonCaptioned("&Memo..."));
  EXPECT_EQ(Report()->Caption(), "Memo cancelled: 2 line(s), 'First line' first");
}

} // namespace
