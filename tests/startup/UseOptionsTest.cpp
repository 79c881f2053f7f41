// The use-option boxes of the student panel: what a click changes and which
// option group it marks for save-and-exit.
#include <gtest/gtest.h>

#include "startup/UseOptions.h"

namespace tarvolen {
namespace {

bool OnlyBoardMarked(const DirtyGroups& d) {
  for (int g = 0; g < 8; ++g) {
    const bool set = d.isSet(static_cast<OptionGroup>(g));
    if (set != (g == static_cast<int>(OptionGroup::Board))) return false;
  }
  return true;
}

bool NothingMarked(const DirtyGroups& d) {
  for (int g = 0; g < 8; ++g) {
    if (d.isSet(static_cast<OptionGroup>(g))) return false;
  }
  return true;
}

TEST(UseOptionsTest, IdleRoomsSetsTheOptionAndMarksTheBoardGroup) {
  Options o;
  DirtyGroups d;
  ClickUseOption(o, d, UseOption::IdleRooms, true);
  EXPECT_TRUE(o.useIdleRooms);
  EXPECT_TRUE(OnlyBoardMarked(d));
  ClickUseOption(o, d, UseOption::IdleRooms, false);
  EXPECT_FALSE(o.useIdleRooms);
  EXPECT_FALSE(o.useOvertimeRooms);
  EXPECT_FALSE(o.useRoomsInTime);
}

TEST(UseOptionsTest, OvertimeRoomsOffAlsoTurnsRoomsInTimeOffAndDisablesIt) {
  Options o;
  o.useOvertimeRooms = true;
  o.useRoomsInTime = true;
  ASSERT_TRUE(RoomsInTimeEnabled(o));
  DirtyGroups d;
  ClickUseOption(o, d, UseOption::OvertimeRooms, false);
  EXPECT_FALSE(o.useOvertimeRooms);
  EXPECT_FALSE(o.useRoomsInTime);
  EXPECT_FALSE(RoomsInTimeEnabled(o));
  EXPECT_TRUE(OnlyBoardMarked(d));

  // Turning it on again enables the box but leaves it off.
  ClickUseOption(o, d, UseOption::OvertimeRooms, true);
  EXPECT_TRUE(o.useOvertimeRooms);
  EXPECT_TRUE(RoomsInTimeEnabled(o));
  EXPECT_FALSE(o.useRoomsInTime);
}

TEST(UseOptionsTest, RoomsInTimeAloneMarksNothing) {
  Options o;
  o.useOvertimeRooms = true;
  DirtyGroups d;
  ClickUseOption(o, d, UseOption::RoomsInTime, true);
  EXPECT_TRUE(o.useRoomsInTime);
  EXPECT_TRUE(NothingMarked(d));
  ClickUseOption(o, d, UseOption::RoomsInTime, false);
  EXPECT_FALSE(o.useRoomsInTime);
  EXPECT_TRUE(NothingMarked(d));
}

TEST(UseOptionsTest, RoomsInTimeCannotBeTurnedOnWhileDisabled) {
  Options o;  // "使用超时房间" off
  DirtyGroups d;
  ClickUseOption(o, d, UseOption::RoomsInTime, true);
  EXPECT_FALSE(o.useRoomsInTime);
}

}  // namespace
}  // namespace tarvolen
