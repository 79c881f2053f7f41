#pragma once
// Every fixed record the desk stores, with its packing. Strings are UTF-8 in
// memory and GBK on disk; Pack refuses a record that would not fit its file's
// record length, so nothing half-fitting is ever written.
#include <array>
#include <cstdint>
#include <string>

#include "store/Packing.h"

namespace tarvolen {

constexpr size_t kStudentRecordLength = 128;
constexpr size_t kRoomRecordLength = 32;
constexpr size_t kCategoryRecordLength = 20;
constexpr size_t kSettingsRecordLength = 24;
constexpr size_t kSessionRecordLength = 16;
constexpr size_t kCompanyRecordLength = 128;
constexpr size_t kOperationNameRecordLength = 16;
constexpr size_t kCheckinRecordLength = 32;
constexpr size_t kLogRecordLength = 128;
constexpr size_t kSuspensionRecordLength = 24;

// students.dat: one card holder. Numbers are whole numbers in memory.
struct StudentRecord {
  int64_t card = 0;        // 0 marks a free slot
  int64_t idNumber = 0;    // 证号
  std::string name;        // at most 62 GBK bytes
  uint8_t sex = 0;         // 0 男, 1 女
  uint8_t major = 0;       // 0..30
  uint8_t level = 0;       // 0..6
  OleDate enrolled = 0;    // enrolment date, also the key date
  uint8_t classIndex = 0;  // 0..30
  float totalRecharged = 0;
  int32_t semesterMinutes = 0;
  int32_t totalMinutes = 0;
  float balance = 0;
  int16_t status = 0;  // bit 0 lost, bit 1 suspended
  int32_t checkinCount = 0;
  int64_t telephone = 0;
  std::array<int16_t, 3> dedicatedRooms{};

  bool isFree() const { return card == 0; }
  // Bits of `status`.
  static constexpr uint8_t kLost = 1;       // the card was reported lost
  static constexpr uint8_t kSuspended = 2;  // the student is suspended
  bool isLost() const { return (status & kLost) != 0; }
  bool isSuspended() const { return (status & kSuspended) != 0; }
};

// rooms.dat: one practice room with its tariff.
struct RoomRecord {
  std::string name;           // at most 8 GBK bytes; empty marks a free slot
  uint8_t type = 0;           // major index 0..30
  int16_t timeLimitCode = 0;  // 0 default, 1 none, n = n*5 minutes
  int16_t serviceStatus = 0;  // bit 0 out of service
  float price = 0;            // yuan per hour
  uint8_t capacity = 0;
  float minimumFee = 0;
  float handlingFee = 0;
  int16_t billingUnit = 0;  // minutes
  int16_t tolerance = 0;    // minutes

  bool isFree() const { return name.empty(); }
  bool isOpen() const { return (serviceStatus & 1) == 0; }
};

// hy.dat: one member level.
struct LevelRecord {
  std::string name;  // at most 13 GBK bytes
  uint8_t percentage = 100;
  int32_t threshold = -1;  // -1: never reached automatically
};

// shuju.dat: one active session.
struct SessionRecord {
  int16_t room = 0;  // below 1 marks a free record
  int16_t student = 0;
  int16_t startMinute = 0;
  OleDate startDate = 0;
};

// A start that can be billed: a date of the years 1900..9999 and a minute
// of the day 0..1439. shuju.dat may hold anything else.
bool HasValidStart(const SessionRecord& session);

// 数据/登记/yyyy.dat: one check-in or check-out.
struct CheckinRecord {
  int16_t room = 0;
  int16_t student = 0;
  int16_t time = 0;  // minutes since midnight
  OleDate date = 0;  // day, no time part
  uint8_t operatorId = 0;
  uint8_t kind = 0;  // 0 check-in, 1 check-out
  float fee = 0;
  OleDate keyDate = 0;
};

// The kinds of a log line (LogRecord::operation).
enum class LogOperation : uint8_t {
  Recharge = 1,          // 充值
  LossReport = 2,        // 挂失
  LossRelease = 3,       // 解除挂失
  CardReplacement = 4,   // 补卡
  Suspension = 5,        // 违规停用
  Restore = 6,           // 恢复使用
  RoomOutOfService = 7,  // 房间停用
  RoomInService = 8,     // 房间使用
  Record = 9,            // 记录: a free record, or a check-out that measured a negative time
};
constexpr LogOperation kTimeAnomaly = LogOperation::Record;

// 数据/日志/yyyy.dat: one logged operation.
struct LogRecord {
  uint8_t operation = 0;  // 1..9
  uint8_t operatorId = 0;
  OleDate date = 0;
  int16_t time = 0;
  int16_t student = 0;
  int64_t amountScaled = 0;  // Currency: value x 10000
  int16_t room = 0;
  std::string remark;  // at most 94 GBK bytes
  OleDate keyDate = 0;
};

// <folder>ts.dat: one suspension.
struct SuspensionRecord {
  int16_t student = 0;
  OleDate keyDate = 0;
  OleDate endDate = 0;
  int16_t kind = 0;  // 1 = suspension
};

Result<Bytes> Pack(const StudentRecord& r);
Result<Bytes> Pack(const RoomRecord& r);
Result<Bytes> Pack(const LevelRecord& r);
Result<Bytes> Pack(const SessionRecord& r);
Result<Bytes> Pack(const CheckinRecord& r);
Result<Bytes> Pack(const LogRecord& r);
Result<Bytes> Pack(const SuspensionRecord& r);
// A record that is one string, for the lists and side files.
Result<Bytes> PackString(std::string_view text, size_t recordLength);

StudentRecord UnpackStudent(const Bytes& b);
RoomRecord UnpackRoom(const Bytes& b);
LevelRecord UnpackLevel(const Bytes& b);
SessionRecord UnpackSession(const Bytes& b);
CheckinRecord UnpackCheckin(const Bytes& b);
LogRecord UnpackLog(const Bytes& b);
SuspensionRecord UnpackSuspension(const Bytes& b);
std::string UnpackString(const Bytes& b);

// Whether the first bytes of a check-in or log record (recordLength says
// which), all that reached the file of a record cut short, hold every one
// of its members: the rest of a record is unspecified, so it is whole.
bool HoldsWholeYearRecord(const Bytes& start, size_t recordLength);

// Whole numbers stored as Currency. Reading rounds a damaged fraction away.
int64_t WholeFromCurrency(int64_t scaled);
int64_t CurrencyFromWhole(int64_t whole);

}  // namespace tarvolen
