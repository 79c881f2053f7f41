#pragma once
// The running desk: every in-memory table, the options, the open files and
// the services of the platform. One Desk lives for the whole run and is
// driven by the events of the single user-interface thread.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "access/IdentityPrompt.h"
#include "cardinput/CardInput.h"
#include "notify/CountdownBox.h"
#include "access/Identities.h"
#include "access/AdminArea.h"
#include "access/UserPage.h"
#include "startup/CategoryEditor.h"
#include "startup/OptionsEditor.h"
#include "notify/Notifier.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/SingleInstance.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "platform/Random.h"
#include "session/ActiveSessionTable.h"
#include "startup/Options.h"
#include "store/ProgramFolder.h"
#include "store/SettingsFile.h"
#include "store/SideFiles.h"
#include "store/Tables.h"
#include "store/YearFile.h"

namespace tarvolen {

struct DeskServices {
  Clock& clock;
  MessageBoxes& boxes;
  SingleInstance& instance;
  SoundPlayer* sound = nullptr;
  TimerFactory* timers = nullptr;  // the desk's timers; none: timers never fire
  Random* random = nullptr;        // none: a generator seeded from the clock
};

class SessionEngine;

// Why start-up stopped before the desk could be used.
enum class StartStop {
  Continue,        // the identity prompt is up, loading goes on
  AlreadyRunning,  // "本程序已经在运行中！"
  DataDamaged,     // "数据损坏"
  AppNameMissing,  // appname.txt not found
};

class Desk {
 public:
  Desk(ProgramFolder folder, DeskServices services);
  ~Desk();
  Desk(const Desk&) = delete;
  Desk& operator=(const Desk&) = delete;

  // Start-up up to the identity prompt (everything up to the identity check).
  StartStop StartUntilPrompt();
  // The rest of start-up, with the prompt on screen: rooms, sessions, the
  // students (the pump runs between records), company texts, year files.
  // False when the pump asked to stop.
  bool ContinueLoading(const LoadPump& pump);

  // The prompt's answers, applied to the desk.
  IdentityPrompt::Outcome ConfirmIdentity();
  IdentityPrompt::Outcome CancelIdentity();
  // "切换用户": the main window is disabled and the prompt shown again.
  void SwitchIdentity();

  // Save-and-exit: changed option groups, the picked identity, the two
  // year-file counts. Errors are skipped.
  void SaveAndExit();

  // A key-down code from the key source (ignored until the students loaded).
  void KeyDown(int key);
  // The swipe dispatch: what a completed card number means.
  void SwipeDispatch(const std::string& card);
  // Asks a yes/no question in the countdown box; the main window is
  // disabled until it is answered.
  void AskConfirm(const std::string& text, int defaultButton, int seconds);
  // 0 nothing pending, 1 a check-out was asked, -1 an answer is being carried out.
  int confirmationState() const { return confirmationState_; }
  void setConfirmationState(int state) { confirmationState_ = state; }
  CardInput& cardInput() { return *cardInput_; }
  SessionEngine& engine() { return *engine_; }
  Random& random() { return services_.random != nullptr ? *services_.random : ownRandom_; }
  MessageBoxes& boxes() { return services_.boxes; }
  // Closes the countdown box without carrying anything out.
  void DismissCountdown();
  // The overtime monitor (Timer1, every minute from start-up).
  Timer& overtimeTimer() { return *overtimeTimer_; }
  CountdownBox& countdown() { return *countdown_; }
  // One fading step of the message stack (Timmsg).
  void FadeMessages();

  // Told by the UI: whether the main window is the active window.
  std::function<bool()> mainWindowForeground;
  // Redraw requests for the windows.
  std::function<void()> onCardBufferChanged;
  std::function<void()> onCountdownChanged;
  std::function<void()> onMainWindowStateChanged;
  // After each fading step of the message stack (pushes call the notifier's onPushed).
  std::function<void()> onMessagesFaded;

  // Operator feedback.
  void PushMessage(const std::string& text) { notifier_.PushMessage(text); }
  void PlaySoundCue(const std::string& name) { notifier_.PlaySoundCue(name); }
  // A refusal told to the operator: the refusal cue when asked, the text as
  // a message line; returned as the refusal's status.
  Status Refuse(const std::string& text, bool sound = false) {
    if (sound) PlaySoundCue("4.wav");
    PushMessage(text);
    return Status(ErrorCode::Refused, text);
  }

  // The identity editor's writes: name, password (when given) and
  // permission word of slot k, to memory and set.dat at once.
  Status UpdateIdentity(int k, const std::string& name, const std::string* password, uint16_t permissions);
  Status UpdatePassword(int k, const std::string& password);

  // The permission test against the identity in use at this moment.
  bool CurrentIdentityHas(Right right) const { return identities_.has(currentIdentity_, right); }

  // State the windows render.
  const ProgramFolder& folder() const { return folder_; }
  Notifier& notifier() { return notifier_; }
  IdentityPrompt& prompt() { return *prompt_; }
  const IdentityTable& identities() const { return identities_; }
  int currentIdentity() const { return currentIdentity_; }
  const std::string& windowTitle() const { return windowTitle_; }
  bool mainWindowShown() const { return mainWindowShown_; }
  // The floating card window: while the main window is up but not in front.
  bool floatingCardShown() const { return mainWindowShown_ && cardInput_->floatingVisible(); }
  bool mainWindowEnabled() const { return mainWindowEnabled_; }
  bool promptShown() const { return promptShown_; }
  // Navigation buttons 0..8 visible: bit i.
  uint16_t navigationVisible() const { return navigationVisible_; }
  bool passwordChangeEnabled() const { return passwordChangeEnabled_; }
  bool studentsLoaded() const { return studentsLoaded_; }
  bool cardInputEnabled() const { return cardInputEnabled_; }

  Options& options() { return options_; }
  DirtyGroups& dirty() { return dirty_; }
  const AppName& appName() const { return appName_; }
  const CategoryLists& categories() const { return categories_; }
  CategoryLists& categoryLists() { return categories_; }
  AdminArea& adminArea() { return adminArea_; }
  UserPage& userPage() { return userPage_; }
  OptionsEditor& optionsEditor() { return optionsEditor_; }
  CategoryEditor& categoryEditor() { return categoryEditor_; }
  StudentTable& students() { return students_; }
  RoomTable& rooms() { return rooms_; }
  ActiveSessionTable& sessions() { return sessions_; }
  const CompanyInfo& company() const { return company_; }
  CompanyInfo& companyInfo() { return company_; }
  const std::string& customName() const { return customName_; }
  // The custom display name changed: the title follows at once.
  void SetCustomName(const std::string& name);
  const OperationNames& operationNames() const { return operationNames_; }
  YearFile& checkins() { return checkins_; }
  YearFile& log() { return log_; }
  SettingsFile& settings() { return *settings_; }
  Clock& clock() { return services_.clock; }

  // Called by the UI when the hooks are installed at the first confirmation.
  std::function<void()> onInstallHooks;
  std::function<void()> onRemoveHooks;

 private:
  void ReadOptions();
  void RollCalendar();
  void ShowMain();
  void MakeTimers();
  void AnswerCountdown(int button);
  std::unique_ptr<Timer> MakeTimer();

  ProgramFolder folder_;
  DeskServices services_;
  Notifier notifier_;
  std::optional<SettingsFile> settings_;
  AppName appName_;
  CategoryLists categories_;
  Options options_;
  DirtyGroups dirty_;
  IdentityTable identities_;
  std::unique_ptr<IdentityPrompt> prompt_;
  StudentTable students_;
  RoomTable rooms_;
  ActiveSessionTable sessions_;
  CompanyInfo company_;
  OperationNames operationNames_;
  YearFile checkins_;
  YearFile log_;
  std::unique_ptr<CardInput> cardInput_;
  std::unique_ptr<CountdownBox> countdown_;
  std::unique_ptr<Timer> fadeTimer_;
  int confirmationState_ = 0;
  std::unique_ptr<SessionEngine> engine_;
  AdminArea adminArea_{*this};
  UserPage userPage_{*this};
  OptionsEditor optionsEditor_{*this};
  CategoryEditor categoryEditor_{*this};
  std::unique_ptr<Timer> overtimeTimer_;
  SystemRandom ownRandom_;
  std::string pendingSwipe_;

  int currentYear_ = 0;
  int32_t sessionCount_ = 0;
  int32_t checkinCount_ = 0;
  int32_t logCount_ = 0;
  int lastIdentity_ = 0;
  std::string customName_;
  int currentIdentity_ = 0;
  std::string windowTitle_;
  bool mainWindowShown_ = false;
  bool mainWindowEnabled_ = false;
  bool promptShown_ = false;
  uint16_t navigationVisible_ = 0x1FF;
  bool passwordChangeEnabled_ = true;
  bool hooksInstalled_ = false;
  bool studentsLoaded_ = false;
  bool cardInputEnabled_ = false;
  bool firstRun_ = false;
};

}  // namespace tarvolen
