#pragma once
// The card and room operations from preparation to execution: the panels
// (OperationInputs), the confirmation panel Picture5 with its summary and
// verification code, and the nine executions. Every execution writes the
// file before the table changes: a refused or failed one changes nothing
// and writes no log line; a successful one is told in a box, added to
// today's activity and logged.
#include <functional>
#include <string>
#include <vector>

#include "access/Operator.h"
#include "accounts/OperationInputs.h"
#include "accounts/OperationSummary.h"
#include "notify/Feedback.h"
#include "notify/Signal.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/Random.h"
#include "startup/Options.h"
#include "store/InstallationData.h"

namespace tarvolen {

// What the confirmation panel shows.
struct ConfirmationPanel {
  bool open = false;
  std::string title;       // Label3(17)
  std::string code;        // Label19: "K D l i", empty when none is asked
  bool codeShown = false;  // Label19, Labhy(4), Command18 and Text16
  std::string typed;       // Text16
  std::string remarkLine;  // Label21
  std::vector<SummaryLine> summary;
  std::string photoPath;  // empty: no photo
  // Where the focus goes: the code box or "确  定"; the number changes with
  // every request.
  bool focusOnCode = false;
  int focusRequest = 0;
};

class AccountOperations {
 public:
  struct Services {
    InstallationData& data;
    const Options& options;
    Feedback& feedback;
    const Operator& op;
    Clock& clock;
    Random& random;
    MessageBoxes& boxes;
  };
  struct Hooks {
    // Adds a text to today's activity on the main window.
    std::function<void(const std::string&)> appendActivity;
    // A room's places changed: the board counters and page are redrawn.
    std::function<void()> roomsChanged;
    // A check-in or check-out journal waits for the next start: its writes
    // would overwrite a student changed now, so student operations wait too.
    std::function<bool()> journalWaiting;
  };

  AccountOperations(Services services, Hooks hooks);
  AccountOperations(const AccountOperations&) = delete;
  AccountOperations& operator=(const AccountOperations&) = delete;

  OperationInputs& inputs() { return inputs_; }
  const OperationInputs& inputs() const { return inputs_; }

  // Enter in a box: the inputs' own step, then the preparation it calls for.
  void BoxEnter(int box);
  // The "执行" buttons Command1, Command17 and Command20.
  void PrepareMember();
  void PrepareRoom();
  void PrepareFreeRecord();

  // The confirmation panel.
  const ConfirmationPanel& panel() const { return panel_; }
  const PendingOperation& pending() const { return pending_; }
  void SetTypedCode(const std::string& text) { panel_.typed = text; }
  // "换一张" (Command18).
  void NewCode();
  // "确  定" (Command19) and Enter in Text16: the code, then the execution.
  // True when the operation was carried out.
  bool Confirm();
  // "放弃" (Command21), also the end of every successful execution.
  void Close();
  // While the panel is open the administration area and Command5 are disabled.
  bool adminAreaEnabled() const { return !panel_.open; }

  // Runs the pending operation: true when it was carried out.
  bool Execute();

  // A redraw is due (the panels, the confirmation panel).
  Signal<> changed;

 private:
  void Show(const PendingOperation& op, std::vector<SummaryLine> summary, std::string photo);
  void ShowMember(const PendingOperation& op);
  bool Refuse(const std::string& first, const std::string& second = "");
  // The success box, and its text added to today's activity.
  void Succeed(const std::string& text);
  // The student written to the file, then the table; false (told) when the
  // file refused it and nothing changed.
  bool SaveStudent(int slot, const StudentRecord& record);
  bool SaveRoom(int slot, const RoomRecord& record);
  bool StudentsMayChange();
  void Log(int student, int64_t amount, int room);
  std::string CardText(int64_t card) const;
  SummaryContext Summary() const;

  bool Recharge(int slot);
  bool LossReport(int slot);
  bool LossRelease(int slot);
  bool CardReplace(int slot);
  bool Suspend(int slot);
  bool Restore(int slot);
  bool CloseRoom(int room);
  bool OpenRoom(int room);

  InstallationData& data_;
  const Options& options_;
  Feedback& feedback_;
  const Operator& operator_;
  Clock& clock_;
  Random& random_;
  MessageBoxes& boxes_;
  Hooks hooks_;
  OperationInputs inputs_;
  PendingOperation pending_;
  ConfirmationPanel panel_;
};

}  // namespace tarvolen
