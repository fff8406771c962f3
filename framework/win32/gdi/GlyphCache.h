#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

// A rasterised character: 8-bit coverage and where it sits relative to the pen position on
// the baseline (device pixels, x to the right, Top counted upward from the baseline).
struct TGlyph {
  int Advance = 0; // whole pixels along the baseline
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint8_t> Coverage; // Width * Height, rows top-down
};

// How the outlines of a sized face are changed before rasterising.
struct TGlyphStyle {
  int EmboldenPixels = 0;  // synthetic bold: strokes and advance widened by this many pixels
  bool Oblique = false;    // synthetic italic: slanted to the right
  bool Monochrome = false; // coverage only 0 or 255 (NONANTIALIASED_QUALITY)
  double Angle = 0;        // radians, counter-clockwise; the advance stays along the baseline
};

// The glyphs of one face at one size and angle, rendered on first use and kept. Used on the
// thread that draws (the user-interface thread).
class TGlyphCache {
public:
  TGlyphCache(FT_FaceRec_* face, TGlyphStyle style);
  TGlyphCache(const TGlyphCache&) = delete;
  TGlyphCache& operator=(const TGlyphCache&) = delete;

  const TGlyph& Glyph(char32_t code) {
    if (code < Latin.size() && Latin[code] != nullptr) return *Latin[code];
    return Load(code);
  }
  int Advance(char32_t code) { return Glyph(code).Advance; }

private:
  static constexpr std::size_t LatinSize = 256;
  const TGlyph& Load(char32_t code);
  TGlyph Render(char32_t code) const;

  FT_FaceRec_* Face;
  TGlyphStyle Style;
  std::array<const TGlyph*, LatinSize> Latin{};
  std::unordered_map<char32_t, TGlyph> Glyphs; // nodes keep their addresses
};
