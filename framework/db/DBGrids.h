#pragma once

#include "framework/classes/Collection.h"
#include "framework/controls/Grids.h"
#include "framework/db/DataSource.h"

#include <algorithm>

LUM_ENUM(TDBGridOption, dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize,
         dgColLines, dgRowLines, dgTabs, dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete,
         dgCancelOnExit, dgMultiSelect);
using TDBGridOptions = TSet<TDBGridOption>;
inline const TDBGridOptions DefaultDBGridOptions{dgEditing,      dgTitles,        dgIndicator,
                                                 dgColumnResize, dgColLines,      dgRowLines,
                                                 dgTabs,         dgConfirmDelete, dgCancelOnExit};
LUM_ENUM(TDBGridColumnsState, csDefault, csCustomized);

class TColumn;
class TDBGrid;

// The heading of a column: its caption (the field's display name until one is given),
// alignment, colour and font.
class TColumnTitle : public TPersistent {
  LUM_CLASS(TColumnTitle, TPersistent)
public:
  explicit TColumnTitle(TColumn* AColumn);
  ~TColumnTitle() override;

  LUM_PUBLISHED(TAlignment, Alignment, FAlignment, SetAlignment, Default(taLeftJustify))
  LUM_PUBLISHED(String, Caption, CaptionText(), SetCaption, NoDefault, Stored(IsCaptionStored))
  LUM_PUBLISHED(TColor, Color, FColor, SetColor, Default(clBtnFace), Idents(ColorIdents()))
  LUM_PUBLISHED(TFont*, Font, FFont, SetFont, NoDefault, Stored(IsFontStored))

  String CaptionText() const;
  void SetCaption(const String& Value);
  void SetAlignment(TAlignment Value);
  void SetColor(TColor Value);
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool IsCaptionStored() const { return FCaptionSet; }
  bool IsFontStored() const { return FFontSet; }
  void Assign(TPersistent* Source) override;

private:
  TColumn* FColumn;
  TAlignment FAlignment = taLeftJustify;
  String FCaption;
  bool FCaptionSet = false;
  TColor FColor = clBtnFace;
  std::unique_ptr<TFont> FFont;
  bool FFontSet = false;
};

// One column of a data grid: the field it shows (by name), its width, colours, font and
// heading.
class TColumn : public TCollectionItem {
  LUM_CLASS(TColumn, TCollectionItem)
public:
  explicit TColumn(TCollection* ACollection);
  ~TColumn() override;

  LUM_PUBLISHED(TAlignment, Alignment, FAlignment, SetAlignment, Default(taLeftJustify))
  LUM_PUBLISHED(TColor, Color, FColor, SetColor, Default(clWindow), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, DropDownRows, FDropDownRows, SetDropDownRows, Default(7))
  LUM_PUBLISHED(String, FieldName, FFieldName, SetFieldName, NoDefault)
  LUM_PUBLISHED(TFont*, Font, FFont, SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TStrings*, PickList, FPickList, SetPickList, NoDefault)
  LUM_PUBLISHED(bool, ReadOnly, FReadOnly, SetReadOnly, Default(false))
  LUM_PUBLISHED(TColumnTitle*, Title, FTitle, SetTitle, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, SetVisible, Default(true))
  LUM_PUBLISHED(Integer, Width, FWidth, SetWidth, Default(64))

  void SetAlignment(TAlignment Value);
  void SetColor(TColor Value);
  void SetDropDownRows(Integer Value) { FDropDownRows = std::max(Value, 1); }
  void SetFieldName(const String& Value);
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  // The texts the cell editor offers in a drop-down list; none: a plain editor.
  void SetPickList(TStrings* Value) { FPickList->Assign(Value); }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  void SetTitle(TColumnTitle* Value) { FTitle->Assign(Value); }
  void SetVisible(bool Value);
  void SetWidth(Integer Value);
  bool IsFontStored() const { return FFontSet; }
  // The field of the grid's data set with that name; null without one.
  TField* Field() const;
  TDBGrid* Grid() const;
  String DisplayName() const override { return FFieldName.empty() ? ClassName() : FFieldName; }
  void Assign(TPersistent* Source) override;

private:
  friend class TColumnTitle;
  friend class TDBGridColumns;
  friend class TDBGrid;
  void Changed() { TCollectionItem::Changed(false); }

  TAlignment FAlignment = taLeftJustify;
  TColor FColor = clWindow;
  Integer FDropDownRows = 7;
  String FFieldName;
  std::unique_ptr<TFont> FFont;
  bool FFontSet = false;
  std::unique_ptr<TStrings> FPickList;
  bool FReadOnly = false;
  std::unique_ptr<TColumnTitle> FTitle;
  bool FVisible = true;
  Integer FWidth = 64;
};

// The columns of a data grid. Until the application adds one, the grid fills it with a
// column for every visible field (csDefault), which form files do not store.
class TDBGridColumns : public TCollection {
  LUM_CLASS(TDBGridColumns, TCollection)
public:
  explicit TDBGridColumns(TDBGrid* AGrid);
  TColumn* Items(int Index) const { return static_cast<TColumn*>(TCollection::Items(Index)); }
  // The first column the application adds replaces the default ones.
  TColumn* Add();
  TDBGrid* Grid() const { return FGrid; }
  TDBGridColumnsState State() const { return FState; }
  // csDefault drops the columns and builds them from the fields again.
  void SetState(TDBGridColumnsState Value);
  // A column for every visible field of the data set.
  void RebuildColumns();

protected:
  TPersistent* GetOwner() const override;
  void Update(TCollectionItem* Item) override;

private:
  friend class TDBGrid;
  TDBGrid* FGrid;
  TDBGridColumnsState FState = csDefault;
  bool FBuilding = false;
};

// The records the user selected in a grid with dgMultiSelect: bookmarks kept in the order
// of the data set's CompareBookmarks, so finding one is a binary search.
class TBookmarkList {
public:
  explicit TBookmarkList(TDBGrid* AGrid) : FGrid(AGrid) {}
  int Count() const { return static_cast<int>(FList.size()); }
  // EListError outside 0..Count-1.
  const TBookmarkStr& Items(int Index) const;
  // Whether the active record (the current one, or the row being drawn) is selected.
  bool CurrentRowSelected() const;
  void SetCurrentRowSelected(bool Value);
  void Clear();
  // Deletes every selected record from the data set.
  void Delete();
  // Drops the bookmarks whose records are gone; answers whether there were any.
  bool Refresh();
  // Where the bookmark is, or would be inserted; answers whether it is there.
  bool Find(const TBookmarkStr& Item, int& Index) const;
  int IndexOf(const TBookmarkStr& Item) const;

private:
  TDataSet* DataSet() const;
  void Changed();

  TDBGrid* FGrid;
  std::vector<TBookmarkStr> FList;
};

using TDrawColumnCellEvent = std::function<void(TObject* Sender, const TRect& Rect, int DataCol,
                                                TColumn* Column, TGridDrawState State)>;
using TDBGridClickEvent = std::function<void(TColumn* Column)>;

// A grid over the records of a data source: a column per field (or as Columns say), a title
// row, an indicator column marking the current record. It holds only the records that
// show, follows the data set's cursor and moves it, and edits the current record in place.
class TDBGrid : public TCustomGrid {
  LUM_CLASS(TDBGrid, TCustomGrid)
public:
  explicit TDBGrid(TComponent* AOwner);
  ~TDBGrid() override;

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomGrid::BorderStyle(), TCustomGrid::SetBorderStyle,
                Default(bsSingle))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(TDBGridColumns*, Columns, FColumns, SetColumns, NoDefault, Stored(IsColumnsStored))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(TDataSource*, DataSource, FDataLink->DataSource(), SetDataSource, NoDefault)
  LUM_PUBLISHED(bool, DefaultDrawing, TCustomGrid::DefaultDrawing(), TCustomGrid::SetDefaultDrawing,
                Default(true))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TColor, FixedColor, TCustomGrid::FixedColor(), TCustomGrid::SetFixedColor,
                Default(clBtnFace), Idents(ColorIdents()))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TDBGridOptions, Options, FDBOptions, SetOptions, Default(DefaultDBGridOptions))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ReadOnly, FReadOnly, SetReadOnly, Default(false))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(TFont*, TitleFont, FTitleFont, SetTitleFont, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TDBGridClickEvent, OnCellClick, FOnCellClick, Field, NoDefault)
  LUM_PUBLISHED(TMovedEvent, OnColumnMoved, FOnColumnMoved, Field, NoDefault)
  LUM_GRID_PUBLISHED_EVENTS
  LUM_PUBLISHED(TDrawColumnCellEvent, OnDrawColumnCell, FOnDrawColumnCell, Field, NoDefault)
  LUM_PUBLISHED(TDBGridClickEvent, OnTitleClick, FOnTitleClick, Field, NoDefault)

  void SetColumns(TDBGridColumns* Value) { FColumns->Assign(Value); }
  void SetDataSource(TDataSource* Value);
  void SetOptions(TDBGridOptions Value);
  void SetReadOnly(bool Value);
  void SetTitleFont(TFont* Value) { FTitleFont->Assign(Value); }
  bool IsColumnsStored() const { return FColumns->State() == csCustomized; }

  // The column and field of the current cell; setting them moves the current cell.
  int SelectedIndex() const;
  void SetSelectedIndex(int Value);
  TField* SelectedField() const;
  void SetSelectedField(TField* Value);
  // Draws the field's text as the grid does, in the column's alignment.
  void DefaultDrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column, TGridDrawState State);
  TDataLink* DataLink() const { return FDataLink.get(); }
  // The selected records with dgMultiSelect.
  TBookmarkList* SelectedRows() const { return FBookmarks.get(); }
  // The records the grid shows, from the first one's index in the data set on.
  int FirstRecord() const { return FFirstRecord; }
  int RecordRows() const { return FRecordRows; }
  // The columns or the fields changed: columns, widths and rows are laid out again.
  void LayoutChanged();

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  // Draws one data cell after the default drawing: OnDrawColumnCell.
  virtual void DrawColumnCell(const TRect& Rect, int DataCol, TColumn* Column,
                              TGridDrawState State);
  // A click on a data cell (OnCellClick) and on a title (OnTitleClick).
  virtual void CellClick(TColumn* Column);
  virtual void TitleClick(TColumn* Column);
  bool SelectCell(int ACol, int ARow) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  bool CanEditShow() override;
  bool CanEditModify() override;
  void CancelEditor() override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void ColWidthsChanged() override;
  TInplaceEdit* CreateEditor() override;
  TEditStyle GetEditStyle(int ACol, int ARow) override;
  void GetPickListItems(int ACol, int ARow, TStrings* Items) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseWheel(int Delta) override;
  void ScrollMessage(int Bar, int Code, int Pos) override;
  TGridScrollRange ScrollRange(int Bar, const TGridDrawInfo& DrawInfo) override;
  void WMSize(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

private:
  friend class TGridDataLink;
  friend class TDBGridColumns;
  friend class TBookmarkList;

  // Writes the editor's text into the field (when the user changed it).
  void UpdateData();
  void DataChanged();
  void Scrolled();
  void RecordChanged();
  void EditingChanged();
  int IndicatorOffset() const { return FDBOptions.Contains(dgIndicator) ? 1 : 0; }
  int TitleOffset() const { return FDBOptions.Contains(dgTitles) ? 1 : 0; }
  // The column shown in a grid column, or null for the indicator.
  TColumn* ColumnAt(int ACol) const;
  int GridColumnOf(int ColumnIndex) const;
  int CurrentRecord() const;
  int RecordCount() const;
  int RowsThatFit();
  // Sets the row count and the window of records so that the current record shows.
  // Answers whether the rows or the current row moved.
  bool UpdateRows();
  void ApplyGridOptions();
  // What the indicator column shows on a row.
  enum TIndicatorMark { imNone, imArrow, imEdit, imInsert, imMultiDot, imMultiArrow };
  TIndicatorMark IndicatorMark(int Record) const;
  void DrawIndicator(const TRect& Rect, int Record);
  void DrawTitle(const TRect& Rect, TColumn* Column);
  void MoveRecords(int Distance);
  // Moves to the record shown at that index of the grid's records (a new one included).
  void MoveToShownRecord(int Record);
  // Up and Down: a move of one record; Shift extends the selection with dgMultiSelect.
  void MoveSelecting(int Direction, bool Extend);
  void NextRow(bool Extend);
  void PriorRow(bool Extend);
  bool CanAppend() const;
  // Ctrl+Del: the current (or the selected) records go, after asking with dgConfirmDelete.
  void DeleteRecords();
  void ClearSelection();
  bool MultiSelect() const { return FDBOptions.Contains(dgMultiSelect) && FDataLink->Active(); }
  bool Inserting() const;
  // The data set's record shown at that index of the grid's records; -1 for the new one.
  int ShownRecord(int Record) const;
  bool ShownRecordSelected(int Record) const;

  std::unique_ptr<TDataLink> FDataLink;
  std::unique_ptr<TDBGridColumns> FColumns;
  std::unique_ptr<TFont> FTitleFont;
  std::vector<int> FVisibleColumns;
  TDBGridOptions FDBOptions = DefaultDBGridOptions;
  bool FReadOnly = false;
  int FFirstRecord = 0;
  int FRecordRows = 1;
  String FEditText;
  bool FModified = false;
  bool FLayingOut = false;
  TGridCoord FClickCell{-1, -1};
  std::unique_ptr<TBookmarkList> FBookmarks;
  bool FSelecting = false;
  // Records from the anchor of a Shift selection to the current one, signed.
  int FSelectionOffset = 0;
  TDrawColumnCellEvent FOnDrawColumnCell;
  TDBGridClickEvent FOnCellClick;
  TMovedEvent FOnColumnMoved;
  TDBGridClickEvent FOnTitleClick;
};
