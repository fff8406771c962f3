#include "framework/db/DataSet.h"

#include "framework/classes/StringList.h"
#include "framework/db/DataSource.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

const TFieldValue NullValue{};

bool IsEditing(TDataSetState AState) { return AState == dsEdit || AState == dsInsert; }

} // namespace

TDataSet::TDataSet(TComponent* AOwner) : TComponent(AOwner) {}

TDataSet::~TDataSet() {
  const std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* source : sources) source->SetDataSet(nullptr);
  FFields.clear();
}

void TDataSet::SetActive(bool AValue) {
  if (ComponentState().Contains(csLoading)) {
    FStreamedActive = AValue;
    return;
  }
  if (AValue == FActive) return;
  if (AValue)
    DoOpen();
  else
    DoClose();
}

void TDataSet::Loaded() {
  inherited::Loaded();
  if (FStreamedActive) SetActive(true);
}

void TDataSet::DoOpen() {
  Fire(FBeforeOpen);
  std::vector<TFieldDef> defs;
  try {
    InternalOpen(defs, FRecords);
    CreateFields(defs);
    FOrder = OrderFields();
    std::stable_sort(
        FRecords.begin(), FRecords.end(),
        [this](const TDataRecord& a, const TDataRecord& b) { return RecordLess(a, b); });
  } catch (...) {
    FRecords.clear();
    FFields.clear();
    InternalClose();
    throw;
  }
  FActive = true;
  FKeyBuffer.assign(FFields.size(), TFieldValue{});
  SetCursor(FRecords.empty() ? -1 : 0, true, FRecords.empty());
  SetState(dsBrowse);
  Fire(FAfterOpen);
}

void TDataSet::DoClose() {
  Fire(FBeforeClose);
  if (FState != dsBrowse) FModified = false;
  FActive = false;
  SetState(dsInactive);
  InternalClose();
  FFields.clear();
  FRecords.clear();
  FEditRecord = {};
  SetCursor(-1, true, true);
  Fire(FAfterClose);
}

void TDataSet::CreateFields(const std::vector<TFieldDef>& ADefs) {
  FFields.clear();
  for (std::size_t i = 0; i < ADefs.size(); ++i) {
    std::unique_ptr<TField> field = CreateField(ADefs[i].DataType);
    field->Bind(this, static_cast<int>(i), ADefs[i]);
    FFields.push_back(std::move(field));
  }
}

void TDataSet::CheckActive() const {
  if (!FActive) DatabaseError(DbMessages::DataSetClosed);
}

void TDataSet::CheckInactive() const {
  if (FActive) DatabaseError(DbMessages::DataSetOpen);
}

void TDataSet::SetState(TDataSetState AState) {
  if (AState == FState) return;
  FState = AState;
  DataEvent(deUpdateState);
}

void TDataSet::SetCursor(int AIndex, bool ABof, bool AEof) {
  FCurrent = AIndex;
  FBof = ABof;
  FEof = AEof;
}

void TDataSet::Scrolled(int AOldIndex) {
  if (AOldIndex != FCurrent) DataEvent(deDataSetScroll);
  Fire(FAfterScroll);
}

void TDataSet::First() {
  CheckBrowseMode();
  Fire(FBeforeScroll);
  const int old = FCurrent;
  SetCursor(FRecords.empty() ? -1 : 0, true, FRecords.empty());
  Scrolled(old);
}

void TDataSet::Last() {
  CheckBrowseMode();
  Fire(FBeforeScroll);
  const int old = FCurrent;
  SetCursor(static_cast<int>(FRecords.size()) - 1, FRecords.empty(), true);
  Scrolled(old);
}

void TDataSet::Next() { MoveBy(1); }

void TDataSet::Prior() { MoveBy(-1); }

Integer TDataSet::MoveBy(Integer ADistance) {
  CheckBrowseMode();
  if (ADistance == 0 || (ADistance > 0 && FEof) || (ADistance < 0 && FBof)) return 0;
  Fire(FBeforeScroll);
  const int old = FCurrent;
  const int last = static_cast<int>(FRecords.size()) - 1;
  const Int64 target = static_cast<Int64>(FCurrent) + ADistance;
  if (target > last)
    SetCursor(last, FRecords.empty(), true);
  else if (target < 0)
    SetCursor(FRecords.empty() ? -1 : 0, true, FRecords.empty());
  else
    SetCursor(static_cast<int>(target), false, false);
  Scrolled(old);
  return FCurrent - old;
}

Integer TDataSet::RecordCount() const {
  CheckActive();
  return static_cast<Integer>(FRecords.size());
}

Integer TDataSet::RecNo() const {
  if (!FActive || FState == dsInsert) return 0;
  return FCurrent + 1;
}

void TDataSet::Edit() {
  CheckActive();
  if (IsEditing(FState)) return;
  if (FRecords.empty()) return Insert();
  if (!CanModify()) DatabaseError(DbMessages::ReadOnlyDataSet);
  CheckBrowseMode();
  Fire(FBeforeEdit);
  FEditRecord = FRecords[static_cast<std::size_t>(FCurrent)];
  FModified = false;
  SetState(dsEdit);
  DataEvent(deRecordChange);
  Fire(FAfterEdit);
}

void TDataSet::Insert() {
  CheckActive();
  if (!CanModify()) DatabaseError(DbMessages::ReadOnlyDataSet);
  CheckBrowseMode();
  Fire(FBeforeInsert);
  BeginInsert(std::max(FCurrent, 0));
  Fire(FAfterInsert);
}

void TDataSet::Append() {
  CheckActive();
  if (!CanModify()) DatabaseError(DbMessages::ReadOnlyDataSet);
  CheckBrowseMode();
  Fire(FBeforeInsert);
  BeginInsert(static_cast<int>(FRecords.size()));
  Fire(FAfterInsert);
}

void TDataSet::BeginInsert(int APosition) {
  FEditRecord = TDataRecord{0, std::vector<TFieldValue>(FFields.size())};
  FInsertPosition = APosition;
  FModified = false;
  SetState(dsInsert);
  Fire(FOnNewRecord);
  DataEvent(deRecordChange);
}

void TDataSet::Post() {
  CheckActive();
  if (FState == dsSetKey) return SetState(dsBrowse);
  if (!IsEditing(FState)) DatabaseError(DbMessages::NotEditing);
  UpdateRecord();
  Fire(FBeforePost);
  CheckRequiredFields();
  TDataRecord record = FEditRecord;
  if (FState == dsInsert) {
    InternalInsert(record);
    PlaceRecord(std::move(record), -1);
  } else {
    InternalUpdate(FRecords[static_cast<std::size_t>(FCurrent)], record);
    PlaceRecord(std::move(record), FCurrent);
  }
  FModified = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(FAfterPost);
}

void TDataSet::CheckRequiredFields() const {
  for (const auto& field : FFields)
    if (field->Required() &&
        IsNullValue(FEditRecord.Values[static_cast<std::size_t>(field->Index())]))
      DatabaseError("Field '" + field->DisplayName() + "' must have a value");
}

bool TDataSet::RecordLess(const TDataRecord& A, const TDataRecord& B) const {
  for (int i : FOrder) {
    const int c = CompareFieldValues(A.Values[static_cast<std::size_t>(i)],
                                     B.Values[static_cast<std::size_t>(i)]);
    if (c != 0) return c < 0;
  }
  return A.RowId < B.RowId;
}

void TDataSet::PlaceRecord(TDataRecord ARecord, int AOldIndex) {
  if (AOldIndex >= 0) FRecords.erase(FRecords.begin() + AOldIndex);
  const auto at = std::lower_bound(
      FRecords.begin(), FRecords.end(), ARecord,
      [this](const TDataRecord& a, const TDataRecord& b) { return RecordLess(a, b); });
  const auto placed = FRecords.insert(at, std::move(ARecord));
  SetCursor(static_cast<int>(placed - FRecords.begin()), false, false);
}

void TDataSet::Cancel() {
  CheckActive();
  if (FState == dsSetKey) return SetState(dsBrowse);
  if (!IsEditing(FState)) return;
  Fire(FBeforeCancel);
  FEditRecord = {};
  FModified = false;
  SetState(dsBrowse);
  DataEvent(deDataSetChange);
  Fire(FAfterCancel);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert) return Cancel();
  if (FRecords.empty()) DatabaseError(DbMessages::DataSetEmpty);
  if (!CanModify()) DatabaseError(DbMessages::ReadOnlyDataSet);
  if (FState == dsSetKey) SetState(dsBrowse);
  Fire(FBeforeDelete);
  InternalDelete(FRecords[static_cast<std::size_t>(FCurrent)]);
  FRecords.erase(FRecords.begin() + FCurrent);
  FEditRecord = {};
  FModified = false;
  SetState(dsBrowse);
  const int count = static_cast<int>(FRecords.size());
  if (count == 0)
    SetCursor(-1, true, true);
  else if (FCurrent >= count)
    SetCursor(count - 1, false, true);
  else
    SetCursor(FCurrent, false, false);
  DataEvent(deDataSetChange);
  Fire(FAfterDelete);
}

void TDataSet::Refresh() {
  CheckBrowseMode();
  const bool hadRecord = FCurrent >= 0;
  const Int64 rowId = hadRecord ? FRecords[static_cast<std::size_t>(FCurrent)].RowId : 0;
  std::vector<TFieldDef> defs;
  std::vector<TDataRecord> records;
  InternalOpen(defs, records);
  if (defs.size() != FFields.size()) DatabaseError("The table's fields changed; reopen it");
  FRecords = std::move(records);
  Reorder();
  if (hadRecord)
    for (std::size_t i = 0; i < FRecords.size(); ++i)
      if (FRecords[i].RowId == rowId) SetCursor(static_cast<int>(i), false, false);
}

void TDataSet::Reorder() {
  if (!FActive) return;
  CheckBrowseMode();
  const bool hadRecord = FCurrent >= 0 && FCurrent < static_cast<int>(FRecords.size());
  const Int64 rowId = hadRecord ? FRecords[static_cast<std::size_t>(FCurrent)].RowId : 0;
  FOrder = OrderFields();
  std::stable_sort(FRecords.begin(), FRecords.end(),
                   [this](const TDataRecord& a, const TDataRecord& b) { return RecordLess(a, b); });
  SetCursor(FRecords.empty() ? -1 : 0, true, FRecords.empty());
  for (std::size_t i = 0; hadRecord && i < FRecords.size(); ++i)
    if (FRecords[i].RowId == rowId) SetCursor(static_cast<int>(i), false, false);
  DataEvent(deDataSetChange);
}

bool TDataSet::FindRecord(const std::vector<TFieldValue>& AKey, bool AExact, int& AIndex) const {
  const std::size_t parts = std::min(AKey.size(), FOrder.size());
  const auto compare = [&](const TDataRecord& r) {
    for (std::size_t i = 0; i < parts; ++i) {
      const int c = CompareFieldValues(r.Values[static_cast<std::size_t>(FOrder[i])], AKey[i]);
      if (c != 0) return c;
    }
    return 0;
  };
  const auto at = std::partition_point(FRecords.begin(), FRecords.end(),
                                       [&](const TDataRecord& r) { return compare(r) < 0; });
  const bool found = at != FRecords.end() && compare(*at) == 0;
  AIndex = static_cast<int>(at - FRecords.begin());
  if (!AExact && at == FRecords.end()) AIndex = static_cast<int>(FRecords.size()) - 1;
  return AExact ? found : AIndex >= 0;
}

void TDataSet::MoveToRecord(int AIndex) {
  Fire(FBeforeScroll);
  const int old = FCurrent;
  SetCursor(AIndex, false, false);
  Scrolled(old);
}

TBookmarkStr TDataSet::Bookmark() const {
  if (!FActive) return {};
  const int record = FActiveRecord >= 0 ? FActiveRecord : FState == dsInsert ? -1 : FCurrent;
  if (record < 0 || record >= static_cast<int>(FRecords.size())) return {};
  return IntToStr(FRecords[static_cast<std::size_t>(record)].RowId);
}

int TDataSet::BookmarkIndex(const TBookmarkStr& ABookmark) const {
  Int64 rowId = 0;
  if (!FActive || !TryStrToInt64(ABookmark, rowId)) return -1;
  for (std::size_t i = 0; i < FRecords.size(); ++i)
    if (FRecords[i].RowId == rowId) return static_cast<int>(i);
  return -1;
}

void TDataSet::SetBookmark(const TBookmarkStr& ABookmark) {
  CheckBrowseMode();
  const int index = BookmarkIndex(ABookmark);
  if (index < 0) DatabaseError("Record not found");
  MoveToRecord(index);
}

bool TDataSet::BookmarkValid(const TBookmarkStr& ABookmark) const {
  return BookmarkIndex(ABookmark) >= 0;
}

int TDataSet::CompareBookmarks(const TBookmarkStr& A, const TBookmarkStr& B) const {
  Int64 a = 0, b = 0;
  const bool hasA = TryStrToInt64(A, a), hasB = TryStrToInt64(B, b);
  if (!hasA || !hasB) return static_cast<int>(hasA) - static_cast<int>(hasB);
  return a < b ? -1 : a > b ? 1 : 0;
}

void TDataSet::CheckBrowseMode() {
  CheckActive();
  DataEvent(deCheckBrowseMode);
  if (FState == dsSetKey) return SetState(dsBrowse);
  if (!IsEditing(FState)) return;
  UpdateRecord();
  if (FModified)
    Post();
  else
    Cancel();
}

void TDataSet::UpdateRecord() {
  if (!IsEditing(FState) && FState != dsSetKey) DatabaseError(DbMessages::NotEditing);
  DataEvent(deUpdateRecord);
}

TField* TDataSet::Fields(int AIndex) const {
  if (AIndex < 0 || AIndex >= FieldCount())
    throw EListError("List index out of bounds (" + IntToStr(AIndex) + ")");
  return FFields[static_cast<std::size_t>(AIndex)].get();
}

TField* TDataSet::FindField(const String& AFieldName) const {
  for (const auto& field : FFields)
    if (SameText(field->FieldName(), AFieldName)) return field.get();
  return nullptr;
}

TField* TDataSet::FieldByName(const String& AFieldName) const {
  TField* field = FindField(AFieldName);
  if (!field) DatabaseError("Field '" + AFieldName + "' not found");
  return field;
}

void TDataSet::GetFieldNames(TStrings* AList) const {
  AList->Clear();
  for (const auto& field : FFields) AList->Add(field->FieldName());
}

std::vector<int> TDataSet::FieldIndexes(const String& AFieldNames) const {
  std::vector<int> indexes;
  String name;
  for (char c : AFieldNames + ";") {
    if (c != ';') {
      name += c;
      continue;
    }
    if (!Trim(name).empty()) indexes.push_back(FieldByName(Trim(name))->Index());
    name.clear();
  }
  return indexes;
}

void TDataSet::DisableControls() {
  if (FDisableCount++ == 0) FPendingChange = false;
}

void TDataSet::EnableControls() {
  if (FDisableCount == 0 || --FDisableCount > 0) return;
  if (FPendingChange) DataEvent(deDataSetChange);
}

const TFieldValue& TDataSet::FieldData(int AIndex) const {
  const auto i = static_cast<std::size_t>(AIndex);
  if (FState == dsSetKey) return FKeyBuffer[i];
  const bool other = FActiveRecord >= 0 && (FState == dsInsert || FActiveRecord != FCurrent);
  if (IsEditing(FState) && !other) return FEditRecord.Values[i];
  const int record = other ? FActiveRecord : FCurrent;
  if (record < 0 || record >= static_cast<int>(FRecords.size())) return NullValue;
  return FRecords[static_cast<std::size_t>(record)].Values[i];
}

void TDataSet::CheckFieldWrite(const TField* AField) const {
  CheckActive();
  if (!IsEditing(FState) && FState != dsSetKey) DatabaseError(DbMessages::NotEditing);
  if (FState != dsSetKey && AField->ReadOnly())
    DatabaseError("Field '" + AField->DisplayName() + "' cannot be modified");
}

void TDataSet::StoreFieldData(TField* AField, TFieldValue AValue) {
  const auto i = static_cast<std::size_t>(AField->Index());
  if (FState == dsSetKey) {
    FKeyBuffer[i] = std::move(AValue);
    return;
  }
  FEditRecord.Values[i] = std::move(AValue);
  FModified = true;
  DataEvent(deFieldChange, AField);
}

void TDataSet::AddDataSource(TDataSource* ASource) {
  if (std::find(FDataSources.begin(), FDataSources.end(), ASource) == FDataSources.end())
    FDataSources.push_back(ASource);
}

void TDataSet::RemoveDataSource(TDataSource* ASource) {
  FDataSources.erase(std::remove(FDataSources.begin(), FDataSources.end(), ASource),
                     FDataSources.end());
}

void TDataSet::DataEvent(TDataEvent AEvent, TField* AField) {
  const bool always =
      AEvent == deUpdateState || AEvent == deUpdateRecord || AEvent == deCheckBrowseMode;
  if (ControlsDisabled() && !always) {
    FPendingChange = true;
    return;
  }
  const std::vector<TDataSource*> sources = FDataSources;
  for (TDataSource* source : sources) source->DataEvent(AEvent, AField);
}

void TDataSet::InternalInsert(TDataRecord&) { DatabaseError(DbMessages::ReadOnlyDataSet); }

void TDataSet::InternalUpdate(const TDataRecord&, TDataRecord&) {
  DatabaseError(DbMessages::ReadOnlyDataSet);
}

void TDataSet::InternalDelete(const TDataRecord&) { DatabaseError(DbMessages::ReadOnlyDataSet); }
