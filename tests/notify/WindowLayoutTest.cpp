// The main window's layout pass: the quantities and rectangles for a window
// size, the layout timer with the minimised window, and the sliding panel.
#include <gtest/gtest.h>

#include "notify/InfoPanel.h"
#include "notify/LayoutScheduler.h"
#include "notify/WindowLayout.h"
#include "platform/fake/FakeTimers.h"

namespace tarvolen {
namespace {

// Labels that fit their text: 6 pixels a character cell at text size 10,
// proportionally larger, and a height of the text size + 4.
MainWindowLayoutInput Input(double w, double h, int boardSize = 0) {
  MainWindowLayoutInput in;
  in.outerWidth = w;
  in.outerHeight = h;
  in.boardSize = boardSize;
  in.captionSize = [](int detail, int size) { return LayoutSize{(detail == 12 ? 9 : 10) * size * 6 / 10, size + 4}; };
  in.valueSize = [](int, int size) { return LayoutSize{10 * size * 6 / 10, size + 4}; };
  return in;
}

struct SizeCase {
  double w, h;
  int panelW, panelH, W, H, F, X, R, sessionScroll, markerW, todayW;
};

class LayoutSizes : public ::testing::TestWithParam<SizeCase> {};

TEST_P(LayoutSizes, QuantitiesAndPanels) {
  const SizeCase c = GetParam();
  const MainWindowLayout l = LayoutMainWindow(Input(c.w, c.h));
  EXPECT_EQ(l.sessionPanel, (LayoutRect{kBoardLeft, kBoardTop, c.panelW, c.panelH}));
  EXPECT_EQ(l.studentPanel, l.sessionPanel);
  EXPECT_EQ(l.columnWidth, c.W);
  EXPECT_EQ(l.rowHeight, c.H);
  EXPECT_EQ(l.textSize, c.F);
  EXPECT_EQ(l.detailColumn, c.X);
  EXPECT_EQ(l.detailPitch, c.R);
  EXPECT_EQ(l.sessionScrollBar, (LayoutRect{c.sessionScroll, 0, 17, c.panelH}));
  EXPECT_EQ(l.sessionMarkers[0].width, c.markerW);
  EXPECT_EQ(l.todayList.width, c.todayW);
}

INSTANTIATE_TEST_SUITE_P(WindowLayout, LayoutSizes,
                         ::testing::Values(SizeCase{875, 535, 711, 487, 77, 15, 11, 494, 17, 693, 691, 215},
                                           SizeCase{1280, 800, 1116, 752, 122, 24, 18, 773, 30, 1098, 1096, 350}));

TEST(WindowLayout, TextSizeFromRowHeightOrTheOption) {
  struct Case {
    int boardSize, rowHeight, size;
  } cases[] = {{0, 30, 22}, {0, 26, 20},  {0, 15, 11},   {0, 24, 18},  {5, 30, 14},
               {1, 15, 10}, {21, 15, 30}, {255, 26, 20}, {-1, 26, 20}, {22, 26, 20}};
  for (const Case& c : cases) {
    EXPECT_EQ(BoardTextSize(c.boardSize, c.rowHeight), c.size) << c.boardSize << " " << c.rowHeight;
  }
  EXPECT_EQ(LayoutMainWindow(Input(1280, 800, 5)).textSize, 14);
}

TEST(WindowLayout, CellsOfTheMinimumWindow) {
  const MainWindowLayout l = LayoutMainWindow(Input(875, 535));
  EXPECT_EQ(l.sessionHeadings[3], (LayoutRect{231, 0, 75, 13}));
  EXPECT_EQ(l.sessionCells[0][0], (LayoutRect{0, 15, 75, 13}));
  EXPECT_EQ(l.sessionCells[29][8], (LayoutRect{616, 450, 75, 13}));
  EXPECT_EQ(l.sessionMarkers[29], (LayoutRect{0, 450, 691, 13}));
  EXPECT_EQ(l.roomCells[29][5], (LayoutRect{385, 450, 75, 13}));
  EXPECT_EQ(l.roomMarkers[4], (LayoutRect{38, 75, 385, 13}));  // 38.5 to the even neighbour
  EXPECT_EQ(l.roomScrollBar, (LayoutRect{462, 0, 17, 487}));
  EXPECT_EQ(l.rightColumnLeft, 742);
  EXPECT_EQ(l.rightIconsLeft, 734);
  EXPECT_EQ(l.cancelButton.left, 582);
  EXPECT_EQ(l.cancelButton.top, 454);
  EXPECT_EQ(l.placesLeft, 539);
  EXPECT_EQ(l.infoPanel, (LayoutRect{875 - 130 - 20, 487, 130, 200}));
}

TEST(WindowLayout, CaptionColumnAndTodaysActivity) {
  const MainWindowLayout l = LayoutMainWindow(Input(1280, 800));
  EXPECT_EQ(l.statusLabel.left, 773);
  EXPECT_EQ(l.statusLabel.top, 80);
  // Down the column: 姓名 first (detail 2), 联系电话 last (detail 12).
  for (int n = 1; n <= kDetailRows; ++n) {
    const int d = kDetailOrder[static_cast<size_t>(n - 1)];
    EXPECT_EQ(l.captions[static_cast<size_t>(d)].left, 773);
    EXPECT_EQ(l.captions[static_cast<size_t>(d)].top, 80 + n * 30) << d;
    EXPECT_EQ(l.values[static_cast<size_t>(d)].left, 773 + l.captions[static_cast<size_t>(d)].width);
    EXPECT_EQ(l.values[static_cast<size_t>(d)].top, 80 + n * 30);
  }
  EXPECT_EQ(l.captions[2].width, 108);  // fits its text at size 18
  const int phoneBottom = 80 + 13 * 30 + 22;
  EXPECT_EQ(l.divider, (LayoutRect{732 + 17, phoneBottom + 10, 366, 16}));
  EXPECT_EQ(l.todayList, (LayoutRect{732 + 25, phoneBottom + 26, 350, 211}));  // (752 - 113) x 0.33
  EXPECT_EQ(l.photo, (LayoutRect{l.values[2].left + l.values[2].width + 16, 110, 72, 96}));
  // In the smallest window the photo narrows to end inside the panel.
  const MainWindowLayout small = LayoutMainWindow(Input(875, 535));
  EXPECT_LE(small.photo.left + small.photo.width, small.studentPanel.width);
  EXPECT_GE(small.photo.width, 0);
}

TEST(WindowLayout, SortArrowsStandAtTheSortedHeadingsRightEnd) {
  MainWindowLayoutInput in = Input(875, 535);
  in.sessionSortColumn = 0;
  in.roomSortColumn = 2;
  MainWindowLayout l = LayoutMainWindow(in);
  EXPECT_EQ(l.sessionArrowLeft, 0 + 75 - 18);
  EXPECT_EQ(l.roomArrowLeft, 154 + 75 - 18);
  in.sessionSortColumn = 8;
  in.roomSortColumn = 6;  // the places heading is not laid out: its arrow stays
  in.sortArrowLeftRoom = 999;
  l = LayoutMainWindow(in);
  EXPECT_EQ(l.sessionArrowLeft, 616 + 75 - 18);
  EXPECT_EQ(l.roomArrowLeft, 999);
}

TEST(WindowLayout, SortArrowsFollowTheColumnAndShowTheDirection) {
  MainWindowLayoutInput in = Input(1280, 800);  // W = 122, H = 24
  in.sessionSortColumn = 3;
  in.sessionSortDirection = 1;
  in.roomSortColumn = 0;
  in.roomSortDirection = 0;
  const MainWindowLayout l = LayoutMainWindow(in);
  // Both images of a pair at the heading's right end, in the heading row.
  EXPECT_EQ(l.sessionArrows, (SortArrows{{3 * 122 + 120 - 18, 0, 16, 22}, 1}));
  EXPECT_EQ(l.roomArrows, (SortArrows{{120 - 18, 0, 16, 22}, 0}));

  // A heading click between two passes moves the arrows over the headings
  // the last pass laid out.
  EXPECT_EQ(PlaceSortArrows(l.roomHeadings, 5, 0, 0).rect, (LayoutRect{5 * 122 + 120 - 18, 0, 16, 22}));
  // The places heading is not laid out: the arrows stay where they are, and
  // a direction other than 1 (a damaged value) shows the ascending image.
  EXPECT_EQ(PlaceSortArrows(l.roomHeadings, 6, 7, 45), (SortArrows{{45, 0, 16, 22}, 0}));
  EXPECT_EQ(PlaceSortArrows(l.sessionHeadings, -1, 1, 3), (SortArrows{{3, 0, 16, 22}, 1}));
  EXPECT_EQ(PlaceSortArrows({}, 0, 0, 3), SortArrows{});
}

TEST(WindowLayout, ATinyWindowIsLaidOutAsTheMinimum) {
  for (const auto& [w, h] : {std::pair{1.0, 1.0}, {0.0, 0.0}, {-5.0, 600.0}}) {
    const MainWindowLayout l = LayoutMainWindow(Input(w, h));
    EXPECT_GE(l.columnWidth, 77);
    EXPECT_GE(l.rowHeight, 15);
    EXPECT_GT(l.todayList.height, 0);
    EXPECT_GT(l.sessionMarkers[0].width, 0);
  }
  // Without measuring functions the labels are empty but placed.
  MainWindowLayoutInput bare;
  const MainWindowLayout l = LayoutMainWindow(bare);
  EXPECT_EQ(l.captions[2].left, 494);
}

TEST(WindowLayout, SizesUpToAWideScreen) {
  const MainWindowLayout l = LayoutMainWindow(Input(1920, 1080));
  EXPECT_EQ(l.columnWidth, (1920 - 164 - 17) / 9);
  EXPECT_EQ(l.rowHeight, (1080 - 48) / 31);
  EXPECT_LE(l.sessionScrollBar.left + 17, l.sessionPanel.width);
  EXPECT_LE(l.todayList.top + l.todayList.height, l.studentPanel.height);
}

// --- the layout timer ------------------------------------------------------

struct SchedulerFixture {
  FakeTimerFactory timers;
  bool minimised = false;
  int passes = 0;
  LayoutScheduler scheduler{{[this] { return minimised; }, [this] { ++passes; }}, timers.make()};
};

TEST(LayoutScheduler, FiveQuickResizesGiveOnePass) {
  SchedulerFixture f;
  for (int i = 0; i < 5; ++i) {
    f.scheduler.Resized(false);
    f.timers.advance(100);
  }
  EXPECT_EQ(f.passes, 0);
  f.timers.advance(200);
  EXPECT_EQ(f.passes, 1);
  f.timers.advance(5000);  // one-shot
  EXPECT_EQ(f.passes, 1);
}

TEST(LayoutScheduler, TheBoardSizeOptionRestartsTheTimer) {
  SchedulerFixture f;
  f.scheduler.Resized(false);
  f.timers.advance(250);
  f.scheduler.BoardSizeChanged();
  f.timers.advance(250);
  EXPECT_EQ(f.passes, 0);
  f.timers.advance(50);
  EXPECT_EQ(f.passes, 1);
}

TEST(LayoutScheduler, AResizeOfAMinimisedWindowIsIgnored) {
  SchedulerFixture f;
  f.scheduler.Resized(true);
  EXPECT_FALSE(f.scheduler.pending());
  f.timers.advance(1000);
  EXPECT_EQ(f.passes, 0);
}

TEST(LayoutScheduler, TheRestoreAfterAMinimisedPassLaysOut) {
  SchedulerFixture f;
  f.scheduler.Resized(false);  // resized, then minimised before the pass
  f.minimised = true;
  f.timers.advance(300);
  EXPECT_EQ(f.passes, 0);
  EXPECT_TRUE(f.scheduler.minimisedFlag());
  f.minimised = false;
  f.scheduler.Resized(false);  // the restore
  f.timers.advance(300);
  EXPECT_EQ(f.passes, 1);
  EXPECT_FALSE(f.scheduler.minimisedFlag());
}

// --- the temporary-information panel ---------------------------------------

TEST(InfoPanel, SlidesUpInThreeTicksAndStopsAtItsOpenPlace) {
  FakeTimerFactory timers;
  InfoPanel p(timers.make());
  p.Place(535, 200);
  EXPECT_EQ(p.top(), 487);
  p.TitleClicked();
  timers.advance(20);
  EXPECT_EQ(p.top(), 427);
  timers.advance(20);
  EXPECT_EQ(p.top(), 367);
  EXPECT_FALSE(p.hideVisible());
  timers.advance(20);  // 307 is past 319
  EXPECT_EQ(p.top(), 319);
  EXPECT_FALSE(p.sliding());
  EXPECT_TRUE(p.hideVisible());
  p.TitleClicked();  // open: nothing
  timers.advance(100);
  EXPECT_EQ(p.top(), 319);
}

TEST(InfoPanel, HideAndLayoutPutItBack) {
  FakeTimerFactory timers;
  InfoPanel p(timers.make());
  p.Place(535, 200);
  p.TitleClicked();
  timers.advance(20);
  p.TitleClicked();  // on its way: nothing more
  timers.advance(100);
  EXPECT_EQ(p.top(), 319);
  p.HideClicked();
  EXPECT_EQ(p.top(), 487);
  EXPECT_FALSE(p.hideVisible());

  p.TitleClicked();
  timers.advance(100);
  ASSERT_TRUE(p.hideVisible());
  p.Place(800, 200);  // a layout pass: collapsed, the hide label stays
  EXPECT_EQ(p.top(), 752);
  EXPECT_TRUE(p.hideVisible());
}

}  // namespace
}  // namespace tarvolen
