#include "grids/LumGrid.h"

#include "framework/classes/Registry.h"
#include "framework/rtl/Checked.h"
#include "framework/win32/Windows.h"

#include <algorithm>

namespace {

const bool LumGridRegistered = (RegisterClass<TLumStringGrid>(), true);

UINT AlignmentFlag(TAlignment Alignment) {
  switch (Alignment) {
  case taRightJustify:
    return DT_RIGHT;
  case taCenter:
    return DT_CENTER;
  default:
    return DT_LEFT;
  }
}

} // namespace

TRect TextLinesRect(const TRect& Cell, int LineHeight, int RightInset) {
  TRect r = Cell;
  r.Right -= RightInset;
  const int height = r.Bottom - r.Top;
  const int lines = height / LineHeight * LineHeight;
  r.Top += (height - lines) / 2;
  r.Bottom = r.Top + lines;
  return r;
}

void MyWriteText(TCanvas* Canvas, const TRect& Cell, const String& Text, TAlignment Alignment,
                 int RightInset) {
  Canvas->FillRect(Cell);
  const int height = Canvas->TextHeight(Text);
  if (height <= 0) return;
  const TRect lines = TextLinesRect(Cell, height, RightInset);
  RECT r{lines.Left, lines.Top, lines.Right, lines.Bottom};
  DrawTextA(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &r,
            DT_WORDBREAK | AlignmentFlag(Alignment));
}

TLumStringGrid::TLumStringGrid(TComponent* AOwner) : TStringGrid(AOwner) { ResizeTable(); }

template <class T> void TLumStringGrid::Change(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumStringGrid::SetAlignment(TAlignment Value) { Change(FAlignment, Value); }
void TLumStringGrid::SetAlignmentCell(bool Value) { Change(FAlignmentCell, Value); }
void TLumStringGrid::SetMarkColor(TColor Value) { Change(FMarkColor, Value); }

// The cell table.

void TLumStringGrid::ResizeTable() {
  const int cols = ColCount(), rows = RowCount();
  if (cols == FTableCols && rows == FTableRows) return;
  if (!FTable.empty()) {
    std::vector<TCellData> table(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
    const int keepRows = std::min(rows, FTableRows);
    for (int c = 0; c < std::min(cols, FTableCols); ++c) {
      const auto from = FTable.begin() + static_cast<std::ptrdiff_t>(c) * FTableRows;
      std::copy(from, from + keepRows, table.begin() + static_cast<std::ptrdiff_t>(c) * rows);
    }
    FTable = std::move(table);
  }
  FTableCols = cols;
  FTableRows = rows;
}

std::size_t TLumStringGrid::IndexOf(int ACol, int ARow) {
  RangeChecked(ACol, 0, ColCount() - 1);
  RangeChecked(ARow, 0, RowCount() - 1);
  ResizeTable();
  return static_cast<std::size_t>(ACol) * static_cast<std::size_t>(FTableRows) +
         static_cast<std::size_t>(ARow);
}

TLumStringGrid::TCellData TLumStringGrid::CellData(int ACol, int ARow) {
  const std::size_t index = IndexOf(ACol, ARow);
  return FTable.empty() ? TCellData{} : FTable[index];
}

TLumStringGrid::TCellData& TLumStringGrid::Entry(int ACol, int ARow) {
  const std::size_t index = IndexOf(ACol, ARow);
  if (FTable.empty())
    FTable.resize(static_cast<std::size_t>(FTableCols) * static_cast<std::size_t>(FTableRows));
  return FTable[index];
}

void TLumStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  ResizeTable();
  TStringGrid::SizeChanged(OldColCount, OldRowCount);
}

bool TLumStringGrid::GetMarkCells(int ACol, int ARow) { return CellData(ACol, ARow).Mark != 0; }

void TLumStringGrid::SetMarkCells(int ACol, int ARow, bool Value) {
  if (GetMarkCells(ACol, ARow) == Value) return;
  Entry(ACol, ARow).Mark = Value ? 1 : 0;
  InvalidateCell(ACol, ARow);
}

TAlignment TLumStringGrid::GetAlignmentCells(int ACol, int ARow) {
  return static_cast<TAlignment>(CellData(ACol, ARow).Alignment);
}

void TLumStringGrid::SetAlignmentCells(int ACol, int ARow, TAlignment Value) {
  if (GetAlignmentCells(ACol, ARow) == Value) return;
  Entry(ACol, ARow).Alignment = static_cast<Byte>(Value);
  InvalidateCell(ACol, ARow);
}

// Drawing and the mouse.

void TLumStringGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    const TCellData data = CellData(ACol, ARow);
    if (data.Mark) Canvas()->Brush()->SetColor(FMarkColor);
    const TAlignment alignment =
        FAlignmentCell ? static_cast<TAlignment>(data.Alignment) : FAlignment;
    MyWriteText(Canvas(), ARect, Cells(ACol, ARow), alignment, 2);
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

void TLumStringGrid::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_RBUTTONDOWN) WMRButtonDown(Message);
  TStringGrid::Dispatch(Message);
}

void TLumStringGrid::WMRButtonDown(TMessage& Message) {
  const TGridCoord cell = MouseCoord(Message.Pos().X, Message.Pos().Y);
  if (!FRightClickSelect || cell.X < 0 || cell.Y < 0) return;
  if (cell.X >= FixedCols() && cell.Y >= FixedRows())
    SetMarkCells(cell.X, cell.Y, !GetMarkCells(cell.X, cell.Y));
}
