// The room list rebuilt at full tables: 999 rooms, 1001 running sessions,
// 5000 students. It runs on every overtime-monitor tick and after every
// change, so it must stay well below a frame.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "FullInstallation.h"
#include "board/ListCursor.h"
#include "board/RoomBoard.h"
#include "board/SessionBoard.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeTimers.h"
#include "desk/Desk.h"

namespace tarvolen::bench {
namespace {

const DateTime kNow{{2026, 12, 9}, 10, 0, 0};

// One full desk, loaded once for every benchmark of this file.
Desk& FullDesk() {
  static FakeClock clock(kNow);
  static FakeMessageBoxes boxes;
  static FakeSingleInstance instance;
  static FakeSoundPlayer sound;
  static std::unique_ptr<Desk> desk = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-board-XXXXXX").string();
    std::filesystem::path base = ::mkdtemp(pattern.data());
    std::filesystem::path root = base / "desk";
    if (!WriteFullInstallation(root, kNow.date).ok()) std::abort();
    auto d = std::make_unique<Desk>(ProgramFolder(root), DeskServices{clock, boxes, instance, &sound});
    if (d->StartUntilPrompt() != StartStop::Continue) std::abort();
    if (!d->ContinueLoading([] { return true; })) std::abort();
    if (d->sessions().count() != 1001) std::abort();
    return d;
  }();
  return *desk;
}

AssignmentOptions EveryRoom(Desk& desk) {
  AssignmentOptions o;
  o.useIdleRooms = true;
  o.useOvertimeRooms = true;
  o.useRoomsInTime = true;  // every session is a candidate
  o.defaultTimeLimit = desk.options().defaultTimeLimit;
  return o;
}

// Arg: the sort column. Column 2 ("超时", descending) is the start-up
// ordering; column 3 sorts by names.
void BM_BuildRoomListFullTables(benchmark::State& state) {
  Desk& desk = FullDesk();
  ListCursor cursor;
  RoomBoard board(cursor);
  board.setOrdering(static_cast<int>(state.range(0)), 1);
  const RoomListContext ctx{desk.rooms(), desk.students(), desk.sessions(), desk.categories(), 1, EveryRoom(desk),
                            kNow};
  for (auto _ : state) {
    board.BuildRoomList(ctx, 500, 0);
    benchmark::DoNotOptimize(board.rows().data());
  }
  state.counters["candidates"] = board.candidateCount();
}
BENCHMARK(BM_BuildRoomListFullTables)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

void BM_ShowSessionListFullTables(benchmark::State& state) {
  Desk& desk = FullDesk();
  FakeTimerFactory timers;
  ListCursor cursor;
  SessionBoard board(cursor, timers.make());
  board.setOrdering(static_cast<int>(state.range(0)), 0);
  const SessionListContext ctx{
      desk.rooms(), desk.students(), desk.sessions(), desk.categories(), Dividers{}, desk.options().defaultTimeLimit,
      kNow};
  for (auto _ : state) {
    board.ShowSessionList(ctx, 700);
    benchmark::DoNotOptimize(board.rows().data());
  }
}
BENCHMARK(BM_ShowSessionListFullTables)
    ->Arg(0)
    ->Arg(8)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tarvolen::bench
