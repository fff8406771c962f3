#include "framework/graphics/Brush.h"

#include "framework/graphics/Bitmap.h"

namespace {

// HS_ codes of the hatched styles, from bsHorizontal on.
constexpr int HatchOf(TBrushStyle Style) { return static_cast<int>(Style) - bsHorizontal; }

TBrushStyle StyleOf(const LOGBRUSH& Brush) {
  if (Brush.lbStyle == BS_NULL) return bsClear;
  if (Brush.lbStyle == BS_HATCHED && Brush.lbHatch <= HS_DIAGCROSS)
    return static_cast<TBrushStyle>(bsHorizontal + static_cast<int>(Brush.lbHatch));
  return bsSolid;
}

} // namespace

TBrush::~TBrush() {
  if (FHandle) DeleteObject(FHandle);
}

void TBrush::Modify() {
  HBRUSH old = FHandle;
  FHandle = nullptr;
  Changed();
  if (old) DeleteObject(old);
}

void TBrush::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  // Giving a clear brush a colour makes it solid, as the framework does.
  if (FStyle == bsClear) FStyle = bsSolid;
  Modify();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Modify();
}

void TBrush::SetBitmap(TBitmap* Value) {
  if (Value == FBitmap) return;
  FBitmap = Value;
  Modify();
}

HBRUSH TBrush::Handle() {
  if (FHandle) return FHandle;
  if (FBitmap && !FBitmap->Empty())
    FHandle = CreatePatternBrush(FBitmap->Handle());
  else if (FStyle == bsSolid)
    FHandle = CreateSolidBrush(ColorToRGB(FColor));
  else if (FStyle == bsClear)
    FHandle = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  else
    FHandle = CreateHatchBrush(HatchOf(FStyle), ColorToRGB(FColor));
  return FHandle;
}

void TBrush::SetHandle(HBRUSH Value) {
  if (Value == FHandle) return;
  LOGBRUSH lb;
  if (GetObjectType(Value) != OBJ_BRUSH || GetObject(Value, sizeof lb, &lb) != sizeof lb)
    throw EInvalidGraphic("The handle names no brush");
  FColor = static_cast<TColor>(lb.lbColor);
  FStyle = StyleOf(lb);
  HBRUSH old = FHandle;
  FHandle = Value;
  Changed();
  if (old) DeleteObject(old);
}

void TBrush::Assign(TPersistent* Source) {
  auto* brush = dynamic_cast<TBrush*>(Source);
  if (!brush) {
    inherited::Assign(Source);
    return;
  }
  if (FColor == brush->FColor && FStyle == brush->FStyle && FBitmap == brush->FBitmap) return;
  FColor = brush->FColor;
  FStyle = brush->FStyle;
  FBitmap = brush->FBitmap;
  Modify();
}
