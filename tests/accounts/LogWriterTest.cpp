// The operation log writer.
#include <gtest/gtest.h>

#include "accounts/LogWriter.h"
#include "store/Gbk.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

class LogWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = testing::OpenSettings(temp_);
    ASSERT_TRUE(settings_);
    ASSERT_TRUE(log_.open(temp_.path("2026.dat"), kLogRecordLength, &*settings_, settings::kLogCount, 0).ok());
    students_[3].enrolled = ToOle(CivilDate{2012, 8, 15});
  }
  LogRecord Read(int n) { return UnpackLog(log_.read(n).value()); }

  testing::TempDir temp_;
  std::optional<SettingsFile> settings_;
  YearFile log_;
  StudentTable students_;
  DateTime now_{{2026, 12, 9}, 14, 5, 33};
};

TEST_F(LogWriterTest, FillsOperatorDateTimeAndKeyDate) {
  LogContext ctx{log_, students_, 6, now_};
  ASSERT_TRUE(WriteLogLine(ctx, 1, 3, 1005000, 0, "").ok());
  ASSERT_TRUE(WriteLogLine(ctx, 7, 0, 0, 12, "维修").ok());
  LogRecord a = Read(1);
  EXPECT_EQ(a.operation, 1);
  EXPECT_EQ(a.operatorId, 6);
  EXPECT_EQ(a.date, ToOle(CivilDate{2026, 12, 9}));
  EXPECT_EQ(a.time, 14 * 60 + 5);
  EXPECT_EQ(a.student, 3);
  EXPECT_EQ(a.amountScaled, 1005000);  // 100.5 yuan kept exactly
  EXPECT_EQ(a.keyDate, ToOle(CivilDate{2012, 8, 15}));
  LogRecord b = Read(2);
  EXPECT_EQ(b.room, 12);
  EXPECT_EQ(b.student, 0);
  EXPECT_EQ(b.keyDate, 0.0);
  EXPECT_EQ(b.remark, "维修");
  EXPECT_EQ(settings_->longAt(settings::kLogCount), 2);
}

TEST_F(LogWriterTest, LongRemarkIsCutOnACharacterBoundary) {
  std::string remark = "a";
  for (int i = 0; i < 60; ++i) remark += "长";  // 1 + 120 bytes
  LogContext ctx{log_, students_, 1, now_};
  ASSERT_TRUE(WriteLogLine(ctx, 9, 0, 0, 0, remark).ok());
  std::string stored = Read(1).remark;
  EXPECT_EQ(GbkLength(stored), 93);  // 94 would split a character
  EXPECT_EQ(stored.substr(0, 1), "a");
  EXPECT_EQ(CutToGbkBytes("ab长", 3), "ab");
  EXPECT_EQ(CutToGbkBytes("ab长", 4), "ab长");
}

TEST_F(LogWriterTest, TwelveDigitCardAmountKeptWhole) {
  LogContext ctx{log_, students_, 6, now_};
  const int64_t card = 123456789012;
  ASSERT_TRUE(WriteLogLine(ctx, 4, 3, card * 10000, 0, "").ok());
  EXPECT_EQ(Read(1).amountScaled, card * 10000);
}

}  // namespace
}  // namespace tarvolen
