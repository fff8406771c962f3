#include "framework/db/DBGrids.h"

#include "framework/classes/Registry.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Dialogs.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

namespace {

const bool DBGridRegistered = (RegisterClass<TDBGrid>(), true);

constexpr int IndicatorWidth = 11;
constexpr const char* SDeleteRecordQuestion = "Delete record?";
constexpr const char* SDeleteMultipleRecordsQuestion = "Delete all selected records?";

// The text in the cell, clipped to it, DX pixels in from the side its alignment names and DY
// down from the top; the rest of the cell in the brush colour.
void WriteText(TCanvas* Canvas, const TRect& Rect, int DX, int DY, const String& Text,
               TAlignment Alignment) {
  int x = Rect.Left + DX;
  if (Alignment == taRightJustify)
    x = Rect.Right - Canvas->TextWidth(Text) - 3;
  else if (Alignment == taCenter)
    x = Rect.Left + (Rect.Width() - Canvas->TextWidth(Text)) / 2;
  Canvas->TextRect(Rect, x, Rect.Top + DY, Text);
}

// A filled triangle pointing right, its back edge at Left.X, nine pixels high.
void DrawArrowMark(TCanvas* Canvas, TPoint Left) {
  const TPoint arrow[] = {{Left.X, Left.Y - 4}, {Left.X + 4, Left.Y}, {Left.X, Left.Y + 4}};
  Canvas->Polygon(arrow);
}

// An I-beam: a stroke with a bar at each end.
void DrawEditMark(TCanvas* Canvas, TPoint Centre) {
  Canvas->MoveTo(Centre.X, Centre.Y - 4);
  Canvas->LineTo(Centre.X, Centre.Y + 5);
  Canvas->MoveTo(Centre.X - 2, Centre.Y - 4);
  Canvas->LineTo(Centre.X + 3, Centre.Y - 4);
  Canvas->MoveTo(Centre.X - 2, Centre.Y + 4);
  Canvas->LineTo(Centre.X + 3, Centre.Y + 4);
}

// An asterisk: four strokes through the centre.
void DrawInsertMark(TCanvas* Canvas, TPoint Centre) {
  const auto sign = [](int V) { return (V > 0) - (V < 0); };
  const auto stroke = [&](int DX, int DY) {
    Canvas->MoveTo(Centre.X - DX, Centre.Y - DY);
    Canvas->LineTo(Centre.X + DX + sign(DX), Centre.Y + DY + sign(DY));
  };
  stroke(0, 3);
  stroke(3, 0);
  stroke(2, 2);
  stroke(-2, 2);
}

// A round dot of that radius.
void DrawDotMark(TCanvas* Canvas, TPoint Centre, int Radius) {
  Canvas->Ellipse(Centre.X - Radius, Centre.Y - Radius, Centre.X + Radius + 1,
                  Centre.Y + Radius + 1);
}

} // namespace

// The grid's link: it hears the data set open, close, scroll and change.
class TGridDataLink : public TDataLink {
public:
  explicit TGridDataLink(TDBGrid* AGrid) : FGrid(AGrid) {}

protected:
  void ActiveChanged() override {
    FGrid->SelectedRows()->Clear();
    FGrid->LayoutChanged();
  }
  void LayoutChanged() override { FGrid->LayoutChanged(); }
  void DataSetChanged() override { FGrid->DataChanged(); }
  void DataSetScrolled() override { FGrid->Scrolled(); }
  void RecordChanged(TField*) override { FGrid->RecordChanged(); }
  void EditingChanged() override { FGrid->EditingChanged(); }
  void UpdateData() override { FGrid->UpdateData(); }

private:
  TDBGrid* FGrid;
};

// TColumnTitle

TColumnTitle::TColumnTitle(TColumn* AColumn) : FColumn(AColumn), FFont(std::make_unique<TFont>()) {
  FFont->SetOnChange([this](TObject*) {
    FFontSet = true;
    FColumn->Changed();
  });
}

TColumnTitle::~TColumnTitle() = default;

String TColumnTitle::CaptionText() const {
  if (FCaptionSet) return FCaption;
  if (TField* field = FColumn->Field()) return field->DisplayName();
  return FColumn->FieldName();
}

void TColumnTitle::SetCaption(const String& Value) {
  FCaption = Value;
  FCaptionSet = true;
  FColumn->Changed();
}

void TColumnTitle::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  FColumn->Changed();
}

void TColumnTitle::SetColor(TColor Value) {
  FColor = Value;
  FColumn->Changed();
}

void TColumnTitle::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TColumnTitle*>(Source);
  if (!other) return TPersistent::Assign(Source);
  FAlignment = other->FAlignment;
  FCaption = other->FCaption;
  FCaptionSet = other->FCaptionSet;
  FColor = other->FColor;
  if (other->FFontSet) FFont->Assign(other->FFont.get());
}

// TColumn

TColumn::TColumn(TCollection* ACollection)
    : TCollectionItem(ACollection), FFont(std::make_unique<TFont>()),
      FPickList(std::make_unique<TStringList>()), FTitle(std::make_unique<TColumnTitle>(this)) {
  if (TDBGrid* grid = Grid()) {
    FFont->Assign(grid->Font());
    FColor = grid->Color();
  }
  FFont->SetOnChange([this](TObject*) {
    FFontSet = true;
    Changed();
  });
}

TColumn::~TColumn() = default;

TDBGrid* TColumn::Grid() const {
  auto* columns = dynamic_cast<TDBGridColumns*>(Collection());
  return columns ? columns->Grid() : nullptr;
}

TField* TColumn::Field() const {
  TDBGrid* grid = Grid();
  TDataSet* dataSet = grid ? grid->DataLink()->DataSet() : nullptr;
  if (!dataSet || !dataSet->Active() || FFieldName.empty()) return nullptr;
  return dataSet->FindField(FFieldName);
}

void TColumn::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed();
}

void TColumn::SetColor(TColor Value) {
  FColor = Value;
  Changed();
}

void TColumn::SetFieldName(const String& Value) {
  FFieldName = Value;
  Changed();
}

void TColumn::SetVisible(bool Value) {
  FVisible = Value;
  Changed();
}

void TColumn::SetWidth(Integer Value) {
  FWidth = std::max(Value, 0);
  Changed();
}

void TColumn::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TColumn*>(Source);
  if (!other) return TCollectionItem::Assign(Source);
  FAlignment = other->FAlignment;
  FColor = other->FColor;
  FDropDownRows = other->FDropDownRows;
  FFieldName = other->FFieldName;
  if (other->FFontSet) FFont->Assign(other->FFont.get());
  FPickList->Assign(other->FPickList.get());
  FReadOnly = other->FReadOnly;
  FTitle->Assign(other->FTitle.get());
  FVisible = other->FVisible;
  FWidth = other->FWidth;
  Changed();
}

// TDBGridColumns

TDBGridColumns::TDBGridColumns(TDBGrid* AGrid) : TCollection(TColumn::StaticClass()), FGrid(AGrid) {
  SetPropName("Columns");
}

TPersistent* TDBGridColumns::GetOwner() const { return FGrid; }

void TDBGridColumns::Update(TCollectionItem*) {
  if (FBuilding) return;
  if (FState == csDefault && Count() > 0) FState = csCustomized;
  if (Count() == 0) FState = csDefault;
  FGrid->LayoutChanged();
}

TColumn* TDBGridColumns::Add() {
  if (FState == csDefault && Count() > 0) {
    FBuilding = true;
    Clear();
    FBuilding = false;
    FState = csCustomized;
  }
  return static_cast<TColumn*>(TCollection::Add());
}

void TDBGridColumns::SetState(TDBGridColumnsState Value) {
  if (Value == FState) return;
  FState = Value;
  if (Value == csDefault) RebuildColumns();
}

void TDBGridColumns::RebuildColumns() {
  FBuilding = true;
  try {
    Clear();
    TDataSet* dataSet = FGrid->DataLink()->DataSet();
    TBitmap measure;
    measure.Canvas()->SetFont(FGrid->Font());
    const int digitWidth = measure.Canvas()->TextWidth("0");
    if (dataSet && dataSet->Active())
      for (int i = 0; i < dataSet->FieldCount(); ++i) {
        TField* field = dataSet->Fields(i);
        if (!field->Visible()) continue;
        auto* column = static_cast<TColumn*>(TCollection::Add());
        column->FFieldName = field->FieldName();
        const int chars =
            std::max(field->DisplayWidth(), static_cast<int>(field->DisplayName().size()));
        column->FWidth = chars * digitWidth + 4;
      }
  } catch (...) {
    FBuilding = false;
    throw;
  }
  FBuilding = false;
}

// TBookmarkList

TDataSet* TBookmarkList::DataSet() const {
  return FGrid->FDataLink->Active() ? FGrid->FDataLink->DataSet() : nullptr;
}

void TBookmarkList::Changed() { FGrid->Invalidate(); }

const TBookmarkStr& TBookmarkList::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FList[static_cast<std::size_t>(Index)];
}

bool TBookmarkList::Find(const TBookmarkStr& Item, int& Index) const {
  TDataSet* dataSet = DataSet();
  if (!dataSet) {
    Index = 0;
    return false;
  }
  const auto at = std::lower_bound(FList.begin(), FList.end(), Item,
                                   [dataSet](const TBookmarkStr& A, const TBookmarkStr& B) {
                                     return dataSet->CompareBookmarks(A, B) < 0;
                                   });
  Index = static_cast<int>(at - FList.begin());
  return at != FList.end() && dataSet->CompareBookmarks(*at, Item) == 0;
}

int TBookmarkList::IndexOf(const TBookmarkStr& Item) const {
  int index = 0;
  return Find(Item, index) ? index : -1;
}

bool TBookmarkList::CurrentRowSelected() const {
  TDataSet* dataSet = DataSet();
  if (!dataSet || FList.empty()) return false;
  return IndexOf(dataSet->Bookmark()) >= 0;
}

void TBookmarkList::SetCurrentRowSelected(bool Value) {
  TDataSet* dataSet = DataSet();
  const TBookmarkStr current = dataSet ? dataSet->Bookmark() : TBookmarkStr();
  if (current.empty()) return;
  int index = 0;
  if (Find(current, index) == Value) return;
  if (Value)
    FList.insert(FList.begin() + index, current);
  else
    FList.erase(FList.begin() + index);
  Changed();
}

void TBookmarkList::Clear() {
  if (FList.empty()) return;
  FList.clear();
  Changed();
}

void TBookmarkList::Delete() {
  TDataSet* dataSet = DataSet();
  if (!dataSet || FList.empty()) return;
  dataSet->DisableControls();
  try {
    while (!FList.empty()) {
      if (dataSet->BookmarkValid(FList.back())) {
        dataSet->SetBookmark(FList.back());
        dataSet->Delete();
      }
      FList.pop_back();
    }
  } catch (...) {
    dataSet->EnableControls();
    Changed();
    throw;
  }
  dataSet->EnableControls();
  Changed();
}

bool TBookmarkList::Refresh() {
  TDataSet* dataSet = DataSet();
  const std::size_t before = FList.size();
  std::erase_if(
      FList, [&](const TBookmarkStr& Item) { return !dataSet || !dataSet->BookmarkValid(Item); });
  if (FList.size() == before) return false;
  Changed();
  return true;
}

// TDBGrid

TDBGrid::TDBGrid(TComponent* AOwner)
    : TCustomGrid(AOwner), FDataLink(std::make_unique<TGridDataLink>(this)),
      FColumns(std::make_unique<TDBGridColumns>(this)), FTitleFont(std::make_unique<TFont>()),
      FBookmarks(std::make_unique<TBookmarkList>(this)) {
  FTitleFont->SetOnChange([this](TObject*) { Invalidate(); });
  FWidth = 320;
  FHeight = 120;
  ApplyGridOptions();
  LayoutChanged();
}

TDBGrid::~TDBGrid() {
  FDataLink->SetDataSource(nullptr);
  FColumns->FBuilding = true;
}

void TDBGrid::SetDataSource(TDataSource* Value) {
  if (Value == FDataLink->DataSource()) return;
  if (FDataLink->DataSource()) FDataLink->DataSource()->RemoveFreeNotification(this);
  FDataLink->SetDataSource(Value);
  if (Value) Value->FreeNotification(this);
  LayoutChanged();
}

void TDBGrid::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomGrid::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FDataLink->DataSource()) {
    FDataLink->SetDataSource(nullptr);
    LayoutChanged();
  }
}

void TDBGrid::Loaded() {
  TCustomGrid::Loaded();
  LayoutChanged();
}

void TDBGrid::SetOptions(TDBGridOptions Value) {
  if (Value == FDBOptions) return;
  FDBOptions = Value;
  if (!Value.Contains(dgMultiSelect)) ClearSelection();
  ApplyGridOptions();
  LayoutChanged();
}

void TDBGrid::ApplyGridOptions() {
  TGridOptions options;
  if (FDBOptions.Contains(dgColLines))
    options = options + TGridOptions{goFixedVertLine, goVertLine};
  if (FDBOptions.Contains(dgRowLines))
    options = options + TGridOptions{goFixedHorzLine, goHorzLine};
  if (FDBOptions.Contains(dgColumnResize))
    options = options + TGridOptions{goColSizing, goColMoving};
  if (FDBOptions.Contains(dgEditing)) options.Include(goEditing);
  if (FDBOptions.Contains(dgAlwaysShowEditor)) options.Include(goAlwaysShowEditor);
  if (FDBOptions.Contains(dgTabs)) options.Include(goTabs);
  if (FDBOptions.Contains(dgRowSelect)) options.Include(goRowSelect);
  if (FDBOptions.Contains(dgAlwaysShowSelection)) options.Include(goDrawFocusSelected);
  TCustomGrid::SetOptions(options);
}

void TDBGrid::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (Value) HideEditor();
}

int TDBGrid::ShownRecord(int Record) const {
  if (!Inserting()) return Record;
  const int at = FDataLink->DataSet()->InsertPosition();
  return Record == at ? -1 : Record > at ? Record - 1 : Record;
}

bool TDBGrid::ShownRecordSelected(int Record) const {
  const int shown = ShownRecord(Record);
  if (shown < 0) return false;
  TDataSet* dataSet = FDataLink->DataSet();
  const int before = dataSet->ActiveRecord();
  dataSet->SetActiveRecord(shown);
  const bool selected = FBookmarks->CurrentRowSelected();
  dataSet->SetActiveRecord(before);
  return selected;
}

bool TDBGrid::Inserting() const {
  TDataSet* dataSet = FDataLink->DataSet();
  return FDataLink->Active() && dataSet && dataSet->State() == dsInsert;
}

// The records the grid shows: the data set's, and a new one while inserting.
int TDBGrid::RecordCount() const {
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet) return 0;
  return dataSet->RecordCount() + (Inserting() ? 1 : 0);
}

int TDBGrid::CurrentRecord() const {
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet) return 0;
  if (Inserting()) return dataSet->InsertPosition();
  return std::max(dataSet->RecNo() - 1, 0);
}

TColumn* TDBGrid::ColumnAt(int ACol) const {
  const int index = ACol - IndicatorOffset();
  if (index < 0 || index >= static_cast<int>(FVisibleColumns.size())) return nullptr;
  return FColumns->Items(FVisibleColumns[static_cast<std::size_t>(index)]);
}

int TDBGrid::GridColumnOf(int ColumnIndex) const {
  const auto at = std::find(FVisibleColumns.begin(), FVisibleColumns.end(), ColumnIndex);
  if (at == FVisibleColumns.end()) return -1;
  return static_cast<int>(at - FVisibleColumns.begin()) + IndicatorOffset();
}

// Layout: one grid column per visible column after the indicator, one grid row per record
// that fits after the title.
void TDBGrid::LayoutChanged() {
  if (FLayingOut || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
    return;
  FLayingOut = true;
  try {
    if (FColumns->State() == csDefault) FColumns->RebuildColumns();
    FVisibleColumns.clear();
    for (int i = 0; i < FColumns->Count(); ++i)
      if (FColumns->Items(i)->Visible()) FVisibleColumns.push_back(i);
    const int cols = IndicatorOffset() + std::max(static_cast<int>(FVisibleColumns.size()), 1);
    SetColCount(std::max(cols, IndicatorOffset() + 1));
    SetFixedCols(IndicatorOffset());
    if (IndicatorOffset()) SetColWidths(0, IndicatorWidth);
    for (std::size_t i = 0; i < FVisibleColumns.size(); ++i)
      SetColWidths(IndicatorOffset() + static_cast<int>(i),
                   FColumns->Items(FVisibleColumns[i])->Width());
    UpdateRows();
    InvalidateEditor();
  } catch (...) {
    FLayingOut = false;
    throw;
  }
  FLayingOut = false;
  Invalidate();
}

int TDBGrid::RowsThatFit() {
  const int height = HandleAllocated() ? ClientHeight() : FHeight;
  const int line = FDBOptions.Contains(dgRowLines) ? GridLineWidth() : 0;
  const int title = TitleOffset() ? DefaultRowHeight() + line : 0;
  return std::max((height - title) / std::max(DefaultRowHeight() + line, 1), 1);
}

bool TDBGrid::UpdateRows() {
  const int oldFirst = FFirstRecord, oldRows = RowCount(), oldRow = Row();
  const int count = RecordCount();
  FRecordRows = std::max(std::min(RowsThatFit(), count), 1);
  const int current = CurrentRecord();
  FFirstRecord = std::clamp(FFirstRecord, 0, std::max(count - FRecordRows, 0));
  if (current < FFirstRecord) FFirstRecord = current;
  if (current >= FFirstRecord + FRecordRows) FFirstRecord = current - FRecordRows + 1;
  const int rows = TitleOffset() + FRecordRows;
  if (rows != RowCount()) {
    if (rows > RowCount()) {
      SetRowCount(rows);
      SetFixedRows(TitleOffset());
    } else {
      SetFixedRows(TitleOffset());
      SetRowCount(rows);
    }
  } else {
    SetFixedRows(TitleOffset());
  }
  const int row = TitleOffset() + std::clamp(current - FFirstRecord, 0, FRecordRows - 1);
  const int col = std::clamp(Col(), FixedCols(), ColCount() - 1);
  if (row != Row() || col != Col()) MoveColRow(col, row, true, false);
  UpdateScrollRange();
  return oldFirst != FFirstRecord || oldRows != RowCount() || oldRow != Row();
}

void TDBGrid::DataChanged() {
  FModified = false;
  UpdateRows();
  InvalidateEditor();
  Invalidate();
}

void TDBGrid::Scrolled() {
  FModified = false;
  const int old = FFirstRecord;
  UpdateRows();
  InvalidateEditor();
  if (old != FFirstRecord)
    Invalidate();
  else
    InvalidateCol(0);
}

void TDBGrid::RecordChanged() {
  InvalidateRow(Row());
  if (!FModified) InvalidateEditor();
}

// Inserting adds a row for the new record; leaving it takes the row away again.
void TDBGrid::EditingChanged() {
  if (UpdateRows()) {
    InvalidateEditor();
    Invalidate();
  } else if (IndicatorOffset()) {
    InvalidateCell(0, Row());
  }
}

void TDBGrid::WMSize(TMessage& Message) {
  TCustomGrid::WMSize(Message);
  UpdateRows();
  InvalidateEditor();
}

// Scroll bar and moves of the cursor.

TGridScrollRange TDBGrid::ScrollRange(int Bar, const TGridDrawInfo& DrawInfo) {
  if (Bar != SB_VERT) return TCustomGrid::ScrollRange(Bar, DrawInfo);
  TGridScrollRange range;
  const int count = RecordCount();
  range.Show = (ScrollBars() == ssBoth || ScrollBars() == ssVertical) && count > FRecordRows;
  range.Page = FRecordRows;
  range.Max = std::max(count - 1, 0);
  range.Pos = FFirstRecord;
  return range;
}

void TDBGrid::MoveRecords(int Distance) {
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet || Distance == 0) return;
  dataSet->MoveBy(Distance);
}

void TDBGrid::ScrollMessage(int Bar, int Code, int Pos) {
  if (Bar != SB_VERT) return TCustomGrid::ScrollMessage(Bar, Code, Pos);
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet) return;
  const int current = CurrentRecord();
  switch (Code) {
  case SB_LINEUP:
    return MoveRecords(FFirstRecord - 1 - current);
  case SB_LINEDOWN:
    return MoveRecords(FFirstRecord + FRecordRows - current);
  case SB_PAGEUP:
    return MoveRecords(-FRecordRows);
  case SB_PAGEDOWN:
    return MoveRecords(FRecordRows);
  case SB_THUMBPOSITION:
    return MoveRecords(Pos - current);
  case SB_TOP:
    return dataSet->First();
  case SB_BOTTOM:
    return dataSet->Last();
  default:
    return;
  }
}

void TDBGrid::MoveToShownRecord(int Record) {
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet) return;
  if (Inserting()) {
    const int at = dataSet->InsertPosition();
    if (Record == at) return;
    if (Record > at) --Record;
    dataSet->CheckBrowseMode();
  }
  MoveRecords(Record - CurrentRecord());
}

void TDBGrid::MouseWheel(int Delta) { MoveRecords(-Delta); }

bool TDBGrid::CanAppend() const {
  TDataSet* dataSet = FDataLink->DataSet();
  return !FReadOnly && FDBOptions.Contains(dgEditing) && !FDataLink->ReadOnly() && dataSet &&
         dataSet->CanModify();
}

void TDBGrid::ClearSelection() {
  FBookmarks->Clear();
  FSelecting = false;
}

// With Extend the block grows from its anchor to the record moved to, or shrinks when the
// move goes back towards the anchor; without, the selection goes. Where the anchor is counts
// in moves, not bookmarks, which need not follow the records' order.
void TDBGrid::MoveSelecting(int Direction, bool Extend) {
  TDataSet* dataSet = FDataLink->DataSet();
  if (!MultiSelect()) return MoveRecords(Direction);
  if (!Extend) {
    ClearSelection();
    return MoveRecords(Direction);
  }
  if (!FSelecting) {
    FBookmarks->SetCurrentRowSelected(true);
    FSelecting = true;
    FSelectionOffset = 0;
  }
  const bool shrinking = FSelectionOffset * Direction < 0;
  if (shrinking) FBookmarks->SetCurrentRowSelected(false);
  FSelectionOffset += dataSet->MoveBy(Direction);
  if (!shrinking) FBookmarks->SetCurrentRowSelected(true);
}

// Down on the last record appends one; on a new record nobody typed into it does nothing
// at the end and drops the record elsewhere.
void TDBGrid::NextRow(bool Extend) {
  TDataSet* dataSet = FDataLink->DataSet();
  if (Inserting() && !dataSet->Modified() && !FModified) {
    if (dataSet->InsertPosition() < dataSet->RecordCount()) dataSet->Cancel();
    return;
  }
  MoveSelecting(1, Extend);
  if (dataSet->Eof() && CanAppend()) dataSet->Append();
}

// Up from an appended record nobody typed into drops it.
void TDBGrid::PriorRow(bool Extend) {
  TDataSet* dataSet = FDataLink->DataSet();
  if (Inserting() && !dataSet->Modified() && !FModified &&
      dataSet->InsertPosition() >= dataSet->RecordCount())
    return dataSet->Cancel();
  MoveSelecting(-1, Extend);
}

void TDBGrid::DeleteRecords() {
  TDataSet* dataSet = FDataLink->DataSet();
  if (FReadOnly || FDataLink->ReadOnly() || !dataSet->CanModify() || RecordCount() == 0) return;
  const bool selected = MultiSelect() && FBookmarks->Count() > 0;
  const char* question =
      selected && FBookmarks->Count() > 1 ? SDeleteMultipleRecordsQuestion : SDeleteRecordQuestion;
  if (FDBOptions.Contains(dgConfirmDelete) &&
      MessageDlg(question, mtConfirmation, mbOKCancel, 0) == mrCancel)
    return;
  if (selected)
    FBookmarks->Delete();
  else
    dataSet->Delete();
}

void TDBGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet) return GridKeyDown(Key, Shift);
  const bool ctrl = Shift.Contains(ssCtrl);
  const bool shift = Shift.Contains(ssShift);
  switch (Key) {
  case VK_UP:
    return PriorRow(shift);
  case VK_DOWN:
    return NextRow(shift);
  case VK_PRIOR:
    if (MultiSelect()) ClearSelection();
    return MoveRecords(ctrl ? FFirstRecord - CurrentRecord() : -FRecordRows);
  case VK_NEXT:
    if (MultiSelect()) ClearSelection();
    return MoveRecords(ctrl ? FFirstRecord + FRecordRows - 1 - CurrentRecord() : FRecordRows);
  case VK_HOME:
    if (!ctrl) break;
    if (MultiSelect()) ClearSelection();
    return dataSet->First();
  case VK_END:
    if (!ctrl) break;
    if (MultiSelect()) ClearSelection();
    return dataSet->Last();
  case VK_DELETE:
    if (ctrl) return DeleteRecords();
    break;
  case VK_ESCAPE:
    CancelEditor();
    return;
  default:
    break;
  }
  GridKeyDown(Key, Shift);
}

void TDBGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridCoord hit = MouseCoord(X, Y);
  FClickCell = hit;
  TGridState sizing = gsNormal;
  int index = 0, pos = 0;
  const bool onLine = Button == mbLeft && SizingLineAt(X, Y, sizing, index, pos);
  const bool dataCell = hit.X >= IndicatorOffset() && hit.Y >= TitleOffset();
  if (Button != mbLeft || onLine || !dataCell || !FDataLink->Active())
    return TCustomGrid::MouseDown(Button, Shift, X, Y);
  const bool otherRow = hit.Y != Row();
  if (otherRow) {
    if (CanFocus() && !IsActiveControl()) SetFocus();
    MoveToShownRecord(FFirstRecord + hit.Y - TitleOffset());
    if (hit.X != Col()) FocusCell(hit.X, Row(), true);
  }
  if (MultiSelect()) {
    FSelecting = false;
    if (Shift.Contains(ssCtrl)) {
      FBookmarks->SetCurrentRowSelected(!FBookmarks->CurrentRowSelected());
    } else {
      FBookmarks->Clear();
      FBookmarks->SetCurrentRowSelected(true);
    }
  }
  if (otherRow) return TCustomControl::MouseDown(Button, Shift, X, Y);
  TCustomGrid::MouseDown(Button, Shift, X, Y);
}

void TDBGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState state = GridState();
  TCustomGrid::MouseUp(Button, Shift, X, Y);
  const bool sizing = state == gsColSizing || state == gsRowSizing;
  if (Button != mbLeft || sizing) return;
  const TGridCoord hit = MouseCoord(X, Y);
  if (!(hit == FClickCell) || hit.X < IndicatorOffset()) return;
  TColumn* column = ColumnAt(hit.X);
  if (!column) return;
  if (hit.Y >= TitleOffset())
    CellClick(column);
  else
    TitleClick(column);
}

void TDBGrid::CellClick(TColumn* Column) {
  if (FOnCellClick) FOnCellClick(Column);
}

void TDBGrid::TitleClick(TColumn* Column) {
  if (FOnTitleClick) FOnTitleClick(Column);
}

// Columns and the current cell.

int TDBGrid::SelectedIndex() const {
  const int index = Col() - IndicatorOffset();
  if (index < 0 || index >= static_cast<int>(FVisibleColumns.size())) return -1;
  return FVisibleColumns[static_cast<std::size_t>(index)];
}

void TDBGrid::SetSelectedIndex(int Value) {
  const int col = GridColumnOf(Value);
  if (col < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (col != Col()) FocusCell(col, Row(), true);
}

TField* TDBGrid::SelectedField() const {
  const int index = SelectedIndex();
  return index < 0 ? nullptr : FColumns->Items(index)->Field();
}

void TDBGrid::SetSelectedField(TField* Value) {
  for (int i = 0; Value && i < FColumns->Count(); ++i)
    if (FColumns->Items(i)->Field() == Value && GridColumnOf(i) >= 0) return SetSelectedIndex(i);
}

bool TDBGrid::SelectCell(int ACol, int ARow) {
  if (ACol != Col() && FModified) UpdateData();
  return TCustomGrid::SelectCell(ACol, ARow);
}

void TDBGrid::ColumnMoved(int FromIndex, int ToIndex) {
  TColumn* moving = ColumnAt(FromIndex);
  TColumn* target = ColumnAt(ToIndex);
  if (!moving || !target) return;
  FColumns->FBuilding = true;
  moving->SetIndex(target->Index());
  FColumns->FBuilding = false;
  if (FColumns->State() == csDefault) FColumns->FState = csCustomized;
  LayoutChanged();
  if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
}

void TDBGrid::ColWidthsChanged() {
  if (!FLayingOut)
    for (std::size_t i = 0; i < FVisibleColumns.size(); ++i) {
      TColumn* column = FColumns->Items(FVisibleColumns[i]);
      const int width = ColWidths(IndicatorOffset() + static_cast<int>(i));
      if (column->FWidth == width) continue;
      column->FWidth = width;
      if (FColumns->State() == csDefault) FColumns->FState = csCustomized;
    }
  TCustomGrid::ColWidthsChanged();
}

// Editing through the data link.

TInplaceEdit* TDBGrid::CreateEditor() { return new TInplaceEditList(this); }

TEditStyle TDBGrid::GetEditStyle(int ACol, int) {
  TColumn* column = ColumnAt(ACol);
  return column && column->PickList()->Count() > 0 ? esPickList : esSimple;
}

void TDBGrid::GetPickListItems(int ACol, int, TStrings* Items) {
  TColumn* column = ColumnAt(ACol);
  if (!column) return;
  Items->Assign(column->PickList());
  if (auto* editor = dynamic_cast<TInplaceEditList*>(InplaceEditor()))
    editor->SetDropDownRows(column->DropDownRows());
}

bool TDBGrid::CanEditShow() {
  return FDataLink->Active() && RecordCount() > 0 && !FReadOnly && TCustomGrid::CanEditShow();
}

bool TDBGrid::CanEditModify() {
  if (FReadOnly || !FDataLink->Active() || FDataLink->ReadOnly()) return false;
  const int index = SelectedIndex();
  TColumn* column = index < 0 ? nullptr : FColumns->Items(index);
  TField* field = column ? column->Field() : nullptr;
  if (!field || column->ReadOnly() || field->ReadOnly() || field->IsBlob()) return false;
  if (!FDataLink->Edit()) return false;
  FModified = true;
  return true;
}

String TDBGrid::GetEditText(int, int) {
  TField* field = SelectedField();
  FEditText = field ? field->Text() : String();
  return FEditText;
}

void TDBGrid::SetEditText(int, int, const String& Value) { FEditText = Value; }

void TDBGrid::UpdateData() {
  if (!FModified) return;
  TField* field = SelectedField();
  if (field) field->SetText(FEditText);
  FModified = false;
}

void TDBGrid::CancelEditor() {
  TDataSet* dataSet = FDataLink->DataSet();
  FModified = false;
  if (FDataLink->Active() && dataSet &&
      (dataSet->State() == dsEdit || dataSet->State() == dsInsert))
    dataSet->Cancel();
  HideEditor();
  if (Options().Contains(dgAlwaysShowEditor)) ShowEditor();
}

// Drawing.

void TDBGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  const int record = FFirstRecord + ARow - TitleOffset();
  if (ACol < IndicatorOffset()) {
    if (ARow >= TitleOffset()) DrawIndicator(ARect, record);
    return;
  }
  TColumn* column = ColumnAt(ACol);
  if (!column) return;
  if (ARow < TitleOffset()) return DrawTitle(ARect, column);
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet || record >= RecordCount()) return;
  const int before = dataSet->ActiveRecord();
  dataSet->SetActiveRecord(ShownRecord(record));
  try {
    const bool marked = MultiSelect() && FBookmarks->CurrentRowSelected();
    if (marked) AState.Include(gdSelected);
    const bool highlight = marked || Highlighted(AState);
    Canvas()->Brush()->SetColor(highlight ? clHighlight : column->Color());
    Canvas()->Font()->Assign(column->Font());
    if (highlight) Canvas()->Font()->SetColor(clHighlightText);
    if (DefaultDrawing()) DefaultDrawColumnCell(ARect, column->Index(), column, AState);
    DrawColumnCell(ARect, column->Index(), column, AState);
  } catch (...) {
    dataSet->SetActiveRecord(before);
    throw;
  }
  dataSet->SetActiveRecord(before);
}

void TDBGrid::DefaultDrawColumnCell(const TRect& Rect, int, TColumn* Column, TGridDrawState) {
  TField* field = Column ? Column->Field() : nullptr;
  WriteText(Canvas(), Rect, 2, 2, field ? field->DisplayText() : String(),
            Column ? Column->Alignment() : taLeftJustify);
}

void TDBGrid::DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column,
                             TGridDrawState State) {
  if (FOnDrawColumnCell) FOnDrawColumnCell(this, Rect, DataCol, Column, State);
}

void TDBGrid::DrawTitle(const TRect& Rect, TColumn* Column) {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Column->Title()->Color());
  canvas->Font()->Assign(Column->Title()->IsFontStored() ? Column->Title()->Font()
                                                         : FTitleFont.get());
  WriteText(canvas, Rect, 2, 2, Column->Title()->CaptionText(), Column->Title()->Alignment());
}

// The indicator's mark for a row: the current record's by the data set's state, and with
// dgMultiSelect a dot on the other selected rows (an arrow with a dot on the current one).
TDBGrid::TIndicatorMark TDBGrid::IndicatorMark(int Record) const {
  TDataSet* dataSet = FDataLink->DataSet();
  if (!FDataLink->Active() || !dataSet || Record >= RecordCount()) return imNone;
  const bool selected = MultiSelect() && ShownRecordSelected(Record);
  if (Record != CurrentRecord()) return selected ? imMultiDot : imNone;
  if (dataSet->State() == dsEdit) return imEdit;
  if (dataSet->State() == dsInsert) return imInsert;
  return selected ? imMultiArrow : imArrow;
}

void TDBGrid::DrawIndicator(const TRect& Rect, int Record) {
  const TIndicatorMark mark = IndicatorMark(Record);
  if (mark == imNone) return;
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(clBlack);
  canvas->Brush()->SetColor(clBlack);
  const TPoint centre{(Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2};
  switch (mark) {
  case imArrow:
    return DrawArrowMark(canvas, TPoint{centre.X - 2, centre.Y});
  case imEdit:
    return DrawEditMark(canvas, centre);
  case imInsert:
    return DrawInsertMark(canvas, centre);
  case imMultiDot:
    return DrawDotMark(canvas, centre, 2);
  case imMultiArrow:
    DrawDotMark(canvas, TPoint{centre.X - 3, centre.Y}, 1);
    return DrawArrowMark(canvas, TPoint{centre.X, centre.Y});
  case imNone:
    return;
  }
}
