#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "demo/SurfacesPage.h"
#include "framework/controls/ComboBoxes.h"
#include "surfaces/LumEffekt.h"
#include "surfaces/LumImage.h"

using namespace controltest;

namespace {

template <class C> std::vector<C*> Owned(TComponent* Owner) {
  std::vector<C*> found;
  for (int i = 0; i < Owner->ComponentCount(); ++i)
    if (auto* c = dynamic_cast<C*>(Owner->Components(i))) found.push_back(c);
  return found;
}

using SurfacesPageTest = ControlTest;

TEST_F(SurfacesPageTest, TheEffectDecoratesItsControlsAndTheListSwitchesItsStyle) {
  TForm* form = NewForm(560, 300);
  FillSurfaces(form);
  form->Show();
  User.ProcessMessages();
  const auto effects = Owned<TLumEffect>(form);
  ASSERT_EQ(effects.size(), 1u);
  TControl* button = dynamic_cast<TControl*>(form->FindComponent("EffectButton"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(PixelAt(form, form, {button->Left() - 6, button->Top() + 10}), ColorToRGB(clBlack));
  EXPECT_EQ(Owned<TLumImage>(form).size(), 8u);

  auto* styles = Owned<TComboBox>(form).at(0);
  styles->SetFocus();
  User.PressKey(VK_END);
  EXPECT_EQ(effects[0]->EffectStyle(), esPictureTile);
  // The landscape's sky at the area's top-left corner.
  EXPECT_EQ(PixelAt(form, form, {button->Left() - 5, button->Top() - 5}), TColor(0xF0C080));

  auto* text = Owned<TLumScrollText>(form).at(0);
  const int x = text->BlockX();
  User.Advance(1000);
  EXPECT_EQ(text->BlockX(), x - 10);
  EXPECT_TRUE(User.Messages().empty());
  User.SaveSnapshot(form, SheetPath("SurfacesPage.png"));
}

} // namespace
