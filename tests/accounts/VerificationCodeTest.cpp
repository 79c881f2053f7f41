// The verification code: which character each draw gives, the shown form,
// and the comparison that ignores letter case.
#include <gtest/gtest.h>

#include <set>

#include "accounts/VerificationCode.h"
#include "platform/fake/FakeRandom.h"

namespace tarvolen {
namespace {

// A draw r gives character index floor(r * 62): 0..9 digits, 10..35
// capitals, 36..61 small letters.
double Draw(int index) { return (index + 0.5) / 62.0; }

TEST(VerificationCode, EachDrawMapsToItsCharacter) {
  struct Case {
    int index;
    char character;
  } cases[] = {{0, '0'}, {9, '9'}, {10, 'A'}, {35, 'Z'}, {36, 'a'}, {61, 'z'}};
  for (const auto& c : cases) {
    FakeRandom random({Draw(c.index)});
    const std::string one(1, c.character);
    EXPECT_EQ(NewVerificationCode(random), one + " " + one + " " + one + " " + one) << c.index;
  }
  // The ends of [0, 1) stay inside the 62 characters.
  FakeRandom ends({0.0, 0.9999999999, 0.5, 0.25});
  EXPECT_EQ(NewVerificationCode(ends), "0 z V F");
}

TEST(VerificationCode, FourDrawsOfOneGeneratorDiffer) {
  SystemRandom random;
  std::set<std::string> codes;
  for (int i = 0; i < 50; ++i) {
    const std::string code = NewVerificationCode(random);
    ASSERT_EQ(code.size(), 7u);
    codes.insert(code);
  }
  EXPECT_GT(codes.size(), 45u);
}

TEST(VerificationCode, TypedCodeIsComparedWithoutCaseOrSpaces) {
  struct Case {
    const char* shown;
    const char* typed;
    bool matches;
  } cases[] = {
      {"K D l i", "KDli", true},  {"K D l i", "kdLI", true},
      {"K D l i", "KDl", false},  {"K D l i", "K D l i", false},
      {"K D l i", "KDlj", false}, {"", "", true},
      {"", "x", false},           {"0 O 1 l", "0o1L", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(VerificationCodeMatches(c.shown, c.typed), c.matches) << c.shown << "|" << c.typed;
}

}  // namespace
}  // namespace tarvolen
