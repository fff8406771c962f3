#include "framework/db/Query.h"

#include "framework/db/LocalSql.h"
#include "framework/db/Session.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

bool IsBlank(const char* AText) {
  for (; *AText; ++AText)
    if (static_cast<unsigned char>(*AText) > ' ' && *AText != ';') return false;
  return true;
}

int Utf8Length(const String& AText) {
  int count = 0;
  for (unsigned char c : AText)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

// A computed column's kind and size from the values it holds.
TFieldDef FieldFromValues(const String& AName, const std::vector<TDataRecord>& ARecords,
                          std::size_t AColumn) {
  TFieldDef def{AName, ftUnknown, 0, false};
  for (const TDataRecord& r : ARecords) {
    const TFieldValue& v = r.Values[AColumn];
    if (std::holds_alternative<Int64>(v) && def.DataType == ftUnknown) def.DataType = ftInteger;
    if (std::holds_alternative<double>(v) && def.DataType != ftString) def.DataType = ftFloat;
    if (const auto* s = std::get_if<String>(&v)) {
      def.DataType = ftString;
      def.Size = std::max(def.Size, Utf8Length(*s));
    }
  }
  if (def.DataType == ftUnknown || def.DataType == ftString) {
    def.DataType = ftString;
    def.Size = std::max(def.Size, 1);
  }
  return def;
}

} // namespace

TQuery::TQuery(TComponent* AOwner) : TDBDataSet(AOwner), FSQL(std::make_unique<TStringList>()) {
  FSQL->SetOnChange([this](TObject*) { SQLChanged(); });
}

TQuery::~TQuery() {
  Close();
  FSQL->SetOnChange(nullptr);
}

void TQuery::SQLChanged() {
  Close();
  FParams.ParseSQL(FSQL->Text());
}

void TQuery::BindParams(TSqliteStatement& AStatement) {
  for (int i = 1; i <= AStatement.ParameterCount(); ++i) {
    const String name = AStatement.ParameterName(i);
    if (name.empty() || std::isdigit(static_cast<unsigned char>(name[0])))
      DatabaseError("Unnamed parameters are not supported; name them (:Name)");
    const TParam* param = FParams.ParamByName(name);
    if (!param->Bound()) DatabaseError("No value for parameter '" + name + "'");
    const TFieldType type = param->DataType();
    AStatement.Bind(i, param->Data(), type == ftBlob || type == ftGraphic);
  }
}

void TQuery::ExecSQL() {
  const String sql = FSQL->Text();
  if (const std::optional<TLocalStatement> local = ParseLocalStatement(sql)) {
    RunLocal(*local);
    return;
  }
  TSqliteConnection& connection = Database().Connection();
  FRowsAffected = 0;
  const char* next = sql.c_str();
  while (!IsBlank(next)) {
    const char* tail = nullptr;
    TSqliteStatement statement(connection, next, tail);
    next = tail;
    if (statement.Empty()) continue;
    BindParams(statement);
    while (statement.Step()) {
    }
    FRowsAffected += connection.Changes();
  }
}

void TQuery::RunLocal(const TLocalStatement& AStatement) {
  TDatabaseFile& database =
      AStatement.Directory.empty() ? Database() : *Session->OpenDirectory(AStatement.Directory);
  switch (AStatement.Kind) {
  case TLocalStatement::CreateTable:
    database.CreateTable(AStatement.Table);
    break;
  case TLocalStatement::CreateIndex:
    database.CreateIndex(AStatement.Table.Name, AStatement.Index);
    break;
  case TLocalStatement::DropTable:
    database.DropTable(AStatement.Table.Name);
    break;
  }
  FRowsAffected = 0;
}

TFieldDef TQuery::ColumnField(TSqliteStatement& AStatement, int AColumn) {
  const String name = AStatement.ColumnName(AColumn);
  const String table = AStatement.ColumnTableName(AColumn);
  const String origin = AStatement.ColumnOriginName(AColumn);
  if (!table.empty() && !origin.empty()) {
    auto found = FTableDefs.find(table);
    if (found == FTableDefs.end())
      found = FTableDefs.emplace(table, Database().TableDef(table)).first;
    if (const int i = found->second.FieldIndex(origin); i >= 0) {
      TFieldDef def = found->second.Fields[static_cast<std::size_t>(i)];
      def.Name = name;
      def.Required = false;
      return def;
    }
  }
  TFieldDef def{name, ftUnknown, 0, false};
  if (const auto type = ParseFieldTypeName(AStatement.ColumnDeclType(AColumn), def.Size))
    def.DataType = *type;
  return def;
}

void TQuery::InternalOpen(std::vector<TFieldDef>& AFields, std::vector<TDataRecord>& ARecords) {
  const String sql = FSQL->Text();
  const char* tail = nullptr;
  TSqliteStatement statement(Database().Connection(), sql.c_str(), tail);
  if (statement.Empty() || statement.ColumnCount() == 0)
    DatabaseError("The SQL statement returns no result set; run it with ExecSQL");
  if (!IsBlank(tail)) DatabaseError("A query that returns rows must be a single statement");
  BindParams(statement);
  FTableDefs.clear();
  AFields.clear();
  for (int i = 0; i < statement.ColumnCount(); ++i) AFields.push_back(ColumnField(statement, i));
  ARecords.clear();
  while (statement.Step()) {
    TDataRecord record{static_cast<Int64>(ARecords.size()), {}};
    for (int i = 0; i < statement.ColumnCount(); ++i) {
      const TFieldDef& def = AFields[static_cast<std::size_t>(i)];
      record.Values.push_back(def.DataType == ftUnknown
                                  ? statement.ColumnAsStored(i)
                                  : statement.Column(i, ValueKindOf(def.DataType)));
    }
    ARecords.push_back(std::move(record));
  }
  for (std::size_t i = 0; i < AFields.size(); ++i)
    if (AFields[i].DataType == ftUnknown)
      AFields[i] = FieldFromValues(AFields[i].Name, ARecords, i);
}
