#pragma once
// The desk's daily work: what a swipe means, the check-in dialogue, check-in
// and check-out with billing, the overtime monitor. Works on the tables and
// options the Desk owns; the windows only draw its state.
#include <array>
#include <string>

#include "access/Operator.h"
#include "board/RoomBoard.h"
#include "board/SessionBoard.h"
#include "cardinput/CardInput.h"
#include "desk/Question.h"
#include "notify/Feedback.h"
#include "notify/Signal.h"
#include "platform/Clock.h"
#include "platform/Diagnostics.h"
#include "platform/MessageBoxes.h"
#include "platform/Random.h"
#include "session/MajorSelector.h"
#include "session/RoomAssignment.h"
#include "session/StudentDetails.h"
#include "startup/Options.h"
#include "store/InstallationData.h"

namespace tarvolen {

// The student panel of the check-in dialogue.
struct CheckinDialogue {
  bool visible = false;
  int student = 0;
  StatusLine status;
  std::array<std::string, 13> values{};
  std::string photoPath;  // empty: no photo
  TodaysActivity activity;
};

class SessionEngine {
 public:
  // What the engine works with; each must outlive it.
  struct Services {
    InstallationData& data;
    const Options& options;
    Feedback& feedback;
    const Operator& op;
    CardInput& input;
    Question& question;
    Clock& clock;
    Random& random;
    MessageBoxes& boxes;
    Diagnostics& diagnostics;
  };

  SessionEngine(Services services, std::unique_ptr<Timer> flashTimer);
  SessionEngine(const SessionEngine&) = delete;
  SessionEngine& operator=(const SessionEngine&) = delete;

  // The meaning of a completed card number.
  void SwipeDispatch(const std::string& card);
  // First slot holding the card, 0 when none.
  int FindCardHolder(int64_t card) const;

  // A room row confirmed (Enter, Space, a left click, automatic check-in).
  void ConfirmCheckIn(int row, bool leftButton = true);
  void CancelCheckIn();
  // Starts a session; false when it could not be started.
  bool CheckIn(int student, int room);
  // Ends a session with billing: every write done, or none and the box
  // tells which failed. False when nothing was ended.
  bool CheckOut(int student);

  // The overtime monitor's tick (every minute).
  void OvertimeTick();
  // "全部下线".
  void CheckOutEverybody();

  void AppendActivity(const std::string& text);
  // A journal that could not be cleared waits for the next start, which
  // makes its writes again: until then no student record may change.
  bool journalWaiting() const { return journalLeft_; }

  // Session list (flashing `student` when 1 or more), counters, room list.
  void RefreshBoards(int flashStudent = 0);
  void RebuildRoomList(int a, int b);
  void ShowSessionList(int a);
  void ApplyStartupOrdering();

  const CheckinDialogue& dialogue() const { return dialogue_; }
  const std::string& activityText() const { return activity_; }
  const CounterTexts& counters() const { return counters_; }
  const std::string& clockText() const { return clockText_; }
  const Proposal& proposal() const { return proposal_; }
  RoomBoard& roomBoard() { return roomBoard_; }
  SessionBoard& sessionBoard() { return sessionBoard_; }
  MajorSelector& majors() { return majors_; }
  AssignmentOptions assignmentOptions() const;
  RoomListContext roomContext() const;
  SessionListContext sessionContext() const;

  // The remembered row that a "是" of the countdown box checks in to.
  void RepeatRememberedRow();

  // Told when the main window should come to the front.
  Signal<> bringToFront;
  // Redraw request after any change of the lists, the panel or the texts.
  Signal<> changed;

 private:
  void OpenDialogue(int student);
  // The year file's record of a check-in (kind 0) or check-out (kind 1) now.
  CheckinRecord YearRecord(uint8_t kind, int student, int room, const DateTime& now, float fee, OleDate keyDate) const;
  // A write of a check-in or check-out failed and was taken back.
  void WriteFailed(const std::string& text);
  // The crash journal around a check-in or check-out (store/Journal.h).
  // Begin: the plan on disk before the first write; false (and told) when
  // it is not, and nothing may be written.
  bool BeginJournal(const Result<WritePlan>& plan, const std::string& notDone);
  // The operation is complete, or every write of it was taken back.
  void EndJournal();
  // A failure whose undo could not be written: the journal stays, so the
  // next start completes the operation exactly once; until then no other
  // check-in or check-out may overwrite it.
  void LeaveJournal(const std::string& failure, const std::string& completedAtStart);
  void CloseDialogue();
  void Changed();
  std::string Stamp() const;  // hh:mm of the current time
  std::string CardText(int64_t card) const;

  InstallationData& data_;
  const Options& options_;
  Feedback& feedback_;
  const Operator& operator_;
  CardInput& input_;
  Question& question_;
  Clock& clock_;
  Random& random_;
  MessageBoxes& boxes_;
  Diagnostics& diagnostics_;
  RoomBoard roomBoard_;
  SessionBoard sessionBoard_;
  MajorSelector majors_;
  CheckinDialogue dialogue_;
  CounterTexts counters_;
  std::string activity_;
  std::string clockText_;
  Proposal proposal_;
  int currentStudent_ = 0;
  int rememberedRow_ = -1;
  bool journalLeft_ = false;
};

}  // namespace tarvolen
