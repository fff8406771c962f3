#include "bench/ChildProcess.h"

#include <cstdlib>

// Start-up: a hello-world form from process start to its first frame, on the headless
// display (as Qt's counterpart runs on its offscreen platform).

namespace {

void BM_StartupHelloWorldToFirstFrame(benchmark::State& state) {
  setenv("LUMTOOLS_BACKEND", "headless", 1);
  TimeHelloWorld(state, "lum_bench_hello");
}
BENCHMARK(BM_StartupHelloWorldToFirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
