#include "framework/controls/Application.h"
#include "framework/controls/Grids.h"
#include "framework/db/DBGrids.h"
#include "framework/db/Query.h"
#include "framework/db/Table.h"
#include "framework/platform/headless/ScriptedUser.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <memory>

namespace {

constexpr int Cols = 20, Rows = 100'000;

// A string grid filling a 1024 x 768 form.
struct TGridForm {
  TScriptedUser User;
  TForm* Form = nullptr;
  TStringGrid* Grid = nullptr;

  TGridForm() {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(0, 0, 1024, 768);
    Grid = new TStringGrid(Form);
    Grid->SetAlign(alClient);
    Grid->SetColCount(Cols);
    Grid->SetRowCount(Rows);
    Grid->SetParent(Form);
    Form->Show();
    User.ProcessMessages();
  }
  ~TGridForm() { Form->Free(); }
  void Fill() {
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < Cols; ++c) Grid->SetCells(c, r, std::to_string(r * Cols + c));
  }
  void Repaint() { Grid->Repaint(); }
};

void BM_StringGridFill100000RowsBy20Cols(benchmark::State& state) {
  TGridForm bench;
  for (auto _ : state) bench.Fill();
}
BENCHMARK(BM_StringGridFill100000RowsBy20Cols)->Unit(benchmark::kMillisecond);

void BM_StringGridPageDownAndRepaint(benchmark::State& state) {
  TGridForm bench;
  bench.Fill();
  const HWND window = bench.Grid->Handle();
  for (auto _ : state) {
    if (bench.Grid->TopRow() + 2 * bench.Grid->VisibleRowCount() >= Rows)
      SendMessageA(window, WM_VSCROLL, SB_TOP, 0);
    SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    UpdateWindow(window);
  }
}
BENCHMARK(BM_StringGridPageDownAndRepaint)->Unit(benchmark::kMicrosecond);

void BM_StringGridRepaintFull1024x768(benchmark::State& state) {
  TGridForm bench;
  bench.Fill();
  for (auto _ : state) bench.Repaint();
}
BENCHMARK(BM_StringGridRepaintFull1024x768)->Unit(benchmark::kMicrosecond);

// A table of Count records (ID, Name, Amount), made once per run in a temporary folder.
class TRowsTable {
public:
  explicit TRowsTable(int Count) {
    FDir = (std::filesystem::temp_directory_path() / ("lum-bench-grids-" + std::to_string(Count)))
               .string();
    std::filesystem::remove_all(FDir);
    std::filesystem::create_directories(FDir);
    Exec("CREATE TABLE Big (ID INTEGER, Name CHAR(20), Amount INTEGER, PRIMARY KEY (ID))");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
         std::to_string(Count) + ") INSERT INTO Big SELECT i, 'name ' || i, i * 3 FROM n");
  }
  ~TRowsTable() { std::filesystem::remove_all(FDir); }
  const String& Dir() const { return FDir; }

private:
  void Exec(const String& Sql) {
    TQuery query(nullptr);
    query.SetDatabaseName(FDir);
    query.SQL()->SetText(Sql);
    query.ExecSQL();
  }
  String FDir;
};

struct TDBGridForm {
  TScriptedUser User;
  TForm* Form = nullptr;
  TTable* Table = nullptr;
  TDataSource* Source = nullptr;
  TDBGrid* Grid = nullptr;

  explicit TDBGridForm(const String& Dir) {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(0, 0, 1024, 768);
    Table = new TTable(Form);
    Table->SetDatabaseName(Dir);
    Table->SetTableName("Big");
    Table->Open();
    Source = new TDataSource(Form);
    Source->SetDataSet(Table);
    Form->Show();
    User.ProcessMessages();
  }
  ~TDBGridForm() { Form->Free(); }
};

const TRowsTable& RowsTable(int Count) {
  static std::map<int, std::unique_ptr<TRowsTable>> tables;
  std::unique_ptr<TRowsTable>& table = tables[Count];
  if (!table) table = std::make_unique<TRowsTable>(Count);
  return *table;
}

const TRowsTable& MillionRows() { return RowsTable(1'000'000); }

// The heap's bytes in use, to see what a grid keeps.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

// The grid meets an open data set: columns, rows and the first paint. GridHeapKB is what the
// grid holds after its first paint, which must not grow with the table.
void OpenAndFirstPaint(benchmark::State& state, int Count) {
  TDBGridForm bench(RowsTable(Count).Dir());
  double heap = 0;
  for (auto _ : state) {
    const std::size_t before = HeapInUse();
    auto* grid = new TDBGrid(bench.Form);
    grid->SetAlign(alClient);
    grid->SetParent(bench.Form);
    grid->SetDataSource(bench.Source);
    grid->Repaint();
    state.PauseTiming();
    heap += static_cast<double>(HeapInUse() - before) / 1024;
    grid->Free();
    state.ResumeTiming();
  }
  state.counters["GridHeapKB"] = benchmark::Counter(heap, benchmark::Counter::kAvgIterations);
}

void BM_DBGridOverMillionRowsOpenAndFirstPaint(benchmark::State& state) {
  OpenAndFirstPaint(state, 1'000'000);
}
BENCHMARK(BM_DBGridOverMillionRowsOpenAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_DBGridOverThousandRowsOpenAndFirstPaint(benchmark::State& state) {
  OpenAndFirstPaint(state, 1'000);
}
BENCHMARK(BM_DBGridOverThousandRowsOpenAndFirstPaint)->Unit(benchmark::kMillisecond);

void BM_DBGridOverMillionRowsCtrlEndAndPaint(benchmark::State& state) {
  TDBGridForm bench(MillionRows().Dir());
  auto* grid = new TDBGrid(bench.Form);
  grid->SetAlign(alClient);
  grid->SetParent(bench.Form);
  grid->SetDataSource(bench.Source);
  grid->SetFocus();
  bench.User.ProcessMessages();
  for (auto _ : state) {
    bench.User.PressKey(VK_END, TShiftState{ssCtrl});
    grid->Repaint();
    state.PauseTiming();
    bench.Table->First();
    bench.User.ProcessMessages();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DBGridOverMillionRowsCtrlEndAndPaint)->Unit(benchmark::kMillisecond);

// Opening the table itself, for comparison: the data layer reads every record.
void BM_TableOfMillionRowsOpen(benchmark::State& state) {
  const String& dir = MillionRows().Dir();
  for (auto _ : state) {
    TTable table(nullptr);
    table.SetDatabaseName(dir);
    table.SetTableName("Big");
    table.Open();
    benchmark::DoNotOptimize(table.RecordCount());
  }
}
BENCHMARK(BM_TableOfMillionRowsOpen)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
