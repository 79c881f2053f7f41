// The message stack's shift and fade, the countdown box, the line layout.
#include <gtest/gtest.h>

#include "notify/CountdownBox.h"
#include "notify/MessageLayout.h"
#include "notify/MessageStack.h"
#include "platform/fake/FakeTimers.h"

namespace tarvolen {
namespace {

TEST(MessageStackTest, PushShowsAt250AndFadesFiveAStep) {
  MessageStack s;
  s.push("a");
  EXPECT_EQ(s.level(1), 250);
  EXPECT_TRUE(s.timerEnabled());
  s.fadeStep();
  EXPECT_EQ(s.level(1), 245);
  for (int i = 0; i < 49; ++i) s.fadeStep();
  EXPECT_EQ(s.level(1), 0);
  EXPECT_TRUE(s.timerEnabled());  // reached 0 this step: counted next step
  s.fadeStep();
  EXPECT_FALSE(s.timerEnabled());
}

TEST(MessageStackTest, SixPushesKeepTheLastFiveNewestFirst) {
  MessageStack s;
  for (const char* t : {"1", "2", "3", "4", "5", "6"}) s.push(t);
  EXPECT_EQ(s.text(1), "6");
  EXPECT_EQ(s.text(2), "5");
  EXPECT_EQ(s.text(5), "2");
  for (int w = 1; w < 5; ++w) EXPECT_LE(s.level(w + 1), s.level(w));
}

TEST(MessageStackTest, PushAfterAllFadedDoesNotShift) {
  MessageStack s;
  s.push("old1");
  s.push("old2");
  for (int i = 0; i < 60; ++i) s.fadeStep();
  ASSERT_EQ(s.level(1), 0);
  s.push("new");
  EXPECT_EQ(s.text(1), "new");
  EXPECT_EQ(s.text(2), "old1");  // untouched, invisible
  EXPECT_EQ(s.level(2), 0);
}

TEST(MessageStackTest, LevelFiveBecomesZeroAndCountsNextStep) {
  MessageStack s;
  s.push("x");
  while (s.level(1) > 5) s.fadeStep();
  ASSERT_EQ(s.level(1), 5);
  s.fadeStep();
  EXPECT_EQ(s.level(1), 0);
  EXPECT_TRUE(s.timerEnabled());
  s.fadeStep();
  EXPECT_FALSE(s.timerEnabled());
}

TEST(MessageLayoutTest, GeometryColourAndFontSize) {
  EXPECT_EQ(MessageWindowTop(768, 20, 1), 768 - 32 - 20);
  EXPECT_EQ(MessageWindowTop(768, 20, 5), 768 - 32 - 100);
  EXPECT_EQ(MessageColourFor(0x800080), 0x800081);
  EXPECT_EQ(MessageColourFor(0x0000C0), 0x0000C0);
  for (int size : {8, 49, 0, 255}) EXPECT_FALSE(IsValidMessageFontSize(size)) << size;
  for (int size : {9, 12, 48}) EXPECT_TRUE(IsValidMessageFontSize(size)) << size;
}

struct BoxHarness {
  FakeTimerFactory timers;
  CountdownBox box{timers.make(), timers.make()};
  std::vector<int> answers;
  BoxHarness() {
    box.onAnswered = [this](int b) { answers.push_back(b); };
  }
};

TEST(CountdownBoxTest, CountsDownAndPressesTheDefaultOneSecondAfterZero) {
  BoxHarness h;
  h.box.open("q", CountdownBox::kYes, 9);
  EXPECT_TRUE(h.box.view().visible);
  EXPECT_EQ(h.box.view().captions[0], "是(9)");
  EXPECT_EQ(h.box.view().captions[1], "否");
  for (int shown = 8; shown >= 0; --shown) {
    h.timers.advance(1000);
    EXPECT_EQ(h.box.view().captions[0], "是(" + std::to_string(shown) + ")");
  }
  EXPECT_TRUE(h.answers.empty());
  h.timers.advance(1000);
  EXPECT_EQ(h.answers, std::vector<int>{CountdownBox::kYes});
  EXPECT_FALSE(h.box.view().visible);
  h.timers.advance(5000);
  EXPECT_EQ(h.answers.size(), 1u);  // the count stopped with the answer
}

TEST(CountdownBoxTest, DefaultNoCountsOnNo) {
  BoxHarness h;
  h.box.open("q", CountdownBox::kNo, 2);
  EXPECT_EQ(h.box.view().captions[0], "是");
  EXPECT_EQ(h.box.view().captions[1], "否(2)");
  EXPECT_EQ(h.box.view().focusButton, CountdownBox::kNo);
  h.timers.advance(3000);
  EXPECT_EQ(h.answers, std::vector<int>{CountdownBox::kNo});
}

TEST(CountdownBoxTest, PressesWithinTheGuardAreIgnored) {
  BoxHarness h;
  h.box.open("q", CountdownBox::kYes, 9);
  h.timers.advance(299);
  h.box.press(CountdownBox::kNo);
  EXPECT_TRUE(h.answers.empty());
  EXPECT_TRUE(h.box.view().visible);
  h.timers.advance(1);
  h.box.press(CountdownBox::kNo);
  EXPECT_EQ(h.answers, std::vector<int>{CountdownBox::kNo});
  EXPECT_FALSE(h.box.requestClose());
}

}  // namespace
}  // namespace tarvolen
