#pragma once

#include "framework/classes/StringList.h"
#include "framework/db/DBDataSet.h"
#include "framework/db/Params.h"

#include <map>
#include <memory>

struct TLocalStatement;
class TSqliteStatement;

// SQL on a database. Values travel as parameters (":Name" in the text), never as text.
// CREATE TABLE, CREATE INDEX and DROP TABLE on table files (by name or quoted path) keep the
// catalogue of declared field kinds; every other statement goes to SQLite as it is. The rows
// of a query are read-only.
class TQuery : public TDBDataSet {
  LUM_CLASS(TQuery, TDBDataSet)
public:
  explicit TQuery(TComponent* AOwner);
  ~TQuery() override;

  LUM_PUBLISHED(TStrings*, SQL, FSQL, Field, NoDefault)

  TParams& Params() { return FParams; }
  TParam* ParamByName(const String& AName) const { return FParams.ParamByName(AName); }
  int ParamCount() const { return FParams.Count(); }
  // Runs every statement of the text; for statements that return no rows.
  void ExecSQL();
  Int64 RowsAffected() const { return FRowsAffected; }
  bool CanModify() const override { return false; }

protected:
  void InternalOpen(std::vector<TFieldDef>& AFields, std::vector<TDataRecord>& ARecords) override;

private:
  void SQLChanged();
  void RunLocal(const TLocalStatement& AStatement);
  void BindParams(TSqliteStatement& AStatement);
  TFieldDef ColumnField(TSqliteStatement& AStatement, int AColumn);

  std::unique_ptr<TStringList> FSQL;
  TParams FParams;
  Int64 FRowsAffected = 0;
  std::map<String, TTableDef> FTableDefs; // of the tables a result's columns come from
};
