// The key handler: card buffer, modes, options and the digit timeout.
#include <gtest/gtest.h>

#include "cardinput/CardInput.h"
#include "platform/fake/FakeTimers.h"

namespace tarvolen {
namespace {

struct Harness {
  FakeTimerFactory timers;
  bool enabled = true;
  bool foreground = true;
  bool forced = false;
  bool mainRow = false;
  int sessions = 0;
  int candidates = 0;
  std::vector<std::string> swipes;
  int checkIns = 0;
  int cancels = 0;
  int roomMoves = 0;
  std::unique_ptr<CardInput> input;

  Harness() {
    CardInput::Hooks h;
    h.mainWindowEnabled = [this] { return enabled; };
    h.mainWindowForeground = [this] { return foreground; };
    h.focusForced = [this] { return forced; };
    h.mainRowDigits = [this] { return mainRow; };
    h.sessionCount = [this] { return sessions; };
    h.candidateCount = [this] { return candidates; };
    h.swipe = [this](const std::string& c) { swipes.push_back(c); };
    h.checkInSelectedRow = [this] { ++checkIns; };
    h.cancelRoomSelection = [this] { ++cancels; };
    h.roomRowMoved = [this] { ++roomMoves; };
    input = std::make_unique<CardInput>(std::move(h), timers.make());
  }
  void keys(std::initializer_list<int> ks) {
    for (int k : ks) input->TKeyKeyDown(k);
  }
};

struct BufferCase {
  const char* name;
  KeyboardMode mode;
  bool foreground;
  bool forced;
  bool mainRow;
  std::vector<int> keys;
  std::string buffer;
};

class CardBuffer : public ::testing::TestWithParam<BufferCase> {};

TEST_P(CardBuffer, CollectsOnlyWhatTheRulesAllow) {
  const BufferCase& c = GetParam();
  Harness h;
  h.input->setMode(c.mode);
  h.foreground = c.foreground;
  h.forced = c.forced;
  h.mainRow = c.mainRow;
  for (int k : c.keys) h.input->TKeyKeyDown(k);
  EXPECT_EQ(h.input->buffer(), c.buffer);
  EXPECT_TRUE(h.swipes.empty());
}

using M = KeyboardMode;
INSTANTIATE_TEST_SUITE_P(
    Table, CardBuffer,
    ::testing::Values(BufferCase{"KeypadAlways", M::Normal, true, false, false, {97, 98, 99}, "123"},
                      BufferCase{"MainRowOffIgnored", M::Normal, true, false, false, {49, 50}, ""},
                      BufferCase{"MainRowOn", M::Normal, true, false, true, {49, 50, 96}, "120"},
                      BufferCase{"OtherKeysIgnored", M::Normal, true, false, true, {65, 32, 27, 110, 106}, ""},
                      BufferCase{"BackgroundIgnored", M::Normal, false, false, false, {97, 98}, ""},
                      BufferCase{"BackgroundForced", M::Normal, false, true, false, {97, 98}, "12"},
                      BufferCase{"RoomSelectionIgnoresDigits", M::RoomSelection, true, true, false, {97, 98}, ""},
                      BufferCase{"AdministrationIgnoresDigits", M::Administration, true, true, false, {97}, ""},
                      BufferCase{"BackspaceRemovesLast", M::Normal, true, false, false, {97, 98, 99, 8}, "12"},
                      BufferCase{"BackspaceOnEmpty", M::Normal, true, false, false, {8, 8, 97}, "1"},
                      BufferCase{"ThirteenthDigitAccepted",
                                 M::Normal,
                                 true,
                                 false,
                                 false,
                                 {97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 98},
                                 "1111111111112"},
                      BufferCase{"FourteenthNeverStored",
                                 M::Normal,
                                 true,
                                 false,
                                 false,
                                 {97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 99, 99},
                                 "1111111111111"},
                      BufferCase{"BackspaceStillWorksWhenFull",
                                 M::Normal,
                                 true,
                                 false,
                                 false,
                                 {97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 97, 8, 98},
                                 "1111111111112"}),
    [](const ::testing::TestParamInfo<BufferCase>& p) { return std::string(p.param.name); });

TEST(CardInputTest, EnterHandsTheBufferToTheSwipe) {
  Harness h;
  h.keys({13});  // empty buffer: nothing
  EXPECT_TRUE(h.swipes.empty());
  h.keys({97, 96, 96, 97, 13});
  ASSERT_EQ(h.swipes.size(), 1u);
  EXPECT_EQ(h.swipes[0], "1001");
}

TEST(CardInputTest, EnterIgnoredWithAFullBuffer) {
  Harness h;
  for (int i = 0; i < 13; ++i) h.input->TKeyKeyDown(97);
  h.keys({13});
  EXPECT_TRUE(h.swipes.empty());
  EXPECT_EQ(h.input->buffer().size(), 13u);
}

TEST(CardInputTest, DisabledMainWindowKeepsTheLastForegroundFlag) {
  Harness h;
  h.foreground = true;
  h.keys({97});
  h.enabled = false;     // a modal box is open
  h.foreground = false;  // would say background, but is not asked
  h.sessions = 60;
  h.keys({98, 34, 13});
  EXPECT_EQ(h.input->sessionCursor().page(), 0);  // no navigation
  ASSERT_EQ(h.swipes.size(), 1u);
  EXPECT_EQ(h.swipes[0], "12");
}

TEST(CardInputTest, FloatingWindowFollowsTheForeground) {
  Harness h;
  h.foreground = false;
  h.keys({97});
  EXPECT_TRUE(h.input->floatingVisible());
  h.foreground = true;
  h.keys({97});
  EXPECT_FALSE(h.input->floatingVisible());
  h.input->setForeground(false);
  EXPECT_TRUE(h.input->floatingVisible());
}

TEST(CardInputTest, DigitTimeoutEmptiesTheBufferAndEachDigitRestartsIt) {
  Harness h;
  h.input->setCardOnly(false);
  h.keys({97});
  h.timers.advance(9000);
  h.keys({98});  // restarts the 9999 ms
  h.timers.advance(9000);
  EXPECT_EQ(h.input->buffer(), "12");
  h.timers.advance(1000);
  EXPECT_EQ(h.input->buffer(), "");
}

TEST(CardInputTest, CardOnlyDropsDigitsTypedByHand) {
  Harness h;
  h.input->setCardOnly(true);
  EXPECT_EQ(h.input->digitTimeoutMs(), 50);
  for (int k : {97, 98, 99}) {
    h.input->TKeyKeyDown(k);
    h.timers.advance(200);  // a person's pace
  }
  h.keys({13});
  EXPECT_EQ(h.input->buffer(), "");
  EXPECT_TRUE(h.swipes.empty());
  // A reader's burst arrives well within 50 ms.
  h.keys({97, 98, 99});
  h.timers.advance(10);
  h.keys({13});
  ASSERT_EQ(h.swipes.size(), 1u);
  EXPECT_EQ(h.swipes[0], "123");
}

TEST(CardInputTest, BackspaceDoesNotRestartTheTimeout) {
  Harness h;
  h.input->setCardOnly(true);
  h.keys({97, 98});
  h.timers.advance(40);
  h.keys({8});
  h.timers.advance(15);
  EXPECT_EQ(h.input->buffer(), "");
}

TEST(CardInputTest, RoomSelectionKeys) {
  Harness h;
  h.input->setMode(KeyboardMode::RoomSelection);
  h.candidates = 45;
  h.keys({13, 32});
  EXPECT_EQ(h.checkIns, 2);
  h.keys({27});
  EXPECT_EQ(h.cancels, 1);
  h.keys({34});
  EXPECT_EQ(h.input->roomCursor().page(), 1);
  EXPECT_EQ(h.input->roomCursor().row(), 0);
  h.keys({34});  // past the last page: the last candidate
  EXPECT_EQ(h.input->roomCursor().page(), 1);
  EXPECT_EQ(h.input->roomCursor().row(), 14);  // (45 - 1) mod 30
  EXPECT_EQ(h.roomMoves, 2);
  // Enter in room selection never reaches the swipe.
  EXPECT_TRUE(h.swipes.empty());
}

TEST(CardInputTest, AdministrationModeSwallowsNavigation) {
  Harness h;
  h.input->setMode(KeyboardMode::Administration);
  h.sessions = 90;
  h.keys({34, 40, 39});
  EXPECT_EQ(h.input->sessionCursor().index(), 0);
  EXPECT_EQ(h.input->majorIndex(), 0);
}

TEST(CardInputTest, LeftRightMoveTheMajorSelectorWithinItsEntries) {
  Harness h;
  h.input->setMajorEntries(3);
  h.keys({37});
  EXPECT_EQ(h.input->majorIndex(), 0);
  h.keys({39, 39, 39, 39});
  EXPECT_EQ(h.input->majorIndex(), 2);
  h.keys({37});
  EXPECT_EQ(h.input->majorIndex(), 1);
}

}  // namespace
}  // namespace tarvolen
