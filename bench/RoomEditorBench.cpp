// The room editor at full tables (999 rooms, 1001 people checked in): one
// "修改" from the command to rooms.dat written and the board redrawn, a
// search by name over every slot, and the 999 rows built at start-up.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>

#include "FullInstallation.h"
#include "admin/RoomEditor.h"
#include "desk/Desk.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"

namespace tarvolen::bench {
namespace {

constexpr CivilDate kToday{2026, 12, 9};

// A full installation, started and logged in, on the page 房间数据.
class FullDesk {
 public:
  FullDesk() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-bench-XXXXXX").string();
    root_ = std::filesystem::path(::mkdtemp(pattern.data())) / "desk";
    if (!WriteFullInstallation(root_, kToday).ok()) std::abort();
    desk_ = std::make_unique<Desk>(ProgramFolder(root_),
                                   DeskServices{clock_, boxes_, instance_, &sound_, nullptr, &random_});
    if (desk_->StartUntilPrompt() != StartStop::Continue || !desk_->ContinueLoading({})) std::abort();
    desk_->prompt().select(6);
    desk_->prompt().setPassword("admin");
    if (desk_->ConfirmIdentity() != IdentityPrompt::Outcome::Confirmed) std::abort();
    desk_->adminArea().Toggle();
    if (!desk_->adminArea().Navigate(2).ok()) std::abort();
  }
  ~FullDesk() {
    desk_.reset();
    std::filesystem::remove_all(root_.parent_path());
  }
  FullDesk(const FullDesk&) = delete;
  FullDesk& operator=(const FullDesk&) = delete;

  Desk& desk() { return *desk_; }
  RoomEditor& editor() { return desk_->roomEditor(); }

 private:
  std::filesystem::path root_;
  FakeClock clock_{{kToday, 10, 0, 0}};
  FakeMessageBoxes boxes_;
  FakeSingleInstance instance_;
  FakeSoundPlayer sound_;
  FakeRandom random_;
  std::unique_ptr<Desk> desk_;
};

void BM_RoomChangeFromCommandToFile(benchmark::State& state) {
  FullDesk full;
  RoomEditor& editor = full.editor();
  constexpr int kSlot = 998;  // one person in it, two places
  editor.SelectOnly(kSlot);
  int capacity = 2;
  for (auto _ : state) {
    capacity = capacity == 2 ? 3 : 2;
    editor.SetText(RoomEditor::Capacity, std::to_string(capacity));
    if (!editor.Change()) state.SkipWithError("the change was refused");
  }
  RoomTable onDisk;
  if (!onDisk.load(full.desk().folder()).ok() || onDisk[kSlot].capacity != capacity) {
    state.SkipWithError("rooms.dat does not hold the last change");
  }
}
BENCHMARK(BM_RoomChangeFromCommandToFile)->Unit(benchmark::kMicrosecond);

void BM_RoomSearchByName(benchmark::State& state) {
  FullDesk full;
  RoomEditor& editor = full.editor();
  editor.SetNameFilter("R998");
  for (auto _ : state) editor.Search();
  if (editor.currentRow() != 997 || editor.selectedCount() != 1) state.SkipWithError("the room was not found");
}
BENCHMARK(BM_RoomSearchByName)->Unit(benchmark::kMicrosecond);

void BM_RoomListRowsBuilt(benchmark::State& state) {
  FullDesk full;
  for (auto _ : state) full.editor().Rebuild();
}
BENCHMARK(BM_RoomListRowsBuilt)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvolen::bench
