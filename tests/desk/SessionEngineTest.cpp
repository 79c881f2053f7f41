// The swipe, check-in and check-out on a demo installation, driven like the
// desk is: keys into the key handler, a fake clock and fake timers.
#include <gtest/gtest.h>

#include <algorithm>

#include "desk/SessionEngine.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using namespace settings;

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    inst_.clock().set({{2012, 9, 3}, 9, 0, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    LogIn(6, "pw");
  }

  void LogIn(int identity, const std::string& password) {
    if (desk_->prompt().firstRun()) {
      desk_->prompt().setPassword(password);
      desk_->prompt().setSecond(password);
      ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
      return;
    }
    desk_->SwitchIdentity();
    desk_->prompt().select(identity);
    desk_->prompt().setPassword(password);
    ASSERT_NE(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::Stay);
  }

  void Swipe(const std::string& card) {
    for (char c : card) desk_->KeyDown(96 + (c - '0'));
    desk_->KeyDown(13);
  }

  bool Pushed(const std::string& text) const {
    const auto& h = desk_->notifier().history();
    return std::find(h.begin(), h.end(), text) != h.end();
  }
  bool PushedStartingWith(const std::string& head) const {
    for (const auto& m : desk_->notifier().history()) {
      if (m.find(head) != std::string::npos) return true;
    }
    return false;
  }
  CheckinRecord YearRecord(int n) { return UnpackCheckin(desk_->checkins().read(n).value()); }
  SessionEngine& engine() { return desk_->engine(); }
  void Advance(int minutes) { inst_.clock().advanceMinutes(minutes); }

  Installation inst_{true, {2012, 9, 3}};
  std::unique_ptr<Desk> desk_;
};

TEST_F(EngineTest, RefusalsComeInTheirOrder) {
  struct Case {
    const char* card;
    const char* message;
    const char* sound;
  } cases[] = {{"0", "不是合法卡号", "4.wav"},
               {"000", "不是合法卡号", "4.wav"},
               {"999999999999", "不是存在的卡号！", "4.wav"},
               {"1012", "已挂失的卡号！", "7.wav"},
               {"1015", "已停用的卡号！", "7.wav"},
               {"1007", "卡上余额不足提醒充值！", nullptr}};
  for (const auto& c : cases) {
    inst_.sound().played.clear();
    engine().CancelCheckIn();
    Swipe(c.card);
    EXPECT_TRUE(Pushed(c.message)) << c.card;
    // Every refusal empties the buffer; a dialogue keeps the number shown.
    if (!engine().dialogue().visible) {
      EXPECT_EQ(desk_->cardInput().buffer(), "") << c.card;
    }
    if (c.sound) {
      ASSERT_FALSE(inst_.sound().played.empty()) << c.card;
      EXPECT_EQ(inst_.sound().played.front(), c.sound) << c.card;
    }
  }
  engine().CancelCheckIn();
  EXPECT_EQ(desk_->cardInput().buffer(), "");
}

TEST_F(EngineTest, IdentityWithoutCheckInRightIsRefusedAfterTheCardWarnings) {
  LogIn(0, "");  // the visitor holds no right
  Swipe("1012");
  const auto& h = desk_->notifier().history();
  auto lost = std::find(h.begin(), h.end(), "已挂失的卡号！");
  auto refused = std::find(h.begin(), h.end(), "请以管理员身份操作！");
  ASSERT_NE(lost, h.end());
  ASSERT_NE(refused, h.end());
  EXPECT_LT(lost, refused);
  EXPECT_FALSE(engine().dialogue().visible);
  EXPECT_EQ(desk_->cardInput().mode(), KeyboardMode::Normal);
}

TEST_F(EngineTest, SwipeCheckInWithEnterAndCheckOutBills) {
  Swipe("1001");
  ASSERT_TRUE(engine().dialogue().visible);
  EXPECT_EQ(desk_->cardInput().mode(), KeyboardMode::RoomSelection);
  EXPECT_EQ(engine().proposal().room, 1);  // room order: the lowest fitting free room
  EXPECT_EQ(engine().roomBoard().selectedRoomLabel(), "琴房101");
  desk_->KeyDown(13);
  EXPECT_FALSE(engine().dialogue().visible);
  EXPECT_EQ(desk_->cardInput().mode(), KeyboardMode::Normal);
  ASSERT_EQ(desk_->sessions().count(), 1);
  EXPECT_EQ(desk_->sessions().at(0).room, 1);
  EXPECT_EQ(inst_.settings().longAt(kSessionCount), 1);
  CheckinRecord in = YearRecord(1);
  EXPECT_EQ(in.kind, 0);
  EXPECT_EQ(in.student, 1);
  EXPECT_EQ(in.room, 1);
  EXPECT_EQ(in.time, 9 * 60);
  EXPECT_EQ(in.operatorId, 6);
  EXPECT_EQ(in.keyDate, desk_->students()[1].enrolled);
  EXPECT_TRUE(PushedStartingWith("09:00 " + desk_->students()[1].name + "[0000001001]登录琴房101 钢琴"));
  EXPECT_EQ(inst_.sound().played.back(), "3.wav");

  const float before = desk_->students()[1].balance;
  Advance(47);  // unit 30, tolerance 5: 47 minutes bill 60 at 10 yuan an hour
  Swipe("1001");
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_FLOAT_EQ(desk_->students()[1].balance, before - 10.0f);
  StudentTable reread;
  ASSERT_TRUE(reread.load(inst_.folder()).ok());
  EXPECT_FLOAT_EQ(reread[1].balance, before - 10.0f);
  EXPECT_EQ(reread[1].totalMinutes, 47);
  EXPECT_EQ(reread[1].checkinCount, 1);
  CheckinRecord out = YearRecord(2);
  EXPECT_EQ(out.kind, 1);
  EXPECT_FLOAT_EQ(out.fee, 10.0f);
  EXPECT_EQ(out.time, 9 * 60 + 47);
  EXPECT_TRUE(PushedStartingWith("]下线琴房101 钢琴 1时00分 10.00元"));
  EXPECT_EQ(inst_.sound().played.back(), "6.wav");
  EXPECT_EQ(inst_.settings().longAt(kSessionCount), 0);
  EXPECT_EQ(desk_->sessions().lastVacatedRoom(), 1);
}

TEST_F(EngineTest, SecondSwipeWithinProtectionAsksAndTheCountdownChecksOut) {
  Swipe("1001");
  desk_->KeyDown(13);
  ASSERT_EQ(desk_->sessions().count(), 1);
  Advance(1);  // protection is 2 minutes
  Swipe("1001");
  EXPECT_EQ(desk_->confirmationState(), ConfirmationState::CheckOutAsked);
  EXPECT_TRUE(desk_->countdown().view().visible);
  EXPECT_EQ(desk_->countdown().view().text, "此卡用时未超过2分钟,是否要下线？");
  EXPECT_FALSE(desk_->mainWindowEnabled());
  EXPECT_EQ(desk_->sessions().count(), 1);
  // Nobody answers: the digit timeout empties the buffer after 10 s, the
  // box presses "是" after 16 s, and the check-out still happens.
  inst_.timers().advance(16000);
  EXPECT_FALSE(desk_->countdown().view().visible);
  EXPECT_TRUE(desk_->mainWindowEnabled());
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_EQ(desk_->confirmationState(), ConfirmationState::None);
  EXPECT_FALSE(engine().dialogue().visible);  // not checked in again
}

TEST_F(EngineTest, AnsweringNoKeepsTheSession) {
  Swipe("1001");
  desk_->KeyDown(13);
  Swipe("1001");
  inst_.timers().advance(400);
  desk_->countdown().press(CountdownBox::kNo);
  EXPECT_EQ(desk_->sessions().count(), 1);
  EXPECT_EQ(desk_->confirmationState(), ConfirmationState::None);
}

TEST_F(EngineTest, EscapeCancelsTheRoomSelection) {
  Swipe("1002");
  ASSERT_TRUE(engine().dialogue().visible);
  desk_->KeyDown(27);
  EXPECT_FALSE(engine().dialogue().visible);
  EXPECT_EQ(desk_->cardInput().mode(), KeyboardMode::Normal);
  EXPECT_EQ(desk_->sessions().count(), 0);
}

TEST_F(EngineTest, DigitsDuringRoomSelectionAreIgnored) {
  Swipe("1002");
  Swipe("1003");  // a second card cannot interrupt; its Enter confirms the room
  EXPECT_EQ(desk_->sessions().count(), 1);
  EXPECT_EQ(desk_->sessions().at(0).student, 2);
}

TEST_F(EngineTest, OvertimeTickChecksOutTwoInOneTickAndExaminesTheMovedSession) {
  desk_->options().autoCheckout = true;
  desk_->options().overtimeWait = 0;
  desk_->options().defaultTimeLimit = 30;
  for (const char* card : {"1001", "1002", "1003"}) {
    Swipe(card);
    desk_->KeyDown(13);
  }
  ASSERT_EQ(desk_->sessions().count(), 3);
  // Sessions 0 and 2 run long: give the third a room with no limit instead.
  Advance(31);
  desk_->rooms()[desk_->sessions().at(1).room].timeLimitCode = 1;
  inst_.sound().played.clear();
  desk_->engine().OvertimeTick();
  EXPECT_EQ(desk_->sessions().count(), 1);
  EXPECT_EQ(std::count(inst_.sound().played.begin(), inst_.sound().played.end(), "6.wav"), 2);
  EXPECT_EQ(engine().clockText(), "09:31");
}

TEST_F(EngineTest, OvertimeAnnouncedOnceWithoutAutomaticCheckOut) {
  desk_->options().defaultTimeLimit = 30;
  Swipe("1001");
  desk_->KeyDown(13);
  Advance(31);
  int fronts = 0;
  engine().bringToFront.connect([&] { ++fronts; });
  inst_.timers().advance(60000);  // the monitor's own timer
  Advance(5);
  engine().OvertimeTick();
  EXPECT_EQ(desk_->sessions().count(), 1);
  EXPECT_TRUE(desk_->sessions().isOvertime(0));
  EXPECT_EQ(desk_->sessions().overtimeCount(), 1);
  int announcements = 0;
  for (const auto& m : desk_->notifier().history()) announcements += m.find("]超时琴房101") != std::string::npos;
  EXPECT_EQ(announcements, 1);
  EXPECT_EQ(fronts, 1);
}

TEST_F(EngineTest, CheckOutEverybodyAsksFirst) {
  for (const char* card : {"1001", "1002", "1003"}) {
    Swipe(card);
    desk_->KeyDown(13);
  }
  inst_.boxes().answer = false;
  engine().CheckOutEverybody();
  EXPECT_EQ(desk_->sessions().count(), 3);
  EXPECT_EQ(inst_.boxes().boxes.back().text, "确定要清空学员登记列表吗");
  inst_.boxes().answer = true;
  inst_.sound().played.clear();
  engine().CheckOutEverybody();
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_EQ(std::count(inst_.sound().played.begin(), inst_.sound().played.end(), "6.wav"), 3);
}

TEST_F(EngineTest, ClockSetBackLogsTheAnomalyAndChargesNothing) {
  Swipe("1001");
  desk_->KeyDown(13);
  const float before = desk_->students()[1].balance;
  Advance(-60);   // unit 30, tolerance 5: -60 minutes bill ((-66) \\ 30 + 1) * 30 = -30
  Swipe("1001");  // protection: 2 > -60, so it asks first
  inst_.timers().advance(400);
  desk_->countdown().press(CountdownBox::kYes);
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_FLOAT_EQ(desk_->students()[1].balance, before);
  ASSERT_EQ(desk_->log().count(), 1);
  LogRecord line = UnpackLog(desk_->log().read(1).value());
  EXPECT_EQ(line.operation, 9);
  EXPECT_EQ(line.student, 1);
  EXPECT_EQ(line.room, 1);
  EXPECT_EQ(line.remark, "用时异常(-30分)，已忽略为0，请保持系统时间准确！");
  EXPECT_EQ(desk_->students()[1].totalMinutes, -60);
}

TEST_F(EngineTest, LostCardOpensTheDialogueButIsRefusedAtCheckIn) {
  Swipe("1012");
  ASSERT_TRUE(engine().dialogue().visible);
  EXPECT_EQ(engine().dialogue().status.colour, StatusColour::Red);
  desk_->KeyDown(13);
  EXPECT_TRUE(Pushed("此卡有异常状态，不能登记！"));
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_TRUE(engine().dialogue().visible);  // the dialogue stays for another choice
}

TEST_F(EngineTest, MajorMismatchAsksAndNoKeepsTheDialogueOpen) {
  // Student 2 studies 声乐; take the major selector to 钢琴 and choose room 1.
  Swipe("1002");
  ASSERT_TRUE(engine().dialogue().visible);
  desk_->engine().CancelCheckIn();
  desk_->cardInput().setMajorIndex(0);  // 钢琴
  Swipe("1002");
  ASSERT_TRUE(engine().dialogue().visible);
  const int row = engine().roomBoard().selectedRow();
  ASSERT_GE(row, 0);
  const auto& chosen = engine().roomBoard().rows()[static_cast<size_t>(row)];
  ASSERT_EQ(chosen.typeName, "钢琴");
  desk_->engine().ConfirmCheckIn(row, true);
  if (desk_->countdown().view().visible) {
    EXPECT_NE(desk_->countdown().view().text.find("]与所选专业:"), std::string::npos);
    inst_.timers().advance(400);
    desk_->countdown().press(CountdownBox::kNo);
    EXPECT_TRUE(engine().dialogue().visible);
    EXPECT_EQ(desk_->sessions().count(), 0);
  }
}

}  // namespace
}  // namespace tarvolen
