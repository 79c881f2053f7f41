#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>

#include "query/CheckinPairing.h"
#include "query/QueryEngine.h"
#include "query/QueryFixture.h"
#include "query/RecordBlocks.h"
#include "store/Tables.h"

namespace tarvolen::testing {
namespace {

using namespace query;

class CheckinQuery : public QueryFixture {
 protected:
  CheckinQuery() {
    StudentRecord& a = Student(1, "张琴", 101);
    a.sex = 1;
    a.major = 1;
    a.level = 1;
    a.balance = 50;
    a.semesterMinutes = 600;
    a.status = StudentRecord::kLost;
    StudentRecord& b = Student(2, "Zhang", 102);
    b.balance = 5;
    b.semesterMinutes = 120;
    Student(3, "李四", 103).balance = 20;
    Room(1, "A101").capacity = 2;
    RoomRecord& r2 = Room(2, "B202");
    r2.type = 1;
    r2.capacity = 4;
    r2.serviceStatus = 1;
    WriteCheckins(2025, {Checkin(3, 2, {2025, 12, 31}, 600, 0), Checkin(3, 2, {2025, 12, 31}, 660, 1, 2.0f)});
    WriteCheckins(2026, {
                            Checkin(1, 1, {2026, 3, 1}, 480, 0),
                            Checkin(1, 1, {2026, 3, 1}, 570, 1, 3.5f),
                            Checkin(2, 2, {2026, 6, 10}, 1430, 0, 0, 2),
                            Checkin(2, 2, {2026, 6, 11}, 10, 1, 1.0f, 6),
                            Checkin(3, 1, {2026, 12, 1}, 720, 0),
                        });
  }

  // "name time" of every listed record.
  std::vector<std::string> Lines(const QueryRequest& rq) {
    QueryOutcome out = Run(rq);
    auto names = ColumnOf(*out.result, "姓名");
    auto times = ColumnOf(*out.result, "时间");
    std::vector<std::string> lines;
    for (size_t i = 0; i < names.size(); ++i) lines.push_back(names[i] + " " + times[i]);
    return lines;
  }
};

struct CriterionCase {
  const char* what;
  std::function<void(QueryRequest&)> set;
  std::vector<std::string> kept;
};

TEST_F(CheckinQuery, EachCriterionKeepsTheRecordsThatPassIt) {
  using V = std::vector<std::string>;
  const V all = {"张琴 8:00", "张琴 9:30", "Zhang 23:50", "Zhang 0:10", "李四 12:00"};
  auto tick = [](int row, std::string from = "", std::string to = "", uint32_t set = 0) {
    return [=](QueryRequest& rq) {
      rq.row(row).ticked = true;
      if (!from.empty()) rq.row(row).from = from;
      if (!to.empty()) rq.row(row).to = to;
      rq.row(row).fromSet = set;
    };
  };
  const CriterionCase cases[] = {
      {"nothing ticked", [](QueryRequest&) {}, all},
      {"check-ins only",
       [](QueryRequest& rq) { rq.mode = Mode::CheckinsOnly; },
       {"张琴 8:00", "Zhang 23:50", "李四 12:00"}},
      {"check-outs only", [](QueryRequest& rq) { rq.mode = Mode::CheckoutsOnly; }, {"张琴 9:30", "Zhang 0:10"}},
      {"date, both ends", tick(kDate, "2026年06月10日", "2026年06月11日"), {"Zhang 23:50", "Zhang 0:10"}},
      {"date start after end", tick(kDate, "2026年06月11日", "2026年06月10日"), {}},
      {"time, both ends", tick(kTime, "08:00", "09:30"), {"张琴 8:00", "张琴 9:30"}},
      {"name containing 琴", tick(kName, "*琴*"), {"张琴 8:00", "张琴 9:30"}},
      {"name of only *", tick(kName, "*"), all},
      {"name zhang, similar", tick(kName, "zhang"), {"Zhang 23:50", "Zhang 0:10"}},
      {"name zhang, exact",
       [&](QueryRequest& rq) {
         tick(kName, "zhang")(rq);
         rq.row(kName).match = MatchKind::Exact;
       },
       {}},
      {"name with an unclosed list", tick(kName, "[张"), {}},
      {"room B*",
       tick(kRoom, "B*"),
       {
           "Zhang 23:50",
           "Zhang 0:10",
       }},
      {"sex 女", tick(kSex, "女"), {"张琴 8:00", "张琴 9:30"}},
      {"sex 男", tick(kSex, "男"), {"Zhang 23:50", "Zhang 0:10", "李四 12:00"}},
      {"major 声乐", tick(kMajor, "", "", 1u << 1), {"张琴 8:00", "张琴 9:30"}},
      {"major: nothing chosen", tick(kMajor, "-[未选择]", "", 0), {}},
      {"level 普通", tick(kLevel, "", "", 1u << 0), {"Zhang 23:50", "Zhang 0:10", "李四 12:00"}},
      {"grade of the key date", tick(kGrade, "", "", 1u << 0), all},
      {"another grade", tick(kGrade, "", "", 1u << 1), {}},
      {"semester 9 to 10 hours", tick(kSemesterHours, "9", "10"), {"张琴 8:00", "张琴 9:30"}},
      {"semester 0 to 2 hours", tick(kSemesterHours, "0", "2"), {"Zhang 23:50", "Zhang 0:10", "李四 12:00"}},
      {"balance 20 to 50", tick(kBalance, "20", "50"), {"张琴 8:00", "张琴 9:30", "李四 12:00"}},
      {"lost", tick(kLost, "是"), {"张琴 8:00", "张琴 9:30"}},
      {"not suspended", tick(kSuspended, "否"), all},
      {"room type 声乐", tick(kRoomType, "", "", 1u << 1), {"Zhang 23:50", "Zhang 0:10"}},
      {"capacity 2 to 2", tick(kCapacity, "2", "2"), {"张琴 8:00", "张琴 9:30", "李四 12:00"}},
      {"room closed", tick(kOpen, "否"), {"Zhang 23:50", "Zhang 0:10"}},
      {"fee 1 to 3.5", tick(kRow19, "1", "3.5"), {"张琴 9:30", "Zhang 0:10"}},
      {"operator 管理员", tick(kOperator, "", "", 1u << 6), {"Zhang 0:10"}},
  };
  for (const auto& c : cases) {
    QueryRequest rq = Request(Source::Checkins);
    c.set(rq);
    EXPECT_EQ(Lines(rq), c.kept) << c.what;
  }
}

TEST_F(CheckinQuery, AllModeColumnsShowTheRecordAndItsStudentAndRoom) {
  QueryOutcome out = Run(Request(Source::Checkins));
  const QueryResult& r = *out.result;
  ASSERT_EQ(r.columnCount(), 24);  // 序号, twenty rows, 操作, 卡号, 证号
  EXPECT_EQ(r.heading(21), "操作");
  EXPECT_EQ(r.heading(22), "卡号");
  std::vector<std::string> row;
  for (int c = 0; c < r.columnCount(); ++c) row.push_back(r.cellText(1, c));
  const std::vector<std::string> expected = {
      "",     "2026年03月01日", "9:30",  "张琴", "A101",         "女",          "声乐", "银卡", "26级|一年级",
      "甲班", "10.0",           "0.0",   "0.00", "50.00",        "是",          "否",   "钢琴", "2",
      "是",   "3.50",           "用户1", "下线", "000000000101", "000000000000"};
  EXPECT_EQ(row, expected);
}

TEST_F(CheckinQuery, TheRangeReadsEveryYearFromItsFirstRecord) {
  QueryRequest rq = Request(Source::Checkins);
  rq.row(kDate).from = "2025年12月20日";
  rq.row(kDate).to = "2026年01月10日";
  EXPECT_EQ(Run(rq).result->itemCount(), 7);
  rq.row(kDate).ticked = true;
  EXPECT_EQ(Lines(rq), (std::vector<std::string>{"李四 10:00", "李四 11:00"}));
}

TEST_F(CheckinQuery, YearsWithoutFilesListNothingAndCreateNothing) {
  QueryRequest rq = Request(Source::Checkins);
  rq.row(kDate).from = "2010年01月01日";
  rq.row(kDate).to = "2012年12月31日";
  EXPECT_EQ(Run(rq).result->itemCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(folder().checkinYear(2011)));
  rq.source = Source::Log;
  EXPECT_EQ(Run(rq).result->itemCount(), 0);
  EXPECT_FALSE(std::filesystem::exists(folder().logYear(2011)));
}

TEST_F(CheckinQuery, APartlyWrittenLastRecordIsLeftOut) {
  std::filesystem::resize_file(folder().checkinYear(2026), 5 * kCheckinRecordLength - 10);
  EXPECT_EQ(Run(Request(Source::Checkins)).result->itemCount(), 4);
}

// A history long enough to be read by two threads: the second half's hits
// come behind the first half's, in file order, and the totals count both.
TEST(LongCheckinHistory, TwoThreadsListTheRecordsInFileOrderWithTheirTotals) {
  class Long : public QueryFixture {
    void TestBody() override {}

   public:
    void Fill(int year, int count, int& serial, double& feeSum, int& kept) {
      std::vector<CheckinRecord> records;
      records.reserve(static_cast<size_t>(count));
      for (int i = 0; i < count; ++i, ++serial) {
        const int kind = serial % 2;
        const float fee = kind == 1 ? static_cast<float>(serial % 7) : 0.0f;
        // The minute of the day carries the serial, so the order can be read back.
        records.push_back(Checkin(1 + serial % 3, 1, {year, 1 + serial % 12, 1}, serial % 1440, kind, fee));
        if (kind == 1) {
          feeSum += fee;
          ++kept;
        }
      }
      WriteCheckins(year, records);
    }
    using QueryFixture::ColumnOf;
    using QueryFixture::Request;
    using QueryFixture::Room;
    using QueryFixture::Run;
    using QueryFixture::Student;
  } f;
  for (int s = 1; s <= 3; ++s) f.Student(s, "学生" + std::to_string(s), 100 + s);
  f.Room(1, "A101");
  int serial = 0, kept = 0;
  double fees = 0;
  // 350,000 records: the halves meet inside the 2026 file.
  f.Fill(2025, 100000, serial, fees, kept);
  f.Fill(2026, 250000, serial, fees, kept);
  QueryRequest rq = f.Request(Source::Checkins, Mode::CheckoutsOnly);
  rq.row(kDate).from = "2025年01月01日";
  QueryOutcome out = f.Run(rq);
  const QueryResult& r = *out.result;
  ASSERT_EQ(r.itemCount(), kept);
  EXPECT_TRUE(out.readFault.empty());
  const auto times = f.ColumnOf(r, "时间");
  for (size_t i = 0; i < times.size(); ++i) {
    const int serialOf = static_cast<int>(2 * i + 1);
    ASSERT_EQ(times[i], FormatMinutes(serialOf % 1440)) << "item " << i;
  }
  int feeColumn = -1;
  for (int c = 0; c < r.columnCount(); ++c) {
    if (r.heading(c) == rq.titles[kRow19] && feeColumn < 0) feeColumn = c;
  }
  ASSERT_GE(feeColumn, 0);
  char expected[32];
  std::snprintf(expected, sizeof expected, "%.2f", fees);
  EXPECT_EQ(r.totalCell(feeColumn), expected);
}

TEST(RecordBlocks, AStretchOfAFileStopsAtItsEndOrTheFilesEnd) {
  TempDir dir{TempDir::Root::Created};
  const auto path = dir.root() / "r.dat";
  {
    std::ofstream out(path, std::ios::binary);
    for (char c = 0; c < 10; ++c) out.write(std::string(4, c).data(), 4);
    out.write("xy", 2);  // a partly written last record
  }
  auto read = [&](size_t first, size_t count) {
    std::string seen;
    RecordBlocks blocks(path, 4, first, count, 3);
    for (auto b = blocks.next(); !b.empty(); b = blocks.next()) {
      for (size_t at = 0; at < b.size(); at += 4) seen += static_cast<char>('0' + b[at]);
    }
    return seen;
  };
  EXPECT_EQ(read(0, 10), "0123456789");
  EXPECT_EQ(read(2, 5), "23456");
  EXPECT_EQ(read(7, 100), "789");
  EXPECT_EQ(read(12, 3), "");
  EXPECT_EQ(read(4, 0), "");
}

TEST_F(CheckinQuery, CombinedDisplayJoinsEachCheckoutWithItsCheckin) {
  QueryRequest rq = Request(Source::Checkins, Mode::Combined);
  QueryOutcome out = Run(rq);
  const QueryResult& r = *out.result;
  ASSERT_EQ(r.itemCount(), 2);
  EXPECT_EQ(r.columnCount(), 25);  // 序号, 21 rows, 结账用户, 卡号, 证号
  EXPECT_EQ(ColumnOf(r, "日期"), (std::vector<std::string>{"2026年03月01日", "2026年06月10日至2026年06月11日"}));
  EXPECT_EQ(ColumnOf(r, "时间"), (std::vector<std::string>{"8:00", "23:50"}));
  EXPECT_EQ(ColumnOf(r, "用时"), (std::vector<std::string>{"1时30分", "0时20分"}));
  EXPECT_EQ(ColumnOf(r, "消费金额"), (std::vector<std::string>{"3.50", "1.00"}));
  EXPECT_EQ(ColumnOf(r, "执行用户"), (std::vector<std::string>{"用户1", "用户2"}));
  EXPECT_EQ(ColumnOf(r, "结账用户"), (std::vector<std::string>{"用户1", "管理员"}));
}

TEST_F(CheckinQuery, CombinedDisplayCriteria) {
  struct Case {
    const char* what;
    std::function<void(QueryRequest&)> set;
    std::vector<std::string> kept;  // check-in times
  };
  const Case cases[] = {
      {"minutes used up to half an hour",
       [](QueryRequest& rq) {
         rq.row(kRow18) = {true, "0", "0.5"};
       },
       {"23:50"}},
      {"minutes used in minutes",
       [](QueryRequest& rq) {
         rq.row(kRow18) = {true, "20", "90"};
         rq.minutesPerUnit = 1;
       },
       {"8:00", "23:50"}},
      {"check-out date must lie in the range",
       [](QueryRequest& rq) {
         rq.row(kDate) = {true, "2026年06月10日", "2026年06月10日"};
       },
       {}},
      {"unless the check-out time is ignored",
       [](QueryRequest& rq) {
         rq.row(kDate) = {true, "2026年06月10日", "2026年06月10日"};
         rq.ignoreCheckoutTime = true;
       },
       {"23:50"}},
      {"time: the check-in only up to the end",
       [](QueryRequest& rq) {
         rq.row(kTime) = {true, "00:00", "09:30"};
         rq.ignoreCheckoutTime = true;
       },
       {"8:00"}},
      {"operators: who checked in and who checked out",
       [](QueryRequest& rq) {
         rq.row(kOperator) = {true, "", "", 1u << 2, 1u << 6};
       },
       {"23:50"}},
      {"operators: the second set must hold the check-out's",
       [](QueryRequest& rq) {
         rq.row(kOperator) = {true, "", "", 1u << 2, 1u << 1};
       },
       {}},
  };
  for (const auto& c : cases) {
    QueryRequest rq = Request(Source::Checkins, Mode::Combined);
    c.set(rq);
    EXPECT_EQ(ColumnOf(*Run(rq).result, "时间"), c.kept) << c.what;
  }
}

TEST_F(CheckinQuery, CombinedDisplayDropsTheOldestCheckinWhenThePendingListIsFull) {
  std::vector<CheckinRecord> records;
  for (int s = 1; s <= CheckinPairing::kCapacity + 1; ++s) records.push_back(Checkin(s, 1, {2027, 1, 2}, 600, 0));
  records.push_back(Checkin(1, 1, {2027, 1, 2}, 700, 1));  // its check-in was dropped
  records.push_back(Checkin(2, 1, {2027, 1, 2}, 710, 1));
  records.push_back(Checkin(1000, 1, {2027, 1, 2}, 720, 1));
  WriteCheckins(2027, records);
  QueryRequest rq = Request(Source::Checkins, Mode::Combined);
  rq.row(kDate).from = "2027年01月01日";
  rq.row(kDate).to = "2027年12月31日";
  QueryOutcome out = Run(rq);
  EXPECT_EQ(out.droppedCheckins, 1);
  EXPECT_EQ(ColumnOf(*out.result, "用时"), (std::vector<std::string>{"1时50分", "2时00分"}));
}

TEST_F(CheckinQuery, AveragesAndTotalsNeedTwoRecords) {
  struct Case {
    const char* name;
    int records;
    const char* average;
    const char* total;
    const char* averageHours;
  };
  const Case cases[] = {{"nobody", 0, "", "", ""}, {"张琴", 2, "50.00", "100.00", "10.0"}, {"李四", 1, "", "", ""}};
  for (const auto& c : cases) {
    QueryRequest rq = Request(Source::Checkins, Mode::CheckinsOnly);
    rq.row(kName) = {true, c.name};
    rq.mode = std::string(c.name) == "张琴" ? Mode::All : Mode::CheckinsOnly;
    QueryOutcome out = Run(rq);
    const QueryResult& r = *out.result;
    ASSERT_EQ(r.itemCount(), c.records) << c.name;
    EXPECT_EQ(r.averageCell(0), "平均");
    EXPECT_EQ(r.totalCell(0), "合计");
    EXPECT_EQ(r.averageCell(13), c.average) << c.name;  // 余额
    EXPECT_EQ(r.totalCell(13), c.total) << c.name;
    EXPECT_EQ(r.averageCell(10), c.averageHours) << c.name;  // 学期累计, in hours
    EXPECT_EQ(r.averageCell(3), "") << c.name;               // names are not summed
  }
}

TEST_F(CheckinQuery, CorruptFieldsMatchNothingAndShowEmpty) {
  students_[1].major = 40;  // past the list and past the set's bits
  WriteCheckins(2028, {Checkin(6000, 1500, {2028, 1, 5}, 600, 0), Checkin(1, 1, {2028, 1, 5}, 610, 0),
                       Checkin(-3, -1, {2028, 1, 5}, 620, 0)});
  QueryRequest rq = Request(Source::Checkins);
  rq.row(kDate).from = "2028年01月01日";
  rq.row(kDate).to = "2028年12月31日";
  QueryOutcome out = Run(rq);
  const QueryResult& r = *out.result;
  ASSERT_EQ(r.itemCount(), 3);
  EXPECT_EQ(ColumnOf(r, "姓名"), (std::vector<std::string>{"", "张琴", ""}));
  EXPECT_EQ(ColumnOf(r, "房间"), (std::vector<std::string>{"", "A101", ""}));
  EXPECT_EQ(ColumnOf(r, "专业"), (std::vector<std::string>{"", "", ""}));
  rq.row(kName) = {true, "*"};
  EXPECT_EQ(ColumnOf(*Run(rq).result, "时间"), (std::vector<std::string>{"10:10"}));
  rq.row(kName) = {};
  rq.row(kMajor) = {true, "", "", 0x7FFFFFFFu};
  EXPECT_EQ(Run(rq).result->itemCount(), 0);
  rq.row(kMajor) = {};
  rq.row(kRoom) = {true, "*"};
  EXPECT_EQ(ColumnOf(*Run(rq).result, "时间"), (std::vector<std::string>{"10:10"}));
}

class StudentAndRoomQuery : public QueryFixture {
 protected:
  void SaveStudents() {
    for (int s = 1; s <= 3; ++s) ASSERT_TRUE(students_.save(folder(), s).ok());
  }
};

TEST_F(StudentAndRoomQuery, StudentsComeFromTheFile) {
  Student(1, "王琴", 11).telephone = 13800001111;
  Student(2, "赵六", 12).checkinCount = 40;
  Student(3, "钱七", 13).checkinCount = 5;
  SaveStudents();
  students_[1].name = "changed in memory only";
  struct Case {
    const char* what;
    std::function<void(QueryRequest&)> set;
    std::vector<std::string> kept;
  };
  const Case cases[] = {
      {"all", [](QueryRequest&) {}, {"王琴", "赵六", "钱七"}},
      {"telephone",
       [](QueryRequest& rq) {
         rq.row(kTelephone) = {true, "1380000****"};
       },
       {"王琴"}},
      {"check-in count",
       [](QueryRequest& rq) {
         rq.row(kCheckinCount) = {true, "5", "40"};
       },
       {"赵六", "钱七"}},
      {"grade of the enrolment date",
       [](QueryRequest& rq) {
         rq.row(kGrade) = {true, "", "", 2};
       },
       {}},
  };
  for (const auto& c : cases) {
    QueryRequest rq = Request(Source::Students);
    c.set(rq);
    QueryOutcome out = Run(rq);
    EXPECT_EQ(ColumnOf(*out.result, "姓名"), c.kept) << c.what;
    EXPECT_EQ(out.result->columnCount(), 17) << c.what;
  }
}

TEST_F(StudentAndRoomQuery, RoomsHaveTenColumnsAndNoCards) {
  RoomRecord& a = Room(1, "A101");
  a.price = 6;
  a.minimumFee = 1;
  RoomRecord& b = Room(5, "B505");
  b.price = 12.5f;
  QueryRequest rq = Request(Source::Rooms);
  rq.titles[kRow19] = "练琴费用";
  QueryOutcome out = Run(rq);
  ASSERT_EQ(out.result->columnCount(), 10);
  EXPECT_EQ(ColumnOf(*out.result, "练琴费用"), (std::vector<std::string>{"6.00", "12.50"}));
  EXPECT_EQ(out.result->totalCell(5), "18.50");
  rq.row(kRow19) = {true, "10", "20"};
  EXPECT_EQ(ColumnOf(*Run(rq).result, "房间"), (std::vector<std::string>{"B505"}));
}

TEST_F(StudentAndRoomQuery, LogLinesWithAndWithoutAStudent) {
  Student(1, "王琴", 11).balance = 30;
  Room(2, "B202");
  LogRecord recharge;
  recharge.operation = 1;
  recharge.operatorId = 6;
  recharge.date = ToOle(CivilDate{2026, 5, 4});
  recharge.time = 600;
  recharge.student = 1;
  recharge.amountScaled = 1005000;
  recharge.remark = "现金";
  LogRecord note = recharge;
  note.operation = 9;
  note.student = 0;
  note.room = 2;
  note.amountScaled = 0;
  note.remark = "琴房检修";
  LogRecord junk = note;
  junk.operation = 25;
  WriteLog(2026, {recharge, note, junk});
  QueryRequest rq = Request(Source::Log);
  QueryOutcome out = Run(rq);
  const QueryResult& r = *out.result;
  ASSERT_EQ(r.itemCount(), 3);
  EXPECT_EQ(r.columnCount(), 25);
  EXPECT_EQ(r.heading(20), "附加数据(天/元/号)");
  EXPECT_EQ(ColumnOf(r, "姓名"), (std::vector<std::string>{"王琴", "", ""}));
  EXPECT_EQ(ColumnOf(r, "余额"), (std::vector<std::string>{"30.00", "", ""}));
  EXPECT_EQ(ColumnOf(r, "房间"), (std::vector<std::string>{"", "B202", "B202"}));
  EXPECT_EQ(ColumnOf(r, "卡号"), (std::vector<std::string>{"000000000011", "", ""}));
  EXPECT_EQ(ColumnOf(r, "用时"), (std::vector<std::string>{"充值", "记录", ""}));  // row 18's column
  EXPECT_EQ(r.cellText(0, 20), "100.50");
  EXPECT_EQ(ColumnOf(r, "备注"), (std::vector<std::string>{"现金", "琴房检修", "琴房检修"}));
  EXPECT_EQ(r.totalCell(20), "100.50");

  rq.row(kRow18) = {true, "", "", 0xFFFFFFFFu};
  EXPECT_EQ(Run(rq).result->itemCount(), 2);  // code 25 is past the names: in no set
  rq.row(kRow18) = {true, "", "", 1u << 8};
  EXPECT_EQ(ColumnOf(*Run(rq).result, "备注"), (std::vector<std::string>{"琴房检修"}));
  rq.row(kRow18) = {};
  rq.row(kRemark) = {true, "*检修"};
  EXPECT_EQ(Run(rq).result->itemCount(), 2);
  rq.row(kRemark) = {};
  rq.row(kRow19) = {true, "100.5", "100.5"};
  EXPECT_EQ(Run(rq).result->itemCount(), 1);
}

}  // namespace
}  // namespace tarvolen::testing
