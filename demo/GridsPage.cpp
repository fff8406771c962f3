#include "demo/GridsPage.h"

#include "framework/controls/Grids.h"
#include "framework/controls/Labels.h"
#include "framework/db/DBGrids.h"
#include "framework/db/Query.h"
#include "framework/db/Table.h"
#include "framework/rtl/Strings.h"

#include <cstdlib>
#include <filesystem>

namespace {

struct TFruit {
  const char* Name;
  const char* Colour;
  double Price;
  const char* Notes;
};

constexpr TFruit Fruits[] = {
    {"Apple", "red", 2.40, "Crisp, from the orchard"},
    {"Banana", "yellow", 1.90, nullptr},
    {"Cherry", "dark red", 6.50, "Sweet"},
    {"Date", "brown", 7.20, nullptr},
    {"Fig", "purple", 8.00, "Fresh figs in autumn"},
    {"Grape", "green", 3.30, nullptr},
    {"Kiwi", "brown", 2.10, nullptr},
    {"Lemon", "yellow", 2.80, "Sour"},
    {"Mango", "orange", 4.60, nullptr},
    {"Orange", "orange", 2.20, nullptr},
    {"Pear", "green", 2.60, "Juicy"},
    {"Plum", "blue", 3.90, nullptr},
};

TLabel* AddLabel(TWinControl* Parent, const String& Caption, int Left, int Top) {
  auto* label = new TLabel(Parent);
  label->SetBounds(Left, Top, 200, 16);
  label->SetCaption(Caption);
  label->SetParent(Parent);
  return label;
}

void Exec(const String& Dir, const String& Sql) {
  TQuery query(nullptr);
  query.SetDatabaseName(Dir);
  query.SQL()->SetText(Sql);
  query.ExecSQL();
}

} // namespace

TTable* OpenFruitTable(TComponent* Owner) {
  const String dir = GalleryDataDir();
  std::filesystem::create_directories(dir);
  auto* table = new TTable(Owner);
  table->SetDatabaseName(dir);
  table->SetTableName("Fruit");
  if (table->Exists()) {
    table->Open();
    return table;
  }
  Exec(dir, "CREATE TABLE Fruit (ID AUTOINC, Name CHAR(20), Colour CHAR(12), Price FLOAT, "
            "Notes MEMO, PRIMARY KEY (ID))");
  table->Open();
  for (const TFruit& fruit : Fruits) {
    table->Append();
    table->FieldByName("Name")->SetAsString(fruit.Name);
    table->FieldByName("Colour")->SetAsString(fruit.Colour);
    table->FieldByName("Price")->SetAsFloat(fruit.Price);
    if (fruit.Notes) table->FieldByName("Notes")->SetAsString(fruit.Notes);
    table->Post();
  }
  table->First();
  return table;
}

namespace {

void AddStringGrid(TWinControl* Parent) {
  AddLabel(Parent, "String grid (1,000 rows):", 8, 4);
  auto* grid = new TStringGrid(Parent);
  grid->SetBounds(8, 22, 256, 120);
  grid->SetColCount(4);
  grid->SetRowCount(1001);
  grid->SetOptions(DefaultGridOptions + TGridOptions{goEditing, goTabs, goColSizing});
  grid->Rows(0)->SetCommaText("No.,Square,Hex,Text");
  for (int r = 1; r <= 1000; ++r) {
    grid->SetCells(0, r, std::to_string(r));
    grid->SetCells(1, r, std::to_string(r * r));
    grid->SetCells(2, r, IntToHex(r, 4));
    grid->SetCells(3, r, "row " + std::to_string(r));
  }
  grid->SetColWidths(0, 40);
  grid->SetParent(Parent);
}

// Each cell a colour of the 6 x 6 x 6 cube, the current one framed.
void AddDrawGrid(TWinControl* Parent) {
  AddLabel(Parent, "Draw grid (painted by the page):", 276, 4);
  auto* grid = new TDrawGrid(Parent);
  grid->SetBounds(276, 22, 256, 120);
  grid->SetColCount(13);
  grid->SetRowCount(19);
  grid->SetDefaultColWidth(24);
  grid->SetDefaultRowHeight(18);
  grid->SetOnDrawCell([grid](TObject*, int ACol, int ARow, TRect Rect, TGridDrawState State) {
    TCanvas* canvas = grid->Canvas();
    if (State.Contains(gdFixed)) {
      const String text = ACol == 0 ? std::to_string(ARow) : std::to_string(ACol);
      canvas->TextRect(Rect, Rect.Left + 4, Rect.Top + 3, ARow == 0 && ACol == 0 ? "" : text);
      return;
    }
    const int index = (ARow - 1) * 12 + (ACol - 1);
    const int r = index % 6 * 51, g = index / 6 % 6 * 51, b = index / 36 % 6 * 51;
    canvas->Brush()->SetColor(static_cast<TColor>(r | g << 8 | b << 16));
    canvas->FillRect(TRect{Rect.Left + 2, Rect.Top + 2, Rect.Right - 2, Rect.Bottom - 2});
    if (State.Contains(gdSelected)) {
      canvas->Brush()->SetColor(clBlack);
      canvas->FrameRect(Rect);
    }
  });
  grid->SetParent(Parent);
}

void AddDataGrid(TWinControl* Parent) {
  AddLabel(Parent, "Data grid over the fruit table:", 8, 148);
  TTable* table = OpenFruitTable(Parent);
  auto* source = new TDataSource(Parent);
  source->SetDataSet(table);
  auto* grid = new TDBGrid(Parent);
  grid->SetBounds(8, 166, 524, 108);
  grid->SetDataSource(source);
  grid->SetParent(Parent);
  grid->Columns()->Items(0)->SetWidth(30);
}

} // namespace

String GalleryDataDir() {
  if (const char* dir = std::getenv("LUMTOOLS_GALLERY_DATA"); dir && *dir) return dir;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return String(data) + "/lumtools/gallery";
  const char* home = std::getenv("HOME");
  return String(home && *home ? home : ".") + "/.local/share/lumtools/gallery";
}

void FillGrids(TWinControl* Parent) {
  AddStringGrid(Parent);
  AddDrawGrid(Parent);
  AddDataGrid(Parent);
}
