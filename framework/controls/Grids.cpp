#include "framework/controls/Grids.h"

#include "framework/classes/Filer.h"
#include "framework/controls/Screen.h"

#include <algorithm>

namespace {

// How far from a line between fixed cells the mouse may be to drag it.
constexpr int SizingMargin = 3;

[[noreturn]] void InvalidOp(const char* Message) { throw EInvalidGridOperation(Message); }

int Clamp(int Value, int Low, int High) { return std::max(Low, std::min(Value, High)); }

} // namespace

TGridRect GridRectBetween(TGridCoord A, TGridCoord B) {
  return TGridRect{std::min(A.X, B.X), std::min(A.Y, B.Y), std::max(A.X, B.X), std::max(A.Y, B.Y)};
}

void TGridSizes::Set(int Count, int Index, int Value) {
  if (FSizes.empty()) {
    if (Value == FDefault) return;
    FSizes.assign(static_cast<std::size_t>(Count), FDefault);
  }
  FSizes[static_cast<std::size_t>(Index)] = std::max(Value, 0);
}

void TGridSizes::Resize(int Count) {
  if (!FSizes.empty()) FSizes.resize(static_cast<std::size_t>(Count), FDefault);
}

void TGridSizes::SetDefault(int Value) {
  FDefault = Value;
  FSizes.clear();
}

void TGridSizes::Move(int From, int To) {
  if (FSizes.empty()) return;
  const auto first = FSizes.begin();
  if (From < To)
    std::rotate(first + From, first + From + 1, first + To + 1);
  else
    std::rotate(first + To, first + From, first + From + 1);
}

TInplaceEdit::TInplaceEdit(TCustomGrid* AGrid) : TCustomMaskEdit(AGrid), FGrid(AGrid) {
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  FTabStop = false;
  FVisible = false;
  SetParentCtl3D(false);
  SetCtl3D(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_AUTOHSCROLL;
}

void TInplaceEdit::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_GETDLGCODE) return TCustomMaskEdit::Dispatch(Message);
  TCustomMaskEdit::Dispatch(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  if (FGrid->Options().Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

bool TInplaceEdit::CaretAtStart() { return SelStart() == 0 && SelLength() == 0; }

bool TInplaceEdit::CaretAtEnd() {
  return SelStart() + SelLength() >= GetTextLen() && SelLength() == 0;
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  const auto sendToGrid = [&] {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  };
  switch (Key) {
  case VK_UP:
  case VK_DOWN:
  case VK_PRIOR:
  case VK_NEXT:
  case VK_ESCAPE:
    sendToGrid();
    break;
  case VK_TAB:
    if (!Shift.Contains(ssAlt)) sendToGrid();
    break;
  case VK_LEFT:
  case VK_HOME:
    if (CaretAtStart()) sendToGrid();
    break;
  case VK_RIGHT:
  case VK_END:
    if (CaretAtEnd()) sendToGrid();
    break;
  case VK_DELETE:
    if (Shift.Contains(ssCtrl))
      sendToGrid();
    else if (!FGrid->CanEditModify())
      Key = 0;
    break;
  default:
    break;
  }
  if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key) {
  if (Key == '\t' || Key == '\x1b') {
    Key = 0;
    return;
  }
  if (Key == '\r') {
    FGrid->KeyPress(Key);
    Key = 0;
    return;
  }
  const auto code = static_cast<unsigned char>(Key);
  if ((code >= 32 || Key == '\b' || Key == 0x16 || Key == 0x18) && !FGrid->CanEditModify()) {
    Key = 0;
    return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::Change() {
  TCustomMaskEdit::Change();
  if (!FGrid->FUpdatingEditor && FGrid->FEditCol >= 0)
    FGrid->SetEditText(FGrid->FEditCol, FGrid->FEditRow, GetText());
}

void TInplaceEdit::UpdateContents() {
  SetEditMask(FGrid->GetEditMask(FGrid->FEditCol, FGrid->FEditRow));
  SetMaxLength(FGrid->GetEditLimit());
  SetText(FGrid->FEditOriginal);
}

// The drop-down button of a pick-list editor: a scroll-down arrow that toggles the list.
class TEditButton : public TCustomControl {
  LUM_CLASS(TEditButton, TCustomControl)
public:
  explicit TEditButton(TInplaceEditList* AEdit) : TCustomControl(AEdit), FEdit(AEdit) {
    FControlStyle = TControlStyle{csOpaque};
    FColor = clBtnFace;
    FParentColor = false;
    FTabStop = false;
  }

protected:
  void Paint() override {
    TRect r = ClientRect();
    DrawFrameControl(Canvas()->Handle(), &r, DFC_SCROLL,
                     DFCS_SCROLLDOWN | (FEdit->ListVisible() ? DFCS_PUSHED : 0));
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (FEdit->ListVisible())
      FEdit->CloseUp(false);
    else
      FEdit->DropDown();
  }

private:
  TInplaceEditList* FEdit;
};

// The list of a pick-list editor: a popup over everything that never takes the focus from
// the editor; a click on an item chooses it and closes the list.
class TPopupListbox : public TCustomListBox {
  LUM_CLASS(TPopupListbox, TCustomListBox)
public:
  explicit TPopupListbox(TInplaceEditList* AEdit) : TCustomListBox(AEdit), FEdit(AEdit) {
    FVisible = false;
    FTabStop = false;
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomListBox::CreateParams(Params);
    Params.Style = (Params.Style & ~static_cast<DWORD>(WS_CHILD | WS_TABSTOP | WS_BORDER)) |
                   WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WndParent = nullptr;
  }
  void Dispatch(TMessage& Message) override {
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
      Message.Result = MA_NOACTIVATE;
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
      const TPoint at{Message.LParamLo(), Message.LParamHi()};
      const int index = ItemAtPos(at, true);
      if (index >= 0) SetItemIndex(index);
      if (Message.Msg == WM_LBUTTONUP) FEdit->CloseUp(index >= 0);
      return;
    }
    default:
      TCustomListBox::Dispatch(Message);
    }
  }

private:
  TInplaceEditList* FEdit;
};

TInplaceEditList::TInplaceEditList(TCustomGrid* AGrid)
    : TInplaceEdit(AGrid), FButton(new TEditButton(this)), FPickList(new TPopupListbox(this)) {
  FButton->SetVisible(false);
  FButton->SetParent(this);
}

TStrings* TInplaceEditList::PickList() const { return FPickList->Items(); }

TCustomListBox* TInplaceEditList::ActiveList() const { return FPickList; }

void TInplaceEditList::SetDropDownRows(int Value) { FDropDownRows = std::max(Value, 1); }

void TInplaceEditList::SetEditStyle(TEditStyle Value) {
  if (Value == FEditStyle) return;
  if (Value != esPickList) CloseUp(false);
  FEditStyle = Value;
  PlaceButton();
}

TRect TInplaceEditList::ButtonRect() {
  if (FEditStyle != esPickList) return TRect{};
  const TRect client = HandleAllocated() ? ClientRect() : Rect(0, 0, FWidth, FHeight);
  const int width = std::min(GetSystemMetrics(SM_CXVSCROLL), client.Width());
  return Rect(client.Right - width, 0, client.Right, client.Bottom);
}

void TInplaceEditList::PlaceButton() {
  const TRect r = ButtonRect();
  if (HandleAllocated())
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, r.Width()));
  FButton->SetVisible(!r.IsEmpty());
  if (!r.IsEmpty()) FButton->SetBoundsRect(r);
}

void TInplaceEditList::CreateWnd() {
  TInplaceEdit::CreateWnd();
  PlaceButton();
}

void TInplaceEditList::BoundsChanged(const TRect& OldBounds) {
  TInplaceEdit::BoundsChanged(OldBounds);
  PlaceButton();
}

void TInplaceEditList::CMVisibleChanged(TMessage& Message) {
  TInplaceEdit::CMVisibleChanged(Message);
  if (!Visible()) CloseUp(false);
}

void TInplaceEditList::UpdateContents() {
  CloseUp(false);
  TInplaceEdit::UpdateContents();
  TCustomGrid* grid = Grid();
  SetEditStyle(grid->GetEditStyle(grid->FEditCol, grid->FEditRow));
  PickList()->Clear();
  if (FEditStyle == esPickList) grid->GetPickListItems(grid->FEditCol, grid->FEditRow, PickList());
}

void TInplaceEditList::DropDown() {
  if (FListVisible || FEditStyle != esPickList || !HandleAllocated()) return;
  const int rows = std::clamp(PickList()->Count(), 1, FDropDownRows);
  FPickList->SetItemIndex(PickList()->IndexOf(GetText()));
  const TPoint below = ClientToScreen(TPoint{0, Height()});
  FPickList->SetBounds(below.X, below.Y, Width(), 0);
  FPickList->HandleNeeded();
  const int frame = FPickList->Height() - FPickList->ClientHeight();
  const int height = rows * FPickList->ItemHeight() + frame;
  const int top =
      below.Y + height > Screen()->Height() ? ClientToScreen(TPoint{0, 0}).Y - height : below.Y;
  FPickList->SetBounds(below.X, top, Width(), height);
  SetWindowPos(FPickList->Handle(), HWND_TOPMOST, below.X, top, Width(), height,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  FListVisible = true;
  FButton->Invalidate();
}

void TInplaceEditList::CloseUp(bool Accept) {
  if (!FListVisible) return;
  FListVisible = false;
  const int index = FPickList->ItemIndex();
  if (FPickList->HandleAllocated()) ShowWindow(FPickList->Handle(), SW_HIDE);
  FButton->Invalidate();
  if (!Accept || index < 0 || !Grid()->CanEditModify()) return;
  SetText(PickList()->Strings(index));
  SelectAll();
}

void TInplaceEditList::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_KILLFOCUS) CloseUp(false);
  TInplaceEdit::Dispatch(Message);
}

void TInplaceEditList::KeyDown(Word& Key, TShiftState Shift) {
  if (FEditStyle == esPickList) {
    if ((Key == VK_UP || Key == VK_DOWN) && Shift.Contains(ssAlt)) {
      if (FListVisible)
        CloseUp(true);
      else
        DropDown();
      Key = 0;
      return;
    }
    if (FListVisible && (Key == VK_RETURN || Key == VK_ESCAPE)) {
      FEatReturn = Key == VK_RETURN;
      CloseUp(Key == VK_RETURN);
      Key = 0;
      return;
    }
    if (FListVisible && (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT)) {
      SendMessageA(FPickList->Handle(), WM_KEYDOWN, Key, 0);
      Key = 0;
      return;
    }
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TInplaceEditList::KeyPress(char& Key) {
  if (Key == '\r' && FEatReturn) {
    FEatReturn = false;
    Key = 0;
    return;
  }
  FEatReturn = false;
  TInplaceEdit::KeyPress(Key);
}

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
  FColor = clWindow;
  FParentColor = false;
  FTabStop = true;
  FWidth = FColCount * DefaultColWidth();
  FHeight = FRowCount * DefaultRowHeight();
}

TCustomGrid::~TCustomGrid() = default;

// Sizes and counts.

void TCustomGrid::CheckCoord(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
    InvalidOp(SGridIndexOutOfRange);
}

void TCustomGrid::SetColCount(int Value) {
  if (Value == FColCount) return;
  if (Value < 1) InvalidOp(SGridIndexOutOfRange);
  if (Value < FFixedCols) InvalidOp(SFixedColTooBig);
  if (Value == FFixedCols) SetFixedCols(Value - 1);
  ChangeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value == FRowCount) return;
  if (Value < 1) InvalidOp(SGridIndexOutOfRange);
  if (Value < FFixedRows) InvalidOp(SFixedRowTooBig);
  if (Value == FFixedRows) SetFixedRows(Value - 1);
  ChangeSize(FColCount, Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
  const int oldCols = FColCount, oldRows = FRowCount;
  HideEditor();
  FColCount = NewColCount;
  FRowCount = NewRowCount;
  FColWidths.Resize(NewColCount);
  FRowHeights.Resize(NewRowCount);
  const auto clampCoord = [&](TGridCoord& C, int MinX, int MinY) {
    C.X = Clamp(C.X, MinX, FColCount - 1);
    C.Y = Clamp(C.Y, MinY, FRowCount - 1);
  };
  clampCoord(FCurrent, 0, 0);
  clampCoord(FAnchor, 0, 0);
  clampCoord(FTopLeft, FFixedCols, FFixedRows);
  if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
  SizeChanged(oldCols, oldRows);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value == FFixedCols) return;
  if (Value < 0) InvalidOp(SGridIndexOutOfRange);
  if (Value >= FColCount) InvalidOp(SFixedColTooBig);
  HideEditor();
  FFixedCols = Value;
  FTopLeft.X = FCurrent.X = FAnchor.X = Value;
  if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value == FFixedRows) return;
  if (Value < 0) InvalidOp(SGridIndexOutOfRange);
  if (Value >= FRowCount) InvalidOp(SFixedRowTooBig);
  HideEditor();
  FFixedRows = Value;
  FTopLeft.Y = FCurrent.Y = FAnchor.Y = Value;
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  if (Value == DefaultColWidth() && !FColWidths.Custom()) return;
  FColWidths.SetDefault(std::max(Value, 0));
  ColWidthsChanged();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  if (Value == DefaultRowHeight() && !FRowHeights.Custom()) return;
  FRowHeights.SetDefault(std::max(Value, 0));
  RowHeightsChanged();
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= FColCount) InvalidOp(SGridIndexOutOfRange);
  return FColWidths.Get(Index);
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= FColCount) InvalidOp(SGridIndexOutOfRange);
  if (FColWidths.Get(Index) == Value) return;
  FColWidths.Set(FColCount, Index, Value);
  ColWidthsChanged();
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= FRowCount) InvalidOp(SGridIndexOutOfRange);
  return FRowHeights.Get(Index);
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= FRowCount) InvalidOp(SGridIndexOutOfRange);
  if (FRowHeights.Get(Index) == Value) return;
  FRowHeights.Set(FRowCount, Index, Value);
  RowHeightsChanged();
}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  InvalidateEditor();
  Invalidate();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  InvalidateEditor();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  if (Value == FGridLineWidth) return;
  FGridLineWidth = std::max(Value, 0);
  ColWidthsChanged();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  if (Value.Contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
  FOptions = Value;
  if (!FEditorMode) {
    if (Value.Contains(goAlwaysShowEditor))
      ShowEditor();
    else
      HideEditor();
  }
  if (Value.Contains(goRowSelect)) {
    HideEditor();
    FCurrent.X = FFixedCols;
    FAnchor = TGridCoord{FColCount - 1, FCurrent.Y};
  }
  UpdateScrollRange();
  Invalidate();
}

// Geometry.

void TCustomGrid::CalcAxis(TGridAxisDrawInfo& Axis, bool Horizontal, int ClientExtent) {
  const bool lines = Horizontal
                         ? (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goVertLine))
                         : (FOptions.Contains(goFixedHorzLine) || FOptions.Contains(goHorzLine));
  const int lw = lines ? FGridLineWidth : 0;
  Axis.EffectiveLineWidth = lw;
  Axis.GridExtent = ClientExtent;
  Axis.FixedCellCount = Horizontal ? FFixedCols : FFixedRows;
  Axis.FirstGridCell = Horizontal ? FTopLeft.X : FTopLeft.Y;
  Axis.GridCellCount = Horizontal ? FColCount : FRowCount;
  int fixed = 0;
  for (int i = 0; i < Axis.FixedCellCount; ++i) fixed += Extent(Horizontal, i) + lw;
  Axis.FixedBoundary = fixed;
  Axis.GridBoundary = Axis.FullVisBoundary = fixed;
  Axis.LastFullVisibleCell = Axis.FirstGridCell;
  for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
    Axis.GridBoundary += Extent(Horizontal, i) + lw;
    if (Axis.GridBoundary > ClientExtent + lw) {
      Axis.GridBoundary = ClientExtent;
      break;
    }
    Axis.LastFullVisibleCell = i;
    Axis.FullVisBoundary = Axis.GridBoundary;
  }
}

TGridDrawInfo TCustomGrid::CalcDrawInfo() {
  TGridDrawInfo info;
  const TRect client = HandleAllocated() ? ClientRect() : Rect(0, 0, FWidth, FHeight);
  CalcAxis(info.Horz, true, client.Width());
  CalcAxis(info.Vert, false, client.Height());
  return info;
}

int TCustomGrid::CellStart(const TGridAxisDrawInfo& Axis, int Index, bool Horizontal) const {
  const int lw = Axis.EffectiveLineWidth;
  if (Index < Axis.FixedCellCount) {
    int pos = 0;
    for (int i = 0; i < Index; ++i) pos += Extent(Horizontal, i) + lw;
    return pos;
  }
  if (Index < Axis.FirstGridCell) return -1;
  int pos = Axis.FixedBoundary;
  for (int i = Axis.FirstGridCell; i < Index; ++i) {
    pos += Extent(Horizontal, i) + lw;
    if (pos >= Axis.GridBoundary) return -1;
  }
  return pos < Axis.GridBoundary ? pos : -1;
}

int TCustomGrid::CellAt(const TGridAxisDrawInfo& Axis, int Pos, bool Horizontal) const {
  if (Pos < 0 || Pos >= Axis.GridBoundary) return -1;
  const int lw = Axis.EffectiveLineWidth;
  int end = 0;
  if (Pos < Axis.FixedBoundary) {
    for (int i = 0; i < Axis.FixedCellCount; ++i) {
      end += Extent(Horizontal, i) + lw;
      if (Pos < end) return i;
    }
    return -1;
  }
  end = Axis.FixedBoundary;
  for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
    end += Extent(Horizontal, i) + lw;
    if (Pos < end) return i;
  }
  return -1;
}

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) return TRect{};
  const TGridDrawInfo info = CalcDrawInfo();
  const int x = CellStart(info.Horz, ACol, true), y = CellStart(info.Vert, ARow, false);
  if (x < 0 || y < 0) return TRect{};
  return Rect(x, y, x + Extent(true, ACol), y + Extent(false, ARow));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  const TGridDrawInfo info = CalcDrawInfo();
  TGridCoord c{CellAt(info.Horz, X, true), CellAt(info.Vert, Y, false)};
  if (c.X < 0 || c.Y < 0) c = TGridCoord{-1, -1};
  return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  const TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

int TCustomGrid::VisibleColCount() {
  const TGridDrawInfo info = CalcDrawInfo();
  return info.Horz.LastFullVisibleCell - LeftCol() + 1;
}

int TCustomGrid::VisibleRowCount() {
  const TGridDrawInfo info = CalcDrawInfo();
  return info.Vert.LastFullVisibleCell - TopRow() + 1;
}

int TCustomGrid::PageRows() { return std::max(VisibleRowCount(), 1); }

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  InvalidateGridRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow) {
  InvalidateGridRect(TGridRect{0, ARow, FColCount - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol) {
  InvalidateGridRect(TGridRect{ACol, 0, ACol, FRowCount - 1});
}

// Scrolled rows all above the top row, or (with rows of one height) below the client area.
bool TCustomGrid::RowsOutOfSight(int First, int Last) {
  if (First < FFixedRows) return false;
  if (Last < FTopLeft.Y) return true;
  const int step = DefaultRowHeight() + FGridLineWidth;
  return !FRowHeights.Custom() && step > 0 && First > FTopLeft.Y + ClientHeight() / step + 1;
}

// The screen box of the cells of R that show, lines included.
void TCustomGrid::InvalidateGridRect(const TGridRect& R) {
  if (!HandleAllocated() || RowsOutOfSight(R.Top, R.Bottom)) return;
  const TGridDrawInfo info = CalcDrawInfo();
  const auto span = [&](const TGridAxisDrawInfo& Axis, bool Horizontal, int First, int Last,
                        int& From, int& To) {
    From = -1;
    To = -1;
    for (int i = First; i <= Last; ++i) {
      const int start = CellStart(Axis, i, Horizontal);
      if (start < 0) {
        if (i >= Axis.FixedCellCount && i < Axis.FirstGridCell) {
          i = Axis.FirstGridCell - 1;
          continue;
        }
        if (i >= Axis.FirstGridCell) break;
        continue;
      }
      if (From < 0) From = start;
      To = start + Extent(Horizontal, i) + Axis.EffectiveLineWidth;
    }
  };
  int left, right, top, bottom;
  span(info.Horz, true, R.Left, R.Right, left, right);
  span(info.Vert, false, R.Top, R.Bottom, top, bottom);
  if (left < 0 || top < 0) return;
  const TRect box = Rect(left, top, right, bottom);
  InvalidateRect(&box);
}

// Current cell, selection and scrolling.

TGridRect TCustomGrid::Selection() const { return GridRectBetween(FCurrent, FAnchor); }

void TCustomGrid::SetSelection(TGridRect Value) {
  CheckCoord(Value.Left, Value.Top);
  CheckCoord(Value.Right, Value.Bottom);
  const TGridRect old = Selection();
  FAnchor = TGridCoord{Value.Left, Value.Top};
  FCurrent = TGridCoord{Value.Right, Value.Bottom};
  SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
  InvalidateGridRect(OldSel);
  InvalidateGridRect(Selection());
}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  CheckCoord(ACol, ARow);
  if (!SelectCell(ACol, ARow)) return;
  const TGridRect old = Selection();
  FCurrent = TGridCoord{ACol, ARow};
  if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
  }
  if (FOptions.Contains(goRowSelect)) FCurrent.X = FFixedCols;
  if (Show) ClampInView(FCurrent);
  SelectionMoved(old);
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveCurrent(ACol, ARow, MoveAnchor, true);
  UpdateEdit();
  Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::SetCol(int Value) {
  if (Value != FCurrent.X) FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != FCurrent.Y) FocusCell(FCurrent.X, Value, true);
}

TGridCoord TCustomGrid::CalcMaxTopLeft(TGridCoord Coord, const TGridDrawInfo& DrawInfo) {
  const auto axisMax = [&](const TGridAxisDrawInfo& Axis, bool Horizontal, int Last) {
    int room = Axis.GridExtent - Axis.FixedBoundary;
    int first = Last;
    while (first > Axis.FixedCellCount) {
      room -= Extent(Horizontal, first) + Axis.EffectiveLineWidth;
      if (room < 0) break;
      const int before = Extent(Horizontal, first - 1) + Axis.EffectiveLineWidth;
      if (room < before) break;
      --first;
    }
    return std::max(first, Axis.FixedCellCount);
  };
  return TGridCoord{axisMax(DrawInfo.Horz, true, Coord.X), axisMax(DrawInfo.Vert, false, Coord.Y)};
}

void TCustomGrid::ClampInView(TGridCoord Coord) {
  if (!HandleAllocated()) return;
  const TGridDrawInfo info = CalcDrawInfo();
  TGridCoord topLeft = FTopLeft;
  const TGridCoord maxTopLeft = CalcMaxTopLeft(Coord, info);
  if (Coord.X >= FFixedCols) {
    if (Coord.X < FTopLeft.X)
      topLeft.X = Coord.X;
    else if (Coord.X > info.Horz.LastFullVisibleCell)
      topLeft.X = maxTopLeft.X;
  }
  if (Coord.Y >= FFixedRows) {
    if (Coord.Y < FTopLeft.Y)
      topLeft.Y = Coord.Y;
    else if (Coord.Y > info.Vert.LastFullVisibleCell)
      topLeft.Y = maxTopLeft.Y;
  }
  MoveTopLeft(topLeft.X, topLeft.Y);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  const TGridCoord maxTopLeft =
      CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, CalcDrawInfo());
  ALeft = Clamp(ALeft, FFixedCols, std::max(maxTopLeft.X, FFixedCols));
  ATop = Clamp(ATop, FFixedRows, std::max(maxTopLeft.Y, FFixedRows));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = TGridCoord{ALeft, ATop};
  UpdateScrollPos();
  Invalidate();
  InvalidateEditor();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {}

void TCustomGrid::SetTopRow(int Value) {
  if (Value < 0 || Value >= FRowCount) InvalidOp(SGridIndexOutOfRange);
  MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::SetLeftCol(int Value) {
  if (Value < 0 || Value >= FColCount) InvalidOp(SGridIndexOutOfRange);
  MoveTopLeft(Value, FTopLeft.Y);
}

// Scroll bars: position 0 is the first scrolled cell at the top (or left); the page is the
// cells that show whole.
void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || FUpdatingScrollBars) return;
  FUpdatingScrollBars = true;
  try {
    for (int pass = 0; pass < 2; ++pass) {
      const TGridDrawInfo info = CalcDrawInfo();
      for (const int bar : {SB_HORZ, SB_VERT}) {
        const TGridScrollRange range = ScrollRange(bar, info);
        ShowScrollBar(Handle(), bar, range.Show ? TRUE : FALSE);
        if (!range.Show) continue;
        SCROLLINFO si{};
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nPage = static_cast<UINT>(range.Page);
        si.nMax = range.Max;
        si.nPos = range.Pos;
        SetScrollInfo(Handle(), bar, &si, TRUE);
      }
    }
    const TGridCoord maxTopLeft =
        CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, CalcDrawInfo());
    if (FTopLeft.X > maxTopLeft.X || FTopLeft.Y > maxTopLeft.Y)
      MoveTopLeft(std::min(FTopLeft.X, maxTopLeft.X), std::min(FTopLeft.Y, maxTopLeft.Y));
  } catch (...) {
    FUpdatingScrollBars = false;
    throw;
  }
  FUpdatingScrollBars = false;
}

TGridScrollRange TCustomGrid::ScrollRange(int Bar, const TGridDrawInfo& DrawInfo) {
  const bool vertical = Bar == SB_VERT;
  const TGridCoord maxTopLeft = CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, DrawInfo);
  const TGridAxisDrawInfo& axis = vertical ? DrawInfo.Vert : DrawInfo.Horz;
  const int fixed = vertical ? FFixedRows : FFixedCols;
  const int first = vertical ? FTopLeft.Y : FTopLeft.X;
  const bool allowed =
      FScrollBars == ssBoth || FScrollBars == (vertical ? ssVertical : ssHorizontal);
  TGridScrollRange range;
  range.Show = allowed && (vertical ? maxTopLeft.Y : maxTopLeft.X) > fixed;
  range.Page = std::max(axis.LastFullVisibleCell - first + 1, 1);
  range.Max = (vertical ? maxTopLeft.Y : maxTopLeft.X) - fixed + range.Page - 1;
  range.Pos = first - fixed;
  return range;
}

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated()) return;
  const TGridDrawInfo info = CalcDrawInfo();
  for (const int bar : {SB_HORZ, SB_VERT}) {
    const TGridScrollRange range = ScrollRange(bar, info);
    if (range.Show) SetScrollPos(Handle(), bar, range.Pos, TRUE);
  }
}

bool TCustomGrid::Highlighted(TGridDrawState AState) const {
  return AState.Contains(gdSelected) &&
         (!AState.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
          FOptions.Contains(goRowSelect));
}

void TCustomGrid::ScrollMessage(int Bar, int Code, int Pos) {
  const bool vertical = Bar == SB_VERT;
  const int fixed = vertical ? FFixedRows : FFixedCols;
  const int first = vertical ? FTopLeft.Y : FTopLeft.X;
  const int page = vertical ? PageRows() : std::max(VisibleColCount(), 1);
  const TGridCoord maxTopLeft =
      CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, CalcDrawInfo());
  int target = first;
  switch (Code) {
  case SB_LINEUP:
    target = first - 1;
    break;
  case SB_LINEDOWN:
    target = first + 1;
    break;
  case SB_PAGEUP:
    target = first - page;
    break;
  case SB_PAGEDOWN:
    target = first + page;
    break;
  case SB_THUMBTRACK:
    if (!FOptions.Contains(goThumbTracking)) return;
    target = fixed + Pos;
    break;
  case SB_THUMBPOSITION:
    target = fixed + Pos;
    break;
  case SB_TOP:
    target = fixed;
    break;
  case SB_BOTTOM:
    target = vertical ? maxTopLeft.Y : maxTopLeft.X;
    break;
  default:
    return;
  }
  if (vertical)
    MoveTopLeft(FTopLeft.X, target);
  else
    MoveTopLeft(target, FTopLeft.Y);
}

void TCustomGrid::MouseWheel(int Delta) {
  const int target = Clamp(FCurrent.Y - Delta, FFixedRows, FRowCount - 1);
  if (target != FCurrent.Y) SetRow(target);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex) return;
  CheckCoord(FromIndex, 0);
  CheckCoord(ToIndex, 0);
  HideEditor();
  FColWidths.Move(FromIndex, ToIndex);
  ColumnMoved(FromIndex, ToIndex);
  Invalidate();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex) return;
  CheckCoord(0, FromIndex);
  CheckCoord(0, ToIndex);
  HideEditor();
  FRowHeights.Move(FromIndex, ToIndex);
  RowMoved(FromIndex, ToIndex);
  Invalidate();
}

// The editor.

bool TCustomGrid::IsActiveControl() {
  if (Focused() || (FInplaceEdit && FInplaceEdit->Focused())) return true;
  TCustomForm* form = GetParentForm(this);
  return form &&
         (form->ActiveControl() == this || (FInplaceEdit && form->ActiveControl() == FInplaceEdit));
}

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && FEditorMode &&
         !ComponentState().Contains(csDesigning) && HandleAllocated() &&
         (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  if (!FInplaceEdit || FEditCol < 0) return;
  const bool hadFocus = FInplaceEdit->Focused();
  try {
    UpdateText();
  } catch (...) {
    FEditorMode = true;
    throw;
  }
  FEditCol = FEditRow = -1;
  FInplaceEdit->Hide();
  if (hadFocus && CanFocus()) SetFocus();
}

void TCustomGrid::UpdateText() {
  if (FEditCol >= 0) SetEditText(FEditCol, FEditRow, FInplaceEdit->GetText());
}

void TCustomGrid::CancelEditor() {
  if (!FInplaceEdit || FEditCol < 0) return;
  FUpdatingEditor = true;
  FInplaceEdit->SetText(FEditOriginal);
  FUpdatingEditor = false;
  SetEditText(FEditCol, FEditRow, FEditOriginal);
  HideEditor();
}

void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = CreateEditor();
    FInplaceEdit->SetParent(this);
  }
  if (FEditCol != FCurrent.X || FEditRow != FCurrent.Y) {
    if (FEditCol >= 0) UpdateText();
    FEditCol = FCurrent.X;
    FEditRow = FCurrent.Y;
    FEditOriginal = GetEditText(FEditCol, FEditRow);
    FUpdatingEditor = true;
    try {
      FInplaceEdit->UpdateContents();
    } catch (...) {
      FUpdatingEditor = false;
      throw;
    }
    FUpdatingEditor = false;
    FInplaceEdit->SelectAll();
  }
  PlaceEditor();
}

void TCustomGrid::PlaceEditor() {
  if (!FInplaceEdit || FEditCol < 0) return;
  const TRect r = CellRect(FEditCol, FEditRow);
  if (r.IsEmpty()) {
    const bool hadFocus = FInplaceEdit->Focused();
    FInplaceEdit->Hide();
    if (hadFocus) SetFocus();
    return;
  }
  FInplaceEdit->SetBoundsRect(r);
  FInplaceEdit->Show();
  if (Focused() || IsActiveControl()) FInplaceEdit->SetFocus();
}

void TCustomGrid::InvalidateEditor() {
  if (!FInplaceEdit || FEditCol < 0) return;
  FEditCol = FEditRow = -1;
  UpdateEdit();
  if (FEditCol < 0) FInplaceEdit->Hide();
}

void TCustomGrid::ShowEditorChar(char Ch) {
  ShowEditor();
  if (!FInplaceEdit || FEditCol < 0 || !FInplaceEdit->Visible()) return;
  FInplaceEdit->SelectAll();
  FInplaceEdit->Perform(WM_CHAR, static_cast<unsigned char>(Ch), 0);
}

// Keyboard and mouse.

void TCustomGrid::MoveByTab(TGridCoord& Cell, bool Backwards) {
  if (Backwards) {
    if (--Cell.X < FFixedCols) {
      Cell.X = FColCount - 1;
      if (--Cell.Y < FFixedRows) Cell.Y = FRowCount - 1;
    }
    return;
  }
  if (++Cell.X >= FColCount) {
    Cell.X = FFixedCols;
    if (++Cell.Y >= FRowCount) Cell.Y = FFixedRows;
  }
}

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key != 0) GridKeyDown(Key, Shift);
}

void TCustomGrid::GridKeyDown(Word& Key, TShiftState Shift) {
  const bool rowSelect = FOptions.Contains(goRowSelect);
  const TGridDrawInfo info = CalcDrawInfo();
  const int pageHeight = std::max(info.Vert.LastFullVisibleCell - FTopLeft.Y, 1);
  const int pageWidth = std::max(info.Horz.LastFullVisibleCell - FTopLeft.X, 1);
  TGridCoord current = FCurrent, topLeft = FTopLeft;
  bool moveAnchor = !Shift.Contains(ssShift);
  if (Shift.Contains(ssCtrl)) {
    switch (Key) {
    case VK_UP:
      --topLeft.Y;
      break;
    case VK_DOWN:
      ++topLeft.Y;
      break;
    case VK_LEFT:
      if (!rowSelect) current.X -= pageWidth, topLeft.X -= pageWidth;
      break;
    case VK_RIGHT:
      if (!rowSelect) current.X += pageWidth, topLeft.X += pageWidth;
      break;
    case VK_PRIOR:
      current.Y = FTopLeft.Y;
      break;
    case VK_NEXT:
      current.Y = info.Vert.LastFullVisibleCell;
      break;
    case VK_HOME:
      current = TGridCoord{FFixedCols, FFixedRows};
      break;
    case VK_END:
      current = TGridCoord{FColCount - 1, FRowCount - 1};
      break;
    default:
      return;
    }
  } else {
    switch (Key) {
    case VK_UP:
      --current.Y;
      break;
    case VK_DOWN:
      ++current.Y;
      break;
    case VK_LEFT:
      if (rowSelect)
        --topLeft.X;
      else
        --current.X;
      break;
    case VK_RIGHT:
      if (rowSelect)
        ++topLeft.X;
      else
        ++current.X;
      break;
    case VK_NEXT:
      current.Y += pageHeight, topLeft.Y += pageHeight;
      break;
    case VK_PRIOR:
      current.Y -= pageHeight, topLeft.Y -= pageHeight;
      break;
    case VK_HOME:
      if (rowSelect)
        current.Y = FFixedRows;
      else
        current.X = FFixedCols;
      break;
    case VK_END:
      if (rowSelect)
        current.Y = FRowCount - 1;
      else
        current.X = FColCount - 1;
      break;
    case VK_TAB:
      if (Shift.Contains(ssAlt) || !FOptions.Contains(goTabs)) return;
      MoveByTab(current, Shift.Contains(ssShift));
      moveAnchor = true;
      break;
    case VK_F2:
      SetEditorMode(true);
      return;
    case VK_ESCAPE:
      if (FEditorMode) CancelEditor();
      return;
    default:
      return;
    }
  }
  const TGridCoord maxTopLeft = CalcMaxTopLeft(TGridCoord{FColCount - 1, FRowCount - 1}, info);
  topLeft.X = Clamp(topLeft.X, FFixedCols, std::max(maxTopLeft.X, FFixedCols));
  topLeft.Y = Clamp(topLeft.Y, FFixedRows, std::max(maxTopLeft.Y, FFixedRows));
  if (topLeft.X != FTopLeft.X || topLeft.Y != FTopLeft.Y) MoveTopLeft(topLeft.X, topLeft.Y);
  current.X = Clamp(current.X, FFixedCols, FColCount - 1);
  current.Y = Clamp(current.Y, FFixedRows, FRowCount - 1);
  if (current.X != FCurrent.X || current.Y != FCurrent.Y)
    FocusCell(current.X, current.Y, moveAnchor);
}

void TCustomGrid::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == '\r' && !FOptions.Contains(goAlwaysShowEditor)) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = 0;
  }
}

bool TCustomGrid::SizingLineAt(int X, int Y, TGridState& State, int& Index, int& Pos) {
  const TGridDrawInfo info = CalcDrawInfo();
  const auto lineNear = [&](const TGridAxisDrawInfo& Axis, bool Horizontal, int At) {
    int end = 0;
    const auto hit = [&](int i) {
      end += Extent(Horizontal, i);
      const bool near =
          At >= end - SizingMargin && At <= end + Axis.EffectiveLineWidth + SizingMargin;
      end += Axis.EffectiveLineWidth;
      return near;
    };
    for (int i = 0; i < Axis.FixedCellCount; ++i)
      if (hit(i)) return i;
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount && end < Axis.GridBoundary; ++i)
      if (hit(i)) return i;
    return -1;
  };
  if (FOptions.Contains(goColSizing) && Y >= 0 && Y < info.Vert.FixedBoundary) {
    Index = lineNear(info.Horz, true, X);
    if (Index >= 0) {
      State = gsColSizing;
      Pos = CellStart(info.Horz, Index, true);
      return true;
    }
  }
  if (FOptions.Contains(goRowSizing) && X >= 0 && X < info.Horz.FixedBoundary) {
    Index = lineNear(info.Vert, false, Y);
    if (Index >= 0) {
      State = gsRowSizing;
      Pos = CellStart(info.Vert, Index, false);
      return true;
    }
  }
  return false;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!ComponentState().Contains(csDesigning) && CanFocus() && !IsActiveControl()) SetFocus();
  if (Button == mbLeft && !Shift.Contains(ssDouble)) {
    TGridState state = gsNormal;
    if (SizingLineAt(X, Y, state, FSizingIndex, FSizingPos)) {
      FGridState = state;
    } else {
      const TGridCoord hit = MouseCoord(X, Y);
      if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
        if (FOptions.Contains(goEditing) && hit == FCurrent) {
          ShowEditor();
        } else {
          FGridState = gsSelecting;
          SetTimer(Handle(), ScrollTimerId, ScrollTimerInterval, nullptr);
          if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)) {
            const TGridRect old = Selection();
            FAnchor = hit;
            if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
            SelectionMoved(old);
          } else {
            MoveCurrent(hit.X, hit.Y, true, true);
          }
        }
      } else if (FOptions.Contains(goRowMoving) && hit.X >= 0 && hit.X < FFixedCols &&
                 hit.Y >= FFixedRows) {
        FGridState = gsRowMoving;
        FMoveIndex = FMovePos = hit.Y;
      } else if (FOptions.Contains(goColMoving) && hit.Y >= 0 && hit.Y < FFixedRows &&
                 hit.X >= FFixedCols) {
        FGridState = gsColMoving;
        FMoveIndex = FMovePos = hit.X;
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  const TGridDrawInfo info = CalcDrawInfo();
  switch (FGridState) {
  case gsSelecting: {
    const TGridCoord hit = MouseCoord(X, Y);
    if (hit.X >= FFixedCols && hit.Y >= FFixedRows && FOptions.Contains(goRangeSelect) &&
        !(hit == FAnchor))
      MoveAnchorTo(hit, false);
    break;
  }
  case gsColSizing:
  case gsRowSizing:
    TrackSize(X, Y);
    break;
  case gsColMoving: {
    const int c =
        CellAt(info.Horz, Clamp(X, info.Horz.FixedBoundary, info.Horz.GridBoundary - 1), true);
    if (c >= FFixedCols) FMovePos = c;
    break;
  }
  case gsRowMoving: {
    const int r =
        CellAt(info.Vert, Clamp(Y, info.Vert.FixedBoundary, info.Vert.GridBoundary - 1), false);
    if (r >= FFixedRows) FMovePos = r;
    break;
  }
  default:
    break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MoveAnchorTo(TGridCoord Anchor, bool Show) {
  const TGridRect old = Selection();
  FAnchor = Anchor;
  if (FOptions.Contains(goRowSelect)) FAnchor.X = FColCount - 1;
  if (Show) ClampInView(Anchor);
  SelectionMoved(old);
}

// While a drag selects with the mouse beyond the cells, each tick scrolls the block's far
// corner one cell further that way.
void TCustomGrid::TimedScroll() {
  if (FGridState != gsSelecting) {
    KillTimer(Handle(), ScrollTimerId);
    return;
  }
  if (!FOptions.Contains(goRangeSelect)) return;
  POINT p{};
  GetCursorPos(&p);
  const TPoint at = ScreenToClient(TPoint{p.X, p.Y});
  const TGridDrawInfo info = CalcDrawInfo();
  TGridCoord anchor = FAnchor;
  if (at.X < info.Horz.FixedBoundary && anchor.X > FFixedCols) --anchor.X;
  if (at.X >= info.Horz.GridBoundary && anchor.X < FColCount - 1) ++anchor.X;
  if (at.Y < info.Vert.FixedBoundary && anchor.Y > FFixedRows) --anchor.Y;
  if (at.Y >= info.Vert.GridBoundary && anchor.Y < FRowCount - 1) ++anchor.Y;
  if (!(anchor == FAnchor)) MoveAnchorTo(anchor, true);
}

void TCustomGrid::TrackSize(int X, int Y) {
  const bool cols = FGridState == gsColSizing;
  const int size = std::max((cols ? X : Y) - FSizingPos, 1);
  if (cols)
    SetColWidths(FSizingIndex, size);
  else
    SetRowHeights(FSizingIndex, size);
}

void TCustomGrid::EndSizing() {
  FGridState = gsNormal;
  FSizingIndex = -1;
  UpdateScrollRange();
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const TGridState state = FGridState;
  switch (state) {
  case gsSelecting:
    MouseMove(Shift, X, Y);
    FGridState = gsNormal;
    KillTimer(Handle(), ScrollTimerId);
    UpdateEdit();
    Click();
    break;
  case gsColSizing:
  case gsRowSizing:
    TrackSize(X, Y);
    EndSizing();
    break;
  case gsColMoving:
  case gsRowMoving:
    MouseMove(Shift, X, Y);
    FGridState = gsNormal;
    if (FMovePos != FMoveIndex) {
      if (state == gsColMoving)
        MoveColumn(FMoveIndex, FMovePos);
      else
        MoveRow(FMoveIndex, FMovePos);
    }
    FMoveIndex = FMovePos = -1;
    break;
  default:
    break;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DoEnter() {
  TCustomControl::DoEnter();
  InvalidateGridRect(Selection());
  UpdateEdit();
}

void TCustomGrid::DoExit() {
  TCustomControl::DoExit();
  if (!FOptions.Contains(goAlwaysShowEditor)) HideEditor();
  InvalidateGridRect(Selection());
}

// Window.

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FBorderStyle == bsSingle) AddBorderStyle(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::WMSize(TMessage& Message) {
  TCustomControl::WMSize(Message);
  UpdateScrollRange();
  InvalidateEditor();
}

void TCustomGrid::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETDLGCODE:
    Message.Result = DLGC_WANTARROWS;
    if (FOptions.Contains(goRowSelect)) return;
    if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
    if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
    return;
  case WM_HSCROLL:
  case WM_VSCROLL:
    if (Message.LParam != 0) break;
    ScrollMessage(Message.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ,
                  static_cast<int>(Message.WParamLo()), static_cast<SHORT>(Message.WParamHi()));
    return;
  case WM_TIMER:
    if (Message.WParam != ScrollTimerId) break;
    TimedScroll();
    return;
  case WM_MOUSEWHEEL: {
    const int delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
    for (int notches = std::abs(delta) / WHEEL_DELTA; notches > 0; --notches)
      MouseWheel(delta > 0 ? 1 : -1);
    Message.Result = 1;
    return;
  }
  case WM_CHAR: {
    const auto code = static_cast<unsigned char>(Message.WParam);
    if (FOptions.Contains(goEditing) && (code == '\b' || code >= 32) && !FEditorMode) {
      if (DoKeyPress(Message)) return;
      ShowEditorChar(static_cast<char>(Message.WParam));
      return;
    }
    break;
  }
  case WM_SETCURSOR: {
    TGridState state = FGridState;
    if (state != gsColSizing && state != gsRowSizing) {
      POINT p{};
      GetCursorPos(&p);
      const TPoint at = ScreenToClient(TPoint{p.X, p.Y});
      int index = 0, pos = 0;
      if (!SizingLineAt(at.X, at.Y, state, index, pos)) break;
    }
    ::SetCursor(CursorHandle(state == gsColSizing ? crHSplit : crVSplit));
    Message.Result = 1;
    return;
  }
  default:
    break;
  }
  TCustomControl::Dispatch(Message);
}

// Painting.

void TCustomGrid::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const TGridDrawInfo info = CalcDrawInfo();
  RECT clipBox{};
  GetClipBox(canvas->Handle(), &clipBox);
  const TRect clip = Rect(clipBox.Left, clipBox.Top, clipBox.Right, clipBox.Bottom);
  DrawLines(info);
  DrawCells(info, clip);
  canvas->Brush()->SetColor(FColor);
  const TRect client = ClientRect();
  if (info.Horz.GridBoundary < client.Right)
    canvas->FillRect(Rect(info.Horz.GridBoundary, 0, client.Right, client.Bottom));
  if (info.Vert.GridBoundary < client.Bottom)
    canvas->FillRect(Rect(0, info.Vert.GridBoundary, info.Horz.GridBoundary, client.Bottom));
  if (FDefaultDrawing && FOptions.Contains(goRowSelect) && IsActiveControl()) {
    const TRect focus = FocusRect();
    if (!focus.IsEmpty()) canvas->DrawFocusRect(focus);
  }
}

TRect TCustomGrid::FocusRect() {
  if (!FOptions.Contains(goRowSelect)) return CellRect(FCurrent.X, FCurrent.Y);
  const TGridDrawInfo info = CalcDrawInfo();
  const int y = CellStart(info.Vert, FCurrent.Y, false);
  if (y < 0) return TRect{};
  return Rect(info.Horz.FixedBoundary, y, info.Horz.GridBoundary, y + Extent(false, FCurrent.Y));
}

void TCustomGrid::DrawLines(const TGridDrawInfo& Info) {
  const bool fixedVert = FOptions.Contains(goFixedVertLine),
             fixedHorz = FOptions.Contains(goFixedHorzLine);
  const bool vert = FOptions.Contains(goVertLine), horz = FOptions.Contains(goHorzLine);
  TCanvas* canvas = Canvas();
  const auto fill = [&](TColor Color, int L, int T, int R, int B) {
    if (R <= L || B <= T) return;
    canvas->Brush()->SetColor(Color);
    canvas->FillRect(Rect(L, T, R, B));
  };
  // The line after each cell of one direction, over the span of the other.
  const auto lines = [&](const TGridAxisDrawInfo& Axis, bool Horizontal, bool Fixed, bool Scrolled,
                         int From, int To) {
    const int lw = Axis.EffectiveLineWidth;
    if (lw == 0) return;
    int pos = 0;
    for (int i = 0; i < Axis.FixedCellCount; ++i) {
      pos += Extent(Horizontal, i);
      if (Horizontal)
        fill(Fixed ? clBlack : FFixedColor, pos, From, pos + lw, To);
      else
        fill(Fixed ? clBlack : FFixedColor, From, pos, To, pos + lw);
      pos += lw;
    }
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount && pos < Axis.GridBoundary; ++i) {
      pos += Extent(Horizontal, i);
      const TColor color = Scrolled ? clSilver : FColor;
      if (Horizontal)
        fill(color, pos, From, pos + lw, To);
      else
        fill(color, From, pos, To, pos + lw);
      pos += lw;
    }
  };
  // Lines inside the fixed rows and columns are fixed lines; the others are cell lines.
  lines(Info.Horz, true, fixedVert, fixedVert, 0, Info.Vert.FixedBoundary);
  lines(Info.Horz, true, fixedVert, vert, Info.Vert.FixedBoundary, Info.Vert.GridBoundary);
  lines(Info.Vert, false, fixedHorz, fixedHorz, 0, Info.Horz.FixedBoundary);
  lines(Info.Vert, false, fixedHorz, horz, Info.Horz.FixedBoundary, Info.Horz.GridBoundary);
}

void TCustomGrid::DrawCells(const TGridDrawInfo& Info, const TRect& Clip) {
  struct TSpan {
    int Index, Start, End;
  };
  const auto spans = [&](const TGridAxisDrawInfo& Axis, bool Horizontal, int ClipFrom, int ClipTo) {
    std::vector<TSpan> list;
    int pos = 0;
    const auto add = [&](int i) {
      const int end = pos + Extent(Horizontal, i);
      if (end > ClipFrom && pos < ClipTo && end > pos) list.push_back(TSpan{i, pos, end});
      pos = end + Axis.EffectiveLineWidth;
    };
    for (int i = 0; i < Axis.FixedCellCount; ++i) add(i);
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount && pos < Axis.GridBoundary; ++i) add(i);
    return list;
  };
  const std::vector<TSpan> cols = spans(Info.Horz, true, Clip.Left, Clip.Right);
  const std::vector<TSpan> rows = spans(Info.Vert, false, Clip.Top, Clip.Bottom);
  const bool focused = IsActiveControl();
  const TGridRect sel = Selection();
  for (const TSpan& row : rows)
    for (const TSpan& col : cols)
      DrawCellAt(col.Index, row.Index, Rect(col.Start, row.Start, col.End, row.End), focused, sel);
}

void TCustomGrid::DrawCellAt(int ACol, int ARow, const TRect& Where, bool Focused,
                             const TGridRect& Sel) {
  TCanvas* canvas = Canvas();
  TGridDrawState state;
  TColor brush = FColor, text = Font()->Color();
  if (ACol < FFixedCols || ARow < FFixedRows) {
    state.Include(gdFixed);
    brush = FFixedColor;
  } else {
    if (Focused && ACol == FCurrent.X && ARow == FCurrent.Y) state.Include(gdFocused);
    if (Sel.Contains(ACol, ARow)) state.Include(gdSelected);
    if (Highlighted(state)) {
      brush = clHighlight;
      text = clHighlightText;
    }
  }
  canvas->Brush()->SetColor(brush);
  canvas->Font()->SetColor(text);
  if (FDefaultDrawing) canvas->FillRect(Where);
  DrawCell(ACol, ARow, Where, state);
  if (!FDefaultDrawing) return;
  if (state.Contains(gdFixed) && Ctl3D() && FOptions.Contains(goFixedVertLine) &&
      FOptions.Contains(goFixedHorzLine)) {
    RECT edge{Where.Left, Where.Top, Where.Right, Where.Bottom};
    DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
    DrawEdge(canvas->Handle(), &edge, BDR_RAISEDINNER, BF_TOPLEFT);
  }
  if (state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
      !(FEditorMode && FEditCol >= 0)) {
    canvas->Brush()->SetColor(brush);
    canvas->DrawFocusRect(Where);
  }
}

// Form files: column widths and row heights as lists of every column's or row's size,
// stored once any has its own.

void TCustomGrid::DefineProperties(TFiler* Filer) {
  TCustomControl::DefineProperties(Filer);
  Filer->DefineProperty(
      "ColWidths", [this](TReader* R) { ReadColWidths(R); },
      [this](TWriter* W) { WriteColWidths(W); }, FColWidths.Custom());
  Filer->DefineProperty(
      "RowHeights", [this](TReader* R) { ReadRowHeights(R); },
      [this](TWriter* W) { WriteRowHeights(W); }, FRowHeights.Custom());
}

void TCustomGrid::ReadColWidths(TReader* Reader) {
  Reader->ReadListBegin();
  for (int i = 0; !Reader->EndOfList(); ++i) {
    const int value = Reader->ReadInteger();
    if (i < FColCount) SetColWidths(i, value);
  }
  Reader->ReadListEnd();
}

void TCustomGrid::WriteColWidths(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int i = 0; i < FColCount; ++i) Writer->WriteInteger(FColWidths.Get(i));
  Writer->WriteListEnd();
}

void TCustomGrid::ReadRowHeights(TReader* Reader) {
  Reader->ReadListBegin();
  for (int i = 0; !Reader->EndOfList(); ++i) {
    const int value = Reader->ReadInteger();
    if (i < FRowCount) SetRowHeights(i, value);
  }
  Reader->ReadListEnd();
}

void TCustomGrid::WriteRowHeights(TWriter* Writer) {
  Writer->WriteListBegin();
  for (int i = 0; i < FRowCount; ++i) Writer->WriteInteger(FRowHeights.Get(i));
  Writer->WriteListEnd();
}

// TDrawGrid.

void TDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (FOnDrawCell) FOnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TDrawGrid::SelectCell(int ACol, int ARow) {
  bool can = TCustomGrid::SelectCell(ACol, ARow);
  if (FOnSelectCell) FOnSelectCell(this, ACol, ARow, can);
  return can;
}

String TDrawGrid::GetEditText(int ACol, int ARow) {
  String value;
  if (FOnGetEditText) FOnGetEditText(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (FOnSetEditText) FOnSetEditText(this, ACol, ARow, Value);
}

String TDrawGrid::GetEditMask(int ACol, int ARow) {
  String value;
  if (FOnGetEditMask) FOnGetEditMask(this, ACol, ARow, value);
  return value;
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (FOnColumnMoved) FOnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (FOnRowMoved) FOnRowMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (FOnTopLeftChanged) FOnTopLeftChanged(this);
}

// TStringGridStrings.

Integer TStringGridStrings::GetCount() const {
  return FIsCol ? FGrid->RowCount() : FGrid->ColCount();
}

String TStringGridStrings::Get(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
  return FIsCol ? FGrid->Cells(FIndex, Index) : FGrid->Cells(Index, FIndex);
}

TObject* TStringGridStrings::GetObject(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
  return FIsCol ? FGrid->Objects(FIndex, Index) : FGrid->Objects(Index, FIndex);
}

void TStringGridStrings::Put(Integer Index, const String& S) {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
  if (FIsCol)
    FGrid->SetCells(FIndex, Index, S);
  else
    FGrid->SetCells(Index, FIndex, S);
}

void TStringGridStrings::PutObject(Integer Index, TObject* Object) {
  if (Index < 0 || Index >= GetCount()) Error(SListIndexError, Index);
  if (FIsCol)
    FGrid->SetObjects(FIndex, Index, Object);
  else
    FGrid->SetObjects(Index, FIndex, Object);
}

Integer TStringGridStrings::Add(const String& S) {
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i).empty()) {
      Put(i, S);
      return i;
    }
  return -1;
}

void TStringGridStrings::Clear() {
  for (int i = 0; i < GetCount(); ++i) {
    Put(i, "");
    PutObject(i, nullptr);
  }
}

void TStringGridStrings::Delete(Integer) { InvalidOp(SCannotInsertDelete); }

void TStringGridStrings::Insert(Integer, const String&) { InvalidOp(SCannotInsertDelete); }

// TStringGrid.

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}

TStringGrid::~TStringGrid() = default;

void TStringGrid::CheckCell(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    InvalidOp(SGridIndexOutOfRange);
}

TStringGrid::TCellRow* TStringGrid::FindRow(int ARow) const {
  const auto page = static_cast<std::size_t>(ARow / PageRows);
  if (page >= FPages.size() || !FPages[page]) return nullptr;
  return &(*FPages[page])[static_cast<std::size_t>(ARow % PageRows)];
}

const TStringGrid::TCell* TStringGrid::FindCell(int ACol, int ARow) const {
  const TCellRow* row = FindRow(ARow);
  if (!row || static_cast<std::size_t>(ACol) >= row->size()) return nullptr;
  return &(*row)[static_cast<std::size_t>(ACol)];
}

TStringGrid::TCellRow& TStringGrid::RowSlot(int ARow) {
  const auto page = static_cast<std::size_t>(ARow / PageRows);
  if (page >= FPages.size()) FPages.resize(page + 1);
  if (!FPages[page]) FPages[page] = std::make_unique<TPage>();
  return (*FPages[page])[static_cast<std::size_t>(ARow % PageRows)];
}

TStringGrid::TCell& TStringGrid::CellFor(int ACol, int ARow) {
  TCellRow& row = RowSlot(ARow);
  if (static_cast<std::size_t>(ACol) >= row.size())
    row.resize(static_cast<std::size_t>(std::max(ColCount(), ACol + 1)));
  return row[static_cast<std::size_t>(ACol)];
}

String TStringGrid::Cells(int ACol, int ARow) const {
  CheckCell(ACol, ARow);
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Text : String();
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value) {
  CheckCell(ACol, ARow);
  if (Value.empty() && !FindCell(ACol, ARow)) return;
  CellFor(ACol, ARow).Text = Value;
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  CheckCell(ACol, ARow);
  const TCell* cell = FindCell(ACol, ARow);
  return cell ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) {
  CheckCell(ACol, ARow);
  if (!Value && !FindCell(ACol, ARow)) return;
  CellFor(ACol, ARow).Object = Value;
}

TStrings* TStringGrid::Cols(int Index) {
  if (Index < 0 || Index >= ColCount()) InvalidOp(SGridIndexOutOfRange);
  auto& slot = FCols[Index];
  if (!slot) slot = std::make_unique<TStringGridStrings>(this, true, Index);
  return slot.get();
}

TStrings* TStringGrid::Rows(int Index) {
  if (Index < 0 || Index >= RowCount()) InvalidOp(SGridIndexOutOfRange);
  auto& slot = FRows[Index];
  if (!slot) slot = std::make_unique<TStringGridStrings>(this, false, Index);
  return slot.get();
}

void TStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    // The grid filled the cell already: the text goes on without a background of its own.
    const TCell* cell = FindCell(ACol, ARow);
    TBrush* brush = Canvas()->Brush();
    if (cell && !cell->Text.empty()) {
      brush->SetStyle(bsClear);
      Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, cell->Text);
      brush->SetStyle(bsSolid);
    }
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow) {
  String value = Cells(ACol, ARow);
  if (OnGetEditText()) OnGetEditText()(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

// Cells outside the new counts are dropped; the others stay.
void TStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  if (RowCount() < OldRowCount) {
    const int keepPages = (RowCount() + PageRows - 1) / PageRows;
    if (static_cast<int>(FPages.size()) > keepPages)
      FPages.resize(static_cast<std::size_t>(keepPages));
    if (keepPages > 0 && static_cast<int>(FPages.size()) == keepPages &&
        FPages[static_cast<std::size_t>(keepPages - 1)])
      for (int r = RowCount(); r < keepPages * PageRows; ++r)
        (*FPages[static_cast<std::size_t>(keepPages - 1)])[static_cast<std::size_t>(r % PageRows)]
            .clear();
    std::erase_if(FRows, [&](const auto& Entry) { return Entry.first >= RowCount(); });
  }
  if (ColCount() < OldColCount) {
    for (auto& page : FPages)
      if (page)
        for (TCellRow& row : *page)
          if (row.size() > static_cast<std::size_t>(ColCount()))
            row.resize(static_cast<std::size_t>(ColCount()));
    std::erase_if(FCols, [&](const auto& Entry) { return Entry.first >= ColCount(); });
  }
  TDrawGrid::SizeChanged(OldColCount, OldRowCount);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex) {
  for (auto& page : FPages)
    if (page)
      for (TCellRow& row : *page) {
        if (row.empty()) continue;
        row.resize(static_cast<std::size_t>(ColCount()));
        const auto first = row.begin();
        if (FromIndex < ToIndex)
          std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
        else
          std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
      }
  TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex) {
  const int step = FromIndex < ToIndex ? 1 : -1;
  for (int r = FromIndex; r != ToIndex; r += step) {
    TCellRow* a = FindRow(r);
    TCellRow* b = FindRow(r + step);
    if (!a && !b) continue;
    std::swap(RowSlot(r), RowSlot(r + step));
  }
  TDrawGrid::RowMoved(FromIndex, ToIndex);
}
