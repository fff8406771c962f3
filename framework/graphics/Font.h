#pragma once

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/win32/Windows.h"

LUM_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle>;
LUM_ENUM(TFontPitch, fpDefault, fpVariable, fpFixed);
using TFontCharset = Byte;
using TFontName = String;

// A font as a set of properties. Its HFONT is made from them when first asked for and made
// anew after a change; the font owns it (and a handle given to SetHandle) and deletes it.
class TFont : public TGraphicsObject {
  LUM_CLASS(TFont, TGraphicsObject)
public:
  TFont();
  ~TFont() override;

  LUM_PUBLISHED(TFontCharset, Charset, FCharset, SetCharset, Default(TFontCharset{1}))
  LUM_PUBLISHED(TColor, Color, FColor, SetColor, NoDefault, Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, Height, FHeight, SetHeight, NoDefault)
  LUM_PUBLISHED(TFontName, Name, FName, SetName, NoDefault)
  LUM_PUBLISHED(TFontPitch, Pitch, FPitch, SetPitch, Default(fpDefault))
  LUM_PUBLISHED(Integer, Size, SizeInPoints(), SetSize, NoDefault, Stored(SizeStored))
  LUM_PUBLISHED(TFontStyles, Style, FStyle, SetStyle, Default(TFontStyles{}))

  void SetCharset(TFontCharset Value);
  void SetColor(TColor Value);
  void SetHeight(Integer Value);
  void SetName(const TFontName& Value);
  void SetPitch(TFontPitch Value);
  // Points at PixelsPerInch: Height = -MulDiv(Size, PixelsPerInch, 72).
  void SetSize(Integer Value);
  void SetStyle(TFontStyles Value);

  // Pixels per inch of the device the font is meant for (96 for the screen).
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value);

  // The logical font the properties describe.
  LOGFONTA LogFont() const;
  HFONT Handle();
  // Takes over the handle and reads the properties from it; a handle that names no font
  // raises EInvalidGraphic.
  void SetHandle(HFONT Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  void Assign(TPersistent* Source) override;

private:
  Integer SizeInPoints() const;
  bool SizeStored() const { return false; }
  void Modify();
  void ReleaseHandle(HFONT Handle);

  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  Integer FHeight = 0;
  TFontName FName = "MS Sans Serif";
  TFontPitch FPitch = fpDefault;
  TFontStyles FStyle;
  int FPixelsPerInch = 96;
  HFONT FHandle = nullptr;
};

// Windows' MulDiv: a * b / c rounded half away from zero, -1 when c is 0 or the result
// does not fit.
int MulDiv(int A, int B, int C);
