// 5000 students imported into an empty installation from a workbook: the
// file read (the .xls in its child process), the header found, every row
// converted and written to students.dat, the list rebuilt; the slices run
// back to back on fake timers. The workbooks are written at set-up, the
// .xlsx with libxlsxwriter, the .xls with Debian's python3-xlwt.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <xlsxwriter.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "desk/Desk.h"
#include "maintenance/CleanInstallation.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeWorkbooks.h"
#include "platform/sheets/SpreadsheetReader.h"

namespace tarvolen::bench {
namespace {

constexpr CivilDate kToday{2026, 12, 9};
constexpr int kStudents = 5000;
const char* const kTitles[] = {"琴卡号", "证号", "姓名", "性别", "专业", "年级", "班级", "余额", "手机"};

std::vector<std::string> Row(int i) {
  return {std::to_string(100000 + i),
          std::to_string(20260000 + i),
          "学生" + std::to_string(i),
          i % 2 ? "女" : "男",
          i % 3 ? "钢琴" : "声乐",
          "2025级",
          "一班",
          std::to_string(i % 200) + ".5",
          std::to_string(13800000000 + i)};
}

class ImportDesk {
 public:
  ImportDesk() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-bench-XXXXXX").string();
    base_ = ::mkdtemp(pattern.data());
    root_ = base_ / "desk";
    if (!WriteCleanInstallation(root_, kToday).ok()) std::abort();
    WriteXlsx();
    WriteXls();
    dialogs_.answer = xlsx();
    desk_ = std::make_unique<Desk>(ProgramFolder(root_), DeskServices{clock_, boxes_, instance_, &sound_, &timers_,
                                                                      &random_, nullptr, &dialogs_, &reader_});
    if (desk_->StartUntilPrompt() != StartStop::Continue || !desk_->ContinueLoading({})) std::abort();
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    if (desk_->ConfirmIdentity() != IdentityPrompt::Outcome::FirstRunDone) std::abort();
    desk_->adminArea().Toggle();
    if (!desk_->adminArea().Navigate(3).ok()) std::abort();
  }
  ~ImportDesk() {
    desk_.reset();
    std::filesystem::remove_all(base_);
  }

  std::string xlsx() const { return (base_ / "students.xlsx").string(); }
  std::string xls() const { return (base_ / "students.xls").string(); }

  // The students gone again, in memory and on disk.
  void Empty() {
    for (int s = 1; s <= StudentTable::kLastSlot; ++s) desk_->students()[s] = StudentRecord{};
    std::filesystem::resize_file(ProgramFolder(root_).students(), 0);
  }
  void Import(const std::string& path) {
    dialogs_.answer = path;
    desk_->sheetImport().ImportStudents();
    while (desk_->sheetImport().running()) timers_.advance(1);
    if (desk_->students()[kStudents].card == 0) std::abort();
  }

 private:
  void WriteXlsx() {
    lxw_workbook* wb = workbook_new(xlsx().c_str());
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    for (int c = 0; c < 9; ++c) worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), kTitles[c], nullptr);
    for (int i = 0; i < kStudents; ++i) {
      const auto cells = Row(i);
      for (int c = 0; c < 9; ++c) {
        if (c == 0 || c == 1 || c == 7 || c == 8) {
          worksheet_write_number(ws, static_cast<lxw_row_t>(i + 1), static_cast<lxw_col_t>(c),
                                 std::strtod(cells[static_cast<size_t>(c)].c_str(), nullptr), nullptr);
        } else {
          worksheet_write_string(ws, static_cast<lxw_row_t>(i + 1), static_cast<lxw_col_t>(c),
                                 cells[static_cast<size_t>(c)].c_str(), nullptr);
        }
      }
    }
    if (workbook_close(wb) != LXW_NO_ERROR) std::abort();
  }
  void WriteXls() {
    const std::filesystem::path script = base_ / "xls.py";
    std::ofstream(script)
        << "import sys, xlwt\n"
           "wb = xlwt.Workbook(encoding='utf-8')\n"
           "ws = wb.add_sheet('s')\n"
           "for c, t in enumerate(['琴卡号', '证号', '姓名', '性别', '专业', '年级', '班级', '余额', "
           "'手机']):\n"
           "    ws.write(0, c, t)\n"
           "for i in range(5000):\n"
           "    row = [100000 + i, 20260000 + i, '学生%d' % i, '女' if i % 2 else '男',\n"
           "           '钢琴' if i % 3 else '声乐', '2025级', '一班', i % 200 + 0.5, 13800000000 + i]\n"
           "    for c, v in enumerate(row):\n"
           "        ws.write(i + 1, c, v)\n"
           "wb.save(sys.argv[1])\n";
    const std::string command = "/usr/bin/python3 '" + script.string() + "' '" + xls() + "'";
    if (std::system(command.c_str()) != 0) std::abort();
  }

  std::filesystem::path base_;
  std::filesystem::path root_;
  FakeClock clock_{{kToday, 10, 0, 0}};
  FakeMessageBoxes boxes_;
  FakeSingleInstance instance_;
  FakeSoundPlayer sound_;
  FakeTimerFactory timers_;
  FakeRandom random_;
  FakeFileDialogs dialogs_;
  SpreadsheetReader reader_;
  std::unique_ptr<Desk> desk_;
};

void ImportFrom(benchmark::State& state, bool xls) {
  ImportDesk desk;
  const std::string path = xls ? desk.xls() : desk.xlsx();
  for (auto _ : state) {
    state.PauseTiming();
    desk.Empty();
    state.ResumeTiming();
    desk.Import(path);
  }
  state.SetItemsProcessed(state.iterations() * kStudents);
}

void BM_Import5000StudentsFromXlsx(benchmark::State& state) { ImportFrom(state, false); }
void BM_Import5000StudentsFromXls(benchmark::State& state) { ImportFrom(state, true); }
BENCHMARK(BM_Import5000StudentsFromXlsx)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Import5000StudentsFromXls)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace tarvolen::bench
