#include "session/StudentDetails.h"

#include <algorithm>
#include <cstdio>

#include "session/TimeText.h"
#include "store/BackwardRecordReader.h"

namespace tarvolen {
namespace {

std::string Rightmost(int64_t value, int digits) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%012lld", static_cast<long long>(value));
  std::string s = buf;
  if (digits < 0) digits = 0;
  if (static_cast<size_t>(digits) < s.size()) s = s.substr(s.size() - static_cast<size_t>(digits));
  return s;
}

std::string Padded(int64_t value, int width) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(value));
  return buf;
}

}  // namespace

std::string StrKh(int64_t card, int digits) { return Rightmost(card, digits); }
std::string StrZh(int64_t idNumber, int digits) { return Rightmost(idNumber, digits); }

std::string FormatFixed(double value, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  std::string s = buf;
  if (s == "-0.00" || s == "-0.0" || s == "-0") s.erase(0, 1);
  return s;
}

StatusLine MakeStatusLine(StudentRecord& student, int slot, const DateTime& now, SuspensionFile& suspensions,
                          const ProgramFolder& folder) {
  StatusLine line;
  if (student.status == 0) {
    line.text = "状态:[正常]";
    line.colour = StatusColour::Green;
    return line;
  }
  line.text = "状态:";
  line.colour = StatusColour::Red;
  if (student.isLost()) line.text += "[挂失]";
  if (student.isSuspended()) {
    OleDate end = suspensions.find(static_cast<int16_t>(slot), student.enrolled, 1);
    const int32_t today = DayNumber(now.date);
    const int32_t endDay = DayNumber(DateOf(end));
    StudentRecord lifted = student;
    lifted.status = static_cast<int16_t>(student.status - StudentRecord::kSuspended);
    Status saved = today > endDay ? StudentTable::SaveRecordOf(folder, slot, lifted) : Status::Ok();
    if (!saved.ok()) line.failure = "学生数据保存失败，停用未解除：" + saved.detail();
    if (today > endDay && saved.ok()) {
      line.text += "[已恢复使用]";
      line.restored = true;
      student = lifted;
      // The status bit is what counts; a suspension record left behind is
      // only looked at for a student whose bit is set.
      if (Status removed = suspensions.remove(static_cast<int16_t>(slot), student.enrolled, 1); !removed.ok()) {
        line.failure = "停用记录删除失败：" + removed.detail();
      }
      if (student.status == 0) line.colour = StatusColour::Yellow;
    } else {
      line.text += "[停用]";
      line.tooltip = FormatChineseDate(DateOf(end)) + "到期" + "  [剩余" + std::to_string(endDay - today) + "天]";
    }
  }
  return line;
}

std::array<std::string, 13> DetailValues(const StudentRecord& s, const CategoryLists& lists, const Options& options,
                                         const CivilDate& today) {
  const Dividers div = SaneDividers(options.autumnDivider, options.springDivider);
  const CivilDate enrolled = DateOf(s.enrolled);
  char yy[8];
  std::snprintf(yy, sizeof yy, "%02d", ((enrolled.year % 100) + 100) % 100);
  std::array<std::string, 13> v;
  v[0] = StrKh(s.card, options.cardDigits);
  v[1] = StrZh(s.idNumber, options.idDigits);
  v[2] = s.name;
  v[3] = s.sex == 1 ? "女" : "男";
  v[4] = lists.majorName(s.major);
  v[5] = std::string(yy) + "级 (" + lists.gradeName(NianNJi(s.enrolled, today, div)) + ")";
  v[6] = lists.className(s.classIndex);
  v[7] = lists.levelName(s.level);
  v[8] = FormatFixed(s.semesterMinutes / 60.0, 1) + "小时";
  v[9] = FormatFixed(s.totalMinutes / 60.0, 1) + "小时  " + std::to_string(s.checkinCount) + "次";
  v[10] = FormatFixed(s.totalRecharged, 2) + "元";
  v[11] = FormatFixed(s.balance, 2) + "元";
  v[12] = std::to_string(s.telephone);
  return v;
}

std::string PhotoPath(const StudentRecord& s, const Options& options) {
  std::string name;
  const int width = std::clamp(options.photoNameLength, 0, 12);
  switch (options.photoNaming) {
    case 0: name = Padded(s.idNumber, width); break;
    case 1: name = Padded(s.card, width); break;
    default: name = s.name; break;
  }
  return options.photoFolder + name + options.photoExtension;
}

TodaysActivity ReadTodaysActivity(const YearFile& file, int student, OleDate keyDate, const CivilDate& today,
                                  const RoomTable& rooms, const CategoryLists& lists, const OperationNames& names) {
  TodaysActivity out;
  std::vector<std::string> newestFirst;
  const int32_t todayNumber = DayNumber(today);
  // Newest first in large blocks: today's records sit at the end of a file
  // that may hold the whole year; a record that cannot be read is skipped.
  BackwardRecordReader reader(file.file(), file.count());
  Bytes bytes;
  int64_t n = 0;
  while (reader.next(bytes, n)) {
    CheckinRecord r = UnpackCheckin(bytes);
    if (DayNumberOf(r.date) != todayNumber) break;
    // Records of an earlier holder of the slot carry another key date.
    if (r.student != student || r.keyDate != keyDate) continue;
    const bool validRoom = RoomTable::validSlot(r.room);
    const std::string roomName = validRoom ? rooms[r.room].name : std::string();
    const std::string typeName = validRoom ? lists.majorName(rooms[r.room].type) : std::string();
    std::string line = Rtime(r.time) + names.name(r.kind + 10) + roomName + " " + typeName;
    if (r.kind == 0) {
      ++out.checkins;
    } else {
      line += " 费用:" + FormatFixed(r.fee, 2);
    }
    newestFirst.push_back(line);
  }
  out.unreadable = reader.unreadable();
  out.lines.assign(newestFirst.rbegin(), newestFirst.rend());
  out.heading = "--------------今日活动(" + std::to_string(out.lines.size()) + ")--------------";
  return out;
}

}  // namespace tarvolen
