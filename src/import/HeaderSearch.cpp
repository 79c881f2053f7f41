#include "import/HeaderSearch.h"

#include <algorithm>

namespace tarvolen {

std::string WithoutSpaces(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ') out.push_back(c);
  }
  return out;
}

HeaderMatch MatchRow(const Sheet& sheet, int row, std::span<const char* const> headings) {
  HeaderMatch match;
  match.row = row;
  match.columns.assign(headings.size(), HeaderMatch::kNoColumn);
  for (int column = 1; column <= HeaderMatch::kColumns; ++column) {
    const std::string text = WithoutSpaces(sheet.cell(row, column));
    if (text.empty()) continue;
    for (size_t f = 0; f < headings.size(); ++f) {
      if (match.columns[f] != HeaderMatch::kNoColumn) continue;
      if (std::string_view(headings[f]).find(text) == std::string_view::npos) continue;
      match.columns[f] = column;
      ++match.count;
      break;
    }
  }
  return match;
}

HeaderMatch FindHeader(const Workbook& book, std::span<const char* const> headings) {
  HeaderMatch best;
  best.columns.assign(headings.size(), HeaderMatch::kNoColumn);
  const int sheets = std::min(static_cast<int>(book.sheets.size()), HeaderMatch::kSheets);
  for (int s = 0; s < sheets; ++s) {
    for (int row = 1; row <= HeaderMatch::kRows; ++row) {
      HeaderMatch m = MatchRow(book.sheets[static_cast<size_t>(s)], row, headings);
      if (m.count > best.count) {
        m.sheet = s;
        best = std::move(m);
      }
    }
  }
  return best;
}

}  // namespace tarvolen
