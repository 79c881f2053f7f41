#include "query/UtilisationPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace tarvolen::query {

namespace {

// The picture's measures in pixels.
constexpr int kMargin = 16;
constexpr int kTitleHeight = 24;
constexpr int kGap = 12;
constexpr int kLabelWidth = 120;
constexpr int kLabelIndent = 8;  // room labels stand under their type's heading
constexpr int kCellWidth = 32;
constexpr int kRowHeight = 20;
constexpr int kFiguresGap = 16;
constexpr int kFigureWidth = 96;
constexpr int kFigureColumns = 4;
constexpr int kLegendLabelWidth = 56;
constexpr int kSwatches = 11;  // 0%, 10%, .. 100%
constexpr int kSwatchWidth = 24;
constexpr int kSwatchHeight = 14;
constexpr int kCaptionHeight = 16;
constexpr int kNoteHeight = 20;
constexpr int kEmptyWidth = 360;

constexpr PictureColour kHeadingColour = 0x404040;
constexpr const char* kNoRecords = "所选时段没有使用记录";

// A generous width of a text in the picture's font: the core has no font
// metrics, so the picture is made wide enough for the widest glyphs.
int EstimatedWidth(const std::string& text) {
  int width = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      width += 7;
    } else if ((c & 0xC0) != 0x80) {
      width += kPictureFontPixels + 1;  // the lead byte of a wide character
    }
  }
  return width;
}

std::string Fixed(double value, int decimals) {
  if (!std::isfinite(value)) value = 0;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string DateText(const CivilDate& d) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", d.year, d.month, d.day);
  return buffer;
}

std::string Title(const UtilisationReport& report) {
  return "房间使用率 " + DateText(report.from) + " 至 " + DateText(report.to);
}

double Ratio(int64_t part, int64_t whole) {
  return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

std::vector<std::string> FigureCells(const RoomUtilisation& room) {
  return {Fixed(static_cast<double>(room.occupiedMinutes) / 60.0, 1), std::to_string(room.sessions),
          ShareText(room.openingShare), Fixed(room.fees, 2)};
}

constexpr std::array<const char*, 7> kWeekdays = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};

constexpr std::array<const char*, kFigureColumns> kFigureHeadings = {"使用小时", "次数", "开放时段占用率", "收费"};

// Builds one picture: the parts every view shares (title, hour headings,
// legend, notes) around the rows a view adds.
class PictureBuilder {
 public:
  PictureBuilder(const UtilisationReport& report, UtilisationPicture& picture)
      : report_(report),
        picture_(picture),
        first_(report.firstHour),
        hours_(std::max(0, report.lastHour - report.firstHour + 1)) {}

  int gridLeft() const { return kMargin + kLabelWidth; }
  int gridRight() const { return gridLeft() + hours_ * kCellWidth; }
  int y() const { return y_; }

  void Title() {
    Text({kMargin, y_, 0, kTitleHeight}, query::Title(report_), true);
    y_ += kTitleHeight + kGap;
  }

  void HourHeadings(const char* rowHeading) {
    Text({kMargin, y_, kLabelWidth, kRowHeight}, rowHeading, true, kHeadingColour);
    for (int c = 0; c < hours_; ++c) {
      Text({gridLeft() + c * kCellWidth + 2, y_, kCellWidth - 2, kRowHeight}, std::to_string(first_ + c), true,
           kHeadingColour);
    }
  }

  void FigureHeadings(int figuresLeft) {
    for (int k = 0; k < kFigureColumns; ++k) {
      PictureText& t = Text({figuresLeft + k * kFigureWidth, y_, kFigureWidth - 8, kRowHeight},
                            kFigureHeadings[static_cast<size_t>(k)], true, kHeadingColour);
      t.alignRight = true;
    }
  }

  void NextRow() { y_ += kRowHeight; }

  // A type's heading row, over the cells' columns.
  void Heading(const std::string& text) {
    Text({kMargin, y_, kLabelWidth + hours_ * kCellWidth, kRowHeight}, text, true);
  }

  // A group of cell rows begins: its grey backing shows between the cells.
  void BeginGroup() { groupTop_ = y_; }
  void EndGroup() {
    if (y_ > groupTop_)
      picture_.lines.push_back({gridLeft() - 1, groupTop_ - 1, hours_ * kCellWidth + 1, y_ - groupTop_ + 1});
  }

  // One row of cells; share(h) gives the share of hour h.
  template <typename ShareOf>
  void CellRow(const std::string& label, bool bold, int indent, ShareOf share) {
    Text({kMargin + indent, y_, kLabelWidth - indent, kRowHeight}, label, bold);
    for (int c = 0; c < hours_; ++c) {
      const int hour = first_ + c;
      PictureCell cell;
      cell.rect = {gridLeft() + c * kCellWidth, y_, kCellWidth - 1, kRowHeight - 1};
      cell.share = share(hour);
      cell.fill = ShareColour(cell.share);
      cell.hover = label + " " + std::to_string(hour) + "时: " + ShareText(cell.share);
      picture_.cells.push_back(std::move(cell));
    }
  }

  void Figures(int figuresLeft, const RoomUtilisation& room, bool bold) {
    const std::vector<std::string> cells = FigureCells(room);
    for (size_t k = 0; k < cells.size(); ++k) {
      PictureText& t =
          Text({figuresLeft + static_cast<int>(k) * kFigureWidth, y_, kFigureWidth - 8, kRowHeight}, cells[k], bold);
      t.alignRight = true;
    }
  }

  void Legend() {
    y_ += kGap;
    Text({kMargin, y_, kLegendLabelWidth, kSwatchHeight}, "占用率", false, kHeadingColour);
    const int left = kMargin + kLegendLabelWidth;
    for (int i = 0; i < kSwatches; ++i) {
      PictureCell swatch;
      swatch.rect = {left + i * kSwatchWidth, y_, kSwatchWidth, kSwatchHeight};
      swatch.share = static_cast<double>(i) / (kSwatches - 1);
      swatch.fill = ShareColour(swatch.share);
      picture_.legend.push_back(swatch);
    }
    picture_.lines.push_back({left - 1, y_ - 1, kSwatches * kSwatchWidth + 2, kSwatchHeight + 2});
    y_ += kSwatchHeight + 2;
    Text({left, y_, 40, kCaptionHeight}, "0%", false, kHeadingColour);
    Text({left + (kSwatches / 2) * kSwatchWidth, y_, 40, kCaptionHeight}, "50%", false, kHeadingColour);
    Text({left + (kSwatches - 1) * kSwatchWidth, y_, 40, kCaptionHeight}, "100%", false, kHeadingColour);
    y_ += kCaptionHeight;
    widest_ = std::max(widest_, left + kSwatches * kSwatchWidth + 16);
  }

  // The report's notes; `nothingShown` makes sure the first says so.
  void Notes(bool nothingShown) {
    std::vector<std::string> notes = report_.Notes();
    if (nothingShown && (notes.empty() || notes.front() != kNoRecords)) notes.insert(notes.begin(), kNoRecords);
    if (notes.empty()) return;
    y_ += kGap;
    for (const std::string& note : notes) {
      Text({kMargin, y_, 0, kNoteHeight}, note, false);
      y_ += kNoteHeight;
    }
  }

  // The size: wide enough for the widest part; texts given no width span it.
  void Finish(int minimumWidth) {
    picture_.width = std::max(widest_ + kMargin, minimumWidth);
    picture_.height = y_ + kMargin;
    for (PictureText& t : picture_.texts) {
      if (t.rect.width == 0) t.rect.width = picture_.width - t.rect.x - kMargin;
    }
  }

 private:
  PictureText& Text(PictureRect rect, std::string text, bool bold, PictureColour colour = 0x000000) {
    const int needed = rect.x + EstimatedWidth(text) * (bold ? 11 : 10) / 10;
    if (rect.width == 0) widest_ = std::max(widest_, needed);
    picture_.texts.push_back(PictureText{rect, std::move(text), bold, colour, false});
    return picture_.texts.back();
  }

  const UtilisationReport& report_;
  UtilisationPicture& picture_;
  int first_;
  int hours_;
  int y_ = kMargin;
  int groupTop_ = 0;
  int widest_ = 0;
};

// Both views return the width their rows need.
int LayOutRooms(const UtilisationReport& report, PictureBuilder& b, UtilisationPicture& picture) {
  const int figuresLeft = b.gridRight() + kFiguresGap;
  b.HourHeadings("房间");
  b.FigureHeadings(figuresLeft);
  b.NextRow();
  const size_t hours = static_cast<size_t>(report.lastHour - report.firstHour + 1);
  picture.cells.reserve((report.rooms.size() + 1) * hours);
  picture.texts.reserve(picture.texts.size() + (report.rooms.size() + 1) * (kFigureColumns + 1) + 64);
  bool open = false;
  for (size_t r = 0; r < report.rooms.size(); ++r) {
    const RoomUtilisation& room = report.rooms[r];
    const bool newGroup =
        r == 0 || room.type != report.rooms[r - 1].type || room.deleted != report.rooms[r - 1].deleted;
    if (newGroup) {
      if (open) b.EndGroup();
      b.Heading(room.typeName);
      b.NextRow();
      b.BeginGroup();
      open = true;
    }
    b.CellRow(room.label, false, kLabelIndent, [&](int hour) { return report.Share(r, hour); });
    b.Figures(figuresLeft, room, false);
    b.NextRow();
  }
  if (open) b.EndGroup();
  // The totals: every chosen room together.
  const int64_t rooms = static_cast<int64_t>(report.rooms.size());
  b.BeginGroup();
  b.CellRow(report.totals.label.empty() ? std::string("合计") : report.totals.label, true, 0, [&](int hour) {
    const auto h = static_cast<size_t>(hour);
    return Ratio(report.totals.minutesByHour[h], report.availableByHour[h] * rooms);
  });
  b.Figures(figuresLeft, report.totals, true);
  b.NextRow();
  b.EndGroup();
  return figuresLeft + kFigureColumns * kFigureWidth + kMargin;
}

int LayOutWeekdays(const UtilisationReport& report, PictureBuilder& b) {
  b.HourHeadings("星期");
  b.NextRow();
  b.BeginGroup();
  for (int w = 0; w < 7; ++w) {
    b.CellRow(kWeekdays[static_cast<size_t>(w)], false, kLabelIndent,
              [&](int hour) { return report.WeekdayShare(w, hour); });
    b.NextRow();
  }
  b.EndGroup();
  return b.gridRight() + kMargin;
}

}  // namespace

PictureColour ShareColour(double share) {
  // White, yellow, orange, dark red at 0, 1/3, 2/3 and 1.
  static constexpr std::array<PictureColour, 4> kStops = {0xFFFFFF, 0xFFE066, 0xFF8C00, 0x8B0000};
  if (!(share > 0)) return kStops[0];  // also NaN
  if (share >= 1) return kStops[3];
  const double scaled = share * 3.0;
  const auto i = static_cast<size_t>(scaled);
  const double t = scaled - static_cast<double>(i);
  PictureColour out = 0;
  for (int shift = 16; shift >= 0; shift -= 8) {
    const double a = static_cast<double>((kStops[i] >> shift) & 0xFF);
    const double z = static_cast<double>((kStops[i + 1] >> shift) & 0xFF);
    const auto c = static_cast<PictureColour>(std::lround(a + (z - a) * t));
    out |= c << shift;
  }
  return out;
}

std::string ShareText(double share) { return Fixed(share * 100.0, 1) + "%"; }

std::optional<std::string> UtilisationPicture::HoverAt(int x, int y) const {
  // Cells are laid out row by row, top to bottom: find the first cell that
  // does not end above y, then look along its row.
  auto it = std::partition_point(cells.begin(), cells.end(),
                                 [y](const PictureCell& c) { return c.rect.y + c.rect.height <= y; });
  for (; it != cells.end() && it->rect.y <= y; ++it) {
    if (it->rect.contains(x, y)) return it->hover;
  }
  return std::nullopt;
}

UtilisationPicture LayOutUtilisation(const UtilisationReport& report, UtilisationView view) {
  UtilisationPicture picture;
  PictureBuilder b(report, picture);
  b.Title();
  const bool shown = !report.empty() && report.firstHour <= report.lastHour && report.lastHour <= 23;
  if (!shown) {
    // Nothing to draw: the title and the notes say why.
    b.Notes(true);
    b.Finish(kEmptyWidth);
    return picture;
  }
  const int width = view == UtilisationView::RoomsByHour ? LayOutRooms(report, b, picture) : LayOutWeekdays(report, b);
  b.Legend();
  b.Notes(false);
  b.Finish(width);
  return picture;
}

std::vector<std::vector<std::string>> UtilisationFigureRows(const UtilisationReport& report) {
  std::vector<std::vector<std::string>> rows;
  rows.reserve(report.rooms.size() + 2);
  std::vector<std::string> heading = {"房间", "类型"};
  heading.insert(heading.end(), kFigureHeadings.begin(), kFigureHeadings.end());
  rows.push_back(std::move(heading));
  auto add = [&rows](const RoomUtilisation& room, std::string label, std::string type) {
    std::vector<std::string> row = {std::move(label), std::move(type)};
    for (std::string& cell : FigureCells(room)) row.push_back(std::move(cell));
    rows.push_back(std::move(row));
  };
  for (const RoomUtilisation& room : report.rooms) add(room, room.label, room.typeName);
  add(report.totals, report.totals.label.empty() ? std::string("合计") : report.totals.label, "");
  return rows;
}

}  // namespace tarvolen::query
