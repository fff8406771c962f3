#pragma once

#include "framework/db/DBDataSet.h"
#include "framework/db/Sqlite.h"
#include "framework/rtl/Variant.h"

#include <memory>

LUM_ENUM(TIndexOption, ixPrimary, ixUnique, ixDescending, ixCaseInsensitive);
using TIndexOptions = TSet<TIndexOption>;

// The layout a table is created with (CreateTable).
class TFieldDefs {
public:
  void Add(const String& AName, TFieldType ADataType, Integer ASize = 0, bool ARequired = false);
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TFieldDef& Items(int AIndex) const { return FItems.at(static_cast<std::size_t>(AIndex)); }
  const std::vector<TFieldDef>& List() const { return FItems; }

private:
  std::vector<TFieldDef> FItems;
};

class TIndexDefs {
public:
  // AFields: "A;B". ixPrimary makes it the primary key (its name is then ignored).
  void Add(const String& AName, const String& AFields, TIndexOptions AOptions);
  void Clear() { FItems.clear(); }
  int Count() const { return static_cast<int>(FItems.size()); }
  const TIndexDef& Items(int AIndex) const { return FItems.at(static_cast<std::size_t>(AIndex)); }
  const std::vector<TIndexDef>& List() const { return FItems; }

private:
  std::vector<TIndexDef> FItems;
};

// A table file of a database directory. The records are in the order of IndexName (or of
// IndexFieldNames), else of the primary key, else as inserted. TableName ignores letter
// case and may be a path ("dir/Table.db").
class TTable : public TDBDataSet {
  LUM_CLASS(TTable, TDBDataSet)
public:
  explicit TTable(TComponent* AOwner);
  ~TTable() override;

  LUM_PUBLISHED(String, TableName, FTableName, SetTableName, NoDefault)
  LUM_PUBLISHED(String, IndexName, FIndexName, SetIndexName, NoDefault)
  LUM_PUBLISHED(String, IndexFieldNames, FIndexFieldNames, SetIndexFieldNames, NoDefault)
  LUM_PUBLISHED(bool, ReadOnly, FReadOnly, SetReadOnly, Default(false))
  void SetTableName(const String& AValue);
  void SetIndexName(const String& AValue); // EDatabaseError for an index the table lacks
  void SetIndexFieldNames(const String& AValue);
  void SetReadOnly(bool AValue);

  bool CanModify() const override { return !FReadOnly; }
  bool Exists();
  void CreateTable(); // from FieldDefs and IndexDefs
  void DeleteTable();
  TFieldDefs& FieldDefs() { return FFieldDefs; }
  TIndexDefs& IndexDefs() { return FIndexDefs; }
  // The index names of the table (the primary key has none).
  void GetIndexNames(TStrings* AList);

  // Key search on the fields of the active order: SetKey, assign the key fields, GotoKey.
  // Key fields left unassigned at the end are not compared.
  void SetKey();
  void EditKey();
  bool GotoKey();     // moves and answers true when found; else the cursor stays
  void GotoNearest(); // the first record not less than the key
  bool FindKey(const std::vector<Variant>& AKeyValues);
  void FindNearest(const std::vector<Variant>& AKeyValues);

protected:
  void InternalOpen(std::vector<TFieldDef>& AFields, std::vector<TDataRecord>& ARecords) override;
  void InternalClose() override;
  void InternalInsert(TDataRecord& ARecord) override;
  void InternalUpdate(const TDataRecord& AOld, TDataRecord& ARecord) override;
  void InternalDelete(const TDataRecord& ARecord) override;
  std::vector<int> OrderFields() const override;
  // EDatabaseError naming the index and a field of it that the table lacks.
  std::vector<int> IndexFieldNumbers(const TIndexDef& AIndex) const;

private:
  TDatabaseFile& TableDatabase(String& ATable);
  void CheckIndex(const TTableDef& ADef) const;
  std::vector<TFieldValue> KeyValues();
  void AssignKey(const std::vector<Variant>& AKeyValues);
  int RowIdField() const; // the AUTOINC key that is the row identity, or -1
  void Run(TSqliteStatement& AStatement, const char* AAction);
  TSqliteStatement& InsertStatement();
  TSqliteStatement& UpdateStatement();
  String StorageTableName() const;

  String FTableName;
  String FIndexName;
  String FIndexFieldNames;
  bool FReadOnly = false;
  TFieldDefs FFieldDefs;
  TIndexDefs FIndexDefs;
  TTableDef FDef;
  std::shared_ptr<TDatabaseFile> FTableDatabase;
  std::unique_ptr<TSqliteStatement> FInsert, FUpdate, FDelete;
};
