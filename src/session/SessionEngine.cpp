#include "session/SessionEngine.h"

#include <cstdlib>

#include "accounts/LogWriter.h"
#include "session/Billing.h"
#include "session/SessionClock.h"
#include "session/TimeText.h"
#include "startup/Desk.h"

namespace tarvolen {

SessionEngine::SessionEngine(Desk& desk, std::unique_ptr<Timer> flashTimer)
    : desk_(desk),
      roomBoard_(desk.cardInput().roomCursor()),
      sessionBoard_(desk.cardInput().sessionCursor(), std::move(flashTimer)) {
  sessionBoard_.onFlashTick = [this] { Changed(); };
}

void SessionEngine::Changed() {
  if (changed) changed();
}

std::string SessionEngine::Stamp() const { return TimeOfDayText(desk_.clock().now()).substr(0, 5); }

std::string SessionEngine::CardText(int64_t card) const { return TenDigits(card); }

AssignmentOptions SessionEngine::assignmentOptions() const {
  const Options& o = desk_.options();
  AssignmentOptions a;
  a.useIdleRooms = o.useIdleRooms;
  a.useOvertimeRooms = o.useOvertimeRooms;
  a.useRoomsInTime = o.useOvertimeRooms && o.useRoomsInTime;
  a.byDedicatedRoom = o.byDedicatedRoom;
  a.assignmentMode = o.assignmentMode;
  a.defaultTimeLimit = o.defaultTimeLimit;
  return a;
}

RoomListContext SessionEngine::roomContext() const {
  return RoomListContext{desk_.rooms(),   desk_.students(),    desk_.sessions(),   desk_.categories(),
                         currentStudent_, assignmentOptions(), desk_.clock().now()};
}

SessionListContext SessionEngine::sessionContext() const {
  const Options& o = desk_.options();
  return SessionListContext{desk_.rooms(),
                            desk_.students(),
                            desk_.sessions(),
                            desk_.categories(),
                            SaneDividers(o.autumnDivider, o.springDivider),
                            o.defaultTimeLimit,
                            desk_.clock().now()};
}

void SessionEngine::RebuildRoomList(int a, int b) {
  roomBoard_.BuildRoomList(roomContext(), a, b);
  Changed();
}

void SessionEngine::ShowSessionList(int a) {
  sessionBoard_.ShowSessionList(sessionContext(), a);
  Changed();
}

void SessionEngine::RefreshBoards(int flashStudent) {
  sessionBoard_.ShowSessionList(sessionContext(), flashStudent);
  roomBoard_.BuildRoomList(roomContext(), 0, 0);
  counters_ = sessionBoard_.ShowCounters(desk_.sessions());
  Changed();
}

void SessionEngine::ApplyStartupOrdering() {
  sessionBoard_.setOrdering(0, 0);
  roomBoard_.setOrdering(2, 1);
  majors_.Fill(desk_.categories());
  desk_.cardInput().setMajorEntries(majors_.entryCount());
  desk_.cardInput().setMajorIndex(0);
}

int SessionEngine::FindCardHolder(int64_t card) const { return desk_.students().findByCard(card); }

void SessionEngine::AppendActivity(const std::string& text) {
  activity_ += text;
  activity_ += "\r\n";
  Changed();
}

void SessionEngine::SwipeDispatch(const std::string& card) {
  CardInput& input = desk_.cardInput();
  if (card.empty()) return;
  // The buffer holds at most 13 digits: its value always fits.
  const int64_t value = std::strtoll(card.c_str(), nullptr, 10);
  if (value == 0) {
    desk_.PlaySoundCue("4.wav");
    input.clearBuffer();
    desk_.PushMessage("不是合法卡号");
    return;
  }
  const int slot = FindCardHolder(value);
  if (slot == 0) {
    desk_.PlaySoundCue("4.wav");
    desk_.PushMessage("不是存在的卡号！");
    input.clearBuffer();
    return;
  }
  currentStudent_ = slot;
  StudentRecord& student = desk_.students()[slot];
  if (student.isLost()) {
    desk_.PlaySoundCue("7.wav");
    desk_.PushMessage("已挂失的卡号！");
  }
  if (student.isSuspended()) {
    desk_.PlaySoundCue("7.wav");
    desk_.PushMessage("已停用的卡号！");
  }
  if (!desk_.CurrentIdentityHas(Right::CheckIn)) {
    desk_.PlaySoundCue("4.wav");
    desk_.PushMessage("请以管理员身份操作！");
    input.clearBuffer();
    return;
  }
  const Options& o = desk_.options();
  if (o.rechargeReminder > student.balance) desk_.PushMessage("卡上余额不足提醒充值！");

  const int p = desk_.sessions().FindSession(slot);
  if (p >= 0) {
    const int elapsed = SessionElapsedMinutes(desk_.sessions().at(p), desk_.clock().now());
    if (o.protectionMinutes > elapsed && desk_.confirmationState() == 0) {
      desk_.setConfirmationState(1);
      desk_.AskConfirm("此卡用时未超过" + std::to_string(o.protectionMinutes) + "分钟,是否要下线？", CountdownBox::kYes,
                       15);
      return;
    }
    // A second swipe while the question is still open answers it: the
    // check-out happens now and the question goes away unanswered, so its
    // "是" cannot later run the swipe again and check the student back in.
    if (desk_.confirmationState() == 1 && desk_.countdown().view().visible) desk_.DismissCountdown();
    CheckOut(slot);
    input.clearBuffer();
    RefreshBoards();
    return;
  }
  OpenDialogue(slot);
}

void SessionEngine::OpenDialogue(int slot) {
  Desk& d = desk_;
  StudentRecord& student = d.students()[slot];
  majors_.setSelectedIndex(d.cardInput().majorIndex());
  const Options& o = d.options();

  AssignmentContext actx{d.rooms(),           d.students(),    d.sessions(), slot, majors_.SelectedMajor(student),
                         assignmentOptions(), d.clock().now(), d.random()};
  int vacated = d.sessions().lastVacatedRoom();
  proposal_ = AssignRoom(actx, vacated);
  d.sessions().setLastVacatedRoom(vacated);
  roomBoard_.BuildRoomList(roomContext(), proposal_.room, proposal_.occupant);

  const DateTime now = d.clock().now();
  dialogue_.student = slot;
  dialogue_.activity =
      ReadTodaysActivity(d.checkins(), slot, student.enrolled, now.date, d.rooms(), d.categories(), d.operationNames());
  if (o.dailyLimit < dialogue_.activity.checkins) d.PushMessage("超过登录次数！");

  d.cardInput().setMode(KeyboardMode::RoomSelection);
  dialogue_.visible = true;
  SuspensionFile suspensions(d.folder(), d.settings());
  dialogue_.status = MakeStatusLine(student, slot, now, suspensions, d.students(), d.folder());
  dialogue_.values = DetailValues(student, d.categories(), o, now.date);
  dialogue_.photoPath = PhotoPath(student, o);
  Changed();

  if (o.autoCheckin || roomBoard_.candidateCount() == 1) {
    ConfirmCheckIn(roomBoard_.selectedRow(), true);
  } else if (bringToFront) {
    bringToFront();
  }
  if (roomBoard_.candidateCount() == 0 && dialogue_.visible) {
    CancelCheckIn();
    d.PushMessage("无可用房间");
  }
}

void SessionEngine::CloseDialogue() {
  dialogue_.visible = false;
  dialogue_.photoPath.clear();
  desk_.cardInput().setMode(KeyboardMode::Normal);
  desk_.cardInput().clearBuffer();
}

void SessionEngine::CancelCheckIn() {
  CloseDialogue();
  Changed();
}

void SessionEngine::RepeatRememberedRow() { ConfirmCheckIn(rememberedRow_, true); }

void SessionEngine::ConfirmCheckIn(int row, bool leftButton) {
  if (row < 0 || row >= RoomBoard::kRows || !leftButton || !dialogue_.visible) return;
  const RoomRow chosen = roomBoard_.rows()[static_cast<size_t>(row)];
  if (!chosen.showsRoom()) return;
  Desk& d = desk_;
  const Options& o = d.options();
  const StudentRecord& student = d.students()[currentStudent_];
  std::string warning;

  if (dialogue_.status.colour == StatusColour::Red) {
    d.PlaySoundCue("4.wav");
    d.PushMessage("此卡有异常状态，不能登记！");
    return;
  }
  if (o.balanceNeeded > student.balance) {
    d.PushMessage("卡上余额不足！");
    d.PlaySoundCue("4.wav");
    return;
  }
  if (o.dailyLimit < dialogue_.activity.checkins) {
    d.PushMessage("超过登录次数！");
    return;
  }
  majors_.setSelectedIndex(d.cardInput().majorIndex());
  const std::string majorName = d.categories().majorName(majors_.SelectedMajor(student));
  if (chosen.typeName != majorName) {
    warning = "房间" + chosen.roomName + "[" + chosen.typeName + "]与所选专业:" + majorName + " 不符 " + chosen.name;
  }
  if (chosen.overtime.find("余") != std::string::npos) {
    warning +=
        "房间" + chosen.roomName + "[" + chosen.typeName + "]时间未到(" + chosen.overtime + " " + chosen.name + ")";
  }
  if (!warning.empty() && d.confirmationState() == 0) {
    rememberedRow_ = row;
    d.AskConfirm(warning + ",是否要登记？", CountdownBox::kYes, 9);
    return;
  }

  dialogue_.photoPath.clear();
  if (chosen.occupant > 0) CheckOut(chosen.occupant);
  const int student_ = currentStudent_;
  const bool started = CheckIn(student_, chosen.room);
  CloseDialogue();
  counters_ = sessionBoard_.ShowCounters(d.sessions());
  sessionBoard_.ShowSessionList(sessionContext(), started ? student_ : 0);
  roomBoard_.BuildRoomList(roomContext(), 0, 0);
  Changed();
}

bool SessionEngine::CheckIn(int student, int room) {
  Desk& d = desk_;
  ActiveSessionTable& sessions = d.sessions();
  if (sessions.lastVacatedRoom() == room) sessions.setLastVacatedRoom(0);
  const DateTime now = d.clock().now();
  const StudentRecord& s = d.students()[student];
  Status recordWritten = Status::Ok();
  Status added = sessions.AddSession(student, room, now, d.settings(), [&] {
    CheckinRecord r;
    r.room = static_cast<int16_t>(room);
    r.student = static_cast<int16_t>(student);
    r.time = static_cast<int16_t>(MinuteOfDay(now));
    r.date = ToOle(now.date);
    r.operatorId = static_cast<uint8_t>(d.currentIdentity());
    r.kind = 0;
    r.fee = 0;
    r.keyDate = s.enrolled;
    recordWritten = d.checkins().append(Pack(r));
  });
  if (!added.ok() && sessions.FindSession(student) < 0) {
    d.PlaySoundCue("4.wav");
    d.PushMessage(added.detail());
    return false;
  }
  if (!added.ok()) d.PushMessage("登记文件写入失败：" + added.detail());
  if (!recordWritten.ok()) d.PushMessage("登记记录未能写入：" + recordWritten.detail());

  const RoomRecord& r = d.rooms()[room];
  const std::string text =
      Stamp() + " " + s.name + "[" + CardText(s.card) + "]登录" + r.name + " " + d.categories().majorName(r.type);
  d.PlaySoundCue("3.wav");
  d.PushMessage(text);
  AppendActivity(text);
  return true;
}

void SessionEngine::CheckOut(int student) {
  Desk& d = desk_;
  sessionBoard_.StopFlash();
  ActiveSessionTable& sessions = d.sessions();
  const int p = sessions.FindSession(student);
  if (p < 0 || !StudentTable::validSlot(student)) return;
  const DateTime now = d.clock().now();
  const SessionRecord session = sessions.at(p);
  const int roomSlot = session.room;
  const int minutes = SessionElapsedMinutes(session, now);
  // Sessions are checked at load: the room slot is valid. Stay safe anyway.
  const RoomRecord room = RoomTable::validSlot(roomSlot) ? d.rooms()[roomSlot] : RoomRecord{};

  StudentRecord& s = d.students()[student];
  s.semesterMinutes = AddMinutes(s.semesterMinutes, minutes);
  s.totalMinutes = AddMinutes(s.totalMinutes, minutes);

  int percentage = 100;
  if (s.level < CategoryLists::kLevels) {
    percentage = d.categories().levels[s.level].percentage;
  } else {
    std::fprintf(stderr, "[计费] 学生%d的等级%d超出范围，按原价计费\n", student, s.level);
  }
  const Bill bill = ComputeBill(minutes, room, percentage);
  if (bill.hadAnomaly) {
    LogContext ctx{d.log(), d.students(), d.currentIdentity(), now};
    (void)WriteLogLine(ctx, 9, student, 0, roomSlot, TimeAnomalyRemark(bill.anomaly));
  }
  s.balance -= bill.fee;
  s.checkinCount = s.checkinCount < INT32_MAX ? s.checkinCount + 1 : s.checkinCount;

  const int level = LevelFor(s, d.categories(), d.options().upgradePolicy);
  if (level >= 0 && level != s.level) {
    s.level = static_cast<uint8_t>(level);
    d.PushMessage(s.name + "已升级为" + d.categories().levelName(level));
    d.PlaySoundCue("8.wav");
  }
  if (Status saved = d.students().save(d.folder(), student); !saved.ok()) {
    d.PushMessage("学生数据保存失败：" + saved.detail());
  }

  CheckinRecord r;
  r.room = static_cast<int16_t>(roomSlot);
  r.student = static_cast<int16_t>(student);
  r.time = static_cast<int16_t>(MinuteOfDay(now));
  r.date = ToOle(now.date);
  r.operatorId = static_cast<uint8_t>(d.currentIdentity());
  r.kind = 1;
  r.fee = bill.fee;
  r.keyDate = s.enrolled;
  if (Status w = d.checkins().append(Pack(r)); !w.ok()) d.PushMessage("登记记录未能写入：" + w.detail());

  sessions.RemoveSession(student, d.settings());

  const std::string text = Stamp() + " " + s.name + "[" + CardText(s.card) + "]下线" + room.name + " " +
                           d.categories().majorName(room.type) + " " + Rctime(bill.billed) + " " +
                           FormatFixed(bill.fee, 2) + "元";
  AppendActivity(text);
  d.PushMessage(text);
  d.PlaySoundCue("6.wav");
}

void SessionEngine::OvertimeTick() {
  Desk& d = desk_;
  ActiveSessionTable& sessions = d.sessions();
  const DateTime now = d.clock().now();
  const Options& o = d.options();
  // Every session active now is examined once, in table order, even when a
  // check-out moves another session into an earlier position.
  std::vector<int> students;
  students.reserve(static_cast<size_t>(sessions.count()));
  for (int p = 0; p < sessions.count(); ++p) students.push_back(sessions.at(p).student);

  for (int student : students) {
    const int p = sessions.FindSession(student);
    if (p < 0) continue;
    const SessionRecord& s = sessions.at(p);
    const int overtime = SessionOvertime(s, d.rooms(), o.defaultTimeLimit, now);
    if (o.autoCheckout && overtime - o.overtimeWait > 0) {
      CheckOut(student);
      continue;
    }
    if (overtime > 0 && !sessions.isOvertime(p)) {
      const StudentRecord& st = d.students()[student];
      const RoomRecord& room = d.rooms()[s.room];
      const std::string text = Stamp() + " " + st.name + "[" + CardText(st.card) + "]超时" + room.name + " " +
                               d.categories().majorName(room.type);
      sessions.MarkOvertime(p);
      d.PushMessage(text);
      AppendActivity(text);
      d.PlaySoundCue("3.wav");
      if (bringToFront) bringToFront();
    }
  }
  RefreshBoards();
  clock_ = Stamp();
  Changed();
}

void SessionEngine::CheckOutEverybody() {
  Desk& d = desk_;
  if (!d.boxes().ask("提示", "确定要清空学员登记列表吗", BoxIcon::Critical)) return;
  std::vector<int> students;
  for (int p = 0; p < d.sessions().count(); ++p) students.push_back(d.sessions().at(p).student);
  for (int student : students) CheckOut(student);
  RefreshBoards();
}

}  // namespace tarvolen
