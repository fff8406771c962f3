#pragma once

#include "framework/controls/GraphicControl.h"
#include "framework/controls/Timer.h"
#include "framework/graphics/Picture.h"
#include "framework/rtl/Variant.h"

#include <array>
#include <memory>

LUM_ENUM(TDigitStyle, dsInteger, dsDouble, dsDate, dsTime);

// The characters of a glyph strip, one 14 × 20 cell each, left to right.
inline constexpr const char* DigitGlyphs = "0123456789 ,.+-:/";
inline constexpr int MaxDigitPositions = 20;
inline constexpr int DigitGlyphHeight = 20;

// The cell of C in a glyph strip; characters without a glyph give the blank's cell.
int GlyphIndex(char C);
// The I-th character of Text counted from its right end (I from 1), a blank when Text is
// shorter or the character has no glyph.
char DigitCharAt(const String& Text, int I);
// Value as the display writes it in Style.
String DigitText(const Variant& Value, TDigitStyle Style, Byte DigitCount, Byte Decimals);

// One glyph position of the display, position 1 being the rightmost.
struct TDigitPosition {
  char Outgoing = ' ';
  char Target = ' ';
  bool Scrolling = false;
  Integer Offset = 0;
};

// A row of glyphs from a glyph-strip bitmap showing a number, a date or a time,
// right-aligned; with DigitScrolling each changed glyph rolls in from below on a timer.
class TLumDigit : public TGraphicControl {
  LUM_CLASS(TLumDigit, TGraphicControl)
public:
  explicit TLumDigit(TComponent* AOwner);
  ~TLumDigit() override;

  LUM_PUBLISHED(TPicture*, DigitBitmap, FDigitBitmap.get(), SetDigitBitmap, NoDefault)
  LUM_PUBLISHED(Variant, Value, FValue, SetValue, NoDefault)
  LUM_PUBLISHED(Byte, DigitCount, FDigitCount, SetDigitCount, NoDefault)
  LUM_PUBLISHED(bool, DigitScrolling, FDigitScrolling, Field, NoDefault)
  LUM_PUBLISHED(Byte, Decimals, FDecimals, SetDecimals, NoDefault)
  LUM_PUBLISHED(TDigitStyle, DigitStyle, FDigitStyle, SetDigitStyle, NoDefault)

  // Copies the picture; any later change of it repaints.
  void SetDigitBitmap(TPicture* Value);
  // Takes integers, floats and dates (switching DigitStyle to fit); other types are ignored.
  void SetValue(const Variant& Value);
  // Width follows: DigitCount glyphs. Counts above 20 are taken as 20.
  void SetDigitCount(Byte Value);
  void SetDecimals(Byte Value);
  void SetDigitStyle(TDigitStyle Value);

  // Opens the editor window on this display; its settings change when it closes with Accept.
  void Edit_aufrufen();

  const TDigitPosition& DigitPosition(int I) const {
    return FPositions.at(static_cast<size_t>(I - 1));
  }
  TTimer* ScrollTimer() const { return FScrollTimer.get(); }

protected:
  void Paint() override;

private:
  void PictureChanged(TObject* Sender);
  void TakeText(const String& Text);
  void DrawGlyph(HDC Source, char C, int X, int Y);

  std::array<TDigitPosition, MaxDigitPositions> FPositions{};
  std::unique_ptr<TTimer> FScrollTimer;
  std::unique_ptr<TPicture> FDigitBitmap;
  int FGlyphWidth = 14;
  Variant FValue = Integer(0);
  Byte FDigitCount = 5;
  bool FDigitScrolling = false;
  Byte FDecimals = 2;
  TDigitStyle FDigitStyle = dsInteger;
};
