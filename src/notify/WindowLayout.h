#pragma once
// The main window's layout pass: where every control of the two lists, the
// student panel's details and the right-hand column goes for one outer
// window size, board size option and pair of sort columns. The window only
// applies the rectangles; the numbers are made here, so they are tested
// without a display.
//
// Everything is in pixels of the window's client area (15 twips to a pixel).
// The two list panels stand at kBoardLeft, kBoardTop; positions inside a
// panel are relative to the panel.
#include <array>
#include <functional>
#include <span>

namespace tarvolen {

struct LayoutRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int width = 0;
  int height = 0;
};

// The smallest outer size of the main window, in pixels (13125 x 8025 twips).
inline constexpr int kMinimumOuterWidth = 875;
inline constexpr int kMinimumOuterHeight = 535;
// Where the two list panels stand in the window.
inline constexpr int kBoardLeft = 6;
inline constexpr int kBoardTop = 6;
inline constexpr int kLayoutRows = 30;
inline constexpr int kSessionLayoutColumns = 9;
inline constexpr int kRoomLayoutColumns = 6;  // the places column is not laid out
inline constexpr int kScrollBarWidth = 17;
// The student details: the status line and thirteen caption/value pairs.
inline constexpr int kDetailRows = 13;
inline constexpr int kPhotoWidth = 72;
inline constexpr int kPhotoHeight = 96;
// A sort arrow image: it ends 2 pixels inside its heading's right edge.
inline constexpr int kSortArrowWidth = 16;
inline constexpr int kSortArrowInset = 18;

struct MainWindowLayoutInput {
  double outerWidth = kMinimumOuterWidth;  // pixels (outer twips / 15)
  double outerHeight = kMinimumOuterHeight;
  // The board size option: 0 "自动调整", 1..21 the text sizes 10..30; any
  // other value (a damaged set.dat) is taken as "自动调整".
  int boardSize = 0;
  int sessionSortColumn = 0;       // 0..8
  int roomSortColumn = 2;          // 0..6 (6, the places heading, keeps its arrow where it is)
  LayoutSize infoPanel{130, 200};  // the temporary-information panel keeps its size
  int sessionSortDirection = 0;    // 0 ascending, 1 descending
  int roomSortDirection = 1;
  int sortArrowLeftSession = 0;  // where the arrows stand now, kept for a column not laid out
  int sortArrowLeftRoom = 0;
  // The size of detail caption i (the index of the student panel's
  // details, 0 "卡号：" .. 12 "联系电话:") and of its value label at a text
  // size: labels fit their text, so their size depends on the text size.
  std::function<LayoutSize(int detail, int textSize)> captionSize;
  std::function<LayoutSize(int detail, int textSize)> valueSize;
  LayoutSize statusLabel{200, 20};
  LayoutSize divider{0, 16};  // today's-activity divider: height kept
  LayoutSize cancelButton{80, 25};
};

// The arrow pair of a list (element 0 for ascending, 1 for descending): both
// images stand at the same place, only the one of the list's direction shows.
struct SortArrows {
  LayoutRect rect;  // in the list panel
  int shown = 0;    // the element that shows
  bool operator==(const SortArrows&) const = default;
};

struct MainWindowLayout {
  // The quantities of the pass.
  double listWidth = 0;
  double listHeight = 0;
  int columnWidth = 0;   // W
  int rowHeight = 0;     // H
  int textSize = 0;      // F
  int detailColumn = 0;  // X
  int detailPitch = 0;   // R

  LayoutRect infoPanel;     // Text1, collapsed
  LayoutRect sessionPanel;  // Picture1, in the window
  LayoutRect studentPanel;  // Picture4, in the window
  int rightColumnLeft = 0;  // list width + 31: labels, buttons, TKey, tfj, Combo2
  int rightIconsLeft = 0;   // list width + 23

  // Inside the session-list panel.
  std::array<LayoutRect, kSessionLayoutColumns> sessionHeadings{};
  std::array<std::array<LayoutRect, kSessionLayoutColumns>, kLayoutRows> sessionCells{};
  std::array<LayoutRect, kLayoutRows> sessionMarkers{};
  LayoutRect sessionScrollBar;
  int sessionArrowLeft = 0;
  SortArrows sessionArrows;

  // Inside the student panel.
  std::array<LayoutRect, kRoomLayoutColumns> roomHeadings{};
  std::array<std::array<LayoutRect, kRoomLayoutColumns>, kLayoutRows> roomCells{};
  std::array<LayoutRect, kLayoutRows> roomMarkers{};
  LayoutRect roomScrollBar;
  int roomArrowLeft = 0;
  SortArrows roomArrows;
  LayoutRect cancelButton;                         // Command15
  int placesLeft = 0;                              // Label9 and the three use-options
  LayoutRect statusLabel;                          // Label22
  std::array<LayoutRect, kDetailRows> captions{};  // by detail index
  std::array<LayoutRect, kDetailRows> values{};
  // The swiped student's photo beside the name value, at most 72 x 96 and
  // never past the panel's right edge.
  LayoutRect photo;
  LayoutRect divider;    // today's-activity divider
  LayoutRect todayList;  // List5
};

// The order of the details down the caption column (detail indices).
inline constexpr std::array<int, kDetailRows> kDetailOrder = {2, 3, 4, 5, 6, 7, 0, 1, 8, 9, 10, 11, 12};

// The text size for a row height and the board size option.
int BoardTextSize(int boardSize, int rowHeight);

// Where a list's arrows go for its sort column and direction, over the
// headings the last pass laid out: at the sorted heading's right end, in the
// heading row. A column without a laid-out heading (the room list's places)
// keeps the arrows at `keptLeft`.
SortArrows PlaceSortArrows(std::span<const LayoutRect> headings, int column, int direction, int keptLeft);

// One pass. A window smaller than the minimum is laid out as the minimum.
MainWindowLayout LayoutMainWindow(const MainWindowLayoutInput& in);

}  // namespace tarvolen
