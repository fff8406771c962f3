#include "framework/rtl/FormatFloat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Case {
  const char* format;
  Extended value;
  const char* text;
};

void ExpectAll(std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(FormatFloat(c.format, c.value), c.text)
        << "FormatFloat(\"" << c.format << "\", " << static_cast<double>(c.value) << ")";
  }
}

} // namespace

TEST(FormatFloatPlaceholders, ZerosAndHashes) {
  ExpectAll({{"0", 2.5L, "3"},
             {"0", -2.5L, "-3"},
             {"0", 0.4L, "0"},
             {"0.00", 1.005, "1.00"},
             {"0.00", 1.235L, "1.24"},
             {"000.0", 1.25L, "001.3"},
             {"#.##", 1.0L, "1"},
             {"#.##", 0.5L, ".5"},
             {"#.##", 0.0L, ""},
             {"0.0#", 1.5L, "1.5"},
             {"0.0#", 1.256L, "1.26"},
             {".00", 12.5L, "12.50"},
             {"#0.0", 0.04L, "0.0"},
             {"0.00", 99.995L, "100.00"}});
}

TEST(FormatFloatPlaceholders, ThousandsAndLiterals) {
  ExpectAll({{"#,##0.00", 1234567.891L, "1,234,567.89"},
             {"#,##0", 999.0L, "999"},
             {"#,##0", -1000.0L, "-1,000"},
             {"0,", 12345.0L, "12,345"},
             {"00-00", 1234.0L, "12-34"},
             {"0 'units'", 3.0L, "3 units"},
             {"\"#0\" 0", 7.0L, "#0 7"},
             {"$0.00", 2.0L, "$2.00"},
             {"0 'open", 1.0L, "1 open"}});
}

TEST(FormatFloatScientific, ExponentForms) {
  ExpectAll({{"0.00E+00", 1234.5L, "1.23E+03"},
             {"0.00E-00", 1234.5L, "1.23E03"},
             {"0.00e-00", 0.0012345L, "1.23e-03"},
             {"00.0E+0", 1234.5L, "12.3E+2"},
             {"0.###E+0000", 1.5e100L, "1.5E+0100"},
             {"0.00E+00", 0.0L, "0.00E+00"},
             {"0.0E+00", -9.96L, "-1.0E+01"},
             {"0E+", 12.0L, "1E+1"}});
}

TEST(FormatFloatSections, NegativeAndZeroSections) {
  ExpectAll({{"0.00;(0.00)", -1.5L, "(1.50)"},
             {"0.00;(0.00)", 1.5L, "1.50"},
             {"0.00;;'zero'", -1.5L, "-1.50"},
             {"0.00;;'zero'", 0.0L, "zero"},
             {"0.00;(0.00);'zero'", 0.001L, "zero"},
             {"0.00;(0.00);'zero'", -0.001L, "zero"},
             {"0.00;(0.00)", -0.001L, "0.00"},
             {"0.0;'neg;'", -1.0L, "neg;"}});
}

TEST(FormatFloatSpecialValues, GeneralFormLargeAndNonFinite) {
  ExpectAll({{"", 0.1L, "0.1"}, {"", 1e20L, "1E20"}, {"", -1.5e-7L, "-1.5E-7"}});
  const String big = FormatFloat("0", 1e300L);
  EXPECT_EQ(big, "1" + String(300, '0'));
  EXPECT_EQ(FormatFloat("#,##0", 1e20L), "100,000,000,000,000,000,000");
  EXPECT_EQ(FormatFloat("0.000000000000000000", 0.1), "0.100000000000000000");
  EXPECT_EQ(FormatFloat("0", std::numeric_limits<Extended>::max()).size(), 4933u);
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<Extended>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<Extended>::infinity()), "INF");
  EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<Extended>::infinity()), "-INF");
  EXPECT_EQ(FormatFloat("0.00", std::numeric_limits<Extended>::denorm_min()), "0.00");
}

TEST(FormatFloatDecimal, RoundsHalfAwayFromZeroOnTheExactValue) {
  const TFloatRec tie = FloatToDecimal(-0.125L, 18, 2);
  EXPECT_TRUE(tie.Negative);
  EXPECT_EQ(tie.Digits, "13");
  EXPECT_EQ(tie.Exponent, 0);
  const TFloatRec carry = FloatToDecimal(9.9999L, 3, 9999);
  EXPECT_EQ(carry.Digits, "1");
  EXPECT_EQ(carry.Exponent, 2);
  EXPECT_TRUE(FloatToDecimal(0.004L, 18, 2).Digits.empty());
  EXPECT_EQ(FloatToDecimal(0.1L, 18, 9999).Digits, "1");
  EXPECT_EQ(FloatToDecimal(0.1, 18, 9999).Digits, "100000000000000006");
  EXPECT_EQ(FloatToDecimal(1234.5L, 18, -2).Digits, "12");
}
