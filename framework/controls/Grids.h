#pragma once

#include "framework/controls/ListBoxes.h"
#include "framework/controls/MaskEdit.h"

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

LUM_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

inline constexpr const char* SGridIndexOutOfRange = "Grid index out of range";
inline constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
inline constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";
inline constexpr const char* SCannotInsertDelete = "Cannot insert or delete rows from grid";

LUM_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
         goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
         goRowSelect, goAlwaysShowEditor, goThumbTracking);
using TGridOptions = TSet<TGridOption>;
inline const TGridOptions DefaultGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine,
                                             goHorzLine, goRangeSelect};
LUM_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed);
using TGridDrawState = TSet<TGridDrawStateItem>;
LUM_ENUM(TGridState, gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving);
// How a cell's editor edits: a plain edit, or one with a list of texts to pick from.
LUM_ENUM(TEditStyle, esSimple, esPickList);

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};

// A block of cells by their first and last column (Left, Right) and row (Top, Bottom).
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Contains(int ACol, int ARow) const {
    return ACol >= Left && ACol <= Right && ARow >= Top && ARow <= Bottom;
  }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};
// The block between two corners, whichever way round they are.
TGridRect GridRectBetween(TGridCoord A, TGridCoord B);

// Where the cells of one direction lie on screen: the fixed ones at the start, then the
// scrolled ones from FirstGridCell on, each followed by a grid line.
struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;
  int FixedBoundary = 0;       // end of the fixed cells
  int GridBoundary = 0;        // end of the last cell shown (partly)
  int GridExtent = 0;          // the client size
  int LastFullVisibleCell = 0; // the last cell shown whole
  int FullVisBoundary = 0;     // end of that cell
  int FixedCellCount = 0;
  int FirstGridCell = 0; // LeftCol or TopRow
  int GridCellCount = 0;
};
struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

// Sizes of the cells of one direction: a default, and a table of every cell only once one of
// them was given its own size (a huge row count costs nothing until then).
class TGridSizes {
public:
  explicit TGridSizes(int ADefault) : FDefault(ADefault) {}
  int Get(int Index) const {
    return FSizes.empty() ? FDefault : FSizes[static_cast<std::size_t>(Index)];
  }
  void Set(int Count, int Index, int Value);
  void Resize(int Count);
  int Default() const { return FDefault; }
  // A new default replaces every size.
  void SetDefault(int Value);
  bool Custom() const { return !FSizes.empty(); }
  void Move(int From, int To);

private:
  int FDefault;
  std::vector<int> FSizes;
};

// What a window scroll bar shows: whether it shows, its range from 0 to Max, the page (cells
// that show whole) and the position.
struct TGridScrollRange {
  bool Show = false;
  int Max = 0;
  int Page = 1;
  int Pos = 0;
};

class TCustomGrid;

// The edit that floats over the current cell while the grid is in editor mode. It hands the
// keys that move between cells to its grid.
class TInplaceEdit : public TCustomMaskEdit {
  LUM_CLASS(TInplaceEdit, TCustomMaskEdit)
public:
  explicit TInplaceEdit(TCustomGrid* AGrid);
  TCustomGrid* Grid() const { return FGrid; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Change() override;
  // The editor opens on another cell: its mask, length limit and text come from the grid.
  virtual void UpdateContents();

private:
  bool CaretAtStart();
  bool CaretAtEnd();
  TCustomGrid* FGrid;
  friend class TCustomGrid;
};

class TPopupListbox;
class TEditButton;

// An in-place editor that, for a cell whose edit style is esPickList, shows a drop-down
// button at its right; the button or Alt+Down opens the list below the cell, a click or
// Enter takes the chosen text into the editor, Escape closes it.
class TInplaceEditList : public TInplaceEdit {
  LUM_CLASS(TInplaceEditList, TInplaceEdit)
public:
  explicit TInplaceEditList(TCustomGrid* AGrid);
  TEditStyle EditStyle() const { return FEditStyle; }
  void SetEditStyle(TEditStyle Value);
  TStrings* PickList() const;
  TCustomListBox* ActiveList() const;
  int DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(int Value);
  bool ListVisible() const { return FListVisible; }
  // The list opens below the editor with the item of the editor's text chosen.
  void DropDown();
  // The list closes; with Accept its chosen text goes into the editor.
  void CloseUp(bool Accept);
  // The drop-down button's rectangle in the editor's client coordinates (empty without one).
  TRect ButtonRect();

protected:
  void CreateWnd() override;
  void BoundsChanged(const TRect& OldBounds) override;
  void CMVisibleChanged(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void UpdateContents() override;

private:
  void PlaceButton();
  TEditStyle FEditStyle = esSimple;
  TEditButton* FButton;
  TPopupListbox* FPickList;
  int FDropDownRows = 7;
  bool FListVisible = false;
  bool FEatReturn = false;
};

// The grid control: cells in columns and rows, some fixed at the top and left, drawn by the
// descendant in DrawCell. It draws only the cells that show, scrolls with its window scroll
// bars, the keyboard and the wheel, selects a cell or a block with mouse and keys, sizes and
// moves columns and rows with the mouse, and edits a cell in place.
class TCustomGrid : public TCustomControl {
  LUM_CLASS(TCustomGrid, TCustomControl)
public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  int DefaultColWidth() const { return FColWidths.Default(); }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FRowHeights.Default(); }
  void SetDefaultRowHeight(int Value);
  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  TGridRect Selection() const;
  void SetSelection(TGridRect Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  // Whole scrolled columns and rows that show.
  int VisibleColCount();
  int VisibleRowCount();
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
  TGridState GridState() const { return FGridState; }

  // The cell's rectangle in client coordinates; empty when it does not show.
  TRect CellRect(int ACol, int ARow);
  // The cell under a client point; -1 for a column or row outside every cell.
  TGridCoord MouseCoord(int X, int Y);
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  void InvalidateCell(int ACol, int ARow);
  void InvalidateRow(int ARow);
  void InvalidateCol(int ACol);
  TGridDrawInfo CalcDrawInfo();

protected:
  // Draws one cell; the grid has filled the background in the colour the state gives.
  virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) = 0;
  // Asked before the current cell moves there; false keeps it where it is.
  virtual bool SelectCell(int ACol, int ARow);
  // The current cell moves: with MoveAnchor the block shrinks to it, with Show it scrolls
  // into view. FocusCell also brings the editor along and fires Click.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  // Runs after the column or row count changed (the old counts given).
  virtual void SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {}
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  virtual void TopLeftChanged();
  // A column or row was moved with the mouse (or MoveColumn / MoveRow).
  virtual void ColumnMoved(int /*FromIndex*/, int /*ToIndex*/) {}
  virtual void RowMoved(int /*FromIndex*/, int /*ToIndex*/) {}
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  // The text the editor starts with, gets on every change, and its edit mask.
  virtual String GetEditText(int /*ACol*/, int /*ARow*/) { return ""; }
  virtual void SetEditText(int /*ACol*/, int /*ARow*/, const String& /*Value*/) {}
  virtual String GetEditMask(int /*ACol*/, int /*ARow*/) { return ""; }
  virtual int GetEditLimit() { return 0; }
  virtual bool CanEditShow();
  // Asked before a typed key changes the editor's text.
  virtual bool CanEditModify() { return true; }
  virtual TInplaceEdit* CreateEditor();
  // The editor's style at a cell, and the texts its list offers there (esPickList).
  virtual TEditStyle GetEditStyle(int /*ACol*/, int /*ARow*/) { return esSimple; }
  virtual void GetPickListItems(int /*ACol*/, int /*ARow*/, TStrings* /*Items*/) {}
  void ShowEditor();
  void HideEditor();
  void ShowEditorChar(char Ch);
  // Escape: the cell gets back the text it had when the editor opened.
  virtual void CancelEditor();
  // The editor follows the current cell (a moved cell, a new text).
  void UpdateEdit();
  // The editor takes its text and place anew (after scrolling or a change of the data).
  void InvalidateEditor();
  // The grid size that repaints, moves the editor and updates the scroll bars.
  void ChangeSize(int NewColCount, int NewRowCount);
  void MoveTopLeft(int ALeft, int ATop);
  // The furthest top-left cell that still fills the client area.
  TGridCoord CalcMaxTopLeft(TGridCoord Coord, const TGridDrawInfo& DrawInfo);
  // Scrolls so that the cell shows whole.
  void ClampInView(TGridCoord Coord);
  void UpdateScrollRange();
  void UpdateScrollPos();
  // The range of SB_HORZ or SB_VERT: by default the scrolled cells from the fixed ones on.
  virtual TGridScrollRange ScrollRange(int Bar, const TGridDrawInfo& DrawInfo);
  // Whether a cell in that state is painted in the highlight colours.
  bool Highlighted(TGridDrawState AState) const;

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  // The grid's own keys (arrows, pages, Home/End, Tab, F2, Escape), after OnKeyDown.
  void GridKeyDown(Word& Key, TShiftState Shift);
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoEnter() override;
  void DoExit() override;
  void WMSize(TMessage& Message) override;
  void DefineProperties(TFiler* Filer) override;
  // Scrolled by a step of a window scroll bar.
  virtual void ScrollMessage(int Bar, int Code, int Pos);
  // One notch of the wheel: the current row moves by one.
  virtual void MouseWheel(int Delta);
  // Where the mouse is over a line between fixed cells that sizing may drag.
  bool SizingLineAt(int X, int Y, TGridState& State, int& Index, int& Pos);
  // The part of the cell box that paints the focus rectangle.
  TRect FocusRect();
  bool IsActiveControl();

  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  TGridOptions FOptions = DefaultGridOptions;
  TGridState FGridState = gsNormal;
  bool FEditorMode = false;
  TInplaceEdit* FInplaceEdit = nullptr;

private:
  void CheckCoord(int ACol, int ARow) const;
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void SelectionMoved(const TGridRect& OldSel);
  void InvalidateGridRect(const TGridRect& R);
  bool RowsOutOfSight(int First, int Last);
  void DrawCells(const TGridDrawInfo& Info, const TRect& Clip);
  void DrawCellAt(int ACol, int ARow, const TRect& Where, bool Focused, const TGridRect& Sel);
  void DrawLines(const TGridDrawInfo& Info);
  void DrawAxisLines(const TGridAxisDrawInfo& Along, const TGridAxisDrawInfo& Across, bool Vertical,
                     bool FixedOnly, TColor Color);
  int CellStart(const TGridAxisDrawInfo& Axis, int Index, bool Horizontal) const;
  int CellAt(const TGridAxisDrawInfo& Axis, int Pos, bool Horizontal) const;
  int Extent(bool Horizontal, int Index) const {
    return Horizontal ? FColWidths.Get(Index) : FRowHeights.Get(Index);
  }
  void CalcAxis(TGridAxisDrawInfo& Axis, bool Horizontal, int ClientExtent);
  // The far corner of the block moves; with Show it scrolls into view.
  void MoveAnchorTo(TGridCoord Anchor, bool Show);
  void TimedScroll();
  void TrackSize(int X, int Y);
  void EndSizing();
  void ReadColWidths(TReader* Reader);
  void WriteColWidths(TWriter* Writer);
  void ReadRowHeights(TReader* Reader);
  void WriteRowHeights(TWriter* Writer);
  void PlaceEditor();
  void UpdateText();
  int PageRows();
  void MoveByTab(TGridCoord& Cell, bool Backwards);

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  TColor FFixedColor = clBtnFace;
  TGridSizes FColWidths{64};
  TGridSizes FRowHeights{24};
  int FGridLineWidth = 1;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;
  int FEditCol = -1;
  int FEditRow = -1;
  String FEditOriginal;
  bool FUpdatingEditor = false;
  bool FUpdatingScrollBars = false;
  int FSizingIndex = -1;
  int FSizingPos = 0;
  int FMoveIndex = -1;
  int FMovePos = -1;
  static constexpr UINT_PTR ScrollTimerId = 1;
  static constexpr UINT ScrollTimerInterval = 60;
  friend class TInplaceEdit;
  friend class TInplaceEditList;
};

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// The published face every grid shows in form files, in the framework's order.
#define LUM_GRID_PUBLISHED_LAYOUT                                                                  \
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))                        \
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomGrid::BorderStyle(),                             \
                TCustomGrid::SetBorderStyle, Default(bsSingle))                                    \
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow),                      \
                Idents(ColorIdents()), Stored(IsColorStored))                                      \
  LUM_PUBLISHED(Integer, ColCount, TCustomGrid::ColCount(), TCustomGrid::SetColCount, Default(5))  \
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,               \
                Stored(IsCtl3DStored))                                                             \
  LUM_PUBLISHED(Integer, DefaultColWidth, TCustomGrid::DefaultColWidth(),                          \
                TCustomGrid::SetDefaultColWidth, Default(64))                                      \
  LUM_PUBLISHED(Integer, DefaultRowHeight, TCustomGrid::DefaultRowHeight(),                        \
                TCustomGrid::SetDefaultRowHeight, Default(24))                                     \
  LUM_PUBLISHED(bool, DefaultDrawing, TCustomGrid::DefaultDrawing(),                               \
                TCustomGrid::SetDefaultDrawing, Default(true))                                     \
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),        \
                Idents(CursorIdents()))                                                            \
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))          \
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))                      \
  LUM_PUBLISHED(TColor, FixedColor, TCustomGrid::FixedColor(), TCustomGrid::SetFixedColor,         \
                Default(clBtnFace), Idents(ColorIdents()))                                         \
  LUM_PUBLISHED(Integer, FixedCols, TCustomGrid::FixedCols(), TCustomGrid::SetFixedCols,           \
                Default(1))                                                                        \
  LUM_PUBLISHED(Integer, RowCount, TCustomGrid::RowCount(), TCustomGrid::SetRowCount, Default(5))  \
  LUM_PUBLISHED(Integer, FixedRows, TCustomGrid::FixedRows(), TCustomGrid::SetFixedRows,           \
                Default(1))                                                                        \
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))           \
  LUM_PUBLISHED(Integer, GridLineWidth, TCustomGrid::GridLineWidth(),                              \
                TCustomGrid::SetGridLineWidth, Default(1))                                         \
  LUM_PUBLISHED(TGridOptions, Options, TCustomGrid::Options(), TCustomGrid::SetOptions,            \
                Default(DefaultGridOptions))                                                       \
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))         \
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,        \
                Default(true))                                                                     \
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))             \
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true)) \
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)             \
  LUM_PUBLISHED(TScrollStyle, ScrollBars, TCustomGrid::ScrollBars(), TCustomGrid::SetScrollBars,   \
                Default(ssBoth))                                                                   \
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,                       \
                Stored(IsShowHintStored))                                                          \
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder,            \
                Default(-1))                                                                       \
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))                   \
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))

// The control events every grid publishes.
#define LUM_GRID_PUBLISHED_EVENTS                                                                  \
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)                  \
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)         \
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)       \
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)       \
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)           \
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault) \
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)    \
  LUM_PUBLISHED(TKeyEvent, OnKeyDown, TWinControl::OnKeyDown(), TWinControl::SetOnKeyDown,         \
                NoDefault)                                                                         \
  LUM_PUBLISHED(TKeyPressEvent, OnKeyPress, TWinControl::OnKeyPress(), TWinControl::SetOnKeyPress, \
                NoDefault)                                                                         \
  LUM_PUBLISHED(TKeyEvent, OnKeyUp, TWinControl::OnKeyUp(), TWinControl::SetOnKeyUp, NoDefault)    \
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)       \
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)   \
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)             \
  LUM_PUBLISHED(TStartDragEvent, OnStartDrag, FOnStartDrag, TControl::SetOnStartDrag, NoDefault)

// A grid whose cells the application draws in OnDrawCell; the editor's texts come from
// OnGetEditText and go to OnSetEditText.
class TDrawGrid : public TCustomGrid {
  LUM_CLASS(TDrawGrid, TCustomGrid)
public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

  LUM_GRID_PUBLISHED_LAYOUT
  LUM_GRID_PUBLISHED_EVENTS
  LUM_PUBLISHED(TMovedEvent, OnColumnMoved, FOnColumnMoved, Field, NoDefault)
  LUM_PUBLISHED(TDrawCellEvent, OnDrawCell, FOnDrawCell, Field, NoDefault)
  LUM_PUBLISHED(TGetEditEvent, OnGetEditMask, FOnGetEditMask, Field, NoDefault)
  LUM_PUBLISHED(TGetEditEvent, OnGetEditText, FOnGetEditText, Field, NoDefault)
  LUM_PUBLISHED(TMovedEvent, OnRowMoved, FOnRowMoved, Field, NoDefault)
  LUM_PUBLISHED(TSelectCellEvent, OnSelectCell, FOnSelectCell, Field, NoDefault)
  LUM_PUBLISHED(TSetEditEvent, OnSetEditText, FOnSetEditText, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnTopLeftChanged, FOnTopLeftChanged, Field, NoDefault)

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  String GetEditMask(int ACol, int ARow) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void TopLeftChanged() override;

private:
  TMovedEvent FOnColumnMoved;
  TDrawCellEvent FOnDrawCell;
  TGetEditEvent FOnGetEditMask;
  TGetEditEvent FOnGetEditText;
  TMovedEvent FOnRowMoved;
  TSelectCellEvent FOnSelectCell;
  TSetEditEvent FOnSetEditText;
  TNotifyEvent FOnTopLeftChanged;
};

class TStringGrid;

// One column or row of a string grid as a string list: its cells and their objects.
class TStringGridStrings : public TStrings {
  LUM_CLASS(TStringGridStrings, TStrings)
public:
  TStringGridStrings(TStringGrid* AGrid, bool AIsCol, int AIndex)
      : FGrid(AGrid), FIsCol(AIsCol), FIndex(AIndex) {}
  // Fills the first empty cell; -1 when none is empty.
  Integer Add(const String& S) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Insert(Integer Index, const String& S) override;

protected:
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  TObject* GetObject(Integer Index) const override;
  void Put(Integer Index, const String& S) override;
  void PutObject(Integer Index, TObject* Object) override;

private:
  TStringGrid* FGrid;
  bool FIsCol;
  int FIndex;
};

// A grid of texts, each cell with an object. Cells are stored only for rows that were
// written, so a large empty grid costs nothing; they stay across column and row count
// changes (those cut off are dropped).
class TStringGrid : public TDrawGrid {
  LUM_CLASS(TStringGrid, TDrawGrid)
public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  String Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const String& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);
  TStrings* Cols(int Index);
  void SetCols(int Index, TStrings* Value) { Cols(Index)->Assign(Value); }
  TStrings* Rows(int Index);
  void SetRows(int Index, TStrings* Value) { Rows(Index)->Assign(Value); }

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;

private:
  struct TCell {
    String Text;
    TObject* Object = nullptr;
  };
  using TCellRow = std::vector<TCell>;
  static constexpr int PageRows = 1024;
  using TPage = std::array<TCellRow, PageRows>;

  const TCell* FindCell(int ACol, int ARow) const;
  TCell& CellFor(int ACol, int ARow);
  TCellRow& RowSlot(int ARow);
  TCellRow* FindRow(int ARow) const;
  void CheckCell(int ACol, int ARow) const;

  std::vector<std::unique_ptr<TPage>> FPages;
  std::unordered_map<int, std::unique_ptr<TStringGridStrings>> FCols;
  std::unordered_map<int, std::unique_ptr<TStringGridStrings>> FRows;
};
