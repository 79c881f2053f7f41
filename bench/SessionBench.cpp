// The desk's hot paths at full tables: a swipe of a student who is not
// checked in, and one overtime tick that checks 500 of 1001 sessions out.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <map>

#include "FullInstallation.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "desk/SessionEngine.h"
#include "desk/Desk.h"
#include "store/RecordFile.h"

namespace tarvolen::bench {
namespace {

constexpr CivilDate kToday{2026, 12, 9};

std::filesystem::path TempBase() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data());
}

struct Services {
  FakeClock clock{{kToday, 10, 0, 0}};
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  FakeRandom random;
  DeskServices get() { return DeskServices{clock, boxes, instance, &sound, nullptr, &random}; }
};

std::unique_ptr<Desk> StartAsAdministrator(const std::filesystem::path& root, Services& s) {
  auto desk = std::make_unique<Desk>(ProgramFolder(root), s.get());
  if (desk->StartUntilPrompt() != StartStop::Continue) return nullptr;
  if (!desk->ContinueLoading({})) return nullptr;
  desk->prompt().select(6);
  desk->prompt().setPassword("admin");
  if (desk->ConfirmIdentity() != IdentityPrompt::Outcome::Confirmed) return nullptr;
  return desk;
}

// A full installation whose year file of 1,000,000 records ends with
// `todays` records of today, written once per size.
const std::filesystem::path& SwipeInstallation(int todays) {
  static const std::filesystem::path base = TempBase();
  static std::map<int, std::filesystem::path> roots;
  auto [it, added] = roots.try_emplace(todays, base / ("desk" + std::to_string(todays)));
  if (added) {
    if (!WriteFullInstallation(it->second, kToday).ok()) std::abort();
    if (!WriteYearFile(it->second, kToday, 1000000, todays).ok()) std::abort();
  }
  return it->second;
}

// Argument: the records of today at the end of the year file, which the
// check-in dialogue reads back for today's activity.
void BM_SwipeOfAStudentNotCheckedIn(benchmark::State& state) {
  const std::filesystem::path& root = SwipeInstallation(static_cast<int>(state.range(0)));
  Services services;
  auto desk = StartAsAdministrator(root, services);
  if (!desk) {
    state.SkipWithError("desk did not start");
    return;
  }
  int student = 2000;
  for (auto _ : state) {
    // Card lookup, assignment, room list, today's activity, status and details.
    desk->engine().SwipeDispatch(std::to_string(100000 + student));
    state.PauseTiming();
    if (!desk->engine().dialogue().visible) state.SkipWithError("no dialogue");
    desk->engine().CancelCheckIn();
    student = student < 4999 ? student + 1 : 2000;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SwipeOfAStudentNotCheckedIn)->Arg(200)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond);

void BM_OvertimeTickChecking500Out(benchmark::State& state) {
  static const std::filesystem::path base = TempBase();
  static const std::filesystem::path templ = [] {
    auto dir = base / "template";
    if (!WriteFullInstallation(dir, kToday, 500).ok()) std::abort();
    auto settings = SettingsFile::Open(ProgramFolder(dir).settings());
    if (!settings.ok() || !settings->writeByte(settings::kAutoCheckout, 1).ok()) std::abort();
    return dir;
  }();
  int64_t writes = 0;
  int runs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const auto root = base / "run";
    std::filesystem::remove_all(root);
    std::filesystem::copy(templ, root, std::filesystem::copy_options::recursive);
    Services services;
    auto desk = StartAsAdministrator(root, services);
    if (!desk) {
      state.SkipWithError("desk did not start");
      break;
    }
    const int64_t before = RecordFile::WritesMade();
    state.ResumeTiming();
    desk->engine().OvertimeTick();
    state.PauseTiming();
    writes += RecordFile::WritesMade() - before;
    ++runs;
    if (desk->sessions().count() != 501) state.SkipWithError("the tick did not check 500 out");
    desk.reset();
    state.ResumeTiming();
  }
  if (runs > 0) state.counters["file_writes"] = static_cast<double>(writes) / runs;
}
BENCHMARK(BM_OvertimeTickChecking500Out)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace tarvolen::bench
