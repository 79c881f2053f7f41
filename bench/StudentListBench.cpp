// The student page at 5000 students: building the whole list (no filter),
// one search among all rows, and clearing duplicate cards when every second
// student shares a card with the one before.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "FullInstallation.h"
#include "admin/StudentList.h"
#include "desk/Desk.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"

namespace tarvolen::bench {
namespace {

constexpr CivilDate kToday{2026, 12, 9};

struct StudentPage {
  FakeClock clock{{kToday, 10, 0, 0}};
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  FakeRandom random;
  std::filesystem::path root;
  std::unique_ptr<Desk> desk;

  StudentPage() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-bench-XXXXXX").string();
    root = std::filesystem::path(::mkdtemp(pattern.data())) / "desk";
    if (!WriteFullInstallation(root, kToday).ok()) std::abort();
    desk = std::make_unique<Desk>(ProgramFolder(root), DeskServices{clock, boxes, instance, &sound, nullptr, &random});
    if (desk->StartUntilPrompt() != StartStop::Continue || !desk->ContinueLoading({})) std::abort();
    desk->prompt().select(6);
    desk->prompt().setPassword("admin");
    if (desk->ConfirmIdentity() != IdentityPrompt::Outcome::Confirmed) std::abort();
    desk->adminArea().Toggle();
    if (!desk->adminArea().Navigate(3).ok()) std::abort();
    for (int f = 0; f < StudentList::kFilters; ++f) desk->studentList().ChooseFilter(f, 0);
  }
  ~StudentPage() { std::filesystem::remove_all(root.parent_path()); }
};

void BM_BuildTheWholeStudentList(benchmark::State& state) {
  StudentPage page;
  StudentList& list = page.desk->studentList();
  for (auto _ : state) list.Rebuild();
  if (list.rowCount() != 5000) state.SkipWithError("not every student listed");
}
BENCHMARK(BM_BuildTheWholeStudentList)->Unit(benchmark::kMillisecond);

void BM_SearchAmongAllRows(benchmark::State& state) {
  StudentPage page;
  StudentList& list = page.desk->studentList();
  list.setSearchField(1);  // 查找卡号
  list.setSearchText(std::to_string(page.desk->students()[4999].card));
  for (auto _ : state) list.Search();
  if (list.selectedCount() != 1) state.SkipWithError("the card was not found");
}
BENCHMARK(BM_SearchAmongAllRows)->Unit(benchmark::kMicrosecond);

void BM_ClearDuplicateCards(benchmark::State& state) {
  StudentPage page;
  StudentList& list = page.desk->studentList();
  StudentTable& students = page.desk->students();
  for (auto _ : state) {
    state.PauseTiming();
    // Every n-th slot shares the card of the slot before it.
    for (int s = 2; s <= StudentTable::kLastSlot; s += static_cast<int>(state.range(0))) {
      students[s].card = students[s - 1].card;
      if (!students.save(ProgramFolder(page.root), s).ok()) std::abort();
    }
    state.ResumeTiming();
    list.ClearDuplicates();
  }
}
// Argument: one duplicate every n slots (2: 2500 duplicates, 500: 10).
BENCHMARK(BM_ClearDuplicateCards)->Arg(500)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tarvolen::bench
