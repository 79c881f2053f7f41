// A backup of ten years of history: a full installation with ten check-in
// year files of 500,000 records each (160 MB), backed up by the desk's page
// 数据备份 (its copy driven through the timer as the window drives it), and
// the same folder copied by `cp -r` in the same run for comparison. The
// files are made in a temporary folder and removed at the end.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "FullInstallation.h"
#include "desk/Desk.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeTimers.h"
#include "store/Records.h"

namespace tarvolen::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kYears = 10;
constexpr int kRecordsPerYear = 500000;

// The temporary folder: <base>/desk is the installation, <base>/store the
// backup target; all of it goes when the benchmarks end.
struct History {
  fs::path base;
  fs::path root;
  fs::path store;
  History() {
    std::string pattern = (fs::temp_directory_path() / "tarvolen-backup-bench-XXXXXX").string();
    base = ::mkdtemp(pattern.data());
    root = base / "desk";
    store = base / "store";
    fs::create_directories(store);
    if (!WriteFullInstallation(root, {2026, 12, 9}).ok()) std::abort();
    CheckinRecord r;
    r.room = 1;
    r.student = 1;
    r.time = 600;
    r.date = ToOle(CivilDate{2020, 3, 4});
    Bytes one = Pack(r).value();
    one.resize(kCheckinRecordLength, 0);
    Bytes block;
    for (int i = 0; i < 8192; ++i) block.insert(block.end(), one.begin(), one.end());
    for (int y = 0; y < kYears; ++y) {
      const fs::path file = root / "数据/登记" / YearFileName(2017 + y);
      int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0) std::abort();
      int64_t left = int64_t{kRecordsPerYear} * kCheckinRecordLength;
      while (left > 0) {
        const size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(block.size())));
        if (::write(fd, block.data(), n) != static_cast<ssize_t>(n)) std::abort();
        left -= static_cast<int64_t>(n);
      }
      ::close(fd);
    }
  }
  ~History() {
    std::error_code ec;
    fs::remove_all(base, ec);
  }
};

History& TenYears() {
  static History history;
  return history;
}

int64_t FolderBytes(const fs::path& root) {
  int64_t total = 0;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) total += static_cast<int64_t>(e.file_size());
  }
  return total;
}

void BM_BackupTenYears(benchmark::State& state) {
  History& h = TenYears();
  FakeClock clock({{2026, 12, 9}, 10, 0, 0});
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  FakeTimerFactory timers;
  Desk desk(ProgramFolder(h.root), DeskServices{clock, boxes, instance, &sound, &timers});
  if (desk.StartUntilPrompt() != StartStop::Continue || !desk.ContinueLoading({})) {
    state.SkipWithError("start-up stopped");
    return;
  }
  desk.backup().SetFolder(DataBackup::kBackupHalf, h.store.string());
  int64_t bytes = 0;
  int run = 0;
  for (auto _ : state) {
    desk.backup().SetName("bench" + std::to_string(run++));
    desk.backup().Backup();
    while (desk.backup().busy()) timers.advance(1);
    state.PauseTiming();
    if (boxes.boxes.empty() || boxes.boxes.back().text != "备份成功") state.SkipWithError("the backup failed");
    bytes = FolderBytes(desk.backup().lastBackup());
    fs::remove_all(desk.backup().lastBackup());
    state.ResumeTiming();
  }
  state.SetBytesProcessed(bytes * state.iterations());
}
BENCHMARK(BM_BackupTenYears)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The same folder by cp -r (no flush to the disk), in the same run.
void BM_CpRTenYears(benchmark::State& state) {
  History& h = TenYears();
  const fs::path target = h.store / "cp";
  const std::string command = "cp -r '" + h.root.string() + "' '" + target.string() + "'";
  int64_t bytes = 0;
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp -r failed");
    state.PauseTiming();
    bytes = FolderBytes(target);
    fs::remove_all(target);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(bytes * state.iterations());
}
BENCHMARK(BM_CpRTenYears)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// cp -r followed by sync of the copy: the same durability as the backup's.
void BM_CpRSyncTenYears(benchmark::State& state) {
  History& h = TenYears();
  const fs::path target = h.store / "cp";
  const std::string command =
      "cp -r '" + h.root.string() + "' '" + target.string() + "' && sync -f '" + target.string() + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp -r failed");
    state.PauseTiming();
    fs::remove_all(target);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CpRSyncTenYears)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace tarvolen::bench
