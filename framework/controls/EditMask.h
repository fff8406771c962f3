#pragma once

#include "framework/rtl/Types.h"

#include <optional>
#include <vector>

// The framework's edit masks: "mask;save;blank". The mask holds one position per character
// of the edit text:
//   L letter, l optional letter, A letter or digit, a optional letter or digit,
//   C any character, c optional any character, 0 digit, 9 optional digit,
//   # optional digit or sign, : time separator, / date separator, _ a blank literal,
//   \ the next character taken as a literal; > upper case and < lower case from here on
//   (<> ends both), ! optional characters left out at the start instead of the end.
// The second field is 0 when the text leaves the literals out (default 1), the third the
// character shown in positions not filled yet (default _).
class TEditMask {
public:
  enum class TKind { Literal, Letter, AlphaNumeric, Any, Digit, DigitOrSign };
  enum class TCase { Keep, Upper, Lower };
  struct TPosition {
    TKind Kind = TKind::Literal;
    bool Required = false;
    TCase Case = TCase::Keep;
    String Literal; // the character shown, for literals
  };

  TEditMask() = default;
  explicit TEditMask(const String& Mask);

  bool Empty() const { return positions_.empty(); }
  std::size_t Length() const { return positions_.size(); }
  const TPosition& At(std::size_t i) const { return positions_.at(i); }
  bool IsLiteral(std::size_t i) const { return At(i).Kind == TKind::Literal; }
  bool SavesLiterals() const { return saveLiterals_; }
  char Blank() const { return blank_; }

  // The character as it goes into position i (case applied), or none when refused there.
  std::optional<String> Accept(std::size_t i, const String& Character) const;
  // The edit text of nothing entered: literals and blanks.
  std::vector<String> BlankCells() const;
  // The edit text a value shows: a value with literals fills positions one to one; one
  // without them fills the positions that take input, in order (from the end with !).
  std::vector<String> CellsFromText(const String& Text) const;
  std::vector<String> CellsOf(const String& EditText) const;
  static String Join(const std::vector<String>& Cells);
  // The value of an edit text: blanks as spaces, literals left out unless they are saved.
  String TextFromCells(const std::vector<String>& Cells) const;
  // The first position whose character the mask refuses or that a required one leaves
  // blank; none when the edit text is complete.
  std::optional<std::size_t> FirstInvalid(const std::vector<String>& Cells) const;

  // The input positions from i on, and before i; Length() / none when there is none.
  std::size_t NextInput(std::size_t i) const;
  std::optional<std::size_t> PreviousInput(std::size_t i) const;

private:
  void ParseFields(const String& Mask, String& Body);
  void ParseBody(const String& Body);
  bool Fits(const TPosition& p, const String& Character) const;

  std::vector<TPosition> positions_;
  bool saveLiterals_ = true;
  bool leadingBlanks_ = false;
  char blank_ = '_';
};

// The characters of UTF-8 text, one string each.
std::vector<String> Utf8Characters(const String& Text);
