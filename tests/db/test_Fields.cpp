#include "DbTestSupport.h"

#include "framework/classes/Streams.h"
#include "framework/classes/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Picture.h"
#include "framework/rtl/DateTime.h"
#include "tests/TestPaths.h"

namespace {

class FieldTest : public dbtest::DbTest {
protected:
  void SetUp() override {
    DbTest::SetUp();
    Data = MakeDir("data");
    Exec(Data, "CREATE TABLE Kinds (ID AUTOINC, Code CHAR(5), Small SMALLINT, Whole INTEGER, "
               "Ratio FLOAT, Flag BOOLEAN, Day DATE, Moment TIMESTAMP, Clock TIME, Note MEMO, "
               "Styled FMTMEMO, Photo GRAPHIC, Raw BLOB, PRIMARY KEY (ID))");
    SetTable(Kinds, Data, "Kinds");
    Kinds.Open();
    Kinds.Insert();
  }
  void TearDown() override {
    Kinds.Close();
    DbTest::TearDown();
  }
  TField* F(const char* AName) { return Kinds.FieldByName(AName); }
  // Posts, then reads the record again from the file.
  void PostAndReopen() {
    Kinds.Post();
    Kinds.Close();
    Kinds.Open();
    Kinds.Last();
  }
  String Data;
  TTable Kinds{nullptr};
};

using FieldKinds = FieldTest;

TEST_F(FieldKinds, DeclaredKindsAndSizesComeBack) {
  const TFieldType expected[] = {ftAutoInc, ftString,  ftSmallint, ftInteger, ftFloat,
                                 ftBoolean, ftDate,    ftDateTime, ftTime,    ftMemo,
                                 ftFmtMemo, ftGraphic, ftBlob};
  ASSERT_EQ(Kinds.FieldCount(), 13);
  for (int i = 0; i < 13; ++i) EXPECT_EQ(Kinds.Fields(i)->DataType(), expected[i]) << i;
  EXPECT_EQ(F("Code")->Size(), 5);
  EXPECT_NE(dynamic_cast<TGraphicField*>(F("Photo")), nullptr);
  EXPECT_NE(dynamic_cast<TMemoField*>(F("Styled")), nullptr);
}

TEST_F(FieldKinds, CharFieldsTrimTrailingBlanksAndRefuseLongerTexts) {
  F("Code")->SetAsString("ab  ");
  EXPECT_EQ(F("Code")->AsString(), "ab");
  F("Code")->SetAsString("äöüßé"); // five characters, ten bytes
  EXPECT_EQ(dbtest::ErrorMessageOf([&] { F("Code")->SetAsString("abcdef"); }),
            "A value of 6 characters is too long for field 'Code' (at most 5)");
  EXPECT_EQ(F("Code")->AsString(), "äöüßé"); // the old value stays
  PostAndReopen();
  EXPECT_EQ(F("Code")->AsString(), "äöüßé");
  // A key longer than the field is no error: it just matches nothing.
  Kinds.SetIndexFieldNames("Code");
  Kinds.SetKey();
  F("Code")->SetAsString("abcdefgh");
  EXPECT_FALSE(Kinds.GotoKey());
}

TEST_F(FieldKinds, SmallintRangeIsChecked) {
  F("Small")->SetAsInteger(-32768);
  F("Small")->SetAsString("32767");
  EXPECT_EQ(dbtest::ErrorMessageOf([&] { F("Small")->SetAsInteger(32768); }),
            "32768 is not a valid value for field 'Small'. The allowed range is -32768 to 32767");
  EXPECT_THROW(F("Small")->SetAsFloat(-40000.0), EDatabaseError);
  EXPECT_EQ(F("Small")->AsInteger(), 32767);
  EXPECT_THROW(F("Whole")->SetAsString("3000000000"), EDatabaseError);
}

TEST_F(FieldKinds, FailedConversionsSayWhatWasWrong) {
  F("Code")->SetAsString("abc");
  EXPECT_EQ(dbtest::ErrorMessageOf<EConvertError>([&] { F("Code")->AsInteger(); }),
            "'abc' is not a valid integer value");
  EXPECT_EQ(dbtest::ErrorMessageOf<EConvertError>([&] { F("Whole")->SetAsString("12x"); }),
            "'12x' is not a valid integer value");
  EXPECT_THROW(F("Ratio")->SetAsString("1,5"), EConvertError);
  EXPECT_THROW(F("Flag")->SetAsString("maybe"), EDatabaseError);
  EXPECT_EQ(dbtest::ErrorMessageOf([&] { F("Whole")->AsBoolean(); }),
            "Cannot access field 'Whole' as type Boolean");
  EXPECT_THROW(F("Day")->SetAsString("31.02.2024"), EConvertError);
}

TEST_F(FieldKinds, ValuesOfEveryKindSurviveStorage) {
  F("Whole")->SetAsString(" -123456 ");
  F("Ratio")->SetAsFloat(2.5);
  F("Flag")->SetAsString("t");
  F("Day")->SetAsDateTime(EncodeDate(2024, 2, 29) + 0.75); // the time part is dropped
  F("Moment")->SetAsString("2024-05-31 13:45:10");
  F("Clock")->SetAsString("08:30");
  F("Note")->SetAsString("line 1\nline 2   ");
  PostAndReopen();
  EXPECT_EQ(F("ID")->AsInteger(), 1);
  EXPECT_EQ(F("Whole")->AsInteger(), -123456);
  EXPECT_EQ(F("Ratio")->AsString(), "2.5");
  EXPECT_EQ(F("Ratio")->AsInteger(), 2); // halves round to even
  EXPECT_TRUE(F("Flag")->AsBoolean());
  EXPECT_EQ(F("Flag")->AsString(), "True");
  EXPECT_EQ(F("Day")->AsDateTime(), EncodeDate(2024, 2, 29));
  EXPECT_DOUBLE_EQ(F("Moment")->AsDateTime(), EncodeDate(2024, 5, 31) + EncodeTime(13, 45, 10, 0));
  EXPECT_DOUBLE_EQ(F("Clock")->AsDateTime(), EncodeTime(8, 30, 0, 0));
  EXPECT_EQ(F("Note")->AsString(), "line 1\nline 2   "); // memos keep their blanks
  EXPECT_EQ(F("Note")->DisplayText(), "(MEMO)");
  EXPECT_EQ(F("Raw")->DisplayText(), "(Blob)");
  EXPECT_TRUE(F("Small")->IsNull());
  EXPECT_EQ(F("Small")->AsString(), "");
  EXPECT_TRUE(VarIsNull(F("Small")->AsVariant()));
  EXPECT_EQ(F("Whole")->AsVariant().AsInteger(), -123456);
  Kinds.Edit();
  F("Whole")->Clear();
  F("Ratio")->SetValue(Variant(7));
  Kinds.Post();
  EXPECT_TRUE(F("Whole")->IsNull());
  EXPECT_EQ(F("Ratio")->AsFloat(), 7.0);
}

TEST_F(FieldKinds, BlobsRoundTripThroughStreams) {
  String bytes;
  for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i * 7);
  TStringStream in(bytes);
  in.SetPosition(500); // the whole stream is loaded, not what follows its position
  static_cast<TBlobField*>(F("Raw"))->LoadFromStream(&in);
  TStringList lines;
  lines.Add("first");
  lines.Add("second");
  F("Styled")->Assign(&lines);
  PostAndReopen();
  auto* raw = static_cast<TBlobField*>(F("Raw"));
  EXPECT_EQ(raw->BlobSize(), 1000);
  TStringStream out;
  raw->SaveToStream(&out);
  EXPECT_EQ(out.DataString(), bytes);
  TStringList back;
  back.Assign(F("Styled"));
  EXPECT_EQ(back.CommaText(), "first,second");
}

TEST_F(FieldKinds, PictureLoadsFromAGraphicField) {
  const String file = String(LUM_TESTS_DIR) + "/resources/Checker.bmp";
  TPicture original;
  original.LoadFromFile(file);
  static_cast<TBlobField*>(F("Photo"))->LoadFromFile(file);
  PostAndReopen();
  TPicture picture;
  picture.Assign(F("Photo"));
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), original.Width());
  EXPECT_EQ(picture.Height(), original.Height());
  EXPECT_EQ(picture.Bitmap()->ToRaster().Pixels, original.Bitmap()->ToRaster().Pixels);
  TBitmap bitmap;
  bitmap.Assign(F("Photo"));
  EXPECT_EQ(bitmap.Width(), original.Width());
  // A picture assigned to the field is stored in its own format.
  Kinds.Edit();
  F("Raw")->Assign(&original);
  EXPECT_EQ(F("Raw")->AsString().substr(0, 2), "BM");
  F("Photo")->SetAsString("not a picture");
  EXPECT_THROW(picture.Assign(F("Photo")), EInvalidGraphic);
  EXPECT_EQ(picture.Width(), original.Width()); // the picture stays as it was
}

} // namespace
