#include "framework/graphics/Color.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(ColorTest, SystemColoursResolveThroughTheTable) {
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
  EXPECT_EQ(ColorToRGB(clHighlight), RGB(0, 0, 128));
  EXPECT_EQ(ColorToRGB(clWindow), RGB(255, 255, 255));
  for (int index = COLOR_SCROLLBAR; index <= COLOR_INFOBK; ++index)
    EXPECT_EQ(ColorToRGB(lum::SysColor(index)), GetSysColor(index)) << index;
  const INT which[] = {COLOR_BTNFACE};
  const COLORREF pink[] = {RGB(255, 128, 192)};
  const COLORREF classic = GetSysColor(COLOR_BTNFACE);
  SetSysColors(1, which, pink);
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(255, 128, 192));
  const COLORREF back[] = {classic};
  SetSysColors(1, which, back);
  EXPECT_EQ(ColorToRGB(clTeal), static_cast<COLORREF>(clTeal));
  EXPECT_EQ(ColorToRGB(0x123456), 0x123456u);
}

TEST(ColorTest, NamedColoursGoThroughTheirIdentifiers) {
  const std::vector<std::pair<TColor, const char*>> named = {{clBlack, "clBlack"},
                                                             {clMaroon, "clMaroon"},
                                                             {clWhite, "clWhite"},
                                                             {clFuchsia, "clFuchsia"},
                                                             {clAqua, "clAqua"},
                                                             {clBtnFace, "clBtnFace"},
                                                             {cl3DDkShadow, "cl3DDkShadow"},
                                                             {clInfoText, "clInfoText"},
                                                             {clMenuText, "clMenuText"},
                                                             {clNone, "clNone"},
                                                             {clDefault, "clDefault"},
                                                             {clScrollBar, "clScrollBar"}};
  for (const auto& [color, name] : named) {
    EXPECT_EQ(ColorToString(color), name);
    EXPECT_EQ(StringToColor(name), color) << name;
  }
  // The grey aliases read back, and are written under the first name of their value.
  EXPECT_EQ(StringToColor("clLtGray"), clSilver);
  EXPECT_EQ(StringToColor("clDkGray"), clGray);
  EXPECT_EQ(ColorToString(clLtGray), "clSilver");
  TColor c = 0;
  EXPECT_TRUE(IdentToColor("CLRED", c));
  EXPECT_EQ(c, clRed);
  EXPECT_FALSE(IdentToColor("clRedish", c));
  String ident;
  EXPECT_FALSE(ColorToIdent(0x123456, ident));
}

TEST(ColorTest, OtherColoursAreHexNumbers) {
  EXPECT_EQ(ColorToString(0x00123456), "$00123456");
  EXPECT_EQ(StringToColor("$00123456"), 0x00123456);
  EXPECT_EQ(StringToColor("$00FF00"), clLime);
  EXPECT_EQ(StringToColor("65280"), clLime);
  EXPECT_EQ(ColorToString(lum::SysColor(25)), "$80000019");
  EXPECT_EQ(StringToColor("$80000019"), lum::SysColor(25));
  EXPECT_THROW(StringToColor("reddish"), EConvertError);
  EXPECT_THROW(StringToColor(""), EConvertError);
}

} // namespace
