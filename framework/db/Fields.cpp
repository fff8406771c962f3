#include "framework/db/Fields.h"

#include "framework/classes/Streams.h"
#include "framework/classes/StringList.h"
#include "framework/db/DataSet.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/graphics/PngImage.h"
#include "framework/rtl/Checked.h"
#include "framework/rtl/DateTime.h"
#include "framework/rtl/FormatDateTime.h"
#include "framework/rtl/Maths.h"
#include "framework/rtl/Strings.h"

#include <cmath>
#include <cstdio>

namespace {

int Utf8Length(const String& AText) {
  int count = 0;
  for (unsigned char c : AText)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

String TrimTrailingBlanks(String AText) {
  while (!AText.empty() && AText.back() == ' ') AText.pop_back();
  return AText;
}

// "2024-05-31", "13:45[:10[.250]]" or both, separated by a blank or a 'T'.
bool ParseIsoDateTime(const String& AText, TDateTime& AResult) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0, used = 0;
  const char* text = AText.c_str();
  TDateTime date = 0, time = 0;
  if (std::sscanf(text, "%4d-%2d-%2d%n", &y, &mo, &d, &used) == 3) {
    if (!TryEncodeDate(static_cast<Word>(y), static_cast<Word>(mo), static_cast<Word>(d), date))
      return false;
    text += used;
    if (*text == ' ' || *text == 'T') ++text;
  }
  if (*text) {
    used = 0;
    const int n = std::sscanf(text, "%2d:%2d%n:%2d%n.%3d%n", &h, &mi, &used, &s, &used, &ms, &used);
    if (n < 2 || text[used] != '\0') return false;
    if (!TryEncodeTime(static_cast<Word>(h), static_cast<Word>(mi), static_cast<Word>(s),
                       static_cast<Word>(ms), time))
      return false;
  } else if (text == AText.c_str()) {
    return false;
  }
  AResult = date < 0 ? date - time : date + time;
  return true;
}

const String* TextOf(const TFieldValue& AValue) { return std::get_if<String>(&AValue); }

Int64 IntOf(const TFieldValue& AValue) {
  if (const auto* i = std::get_if<Int64>(&AValue)) return *i;
  if (const auto* d = std::get_if<double>(&AValue)) return Round(*d);
  return 0;
}

double FloatOf(const TFieldValue& AValue) {
  if (const auto* d = std::get_if<double>(&AValue)) return *d;
  if (const auto* i = std::get_if<Int64>(&AValue)) return static_cast<double>(*i);
  return 0;
}

// The picture bytes without a graphic header (count 1, type 0x0100, size of the rest).
String PictureBytes(const String& ABytes) {
  if (ABytes.size() < 8) return ABytes;
  const auto b = [&](std::size_t i) { return static_cast<unsigned char>(ABytes[i]); };
  const std::uint32_t size =
      b(4) | (b(5) << 8) | (b(6) << 16) | (static_cast<std::uint32_t>(b(7)) << 24);
  const bool header = b(0) == 1 && b(1) == 0 && b(2) == 0 && b(3) == 1 && size == ABytes.size() - 8;
  return header ? ABytes.substr(8) : ABytes;
}

std::unique_ptr<TGraphic> GraphicFor(const String& ABytes) {
  if (ABytes.starts_with("BM")) return std::make_unique<TBitmap>();
  if (ABytes.starts_with("\x89PNG")) return std::make_unique<TPngImage>();
  if (ABytes.starts_with("\xFF\xD8")) return std::make_unique<TJPEGImage>();
  throw EInvalidGraphic("The field holds no picture of a known format (BMP, PNG or JPEG)");
}

void LoadGraphic(TGraphic* AGraphic, const String& ABytes) {
  TMemoryStream stream;
  stream.WriteBuffer(ABytes.data(), static_cast<Int64>(ABytes.size()));
  stream.SetPosition(0);
  AGraphic->LoadFromStream(&stream);
}

String GraphicBytes(TGraphic* AGraphic) {
  TMemoryStream stream;
  AGraphic->SaveToStream(&stream);
  const auto& bytes = stream.Bytes();
  return String(bytes.begin(), bytes.end());
}

} // namespace

// TField

TField::TField(TComponent* AOwner) : TComponent(AOwner) {}

void TField::Bind(TDataSet* ADataSet, int AIndex, const TFieldDef& ADef) {
  FDataSet = ADataSet;
  FIndex = AIndex;
  FFieldName = ADef.Name;
  FDataType = ADef.DataType;
  FSize = ADef.Size;
  FRequired = ADef.Required && ADef.DataType != ftAutoInc;
  if (ADef.DataType == ftString) FDisplayWidth = ADef.Size;
}

bool TField::IsBlob() const { return dynamic_cast<const TBlobField*>(this) != nullptr; }

const TFieldValue& TField::Data() const { return FDataSet->FieldData(FIndex); }

void TField::SetData(TFieldValue AValue) {
  FDataSet->CheckFieldWrite(this);
  FDataSet->StoreFieldData(this, Prepared(std::move(AValue), FDataSet->State() == dsSetKey));
}

TFieldValue TField::Prepared(TFieldValue AValue, bool) const { return AValue; }

bool TField::IsNull() const { return IsNullValue(Data()); }

void TField::Clear() { SetData({}); }

void TField::AccessError(const char* ATypeName) const {
  throw EDatabaseError("Cannot access field '" + DisplayName() + "' as type " + ATypeName);
}

String TField::GetAsString() const {
  const TFieldValue& v = Data();
  if (const String* s = TextOf(v)) return *s;
  if (const auto* i = std::get_if<Int64>(&v)) return IntToStr(*i);
  if (const auto* d = std::get_if<double>(&v)) return FloatToStr(*d);
  return {};
}

Integer TField::GetAsInteger() const { AccessError("Integer"); }
double TField::GetAsFloat() const { AccessError("Float"); }
bool TField::GetAsBoolean() const { AccessError("Boolean"); }
TDateTime TField::GetAsDateTime() const { AccessError("DateTime"); }

Variant TField::GetAsVariant() const {
  if (IsNull()) return Null();
  return Variant(GetAsString());
}

void TField::SetAsString(const String& AValue) { SetData(AValue); }
void TField::SetAsInteger(Integer) { AccessError("Integer"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }

void TField::SetAsVariant(const Variant& AValue) {
  switch (AValue.VType()) {
  case varEmpty:
  case varNull:
    Clear();
    return;
  case varBoolean:
    SetAsBoolean(AValue.AsBoolean());
    return;
  case varDate:
    SetAsDateTime(AValue.AsDateTime());
    return;
  case varSmallint:
  case varInteger:
  case varByte:
  case varInt64:
    SetAsInteger(AValue.AsInteger());
    return;
  case varSingle:
  case varDouble:
  case varCurrency:
    SetAsFloat(AValue.AsDouble());
    return;
  default:
    SetAsString(AValue.AsString());
    return;
  }
}

// TStringField

TStringField::TStringField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftString); }

String TStringField::IntToText(Integer AValue) { return IntToStr(AValue); }

void TStringField::SetAsFloat(double AValue) { SetAsString(FloatToStr(AValue)); }

Integer TStringField::GetAsInteger() const { return StrToInt(GetAsString()); }

double TStringField::GetAsFloat() const { return StrToFloat(GetAsString()); }

bool TStringField::GetAsBoolean() const {
  const String s = GetAsString();
  return !s.empty() && (s[0] == 'T' || s[0] == 't' || s[0] == 'Y' || s[0] == 'y');
}

TFieldValue TStringField::Prepared(TFieldValue AValue, bool AKeyMode) const {
  const String* text = TextOf(AValue);
  if (!text) return AValue;
  String trimmed = TrimTrailingBlanks(*text);
  const int length = Utf8Length(trimmed);
  if (!AKeyMode && length > Size())
    throw EDatabaseError("A value of " + IntToStr(length) + " characters is too long for field '" +
                         DisplayName() + "' (at most " + IntToStr(Size()) + ")");
  return trimmed;
}

// TIntegerField

TIntegerField::TIntegerField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftInteger); }

void TIntegerField::SetAsString(const String& AValue) {
  const String text = Trim(AValue);
  if (text.empty()) return Clear();
  Int64 value = 0;
  if (!TryStrToInt64(text, value))
    throw EConvertError("'" + AValue + "' is not a valid integer value");
  SetData(value);
}

void TIntegerField::SetAsInteger(Integer AValue) { SetData(Int64{AValue}); }

void TIntegerField::SetAsFloat(double AValue) {
  if (!(std::fabs(AValue) < 9.0e18))
    throw EDatabaseError(FloatToStr(AValue) + " is not a valid value for field '" + DisplayName() +
                         "'");
  SetData(Round(AValue));
}

String TIntegerField::GetAsString() const { return IsNull() ? String() : IntToStr(IntOf(Data())); }

Integer TIntegerField::GetAsInteger() const { return RangeChecked<Integer>(IntOf(Data())); }

double TIntegerField::GetAsFloat() const { return static_cast<double>(IntOf(Data())); }

Variant TIntegerField::GetAsVariant() const {
  if (IsNull()) return Null();
  return Variant(GetAsInteger());
}

TFieldValue TIntegerField::Prepared(TFieldValue AValue, bool) const {
  if (IsNullValue(AValue)) return AValue;
  const Int64 value = IntOf(AValue);
  Int64 low = FLow, high = FHigh;
  if (FMinValue != 0 || FMaxValue != 0)
    low = std::max<Int64>(low, FMinValue), high = std::min<Int64>(high, FMaxValue);
  if (value < low || value > high)
    throw EDatabaseError(IntToStr(value) + " is not a valid value for field '" + DisplayName() +
                         "'. The allowed range is " + IntToStr(low) + " to " + IntToStr(high));
  return value;
}

TSmallintField::TSmallintField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftSmallint);
  SetRange(-32768, 32767);
}

TWordField::TWordField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftWord);
  SetRange(0, 65535);
}

TAutoIncField::TAutoIncField(TComponent* AOwner) : TIntegerField(AOwner) {
  SetDataType(ftAutoInc);
  SetReadOnly(true);
}

// TFloatField

TFloatField::TFloatField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftFloat); }

void TFloatField::SetAsString(const String& AValue) {
  const String text = Trim(AValue);
  if (text.empty()) return Clear();
  SetAsFloat(StrToFloat(text));
}

void TFloatField::SetAsFloat(double AValue) {
  if (!std::isfinite(AValue))
    throw EDatabaseError("Field '" + DisplayName() + "' cannot hold " + FloatToStr(AValue));
  SetData(AValue);
}

String TFloatField::GetAsString() const { return IsNull() ? String() : FloatToStr(GetAsFloat()); }

Integer TFloatField::GetAsInteger() const {
  const double value = GetAsFloat();
  if (!(std::fabs(value) < 2.2e9)) throw ERangeError(RtlMessages::RangeError);
  return RangeChecked<Integer>(Round(value));
}

double TFloatField::GetAsFloat() const { return FloatOf(Data()); }

Variant TFloatField::GetAsVariant() const {
  if (IsNull()) return Null();
  return Variant(GetAsFloat());
}

// TBooleanField

TBooleanField::TBooleanField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBoolean); }

void TBooleanField::SetAsString(const String& AValue) {
  const String text = UpperCase(Trim(AValue));
  if (text.empty()) return Clear();
  if (text == "TRUE" || text == "T" || text == "YES" || text == "Y") return SetAsBoolean(true);
  if (text == "FALSE" || text == "F" || text == "NO" || text == "N") return SetAsBoolean(false);
  throw EDatabaseError("'" + AValue + "' is not a valid boolean value for field '" + DisplayName() +
                       "'");
}

void TBooleanField::SetAsBoolean(bool AValue) { SetData(Int64{AValue ? 1 : 0}); }

String TBooleanField::GetAsString() const {
  if (IsNull()) return {};
  return GetAsBoolean() ? "True" : "False";
}

bool TBooleanField::GetAsBoolean() const { return IntOf(Data()) != 0; }

Variant TBooleanField::GetAsVariant() const {
  if (IsNull()) return Null();
  return Variant(GetAsBoolean());
}

// TDateTimeField

TDateTimeField::TDateTimeField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftDateTime); }

void TDateTimeField::SetAsString(const String& AValue) {
  const String text = Trim(AValue);
  if (text.empty()) return Clear();
  TDateTime value = 0;
  if (!ParseIsoDateTime(text, value))
    throw EConvertError("'" + AValue + "' is not a valid date and time");
  SetAsDateTime(value);
}

void TDateTimeField::SetAsDateTime(TDateTime AValue) {
  if (!std::isfinite(AValue))
    throw EDatabaseError("Field '" + DisplayName() + "' cannot hold this date");
  if (DataType() == ftDate) AValue = std::trunc(AValue);
  if (DataType() == ftTime) AValue = std::fabs(AValue - std::trunc(AValue));
  SetData(AValue);
}

String TDateTimeField::GetAsString() const {
  return IsNull() ? String() : DateTimeToStr(GetAsDateTime());
}

TDateTime TDateTimeField::GetAsDateTime() const { return FloatOf(Data()); }

Variant TDateTimeField::GetAsVariant() const {
  if (IsNull()) return Null();
  return VarFromDateTime(GetAsDateTime());
}

TDateField::TDateField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftDate); }

String TDateField::GetAsString() const { return IsNull() ? String() : DateToStr(GetAsDateTime()); }

TTimeField::TTimeField(TComponent* AOwner) : TDateTimeField(AOwner) { SetDataType(ftTime); }

String TTimeField::GetAsString() const { return IsNull() ? String() : TimeToStr(GetAsDateTime()); }

// TBlobField

TBlobField::TBlobField(TComponent* AOwner) : TField(AOwner) { SetDataType(ftBlob); }

Integer TBlobField::BlobSize() const {
  const String* bytes = TextOf(Data());
  return bytes ? static_cast<Integer>(bytes->size()) : 0;
}

void TBlobField::LoadFromStream(TStream* AStream) {
  AStream->SetPosition(0);
  String bytes(static_cast<std::size_t>(AStream->Size()), '\0');
  AStream->ReadBuffer(bytes.data(), static_cast<Int64>(bytes.size()));
  SetData(std::move(bytes));
}

void TBlobField::SaveToStream(TStream* AStream) const {
  if (const String* bytes = TextOf(Data()))
    AStream->WriteBuffer(bytes->data(), static_cast<Int64>(bytes->size()));
}

void TBlobField::LoadFromFile(const String& AFileName) {
  TFileStream stream(AFileName, fmOpenRead);
  LoadFromStream(&stream);
}

void TBlobField::SaveToFile(const String& AFileName) const {
  TMemoryStream stream;
  SaveToStream(&stream);
  stream.SaveToFile(AFileName);
}

String TBlobField::GetDisplayText() const {
  const String name = FieldTypeName(DataType());
  return "(" + (IsNull() ? name : UpperCase(name)) + ")";
}

void TBlobField::Assign(TPersistent* Source) {
  if (!Source) return Clear();
  if (auto* blob = dynamic_cast<TBlobField*>(Source)) return SetData(blob->Data());
  if (auto* strings = dynamic_cast<TStrings*>(Source)) return SetAsString(strings->Text());
  if (auto* picture = dynamic_cast<TPicture*>(Source)) {
    if (!picture->Graphic()) return Clear();
    return SetData(GraphicBytes(picture->Graphic()));
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Source)) return SetData(GraphicBytes(graphic));
  inherited::Assign(Source);
}

void TBlobField::AssignTo(TPersistent* Dest) {
  const String* bytes = TextOf(Data());
  if (auto* strings = dynamic_cast<TStrings*>(Dest)) {
    strings->SetText(bytes ? *bytes : String());
    return;
  }
  if (auto* picture = dynamic_cast<TPicture*>(Dest)) {
    if (!bytes || bytes->empty()) return picture->Assign(nullptr);
    const String image = PictureBytes(*bytes);
    std::unique_ptr<TGraphic> graphic = GraphicFor(image);
    LoadGraphic(graphic.get(), image);
    picture->SetGraphic(graphic.get());
    return;
  }
  if (auto* graphic = dynamic_cast<TGraphic*>(Dest)) {
    if (!bytes || bytes->empty()) return graphic->Assign(nullptr);
    return LoadGraphic(graphic, PictureBytes(*bytes));
  }
  inherited::AssignTo(Dest);
}

TMemoField::TMemoField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftMemo); }

TGraphicField::TGraphicField(TComponent* AOwner) : TBlobField(AOwner) { SetDataType(ftGraphic); }

std::unique_ptr<TField> CreateField(TFieldType AType) {
  switch (AType) {
  case ftString:
    return std::make_unique<TStringField>(nullptr);
  case ftSmallint:
    return std::make_unique<TSmallintField>(nullptr);
  case ftWord:
    return std::make_unique<TWordField>(nullptr);
  case ftAutoInc:
    return std::make_unique<TAutoIncField>(nullptr);
  case ftBoolean:
    return std::make_unique<TBooleanField>(nullptr);
  case ftFloat:
  case ftCurrency:
  case ftBCD:
    return std::make_unique<TFloatField>(nullptr);
  case ftDate:
    return std::make_unique<TDateField>(nullptr);
  case ftTime:
    return std::make_unique<TTimeField>(nullptr);
  case ftDateTime:
    return std::make_unique<TDateTimeField>(nullptr);
  case ftMemo:
  case ftFmtMemo:
    return std::make_unique<TMemoField>(nullptr);
  case ftGraphic:
    return std::make_unique<TGraphicField>(nullptr);
  case ftBlob:
  case ftBytes:
  case ftVarBytes:
    return std::make_unique<TBlobField>(nullptr);
  default:
    return std::make_unique<TIntegerField>(nullptr);
  }
}
