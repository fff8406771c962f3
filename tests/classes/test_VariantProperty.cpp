#include "FormTestClasses.h"

#include "framework/classes/FormFile.h"
#include "framework/rtl/Files.h"
#include "tests/TestPaths.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>

using namespace formtest;

namespace {

class VariantPropertyTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

// A form holding one gauge G whose Value is AValue.
struct TValueForm {
  explicit TValueForm(const Variant& AValue) : Form(nullptr), G(new TGauge(&Form)) {
    Form.SetName("Form1");
    G->SetName("G");
    G->SetValue(AValue);
  }
  TTestForm Form;
  TGauge* G;
};

String FormWithValue(const String& AValueText) {
  return "object Form1: TTestForm\n  object G: TGauge\n    Items.Sorted = False\n    Value = " +
         AValueText + "\n  end\nend\n";
}

Variant ReadValue(const String& AValueText) {
  TTestForm form(nullptr);
  ReadFormText(FormWithValue(AValueText), &form);
  return static_cast<TGauge*>(form.FindComponent("G"))->Value();
}

String ReadValueError(const String& AValueText) {
  try {
    ReadValue(AValueText);
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "no error";
}

// The component stream of ARoot gives the same bytes after a trip through the text form.
bool BinarySurvivesText(TComponent& ARoot) {
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&ARoot);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(&binary, &text);
  text.SetPosition(0);
  TMemoryStream again;
  ObjectTextToBinary(&text, &again);
  return again.Bytes() == binary.Bytes();
}

struct TStoredCase {
  Variant Written;
  const char* Text; // as it stands in the form file
  Variant Read;     // what reading the file gives back
};

const TStoredCase StoredCases[] = {
    {Variant(SmallInt{1234}), "1234", Variant(SmallInt{1234})},
    {Variant(SmallInt{-5}), "-5", Variant(SmallInt{-5})},
    {Variant(100000), "100000", Variant(100000)},
    {Variant(5), "5", Variant(Byte{5})},
    {Variant(Byte{200}), "200", Variant(SmallInt{200})},
    {Variant(Int64{-5000000000}), "-5000000000", Variant(Int64{-5000000000})},
    {Variant(2.5f), "2.5s", Variant(2.5f)},
    {Variant(-3e30f), "-3e+30s", Variant(-3e30f)},
    {Variant(0.1), "0.1", Variant(0.1)},
    {Variant(3.0), "3.0", Variant(3.0)},
    {VarFromDateTime(46363.5), "46363.5d", VarFromDateTime(46363.5)},
    {VarFromDateTime(46363.0), "46363d", VarFromDateTime(46363.0)},
    {Variant(Currency{125000}), "125000c", Variant(Currency{125000})},
    {Variant(Currency{std::numeric_limits<Int64>::max()}), "9223372036854775807c",
     Variant(Currency{std::numeric_limits<Int64>::max()})},
    {Variant(true), "True", Variant(true)},
    {Variant("It's"), "'It''s'", Variant("It's")},
    {Null(), "Null", Null()},
};

} // namespace

TEST_F(VariantPropertyTest, TheVariantPropertyIsListedWithItsKind) {
  const TPropList variants = GetPropList(TGauge::StaticClass(), TTypeKinds{tkVariant});
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(variants[0]->Name, "Value");
  EXPECT_EQ(variants[0]->PropType->Kind, tkVariant);
  EXPECT_EQ(variants[0]->PropType->Name, "Variant");
  const TPropList all = GetPropList(TGauge::StaticClass());
  EXPECT_NE(std::find(all.begin(), all.end(), variants[0]), all.end());
}

TEST_F(VariantPropertyTest, VariantAccessorsGoThroughTheSetter) {
  TGauge g(nullptr);
  EXPECT_TRUE(VarIsEmpty(GetVariantProp(&g, "Value")));
  SetVariantProp(&g, "Value", Variant(2.5f));
  EXPECT_EQ(g.Value(), Variant(2.5f));
  EXPECT_EQ(g.ValueSets, 1);
  const TPropInfo* p = GetPropInfo(&g, "Value");
  SetVariantProp(&g, p, Null());
  EXPECT_EQ(GetVariantProp(&g, p), Null());
  g.SetValue(7);
  EXPECT_EQ(g.Value(), Variant(7));
  g.SetValue("seven");
  EXPECT_EQ(GetVariantProp(&g, "value"), Variant("seven"));
  EXPECT_EQ(g.ValueSets, 4);

  EXPECT_THROW(SetVariantProp(&g, "Caption", Variant(1)), EPropertyError);
  ExpectError<EPropertyError>([&] { GetVariantProp(&g, "Interval"); },
                              "Property Interval is not a variant property");
}

TEST_F(VariantPropertyTest, PropValuesOfEveryKindAsVariants) {
  TGauge g(nullptr);
  g.SetInterval(25);
  g.SetActive(true);
  g.SetZeigerform(zfBalken);
  g.SetOptions(TFontStyles{fsBold, fsUnderline});
  g.SetFactor(2.5);
  g.SetBig(-5000000000);
  g.SetMask(0xFFFFFFFFu);
  g.SetMarker('#');
  g.SetValue(Currency{10000});
  EXPECT_EQ(GetPropValue(&g, "Interval"), Variant(25));
  EXPECT_EQ(GetPropValue(&g, "Active"), Variant(true));
  EXPECT_EQ(GetPropValue(&g, "Zeigerform"), Variant("zfBalken"));
  EXPECT_EQ(GetPropValue(&g, "Options"), Variant("fsBold,fsUnderline"));
  EXPECT_EQ(GetPropValue(&g, "Factor"), Variant(2.5));
  EXPECT_EQ(GetPropValue(&g, "Big"), Variant(Int64{-5000000000}));
  EXPECT_EQ(GetPropValue(&g, "Mask"), Variant(Int64{0xFFFFFFFF}));
  EXPECT_EQ(GetPropValue(&g, "Marker"), Variant(Integer{'#'}));
  EXPECT_EQ(GetPropValue(&g, "Value"), Variant(Currency{10000}));
  for (const auto& [name, message] : {std::pair{"Font", "Invalid property type: TTestFont"},
                                      std::pair{"OnChange", "Invalid property type: TMethod"}}) {
    ExpectError<EPropertyConvertError>([&] { GetPropValue(&g, name); }, message);
  }
}

TEST_F(VariantPropertyTest, SetPropValueConvertsToThePropertysType) {
  TGauge g(nullptr);
  SetPropValue(&g, "Interval", Variant("42"));
  EXPECT_EQ(g.Interval(), 42);
  SetPropValue(&g, "Interval", Variant(2.5));
  EXPECT_EQ(g.Interval(), 2);
  SetPropValue(&g, "Active", Variant("False"));
  EXPECT_FALSE(g.Active());
  SetPropValue(&g, "Zeigerform", Variant("zfDreieck"));
  EXPECT_EQ(g.Zeigerform(), zfDreieck);
  SetPropValue(&g, "Zeigerform", Variant(Byte{2}));
  EXPECT_EQ(g.Zeigerform(), zfBalken);
  SetPropValue(&g, "Options", Variant("[fsItalic, fsStrikeOut]"));
  EXPECT_EQ(g.Options(), (TFontStyles{fsItalic, fsStrikeOut}));
  SetPropValue(&g, "Factor", Variant("2.25"));
  EXPECT_DOUBLE_EQ(g.Factor(), 2.25);
  SetPropValue(&g, "Caption", Variant(Currency{125000}));
  EXPECT_EQ(g.Caption(), "12.5");
  SetPropValue(&g, "Value", Variant(SmallInt{3}));
  EXPECT_EQ(g.Value(), Variant(SmallInt{3}));

  EXPECT_THROW(SetPropValue(&g, "Level", Variant(300)), ERangeError);
  EXPECT_THROW(SetPropValue(&g, "Interval", Variant("abc")), EVariantTypeCastError);
  EXPECT_THROW(SetPropValue(&g, "Zeigerform", Variant("zfRund")), EPropertyConvertError);
  EXPECT_THROW(SetPropValue(&g, "Partner", Variant(0)), EPropertyConvertError);
  EXPECT_EQ(g.Interval(), 2);
}

TEST_F(VariantPropertyTest, EveryTypeIsStoredByItsKindAndReadsBackTheSameBytes) {
  for (const TStoredCase& c : StoredCases) {
    SCOPED_TRACE(c.Text);
    TValueForm source(c.Written);
    const String text = WriteFormText(&source.Form);
    EXPECT_EQ(text, FormWithValue(c.Text));
    TTestForm copy(nullptr);
    ReadFormText(text, &copy);
    const Variant back = static_cast<TGauge*>(copy.FindComponent("G"))->Value();
    EXPECT_EQ(VarType(back), VarType(c.Read));
    EXPECT_EQ(back, c.Read);
    EXPECT_EQ(WriteFormText(&copy), text);
    EXPECT_TRUE(BinarySurvivesText(source.Form));
    EXPECT_TRUE(BinarySurvivesText(copy));
  }
}

TEST_F(VariantPropertyTest, LongStringsAndEveryBitOfFloatsSurvive) {
  const String text(300, 'x');
  EXPECT_EQ(ReadValue("'" + text + "'"), Variant(text));
  for (const Variant& v :
       {Variant(0.3f), Variant(1.17549435e-38f), Variant(3.4028235e38f), Variant(-1.0f / 3),
        VarFromDateTime(46363.604166666664), VarFromDateTime(-693593.0)}) {
    TValueForm source{v};
    TTestForm copy(nullptr);
    ReadFormText(WriteFormText(&source.Form), &copy);
    EXPECT_EQ(static_cast<TGauge*>(copy.FindComponent("G"))->Value(), v) << v.AsString();
  }
}

TEST_F(VariantPropertyTest, AnEmptyVariantIsNotWritten) {
  TValueForm source{Variant()};
  const String text = WriteFormText(&source.Form);
  EXPECT_EQ(text.find("Value"), String::npos) << text;
  TTestForm copy(nullptr);
  ReadFormText(text, &copy);
  EXPECT_TRUE(VarIsEmpty(static_cast<TGauge*>(copy.FindComponent("G"))->Value()));
  EXPECT_EQ(static_cast<TGauge*>(copy.FindComponent("G"))->ValueSets, 0);
}

TEST_F(VariantPropertyTest, AgainstAnAncestorOnlyADifferentTypeOrValueIsWritten) {
  const auto written = [](const Variant& AAncestor, const Variant& AValue) {
    TValueForm ancestor(AAncestor);
    TValueForm form(AValue);
    TMemoryStream binary;
    TWriter(&binary).WriteDescendent(&form.Form, &ancestor.Form);
    binary.SetPosition(0);
    TStringStream text;
    ObjectBinaryToText(&binary, &text);
    const String s = text.DataString();
    const std::size_t at = s.find("Value = ");
    return at == String::npos ? String() : s.substr(at, s.find('\n', at) - at);
  };
  EXPECT_EQ(written(Variant(2.5), Variant(2.5)), "");
  EXPECT_EQ(written(Variant(5.0), Variant(5)), "Value = 5");
  EXPECT_EQ(written(Variant(5), Variant(6)), "Value = 6");
  EXPECT_EQ(written(Variant(5), Variant()), "Value = nil");
  EXPECT_EQ(written(Variant(), Null()), "Value = Null");
  EXPECT_EQ(written(Variant(), Variant()), "");
  EXPECT_TRUE(VarIsEmpty(ReadValue("nil")));
}

TEST_F(VariantPropertyTest, TheKindLettersAreReadInEitherCase) {
  EXPECT_EQ(ReadValue("2.5S"), Variant(2.5f));
  EXPECT_EQ(ReadValue("7C"), Variant(Currency{7}));
  EXPECT_EQ(ReadValue("2.5c"), Variant(Currency{2}));
  EXPECT_EQ(ReadValue("3.5c"), Variant(Currency{4}));
  EXPECT_EQ(ReadValue("1e4c"), Variant(Currency{10000}));
  EXPECT_EQ(ReadValue("46363D"), VarFromDateTime(46363));
  TTestForm form(nullptr);
  ReadFormText("object Form1: TTestForm\n  object G: TGauge\n    Factor = 0.5s\n  end\nend\n",
               &form);
  EXPECT_DOUBLE_EQ(static_cast<TGauge*>(form.FindComponent("G"))->Factor(), 0.5);
}

TEST_F(VariantPropertyTest, ValuesAVariantCannotHoldNameTheProperty) {
  EXPECT_EQ(ReadValueError("(1 2)"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("[fsBold]"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("{00FF}"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("<\n    end>"), "Line 5: '>' expected but 'end' found");
  EXPECT_EQ(ReadValueError("1e39s"), "Line 4: Invalid single value 1e39");
  EXPECT_EQ(ReadValueError("99999999999999999999c"),
            "Line 4: Invalid currency value 99999999999999999999");
  EXPECT_EQ(ReadValueError("1e999d"), "Line 4: Invalid floating point value 1e999");
}

TEST_F(VariantPropertyTest, AValueThatCannotBeWrittenLeavesTheFileAsItWas) {
  const String path = (std::filesystem::path(LUM_BUILD_DIR) / "variant_unwritable.lfm").string();
  TValueForm good{Variant(1)};
  WriteFormFile(path, &good.Form);
  const std::vector<std::uint8_t> before = ReadFileBytes(path);
  for (const Variant& bad : {Variant(std::numeric_limits<double>::infinity()),
                             Variant(std::numeric_limits<float>::quiet_NaN()),
                             VarFromDateTime(std::numeric_limits<double>::quiet_NaN())}) {
    TValueForm form{bad};
    EXPECT_THROW(WriteFormFile(path, &form.Form), EWriteError);
    EXPECT_EQ(ReadFileBytes(path), before);
  }
  std::filesystem::remove(path);
}

TEST(VariantFiler, StoredIntegersTakeTheTypeOfTheirSize) {
  const auto read = [](std::vector<std::uint8_t> ABytes) {
    TMemoryStream s;
    s.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
    s.SetPosition(0);
    return TReader(&s).ReadVariant();
  };
  EXPECT_EQ(read({vaInt8, 0xFF}), Variant(SmallInt{-1}));
  EXPECT_EQ(read({vaInt8, 0x7F}), Variant(Byte{127}));
  EXPECT_EQ(read({vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), Variant(1.0));
  EXPECT_THROW(read({vaWString, 0, 0, 0, 0}), EReadError);
  EXPECT_THROW(read({vaSingle, 0x00, 0x00, 0x80, 0x7F}), EReadError);
  EXPECT_THROW(read({vaCurrency, 1, 2}), EStreamError);
}
