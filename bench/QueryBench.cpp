// The query engine over ten years of history: ten check-in year files of
// 500,000 records each (5 M records, 153 MB), written into a temporary
// folder at the first use and removed at exit. A query of the check-outs
// in a date range with its totals, against a plain sequential scan that
// reads the same files in the same large blocks and makes the same test
// and sums; BM_QueryAgainstPlainScan reports their ratio from one run.
// Then the grid: a million-row result shown and sorted by a number, a
// text and a date column.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <random>

#include "query/QueryEngine.h"
#include "query/ResultGrid.h"
#include "store/OleDate.h"
#include "store/Records.h"

namespace tarvolen::bench {
namespace {

constexpr int kFirstYear = 2017;
constexpr int kYears = 10;
constexpr int kPerYear = 500000;

struct History {
  std::filesystem::path root;
  ProgramFolder folder;
  StudentTable students;
  RoomTable rooms;
  CategoryLists categories;
  OperationNames names;

  History() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-query-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    folder = ProgramFolder(root);
    std::filesystem::create_directories(root / "数据" / "登记");
    for (int s = 1; s <= StudentTable::kLastSlot; ++s) {
      students[s].card = s;
      students[s].name = "学生" + std::to_string(s);
      students[s].balance = static_cast<float>(s % 300);
    }
    for (int r = 1; r <= RoomTable::kLastSlot; ++r) rooms[r].name = "琴房" + std::to_string(r);
    categories.majors[0] = "钢琴";
    std::mt19937 random(7);
    std::vector<uint8_t> file(static_cast<size_t>(kPerYear) * kCheckinRecordLength);
    for (int y = 0; y < kYears; ++y) {
      const int32_t first = DayNumber({kFirstYear + y, 1, 1});
      for (int i = 0; i < kPerYear; ++i) {
        CheckinRecord r;
        r.student = static_cast<int16_t>(1 + random() % 5000);
        r.room = static_cast<int16_t>(1 + random() % 999);
        r.date = first + i * 365.0 / kPerYear;
        r.date = static_cast<double>(static_cast<int32_t>(r.date));
        r.time = static_cast<int16_t>(480 + random() % 780);
        r.kind = static_cast<uint8_t>(i % 2);
        r.fee = r.kind == 1 ? static_cast<float>(random() % 2000) / 100.0f : 0.0f;
        r.operatorId = 1;
        Bytes b = Pack(r).value();
        std::memcpy(file.data() + static_cast<size_t>(i) * kCheckinRecordLength, b.data(), b.size());
      }
      std::ofstream out(folder.checkinYear(kFirstYear + y), std::ios::binary);
      out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
  }
  ~History() { std::filesystem::remove_all(root); }

  query::QueryContext Context() const {
    query::QueryContext c{folder, students, rooms, categories, names};
    c.today = {2026, 12, 10};
    return c;
  }
};

History& TheHistory() {
  static History history;
  return history;
}

// Check-outs from 1 March 2018 to 31 October 2025.
query::QueryRequest CheckoutsInRange() {
  query::QueryRequest rq;
  rq.source = query::Source::Checkins;
  rq.mode = query::Mode::CheckoutsOnly;
  // The years read are those of the range: 2018 to 2025, as the scan reads.
  rq.row(query::kDate) = {true, "2018年03月01日", "2025年10月31日"};
  return rq;
}

struct ScanTotals {
  int64_t kept = 0;
  double fees = 0;
  double balances = 0;
};

// The plain scan: the same files in 1 MiB blocks, the date and the kind
// tested, the fee and the student's balance summed.
ScanTotals PlainScan(const History& h) {
  ScanTotals t;
  const int32_t from = DayNumber({2018, 3, 1});
  const int32_t to = DayNumber({2025, 10, 31});
  std::vector<char> buffer(32768 * kCheckinRecordLength);
  for (int y = 2018; y <= 2025; ++y) {
    std::ifstream in(h.folder.checkinYear(y), std::ios::binary);
    while (in) {
      in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      const size_t got = static_cast<size_t>(in.gcount()) / kCheckinRecordLength * kCheckinRecordLength;
      for (size_t at = 0; at < got; at += kCheckinRecordLength) {
        const char* p = buffer.data() + at;
        if (p[15] != 1) continue;
        double date;
        std::memcpy(&date, p + 6, sizeof date);
        const auto day = static_cast<int32_t>(date);
        if (day < from || day > to) continue;
        float fee;
        int16_t student;
        std::memcpy(&fee, p + 16, sizeof fee);
        std::memcpy(&student, p + 2, sizeof student);
        ++t.kept;
        t.fees += fee;
        if (student >= 0 && student <= StudentTable::kLastSlot) t.balances += h.students[student].balance;
      }
    }
  }
  return t;
}

void BM_QueryCheckoutsInADateRange(benchmark::State& state) {
  const History& h = TheHistory();
  const auto rq = CheckoutsInRange();
  int kept = 0;
  for (auto _ : state) {
    auto out = query::RunQuery(rq, h.Context());
    kept = out.result->itemCount();
    benchmark::DoNotOptimize(out.result->totalCell(19));
  }
  state.counters["records_kept"] = kept;
}
BENCHMARK(BM_QueryCheckoutsInADateRange)->Unit(benchmark::kMillisecond);

void BM_PlainScanOfTheSameFiles(benchmark::State& state) {
  const History& h = TheHistory();
  ScanTotals t;
  for (auto _ : state) {
    t = PlainScan(h);
    benchmark::DoNotOptimize(t.fees);
  }
  state.counters["records_kept"] = static_cast<double>(t.kept);
}
BENCHMARK(BM_PlainScanOfTheSameFiles)->Unit(benchmark::kMillisecond);

// One iteration = one query and one plain scan; "ratio" = query / scan.
void BM_QueryAgainstPlainScan(benchmark::State& state) {
  const History& h = TheHistory();
  const auto rq = CheckoutsInRange();
  double queryTime = 0, scanTime = 0;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    auto out = query::RunQuery(rq, h.Context());
    auto t1 = std::chrono::steady_clock::now();
    ScanTotals s = PlainScan(h);
    auto t2 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(s.fees);
    if (out.result->itemCount() != s.kept) state.SkipWithError("the query and the scan kept different records");
    queryTime += std::chrono::duration<double>(t1 - t0).count();
    scanTime += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["ratio"] = scanTime > 0 ? queryTime / scanTime : 0;
  state.counters["query_ms"] = queryTime * 1000 / static_cast<double>(state.iterations());
  state.counters["scan_ms"] = scanTime * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_QueryAgainstPlainScan)->Unit(benchmark::kMillisecond);

// A million records of the history, in the grid, sorted by one column.
void BM_GridSortsAMillionRows(benchmark::State& state) {
  const History& h = TheHistory();
  query::QueryRequest rq;
  rq.source = query::Source::Checkins;
  rq.row(query::kDate) = {false, "2025年01月01日", "2026年12月31日"};
  auto out = query::RunQuery(rq, h.Context());
  const int column = static_cast<int>(state.range(0));
  query::ResultGrid grid;
  grid.Show(std::move(out.result), "系统查询");
  for (auto _ : state) {
    grid.ClickTitle(column);  // ascending: a sort by the column's keys
    benchmark::DoNotOptimize(grid.cell(3, column));
    state.PauseTiming();
    grid.ClickTitle(column == 1 ? 2 : 1);  // another column, so the next click sorts again
    state.ResumeTiming();
  }
  state.counters["rows"] = grid.records();
}
// 13 余额 (numbers), 3 姓名 (text), 1 日期 (time order).
BENCHMARK(BM_GridSortsAMillionRows)->Arg(13)->Arg(3)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvolen::bench
