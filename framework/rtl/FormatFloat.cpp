#include "framework/rtl/FormatFloat.h"

#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr int MaxPrecision = 18;
constexpr int FormatFloatPrecision = 15;
constexpr int NoDecimalLimit = std::numeric_limits<int>::max() / 2;
constexpr int MaxExponentDigits = 4;

// Number of decimals needed to write x (finite, >= 0) exactly: x·2^n is an integer.
int ExactFractionDigits(Extended x) {
  int n = 0;
  while (x != std::floor(x)) {
    x *= 2;
    ++n;
  }
  return n;
}

// The exact decimal expansion of x (finite, >= 0) as 0.Digits × 10^Exponent.
TFloatRec ExactDecimal(Extended x) {
  const int fractionDigits = ExactFractionDigits(x);
  String text(std::numeric_limits<Extended>::max_exponent10 + fractionDigits + 8, '\0');
  const auto result = std::to_chars(text.data(), text.data() + text.size(), x,
                                    std::chars_format::fixed, fractionDigits);
  text.resize(static_cast<std::size_t>(result.ptr - text.data()));

  const std::size_t point = text.find('.');
  const std::size_t integerLength = point == String::npos ? text.size() : point;
  TFloatRec rec;
  rec.Digits = text;
  if (point != String::npos) rec.Digits.erase(point, 1);
  rec.Exponent = static_cast<int>(integerLength);

  const std::size_t firstNonZero = rec.Digits.find_first_not_of('0');
  if (firstNonZero == String::npos) return TFloatRec{};
  rec.Digits.erase(0, firstNonZero);
  rec.Exponent -= static_cast<int>(firstNonZero);
  rec.Digits.erase(rec.Digits.find_last_not_of('0') + 1);
  return rec;
}

// Keeps the first keep digits of rec, rounding half away from zero.
void RoundDigits(TFloatRec& rec, int keep) {
  if (keep >= static_cast<int>(rec.Digits.size())) return;
  if (keep < 0) {
    rec.Digits.clear();
    return;
  }
  const bool roundUp = rec.Digits[static_cast<std::size_t>(keep)] >= '5';
  rec.Digits.resize(static_cast<std::size_t>(keep));
  if (roundUp) {
    std::size_t i = rec.Digits.size();
    while (i > 0 && rec.Digits[i - 1] == '9') rec.Digits[--i] = '0';
    if (i == 0) {
      rec.Digits.insert(rec.Digits.begin(), '1');
      ++rec.Exponent;
    } else {
      ++rec.Digits[i - 1];
    }
  }
  rec.Digits.erase(rec.Digits.find_last_not_of('0') + 1);
}

String Zeros(int count) { return String(static_cast<std::size_t>(std::max(count, 0)), '0'); }

// Digits padded with zeros to length (or cut to it).
String DigitsPadded(const String& digits, int length) {
  String result = digits.substr(0, static_cast<std::size_t>(std::max(length, 0)));
  return result + Zeros(length - static_cast<int>(result.size()));
}

// The part of rec before the decimal point, "" for values below 1.
String IntegerDigits(const TFloatRec& rec) {
  if (rec.Digits.empty() || rec.Exponent <= 0) return "";
  return DigitsPadded(rec.Digits, rec.Exponent);
}

// The first count digits after the decimal point.
String FractionDigits(const TFloatRec& rec, int count) {
  if (rec.Digits.empty()) return Zeros(count);
  if (rec.Exponent >= 0)
    return DigitsPadded(
        rec.Digits.substr(std::min(rec.Digits.size(), static_cast<std::size_t>(rec.Exponent))),
        count);
  return DigitsPadded(Zeros(-rec.Exponent) + rec.Digits, count);
}

String WithThousands(const String& integerDigits) {
  String result;
  const std::size_t n = integerDigits.size();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) result += ',';
    result += integerDigits[i];
  }
  return result;
}

String ExponentText(int exponent, bool alwaysSign, int minDigits) {
  String digits = std::to_string(std::abs(exponent));
  String sign = exponent < 0 ? "-" : (alwaysSign ? "+" : "");
  return sign + Zeros(minDigits - static_cast<int>(digits.size())) + digits;
}

std::optional<String> NonFiniteText(Extended value) {
  if (std::isnan(value)) return String("NAN");
  if (std::isinf(value)) return String(value < 0 ? "-INF" : "INF");
  return std::nullopt;
}

String Signed(const TFloatRec& rec, const String& text) {
  return rec.Negative && !rec.Digits.empty() ? "-" + text : text;
}

String GeneralText(const TFloatRec& rec, int precision, int exponentDigits) {
  if (rec.Digits.empty()) return "0";
  const int x = rec.Exponent;
  if (x > precision || x < -3) {
    String mantissa = rec.Digits.substr(0, 1);
    if (rec.Digits.size() > 1) mantissa += "." + rec.Digits.substr(1);
    return Signed(rec, mantissa + "E" + ExponentText(x - 1, false, exponentDigits));
  }
  const int decimals = static_cast<int>(rec.Digits.size()) - x;
  String text = x > 0 ? IntegerDigits(rec) : "0";
  if (decimals > 0) text += "." + FractionDigits(rec, decimals);
  return Signed(rec, text);
}

String ExponentFormText(const TFloatRec& rec, int precision, int exponentDigits) {
  const String digits = DigitsPadded(rec.Digits, precision);
  String mantissa = digits.substr(0, 1);
  if (precision > 1) mantissa += "." + digits.substr(1);
  const int exponent = rec.Digits.empty() ? 0 : rec.Exponent - 1;
  return Signed(rec, mantissa + "E" + ExponentText(exponent, true, exponentDigits));
}

String FixedText(const TFloatRec& rec, int decimals, bool thousands) {
  String integerPart = IntegerDigits(rec);
  if (integerPart.empty()) integerPart = "0";
  if (thousands) integerPart = WithThousands(integerPart);
  if (decimals > 0) integerPart += "." + FractionDigits(rec, decimals);
  return integerPart;
}

String CurrencyText(const TFloatRec& rec, int decimals) {
  const String amount = "$" + FixedText(rec, decimals, true);
  return rec.Negative && !rec.Digits.empty() ? "(" + amount + ")" : amount;
}

// One section of a FormatFloat format, split into what it writes.
struct Token {
  enum Kind { Literal, IntegerDigit, FractionDigit, Point, Exponent } kind;
  String text;
};

struct Section {
  std::vector<Token> tokens;
  int integerPlaceholders = 0;
  int firstIntegerZero = -1; // integer placeholders from this one on are "0"
  int fractionPlaceholders = 0;
  int fractionZeros = 0; // minimum number of decimals
  bool thousands = false;
  bool scientific = false;
  char exponentChar = 'E';
  bool exponentAlwaysSigned = false;
  int exponentDigits = 0;
};

bool IsQuote(char c) { return c == '\'' || c == '"'; }

// Index just past the quoted text that starts at i (or the end when unterminated).
std::size_t SkipQuoted(const String& text, std::size_t i) {
  const std::size_t close = text.find(text[i], i + 1);
  return close == String::npos ? text.size() : close + 1;
}

std::vector<String> SplitSections(const String& format) {
  std::vector<String> sections(1);
  for (std::size_t i = 0; i < format.size();) {
    if (format[i] == ';') {
      sections.emplace_back();
      ++i;
    } else {
      const std::size_t next = IsQuote(format[i]) ? SkipQuoted(format, i) : i + 1;
      sections.back() += format.substr(i, next - i);
      i = next;
    }
  }
  return sections;
}

void AddLiteral(Section& section, const String& text) {
  if (!section.tokens.empty() && section.tokens.back().kind == Token::Literal) {
    section.tokens.back().text += text;
  } else {
    section.tokens.push_back({Token::Literal, text});
  }
}

void AddPlaceholder(Section& section, char c, bool afterPoint) {
  if (afterPoint) {
    ++section.fractionPlaceholders;
    if (c == '0') section.fractionZeros = section.fractionPlaceholders;
    section.tokens.push_back({Token::FractionDigit, {}});
  } else {
    if (c == '0' && section.firstIntegerZero < 0)
      section.firstIntegerZero = section.integerPlaceholders;
    ++section.integerPlaceholders;
    section.tokens.push_back({Token::IntegerDigit, {}});
  }
}

// Reads "E+00" at i into section; returns the index after it.
std::size_t ReadExponent(const String& text, std::size_t i, Section& section) {
  section.scientific = true;
  section.exponentChar = text[i];
  section.exponentAlwaysSigned = text[i + 1] == '+';
  std::size_t end = i + 2;
  while (end < text.size() && text[end] == '0') ++end;
  section.exponentDigits = std::min(static_cast<int>(end - i - 2), MaxExponentDigits);
  section.tokens.push_back({Token::Exponent, {}});
  return end;
}

bool StartsExponent(const String& text, std::size_t i) {
  return (text[i] == 'E' || text[i] == 'e') && i + 1 < text.size() &&
         (text[i + 1] == '+' || text[i + 1] == '-');
}

Section ParseSection(const String& text) {
  Section section;
  bool afterPoint = false;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (IsQuote(c)) {
      const std::size_t close = std::min(text.find(c, i + 1), text.size());
      AddLiteral(section, text.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    if (!section.scientific && StartsExponent(text, i)) {
      i = ReadExponent(text, i, section);
      continue;
    }
    if (c == '0' || c == '#') {
      AddPlaceholder(section, c, afterPoint);
    } else if (c == '.') {
      if (!afterPoint) section.tokens.push_back({Token::Point, {}});
      afterPoint = true;
    } else if (c == ',') {
      section.thousands = section.thousands || !afterPoint;
    } else {
      AddLiteral(section, String(1, c));
    }
    ++i;
  }
  return section;
}

int MinIntegerDigits(const Section& section) {
  return section.firstIntegerZero < 0 ? 0 : section.integerPlaceholders - section.firstIntegerZero;
}

// The digits a section shows for a value, before they are put into the section's text.
struct NumberParts {
  String integerDigits;
  String fraction;
  int exponent = 0;
  bool zero = true;
};

String TrimFraction(String fraction, int minLength) {
  while (static_cast<int>(fraction.size()) > minLength && fraction.back() == '0')
    fraction.pop_back();
  return fraction;
}

NumberParts FixedParts(const Section& section, Extended magnitude) {
  const TFloatRec rec =
      FloatToDecimal(magnitude, FormatFloatPrecision, section.fractionPlaceholders);
  NumberParts parts;
  parts.zero = rec.Digits.empty();
  parts.integerDigits = IntegerDigits(rec);
  parts.integerDigits.insert(
      0, Zeros(MinIntegerDigits(section) - static_cast<int>(parts.integerDigits.size())));
  parts.fraction =
      TrimFraction(FractionDigits(rec, section.fractionPlaceholders), section.fractionZeros);
  return parts;
}

NumberParts ScientificParts(const Section& section, Extended magnitude) {
  const int placeholders = section.integerPlaceholders + section.fractionPlaceholders;
  const TFloatRec rec =
      FloatToDecimal(magnitude, std::clamp(placeholders, 1, FormatFloatPrecision), NoDecimalLimit);
  const String digits = DigitsPadded(rec.Digits, placeholders);
  const auto integerCount = static_cast<std::size_t>(section.integerPlaceholders);
  NumberParts parts;
  parts.zero = rec.Digits.empty();
  parts.integerDigits = digits.substr(0, integerCount);
  const std::size_t leadingZeros =
      std::min(parts.integerDigits.find_first_not_of('0'), parts.integerDigits.size());
  const auto removable =
      static_cast<std::size_t>(section.integerPlaceholders - MinIntegerDigits(section));
  parts.integerDigits.erase(0, std::min(leadingZeros, removable));
  parts.fraction = TrimFraction(digits.substr(integerCount), section.fractionZeros);
  parts.exponent = parts.zero ? 0 : rec.Exponent - section.integerPlaceholders;
  return parts;
}

// Writes the section's text with the digits in its placeholders. The first integer
// placeholder also takes the digits that have no placeholder of their own.
class SectionWriter {
public:
  SectionWriter(const Section& section, const NumberParts& parts)
      : section_(section), parts_(parts),
        excess_(static_cast<int>(parts.integerDigits.size()) - section.integerPlaceholders) {}

  String Write() {
    for (const Token& token : section_.tokens) WriteToken(token);
    return out_;
  }

private:
  void WriteToken(const Token& token) {
    switch (token.kind) {
    case Token::Literal:
      out_ += token.text;
      break;
    case Token::IntegerDigit:
      WriteIntegerDigits(integerIndex_ == 0 ? 0 : excess_ + integerIndex_,
                         excess_ + integerIndex_ + 1);
      ++integerIndex_;
      break;
    case Token::Point:
      if (section_.integerPlaceholders == 0)
        WriteIntegerDigits(0, static_cast<int>(parts_.integerDigits.size()));
      if (!parts_.fraction.empty()) out_ += '.';
      break;
    case Token::FractionDigit:
      if (fractionIndex_ < parts_.fraction.size()) out_ += parts_.fraction[fractionIndex_];
      ++fractionIndex_;
      break;
    case Token::Exponent:
      out_ += section_.exponentChar;
      out_ += ExponentText(parts_.exponent, section_.exponentAlwaysSigned, section_.exponentDigits);
      break;
    }
  }

  void WriteIntegerDigits(int from, int to) {
    const int count = static_cast<int>(parts_.integerDigits.size());
    const bool thousands = section_.thousands && !section_.scientific;
    for (int i = std::max(from, 0); i < to; ++i) {
      out_ += parts_.integerDigits[static_cast<std::size_t>(i)];
      const int remaining = count - 1 - i;
      if (thousands && remaining > 0 && remaining % 3 == 0) out_ += ',';
    }
  }

  const Section& section_;
  const NumberParts& parts_;
  const int excess_;
  int integerIndex_ = 0;
  std::size_t fractionIndex_ = 0;
  String out_;
};

struct RenderedSection {
  String text;
  bool zero;
};

RenderedSection RenderSection(const String& text, Extended magnitude) {
  if (text.empty()) {
    const bool zero =
        FloatToDecimal(magnitude, FormatFloatPrecision, NoDecimalLimit).Digits.empty();
    return {FloatToStrF(magnitude, ffGeneral, FormatFloatPrecision, 0), zero};
  }
  const Section section = ParseSection(text);
  const NumberParts parts =
      section.scientific ? ScientificParts(section, magnitude) : FixedParts(section, magnitude);
  return {SectionWriter(section, parts).Write(), parts.zero};
}

} // namespace

String FormatFloat(const String& format, Extended value) {
  if (auto special = NonFiniteText(value)) return *special;
  if (format.empty()) return FloatToStrF(value, ffGeneral, FormatFloatPrecision, 0);
  const std::vector<String> sections = SplitSections(format);
  auto has = [&](std::size_t i) { return sections.size() > i && !sections[i].empty(); };

  const bool negative = value < 0;
  const bool negativeSection = negative && has(1);
  const RenderedSection rendered =
      RenderSection(sections[negativeSection ? 1 : 0], std::fabs(value));
  if (rendered.zero) return RenderSection(has(2) ? sections[2] : sections[0], 0).text;
  return (negative && !negativeSection ? "-" : "") + rendered.text;
}

TFloatRec FloatToDecimal(Extended value, int precision, int decimals) {
  if (!std::isfinite(value)) throw EInvalidOp(RtlMessages::InvalidOp);
  TFloatRec rec = ExactDecimal(std::fabs(value));
  rec.Negative = std::signbit(value);
  const int keep =
      std::min(precision, rec.Exponent + std::clamp(decimals, -NoDecimalLimit, NoDecimalLimit));
  RoundDigits(rec, keep);
  if (rec.Digits.empty()) rec.Exponent = 0;
  return rec;
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits) {
  if (auto special = NonFiniteText(value)) return *special;
  precision = std::clamp(precision, 1, MaxPrecision);
  switch (format) {
  case ffGeneral:
    return GeneralText(FloatToDecimal(value, precision, NoDecimalLimit), precision,
                       std::clamp(digits, 0, MaxExponentDigits));
  case ffExponent:
    return ExponentFormText(FloatToDecimal(value, precision, NoDecimalLimit), precision,
                            std::clamp(digits, 0, MaxExponentDigits));
  case ffFixed:
  case ffNumber:
  case ffCurrency:
    break;
  }
  digits = std::clamp(digits, 0, MaxPrecision);
  const TFloatRec rec = FloatToDecimal(value, precision, digits);
  if (format == ffCurrency) return CurrencyText(rec, digits);
  if (rec.Exponent > precision) return FloatToStrF(value, ffGeneral, precision, 0);
  return Signed(rec, FixedText(rec, digits, format == ffNumber));
}
