#include "framework/rtl/Variant.h"

#include "framework/rtl/DateTime.h"
#include "framework/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

template <class E> String ErrorOf(const auto& AAction) {
  try {
    AAction();
  } catch (const E& e) {
    return e.Message();
  }
  return "no error";
}

String CastError(const Variant& AValue, TVarType AType) {
  return ErrorOf<EVariantTypeCastError>([&] { VarAsType(AValue, AType); });
}

String OverflowError(const Variant& AValue, TVarType AType) {
  return ErrorOf<EVariantOverflowError>([&] { VarAsType(AValue, AType); });
}

// English date and time texts while a test runs.
class EnglishSettings {
public:
  EnglishSettings() : FSaved(FormatSettings()) { FormatSettings() = TFormatSettings::English(); }
  ~EnglishSettings() { FormatSettings() = FSaved; }
  EnglishSettings(const EnglishSettings&) = delete;
  EnglishSettings& operator=(const EnglishSettings&) = delete;

private:
  TFormatSettings FSaved;
};

} // namespace

TEST(Variant, EachConstructionHasItsTypeCode) {
  EXPECT_EQ(VarType(Variant()), varEmpty);
  EXPECT_EQ(VarType(Unassigned()), varEmpty);
  EXPECT_EQ(VarType(Null()), varNull);
  EXPECT_EQ(VarType(Variant(SmallInt{-3})), varSmallint);
  EXPECT_EQ(VarType(Variant(70000)), varInteger);
  EXPECT_EQ(VarType(Variant(Byte{200})), varByte);
  EXPECT_EQ(VarType(Variant(Int64{1} << 40)), varInt64);
  EXPECT_EQ(VarType(Variant(2.5f)), varSingle);
  EXPECT_EQ(VarType(Variant(2.5)), varDouble);
  EXPECT_EQ(VarType(VarFromDateTime(46363.5)), varDate);
  EXPECT_EQ(VarType(Variant(Currency{25000})), varCurrency);
  EXPECT_EQ(VarType(Variant(true)), varBoolean);
  EXPECT_EQ(VarType(Variant(String("x"))), varString);
  EXPECT_EQ(VarType(Variant("x")), varString);
  EXPECT_EQ(Variant(static_cast<const char*>(nullptr)), Variant(""));

  EXPECT_TRUE(VarIsEmpty(Variant()) && VarIsNull(Null()));
  EXPECT_FALSE(VarIsEmpty(Null()) || VarIsEmpty(Variant("")) || VarIsNull(Variant(0)));
  EXPECT_EQ(VarTypeAsText(varSmallint), "Smallint");
  EXPECT_EQ(VarTypeAsText(0x00FF), "$00FF");
}

TEST(Variant, FloatsBecomeIntegersRoundingHalvesToEven) {
  EXPECT_EQ(Variant(2.5).AsInteger(), 2);
  EXPECT_EQ(Variant(3.5).AsInteger(), 4);
  EXPECT_EQ(Variant(-2.5).AsInteger(), -2);
  EXPECT_EQ(Variant(1.5f).AsInteger(), 2);
  EXPECT_EQ(VarFromDateTime(46363.75).AsInteger(), 46364);
  EXPECT_EQ(Variant(Currency{25000}).AsInteger(), 2);
  EXPECT_EQ(Variant(Currency{35000}).AsInteger(), 4);
  EXPECT_EQ(Variant(Currency{-25000}).AsInteger(), -2);
  EXPECT_EQ(Variant(Currency{25001}).AsInteger(), 3);
  EXPECT_EQ(Variant(Currency{-24999}).AsInteger(), -2);
  EXPECT_EQ(Variant("2.5").AsInteger(), 2);
  EXPECT_EQ(Variant(" 17").AsInteger(), 17);
  EXPECT_EQ(Variant("$FF").AsInteger(), 255);
  EXPECT_EQ(Variant("-9000000000").AsInt64(), -9000000000);
  EXPECT_EQ(Variant(true).AsInteger(), -1);
  EXPECT_EQ(Variant().AsInteger(), 0);
}

TEST(Variant, ResultsThatDoNotFitAreOverflows) {
  EXPECT_EQ(ErrorOf<EVariantOverflowError>([] { Variant(3e9).AsInteger(); }),
            "Overflow while converting variant of type (Double) into type (Integer)");
  EXPECT_EQ(OverflowError(Variant(300), varByte),
            "Overflow while converting variant of type (Integer) into type (Byte)");
  EXPECT_EQ(OverflowError(Variant("40000"), varSmallint),
            "Overflow while converting variant of type (String) into type (Smallint)");
  EXPECT_EQ(OverflowError(Variant(1e40), varSingle),
            "Overflow while converting variant of type (Double) into type (Single)");
  EXPECT_EQ(OverflowError(Variant(std::numeric_limits<double>::quiet_NaN()), varInteger),
            "Overflow while converting variant of type (Double) into type (Integer)");
  EXPECT_EQ(OverflowError(Variant(std::numeric_limits<Int64>::max()), varCurrency),
            "Overflow while converting variant of type (Int64) into type (Currency)");
  EXPECT_EQ(OverflowError(Variant(1e15), varCurrency),
            "Overflow while converting variant of type (Double) into type (Currency)");
  EXPECT_EQ(VarAsType(Variant(255), varByte), Variant(Byte{255}));
  EXPECT_EQ(VarAsType(Variant(-32768.0), varSmallint), Variant(SmallInt{-32768}));
}

TEST(Variant, FailedConversionsNameBothTypes) {
  EXPECT_EQ(ErrorOf<EVariantTypeCastError>([] { Variant("abc").AsDouble(); }),
            "Could not convert variant of type (String) into type (Double)");
  EXPECT_EQ(CastError(Variant("1,5"), varDouble),
            "Could not convert variant of type (String) into type (Double)");
  EXPECT_EQ(CastError(Variant("yes"), varBoolean),
            "Could not convert variant of type (String) into type (Boolean)");
  EXPECT_EQ(CastError(Variant("12/7/2026"), varDate),
            "Could not convert variant of type (String) into type (Date)");
  EXPECT_EQ(CastError(Null(), varInteger),
            "Could not convert variant of type (Null) into type (Integer)");
  EXPECT_EQ(ErrorOf<EVariantError>([] { VarAsType(Variant(1), 0x4000); }), "Invalid variant type");
}

TEST(Variant, TextsUseThePointAndEveryDigitTheValueHas) {
  EXPECT_EQ(Variant(SmallInt{-12}).AsString(), "-12");
  EXPECT_EQ(Variant(Int64{-5000000000}).AsString(), "-5000000000");
  EXPECT_EQ(Variant(2.5).AsString(), "2.5");
  EXPECT_EQ(Variant(1.0 / 3).AsString(), "0.333333333333333");
  EXPECT_EQ(Variant(0.1f).AsString(), "0.1");
  EXPECT_EQ(Variant(Currency{125000}).AsString(), "12.5");
  EXPECT_EQ(Variant(Currency{-1}).AsString(), "-0.0001");
  EXPECT_EQ(Variant(Currency{std::numeric_limits<Int64>::min()}).AsString(),
            "-922337203685477.5808");
  EXPECT_EQ(Variant(true).AsString(), "True");
  EXPECT_EQ(Variant().AsString(), "");
  EXPECT_EQ(VarToStr(Null()), "");
  const EnglishSettings english;
  EXPECT_EQ(VarFromDateTime(EncodeDate(2026, 12, 7) + EncodeTime(14, 30, 0, 0)).AsString(),
            "12/7/2026 2:30:00 PM");
}

TEST(Variant, TextsConvertToNumbersDatesAndBooleans) {
  EXPECT_DOUBLE_EQ(Variant("1.5").AsDouble(), 1.5);
  EXPECT_DOUBLE_EQ(Variant(" -2e3 ").AsDouble(), -2000);
  EXPECT_EQ(Variant("12.3456").AsCurrency(), Currency{123456});
  EXPECT_FLOAT_EQ(Variant("0.25").AsSingle(), 0.25f);
  EXPECT_DOUBLE_EQ(VarToDateTime(Variant("46363.5")), 46363.5);
  EXPECT_TRUE(Variant("true").AsBoolean());
  EXPECT_FALSE(Variant("0").AsBoolean());
  EXPECT_TRUE(Variant("-2").AsBoolean());
  EXPECT_TRUE(Variant(0.25).AsBoolean());
  EXPECT_FALSE(Variant().AsBoolean());
}

TEST(Variant, VarAsTypeGivesTheAskedType) {
  EXPECT_EQ(VarAsType(Variant("12"), varSmallint), Variant(SmallInt{12}));
  EXPECT_EQ(VarAsType(Variant(2.5f), varDouble), Variant(2.5));
  EXPECT_EQ(VarAsType(Variant(2.5), varString), Variant("2.5"));
  EXPECT_EQ(VarAsType(Variant(5), varCurrency), Variant(Currency{50000}));
  EXPECT_EQ(VarAsType(Variant(1.23456), varCurrency), Variant(Currency{12346}));
  EXPECT_EQ(VarAsType(Variant(Currency{15000}), varDouble), Variant(1.5));
  EXPECT_EQ(VarAsType(Variant(true), varInteger), Variant(-1));
  EXPECT_EQ(VarAsType(Variant("46363.5"), varDate), VarFromDateTime(46363.5));
  EXPECT_EQ(VarAsType(Variant(3), varNull), Null());
  EXPECT_EQ(VarAsType(Variant(), varString), Variant(""));
}

TEST(Variant, EqualityNeedsTheSameTypeAndValue) {
  EXPECT_EQ(Variant(5), Variant(5));
  EXPECT_EQ(VarAsType(Variant(7), varOleStr), Variant("7"));
  EXPECT_NE(Variant(5), Variant(SmallInt{5}));
  EXPECT_NE(Variant(2.5), Variant(2.5f));
  EXPECT_NE(Variant(2.0), VarFromDateTime(2.0));
  EXPECT_NE(Variant("1"), Variant(1));
  EXPECT_EQ(Null(), Null());
  EXPECT_NE(Null(), Variant());
}

TEST(Variant, ComparingAcrossTypesGoesByValue) {
  EXPECT_EQ(VarCompareValue(Variant(5), Variant(SmallInt{5})), vrEqual);
  EXPECT_EQ(VarCompareValue(Variant(5), Variant(5.0)), vrEqual);
  EXPECT_EQ(VarCompareValue(Variant(2), Variant(2.5)), vrLessThan);
  EXPECT_EQ(VarCompareValue(Variant(Currency{30000}), Variant(Byte{2})), vrGreaterThan);
  EXPECT_EQ(VarCompareValue(Variant(Int64{1} << 60), Variant((Int64{1} << 60) + 1)), vrLessThan);
  EXPECT_EQ(VarCompareValue(Variant("abc"), Variant("abd")), vrLessThan);
  EXPECT_EQ(VarCompareValue(Variant("10"), Variant(9)), vrGreaterThan);
  EXPECT_EQ(VarCompareValue(Variant(), Variant()), vrEqual);
  EXPECT_EQ(VarCompareValue(Variant(), Null()), vrNotEqual);
  EXPECT_EQ(VarCompareValue(Null(), Variant(0)), vrNotEqual);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(VarCompareValue(Variant(nan), Variant(nan)), vrNotEqual);
  EXPECT_THROW(VarCompareValue(Variant("abc"), Variant(1)), EVariantTypeCastError);
  EXPECT_FALSE(VarSameValue(Variant("abc"), Variant(1)));
  EXPECT_TRUE(VarSameValue(Variant("1.5"), Variant(1.5)));
  EXPECT_TRUE(VarSameValue(Variant(true), Variant(-1)));
}
