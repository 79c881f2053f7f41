#pragma once
// The three use-option boxes of the student panel ("使用空闲房间",
// "使用超时房间", "使用未超时房间"): which rooms the assignment and the room
// list may offer. A click changes the option at once; the caller then
// redraws the boards.
#include "startup/Options.h"

namespace tarvolen {

enum class UseOption { IdleRooms, OvertimeRooms, RoomsInTime };

// A click that leaves the box `on`. Turning "使用超时房间" off also turns
// "使用未超时房间" off. "使用空闲房间" and "使用超时房间" mark the board option
// group changed; "使用未超时房间" alone marks nothing (it is written with the
// group when another option of it changed).
void ClickUseOption(Options& options, DirtyGroups& dirty, UseOption which, bool on);

// "使用未超时房间" takes clicks only while "使用超时房间" is on.
inline bool RoomsInTimeEnabled(const Options& options) { return options.useOvertimeRooms; }

}  // namespace tarvolen
