#include "framework/db/Query.h"
#include "framework/db/Session.h"
#include "framework/db/Table.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

// Posting records through a table, with and without one transaction around them, and
// finding a record by key in a large table.

namespace {

constexpr int RecordCount = 10000;

class TBenchDatabase {
public:
  TBenchDatabase() {
    String pattern = (std::filesystem::temp_directory_path() / "lumbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    FDir = pattern;
    setenv("LUMTOOLS_ALIASES", (FDir + "/aliases").c_str(), 1);
    Session->Close();
    Exec("CREATE TABLE Items (ID AUTOINC, Name CHAR(40), Amount SMALLINT, PRIMARY KEY (ID))");
    Exec("CREATE INDEX ByName ON Items (Name)");
  }
  ~TBenchDatabase() {
    Session->Close();
    std::filesystem::remove_all(FDir);
  }
  TBenchDatabase(const TBenchDatabase&) = delete;
  TBenchDatabase& operator=(const TBenchDatabase&) = delete;

  void Exec(const String& ASql) {
    TQuery query(nullptr);
    query.SetDatabaseName(FDir);
    query.SQL()->SetText(ASql);
    query.ExecSQL();
  }
  void OpenItems(TTable& ATable, const String& AIndex) { OpenTable(ATable, "Items", AIndex); }
  void OpenTable(TTable& ATable, const String& AName, const String& AIndex) {
    ATable.SetDatabaseName(FDir);
    ATable.SetTableName(AName);
    ATable.SetIndexName(AIndex);
    ATable.Open();
  }

private:
  String FDir;
};

String NameOf(int AIndex) { return "Item " + std::to_string((AIndex * 7919) % RecordCount); }

void InsertRecords(TTable& ATable) {
  for (int i = 0; i < RecordCount; ++i) {
    ATable.Append();
    ATable.FieldByName("Name")->SetAsString(NameOf(i));
    ATable.FieldByName("Amount")->SetAsInteger(i % 1000);
    ATable.Post();
  }
}

} // namespace

static void BM_TableInsert10000(benchmark::State& state) {
  const bool transaction = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    TBenchDatabase database;
    TTable table(nullptr);
    database.OpenItems(table, "");
    state.ResumeTiming();
    if (transaction) database.Exec("BEGIN");
    InsertRecords(table);
    if (transaction) database.Exec("COMMIT");
    state.PauseTiming();
    table.Close();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * RecordCount);
}
BENCHMARK(BM_TableInsert10000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 100,000 rows of (AUTOINC, CHAR(255)) with an index on the text, looked up by it.
constexpr int LookupRows = 100000;

String WordOf(int AIndex) { return "Word " + std::to_string((AIndex * 7919) % LookupRows); }

static void BM_TableGotoKeyAmong100000(benchmark::State& state) {
  TBenchDatabase database;
  database.Exec("CREATE TABLE Words (ID AUTOINC, Word CHAR(255), PRIMARY KEY (ID))");
  database.Exec("CREATE INDEX ByWord ON Words (Word)");
  {
    TTable filler(nullptr);
    database.OpenTable(filler, "Words", "");
    database.Exec("BEGIN");
    for (int i = 0; i < LookupRows; ++i) {
      filler.Append();
      filler.FieldByName("Word")->SetAsString(WordOf(i));
      filler.Post();
    }
    database.Exec("COMMIT");
  }
  TTable table(nullptr);
  database.OpenTable(table, "Words", "ByWord");
  int i = 0;
  for (auto _ : state) {
    table.SetKey();
    table.FieldByName("Word")->SetAsString(WordOf(i++ % LookupRows));
    if (!table.GotoKey()) state.SkipWithError("a key was not found");
  }
}
BENCHMARK(BM_TableGotoKeyAmong100000)->Iterations(100000)->Unit(benchmark::kMicrosecond);

static void BM_TableOpen10000(benchmark::State& state) {
  TBenchDatabase database;
  {
    TTable filler(nullptr);
    database.OpenItems(filler, "");
    database.Exec("BEGIN");
    InsertRecords(filler);
    database.Exec("COMMIT");
  }
  for (auto _ : state) {
    TTable table(nullptr);
    database.OpenItems(table, "ByName");
    benchmark::DoNotOptimize(table.RecordCount());
  }
}
BENCHMARK(BM_TableOpen10000)->Unit(benchmark::kMillisecond);
