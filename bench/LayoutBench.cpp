// The layout pass of the main window's core: every rectangle for a
// 1920 x 1080 window. The window's part (moving about 600 controls) is
// timed by tarvolen-layout-bench.
#include <benchmark/benchmark.h>

#include "notify/WindowLayout.h"

namespace tarvolen::bench {
namespace {

void BM_LayoutMainWindow1920x1080(benchmark::State& state) {
  MainWindowLayoutInput in;
  in.outerWidth = 1920;
  in.outerHeight = 1080;
  in.captionSize = [](int detail, int size) { return LayoutSize{5 * size + detail, size + 4}; };
  in.valueSize = [](int, int size) { return LayoutSize{6 * size, size + 4}; };
  for (auto _ : state) {
    MainWindowLayout l = LayoutMainWindow(in);
    benchmark::DoNotOptimize(l);
  }
}
BENCHMARK(BM_LayoutMainWindow1920x1080);

}  // namespace
}  // namespace tarvolen::bench
