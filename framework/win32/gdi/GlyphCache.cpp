#include "framework/win32/gdi/GlyphCache.h"

#include "framework/rtl/Exceptions.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <cstring>

namespace {

FT_Fixed ToFixed(double value) { return static_cast<FT_Fixed>(std::lround(value * 65536.0)); }

// Slant of synthetic italics, as FreeType's own oblique transform.
constexpr double ObliqueSlant = 0.2126;

bool IsControl(char32_t code) { return code < 0x20 || (code >= 0x7F && code < 0xA0); }

void CopyBitmap(const FT_Bitmap& bitmap, TGlyph& glyph) {
  glyph.Width = static_cast<int>(bitmap.width);
  glyph.Height = static_cast<int>(bitmap.rows);
  glyph.Coverage.resize(static_cast<std::size_t>(glyph.Width) *
                        static_cast<std::size_t>(glyph.Height));
  const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  for (int row = 0; row < glyph.Height; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    std::uint8_t* target = glyph.Coverage.data() + static_cast<std::size_t>(row) * bitmap.width;
    if (!mono) {
      std::memcpy(target, source, bitmap.width);
      continue;
    }
    for (unsigned x = 0; x < bitmap.width; ++x)
      target[x] = (source[x / 8] & (0x80 >> (x % 8))) != 0 ? 255 : 0;
  }
}

} // namespace

TGlyphCache::TGlyphCache(FT_FaceRec_* face, TGlyphStyle style) : Face(face), Style(style) {}

const TGlyph& TGlyphCache::Load(char32_t code) {
  auto found = Glyphs.find(code);
  if (found == Glyphs.end()) found = Glyphs.emplace(code, Render(code)).first;
  if (code < LatinSize) Latin[code] = &found->second;
  return found->second;
}

TGlyph TGlyphCache::Render(char32_t code) const {
  TGlyph glyph;
  // A character the face lacks shows its missing-glyph box (index 0); control characters
  // it lacks take no room and draw nothing.
  const FT_UInt index = FT_Get_Char_Index(Face, static_cast<FT_ULong>(code));
  if (index == 0 && IsControl(code)) return glyph;
  const FT_Int32 target = Style.Monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (FT_Load_Glyph(Face, index, FT_LOAD_NO_BITMAP | target) != 0)
    throw EOutOfResources("FreeType cannot load the glyph of character " +
                          std::to_string(static_cast<unsigned long>(code)));
  FT_GlyphSlot slot = Face->glyph;
  glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6) + Style.EmboldenPixels;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
  FT_Outline& outline = slot->outline;
  if (Style.EmboldenPixels > 0) FT_Outline_EmboldenXY(&outline, Style.EmboldenPixels * 64, 0);
  if (Style.Oblique) {
    FT_Matrix shear{0x10000, ToFixed(ObliqueSlant), 0, 0x10000};
    FT_Outline_Transform(&outline, &shear);
  }
  if (Style.Angle != 0) {
    const double c = std::cos(Style.Angle);
    const double s = std::sin(Style.Angle);
    FT_Matrix turn{ToFixed(c), ToFixed(-s), ToFixed(s), ToFixed(c)};
    FT_Outline_Transform(&outline, &turn);
  }
  if (FT_Render_Glyph(slot, Style.Monochrome ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0)
    throw EOutOfResources("FreeType cannot render the glyph of character " +
                          std::to_string(static_cast<unsigned long>(code)));
  glyph.Left = slot->bitmap_left;
  glyph.Top = slot->bitmap_top;
  CopyBitmap(slot->bitmap, glyph);
  return glyph;
}
