#pragma once

#include "framework/classes/Object.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

#include <optional>
#include <variant>
#include <vector>

LUM_ENUM(TFieldType, ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat,
         ftCurrency, ftBCD, ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob,
         ftMemo, ftGraphic, ftFmtMemo);

// The framework's texts for data access errors.
namespace DbMessages {
inline constexpr const char* DataSetClosed = "Cannot perform this operation on a closed dataset";
inline constexpr const char* DataSetOpen = "Cannot perform this operation on an open dataset";
inline constexpr const char* DataSetEmpty = "Cannot perform this operation on an empty dataset";
inline constexpr const char* NotEditing = "Dataset not in edit or insert mode";
inline constexpr const char* ReadOnlyDataSet = "Cannot modify a read-only dataset";
inline constexpr const char* KeyViolation = "Key violation";
inline constexpr const char* NoActiveIndex = "No index currently active";
} // namespace DbMessages

// One stored value: null, an integer (also Booleans), a float (also dates and times), or a
// byte string (texts and blobs).
using TFieldValue = std::variant<std::monostate, Int64, double, String>;

inline bool IsNullValue(const TFieldValue& AValue) {
  return std::holds_alternative<std::monostate>(AValue);
}
// Orders as the storage does: null first, then numbers by value, then byte strings.
int CompareFieldValues(const TFieldValue& A, const TFieldValue& B);

// How a field kind is held in a TFieldValue.
enum class TValueKind { Whole, Real, Text, Bytes };
TValueKind ValueKindOf(TFieldType AType);

// A declared field: its name, kind and size (characters of a CHAR field, else 0).
struct TFieldDef {
  String Name;
  TFieldType DataType = ftUnknown;
  Integer Size = 0;
  bool Required = false;
};

// A key: the primary key has an empty name; the others order by their fields too.
struct TIndexDef {
  String Name;
  std::vector<String> Fields;
  bool Primary = false;
  bool Unique = false;
};

// What a table file holds, as created.
struct TTableDef {
  String Name;
  std::vector<TFieldDef> Fields;
  std::vector<TIndexDef> Indexes; // the primary key (if any) first
  const TIndexDef* PrimaryKey() const;
  const TIndexDef* FindIndex(const String& AName) const; // letter case ignored
  int FieldIndex(const String& AName) const;             // -1 when absent; case ignored
};

// The local SQL name of a kind with its size: "CHAR(20)", "AUTOINC", "MEMO".
String FieldTypeSqlName(TFieldType AType, Integer ASize);
// The kind a local SQL type names ("CHAR(20)", "smallint", "BLOB(0,5)"); nullopt when it
// names none. The size goes to ASize.
std::optional<TFieldType> ParseFieldTypeName(const String& AText, Integer& ASize);
// The framework's type name of a kind: "String", "Smallint", "AutoInc", "Memo", …
String FieldTypeName(TFieldType AType);

[[noreturn]] void DatabaseError(const String& AMessage);
