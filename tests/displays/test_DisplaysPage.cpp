#include "tests/displays/DisplayTestSupport.h"

#include "demo/DisplaysPage.h"
#include "displays/LumDigit.h"
#include "displays/LumProgressBar.h"
#include "displays/LumStat.h"
#include "displays/LumTacho.h"
#include "framework/controls/ComboBoxes.h"

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

} // namespace
