#include <string>

#include "query/Utilisation.h"

namespace tarvolen::query {

namespace {

double Ratio(int64_t part, int64_t whole) {
  return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

}  // namespace

double UtilisationReport::Share(size_t row, int hour) const {
  if (row >= rooms.size() || hour < 0 || hour > 23) return 0.0;
  const auto h = static_cast<size_t>(hour);
  return Ratio(rooms[row].minutesByHour[h], availableByHour[h]);
}

double UtilisationReport::WeekdayShare(int weekday, int hour) const {
  if (weekday < 0 || weekday > 6 || hour < 0 || hour > 23 || rooms.empty()) return 0.0;
  const auto w = static_cast<size_t>(weekday);
  const auto h = static_cast<size_t>(hour);
  return Ratio(minutesByWeekdayHour[w][h], availableByWeekdayHour[w][h] * static_cast<int64_t>(rooms.size()));
}

std::vector<std::string> UtilisationReport::Notes() const {
  std::vector<std::string> notes;
  if (empty()) notes.emplace_back("所选时段没有使用记录");
  if (checkoutsBeforeCheckin > 0)
    notes.push_back("签退早于签到的记录" + std::to_string(checkoutsBeforeCheckin) + "条，未计入");
  if (estimatedSessions > 0) notes.push_back(std::to_string(estimatedSessions) + "次签到没有签退，按房间限时估算");
  if (activeSessions > 0) notes.push_back(std::to_string(activeSessions) + "人正在使用，计至现在");
  if (skippedRecords > 0) notes.push_back(std::to_string(skippedRecords) + "条记录无法识别，未计入");
  if (!readFault.empty()) notes.push_back(readFault);
  return notes;
}

}  // namespace tarvolen::query
