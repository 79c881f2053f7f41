#include "notify/WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace tarvolen {
namespace {

// Rounds to the nearest whole number, a half to the even neighbour.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }
int Floor(double v) { return static_cast<int>(std::floor(v)); }

LayoutSize Measure(const std::function<LayoutSize(int, int)>& f, int detail, int textSize) {
  return f ? f(detail, textSize) : LayoutSize{};
}

}  // namespace

int BoardTextSize(int boardSize, int rowHeight) {
  if (boardSize >= 1 && boardSize <= 21) return boardSize + 9;
  return RoundEven(0.75 * rowHeight);
}

SortArrows PlaceSortArrows(std::span<const LayoutRect> headings, int column, int direction, int keptLeft) {
  SortArrows out;
  out.shown = direction == 1 ? 1 : 0;
  if (headings.empty()) return out;
  const LayoutRect& row = headings.front();  // the heading row's top and height
  int left = keptLeft;
  if (column >= 0 && column < static_cast<int>(headings.size())) {
    const LayoutRect& h = headings[static_cast<size_t>(column)];
    left = h.left + h.width - kSortArrowInset;
  }
  out.rect = {left, row.top, kSortArrowWidth, row.height};
  return out;
}

MainWindowLayout LayoutMainWindow(const MainWindowLayoutInput& in) {
  MainWindowLayout out;
  // The window is held at its minimum size; a smaller size (a window
  // manager that shrinks it anyway) is laid out as the minimum.
  const double ow = std::max(in.outerWidth, static_cast<double>(kMinimumOuterWidth));
  const double oh = std::max(in.outerHeight, static_cast<double>(kMinimumOuterHeight));
  const double lw = ow - 164;
  const double lh = oh - 48;
  out.listWidth = lw;
  out.listHeight = lh;

  out.infoPanel = {RoundEven(ow - in.infoPanel.width - 20), RoundEven(oh - 48), in.infoPanel.width,
                   in.infoPanel.height};
  const int panelWidth = RoundEven(lw);
  const int panelHeight = RoundEven(lh);
  out.sessionPanel = {kBoardLeft, kBoardTop, panelWidth, panelHeight};
  out.studentPanel = out.sessionPanel;

  const int W = Floor((lw - kScrollBarWidth) / 9);
  const int H = Floor(lh / 31);
  const int F = BoardTextSize(in.boardSize, H);
  out.columnWidth = W;
  out.rowHeight = H;
  out.textSize = F;

  out.rightIconsLeft = RoundEven(lw + 23);
  out.rightColumnLeft = RoundEven(lw + 31);

  for (int i = 0; i < kSessionLayoutColumns; ++i)
    out.sessionHeadings[static_cast<size_t>(i)] = {W * i, 0, W - 2, H - 2};
  for (int r = 0; r < kLayoutRows; ++r) {
    auto& row = out.sessionCells[static_cast<size_t>(r)];
    for (int k = 0; k < kSessionLayoutColumns; ++k) row[static_cast<size_t>(k)] = {W * k, (r + 1) * H, W - 2, H - 2};
    out.sessionMarkers[static_cast<size_t>(r)] = {0, (r + 1) * H, RoundEven(lw - 20), H - 2};
  }
  out.sessionScrollBar = {9 * W, 0, kScrollBarWidth, panelHeight};

  for (int i = 0; i < kRoomLayoutColumns; ++i) out.roomHeadings[static_cast<size_t>(i)] = {W * i, 0, W - 2, H - 2};
  for (int r = 0; r < kLayoutRows; ++r) {
    auto& row = out.roomCells[static_cast<size_t>(r)];
    for (int k = 0; k < kRoomLayoutColumns; ++k) row[static_cast<size_t>(k)] = {W * k, (r + 1) * H, W - 2, H - 2};
    out.roomMarkers[static_cast<size_t>(r)] = {RoundEven(0.5 * W), (r + 1) * H, 5 * W, H - 2};
  }
  out.roomScrollBar = {6 * W, 0, kScrollBarWidth, panelHeight};
  const int scroll2 = out.roomScrollBar.left;

  // The arrows stand at the right end of the sorted heading.
  out.sessionArrows =
      PlaceSortArrows(out.sessionHeadings, in.sessionSortColumn, in.sessionSortDirection, in.sortArrowLeftSession);
  out.roomArrows = PlaceSortArrows(out.roomHeadings, in.roomSortColumn, in.roomSortDirection, in.sortArrowLeftRoom);
  out.sessionArrowLeft = out.sessionArrows.rect.left;
  out.roomArrowLeft = out.roomArrows.rect.left;

  out.cancelButton = {panelWidth - 129, panelHeight - 33, in.cancelButton.width, in.cancelButton.height};
  out.placesLeft = scroll2 + W;

  const int X = RoundEven(scroll2 + kScrollBarWidth + W / 5.0);
  const int R = Floor((lh - 113) * 0.67 / 14);
  out.detailColumn = X;
  out.detailPitch = R;

  out.statusLabel = {X, 80, in.statusLabel.width, in.statusLabel.height};
  for (int n = 1; n <= kDetailRows; ++n) {
    const int detail = kDetailOrder[static_cast<size_t>(n - 1)];
    const LayoutSize c = Measure(in.captionSize, detail, F);
    const LayoutSize v = Measure(in.valueSize, detail, F);
    const LayoutRect caption{X, 80 + n * R, c.width, c.height};
    out.captions[static_cast<size_t>(detail)] = caption;
    out.values[static_cast<size_t>(detail)] = {caption.left + caption.width, caption.top, v.width, v.height};
  }
  // The photo stands beside the name's value label where this pass puts it.
  const LayoutRect& name = out.values[2];
  const int photoLeft = name.left + name.width + 16;
  const int photoWidth = std::clamp(panelWidth - photoLeft - 4, 0, kPhotoWidth);
  out.photo = {photoLeft, name.top, photoWidth, photoWidth * kPhotoHeight / kPhotoWidth};

  const LayoutRect& phone = out.captions[12];
  const int phoneBottom = phone.top + phone.height;
  out.divider = {scroll2 + kScrollBarWidth, phoneBottom + 10, 3 * W, in.divider.height};
  out.todayList = {scroll2 + 25, phoneBottom + 26, 3 * W - 16, RoundEven((panelHeight - 113) * 0.33)};
  return out;
}

}  // namespace tarvolen
