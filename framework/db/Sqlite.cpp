#include "framework/db/Sqlite.h"

#include <sqlite3.h>

namespace {

// Texts that contain a zero byte still bind whole.
int ByteCount(const String& AText) { return static_cast<int>(AText.size()); }

String TextOf(const unsigned char* AText, int ASize) {
  return AText ? String(reinterpret_cast<const char*>(AText), static_cast<std::size_t>(ASize))
               : String();
}

String Or(const char* AText) { return AText ? String(AText) : String(); }

} // namespace

TSqliteConnection::TSqliteConnection(const String& AFileName) : FFileName(AFileName) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(AFileName.c_str(), &FHandle, flags, nullptr) != SQLITE_OK) {
    const String reason = FHandle ? sqlite3_errmsg(FHandle) : "out of memory";
    sqlite3_close(FHandle);
    throw EDatabaseError("Cannot open database " + AFileName + ": " + reason);
  }
  sqlite3_extended_result_codes(FHandle, 1);
  sqlite3_busy_timeout(FHandle, 2000);
  try {
    // Reading the schema first reports a file that is no database before anything is written.
    Execute("SELECT count(*) FROM sqlite_schema");
    Execute("PRAGMA journal_mode=WAL");
    Execute("PRAGMA synchronous=NORMAL");
  } catch (const EDatabaseError& e) {
    sqlite3_close(FHandle);
    FHandle = nullptr;
    throw EDatabaseError("Cannot open database " + AFileName + ": " + e.Message());
  }
}

TSqliteConnection::~TSqliteConnection() { sqlite3_close(FHandle); }

void TSqliteConnection::Execute(const String& ASql) {
  char* error = nullptr;
  if (sqlite3_exec(FHandle, ASql.c_str(), nullptr, nullptr, &error) == SQLITE_OK) return;
  const String reason = error ? error : sqlite3_errmsg(FHandle);
  sqlite3_free(error);
  throw EDatabaseError(reason);
}

Int64 TSqliteConnection::LastInsertRowId() const { return sqlite3_last_insert_rowid(FHandle); }

Int64 TSqliteConnection::Changes() const { return sqlite3_changes(FHandle); }

bool TSqliteConnection::InTransaction() const { return sqlite3_get_autocommit(FHandle) == 0; }

bool TSqliteConnection::LastErrorIsKeyViolation() const {
  const int code = sqlite3_extended_errcode(FHandle);
  return code == SQLITE_CONSTRAINT_PRIMARYKEY || code == SQLITE_CONSTRAINT_UNIQUE ||
         code == SQLITE_CONSTRAINT_ROWID;
}

bool TSqliteConnection::LastErrorIsMissingValue() const {
  return sqlite3_extended_errcode(FHandle) == SQLITE_CONSTRAINT_NOTNULL;
}

void TSqliteConnection::RaiseError(const String& AContext) const {
  const String reason = sqlite3_errmsg(FHandle);
  throw EDatabaseError(AContext.empty() ? reason : AContext + ": " + reason);
}

TSqliteStatement::TSqliteStatement(TSqliteConnection& AConnection, const String& ASql)
    : FConnection(AConnection) {
  if (sqlite3_prepare_v2(AConnection.Handle(), ASql.c_str(), ByteCount(ASql), &FStatement,
                         nullptr) != SQLITE_OK)
    AConnection.RaiseError("");
}

TSqliteStatement::TSqliteStatement(TSqliteConnection& AConnection, const char* ASql,
                                   const char*& ATail)
    : FConnection(AConnection) {
  if (sqlite3_prepare_v2(AConnection.Handle(), ASql, -1, &FStatement, &ATail) != SQLITE_OK)
    AConnection.RaiseError("");
}

TSqliteStatement::~TSqliteStatement() { sqlite3_finalize(FStatement); }

void TSqliteStatement::Bind(int AIndex, const TFieldValue& AValue, bool ABytes) {
  int rc = SQLITE_OK;
  if (IsNullValue(AValue))
    rc = sqlite3_bind_null(FStatement, AIndex);
  else if (const auto* i = std::get_if<Int64>(&AValue))
    rc = sqlite3_bind_int64(FStatement, AIndex, *i);
  else if (const auto* d = std::get_if<double>(&AValue))
    rc = sqlite3_bind_double(FStatement, AIndex, *d);
  else if (ABytes)
    rc = sqlite3_bind_blob64(FStatement, AIndex, std::get<String>(AValue).data(),
                             std::get<String>(AValue).size(), SQLITE_TRANSIENT);
  else
    rc = sqlite3_bind_text64(FStatement, AIndex, std::get<String>(AValue).data(),
                             std::get<String>(AValue).size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  if (rc != SQLITE_OK) FConnection.RaiseError("");
}

int TSqliteStatement::ParameterCount() const { return sqlite3_bind_parameter_count(FStatement); }

String TSqliteStatement::ParameterName(int AIndex) const {
  const String name = Or(sqlite3_bind_parameter_name(FStatement, AIndex));
  return name.empty() ? name : name.substr(1);
}

bool TSqliteStatement::Step() {
  const int rc = sqlite3_step(FStatement);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  FConnection.RaiseError("");
}

void TSqliteStatement::Reset() {
  sqlite3_reset(FStatement);
  sqlite3_clear_bindings(FStatement);
}

int TSqliteStatement::ColumnCount() const { return sqlite3_column_count(FStatement); }

String TSqliteStatement::ColumnName(int AIndex) const {
  return Or(sqlite3_column_name(FStatement, AIndex));
}

String TSqliteStatement::ColumnDeclType(int AIndex) const {
  return Or(sqlite3_column_decltype(FStatement, AIndex));
}

String TSqliteStatement::ColumnTableName(int AIndex) const {
  return Or(sqlite3_column_table_name(FStatement, AIndex));
}

String TSqliteStatement::ColumnOriginName(int AIndex) const {
  return Or(sqlite3_column_origin_name(FStatement, AIndex));
}

bool TSqliteStatement::ColumnIsNull(int AIndex) const {
  return sqlite3_column_type(FStatement, AIndex) == SQLITE_NULL;
}

Int64 TSqliteStatement::ColumnInt(int AIndex) const {
  return sqlite3_column_int64(FStatement, AIndex);
}

double TSqliteStatement::ColumnFloat(int AIndex) const {
  return sqlite3_column_double(FStatement, AIndex);
}

String TSqliteStatement::ColumnText(int AIndex) const {
  const unsigned char* text = sqlite3_column_text(FStatement, AIndex);
  return TextOf(text, sqlite3_column_bytes(FStatement, AIndex));
}

String TSqliteStatement::ColumnBytes(int AIndex) const {
  const void* bytes = sqlite3_column_blob(FStatement, AIndex);
  return TextOf(static_cast<const unsigned char*>(bytes), sqlite3_column_bytes(FStatement, AIndex));
}

TFieldValue TSqliteStatement::Column(int AIndex, TValueKind AKind) const {
  if (ColumnIsNull(AIndex)) return {};
  switch (AKind) {
  case TValueKind::Whole:
    return ColumnInt(AIndex);
  case TValueKind::Real:
    return ColumnFloat(AIndex);
  case TValueKind::Text:
    return ColumnText(AIndex);
  case TValueKind::Bytes:
    return ColumnBytes(AIndex);
  }
  return {};
}

TFieldValue TSqliteStatement::ColumnAsStored(int AIndex) const {
  switch (sqlite3_column_type(FStatement, AIndex)) {
  case SQLITE_INTEGER:
    return ColumnInt(AIndex);
  case SQLITE_FLOAT:
    return ColumnFloat(AIndex);
  case SQLITE_TEXT:
    return ColumnText(AIndex);
  case SQLITE_BLOB:
    return ColumnBytes(AIndex);
  default:
    return {};
  }
}

String QuoteIdentifier(const String& AName) {
  String quoted = "\"";
  for (char c : AName) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}
