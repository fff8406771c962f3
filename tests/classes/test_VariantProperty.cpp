#include "FormTestClasses.h"

#include "framework/classes/FormFile.h"
#include "framework/rtl/Files.h"

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

std::vector<std::uint8_t> BinaryOf(TComponent& ARoot) {
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&ARoot);
  return binary.Bytes();
}

std::vector<std::uint8_t> BinaryThroughText(const std::vector<std::uint8_t>& ABinary) {
  TMemoryStream binary;
  binary.WriteBuffer(ABinary.data(), static_cast<Int64>(ABinary.size()));
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(&binary, &text);
  text.SetPosition(0);
  TMemoryStream again;
  ObjectTextToBinary(&text, &again);
  return again.Bytes();
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
    {Variant(Byte{7}), "7", Variant(Byte{7})},
    {Variant(Byte{200}), "200", Variant(SmallInt{200})},
    {Variant(Int64{-5000000000}), "-5000000000", Variant(Int64{-5000000000})},
    {Variant(2.5f), "2.5s", Variant(2.5f)},
    {Variant(0.1f), "0.1s", Variant(0.1f)},
    {Variant(-3e30f), "-3e+30s", Variant(-3e30f)},
    {Variant(0.1), "0.1", Variant(0.1)},
    {Variant(3.0), "3.0", Variant(3.0)},
    {VarFromDateTime(46363.5), "46363.5d", VarFromDateTime(46363.5)},
    {VarFromDateTime(46363.0), "46363d", VarFromDateTime(46363.0)},
    {Variant(Currency{125000}), "125000c", Variant(Currency{125000})},
    {Variant(Currency{-1}), "-1c", Variant(Currency{-1})},
    {Variant(Currency{std::numeric_limits<Int64>::max()}), "9223372036854775807c",
     Variant(Currency{std::numeric_limits<Int64>::max()})},
    {Variant(true), "True", Variant(true)},
    {Variant(false), "False", Variant(false)},
    {Variant("It's"), "'It''s'", Variant("It's")},
    {Variant(""), "''", Variant("")},
    {Null(), "Null", Null()},
};

} // namespace

TEST_F(VariantPropertyTest, TheVariantPropertyIsListedWithItsKind) {
  const TPropList variants = GetPropList(TGauge::StaticClass(), TTypeKinds{tkVariant});
  ASSERT_EQ(variants.size(), 1u);
  EXPECT_EQ(variants[0]->Name, "Value");
  EXPECT_EQ(variants[0]->PropType->Kind, tkVariant);
  EXPECT_EQ(variants[0]->PropType->Name, "Variant");
  EXPECT_EQ(GetPropInfo(TGauge::StaticClass(), "value"), variants[0]);
  const TPropList all = GetPropList(TGauge::StaticClass());
  EXPECT_NE(std::find(all.begin(), all.end(), variants[0]), all.end());
  EXPECT_TRUE(GetPropList(TTestFont::StaticClass(), TTypeKinds{tkVariant}).empty());
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

  try {
    GetVariantProp(&g, "Interval");
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "Property Interval is not a variant property");
  }
  EXPECT_THROW(SetVariantProp(&g, "Caption", Variant(1)), EPropertyError);
  try {
    SetVariantProp(&g, "Valeu", Variant(1));
    FAIL();
  } catch (const EPropertyError& e) {
    EXPECT_STREQ(e.what(), "Property Valeu does not exist");
  }
  EXPECT_THROW(GetStrProp(&g, "Value"), EPropertyError);
}

TEST_F(VariantPropertyTest, PropValuesOfEveryKindAsVariants) {
  TGauge g(nullptr);
  g.SetInterval(25);
  g.SetActive(true);
  g.SetZeigerform(zfBalken);
  g.SetOptions(TFontStyles{fsBold, fsUnderline});
  g.SetFactor(2.5);
  g.SetCaption("It's");
  g.SetBig(-5000000000);
  g.SetMask(0xFFFFFFFFu);
  g.SetMarker('#');
  g.SetValue(Currency{10000});
  EXPECT_EQ(GetPropValue(&g, "Interval"), Variant(25));
  EXPECT_EQ(GetPropValue(&g, "Active"), Variant(true));
  EXPECT_EQ(GetPropValue(&g, "Zeigerform"), Variant("zfBalken"));
  EXPECT_EQ(GetPropValue(&g, "Options"), Variant("fsBold,fsUnderline"));
  EXPECT_EQ(GetPropValue(&g, "Factor"), Variant(2.5));
  EXPECT_EQ(GetPropValue(&g, "Caption"), Variant("It's"));
  EXPECT_EQ(GetPropValue(&g, "Big"), Variant(Int64{-5000000000}));
  EXPECT_EQ(GetPropValue(&g, "Mask"), Variant(Int64{0xFFFFFFFF}));
  EXPECT_EQ(GetPropValue(&g, "Marker"), Variant(Integer{'#'}));
  EXPECT_EQ(GetPropValue(&g, "Value"), Variant(Currency{10000}));
  try {
    GetPropValue(&g, "Font");
    FAIL();
  } catch (const EPropertyConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid property type: TTestFont");
  }
  try {
    GetPropValue(&g, "OnChange");
    FAIL();
  } catch (const EPropertyConvertError& e) {
    EXPECT_STREQ(e.what(), "Invalid property type: TMethod");
  }
}

TEST_F(VariantPropertyTest, SetPropValueConvertsToThePropertysType) {
  TGauge g(nullptr);
  SetPropValue(&g, "Interval", Variant("42"));
  EXPECT_EQ(g.Interval(), 42);
  SetPropValue(&g, "Interval", Variant(2.5));
  EXPECT_EQ(g.Interval(), 2);
  SetPropValue(&g, "Active", Variant(true));
  EXPECT_TRUE(g.Active());
  SetPropValue(&g, "Active", Variant("False"));
  EXPECT_FALSE(g.Active());
  SetPropValue(&g, "Zeigerform", Variant("zfDreieck"));
  EXPECT_EQ(g.Zeigerform(), zfDreieck);
  SetPropValue(&g, "Zeigerform", Variant(Byte{2}));
  EXPECT_EQ(g.Zeigerform(), zfBalken);
  SetPropValue(&g, "Options", Variant("[fsItalic, fsStrikeOut]"));
  EXPECT_EQ(g.Options(), (TFontStyles{fsItalic, fsStrikeOut}));
  SetPropValue(&g, "Options", Variant(1));
  EXPECT_EQ(g.Options(), TFontStyles{fsBold});
  SetPropValue(&g, "Factor", Variant("2.25"));
  EXPECT_DOUBLE_EQ(g.Factor(), 2.25);
  SetPropValue(&g, "Caption", Variant(Currency{125000}));
  EXPECT_EQ(g.Caption(), "12.5");
  SetPropValue(&g, "Big", Variant("-9000000000"));
  EXPECT_EQ(g.Big(), -9000000000);
  SetPropValue(&g, "Value", Variant(SmallInt{3}));
  EXPECT_EQ(g.Value(), Variant(SmallInt{3}));

  EXPECT_THROW(SetPropValue(&g, "Level", Variant(300)), ERangeError);
  EXPECT_THROW(SetPropValue(&g, "Interval", Variant("abc")), EVariantTypeCastError);
  EXPECT_THROW(SetPropValue(&g, "Interval", Null()), EVariantTypeCastError);
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
    const std::vector<std::uint8_t> binary = BinaryOf(source.Form);
    EXPECT_EQ(BinaryThroughText(binary), binary);
    EXPECT_EQ(BinaryOf(copy), BinaryThroughText(BinaryOf(copy)));
  }
}

TEST_F(VariantPropertyTest, LongStringsAndEveryBitOfFloatsSurvive) {
  const String text(300, 'x');
  EXPECT_EQ(ReadValue("'" + text + "'"), Variant(text));
  for (const float f : {0.3f, 1.17549435e-38f, 3.4028235e38f, -1.0f / 3}) {
    TValueForm source{Variant(f)};
    TTestForm copy(nullptr);
    ReadFormText(WriteFormText(&source.Form), &copy);
    EXPECT_EQ(static_cast<TGauge*>(copy.FindComponent("G"))->Value(), Variant(f)) << f;
  }
  for (const double d : {46363.604166666664, -693593.0, 2958465.99999}) {
    TValueForm source{VarFromDateTime(d)};
    TTestForm copy(nullptr);
    ReadFormText(WriteFormText(&source.Form), &copy);
    EXPECT_EQ(static_cast<TGauge*>(copy.FindComponent("G"))->Value(), VarFromDateTime(d)) << d;
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
  EXPECT_EQ(ReadValue("-1.5e2s"), Variant(-150.0f));
  EXPECT_EQ(ReadValue("7C"), Variant(Currency{7}));
  EXPECT_EQ(ReadValue("2.5c"), Variant(Currency{2}));
  EXPECT_EQ(ReadValue("3.5c"), Variant(Currency{4}));
  EXPECT_EQ(ReadValue("1e4c"), Variant(Currency{10000}));
  EXPECT_EQ(ReadValue("46363D"), VarFromDateTime(46363));
  EXPECT_EQ(ReadValue("-0.25d"), VarFromDateTime(-0.25));
  TTestForm form(nullptr);
  ReadFormText("object Form1: TTestForm\n  object G: TGauge\n    Factor = 0.5s\n  end\nend\n",
               &form);
  EXPECT_DOUBLE_EQ(static_cast<TGauge*>(form.FindComponent("G"))->Factor(), 0.5);
}

TEST_F(VariantPropertyTest, ValuesAVariantCannotHoldNameTheProperty) {
  EXPECT_EQ(ReadValueError("(1 2)"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("clRed"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("[fsBold]"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("{00FF}"), "Error reading G.Value: Invalid property value");
  EXPECT_EQ(ReadValueError("<\n    end>"), "Line 5: '>' expected but 'end' found");
  EXPECT_EQ(ReadValueError("1e39s"), "Line 4: Invalid single value 1e39");
  EXPECT_EQ(ReadValueError("99999999999999999999c"),
            "Line 4: Invalid currency value 99999999999999999999");
  EXPECT_EQ(ReadValueError("1e999d"), "Line 4: Invalid floating point value 1e999");
}

TEST_F(VariantPropertyTest, AValueThatCannotBeWrittenLeavesTheFileAsItWas) {
  const String path =
      (std::filesystem::path(LUM_TEST_OUTPUT_DIR) / "variant_unwritable.lfm").string();
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

TEST(VariantFiler, VariantsUseTheFrameworksValueTags) {
  const auto bytes = [](const Variant& AValue) {
    TMemoryStream s;
    TWriter(&s).WriteVariant(AValue);
    return s.Bytes();
  };
  using B = std::vector<std::uint8_t>;
  EXPECT_EQ(bytes(Variant()), B{vaNil});
  EXPECT_EQ(bytes(Null()), B{vaNull});
  EXPECT_EQ(bytes(Variant(SmallInt{5})), (B{vaInt8, 5}));
  EXPECT_EQ(bytes(Variant(300)), (B{vaInt16, 0x2C, 0x01}));
  EXPECT_EQ(bytes(Variant(true)), B{vaTrue});
  EXPECT_EQ(bytes(Variant(1.0f)), (B{vaSingle, 0x00, 0x00, 0x80, 0x3F}));
  EXPECT_EQ(bytes(Variant(Currency{1})), (B{vaCurrency, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bytes(VarFromDateTime(2.0)), (B{vaDate, 0, 0, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(bytes(Variant(2.0)), (B{vaDouble, 0, 0, 0, 0, 0, 0, 0, 0x40}));
  EXPECT_EQ(bytes(Variant("ab")), (B{vaString, 2, 'a', 'b'}));

  const auto read = [](const B& ABytes) {
    TMemoryStream s;
    s.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
    s.SetPosition(0);
    return TReader(&s).ReadVariant();
  };
  EXPECT_EQ(read(B{vaInt8, 0xFF}), Variant(SmallInt{-1}));
  EXPECT_EQ(read(B{vaInt8, 0x7F}), Variant(Byte{127}));
  EXPECT_EQ(read(B{vaInt32, 1, 0, 0, 0}), Variant(1));
  EXPECT_EQ(read(B{vaExtended, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}), Variant(1.0));
  EXPECT_EQ(read(B{vaLString, 1, 0, 0, 0, 'z'}), Variant("z"));
  EXPECT_THROW(read(B{vaWString, 0, 0, 0, 0}), EReadError);
  EXPECT_THROW(read(B{vaSingle, 0x00, 0x00, 0x80, 0x7F}), EReadError);
  EXPECT_THROW(read(B{vaDate, 0, 0, 0, 0, 0, 0, 0xF0, 0x7F}), EReadError);
  EXPECT_THROW(read(B{vaCurrency, 1, 2}), EStreamError);
}
