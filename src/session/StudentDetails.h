#pragma once
// What the check-in dialogue shows of a student: the detail values, the
// status line, the photo path and today's activity from the year file.
#include <array>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "startup/Calendar.h"
#include "startup/Options.h"
#include "store/SideFiles.h"
#include "store/Tables.h"
#include "store/YearFile.h"

namespace tarvolen {

// Card and ID numbers in detail texts: "000000000000", then the rightmost
// `digits` characters.
std::string StrKh(int64_t card, int digits);
std::string StrZh(int64_t idNumber, int digits);
// A number with a fixed count of decimals, as the formats "0.00" and "0.0".
std::string FormatFixed(double value, int decimals);

enum class StatusColour { Green, Red, Yellow };

struct StatusLine {
  std::string text;
  StatusColour colour = StatusColour::Green;
  std::string tooltip;
  bool restored = false;  // the suspension had run out and was lifted
  std::string failure;    // the lifting could not be written: for the operator
};

// The status line of a swiped student. A suspension whose end has passed is
// lifted here: the student saved with bit 1 cleared (the file first, the
// table after), then its suspension record removed. A failed save lifts
// nothing and says so in `failure`.
StatusLine MakeStatusLine(StudentRecord& student, int slot, const DateTime& now, SuspensionFile& suspensions,
                          const ProgramFolder& folder);

// The thirteen values beside the fixed captions "卡号：" .. "联系电话:".
std::array<std::string, 13> DetailValues(const StudentRecord& s, const CategoryLists& lists, const Options& options,
                                         const CivilDate& today);
inline constexpr std::array<const char*, 13> kDetailCaptions = {
    "卡号：", "证号：",     "姓名：",     "性别：",     "专业：",     "年级：",   "班级：",
    "等级：", "学期累计：", "总 累 计：", "总 付 费：", "余    额：", "联系电话:"};

// folder + name + extension by the photo naming option.
std::string PhotoPath(const StudentRecord& s, const Options& options);

struct TodaysActivity {
  std::vector<std::string> lines;  // oldest first
  int checkins = 0;
  int unreadable = 0;   // records that could not be read: the daily count may be short
  std::string heading;  // "--------------今日活动(n)--------------"
};

// Reads the year file from its last record back while the date is today.
TodaysActivity ReadTodaysActivity(const YearFile& file, int student, OleDate keyDate, const CivilDate& today,
                                  const RoomTable& rooms, const CategoryLists& lists, const OperationNames& names);

}  // namespace tarvolen
