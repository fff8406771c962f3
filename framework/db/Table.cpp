#include "framework/db/Table.h"

#include "framework/classes/StringList.h"
#include "framework/db/LocalSql.h"
#include "framework/db/Session.h"
#include "framework/rtl/Strings.h"

namespace {

std::vector<String> SplitNames(const String& ANames) {
  std::vector<String> names;
  String name;
  for (char c : ANames + ";") {
    if (c != ';') {
      name += c;
    } else {
      if (!Trim(name).empty()) names.push_back(Trim(name));
      name.clear();
    }
  }
  return names;
}

// Resets the statement however the step ends.
class TStepGuard {
public:
  explicit TStepGuard(TSqliteStatement& AStatement) : FStatement(AStatement) {}
  ~TStepGuard() { FStatement.Reset(); }
  TStepGuard(const TStepGuard&) = delete;
  TStepGuard& operator=(const TStepGuard&) = delete;

private:
  TSqliteStatement& FStatement;
};

} // namespace

void TFieldDefs::Add(const String& AName, TFieldType ADataType, Integer ASize, bool ARequired) {
  FItems.push_back(TFieldDef{AName, ADataType, ASize, ARequired});
}

void TIndexDefs::Add(const String& AName, const String& AFields, TIndexOptions AOptions) {
  const bool primary = AOptions.Contains(ixPrimary);
  FItems.push_back(TIndexDef{primary ? String() : AName, SplitNames(AFields), primary,
                             primary || AOptions.Contains(ixUnique)});
}

TTable::TTable(TComponent* AOwner) : TDBDataSet(AOwner) {}

TTable::~TTable() { Close(); }

void TTable::SetTableName(const String& AValue) {
  if (AValue == FTableName) return;
  CheckInactive();
  FTableName = AValue;
}

void TTable::SetIndexName(const String& AValue) {
  if (AValue == FIndexName && FIndexFieldNames.empty()) return;
  if (Active() && !AValue.empty()) {
    const TIndexDef* index = FDef.FindIndex(AValue);
    if (!index) DatabaseError("Index '" + AValue + "' does not exist on table " + FDef.Name);
    IndexFieldNumbers(*index);
  }
  FIndexName = AValue;
  FIndexFieldNames.clear();
  Reorder();
}

void TTable::SetIndexFieldNames(const String& AValue) {
  if (AValue == FIndexFieldNames) return;
  if (Active()) FieldIndexes(AValue); // every field must exist
  FIndexFieldNames = AValue;
  if (!AValue.empty()) FIndexName.clear();
  Reorder();
}

void TTable::SetReadOnly(bool AValue) {
  if (AValue == FReadOnly) return;
  CheckInactive();
  FReadOnly = AValue;
}

TDatabaseFile& TTable::TableDatabase(String& ATable) {
  if (FTableName.empty()) DatabaseError("Missing TableName property");
  String directory;
  SplitTablePath(FTableName, directory, ATable);
  if (directory.empty()) {
    Database();
    FTableDatabase = FDatabase;
  } else {
    FTableDatabase = Session->OpenDirectory(directory);
  }
  return *FTableDatabase;
}

bool TTable::Exists() {
  String table;
  return TableDatabase(table).FindTableName(table).has_value();
}

void TTable::CreateTable() {
  CheckInactive();
  String table;
  TDatabaseFile& database = TableDatabase(table);
  TTableDef def;
  def.Name = table;
  def.Fields = FFieldDefs.List();
  for (const TIndexDef& index : FIndexDefs.List())
    def.Indexes.insert(index.Primary ? def.Indexes.begin() : def.Indexes.end(), index);
  database.CreateTable(def);
}

void TTable::DeleteTable() {
  CheckInactive();
  String table;
  TableDatabase(table).DropTable(table);
}

void TTable::GetIndexNames(TStrings* AList) {
  String table;
  const TTableDef def = Active() ? FDef : TableDatabase(table).TableDef(table);
  AList->Clear();
  for (const TIndexDef& index : def.Indexes)
    if (!index.Primary) AList->Add(index.Name);
}

void TTable::CheckIndex(const TTableDef& ADef) const {
  if (!FIndexName.empty() && !ADef.FindIndex(FIndexName))
    DatabaseError("Index '" + FIndexName + "' does not exist on table " + ADef.Name);
}

String TTable::StorageTableName() const { return QuoteIdentifier(FDef.Name); }

void TTable::InternalOpen(std::vector<TFieldDef>& AFields, std::vector<TDataRecord>& ARecords) {
  String table;
  TDatabaseFile& database = TableDatabase(table);
  FDef = database.TableDef(table);
  CheckIndex(FDef);
  String columns = "rowid";
  for (const TFieldDef& f : FDef.Fields) columns += ", " + QuoteIdentifier(f.Name);
  TSqliteStatement select(database.Connection(),
                          "SELECT " + columns + " FROM " + StorageTableName());
  ARecords.clear();
  while (select.Step()) {
    TDataRecord record{select.ColumnInt(0), {}};
    record.Values.reserve(FDef.Fields.size());
    for (std::size_t i = 0; i < FDef.Fields.size(); ++i)
      record.Values.push_back(
          select.Column(static_cast<int>(i) + 1, ValueKindOf(FDef.Fields[i].DataType)));
    ARecords.push_back(std::move(record));
  }
  AFields = FDef.Fields;
}

void TTable::InternalClose() {
  FInsert.reset();
  FUpdate.reset();
  FDelete.reset();
}

std::vector<int> TTable::OrderFields() const {
  if (!FIndexFieldNames.empty()) return FieldIndexes(FIndexFieldNames);
  const TIndexDef* index = FIndexName.empty() ? FDef.PrimaryKey() : FDef.FindIndex(FIndexName);
  return index ? IndexFieldNumbers(*index) : std::vector<int>{};
}

std::vector<int> TTable::IndexFieldNumbers(const TIndexDef& AIndex) const {
  std::vector<int> fields;
  for (const String& name : AIndex.Fields) {
    const int field = FDef.FieldIndex(name);
    if (field < 0)
      DatabaseError("Index '" + AIndex.Name + "' of table " + FDef.Name + " names field '" + name +
                    "', which the table does not have");
    fields.push_back(field);
  }
  return fields;
}

int TTable::RowIdField() const {
  const TIndexDef* key = FDef.PrimaryKey();
  if (!key || key->Fields.size() != 1) return -1;
  const int field = FDef.FieldIndex(key->Fields[0]);
  return FDef.Fields[static_cast<std::size_t>(field)].DataType == ftAutoInc ? field : -1;
}

void TTable::Run(TSqliteStatement& AStatement, const char* AAction) {
  TStepGuard guard(AStatement);
  try {
    AStatement.Step();
  } catch (const EDatabaseError& e) {
    TSqliteConnection& connection = FTableDatabase->Connection();
    if (connection.LastErrorIsKeyViolation()) DatabaseError(DbMessages::KeyViolation);
    DatabaseError(String("Cannot ") + AAction + " table " + FDef.Name + ": " + e.Message());
  }
}

TSqliteStatement& TTable::InsertStatement() {
  if (FInsert) return *FInsert;
  const int rowIdField = RowIdField();
  String columns, values;
  int parameter = 0;
  for (std::size_t i = 0; i < FDef.Fields.size(); ++i) {
    if (static_cast<int>(i) == rowIdField) continue;
    columns += (columns.empty() ? "" : ", ") + QuoteIdentifier(FDef.Fields[i].Name);
    values += (values.empty() ? "?" : ", ?") + IntToStr(++parameter);
  }
  const String sql = columns.empty() ? "INSERT INTO " + StorageTableName() + " DEFAULT VALUES"
                                     : "INSERT INTO " + StorageTableName() + " (" + columns +
                                           ") VALUES (" + values + ")";
  FInsert = std::make_unique<TSqliteStatement>(FTableDatabase->Connection(), sql);
  return *FInsert;
}

TSqliteStatement& TTable::UpdateStatement() {
  if (FUpdate) return *FUpdate;
  String assignments;
  for (std::size_t i = 0; i < FDef.Fields.size(); ++i)
    assignments += (assignments.empty() ? "" : ", ") + QuoteIdentifier(FDef.Fields[i].Name) +
                   " = ?" + IntToStr(static_cast<Int64>(i) + 1);
  const String sql = "UPDATE " + StorageTableName() + " SET " + assignments + " WHERE rowid = ?" +
                     IntToStr(static_cast<Int64>(FDef.Fields.size()) + 1);
  FUpdate = std::make_unique<TSqliteStatement>(FTableDatabase->Connection(), sql);
  return *FUpdate;
}

void TTable::InternalInsert(TDataRecord& ARecord) {
  const int rowIdField = RowIdField();
  TSqliteConnection& connection = FTableDatabase->Connection();
  for (std::size_t i = 0; i < FDef.Fields.size(); ++i) {
    if (FDef.Fields[i].DataType != ftAutoInc || static_cast<int>(i) == rowIdField) continue;
    TSqliteStatement next(connection, "SELECT coalesce(max(" +
                                          QuoteIdentifier(FDef.Fields[i].Name) + "), 0) + 1 FROM " +
                                          StorageTableName());
    next.Step();
    ARecord.Values[i] = next.ColumnInt(0);
  }
  TSqliteStatement& insert = InsertStatement();
  int parameter = 0;
  for (std::size_t i = 0; i < FDef.Fields.size(); ++i)
    if (static_cast<int>(i) != rowIdField)
      insert.Bind(++parameter, ARecord.Values[i],
                  ValueKindOf(FDef.Fields[i].DataType) == TValueKind::Bytes);
  Run(insert, "insert into");
  ARecord.RowId = connection.LastInsertRowId();
  if (rowIdField >= 0) ARecord.Values[static_cast<std::size_t>(rowIdField)] = ARecord.RowId;
}

void TTable::InternalUpdate(const TDataRecord& AOld, TDataRecord& ARecord) {
  TSqliteStatement& update = UpdateStatement();
  for (std::size_t i = 0; i < FDef.Fields.size(); ++i)
    update.Bind(static_cast<int>(i) + 1, ARecord.Values[i],
                ValueKindOf(FDef.Fields[i].DataType) == TValueKind::Bytes);
  update.Bind(static_cast<int>(FDef.Fields.size()) + 1, AOld.RowId);
  Run(update, "update");
  if (FTableDatabase->Connection().Changes() == 0) DatabaseError("Record/Key deleted");
  ARecord.RowId = AOld.RowId;
  if (const int rowIdField = RowIdField(); rowIdField >= 0)
    ARecord.RowId = std::get<Int64>(ARecord.Values[static_cast<std::size_t>(rowIdField)]);
}

void TTable::InternalDelete(const TDataRecord& ARecord) {
  if (!FDelete)
    FDelete = std::make_unique<TSqliteStatement>(
        FTableDatabase->Connection(), "DELETE FROM " + StorageTableName() + " WHERE rowid = ?1");
  FDelete->Bind(1, ARecord.RowId);
  Run(*FDelete, "delete from");
}

void TTable::SetKey() {
  CheckBrowseMode();
  KeyBuffer().assign(static_cast<std::size_t>(FieldCount()), TFieldValue{});
  SetState(dsSetKey);
}

void TTable::EditKey() {
  CheckBrowseMode();
  SetState(dsSetKey);
}

std::vector<TFieldValue> TTable::KeyValues() {
  CheckActive();
  if (State() == dsSetKey) SetState(dsBrowse);
  const std::vector<int> order = OrderFields();
  if (order.empty()) DatabaseError(DbMessages::NoActiveIndex);
  std::vector<TFieldValue> key;
  for (int field : order) key.push_back(KeyBuffer()[static_cast<std::size_t>(field)]);
  while (!key.empty() && IsNullValue(key.back())) key.pop_back();
  return key;
}

bool TTable::GotoKey() {
  const std::vector<TFieldValue> key = KeyValues();
  int index = 0;
  if (!FindRecord(key, true, index)) return false;
  MoveToRecord(index);
  return true;
}

void TTable::GotoNearest() {
  const std::vector<TFieldValue> key = KeyValues();
  int index = 0;
  if (FindRecord(key, false, index)) MoveToRecord(index);
}

void TTable::AssignKey(const std::vector<Variant>& AKeyValues) {
  SetKey();
  const std::vector<int> order = OrderFields();
  if (AKeyValues.size() > order.size()) {
    Cancel();
    DatabaseError("More key values than key fields");
  }
  try {
    for (std::size_t i = 0; i < AKeyValues.size(); ++i)
      Fields(order[i])->SetAsVariant(AKeyValues[i]);
  } catch (...) {
    Cancel();
    throw;
  }
}

bool TTable::FindKey(const std::vector<Variant>& AKeyValues) {
  AssignKey(AKeyValues);
  return GotoKey();
}

void TTable::FindNearest(const std::vector<Variant>& AKeyValues) {
  AssignKey(AKeyValues);
  GotoNearest();
}
