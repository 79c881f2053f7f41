#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "query/UtilisationPicture.h"

namespace tarvolen::testing {
namespace {

using namespace query;

RoomUtilisation Room(int slot, const std::string& label, int type, const std::string& typeName) {
  RoomUtilisation r;
  r.slot = slot;
  r.label = label;
  r.type = type;
  r.typeName = typeName;
  r.deleted = type < 0;
  return r;
}

// Two piano rooms and a deleted one, used from 9 to 10 o'clock over ten days.
UtilisationReport SmallReport() {
  UtilisationReport report;
  report.from = {2026, 9, 1};
  report.to = {2026, 9, 10};
  report.availableByHour[9] = 600;
  report.availableByHour[10] = 600;
  report.firstHour = 9;
  report.lastHour = 10;
  RoomUtilisation a = Room(1, "琴房01", 0, "钢琴");
  a.minutesByHour[9] = 225;  // 37.5%
  a.minutesByHour[10] = 600;
  a.occupiedMinutes = 825;
  a.sessions = 4;
  a.openingShare = 825.0 / 1200.0;
  a.fees = 41.25;
  RoomUtilisation b = Room(2, "琴房02", 0, "钢琴");
  b.minutesByHour[10] = 60;
  b.occupiedMinutes = 60;
  b.sessions = 1;
  b.openingShare = 0.05;
  b.fees = 3;
  RoomUtilisation gone = Room(7, "房间7(已删除)", -1, "已删除");
  gone.minutesByHour[9] = 30;
  gone.occupiedMinutes = 30;
  gone.sessions = 1;
  report.rooms = {a, b, gone};
  report.totals.label = "合计";
  report.totals.minutesByHour[9] = 255;
  report.totals.minutesByHour[10] = 660;
  report.totals.occupiedMinutes = 915;
  report.totals.sessions = 6;
  report.totals.fees = 44.25;
  report.checkoutsBeforeCheckin = 2;
  for (int w = 0; w < 7; ++w) {
    report.availableByWeekdayHour[static_cast<size_t>(w)][9] = 60;
    report.availableByWeekdayHour[static_cast<size_t>(w)][10] = 60;
  }
  report.minutesByWeekdayHour[2][9] = 90;  // of 3 rooms x 60 minutes: 50%
  return report;
}

const PictureText* FindText(const UtilisationPicture& p, const std::string& text) {
  auto it = std::find_if(p.texts.begin(), p.texts.end(), [&](const PictureText& t) { return t.text == text; });
  return it == p.texts.end() ? nullptr : &*it;
}

void ExpectRect(const PictureRect& r, int x, int y, int w, int h) {
  EXPECT_EQ(r.x, x);
  EXPECT_EQ(r.y, y);
  EXPECT_EQ(r.width, w);
  EXPECT_EQ(r.height, h);
}

// Everything drawn stays inside the picture.
void ExpectInside(const UtilisationPicture& p) {
  auto inside = [&](const PictureRect& r) {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 && r.x + r.width <= p.width &&
           r.y + r.height <= p.height;
  };
  for (const auto& t : p.texts) EXPECT_TRUE(inside(t.rect)) << t.text;
  for (const auto& c : p.cells) EXPECT_TRUE(inside(c.rect)) << c.hover;
  for (const auto& c : p.legend) EXPECT_TRUE(inside(c.rect));
  for (const auto& l : p.lines) EXPECT_TRUE(inside(l));
}

TEST(ShareColour, RunsFromWhiteThroughOrangeToDarkRedAndClampsTheRest) {
  struct Case {
    double share;
    PictureColour colour;
  } cases[] = {
      {0.0, 0xFFFFFF},
      {1.0 / 3.0, 0xFFE066},
      {0.5, 0xFFB633},
      {1.0, 0x8B0000},
      {-0.2, 0xFFFFFF},
      {1.5, 0x8B0000},
      {std::numeric_limits<double>::quiet_NaN(), 0xFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(ShareColour(c.share), c.colour) << c.share;
}

TEST(UtilisationPicture, RoomsByHourLaysOutHeadingsGroupsCellsFiguresLegendAndNotes) {
  const UtilisationPicture p = LayOutUtilisation(SmallReport(), UtilisationView::RoomsByHour);

  const PictureText* title = FindText(p, "房间使用率 2026-09-01 至 2026-09-10");
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(title->bold);
  ExpectRect(title->rect, 16, 16, p.width - 32, 24);
  // The hour headings over the two columns.
  ExpectRect(FindText(p, "9")->rect, 138, 52, 30, 20);
  ExpectRect(FindText(p, "10")->rect, 170, 52, 30, 20);
  // The type headings, then the rooms indented under them; deleted rooms last.
  ExpectRect(FindText(p, "钢琴")->rect, 16, 72, 184, 20);
  ExpectRect(FindText(p, "琴房01")->rect, 24, 92, 112, 20);
  ExpectRect(FindText(p, "琴房02")->rect, 24, 112, 112, 20);
  ExpectRect(FindText(p, "已删除")->rect, 16, 132, 184, 20);
  ExpectRect(FindText(p, "房间7(已删除)")->rect, 24, 152, 112, 20);
  ExpectRect(FindText(p, "合计")->rect, 16, 172, 120, 20);

  // Four rows of two cells: three rooms and the totals.
  ASSERT_EQ(p.cells.size(), 8u);
  ExpectRect(p.cells[0].rect, 136, 92, 31, 19);
  ExpectRect(p.cells[1].rect, 168, 92, 31, 19);
  ExpectRect(p.cells[4].rect, 136, 152, 31, 19);
  ExpectRect(p.cells[6].rect, 136, 172, 31, 19);
  EXPECT_DOUBLE_EQ(p.cells[0].share, 0.375);
  EXPECT_EQ(p.cells[0].fill, ShareColour(0.375));
  EXPECT_EQ(p.cells[0].hover, "琴房01 9时: 37.5%");
  EXPECT_EQ(p.cells[1].hover, "琴房01 10时: 100.0%");
  EXPECT_EQ(p.cells[2].hover, "琴房02 9时: 0.0%");
  // The totals' share is of every room's available minutes: 660 / (3 x 600).
  EXPECT_EQ(p.cells[7].hover, "合计 10时: 36.7%");

  // The figures beside the rows, right-aligned, their headings above.
  const PictureText* hours = FindText(p, "13.8");
  ASSERT_NE(hours, nullptr);
  ExpectRect(hours->rect, 216, 92, 88, 20);
  EXPECT_TRUE(hours->alignRight);
  ExpectRect(FindText(p, "68.8%")->rect, 408, 92, 88, 20);
  ExpectRect(FindText(p, "41.25")->rect, 504, 92, 88, 20);
  ExpectRect(FindText(p, "开放时段占用率")->rect, 408, 52, 88, 20);
  ExpectRect(FindText(p, "44.25")->rect, 504, 172, 88, 20);

  // The grey backing of each group of cell rows.
  ASSERT_GE(p.lines.size(), 3u);
  ExpectRect(p.lines[0], 135, 91, 65, 41);
  ExpectRect(p.lines[1], 135, 151, 65, 21);
  ExpectRect(p.lines[2], 135, 171, 65, 21);

  // The legend: eleven swatches from 0% to 100% with three captions.
  ASSERT_EQ(p.legend.size(), 11u);
  ExpectRect(p.legend[0].rect, 72, 204, 24, 14);
  EXPECT_EQ(p.legend[0].fill, 0xFFFFFFu);
  EXPECT_EQ(p.legend[10].fill, 0x8B0000u);
  EXPECT_DOUBLE_EQ(p.legend[5].share, 0.5);
  ExpectRect(FindText(p, "0%")->rect, 72, 220, 40, 16);
  ExpectRect(FindText(p, "100%")->rect, 312, 220, 40, 16);

  // The note under the picture.
  ExpectRect(FindText(p, "签退早于签到的记录2条，未计入")->rect, 16, 248, p.width - 32, 20);
  EXPECT_EQ(p.width, 616);
  EXPECT_EQ(p.height, 284);
  ExpectInside(p);
}

TEST(UtilisationPicture, WeekdaysByHourHasSevenRowsOfAllRoomsTogether) {
  const UtilisationPicture p = LayOutUtilisation(SmallReport(), UtilisationView::WeekdaysByHour);
  ASSERT_EQ(p.cells.size(), 14u);
  ExpectRect(FindText(p, "星期一")->rect, 24, 72, 112, 20);
  ExpectRect(FindText(p, "星期日")->rect, 24, 192, 112, 20);
  EXPECT_EQ(p.cells[4].hover, "星期三 9时: 50.0%");
  ExpectRect(p.cells[4].rect, 136, 112, 31, 19);
  EXPECT_EQ(FindText(p, "琴房01"), nullptr);
  EXPECT_EQ(FindText(p, "开放时段占用率"), nullptr);
  EXPECT_NE(FindText(p, "签退早于签到的记录2条，未计入"), nullptr);
  ExpectInside(p);
}

TEST(UtilisationPicture, HoverFindsTheCellUnderThePointerOnly) {
  const UtilisationPicture p = LayOutUtilisation(SmallReport(), UtilisationView::RoomsByHour);
  struct Case {
    int x, y;
    const char* hover;  // nullptr: nothing
  } cases[] = {
      {136, 92, "琴房01 9时: 37.5%"},
      {166, 110, "琴房01 9时: 37.5%"},
      {167, 100, nullptr},  // the gap
      {168, 92, "琴房01 10时: 100.0%"},
      {198, 130, "琴房02 10时: 10.0%"},
      {150, 80, nullptr},  // a heading
      {150, 175, "合计 9时: 14.2%"},
      {80, 210, nullptr},
      {135, 92, nullptr},
      {136, 191, nullptr},
      {-5, -5, nullptr},
      {10000, 10000, nullptr},
  };
  for (const Case& c : cases) {
    const auto hover = p.HoverAt(c.x, c.y);
    if (c.hover == nullptr) {
      EXPECT_FALSE(hover.has_value()) << c.x << "," << c.y << " " << hover.value_or("");
    } else {
      EXPECT_EQ(hover.value_or("(none)"), c.hover) << c.x << "," << c.y;
    }
  }
}

TEST(UtilisationPicture, AnEmptyReportIsASmallPictureThatSaysSo) {
  UtilisationReport report;
  report.from = {2026, 7, 1};
  report.to = {2026, 7, 31};
  report.checkoutsBeforeCheckin = 1;
  for (UtilisationView view : {UtilisationView::RoomsByHour, UtilisationView::WeekdaysByHour}) {
    const UtilisationPicture p = LayOutUtilisation(report, view);
    EXPECT_TRUE(p.cells.empty());
    EXPECT_TRUE(p.legend.empty());
    ASSERT_EQ(p.texts.size(), 3u);
    EXPECT_EQ(p.texts[0].text, "房间使用率 2026-07-01 至 2026-07-31");
    ExpectRect(p.texts[1].rect, 16, 64, 328, 20);
    EXPECT_EQ(p.texts[1].text, "所选时段没有使用记录");
    EXPECT_EQ(p.texts[2].text, "签退早于签到的记录1条，未计入");
    EXPECT_EQ(p.width, 360);
    EXPECT_EQ(p.height, 120);
    EXPECT_FALSE(p.HoverAt(100, 70).has_value());
  }
  // Hours out of order or beyond the day are drawn as nothing, not as cells.
  report.firstHour = 20;
  report.lastHour = 30;
  const UtilisationPicture bad = LayOutUtilisation(report, UtilisationView::RoomsByHour);
  EXPECT_TRUE(bad.cells.empty());
  EXPECT_NE(FindText(bad, "所选时段没有使用记录"), nullptr);
}

TEST(UtilisationPicture, NineHundredNinetyNineRoomsMakeATallPictureWhoseLastRowIsFound) {
  UtilisationReport report = SmallReport();
  report.firstHour = 0;
  report.lastHour = 23;
  report.availableByHour.fill(600);
  report.rooms.clear();
  for (int slot = 1; slot <= 999; ++slot) {
    RoomUtilisation r = Room(slot, "房" + std::to_string(slot), slot % 5, "类型" + std::to_string(slot % 5));
    r.minutesByHour[23] = slot % 601;
    report.rooms.push_back(r);
  }
  std::stable_sort(report.rooms.begin(), report.rooms.end(),
                   [](const RoomUtilisation& a, const RoomUtilisation& b) { return a.type < b.type; });
  const UtilisationPicture p = LayOutUtilisation(report, UtilisationView::RoomsByHour);
  ASSERT_EQ(p.cells.size(), 1000u * 24u);
  // 999 room rows, 5 type headings, the totals and the column headings.
  EXPECT_GE(p.height, (999 + 5 + 2) * 20);
  ExpectInside(p);
  const PictureCell& last = p.cells[999u * 24u - 1];
  EXPECT_EQ(p.HoverAt(last.rect.x + 1, last.rect.y + 1), last.hover);
  EXPECT_EQ(last.hover, report.rooms.back().label + " 23时: " + ShareText(report.Share(998, 23)));
}

TEST(UtilisationFigureRows, HeadingRoomsAndTotals) {
  const auto rows = UtilisationFigureRows(SmallReport());
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"房间", "类型", "使用小时", "次数", "开放时段占用率", "收费"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"琴房01", "钢琴", "13.8", "4", "68.8%", "41.25"}));
  EXPECT_EQ(rows[3], (std::vector<std::string>{"房间7(已删除)", "已删除", "0.5", "1", "0.0%", "0.00"}));
  EXPECT_EQ(rows[4], (std::vector<std::string>{"合计", "", "15.2", "6", "0.0%", "44.25"}));
}

}  // namespace
}  // namespace tarvolen::testing
