#pragma once

#include "framework/classes/Component.h"
#include "framework/db/DbTypes.h"
#include "framework/db/Fields.h"

#include <functional>
#include <memory>
#include <vector>

class TDataSource;
class TStrings;

LUM_ENUM(TDataSetState, dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter,
         dsNewValue, dsOldValue, dsCurValue);

// What a data set tells its data sources (and they their links).
enum TDataEvent {
  deFieldChange,
  deRecordChange,
  deDataSetChange,
  deDataSetScroll,
  deLayoutChange,
  deUpdateRecord,
  deUpdateState,
  deCheckBrowseMode
};

class TDataSet;
// A record's identity, to come back to it: empty for none.
using TBookmarkStr = String;
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;

// One record: its row identity in the storage and a value per field.
struct TDataRecord {
  Int64 RowId = 0;
  std::vector<TFieldValue> Values;
};

// Records with a cursor. The records are held in the order of the descendant's order fields
// (then by row), so a key search is a binary search; Post and Delete keep the cursor on the
// record they changed (or the one after a deleted record).
class TDataSet : public TComponent {
  LUM_CLASS(TDataSet, TComponent)
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;

  LUM_PUBLISHED(bool, Active, FActive, SetActive, Default(false))
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeOpen, FBeforeOpen, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterOpen, FAfterOpen, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeClose, FBeforeClose, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterClose, FAfterClose, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeInsert, FBeforeInsert, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterInsert, FAfterInsert, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeEdit, FBeforeEdit, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterEdit, FAfterEdit, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforePost, FBeforePost, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterPost, FAfterPost, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeCancel, FBeforeCancel, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterCancel, FAfterCancel, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeDelete, FBeforeDelete, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterDelete, FAfterDelete, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, BeforeScroll, FBeforeScroll, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, AfterScroll, FAfterScroll, Field, NoDefault)
  LUM_PUBLISHED(TDataSetNotifyEvent, OnNewRecord, FOnNewRecord, Field, NoDefault)
  void SetActive(bool AValue);

  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  void First();
  void Last();
  void Next();
  void Prior();
  Integer MoveBy(Integer ADistance); // answers how far it moved
  bool Bof() const { return FBof; }
  bool Eof() const { return FEof; }
  Integer RecordCount() const;
  Integer RecNo() const; // from 1; 0 without a current record
  bool IsEmpty() const { return RecordCount() == 0; }

  // Edit on an empty data set inserts, as the framework does.
  void Edit();
  void Insert();
  void Append();
  // A failure (a key violation: EDatabaseError "Key violation") keeps the record in edit or
  // insert mode with its values.
  void Post();
  void Cancel();
  void Delete();
  // Reads the records again, staying on the current one where it still exists.
  void Refresh();
  void CheckBrowseMode(); // posts a pending edit, leaves set-key mode
  void UpdateRecord();    // asks the data links to write what the user changed
  bool Modified() const { return FModified; }
  TDataSetState State() const { return FState; }
  virtual bool CanModify() const { return true; }
  // While inserting: where the new record shows among the others (from 0).
  int InsertPosition() const { return FInsertPosition; }

  // The bookmark of the active record (see ActiveRecord); empty while it is a new one.
  TBookmarkStr Bookmark() const;
  // Makes the bookmarked record current; EDatabaseError "Record not found" when it is gone.
  void SetBookmark(const TBookmarkStr& ABookmark);
  bool BookmarkValid(const TBookmarkStr& ABookmark) const;
  // Orders bookmarks: below, equal or above 0; an empty one comes first.
  int CompareBookmarks(const TBookmarkStr& A, const TBookmarkStr& B) const;

  int FieldCount() const { return static_cast<int>(FFields.size()); }
  TField* Fields(int AIndex) const; // EListError outside 0..FieldCount-1
  TField* FindField(const String& AFieldName) const;
  TField* FieldByName(const String& AFieldName) const; // EDatabaseError "Field 'X' not found"
  void GetFieldNames(TStrings* AList) const;

  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount > 0; }

  // The record (from 0) whose values the fields give while it is not the one being edited:
  // a data grid draws its rows through it; -1, the default, is the current record.
  int ActiveRecord() const { return FActiveRecord; }
  void SetActiveRecord(int AIndex) { FActiveRecord = AIndex; }

  // For the fields: the active buffer's value, and the checks and notice of a write.
  const TFieldValue& FieldData(int AIndex) const;
  void CheckFieldWrite(const TField* AField) const;
  void StoreFieldData(TField* AField, TFieldValue AValue);

  // For the data sources.
  void AddDataSource(TDataSource* ASource);
  void RemoveDataSource(TDataSource* ASource);
  void DataEvent(TDataEvent AEvent, TField* AField = nullptr);

protected:
  // Reads the field layout and all records.
  virtual void InternalOpen(std::vector<TFieldDef>& AFields,
                            std::vector<TDataRecord>& ARecords) = 0;
  virtual void InternalClose() {}
  // Stores a new record: sets its RowId and the values the storage assigned.
  virtual void InternalInsert(TDataRecord& ARecord);
  virtual void InternalUpdate(const TDataRecord& AOld, TDataRecord& ARecord);
  virtual void InternalDelete(const TDataRecord& ARecord);
  // The fields (by index) that order the records; none keeps the order read.
  virtual std::vector<int> OrderFields() const { return {}; }
  void Loaded() override;

  void CheckActive() const;
  void CheckInactive() const;
  void SetState(TDataSetState AState);
  // Orders the records again (after the order fields changed), staying on the current one.
  void Reorder();
  // The first record whose leading order fields equal the key (exact), or else the first
  // that is not less than it (the last record when all are less).
  bool FindRecord(const std::vector<TFieldValue>& AKey, bool AExact, int& AIndex) const;
  void MoveToRecord(int AIndex);
  std::vector<TFieldValue>& KeyBuffer() { return FKeyBuffer; }
  const std::vector<TDataRecord>& Records() const { return FRecords; }
  std::vector<int> FieldIndexes(const String& AFieldNames) const; // "A;B"

private:
  void DoOpen();
  void DoClose();
  void CreateFields(const std::vector<TFieldDef>& ADefs);
  void Fire(const TDataSetNotifyEvent& AEvent) {
    if (AEvent) AEvent(this);
  }
  void BeginInsert(int APosition);
  void CheckRequiredFields() const;
  void PlaceRecord(TDataRecord ARecord, int AOldIndex);
  bool RecordLess(const TDataRecord& A, const TDataRecord& B) const;
  void SetCursor(int AIndex, bool ABof, bool AEof);
  void Scrolled(int AOldIndex);
  int BookmarkIndex(const TBookmarkStr& ABookmark) const;

  bool FActive = false;
  bool FStreamedActive = false;
  TDataSetState FState = dsInactive;
  std::vector<std::unique_ptr<TField>> FFields;
  std::vector<TDataRecord> FRecords;
  std::vector<int> FOrder;
  int FCurrent = -1;
  int FActiveRecord = -1;
  bool FBof = true;
  bool FEof = true;
  TDataRecord FEditRecord;
  int FInsertPosition = 0;
  std::vector<TFieldValue> FKeyBuffer;
  bool FModified = false;
  int FDisableCount = 0;
  bool FPendingChange = false;
  std::vector<TDataSource*> FDataSources;
  TDataSetNotifyEvent FBeforeOpen, FAfterOpen, FBeforeClose, FAfterClose, FBeforeInsert,
      FAfterInsert, FBeforeEdit, FAfterEdit, FBeforePost, FAfterPost, FBeforeCancel, FAfterCancel,
      FBeforeDelete, FAfterDelete, FBeforeScroll, FAfterScroll, FOnNewRecord;
};
