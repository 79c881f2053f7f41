#include "desk/Desk.h"

#include "desk/SessionEngine.h"
#include "platform/InertTimer.h"
#include "query/QueryDesk.h"
#include "query/UtilisationComputation.h"
#include "query/UtilisationDesk.h"
#include "session/SessionClock.h"
#include "desk/TornRecordMessages.h"
#include "startup/Calendar.h"
#include "store/PrivateFiles.h"

namespace tarvolen {

using namespace settings;

Desk::Desk(ProgramFolder folder, DeskServices services)
    : services_(services), data_(folder), notifier_(std::move(folder), services.sound) {
  MakePieces();
}

Desk::~Desk() = default;

std::unique_ptr<Timer> Desk::MakeTimer() {
  if (services_.timers != nullptr) return services_.timers->make();
  return std::make_unique<InertTimer>();
}

void Desk::MakePieces() {
  CardInput::Hooks hooks;
  hooks.mainWindowEnabled = [this] { return window_.mainEnabled; };
  hooks.mainWindowForeground = [this] { return mainWindowForeground ? mainWindowForeground() : false; };
  hooks.focusForced = [this] { return options_.focusForced; };
  hooks.mainRowDigits = [this] { return options_.mainRowDigits; };
  hooks.sessionCount = [this] { return static_cast<int>(data_.sessions().count()); };
  hooks.candidateCount = [this] { return engine_->roomBoard().candidateCount(); };
  hooks.checkInSelectedRow = [this] { engine_->ConfirmCheckIn(engine_->roomBoard().selectedRow(), true); };
  hooks.cancelRoomSelection = [this] { engine_->CancelCheckIn(); };
  hooks.roomRowMoved = [this] {
    engine_->RebuildRoomList(0, 0);
    engine_->roomBoard().CursorMoved();
  };
  hooks.sessionRowMoved = [this] {
    engine_->sessionBoard().StopFlash();
    engine_->ShowSessionList(0);
    engine_->sessionBoard().CursorMoved();
  };
  hooks.swipe = [this](const std::string& card) { SwipeDispatch(card); };
  hooks.changed = [this] { cardBufferChanged(); };
  cardInput_ = std::make_unique<CardInput>(std::move(hooks), MakeTimer());

  countdown_ = std::make_unique<CountdownBox>(MakeTimer(), MakeTimer());
  countdown_->onAnswered = [this](int button) { AnswerCountdown(button); };
  countdown_->changed = [this] { countdownChanged(); };
  question_ = std::make_unique<Question>(*countdown_, [this](bool enabled) { SetMainWindowEnabled(enabled); });

  Diagnostics& diagnostics = services_.diagnostics != nullptr ? *services_.diagnostics : silent_;
  Random& random = services_.random != nullptr ? *services_.random : ownRandom_;
  engine_ = std::make_unique<SessionEngine>(
      SessionEngine::Services{data_, options_, notifier_, operator_, *cardInput_, *question_, services_.clock, random,
                              services_.boxes, diagnostics},
      MakeTimer());
  overtimeTimer_ = MakeTimer();
  overtimeTimer_->onTimeout = [this] { engine_->OvertimeTick(); };

  adminArea_ = std::make_unique<AdminArea>(
      operator_, notifier_,
      AdminArea::Hooks{
          [this](bool open) { cardInput_->setMode(open ? KeyboardMode::Administration : KeyboardMode::Normal); },
          [this] { return studentsLoaded_; },
          // Also while a backup or restore copies: the area stays on its page.
          [this] { return (accounts_ && !accounts_->adminAreaEnabled()) || (backup_ && backup_->busy()); }});
  AccountOperations::Hooks accountHooks;
  accountHooks.appendActivity = [this](const std::string& text) { engine_->AppendActivity(text); };
  accountHooks.roomsChanged = [this] {
    // Called while the room operation runs, so its room is still the pending one.
    roomEditor_->RefreshRow(accounts_->pending().room);
    engine_->RefreshBoards();
  };
  accountHooks.journalWaiting = [this] { return engine_->journalWaiting(); };
  StudentList::Hooks listHooks;
  listHooks.editMode = [this] { return adminArea_->studentEdit(); };
  listHooks.currentChanged = [this](int slot) { studentEditor_->Load(slot); };
  studentList_ = std::make_unique<StudentList>(
      StudentList::Services{data_, options_, notifier_, services_.boxes, services_.clock}, std::move(listHooks));
  studentEditor_ = std::make_unique<StudentEditor>(
      StudentEditor::Services{data_, options_, notifier_, services_.boxes, services_.clock}, *studentList_,
      StudentEditor::Hooks{[this] { return adminArea_->studentEdit(); }});
  jumps_ = std::make_unique<Jumps>(Jumps::Services{operator_, notifier_, *engine_, *adminArea_, *studentList_},
                                   Jumps::Hooks{[this](int room) { roomEditor_->SelectOnly(room); }});
  accounts_ = std::make_unique<AccountOperations>(
      AccountOperations::Services{data_, options_, notifier_, operator_, services_.clock, random, services_.boxes},
      std::move(accountHooks));
  roomEditor_ =
      std::make_unique<RoomEditor>(RoomEditor::Services{data_, notifier_, operator_, *adminArea_, services_.boxes},
                                   RoomEditor::Hooks{[this] { engine_->RefreshBoards(); }});
  userPage_ = std::make_unique<UserPage>(operator_, notifier_, data_);
  OptionsEditor::Hooks optionHooks;
  optionHooks.cardOnlyChanged = [this](bool on) { cardInput_->setCardOnly(on); };
  optionHooks.soundChanged = [this](bool on) { notifier_.setSoundOn(on); };
  optionHooks.roomChoiceChanged = [this] {
    if (studentsLoaded_) engine_->RefreshBoards();
  };
  optionHooks.customNameChanged = [this](const std::string& name) { SetCustomName(name); };
  optionHooks.boardSizeChanged = [this] { layoutScheduler_->BoardSizeChanged(); };
  optionsEditor_ = std::make_unique<OptionsEditor>(options_, dirty_, operator_, notifier_, services_.boxes, data_,
                                                   std::move(optionHooks));
  categoryEditor_ = std::make_unique<CategoryEditor>(operator_, notifier_, data_, *adminArea_);

  fadeTimer_ = MakeTimer();
  fadeTimer_->onTimeout = [this] { FadeMessages(); };
  notifier_.pushed.connect([this] {
    if (notifier_.stack().timerEnabled() && !fadeTimer_->isActive()) fadeTimer_->start(MessageStack::kFadeIntervalMs);
  });
  WorkbookReader& workbooks = services_.workbooks != nullptr ? *services_.workbooks : noWorkbooks_;
  FileDialogs& fileDialogs = services_.fileDialogs != nullptr ? *services_.fileDialogs : noFileDialogs_;
  sheetImport_ = std::make_unique<SheetImport>(
      SheetImport::Services{data_, options_, notifier_, services_.boxes, services_.clock, operator_, *adminArea_,
                            workbooks, fileDialogs, *roomEditor_, *studentList_},
      SheetImport::Hooks{[this] { return adminArea_->studentEdit(); }, [this] { engine_->RefreshBoards(); }},
      MakeTimer());
  queries_ = std::make_unique<query::QueryDesk>(
      query::QueryDesk::Services{data_, options_, notifier_, operator_, services_.clock, services_.boxes});

  DataBackup::Hooks backupHooks;
  backupHooks.journalWaiting = [this] { return engine_->journalWaiting(); };
  backupHooks.reload = [this] { return ReloadInstallation(); };
  backupHooks.changed = [this] { maintenanceChanged(); };
  backup_ = std::make_unique<DataBackup>(
      DataBackup::Services{data_, notifier_, services_.boxes, services_.folders, services_.clock},
      std::move(backupHooks), MakeTimer());

  DataClearing::Hooks clearingHooks;
  clearingHooks.year = [this] { return currentYear_; };
  clearingHooks.journalWaiting = [this] { return engine_->journalWaiting(); };
  clearingHooks.studentsCleared = [this] {
    studentList_->Rebuild();
    engine_->RefreshBoards();
  };
  clearingHooks.roomsCleared = [this] {
    roomEditor_->Rebuild();
    engine_->RefreshBoards();
  };
  clearing_ = std::make_unique<DataClearing>(DataClearing::Services{data_, services_.boxes}, std::move(clearingHooks));
  reinitialisation_ = std::make_unique<Reinitialisation>(Reinitialisation::Services{data_, services_.boxes},
                                                         Reinitialisation::Hooks{[this] {
                                                           overtimeTimer_->stop();
                                                           if (hooksInstalled_) {
                                                             hooksInstalled_ = false;
                                                             removeHooks();
                                                           }
                                                           endWithoutSaving();
                                                         }});

  detailSheets_ = std::make_unique<DetailSheets>(DetailSheets::Sources{
      data_.students(), data_.rooms(), data_.categories(), data_.sessions(), options_, services_.clock});
  // A redraw of the boards may follow a change of a shown figure.
  engine_->changed.connect([this] { detailSheets_->DropCache(); });
  layoutScheduler_ = std::make_unique<LayoutScheduler>(
      LayoutScheduler::Hooks{[this] { return mainWindowMinimised ? mainWindowMinimised() : false; },
                             [this] { layoutDue(); }},
      MakeTimer());
  infoPanel_ = std::make_unique<InfoPanel>(MakeTimer());
  utilisation_ = std::make_unique<query::UtilisationDesk>(
      query::UtilisationDesk::Services{query::MakeUtilisationComputation(data_, options_, services_.clock),
                                       data_.categories(), services_.clock, services_.boxes},
      MakeTimer());
}

Status Desk::ReloadInstallation() {
  Status s = data_.Reload(currentYear_, SessionLoadContext());
  roomEditor_->Rebuild();
  studentEditor_->FillEntries();
  studentList_->FillFilters();
  studentList_->Rebuild();
  engine_->RefreshBoards();
  return s;
}

void Desk::FadeMessages() {
  notifier_.stack().fadeStep();
  if (!notifier_.stack().timerEnabled()) fadeTimer_->stop();
  messagesFaded();
}

void Desk::KeyDown(int key) {
  if (!cardInputEnabled_) return;
  cardInput_->TKeyKeyDown(key);
}

void Desk::SwipeDispatch(const std::string& card) {
  // Remembered for a "是" to a check-out question: by the time the box
  // answers, the digit timeout may have emptied the card buffer.
  if (question_->state != ConfirmationState::Answering) pendingSwipe_ = card;
  engine_->SwipeDispatch(card);
}

void Desk::SetMainWindowEnabled(bool enabled) {
  window_.mainEnabled = enabled;
  windowStateChanged();
}

void Desk::AnswerCountdown(int button) {
  SetMainWindowEnabled(true);
  if (button == CountdownBox::kYes) {
    if (question_->state == ConfirmationState::CheckOutAsked) {
      // The check-out that was asked about: the same card once more.
      question_->state = ConfirmationState::Answering;
      SwipeDispatch(pendingSwipe_);
    } else if (question_->state == ConfirmationState::None) {
      question_->state = ConfirmationState::Answering;
      engine_->RepeatRememberedRow();
    }
  }
  question_->state = ConfirmationState::None;
  cardInput_->clearBuffer();
}

StartStop Desk::StartUntilPrompt() {
  const ProgramFolder& folder = data_.folder();
  // appname.txt is required before anything else is looked at.
  auto app = ReadAppName(folder);
  if (!app.ok()) {
    services_.boxes.show("提示", "找不到文件 " + folder.appName().string(), BoxIcon::Critical);
    return StartStop::AppNameMissing;
  }
  appName_ = app.value();

  // A missing category file loads as empty names; start-up goes on.
  (void)data_.LoadCategories();
  // A missing set.dat is told below as damaged data.
  (void)data_.OpenSettings();

  // Interface initialisation: the year of the year files, operation names.
  currentYear_ = services_.clock.today().year;
  if (Status s = data_.LoadOperationNames(); !s.ok()) {
    PushMessage("错误" + std::to_string(static_cast<int>(s.code())));
  }

  const InstanceClaim claim = services_.instance.acquire();
  if (claim.hold == InstanceHold::HeldByOther) {
    services_.boxes.show("提示", "本程序已经在运行中！", BoxIcon::Critical);
    return StartStop::AlreadyRunning;
  }
  if (claim.hold == InstanceHold::FolderNotWritable) {
    // Not another instance: the operator has to make the folder writable.
    std::string text = "程序目录不可写入：" + folder.root().string();
    if (!claim.reason.empty()) text += "（" + claim.reason + "）";
    services_.boxes.show("提示", text, BoxIcon::Critical);
    return StartStop::FolderNotWritable;
  }
  if (!data_.hasSettings() || !data_.hasSessionFile()) {
    services_.boxes.show("提示", "数据损坏", BoxIcon::Critical);
    return StartStop::DataDamaged;
  }
  // A check-in or check-out cut off by a killed process is finished before
  // anything is read; one whose journal was itself cut off never began.
  auto recovered = data_.journal().Recover();
  if (!recovered.ok()) {
    services_.boxes.show("提示", "上次未完成的登记操作未能完成：" + recovered.status().detail(), BoxIcon::Critical);
    return StartStop::DataDamaged;
  }
  if (recovered.value() == Journal::Recovery::Finished) PushMessage("上次未完成的登记操作已完成");
  // Passwords and students' details are the owner's alone; the operator is
  // told once, and decides what to change.
  if (std::string open = PrivacyWarning(folder.root(), folder.settings()); !open.empty()) PushMessage(open);

  ReadOptions();
  RollCalendar();

  const Identity& admin = operator_.identities()[IdentityTable::kAdministrator];
  if (admin.name.empty() || admin.password.empty()) {
    services_.boxes.show("提示", "数据损坏", BoxIcon::Critical);
    return StartStop::DataDamaged;
  }
  firstRun_ = admin.password == kNoPassword;
  prompt_ = std::make_unique<IdentityPrompt>(operator_.identities(), data_.settings(), services_.boxes);
  prompt_->start(lastIdentity_, firstRun_);
  window_.promptShown = true;
  window_.mainShown = false;
  return StartStop::Continue;
}

void Desk::ReadOptions() {
  SettingsFile& s = data_.settings();
  sessionCount_ = s.longAt(kSessionCount);
  options_.load(s);
  notifier_.setSoundOn(options_.soundOn);
  cardInput_->setCardOnly(options_.cardOnly);
  operator_.identities().load(s);
  checkinCount_ = s.longAt(kCheckinCount);
  logCount_ = s.longAt(kLogCount);
  lastIdentity_ = s.byteAt(kLastIdentity);
  customName_ = s.stringRecord(kRecCustomName);
}

void Desk::RollCalendar() {
  SettingsFile& s = data_.settings();
  const CivilDate today = services_.clock.today();
  const Dividers dividers = SaneDividers(options_.autumnDivider, options_.springDivider);
  const RolloverPlan plan = PlanRollover(s.dateRecord(kRecLastStart), today, dividers);
  if (!plan.changed) return;
  if (plan.resetYearCounts) {
    checkinCount_ = 0;
    logCount_ = 0;
  }
  if (plan.greetNewSemester) services_.boxes.show("提示", "欢迎新学期！", BoxIcon::Critical);
  if (Status w = s.writeDateRecord(kRecLastStart, ToOle(today)); !w.ok()) {
    PushMessage("启动日期保存失败：" + w.detail());
  }
  if (options_.dropPreviousDay && sessionCount_ > 0) {
    PushMessage(std::to_string(sessionCount_) + "个数据已忽略。");
    sessionCount_ = 0;
    if (Status w = s.writeLong(kSessionCount, 0); !w.ok()) PushMessage("登记人数保存失败：" + w.detail());
  }
}

ActiveSessionTable::LoadContext Desk::SessionLoadContext() {
  const int defaultLimit = options_.defaultTimeLimit;
  const DateTime now = services_.clock.now();
  RoomTable& rooms = data_.rooms();
  return ActiveSessionTable::LoadContext{rooms, data_.students(),
                                         [&rooms, defaultLimit, now](const SessionRecord& s) {
                                           return SessionElapsedMinutes(s, now) -
                                                  RoomTimeLimit(rooms[s.room].timeLimitCode, defaultLimit);
                                         },
                                         [this](const std::string& text) { PushMessage(text); }};
}

bool Desk::ContinueLoading(const LoadPump& pump) {
  // From here on a failing step is skipped silently, as start-up always did:
  // what could be read is used, and the desk stays usable.
  (void)data_.LoadRooms();
  roomEditor_->Rebuild();
  (void)data_.LoadSessions(sessionCount_, SessionLoadContext());

  overtimeTimer_->start(60000);
  engine_->ApplyStartupOrdering();

  // Students, with the window kept responsive between records.
  bool abandoned = false;
  LoadPump watched = [&pump, &abandoned] {
    if (pump && !pump()) abandoned = true;
    return !abandoned;
  };
  (void)data_.LoadStudents(watched);
  if (abandoned) return false;
  studentsLoaded_ = true;
  // The query page's defaults come from the tables and the calendar now loaded.
  queries_->page().Reset();
  PushMessage("数据已经载入完毕");
  notifier_.PlaySoundCue(Cue::Ready);
  cardInputEnabled_ = true;

  engine_->RefreshBoards();
  // The student page: its choices, its filters on the newest grade, its list.
  studentEditor_->FillEntries();
  studentList_->FillFilters();
  studentList_->Rebuild();
  (void)data_.LoadCompany();
  const auto opened = data_.OpenYearFiles(currentYear_, checkinCount_, logCount_);
  if (opened.tornCheckin) PushMessage(kTornCheckinRecordMessage);
  if (opened.tornLog) PushMessage(kTornLogRecordMessage);
  return true;
}

void Desk::ShowMain() {
  window_.promptShown = false;
  window_.mainShown = true;
  window_.mainEnabled = true;
  if (!hooksInstalled_) {
    hooksInstalled_ = true;
    installHooks();
  }
}

IdentityPrompt::Outcome Desk::ConfirmIdentity() {
  auto outcome = prompt_->confirm();
  if (outcome == IdentityPrompt::Outcome::Confirmed) {
    int k = prompt_->selected();
    operator_.setCurrent(k);
    window_.title = customName_ + " " + operator_.identities()[k].name;
    window_.navigationVisible = static_cast<uint16_t>(operator_.identities()[k].permissions & kNavigationRights);
    window_.passwordChangeEnabled = k > 0;
    ShowMain();
  } else if (outcome == IdentityPrompt::Outcome::FirstRunDone) {
    // The first-run confirmation leaves title, buttons and "修改" as they are.
    operator_.setCurrent(IdentityTable::kAdministrator);
    ShowMain();
  }
  return outcome;
}

IdentityPrompt::Outcome Desk::CancelIdentity() {
  auto outcome = prompt_->cancel(window_.mainShown);
  if (outcome == IdentityPrompt::Outcome::BackToMain) {
    window_.promptShown = false;
    window_.mainEnabled = true;
  }
  return outcome;
}

void Desk::SetCustomName(const std::string& name) {
  customName_ = name;
  if (window_.mainShown && IdentityTable::validSlot(prompt_ ? prompt_->selected() : -1)) {
    window_.title = customName_ + " " + operator_.identities()[prompt_->selected()].name;
  }
  windowStateChanged();
}

void Desk::SwitchIdentity() {
  window_.mainEnabled = false;
  window_.promptShown = true;
  prompt_->beginSwitch();
}

void Desk::SaveAndExit() {
  // After re-initialisation the files are the delivered ones: nothing of
  // this run may be written over them.
  if (!data_.hasSettings() || reinitialisation_->ended()) return;
  SettingsFile& s = data_.settings();
  // Save-and-exit skips a failing value and writes the rest: the program is
  // ending and nobody is left to tell.
  SaveOptionGroups(options_, dirty_, s);
  if (prompt_ && prompt_->picked() && IdentityTable::validSlot(prompt_->selected())) {
    (void)s.writeByte(kLastIdentity, static_cast<uint8_t>(prompt_->selected()));
  }
  YearFile& checkins = data_.checkins();
  YearFile& log = data_.log();
  (void)s.writeLong(kCheckinCount, checkins.isOpen() ? checkins.count() : checkinCount_);
  (void)s.writeLong(kLogCount, log.isOpen() ? log.count() : logCount_);
  if (hooksInstalled_) {
    hooksInstalled_ = false;
    removeHooks();
  }
}

}  // namespace tarvolen
