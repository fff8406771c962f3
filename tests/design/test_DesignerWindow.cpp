#include "tests/SheetPath.h"
#include "tests/platform/RealWindowTest.h"
#include "tests/platform/SdlTestSupport.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/StdCtrls.h"
#include "framework/design/FormDesigner.h"
#include "framework/win32/gdi/PngCodec.h"

namespace {

class DesignerWindowTest : public TRealWindowTest {};

String XdotoolClickAt(TControl* Control, TPoint At) {
  const TPoint p = Control->ClientToScreen(At);
  return "xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1";
}

} // namespace

TEST_F(DesignerWindowTest, AButtonIsPlacedWithTheRealMouseAndNamedInTheInspector) {
  auto* designer = CreateForm<TFormDesigner>(Application());
  designer->Show();
  ASSERT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
  XWindowNamed("LumTools designer");

  RunOnDisplay(XdotoolClickAt(designer->PaletteButton(TButton::StaticClass()), {15, 15}));
  ASSERT_TRUE(PumpUntil([&] { return designer->Placing() == TButton::StaticClass(); }));
  RunOnDisplay(XdotoolClickAt(designer->DesignedForm(), {60, 50}));
  ASSERT_TRUE(PumpUntil([&] { return designer->DesignedForm()->FindComponent("Button1"); }));
  auto* button = static_cast<TButton*>(designer->DesignedForm()->FindComponent("Button1"));
  EXPECT_EQ(button->Left(), 60);
  EXPECT_EQ(button->Top(), 50);
  const auto presents = Display->PresentCount();
  PumpUntil([&] { return Display->PresentCount() > presents; });
  WritePngFile(ScreenshotOfXWindow(XWindowNamed("LumTools designer")),
               SheetPath("designer_window.png"));
  designer->Free();
}
