#pragma once

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/win32/Windows.h"

class TBitmap;

LUM_ENUM(TBrushStyle, bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross,
         bsDiagCross);

// A brush as a set of properties; its HBRUSH is made when first asked for and anew after a
// change. bsClear gives the stock hollow brush.
class TBrush : public TGraphicsObject {
  LUM_CLASS(TBrush, TGraphicsObject)
public:
  TBrush() = default;
  ~TBrush() override;

  LUM_PUBLISHED(TColor, Color, FColor, SetColor, Default(clWhite), Idents(ColorIdents()))
  LUM_PUBLISHED(TBrushStyle, Style, FStyle, SetStyle, Default(bsSolid))

  void SetColor(TColor Value);
  void SetStyle(TBrushStyle Value);

  // A bitmap to paint with, referenced, not copied: while it is set and not empty, the handle
  // is a pattern brush of it (taken when the handle is made) and Color and Style are unused.
  TBitmap* Bitmap() const { return FBitmap; }
  void SetBitmap(TBitmap* Value);

  HBRUSH Handle();
  // Takes over the handle and reads colour and style from it; a handle that names no brush
  // raises EInvalidGraphic.
  void SetHandle(HBRUSH Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  void Assign(TPersistent* Source) override;

private:
  void Modify();

  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
  TBitmap* FBitmap = nullptr;
  HBRUSH FHandle = nullptr;
};
