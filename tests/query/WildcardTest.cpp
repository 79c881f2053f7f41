#include <gtest/gtest.h>

#include "query/Wildcard.h"

namespace tarvolen {
namespace {

struct MatchCase {
  const char* text;
  const char* pattern;
  MatchKind kind;
  bool matches;
};

TEST(Wildcard, MatchesAsTheTable) {
  const MatchCase cases[] = {
      {"张琴", "张琴", MatchKind::Exact, true},
      {"张琴琴", "张琴", MatchKind::Exact, false},  // no wildcard: the exact name only
      {"王小琴", "*琴*", MatchKind::Similar, true},
      {"琴", "*琴*", MatchKind::Similar, true},  // * also matches nothing
      {"王小明", "*琴*", MatchKind::Similar, false},
      {"Zhang", "zhang", MatchKind::Similar, true},
      {"Zhang", "zhang", MatchKind::Exact, false},
      {"ＺＨＡＮＧ", "ｚｈａｎｇ", MatchKind::Similar, true},
      {"张三", "张?", MatchKind::Exact, true},
      {"张", "张?", MatchKind::Exact, false},
      {"A101", "A#0#", MatchKind::Exact, true},
      {"AB01", "A#0#", MatchKind::Exact, false},
      {"B202", "[AB]*", MatchKind::Exact, true},
      {"C202", "[AB]*", MatchKind::Exact, false},
      {"C202", "[!AB]*", MatchKind::Exact, true},
      {"A202", "[!AB]*", MatchKind::Exact, false},
      {"b1", "[AB]#", MatchKind::Similar, true},
      {"b1", "[AB]#", MatchKind::Exact, false},
      {"A1", "[AB#", MatchKind::Exact, false},  // an unclosed list matches nothing
      {"[AB", "[AB", MatchKind::Exact, false},
      {"", "*", MatchKind::Exact, true},
      {"任何名字", "*", MatchKind::Similar, true},
      {"", "", MatchKind::Exact, true},
      {"x", "", MatchKind::Exact, false},
      {"aXbXc", "a*b*c", MatchKind::Exact, true},
      {"aXbXd", "a*b*c", MatchKind::Exact, false},
      {"13800001111", "1380000****", MatchKind::Exact, true},
      {"]", "[]]", MatchKind::Exact, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesPattern(c.text, c.pattern, c.kind), c.matches)
        << "text '" << c.text << "' pattern '" << c.pattern << "' kind " << static_cast<int>(c.kind);
  }
}

TEST(Wildcard, LongTextsWithManyStarsStayQuick) {
  const std::string text(2000, 'a');
  EXPECT_FALSE(MatchesPattern(text, "*a*a*a*a*a*a*b", MatchKind::Exact));
  EXPECT_TRUE(MatchesPattern(text, "*a*a*a*a*a*a*", MatchKind::Exact));
}

}  // namespace
}  // namespace tarvolen
