#include "framework/graphics/Pen.h"

#include <array>

namespace {

constexpr std::array<int, 16> PenRop2s{
    R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,        R2_COPYPEN,  R2_NOTCOPYPEN,
    R2_MERGEPENNOT, R2_MASKPENNOT, R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN, R2_NOTMERGEPEN,
    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};

constexpr std::array<int, 7> PenStyles{PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                       PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};

TPenStyle StyleOf(UINT PenStyle) {
  for (std::size_t i = 0; i < PenStyles.size(); ++i)
    if (static_cast<UINT>(PenStyles[i]) == (PenStyle & 0xF)) return static_cast<TPenStyle>(i);
  return psSolid;
}

} // namespace

int PenModeToRop2(TPenMode Mode) { return PenRop2s.at(static_cast<std::size_t>(Mode)); }

TPen::~TPen() {
  if (FHandle) DeleteObject(FHandle);
}

void TPen::Modify() {
  HPEN old = FHandle;
  FHandle = nullptr;
  Changed();
  if (old) DeleteObject(old);
}

void TPen::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Modify();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Modify();
}

void TPen::SetWidth(Integer Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  Modify();
}

HPEN TPen::Handle() {
  if (!FHandle)
    FHandle = CreatePen(PenStyles.at(static_cast<std::size_t>(FStyle)), FWidth, ColorToRGB(FColor));
  return FHandle;
}

void TPen::SetHandle(HPEN Value) {
  if (Value == FHandle) return;
  LOGPEN lp;
  if (GetObjectType(Value) != OBJ_PEN || GetObject(Value, sizeof lp, &lp) != sizeof lp)
    throw EInvalidGraphic("The handle names no pen");
  FColor = static_cast<TColor>(lp.lopnColor);
  FStyle = StyleOf(lp.lopnStyle);
  FWidth = lp.lopnWidth.X;
  HPEN old = FHandle;
  FHandle = Value;
  Changed();
  if (old) DeleteObject(old);
}

void TPen::Assign(TPersistent* Source) {
  auto* pen = dynamic_cast<TPen*>(Source);
  if (!pen) {
    inherited::Assign(Source);
    return;
  }
  const bool sameHandle = FColor == pen->FColor && FStyle == pen->FStyle && FWidth == pen->FWidth;
  if (sameHandle && FMode == pen->FMode) return;
  FColor = pen->FColor;
  FStyle = pen->FStyle;
  FWidth = pen->FWidth;
  FMode = pen->FMode;
  if (sameHandle)
    Changed();
  else
    Modify();
}
