#include "demo/GalleryForm.h"
#include "demo/GalleryRender.h"
#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TPoint CentreOf(HWND Window, HMENU Menu, int Index) {
  RECT r{};
  EXPECT_TRUE(GetMenuItemRect(Window, Menu, static_cast<UINT>(Index), &r));
  return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

class GalleryMenuTest : public ::testing::Test {
protected:
  void SetUp() override {
    Gallery = CreateForm<TGalleryForm>(Application());
    Gallery->Show();
  }
  void TearDown() override { Gallery->Free(); }
  void Click(TPoint P, THeadlessButton Button = THeadlessButton::Left) {
    User.Display().MouseMove(P.X, P.Y);
    User.Display().Click(P.X, P.Y, Button);
    User.ProcessMessages();
  }

  TScriptedUser User;
  TGalleryForm* Gallery = nullptr;
};

TEST_F(GalleryMenuTest, TheViewMenuHasAnItemPerPageAndHelpShowsTheAboutBox) {
  ASSERT_EQ(Gallery->ViewMenu()->Count(), Gallery->PageCount());
  ASSERT_GE(Gallery->PageCount(), 2);
  Click(CentreOf(Gallery->Handle(), Gallery->MainMenu()->Handle(), 1));
  Click(CentreOf(nullptr, Gallery->ViewMenu()->Handle(), 1));
  EXPECT_EQ(Gallery->ActivePageIndex(), 1);
  EXPECT_TRUE(Gallery->ViewMenu()->Items(1)->Checked());
  EXPECT_FALSE(Gallery->ViewMenu()->Items(0)->Checked());
  User.PressKey('1', TShiftState{ssCtrl});
  EXPECT_EQ(Gallery->ActivePageIndex(), 0);

  User.PressKey('H', TShiftState{ssAlt});
  User.PressKey('A');
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_NE(User.Messages()[0].Text.find("LumTools gallery"), String::npos);
}

TEST_F(GalleryMenuTest, TheFirstPagesPopupMenuTurnsThePage) {
  TTabSheet* page = Gallery->Page(0);
  User.Display().WhenWaiting(
      [&] { Click(CentreOf(nullptr, Gallery->PagePopup()->Items()->Handle(), 0)); });
  const TPoint at = page->ClientToScreen(TPoint{page->Width() - 20, page->Height() - 20});
  Click(at, THeadlessButton::Right);
  EXPECT_EQ(Gallery->ActivePageIndex(), 1);
}

TEST(GalleryMenuPicture, ShowsTheFormWithItsViewMenuOpen) {
  const std::filesystem::path dir = std::filesystem::path(SheetPath("gallery-menu")).parent_path();
  const String path = RenderMenuPicture((dir / "gallery-menu").string());
  const TRaster picture = ReadPngFile(path);
  EXPECT_GT(picture.Width, 500);
  EXPECT_GT(picture.Height, 300);
  int highlight = 0;
  for (int y = 45; y < picture.Height; ++y)
    for (int x = 0; x < picture.Width; ++x) highlight += (picture.At(x, y) & 0xFFFFFF) == 0x000080;
  EXPECT_GT(highlight, 100) << "below the caption and the bar, the hovered item is highlighted";
}

} // namespace
