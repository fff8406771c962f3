#include "FormTestClasses.h"

#include "framework/classes/FormFile.h"
#include "framework/classes/Registry.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace formtest;

namespace {

std::vector<std::uint8_t> Written(const std::function<void(TWriter&)>& AWrite) {
  TMemoryStream s;
  TWriter w(&s);
  AWrite(w);
  return {s.Bytes().begin(), s.Bytes().end()};
}

} // namespace

TEST(FilerValues, IntegersTakeTheSmallestKind) {
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInteger(-128); }),
            (std::vector<std::uint8_t>{vaInt8, 0x80}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInteger(128); }),
            (std::vector<std::uint8_t>{vaInt16, 0x80, 0x00}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteInteger(-32769); }),
            (std::vector<std::uint8_t>{vaInt32, 0xFF, 0x7F, 0xFF, 0xFF}));
  const std::vector<std::uint8_t> big = Written([](TWriter& w) { w.WriteInteger(Int64{1} << 32); });
  ASSERT_EQ(big.size(), 9u);
  EXPECT_EQ(big[0], vaInt64);
}

TEST(FilerValues, StringsIdentsAndBooleans) {
  EXPECT_EQ(Written([](TWriter& w) { w.WriteString("ab"); }),
            (std::vector<std::uint8_t>{vaString, 2, 'a', 'b'}));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteString(String(256, 'x')); })[0], vaLString);
  EXPECT_EQ(Written([](TWriter& w) {
              w.WriteIdent("true");
              w.WriteIdent("nil");
              w.WriteBoolean(false);
            }),
            (std::vector<std::uint8_t>{vaTrue, vaNil, vaFalse}));
  EXPECT_THROW(Written([](TWriter& w) { w.WriteFloat(INFINITY); }), EWriteError);
}

TEST(FilerValues, ReadBackEveryKindAndRefuseTheWrongOne) {
  TMemoryStream s;
  TWriter w(&s);
  w.WriteListBegin();
  w.WriteString(String(300, 'q'));
  w.WriteInteger(-70000);
  w.WriteBoolean(true);
  w.WriteFloat(0.25);
  w.WriteIdent("zfNadel");
  w.WriteBinary({1, 2, 3});
  w.WriteListEnd();
  w.WriteString("not a number");
  s.SetPosition(0);
  TReader r(&s);
  r.ReadListBegin();
  EXPECT_EQ(r.ReadString(), String(300, 'q'));
  EXPECT_EQ(r.NextValue(), vaInt32);
  EXPECT_EQ(r.ReadInteger(), -70000);
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_EQ(r.ReadFloat(), 0.25L);
  EXPECT_EQ(r.ReadIdent(), "zfNadel");
  EXPECT_EQ(r.ReadBinary(), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(r.EndOfList());
  r.ReadListEnd();
  ExpectError<EReadError>([&] { r.ReadInteger(); }, "Invalid property value");
}

TEST(FilerValues, ABinaryPropertyWritesIntoAStreamOfItsOwnBytes) {
  Int64 sizeSeen = -1, positionSeen = -1;
  const std::vector<std::uint8_t> bytes = Written([&](TWriter& w) {
    w.WriteInteger(5);
    w.DefineBinaryProperty(
        "B", nullptr,
        [&](TStream* s) {
          s->WriteBuffer("abc", 3);
          positionSeen = s->Position();
          s->SetPosition(0);
          s->WriteBuffer("x", 1);
          sizeSeen = s->Size();
        },
        true);
  });
  EXPECT_EQ(positionSeen, 3);
  EXPECT_EQ(sizeSeen, 3);
  EXPECT_EQ(bytes,
            (std::vector<std::uint8_t>{vaInt8, 5, 1, 'B', vaBinary, 3, 0, 0, 0, 'x', 'b', 'c'}));
}

TEST(FilerValues, TruncatedOrOversizedLengthsAreRefused) {
  TMemoryStream s;
  const std::uint8_t bytes[] = {vaLString, 0xFF, 0xFF, 0xFF, 0x7F, 'a'};
  s.WriteBuffer(bytes, sizeof bytes);
  s.SetPosition(0);
  TReader r(&s);
  EXPECT_THROW(r.ReadString(), EReadError);
  TMemoryStream t;
  t.WriteBuffer("\x06\x05"
                "ab",
                4);
  t.SetPosition(0);
  EXPECT_THROW(TReader(&t).ReadString(), EReadError);
}

TEST(FilerValues, SkipValueCrossesNestedValues) {
  TMemoryStream s;
  TWriter w(&s);
  w.WriteListBegin();
  w.WriteListBegin();
  w.WriteString("x");
  w.WriteBinary({9, 9});
  w.WriteListEnd();
  w.WriteSet(GetPropInfo(TTestFont::StaticClass(), "Style")->PropType, 5);
  w.WriteListEnd();
  w.WriteInteger(42);
  s.SetPosition(0);
  TReader r(&s);
  r.SkipValue();
  EXPECT_EQ(r.ReadInteger(), 42);
}

TEST(FilerDefined, ListAndBinaryDefinedPropertiesRoundTrip) {
  RegisterTestClasses();
  TTestForm form(nullptr);
  form.SetName("F");
  auto* g = new TGauge(&form);
  g->SetName("G");
  g->Items()->Lines = {"one", "it's", ""};
  for (int i = 0; i < 300; ++i) g->Data.push_back(static_cast<std::uint8_t>(i * 7));
  TMemoryStream binary;
  TWriter(&binary).WriteRootComponent(&form);
  binary.SetPosition(0);
  TTestForm copy(nullptr);
  TReader(&binary).ReadRootComponent(&copy);
  auto* back = static_cast<TGauge*>(copy.FindComponent("G"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Items()->Lines, g->Items()->Lines);
  EXPECT_EQ(back->Data, g->Data);
}

TEST(FilerDefined, EmptyDefinedPropertiesAreNotWritten) {
  RegisterTestClasses();
  TTestForm form(nullptr);
  auto* g = new TGauge(&form);
  g->SetName("G");
  const String text = WriteFormText(&form);
  EXPECT_EQ(text.find("Strings"), String::npos);
  EXPECT_EQ(text.find("Data"), String::npos);
}

namespace {

// Has data only where it differs from the filer's ancestor, as a descendant form stores it.
class TAncestorAware : public TComponent {
  LUM_CLASS(TAncestorAware, TComponent)
public:
  explicit TAncestorAware(TComponent* AOwner) : TComponent(AOwner) {}
  String Value;
  TPersistent* SeenAncestor = nullptr;

protected:
  void DefineProperties(TFiler* Filer) override {
    SeenAncestor = Filer->Ancestor();
    const auto* a = static_cast<TAncestorAware*>(Filer->Ancestor());
    Filer->DefineProperty(
        "Value", [this](TReader* r) { Value = r->ReadString(); },
        [this](TWriter* w) { w->WriteString(Value); }, a ? a->Value != Value : !Value.empty());
  }
};

} // namespace

TEST(FilerDefined, HasDataCanCompareWithTheAncestor) {
  RegisterClass<TAncestorAware>();
  TTestForm ancestor(nullptr);
  ancestor.SetName("F");
  auto* a = new TAncestorAware(&ancestor);
  a->SetName("A");
  a->Value = "same";
  TTestForm form(nullptr);
  form.SetName("F");
  auto* d = new TAncestorAware(&form);
  d->SetName("A");
  d->Value = "same";
  TMemoryStream s;
  TWriter(&s).WriteDescendent(&form, &ancestor);
  EXPECT_EQ(d->SeenAncestor, a);
  TStringStream text;
  s.SetPosition(0);
  ObjectBinaryToText(&s, &text);
  EXPECT_EQ(text.DataString().find("Value"), String::npos);
  d->Value = "other";
  TMemoryStream s2;
  TWriter(&s2).WriteDescendent(&form, &ancestor);
  s2.SetPosition(0);
  TStringStream text2;
  ObjectBinaryToText(&s2, &text2);
  EXPECT_NE(text2.DataString().find("    Value = 'other'\n"), String::npos);
}

TEST(FilerRoots, WriterAndReaderExposeTheirRoots) {
  RegisterTestClasses();
  TTestForm form(nullptr);
  form.SetName("F");
  TMemoryStream s;
  TWriter w(&s);
  w.WriteRootComponent(&form);
  EXPECT_EQ(w.Root(), &form);
  EXPECT_EQ(w.LookupRoot(), &form);
  s.SetPosition(0);
  TTestForm copy(nullptr);
  TReader r(&s);
  r.ReadRootComponent(&copy);
  EXPECT_EQ(r.Root(), &copy);
  EXPECT_EQ(r.Owner(), &copy);
  EXPECT_EQ(copy.Name(), "F");
}

TEST(ClassRegistry, FindsRegisteredClassesByNameIgnoringCase) {
  RegisterClass(TGauge::StaticClass());
  EXPECT_EQ(FindClass("tgauge"), TGauge::StaticClass());
  EXPECT_EQ(GetClass("TNothing"), nullptr);
  ExpectError<EClassNotFound>([&] { FindClass("TFoo"); }, "Class TFoo not found");
  RegisterClasses({TTestForm::StaticClass(), TGauge::StaticClass()});
  UnRegisterClass(TTestForm::StaticClass());
  EXPECT_EQ(GetClass("TTestForm"), nullptr);
  RegisterClass<TTestForm>();
  EXPECT_EQ(GetClass("TTestForm"), TTestForm::StaticClass());
}
