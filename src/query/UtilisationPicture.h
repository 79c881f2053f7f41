#pragma once
// The utilisation picture as geometry: every rectangle, colour and text the
// window, the PNG and the PDF draw, in pixels, so the three show the same
// picture and the window only paints what it is given. Two views: rooms ×
// hours (rows grouped by room type, the per-room figures beside them) and
// weekday × hour for all rooms. A painter fills the background white, then
// draws `lines`, `cells`, `legend` and `texts` in that order; the texts use
// a font of kPictureFontPixels.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "query/Utilisation.h"
#include "store/Result.h"

namespace tarvolen::query {

inline constexpr int kPictureFontPixels = 12;

enum class UtilisationView { RoomsByHour, WeekdaysByHour };

struct PictureRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
};

// 0xRRGGBB.
using PictureColour = uint32_t;

// The colour of a share 0..1 on the scale (white for 0, through yellow and
// orange to dark red for 1); a share outside 0..1 is clamped.
PictureColour ShareColour(double share);

struct PictureCell {
  PictureRect rect;
  PictureColour fill = 0xFFFFFF;
  double share = 0;
  std::string hover;  // e.g. "琴房01 14时: 37.5%"
};

struct PictureText {
  PictureRect rect;  // the text is drawn left-aligned (or right-aligned) and vertically centred in it
  std::string text;
  bool bold = false;
  PictureColour colour = 0x000000;
  bool alignRight = false;  // the figures' numbers
};

struct UtilisationPicture {
  int width = 0;
  int height = 0;
  std::vector<PictureText> texts;   // title, headings, row labels, legend captions, notes
  std::vector<PictureCell> cells;   // the heat map's cells
  std::vector<PictureCell> legend;  // the colour scale (hover empty)
  std::vector<PictureRect> lines;   // separators (drawn filled in grey)

  // The hover text of the cell under (x, y), if any.
  std::optional<std::string> HoverAt(int x, int y) const;
};

// Writes a picture as a file; the Qt painter does it in the program.
class PictureFiles {
 public:
  virtual ~PictureFiles() = default;
  virtual Status SavePng(const std::filesystem::path& path, const UtilisationPicture& picture) = 0;
  virtual Status SavePdf(const std::filesystem::path& path, const UtilisationPicture& picture) = 0;
};

UtilisationPicture LayOutUtilisation(const UtilisationReport& report, UtilisationView view);

// A share as the picture and the window write it: one decimal and "%".
std::string ShareText(double share);

// The per-room figures as texts: the heading row (房间, 类型, 使用小时, 次数,
// 开放时段占用率, 收费), one row per room and the totals row (合计).
std::vector<std::vector<std::string>> UtilisationFigureRows(const UtilisationReport& report);

}  // namespace tarvolen::query
