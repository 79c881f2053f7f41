#include <gtest/gtest.h>

#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileDialogs.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeWorkbookWriter.h"
#include "query/UtilisationDesk.h"
#include "query/UtilisationFakes.h"

namespace tarvolen::testing {
namespace {

using namespace query;

// Notes the pictures written; fails when told to.
class FakePictureFiles final : public PictureFiles {
 public:
  Status SavePng(const std::filesystem::path& path, const UtilisationPicture& picture) override {
    return Save("png", path, picture);
  }
  Status SavePdf(const std::filesystem::path& path, const UtilisationPicture& picture) override {
    return Save("pdf", path, picture);
  }
  std::vector<std::string> written;  // "png|path|width"
  Status failure;

 private:
  Status Save(const char* kind, const std::filesystem::path& path, const UtilisationPicture& picture) {
    if (!failure.ok()) return failure;
    written.push_back(std::string(kind) + "|" + path.string() + "|" + std::to_string(picture.width));
    return Status::Ok();
  }
};

class UtilisationDeskTest : public ::testing::Test {
 protected:
  UtilisationDeskTest() {
    categories.majors[0] = "钢琴";
    categories.majors[3] = "打击乐";
    fake.report = PianoReport();
    desk = std::make_unique<UtilisationDesk>(UtilisationDesk::Services{fake.computation(), categories, clock, boxes},
                                             timers.make());
    listening.add(desk->changed, [this] { ++changes; });
  }

  // Runs the timer until the run ended (or nothing is due).
  void RunToEnd() {
    for (int i = 0; i < 100 && desk->running(); ++i) timers.advance(1);
  }

  CategoryLists categories;
  FakeClock clock{{{2026, 10, 5}, 10, 0, 0}};
  FakeTimerFactory timers;
  FakeMessageBoxes boxes;
  FakeUtilisation fake;
  std::unique_ptr<UtilisationDesk> desk;
  Connections listening;
  int changes = 0;
};

TEST_F(UtilisationDeskTest, OpensOnTheDefaultRangeWithAllRoomsOrOneNamedType) {
  desk->Open();
  EXPECT_TRUE(desk->shown());
  EXPECT_EQ(desk->from(), (CivilDate{2026, 9, 1}));
  EXPECT_EQ(desk->to(), (CivilDate{2027, 2, 14}));
  EXPECT_EQ(desk->roomChoices(), (std::vector<std::string>{"全部房间", "钢琴", "打击乐"}));
  EXPECT_EQ(desk->roomChoice(), 0);
  EXPECT_FALSE(desk->request().type.has_value());
  desk->setRoomChoice(2);
  EXPECT_EQ(desk->request().type, 3);
  desk->setRoomChoice(99);  // not a choice: all rooms
  EXPECT_FALSE(desk->request().type.has_value());

  // A range edited stays when the window is opened again; the type list
  // follows zy.dat and keeps the chosen type where it moved.
  desk->setRoomChoice(2);
  desk->setFrom({2026, 10, 1});
  desk->Close();
  categories.majors[1] = "弦乐";
  desk->Open();
  EXPECT_EQ(desk->from(), (CivilDate{2026, 10, 1}));
  EXPECT_EQ(desk->roomChoices(), (std::vector<std::string>{"全部房间", "钢琴", "弦乐", "打击乐"}));
  EXPECT_EQ(desk->roomChoice(), 3);
  EXPECT_EQ(desk->request().type, 3);
}

TEST_F(UtilisationDeskTest, RunsInStepsOnAZeroTimerThenShowsTheReport) {
  desk->Open();
  desk->setRoomChoice(1);
  fake.steps = 4;
  desk->Run();
  ASSERT_TRUE(desk->running());
  EXPECT_EQ(fake.stepped, 0);  // nothing is counted before the event loop runs again
  EXPECT_EQ(desk->status(), "正在统计 0%");
  ASSERT_EQ(fake.requests.size(), 1u);
  EXPECT_EQ(fake.requests[0].type, 0);
  EXPECT_EQ(fake.requests[0].from, (CivilDate{2026, 9, 1}));

  timers.advance(1);
  EXPECT_EQ(fake.stepped, 1);
  EXPECT_EQ(desk->status(), "正在统计 25%");
  EXPECT_FALSE(desk->hasReport());
  RunToEnd();
  EXPECT_EQ(fake.stepped, 4);
  EXPECT_FALSE(desk->running());
  ASSERT_TRUE(desk->hasReport());
  EXPECT_EQ(desk->status(), "统计完成：2间房间");
  EXPECT_EQ(desk->picture().HoverAt(desk->picture().cells[0].rect.x, desk->picture().cells[0].rect.y),
            "琴房01 14时: 37.5%");
  ASSERT_EQ(desk->figures().size(), 4u);
  EXPECT_EQ(desk->figures()[1][0], "琴房01");
  EXPECT_EQ(desk->notes(), (std::vector<std::string>{"签退早于签到的记录1条，未计入"}));
  timers.advance(10);
  EXPECT_EQ(fake.stepped, 4);  // the timer stopped
}

TEST_F(UtilisationDeskTest, ARangeEndingBeforeItBeginsIsRefused) {
  desk->Open();
  desk->setFrom({2026, 10, 2});
  desk->setTo({2026, 10, 1});
  desk->Run();
  EXPECT_FALSE(desk->running());
  EXPECT_EQ(fake.started, 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "开始日期不能晚于结束日期");
  // One day is a range.
  desk->setTo({2026, 10, 2});
  desk->Run();
  EXPECT_TRUE(desk->running());
}

TEST_F(UtilisationDeskTest, ASecondRunOrACloseDropsTheRunGoingOn) {
  desk->Open();
  fake.steps = 5;
  desk->Run();
  timers.advance(1);
  desk->Run();  // starts over
  EXPECT_EQ(fake.started, 2);
  timers.advance(1);
  EXPECT_EQ(desk->status(), "正在统计 20%");
  desk->Close();
  EXPECT_FALSE(desk->running());
  EXPECT_TRUE(desk->status().empty());
  const int stepped = fake.stepped;
  timers.advance(10);
  EXPECT_EQ(fake.stepped, stepped);
  EXPECT_FALSE(desk->hasReport());
}

TEST_F(UtilisationDeskTest, TheViewSwitchLaysThePictureOutAgain) {
  desk->Open();
  desk->Run();
  RunToEnd();
  const size_t roomCells = desk->picture().cells.size();
  EXPECT_EQ(roomCells, 3u * 2u);
  changes = 0;
  desk->setView(UtilisationView::WeekdaysByHour);
  EXPECT_EQ(desk->picture().cells.size(), 7u * 2u);
  EXPECT_EQ(changes, 1);
  desk->setView(UtilisationView::WeekdaysByHour);
  EXPECT_EQ(changes, 1);
  // A later run is laid out in the view chosen.
  desk->Run();
  RunToEnd();
  EXPECT_EQ(desk->picture().cells.size(), 7u * 2u);
}

TEST_F(UtilisationDeskTest, AnEmptyReportSaysSo) {
  fake.report = UtilisationReport{};
  desk->Open();
  desk->Run();
  RunToEnd();
  ASSERT_TRUE(desk->hasReport());
  EXPECT_EQ(desk->status(), "所选时段没有使用记录");
  EXPECT_TRUE(desk->picture().cells.empty());
  EXPECT_EQ(desk->notes(), (std::vector<std::string>{"所选时段没有使用记录"}));
}

TEST_F(UtilisationDeskTest, ExportsAskForAFileAddTheEndingAndTellTheOutcome) {
  FakeFileDialogs dialogs;
  FakePictureFiles files;
  FakeWorkbookWriter workbooks;
  desk->Open();
  // No report yet: nothing is asked.
  EXPECT_TRUE(desk->ExportPng(dialogs, files).path.empty());
  EXPECT_EQ(dialogs.saved, 0);
  desk->Run();
  RunToEnd();

  // Cancelled: nothing written, no box.
  EXPECT_FALSE(desk->ExportPng(dialogs, files).written);
  EXPECT_EQ(dialogs.lastFilter, "PNG 图片 (*.png)");
  EXPECT_TRUE(files.written.empty());
  EXPECT_TRUE(boxes.boxes.empty());

  dialogs.answer = "/tmp/out/usage";
  UtilisationExport png = desk->ExportPng(dialogs, files);
  EXPECT_TRUE(png.written);
  EXPECT_EQ(png.path, "/tmp/out/usage.png");
  dialogs.answer = "/tmp/out/usage.PDF";
  EXPECT_EQ(desk->ExportPdf(dialogs, files).path, "/tmp/out/usage.PDF");
  ASSERT_EQ(files.written.size(), 2u);
  EXPECT_EQ(files.written[0], "png|/tmp/out/usage.png|" + std::to_string(desk->picture().width));
  EXPECT_EQ(files.written[1].substr(0, 22), "pdf|/tmp/out/usage.PDF");
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].title, "提示");
  EXPECT_EQ(boxes.boxes[0].text, "已导出 /tmp/out/usage.png");
  EXPECT_EQ(boxes.boxes[0].icon, BoxIcon::Information);

  dialogs.answer = "/tmp/out/usage.xlsx";
  EXPECT_TRUE(desk->ExportXlsx(dialogs, workbooks).written);
  ASSERT_EQ(workbooks.written.count("/tmp/out/usage.xlsx"), 1u);
  const auto& rows = workbooks.written["/tmp/out/usage.xlsx"];
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1][0].text, "琴房01");

  // A failed write is told as such, with the reason.
  files.failure = Status(ErrorCode::WriteFailed, "无法写入文件 /ro/usage.png：Permission denied");
  dialogs.answer = "/ro/usage.png";
  UtilisationExport failed = desk->ExportPng(dialogs, files);
  EXPECT_FALSE(failed.written);
  EXPECT_EQ(boxes.boxes.back().text, "导出失败：无法写入文件 /ro/usage.png：Permission denied");
  EXPECT_EQ(boxes.boxes.back().icon, BoxIcon::Critical);

  // While a run goes on the picture is not the one asked for: no export.
  desk->Run();
  const int asked = dialogs.saved;
  EXPECT_TRUE(desk->ExportPng(dialogs, files).path.empty());
  EXPECT_EQ(dialogs.saved, asked);
}

}  // namespace
}  // namespace tarvolen::testing
