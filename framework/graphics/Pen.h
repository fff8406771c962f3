#pragma once

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/win32/Windows.h"

LUM_ENUM(TPenStyle, psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame);
LUM_ENUM(TPenMode, pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
         pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor);

// The R2_ code of a pen mode.
int PenModeToRop2(TPenMode Mode);

// A pen as a set of properties; its HPEN is made when first asked for and anew after a
// change. Mode is no part of the handle: a canvas sets it as the DC's ROP2.
class TPen : public TGraphicsObject {
  LUM_CLASS(TPen, TGraphicsObject)
public:
  TPen() = default;
  ~TPen() override;

  LUM_PUBLISHED(TColor, Color, FColor, SetColor, Default(clBlack), Idents(ColorIdents()))
  LUM_PUBLISHED(TPenMode, Mode, FMode, SetMode, Default(pmCopy))
  LUM_PUBLISHED(TPenStyle, Style, FStyle, SetStyle, Default(psSolid))
  LUM_PUBLISHED(Integer, Width, FWidth, SetWidth, Default(1))

  void SetColor(TColor Value);
  void SetMode(TPenMode Value);
  void SetStyle(TPenStyle Value);
  void SetWidth(Integer Value);

  HPEN Handle();
  // Takes over the handle and reads colour, style and width from it; a handle that names
  // no pen raises EInvalidGraphic.
  void SetHandle(HPEN Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  void Assign(TPersistent* Source) override;

private:
  void Modify();

  TColor FColor = clBlack;
  TPenMode FMode = pmCopy;
  TPenStyle FStyle = psSolid;
  Integer FWidth = 1;
  HPEN FHandle = nullptr;
};
