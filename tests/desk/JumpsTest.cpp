// The Ctrl-click jumps from the desk's lists to the student and room pages:
// the right each tests first, the filters following the student, the
// pending check-in cancelled.
#include <gtest/gtest.h>

#include "desk/Jumps.h"
#include "desk/SessionEngine.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;

class JumpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inst_.clock().set({{2012, 9, 3}, 9, 30, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    // 王芳 (slot 2, not of the newest grade) practises in 琴房101: row 0 of the session list.
    ASSERT_TRUE(desk_->engine().CheckIn(2, 1));
    desk_->engine().RefreshBoards();
    ASSERT_EQ(desk_->engine().sessionBoard().rows()[0].student, 2);
  }
  void Without(Right right) {
    desk_->op().identities()[desk_->currentIdentity()].permissions &= static_cast<uint16_t>(~RightBit(right));
  }
  std::string LastMessage() const { return desk_->notifier().history().back(); }

  Installation inst_{true, {2012, 9, 3}};
  std::unique_ptr<Desk> desk_;
};

TEST_F(JumpsTest, AStudentsNameOpensHisRowOnTheStudentPage) {
  StudentList& list = desk_->studentList();
  ASSERT_EQ(list.RowOf(2), -1);  // the list shows the newest grade only
  desk_->jumps().Jump(JumpCell::SessionName, 0);
  EXPECT_TRUE(desk_->adminArea().isOpen());
  EXPECT_EQ(desk_->adminArea().page(), 3);
  const int row = list.RowOf(2);
  ASSERT_GE(row, 0);
  EXPECT_TRUE(list.isSelected(row));
  EXPECT_EQ(list.selectedCount(), 1);
}

TEST_F(JumpsTest, ARoomCellOpensTheRoomPage) {
  desk_->jumps().Jump(JumpCell::SessionRoom, 0);
  EXPECT_EQ(desk_->adminArea().page(), 2);
}

TEST_F(JumpsTest, EachJumpTestsItsRightFirst) {
  struct Case {
    JumpCell cell;
    Right missing;
    const char* message;
  } cases[] = {
      {JumpCell::SessionName, Right::Students, "已退出"},
      {JumpCell::PanelName, Right::Students, "已退出"},
      {JumpCell::SessionRoom, Right::Rooms, "已退出"},
  };
  for (const Case& c : cases) {
    Without(c.missing);
    desk_->jumps().Jump(c.cell, 0);
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_FALSE(desk_->adminArea().isOpen());
  }
}

TEST_F(JumpsTest, AnEmptyCellJumpsNowhere) {
  desk_->jumps().Jump(JumpCell::SessionName, 5);
  EXPECT_FALSE(desk_->adminArea().isOpen());
}

}  // namespace
}  // namespace tarvolen
