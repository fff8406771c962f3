#pragma once

#include "framework/classes/Component.h"
#include "framework/db/DataSet.h"

#include <functional>
#include <vector>

class TDataLink;

using TDataChangeEvent = std::function<void(TObject* Sender, TField* Field)>;

// Connects a data set to data-aware controls through their data links.
class TDataSource : public TComponent {
  LUM_CLASS(TDataSource, TComponent)
public:
  explicit TDataSource(TComponent* AOwner);
  ~TDataSource() override;

  LUM_PUBLISHED(TDataSet*, DataSet, FDataSet, SetDataSet, NoDefault)
  LUM_PUBLISHED(bool, Enabled, FEnabled, SetEnabled, Default(true))
  LUM_PUBLISHED(bool, AutoEdit, FAutoEdit, Field, Default(true))
  LUM_PUBLISHED(TDataChangeEvent, OnDataChange, FOnDataChange, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnStateChange, FOnStateChange, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnUpdateData, FOnUpdateData, Field, NoDefault)
  void SetDataSet(TDataSet* AValue);
  void SetEnabled(bool AValue);

  // The data set's state; dsInactive without an open data set or when disabled.
  TDataSetState State() const { return FState; }
  // Puts the data set into edit mode when AutoEdit allows it.
  void Edit();
  bool IsLinkedTo(const TDataSet* ADataSet) const { return FDataSet == ADataSet; }

  // For the data set and the links.
  void DataEvent(TDataEvent AEvent, TField* AField);
  void AddDataLink(TDataLink* ALink);
  void RemoveDataLink(TDataLink* ALink);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  void UpdateState();
  void NotifyLinks(TDataEvent AEvent, TField* AField);

  TDataSet* FDataSet = nullptr;
  bool FEnabled = true;
  bool FAutoEdit = true;
  TDataSetState FState = dsInactive;
  TDataChangeEvent FOnDataChange;
  TNotifyEvent FOnStateChange;
  TNotifyEvent FOnUpdateData;
  std::vector<TDataLink*> FDataLinks;
};

// What a data-aware control holds to follow a data source: it hears when the data set opens
// or closes, scrolls, changes a record or enters and leaves edit mode, and writes its
// pending change when the data set asks for it.
class TDataLink {
public:
  TDataLink() = default;
  virtual ~TDataLink();
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;

  TDataSource* DataSource() const { return FDataSource; }
  void SetDataSource(TDataSource* AValue);
  TDataSet* DataSet() const;
  bool Active() const { return FActive; }
  bool Editing() const { return FEditing; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool AValue);
  // Puts the data set into edit mode (when the source allows it); answers Editing.
  bool Edit();
  // Writes the control's pending change (UpdateData) when there is one.
  void UpdateRecord();

  // Called by the data source.
  void DataEvent(TDataEvent AEvent, TField* AField);
  void DataSourceGone() { SetDataSource(nullptr); }

protected:
  virtual void ActiveChanged() {}
  virtual void EditingChanged() {}
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled() { DataSetChanged(); }
  virtual void RecordChanged(TField*) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void UpdateData() {}
  virtual void CheckBrowseMode() {}
  void UpdateState();

private:
  void SetActive(bool AValue);
  void SetEditing(bool AValue);

  TDataSource* FDataSource = nullptr;
  bool FActive = false;
  bool FEditing = false;
  bool FReadOnly = false;
  bool FUpdating = false;
};

// A data link bound to one field by name, as a data-aware edit uses it.
class TFieldDataLink : public TDataLink {
public:
  TFieldDataLink() = default;

  const String& FieldName() const { return FFieldName; }
  void SetFieldName(const String& AValue);
  TField* Field() const { return FField; }
  bool CanModify() const; // not read-only, the data set and the field can be written
  // Puts the data set into edit mode only when the field can be written; answers Editing.
  bool Edit();
  // The control changed its value: puts the data set into edit mode and marks the change.
  void Modified();
  bool IsModified() const { return FModified; }
  void Reset(); // the control shows the field again: OnDataChange, the change forgotten

  std::function<void(TObject* Sender)> OnDataChange;
  std::function<void(TObject* Sender)> OnEditingChange;
  std::function<void(TObject* Sender)> OnUpdateData;
  std::function<void(TObject* Sender)> OnActiveChange;
  // The object passed as Sender (the control); null by default.
  TObject* Control = nullptr;

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void RecordChanged(TField* AField) override;
  void LayoutChanged() override;
  void UpdateData() override;

private:
  void UpdateField();

  String FFieldName;
  TField* FField = nullptr;
  bool FModified = false;
};
