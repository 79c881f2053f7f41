// Room utilisation over busy year files at 999 rooms, written into a
// temporary folder at the first use and removed at exit: 2025.dat holds a
// semester (15 February to 14 August) of 250,000 sessions, 500,000 records;
// 2024.dat a whole year of 250,000 sessions, 500,000 records. Sessions last
// 20 to 150 minutes between 08:00 and 22:00 and are written in the order the
// desk writes them, check-ins and check-outs by their minute. Goals: the
// semester ready in 200 ms, the whole year in 400 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>

#include "query/Utilisation.h"
#include "store/OleDate.h"
#include "store/Records.h"

namespace tarvolen::bench {
namespace {

constexpr int kSessions = 250000;
constexpr int kRooms = RoomTable::kLastSlot;

struct Busy {
  std::filesystem::path root;
  ProgramFolder folder;
  RoomTable rooms;
  CategoryLists categories;

  Busy() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-utilisation-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    folder = ProgramFolder(root);
    std::filesystem::create_directories(root / "数据" / "登记");
    for (int r = 1; r <= kRooms; ++r) {
      rooms[r].name = "琴房" + std::to_string(r);
      rooms[r].type = static_cast<uint8_t>(r % 4);
      rooms[r].timeLimitCode = static_cast<int16_t>(r % 3 == 0 ? 24 : 0);
    }
    for (int t = 0; t < 4; ++t) categories.majors[static_cast<size_t>(t)] = "类型" + std::to_string(t);
    Write(2025, DayNumber({2025, 2, 15}), DayNumber({2025, 8, 14}));
    Write(2024, DayNumber({2024, 1, 1}), DayNumber({2024, 12, 31}));
  }
  ~Busy() { std::filesystem::remove_all(root); }

  // kSessions sessions spread over the days first..last.
  void Write(int year, int32_t first, int32_t last) {
    struct Event {
      int64_t minute;
      CheckinRecord record;
    };
    std::mt19937 random(static_cast<unsigned>(year));
    std::vector<Event> events;
    events.reserve(2 * kSessions);
    const int32_t days = last - first + 1;
    for (int i = 0; i < kSessions; ++i) {
      const int32_t day = first + static_cast<int32_t>(static_cast<int64_t>(i) * days / kSessions);
      const int start = 480 + static_cast<int>(random() % 690);
      const int stop = std::min(start + 20 + static_cast<int>(random() % 130), 1439);
      CheckinRecord r;
      r.student = static_cast<int16_t>(1 + random() % 5000);
      r.room = static_cast<int16_t>(1 + random() % kRooms);
      r.operatorId = 1;
      r.date = day;
      r.time = static_cast<int16_t>(start);
      events.push_back({int64_t{day} * 1440 + start, r});
      r.kind = 1;
      r.time = static_cast<int16_t>(stop);
      r.fee = static_cast<float>(stop - start) / 10.0f;
      events.push_back({int64_t{day} * 1440 + stop, r});
    }
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.minute < b.minute; });
    std::vector<uint8_t> file(events.size() * kCheckinRecordLength);
    for (size_t i = 0; i < events.size(); ++i) {
      Bytes b = Pack(events[i].record).value();
      std::memcpy(file.data() + i * kCheckinRecordLength, b.data(), b.size());
    }
    std::ofstream out(folder.checkinYear(year), std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  }

  query::UtilisationContext Context() const {
    return query::UtilisationContext{folder, rooms, categories, 45, {}, DateTime{{2026, 12, 10}, 12, 0, 0}};
  }
};

Busy& TheInstallation() {
  static Busy busy;
  return busy;
}

void Run(benchmark::State& state, query::UtilisationRequest rq) {
  const Busy& busy = TheInstallation();
  int64_t sessions = 0;
  for (auto _ : state) {
    const auto report = query::BuildUtilisation(rq, busy.Context());
    sessions = report.totals.sessions;
    benchmark::DoNotOptimize(report.totals.occupiedMinutes);
  }
  state.counters["sessions"] = static_cast<double>(sessions);
}

void BM_UtilisationOfASemester(benchmark::State& state) {
  Run(state, {{2025, 2, 15}, {2025, 8, 14}, {}, std::nullopt});
}
BENCHMARK(BM_UtilisationOfASemester)->Unit(benchmark::kMillisecond);

void BM_UtilisationOfAWholeYear(benchmark::State& state) {
  Run(state, {{2024, 1, 1}, {2024, 12, 31}, {}, std::nullopt});
}
BENCHMARK(BM_UtilisationOfAWholeYear)->Unit(benchmark::kMillisecond);

// The same semester taken the way the window takes it, a step per tick.
void BM_UtilisationOfASemesterInSteps(benchmark::State& state) {
  const Busy& busy = TheInstallation();
  int64_t steps = 0;
  for (auto _ : state) {
    query::UtilisationBuilder builder({{2025, 2, 15}, {2025, 8, 14}, {}, std::nullopt}, busy.Context());
    steps = 1;
    while (!builder.Step()) ++steps;
    benchmark::DoNotOptimize(builder.Take().totals.occupiedMinutes);
  }
  state.counters["steps"] = static_cast<double>(steps);
}
BENCHMARK(BM_UtilisationOfASemesterInSteps)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvolen::bench
