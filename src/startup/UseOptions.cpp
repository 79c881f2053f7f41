#include "startup/UseOptions.h"

namespace tarvolen {

void ClickUseOption(Options& options, DirtyGroups& dirty, UseOption which, bool on) {
  switch (which) {
    case UseOption::IdleRooms:
      options.useIdleRooms = on;
      dirty.mark(OptionGroup::Board);
      break;
    case UseOption::OvertimeRooms:
      options.useOvertimeRooms = on;
      if (!on) options.useRoomsInTime = false;
      dirty.mark(OptionGroup::Board);
      break;
    case UseOption::RoomsInTime:
      // A disabled box cannot be clicked on.
      if (RoomsInTimeEnabled(options)) options.useRoomsInTime = on;
      break;
  }
}

}  // namespace tarvolen
