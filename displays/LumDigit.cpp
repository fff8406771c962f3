#include "displays/LumDigit.h"

#include "core/Lumherk.h"
#include "displays/LumDigitEditor.h"
#include "framework/classes/Registry.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FormatDateTime.h"
#include "framework/win32/Windows.h"

#include <algorithm>
#include <cstring>

using namespace Lumherk;

namespace {

const bool DigitRegistered = (RegisterClass<TLumDigit>(), true);

constexpr Cardinal ScrollInterval = 50;
constexpr int ScrollStep = 2;

bool HasGlyph(char C) { return C == ' ' || (C >= '+' && C <= ':'); }

} // namespace

int GlyphIndex(char C) {
  const char* at = C == '\0' ? nullptr : std::strchr(DigitGlyphs, C);
  return static_cast<int>((at ? at : std::strchr(DigitGlyphs, ' ')) - DigitGlyphs);
}

char DigitCharAt(const String& Text, int I) {
  if (I > static_cast<int>(Text.size())) return ' ';
  const char c = Text[Text.size() - static_cast<size_t>(I)];
  return HasGlyph(c) ? c : ' ';
}

String DigitText(const Variant& Value, TDigitStyle Style, Byte DigitCount, Byte Decimals) {
  switch (Style) {
  case dsInteger:
    return Str_Number(Value.AsInteger());
  case dsDouble:
    return S_N(Value.AsDouble(), DigitCount, Decimals);
  case dsDate:
    return FormatDateTime("dd.mm.yyyy", Value.AsDateTime());
  case dsTime:
    return FormatDateTime("hh:nn:ss", Value.AsDateTime());
  }
  return "";
}

TLumDigit::TLumDigit(TComponent* AOwner)
    : TGraphicControl(AOwner), FScrollTimer(std::make_unique<TTimer>(nullptr)),
      FDigitBitmap(std::make_unique<TPicture>()) {
  FScrollTimer->SetEnabled(false);
  FScrollTimer->SetInterval(ScrollInterval);
  FScrollTimer->SetOnTimer([this](TObject*) { Invalidate(); });
  FDigitBitmap->SetOnChange([this](TObject* Sender) { PictureChanged(Sender); });
  FDigitBitmap->Bitmap()->LoadFromResourceName(nullptr, "LumDigitBitmap1");
  FGlyphWidth = FDigitBitmap->Width() / static_cast<int>(std::strlen(DigitGlyphs));
  FHeight = DigitGlyphHeight;
  FWidth = FDigitCount * FGlyphWidth;
}

TLumDigit::~TLumDigit() = default;

void TLumDigit::PictureChanged(TObject*) { Invalidate(); }

void TLumDigit::SetDigitBitmap(TPicture* Value) {
  FDigitBitmap->Assign(Value);
  Invalidate();
}

void TLumDigit::SetValue(const Variant& Value) {
  switch (Value.VType()) {
  case varDate:
    if (FDigitStyle != dsDate && FDigitStyle != dsTime) FDigitStyle = dsDate;
    break;
  case varSingle:
  case varDouble:
    FDigitStyle = dsDouble;
    break;
  case varByte:
  case varSmallint:
  case varInteger:
    FDigitStyle = dsInteger;
    break;
  default:
    return;
  }
  FValue = Value;
  Invalidate();
}

void TLumDigit::SetDigitCount(Byte Value) {
  FDigitCount = std::min<Byte>(Value, MaxDigitPositions);
  SetWidth(FDigitCount * FGlyphWidth);
  Invalidate();
}

void TLumDigit::SetDecimals(Byte Value) {
  if (Value == FDecimals) return;
  FDecimals = Value;
  if (FDigitStyle == dsDouble) Invalidate();
}

void TLumDigit::SetDigitStyle(TDigitStyle Value) {
  if (Value == FDigitStyle) return;
  FDigitStyle = Value;
  Invalidate();
}

void TLumDigit::Edit_aufrufen() { EditDigit(this); }

void TLumDigit::TakeText(const String& Text) {
  const bool designing = ComponentState().Contains(csDesigning);
  for (int i = 1; i <= MaxDigitPositions; ++i) {
    TDigitPosition& p = FPositions[static_cast<size_t>(i - 1)];
    const char c = DigitCharAt(Text, i);
    if (c == p.Target) continue;
    if (FDigitScrolling) {
      p.Outgoing = p.Target;
      p.Target = c;
      p.Offset = designing ? 0 : FHeight;
      p.Scrolling = !designing;
    } else {
      p = TDigitPosition{c, c, false, 0};
    }
  }
}

void TLumDigit::DrawGlyph(HDC Source, char C, int X, int Y) {
  BitBlt(Canvas()->Handle(), X, Y, FGlyphWidth, DigitGlyphHeight, Source,
         FGlyphWidth * GlyphIndex(C), 0, SRCCOPY);
}

void TLumDigit::Paint() {
  auto* strip = dynamic_cast<TBitmap*>(FDigitBitmap->Graphic());
  if (!strip || strip->Empty() || FDigitCount == 0) return;
  TakeText(DigitText(FValue, FDigitStyle, FDigitCount, FDecimals));
  FScrollTimer->SetEnabled(false);
  const HDC source = strip->Canvas()->Handle();
  bool rolling = false;
  for (int i = 1; i <= FDigitCount; ++i) {
    TDigitPosition& p = FPositions[static_cast<size_t>(i - 1)];
    const int x = FWidth - i * FGlyphWidth;
    if (p.Scrolling) {
      p.Offset -= ScrollStep;
      p.Scrolling = p.Offset > 0;
    }
    if (p.Scrolling) DrawGlyph(source, p.Outgoing, x, p.Offset - DigitGlyphHeight);
    DrawGlyph(source, p.Target, x, p.Offset);
    rolling = rolling || p.Scrolling;
  }
  if (rolling) FScrollTimer->SetEnabled(true);
}
