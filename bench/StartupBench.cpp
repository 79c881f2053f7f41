// Start-up of a full installation, from the first file read to the end of
// the student load (the identity prompt is on screen by then).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "FullInstallation.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "desk/Desk.h"

namespace tarvolen::bench {
namespace {

std::filesystem::path FullFolder() {
  static std::filesystem::path dir = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-bench-XXXXXX").string();
    std::filesystem::path base = ::mkdtemp(pattern.data());
    std::filesystem::path root = base / "desk";
    if (!WriteFullInstallation(root, {2026, 12, 9}).ok()) std::abort();
    return root;
  }();
  return dir;
}

void BM_StartupFullTables(benchmark::State& state) {
  const auto root = FullFolder();
  FakeClock clock({{2026, 12, 9}, 10, 0, 0});
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  for (auto _ : state) {
    Desk desk(ProgramFolder(root), DeskServices{clock, boxes, instance, &sound});
    if (desk.StartUntilPrompt() != StartStop::Continue) state.SkipWithError("start-up stopped");
    if (!desk.ContinueLoading([] { return true; })) state.SkipWithError("load abandoned");
    benchmark::DoNotOptimize(desk.sessions().count());
    if (desk.sessions().count() != 1001) state.SkipWithError("sessions not restored");
  }
}
BENCHMARK(BM_StartupFullTables)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvolen::bench
