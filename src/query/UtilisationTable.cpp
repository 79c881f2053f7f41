#include <cstdio>
#include <string>

#include "query/Utilisation.h"

namespace tarvolen::query {

namespace {

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

SheetCell Number(double value, int decimals) { return SheetCell(Fixed(value, decimals), true, value); }
SheetCell Share(double share) { return Number(share, 3); }
// Two decimals: a quarter of an hour (0.25) is written exactly.
SheetCell Hours(int64_t minutes) { return Number(static_cast<double>(minutes) / 60.0, 2); }
SheetCell Count(int64_t n) { return SheetCell(std::to_string(n), true, static_cast<double>(n)); }

std::string HourTitle(int hour) { return std::to_string(hour) + "时"; }

const char* const kWeekdays[7] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};

CellRow RoomRow(const RoomUtilisation& room) {
  return {
      room.label,          room.typeName, Hours(room.occupiedMinutes), Count(room.sessions), Share(room.openingShare),
      Number(room.fees, 2)};
}

bool NeedsQuotes(const std::string& text) { return text.find_first_of(",\"\r\n") != std::string::npos; }

}  // namespace

std::vector<CellRow> UtilisationTable(const UtilisationReport& report) {
  std::vector<CellRow> rows;
  rows.push_back({"房间使用率 " + FormatChineseDate(report.from) + "至" + FormatChineseDate(report.to)});
  const int first = report.firstHour, last = report.lastHour;

  CellRow heading;
  for (const char* title : {"房间", "类型", "使用小时", "次数", "开放时段占用率", "收费"}) heading.emplace_back(title);
  for (int h = first; h >= 0 && h <= last; ++h) heading.emplace_back(HourTitle(h));
  rows.push_back(std::move(heading));

  for (size_t r = 0; r < report.rooms.size(); ++r) {
    CellRow row = RoomRow(report.rooms[r]);
    for (int h = first; h >= 0 && h <= last; ++h) row.push_back(Share(report.Share(r, h)));
    rows.push_back(std::move(row));
  }
  CellRow totals = RoomRow(report.totals);
  const auto roomCount = static_cast<int64_t>(report.rooms.size());
  for (int h = first; h >= 0 && h <= last; ++h) {
    const auto at = static_cast<size_t>(h);
    const int64_t available = report.availableByHour[at] * roomCount;
    totals.push_back(Share(
        available > 0 ? static_cast<double>(report.totals.minutesByHour[at]) / static_cast<double>(available) : 0.0));
  }
  rows.push_back(std::move(totals));

  rows.emplace_back();
  CellRow weekdayHeading{SheetCell(std::string("星期"))};
  for (int h = first; h >= 0 && h <= last; ++h) weekdayHeading.emplace_back(HourTitle(h));
  rows.push_back(std::move(weekdayHeading));
  for (int w = 0; w < 7; ++w) {
    CellRow row{SheetCell(std::string(kWeekdays[w]))};
    for (int h = first; h >= 0 && h <= last; ++h) row.push_back(Share(report.WeekdayShare(w, h)));
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string UtilisationCsv(const UtilisationReport& report) {
  std::string out;
  for (const CellRow& row : UtilisationTable(report)) {
    for (size_t c = 0; c < row.size(); ++c) {
      if (c > 0) out += ',';
      const std::string& text = row[c].text;
      if (!NeedsQuotes(text)) {
        out += text;
        continue;
      }
      out += '"';
      for (char ch : text) {
        if (ch == '"') out += '"';
        out += ch;
      }
      out += '"';
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace tarvolen::query
