#include "query/QueryRequest.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "store/OleDate.h"

namespace tarvolen::query {

double CaptionNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  std::string number;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
  bool digits = false, point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      digits = true;
      number += c;
    } else if (c == '.' && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  const double v = std::strtod(number.c_str(), nullptr);
  return std::isfinite(v) ? v : 0;
}

namespace {
// The groups of digits of a text, in order.
std::array<int, 3> DigitGroups(std::string_view text) {
  std::array<int, 3> groups{};
  size_t g = 0;
  bool in = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      if (g >= groups.size()) break;
      if (groups[g] < 100000) groups[g] = groups[g] * 10 + (c - '0');
      in = true;
    } else if (in) {
      in = false;
      ++g;
    }
  }
  return groups;
}
}  // namespace

int32_t CaptionDay(std::string_view text) {
  const auto g = DigitGroups(text);
  int year = g[0], month = g[1], day = g[2];
  if (year < 100 || year > 9999) year = year < 100 ? 100 : 9999;
  if (month < 1) month = 1;
  if (month > 12) month = 12;
  if (day < 1) day = 1;
  // A day past the month's end counts on into the next month.
  return DayNumber({year, month, 1}) + day - 1;
}

int CaptionYear(std::string_view text) {
  int year = 0;
  for (size_t i = 0; i < 4 && i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return year;
    year = year * 10 + (text[i] - '0');
  }
  return year;
}

int64_t ScaledMoney(double yuan) { return std::llround(yuan * 10000.0); }

}  // namespace tarvolen::query
