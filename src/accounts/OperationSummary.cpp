#include "accounts/OperationSummary.h"

#include <cstdio>
#include <cstdlib>

#include "session/SessionClock.h"
#include "session/StudentDetails.h"
#include "session/TimeText.h"
#include "startup/Calendar.h"

namespace tarvolen {
namespace {

// Prints like the panel's own print: each print ends its line unless it is
// to stay on the same line; the colour holds until changed.
class Printer {
 public:
  void colour(SummaryColour c) { colour_ = c; }
  void print(const std::string& text, bool sameLine = false) {
    if (!text.empty()) current_.push_back({text, colour_});
    if (!sameLine) {
      lines_.push_back(std::move(current_));
      current_.clear();
    }
  }
  std::vector<SummaryLine> done() {
    if (!current_.empty()) lines_.push_back(std::move(current_));
    return std::move(lines_);
  }

 private:
  std::vector<SummaryLine> lines_;
  SummaryLine current_;
  SummaryColour colour_ = SummaryColour::White;
};

std::string Hours(int32_t minutes) { return FormatFixed(minutes / 60.0, 1) + "小时"; }
std::string Yuan(double v) { return FormatFixed(v, 2) + "元"; }

int TimeLimit(const SummaryContext& ctx, const RoomRecord& room) {
  return RoomTimeLimit(room.timeLimitCode, ctx.options.defaultTimeLimit);
}

}  // namespace

std::string LineText(const SummaryLine& line) {
  std::string text;
  for (const SummaryRun& r : line) text += r.text;
  return text;
}

std::vector<SummaryLine> MemberSummary(const SummaryContext& ctx, const StudentRecord& s, bool restored,
                                       OleDate endDate, const PendingOperation& op) {
  const auto values = DetailValues(s, ctx.lists, ctx.options, ctx.today);
  Printer p;
  p.print("");
  p.print("");
  // The status as the operator found it: a suspension the preparation has
  // just lifted still shows, as "[已恢复使用]".
  const bool suspended = s.isSuspended() || restored;
  if (s.status != 0 || restored) {
    p.colour(SummaryColour::Red);
    p.print("  状态:", true);
  } else {
    p.colour(SummaryColour::Green);
    p.print("  状态:[正常]", true);
  }
  if (s.isLost()) p.print("[挂失]", true);
  if (suspended) {
    if (restored) {
      if (s.status == 0) p.colour(SummaryColour::Yellow);
      p.print("[已恢复使用]", true);
    } else {
      const int32_t left = DayNumberOf(endDate) - DayNumber(ctx.today);
      p.print("  [停用]");
      p.print("  " + FormatChineseDate(DateOf(endDate)) + "到期");
      p.print("  [剩余" + std::to_string(left) + "天]");
    }
  }
  p.colour(SummaryColour::White);
  p.print("");
  p.print("  卡号:" + values[0]);
  p.print("  证号:" + values[1]);
  p.print("  姓名:" + values[2]);
  p.print("  性别:" + values[3]);
  p.print("  专业:" + values[4]);
  p.print("  年级:" + values[5]);
  p.print("  班级:" + values[6]);
  p.print("  等级:" + values[7]);
  p.print("  学期累计:" + Hours(s.semesterMinutes));
  p.print("  总 累 计:" + Hours(s.totalMinutes));
  p.print("  总 付 费:" + Yuan(s.totalRecharged));
  p.print("  余    额:" + Yuan(s.balance));
  p.print("");
  switch (op.kind) {
    case OperationKind::Recharge: p.print("  [充值]：" + Yuan(static_cast<double>(op.amount) / 10000.0)); break;
    case OperationKind::LossReport: p.print("  [挂失]"); break;
    case OperationKind::LossRelease: p.print("  [解除挂失]"); break;
    case OperationKind::CardReplace:
      p.print("  [补卡]");
      p.print("  新卡号：" + StrKh(op.newCard, ctx.options.cardDigits));
      break;
    case OperationKind::Suspension: p.print("  [违规停用] " + std::to_string(op.amount / 10000) + "天"); break;
    case OperationKind::Restore: p.print("  [恢复使用] "); break;
    default: break;
  }
  return p.done();
}

std::vector<SummaryLine> RoomSummary(const SummaryContext& ctx, const RoomRecord& room, OperationKind kind) {
  Printer p;
  p.print("");
  p.print("");
  if (!room.isOpen()) {
    p.colour(SummaryColour::Red);
    p.print("  状态:", true);
    p.print("[停用]", true);
  } else {
    p.colour(SummaryColour::Green);
    p.print("  状态:[正常]", true);
  }
  p.colour(SummaryColour::White);
  p.print("");
  p.print("  房间名称:" + room.name);
  p.print("  房间类型:" + ctx.lists.majorName(room.type));
  p.print("  使用时限:" + std::to_string(TimeLimit(ctx, room)));
  p.print("  建议价格:" + FormatFixed(room.price, 2) + "元/小时");
  p.print("  容纳人数:" + std::to_string(room.capacity) + "人");
  p.print("");
  p.print(kind == OperationKind::RoomClose ? "  [房间停用] " : "  [房间开放] ");
  return p.done();
}

std::vector<SummaryLine> FreeRecordSummary(const SummaryContext& ctx, const StudentRecord* s, const RoomRecord* room,
                                           int64_t amountScaled) {
  Printer p;
  p.print("");
  p.print("");
  if (s != nullptr) {
    const auto values = DetailValues(*s, ctx.lists, ctx.options, ctx.today);
    p.print("  卡号:" + ZeroPadded(s->card, 10));
    p.print("  证号:" + ZeroPadded(s->idNumber, 12));
    p.print("  姓名:" + s->name, true);
    p.print("  性别:" + values[3]);
    p.print("  专业:" + values[4], true);
    p.print("  等级:" + values[7]);
    p.print("  年级:" + values[5], true);
    p.print("  班级:" + values[6]);
    p.print("  学期累计:" + Hours(s->semesterMinutes));
    p.print("  总 累 计:" + Hours(s->totalMinutes));
    p.print("  总 付 费:" + Yuan(s->totalRecharged), true);
    p.print("  余额:" + Yuan(s->balance));
    p.print("-------------------------");
  }
  if (room != nullptr) {
    p.print("  房间名称:" + room->name, true);
    p.print("  房间类型:" + ctx.lists.majorName(room->type));
    p.print("  使用时限:" + std::to_string(TimeLimit(ctx, *room)), true);
    p.print("  建议价格:" + FormatFixed(room->price, 2) + "元/小时");
    p.print("  容纳人数:" + std::to_string(room->capacity) + "人");
    p.print("  金    额:" + GeneralNumber(amountScaled) + "元");
    p.print("");
  }
  p.print("  [记录] ");
  return p.done();
}

}  // namespace tarvolen
