#include "demo/GalleryForm.h"
#include "framework/controls/Application.h"
#include "framework/platform/sdl/SdlDisplay.h"
#include "tests/platform/RealWindowTest.h"
#include "tests/platform/SdlTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

class SdlMenuTest : public TRealWindowTest {
protected:
  void TearDown() override {
    if (Gallery) Gallery->Free();
    TRealWindowTest::TearDown();
  }

  static void ClickOnScreen(const RECT& R) {
    RunOnDisplay("xdotool mousemove " + std::to_string((R.Left + R.Right) / 2) + " " +
                 std::to_string((R.Top + R.Bottom) / 2) + " click 1");
  }

  TGalleryForm* Gallery = nullptr;
};

TEST_F(SdlMenuTest, TheGalleryOpensAsARealWindowAndItsViewMenuItemShowsAPage) {
  Gallery = CreateForm<TGalleryForm>(Application());
  Gallery->Show();
  ASSERT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
  const std::string geometry =
      RunOnDisplay("xdotool getwindowgeometry --shell " + XWindowNamed(Gallery->Caption()));
  EXPECT_NE(geometry.find("WIDTH=800"), std::string::npos) << geometry;
  EXPECT_NE(geometry.find("HEIGHT=340"), std::string::npos) << geometry;
  ASSERT_GE(Gallery->PageCount(), 2);
  RECT view{};
  ASSERT_TRUE(GetMenuItemRect(Gallery->Handle(), Gallery->MainMenu()->Handle(), 1, &view));
  ClickOnScreen(view);
  const HMENU pages = Gallery->ViewMenu()->Handle();
  RECT second{};
  ASSERT_TRUE(PumpUntil([&] { return GetMenuItemRect(nullptr, pages, 1, &second) != FALSE; }))
      << "the drop-down opened";
  ClickOnScreen(second);
  ASSERT_TRUE(PumpUntil([&] { return Gallery->ActivePageIndex() == 1; }));
  EXPECT_TRUE(Gallery->ViewMenu()->Items(1)->Checked());
  EXPECT_FALSE(GetMenuItemRect(nullptr, pages, 1, &second)) << "the drop-down closed";
  EXPECT_EQ(GetActiveWindow(), Gallery->Handle());
}

} // namespace
