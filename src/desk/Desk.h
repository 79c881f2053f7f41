#pragma once
// The composition root: builds the pieces of the desk, wires them to each
// other and runs the start-up sequence. It owns them for the whole run; each
// piece takes only what it uses. The windows reach the pieces through the
// accessors below and listen to the events; every rule lives in the pieces.
#include <functional>
#include <memory>
#include <string>

#include "access/AdminArea.h"
#include "access/IdentityPrompt.h"
#include "access/Operator.h"
#include "access/UserPage.h"
#include "accounts/AccountOperations.h"
#include "admin/StudentEditor.h"
#include "admin/StudentList.h"
#include "admin/RoomEditor.h"
#include "board/DetailSheets.h"
#include "cardinput/CardInput.h"
#include "desk/Jumps.h"
#include "desk/Question.h"
#include "import/SheetImport.h"
#include "maintenance/DataBackup.h"
#include "maintenance/DataClearing.h"
#include "maintenance/Reinitialisation.h"
#include "notify/CountdownBox.h"
#include "notify/InfoPanel.h"
#include "notify/LayoutScheduler.h"
#include "notify/Notifier.h"
#include "notify/Signal.h"
#include "platform/Clock.h"
#include "platform/Diagnostics.h"
#include "platform/FileDialogs.h"
#include "platform/FolderChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/Random.h"
#include "platform/SingleInstance.h"
#include "platform/SoundPlayer.h"
#include "platform/Timer.h"
#include "platform/Workbook.h"
#include "startup/CategoryEditor.h"
#include "startup/Options.h"
#include "startup/OptionsEditor.h"
#include "store/InstallationData.h"

namespace tarvolen {

struct DeskServices {
  Clock& clock;
  MessageBoxes& boxes;
  SingleInstance& instance;
  SoundPlayer* sound = nullptr;
  TimerFactory* timers = nullptr;      // the desk's timers; none: timers never fire
  Random* random = nullptr;            // none: a generator seeded from the clock
  Diagnostics* diagnostics = nullptr;  // none: notes are dropped
  // The spreadsheet import's open dialog and workbook reader; none: the
  // dialog is always cancelled and no workbook can be read.
  FileDialogs* fileDialogs = nullptr;
  WorkbookReader* workbooks = nullptr;
  FolderChooser* folders = nullptr;  // none: folders are only typed
};

class SessionEngine;
namespace query {
class QueryDesk;
class UtilisationDesk;
}  // namespace query

// Why start-up stopped before the desk could be used.
enum class StartStop {
  Continue,        // the identity prompt is up, loading goes on
  AlreadyRunning,  // "本程序已经在运行中！"
  DataDamaged,     // "数据损坏"
  AppNameMissing,  // appname.txt not found
  // "程序目录不可写入：" the folder (the system's reason): the lock cannot be written
  FolderNotWritable,
};

// What the windows show of the desk as a whole.
struct WindowState {
  std::string title;
  bool mainShown = false;
  bool mainEnabled = false;
  bool promptShown = false;
  // Navigation buttons 0..8 visible: bit i.
  uint16_t navigationVisible = kNavigationRights;
  bool passwordChangeEnabled = true;
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
  // year-file counts. A failing value is skipped, the rest still written.
  void SaveAndExit();

  // A key-down code from the key source (ignored until the students loaded).
  void KeyDown(int key);
  // The swipe dispatch: what a completed card number means.
  void SwipeDispatch(const std::string& card);
  // The open question of the countdown box, unanswered, goes away.
  void DismissCountdown() { question_->Dismiss(); }
  ConfirmationState confirmationState() const { return question_->state; }
  // One fading step of the message stack (Timmsg).
  void FadeMessages();

  // Told by the main window: whether it is the active window.
  std::function<bool()> mainWindowForeground;
  // Events the windows redraw on.
  Signal<> cardBufferChanged;
  Signal<> countdownChanged;
  Signal<> windowStateChanged;
  Signal<> messagesFaded;
  // The page 数据备份 changed: a copy's progress, its end, cleared data.
  Signal<> maintenanceChanged;
  // Re-initialisation rewrote the installation: the program ends at once,
  // without save-and-exit.
  Signal<> endWithoutSaving;
  // The key source: installed at the first confirmed login, removed by save-and-exit.
  Signal<> installHooks;
  Signal<> removeHooks;
  // Told by the main window: whether it is minimised now.
  std::function<bool()> mainWindowMinimised;
  // The layout timer ran out: the main window lays itself out.
  Signal<> layoutDue;

  // Operator feedback (the message stack and the sound cues).
  Feedback& feedback() { return notifier_; }
  void PushMessage(const std::string& text) { notifier_.PushMessage(text); }

  // The pieces.
  InstallationData& data() { return data_; }
  Notifier& notifier() { return notifier_; }
  Operator& op() { return operator_; }
  CardInput& cardInput() { return *cardInput_; }
  CountdownBox& countdown() { return *countdown_; }
  SessionEngine& engine() { return *engine_; }
  IdentityPrompt& prompt() { return *prompt_; }
  AdminArea& adminArea() { return *adminArea_; }
  UserPage& userPage() { return *userPage_; }
  AccountOperations& accounts() { return *accounts_; }
  StudentList& studentList() { return *studentList_; }
  StudentEditor& studentEditor() { return *studentEditor_; }
  Jumps& jumps() { return *jumps_; }
  RoomEditor& roomEditor() { return *roomEditor_; }
  OptionsEditor& optionsEditor() { return *optionsEditor_; }
  CategoryEditor& categoryEditor() { return *categoryEditor_; }
  SheetImport& sheetImport() { return *sheetImport_; }
  DataBackup& backup() { return *backup_; }
  DataClearing& clearing() { return *clearing_; }
  Reinitialisation& reinitialisation() { return *reinitialisation_; }
  Options& options() { return options_; }
  DirtyGroups& dirty() { return dirty_; }
  Timer& overtimeTimer() { return *overtimeTimer_; }
  MessageBoxes& boxes() { return services_.boxes; }
  Clock& clock() { return services_.clock; }
  query::QueryDesk& queries() { return *queries_; }
  DetailSheets& detailSheets() { return *detailSheets_; }
  LayoutScheduler& layoutScheduler() { return *layoutScheduler_; }
  InfoPanel& infoPanel() { return *infoPanel_; }
  query::UtilisationDesk& utilisation() { return *utilisation_; }

  // Shorthands of the installation's data.
  const ProgramFolder& folder() const { return data_.folder(); }
  StudentTable& students() { return data_.students(); }
  RoomTable& rooms() { return data_.rooms(); }
  ActiveSessionTable& sessions() { return data_.sessions(); }
  const CategoryLists& categories() const { return data_.categories(); }
  CompanyInfo& company() { return data_.company(); }
  const OperationNames& operationNames() const { return data_.operationNames(); }
  YearFile& checkins() { return data_.checkins(); }
  YearFile& log() { return data_.log(); }
  SettingsFile& settings() { return data_.settings(); }
  const AppName& appName() const { return appName_; }

  // The operator in use and the state the windows render.
  int currentIdentity() const { return operator_.current(); }
  const IdentityTable& identities() const { return operator_.identities(); }
  const WindowState& window() const { return window_; }
  const std::string& windowTitle() const { return window_.title; }
  bool mainWindowShown() const { return window_.mainShown; }
  bool mainWindowEnabled() const { return window_.mainEnabled; }
  bool promptShown() const { return window_.promptShown; }
  uint16_t navigationVisible() const { return window_.navigationVisible; }
  bool passwordChangeEnabled() const { return window_.passwordChangeEnabled; }
  // The floating card window: while the main window is up but not in front.
  bool floatingCardShown() const { return window_.mainShown && cardInput_->floatingVisible(); }
  bool studentsLoaded() const { return studentsLoaded_; }
  bool cardInputEnabled() const { return cardInputEnabled_; }
  const std::string& customName() const { return customName_; }

 private:
  void MakePieces();
  void ReadOptions();
  void RollCalendar();
  void ShowMain();
  void SetMainWindowEnabled(bool enabled);
  void SetCustomName(const std::string& name);
  void AnswerCountdown(int button);
  ActiveSessionTable::LoadContext SessionLoadContext();
  std::unique_ptr<Timer> MakeTimer();
  // After a restore replaced the files: the installation again from disk,
  // and every list and board drawn from it.
  Status ReloadInstallation();

  DeskServices services_;
  InstallationData data_;
  Notifier notifier_;
  Operator operator_{notifier_};
  SilentDiagnostics silent_;
  SystemRandom ownRandom_;
  AppName appName_;
  Options options_;
  DirtyGroups dirty_;
  std::unique_ptr<IdentityPrompt> prompt_;
  std::unique_ptr<CardInput> cardInput_;
  std::unique_ptr<CountdownBox> countdown_;
  std::unique_ptr<Question> question_;
  std::unique_ptr<Timer> fadeTimer_;
  std::unique_ptr<SessionEngine> engine_;
  std::unique_ptr<AdminArea> adminArea_;
  std::unique_ptr<UserPage> userPage_;
  std::unique_ptr<AccountOperations> accounts_;
  std::unique_ptr<StudentList> studentList_;
  std::unique_ptr<StudentEditor> studentEditor_;
  std::unique_ptr<Jumps> jumps_;
  std::unique_ptr<RoomEditor> roomEditor_;
  std::unique_ptr<OptionsEditor> optionsEditor_;
  std::unique_ptr<CategoryEditor> categoryEditor_;
  std::unique_ptr<Timer> overtimeTimer_;
  std::unique_ptr<query::QueryDesk> queries_;
  std::unique_ptr<DataBackup> backup_;
  std::unique_ptr<DataClearing> clearing_;
  std::unique_ptr<Reinitialisation> reinitialisation_;
  std::string pendingSwipe_;
  NoWorkbookReader noWorkbooks_;
  CancellingFileDialogs noFileDialogs_;
  std::unique_ptr<SheetImport> sheetImport_;
  std::unique_ptr<DetailSheets> detailSheets_;
  std::unique_ptr<LayoutScheduler> layoutScheduler_;
  std::unique_ptr<InfoPanel> infoPanel_;
  std::unique_ptr<query::UtilisationDesk> utilisation_;

  int currentYear_ = 0;
  int32_t sessionCount_ = 0;
  int32_t checkinCount_ = 0;
  int32_t logCount_ = 0;
  int lastIdentity_ = 0;
  std::string customName_;
  WindowState window_;
  bool hooksInstalled_ = false;
  bool studentsLoaded_ = false;
  bool cardInputEnabled_ = false;
  bool firstRun_ = false;
};

}  // namespace tarvolen
