#include "framework/controls/Application.h"
#include "framework/db/Query.h"
#include "framework/db/Table.h"
#include "framework/graphics/Bitmap.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/rtl/DateTime.h"
#include "grids/LumDbGrid.h"
#include "grids/LumGrid.h"
#include "grids/LumJahresKalender.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// A control of class C filling a shown form of the given size.
template <class C> struct TShownControl {
  TScriptedUser User;
  TForm* Form = nullptr;
  C* Control = nullptr;

  TShownControl(int Width, int Height) {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(0, 0, Width, Height);
    Control = new C(Form);
    Control->SetAlign(alClient);
    Control->SetParent(Form);
    Form->Show();
    User.ProcessMessages();
  }
  ~TShownControl() { Form->Free(); }
};

// A year with a dozen marked days, 720 x 280.
struct TCalendarForm : TShownControl<TLumYearCalendar> {
  TCalendarForm() : TShownControl(720, 280) {
    Control->SetCalendarDate(EncodeDate(2024, 6, 12));
    for (int month = 1; month <= 12; ++month) Control->Tag_hinzu(month + 10, month, 2024);
    Control->SetFocus();
    User.ProcessMessages();
  }
};

void BM_YearCalendarRepaintWhole(benchmark::State& state) {
  TCalendarForm bench;
  for (auto _ : state) bench.Control->Repaint();
}
BENCHMARK(BM_YearCalendarRepaintWhole)->Unit(benchmark::kMicrosecond);

void BM_YearCalendarArrowKeyMovesTheDayAndRepaints(benchmark::State& state) {
  TCalendarForm bench;
  const HWND window = bench.Control->Handle();
  bool right = true;
  for (auto _ : state) {
    SendMessageA(window, WM_KEYDOWN, right ? VK_RIGHT : VK_LEFT, 0);
    UpdateWindow(window);
    right = !right;
  }
}
BENCHMARK(BM_YearCalendarArrowKeyMovesTheDayAndRepaints)->Unit(benchmark::kMicrosecond);

// 20 columns by 1,000 rows of two-line texts, every third cell marked, alignments mixed.
void BM_LumStringGridRepaintMarkedWrappedCells1024x768(benchmark::State& state) {
  TShownControl<TLumStringGrid> bench(1024, 768);
  TLumStringGrid* grid = bench.Control;
  grid->SetColCount(20);
  grid->SetRowCount(1000);
  grid->SetDefaultRowHeight(32);
  grid->SetAlignmentCell(true);
  for (int r = 0; r < 1000; ++r)
    for (int c = 0; c < 20; ++c) {
      grid->SetCells(c, r, "cell " + std::to_string(r) + " of column " + std::to_string(c));
      grid->SetAlignmentCells(c, r, static_cast<TAlignment>((r + c) % 3));
      if ((r * 20 + c) % 3 == 0) grid->SetMarkCells(c, r, true);
    }
  for (auto _ : state) grid->Repaint();
}
BENCHMARK(BM_LumStringGridRepaintMarkedWrappedCells1024x768)->Unit(benchmark::kMicrosecond);

// 2,000 records with a memo and one of 16 pictures, in a temporary folder.
class TPictureTable {
public:
  TPictureTable() {
    FDir = (std::filesystem::temp_directory_path() / "lum-bench-lumgrids").string();
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
    TQuery query(nullptr);
    query.SetDatabaseName(FDir);
    query.SQL()->SetText("CREATE TABLE Pics (ID AUTOINC, Notes MEMO, Picture GRAPHIC, "
                         "PRIMARY KEY (ID))");
    query.ExecSQL();
    TTable table(nullptr);
    table.SetDatabaseName(FDir);
    table.SetTableName("Pics");
    table.Open();
    for (int i = 0; i < 2000; ++i) {
      table.Append();
      table.FieldByName("Notes")->SetAsString("note " + std::to_string(i) +
                                              " with words enough to wrap in its cell");
      TBitmap bitmap;
      bitmap.SetSize(32, 24);
      bitmap.Canvas()->Brush()->SetColor(static_cast<TColor>((i % 16) * 0x0F0F0F));
      bitmap.Canvas()->FillRect(Rect(0, 0, 32, 24));
      table.FieldByName("Picture")->Assign(&bitmap);
      table.Post();
    }
  }
  ~TPictureTable() { std::filesystem::remove_all(FDir); }
  const String& Dir() const { return FDir; }

private:
  String FDir;
};

void BM_LumDBGridPageDownWithMemosAndPictures(benchmark::State& state) {
  static TPictureTable pictures;
  TShownControl<TLumDBGrid> bench(1024, 768);
  auto* table = new TTable(bench.Form);
  table->SetDatabaseName(pictures.Dir());
  table->SetTableName("Pics");
  table->Open();
  auto* source = new TDataSource(bench.Form);
  source->SetDataSet(table);
  bench.Control->SetDataSource(source);
  bench.Control->Columns()->Items(1)->SetWidth(300);
  bench.User.ProcessMessages();
  const HWND window = bench.Control->Handle();
  for (auto _ : state) {
    if (table->RecNo() + 2 * bench.Control->RecordRows() >= 2000) table->First();
    SendMessageA(window, WM_KEYDOWN, VK_NEXT, 0);
    UpdateWindow(window);
  }
}
BENCHMARK(BM_LumDBGridPageDownWithMemosAndPictures)->Unit(benchmark::kMicrosecond);

} // namespace
