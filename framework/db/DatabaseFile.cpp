#include "framework/db/DatabaseFile.h"

#include "framework/rtl/Strings.h"

#include <algorithm>
#include <filesystem>

namespace {

const char* const FieldsCatalogue = "lumtools_fields";
const char* const IndexesCatalogue = "lumtools_indexes";

String OpenDirectory(const String& ADirectory) {
  std::error_code error;
  if (!std::filesystem::is_directory(ADirectory, error))
    throw EDatabaseError("Directory " + ADirectory + " does not exist");
  return ADirectory;
}

String JoinFields(const std::vector<String>& AFields) {
  String joined;
  for (const String& f : AFields) joined += (joined.empty() ? "" : ";") + f;
  return joined;
}

std::vector<String> SplitFields(const String& AText) {
  std::vector<String> fields;
  String current;
  for (char c : AText + ";") {
    if (c != ';') {
      current += c;
    } else if (!current.empty()) {
      fields.push_back(current);
      current.clear();
    }
  }
  return fields;
}

String QuotedList(const std::vector<String>& ANames) {
  String list;
  for (const String& n : ANames) list += (list.empty() ? "" : ", ") + QuoteIdentifier(n);
  return list;
}

const char* StorageType(TFieldType AType) {
  switch (ValueKindOf(AType)) {
  case TValueKind::Whole:
    return AType == ftBoolean ? "BOOLEAN" : "INTEGER";
  case TValueKind::Real:
    return "REAL";
  case TValueKind::Text:
    return "TEXT";
  case TValueKind::Bytes:
    return "BLOB";
  }
  return "BLOB";
}

// A column created without the catalogue: its kind from its declared type.
TFieldDef GuessField(const String& AName, const String& ADeclType) {
  TFieldDef def{AName, ftUnknown, 0, false};
  if (auto type = ParseFieldTypeName(ADeclType, def.Size)) {
    def.DataType = *type;
    return def;
  }
  const String t = UpperCase(ADeclType);
  def.Size = 0;
  if (Pos("INT", t) > 0)
    def.DataType = ftInteger;
  else if (Pos("CHAR", t) > 0 || Pos("TEXT", t) > 0 || Pos("CLOB", t) > 0)
    def.DataType = ftMemo;
  else if (Pos("REAL", t) > 0 || Pos("FLOA", t) > 0 || Pos("DOUB", t) > 0)
    def.DataType = ftFloat;
  else
    def.DataType = ftBlob;
  return def;
}

void CheckTableName(const String& AName) {
  const String lower = LowerCase(AName);
  if (AName.empty() || lower.starts_with("sqlite_") || lower.starts_with("lumtools_"))
    throw EDatabaseError("Invalid table name '" + AName + "'");
}

} // namespace

TDatabaseFile::TDatabaseFile(const String& ADirectory)
    : FDirectory(OpenDirectory(ADirectory)),
      FConnection((std::filesystem::path(ADirectory) / FileName).string()) {
  CreateCatalogue();
}

void TDatabaseFile::CreateCatalogue() {
  FConnection.Execute(String("CREATE TABLE IF NOT EXISTS ") + FieldsCatalogue +
                      " (table_name TEXT NOT NULL COLLATE NOCASE, position INTEGER NOT NULL,"
                      " field_name TEXT NOT NULL, field_type TEXT NOT NULL,"
                      " PRIMARY KEY (table_name, position))");
  FConnection.Execute(String("CREATE TABLE IF NOT EXISTS ") + IndexesCatalogue +
                      " (table_name TEXT NOT NULL COLLATE NOCASE,"
                      " index_name TEXT NOT NULL COLLATE NOCASE, fields TEXT NOT NULL,"
                      " is_unique INTEGER NOT NULL, PRIMARY KEY (table_name, index_name))");
}

template <class F> void TDatabaseFile::InSavepoint(F AAction) {
  FConnection.Execute("SAVEPOINT lumtools_catalogue");
  try {
    AAction();
  } catch (...) {
    FConnection.Execute("ROLLBACK TO lumtools_catalogue");
    FConnection.Execute("RELEASE lumtools_catalogue");
    throw;
  }
  FConnection.Execute("RELEASE lumtools_catalogue");
}

std::optional<String> TDatabaseFile::FindTableName(const String& AName) {
  TSqliteStatement find(FConnection, "SELECT name FROM sqlite_schema WHERE type = 'table'"
                                     " AND name = ?1 COLLATE NOCASE");
  find.Bind(1, AName);
  if (!find.Step()) return std::nullopt;
  return find.ColumnText(0);
}

std::vector<String> TDatabaseFile::TableNames() {
  TSqliteStatement list(FConnection, "SELECT name FROM sqlite_schema WHERE type = 'table' AND"
                                     " name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND"
                                     " name NOT LIKE 'lumtools\\_%' ESCAPE '\\' ORDER BY name");
  std::vector<String> names;
  while (list.Step()) names.push_back(list.ColumnText(0));
  return names;
}

TTableDef TDatabaseFile::TableDef(const String& AName) {
  const std::optional<String> name = FindTableName(AName);
  if (!name || SameText(AName.substr(0, 9), "lumtools_"))
    throw EDatabaseError("Table '" + AName + "' does not exist in " + FDirectory);
  TTableDef def;
  def.Name = *name;
  std::vector<String> primaryKey;
  def.Fields = ReadFields(*name, primaryKey);
  if (!primaryKey.empty()) def.Indexes.push_back(TIndexDef{"", primaryKey, true, true});
  for (TIndexDef& index : ReadIndexes(*name)) def.Indexes.push_back(std::move(index));
  return def;
}

std::vector<TFieldDef> TDatabaseFile::ReadFields(const String& ATable,
                                                 std::vector<String>& APrimaryKey) {
  TSqliteStatement declared(FConnection, String("SELECT field_name, field_type FROM ") +
                                             FieldsCatalogue + " WHERE table_name = ?1");
  declared.Bind(1, ATable);
  std::vector<std::pair<String, String>> types;
  while (declared.Step()) types.emplace_back(declared.ColumnText(0), declared.ColumnText(1));

  TSqliteStatement columns(FConnection, "PRAGMA table_info(" + QuoteIdentifier(ATable) + ")");
  std::vector<TFieldDef> fields;
  std::vector<std::pair<Int64, String>> keyParts;
  while (columns.Step()) {
    const String name = columns.ColumnText(1);
    String declType = columns.ColumnText(2);
    for (const auto& [field, type] : types)
      if (SameText(field, name)) declType = type;
    TFieldDef def = GuessField(name, declType);
    def.Required = columns.ColumnInt(3) != 0;
    if (const Int64 keyPosition = columns.ColumnInt(5); keyPosition > 0)
      keyParts.emplace_back(keyPosition, name);
    fields.push_back(def);
  }
  std::sort(keyParts.begin(), keyParts.end());
  for (const auto& part : keyParts) APrimaryKey.push_back(part.second);
  return fields;
}

std::vector<TIndexDef> TDatabaseFile::ReadIndexes(const String& ATable) {
  TSqliteStatement read(FConnection, String("SELECT index_name, fields, is_unique FROM ") +
                                         IndexesCatalogue +
                                         " WHERE table_name = ?1 ORDER BY index_name");
  read.Bind(1, ATable);
  std::vector<TIndexDef> indexes;
  while (read.Step())
    indexes.push_back(TIndexDef{read.ColumnText(0), SplitFields(read.ColumnText(1)), false,
                                read.ColumnInt(2) != 0});
  return indexes;
}

String TDatabaseFile::ColumnDefinition(const TFieldDef& AField, bool AInKey, bool ARowIdKey) const {
  if (ARowIdKey) return QuoteIdentifier(AField.Name) + " INTEGER PRIMARY KEY AUTOINCREMENT";
  String column = QuoteIdentifier(AField.Name) + " " + StorageType(AField.DataType);
  if (AInKey || AField.Required) column += " NOT NULL";
  return column;
}

void TDatabaseFile::CreateTable(const TTableDef& ADef) {
  CheckTableName(ADef.Name);
  if (ADef.Fields.empty()) throw EDatabaseError("Table '" + ADef.Name + "' needs fields");
  if (FindTableName(ADef.Name))
    throw EDatabaseError("Table '" + ADef.Name + "' already exists in " + FDirectory);
  for (std::size_t i = 0; i < ADef.Fields.size(); ++i) {
    if (ADef.Fields[i].Name.empty()) throw EDatabaseError("A field needs a name");
    if (ADef.FieldIndex(ADef.Fields[i].Name) != static_cast<int>(i))
      throw EDatabaseError("Duplicate field name '" + ADef.Fields[i].Name + "'");
  }
  const TIndexDef* key = ADef.PrimaryKey();
  const std::vector<String> keyFields = key ? key->Fields : std::vector<String>{};
  for (const String& f : keyFields)
    if (ADef.FieldIndex(f) < 0) throw EDatabaseError("Field '" + f + "' not found");
  const bool rowIdKey =
      keyFields.size() == 1 && ADef.Fields[ADef.FieldIndex(keyFields[0])].DataType == ftAutoInc;

  String columns;
  for (const TFieldDef& f : ADef.Fields) {
    const bool inKey = std::any_of(keyFields.begin(), keyFields.end(),
                                   [&](const String& k) { return SameText(k, f.Name); });
    columns += (columns.empty() ? "" : ", ") + ColumnDefinition(f, inKey, inKey && rowIdKey);
  }
  if (!keyFields.empty() && !rowIdKey) columns += ", PRIMARY KEY (" + QuotedList(keyFields) + ")";
  InSavepoint([&] {
    FConnection.Execute("CREATE TABLE " + QuoteIdentifier(ADef.Name) + " (" + columns + ")");
    WriteCatalogue(ADef);
  });
  for (const TIndexDef& index : ADef.Indexes)
    if (!index.Primary) CreateIndex(ADef.Name, index);
}

void TDatabaseFile::WriteCatalogue(const TTableDef& ADef) {
  for (const char* catalogue : {FieldsCatalogue, IndexesCatalogue}) {
    TSqliteStatement stale(FConnection,
                           String("DELETE FROM ") + catalogue + " WHERE table_name = ?1");
    stale.Bind(1, ADef.Name);
    stale.Step();
  }
  TSqliteStatement insert(FConnection,
                          String("INSERT INTO ") + FieldsCatalogue + " VALUES (?1, ?2, ?3, ?4)");
  for (std::size_t i = 0; i < ADef.Fields.size(); ++i) {
    insert.Bind(1, ADef.Name);
    insert.Bind(2, static_cast<Int64>(i));
    insert.Bind(3, ADef.Fields[i].Name);
    insert.Bind(4, FieldTypeSqlName(ADef.Fields[i].DataType, ADef.Fields[i].Size));
    insert.Step();
    insert.Reset();
  }
}

void TDatabaseFile::CreateIndex(const String& ATable, const TIndexDef& AIndex) {
  const TTableDef table = TableDef(ATable);
  if (AIndex.Name.empty()) throw EDatabaseError("An index needs a name");
  if (AIndex.Fields.empty()) throw EDatabaseError("Index '" + AIndex.Name + "' needs fields");
  if (table.FindIndex(AIndex.Name))
    throw EDatabaseError("Index '" + AIndex.Name + "' already exists on table " + table.Name);
  std::vector<String> fields;
  for (const String& f : AIndex.Fields) {
    const int i = table.FieldIndex(f);
    if (i < 0) throw EDatabaseError("Field '" + f + "' not found");
    fields.push_back(table.Fields[static_cast<std::size_t>(i)].Name);
  }
  InSavepoint([&] {
    FConnection.Execute(String(AIndex.Unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                        QuoteIdentifier(table.Name + "$" + AIndex.Name) + " ON " +
                        QuoteIdentifier(table.Name) + " (" + QuotedList(fields) + ")");
    TSqliteStatement insert(FConnection,
                            String("INSERT INTO ") + IndexesCatalogue + " VALUES (?1, ?2, ?3, ?4)");
    insert.Bind(1, table.Name);
    insert.Bind(2, AIndex.Name);
    insert.Bind(3, JoinFields(fields));
    insert.Bind(4, Int64{AIndex.Unique ? 1 : 0});
    insert.Step();
  });
}

void TDatabaseFile::DropTable(const String& AName) {
  const TTableDef table = TableDef(AName);
  InSavepoint([&] {
    FConnection.Execute("DROP TABLE " + QuoteIdentifier(table.Name));
    for (const char* catalogue : {FieldsCatalogue, IndexesCatalogue}) {
      TSqliteStatement remove(FConnection,
                              String("DELETE FROM ") + catalogue + " WHERE table_name = ?1");
      remove.Bind(1, table.Name);
      remove.Step();
    }
  });
}
