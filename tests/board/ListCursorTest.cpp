// Paging and row moves of the 30-row lists.
#include <gtest/gtest.h>

#include "board/ListCursor.h"

namespace tarvolen {
namespace {

struct Move {
  const char* name;
  int count;
  int page, row;  // before
  char key;       // 'U' page up, 'D' page down, 'u' up, 'd' down
  int toPage, toRow;
  bool moved;
};

class CursorMoves : public ::testing::TestWithParam<Move> {};

TEST_P(CursorMoves, FollowTheRules) {
  const Move& m = GetParam();
  ListCursor c;
  c.set(m.page, m.row);
  bool moved = true;
  switch (m.key) {
    case 'U': c.pageUp(m.count); break;
    case 'D': c.pageDown(m.count); break;
    case 'u': moved = c.up(m.count); break;
    case 'd': moved = c.down(m.count); break;
  }
  EXPECT_EQ(c.page(), m.toPage);
  EXPECT_EQ(c.row(), m.toRow);
  EXPECT_EQ(moved, m.moved);
}

INSTANTIATE_TEST_SUITE_P(Table, CursorMoves,
                         ::testing::Values(Move{"PageUpOnFirstPageGoesToRow0", 70, 0, 12, 'U', 0, 0, true},
                                           Move{"PageUpKeepsRow", 70, 2, 5, 'U', 1, 5, true},
                                           Move{"PageDownKeepsRow", 70, 0, 5, 'D', 1, 5, true},
                                           Move{"PageDownOnLastPageSelectsLastItem", 70, 2, 3, 'D', 2, 9, true},
                                           Move{"PageDownEmptyList", 0, 0, 0, 'D', 0, 0, true},
                                           Move{"UpAcrossPage", 70, 1, 0, 'u', 0, 29, true},
                                           Move{"UpOnTopStays", 70, 0, 0, 'u', 0, 0, true},
                                           Move{"DownAcrossPage", 70, 0, 29, 'd', 1, 0, true},
                                           Move{"DownOnLastPageStaysAt29", 90, 2, 29, 'd', 2, 29, true},
                                           Move{"DownToEmptyRowRefused", 70, 2, 9, 'd', 2, 9, false},
                                           Move{"DownInEmptyListRefused", 0, 0, 0, 'd', 0, 0, false}),
                         [](const ::testing::TestParamInfo<Move>& p) { return std::string(p.param.name); });

TEST(ListCursorTest, LastPage) {
  EXPECT_EQ(ListCursor::LastPage(0), 0);
  EXPECT_EQ(ListCursor::LastPage(30), 0);
  EXPECT_EQ(ListCursor::LastPage(31), 1);
  EXPECT_EQ(ListCursor::LastPage(1001), 33);
}

}  // namespace
}  // namespace tarvolen
