#include "framework/win32/gdi/Utf8.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Number of bytes a lead byte announces, 0 for a byte that cannot lead.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool IsValidScalar(char32_t value, int length) {
  static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < Smallest[length] || value > 0x10FFFF) return false;
  return value < 0xD800 || value > 0xDFFF;
}

} // namespace

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  const int length = SequenceLength(lead);
  if (length == 1) {
    ++pos;
    return lead;
  }
  if (length == 0) {
    ++pos;
    return ReplacementCharacter;
  }
  char32_t value = lead & (0x7F >> length);
  std::size_t next = pos + 1;
  for (int i = 1; i < length; ++i, ++next) {
    if (next >= text.size() || !IsContinuation(static_cast<unsigned char>(text[next]))) {
      pos = next;
      return ReplacementCharacter;
    }
    value = value << 6 | (static_cast<unsigned char>(text[next]) & 0x3F);
  }
  pos = next;
  return IsValidScalar(value, length) ? value : ReplacementCharacter;
}

std::vector<char32_t> DecodeUtf8(std::string_view text) {
  std::vector<char32_t> result;
  result.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) result.push_back(NextCodePoint(text, pos));
  return result;
}

void AppendUtf8(std::string& text, char32_t code) {
  if (code < 0x80) {
    text += static_cast<char>(code);
  } else if (code < 0x800) {
    text += static_cast<char>(0xC0 | code >> 6);
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    text += static_cast<char>(0xE0 | code >> 12);
    text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | code >> 18);
    text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    text += static_cast<char>(0x80 | (code & 0x3F));
  }
}
