// One layout pass of the real main window (core and widgets), offscreen, at
// 1920 x 1080: the window is resized between passes (not timed), so every
// pass really moves and resizes the lists' cells; the second benchmark also
// changes the text size each time.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>

#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

namespace tarvolen::bench {
namespace {

uitest::DemoDesk* g_demo = nullptr;
MainWindow* g_main = nullptr;

void Pass(benchmark::State& state, bool textSizes) {
  int i = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QApplication::processEvents();  // the repaint after the last pass
    ++i;
    g_main->resize(1920 - (i % 2), 1080 - (i % 2));
    QApplication::processEvents();
    if (textSizes) g_demo->desk().options().boardSize = i % 2 == 0 ? 0 : 5;
    state.ResumeTiming();
    g_main->LayOut();  // the repaint that follows is the next iteration's, untimed
  }
}

void BM_LayOut1920x1080(benchmark::State& state) { Pass(state, false); }
void BM_LayOut1920x1080NewTextSize(benchmark::State& state) { Pass(state, true); }
BENCHMARK(BM_LayOut1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOut1920x1080NewTextSize)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvolen::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::unique_ptr<tarvolen::uitest::DemoDesk> demo;
  std::unique_ptr<tarvolen::MainWindow> main;
  [&] { tarvolen::uitest::StartDemo(demo, main); }();
  if (!main) return 1;
  // Shown, so moving a control sends its move and resize events as on screen.
  main->show();
  QApplication::processEvents();
  tarvolen::bench::g_demo = demo.get();
  tarvolen::bench::g_main = main.get();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  main.reset();
  demo.reset();
  return 0;
}
