#include "framework/classes/Parser.h"

#include "framework/rtl/Strings.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsFloatSuffix(char c) { return c == 's' || c == 'c' || c == 'd'; }
constexpr bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
constexpr int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// The value of every character as a hexadecimal digit, -1 where it is none.
struct THexValues {
  std::int8_t Values[256];
  constexpr THexValues() : Values{} {
    for (int c = 0; c < 256; ++c)
      Values[c] = static_cast<std::int8_t>(
          IsHexDigit(static_cast<char>(c)) ? HexValue(static_cast<char>(c)) : -1);
  }
  int operator[](char c) const { return Values[static_cast<unsigned char>(c)]; }
};
constexpr THexValues HexValues;

// Whole bytes of two digits each from At on, as long as they follow without a gap, stored
// from Out on; answers where they end.
std::uint8_t* ReadHexPairs(std::string_view Text, std::size_t& At, std::uint8_t* Out) {
  std::size_t at = At;
  for (; at + 1 < Text.size(); at += 2) {
    const int high = HexValues[Text[at]], low = HexValues[Text[at + 1]];
    if ((high | low) < 0) break;
    *Out++ = static_cast<std::uint8_t>(high << 4 | low);
  }
  At = at;
  return Out;
}

void AppendUtf8(String& s, std::uint32_t cp) {
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | cp >> 6);
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | cp >> 12);
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | cp >> 18);
    s += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    s += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

} // namespace

TParser::TParser(std::string_view AText) : FText(AText) {
  if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
  NextToken();
}

void TParser::SkipBlanks() {
  while (FPos < FText.size() && static_cast<unsigned char>(FText[FPos]) <= ' ') {
    if (FText[FPos] == '\n') ++FLine;
    ++FPos;
  }
}

char TParser::NextToken() {
  SkipBlanks();
  FTokenLine = FLine;
  FTokenString.clear();
  if (FPos >= FText.size()) return FToken = toEOF;
  const char c = FText[FPos];
  if (IsLetter(c)) {
    ReadSymbol();
  } else if (c == '\'' || c == '#') {
    ReadString();
  } else if (IsDigit(c) || c == '$' ||
             (c == '-' && FPos + 1 < FText.size() &&
              (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
    ReadNumber();
  } else {
    FToken = c;
    FTokenString = String(1, c);
    ++FPos;
  }
  return FToken;
}

void TParser::ReadSymbol() {
  const std::size_t start = FPos;
  while (FPos < FText.size() && (IsLetter(FText[FPos]) || IsDigit(FText[FPos]))) ++FPos;
  FTokenString.assign(FText.substr(start, FPos - start));
  FToken = toSymbol;
}

void TParser::ReadNumber() {
  const std::size_t start = FPos;
  const bool negative = FText[FPos] == '-';
  if (negative) ++FPos;
  if (FText[FPos] == '$') {
    ++FPos;
    std::uint64_t value = 0;
    const std::size_t digits = FPos;
    for (; FPos < FText.size() && IsHexDigit(FText[FPos]); ++FPos) {
      if (value >> 60) Error("Invalid integer value");
      value = value << 4 | static_cast<unsigned>(HexValue(FText[FPos]));
    }
    if (FPos == digits) Error("Invalid integer value");
    FTokenString.assign(FText.substr(start, FPos - start));
    FTokenInt = negative ? -static_cast<Int64>(value) : static_cast<Int64>(value);
    FToken = toInteger;
    return;
  }
  bool isFloat = false;
  while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
  if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
    isFloat = true;
    for (++FPos; FPos < FText.size() && IsDigit(FText[FPos]);) ++FPos;
  }
  if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
    std::size_t p = FPos + 1;
    if (p < FText.size() && (FText[p] == '+' || FText[p] == '-')) ++p;
    if (p < FText.size() && IsDigit(FText[p])) {
      isFloat = true;
      for (FPos = p; FPos < FText.size() && IsDigit(FText[FPos]);) ++FPos;
    }
  }
  FTokenString.assign(FText.substr(start, FPos - start));
  FFloatType = 0;
  if (FPos < FText.size() && IsFloatSuffix(static_cast<char>(FText[FPos] | 0x20))) {
    FFloatType = static_cast<char>(FText[FPos++] | 0x20);
    isFloat = true;
  }
  const char* first = FTokenString.data();
  const char* last = first + FTokenString.size();
  if (isFloat) {
    const auto r = std::from_chars(first, last, FTokenFloat);
    if (r.ec != std::errc() || r.ptr != last) Error("Invalid floating point value " + FTokenString);
    FToken = toFloat;
  } else {
    const auto r = std::from_chars(first, last, FTokenInt);
    if (r.ec != std::errc() || r.ptr != last) Error("Invalid integer value " + FTokenString);
    FToken = toInteger;
  }
}

void TParser::ReadString() {
  FToken = toString;
  while (FPos < FText.size()) {
    if (FText[FPos] == '\'') {
      ++FPos;
      for (;;) {
        if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
          Error("Unterminated string");
        const char c = FText[FPos++];
        if (c == '\'') {
          if (FPos < FText.size() && FText[FPos] == '\'') {
            FTokenString += '\'';
            ++FPos;
            continue;
          }
          break;
        }
        FTokenString += c;
      }
    } else if (FText[FPos] == '#') {
      ReadCharCode();
    } else {
      break;
    }
  }
}

// #nnn up to 255 is that byte; larger codes are Unicode code points, stored as UTF-8.
void TParser::ReadCharCode() {
  ++FPos;
  std::uint32_t code = 0;
  const bool hex = FPos < FText.size() && FText[FPos] == '$';
  if (hex) ++FPos;
  const std::size_t digits = FPos;
  while (FPos < FText.size() && (hex ? IsHexDigit(FText[FPos]) : IsDigit(FText[FPos]))) {
    code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(HexValue(FText[FPos]));
    if (code > 0x10FFFF) Error("Invalid character code");
    ++FPos;
  }
  if (FPos == digits) Error("Invalid character code");
  if (code <= 255)
    FTokenString += static_cast<char>(code);
  else
    AppendUtf8(FTokenString, code);
}

bool TParser::TokenSymbolIs(std::string_view S) const {
  return FToken == toSymbol && SameText(FTokenString, String(S));
}

String TParser::TokenComponentIdent() {
  CheckToken(toSymbol);
  String ident = FTokenString;
  while (FPos + 1 < FText.size() && FText[FPos] == '.' && IsLetter(FText[FPos + 1])) {
    ++FPos;
    ReadSymbol();
    ident += "." + FTokenString;
  }
  FTokenString = ident;
  return ident;
}

std::vector<std::uint8_t> TParser::ReadHexBinary() {
  // Room for all the digits up to the closing brace; the bytes are fewer.
  const std::size_t close = std::min(FText.find('}', FPos), FText.size());
  std::vector<std::uint8_t> bytes((close - std::min(FPos, close)) / 2);
  std::uint8_t* out = bytes.data();
  int high = -1;
  for (;;) {
    if (high < 0) out = ReadHexPairs(FText, FPos, out);
    if (FPos >= FText.size()) {
      FTokenLine = FLine;
      FToken = toEOF;
      Expected("'}'");
    }
    const char c = FText[FPos++];
    if (c == '}') break;
    if (c == '\n') ++FLine;
    if (static_cast<unsigned char>(c) <= ' ') continue;
    if (!IsHexDigit(c)) {
      FTokenLine = FLine;
      Error(String("Invalid binary value: '") + c + "'");
    }
    if (high < 0) {
      high = HexValue(c);
    } else {
      *out++ = static_cast<std::uint8_t>(high << 4 | HexValue(c));
      high = -1;
    }
  }
  if (high >= 0) Error("Invalid binary value: odd number of hex digits");
  bytes.resize(static_cast<std::size_t>(out - bytes.data()));
  return bytes;
}

void TParser::CheckToken(char T) const {
  if (FToken != T) Expected(TokenName(T));
}

void TParser::CheckTokenSymbol(std::string_view S) const {
  if (!TokenSymbolIs(S)) Expected("'" + String(S) + "'");
}

String TParser::TokenName(char T) {
  switch (T) {
  case toEOF:
    return "End of file";
  case toSymbol:
    return "Identifier";
  case toString:
    return "String";
  case toInteger:
  case toFloat:
    return "Number";
  default:
    return String("'") + T + "'";
  }
}

String TParser::Found() const {
  switch (FToken) {
  case toEOF:
    return "end of file";
  case toString:
    return "string";
  default: {
    String shown = FTokenString.size() > 40 ? FTokenString.substr(0, 40) + "..." : FTokenString;
    for (char& c : shown)
      if (static_cast<unsigned char>(c) < ' ') c = '?';
    return "'" + shown + "'";
  }
  }
}

void TParser::Error(const String& Message) const {
  throw EParserError("Line " + IntToStr(FTokenLine) + ": " + Message);
}

void TParser::Expected(const String& What) const {
  Error(What + " expected but " + Found() + " found");
}
