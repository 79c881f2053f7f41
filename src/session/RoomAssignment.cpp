#include "session/RoomAssignment.h"

#include <algorithm>
#include <vector>

#include "session/SessionClock.h"

namespace tarvolen {
namespace {

// One qualifying occupied room: the session's position, room and occupant.
struct Occupied {
  int position = 0;
  int room = 0;
  int occupant = 0;
  int overtime = 0;
};

// The sessions that pass the time filter and whose room fits the major, in
// position order.
std::vector<Occupied> FittingOccupiedRooms(const AssignmentContext& ctx) {
  std::vector<Occupied> out;
  const int count = ctx.sessions.count();
  for (int p = 0; p < count; ++p) {
    const SessionRecord& s = ctx.sessions.at(p);
    if (!SessionSlotsValid(s)) continue;
    if (ctx.rooms[s.room].type != ctx.major) continue;
    const int overtime = SessionOvertime(s, ctx.rooms, ctx.options.defaultTimeLimit, ctx.now);
    if (!PassesTimeFilter(overtime, ctx.options)) continue;
    out.push_back({p, s.room, s.student, overtime});
  }
  return out;
}

bool FreeFits(const AssignmentContext& ctx, int room) {
  return RoomIsFreeAndFits(ctx.rooms, ctx.sessions, room, ctx.major);
}

Proposal ByOvertime(const AssignmentContext& ctx) {
  if (ctx.options.useIdleRooms) {
    for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
      if (FreeFits(ctx, r)) return {r, 0};
    }
  }
  Proposal best;
  if (!ctx.options.useOvertimeRooms) return best;
  // The greatest overtime wins; a tie keeps the earliest position. The
  // comparison starts below every possible overtime, so any qualifying
  // session can win, even one at -32000 or below (a room without a time
  // limit, or a clock set back).
  bool found = false;
  int bestOvertime = 0;
  for (const Occupied& o : FittingOccupiedRooms(ctx)) {
    if (!found || o.overtime > bestOvertime) {
      found = true;
      bestOvertime = o.overtime;
      best = {o.room, o.occupant};
    }
  }
  return best;
}

Proposal RandomRoom(const AssignmentContext& ctx) {
  std::vector<Proposal> candidates;
  if (ctx.options.useIdleRooms) {
    for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
      if (FreeFits(ctx, r)) candidates.push_back({r, 0});
    }
  }
  if (ctx.options.useOvertimeRooms) {
    for (const Occupied& o : FittingOccupiedRooms(ctx)) candidates.push_back({o.room, o.occupant});
  }
  if (candidates.empty()) return {};
  const double draw = ctx.random.next() * static_cast<double>(candidates.size());
  size_t index = draw > 0 ? static_cast<size_t>(draw) : 0;
  if (index >= candidates.size()) index = candidates.size() - 1;  // a source returning 1.0
  return candidates[index];
}

Proposal RoomOrder(const AssignmentContext& ctx) {
  Proposal proposal;
  if (ctx.options.useIdleRooms) {
    for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
      if (FreeFits(ctx, r)) {
        proposal = {r, 0};
        break;
      }
    }
  }
  if (!ctx.options.useOvertimeRooms) return proposal;
  // The lowest room slot; the earliest position among equal slots.
  const Occupied* lowest = nullptr;
  const std::vector<Occupied> occupied = FittingOccupiedRooms(ctx);
  for (const Occupied& o : occupied) {
    if (lowest == nullptr || o.room < lowest->room) lowest = &o;
  }
  // No free room proposed (room 0) counts as "nothing to beat": the lowest
  // qualifying occupied room is proposed, as reverse order does. Compared
  // literally against room 0 no occupied room could ever be proposed, and
  // "使用超时房间" would do nothing in this mode.
  if (lowest != nullptr && (proposal.room == 0 || lowest->room < proposal.room)) {
    proposal = {lowest->room, lowest->occupant};
  }
  return proposal;
}

Proposal ReverseOrder(const AssignmentContext& ctx) {
  Proposal proposal;
  if (ctx.options.useIdleRooms) {
    for (int r = RoomTable::kLastSlot; r >= 1; --r) {
      if (FreeFits(ctx, r)) {
        proposal = {r, 0};
        break;
      }
    }
  }
  if (!ctx.options.useOvertimeRooms) return proposal;
  // Scanned from the last position down: the highest room slot, the latest
  // position among equal slots.
  const std::vector<Occupied> occupied = FittingOccupiedRooms(ctx);
  const Occupied* highest = nullptr;
  for (auto it = occupied.rbegin(); it != occupied.rend(); ++it) {
    if (highest == nullptr || it->room > highest->room) highest = &*it;
  }
  if (highest != nullptr && highest->room > proposal.room) proposal = {highest->room, highest->occupant};
  return proposal;
}

}  // namespace

int SessionOvertime(const SessionRecord& session, const RoomTable& rooms, int defaultTimeLimit, const DateTime& now) {
  const int overtime =
      SessionElapsedMinutes(session, now) - RoomTimeLimit(rooms[session.room].timeLimitCode, defaultTimeLimit);
  // A session whose start is not valid is never overtime, whatever limit a
  // damaged option gives: the monitor must not check it out by itself.
  return HasValidStart(session) ? overtime : std::min(overtime, 0);
}

bool SessionSlotsValid(const SessionRecord& session) {
  return RoomTable::validSlot(session.room) && StudentTable::validSlot(session.student);
}

bool IsDedicatedRoom(const StudentRecord& student, int room) {
  for (int16_t r : student.dedicatedRooms) {
    if (r == room) return true;
  }
  return false;
}

bool RoomIsFreeAndFits(const RoomTable& rooms, const ActiveSessionTable& sessions, int room, int major) {
  if (!RoomTable::validSlot(room)) return false;
  const RoomRecord& r = rooms[room];
  return sessions.freePlaces(room) >= 1 && !r.isFree() && r.type == major && r.isOpen();
}

bool PassesTimeFilter(int overtime, const AssignmentOptions& options) { return overtime > 0 || options.useRoomsInTime; }

Proposal AssignRoom(const AssignmentContext& ctx, int& lastVacatedRoom) {
  switch (ctx.options.assignmentMode) {
    case kByOvertime: return ByOvertime(ctx);
    case kRandomRoom: return RandomRoom(ctx);
    case kRoomOrder: return RoomOrder(ctx);
    case kReverseOrder: return ReverseOrder(ctx);
    case kLastVacated: {
      Proposal p;
      if (lastVacatedRoom >= 1) {
        // No filter: the room just left is offered whatever its type.
        if (RoomTable::validSlot(lastVacatedRoom)) p = {lastVacatedRoom, 0};
        lastVacatedRoom = 0;
      }
      return p;
    }
    default:  // "手动选择" and unknown modes: the operator chooses
      return {};
  }
}

}  // namespace tarvolen
