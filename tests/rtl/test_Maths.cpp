#include "framework/rtl/Checked.h"
#include "framework/rtl/Maths.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(MathsRounding, RoundHalvesToEvenTruncTowardsZero) {
  EXPECT_EQ(Round(2.5L), 2);
  EXPECT_EQ(Round(3.5L), 4);
  EXPECT_EQ(Round(-2.5L), -2);
  EXPECT_EQ(Round(-2.6L), -3);
  EXPECT_EQ(Trunc(-2.9L), -2);
  EXPECT_EQ(Trunc(2.9L), 2);
  EXPECT_DOUBLE_EQ(static_cast<double>(Frac(-2.25L)), -0.25);
  EXPECT_THROW(Round(1e19L), ERangeError);
  EXPECT_THROW(Trunc(-1e30L), ERangeError);
  EXPECT_THROW(Round(std::numeric_limits<Extended>::quiet_NaN()), EInvalidOp);
  EXPECT_EQ(Trunc(-9223372036854775808.0L), std::numeric_limits<Int64>::min());
}

TEST(MathsFunctions, InvalidArgumentsRaiseTheFrameworksErrors) {
  EXPECT_DOUBLE_EQ(static_cast<double>(Power(2, 10)), 1024.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Power(-2, 3)), -8.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(Power(0, 0)), 1.0);
  EXPECT_THROW(Power(-8, 1.0L / 3), EInvalidOp);
  EXPECT_THROW(Power(0, -1), EZeroDivide);
  EXPECT_THROW(Power(10, 100000), EOverflow);
  EXPECT_DOUBLE_EQ(static_cast<double>(Log10(1000)), 3.0);
  EXPECT_THROW(Log10(0), EZeroDivide);
  EXPECT_THROW(Log10(-1), EInvalidOp);
  EXPECT_THROW(ArcSin(1.5L), EInvalidOp);
  EXPECT_THROW(ArcCosh(0.5L), EInvalidOp);
  EXPECT_THROW(ArcTanh(1), EZeroDivide);
  EXPECT_THROW(Sqrt(-1), EInvalidOp);
  EXPECT_NEAR(static_cast<double>(ArcSinh(Sinh(0.7L))), 0.7, 1e-15);
  EXPECT_NEAR(static_cast<double>(ArcCos(Cos(1.2L))), 1.2, 1e-15);
  EXPECT_NEAR(static_cast<double>(RadToDeg(DegToRad(30))), 30.0, 1e-12);
}

TEST(MathsRandom, SeededSequenceRepeatsAndStaysInRange) {
  RandSeed = 42;
  const Integer first = Random(1000);
  const Extended second = Random();
  RandSeed = 42;
  EXPECT_EQ(Random(1000), first);
  EXPECT_EQ(Random(), second);
  int buckets[10] = {};
  for (int i = 0; i < 10000; ++i) {
    const Integer r = Random(10);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 10);
    ++buckets[r];
  }
  for (int count : buckets) EXPECT_GT(count, 800);
  EXPECT_EQ(Random(0), 0);
}

TEST(CheckedArithmetic, OverflowAndNarrowingRaise) {
  EXPECT_EQ(RangeChecked<Byte>(255), 255);
  EXPECT_THROW(RangeChecked<Byte>(256), ERangeError);
  EXPECT_THROW(RangeChecked<Word>(-1), ERangeError);
  EXPECT_EQ(CheckedAdd<Integer>(2147483646, 1), 2147483647);
  EXPECT_THROW(CheckedAdd<Integer>(2147483647, 1), EIntOverflow);
  EXPECT_THROW(CheckedSub<Integer>(std::numeric_limits<Integer>::min(), 1), EIntOverflow);
  EXPECT_THROW(CheckedMul<Integer>(65536, 65536), EIntOverflow);
  EXPECT_THROW(CheckedDiv<Integer>(1, 0), EDivByZero);
  EXPECT_THROW(CheckedDiv<Integer>(std::numeric_limits<Integer>::min(), -1), EIntOverflow);
  EXPECT_EQ(CheckedMod<Integer>(std::numeric_limits<Integer>::min(), -1), 0);
  EXPECT_THROW(RangeChecked<Integer>(11, 0, 10), ERangeError);
  ExpectError<EIntOverflow>([] { CheckedAdd<Integer>(2147483647, 1); }, "Integer overflow");
  EXPECT_STREQ(EIntOverflow("").ClassName(), "EIntOverflow");
}

TEST(MathsArithmetic, CheckedStepsRaiseTheProcessorsErrors) {
  constexpr Extended huge = std::numeric_limits<Extended>::max();
  constexpr Extended tiny = std::numeric_limits<Extended>::min();
  constexpr Extended inf = std::numeric_limits<Extended>::infinity();
  constexpr Extended nan = std::numeric_limits<Extended>::quiet_NaN();
  EXPECT_DOUBLE_EQ(static_cast<double>(FloatAdd(0.1L, 0.2L)), 0.3);
  EXPECT_DOUBLE_EQ(static_cast<double>(FloatSub(1, 3)), -2.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(FloatMul(-4, 2.5L)), -10.0);
  EXPECT_DOUBLE_EQ(static_cast<double>(FloatDiv(1, 8)), 0.125);
  EXPECT_EQ(FloatSub(5, 5), 0); // an exact zero is no underflow
  EXPECT_EQ(FloatMul(0, 7), 0);
  EXPECT_EQ(FloatDiv(0, 7), 0);

  EXPECT_THROW(FloatDiv(1, 0), EZeroDivide);
  EXPECT_THROW(FloatDiv(-1, 0), EZeroDivide);
  EXPECT_THROW(FloatDiv(0, 0), EInvalidOp);
  EXPECT_THROW(FloatAdd(huge, huge), EOverflow);
  EXPECT_THROW(FloatSub(-huge, huge), EOverflow);
  EXPECT_THROW(FloatMul(huge, 2), EOverflow);
  EXPECT_THROW(FloatDiv(huge, 0.5L), EOverflow);
  EXPECT_THROW(FloatMul(tiny, tiny), EUnderflow);
  EXPECT_THROW(FloatDiv(tiny, 1e10L), EUnderflow);
  EXPECT_THROW(FloatSub(tiny * 1.5L, tiny), EUnderflow); // a denormal difference
  EXPECT_THROW(FloatAdd(inf, -inf), EInvalidOp);
  EXPECT_THROW(FloatMul(0, inf), EInvalidOp);
  EXPECT_THROW(FloatAdd(nan, 1), EInvalidOp);
  ExpectError<EZeroDivide>([] { FloatDiv(2, 0); }, "Floating point division by zero");
}
