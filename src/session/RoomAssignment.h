#pragma once
// Room assignment: the room the desk proposes to a swiping student who is
// not checked in, by the assignment mode of the options. A proposal is a
// room and, for an occupied room, the occupant who would be checked out to
// make way.
#include "platform/Random.h"
#include "store/ActiveSessionTable.h"
#include "store/OleDate.h"
#include "store/Records.h"
#include "store/Tables.h"

namespace tarvolen {

// Assignment modes (set.dat position 10).
enum AssignmentMode : int {
  kManualChoice = 0,  // "手动选择"
  kByOvertime = 1,    // "按超时"
  kRandomRoom = 2,    // "随机分配"
  kRoomOrder = 3,     // "房间顺序"
  kReverseOrder = 4,  // "房间逆序"
  kLastVacated = 5,   // "最近下线"
};

// The options that decide which rooms a student may be given.
struct AssignmentOptions {
  bool useIdleRooms = false;      // "使用空闲房间": rooms with a free place
  bool useOvertimeRooms = false;  // "使用超时房间": rooms whose occupant is overtime
  bool useRoomsInTime = false;    // "使用未超时房间": with the previous one, any occupant
  bool byDedicatedRoom = false;   // "按专用琴房分配": only the student's own rooms
  int assignmentMode = kManualChoice;
  int defaultTimeLimit = 0;  // minutes, for rooms of time-limit code 0
};

struct Proposal {
  int room = 0;      // 0: nothing proposed
  int occupant = 0;  // student slot of the session to replace; 0 for a free place
  friend bool operator==(const Proposal&, const Proposal&) = default;
};

struct AssignmentContext {
  const RoomTable& rooms;
  const StudentTable& students;
  const ActiveSessionTable& sessions;
  int student = 0;  // the swiping student's slot
  int major = 0;    // the major rooms are matched against (MajorSelector::SelectedMajor)
  AssignmentOptions options;
  DateTime now;
  Random& random;
};

// Overtime of a session: minutes used minus its room's time limit; above 0
// means overtime. The room slot must be valid.
int SessionOvertime(const SessionRecord& session, const RoomTable& rooms, int defaultTimeLimit, const DateTime& now);

// Whether the session names a room and a student that can exist. Sessions
// that do not are left out of every list and every choice.
bool SessionSlotsValid(const SessionRecord& session);

// Whether `room` is one of the student's three dedicated rooms.
bool IsDedicatedRoom(const StudentRecord& student, int room);

// The free-room filter: a free place, a name, the room type equals `major`,
// in service.
bool RoomIsFreeAndFits(const RoomTable& rooms, const ActiveSessionTable& sessions, int room, int major);

// The time filter for occupied rooms: the session is overtime, or
// "使用未超时房间" is on.
bool PassesTimeFilter(int overtime, const AssignmentOptions& options);

// Proposes a room by the assignment mode. `lastVacatedRoom` is the table's
// most recently vacated room: mode 5 proposes it when it is 1 or more and
// sets it to 0 (the caller writes it back to the table). Other modes leave
// it alone. Sessions naming impossible slots are skipped.
Proposal AssignRoom(const AssignmentContext& ctx, int& lastVacatedRoom);

}  // namespace tarvolen
