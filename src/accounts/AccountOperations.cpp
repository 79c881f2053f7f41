#include "accounts/AccountOperations.h"

#include <algorithm>

#include "accounts/LogWriter.h"
#include "accounts/VerificationCode.h"
#include "session/Billing.h"
#include "session/StudentDetails.h"
#include "store/NumberText.h"

namespace tarvolen {
namespace {

constexpr const char* kTitle = "提示";
// The largest recharge at one time, yuan x 10000.
constexpr int64_t kMaxRecharge = 5000LL * 10000;
constexpr const char* kBadNumber = "数据输入有误！";

}  // namespace

AccountOperations::AccountOperations(Services services, Hooks hooks)
    : data_(services.data),
      options_(services.options),
      feedback_(services.feedback),
      operator_(services.op),
      clock_(services.clock),
      random_(services.random),
      boxes_(services.boxes),
      hooks_(std::move(hooks)),
      inputs_({services.data, services.feedback}) {}

SummaryContext AccountOperations::Summary() const { return {data_.categories(), options_, clock_.now().date}; }

std::string AccountOperations::CardText(int64_t card) const { return StrKh(card, options_.cardDigits); }

// --- Preparation --------------------------------------------------------

void AccountOperations::BoxEnter(int box) {
  switch (inputs_.BoxEnter(box)) {
    case OperationInputs::Next::PrepareMember: PrepareMember(); break;
    case OperationInputs::Next::PrepareRoom: PrepareRoom(); break;
    case OperationInputs::Next::PrepareFreeRecord: PrepareFreeRecord(); break;
    default: break;
  }
  changed();
}

void AccountOperations::PrepareMember() {
  if (panel_.open || !operator_.Require(Right::Members).ok()) return;
  auto op = inputs_.PrepareMember();
  if (op) ShowMember(*op);
  changed();
}

void AccountOperations::ShowMember(const PendingOperation& op) {
  StudentRecord& s = data_.students()[op.student];
  // A suspension whose end has passed is lifted now, whatever the
  // operation; it stays lifted when the operation is abandoned.
  SuspensionFile suspensions = data_.suspensions();
  bool restored = false;
  OleDate end = 0;
  if (s.isSuspended()) {
    const StatusLine line = MakeStatusLine(s, op.student, clock_.now(), suspensions, data_.folder());
    if (!line.failure.empty()) feedback_.PushMessage(line.failure);
    restored = line.restored;
    if (!restored) end = suspensions.find(static_cast<int16_t>(op.student), s.enrolled, 1);
  }
  Show(op, MemberSummary(Summary(), s, restored, end, op), PhotoPath(s, options_));
}

void AccountOperations::PrepareRoom() {
  if (panel_.open || !operator_.Require(Right::Members).ok()) return;
  if (auto op = inputs_.PrepareRoom()) Show(*op, RoomSummary(Summary(), data_.rooms()[op->room], op->kind), "");
  changed();
}

void AccountOperations::PrepareFreeRecord() {
  if (panel_.open || !operator_.Require(Right::Members).ok()) return;
  if (auto op = inputs_.PrepareFreeRecord()) {
    const StudentRecord* s = op->student > 0 ? &data_.students()[op->student] : nullptr;
    const RoomRecord* room = op->room > 0 ? &data_.rooms()[op->room] : nullptr;
    Show(*op, FreeRecordSummary(Summary(), s, room, op->amount), "");
  }
  changed();
}

// --- Confirmation -------------------------------------------------------

void AccountOperations::Show(const PendingOperation& op, std::vector<SummaryLine> summary, std::string photo) {
  pending_ = op;
  panel_.summary = std::move(summary);
  panel_.photoPath = std::move(photo);
  panel_.open = true;
  const bool recharge = op.kind == OperationKind::Recharge;
  panel_.title = recharge ? "请核对信息" : "请核对信息并输入验证码";
  panel_.codeShown = !recharge;
  panel_.code = recharge ? "" : NewVerificationCode(random_);
  panel_.focusOnCode = !recharge;
  ++panel_.focusRequest;
  panel_.remarkLine = recharge ? "" : "备注:" + op.remark;
  panel_.typed.clear();
  if (!options_.verificationCode) {
    // No waiting: an empty code equals the empty box.
    panel_.code.clear();
    // Its outcome, done or refused, is told in its own box.
    (void)Confirm();
  }
}

void AccountOperations::NewCode() {
  if (!panel_.open) return;
  panel_.code = NewVerificationCode(random_);
  panel_.typed.clear();
  panel_.focusOnCode = true;
  ++panel_.focusRequest;
  changed();
}

bool AccountOperations::Confirm() {
  if (!panel_.open) return false;
  if (panel_.codeShown && !VerificationCodeMatches(panel_.code, panel_.typed)) {
    // Told on the message stack; the panel stays for another try.
    (void)feedback_.Refuse("验证码错误！", true);
    changed();
    return false;
  }
  const bool done = Execute();
  changed();
  return done;
}

void AccountOperations::Close() {
  panel_.open = false;
  panel_.photoPath.clear();
  inputs_.Clear();
  pending_.student = 0;
  pending_.room = 0;
  pending_.amount = 0;
  changed();
}

// --- Execution ----------------------------------------------------------

bool AccountOperations::Refuse(const std::string& first, const std::string& second) {
  boxes_.show(kTitle, second.empty() ? first : first + "\n" + second, BoxIcon::Critical);
  return false;
}

void AccountOperations::Succeed(const std::string& text) {
  boxes_.show(kTitle, text, BoxIcon::None);
  if (hooks_.appendActivity) hooks_.appendActivity(text);
}

bool AccountOperations::StudentsMayChange() {
  if (hooks_.journalWaiting && hooks_.journalWaiting()) {
    return Refuse("操作失败！", "上次未完成的登记操作将在下次启动时完成，请重新启动程序。");
  }
  return true;
}

bool AccountOperations::SaveStudent(int slot, const StudentRecord& record) {
  if (Status saved = StudentTable::SaveRecordOf(data_.folder(), slot, record); !saved.ok()) {
    return Refuse("学生数据保存失败，操作未执行。", saved.detail());
  }
  data_.students()[slot] = record;
  return true;
}

bool AccountOperations::SaveRoom(int slot, const RoomRecord& record) {
  if (Status saved = RoomTable::SaveRecordOf(data_.folder(), slot, record); !saved.ok()) {
    return Refuse("房间数据保存失败，操作未执行。", saved.detail());
  }
  data_.rooms()[slot] = record;
  return true;
}

void AccountOperations::Log(int student, int64_t amount, int room) {
  const LogContext ctx{data_.log(), data_.students(), operator_.current(), clock_.now()};
  if (Status logged = WriteLogLine(ctx, static_cast<uint8_t>(pending_.kind), student, amount, room, pending_.remark);
      !logged.ok()) {
    // The operation stands; its line is missing and the operator must know.
    feedback_.PlaySoundCue(Cue::Refusal);
    feedback_.PushMessage("操作已完成，但日志未能写入：" + logged.detail());
    boxes_.show(kTitle, "操作已完成，但日志未能写入。\n" + logged.detail(), BoxIcon::Critical);
  }
}

bool AccountOperations::Execute() {
  if (!operator_.Require(Right::Members).ok()) return false;
  const PendingOperation& op = pending_;
  const bool studentKind = op.kind >= OperationKind::Recharge && op.kind <= OperationKind::Restore;
  if (studentKind && !StudentTable::validSlot(op.student) && op.kind != OperationKind::CardReplace) return false;
  if (studentKind && !StudentsMayChange()) return false;
  bool done = false;
  switch (op.kind) {
    case OperationKind::Recharge: done = Recharge(op.student); break;
    case OperationKind::LossReport: done = LossReport(op.student); break;
    case OperationKind::LossRelease: done = LossRelease(op.student); break;
    case OperationKind::CardReplace: done = CardReplace(op.student); break;
    case OperationKind::Suspension: done = Suspend(op.student); break;
    case OperationKind::Restore: done = Restore(op.student); break;
    case OperationKind::RoomClose: done = RoomTable::validSlot(op.room) && CloseRoom(op.room); break;
    case OperationKind::RoomOpen: done = RoomTable::validSlot(op.room) && OpenRoom(op.room); break;
    case OperationKind::FreeRecord:
      Succeed("记录成功!\n备注:" + op.remark);
      Log(op.student, op.amount, op.room);
      done = true;
      break;
    default: break;
  }
  if (done) Close();
  return done;
}

bool AccountOperations::Recharge(int slot) {
  const int64_t amount = pending_.amount;
  if (amount > kMaxRecharge) return Refuse("每次充值不能超过5000");
  // A negative amount would take money off the card under the name of a recharge.
  if (amount < 0) return Refuse(kBadNumber);
  StudentRecord s = data_.students()[slot];
  s.balance = SingleFromScaled(ScaledFromSingle(s.balance) + amount);
  s.totalRecharged = SingleFromScaled(ScaledFromSingle(s.totalRecharged) + amount);
  int level = -1;
  if (options_.upgradePolicy == 0) {
    level = LevelFor(s, data_.categories(), 0);
    if (level >= 0 && level != s.level)
      s.level = static_cast<uint8_t>(level);
    else
      level = -1;
  }
  if (!SaveStudent(slot, s)) return false;
  Succeed("充值成功 " + s.name + CardText(s.card) + " +" + FormatFixed(static_cast<double>(amount) / 10000.0, 2));
  if (level >= 0) {
    feedback_.PushMessage(s.name + "已升级为" + data_.categories().levelName(level));
    feedback_.PlaySoundCue(Cue::LevelChanged);
  }
  Log(slot, amount, 0);
  return true;
}

bool AccountOperations::LossReport(int slot) {
  StudentRecord s = data_.students()[slot];
  if (s.isLost()) return Refuse("挂失失败！", "不可重复挂失，请查询相关日志。");
  s.status = static_cast<int16_t>(s.status | StudentRecord::kLost);
  if (!SaveStudent(slot, s)) return false;
  Succeed("挂失成功 " + s.name + " 卡号:" + CardText(s.card));
  Log(slot, 0, 0);
  return true;
}

bool AccountOperations::LossRelease(int slot) {
  StudentRecord s = data_.students()[slot];
  if (!s.isLost()) return Refuse("解除挂失失败！", "此卡并未挂失中，请查询相关日志。");
  s.status = static_cast<int16_t>(s.status - StudentRecord::kLost);
  if (!SaveStudent(slot, s)) return false;
  Succeed("解挂成功 " + s.name + " 卡号:" + CardText(s.card));
  Log(slot, 0, 0);
  return true;
}

bool AccountOperations::CardReplace(int slot) {
  // The new card is checked again against the whole table, this student
  // included: the card may have been taken since the preparation, or the
  // box never checked with Enter.
  const int64_t newCard = pending_.newCard;
  if (pending_.amount > 0 || newCard <= 0 || data_.students().findByCard(newCard) > 0) {
    return Refuse("换卡失败！", "您不能清除一张有数据的卡号。");
  }
  if (!StudentTable::validSlot(slot)) return Refuse("换卡失败！", "你所输入的旧卡，不是合法！");
  StudentRecord s = data_.students()[slot];
  s.card = newCard;  // a lost card stays lost until the loss is released
  if (!SaveStudent(slot, s)) return false;
  Succeed("换卡成功 " + s.name + " 新卡号:" + CardText(s.card));
  Log(slot, newCard * 10000, 0);
  return true;
}

bool AccountOperations::Suspend(int slot) {
  StudentRecord s = data_.students()[slot];
  if (s.isSuspended()) return Refuse("停用失败！", "不可重复停用，请查询相关日志。");
  const int64_t days = pending_.amount / 10000;
  const int64_t endDay = static_cast<int64_t>(DayNumber(clock_.now().date)) + days;
  if (days < 0 || endDay > DayNumber(CivilDate{9999, 12, 31})) return Refuse(kBadNumber);
  const OleDate end = ToOle(FromDayNumber(static_cast<int32_t>(endDay)));
  SuspensionFile suspensions = data_.suspensions();
  if (Status added = suspensions.add(static_cast<int16_t>(slot), s.enrolled, end, 1); !added.ok()) {
    return Refuse("停用记录保存失败，操作未执行。", added.detail());
  }
  s.status = static_cast<int16_t>(s.status | StudentRecord::kSuspended);
  if (!SaveStudent(slot, s)) {
    // Without the status bit the record is never looked at, but take it back.
    (void)suspensions.remove(static_cast<int16_t>(slot), s.enrolled, 1);
    return false;
  }
  Succeed("停用成功 " + s.name + " 卡号:" + CardText(s.card) + " " + std::to_string(days) + "天");
  Log(slot, days * 10000, 0);
  return true;
}

bool AccountOperations::Restore(int slot) {
  StudentRecord s = data_.students()[slot];
  if (!s.isSuspended()) return Refuse("解除封号失败！", "此卡并未封停中，请查询相关日志。");
  s.status = static_cast<int16_t>(s.status - StudentRecord::kSuspended);
  if (!SaveStudent(slot, s)) return false;
  // Two removals: a second record of the same suspension goes too.
  SuspensionFile suspensions = data_.suspensions();
  for (int i = 0; i < 2; ++i) {
    if (Status removed = suspensions.remove(static_cast<int16_t>(slot), s.enrolled, 1); !removed.ok()) {
      feedback_.PushMessage("停用记录删除失败：" + removed.detail());
      break;
    }
  }
  Succeed("解封成功 " + s.name + " 卡号:" + CardText(s.card));
  Log(slot, 0, 0);
  return true;
}

bool AccountOperations::CloseRoom(int r) {
  RoomRecord room = data_.rooms()[r];
  if (!room.isOpen()) return Refuse("停用失败！", "不可重复停用，请查询相关日志。");
  ActiveSessionTable& sessions = data_.sessions();
  if (sessions.freePlaces(r) < room.capacity) return Refuse("停用失败！", "无法停用正在使用的房间。");
  room.serviceStatus = static_cast<int16_t>(room.serviceStatus | 1);
  if (!SaveRoom(r, room)) return false;
  Succeed("停用成功 " + room.name + " 类型:" + data_.categories().majorName(room.type) +
          " 容纳人数:" + std::to_string(room.capacity));
  sessions.setFreePlaces(r, sessions.freePlaces(r) - room.capacity);
  sessions.setTotalPlaces(sessions.totalPlaces() - room.capacity);
  if (hooks_.roomsChanged) hooks_.roomsChanged();
  Log(0, 0, r);
  return true;
}

bool AccountOperations::OpenRoom(int r) {
  RoomRecord room = data_.rooms()[r];
  if (room.isOpen()) return Refuse("启用失败！", "此房间并未停用中。请查义相关日志。");
  room.serviceStatus = static_cast<int16_t>(room.serviceStatus & ~1);
  if (!SaveRoom(r, room)) return false;
  Succeed("启用成功 " + room.name + " 类型:" + data_.categories().majorName(room.type) +
          " 容纳人数:" + std::to_string(room.capacity));
  ActiveSessionTable& sessions = data_.sessions();
  sessions.setFreePlaces(r, std::min(255, sessions.freePlaces(r) + room.capacity));
  sessions.setTotalPlaces(sessions.totalPlaces() + room.capacity);
  if (hooks_.roomsChanged) hooks_.roomsChanged();
  Log(0, 0, r);
  return true;
}

}  // namespace tarvolen
