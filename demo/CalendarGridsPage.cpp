#include "demo/CalendarGridsPage.h"

#include "demo/GridsPage.h"
#include "framework/db/Query.h"
#include "framework/db/Table.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/DateTime.h"
#include "grids/LumDbGrid.h"
#include "grids/LumGrid.h"
#include "grids/LumJahresKalender.h"

#include <filesystem>

namespace {

struct TFruitPicture {
  const char* Name;
  TColor Colour;
  const char* Notes;
};

constexpr TFruitPicture FruitPictures[] = {
    {"Apple", clRed, "Crisp, from the orchard behind the house"},
    {"Banana", clYellow, "Ripe when the skin shows brown spots"},
    {"Cherry", clMaroon, "Sweet cherries in June, sour ones in July"},
    {"Kiwi", clOlive, nullptr},
    {"Plum", clPurple, "For the cake"},
    {"Lime", clLime, "Sour"},
};

void Exec(const String& Dir, const String& Sql) {
  TQuery query(nullptr);
  query.SetDatabaseName(Dir);
  query.SQL()->SetText(Sql);
  query.ExecSQL();
}

// A fruit as a round spot of its colour with a highlight.
std::unique_ptr<TBitmap> FruitBitmap(TColor Colour) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(40, 24);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 40, 24));
  c->Pen()->SetColor(clBlack);
  c->Brush()->SetColor(Colour);
  c->Ellipse(10, 2, 31, 23);
  c->Pen()->SetColor(clWhite);
  c->Brush()->SetColor(clWhite);
  c->Ellipse(15, 6, 19, 10);
  return bitmap;
}

// New Year, Good Friday, Easter Monday, Labour Day, Ascension, Whit Monday, Unity Day and
// Christmas of the calendar's year.
void MarkHolidays(TLumYearCalendar* Calendar) {
  const int year = Calendar->Year();
  int month = 0, day = 0;
  EasterSunday(year, month, day);
  const TDateTime easter =
      EncodeDate(static_cast<Word>(year), static_cast<Word>(month), static_cast<Word>(day));
  for (const int offset : {-2, 1, 39, 50}) {
    Word y = 0, m = 0, d = 0;
    DecodeDate(easter + offset, y, m, d);
    Calendar->Tag_hinzu(d, m, y);
  }
  const int fixed[][2] = {{1, 1}, {1, 5}, {3, 10}, {25, 12}, {26, 12}};
  for (const auto& holiday : fixed) Calendar->Tag_hinzu(holiday[0], holiday[1], year);
}

void AddCalendar(TWinControl* Parent) {
  auto* calendar = new TLumYearCalendar(Parent);
  calendar->SetName("HolidayCalendar");
  calendar->SetBounds(8, 6, 604, 164);
  calendar->SetParentFont(false);
  calendar->Font()->SetHeight(-9);
  calendar->SetParent(Parent);
  MarkHolidays(calendar);
  calendar->SetOnChange([calendar](TObject*) {
    calendar->Tagesliste_loeschen();
    MarkHolidays(calendar);
  });
}

void AddStringGrid(TWinControl* Parent) {
  auto* grid = new TLumStringGrid(Parent);
  grid->SetName("MarkGrid");
  grid->SetBounds(8, 176, 276, 100);
  grid->SetColCount(3);
  grid->SetRowCount(5);
  grid->SetDefaultColWidth(83);
  grid->SetDefaultRowHeight(30);
  grid->SetRowHeights(0, 18);
  grid->SetAlignmentCell(true);
  grid->SetRightClickSelect(true);
  grid->Rows(0)->SetCommaText("Left,Centre,Right");
  const TAlignment alignments[] = {taLeftJustify, taCenter, taRightJustify};
  const char* texts[] = {"one",  "text in two lines", "right",        "marked", "wrapped by words",
                         "3.14", "a right click",     "marks a cell", "1000"};
  for (int r = 1; r < 4; ++r)
    for (int c = 0; c < 3; ++c) {
      grid->SetCells(c, r, texts[(r - 1) * 3 + c]);
      grid->SetAlignmentCells(c, r, alignments[c]);
    }
  grid->SetMarkCells(0, 2, true);
  grid->SetMarkCells(2, 3, true);
  grid->SetParent(Parent);
}

void AddDataGrid(TWinControl* Parent) {
  auto* source = new TDataSource(Parent);
  source->SetDataSet(OpenFruitPictureTable(Parent));
  auto* grid = new TLumDBGrid(Parent);
  grid->SetName("PictureGrid");
  grid->SetBounds(292, 176, 320, 100);
  grid->SetFormCaption("Fruit");
  grid->SetFormLeft(120);
  grid->SetFormTop(80);
  grid->SetDataSource(source);
  grid->SetParent(Parent);
  grid->Columns()->Items(0)->SetVisible(false);
  grid->Columns()->Items(1)->SetWidth(54);
  grid->Columns()->Items(2)->SetWidth(180);
  grid->Columns()->Items(3)->SetWidth(44);
}

} // namespace

void EasterSunday(int Year, int& Month, int& Day) {
  const int a = Year % 19, b = Year / 100, c = Year % 100;
  const int d = b / 4, e = b % 4, f = (b + 8) / 25, g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
  Month = (h + l - 7 * m + 114) / 31;
  Day = (h + l - 7 * m + 114) % 31 + 1;
}

TTable* OpenFruitPictureTable(TComponent* Owner) {
  const String dir = GalleryDataDir();
  std::filesystem::create_directories(dir);
  auto* table = new TTable(Owner);
  table->SetDatabaseName(dir);
  table->SetTableName("FruitPictures");
  if (table->Exists()) {
    table->Open();
    return table;
  }
  Exec(dir, "CREATE TABLE FruitPictures (ID AUTOINC, Name CHAR(20), Notes MEMO, Picture GRAPHIC, "
            "PRIMARY KEY (ID))");
  table->Open();
  for (const TFruitPicture& fruit : FruitPictures) {
    table->Append();
    table->FieldByName("Name")->SetAsString(fruit.Name);
    if (fruit.Notes) table->FieldByName("Notes")->SetAsString(fruit.Notes);
    table->FieldByName("Picture")->Assign(FruitBitmap(fruit.Colour).get());
    table->Post();
  }
  table->First();
  return table;
}

void FillCalendarGrids(TWinControl* Parent) {
  AddCalendar(Parent);
  AddStringGrid(Parent);
  AddDataGrid(Parent);
}
