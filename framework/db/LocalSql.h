#pragma once

#include "framework/db/DbTypes.h"

#include <optional>

// The local SQL statements that name table files: CREATE TABLE, CREATE [UNIQUE] INDEX and
// DROP TABLE, with the table given as a name or as a quoted path of a table file
// ("C:\dir\Table.db"; either separator; a ".db" extension is dropped).
struct TLocalStatement {
  enum TKind { CreateTable, CreateIndex, DropTable } Kind = CreateTable;
  String Directory; // from a path; empty for a plain name
  TTableDef Table;  // CreateTable: the table; the others: only its name
  TIndexDef Index;  // CreateIndex
};

// The statement, when ASql is one of them. A quoted path makes it ours for certain, and a
// mistake in it raises EDatabaseError; with a plain name, text that does not parse as local
// SQL answers nullopt and goes to SQLite as it is.
std::optional<TLocalStatement> ParseLocalStatement(const String& ASql);

// A path with backslashes as separators, as the platform's paths are written.
String NormalizePath(const String& APath);
// A table file's path split into directory and table name ("" for a bare name).
void SplitTablePath(const String& APath, String& ADirectory, String& ATable);
