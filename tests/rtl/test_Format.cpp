#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FormatIntegers, WidthPrecisionAndAlignment) {
  EXPECT_EQ(Format("[%d]", {42}), "[42]");
  EXPECT_EQ(Format("[%5d]", {42}), "[   42]");
  EXPECT_EQ(Format("[%-5d]", {42}), "[42   ]");
  EXPECT_EQ(Format("[%.4d]", {-42}), "[-0042]");
  EXPECT_EQ(Format("[%6.3d]", {7}), "[   007]");
  EXPECT_EQ(Format("%d", {std::numeric_limits<Int64>::min()}), "-9223372036854775808");
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
  EXPECT_EQ(Format("%u", {-5000000000LL}), "18446744068709551616");
  EXPECT_EQ(Format("%x %.4X", {255, 10}), "FF 000A");
  EXPECT_EQ(Format("%x", {-1}), "FFFFFFFF");
  EXPECT_EQ(Format("%x", {0x123456789LL}), "123456789");
}

TEST(FormatStrings, StringsCharsAndPercent) {
  EXPECT_EQ(Format("%s and %s", {"this", String("that")}), "this and that");
  EXPECT_EQ(Format("%s%s", {'a', 'b'}), "ab");
  EXPECT_EQ(Format("[%.3s|%-6s|%6s]", {"abcdef", "ab", "ab"}), "[abc|ab    |    ab]");
  EXPECT_EQ(Format("%.2s", {"äb"}), "ä");
  EXPECT_EQ(Format("%.1s", {"äb"}), "");
  EXPECT_EQ(Format("100%% %s", {"sure"}), "100% sure");
  EXPECT_EQ(Format("no args", {}), "no args");
}

TEST(FormatArguments, IndexAndStarTakeArguments) {
  EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b");
  EXPECT_EQ(Format("%s %0:s %s", {"a", "b"}), "a a b");
  EXPECT_EQ(Format("[%*d]", {4, 7}), "[   7]");
  EXPECT_EQ(Format("[%-*.*f]", {8, 1, 2.25}), "[2.3     ]");
  EXPECT_EQ(Format("[%*d]", {-4, 7}), "[7   ]");
  EXPECT_EQ(Format("%*:s", {2, "x", "y"}), "y");
}

TEST(FormatFloats, FixedNumberMoneyExponentGeneral) {
  struct Case {
    const char* format;
    Extended value;
    const char* text;
  };
  for (const Case& c :
       {Case{"%f", 3.14159L, "3.14"}, Case{"%.0f", 2.5L, "3"}, Case{"%.0f", -2.5L, "-3"},
        Case{"%.3f", -0.0001L, "0.000"}, Case{"%8.1f", 9.96L, "    10.0"},
        Case{"%n", 1234567.891L, "1,234,567.89"}, Case{"%.0n", -999.5L, "-1,000"},
        Case{"%m", 1234.5L, "$1,234.50"}, Case{"%m", -1234.5L, "($1,234.50)"},
        Case{"%.0m", 5.0L, "$5"}, Case{"%e", 100.0L, "1.00000000000000E+002"},
        Case{"%.3e", -0.00012345L, "-1.23E-004"}, Case{"%.2e", 0.0L, "0.0E+000"},
        Case{"%g", 0.1L, "0.1"}, Case{"%g", 100.0L, "100"}, Case{"%g", 1e20L, "1E020"},
        Case{"%g", 1.5e-7L, "1.5E-007"}, Case{"%.3g", 1234.0L, "1.23E003"},
        Case{"%f", 1e300L, "1E300"}}) {
    EXPECT_EQ(Format(c.format, {c.value}), c.text) << c.format;
  }
  EXPECT_EQ(Format("%.2f", {0.125}), "0.13");
  EXPECT_EQ(Format("%f|%e", {std::nan(""), -std::numeric_limits<double>::infinity()}), "NAN|-INF");
}

TEST(FormatErrors, MismatchesAndMissingArgumentsRaise) {
  struct Case {
    const char* format;
    std::initializer_list<TVarRec> args;
  };
  for (const Case& c :
       {Case{"%d", {1.5}}, Case{"%f", {1}}, Case{"%s", {1}}, Case{"%d", {"1"}}, Case{"%p", {1}},
        Case{"%x", {'a'}}, Case{"%", {1}}, Case{"%5", {1}}, Case{"%q", {1}}, Case{"%*d", {"4", 1}},
        Case{"%99999999d", {1}}, Case{"%5-d", {1}}}) {
    try {
      Format(c.format, c.args);
      ADD_FAILURE() << c.format << " did not raise";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(),
                "Format '" + String(c.format) + "' invalid or incompatible with argument");
    }
  }
  for (const char* format : {"%d %d", "%1:d", "%*d"}) {
    ExpectError<EConvertError>([&] { Format(format, {1}); },
                               "No argument for format '" + String(format) + "'");
  }
}

TEST(FormatPointers, SixteenHexDigits) {
  int object = 0;
  const String text = Format("%p", {static_cast<const void*>(&object)});
  EXPECT_EQ(text.size(), 2 * sizeof(void*));
  EXPECT_EQ(std::stoull(text, nullptr, 16), reinterpret_cast<std::uintptr_t>(&object));
  EXPECT_EQ(Format("%p", {static_cast<const void*>(nullptr)}), String(2 * sizeof(void*), '0'));
}
