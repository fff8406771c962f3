#include "framework/db/DBDataSet.h"

#include "framework/db/Session.h"

TDBDataSet::TDBDataSet(TComponent* AOwner) : TDataSet(AOwner) {}

void TDBDataSet::SetDatabaseName(const String& AValue) {
  if (AValue == FDatabaseName) return;
  CheckInactive();
  FDatabaseName = AValue;
  FDatabase.reset();
}

TDatabaseFile& TDBDataSet::Database() {
  if (!FDatabase) FDatabase = Session->OpenDatabase(FDatabaseName);
  return *FDatabase;
}
