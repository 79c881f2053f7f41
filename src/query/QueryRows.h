#pragma once
// The query's vocabulary: the four sources, the display modes of the
// check-in history, the 29 criterion rows and which rows each source shows.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvolen::query {

constexpr int kRows = 29;

enum class Source : int { Checkins = 0, Students = 1, Rooms = 2, Log = 3 };
constexpr int kSources = 4;

enum class Mode : int { All = 0, CheckinsOnly = 1, CheckoutsOnly = 2, Combined = 3 };
constexpr int kModes = 4;

// Criterion rows by number.
enum Row : int {
  kDate = 0,
  kTime = 1,
  kName = 2,
  kRoom = 3,
  kSex = 4,
  kMajor = 5,
  kLevel = 6,
  kGrade = 7,
  kClass = 8,
  kSemesterHours = 9,
  kTotalHours = 10,
  kRecharged = 11,
  kBalance = 12,
  kLost = 13,
  kSuspended = 14,
  kRoomType = 15,
  kCapacity = 16,
  kOpen = 17,
  kRow18 = 18,  // 用时 (combined display) or 操作类型 (operation log)
  kRow19 = 19,  // the fee, the log's amount or the room's price per hour
  kOperator = 20,
  kRemark = 21,
  kTelephone = 22,
  kCheckinCount = 23,
  kUnused = 24,
  kMinimumFee = 25,
  kBillingUnit = 26,
  kTolerance = 27,
  kHandlingFee = 28,
};

inline constexpr std::array<const char*, kSources> kSourceNames = {"登录数据", "学生数据", "房间数据", "操作日志"};
inline constexpr std::array<const char*, kModes> kModeNames = {"默认方式", "显示上线", "显示下线", "组合显示"};
inline constexpr std::array<const char*, kRows> kRowTitles = {
    "日期",     "时间",     "姓名",     "房间",     "性别", "专业",     "等级",     "年级", "班级",  "学期累计",
    "总累计",   "充值总额", "余额",     "挂失",     "封停", "房间类别", "容纳人数", "开放", "用时",  "消费金额",
    "执行用户", "备注",     "联系电话", "累计次数", "----", "最低消费", "计时单位", "容差", "手续费"};

// How each row shows for a source: digit j of the row codes, 0 hidden, 1 a
// column only, 2 a from value, 3 a from and a to value.
std::string_view RowCodes(Source source, Mode mode);
inline int RowDigit(std::string_view codes, int row) {
  if (row < 0 || static_cast<size_t>(row) >= codes.size()) return 0;
  return codes[static_cast<size_t>(row)] - '0';
}

// The extra columns added after the rows' columns.
inline constexpr const char* kKindColumn = "操作";
inline constexpr const char* kCheckoutOperatorColumn = "结账用户";
inline constexpr const char* kCardColumn = "卡号";
inline constexpr const char* kIdColumn = "证号";
inline constexpr const char* kLogAmountTitle = "附加数据(天/元/号)";

}  // namespace tarvolen::query
