#include "framework/classes/Persistent.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

namespace gauge {
LUM_ENUM(TZeigerform, zfNadel, zfDreieck, zfBalken);
LUM_ENUM(TFontStyle, fsBold, fsItalic, fsUnderline, fsStrikeOut);
using TFontStyles = TSet<TFontStyle>;
} // namespace gauge

namespace other {
LUM_ENUM(TZeigerform, zfKreis, zfStrich);
}

namespace {

using namespace gauge;
using TNotifyEvent = std::function<void(TObject*)>;

class TSample : public TPersistent {
  LUM_CLASS(TSample, TPersistent)
public:
  LUM_PUBLISHED(Integer, Interval, FIntervall, SetIntervall, Default(10))
  LUM_PUBLISHED(String, Caption, FCaption, SetCaption, NoDefault)
  LUM_PUBLISHED(Byte, Level, FLevel, Field, Default(0))
  LUM_PUBLISHED(bool, Visible, FVisible, Field, Default(true))
  LUM_PUBLISHED(TZeigerform, Zeigerform, FZeigerform, Field, Default(zfNadel))
  LUM_PUBLISHED(TFontStyles, Style, FStyle, Field, Default(TFontStyles{}))
  LUM_PUBLISHED(double, Factor, FFactor, Field, NoDefault)
  LUM_PUBLISHED(String, Hint, FHint, Field, NoDefault, Stored(HintStored))
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(char, Marker, FMarker, Field, Default('x'))
  LUM_PUBLISHED(Int64, Big, FBig, Field, Default(0))

  void SetCaption(const String& AValue) {
    ++CaptionSets;
    FCaption = AValue;
  }
  bool HintStored() const { return FHint != "-"; }
  int IntervalSets = 0;
  int CaptionSets = 0;

  void Changed(TObject*) { ++Changes; }
  void Other(TObject*, int) {}
  int Changes = 0;
  LUM_PUBLISHED_METHOD(Changed)
  LUM_PUBLISHED_METHOD(Other)

private:
  void SetIntervall(Integer AValue) {
    ++IntervalSets;
    FIntervall = AValue;
  }
  Integer FIntervall = 10;
  String FCaption;
  Byte FLevel = 0;
  bool FVisible = true;
  TZeigerform FZeigerform = zfNadel;
  TFontStyles FStyle;
  double FFactor = 0;
  String FHint;
  TNotifyEvent FOnChange;
  char FMarker = 'x';
  Int64 FBig = 0;
};

class TDerived : public TSample {
  LUM_CLASS(TDerived, TSample)
public:
  LUM_PUBLISHED(String, Extra, FExtra, Field, NoDefault)

private:
  String FExtra;
};

// Redeclares Interval with another default, as a descendant publishing a property anew does.
class TRedeclared : public TSample {
  LUM_CLASS(TRedeclared, TSample)
public:
  LUM_PUBLISHED(Integer, Interval, FOwnInterval, Field, Default(20))

private:
  Integer FOwnInterval = 20;
};

std::vector<String> Names(const TPropList& AList) {
  std::vector<String> names;
  for (const TPropInfo* p : AList) names.push_back(p->Name);
  return names;
}

} // namespace

TEST(TypeInfoProperties, ListedInDeclarationOrderInheritedFirst) {
  TDerived d;
  EXPECT_EQ(Names(GetPropList(&d, tkAny)),
            (std::vector<String>{"Interval", "Caption", "Level", "Visible", "Zeigerform", "Style",
                                 "Factor", "Hint", "OnChange", "Marker", "Big", "Extra"}));
  EXPECT_EQ(Names(GetPropList(&d, TTypeKinds{tkString, tkLString})),
            (std::vector<String>{"Caption", "Hint", "Extra"}));
  EXPECT_EQ(Names(GetPropList(&d, tkMethods)), std::vector<String>{"OnChange"});
  EXPECT_EQ(GetPropList(&d).size(), 11u);
}

TEST(TypeInfoProperties, RedeclaredPropertyTakesTheInheritedPlace) {
  TRedeclared r;
  const TPropList props = GetPropList(&r, tkAny);
  EXPECT_EQ(Names(props).size(), 11u);
  EXPECT_EQ(Names(props)[0], "Interval");
  EXPECT_EQ(props[0]->Default, 20);
  SetOrdProp(&r, "Interval", 7);
  EXPECT_EQ(r.Interval(), 7);
  EXPECT_EQ(r.TSample::Interval(), 10) << "the redeclared property is the one found";
  EXPECT_EQ(r.IntervalSets, 0);
}

TEST(TypeInfoProperties, KindsSizesAndRanges) {
  const TClass c = TSample::StaticClass();
  const auto kindOf = [&](const char* n) { return GetPropInfo(c, n)->PropType->Kind; };
  EXPECT_EQ(kindOf("Interval"), tkInteger);
  EXPECT_EQ(kindOf("Caption"), tkLString);
  EXPECT_EQ(kindOf("Visible"), tkEnumeration);
  EXPECT_EQ(kindOf("Zeigerform"), tkEnumeration);
  EXPECT_EQ(kindOf("Style"), tkSet);
  EXPECT_EQ(kindOf("Factor"), tkFloat);
  EXPECT_EQ(kindOf("OnChange"), tkMethod);
  EXPECT_EQ(kindOf("Marker"), tkChar);
  EXPECT_EQ(kindOf("Big"), tkInt64);
  const TTypeInfo* level = GetPropInfo(c, "Level")->PropType;
  EXPECT_EQ(level->OrdSize(), 1);
  EXPECT_EQ(level->MaxValue, 255);
  EXPECT_EQ(GetPropInfo(c, "Interval")->PropType->OrdSize(), 4);
  EXPECT_EQ(GetPropInfo(c, "Interval")->PropType->MinValue, INT32_MIN);
  EXPECT_EQ(GetPropInfo(c, "Style")->PropType->CompType->Name, "TFontStyle");
  EXPECT_EQ(GetPropInfo(c, "Visible")->PropType->EnumNames, (std::vector<String>{"False", "True"}));
  EXPECT_EQ(GetPropInfo(c, "Interval")->Default, 10);
  EXPECT_FALSE(GetPropInfo(c, "Caption")->HasDefault);
}

TEST(TypeInfoProperties, LookupIgnoresCaseAndAnswersNullWhenAbsent) {
  TSample s;
  EXPECT_EQ(GetPropInfo(&s, "iNTERVAL"), GetPropInfo(&s, "Interval"));
  EXPECT_EQ(GetPropInfo(&s, "Nope"), nullptr);
  EXPECT_EQ(GetPropInfo(&s, "Caption", tkMethods), nullptr);
  EXPECT_TRUE(IsPublishedProp(&s, "caption"));
  EXPECT_FALSE(IsPublishedProp(TSample::StaticClass(), "Extra"));
  EXPECT_TRUE(IsPublishedProp(TDerived::StaticClass(), "Extra"));
}

TEST(TypeInfoAccess, SettersRunThroughTheClassSetter) {
  TSample s;
  SetOrdProp(&s, "Interval", 25);
  EXPECT_EQ(s.Interval(), 25);
  EXPECT_EQ(s.IntervalSets, 1);
  s.SetInterval(30);
  EXPECT_EQ(s.IntervalSets, 2);
  SetStrProp(&s, "Caption", "Tacho");
  s.SetCaption("Gauge");
  EXPECT_EQ(s.CaptionSets, 2);
  EXPECT_EQ(GetStrProp(&s, "Caption"), "Gauge");
  SetFloatProp(&s, "Factor", 2.5);
  EXPECT_DOUBLE_EQ(s.Factor(), 2.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(GetFloatProp(&s, "Factor")), 2.5);
  SetOrdProp(&s, "Big", INT64_MIN);
  EXPECT_EQ(s.Big(), INT64_MIN);
}

TEST(TypeInfoAccess, EnumerationsAndSetsByName) {
  TSample s;
  SetEnumProp(&s, "Zeigerform", "ZFBALKEN");
  EXPECT_EQ(s.Zeigerform(), zfBalken);
  EXPECT_EQ(GetEnumProp(&s, "Zeigerform"), "zfBalken");
  SetEnumProp(&s, "Visible", "False");
  EXPECT_FALSE(s.Visible());
  SetSetProp(&s, "Style", "[fsItalic, fsStrikeOut]");
  EXPECT_EQ(s.Style(), (TFontStyles{fsItalic, fsStrikeOut}));
  EXPECT_EQ(GetSetProp(&s, "Style"), "fsItalic,fsStrikeOut");
  EXPECT_EQ(GetSetProp(&s, "Style", true), "[fsItalic,fsStrikeOut]");
  SetSetProp(&s, "Style", "");
  EXPECT_TRUE(s.Style().Empty());
  EXPECT_THROW(SetEnumProp(&s, "Zeigerform", "zfKreis"), EPropertyConvertError);
  EXPECT_THROW(SetSetProp(&s, "Style", "[fsBold, fsWide]"), EPropertyConvertError);
  const TTypeInfo* zf = LumTypeInfo(static_cast<TZeigerform*>(nullptr));
  EXPECT_EQ(GetEnumName(zf, 1), "zfDreieck");
  EXPECT_EQ(GetEnumName(zf, 3), "");
  EXPECT_EQ(GetEnumValue(zf, "zfdreieck"), 1);
  EXPECT_EQ(GetEnumValue(zf, "zfKreis"), -1);
  const TTypeInfo* otherZf = LumTypeInfo(static_cast<other::TZeigerform*>(nullptr));
  EXPECT_EQ(otherZf->EnumNames, (std::vector<String>{"zfKreis", "zfStrich"}));
}

TEST(TypeInfoAccess, OutOfRangeAndWrongKindAreRefused) {
  TSample s;
  ExpectError<ERangeError>([&] { SetOrdProp(&s, "Level", 300); },
                           "Value 300 out of range for property Level (0..255)");
  EXPECT_EQ(s.Level(), 0);
  EXPECT_THROW(SetOrdProp(&s, "Zeigerform", 3), ERangeError);
  EXPECT_THROW(SetOrdProp(&s, "Style", 16), ERangeError);
  EXPECT_THROW(GetStrProp(&s, "Interval"), EPropertyError);
  ExpectError<EPropertyError>([&] { GetOrdProp(&s, "Missing"); },
                              "Property Missing does not exist");
}

TEST(TypeInfoAccess, StoredPredicateAndDefaults) {
  TSample s;
  const TPropInfo* hint = GetPropInfo(&s, "Hint");
  EXPECT_TRUE(IsStoredProp(&s, hint));
  s.SetHint("-");
  EXPECT_FALSE(IsStoredProp(&s, hint));
  EXPECT_TRUE(IsDefaultPropValue(&s, GetPropInfo(&s, "Interval")));
  s.SetInterval(11);
  EXPECT_FALSE(IsDefaultPropValue(&s, GetPropInfo(&s, "Interval")));
  EXPECT_TRUE(IsDefaultPropValue(&s, GetPropInfo(&s, "Marker")));
  EXPECT_TRUE(IsDefaultPropValue(&s, GetPropInfo(&s, "Factor")));
  s.SetFactor(0.5);
  EXPECT_FALSE(IsDefaultPropValue(&s, GetPropInfo(&s, "Factor")));
}

TEST(TypeInfoMethods, HandlersBindByNameAndKeepTheName) {
  TSample handlerOwner;
  TSample s;
  SetMethodProp(&s, "OnChange", TMethod{&handlerOwner, "changed"});
  ASSERT_TRUE(s.OnChange());
  s.OnChange()(&s);
  EXPECT_EQ(handlerOwner.Changes, 1);
  const TMethod m = GetMethodProp(&s, "OnChange");
  EXPECT_EQ(m.Data, &handlerOwner);
  EXPECT_EQ(m.Name, "Changed");
  EXPECT_THROW(SetMethodProp(&s, "OnChange", TMethod{&handlerOwner, "Other"}),
               EPropertyConvertError);
  EXPECT_THROW(SetMethodProp(&s, "OnChange", TMethod{&handlerOwner, "Missing"}),
               EPropertyConvertError);
  SetMethodProp(&s, "OnChange", TMethod{});
  EXPECT_FALSE(s.OnChange());
  s.SetOnChange([](TObject*) {});
  EXPECT_FALSE(GetMethodProp(&s, "OnChange").Assigned());
}

namespace {

class TNarrow : public TPersistent {
  LUM_CLASS(TNarrow, TPersistent)
public:
  LUM_PUBLISHED(float, Ratio, FRatio, Field, NoDefault)
  LUM_PUBLISHED(char, Letter, FLetter, Field, Default('a'))

private:
  float FRatio = 0;
  char FLetter = 'a';
};

} // namespace

TEST(TypeInfoAccess, NarrowTypesKeepTheirRange) {
  TNarrow n;
  EXPECT_EQ(GetPropInfo(&n, "Ratio")->PropType->FloatType, ftSingle);
  SetFloatProp(&n, "Ratio", 1e30);
  EXPECT_FLOAT_EQ(n.Ratio(), 1e30f);
  EXPECT_THROW(SetFloatProp(&n, "Ratio", 1e300), ERangeError);
  EXPECT_FLOAT_EQ(n.Ratio(), 1e30f);
  n.SetLetter('\xE9');
  EXPECT_EQ(GetOrdProp(&n, "Letter"), 0xE9);
  SetOrdProp(&n, "Letter", GetOrdProp(&n, "Letter"));
  EXPECT_EQ(n.Letter(), '\xE9');
  EXPECT_THROW(SetOrdProp(&n, "Letter", 256), ERangeError);
}
