#include "core/Lumherk.h"

#include <benchmark/benchmark.h>

// The routines every displayed number passes through.

static void BM_S_N_Fixed(benchmark::State& state) {
  double x = 3.14159;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Lumherk::S_N(x, 8, 2));
    x += 0.001;
  }
}
BENCHMARK(BM_S_N_Fixed);

static void BM_S_N_Scientific(benchmark::State& state) {
  double x = 2.0e8;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Lumherk::S_N(x, 15, 100));
    x *= 1.0001;
  }
}
BENCHMARK(BM_S_N_Scientific);

static void BM_Optimal_S_N(benchmark::State& state) {
  double x = 1.5;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Lumherk::Optimal_S_N(x, 6));
    x *= 1.01;
    if (x > 1e9) x = 1.5;
  }
}
BENCHMARK(BM_Optimal_S_N);

static void BM_V_N(benchmark::State& state) {
  const String text = "-12345.678e-3";
  for (auto _ : state) benchmark::DoNotOptimize(Lumherk::V_N(text));
}
BENCHMARK(BM_V_N);

static void BM_NoNull_LongText(benchmark::State& state) {
  const String text = String(static_cast<std::size_t>(state.range(0)), '0') + "7.5" +
                      String(static_cast<std::size_t>(state.range(0)), '0');
  for (auto _ : state) benchmark::DoNotOptimize(Lumherk::NoNull(text));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NoNull_LongText)->Range(8, 1 << 16)->Complexity();
