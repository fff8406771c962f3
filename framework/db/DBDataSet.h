#pragma once

#include "framework/db/DataSet.h"
#include "framework/db/DatabaseFile.h"

#include <memory>

// A data set over a database of the session: DatabaseName is an alias, a directory, or empty
// for the current directory.
class TDBDataSet : public TDataSet {
  LUM_CLASS(TDBDataSet, TDataSet)
public:
  explicit TDBDataSet(TComponent* AOwner);

  LUM_PUBLISHED(String, DatabaseName, FDatabaseName, SetDatabaseName, NoDefault)
  void SetDatabaseName(const String& AValue); // EDatabaseError while open

  // The database file, opened on first use (EDatabaseError when it cannot be).
  TDatabaseFile& Database();

protected:
  std::shared_ptr<TDatabaseFile> FDatabase;

private:
  String FDatabaseName;
};
