// One tick of the main window's auto-hide timer (every 200 ms while
// auto-hide is on): the decision alone, for a free window with the pointer
// elsewhere (the common case) and for a docked one whose strip the pointer
// touches.
#include <benchmark/benchmark.h>

#include "app/edge_docking.h"

namespace {

using pathorama::app::AutoHideFacts;
using pathorama::app::AutoHideTimerTick;

void BM_AutoHideTickFreeWindow(benchmark::State& state) {
  AutoHideFacts facts;
  facts.window = {600, 300, 840, 350};
  facts.area = {0, 0, 1920, 1040};
  facts.mouse = {100, 900};
  for (auto _ : state) benchmark::DoNotOptimize(AutoHideTimerTick(facts));
}
BENCHMARK(BM_AutoHideTickFreeWindow);

void BM_AutoHideTickReveal(benchmark::State& state) {
  AutoHideFacts facts;
  facts.window = {-238, 300, 2, 350};
  facts.area = {0, 0, 1920, 1040};
  facts.mouse = {1, 320};
  for (auto _ : state) benchmark::DoNotOptimize(AutoHideTimerTick(facts));
}
BENCHMARK(BM_AutoHideTickReveal);

}  // namespace

BENCHMARK_MAIN();
