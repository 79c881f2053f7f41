#include "desk/SessionEngine.h"

#include <cstdlib>

#include "accounts/LogWriter.h"
#include "session/Billing.h"
#include "session/SessionClock.h"
#include "session/TimeText.h"

namespace tarvolen {

SessionEngine::SessionEngine(Services services, std::unique_ptr<Timer> flashTimer)
    : data_(services.data),
      options_(services.options),
      feedback_(services.feedback),
      operator_(services.op),
      input_(services.input),
      question_(services.question),
      clock_(services.clock),
      random_(services.random),
      boxes_(services.boxes),
      diagnostics_(services.diagnostics),
      roomBoard_(input_.roomCursor()),
      sessionBoard_(input_.sessionCursor(), std::move(flashTimer)) {
  sessionBoard_.onFlashTick = [this] { Changed(); };
}

void SessionEngine::Changed() { changed(); }

std::string SessionEngine::Stamp() const { return TimeOfDayText(clock_.now()).substr(0, 5); }

std::string SessionEngine::CardText(int64_t card) const { return TenDigits(card); }

AssignmentOptions SessionEngine::assignmentOptions() const {
  const Options& o = options_;
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
  return RoomListContext{data_.rooms(),   data_.students(),    data_.sessions(), data_.categories(),
                         currentStudent_, assignmentOptions(), clock_.now()};
}

SessionListContext SessionEngine::sessionContext() const {
  const Options& o = options_;
  return SessionListContext{data_.rooms(),
                            data_.students(),
                            data_.sessions(),
                            data_.categories(),
                            SaneDividers(o.autumnDivider, o.springDivider),
                            o.defaultTimeLimit,
                            clock_.now()};
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
  counters_ = sessionBoard_.ShowCounters(data_.sessions());
  Changed();
}

void SessionEngine::ApplyStartupOrdering() {
  sessionBoard_.setOrdering(0, 0);
  roomBoard_.setOrdering(2, 1);
  majors_.Fill(data_.categories());
  input_.setMajorEntries(majors_.entryCount());
  input_.setMajorIndex(0);
}

int SessionEngine::FindCardHolder(int64_t card) const { return data_.students().findByCard(card); }

void SessionEngine::AppendActivity(const std::string& text) {
  activity_ += text;
  activity_ += "\r\n";
  Changed();
}

void SessionEngine::SwipeDispatch(const std::string& card) {
  CardInput& input = input_;
  if (card.empty()) return;
  // The buffer holds at most 13 digits: its value always fits.
  const int64_t value = std::strtoll(card.c_str(), nullptr, 10);
  if (value == 0) {
    feedback_.PlaySoundCue(Cue::Refusal);
    input.clearBuffer();
    feedback_.PushMessage("不是合法卡号");
    return;
  }
  const int slot = FindCardHolder(value);
  if (slot == 0) {
    feedback_.PlaySoundCue(Cue::Refusal);
    feedback_.PushMessage("不是存在的卡号！");
    input.clearBuffer();
    return;
  }
  currentStudent_ = slot;
  StudentRecord& student = data_.students()[slot];
  if (student.isLost()) {
    feedback_.PlaySoundCue(Cue::CardWarning);
    feedback_.PushMessage("已挂失的卡号！");
  }
  if (student.isSuspended()) {
    feedback_.PlaySoundCue(Cue::CardWarning);
    feedback_.PushMessage("已停用的卡号！");
  }
  if (!operator_.Has(Right::CheckIn)) {
    feedback_.PlaySoundCue(Cue::Refusal);
    feedback_.PushMessage("请以管理员身份操作！");
    input.clearBuffer();
    return;
  }
  const Options& o = options_;
  if (o.rechargeReminder > student.balance) feedback_.PushMessage("卡上余额不足提醒充值！");

  const int p = data_.sessions().FindSession(slot);
  if (p >= 0) {
    const int elapsed = SessionElapsedMinutes(data_.sessions().at(p), clock_.now());
    if (o.protectionMinutes > elapsed && question_.state == ConfirmationState::None) {
      question_.state = ConfirmationState::CheckOutAsked;
      question_.Ask("此卡用时未超过" + std::to_string(o.protectionMinutes) + "分钟,是否要下线？", CountdownBox::kYes,
                    15);
      return;
    }
    // A second swipe while the question is still open answers it: the
    // check-out happens now and the question goes away unanswered, so its
    // "是" cannot later run the swipe again and check the student back in.
    if (question_.state == ConfirmationState::CheckOutAsked && question_.isOpen()) question_.Dismiss();
    CheckOut(slot);
    input.clearBuffer();
    RefreshBoards();
    return;
  }
  OpenDialogue(slot);
}

void SessionEngine::OpenDialogue(int slot) {
  StudentRecord& student = data_.students()[slot];
  majors_.setSelectedIndex(input_.majorIndex());
  const Options& o = options_;

  AssignmentContext actx{data_.rooms(),       data_.students(), data_.sessions(), slot, majors_.SelectedMajor(student),
                         assignmentOptions(), clock_.now(),     random_};
  int vacated = data_.sessions().lastVacatedRoom();
  proposal_ = AssignRoom(actx, vacated);
  data_.sessions().setLastVacatedRoom(vacated);
  roomBoard_.BuildRoomList(roomContext(), proposal_.room, proposal_.occupant);

  const DateTime now = clock_.now();
  dialogue_.student = slot;
  dialogue_.activity = ReadTodaysActivity(data_.checkins(), slot, student.enrolled, now.date, data_.rooms(),
                                          data_.categories(), data_.operationNames());
  if (dialogue_.activity.unreadable > 0) {
    feedback_.PushMessage("今日登记记录有" + std::to_string(dialogue_.activity.unreadable) + "条无法读取");
  }
  if (o.dailyLimit < dialogue_.activity.checkins) feedback_.PushMessage("超过登录次数！");

  input_.setMode(KeyboardMode::RoomSelection);
  dialogue_.visible = true;
  SuspensionFile suspensions = data_.suspensions();
  dialogue_.status = MakeStatusLine(student, slot, now, suspensions, data_.folder());
  if (!dialogue_.status.failure.empty()) feedback_.PushMessage(dialogue_.status.failure);
  dialogue_.values = DetailValues(student, data_.categories(), o, now.date);
  dialogue_.photoPath = PhotoPath(student, o);
  Changed();

  if (o.autoCheckin || roomBoard_.candidateCount() == 1) {
    ConfirmCheckIn(roomBoard_.selectedRow(), true);
  } else {
    bringToFront();
  }
  if (roomBoard_.candidateCount() == 0 && dialogue_.visible) {
    CancelCheckIn();
    feedback_.PushMessage("无可用房间");
  }
}

void SessionEngine::CloseDialogue() {
  dialogue_.visible = false;
  dialogue_.photoPath.clear();
  input_.setMode(KeyboardMode::Normal);
  input_.clearBuffer();
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
  const Options& o = options_;
  const StudentRecord& student = data_.students()[currentStudent_];
  std::string warning;

  if (dialogue_.status.colour == StatusColour::Red) {
    feedback_.PlaySoundCue(Cue::Refusal);
    feedback_.PushMessage("此卡有异常状态，不能登记！");
    return;
  }
  if (o.balanceNeeded > student.balance) {
    feedback_.PushMessage("卡上余额不足！");
    feedback_.PlaySoundCue(Cue::Refusal);
    return;
  }
  if (o.dailyLimit < dialogue_.activity.checkins) {
    feedback_.PushMessage("超过登录次数！");
    return;
  }
  majors_.setSelectedIndex(input_.majorIndex());
  const std::string majorName = data_.categories().majorName(majors_.SelectedMajor(student));
  if (chosen.typeName != majorName) {
    warning = "房间" + chosen.roomName + "[" + chosen.typeName + "]与所选专业:" + majorName + " 不符 " + chosen.name;
  }
  if (chosen.overtime.find("余") != std::string::npos) {
    warning +=
        "房间" + chosen.roomName + "[" + chosen.typeName + "]时间未到(" + chosen.overtime + " " + chosen.name + ")";
  }
  if (!warning.empty() && question_.state == ConfirmationState::None) {
    rememberedRow_ = row;
    question_.Ask(warning + ",是否要登记？", CountdownBox::kYes, 9);
    return;
  }

  dialogue_.photoPath.clear();
  // The occupant leaves first; when that cannot be written, nobody moves in.
  if (chosen.occupant > 0 && !CheckOut(chosen.occupant)) {
    CloseDialogue();
    RefreshBoards();
    return;
  }
  const int student_ = currentStudent_;
  const bool started = CheckIn(student_, chosen.room);
  CloseDialogue();
  counters_ = sessionBoard_.ShowCounters(data_.sessions());
  sessionBoard_.ShowSessionList(sessionContext(), started ? student_ : 0);
  roomBoard_.BuildRoomList(roomContext(), 0, 0);
  Changed();
}

void SessionEngine::WriteFailed(const std::string& text) {
  // The operator must see it: a box, not only a fading line.
  feedback_.PlaySoundCue(Cue::Refusal);
  feedback_.PushMessage(text);
  boxes_.show("提示", text, BoxIcon::Critical);
}

namespace {
constexpr const char* kRestart = "请重新启动程序。";
}  // namespace

bool SessionEngine::BeginJournal(const Result<WritePlan>& plan, const std::string& notDone) {
  if (journalLeft_) {
    WriteFailed(std::string("上次未完成的操作将在下次启动时完成，") + notDone + "，" + kRestart);
    return false;
  }
  if (!plan.ok()) {
    WriteFailed("登记记录未能写入，" + notDone + "：" + plan.status().detail());
    return false;
  }
  if (Status begun = data_.journal().Begin(plan.value()); !begun.ok()) {
    // A journal written whole but not flushed must not be finished later.
    if (!data_.journal().Clear().ok()) journalLeft_ = true;
    WriteFailed("恢复记录未能写入，" + notDone + "：" + begun.detail());
    return false;
  }
  return true;
}

void SessionEngine::EndJournal() {
  if (Status cleared = data_.journal().Clear(); !cleared.ok()) {
    // Left as it is it would be made again at the next start, over later
    // changes: no further check-in or check-out until then.
    journalLeft_ = true;
    WriteFailed("恢复记录未能清除：" + cleared.detail() + "，" + kRestart);
  }
}

void SessionEngine::LeaveJournal(const std::string& failure, const std::string& completedAtStart) {
  journalLeft_ = true;
  WriteFailed(failure + "。未能撤回已写入的数据：" + completedAtStart + "将在程序下次启动时完成，" + kRestart);
}

CheckinRecord SessionEngine::YearRecord(uint8_t kind, int student, int room, const DateTime& now, float fee,
                                        OleDate keyDate) const {
  CheckinRecord r;
  r.room = static_cast<int16_t>(room);
  r.student = static_cast<int16_t>(student);
  r.time = static_cast<int16_t>(MinuteOfDay(now));
  r.date = ToOle(now.date);
  r.operatorId = static_cast<uint8_t>(operator_.current());
  r.kind = kind;
  r.fee = fee;
  r.keyDate = keyDate;
  return r;
}

bool SessionEngine::CheckIn(int student, int room) {
  ActiveSessionTable& sessions = data_.sessions();
  const DateTime now = clock_.now();
  const StudentRecord& s = data_.students()[student];
  const CheckinRecord r = YearRecord(0, student, room, now, 0, s.enrolled);
  // The check-in record, then the session: a failure at either leaves no
  // session and no record, and nothing is announced.
  if (sessions.count() >= ActiveSessionTable::kCapacity) {
    feedback_.PlaySoundCue(Cue::Refusal);
    feedback_.PushMessage("签到人数已达上限（1001人），不能再登记！");
    return false;
  }
  // Every write planned and journalled first, so a process killed between
  // them is finished at the next start instead of leaving half a check-in.
  auto recordPlan = data_.checkins().planAppend(Pack(r));
  auto sessionPlan = sessions.PlanAddSession(student, room, now, data_.settings());
  if (!sessionPlan.ok() && sessionPlan.status().code() == ErrorCode::Refused) {
    feedback_.PlaySoundCue(Cue::Refusal);
    feedback_.PushMessage(sessionPlan.status().detail());
    return false;
  }
  Result<WritePlan> plan = !recordPlan.ok() ? recordPlan : !sessionPlan.ok() ? sessionPlan : recordPlan;
  if (plan.ok()) plan->insert(plan->end(), sessionPlan->begin(), sessionPlan->end());
  if (!BeginJournal(plan, "未登录")) return false;

  if (Status w = data_.checkins().append(Pack(r)); !w.ok()) {
    WriteFailed("登记记录未能写入，未登录：" + w.detail());
    EndJournal();
    return false;
  }
  if (Status added = sessions.AddSession(student, room, now, data_.settings()); !added.ok()) {
    const std::string failure = "登记文件写入失败，未登录：" + added.detail();
    if (Status back = data_.checkins().Retract(); !back.ok()) {
      feedback_.PushMessage("登记记录数保存失败：" + back.detail());
      LeaveJournal(failure, "本次登录");
      return false;
    }
    if (added.code() == ErrorCode::Refused) {
      feedback_.PlaySoundCue(Cue::Refusal);
      feedback_.PushMessage(added.detail());
    } else {
      WriteFailed(failure);
    }
    EndJournal();
    return false;
  }
  EndJournal();
  if (sessions.lastVacatedRoom() == room) sessions.setLastVacatedRoom(0);

  const RoomRecord& rr = data_.rooms()[room];
  const std::string text =
      Stamp() + " " + s.name + "[" + CardText(s.card) + "]登录" + rr.name + " " + data_.categories().majorName(rr.type);
  feedback_.PlaySoundCue(Cue::CheckIn);
  feedback_.PushMessage(text);
  AppendActivity(text);
  return true;
}

bool SessionEngine::CheckOut(int student) {
  sessionBoard_.StopFlash();
  ActiveSessionTable& sessions = data_.sessions();
  const int p = sessions.FindSession(student);
  if (p < 0 || !StudentTable::validSlot(student)) return false;
  const DateTime now = clock_.now();
  const SessionRecord session = sessions.at(p);
  const int roomSlot = session.room;
  const int minutes = SessionElapsedMinutes(session, now);
  // Sessions are checked at load: the room slot is valid. Stay safe anyway.
  const RoomRecord room = RoomTable::validSlot(roomSlot) ? data_.rooms()[roomSlot] : RoomRecord{};

  // The student as billed, written to the file before the table changes.
  const StudentRecord before = data_.students()[student];
  StudentRecord s = before;
  s.semesterMinutes = AddMinutes(s.semesterMinutes, minutes);
  s.totalMinutes = AddMinutes(s.totalMinutes, minutes);

  int percentage = 100;
  if (s.level < CategoryLists::kLevels) {
    percentage = data_.categories().levels[s.level].percentage;
  } else {
    diagnostics_.Note("[计费] 学生" + std::to_string(student) + "的等级" + std::to_string(s.level) +
                      "超出范围，按原价计费");
  }
  const Bill bill = ComputeBill(minutes, room, percentage);
  s.balance -= bill.fee;
  s.checkinCount = s.checkinCount < INT32_MAX ? s.checkinCount + 1 : s.checkinCount;
  const int level = LevelFor(s, data_.categories(), options_.upgradePolicy);
  const bool levelChanged = level >= 0 && level != s.level;
  if (levelChanged) s.level = static_cast<uint8_t>(level);

  const CheckinRecord r = YearRecord(1, student, roomSlot, now, bill.fee, s.enrolled);

  // Student, check-out record, session: each write only after the one
  // before it succeeded; a failure takes back what was written, so nothing
  // is billed without its record and no ended session stays on disk.
  const ProgramFolder& folder = data_.folder();
  {
    // Journalled first: a process killed after the student was billed and
    // before the session was freed must not bill the same session again.
    auto studentWrite = StudentTable::PlanRecordOf(folder, student, s);
    auto recordPlan = data_.checkins().planAppend(Pack(r));
    auto sessionPlan = sessions.PlanRemoveSession(student, data_.settings());
    Result<WritePlan> plan = !studentWrite.ok()  ? Result<WritePlan>(studentWrite.status())
                             : !recordPlan.ok()  ? recordPlan
                             : !sessionPlan.ok() ? sessionPlan
                                                 : Result<WritePlan>(WritePlan{studentWrite.value()});
    if (plan.ok()) {
      plan->insert(plan->end(), recordPlan->begin(), recordPlan->end());
      plan->insert(plan->end(), sessionPlan->begin(), sessionPlan->end());
    }
    if (!BeginJournal(plan, "未下线")) return false;
  }
  auto restoreStudent = [&] {
    Status back = StudentTable::SaveRecordOf(folder, student, before);
    if (!back.ok()) feedback_.PushMessage("学生数据恢复失败：" + back.detail());
    return back.ok();
  };
  if (Status saved = StudentTable::SaveRecordOf(folder, student, s); !saved.ok()) {
    WriteFailed("学生数据保存失败，未下线：" + saved.detail());
    EndJournal();
    return false;
  }
  if (Status w = data_.checkins().append(Pack(r)); !w.ok()) {
    const std::string failure = "登记记录未能写入，未下线：" + w.detail();
    if (!restoreStudent()) {
      LeaveJournal(failure, "本次下线");
      return false;
    }
    WriteFailed(failure);
    EndJournal();
    return false;
  }
  const ActiveSessionTable::Removed removed = sessions.RemoveSession(student, data_.settings());
  if (removed.position < 0) {
    const std::string failure = "登记文件写入失败，未下线：" + removed.status.detail();
    Status back = data_.checkins().Retract();
    if (!back.ok()) feedback_.PushMessage("登记记录数保存失败：" + back.detail());
    if (!back.ok() || !restoreStudent()) {
      LeaveJournal(failure, "本次下线");
      return false;
    }
    WriteFailed(failure);
    EndJournal();
    return false;
  }
  EndJournal();
  if (!removed.status.ok()) feedback_.PushMessage("在线人数保存失败：" + removed.status.detail());
  data_.students()[student] = s;

  if (bill.hadAnomaly) {
    LogContext ctx{data_.log(), data_.students(), operator_.current(), now};
    if (Status logged = WriteLogLine(ctx, static_cast<uint8_t>(kTimeAnomaly), student, 0, roomSlot,
                                     TimeAnomalyRemark(bill.anomaly));
        !logged.ok()) {
      feedback_.PushMessage("日志未能写入：" + logged.detail());
    }
  }
  if (levelChanged) {
    feedback_.PushMessage(s.name + "已升级为" + data_.categories().levelName(level));
    feedback_.PlaySoundCue(Cue::LevelChanged);
  }
  const std::string text = Stamp() + " " + s.name + "[" + CardText(s.card) + "]下线" + room.name + " " +
                           data_.categories().majorName(room.type) + " " + Rctime(bill.billed) + " " +
                           FormatFixed(bill.fee, 2) + "元";
  AppendActivity(text);
  feedback_.PushMessage(text);
  feedback_.PlaySoundCue(Cue::CheckOut);
  return true;
}

void SessionEngine::OvertimeTick() {
  ActiveSessionTable& sessions = data_.sessions();
  const DateTime now = clock_.now();
  const Options& o = options_;
  // Every session active now is examined once, in table order, even when a
  // check-out moves another session into an earlier position.
  std::vector<int> students;
  students.reserve(static_cast<size_t>(sessions.count()));
  for (int p = 0; p < sessions.count(); ++p) students.push_back(sessions.at(p).student);

  for (int student : students) {
    const int p = sessions.FindSession(student);
    if (p < 0) continue;
    const SessionRecord& s = sessions.at(p);
    const int overtime = SessionOvertime(s, data_.rooms(), o.defaultTimeLimit, now);
    if (o.autoCheckout && overtime - o.overtimeWait > 0) {
      CheckOut(student);
      continue;
    }
    if (overtime > 0 && !sessions.isOvertime(p)) {
      const StudentRecord& st = data_.students()[student];
      const RoomRecord& room = data_.rooms()[s.room];
      const std::string text = Stamp() + " " + st.name + "[" + CardText(st.card) + "]超时" + room.name + " " +
                               data_.categories().majorName(room.type);
      sessions.MarkOvertime(p);
      feedback_.PushMessage(text);
      AppendActivity(text);
      feedback_.PlaySoundCue(Cue::CheckIn);
      bringToFront();
    }
  }
  RefreshBoards();
  clockText_ = Stamp();
  Changed();
}

void SessionEngine::CheckOutEverybody() {
  if (!boxes_.ask("提示", "确定要清空学员登记列表吗", BoxIcon::Critical)) return;
  std::vector<int> students;
  for (int p = 0; p < data_.sessions().count(); ++p) students.push_back(data_.sessions().at(p).student);
  for (int student : students) CheckOut(student);
  RefreshBoards();
}

}  // namespace tarvolen
