#include "query/Wildcard.h"

#include <vector>

#include "store/TextCells.h"

namespace tarvolen {

namespace {

using Chars = std::vector<char32_t>;

char32_t Upper(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - U'a' + U'A';
  if (c >= U'ａ' && c <= U'ｚ') return c - U'ａ' + U'Ａ';  // full-width letters
  return c;
}

Chars Decode(std::string_view utf8, MatchKind kind) {
  Chars out;
  for (auto c : CodePoints(utf8)) out.push_back(kind == MatchKind::Similar ? Upper(static_cast<char32_t>(c)) : c);
  return out;
}

// One element of a compiled pattern.
struct Element {
  enum Kind { Literal, Any, Run, Digit, Set, NotSet } kind = Literal;
  char32_t c = 0;
  Chars set;
  bool matches(char32_t x) const {
    switch (kind) {
      case Literal: return x == c;
      case Any: return true;
      case Digit: return x >= U'0' && x <= U'9';
      case Set:
      case NotSet: {
        bool in = false;
        for (char32_t m : set) in = in || m == x;
        return kind == Set ? in : !in;
      }
      case Run: return true;
    }
    return false;
  }
};

// False when the pattern is malformed (a list left open).
bool Compile(const Chars& p, std::vector<Element>& out) {
  for (size_t i = 0; i < p.size(); ++i) {
    Element e;
    switch (p[i]) {
      case U'?': e.kind = Element::Any; break;
      case U'*': e.kind = Element::Run; break;
      case U'#': e.kind = Element::Digit; break;
      case U'[': {
        size_t j = i + 1;
        e.kind = Element::Set;
        if (j < p.size() && p[j] == U'!') {
          e.kind = Element::NotSet;
          ++j;
        }
        // A "]" right after the opening takes itself literally.
        size_t close = j;
        if (close < p.size() && p[close] == U']') ++close;
        while (close < p.size() && p[close] != U']') ++close;
        if (close >= p.size()) return false;
        e.set.assign(p.begin() + static_cast<long>(j), p.begin() + static_cast<long>(close));
        i = close;
        break;
      }
      default: e.c = p[i]; break;
    }
    out.push_back(std::move(e));
  }
  return true;
}

}  // namespace

bool MatchesPattern(std::string_view text, std::string_view pattern, MatchKind kind) {
  std::vector<Element> elements;
  if (!Compile(Decode(pattern, kind), elements)) return false;
  const Chars t = Decode(text, kind);
  // Greedy walk with one back-track point per "*": linear in practice.
  size_t ti = 0, pi = 0;
  size_t starP = std::string_view::npos, starT = 0;
  while (ti < t.size()) {
    if (pi < elements.size() && elements[pi].kind == Element::Run) {
      starP = pi++;
      starT = ti;
    } else if (pi < elements.size() && elements[pi].matches(t[ti])) {
      ++pi;
      ++ti;
    } else if (starP != std::string_view::npos) {
      pi = starP + 1;
      ti = ++starT;
    } else {
      return false;
    }
  }
  while (pi < elements.size() && elements[pi].kind == Element::Run) ++pi;
  return pi == elements.size();
}

}  // namespace tarvolen
