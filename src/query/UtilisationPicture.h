#pragma once
// The utilisation picture as geometry: every rectangle, colour and text the
// window, the PNG and the PDF draw, in pixels, so the three show the same
// picture and the window only paints what it is given. Two views: rooms ×
// hours (rows grouped by room type) and weekday × hour for all rooms.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "query/Utilisation.h"

namespace tarvolen::query {

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
  PictureRect rect;  // the text is drawn left-aligned and vertically centred in it
  std::string text;
  bool bold = false;
  PictureColour colour = 0x000000;
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

UtilisationPicture LayOutUtilisation(const UtilisationReport& report, UtilisationView view);

}  // namespace tarvolen::query
