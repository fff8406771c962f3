#include "framework/classes/List.h"
#include "framework/classes/StringList.h"
#include "framework/rtl/Strings.h"

#include <benchmark/benchmark.h>

#include <clocale>
#include <malloc.h>
#include <random>
#include <vector>

// Sorted string lists compare with AnsiCompareText, under the process locale.

namespace {

// Words of 4 to 12 letters, some with umlauts and capitals, in random order.
std::vector<String> Words(std::size_t count) {
  static const char* const letters[] = {"a", "b", "c", "d", "e", "k", "m", "s", "t",
                                        "z", "A", "E", "S", "ä", "ö", "ü", "ß", "É"};
  std::mt19937 random(42);
  std::vector<String> words;
  words.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    String word;
    const int length = 4 + static_cast<int>(random() % 9);
    for (int k = 0; k < length; ++k) word += letters[random() % std::size(letters)];
    words.push_back(word);
  }
  return words;
}

// Runs the benchmark under the named collation, or skips it when the locale is missing.
class CollationScope {
public:
  CollationScope(benchmark::State& state, const char* name)
      : collate_(std::setlocale(LC_COLLATE, nullptr)), ctype_(std::setlocale(LC_CTYPE, nullptr)) {
    if (std::setlocale(LC_COLLATE, name) == nullptr || std::setlocale(LC_CTYPE, name) == nullptr)
      state.SkipWithError("locale not installed");
  }
  ~CollationScope() {
    std::setlocale(LC_COLLATE, collate_.c_str());
    std::setlocale(LC_CTYPE, ctype_.c_str());
  }
  CollationScope(const CollationScope&) = delete;
  CollationScope& operator=(const CollationScope&) = delete;

private:
  String collate_;
  String ctype_;
};

const char* LocaleOf(const benchmark::State& state) {
  return state.range(1) == 0 ? "C" : "de_DE.UTF-8";
}

std::size_t HeapBytesInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// A text of nothing but line ends read into a list: each empty line should cost its array
// entry and nothing of its own. bytes_per_line is what the list holds afterwards.
void BM_StringListTextOfEmptyLines(benchmark::State& state) {
  const String text(static_cast<std::size_t>(state.range(0)), '\n');
  for (auto _ : state) {
    TStringList list;
    const std::size_t before = HeapBytesInUse();
    list.SetText(text);
    state.counters["bytes_per_line"] =
        static_cast<double>(HeapBytesInUse() - before) / static_cast<double>(state.range(0));
  }
}
BENCHMARK(BM_StringListTextOfEmptyLines)
    ->Arg(10000000)
    ->Arg(50000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_StringListSort(benchmark::State& state) {
  const CollationScope collation(state, LocaleOf(state));
  const std::vector<String> words = Words(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    TStringList list;
    list.SetCapacity(static_cast<Integer>(words.size()));
    for (const String& w : words) list.Add(w);
    state.ResumeTiming();
    list.Sort();
    benchmark::DoNotOptimize(list.Strings(0));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StringListSort)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);

void BM_StringListSortedAdd(benchmark::State& state) {
  const CollationScope collation(state, LocaleOf(state));
  const std::vector<String> words = Words(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    for (const String& w : words) list.Add(w);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
// Each insertion shifts the lines after it, so this grows with the square of the count.
BENCHMARK(BM_StringListSortedAdd)
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_StringListFind(benchmark::State& state) {
  const CollationScope collation(state, LocaleOf(state));
  const std::vector<String> words = Words(100000);
  TStringList list;
  for (const String& w : words) list.Add(w);
  list.SetDuplicates(dupAccept);
  list.SetSorted(true);
  std::size_t i = 0;
  for (auto _ : state) {
    Integer index = 0;
    benchmark::DoNotOptimize(list.Find(words[i], index));
    i = (i + 7919) % words.size();
  }
}
BENCHMARK(BM_StringListFind)->Args({100000, 0})->Args({100000, 1});

void BM_AnsiCompareText(benchmark::State& state) {
  const CollationScope collation(state, LocaleOf(state));
  const std::vector<String> words = Words(1024);
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(AnsiCompareText(words[i], words[(i + 1) % words.size()]));
    i = (i + 1) % words.size();
  }
}
BENCHMARK(BM_AnsiCompareText)->Args({0, 0})->Args({0, 1});

void BM_TListAdd(benchmark::State& state) {
  for (auto _ : state) {
    TList list;
    for (Integer i = 0; i < state.range(0); ++i) list.Add(&list);
    benchmark::DoNotOptimize(list.Count());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TListAdd)->Arg(100000);

} // namespace
