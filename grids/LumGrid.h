#pragma once

#include "framework/controls/Grids.h"

#include <vector>

// The part of a cell that shows whole lines of LineHeight: the cell, RightInset pixels
// narrower, cut to the lines that fit and centred in its height.
TRect TextLinesRect(const TRect& Cell, int LineHeight, int RightInset);

// Fills the cell with the canvas's brush and writes Text word-wrapped into the whole lines
// that fit, centred in the cell's height and aligned as Alignment says.
void MyWriteText(TCanvas* Canvas, const TRect& Cell, const String& Text, TAlignment Alignment,
                 int RightInset);

// A string grid whose cells show their text word-wrapped and vertically centred, aligned
// for the whole grid or cell by cell, and which can mark cells (drawn in MarkColor), also by
// a right click.
class TLumStringGrid : public TStringGrid {
  LUM_CLASS(TLumStringGrid, TStringGrid)
public:
  explicit TLumStringGrid(TComponent* AOwner);

  LUM_PUBLISHED(TAlignment, Alignment, FAlignment, SetAlignment, Default(taLeftJustify))
  LUM_PUBLISHED(bool, AlignmentCell, FAlignmentCell, SetAlignmentCell, Default(false))
  LUM_PUBLISHED(TColor, MarkColor, FMarkColor, SetMarkColor, Default(clLime), Idents(ColorIdents()))
  LUM_PUBLISHED(bool, RightClickSelect, FRightClickSelect, Field, Default(false))

  void SetAlignment(TAlignment Value);
  void SetAlignmentCell(bool Value);
  void SetMarkColor(TColor Value);

  // A cell's mark and alignment; ERangeError outside the grid.
  bool GetMarkCells(int ACol, int ARow);
  void SetMarkCells(int ACol, int ARow, bool Value);
  TAlignment GetAlignmentCells(int ACol, int ARow);
  void SetAlignmentCells(int ACol, int ARow, TAlignment Value);

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  void Dispatch(TMessage& Message) override;
  // A right click on a scrolled cell toggles its mark (with RightClickSelect).
  void WMRButtonDown(TMessage& Message);
  void SizeChanged(int OldColCount, int OldRowCount) override;

private:
  struct TCellData {
    Byte Alignment = taLeftJustify;
    Byte Mark = 0;
  };
  // The cell's entry, the table sized to the grid first; ERangeError outside it. Reading
  // an empty table gives the defaults without filling it.
  TCellData CellData(int ACol, int ARow);
  TCellData& Entry(int ACol, int ARow);
  std::size_t IndexOf(int ACol, int ARow);
  // Keeps the entries that stay inside the grid's columns and rows.
  void ResizeTable();
  template <class T> void Change(T& Field, T Value);

  TAlignment FAlignment = taLeftJustify;
  bool FAlignmentCell = false;
  TColor FMarkColor = clLime;
  bool FRightClickSelect = false;
  // Column by column; empty until a cell is given a mark or an alignment.
  std::vector<TCellData> FTable;
  int FTableCols = 0;
  int FTableRows = 0;
};
