#pragma once

#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/GdiHandles.h"
#include "framework/win32/gdi/GdiObjects.h"
#include "framework/win32/gdi/LogFont.h"

#include <memory>

// The font behind an HFONT: the logical font it was created from, realised into a face and
// its glyphs when first drawn or measured with.
class TGdiFontObject : public TGdiObject {
public:
  explicit TGdiFontObject(const LOGFONTA& logFont) : Logical(logFont) {}
  TGdiKind Kind() const override { return TGdiKind::Font; }

  const LOGFONTA& LogFont() const { return Logical; }
  // EOutOfResources when the system has no usable face at all.
  const TGdiFont& Font() const;
  // The same font with whole-pixel glyphs, for monochrome surfaces.
  const TGdiFont& WholePixelFont() const;

private:
  LOGFONTA Logical;
  mutable std::unique_ptr<TGdiFont> Realised;
  mutable std::unique_ptr<TGdiFont> WholePixels;
};

// The heights the font engine renders.
inline constexpr int MaxFontHeight = 4096;

// Registers the stock fonts under their GetStockObject indices and makes SYSTEM_FONT (13)
// the font new device contexts start with.
void RegisterStockFonts(TGdiHandles& table);
