#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/GlyphCache.h"
#include "framework/win32/gdi/LogFont.h"

#include <memory>
#include <string_view>
#include <vector>

// Font lookup. By default fonts are found through the system's fontconfig configuration.
// SetFontSources makes lookup see only the given font files and directories (tests use the
// files of the Debian font packages, so results do not depend on what else is installed);
// an empty list returns to the system configuration. Fonts created before keep their faces.
void SetFontSources(std::vector<String> paths);

// The faces the Debian packages fonts-liberation2 and fonts-dejavu-core install.
std::vector<String> PackagedFontFiles();

// The metric-compatible family for a Windows face name ("Arial" → "Liberation Sans"),
// matched without regard to case; empty when the table has no entry.
String SubstituteFaceName(std::string_view faceName);

// The family names of the fonts lookup can find, unsorted, possibly repeated.
std::vector<String> FontFamilies();

// The face file chosen for a logical font.
struct TFontFile {
  String Path;
  int Index = 0; // face index within the file
  String Family;
  bool Bold = false;   // the face itself is bold (semibold or heavier)
  bool Italic = false; // the face itself is italic or oblique
  bool Mono = false;
};

// Resolves the face: the substitution table, then fontconfig with Liberation Sans and
// DejaVu Sans as fallbacks (Liberation Mono and DejaVu Sans Mono for fixed pitch). Raises
// EOutOfResources when no usable face exists at all.
TFontFile FindFontFile(const LOGFONTA& logFont);

// Lines drawn with the text, in pixels from the baseline (positive downward).
struct TFontLines {
  int UnderlineTop = 1;
  int UnderlineThickness = 1;
  int StrikeOutTop = -3;
  int StrikeOutThickness = 1;
};

struct TSizedFace;

// A font as CreateFontIndirectA makes it from a LOGFONTA: a face at a pixel size, possibly
// turned, with its text metrics and glyph cache. lfHeight < 0 is the em height in pixels,
// > 0 the cell height (tmAscent + tmDescent), 0 a 16-pixel cell; lfWidth ≠ 0 scales the face
// horizontally to that average character width; lfEscapement turns baseline and glyphs
// (lfOrientation is ignored, as in GDI's compatible mode); NONANTIALIASED_QUALITY draws
// whole pixels. Bold and italic come from the family's faces, synthesised when it has none.
// Fonts made from equal records share their face and glyphs (use them from the drawing
// thread). Heights and widths beyond ±4096 pixels raise ERangeError.
class TGdiFont {
public:
  explicit TGdiFont(const LOGFONTA& logFont);

  const LOGFONTA& LogFont() const { return Logical; }
  const TEXTMETRICA& Metrics() const { return TextMetrics; }
  const TFontFile& File() const;
  const TFontLines& Lines() const;
  double Angle() const; // escapement in radians, counter-clockwise
  TGlyphCache& Glyphs() const;

  // Sum of the advances of the decoded text, in pixels.
  int TextWidth(std::string_view text) const;

private:
  LOGFONTA Logical;
  std::shared_ptr<TSizedFace> Face;
  TEXTMETRICA TextMetrics;
};

// A LOGFONTA with the given face name (cut to 31 bytes), height and weight, the rest zero.
LOGFONTA MakeLogFont(std::string_view faceName, int height, int weight = FW_NORMAL);
