#pragma once
// The jumps from the main window's lists to the administration pages: a
// Ctrl-click on a student's name opens the student page with that student
// selected, on a room the room page with that room. Each jump first tests
// the right of the page it opens ("已退出" when it is missing).
#include <functional>

#include "access/AdminArea.h"
#include "access/Operator.h"
#include "admin/StudentList.h"
#include "notify/Feedback.h"

namespace tarvolen {

class SessionEngine;

// The cells a jump starts from.
enum class JumpCell {
  PanelName,     // the swiped student's name on the student panel (Label7(12))
  SessionName,   // a name cell of the session list (Labname)
  RoomOccupant,  // an occupant's name in the room list (Labfxm)
  SessionRoom,   // a room cell of the session list (Labfh)
  RoomName,      // a room name cell of the room list (Labffj)
};

class Jumps {
 public:
  struct Services {
    const Operator& op;
    Feedback& feedback;
    SessionEngine& engine;
    AdminArea& area;
    StudentList& students;
  };
  struct Hooks {
    // The room editor's row of the room, alone selected and loaded.
    std::function<void(int room)> selectRoom;
  };

  Jumps(Services services, Hooks hooks) : s_(services), hooks_(std::move(hooks)) {}

  // A Ctrl-click on `cell` in row `row` of the shown page (ignored for the
  // panel's name).
  void Jump(JumpCell cell, int row);

 private:
  bool Open(int page);

  Services s_;
  Hooks hooks_;
};

}  // namespace tarvolen
