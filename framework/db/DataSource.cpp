#include "framework/db/DataSource.h"

#include <algorithm>

// TDataSource

TDataSource::TDataSource(TComponent* AOwner) : TComponent(AOwner) {}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  const std::vector<TDataLink*> links = FDataLinks;
  for (TDataLink* link : links) link->DataSourceGone();
}

void TDataSource::SetDataSet(TDataSet* AValue) {
  if (AValue == FDataSet) return;
  if (FDataSet) {
    FDataSet->RemoveDataSource(this);
    FDataSet->RemoveFreeNotification(this);
    // The links let go of the old data set's fields before they meet the new one's.
    FDataSet = nullptr;
    UpdateState();
  }
  FDataSet = AValue;
  if (FDataSet) {
    FDataSet->FreeNotification(this);
    FDataSet->AddDataSource(this);
  }
  UpdateState();
}

void TDataSource::SetEnabled(bool AValue) {
  if (AValue == FEnabled) return;
  FEnabled = AValue;
  UpdateState();
}

void TDataSource::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataSet) SetDataSet(nullptr);
}

void TDataSource::Edit() {
  if (FAutoEdit && FState == dsBrowse) FDataSet->Edit();
}

void TDataSource::UpdateState() {
  const TDataSetState state = FDataSet && FEnabled ? FDataSet->State() : dsInactive;
  if (state == FState) return;
  const bool activeChanged = (state == dsInactive) != (FState == dsInactive);
  FState = state;
  NotifyLinks(deUpdateState, nullptr);
  if (FOnStateChange) FOnStateChange(this);
  if (activeChanged && FState != dsInactive && FOnDataChange) FOnDataChange(this, nullptr);
}

void TDataSource::DataEvent(TDataEvent AEvent, TField* AField) {
  if (AEvent == deUpdateState) return UpdateState();
  if (FState == dsInactive) return;
  NotifyLinks(AEvent, AField);
  if (AEvent == deUpdateRecord && FOnUpdateData) FOnUpdateData(this);
  const bool dataChanged = AEvent == deFieldChange || AEvent == deRecordChange ||
                           AEvent == deDataSetChange || AEvent == deDataSetScroll ||
                           AEvent == deLayoutChange;
  if (dataChanged && FOnDataChange) FOnDataChange(this, AEvent == deFieldChange ? AField : nullptr);
}

void TDataSource::NotifyLinks(TDataEvent AEvent, TField* AField) {
  const std::vector<TDataLink*> links = FDataLinks;
  for (TDataLink* link : links)
    if (std::find(FDataLinks.begin(), FDataLinks.end(), link) != FDataLinks.end())
      link->DataEvent(AEvent, AField);
}

void TDataSource::AddDataLink(TDataLink* ALink) {
  if (std::find(FDataLinks.begin(), FDataLinks.end(), ALink) == FDataLinks.end())
    FDataLinks.push_back(ALink);
}

void TDataSource::RemoveDataLink(TDataLink* ALink) {
  FDataLinks.erase(std::remove(FDataLinks.begin(), FDataLinks.end(), ALink), FDataLinks.end());
}

// TDataLink

TDataLink::~TDataLink() {
  if (FDataSource) FDataSource->RemoveDataLink(this);
}

void TDataLink::SetDataSource(TDataSource* AValue) {
  if (AValue == FDataSource) return;
  if (FDataSource) FDataSource->RemoveDataLink(this);
  FDataSource = AValue;
  if (FDataSource) FDataSource->AddDataLink(this);
  UpdateState();
}

TDataSet* TDataLink::DataSet() const { return FDataSource ? FDataSource->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool AValue) {
  if (AValue == FReadOnly) return;
  FReadOnly = AValue;
  UpdateState();
}

bool TDataLink::Edit() {
  if (!FReadOnly && FDataSource) FDataSource->Edit();
  return FEditing;
}

void TDataLink::UpdateRecord() {
  FUpdating = true;
  try {
    UpdateData();
  } catch (...) {
    FUpdating = false;
    throw;
  }
  FUpdating = false;
}

void TDataLink::UpdateState() {
  const TDataSetState state = FDataSource ? FDataSource->State() : dsInactive;
  SetActive(state != dsInactive);
  SetEditing((state == dsEdit || state == dsInsert) && !FReadOnly);
}

void TDataLink::SetActive(bool AValue) {
  if (AValue == FActive) return;
  FActive = AValue;
  ActiveChanged();
}

void TDataLink::SetEditing(bool AValue) {
  if (AValue == FEditing) return;
  FEditing = AValue;
  EditingChanged();
}

void TDataLink::DataEvent(TDataEvent AEvent, TField* AField) {
  switch (AEvent) {
  case deUpdateState:
    UpdateState();
    break;
  case deFieldChange:
  case deRecordChange:
    if (!FUpdating) RecordChanged(AField);
    break;
  case deDataSetChange:
    DataSetChanged();
    break;
  case deDataSetScroll:
    DataSetScrolled();
    break;
  case deLayoutChange:
    LayoutChanged();
    break;
  case deUpdateRecord:
    UpdateRecord();
    break;
  case deCheckBrowseMode:
    CheckBrowseMode();
    break;
  }
}

// TFieldDataLink

void TFieldDataLink::SetFieldName(const String& AValue) {
  if (AValue == FFieldName) return;
  FFieldName = AValue;
  UpdateField();
}

bool TFieldDataLink::CanModify() const {
  return !ReadOnly() && FField && !FField->ReadOnly() && FField->DataSet()->CanModify();
}

bool TFieldDataLink::Edit() {
  if (CanModify()) TDataLink::Edit();
  return Editing();
}

void TFieldDataLink::Modified() { FModified = true; }

void TFieldDataLink::Reset() { RecordChanged(nullptr); }

void TFieldDataLink::UpdateField() {
  TField* field = nullptr;
  if (Active() && !FFieldName.empty()) field = DataSet()->FindField(FFieldName);
  if (field == FField) return;
  FField = field;
  if (OnDataChange) OnDataChange(Control);
  FModified = false; // showing the field is no change of the control's own
}

void TFieldDataLink::ActiveChanged() {
  UpdateField();
  if (OnActiveChange) OnActiveChange(Control);
}

void TFieldDataLink::LayoutChanged() { UpdateField(); }

void TFieldDataLink::EditingChanged() {
  if (OnEditingChange) OnEditingChange(Control);
}

void TFieldDataLink::RecordChanged(TField* AField) {
  if (AField && AField != FField) return;
  if (OnDataChange) OnDataChange(Control);
  FModified = false;
}

void TFieldDataLink::UpdateData() {
  if (!FModified) return;
  if (FField && OnUpdateData) OnUpdateData(Control);
  FModified = false;
}
