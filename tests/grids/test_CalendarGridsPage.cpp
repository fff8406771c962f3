#include "demo/CalendarGridsPage.h"
#include "grids/LumDbGrid.h"
#include "grids/LumGrid.h"
#include "grids/LumJahresKalender.h"
#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"

#include <cstdlib>

using namespace controltest;

namespace {

TEST(EasterSunday, KnownDatesAcrossCenturies) {
  const int dates[][3] = {{2000, 4, 23}, {2019, 4, 21}, {2024, 3, 31}, {2025, 4, 20},
                          {2026, 4, 5},  {1818, 3, 22}, {2038, 4, 25}};
  for (const auto& date : dates) {
    int month = 0, day = 0;
    EasterSunday(date[0], month, day);
    EXPECT_EQ(month, date[1]) << date[0];
    EXPECT_EQ(day, date[2]) << date[0];
  }
}

// The page on a form of its own, its table in a folder of the test's.
class CalendarGridsPageTest : public ControlTest {
protected:
  void SetUp() override {
    setenv("LUMTOOLS_GALLERY_DATA", Data.c_str(), 1);
    Page = NewForm(680, 320);
    FillCalendarGrids(Page);
    Page->Show();
    User.ProcessMessages();
  }
  void TearDown() override {
    ControlTest::TearDown();
    unsetenv("LUMTOOLS_GALLERY_DATA");
    std::filesystem::remove_all(Data);
  }
  template <class C> C* Find() {
    for (int i = 0; i < Page->ControlCount(); ++i)
      if (auto* c = dynamic_cast<C*>(Page->Controls(i))) return c;
    return nullptr;
  }
  const String Data = TempPath("lum-calendar-grids-page").string();
  TForm* Page = nullptr;
};

TEST_F(CalendarGridsPageTest, HolidaysFollowTheYearMarksToggleAndTheViewerShowsAPicture) {
  auto* calendar = Find<TLumYearCalendar>();
  auto* marks = Find<TLumStringGrid>();
  auto* pictures = Find<TLumDBGrid>();
  ASSERT_TRUE(calendar && marks && pictures);
  User.SaveSnapshot(Page, SheetPath("CalendarGridsPage.png"));
  EXPECT_TRUE(calendar->IsMarked(25, 12, calendar->Year()));
  calendar->SetYear(2024);
  EXPECT_TRUE(calendar->IsMarked(1, 4, 2024)) << "Easter Monday";
  EXPECT_TRUE(calendar->IsMarked(20, 5, 2024)) << "Whit Monday";
  EXPECT_FALSE(calendar->IsMarked(31, 3, 2024)) << "Easter Sunday is a Sunday anyway";

  EXPECT_TRUE(marks->GetMarkCells(0, 2));
  const TRect cell = marks->CellRect(1, 1);
  User.Click(marks, TPoint{cell.Left + 4, cell.Top + 4}, THeadlessButton::Right);
  EXPECT_TRUE(marks->GetMarkCells(1, 1));

  ASSERT_NE(pictures->DataSource(), nullptr);
  EXPECT_EQ(pictures->DataSource()->DataSet()->RecordCount(), 6);
  bool shown = false;
  User.WhenModal([&](TCustomForm* Window) {
    auto* viewer = dynamic_cast<TLumDBGridForm*>(Window);
    ASSERT_NE(viewer, nullptr);
    shown = viewer->Image1->Picture()->Graphic() != nullptr;
    User.SaveSnapshot(Window, SheetPath("CalendarGridsPage-viewer.png"));
    User.Click(viewer->OKButton);
  });
  const TRect picture = pictures->CellRect(3, 1);
  User.Click(pictures, TPoint{(picture.Left + picture.Right) / 2, picture.Top + 5});
  EXPECT_TRUE(shown);
}

} // namespace
