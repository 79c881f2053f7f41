#include "platform/InertTimer.h"
#include "startup/Desk.h"

#include <filesystem>

#include "session/SessionClock.h"
#include "session/SessionEngine.h"
#include "startup/Calendar.h"
#include "startup/TornRecordMessages.h"

namespace tarvolen {

using namespace settings;

Desk::Desk(ProgramFolder folder, DeskServices services)
    : folder_(std::move(folder)), services_(services), notifier_(folder_, services.sound) {
  MakeTimers();
}

Desk::~Desk() = default;

std::unique_ptr<Timer> Desk::MakeTimer() {
  if (services_.timers != nullptr) return services_.timers->make();
  return std::make_unique<InertTimer>();
}

void Desk::MakeTimers() {
  CardInput::Hooks hooks;
  hooks.mainWindowEnabled = [this] { return mainWindowEnabled_; };
  hooks.mainWindowForeground = [this] { return mainWindowForeground ? mainWindowForeground() : false; };
  hooks.focusForced = [this] { return options_.focusForced; };
  hooks.mainRowDigits = [this] { return options_.mainRowDigits; };
  hooks.sessionCount = [this] { return static_cast<int>(sessions_.count()); };
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
  hooks.changed = [this] {
    if (onCardBufferChanged) onCardBufferChanged();
  };
  cardInput_ = std::make_unique<CardInput>(std::move(hooks), MakeTimer());

  countdown_ = std::make_unique<CountdownBox>(MakeTimer(), MakeTimer());
  countdown_->onAnswered = [this](int button) { AnswerCountdown(button); };
  countdown_->changed = [this] {
    if (onCountdownChanged) onCountdownChanged();
  };

  engine_ = std::make_unique<SessionEngine>(*this, MakeTimer());
  overtimeTimer_ = MakeTimer();
  overtimeTimer_->onTimeout = [this] { engine_->OvertimeTick(); };

  fadeTimer_ = MakeTimer();
  fadeTimer_->onTimeout = [this] { FadeMessages(); };
  notifier_.onStackChanged = [this] {
    if (notifier_.stack().timerEnabled() && !fadeTimer_->isActive()) fadeTimer_->start(MessageStack::kFadeIntervalMs);
  };
}

void Desk::FadeMessages() {
  notifier_.stack().fadeStep();
  if (!notifier_.stack().timerEnabled()) fadeTimer_->stop();
  if (onMessagesFaded) onMessagesFaded();
}

void Desk::KeyDown(int key) {
  if (!cardInputEnabled_) return;
  cardInput_->TKeyKeyDown(key);
}

void Desk::SwipeDispatch(const std::string& card) {
  // Remembered for a "是" to a check-out question: by the time the box
  // answers, the digit timeout may have emptied the card buffer.
  if (confirmationState_ != -1) pendingSwipe_ = card;
  engine_->SwipeDispatch(card);
}

void Desk::DismissCountdown() {
  countdown_->dismiss();
  confirmationState_ = 0;
  mainWindowEnabled_ = true;
  if (onMainWindowStateChanged) onMainWindowStateChanged();
}

void Desk::AskConfirm(const std::string& text, int defaultButton, int seconds) {
  mainWindowEnabled_ = false;
  if (onMainWindowStateChanged) onMainWindowStateChanged();
  countdown_->open(text, defaultButton, seconds);
}

void Desk::AnswerCountdown(int button) {
  mainWindowEnabled_ = true;
  if (onMainWindowStateChanged) onMainWindowStateChanged();
  if (button == CountdownBox::kYes) {
    if (confirmationState_ == 1) {
      // The check-out that was asked about: the same card once more.
      confirmationState_ = -1;
      SwipeDispatch(pendingSwipe_);
    } else if (confirmationState_ == 0) {
      confirmationState_ = -1;
      engine_->RepeatRememberedRow();
    }
  }
  confirmationState_ = 0;
  cardInput_->clearBuffer();
}

StartStop Desk::StartUntilPrompt() {
  // appname.txt is required before anything else is looked at.
  auto app = ReadAppName(folder_);
  if (!app.ok()) {
    services_.boxes.show("提示", "找不到文件 " + folder_.appName().string(), BoxIcon::Critical);
    return StartStop::AppNameMissing;
  }
  appName_ = app.value();

  // Category lists; a missing file loads as empty names.
  (void)categories_.load(folder_);

  // set.dat is opened only when it exists: opening would create it, and a
  // missing set.dat must stop the start as damaged data.
  const bool haveSettings = std::filesystem::exists(folder_.settings());
  if (haveSettings) {
    auto s = SettingsFile::Open(folder_.settings());
    if (s.ok()) settings_.emplace(std::move(s.value()));
  }

  // Interface initialisation: the year of the year files, operation names.
  currentYear_ = services_.clock.today().year;
  if (Status s = operationNames_.load(folder_); !s.ok()) {
    PushMessage("错误" + std::to_string(static_cast<int>(s.code())));
  }

  if (!services_.instance.acquire()) {
    services_.boxes.show("提示", "本程序已经在运行中！", BoxIcon::Critical);
    return StartStop::AlreadyRunning;
  }
  if (!settings_ || !std::filesystem::exists(folder_.sessions())) {
    services_.boxes.show("提示", "数据损坏", BoxIcon::Critical);
    return StartStop::DataDamaged;
  }

  ReadOptions();
  RollCalendar();

  const Identity& admin = identities_[IdentityTable::kAdministrator];
  if (admin.name.empty() || admin.password.empty()) {
    services_.boxes.show("提示", "数据损坏", BoxIcon::Critical);
    return StartStop::DataDamaged;
  }
  firstRun_ = admin.password == kNoPassword;
  prompt_ = std::make_unique<IdentityPrompt>(identities_, *settings_, services_.boxes);
  prompt_->start(lastIdentity_, firstRun_);
  promptShown_ = true;
  mainWindowShown_ = false;
  return StartStop::Continue;
}

void Desk::ReadOptions() {
  SettingsFile& s = *settings_;
  sessionCount_ = s.longAt(kSessionCount);
  options_.load(s);
  notifier_.setSoundOn(options_.soundOn);
  cardInput_->setCardOnly(options_.cardOnly);
  identities_.load(s);
  checkinCount_ = s.longAt(kCheckinCount);
  logCount_ = s.longAt(kLogCount);
  lastIdentity_ = s.byteAt(kLastIdentity);
  customName_ = s.stringRecord(kRecCustomName);
}

void Desk::RollCalendar() {
  SettingsFile& s = *settings_;
  const CivilDate today = services_.clock.today();
  const Dividers dividers = SaneDividers(options_.autumnDivider, options_.springDivider);
  const RolloverPlan plan = PlanRollover(s.dateRecord(kRecLastStart), today, dividers);
  if (!plan.changed) return;
  if (plan.resetYearCounts) {
    checkinCount_ = 0;
    logCount_ = 0;
  }
  if (plan.greetNewSemester) services_.boxes.show("提示", "欢迎新学期！", BoxIcon::Critical);
  (void)s.writeDateRecord(kRecLastStart, ToOle(today));
  if (options_.dropPreviousDay && sessionCount_ > 0) {
    PushMessage(std::to_string(sessionCount_) + "个数据已忽略。");
    sessionCount_ = 0;
    (void)s.writeLong(kSessionCount, 0);
  }
}

bool Desk::ContinueLoading(const LoadPump& pump) {
  // Rooms: free places and total places of the rooms in service.
  (void)rooms_.load(folder_);
  sessions_.SetPlacesFromRooms(rooms_);

  // Active sessions; from here on a failing step is skipped silently.
  auto sessionFile = RecordFile::Open(folder_.sessions(), kSessionRecordLength);
  if (sessionFile.ok()) {
    const int defaultLimit = options_.defaultTimeLimit;
    const DateTime now = services_.clock.now();
    ActiveSessionTable::LoadContext ctx{rooms_, students_,
                                        [this, defaultLimit, now](const SessionRecord& s) {
                                          return SessionElapsedMinutes(s, now) -
                                                 RoomTimeLimit(rooms_[s.room].timeLimitCode, defaultLimit);
                                        },
                                        [this](const std::string& text) { PushMessage(text); }};
    sessions_.LoadSessions(std::move(sessionFile.value()), *settings_, sessionCount_, ctx);
  }

  overtimeTimer_->start(60000);
  engine_->ApplyStartupOrdering();

  // Students, with the window kept responsive between records.
  bool abandoned = false;
  LoadPump watched = [&pump, &abandoned] {
    if (pump && !pump()) abandoned = true;
    return !abandoned;
  };
  (void)students_.load(folder_, watched);
  if (abandoned) return false;
  studentsLoaded_ = true;
  PushMessage("数据已经载入完毕");
  PlaySoundCue("5.wav");
  cardInputEnabled_ = true;

  engine_->RefreshBoards();
  (void)company_.load(folder_);
  auto checkins = checkins_.open(folder_.checkinYear(currentYear_), kCheckinRecordLength, &*settings_, kCheckinCount,
                                 checkinCount_);
  if (checkins.ok() && checkins->tornRecord) PushMessage(kTornCheckinRecordMessage);
  auto log = log_.open(folder_.logYear(currentYear_), kLogRecordLength, &*settings_, kLogCount, logCount_);
  if (log.ok() && log->tornRecord) PushMessage(kTornLogRecordMessage);
  return true;
}

void Desk::ShowMain() {
  promptShown_ = false;
  mainWindowShown_ = true;
  mainWindowEnabled_ = true;
  if (!hooksInstalled_) {
    hooksInstalled_ = true;
    if (onInstallHooks) onInstallHooks();
  }
}

IdentityPrompt::Outcome Desk::ConfirmIdentity() {
  auto outcome = prompt_->confirm();
  if (outcome == IdentityPrompt::Outcome::Confirmed) {
    int k = prompt_->selected();
    currentIdentity_ = k;
    windowTitle_ = customName_ + " " + identities_[k].name;
    navigationVisible_ = static_cast<uint16_t>(identities_[k].permissions & 0x1FF);
    passwordChangeEnabled_ = k > 0;
    ShowMain();
  } else if (outcome == IdentityPrompt::Outcome::FirstRunDone) {
    // The first-run confirmation leaves title, buttons and "修改" as they are.
    currentIdentity_ = IdentityTable::kAdministrator;
    ShowMain();
  }
  return outcome;
}

IdentityPrompt::Outcome Desk::CancelIdentity() {
  auto outcome = prompt_->cancel(mainWindowShown_);
  if (outcome == IdentityPrompt::Outcome::BackToMain) {
    promptShown_ = false;
    mainWindowEnabled_ = true;
  }
  return outcome;
}

Status Desk::UpdateIdentity(int k, const std::string& name, const std::string* password, uint16_t permissions) {
  if (!IdentityTable::validSlot(k) || !settings_) return Status(ErrorCode::Refused, "no such identity");
  // Each value is one write; memory follows only what reached the file.
  if (Status s = settings_->writeStringRecord(kRecIdentityName + k, name); !s.ok()) return s;
  identities_[k].name = name;
  if (password != nullptr) {
    if (Status s = settings_->writeStringRecord(kRecPassword + k, *password); !s.ok()) return s;
    identities_[k].password = *password;
  }
  if (Status s = settings_->writeInteger(kPermissionBase + 2 * k, static_cast<int16_t>(permissions)); !s.ok()) return s;
  identities_[k].permissions = permissions;
  return Status::Ok();
}

Status Desk::UpdatePassword(int k, const std::string& password) {
  if (!IdentityTable::validSlot(k) || !settings_) return Status(ErrorCode::Refused, "no such identity");
  if (Status s = settings_->writeStringRecord(kRecPassword + k, password); !s.ok()) return s;
  identities_[k].password = password;
  return Status::Ok();
}

void Desk::SetCustomName(const std::string& name) {
  customName_ = name;
  if (mainWindowShown_ && IdentityTable::validSlot(prompt_ ? prompt_->selected() : -1)) {
    windowTitle_ = customName_ + " " + identities_[prompt_->selected()].name;
  }
  if (onMainWindowStateChanged) onMainWindowStateChanged();
}

void Desk::SwitchIdentity() {
  mainWindowEnabled_ = false;
  promptShown_ = true;
  prompt_->beginSwitch();
}

void Desk::SaveAndExit() {
  if (!settings_) return;
  SaveOptionGroups(options_, dirty_, *settings_);
  if (prompt_ && prompt_->picked() && IdentityTable::validSlot(prompt_->selected())) {
    (void)settings_->writeByte(kLastIdentity, static_cast<uint8_t>(prompt_->selected()));
  }
  (void)settings_->writeLong(kCheckinCount, checkins_.isOpen() ? checkins_.count() : checkinCount_);
  (void)settings_->writeLong(kLogCount, log_.isOpen() ? log_.count() : logCount_);
  if (hooksInstalled_) {
    hooksInstalled_ = false;
    if (onRemoveHooks) onRemoveHooks();
  }
}

}  // namespace tarvolen
