#include "core/Lumherk.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatDateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Lumherk;

TEST(LumherkPadding, RightAndLeftPadOrCutFromTheLeftEnd) {
  EXPECT_EQ(Rightpad("ab", 4), "ab  ");
  EXPECT_EQ(Rightpad("window", 3), "win");
  EXPECT_EQ(Rightpad("abc", 3), "abc");
  EXPECT_EQ(Rightpad("abc", 0), "");
  EXPECT_EQ(Rightpad("", 0), "");
  EXPECT_EQ(Leftpad("ab", 4), "  ab");
  EXPECT_EQ(Leftpad("window", 3), "win");
  EXPECT_EQ(Leftpad("", 0), "");
  EXPECT_EQ(Leftpad("x", 255).size(), 255u);
}

TEST(LumherkTrimming, NoBlankRemovesOnlyOuterSpaces) {
  EXPECT_EQ(NoBlank("  a b  "), "a b");
  EXPECT_EQ(NoBlank("   "), "");
  EXPECT_EQ(NoBlank(""), "");
  EXPECT_EQ(NoBlank("a"), "a");
  EXPECT_EQ(NoBlank("\ta\t"), "\ta\t");
  EXPECT_TRUE(Str_Vergleich(" x ", "x"));
  EXPECT_FALSE(Str_Vergleich("X", "x"));
  EXPECT_TRUE(Str_Vergleich("", "   "));
}

TEST(LumherkTrimming, NoNullNormalisesNumberTexts) {
  const std::pair<const char*, const char*> cases[] = {
      {"007.500", "7.5"}, {"0.000", "0"}, {".25", "0.25"}, {"100", "100"},   {"1.50e10", "1.50E10"},
      {"-0.50", "-0.5"},  {"000", "0"},   {"", "0"},       {"12.0", "12"},   {"0", "0"},
      {"0.", "0"},        {".", "0"},     {"abc", "ABC"},  {" 010", " 010"}, {"10.", "10"},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(NoNull(input), expected) << input;
}

TEST(LumherkTrimming, LongRunsOfBlanksAndZerosAreTrimmed) {
  const String blanks(300, ' ');
  EXPECT_EQ(NoBlank(blanks + "x" + blanks), "x");
  EXPECT_EQ(NoBlank(String(70000, ' ')), "");
  const String zeros(300, '0');
  EXPECT_EQ(NoNull(zeros + "5." + zeros), "5");
  EXPECT_EQ(NoNull(zeros), "0");
}

TEST(LumherkNumbers, FixedPointPadsButNeverCuts) {
  EXPECT_EQ(S_N(3.14159, 5, 2), " 3.14");
  EXPECT_EQ(S_N(2.5, 1, 1), "2.5");
  EXPECT_EQ(S_N(-0.5, 6, 3), "-0.500");
  EXPECT_EQ(S_N(42.0, 1, 0), "42");
  EXPECT_EQ(S_N(123456.789, 2, 1), "123456.8");
  EXPECT_EQ(S_N(7.0, 100, 2), String(96, ' ') + "7.00");
  EXPECT_EQ(S_N(-0.0, 1, 2), "0.00");
  EXPECT_EQ(S_N(1e300, 1, 0).size(), 301u);
}

TEST(LumherkNumbers, FixedPointTiesRoundToEvenOnTheBinaryValue) {
  EXPECT_EQ(S_N(2.5, 1, 0), "2");
  EXPECT_EQ(S_N(3.5, 1, 0), "4");
  EXPECT_EQ(S_N(0.125, 1, 2), "0.12");
  EXPECT_EQ(S_N(1.005, 1, 2), "1.00"); // 1.005 is stored just below the tie
  EXPECT_EQ(S_N(-2.5, 1, 0), "-2");
}

TEST(LumherkNumbers, ScientificFormHasFixedPositions) {
  EXPECT_EQ(S_N(200000000.0, 15, 100), " 2.000000E+0008");
  EXPECT_EQ(S_N(-0.00123, 15, 100), "-1.230000E-0003");
  EXPECT_EQ(S_N(0.0, 15, 100), " 0.000000E+0000");
  EXPECT_EQ(S_N(1.0, 5, 100), " 1.0E+0000");
  const String full = S_N(1.0 / 3.0, 100, 100);
  EXPECT_EQ(full.size(), 25u);
  EXPECT_EQ(full.substr(full.size() - 6), "E-0001");
  EXPECT_EQ(S_N(std::numeric_limits<double>::infinity(), 5, 2), "  Inf");
  EXPECT_EQ(S_N(std::nan(""), 1, 100), "NaN");
}

TEST(LumherkNumbers, OptimalWidthChoosesDecimals) {
  EXPECT_EQ(Optimal_S_N(5.0, 6), "5.0000");
  EXPECT_EQ(Optimal_S_N(123.456, 6), "123.46");
  EXPECT_EQ(Optimal_S_N(123456.0, 6), "123456");
  EXPECT_EQ(Optimal_S_N(0.5, 6), "0.50000");
  EXPECT_EQ(Optimal_S_N(-3.0, 6), "-3.00000");
  EXPECT_EQ(Optimal_S_N(0.0, 6), "0");
  EXPECT_EQ(Optimal_S_N(99999.9, 6), "100000");
  EXPECT_EQ(Optimal_S_N(9.99, 3), "10.0");
  EXPECT_EQ(Optimal_S_N(1000.0, 6), "1000.0");
  EXPECT_EQ(Optimal_S_N(5.0, 1), "5");
  EXPECT_THROW(Optimal_S_N(0.5, 0), ERangeError);
  EXPECT_EQ(Optimal_S_N(5.0, 0), "5");
}

TEST(LumherkConversions, ValNumberReadsDecimalIntegersOrGivesZero) {
  EXPECT_EQ(Str_Number(-12), "-12");
  EXPECT_EQ(Str_Number(std::numeric_limits<Integer>::min()), "-2147483648");
  const std::pair<const char*, Integer> cases[] = {
      {"42", 42},
      {"-17", -17},
      {"+5", 5},
      {"  7", 7},
      {"2147483647", 2147483647},
      {"-2147483648", std::numeric_limits<Integer>::min()},
      {"2147483648", 0},
      {"99999999999999999999", 0},
      {"12a", 0},
      {"", 0},
      {"-", 0},
      {"1.5", 0},
      {"7 ", 0},
      {"+-1", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(Val_Number(text), value) << text;
}

TEST(LumherkConversions, VNReadsNumberTextsOrGivesZero) {
  const std::pair<const char*, double> cases[] = {
      {"1.5", 1.5}, {"-2.25e2", -225.0}, {"3E-2", 0.03}, {".5", 0.5},   {"5.", 5.0},
      {" +7", 7.0}, {"1e", 0.0},         {"e5", 0.0},    {".", 0.0},    {"1,5", 0.0},
      {"abc", 0.0}, {"", 0.0},           {"inf", 0.0},   {"0x10", 0.0}, {"1e999", 0.0},
  };
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(V_N(text), value) << text;
}

// Rounded once, from the whole decimal text to the nearest double.
TEST(LumherkConversions, VNRoundsTheLastDigitCorrectly) {
  EXPECT_EQ(V_N("1.7976931348623158e308"), std::numeric_limits<double>::max());
  EXPECT_EQ(V_N("1.00000000000000011102230246251566"), 1.0000000000000002);
  EXPECT_EQ(V_N("1.00000000000000011102230246251565"), 1.0);
  EXPECT_EQ(V_N("-2.2250738585072011e-308"), -2.2250738585072011e-308);
  EXPECT_EQ(V_N("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(V_N("0.1"), 0.1);
  EXPECT_EQ(V_N("+9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(V_N("1.7976931348623159e308"), 0.0); // beyond the largest double
  EXPECT_EQ(V_N("1e-400"), 0.0);
}

TEST(LumherkConversions, VNIgnoresTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const String saved = previous ? previous : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no German locale";
  EXPECT_DOUBLE_EQ(V_N("1.25"), 1.25);
  EXPECT_EQ(S_N(1.25, 1, 2), "1.25");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(LumherkConversions, ScientificAndFixedTextsRoundTrip) {
  for (double x : {0.1, -123.456, 6.02214076e23, 1.0 / 3.0, -4.9e-300, 1.7976931348623157e308}) {
    EXPECT_EQ(V_N(NoBlank(S_N(x, 100, 100))), x) << x;
    EXPECT_DOUBLE_EQ(V_N(S_N(x, 1, 20)), std::stod(S_N(x, 1, 20))) << x;
  }
  EXPECT_EQ(V_N(S_N(2.5, 1, 4)), 2.5);
}

TEST(LumherkCase, OnlyAsciiLettersChange) {
  EXPECT_EQ(Kleingeschrieben("AbZ-Ä@["), "abz-Ä@[");
  EXPECT_EQ(Grossgeschrieben("azä{`"), "AZä{`");
}

TEST(LumherkBits, SetClearInvertAndTest) {
  Word w = 0;
  SetBit(w, 3);
  EXPECT_EQ(w, 8);
  InvertBit(w, 3);
  EXPECT_EQ(w, 0);
  EXPECT_TRUE(TstBit(5, 2));
  EXPECT_FALSE(TstBit(5, 1));
  SetBit(w, 15);
  EXPECT_EQ(w, 0x8000);
  ClrBit(w, 15);
  EXPECT_EQ(w, 0);
}

TEST(LumherkBits, BitsBeyondTheWordAreRejectedAndLeaveItUnchanged) {
  for (Byte bit : {Byte{16}, Byte{31}, Byte{32}, Byte{255}}) {
    Word w = 0x1234;
    EXPECT_THROW(SetBit(w, bit), ERangeError);
    EXPECT_THROW(InvertBit(w, bit), ERangeError);
    ClrBit(w, bit);
    EXPECT_EQ(w, 0x1234);
    EXPECT_FALSE(TstBit(0xFFFF, bit));
  }
}

TEST(LumherkClock, ZeitErmittelnGivesTheSystemDateAndTimeTexts) {
  const String before = DateToStr(Now());
  String date, time;
  Zeit_ermitteln(date, time);
  const String after = DateToStr(Now());
  EXPECT_TRUE(date == before || date == after) << date;
  EXPECT_NE(time.find(FormatSettings().TimeSeparator), String::npos) << time;
}
