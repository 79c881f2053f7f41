#pragma once
// The printed table of the grid's selection: one printed line per grid
// line, the cells side by side, the window's title as the heading of every
// page, the column titles repeated under it, a page number at the foot.
// Columns too many for the paper's width go on to further pages (bands of
// columns, each printed for all lines). Sizes are in device units of the
// page; text widths are counted in display cells (Chinese two, others one).
#include <string>
#include <vector>

#include "platform/WorkbookWriter.h"

namespace tarvolen::query {

struct PageMetrics {
  int width = 0;       // printable width
  int height = 0;      // printable height
  int lineHeight = 0;  // one printed line
  int cellWidth = 0;   // one display cell (a half-width character)
  int padding = 0;     // space between two columns
};

struct PrintColumn {
  int column = 0;  // index into the selection's rows
  int x = 0;
  int width = 0;
  bool rightAligned = false;  // numbers
};

struct PrintPage {
  int number = 0;  // 1..pages
  std::vector<PrintColumn> columns;
  // Selection rows printed under the titles: body rows first..last-1 (the
  // selection's title row itself is not counted among them).
  int first = 0;
  int last = 0;
};

struct PrintLayout {
  std::string heading;
  CellRow titles;             // the column titles (repeated on every page)
  std::vector<CellRow> body;  // every other line, in order
  std::vector<PrintPage> pages;
  int headingY = 0;  // heading line
  int titlesY = 0;   // column titles
  int bodyY = 0;     // first body line
  int footerY = 0;   // page number line
  int linesPerPage = 0;
  // "第 n 页，共 m 页"
  std::string footer(const PrintPage& page) const;
};

// The widest a column may get, in cells: longer texts are cut when printed.
inline constexpr int kMaxPrintedCells = 40;

// `selection` as ResultGrid::Selection gives it (the titles after the
// aggregate lines). Empty selection: no pages.
PrintLayout LayOutPrint(const std::string& heading, const std::vector<CellRow>& selection, bool averages, bool totals,
                        const PageMetrics& metrics);

}  // namespace tarvolen::query
