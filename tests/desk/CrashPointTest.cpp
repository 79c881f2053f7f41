// A desk killed before any one write of a check-in or a check-out: the next
// start leaves the folder as if the operation had run whole or not at all.
// Each case runs the swipe in a forked child that is killed before the n-th
// write of one file; the parent then starts a desk on the same folder, as
// the program would, and checks the files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "store/FileFaults.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using testing::TempDir;

constexpr int kStudent = 1;
const DateTime kCheckInTime{{2012, 9, 3}, 9, 0, 0};
const DateTime kCheckOutTime{{2012, 9, 3}, 9, 47, 0};

// A desk with the platform's test doubles on any folder.
struct RunningDesk {
  RunningDesk(const ProgramFolder& folder, DateTime now) : clock(now) {
    desk = std::make_unique<Desk>(folder, DeskServices{clock, boxes, instance, &sound, &timers, &random});
  }
  // Start-up and an administrator at the desk; no assertions, so a forked
  // child can use it too.
  bool Start() {
    if (desk->StartUntilPrompt() != StartStop::Continue || !desk->ContinueLoading({})) return false;
    desk->mainWindowForeground = [] { return true; };
    if (desk->prompt().firstRun()) {
      desk->prompt().setPassword("pw");
      desk->prompt().setSecond("pw");
      return desk->ConfirmIdentity() == IdentityPrompt::Outcome::FirstRunDone;
    }
    desk->prompt().select(IdentityTable::kAdministrator);
    desk->prompt().setPassword("pw");
    return desk->ConfirmIdentity() == IdentityPrompt::Outcome::Confirmed;
  }
  void Swipe(const std::string& card) {
    for (char c : card) desk->KeyDown(96 + (c - '0'));
    desk->KeyDown(13);
  }
  void CheckIn(const std::string& card) {
    Swipe(card);
    desk->KeyDown(13);  // the proposed room
  }
  bool CheckedIn() { return desk->sessions().FindSession(kStudent) >= 0; }

  FakeClock clock;
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  FakeTimerFactory timers;
  FakeRandom random;
  std::unique_ptr<Desk> desk;
};

enum class Operation { CheckIn, CheckOut };

class CrashPointTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunningDesk first(inst_.folder(), kCheckInTime);
    ASSERT_TRUE(first.Start());
    firstRecord_ = first.desk->checkins().count() + 1;
    balance_ = first.desk->students()[kStudent].balance;
  }

  // The demo folder copied, the suspension file beside it with it.
  std::unique_ptr<TempDir> CopyOfInstallation() const {
    auto copy = std::make_unique<TempDir>();
    std::filesystem::copy(inst_.root(), copy->root(), std::filesystem::copy_options::recursive);
    const auto beside = inst_.folder().suspension();
    if (std::filesystem::exists(beside)) std::filesystem::copy(beside, copy->folder().suspension());
    return copy;
  }

  // The child: the operation with a kill before the (skip+1)-th write of
  // `file`. Ends with 0 when the operation ran whole without being killed.
  [[noreturn]] static void RunChild(const ProgramFolder& folder, Operation op, const std::string& file, int skip) {
    RunningDesk child(folder, op == Operation::CheckIn ? kCheckInTime : kCheckOutTime);
    if (!child.Start()) _exit(2);
    FileFaults::Inject(folder.file(file), WriteFault{.skip = skip, .kill = true});
    if (op == Operation::CheckIn) {
      child.CheckIn("1001");
      _exit(child.CheckedIn() ? 0 : 3);
    }
    child.Swipe("1001");
    _exit(child.CheckedIn() ? 3 : 0);
  }

  // True when the child was killed, false when it ran the operation whole.
  bool KilledRunning(const ProgramFolder& folder, Operation op, const std::string& file, int skip) {
    const pid_t pid = ::fork();
    if (pid == 0) RunChild(folder, op, file, skip);
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    if (WIFSIGNALED(status)) {
      EXPECT_EQ(WTERMSIG(status), SIGKILL);
      return true;
    }
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    return false;
  }

  // What the year file holds for the student from the first new record on.
  struct Records {
    int checkIns = 0;
    int checkOuts = 0;
    float fees = 0;
  };
  Records RecordsOf(Desk& desk) const {
    Records out;
    for (int64_t n = firstRecord_; n <= desk.checkins().count(); ++n) {
      const CheckinRecord r = UnpackCheckin(desk.checkins().read(n).value());
      if (r.student != kStudent) continue;
      (r.kind == 0 ? out.checkIns : out.checkOuts) += 1;
      out.fees += r.fee;
    }
    return out;
  }
  static float BalanceOnDisk(const ProgramFolder& folder) {
    StudentTable t;
    EXPECT_TRUE(t.load(folder).ok());
    return t[kStudent].balance;
  }

  // Every write of the operation in turn: each file, its writes one by one
  // until the operation runs through without reaching the kill.
  template <class Arrange, class Check>
  void ForEveryCrashPoint(Operation op, Arrange arrange, Check check) {
    const std::string files[] = {"journal.dat", "数据/登记/2012.dat", "set.dat", "shuju.dat", "students.dat"};
    int kills = 0;
    for (const std::string& file : files) {
      for (int skip = 0; skip < 10; ++skip) {
        SCOPED_TRACE(file + " before write " + std::to_string(skip + 1));
        auto copy = CopyOfInstallation();
        arrange(copy->folder());
        const bool killed = KilledRunning(copy->folder(), op, file, skip);
        check(copy->folder());
        if (!killed) break;
        ++kills;
      }
    }
    // journal twice, year record, two counters, session record, student record.
    EXPECT_GE(kills, op == Operation::CheckIn ? 6 : 7);
  }

  Installation inst_{true, {2012, 9, 3}};
  int64_t firstRecord_ = 0;
  float balance_ = 0;
};

TEST_F(CrashPointTest, ACheckInIsWholeOrAbsentAfterTheNextStart) {
  ForEveryCrashPoint(
      Operation::CheckIn, [](const ProgramFolder&) {},
      [&](const ProgramFolder& folder) {
        RunningDesk next(folder, kCheckOutTime);
        ASSERT_TRUE(next.Start());
        const int sessions = next.CheckedIn() ? 1 : 0;
        EXPECT_EQ(next.desk->sessions().count(), sessions);
        const Records records = RecordsOf(*next.desk);
        EXPECT_EQ(records.checkIns, sessions) << "a check-in record without its session";
        EXPECT_EQ(records.checkOuts, 0);
        EXPECT_TRUE(!std::filesystem::exists(folder.journal()) || std::filesystem::file_size(folder.journal()) == 0);
        // The desk goes on from there: a swipe ends what was started, once.
        if (sessions == 1) {
          next.Swipe("1001");
          EXPECT_FALSE(next.CheckedIn());
          EXPECT_EQ(RecordsOf(*next.desk).checkOuts, 1);
        }
      });
}

TEST_F(CrashPointTest, ACheckOutBillsTheSessionExactlyOnce) {
  ForEveryCrashPoint(
      Operation::CheckOut,
      [&](const ProgramFolder& folder) {
        RunningDesk before(folder, kCheckInTime);
        ASSERT_TRUE(before.Start());
        before.CheckIn("1001");
        ASSERT_TRUE(before.CheckedIn());
      },
      [&](const ProgramFolder& folder) {
        RunningDesk next(folder, {{2012, 9, 3}, 10, 30, 0});
        ASSERT_TRUE(next.Start());
        if (next.CheckedIn()) next.Swipe("1001");
        EXPECT_FALSE(next.CheckedIn());
        EXPECT_EQ(next.desk->sessions().count(), 0);
        const Records records = RecordsOf(*next.desk);
        EXPECT_EQ(records.checkIns, 1);
        EXPECT_EQ(records.checkOuts, 1);
        EXPECT_GT(records.fees, 0.0f);
        EXPECT_FLOAT_EQ(BalanceOnDisk(folder), balance_ - records.fees);
        EXPECT_FLOAT_EQ(next.desk->students()[kStudent].balance, balance_ - records.fees);
        // The next start sees the same.
        next.desk.reset();
        RunningDesk again(folder, {{2012, 9, 3}, 10, 31, 0});
        ASSERT_TRUE(again.Start());
        EXPECT_EQ(again.desk->sessions().count(), 0);
        EXPECT_EQ(RecordsOf(*again.desk).checkOuts, 1);
      });
}

}  // namespace
}  // namespace tarvolen
