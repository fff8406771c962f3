#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "tests/SheetPath.h"
#include "tests/graphics/PictureTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A sprite: a yellow disc with a black ring on white, which transparent drawing leaves out.
std::unique_ptr<TBitmap> Sprite() {
  auto sprite = std::make_unique<TBitmap>();
  sprite->SetSize(24, 24);
  TCanvas* canvas = sprite->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(Rect(0, 0, 24, 24));
  canvas->Brush()->SetColor(clYellow);
  canvas->Pen()->SetColor(clBlack);
  canvas->Pen()->SetWidth(2);
  canvas->Ellipse(2, 2, 22, 22);
  canvas->Brush()->SetColor(clRed);
  canvas->Pen()->SetWidth(1);
  canvas->Rectangle(9, 9, 15, 15);
  return sprite;
}

// Stripes of the standard colours, to show what lies beneath.
void Stripes(TCanvas* Canvas, const TRect& Area) {
  const TColor colours[] = {clNavy, clTeal, clOlive, clPurple, clGray};
  for (int i = 0; i * 8 < Area.Width(); ++i) {
    Canvas->Brush()->SetColor(colours[i % 5]);
    Canvas->FillRect(Rect(Area.Left + i * 8, Area.Top, std::min(Area.Left + i * 8 + 8, Area.Right),
                          Area.Bottom));
  }
}

std::unique_ptr<TIcon> Glow() {
  TRaster pixels(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      const int d = std::abs(x - 8) + std::abs(y - 8);
      const std::uint32_t alpha = d >= 12 ? 0u : static_cast<std::uint32_t>(255 - d * 21);
      pixels.At(x, y) = alpha << 24 | 0x00FFFFFFu;
    }
  pixels.HasAlpha = true;
  auto icon = std::make_unique<TIcon>();
  icon->SetPixels(pixels);
  return icon;
}

} // namespace

// Normal, stretched, transparent and blended drawing side by side on one sheet, written to
// out/sheets/bitmaps.png in the build folder.
TEST(BitmapSheet, DrawsEveryWayOnOneSheet) {
  TBitmap sheet;
  sheet.SetSize(320, 110);
  sheet.Canvas()->Brush()->SetColor(clSilver);
  sheet.Canvas()->FillRect(Rect(0, 0, 320, 110));
  Stripes(sheet.Canvas(), Rect(0, 40, 320, 110));
  auto sprite = Sprite();
  auto strip = std::make_unique<TBitmap>();
  strip->LoadFromResourceName(nullptr, "GlyphStrip4");

  TCanvas* canvas = sheet.Canvas();
  canvas->Draw(8, 8, sprite.get());                        // plain
  canvas->StretchDraw(Rect(40, 8, 88, 104), sprite.get()); // stretched
  sprite->SetTransparent(true);
  canvas->Draw(96, 50, sprite.get());                        // transparent over stripes
  canvas->StretchDraw(Rect(128, 44, 176, 92), sprite.get()); // transparent and stretched
  canvas->StretchDraw(Rect(184, 8, 256, 40), strip.get());   // 4-bit glyph strip, 4x
  auto glow = Glow();
  canvas->Draw(200, 60, glow.get()); // blended alpha
  canvas->StretchDraw(Rect(260, 48, 308, 96), glow.get());

  const TRaster pixels = sheet.ToRaster();
  EXPECT_EQ(pixels.At(8 + 12, 8 + 12), 0xFFFF0000u); // plain sprite's red centre
  EXPECT_EQ(pixels.At(96, 50), 0xFF808000u);         // olive stripe where the sprite is white
  EXPECT_EQ(pixels.At(96 + 12, 50 + 12), 0xFFFF0000u);
  EXPECT_EQ(pixels.At(208, 68), 0xFFFFFFFFu); // the glow's opaque middle
  sheet.SaveToPngFile(SheetPath("bitmaps.png"));
}
