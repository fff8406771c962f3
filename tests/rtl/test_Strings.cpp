#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Strings.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <compare>
#include <limits>
#include <vector>

TEST(StringsCase, AsciiRoutinesLeaveOtherLettersAlone) {
  EXPECT_EQ(UpperCase("abc xyz äß 09"), "ABC XYZ äß 09");
  EXPECT_EQ(LowerCase("ABC XYZ ÄÉ @["), "abc xyz ÄÉ @[");
}

TEST(StringsCase, AnsiRoutinesMapLettersBeyondAscii) {
  EXPECT_EQ(AnsiUpperCase("straße äöü éñ ÿ"), "STRAßE ÄÖÜ ÉÑ Ÿ");
  EXPECT_EQ(AnsiLowerCase("ÄÖÜ ÉÑ Ÿ ×"), "äöü éñ ÿ ×");
  EXPECT_EQ(AnsiUpperCase("łódź čšž ĳ"), "ŁÓDŹ ČŠŽ Ĳ");
  EXPECT_EQ(AnsiLowerCase("ŁÓDŹ ČŠŽ Ĳ"), "łódź čšž ĳ");
  EXPECT_EQ(AnsiUpperCase("αβγ ς привет ё"), "ΑΒΓ Σ ПРИВЕТ Ё");
  EXPECT_EQ(AnsiLowerCase("ΑΒΓ ПРИВЕТ Ё"), "αβγ привет ё");
}

TEST(StringsCase, InvalidUtf8BytesPassThrough) {
  const String broken = "a\xC3(b\xFF\xE2\x82";
  EXPECT_EQ(AnsiUpperCase(broken), "A\xC3(B\xFF\xE2\x82");
  EXPECT_NE(AnsiCompareText("\xC3", "\xC3\x83"), 0);
}

TEST(StringsCompare, SignOfTheResultOrdersTexts) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  for (const Case& c : {Case{"abc", "ABC", 0}, Case{"abc", "abd", -1}, Case{"abcd", "ABC", 1},
                        Case{"", "a", -1}, Case{"_", "a", 1}}) {
    const int sign = (CompareText(c.a, c.b) > 0) - (CompareText(c.a, c.b) < 0);
    EXPECT_EQ(sign, c.sign) << c.a << " vs " << c.b;
  }
  EXPECT_TRUE(SameText("Hello", "hELLO"));
  EXPECT_FALSE(SameText("Hello", "Hello!"));
  EXPECT_FALSE(SameText("ä", "Ä"));
  EXPECT_EQ(AnsiCompareText("Äpfel", "äPFEL"), 0);
  EXPECT_LT(AnsiCompareText("Zebra", "äpfel"), 0);
  EXPECT_GT(AnsiCompareText("ÉCOLE", "ecole"), 0);
  EXPECT_LT(AnsiCompareText("straß", "straße"), 0);
}

TEST(StringsTrim, RemovesControlCharactersAndBlanksOnly) {
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(TrimLeft("  x  "), "x  ");
  EXPECT_EQ(TrimRight("  x  "), "  x");
  EXPECT_EQ(Trim(" \xC2\xA0 "), "\xC2\xA0");
  EXPECT_EQ(Trim("   "), "");
}

TEST(StringsPositions, PosCopyDeleteInsertClipOutOfRangeArguments) {
  EXPECT_EQ(Pos("lo", "hello lo"), 4);
  EXPECT_EQ(Pos("x", "hello"), 0);
  EXPECT_EQ(Pos("", "hello"), 0);

  EXPECT_EQ(Copy("hello", 2, 3), "ell");
  EXPECT_EQ(Copy("hello", 0, 2), "he");
  EXPECT_EQ(Copy("hello", -5, 100), "hello");
  EXPECT_EQ(Copy("hello", 4, std::numeric_limits<int>::max()), "lo");
  EXPECT_EQ(Copy("hello", 6, 1), "");
  EXPECT_EQ(Copy("hello", 1, -1), "");

  struct DeleteCase {
    int index;
    int count;
    const char* result;
  };
  for (const DeleteCase& c :
       {DeleteCase{2, 2, "hlo"}, DeleteCase{4, 99, "hel"}, DeleteCase{0, 2, "hello"},
        DeleteCase{6, 1, "hello"}, DeleteCase{1, 0, "hello"}}) {
    String s = "hello";
    Delete(s, c.index, c.count);
    EXPECT_EQ(s, c.result) << c.index << "," << c.count;
  }

  for (const auto& [index, result] :
       {std::pair{1, "XYabc"}, std::pair{-3, "XYabc"}, std::pair{3, "abXYc"}, std::pair{4, "abcXY"},
        std::pair{99, "abcXY"}}) {
    String s = "abc";
    Insert("XY", s, index);
    EXPECT_EQ(s, result) << index;
  }
  EXPECT_EQ(StringOfChar('*', 3), "***");
  EXPECT_EQ(StringOfChar('*', -1), "");
}

TEST(StringsIntegers, IntToStrAndIntToHex) {
  EXPECT_EQ(IntToStr(std::numeric_limits<Int64>::min()), "-9223372036854775808");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0xABCDEF, 2), "ABCDEF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(IntToHex(std::numeric_limits<Int64>::min(), 0), "8000000000000000");
}

TEST(StringsIntegers, StrToIntAcceptsDecimalAndHexForms) {
  struct Case {
    const char* text;
    Int64 value;
  };
  for (const Case& c : {Case{"42", 42}, Case{"  -17", -17}, Case{"+8", 8}, Case{"$ff", 255},
                        Case{"0x1A", 26}, Case{"x10", 16}, Case{"-$10", -16}, Case{"$FFFFFFFF", -1},
                        Case{"2147483647", 2147483647}, Case{"-2147483648", -2147483648LL}}) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
  }
  EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<Int64>::min());
  EXPECT_EQ(StrToInt64("$8000000000000000"), std::numeric_limits<Int64>::min());
}

TEST(StringsIntegers, BadIntegerTextRaisesWithTheTextQuoted) {
  for (const char* text : {"", "abc", "12 ", "1.5", "-", "$", "0x", "--1", "+-1", "2147483648",
                           "-2147483649", "$100000000", "1 2"}) {
    EXPECT_THROW(StrToInt(text), EConvertError) << text;
    Integer value = 7;
    EXPECT_FALSE(TryStrToInt(text, value)) << text;
    EXPECT_EQ(StrToIntDef(text, -3), -3) << text;
  }
  EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
  ExpectError<EConvertError>([&] { StrToInt("abc"); }, "'abc' is not a valid integer value");
}

TEST(StringsFloats, StrToFloatReadsPointDecimalsOnly) {
  struct Case {
    const char* text;
    double value;
  };
  for (const Case& c : {Case{"1.5", 1.5}, Case{" -2.25e2 ", -225.0}, Case{"+.5", 0.5},
                        Case{"5.", 5.0}, Case{"1E-3", 0.001}, Case{"1e-400", 0.0}}) {
    EXPECT_EQ(StrToFloat(c.text), c.value) << c.text;
  }
  for (const char* text :
       {"", "1,5", "abc", ".", "1e", "1e+", "inf", "nan", "0x10", "1.5x", "1e400", "- 1"}) {
    EXPECT_THROW(StrToFloat(text), EConvertError) << text;
    EXPECT_EQ(StrToFloatDef(text, -1.0), -1.0) << text;
  }
  ExpectError<EConvertError>([&] { StrToFloat("1,5"); },
                             "'1,5' is not a valid floating point value");
}

TEST(StringsFloats, IndependentOfTheProcessLocale) {
  const String saved = std::setlocale(LC_NUMERIC, nullptr);
  if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
  EXPECT_EQ(StrToFloat("1.5"), 1.5);
  double value = 0;
  EXPECT_FALSE(TryStrToFloat("1,5", value));
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(StringsFloats, FloatToStrUsesGeneralFormWithFifteenDigits) {
  struct Case {
    double value;
    const char* text;
  };
  for (const Case& c :
       {Case{0.1, "0.1"}, Case{100, "100"}, Case{1e20, "1E20"}, Case{1.5e-7, "1.5E-7"},
        Case{-2.5, "-2.5"}, Case{0, "0"}, Case{0.1 + 0.2, "0.3"},
        Case{1.0 / 3, "0.333333333333333"}, Case{123456789012345.0, "123456789012345"},
        Case{1e15, "1E15"}, Case{0.0001, "0.0001"}, Case{0.00001, "1E-5"},
        Case{999999999999999.9, "1E15"}, Case{-1e-300, "-1E-300"}}) {
    EXPECT_EQ(FloatToStr(c.value), c.text) << c.text;
  }
  EXPECT_EQ(FloatToStr(std::nan("")), "NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
  for (double v : {1.25, -3.0e-5, 6.02214076e23, 2.5e-310}) {
    EXPECT_DOUBLE_EQ(StrToFloat(FloatToStr(v)), v);
  }
}

namespace {

// Restores the collation and character classes a test changes.
class StringsCollation : public ::testing::Test {
protected:
  static bool Use(const char* name) {
    return std::setlocale(LC_COLLATE, name) != nullptr && std::setlocale(LC_CTYPE, name) != nullptr;
  }
  void TearDown() override {
    std::setlocale(LC_COLLATE, collate_.c_str());
    std::setlocale(LC_CTYPE, ctype_.c_str());
  }

private:
  String collate_ = std::setlocale(LC_COLLATE, nullptr);
  String ctype_ = std::setlocale(LC_CTYPE, nullptr);
};

int SignOf(int x) { return (x > 0) - (x < 0); }
int SignOf(std::strong_ordering o) { return o < 0 ? -1 : o > 0 ? 1 : 0; }

// Texts the collation ranks alike or near each other, case variants, broken UTF-8, a NUL.
const std::vector<String> Awkward = {"",      "a",     "A",        "ab",      "AB",
                                     "a-b",   "a b",   "a_b",      "äpfel",   "Äpfel",
                                     "apfel", "Zebra", "straße",   "STRASSE", "Straße",
                                     "ı",     "I",     "i",        "é",       "e",
                                     "Ê",     "\xC3",  "\xC3\x83", "ab\xFF",  String("a\0b", 3)};

bool IsDottedOrDotlessI(const String& s) { return s == "ı" || s == "i" || s == "I"; }

} // namespace

TEST_F(StringsCollation, FollowsTheProcessLocale) {
  ASSERT_TRUE(Use("de_DE.UTF-8")) << "de_DE.UTF-8 is not installed";
  EXPECT_LT(AnsiCompareText("äpfel", "Zebra"), 0); // Ä sorts with A in German
  EXPECT_LT(AnsiCompareText("apfel", "Äpfel"), 0);
  EXPECT_LT(AnsiCompareText("Äpfel", "Birne"), 0);
  EXPECT_EQ(AnsiCompareText("ÉCOLE", "école"), 0);
  EXPECT_LT(AnsiCompareStr("a", "A"), 0); // lower case first
  EXPECT_LT(AnsiCompareStr("A", "b"), 0);
  ASSERT_TRUE(Use("sv_SE.UTF-8")) << "sv_SE.UTF-8 is not installed";
  EXPECT_GT(AnsiCompareText("äpfel", "Zebra"), 0); // Ä comes after Z in Swedish
  ASSERT_TRUE(Use("C"));
  EXPECT_GT(AnsiCompareText("äpfel", "Zebra"), 0); // code points
  EXPECT_LT(AnsiCompareStr("A", "a"), 0);
}

// Antisymmetric, transitive, equal only for case variants (Text) or equal texts (Str), and
// the keys order alike.
TEST_F(StringsCollation, ComparisonsAreTotalOrdersAndKeysAgree) {
  for (const char* locale : {"C", "de_DE.UTF-8", "sv_SE.UTF-8"}) {
    ASSERT_TRUE(Use(locale)) << locale << " is not installed";
    const bool folds = String(locale) != "C"; // towupper: ı, i and I are one letter
    for (const String& a : Awkward) {
      for (const String& b : Awkward) {
        const int text = AnsiCompareText(a, b);
        const int str = AnsiCompareStr(a, b);
        const bool caseVariants = AnsiUpperCase(a) == AnsiUpperCase(b) ||
                                  (folds && IsDottedOrDotlessI(a) && IsDottedOrDotlessI(b));
        EXPECT_EQ(text == 0, caseVariants) << locale << ": " << a << " vs " << b;
        EXPECT_EQ(str == 0, a == b) << locale << ": " << a << " vs " << b;
        EXPECT_EQ(SignOf(text), -SignOf(AnsiCompareText(b, a))) << a << " vs " << b;
        EXPECT_EQ(SignOf(str), -SignOf(AnsiCompareStr(b, a))) << a << " vs " << b;
        EXPECT_EQ(SignOf(text), SignOf(AnsiCompareTextKey(a) <=> AnsiCompareTextKey(b)));
        EXPECT_EQ(SignOf(str), SignOf(AnsiCompareStrKey(a) <=> AnsiCompareStrKey(b)));
        for (const String& c : Awkward) {
          EXPECT_TRUE(text > 0 || AnsiCompareText(b, c) > 0 || AnsiCompareText(a, c) <= 0)
              << a << " <= " << b << " <= " << c;
          EXPECT_TRUE(str > 0 || AnsiCompareStr(b, c) > 0 || AnsiCompareStr(a, c) <= 0)
              << a << " <= " << b << " <= " << c;
        }
      }
    }
  }
}
