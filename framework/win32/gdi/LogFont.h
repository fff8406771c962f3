#pragma once

#include <cstdint>

// The Win32 text records and constants that the font and text units take and return.
// Device-context state (background modes, colours) belongs to the device-context unit; the
// text units take it through TTextState (TextRender.h).

inline constexpr int LF_FACESIZE = 32;

struct LOGFONTA {
  std::int32_t lfHeight = 0;     // < 0: character (em) height, > 0: cell height, 0: default
  std::int32_t lfWidth = 0;      // average character width; 0: natural
  std::int32_t lfEscapement = 0; // tenths of a degree, counter-clockwise
  std::int32_t lfOrientation = 0;
  std::int32_t lfWeight = 0;
  std::uint8_t lfItalic = 0;
  std::uint8_t lfUnderline = 0;
  std::uint8_t lfStrikeOut = 0;
  std::uint8_t lfCharSet = 0;
  std::uint8_t lfOutPrecision = 0;
  std::uint8_t lfClipPrecision = 0;
  std::uint8_t lfQuality = 0;
  std::uint8_t lfPitchAndFamily = 0;
  char lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRICA {
  std::int32_t tmHeight = 0;
  std::int32_t tmAscent = 0;
  std::int32_t tmDescent = 0;
  std::int32_t tmInternalLeading = 0;
  std::int32_t tmExternalLeading = 0;
  std::int32_t tmAveCharWidth = 0;
  std::int32_t tmMaxCharWidth = 0;
  std::int32_t tmWeight = 0;
  std::int32_t tmOverhang = 0;
  std::int32_t tmDigitizedAspectX = 0;
  std::int32_t tmDigitizedAspectY = 0;
  std::uint8_t tmFirstChar = 0;
  std::uint8_t tmLastChar = 0;
  std::uint8_t tmDefaultChar = 0;
  std::uint8_t tmBreakChar = 0;
  std::uint8_t tmItalic = 0;
  std::uint8_t tmUnderlined = 0;
  std::uint8_t tmStruckOut = 0;
  std::uint8_t tmPitchAndFamily = 0;
  std::uint8_t tmCharSet = 0;
};

// Weights.
inline constexpr int FW_DONTCARE = 0;
inline constexpr int FW_THIN = 100;
inline constexpr int FW_EXTRALIGHT = 200;
inline constexpr int FW_ULTRALIGHT = 200;
inline constexpr int FW_LIGHT = 300;
inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_REGULAR = 400;
inline constexpr int FW_MEDIUM = 500;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_DEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;
inline constexpr int FW_EXTRABOLD = 800;
inline constexpr int FW_ULTRABOLD = 800;
inline constexpr int FW_HEAVY = 900;
inline constexpr int FW_BLACK = 900;

// Character sets.
inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int SYMBOL_CHARSET = 2;
inline constexpr int MAC_CHARSET = 77;
inline constexpr int SHIFTJIS_CHARSET = 128;
inline constexpr int HANGUL_CHARSET = 129;
inline constexpr int GB2312_CHARSET = 134;
inline constexpr int CHINESEBIG5_CHARSET = 136;
inline constexpr int GREEK_CHARSET = 161;
inline constexpr int TURKISH_CHARSET = 162;
inline constexpr int HEBREW_CHARSET = 177;
inline constexpr int ARABIC_CHARSET = 178;
inline constexpr int BALTIC_CHARSET = 186;
inline constexpr int RUSSIAN_CHARSET = 204;
inline constexpr int THAI_CHARSET = 222;
inline constexpr int EASTEUROPE_CHARSET = 238;
inline constexpr int OEM_CHARSET = 255;

// Precision and quality.
inline constexpr int OUT_DEFAULT_PRECIS = 0;
inline constexpr int OUT_STRING_PRECIS = 1;
inline constexpr int OUT_CHARACTER_PRECIS = 2;
inline constexpr int OUT_STROKE_PRECIS = 3;
inline constexpr int OUT_TT_PRECIS = 4;
inline constexpr int OUT_DEVICE_PRECIS = 5;
inline constexpr int OUT_RASTER_PRECIS = 6;
inline constexpr int OUT_TT_ONLY_PRECIS = 7;
inline constexpr int OUT_OUTLINE_PRECIS = 8;
inline constexpr int CLIP_DEFAULT_PRECIS = 0;
inline constexpr int CLIP_CHARACTER_PRECIS = 1;
inline constexpr int CLIP_STROKE_PRECIS = 2;
inline constexpr int DEFAULT_QUALITY = 0;
inline constexpr int DRAFT_QUALITY = 1;
inline constexpr int PROOF_QUALITY = 2;
inline constexpr int NONANTIALIASED_QUALITY = 3;
inline constexpr int ANTIALIASED_QUALITY = 4;

// Pitch (low two bits) and family (high nibble) of lfPitchAndFamily.
inline constexpr int DEFAULT_PITCH = 0;
inline constexpr int FIXED_PITCH = 1;
inline constexpr int VARIABLE_PITCH = 2;
inline constexpr int FF_DONTCARE = 0x00;
inline constexpr int FF_ROMAN = 0x10;
inline constexpr int FF_SWISS = 0x20;
inline constexpr int FF_MODERN = 0x30;
inline constexpr int FF_SCRIPT = 0x40;
inline constexpr int FF_DECORATIVE = 0x50;

// tmPitchAndFamily bits. TMPF_FIXED_PITCH set means the font is NOT fixed pitch.
inline constexpr int TMPF_FIXED_PITCH = 0x01;
inline constexpr int TMPF_VECTOR = 0x02;
inline constexpr int TMPF_TRUETYPE = 0x04;
inline constexpr int TMPF_DEVICE = 0x08;

// Text alignment (SetTextAlign).
inline constexpr std::uint32_t TA_NOUPDATECP = 0;
inline constexpr std::uint32_t TA_UPDATECP = 1;
inline constexpr std::uint32_t TA_LEFT = 0;
inline constexpr std::uint32_t TA_RIGHT = 2;
inline constexpr std::uint32_t TA_CENTER = 6;
inline constexpr std::uint32_t TA_TOP = 0;
inline constexpr std::uint32_t TA_BOTTOM = 8;
inline constexpr std::uint32_t TA_BASELINE = 24;
inline constexpr std::uint32_t TA_RTLREADING = 256;

// ExtTextOut options.
inline constexpr std::uint32_t ETO_OPAQUE = 0x0002;
inline constexpr std::uint32_t ETO_CLIPPED = 0x0004;

// DrawText formats.
inline constexpr std::uint32_t DT_TOP = 0x00000000;
inline constexpr std::uint32_t DT_LEFT = 0x00000000;
inline constexpr std::uint32_t DT_CENTER = 0x00000001;
inline constexpr std::uint32_t DT_RIGHT = 0x00000002;
inline constexpr std::uint32_t DT_VCENTER = 0x00000004;
inline constexpr std::uint32_t DT_BOTTOM = 0x00000008;
inline constexpr std::uint32_t DT_WORDBREAK = 0x00000010;
inline constexpr std::uint32_t DT_SINGLELINE = 0x00000020;
inline constexpr std::uint32_t DT_EXPANDTABS = 0x00000040;
inline constexpr std::uint32_t DT_TABSTOP = 0x00000080;
inline constexpr std::uint32_t DT_NOCLIP = 0x00000100;
inline constexpr std::uint32_t DT_EXTERNALLEADING = 0x00000200;
inline constexpr std::uint32_t DT_CALCRECT = 0x00000400;
inline constexpr std::uint32_t DT_NOPREFIX = 0x00000800;
inline constexpr std::uint32_t DT_INTERNAL = 0x00001000;
inline constexpr std::uint32_t DT_EDITCONTROL = 0x00002000;
inline constexpr std::uint32_t DT_PATH_ELLIPSIS = 0x00004000;
inline constexpr std::uint32_t DT_END_ELLIPSIS = 0x00008000;
inline constexpr std::uint32_t DT_MODIFYSTRING = 0x00010000;
inline constexpr std::uint32_t DT_RTLREADING = 0x00020000;
inline constexpr std::uint32_t DT_WORD_ELLIPSIS = 0x00040000;
inline constexpr std::uint32_t DT_HIDEPREFIX = 0x00100000;
inline constexpr std::uint32_t DT_PREFIXONLY = 0x00200000;
