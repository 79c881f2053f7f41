#include "platform/sheets/CellText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tarvolen::sheets {
namespace {

bool IsPlainDecimal(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
  bool digits = false;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      digits = true;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// Days from 1970-01-01 to y-m-d (proleptic Gregorian).
void CivilFromDays(long long z, int& y, int& m, int& d) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

}  // namespace

std::string PlainNumber(double value) {
  if (!std::isfinite(value)) return {};
  char text[400];
  if (std::fabs(value) < 1e15 && value == std::floor(value)) {
    std::snprintf(text, sizeof text, "%.0f", value);
    return text == std::string("-0") ? "0" : text;
  }
  // 15 significant digits, written without an exponent.
  std::snprintf(text, sizeof text, "%.15g", value);
  std::string g = text;
  if (g.find('e') == std::string::npos && g.find('E') == std::string::npos) return g;
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int decimals = std::max(0, 14 - exponent);
  std::snprintf(text, sizeof text, "%.*f", std::min(decimals, 340), value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
  }
  return s;
}

std::string PlainNumberText(std::string_view stored) {
  if (IsPlainDecimal(stored)) return std::string(stored);
  const std::string copy(stored);
  char* end = nullptr;
  const double v = std::strtod(copy.c_str(), &end);
  if (end == copy.c_str() || *end != '\0') return copy;
  return PlainNumber(v);
}

std::string SerialDateText(double serial, bool date1904, bool withTime) {
  if (!std::isfinite(serial)) return {};
  double day = std::floor(serial);
  const double fraction = serial - day;
  if (date1904) day += 1462;
  // 1900 system: day 1 is 1900-01-01, and day 60 the 29 February 1900 that
  // never was; from 61 on the days are those of 1899-12-30 + n.
  if (day < 1 || day > 2958465) return PlainNumber(serial);
  long long sinceEpoch = 0;
  if (day < 61) {
    sinceEpoch = static_cast<long long>(day) - 25568;  // 1899-12-31 + n
    if (day == 60) sinceEpoch -= 1;                    // shown as 28 February
  } else {
    sinceEpoch = static_cast<long long>(day) - 25569;  // 1899-12-30 + n
  }
  int y = 0;
  int m = 0;
  int d = 0;
  CivilFromDays(sinceEpoch, y, m, d);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", y, m, d);
  std::string out = text;
  const long long seconds = std::llround(fraction * 86400.0);
  if (withTime && seconds > 0 && seconds < 86400) {
    std::snprintf(text, sizeof text, " %02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    out += text;
  }
  return out;
}

bool IsDateFormat(int id, std::string_view code) {
  if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58)) {
    return true;
  }
  bool quoted = false;
  bool bracket = false;
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '\\' || c == '_' || c == '*') {
      ++i;  // the next character is literal
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '[') bracket = true;
    if (c == ']') bracket = false;
    if (bracket) continue;
    if (c == 'y' || c == 'Y' || c == 'd' || c == 'D' || c == 'm' || c == 'M') return true;
  }
  return false;
}

int ColumnOfReference(std::string_view reference) {
  int column = 0;
  size_t i = 0;
  for (; i < reference.size() && i < 4; ++i) {
    const char c = reference[i];
    if (c >= 'A' && c <= 'Z') {
      column = column * 26 + (c - 'A' + 1);
    } else if (c >= 'a' && c <= 'z') {
      column = column * 26 + (c - 'a' + 1);
    } else {
      break;
    }
  }
  if (i == 0 || i > 3) return 0;
  return column;
}

int RowOfReference(std::string_view reference) {
  size_t i = 0;
  while (i < reference.size() && !(reference[i] >= '0' && reference[i] <= '9')) ++i;
  long long row = 0;
  for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9'; ++i) {
    row = row * 10 + (reference[i] - '0');
    if (row > 1048576) return 0;
  }
  return static_cast<int>(row);
}

}  // namespace tarvolen::sheets
