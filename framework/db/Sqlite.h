#pragma once

#include "framework/db/DbTypes.h"

#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// One SQLite connection. Errors raise EDatabaseError naming the file and SQLite's reason.
class TSqliteConnection {
public:
  // Opens (creating when missing) the database file; a file that is no database raises.
  explicit TSqliteConnection(const String& AFileName);
  ~TSqliteConnection();
  TSqliteConnection(const TSqliteConnection&) = delete;
  TSqliteConnection& operator=(const TSqliteConnection&) = delete;

  sqlite3* Handle() const { return FHandle; }
  const String& FileName() const { return FFileName; }
  void Execute(const String& ASql); // statements without parameters or rows
  Int64 LastInsertRowId() const;
  Int64 Changes() const;
  bool InTransaction() const;
  // What the last failure was: a duplicate key, or a missing value in a required field.
  bool LastErrorIsKeyViolation() const;
  bool LastErrorIsMissingValue() const;
  [[noreturn]] void RaiseError(const String& AContext) const;

private:
  sqlite3* FHandle = nullptr;
  String FFileName;
};

// A prepared statement; Step answers whether a row is there.
class TSqliteStatement {
public:
  TSqliteStatement(TSqliteConnection& AConnection, const String& ASql);
  // The first statement of the text; ATail receives what follows it.
  TSqliteStatement(TSqliteConnection& AConnection, const char* ASql, const char*& ATail);
  ~TSqliteStatement();
  TSqliteStatement(const TSqliteStatement&) = delete;
  TSqliteStatement& operator=(const TSqliteStatement&) = delete;

  bool Empty() const { return FStatement == nullptr; } // only blanks or comments
  void Bind(int AIndex, const TFieldValue& AValue, bool ABytes = false);
  int ParameterCount() const;
  String ParameterName(int AIndex) const; // without its ':', "" for '?'
  bool Step();
  void Reset();
  int ColumnCount() const;
  String ColumnName(int AIndex) const;
  String ColumnDeclType(int AIndex) const;
  String ColumnTableName(int AIndex) const;
  String ColumnOriginName(int AIndex) const;
  bool ColumnIsNull(int AIndex) const;
  Int64 ColumnInt(int AIndex) const;
  double ColumnFloat(int AIndex) const;
  String ColumnText(int AIndex) const;
  String ColumnBytes(int AIndex) const;
  TFieldValue Column(int AIndex, TValueKind AKind) const;
  // The column as stored: an integer, a float, a text or a blob.
  TFieldValue ColumnAsStored(int AIndex) const;

private:
  TSqliteConnection& FConnection;
  sqlite3_stmt* FStatement = nullptr;
};

// Double quotes around a name, inner ones doubled.
String QuoteIdentifier(const String& AName);
