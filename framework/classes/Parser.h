#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

#include <cstdint>
#include <string_view>
#include <vector>

LUM_DECLARE_EXCEPTION(EParserError, EReadError);

inline constexpr char toEOF = 0;
inline constexpr char toSymbol = 1;
inline constexpr char toString = 2;
inline constexpr char toInteger = 3;
inline constexpr char toFloat = 4;

// Tokens of the text form-file syntax: identifiers, strings ('…' with doubled quotes and #nnn
// codes, adjacent pieces joined), integers (also negative and $hex), floats, and single
// characters. Errors are EParserError "Line 12: ')' expected but 'end' found".
class TParser {
public:
  explicit TParser(std::string_view AText);

  char Token() const { return FToken; }
  char NextToken();
  const String& TokenString() const { return FTokenString; }
  Int64 TokenInt() const { return FTokenInt; }
  double TokenFloat() const { return FTokenFloat; }
  int SourceLine() const { return FTokenLine; }
  bool TokenSymbolIs(std::string_view S) const; // letter case ignored
  // Appends ".Name" parts that follow the current symbol directly: Form1.Edit1, Font.Name.
  String TokenComponentIdent();
  void CheckToken(char T) const;
  void CheckTokenSymbol(std::string_view S) const;
  // The bytes of a binary value after '{', up to and including '}'.
  std::vector<std::uint8_t> ReadHexBinary();

  [[noreturn]] void Error(const String& Message) const;
  [[noreturn]] void Expected(const String& What) const;

private:
  void SkipBlanks();
  void ReadSymbol();
  void ReadNumber();
  void ReadString();
  void ReadCharCode();
  String Found() const;
  static String TokenName(char T);

  std::string_view FText;
  std::size_t FPos = 0;
  int FLine = 1;
  int FTokenLine = 1;
  char FToken = toEOF;
  String FTokenString;
  Int64 FTokenInt = 0;
  double FTokenFloat = 0;
};
