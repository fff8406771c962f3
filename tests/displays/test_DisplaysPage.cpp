#include "tests/displays/DisplayTestSupport.h"

#include "demo/DisplaysPage.h"
#include "displays/LumDigit.h"
#include "displays/LumProgressBar.h"
#include "displays/LumStat.h"
#include "displays/LumTacho.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/StdCtrls.h"

using namespace displaytest;

namespace {

template <class C> std::vector<C*> ControlsOf(TWinControl* Parent) {
  std::vector<C*> found;
  for (int i = 0; i < Parent->ControlCount(); ++i)
    if (auto* c = dynamic_cast<C*>(Parent->Controls(i))) found.push_back(c);
  return found;
}

using DisplaysPageTest = DisplayTest;

TEST_F(DisplaysPageTest, TheTimerMovesGaugeClockAndBarsAndTheTypeListSwitchesTheChart) {
  TForm* form = NewForm(600, 360);
  FillDisplays(form);
  form->Show();
  const auto gauges = ControlsOf<TLumTacho>(form);
  const auto bars = ControlsOf<TLumProgressBar>(form);
  ASSERT_FALSE(gauges.empty());
  ASSERT_EQ(bars.size(), 4u);
  const double gauge = gauges[0]->Position();
  const double bar = bars[0]->Position();
  User.Advance(1000);
  EXPECT_NE(gauges[0]->Position(), gauge);
  EXPECT_NE(bars[0]->Position(), bar);
  EXPECT_EQ(ControlsOf<TLumDigit>(form).at(0)->DigitStyle(), dsTime);

  auto* chart = ControlsOf<TLumHistogram>(form).at(0);
  auto* types = ControlsOf<TComboBox>(form).at(0);
  types->SetFocus();
  User.PressKey(VK_END);
  EXPECT_EQ(chart->HistogramType(), ctXYPlot);
  EXPECT_TRUE(User.Messages().empty());
  User.SaveSnapshot(form, SheetPath("DisplaysPage.png"));
}

TEST_F(DisplaysPageTest, TheEditButtonOpensTheClocksEditorAndAcceptChangesTheStrip) {
  TForm* form = NewForm(600, 360);
  FillDisplays(form);
  form->Show();
  auto* clock = ControlsOf<TLumDigit>(form).at(0);
  const auto buttons = ControlsOf<TButton>(form);
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(buttons[0]->Caption(), "Edit digit…");
  User.WhenModal([&](TCustomForm* editor) {
    EXPECT_EQ(editor->Caption(), "LumDigit Editor");
    auto* list = dynamic_cast<TCustomListBox*>(editor->FindComponent("DBListe"));
    ASSERT_NE(list, nullptr);
    list->SetFocus();
    User.PressKey(VK_UP); // from "Owner" to "Standard 4", the red cells
    User.Click(dynamic_cast<TButton*>(editor->FindComponent("AcceptButton")));
  });
  TPicture red;
  red.Bitmap()->LoadFromResourceName(nullptr, "LumDigitBitmap4");
  User.Click(buttons[0]);
  EXPECT_EQ(clock->DigitStyle(), dsTime);
  EXPECT_EQ(clock->DigitBitmap()->Bitmap()->Canvas()->Pixels(20, 10),
            red.Bitmap()->Canvas()->Pixels(20, 10));
}

} // namespace
