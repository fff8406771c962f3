#include "framework/controls/EditMask.h"

#include "framework/rtl/FormatSettings.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/Utf8.h"

namespace {

bool IsAsciiDigit(const String& c) { return c.size() == 1 && c[0] >= '0' && c[0] <= '9'; }

// Letters: the ASCII ones and every character beyond ASCII but the Latin-1 signs.
bool IsLetter(const String& c) {
  if (c.size() == 1) return (c[0] >= 'a' && c[0] <= 'z') || (c[0] >= 'A' && c[0] <= 'Z');
  std::size_t pos = 0;
  const char32_t code = NextCodePoint(c, pos);
  return code >= 0xC0 && code != 0xD7 && code != 0xF7;
}

String Cased(const String& c, TEditMask::TCase mode) {
  if (mode == TEditMask::TCase::Upper) return AnsiUpperCase(c);
  if (mode == TEditMask::TCase::Lower) return AnsiLowerCase(c);
  return c;
}

} // namespace

std::vector<String> Utf8Characters(const String& Text) {
  std::vector<String> out;
  std::size_t pos = 0;
  while (pos < Text.size()) {
    const std::size_t start = pos;
    NextCodePoint(Text, pos);
    if (pos == start) ++pos;
    out.push_back(Text.substr(start, pos - start));
  }
  return out;
}

TEditMask::TEditMask(const String& Mask) {
  String body;
  ParseFields(Mask, body);
  ParseBody(body);
}

void TEditMask::ParseFields(const String& Mask, String& Body) {
  std::size_t i = 0;
  while (i < Mask.size() && Mask[i] != ';') i += Mask[i] == '\\' ? 2 : 1;
  Body = Mask.substr(0, std::min(i, Mask.size()));
  if (i >= Mask.size()) return;
  const String fields = Mask.substr(i + 1);
  const std::size_t second = fields.find(';');
  const String save = fields.substr(0, second);
  saveLiterals_ = save.empty() || save[0] != '0';
  if (second != String::npos && second + 1 < fields.size()) blank_ = fields[second + 1];
}

void TEditMask::ParseBody(const String& Body) {
  const std::vector<String> chars = Utf8Characters(Body);
  TCase mode = TCase::Keep;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const String& c = chars[i];
    TPosition p;
    p.Case = mode;
    if (c == ">" || c == "<") {
      if (c == "<" && i + 1 < chars.size() && chars[i + 1] == ">") {
        mode = TCase::Keep;
        ++i;
      } else {
        mode = c == ">" ? TCase::Upper : TCase::Lower;
      }
      continue;
    }
    if (c == "!") {
      leadingBlanks_ = true;
      continue;
    }
    if (c == "\\" && i + 1 < chars.size()) {
      p.Literal = chars[++i];
    } else if (c == "L" || c == "l") {
      p.Kind = TKind::Letter;
    } else if (c == "A" || c == "a") {
      p.Kind = TKind::AlphaNumeric;
    } else if (c == "C" || c == "c") {
      p.Kind = TKind::Any;
    } else if (c == "0" || c == "9") {
      p.Kind = TKind::Digit;
    } else if (c == "#") {
      p.Kind = TKind::DigitOrSign;
    } else if (c == ":") {
      p.Literal = String(1, FormatSettings().TimeSeparator);
    } else if (c == "/") {
      p.Literal = String(1, FormatSettings().DateSeparator);
    } else if (c == "_") {
      p.Literal = " ";
    } else {
      p.Literal = c;
    }
    p.Required = c == "L" || c == "A" || c == "C" || c == "0";
    positions_.push_back(p);
  }
}

bool TEditMask::Fits(const TPosition& p, const String& c) const {
  switch (p.Kind) {
  case TKind::Letter:
    return IsLetter(c);
  case TKind::AlphaNumeric:
    return IsLetter(c) || IsAsciiDigit(c);
  case TKind::Any:
    return !c.empty() && static_cast<unsigned char>(c[0]) >= 0x20;
  case TKind::Digit:
    return IsAsciiDigit(c);
  case TKind::DigitOrSign:
    return IsAsciiDigit(c) || c == "+" || c == "-";
  default:
    return c == p.Literal;
  }
}

std::optional<String> TEditMask::Accept(std::size_t i, const String& Character) const {
  if (i >= positions_.size() || IsLiteral(i)) return std::nullopt;
  const TPosition& p = positions_[i];
  if (!Fits(p, Character)) return std::nullopt;
  return Cased(Character, p.Case);
}

std::vector<String> TEditMask::BlankCells() const {
  std::vector<String> cells;
  for (const TPosition& p : positions_)
    cells.push_back(p.Kind == TKind::Literal ? p.Literal : String(1, blank_));
  return cells;
}

std::vector<String> TEditMask::CellsFromText(const String& Text) const {
  std::vector<String> cells = BlankCells();
  std::vector<String> chars = Utf8Characters(Text);
  if (saveLiterals_) {
    for (std::size_t i = 0; i < cells.size() && i < chars.size(); ++i)
      if (!IsLiteral(i) && chars[i] != " ")
        if (const auto c = Accept(i, chars[i])) cells[i] = *c;
    return cells;
  }
  std::vector<std::size_t> inputs;
  for (std::size_t i = 0; i < cells.size(); ++i)
    if (!IsLiteral(i)) inputs.push_back(i);
  const std::size_t skip =
      leadingBlanks_ && chars.size() < inputs.size() ? inputs.size() - chars.size() : 0;
  for (std::size_t k = 0; k + skip < inputs.size() && k < chars.size(); ++k)
    if (chars[k] != " ")
      if (const auto c = Accept(inputs[k + skip], chars[k])) cells[inputs[k + skip]] = *c;
  return cells;
}

std::vector<String> TEditMask::CellsOf(const String& EditText) const {
  std::vector<String> cells = BlankCells();
  const std::vector<String> chars = Utf8Characters(EditText);
  for (std::size_t i = 0; i < cells.size() && i < chars.size(); ++i)
    if (!IsLiteral(i)) cells[i] = chars[i];
  return cells;
}

String TEditMask::Join(const std::vector<String>& Cells) {
  String s;
  for (const String& c : Cells) s += c;
  return s;
}

String TEditMask::TextFromCells(const std::vector<String>& Cells) const {
  String s;
  for (std::size_t i = 0; i < Cells.size() && i < positions_.size(); ++i) {
    if (IsLiteral(i)) {
      if (saveLiterals_) s += Cells[i];
    } else {
      s += Cells[i] == String(1, blank_) ? String(" ") : Cells[i];
    }
  }
  return s;
}

std::optional<std::size_t> TEditMask::FirstInvalid(const std::vector<String>& Cells) const {
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    if (IsLiteral(i)) continue;
    const bool blank = i >= Cells.size() || Cells[i] == String(1, blank_) || Cells[i] == " ";
    if (blank ? positions_[i].Required : !Fits(positions_[i], Cells[i])) return i;
  }
  return std::nullopt;
}

std::size_t TEditMask::NextInput(std::size_t i) const {
  while (i < positions_.size() && IsLiteral(i)) ++i;
  return i;
}

std::optional<std::size_t> TEditMask::PreviousInput(std::size_t i) const {
  while (i > 0) {
    --i;
    if (!IsLiteral(i)) return i;
  }
  return std::nullopt;
}
