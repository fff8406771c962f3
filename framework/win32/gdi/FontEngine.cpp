#include "framework/win32/gdi/FontEngine.h"

#include "framework/rtl/Checked.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/Utf8.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <numbers>
#include <optional>

namespace {

constexpr int MaxPixelHeight = 4096;
constexpr int DefaultCellHeight = 16;
constexpr std::size_t FaceCacheLimit = 48;
constexpr const char* LiberationDirectory = "/usr/share/fonts/truetype/liberation2";
constexpr const char* DejaVuDirectory = "/usr/share/fonts/truetype/dejavu";

// The FreeType library, kept alive by every face opened from it.
struct TFreeType {
  FT_Library Library = nullptr;
  TFreeType() {
    if (FT_Init_FreeType(&Library) != 0) throw EOutOfResources("FreeType cannot be initialised");
  }
  ~TFreeType() { FT_Done_FreeType(Library); }
  TFreeType(const TFreeType&) = delete;
  TFreeType& operator=(const TFreeType&) = delete;
};

struct TSubstitute {
  const char* Name;
  const char* Family;
};

constexpr TSubstitute Substitutes[] = {
    {"MS Sans Serif", "Liberation Sans"},    {"MS Shell Dlg", "Liberation Sans"},
    {"MS Shell Dlg 2", "Liberation Sans"},   {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},        {"System", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"}, {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},      {"Courier", "Liberation Mono"},
    {"Fixedsys", "Liberation Mono"},         {"Terminal", "Liberation Mono"},
};

} // namespace

// A face opened at one size and style, shared by the fonts made for it.
struct TSizedFace {
  std::shared_ptr<TFreeType> FreeType;
  FT_Face Face = nullptr;
  TFontFile File;
  TEXTMETRICA Metrics; // the face's part: heights, widths, pitch and family
  TFontLines Lines;
  double Angle = 0;
  std::unique_ptr<TGlyphCache> Glyphs;

  TSizedFace() = default;
  TSizedFace(const TSizedFace&) = delete;
  TSizedFace& operator=(const TSizedFace&) = delete;
  ~TSizedFace() {
    Glyphs.reset();
    if (Face != nullptr) FT_Done_Face(Face);
  }
};

namespace {

// The size a logical font asks for, and what is synthesised.
struct TFaceRequest {
  TFontFile File;
  int Height = 0;
  int Width = 0;
  int Escapement = 0; // tenths of a degree, 0..3599
  bool Embolden = false;
  bool Oblique = false;
  bool Monochrome = false;

  String Key() const {
    return File.Path + '#' + std::to_string(File.Index) + '/' + std::to_string(Height) + 'x' +
           std::to_string(Width) + '@' + std::to_string(Escapement) + (Embolden ? "b" : "") +
           (Oblique ? "i" : "") + (Monochrome ? "m" : "");
  }
};

class TFontEngine {
public:
  TFontEngine() : FreeType(std::make_shared<TFreeType>()) {}
  ~TFontEngine() { DestroyConfig(); }
  TFontEngine(const TFontEngine&) = delete;
  TFontEngine& operator=(const TFontEngine&) = delete;

  void SetSources(std::vector<String> sources) {
    std::lock_guard lock(Mutex);
    DestroyConfig();
    Sources = std::move(sources);
    Files.clear();
  }

  TFontFile Find(const LOGFONTA& logFont);
  std::shared_ptr<TSizedFace> Face(const TFaceRequest& request);
  std::vector<String> Families();

private:
  FcConfig* Config();
  void DestroyConfig() {
    if (ConfigHandle != nullptr) FcConfigDestroy(ConfigHandle);
    ConfigHandle = nullptr;
  }
  std::optional<TFontFile> Match(const std::vector<String>& families, int weight, bool italic);
  std::shared_ptr<TSizedFace> Open(const TFaceRequest& request) const;

  std::mutex Mutex;
  std::shared_ptr<TFreeType> FreeType;
  std::vector<String> Sources;
  FcConfig* ConfigHandle = nullptr;
  std::map<String, TFontFile> Files;
  std::map<String, std::shared_ptr<TSizedFace>> Faces;
};

TFontEngine& Engine() {
  static TFontEngine engine;
  return engine;
}

String EscapeXml(const String& text) {
  String escaped;
  for (const char c : text) {
    switch (c) {
    case '&':
      escaped += "&amp;";
      break;
    case '<':
      escaped += "&lt;";
      break;
    case '>':
      escaped += "&gt;";
      break;
    case '"':
      escaped += "&quot;";
      break;
    default:
      escaped += c;
    }
  }
  return escaped;
}

bool IsDirectory(const String& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// A configuration that sees only the given font files and directories; directory caches go
// where the user's fontconfig cache lives.
FcConfig* SourceConfig(const std::vector<String>& sources) {
  String xml = "<?xml version=\"1.0\"?><fontconfig>";
  for (const String& source : sources)
    if (IsDirectory(source)) xml += "<dir>" + EscapeXml(source) + "</dir>";
  xml += "<cachedir prefix=\"xdg\">fontconfig</cachedir></fontconfig>";
  FcConfig* config = FcConfigCreate();
  if (config == nullptr) return nullptr;
  bool loaded = FcConfigParseAndLoadFromMemory(
                    config, reinterpret_cast<const FcChar8*>(xml.c_str()), FcTrue) &&
                FcConfigBuildFonts(config);
  for (const String& source : sources)
    if (loaded && !IsDirectory(source))
      loaded = FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(source.c_str()));
  if (!loaded) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

FcConfig* TFontEngine::Config() {
  if (ConfigHandle != nullptr) return ConfigHandle;
  ConfigHandle = Sources.empty() ? FcInitLoadConfigAndFonts() : SourceConfig(Sources);
  if (ConfigHandle == nullptr)
    throw EOutOfResources("fontconfig cannot load the fonts it was given");
  return ConfigHandle;
}

String PatternString(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(value);
}

int PatternInteger(FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pattern, object, 0, &value);
  return value;
}

struct TPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

// Spacing is not asked for: the match would report the asked value for faces that have none.
std::optional<TFontFile> TFontEngine::Match(const std::vector<String>& families, int weight,
                                            bool italic) {
  FcConfig* config = Config();
  const TPattern pattern(FcPatternCreate());
  for (const String& family : families)
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  const TPattern match(FcFontMatch(config, pattern.get(), &result));
  if (match == nullptr) return std::nullopt;
  FcPattern* found = match.get();
  TFontFile file;
  file.Path = PatternString(found, FC_FILE);
  file.Index = PatternInteger(found, FC_INDEX, 0);
  file.Family = PatternString(found, FC_FAMILY);
  file.Bold = PatternInteger(found, FC_WEIGHT, FC_WEIGHT_REGULAR) >= FC_WEIGHT_DEMIBOLD;
  file.Italic = PatternInteger(found, FC_SLANT, FC_SLANT_ROMAN) != FC_SLANT_ROMAN;
  file.Mono = PatternInteger(found, FC_SPACING, FC_PROPORTIONAL) >= FC_MONO;
  FcBool scalable = FcFalse;
  FcPatternGetBool(found, FC_SCALABLE, 0, &scalable);
  if (file.Path.empty() || !scalable) return std::nullopt;
  return file;
}

std::vector<String> TFontEngine::Families() {
  std::lock_guard lock(Mutex);
  const TPattern pattern(FcPatternCreate());
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
  FcFontSet* set = FcFontList(Config(), pattern.get(), objects);
  FcObjectSetDestroy(objects);
  std::vector<String> families;
  for (int i = 0; set && i < set->nfont; ++i) {
    const String family = PatternString(set->fonts[i], FC_FAMILY);
    if (!family.empty()) families.push_back(family);
  }
  if (set) FcFontSetDestroy(set);
  return families;
}

String FaceNameOf(const LOGFONTA& logFont) {
  return String(logFont.lfFaceName, strnlen(logFont.lfFaceName, LF_FACESIZE));
}

int RequestedWeight(const LOGFONTA& logFont) {
  return logFont.lfWeight <= 0 ? FW_NORMAL : std::min(logFont.lfWeight, 1000);
}

bool WantsFixedPitch(const LOGFONTA& logFont, const String& name) {
  return (logFont.lfPitchAndFamily & 3) == FIXED_PITCH ||
         (name.empty() && (logFont.lfPitchAndFamily & 0xF0) == FF_MODERN);
}

// Families to ask fontconfig for, in order of preference.
std::vector<String> CandidateFamilies(const LOGFONTA& logFont, const String& name) {
  std::vector<String> families;
  const String substitute = SubstituteFaceName(name);
  if (!substitute.empty())
    families.push_back(substitute);
  else if (!name.empty())
    families.push_back(name);
  else if ((logFont.lfPitchAndFamily & 0xF0) == FF_ROMAN)
    families.push_back("Liberation Serif");
  families.push_back("Liberation Sans");
  families.push_back("DejaVu Sans");
  return families;
}

TFontFile TFontEngine::Find(const LOGFONTA& logFont) {
  const String name = FaceNameOf(logFont);
  const int weight = RequestedWeight(logFont);
  const bool italic = logFont.lfItalic != 0;
  const bool mono = WantsFixedPitch(logFont, name);
  const String key = UpperCase(name) + '|' + std::to_string(weight) + (italic ? "i" : "") +
                     (mono ? "m" : "") + std::to_string(logFont.lfPitchAndFamily & 0xF0);
  std::lock_guard lock(Mutex);
  if (auto cached = Files.find(key); cached != Files.end()) return cached->second;
  std::optional<TFontFile> file = Match(CandidateFamilies(logFont, name), weight, italic);
  if (mono && (!file || !file->Mono))
    file = Match({"Liberation Mono", "DejaVu Sans Mono"}, weight, italic);
  if (!file) file = Match({"Liberation Sans", "DejaVu Sans"}, weight, italic);
  if (!file)
    throw EOutOfResources("No scalable font found for \"" + name +
                          "\"; install fonts-liberation2 and fonts-dejavu-core");
  Files.emplace(key, *file);
  return *file;
}

std::shared_ptr<TSizedFace> TFontEngine::Face(const TFaceRequest& request) {
  const String key = request.Key();
  std::lock_guard lock(Mutex);
  if (auto cached = Faces.find(key); cached != Faces.end()) return cached->second;
  if (Faces.size() >= FaceCacheLimit)
    std::erase_if(Faces, [](const auto& entry) { return entry.second.use_count() == 1; });
  auto face = Open(request);
  Faces.emplace(key, face);
  return face;
}

// Design-unit measures of a face that the metrics are scaled from.
struct TDesignMetrics {
  int UnitsPerEm = 2048;
  int Ascent = 0;
  int Descent = 0;
  int ExternalLeading = 0;
  int AverageWidth = 0;
  int MaxWidth = 0;
  int UnderlinePosition = 0;
  int UnderlineThickness = 0;
  int StrikeOutPosition = 0;
  int StrikeOutThickness = 0;
  std::uint8_t Family = FF_DONTCARE;
};

// The classic weighted average of lowercase letters and space, which for the metric-
// compatible faces gives the average widths of the faces they stand in for; 0 when the
// face lacks one of them.
int WeightedAverageWidth(FT_Face face) {
  static constexpr int Weights[] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                    56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
  long sum = 0;
  auto add = [&](char32_t code, int weight) {
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0) return false;
    sum += face->glyph->metrics.horiAdvance * weight;
    return true;
  };
  for (int letter = 0; letter < 26; ++letter)
    if (!add(static_cast<char32_t>('a' + letter), Weights[letter])) return 0;
  if (!add(U' ', 166)) return 0;
  return static_cast<int>(sum / 1000);
}

std::uint8_t FamilyOf(const TT_OS2* os2, bool mono) {
  if (mono) return FF_MODERN;
  if (os2 == nullptr) return FF_DONTCARE;
  switch (os2->panose[0]) {
  case 2:
    return os2->panose[1] >= 11 && os2->panose[1] <= 13 ? FF_SWISS : FF_ROMAN;
  case 3:
    return FF_SCRIPT;
  case 4:
    return FF_DECORATIVE;
  default:
    return FF_DONTCARE;
  }
}

TDesignMetrics ReadDesignMetrics(FT_Face face, bool mono) {
  TDesignMetrics design;
  design.UnitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 2048;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    design.Ascent = os2->usWinAscent;
    design.Descent = os2->usWinDescent;
    design.AverageWidth = os2->xAvgCharWidth;
    design.StrikeOutPosition = os2->yStrikeoutPosition;
    design.StrikeOutThickness = os2->yStrikeoutSize;
  }
  if (design.Ascent + design.Descent <= 0) {
    design.Ascent = face->ascender;
    design.Descent = -face->descender;
  }
  const int lineSpacing = face->height; // hhea ascender - descender + line gap
  design.ExternalLeading = std::max(0, lineSpacing - (design.Ascent + design.Descent));
  if (const int weighted = WeightedAverageWidth(face); weighted > 0) design.AverageWidth = weighted;
  if (design.AverageWidth <= 0) design.AverageWidth = design.UnitsPerEm / 2;
  design.MaxWidth = static_cast<int>(face->bbox.xMax - face->bbox.xMin);
  design.UnderlinePosition = face->underline_position;
  design.UnderlineThickness = face->underline_thickness;
  if (design.StrikeOutPosition <= 0) design.StrikeOutPosition = design.Ascent / 4;
  design.Family = FamilyOf(os2, mono);
  return design;
}

int CeilDiv(long numerator, long denominator) {
  return static_cast<int>((numerator + denominator - 1) / denominator);
}

int Scaled(double units, double scale) { return static_cast<int>(std::lround(units * scale)); }

// Pixel heights: em size, ascent and descent, as GDI maps lfHeight.
struct TPixelHeights {
  int Em = 0;
  int Ascent = 0;
  int Descent = 0;
};

TPixelHeights PixelHeights(const TDesignMetrics& design, int height) {
  TPixelHeights pixels;
  const long cellUnits = design.Ascent + design.Descent;
  if (height < 0) {
    pixels.Em = -height;
    pixels.Ascent = CeilDiv(static_cast<long>(design.Ascent) * pixels.Em, design.UnitsPerEm);
    pixels.Descent = CeilDiv(static_cast<long>(design.Descent) * pixels.Em, design.UnitsPerEm);
    return pixels;
  }
  const int cell = height == 0 ? DefaultCellHeight : height;
  pixels.Em = std::max(
      1, static_cast<int>(std::lround(static_cast<double>(cell) * design.UnitsPerEm / cellUnits)));
  pixels.Ascent = static_cast<int>(
      std::lround(static_cast<double>(design.Ascent) * cell / static_cast<double>(cellUnits)));
  pixels.Descent = cell - pixels.Ascent;
  return pixels;
}

TFontLines LinesFor(const TDesignMetrics& design, double scale, int descent) {
  TFontLines lines;
  lines.UnderlineThickness = std::max(1, Scaled(design.UnderlineThickness, scale));
  const int below = Scaled(-design.UnderlinePosition - design.UnderlineThickness / 2.0, scale);
  lines.UnderlineTop = std::clamp(below, 1, std::max(1, descent - lines.UnderlineThickness));
  lines.StrikeOutThickness = std::max(1, Scaled(design.StrikeOutThickness, scale));
  // The stroke's top is given; the pixel rows are the ones around its centre.
  const double centre = (design.StrikeOutPosition - design.StrikeOutThickness / 2.0) * scale;
  lines.StrikeOutTop =
      -std::max(lines.StrikeOutThickness,
                static_cast<int>(std::lround(centre + lines.StrikeOutThickness / 2.0)));
  return lines;
}

std::shared_ptr<TSizedFace> TFontEngine::Open(const TFaceRequest& request) const {
  auto sized = std::make_shared<TSizedFace>();
  sized->FreeType = FreeType;
  sized->File = request.File;
  if (FT_New_Face(FreeType->Library, request.File.Path.c_str(), request.File.Index, &sized->Face) !=
      0)
    throw EOutOfResources("FreeType cannot open the font file " + request.File.Path);
  const TDesignMetrics design = ReadDesignMetrics(sized->Face, request.File.Mono);
  const TPixelHeights heights = PixelHeights(design, request.Height);
  const double scale = static_cast<double>(heights.Em) / design.UnitsPerEm;
  const double xEm = request.Width == 0 ? heights.Em
                                        : static_cast<double>(request.Width) * design.UnitsPerEm /
                                              design.AverageWidth;
  const double xScale = xEm / design.UnitsPerEm;
  if (FT_Set_Char_Size(sized->Face, static_cast<FT_F26Dot6>(std::lround(xEm * 64)),
                       static_cast<FT_F26Dot6>(heights.Em) * 64, 72, 72) != 0)
    throw EOutOfResources("FreeType cannot size the font " + request.File.Path);

  TEXTMETRICA& tm = sized->Metrics;
  tm.tmAscent = heights.Ascent;
  tm.tmDescent = heights.Descent;
  tm.tmHeight = heights.Ascent + heights.Descent;
  tm.tmInternalLeading = tm.tmHeight - heights.Em;
  tm.tmExternalLeading = Scaled(design.ExternalLeading, scale);
  const int embolden = request.Embolden ? std::max(1, heights.Em / 24) : 0;
  tm.tmAveCharWidth = std::max(1, Scaled(design.AverageWidth, xScale)) + embolden;
  tm.tmMaxCharWidth = std::max(1, Scaled(design.MaxWidth, xScale)) + embolden;
  tm.tmPitchAndFamily =
      static_cast<std::uint8_t>((request.File.Mono ? 0 : TMPF_FIXED_PITCH) | TMPF_VECTOR |
                                (FT_IS_SFNT(sized->Face) ? TMPF_TRUETYPE : 0) | design.Family);
  sized->Lines = LinesFor(design, scale, heights.Descent);
  sized->Angle = request.Escapement * std::numbers::pi / 1800.0;
  TGlyphStyle style;
  style.EmboldenPixels = embolden;
  style.Oblique = request.Oblique;
  style.Monochrome = request.Monochrome;
  style.Angle = sized->Angle;
  sized->Glyphs = std::make_unique<TGlyphCache>(sized->Face, style);
  return sized;
}

int CheckedPixels(int value, const char* what) {
  if (value < -MaxPixelHeight || value > MaxPixelHeight)
    throw ERangeError(String("Font ") + what + ' ' + std::to_string(value) + " is outside -" +
                      std::to_string(MaxPixelHeight) + ".." + std::to_string(MaxPixelHeight));
  return value;
}

TFaceRequest RequestFor(const LOGFONTA& logFont) {
  TFaceRequest request;
  request.Height = CheckedPixels(logFont.lfHeight, "height");
  request.Width = std::abs(CheckedPixels(logFont.lfWidth, "width"));
  request.File = Engine().Find(logFont);
  request.Escapement = ((logFont.lfEscapement % 3600) + 3600) % 3600;
  request.Embolden = RequestedWeight(logFont) >= FW_SEMIBOLD && !request.File.Bold;
  request.Oblique = logFont.lfItalic != 0 && !request.File.Italic;
  request.Monochrome = logFont.lfQuality == NONANTIALIASED_QUALITY;
  return request;
}

} // namespace

void SetFontSources(std::vector<String> paths) { Engine().SetSources(std::move(paths)); }

std::vector<String> PackagedFontFiles() {
  std::vector<String> files;
  for (const char* family : {"Sans", "Serif", "Mono"})
    for (const char* style : {"Regular", "Bold", "Italic", "BoldItalic"})
      files.push_back(String(LiberationDirectory) + "/Liberation" + family + '-' + style + ".ttf");
  for (const char* face : {"DejaVuSans", "DejaVuSansMono", "DejaVuSerif"}) {
    files.push_back(String(DejaVuDirectory) + '/' + face + ".ttf");
    files.push_back(String(DejaVuDirectory) + '/' + face + "-Bold.ttf");
  }
  return files;
}

String SubstituteFaceName(std::string_view faceName) {
  for (const TSubstitute& entry : Substitutes)
    if (AnsiCompareText(String(faceName), entry.Name) == 0) return entry.Family;
  return {};
}

TFontFile FindFontFile(const LOGFONTA& logFont) { return Engine().Find(logFont); }

std::vector<String> FontFamilies() { return Engine().Families(); }

TGdiFont::TGdiFont(const LOGFONTA& logFont) : Logical(logFont) {
  Logical.lfFaceName[LF_FACESIZE - 1] = '\0';
  Face = Engine().Face(RequestFor(Logical));
  TextMetrics = Face->Metrics;
  TextMetrics.tmWeight = RequestedWeight(Logical);
  TextMetrics.tmItalic = Logical.lfItalic != 0 ? 255 : 0;
  TextMetrics.tmUnderlined = Logical.lfUnderline != 0 ? 255 : 0;
  TextMetrics.tmStruckOut = Logical.lfStrikeOut != 0 ? 255 : 0;
  TextMetrics.tmCharSet =
      Logical.lfCharSet == DEFAULT_CHARSET ? std::uint8_t{ANSI_CHARSET} : Logical.lfCharSet;
  TextMetrics.tmDigitizedAspectX = 96;
  TextMetrics.tmDigitizedAspectY = 96;
  TextMetrics.tmFirstChar = 0x20;
  TextMetrics.tmLastChar = 0xFF;
  TextMetrics.tmDefaultChar = 0x1F;
  TextMetrics.tmBreakChar = 0x20;
}

const TFontFile& TGdiFont::File() const { return Face->File; }
const TFontLines& TGdiFont::Lines() const { return Face->Lines; }
double TGdiFont::Angle() const { return Face->Angle; }
TGlyphCache& TGdiFont::Glyphs() const { return *Face->Glyphs; }

int TGdiFont::TextWidth(std::string_view text) const {
  TGlyphCache& glyphs = Glyphs();
  int width = 0;
  for (std::size_t pos = 0; pos < text.size();)
    width = CheckedAdd(width, glyphs.Advance(NextCodePoint(text, pos)));
  return width;
}

LOGFONTA MakeLogFont(std::string_view faceName, int height, int weight) {
  LOGFONTA logFont;
  logFont.lfHeight = height;
  logFont.lfWeight = weight;
  const std::size_t length = std::min(faceName.size(), std::size_t{LF_FACESIZE - 1});
  std::memcpy(logFont.lfFaceName, faceName.data(), length);
  return logFont;
}
