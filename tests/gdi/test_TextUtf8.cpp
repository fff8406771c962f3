#include "framework/win32/gdi/Utf8.h"

#include <gtest/gtest.h>

namespace {

using Codes = std::vector<char32_t>;
constexpr char32_t R = ReplacementCharacter;

TEST(TextUtf8, DecodesEverySequenceLength) {
  EXPECT_EQ(DecodeUtf8("Az"), (Codes{U'A', U'z'}));
  EXPECT_EQ(DecodeUtf8("\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80"), (Codes{0xFC, 0x20AC, 0x1F600}));
  EXPECT_EQ(DecodeUtf8("\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF4\x8F\xBF\xBF"),
            (Codes{0x7F, 0x80, 0x7FF, 0x800, 0xFFFF, 0x10FFFF}));
  EXPECT_TRUE(DecodeUtf8("").empty());
}

TEST(TextUtf8, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(DecodeUtf8("a\x80"
                       "b"),
            (Codes{U'a', R, U'b'}));                     // stray continuation
  EXPECT_EQ(DecodeUtf8("\xC0\xAF"), (Codes{R, R}));      // overlong lead
  EXPECT_EQ(DecodeUtf8("\xE0\x80\xAF"), (Codes{R}));     // overlong three bytes
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), (Codes{R}));     // surrogate
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), (Codes{R})); // above U+10FFFF
  EXPECT_EQ(DecodeUtf8("\xE2\x82"
                       "a"),
            (Codes{R, U'a'}));                       // cut short
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98"), (Codes{R})); // cut at the end
  EXPECT_EQ(DecodeUtf8("\xFF\xFE"), (Codes{R, R}));
}

TEST(TextUtf8, EncodingRoundTrips) {
  for (const char32_t code :
       {char32_t{0x41}, char32_t{0xE4}, char32_t{0x7FF}, char32_t{0x800}, char32_t{0x20AC},
        char32_t{0xFFFD}, char32_t{0x10000}, char32_t{0x10FFFF}}) {
    std::string text;
    AppendUtf8(text, code);
    EXPECT_EQ(DecodeUtf8(text), (Codes{code})) << static_cast<unsigned long>(code);
  }
  std::string euro;
  AppendUtf8(euro, 0x20AC);
  EXPECT_EQ(euro, "\xE2\x82\xAC");
}

} // namespace
