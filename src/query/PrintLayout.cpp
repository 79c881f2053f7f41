#include "query/PrintLayout.h"

#include <algorithm>

#include "store/TextCells.h"

namespace tarvolen::query {

std::string PrintLayout::footer(const PrintPage& page) const {
  return "第 " + std::to_string(page.number) + " 页，共 " + std::to_string(pages.size()) + " 页";
}

PrintLayout LayOutPrint(const std::string& heading, const std::vector<CellRow>& selection, bool averages, bool totals,
                        const PageMetrics& m) {
  PrintLayout out;
  out.heading = heading;
  const size_t titleAt = (averages ? 1 : 0) + (totals ? 1 : 0);
  if (selection.size() <= titleAt) return out;
  out.titles = selection[titleAt];
  for (size_t i = 0; i < selection.size(); ++i) {
    if (i != titleAt) out.body.push_back(selection[i]);
  }
  const int lineHeight = std::max(1, m.lineHeight);
  const int cell = std::max(1, m.cellWidth);
  // Heading, a blank line, the titles; the page number on the last line.
  out.headingY = 0;
  out.titlesY = 2 * lineHeight;
  out.bodyY = 3 * lineHeight;
  out.linesPerPage = std::max(1, m.height / lineHeight - 5);
  out.footerY = out.bodyY + out.linesPerPage * lineHeight + lineHeight;

  // Column widths from the widest cell, the title included.
  const size_t n = out.titles.size();
  std::vector<int> cells(n, 1);
  std::vector<bool> numeric(n, false);
  auto widen = [&](const CellRow& r) {
    for (size_t c = 0; c < n && c < r.size(); ++c) {
      cells[c] = std::max(cells[c], std::min(kMaxPrintedCells, CellWidth(r[c].text)));
      if (r[c].number) numeric[c] = true;
    }
  };
  widen(out.titles);
  for (const auto& r : out.body) widen(r);

  // Bands of columns that fit the width; a column wider than the page has a band of its own.
  std::vector<std::vector<PrintColumn>> bands;
  std::vector<PrintColumn> band;
  int x = 0;
  for (size_t c = 0; c < n; ++c) {
    const int w = std::min(cells[c] * cell, std::max(cell, m.width));
    if (!band.empty() && x + w > m.width) {
      bands.push_back(std::move(band));
      band.clear();
      x = 0;
    }
    band.push_back({static_cast<int>(c), x, w, numeric[c]});
    x += w + m.padding;
  }
  if (!band.empty()) bands.push_back(std::move(band));

  // Pages: for each block of lines, every band in turn.
  const int bodyLines = static_cast<int>(out.body.size());
  int number = 0;
  for (int first = 0; first == 0 || first < bodyLines; first += out.linesPerPage) {
    const int last = std::min(bodyLines, first + out.linesPerPage);
    for (const auto& b : bands) out.pages.push_back({++number, b, first, last});
    if (bodyLines == 0) break;
  }
  return out;
}

}  // namespace tarvolen::query
