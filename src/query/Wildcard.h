#pragma once
// The query's pattern match: "?" any one character, "*" any run of
// characters (also none), "#" one digit, "[abc]" one character of the list,
// "[!abc]" one character not in it; every other character matches itself.
// Characters are code points, so a Chinese character is one character.
// A "[" without its "]" makes the pattern match nothing.
#include <string_view>

namespace tarvolen {

enum class MatchKind {
  Similar,  // 相似: letters match regardless of case
  Exact,    // 全等: compared as they are
};

bool MatchesPattern(std::string_view text, std::string_view pattern, MatchKind kind);

}  // namespace tarvolen
