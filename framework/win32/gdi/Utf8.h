#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char32_t ReplacementCharacter = 0xFFFD;

// Decodes the character that starts at pos and moves pos past it. Malformed input (a stray
// continuation byte, a truncated or overlong sequence, a surrogate, a value above U+10FFFF)
// yields U+FFFD and skips the bytes that cannot start a character, so decoding always ends.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// The whole text decoded as above.
std::vector<char32_t> DecodeUtf8(std::string_view text);

// Appends the character's UTF-8 bytes.
void AppendUtf8(std::string& text, char32_t code);
