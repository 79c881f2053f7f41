// A year file that ends in a partly written record (power lost during an
// append) is opened with the record left out, and the operator is told.
#include <gtest/gtest.h>

#include <algorithm>

#include "desk/TornRecordMessages.h"
#include "store/Records.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

bool Shown(Desk& desk, const std::string& text) {
  const auto& h = desk.notifier().history();
  return std::find(h.begin(), h.end(), text) != h.end();
}

TEST(TornYearFile, CutRecordIsLeftOutAndReported) {
  testing::Installation inst;
  CheckinRecord r;
  r.room = 1;
  r.student = 1;
  r.date = ToOle(CivilDate{2026, 12, 9});
  Bytes file = Pack(r).value();
  file.resize(kCheckinRecordLength, 0);
  file.insert(file.end(), 12, 0x55);  // 12 bytes of the second record
  testing::WriteAll(inst.folder().checkinYear(2026), file);
  testing::WriteAll(inst.folder().logYear(2026), Bytes(kLogRecordLength * 2, 0));

  auto desk = inst.startDesk();
  EXPECT_TRUE(Shown(*desk, kTornCheckinRecordMessage));
  EXPECT_FALSE(Shown(*desk, kTornLogRecordMessage));
  EXPECT_EQ(desk->checkins().count(), 1);
  EXPECT_EQ(desk->log().count(), 2);
}

TEST(TornYearFile, WholeFilesSayNothing) {
  testing::Installation inst;
  auto desk = inst.startDesk();
  EXPECT_FALSE(Shown(*desk, kTornCheckinRecordMessage));
  EXPECT_FALSE(Shown(*desk, kTornLogRecordMessage));
}

}  // namespace
}  // namespace tarvolen
