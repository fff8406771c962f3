#include "core/Lumherk.h"

#include "framework/rtl/Checked.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FormatDateTime.h"
#include "framework/rtl/Maths.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace Lumherk {

namespace {

// Digits in the mantissa of the full-precision scientific form: 17 significant digits,
// enough for any double to survive S_N followed by V_N.
constexpr Word FullPrecisionWidth = 25;
// The scientific form always keeps at least one mantissa digit after the point.
constexpr int MinScientificWidth = 10;

// Locale-independent conversion of a finite, non-negative value: exact binary value,
// rounded with ties to even.
String DecimalText(double value, std::chars_format format, int precision) {
  String text(std::numeric_limits<double>::max_exponent10 + precision + 16, '\0');
  const auto result =
      std::to_chars(text.data(), text.data() + text.size(), value, format, precision);
  text.resize(static_cast<std::size_t>(result.ptr - text.data()));
  return text;
}

String PadLeft(String text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

String NonFiniteText(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

// Rounds on the exact binary value with ties to even.
String FixedPoint(double value, Word width, Word decimals) {
  String text = DecimalText(std::fabs(value), std::chars_format::fixed, decimals);
  if (value < 0) text.insert(0, 1, '-');
  return PadLeft(std::move(text), width);
}

// " 2.000000E+0008": sign or blank, one digit, point, mantissa digits, E, signed
// four-digit exponent, filling exactly width characters.
String Scientific(double value, Word width) {
  const int mantissaDigits = std::max<int>(width, MinScientificWidth) - 9;
  const String printed =
      DecimalText(std::fabs(value), std::chars_format::scientific, mantissaDigits);
  const std::size_t e = printed.find('e');
  const int exponent = std::atoi(printed.c_str() + e + 1);
  String digits = std::to_string(std::abs(exponent));
  digits.insert(0, digits.size() < 4 ? 4 - digits.size() : 0, '0');
  return (value < 0 ? "-" : " ") + printed.substr(0, e) + "E" + (exponent < 0 ? "-" : "+") + digits;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(const String& s, std::size_t i) {
  while (i < s.size() && IsDigit(s[i])) ++i;
  return i;
}

std::size_t SkipSign(const String& s, std::size_t i) {
  return i < s.size() && (s[i] == '+' || s[i] == '-') ? i + 1 : i;
}

std::size_t SkipBlanks(const String& s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return i;
}

// True when s from start to its end is [sign] digits [. digits] [E [sign] digits] with
// at least one mantissa digit.
bool IsNumberText(const String& s, std::size_t start) {
  std::size_t i = SkipSign(s, start);
  const std::size_t integerStart = i;
  i = SkipDigits(s, i);
  bool hasDigits = i > integerStart;
  if (i < s.size() && s[i] == '.') {
    const std::size_t fractionStart = ++i;
    i = SkipDigits(s, i);
    hasDigits = hasDigits || i > fractionStart;
  }
  if (!hasDigits) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    const std::size_t exponentStart = SkipSign(s, i + 1);
    i = SkipDigits(s, exponentStart);
    if (i == exponentStart) return false;
  }
  return i == s.size();
}

String ToCase(String s, char from, char to) {
  for (char& c : s)
    if (c >= from && c <= from + 25) c = static_cast<char>(c - from + to);
  return s;
}

bool IsWordBit(Byte bit) { return bit < 16; }

Word BitMask(Byte bit) { return static_cast<Word>(1u << bit); }

} // namespace

void Zeit_ermitteln(String& date, String& time) {
  const TDateTime now = Now();
  date = DateToStr(now);
  time = TimeToStr(now);
}

String Rightpad(const String& s, Byte length) {
  if (length > s.size()) return s + String(length - s.size(), ' ');
  return s.substr(0, length);
}

String Leftpad(const String& s, Byte length) {
  if (length > s.size()) return String(length - s.size(), ' ') + s;
  return s.substr(0, length);
}

String NoBlank(const String& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == String::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

String NoNull(const String& s) {
  const std::size_t first = s.find_first_not_of('0');
  String text = Grossgeschrieben(first == String::npos ? String() : s.substr(first));
  if (!text.empty() && text.front() == '.') text.insert(0, 1, '0');
  if (text.find('.') != String::npos && text.find('E') == String::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text.empty() ? "0" : text;
}

bool Str_Vergleich(const String& a, const String& b) { return NoBlank(a) == NoBlank(b); }

String Str_Number(Integer value) { return std::to_string(value); }

String S_N(double value, Word width, Word decimals) {
  if (!std::isfinite(value)) return PadLeft(NonFiniteText(value), width);
  if (decimals != NotGiven) return FixedPoint(value, width, decimals);
  return Scientific(value, width != NotGiven ? width : FullPrecisionWidth);
}

String Optimal_S_N(double value, Word width) {
  if (value == 0.0) return "0";
  if (value < 1.0) return S_N(value, width, RangeChecked<Word>(width - 1));
  if (!std::isfinite(value)) return S_N(value, width, 0);
  const Int64 k = Trunc(Log10(value));
  if (width - 2 > k) return S_N(value, width, static_cast<Word>(width - 2 - k));
  return S_N(value, width, 0);
}

Integer Val_Number(const String& s) {
  std::size_t i = SkipBlanks(s);
  const bool negative = i < s.size() && s[i] == '-';
  i = SkipSign(s, i);
  if (i == s.size() || SkipDigits(s, i) != s.size()) return 0;
  Int64 magnitude = 0;
  for (; i < s.size(); ++i) {
    magnitude = magnitude * 10 + (s[i] - '0');
    if (magnitude > Int64{1} << 31) return 0;
  }
  const Int64 value = negative ? -magnitude : magnitude;
  return std::in_range<Integer>(value) ? static_cast<Integer>(value) : 0;
}

double V_N(const String& s) {
  const std::size_t start = SkipBlanks(s);
  if (!IsNumberText(s, start)) return 0.0;
  // One correct rounding of the whole text, whatever the locale; from_chars takes no '+'.
  // A value beyond the range of double gives 0.
  const char* first = s.data() + start + (s[start] == '+' ? 1 : 0);
  double value = 0.0;
  const auto result = std::from_chars(first, s.data() + s.size(), value);
  return result.ec == std::errc() ? value : 0.0;
}

String Kleingeschrieben(const String& s) { return ToCase(s, 'A', 'a'); }
String Grossgeschrieben(const String& s) { return ToCase(s, 'a', 'A'); }

void Pips() {}

bool TstBit(Word w, Byte bit) { return IsWordBit(bit) && (w & BitMask(bit)) != 0; }

void SetBit(Word& w, Byte bit) {
  if (!IsWordBit(bit)) throw ERangeError(RtlMessages::RangeError);
  w = static_cast<Word>(w | BitMask(bit));
}

void ClrBit(Word& w, Byte bit) {
  if (IsWordBit(bit)) w = static_cast<Word>(w & ~BitMask(bit));
}

void InvertBit(Word& w, Byte bit) {
  if (!IsWordBit(bit)) throw ERangeError(RtlMessages::RangeError);
  w = static_cast<Word>(w ^ BitMask(bit));
}

} // namespace Lumherk
