#include "FormTestClasses.h"
#include "tests/TempPath.h"

#include "framework/classes/FormFile.h"
#include "framework/classes/Parser.h"
#include "tests/TestPaths.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace formtest;

namespace {

class FormFileTest : public ::testing::Test {
protected:
  void SetUp() override { RegisterTestClasses(); }
};

// A form with one gauge using every kind of property and a second one left at its defaults.
void BuildSampleForm(TTestForm& form) {
  form.SetName("Form1");
  form.SetCaption("Main");
  auto* g1 = new TGauge(&form);
  g1->SetName("Gauge1");
  auto* g2 = new TGauge(&form);
  g2->SetName("Gauge2");
  g1->SetInterval(25);
  g1->SetLevel(200);
  g1->SetActive(true);
  g1->SetZeigerform(zfBalken);
  g1->SetOptions(TFontStyles{fsBold, fsUnderline});
  g1->SetFactor(2.5);
  g1->SetCaption("It's");
  g1->SetMarker('#');
  g1->SetBig(-5000000000);
  g1->SetMask(0xFFFFFFFFu);
  g1->Font()->SetName("Arial");
  g1->Font()->SetStyle(TFontStyles{fsItalic});
  g1->Items()->Lines = {"a", "b"};
  g1->Items()->SetSorted(true);
  auto* first = static_cast<TTestItem*>(g1->Entries()->Add());
  first->SetCaption("x");
  first->SetValue(3);
  g1->Entries()->Add();
  g1->SetPartner(g2);
  SetMethodProp(g1, "OnChange", TMethod{&form, "GaugeChange"});
  g1->Data = {0x01, 0x02, 0xFF};
  g1->SetValue(Currency{125000});
}

const char* const SampleText = R"(object Form1: TTestForm
  Caption = 'Main'
  object Gauge1: TGauge
    Interval = 25
    Level = 200
    Active = True
    Zeigerform = zfBalken
    Options = [fsBold, fsUnderline]
    Factor = 2.5
    Caption = 'It''s'
    Marker = '#'
    Big = -5000000000
    Mask = 4294967295
    Font.Name = 'Arial'
    Font.Style = [fsItalic]
    Items.Sorted = True
    Items.Strings = (
      'a'
      'b')
    Entries = <
      item
        Caption = 'x'
        Value = 3
      end
      item
      end>
    Partner = Gauge2
    OnChange = GaugeChange
    Value = 125000c
    Data = {
      0102FF}
  end
  object Gauge2: TGauge
    Items.Sorted = False
  end
end
)";

TGauge* Gauge(TComponent& form, const char* name) {
  return static_cast<TGauge*>(form.FindComponent(name));
}

String ReadError(const String& text) {
  TTestForm form(nullptr);
  try {
    ReadFormText(text, &form);
  } catch (const EReadError& e) {
    EXPECT_EQ(form.ComponentCount(), 0) << "a failed read leaves what it created";
    return e.Message();
  }
  ADD_FAILURE() << "no error for: " << text;
  return "";
}

} // namespace

TEST_F(FormFileTest, WritesEveryKindOfPropertyInTheTextSyntax) {
  TTestForm form(nullptr);
  BuildSampleForm(form);
  EXPECT_EQ(WriteFormText(&form), SampleText);
}

// Read then written again the sample gives its text back; what the text cannot show is
// checked on the objects.
TEST_F(FormFileTest, ReadingRestoresEveryValueThroughTheSetters) {
  TTestForm form(nullptr);
  ReadFormText(SampleText, &form);
  EXPECT_EQ(WriteFormText(&form), SampleText);
  ASSERT_EQ(form.ComponentCount(), 2);
  TGauge* g1 = Gauge(form, "Gauge1");
  TGauge* g2 = Gauge(form, "Gauge2");
  ASSERT_TRUE(g1 && g2);
  EXPECT_EQ(g1->Owner(), &form);
  EXPECT_EQ(g1->IntervalSets, 1);
  EXPECT_EQ(g1->ValueSets, 1);
  EXPECT_EQ(g1->Font()->Height(), -11);
  EXPECT_EQ(g1->Partner(), g2);
  ASSERT_TRUE(g1->OnChange());
  g1->OnChange()(g1);
  EXPECT_EQ(form.Changes, 1);
  EXPECT_EQ(g2->IntervalSets, 0);
  EXPECT_TRUE(VarIsEmpty(g2->Value()));
}

TEST_F(FormFileTest, TextAndBinaryConvertToTheSameBytes) {
  TTestForm form(nullptr);
  BuildSampleForm(form);

  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&form);
  binary.SetPosition(0);
  TMemoryStream text;
  ObjectBinaryToText(&binary, &text);
  text.SetPosition(0);
  TMemoryStream again;
  ObjectTextToBinary(&text, &again);
  EXPECT_EQ(again.Bytes(), binary.Bytes());
}

TEST_F(FormFileTest, LoadedComesAfterTheWholeTreeAndItsReferences) {
  TTestForm form(nullptr);
  ReadFormText(SampleText, &form);
  for (const char* name : {"Gauge1", "Gauge2"}) {
    TGauge* g = Gauge(form, name);
    EXPECT_EQ(g->LoadedCalls, 1);
    EXPECT_TRUE(g->LoadingDuringLoaded);
    EXPECT_FALSE(g->ComponentState().Contains(csLoading));
    EXPECT_FALSE(g->ComponentState().Contains(csReading));
  }
  EXPECT_TRUE(Gauge(form, "Gauge1")->PartnerSetAtLoaded);
  EXPECT_TRUE(Gauge(form, "Gauge1")->LoadingInConstructor);
  EXPECT_FALSE(TGauge(nullptr).LoadingInConstructor);
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
  std::unique_ptr<TComponent> root(ReadFormText(SampleText)); // no root: the file's class
  EXPECT_EQ(root->ClassName(), "TTestForm");
  EXPECT_EQ(root->ComponentCount(), 2);
}

TEST_F(FormFileTest, StringsQuoteControlsInvalidBytesAndSplitLongText) {
  TTestForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("G");
  g->SetCaption("a\r\nb\x01 \xC3\xA4\xFF'");
  const String longText(70, 'x');
  g->SetHint(longText + "yz");
  const String text = WriteFormText(&form);
  EXPECT_NE(text.find("    Caption = 'a'#13#10'b'#1' \xC3\xA4'#255''''\n"), String::npos) << text;
  EXPECT_NE(text.find("    Hint =\n      '" + String(64, 'x') + "' +\n      'xxxxxxyz'\n"),
            String::npos)
      << text;
  TTestForm copy(nullptr);
  ReadFormText(text, &copy);
  EXPECT_EQ(Gauge(copy, "G")->Caption(), g->Caption());
  EXPECT_EQ(Gauge(copy, "G")->Hint(), g->Hint());
}

// A long string is never split inside a character; binary wraps at 64 hex digits.
// Text many times the converter's piece size goes out whole after what the stream held; a
// binary stream cut short of its last end marker raises and leaves the stream as it was.
TEST_F(FormFileTest, LargeTextStreamsOutWholeAndAFailedConversionTakesItBack) {
  TTestForm form(nullptr);
  form.SetName("F");
  auto* g = new TGauge(&form);
  g->SetName("G");
  for (int i = 0; i < 300000; ++i) g->Data.push_back(static_cast<std::uint8_t>(i * 7));
  TStringStream out("kept");
  out.SetPosition(4);
  WriteFormStream(&out, &form);
  EXPECT_EQ(out.DataString(), "kept" + WriteFormText(&form));

  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&form);
  binary.SetSize(binary.Size() - 1);
  binary.SetPosition(0);
  TStringStream failed("kept");
  failed.SetPosition(4);
  EXPECT_THROW(ObjectBinaryToText(&binary, &failed), EReadError);
  EXPECT_EQ(failed.DataString(), "kept");
}

TEST_F(FormFileTest, LongStringsAndBinaryWrap) {
  TTestForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("G");
  String umlauts;
  for (int i = 0; i < 40; ++i) umlauts += "\xC3\xBC";
  g->SetCaption("x" + umlauts);
  for (int i = 0; i < 40; ++i) g->Data.push_back(static_cast<std::uint8_t>(i));
  const String text = WriteFormText(&form);
  EXPECT_EQ(text.find("\xC3'"), String::npos) << text;
  EXPECT_NE(text.find("    Data = {\n      000102030405060708090A0B0C0D0E0F"
                      "101112131415161718191A1B1C1D1E1F\n      2021222324252627}\n"),
            String::npos)
      << text;
  TTestForm copy(nullptr);
  ReadFormText(text, &copy);
  EXPECT_EQ(Gauge(copy, "G")->Caption(), g->Caption());
}

TEST_F(FormFileTest, ReaderAcceptsHexNegativeNumbersConcatenationAndCharCodes) {
  TTestForm form(nullptr);
  ReadFormText("object Form1: TTestForm\n"
               "  object G: TGauge\n"
               "    Interval = -$10\n"
               "    Level = $FF\n"
               "    Big = 9223372036854775807\n"
               "    Factor = -1.5E3\n"
               "    Caption = 'ab' +\n"
               "      'c'#228#$263A\n"
               "    Options = []\n"
               "    Active = true\n"
               "    Zeigerform = ZFDREIECK\n"
               "  end\n"
               "end\n",
               &form);
  TGauge* g = Gauge(form, "g");
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Interval(), -16);
  EXPECT_EQ(g->Level(), 255);
  EXPECT_EQ(g->Big(), INT64_MAX);
  EXPECT_DOUBLE_EQ(g->Factor(), -1500);
  EXPECT_EQ(g->Caption(), "abc\xE4\xE2\x98\xBA");
  EXPECT_TRUE(g->Active());
  EXPECT_EQ(g->Zeigerform(), zfDreieck);
}

TEST_F(FormFileTest, FloatsKeepEveryBitThroughText) {
  TTestForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("G");
  for (double v : {0.1, 1e300, -2.0, 5e-324, 123456789.125}) {
    g->SetFactor(v);
    TTestForm copy(nullptr);
    ReadFormText(WriteFormText(&form), &copy);
    EXPECT_EQ(Gauge(copy, "G")->Factor(), v);
  }
}

TEST_F(FormFileTest, StoredPredicateAndDefaultsDecideWhatIsWritten) {
  TTestForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("G");
  g->SetHint("-");
  g->SetInterval(10);
  g->SetFactor(0);
  const String text = WriteFormText(&form);
  EXPECT_EQ(text.find("Hint"), String::npos);
  EXPECT_EQ(text.find("Interval"), String::npos);
  EXPECT_EQ(text.find("Factor"), String::npos);
  EXPECT_EQ(text.find("Name ="), String::npos);
  g->SetTag(7);
  EXPECT_NE(WriteFormText(&form).find("    Tag = 7\n"), String::npos);
}

TEST_F(FormFileTest, InheritedComponentsAreReadIntoTheExistingOnes) {
  TTestForm form(nullptr);
  auto* existing = new TGauge(&form);
  existing->SetName("Gauge1");
  ReadFormText("inherited Form1: TTestForm\n"
               "  inherited Gauge1: TGauge\n"
               "    Interval = 3\n"
               "  end\n"
               "end\n",
               &form);
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(existing->Interval(), 3);
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  inherited Nope: TGauge\n  end\nend\n"),
            "Ancestor for 'Nope' not found");
}

TEST_F(FormFileTest, WritingAgainstAnAncestorStoresOnlyTheDifferences) {
  TTestForm ancestor(nullptr);
  ancestor.SetName("Form1");
  auto* a = new TGauge(&ancestor);
  a->SetName("Gauge1");
  a->SetInterval(5);
  a->SetCaption("same");
  TTestForm form(nullptr);
  form.SetName("Form1");
  auto* g = new TGauge(&form);
  g->SetName("Gauge1");
  g->SetInterval(5);
  g->SetCaption("changed");
  auto* added = new TGauge(&form);
  added->SetName("Gauge2");
  TMemoryStream binary;
  TWriter(&binary).WriteDescendent(&form, &ancestor);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  EXPECT_EQ(text.DataString(), "inherited Form1: TTestForm\n"
                               "  inherited Gauge1: TGauge\n"
                               "    Caption = 'changed'\n"
                               "  end\n"
                               "  object Gauge2: TGauge\n"
                               "    Items.Sorted = False\n"
                               "  end\n"
                               "end\n");
}

TEST_F(FormFileTest, FilesAreWrittenWholeAndReadBack) {
  const auto dir = TempPath("lum_formfile_test");
  std::filesystem::create_directories(dir);
  const String path = (dir / "form1.lfm").string();
  TTestForm form(nullptr);
  BuildSampleForm(form);
  WriteFormFile(path, &form);
  TTestForm copy(nullptr);
  ReadFormFile(path, &copy);
  EXPECT_EQ(WriteFormText(&copy), SampleText);
  EXPECT_THROW(WriteFormFile((dir / "missing" / "x.lfm").string(), &form), EStreamError);
  EXPECT_THROW(ReadFormFile((dir / "missing.lfm").string(), &copy), EFOpenError);
  std::filesystem::remove_all(dir);
}

TEST_F(FormFileTest, FileErrorsAreReadErrorsNamingTheFile) {
  RegisterClass<TTestFont>();
  const auto dir = TempPath("lum_formfile_errors");
  std::filesystem::create_directories(dir);
  const String notComponent = (dir / "font.lfm").string();
  std::ofstream(notComponent) << "object Font1: TTestFont\nend\n";
  const String unknown = (dir / "unknown.lfm").string();
  std::ofstream(unknown) << "object Form1: TTestForm\n  object X: TNoSuchClass\n  end\nend\n";
  for (const String& path : {notComponent, unknown}) {
    ExpectErrorContaining<EReadError>([&] { delete ReadFormFile(path); }, path);
  }
  std::filesystem::remove_all(dir);
}

TEST_F(FormFileTest, SyntaxErrorsNameTheLineAndWhatWasExpected) {
  EXPECT_EQ(ReadError("object Form1: TTestForm\n"
                      "  object G: TGauge\n"
                      "    Items.Strings = (\n"
                      "      'a'\n"
                      "  end\n"
                      "end\n"),
            "Line 5: ')' expected but 'end' found");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  Caption 'x'\nend\n"),
            "Line 2: '=' expected but string found");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  Caption = 'x\nend\n"),
            "Line 2: Unterminated string");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n"),
            "Line 2: Identifier expected but end of file found");
  EXPECT_EQ(ReadError("thing Form1: TTestForm\nend\n"),
            "Line 1: 'object' expected but 'thing' found");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  Caption = )\nend\n"),
            "Line 2: Property value expected but ')' found");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Data = {0G}\n  end\nend\n"),
            "Line 3: Invalid binary value: 'G'");
  EXPECT_EQ(ReadError("object Form1: TTestForm\nend\nextra"),
            "Line 3: End of file expected but 'extra' found");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  Caption = 99999999999999999999\nend\n"),
            "Line 2: Invalid integer value 99999999999999999999");
}

TEST_F(FormFileTest, BadValuesNameTheProperty) {
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  Foo = 1\nend\n"),
            "Error reading Form1.Foo: Property Foo does not exist");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Font.Nmae = 'x'\n"
                      "  end\nend\n"),
            "Error reading G.Font.Nmae: Property Nmae does not exist");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Level = 300\n  end\nend\n"),
            "Error reading G.Level: Value 300 out of range for property Level (0..255)");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Zeigerform = zfRund\n"
                      "  end\nend\n"),
            "Error reading G.Zeigerform: Invalid property value");
  EXPECT_EQ(
      ReadError("object Form1: TTestForm\n  object G: TGauge\n    Caption = 12\n  end\nend\n"),
      "Error reading G.Caption: Invalid property value");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Options = [fsWide]\n"
                      "  end\nend\n"),
            "Error reading G.Options: Invalid property value");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Partner = Nobody\n"
                      "  end\nend\n"),
            "Error reading G.Partner: Component Nobody does not exist");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    OnChange = Missing\n"
                      "  end\nend\n"),
            "Error reading G.OnChange: Method Missing does not exist");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    OnChange = Other\n"
                      "  end\nend\n"),
            "Error reading G.OnChange: Method Other cannot handle OnChange");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n    Entries = <\n      item\n"
                      "        Colour = 1\n      end>\n  end\nend\n"),
            "Error reading G.Entries[0].Colour: Property Colour does not exist");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G: TGauge\n  end\n  object g: TGauge\n"
                      "  end\nend\n"),
            "A component named g already exists");
  EXPECT_EQ(ReadError("object Form1: TTestForm\n  object G H: TGauge\n  end\nend\n"),
            "Line 2: '=' expected but ':' found");
}

TEST_F(FormFileTest, UnknownClassesAreReportedAndNothingIsLeftBehind) {
  TTestForm form(nullptr);
  try {
    ReadFormText("object Form1: TTestForm\n  object G: TGauge\n  end\n  object X: TFoo\n"
                 "  end\nend\n",
                 &form);
    FAIL();
  } catch (const EReadError& e) {
    EXPECT_NE(dynamic_cast<const EClassNotFound*>(&e), nullptr);
    EXPECT_STREQ(e.what(), "Class TFoo not found");
  }
  EXPECT_EQ(form.ComponentCount(), 0);
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST_F(FormFileTest, FuzzSeedsAreValidFormFilesThatRoundTrip) {
  const auto seeds =
      std::filesystem::path(LUM_TESTS_DIR).parent_path() / "fuzz" / "seeds" / "formfile";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(seeds)) {
    TTestForm form(nullptr);
    ReadFormFile(entry.path().string(), &form);
    const String written = WriteFormText(&form);
    TTestForm copy(nullptr);
    ReadFormText(written, &copy);
    EXPECT_EQ(WriteFormText(&copy), written) << entry.path();
    ++count;
  }
  EXPECT_GE(count, 3);
}

TEST_F(FormFileTest, IntegerIdentsAreWrittenAndReadByName) {
  TTestForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("G");
  g->SetColor(-2147483633);
  auto* h = new TGauge(&form);
  h->SetName("H");
  h->SetColor(0x123456);
  const String text = WriteFormText(&form);
  EXPECT_NE(text.find("    Color = clBtnFace\n"), String::npos) << text;
  EXPECT_NE(text.find("    Color = 1193046\n"), String::npos) << text;
  TTestForm copy(nullptr);
  ReadFormText("object F: TTestForm\n  object G: TGauge\n    Color = CLRED\n  end\nend\n", &copy);
  EXPECT_EQ(Gauge(copy, "G")->Color(), 0x0000FF);
  EXPECT_EQ(ReadError("object F: TTestForm\n  object G: TGauge\n    Color = clPink\n  end\nend\n"),
            "Error reading G.Color: Invalid property value");
  String ident;
  EXPECT_TRUE(IntToIdent(0xFFFFFF, ident, ColorIdents));
  EXPECT_EQ(ident, "clWhite");
  Int64 value = 0;
  EXPECT_FALSE(IdentToInt("clPink", value, ColorIdents));
}
