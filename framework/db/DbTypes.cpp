#include "framework/db/DbTypes.h"

#include "framework/rtl/Strings.h"

#include <cctype>

namespace {

int CompareNumbers(const TFieldValue& A, const TFieldValue& B) {
  if (std::holds_alternative<Int64>(A) && std::holds_alternative<Int64>(B)) {
    const Int64 a = std::get<Int64>(A), b = std::get<Int64>(B);
    return a < b ? -1 : (a > b ? 1 : 0);
  }
  const auto asDouble = [](const TFieldValue& v) {
    return std::holds_alternative<Int64>(v) ? static_cast<double>(std::get<Int64>(v))
                                            : std::get<double>(v);
  };
  const double a = asDouble(A), b = asDouble(B);
  return a < b ? -1 : (a > b ? 1 : 0);
}

int Rank(const TFieldValue& V) {
  if (IsNullValue(V)) return 0;
  return std::holds_alternative<String>(V) ? 2 : 1;
}

struct TTypeName {
  const char* Name;
  TFieldType Type;
};
constexpr TTypeName SqlTypeNames[] = {
    {"AUTOINC", ftAutoInc}, {"SMALLINT", ftSmallint},  {"SHORT", ftSmallint},
    {"INTEGER", ftInteger}, {"INT", ftInteger},        {"LONG", ftInteger},
    {"FLOAT", ftFloat},     {"NUMERIC", ftFloat},      {"DECIMAL", ftFloat},
    {"MONEY", ftCurrency},  {"BOOLEAN", ftBoolean},    {"DATE", ftDate},
    {"TIME", ftTime},       {"TIMESTAMP", ftDateTime}, {"CHAR", ftString},
    {"VARCHAR", ftString},  {"MEMO", ftMemo},          {"FMTMEMO", ftFmtMemo},
    {"GRAPHIC", ftGraphic}, {"BLOB", ftBlob},          {"WORD", ftWord}};

// BLOB(n, s): the sub-type s chooses the kind.
TFieldType BlobSubType(int ASubType) {
  switch (ASubType) {
  case 1:
    return ftMemo;
  case 3:
    return ftFmtMemo;
  case 5:
    return ftGraphic;
  default:
    return ftBlob;
  }
}

std::vector<int> ParseNumberList(const String& AText, bool& AOk) {
  std::vector<int> numbers;
  String current;
  AOk = true;
  for (char c : AText + ",") {
    if (c == ',') {
      Integer n = 0;
      if (!TryStrToInt(Trim(current), n) || n < 0) AOk = false;
      numbers.push_back(n);
      current.clear();
    } else {
      current += c;
    }
  }
  return numbers;
}

} // namespace

int CompareFieldValues(const TFieldValue& A, const TFieldValue& B) {
  const int ra = Rank(A), rb = Rank(B);
  if (ra != rb) return ra < rb ? -1 : 1;
  if (ra == 0) return 0;
  if (ra == 1) return CompareNumbers(A, B);
  const int c = std::get<String>(A).compare(std::get<String>(B));
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

TValueKind ValueKindOf(TFieldType AType) {
  switch (AType) {
  case ftSmallint:
  case ftInteger:
  case ftWord:
  case ftAutoInc:
  case ftBoolean:
    return TValueKind::Whole;
  case ftFloat:
  case ftCurrency:
  case ftBCD:
  case ftDate:
  case ftTime:
  case ftDateTime:
    return TValueKind::Real;
  case ftBlob:
  case ftGraphic:
  case ftBytes:
  case ftVarBytes:
    return TValueKind::Bytes;
  default:
    return TValueKind::Text;
  }
}

const TIndexDef* TTableDef::PrimaryKey() const {
  for (const TIndexDef& index : Indexes)
    if (index.Primary) return &index;
  return nullptr;
}

const TIndexDef* TTableDef::FindIndex(const String& AName) const {
  for (const TIndexDef& index : Indexes)
    if (!index.Primary && SameText(index.Name, AName)) return &index;
  return nullptr;
}

int TTableDef::FieldIndex(const String& AName) const {
  for (std::size_t i = 0; i < Fields.size(); ++i)
    if (SameText(Fields[i].Name, AName)) return static_cast<int>(i);
  return -1;
}

String FieldTypeSqlName(TFieldType AType, Integer ASize) {
  switch (AType) {
  case ftString:
    return "CHAR(" + IntToStr(ASize) + ")";
  case ftSmallint:
    return "SMALLINT";
  case ftWord:
    return "WORD";
  case ftAutoInc:
    return "AUTOINC";
  case ftBoolean:
    return "BOOLEAN";
  case ftFloat:
    return "FLOAT";
  case ftCurrency:
    return "MONEY";
  case ftDate:
    return "DATE";
  case ftTime:
    return "TIME";
  case ftDateTime:
    return "TIMESTAMP";
  case ftMemo:
    return "MEMO";
  case ftFmtMemo:
    return "FMTMEMO";
  case ftGraphic:
    return "GRAPHIC";
  case ftBlob:
    return "BLOB";
  default:
    return "INTEGER";
  }
}

std::optional<TFieldType> ParseFieldTypeName(const String& AText, Integer& ASize) {
  const String text = UpperCase(Trim(AText));
  const auto open = text.find('(');
  const String word = Trim(text.substr(0, open));
  std::vector<int> numbers;
  if (open != String::npos) {
    if (text.back() != ')') return std::nullopt;
    bool ok = false;
    numbers = ParseNumberList(text.substr(open + 1, text.size() - open - 2), ok);
    if (!ok) return std::nullopt;
  }
  for (const TTypeName& entry : SqlTypeNames) {
    if (word != entry.Name) continue;
    ASize = 0;
    if (entry.Type == ftString) {
      if (numbers.size() != 1 || numbers[0] < 1) return std::nullopt;
      ASize = numbers[0];
      return ftString;
    }
    if (entry.Type == ftBlob && numbers.size() == 2) return BlobSubType(numbers[1]);
    if (entry.Type == ftFloat || entry.Type == ftBlob || numbers.empty()) return entry.Type;
    return std::nullopt;
  }
  return std::nullopt;
}

String FieldTypeName(TFieldType AType) {
  static const char* const names[] = {"Unknown", "String",   "Smallint", "Integer",  "Word",
                                      "Boolean", "Float",    "Currency", "BCD",      "Date",
                                      "Time",    "DateTime", "Bytes",    "VarBytes", "AutoInc",
                                      "Blob",    "Memo",     "Graphic",  "FmtMemo"};
  return names[AType];
}

void DatabaseError(const String& AMessage) { throw EDatabaseError(AMessage); }
