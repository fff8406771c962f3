#pragma once

#include "framework/controls/WinControl.h"

// The page of the grids: a string grid of 1,000 rows, a draw grid whose cells are painted by
// the page, and a data grid over the gallery's fruit table (made on first use).
void FillGrids(TWinControl* Parent);

// Where the gallery keeps its data: $LUMTOOLS_GALLERY_DATA, else lumtools/gallery under
// $XDG_DATA_HOME or ~/.local/share.
String GalleryDataDir();

class TComponent;
class TTable;
// The gallery's fruit table, opened, and made and filled when the folder does not hold it yet.
TTable* OpenFruitTable(TComponent* Owner);
