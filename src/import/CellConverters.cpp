#include "import/CellConverters.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "import/HeaderSearch.h"

namespace tarvolen {
namespace {

constexpr int64_t kWholeMax = INT64_MAX / 10000;

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

void ReplaceAll(std::string& s, std::string_view from, std::string_view to) {
  for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size())) {
    s.replace(at, from.size(), to);
  }
}

// "2009-9-1" or "2009/09/01": three whole numbers.
std::optional<CivilDate> ReadDate(const std::string& text) {
  int parts[3] = {0, 0, 0};
  int part = 0;
  int digits = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      if (++digits > 4) return std::nullopt;
      parts[part] = parts[part] * 10 + (c - '0');
    } else if ((c == '-' || c == '/') && digits > 0 && part < 2) {
      ++part;
      digits = 0;
    } else {
      return std::nullopt;
    }
  }
  if (part != 2 || digits == 0) return std::nullopt;
  if (!IsValidCivil(parts[0], parts[1], parts[2])) return std::nullopt;
  return CivilDate{parts[0], parts[1], parts[2]};
}

}  // namespace

NumberText CellNumber(const std::string& cell, NumberTarget target) { return ReadNumber(WithoutSpaces(cell), target); }

std::optional<int64_t> CellWhole(const std::string& cell, NumberTarget target) {
  const NumberText n = CellNumber(cell, target);
  if (n.read == NumberText::Read::OutOfRange) return std::nullopt;
  return n.isNumber() ? n.whole : 0;
}

std::optional<float> CellSingle(const std::string& cell) {
  const NumberText n = CellNumber(cell, NumberTarget::Single);
  if (n.read == NumberText::Read::OutOfRange) return std::nullopt;
  return n.isNumber() ? static_cast<float>(n.real) : 0.0f;
}

std::optional<int64_t> CellCardNumber(const std::string& cell) {
  const NumberText n = CellNumber(cell, NumberTarget::Currency);
  if (n.read == NumberText::Read::OutOfRange) return std::nullopt;
  if (!n.isNumber()) return 0;
  const uint64_t scaled = n.whole < 0 ? 0 - static_cast<uint64_t>(n.whole) : static_cast<uint64_t>(n.whole);
  const uint64_t whole = (scaled + 5000) / 10000;
  if (whole > static_cast<uint64_t>(kWholeMax)) return std::nullopt;
  return static_cast<int64_t>(whole);
}

std::optional<uint8_t> CellMajor(const std::string& cell, const CategoryLists& lists) {
  for (int m = 0; m < CategoryLists::kNames; ++m) {
    const std::string& name = lists.majors[static_cast<size_t>(m)];
    if ((!cell.empty() && Contains(name, cell)) || (!name.empty() && Contains(cell, name))) {
      return static_cast<uint8_t>(m);
    }
  }
  return std::nullopt;
}

int16_t CellTimeLimitCode(const std::string& cell) {
  if (Contains(cell, "不限") || Contains("不限时", cell)) return 1;
  if (Contains(cell, "默认") || cell.empty()) return 0;
  const NumberText n = CellNumber(cell, NumberTarget::Single);
  if (n.read == NumberText::Read::OutOfRange) return 60;  // a huge number of minutes
  if (!n.isNumber() || n.real < 10) return 0;
  const double code = RoundHalfEven(n.real / 5);
  return static_cast<int16_t>(std::min(code, 60.0));
}

int16_t CellServiceStatus(const std::string& cell) { return cell == "是" || cell == "开放" || cell == "启用" ? 0 : 1; }

uint8_t CellSex(const std::string& cell) { return Contains(cell, "男") ? 0 : 1; }

std::optional<OleDate> EnrolmentOfYear(int year, const Dividers& div) {
  if (year < 1900 || year > 9999) return std::nullopt;
  return ToOle(EnrolmentDateFromYear(year, div));
}

std::optional<OleDate> CellEnrolment(const std::string& cell, const CivilDate& today, const Dividers& div) {
  const int length = CharacterCount(cell);
  if (length <= 5) {
    const NumberText year = CellNumber(FirstCharacters(cell, 4), NumberTarget::Int32);
    if (!year.isNumber()) return std::nullopt;
    return EnrolmentOfYear(static_cast<int>(year.whole), div);
  }
  if (length >= 8 && length <= 10) {
    std::string text = cell;
    ReplaceAll(text, "年", "-");
    ReplaceAll(text, "月", "-");
    ReplaceAll(text, "日", "");
    ReplaceAll(text, "号", "");
    const std::optional<CivilDate> date = ReadDate(WithoutSpaces(text));
    if (!date || date->year < 1900) return std::nullopt;
    return ToOle(*date);
  }
  return EnrolmentOfYear(today.year, div);
}

std::optional<uint8_t> CellClass(const std::string& cell, const CategoryLists& lists) {
  // An empty cell would match the first unused class.
  if (cell.empty()) return std::nullopt;
  for (int c = 0; c < CategoryLists::kNames; ++c) {
    if (lists.classes[static_cast<size_t>(c)] == cell) return static_cast<uint8_t>(c);
  }
  return std::nullopt;
}

int16_t CellRoom(const std::string& cell, const RoomTable& rooms) {
  return static_cast<int16_t>(cell.empty() ? 0 : rooms.findByName(cell));
}

int CharacterCount(const std::string& utf8) {
  int n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::string FirstCharacters(const std::string& utf8, int n) {
  size_t at = 0;
  int seen = 0;
  for (; at < utf8.size(); ++at) {
    if ((static_cast<unsigned char>(utf8[at]) & 0xC0) != 0x80 && seen++ == n) break;
  }
  return utf8.substr(0, at);
}

}  // namespace tarvolen
