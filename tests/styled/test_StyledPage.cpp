#include "tests/SheetPath.h"

#include "demo/GalleryForm.h"
#include "framework/controls/Application.h"
#include "framework/controls/Labels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/win32/gdi/PngCodec.h"
#include "games/LumSchiebefix.h"
#include "styled/LumCheckBox.h"
#include "styled/LumMainMenu.h"

#include <gtest/gtest.h>

namespace {

template <class C> std::vector<C*> ControlsOf(TWinControl* Parent) {
  std::vector<C*> found;
  for (int i = 0; i < Parent->ControlCount(); ++i)
    if (auto* c = dynamic_cast<C*>(Parent->Controls(i))) found.push_back(c);
  return found;
}

TEST(StyledPage, SwitchesTheGallerysMenuToOwnerDrawingAndPlaysThePuzzle) {
  TScriptedUser user;
  auto* gallery = CreateForm<TGalleryForm>(Application());
  gallery->Show();
  const int index = gallery->PageIndexOf("Styled and games");
  ASSERT_GE(index, 0);
  gallery->ShowPage(index);
  TTabSheet* page = gallery->Page(index);
  auto* menu = dynamic_cast<TLumMainMenu*>(gallery->MainMenu());
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->OwnerDraw()) << "the system draws the menu at first";
  EXPECT_GE(ControlsOf<TLumCheckBox>(page).size(), 8u);

  const auto groups = ControlsOf<TRadioGroup>(page);
  ASSERT_EQ(groups.size(), 2u);
  groups[0]->SetItemIndex(2);
  groups[1]->SetItemIndex(2);
  EXPECT_EQ(menu->MenuStyle(), lmsBitmap);
  EXPECT_EQ(menu->SelectStyle(), lmssEllipse);
  EXPECT_TRUE(menu->OwnerDraw());
  EXPECT_EQ(menu->Background()->Width(), 12);
  user.ProcessMessages();
  RECT help{};
  ASSERT_TRUE(GetMenuItemRect(gallery->Handle(), menu->Handle(), 2, &help));
  EXPECT_EQ(user.Display().ScreenSnapshot().At(help.Right + 30, help.Top + 2) & 0xFFFFFF, 0xC8E0F0u)
      << "the bar shows the picture";
  RECT view{};
  ASSERT_TRUE(GetMenuItemRect(gallery->Handle(), menu->Handle(), 1, &view));
  user.Display().MouseMove(view.Left + 5, view.Top + 5);
  user.Display().Click(view.Left + 5, view.Top + 5);
  user.ProcessMessages();
  RECT second{};
  ASSERT_TRUE(GetMenuItemRect(nullptr, gallery->ViewMenu()->Handle(), 1, &second));
  user.Display().MouseMove(second.Left + 5, second.Top + 5);
  user.ProcessMessages();
  WritePngFile(user.Display().ScreenSnapshot(), SheetPath("StyledPage_menu.png"));
  user.Escape();
  user.Escape();

  auto* puzzle = ControlsOf<TLumSchiebefixspiel>(page).at(0);
  user.Click(puzzle->Tile(15));
  EXPECT_EQ(puzzle->ZugZahl(), 1);
  const auto labels = ControlsOf<TLabel>(page);
  ASSERT_FALSE(labels.empty());
  EXPECT_EQ(labels[0]->Caption(), "Moves: 1");
  user.Click(puzzle->Tile(15));
  EXPECT_EQ(labels[0]->Caption(), "Moves: 2");
  EXPECT_EQ(labels.at(1)->Caption(), "Solved!");
  user.SaveSnapshot(gallery, SheetPath("StyledPage.png"));
  groups[0]->SetItemIndex(0);
  EXPECT_FALSE(menu->OwnerDraw());
  gallery->Free();
}

} // namespace
