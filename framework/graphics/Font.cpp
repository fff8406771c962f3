#include "framework/graphics/Font.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

int WeightOf(TFontStyles Style) { return Style.Contains(fsBold) ? FW_BOLD : FW_NORMAL; }

BYTE PitchBits(TFontPitch Pitch) {
  switch (Pitch) {
  case fpVariable:
    return VARIABLE_PITCH;
  case fpFixed:
    return FIXED_PITCH;
  default:
    return DEFAULT_PITCH;
  }
}

TFontPitch PitchOf(BYTE PitchAndFamily) {
  switch (PitchAndFamily & 0x3) {
  case VARIABLE_PITCH:
    return fpVariable;
  case FIXED_PITCH:
    return fpFixed;
  default:
    return fpDefault;
  }
}

TFontStyles StylesOf(const LOGFONTA& LogFont) {
  TFontStyles style;
  if (LogFont.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (LogFont.lfItalic) style.Include(fsItalic);
  if (LogFont.lfUnderline) style.Include(fsUnderline);
  if (LogFont.lfStrikeOut) style.Include(fsStrikeOut);
  return style;
}

} // namespace

int MulDiv(int A, int B, int C) {
  if (C == 0) return -1;
  long long n = static_cast<long long>(A) * B;
  long long d = C;
  if (d < 0) {
    n = -n;
    d = -d;
  }
  const long long q = n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d);
  if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(q);
}

TFont::TFont() { FHeight = -MulDiv(8, FPixelsPerInch, 72); }

TFont::~TFont() { ReleaseHandle(FHandle); }

void TFont::ReleaseHandle(HFONT Handle) {
  if (Handle) DeleteObject(Handle);
}

// The old handle goes only after OnChange, so that a canvas can deselect it first.
void TFont::Modify() {
  HFONT old = FHandle;
  FHandle = nullptr;
  Changed();
  ReleaseHandle(old);
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value == FCharset) return;
  FCharset = Value;
  Modify();
}

void TFont::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed(); // the colour is the DC's text colour, no part of the handle
}

void TFont::SetHeight(Integer Value) {
  if (Value == FHeight) return;
  FHeight = Value;
  Modify();
}

// A face name holds at most LF_FACESIZE - 1 bytes; a longer one is cut before a whole
// character.
void TFont::SetName(const TFontName& Value) {
  std::size_t length = std::min<std::size_t>(Value.size(), LF_FACESIZE - 1);
  if (length < Value.size())
    while (length > 0 && (static_cast<unsigned char>(Value[length]) & 0xC0) == 0x80) --length;
  const TFontName name = Value.substr(0, length);
  if (name.empty() || name == FName) return;
  FName = name;
  Modify();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == FPitch) return;
  FPitch = Value;
  Modify();
}

Integer TFont::SizeInPoints() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, FPixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Modify();
}

void TFont::SetPixelsPerInch(int Value) {
  if (Value <= 0)
    throw EInvalidGraphic("Pixels per inch must be positive, not " + std::to_string(Value));
  FPixelsPerInch = Value;
}

LOGFONTA TFont::LogFont() const {
  LOGFONTA lf;
  lf.lfHeight = FHeight;
  lf.lfWeight = WeightOf(FStyle);
  lf.lfItalic = FStyle.Contains(fsItalic) ? 1 : 0;
  lf.lfUnderline = FStyle.Contains(fsUnderline) ? 1 : 0;
  lf.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? 1 : 0;
  lf.lfCharSet = FCharset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = PitchBits(FPitch);
  std::memcpy(lf.lfFaceName, FName.data(), std::min<std::size_t>(FName.size(), LF_FACESIZE - 1));
  return lf;
}

HFONT TFont::Handle() {
  if (!FHandle) {
    const LOGFONTA lf = LogFont();
    FHandle = CreateFontIndirectA(&lf);
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  if (Value == FHandle) return;
  LOGFONTA lf;
  if (GetObject(Value, sizeof lf, &lf) != sizeof lf || GetObjectType(Value) != OBJ_FONT)
    throw EInvalidGraphic("The handle names no font");
  FHeight = lf.lfHeight;
  FName = String(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  FStyle = StylesOf(lf);
  FPitch = PitchOf(lf.lfPitchAndFamily);
  FCharset = lf.lfCharSet;
  HFONT old = FHandle;
  FHandle = Value;
  Changed();
  ReleaseHandle(old);
}

void TFont::Assign(TPersistent* Source) {
  auto* font = dynamic_cast<TFont*>(Source);
  if (!font) {
    inherited::Assign(Source);
    return;
  }
  if (font == this) return;
  // The size in points stays when the fonts are meant for different devices.
  const Integer height = FPixelsPerInch == font->FPixelsPerInch
                             ? font->FHeight
                             : -MulDiv(font->Size(), FPixelsPerInch, 72);
  const bool sameHandle = FCharset == font->FCharset && FHeight == height && FName == font->FName &&
                          FPitch == font->FPitch && FStyle == font->FStyle;
  if (sameHandle && FColor == font->FColor) return;
  FCharset = font->FCharset;
  FColor = font->FColor;
  FHeight = height;
  FName = font->FName;
  FPitch = font->FPitch;
  FStyle = font->FStyle;
  if (sameHandle)
    Changed();
  else
    Modify();
}
