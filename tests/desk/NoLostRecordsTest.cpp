// A desk that is killed never loses year-file records: the next start goes
// on after the last record in the file, whatever set.dat's counter says.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using namespace settings;

CheckinRecord Record(int16_t student) {
  CheckinRecord r;
  r.room = 1;
  r.student = student;
  r.time = 600;
  r.date = ToOle(CivilDate{2026, 12, 9});
  r.operatorId = 6;
  return r;
}

int16_t StudentOfRecord(const Installation& inst, int n) {
  auto f = RecordFile::Open(inst.folder().checkinYear(2026), kCheckinRecordLength);
  EXPECT_TRUE(f.ok());
  return UnpackCheckin(f->read(n).value()).student;
}

TEST(NoLostRecords, KilledDeskLeavesItsRecordsAndTheNextStartAppendsAfterThem) {
  Installation inst;
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto desk = inst.startDesk();
    for (int16_t s = 1; s <= 3; ++s) {
      if (!desk->checkins().append(Pack(Record(s))).ok()) _exit(3);
    }
    raise(SIGKILL);  // no save-and-exit
    _exit(4);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child did not die as planned, status " << status;

  auto desk = inst.startDesk();
  EXPECT_EQ(desk->checkins().count(), 3);
  ASSERT_TRUE(desk->checkins().append(Pack(Record(4))).ok());
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(StudentOfRecord(inst, n), n);
}

TEST(NoLostRecords, StaleCounterIsCaughtUpFromTheFile) {
  // The process died between the record's write and the counter's.
  Installation inst;
  {
    auto desk = inst.startDesk();
    for (int16_t s = 1; s <= 3; ++s) ASSERT_TRUE(desk->checkins().append(Pack(Record(s))).ok());
  }
  ASSERT_TRUE(inst.settings().writeLong(kCheckinCount, 1).ok());
  auto desk = inst.startDesk();
  EXPECT_EQ(desk->checkins().count(), 3);
  ASSERT_TRUE(desk->checkins().append(Pack(Record(9))).ok());
  EXPECT_EQ(StudentOfRecord(inst, 2), 2);
  EXPECT_EQ(StudentOfRecord(inst, 4), 9);
  EXPECT_EQ(inst.settings().longAt(kCheckinCount), 4);
}

}  // namespace
}  // namespace tarvolen
