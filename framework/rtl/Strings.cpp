#include "framework/rtl/Strings.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatFloat.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <limits>
#include <locale.h>
#include <string>

namespace {

// ---- UTF-8 and letter case ----

// A byte that is not part of a valid UTF-8 sequence decodes to its own private code
// point, so it compares and copies unchanged.
constexpr char32_t InvalidByteBase = 0xDC00;

struct Decoded {
  char32_t code;
  std::size_t length;
  bool valid;
};

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

Decoded DecodeUtf8(const String& s, std::size_t i) {
  const auto lead = static_cast<unsigned char>(s[i]);
  const Decoded invalid{InvalidByteBase + lead, 1, false};
  if (lead < 0x80) return {lead, 1, true};
  std::size_t length = 0;
  char32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return invalid;
  }
  if (i + length > s.size()) return invalid;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(b)) return invalid;
    code = (code << 6) | (b & 0x3Fu);
  }
  const char32_t minimum = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return invalid;
  return {code, length, true};
}

void AppendUtf8(String& out, char32_t c) {
  auto byte = [&](char32_t b) { out += static_cast<char>(b); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// Latin Extended-A pairs: upper case at even code points in these ranges...
bool IsEvenUpperPairRange(char32_t c) {
  return (c >= 0x0100 && c <= 0x012F) || (c >= 0x0132 && c <= 0x0137) ||
         (c >= 0x014A && c <= 0x0177);
}

// ...and at odd code points in these.
bool IsOddUpperPairRange(char32_t c) {
  return (c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E);
}

// Case of ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters; others unchanged.
char32_t ToUpper(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (IsEvenUpperPairRange(c)) return c & ~char32_t{1};
  if (IsOddUpperPairRange(c)) return (c % 2 == 0) ? c - 1 : c;
  if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? 0x3A3 : c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

char32_t ToLower(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
  if (c == 0x178) return 0xFF;
  if (IsEvenUpperPairRange(c)) return c | char32_t{1};
  if (IsOddUpperPairRange(c)) return (c % 2 == 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

template <typename Map> String MapUtf8(const String& s, Map map) {
  String out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    const Decoded d = DecodeUtf8(s, i);
    if (d.valid) {
      AppendUtf8(out, map(d.code));
    } else {
      out += s[i];
    }
    i += d.length;
  }
  return out;
}

template <typename Map> String MapAscii(const String& s, Map map) {
  String out = s;
  for (char& c : out) c = static_cast<char>(map(static_cast<unsigned char>(c)));
  return out;
}

char32_t AsciiUpper(char32_t c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; }

// ---- Comparison under the process locale ----

char32_t Unchanged(char32_t c) { return c; }

char32_t FoldForCollation(char32_t c) {
  return static_cast<char32_t>(std::towupper(static_cast<std::wint_t>(ToUpper(c))));
}

// The "C" and "POSIX" collations are the code-point order; others go through wcscoll.
bool CollatesByCodePoint() {
  const char* name = setlocale(LC_COLLATE, nullptr);
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0;
}

template <typename Map> int CompareCodePoints(const String& a, const String& b, Map map) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const Decoded x = DecodeUtf8(a, i);
    const Decoded y = DecodeUtf8(b, j);
    const char32_t cx = map(x.code);
    const char32_t cy = map(y.code);
    if (cx != cy) return cx < cy ? -1 : 1;
    i += x.length;
    j += y.length;
  }
  return (i < a.size()) - (j < b.size());
}

template <typename Map> void WidenInto(std::wstring& out, const String& s, Map map) {
  out.clear();
  for (std::size_t i = 0; i < s.size();) {
    const Decoded d = DecodeUtf8(s, i);
    out.push_back(static_cast<wchar_t>(map(d.code)));
    i += d.length;
  }
}

int CompareWide(const std::wstring& a, const std::wstring& b) {
  const int collated = std::wcscoll(a.c_str(), b.c_str());
  if (collated != 0) return collated < 0 ? -1 : 1;
  // Texts the collation ranks alike still differ: the code points decide, so that only
  // texts equal after mapping compare equal and sorting sees a total order.
  const int raw = a.compare(b);
  return (raw > 0) - (raw < 0);
}

// Collation of the mapped texts by the process locale; the buffers stay allocated between
// calls because sorting compares the same short texts many times.
template <typename Map> int CompareCollated(const String& a, const String& b, Map map) {
  thread_local std::wstring wideA;
  thread_local std::wstring wideB;
  WidenInto(wideA, a, map);
  WidenInto(wideB, b, map);
  return CompareWide(wideA, wideB);
}

// The collation weights of a wide text: wcscmp on two of them orders as wcscoll does.
std::wstring CollationWeights(const std::wstring& wide) {
  const std::size_t length = std::wcsxfrm(nullptr, wide.c_str(), 0);
  std::wstring weights(length, L'\0');
  std::wcsxfrm(weights.data(), wide.c_str(), length + 1);
  return weights;
}

template <typename Map> TCollationKey KeyOf(const String& s, Map map, bool weighted) {
  TCollationKey key;
  WidenInto(key.Mapped, s, map);
  if (weighted) key.Weights = CollationWeights(key.Mapped);
  return key;
}

int Sign(long long difference) { return (difference > 0) - (difference < 0); }

// ---- Numbers ----

bool IsBlank(char c) { return c != '\0' && static_cast<unsigned char>(c) <= ' '; }

String IntegerError(const String& s) { return "'" + s + "' is not a valid integer value"; }

String FloatError(const String& s) { return "'" + s + "' is not a valid floating point value"; }

// Parses [blanks][sign](digits | ("$" | "0x" | "x") hexdigits). A hexadecimal value may use
// the whole unsigned range and is read as two's complement; a decimal value must fit T.
template <typename T> bool ParseInteger(const String& s, T& value) {
  using U = std::make_unsigned_t<T>;
  const char* p = s.data();
  const char* end = p + s.size();
  while (p < end && IsBlank(*p)) ++p;
  const bool negative = p < end && *p == '-';
  if (p < end && (*p == '-' || *p == '+')) ++p;

  int base = 10;
  if (p < end && *p == '$') {
    base = 16;
    ++p;
  } else if (end - p >= 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
    base = 16;
    p += 2;
  } else if (p < end && (*p == 'x' || *p == 'X')) {
    base = 16;
    ++p;
  }

  U magnitude = 0;
  const auto [last, error] = std::from_chars(p, end, magnitude, base);
  if (error != std::errc() || last != end) return false;
  if (base == 16) {
    value = static_cast<T>(negative ? U{0} - magnitude : magnitude);
    return true;
  }
  const U limit = static_cast<U>(std::numeric_limits<T>::max()) + (negative ? 1u : 0u);
  if (magnitude > limit) return false;
  value = negative ? static_cast<T>(U{0} - magnitude) : static_cast<T>(magnitude);
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Index after the digits starting at i.
std::size_t SkipDigits(const String& s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

// True when s is [sign] digits ["." digits] [("E" | "e") [sign] digits] with a digit in
// the mantissa.
bool IsFloatSyntax(const String& s) {
  std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  const std::size_t integerEnd = SkipDigits(s, i);
  std::size_t fractionEnd = integerEnd;
  if (fractionEnd < s.size() && s[fractionEnd] == '.') fractionEnd = SkipDigits(s, integerEnd + 1);
  const std::size_t mantissaDigits = fractionEnd - i - (fractionEnd > integerEnd ? 1 : 0);
  if (mantissaDigits == 0) return false;
  i = fractionEnd;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const std::size_t exponentEnd = SkipDigits(s, i);
    if (exponentEnd == i) return false;
    i = exponentEnd;
  }
  return i == s.size();
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
  return locale;
}

} // namespace

String UpperCase(const String& s) {
  return MapAscii(s, [](char32_t c) { return AsciiUpper(c); });
}

String LowerCase(const String& s) {
  return MapAscii(s, [](char32_t c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; });
}

String AnsiUpperCase(const String& s) { return MapUtf8(s, ToUpper); }

String AnsiLowerCase(const String& s) { return MapUtf8(s, ToLower); }

int AnsiCompareText(const String& a, const String& b) {
  if (a == b) return 0;
  if (CollatesByCodePoint()) return CompareCodePoints(a, b, ToUpper);
  return CompareCollated(a, b, FoldForCollation);
}

int AnsiCompareStr(const String& a, const String& b) {
  if (a == b) return 0;
  if (CollatesByCodePoint()) return CompareCodePoints(a, b, Unchanged);
  return CompareCollated(a, b, Unchanged);
}

TCollationKey AnsiCompareTextKey(const String& s) {
  if (CollatesByCodePoint()) return KeyOf(s, ToUpper, false);
  return KeyOf(s, FoldForCollation, true);
}

TCollationKey AnsiCompareStrKey(const String& s) {
  return KeyOf(s, Unchanged, !CollatesByCodePoint());
}

int CompareText(const String& a, const String& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char32_t x = AsciiUpper(static_cast<unsigned char>(a[i]));
    const char32_t y = AsciiUpper(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

bool SameText(const String& a, const String& b) { return CompareText(a, b) == 0; }

String TrimLeft(const String& s) {
  const auto first =
      std::find_if(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
  return String(first, s.end());
}

String TrimRight(const String& s) {
  const auto last = std::find_if(s.rbegin(), s.rend(),
                                 [](char c) { return static_cast<unsigned char>(c) > ' '; });
  return String(s.begin(), last.base());
}

String Trim(const String& s) { return TrimLeft(TrimRight(s)); }

int Pos(const String& sub, const String& s) {
  if (sub.empty()) return 0;
  const std::size_t found = s.find(sub);
  return found == String::npos ? 0 : static_cast<int>(found) + 1;
}

String Copy(const String& s, int index, int count) {
  const auto start = static_cast<std::size_t>(std::max(index, 1) - 1);
  if (count <= 0 || start >= s.size()) return "";
  return s.substr(start, static_cast<std::size_t>(count));
}

void Delete(String& s, int index, int count) {
  if (index < 1 || count <= 0 || static_cast<std::size_t>(index) > s.size()) return;
  s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

void Insert(const String& source, String& s, int index) {
  const auto at = static_cast<std::size_t>(std::max(index, 1) - 1);
  s.insert(std::min(at, s.size()), source);
}

String StringOfChar(char c, int count) {
  return String(static_cast<std::size_t>(std::max(count, 0)), c);
}

String IntToStr(Int64 value) { return std::to_string(value); }

String IntToHex(Int64 value, int digits) {
  char buffer[16];
  const auto result =
      std::to_chars(std::begin(buffer), std::end(buffer), static_cast<std::uint64_t>(value), 16);
  String hex = UpperCase(String(std::begin(buffer), result.ptr));
  if (static_cast<int>(hex.size()) < digits)
    hex.insert(0, static_cast<std::size_t>(digits) - hex.size(), '0');
  return hex;
}

bool TryStrToInt(const String& s, Integer& value) { return ParseInteger(s, value); }

Integer StrToInt(const String& s) {
  Integer value = 0;
  if (!ParseInteger(s, value)) throw EConvertError(IntegerError(s));
  return value;
}

Int64 StrToInt64(const String& s) {
  Int64 value = 0;
  if (!ParseInteger(s, value)) throw EConvertError(IntegerError(s));
  return value;
}

Integer StrToIntDef(const String& s, Integer defaultValue) {
  Integer value = 0;
  return ParseInteger(s, value) ? value : defaultValue;
}

bool TryStrToFloat(const String& s, double& value) {
  const String text = Trim(s);
  if (!IsFloatSyntax(text)) return false;
  errno = 0;
  const double parsed = strtod_l(text.c_str(), nullptr, CLocale());
  if (errno == ERANGE && std::isinf(parsed)) return false;
  value = parsed;
  return true;
}

double StrToFloat(const String& s) {
  double value = 0;
  if (!TryStrToFloat(s, value)) throw EConvertError(FloatError(s));
  return value;
}

double StrToFloatDef(const String& s, double defaultValue) {
  double value = 0;
  return TryStrToFloat(s, value) ? value : defaultValue;
}

String FloatToStr(double value) { return FloatToStrF(value, ffGeneral, 15, 0); }
