#pragma once

#include "framework/db/DbTypes.h"
#include "framework/db/Sqlite.h"

#include <optional>

// The database of one alias directory: a SQLite file holding every table file of the
// directory, and a small catalogue of the declared field kinds and the indexes.
class TDatabaseFile {
public:
  static constexpr const char* FileName = "lumtools.sqlite";

  // EDatabaseError when the directory is missing or its file is no database; a file that
  // cannot be read is never written.
  explicit TDatabaseFile(const String& ADirectory);

  const String& Directory() const { return FDirectory; }
  TSqliteConnection& Connection() { return FConnection; }

  // The stored name of a table, letter case ignored.
  std::optional<String> FindTableName(const String& AName);
  // EDatabaseError "Table 'X' does not exist" naming the directory.
  TTableDef TableDef(const String& AName);
  std::vector<String> TableNames();
  // EDatabaseError for an existing table, duplicate fields, or key fields that do not exist.
  void CreateTable(const TTableDef& ADef);
  void CreateIndex(const String& ATable, const TIndexDef& AIndex);
  void DropTable(const String& AName);

private:
  void CreateCatalogue();
  void WriteCatalogue(const TTableDef& ADef);
  std::vector<TFieldDef> ReadFields(const String& ATable, std::vector<String>& APrimaryKey);
  std::vector<TIndexDef> ReadIndexes(const String& ATable);
  String ColumnDefinition(const TFieldDef& AField, bool AInKey, bool ARowIdKey) const;
  template <class F> void InSavepoint(F AAction);

  String FDirectory;
  TSqliteConnection FConnection;
};
