#pragma once
// Small installations for the query tests: tables in memory and year files
// written record by record, as the desk appends them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "query/QueryEngine.h"
#include "store/Records.h"
#include "support/TempDir.h"

namespace tarvolen::testing {

class QueryFixture : public ::testing::Test {
 protected:
  QueryFixture() {
    std::filesystem::create_directories(temp_.root() / "数据" / "登记");
    std::filesystem::create_directories(temp_.root() / "数据" / "日志");
    categories_.majors[0] = "钢琴";
    categories_.majors[1] = "声乐";
    categories_.levels[0].name = "普通";
    categories_.levels[1].name = "银卡";
    categories_.grades[0] = "一年级";
    categories_.classes[0] = "甲班";
    names_.names[1] = "充值";
    names_.names[9] = "记录";
    names_.names[10] = "登录";
    names_.names[11] = "下线";
    identities_ = {"访客", "用户1", "用户2", "用户3", "用户4", "用户5", "管理员"};
  }

  ProgramFolder folder() const { return temp_.folder(); }

  StudentRecord& Student(int slot, const std::string& name, int64_t card) {
    StudentRecord& s = students_[slot];
    s.name = name;
    s.card = card;
    s.enrolled = ToOle(CivilDate{2026, 8, 15});
    return s;
  }
  RoomRecord& Room(int slot, const std::string& name) {
    RoomRecord& r = rooms_[slot];
    r.name = name;
    r.capacity = 1;
    return r;
  }

  static CheckinRecord Checkin(int student, int room, CivilDate day, int time, int kind, float fee = 0, int op = 1) {
    CheckinRecord r;
    r.student = static_cast<int16_t>(student);
    r.room = static_cast<int16_t>(room);
    r.date = ToOle(day);
    r.time = static_cast<int16_t>(time);
    r.kind = static_cast<uint8_t>(kind);
    r.fee = fee;
    r.operatorId = static_cast<uint8_t>(op);
    r.keyDate = ToOle(CivilDate{2026, 8, 15});
    return r;
  }

  void WriteCheckins(int year, const std::vector<CheckinRecord>& records) {
    std::ofstream out(folder().checkinYear(year), std::ios::binary | std::ios::app);
    for (const auto& r : records) {
      Bytes b = Pack(r).value();
      b.resize(kCheckinRecordLength);
      out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
  }
  void WriteLog(int year, const std::vector<LogRecord>& records) {
    std::ofstream out(folder().logYear(year), std::ios::binary | std::ios::app);
    for (const auto& r : records) {
      Bytes b = Pack(r).value();
      b.resize(kLogRecordLength);
      out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
  }

  query::QueryContext Context() const {
    query::QueryContext c{folder_, students_, rooms_, categories_, names_};
    c.identities = identities_;
    c.today = {2026, 12, 10};
    return c;
  }

  // A request over 2026 with the date row's values set (not ticked).
  static query::QueryRequest Request(query::Source source, query::Mode mode = query::Mode::All) {
    query::QueryRequest rq;
    rq.source = source;
    rq.mode = mode;
    rq.row(query::kDate).from = "2026年01月01日";
    rq.row(query::kDate).to = "2026年12月31日";
    return rq;
  }

  query::QueryOutcome Run(const query::QueryRequest& rq) {
    folder_ = folder();
    return query::RunQuery(rq, Context());
  }

  // Column `title`'s cells of every listed record.
  static std::vector<std::string> ColumnOf(const query::QueryResult& r, const std::string& title) {
    std::vector<std::string> out;
    int col = -1;
    for (int c = 0; c < r.columnCount(); ++c) {
      if (r.heading(c) == title && col < 0) col = c;
    }
    EXPECT_GE(col, 0) << "no column " << title;
    for (int i = 0; i < r.itemCount(); ++i) out.push_back(r.cellText(i, col));
    return out;
  }

  TempDir temp_{TempDir::Root::Created};
  ProgramFolder folder_;
  StudentTable students_;
  RoomTable rooms_;
  CategoryLists categories_;
  OperationNames names_;
  std::array<std::string, 7> identities_;
};

}  // namespace tarvolen::testing
