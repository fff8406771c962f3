#include "tests/controls/ControlTestSupport.h"

using namespace controltest;

namespace {

TEST_F(ControlTest, ShownFormPaintsWindowedAndWindowlessChildren) {
  TForm* form = NewForm();
  auto* swatch = Place(form, new TSwatch(form, clRed), 10, 10);
  auto* patch = Place(form, new TPatch(form, clBlue), 100, 10);
  form->Show();
  EXPECT_TRUE(swatch->HandleAllocated());
  EXPECT_EQ(PixelAt(form, swatch, {5, 5}), clRed);
  EXPECT_EQ(PixelAt(form, patch, {5, 5}), clBlue);
  EXPECT_EQ(PixelAt(form, form, {200, 150}), ColorToRGB(clBtnFace));
}

} // namespace
