#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "tests/win32/DcTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// Counts OnChange calls of a drawing tool.
template <class T> int* CountChanges(T& tool) {
  auto count = std::make_shared<int>(0);
  tool.SetOnChange([count](TObject*) { ++*count; });
  return count.get();
}

std::vector<String> Names(const TPropList& props) {
  std::vector<String> names;
  for (const TPropInfo* p : props) names.push_back(p->Name);
  return names;
}

TEST(FontTest, TheDefaultsMakeTheLogicalFont) {
  TFont font;
  const LOGFONTA lf = font.LogFont();
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfPitchAndFamily, DEFAULT_PITCH);
  EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
}

TEST(FontTest, SizeIsPointsAtThePixelsPerInch) {
  TFont font;
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  font.SetSize(12);
  EXPECT_EQ(font.Height(), -16);
  EXPECT_EQ(font.Size(), 12);
  font.SetHeight(20); // a cell height
  EXPECT_EQ(font.Size(), -15);
  font.SetPixelsPerInch(120);
  font.SetSize(8);
  EXPECT_EQ(font.Height(), -13);
  EXPECT_THROW(font.SetPixelsPerInch(0), EInvalidGraphic);
  EXPECT_EQ(MulDiv(8, 96, 72), 11);
  EXPECT_EQ(MulDiv(-8, 96, 72), -11);
  EXPECT_EQ(MulDiv(3, 1, 2), 2);
  EXPECT_EQ(MulDiv(-3, 1, 2), -2);
  EXPECT_EQ(MulDiv(1, 2, 0), -1);
  EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 1), -1);
}

TEST(FontTest, StylesAndPitchGoIntoTheRecord) {
  TFont font;
  font.SetStyle(TFontStyles{fsBold, fsItalic, fsUnderline, fsStrikeOut});
  font.SetPitch(fpFixed);
  font.SetCharset(ANSI_CHARSET);
  LOGFONTA lf = font.LogFont();
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfItalic, 1);
  EXPECT_EQ(lf.lfUnderline, 1);
  EXPECT_EQ(lf.lfStrikeOut, 1);
  EXPECT_EQ(lf.lfPitchAndFamily, FIXED_PITCH);
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);
  font.SetStyle(TFontStyles{fsItalic});
  font.SetPitch(fpVariable);
  lf = font.LogFont();
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_EQ(lf.lfUnderline, 0);
  EXPECT_EQ(lf.lfPitchAndFamily, VARIABLE_PITCH);
  // The handle is made from the record.
  LOGFONTA back;
  ASSERT_EQ(GetObject(font.Handle(), sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(std::memcmp(&back, &lf, sizeof lf), 0);
}

TEST(FontTest, EachChangeNotifiesOnceAndUnchangedValuesNotAtAll) {
  TFont font;
  int* changes = CountChanges(font);
  font.SetName("Arial");
  font.SetName("Arial");
  font.SetSize(8); // unchanged height
  font.SetSize(9);
  font.SetHeight(-12); // what size 9 already gave
  font.SetColor(clRed);
  font.SetColor(clRed);
  font.SetStyle(TFontStyles{fsBold});
  font.SetStyle(TFontStyles{fsBold});
  font.SetPitch(fpDefault);
  font.SetCharset(DEFAULT_CHARSET);
  font.SetName("");
  EXPECT_EQ(*changes, 4);
  EXPECT_EQ(font.Name(), "Arial");
  // Names longer than a face name holds are cut before a whole character.
  const String umlauts = String(30, 'A') + "\xC3\xBCx"; // the 31st byte starts a character
  font.SetName(umlauts);
  font.SetName(umlauts);
  EXPECT_EQ(*changes, 5);
  EXPECT_EQ(font.Name(), umlauts.substr(0, 30));
}

TEST(FontTest, TheHandleIsRemadeAfterChangesOfItsRecordOnly) {
  TFont font;
  HFONT first = font.Handle();
  EXPECT_EQ(font.Handle(), first);
  font.SetColor(clBlue);
  EXPECT_EQ(font.Handle(), first);
  font.SetSize(14);
  HFONT second = font.Handle();
  EXPECT_EQ(GetObjectType(second), OBJ_FONT);
  LOGFONTA lf;
  GetObject(second, sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -19);
  // The old handle was deleted (the handle table never reuses values).
  EXPECT_EQ(GetObjectType(first), 0u);
}

TEST(FontTest, SetHandleTakesTheFontOver) {
  TFont font;
  int* changes = CountChanges(font);
  HFONT own = CreateFontA(-15, 0, 450, 0, FW_BOLD, 1, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH,
                          "Courier New");
  font.SetHandle(own);
  EXPECT_EQ(*changes, 1);
  EXPECT_EQ(font.Handle(), own);
  EXPECT_EQ(font.Name(), "Courier New");
  EXPECT_EQ(font.Height(), -15);
  EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(font.Pitch(), fpFixed);
  EXPECT_EQ(font.Charset(), ANSI_CHARSET);
  font.SetSize(20); // a new handle; the one taken over is deleted
  EXPECT_EQ(GetObjectType(own), 0u);
  EXPECT_THROW(font.SetHandle(reinterpret_cast<HFONT>(GetStockObject(BLACK_PEN))), EInvalidGraphic);
  EXPECT_EQ(font.Size(), 20);
}

TEST(FontTest, AssignCopiesEverythingWithOneNotification) {
  TFont source;
  source.SetName("Times New Roman");
  source.SetSize(14);
  source.SetColor(clNavy);
  source.SetStyle(TFontStyles{fsUnderline});
  source.SetPitch(fpVariable);
  source.SetCharset(ANSI_CHARSET);
  TFont dest;
  int* changes = CountChanges(dest);
  dest.Assign(&source);
  EXPECT_EQ(*changes, 1);
  EXPECT_EQ(dest.Name(), "Times New Roman");
  EXPECT_EQ(dest.Height(), source.Height());
  EXPECT_EQ(dest.Color(), clNavy);
  EXPECT_EQ(dest.Style(), TFontStyles{fsUnderline});
  EXPECT_EQ(dest.Pitch(), fpVariable);
  EXPECT_EQ(dest.Charset(), ANSI_CHARSET);
  dest.Assign(&source);
  EXPECT_EQ(*changes, 1);
  // A font for another device keeps the size in points.
  TFont printer;
  printer.SetPixelsPerInch(600);
  printer.Assign(&source);
  EXPECT_EQ(printer.Size(), 14);
  EXPECT_EQ(printer.Height(), -117);
  TPen pen;
  EXPECT_THROW(dest.Assign(&pen), EConvertError);
}

TEST(FontTest, PublishedPropertiesStreamThroughTheirSetters) {
  TFont font;
  EXPECT_EQ(Names(GetPropList(&font)),
            (std::vector<String>{"Charset", "Color", "Height", "Name", "Pitch", "Size", "Style"}));
  int* changes = CountChanges(font);
  SetStrProp(&font, "Name", "Arial");
  SetOrdProp(&font, "Size", 12);
  SetEnumProp(&font, "Pitch", "fpFixed");
  SetSetProp(&font, "Style", "[fsBold,fsItalic]");
  EXPECT_EQ(*changes, 4);
  EXPECT_EQ(font.Height(), -16);
  EXPECT_EQ(GetSetProp(&font, "Style", true), "[fsBold,fsItalic]");
  EXPECT_FALSE(IsStoredProp(&font, GetPropInfo(&font, "Size")));
  EXPECT_TRUE(IsStoredProp(&font, GetPropInfo(&font, "Height")));
}

TEST(PenTest, HandleAndModes) {
  TPen pen;
  pen.SetColor(clBtnShadow);
  pen.SetWidth(3);
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen.Handle(), sizeof lp, &lp), static_cast<int>(sizeof lp));
  EXPECT_EQ(lp.lopnColor, RGB(128, 128, 128));
  EXPECT_EQ(lp.lopnWidth.X, 3);
  pen.SetWidth(1);
  pen.SetStyle(psDot);
  GetObject(pen.Handle(), sizeof lp, &lp);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_DOT));
  pen.SetStyle(psClear);
  GetObject(pen.Handle(), sizeof lp, &lp);
  EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_NULL));
  EXPECT_EQ(PenModeToRop2(pmXor), R2_XORPEN);
  EXPECT_EQ(PenModeToRop2(pmNotXor), R2_NOTXORPEN);
  EXPECT_EQ(PenModeToRop2(pmMaskNotPen), R2_MASKNOTPEN);
  EXPECT_EQ(PenModeToRop2(pmBlack), R2_BLACK);
}

TEST(PenTest, ChangesNotifyOnceAndTheModeKeepsTheHandle) {
  TPen pen;
  int* changes = CountChanges(pen);
  HPEN first = pen.Handle();
  pen.SetMode(pmXor);
  pen.SetMode(pmXor);
  EXPECT_EQ(pen.Handle(), first);
  pen.SetColor(clRed);
  pen.SetColor(clRed);
  pen.SetWidth(-1); // refused
  pen.SetWidth(2);
  pen.SetStyle(psDash);
  EXPECT_EQ(*changes, 4);
  EXPECT_EQ(GetObjectType(first), 0u);
  TPen copy;
  int* copyChanges = CountChanges(copy);
  copy.Assign(&pen);
  copy.Assign(&pen);
  EXPECT_EQ(*copyChanges, 1);
  EXPECT_EQ(copy.Color(), clRed);
  EXPECT_EQ(copy.Width(), 2);
  EXPECT_EQ(copy.Style(), psDash);
  EXPECT_EQ(copy.Mode(), pmXor);
}

TEST(BrushTest, StylesAndHandles) {
  TBrush brush;
  LOGBRUSH lb;
  brush.SetColor(clInfoBk);
  ASSERT_EQ(GetObject(brush.Handle(), sizeof lb, &lb), static_cast<int>(sizeof lb));
  EXPECT_EQ(lb.lbStyle, BS_SOLID);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_INFOBK));
  brush.SetStyle(bsDiagCross);
  GetObject(brush.Handle(), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, static_cast<UINT_PTR>(HS_DIAGCROSS));
  brush.SetStyle(bsClear);
  EXPECT_EQ(brush.Handle(), GetStockObject(NULL_BRUSH));
  // Giving a clear brush a colour makes it solid.
  brush.SetColor(clRed);
  EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(BrushTest, ChangesNotifyOnceAndSetHandleReadsTheBrush) {
  TBrush brush;
  int* changes = CountChanges(brush);
  brush.SetColor(clWhite);
  brush.SetStyle(bsSolid);
  brush.SetColor(clLime);
  brush.SetStyle(bsCross);
  EXPECT_EQ(*changes, 2);
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(0, 0, 255));
  brush.SetHandle(hatch);
  EXPECT_EQ(*changes, 3);
  EXPECT_EQ(brush.Style(), bsVertical);
  EXPECT_EQ(brush.Color(), clBlue);
  EXPECT_EQ(brush.Handle(), hatch);
  TBrush copy;
  copy.Assign(&brush);
  EXPECT_EQ(copy.Style(), bsVertical);
  EXPECT_EQ(copy.Color(), clBlue);
  EXPECT_NE(copy.Handle(), hatch);
  EXPECT_THROW(brush.SetHandle(nullptr), EInvalidGraphic);
}

} // namespace
