#pragma once
// The detail sheets: resting the pointer on a student's name or a room in
// the session list or the room list shows that student's or room's figures
// beside the pointer (with "显示详细信息" on). What a cell does (select the
// row, show a sheet, hide the sheets, nothing) is the hover table below;
// the text of a sheet is built only when the kind or slot differs from the
// sheet built last (the cache), since pointer moves arrive continuously.
// The windows draw `view()`.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "startup/Options.h"
#include "store/ActiveSessionTable.h"
#include "store/Tables.h"

namespace tarvolen {

enum class SheetKind { None, Student, Room };
enum class SheetAction { None, Hide, StudentSheet, RoomSheet };
enum class HoverList { Session, Room };

// Columns of a hover besides the cells of a list.
inline constexpr int kHoverHeading = -1;        // a list heading
inline constexpr int kHoverPanel = -2;          // the list's panel between the cells
inline constexpr int kSessionMarkerColumn = 9;  // Labtt
inline constexpr int kRoomMarkerColumn = 7;     // Labftt
// Cells by column: the session list's nine (0 name .. 8 overtime) and the
// room list's in the order of its headings (0 room, 1 time used, 2 overtime,
// 3 name, 4 card, 5 type, 6 places).

struct HoverEffect {
  bool selectsRow = false;
  SheetAction action = SheetAction::None;
  bool operator==(const HoverEffect&) const = default;
};

HoverEffect HoverAction(HoverList list, int column);

// The sheet's offset from the main window's outer top-left corner, in
// pixels, from the hovered cell's place in its panel and the pointer inside
// the cell: left + 64 + x / 15, top + 32 + y / 15, to the nearest whole
// number (a half to the even neighbour).
struct SheetOffset {
  int x = 0;
  int y = 0;
  bool operator==(const SheetOffset&) const = default;
};
SheetOffset SheetOffsetFrom(int cellLeft, int cellTop, int pointerX, int pointerY);

// The sheet's layout: line i at 8 + 14 i pixels from the top.
inline constexpr int kSheetLines = 40;
inline constexpr int kStudentSheetLines = 15;
inline constexpr int kRoomSheetLines = 9;
inline constexpr int kSheetLineLeft = 8;
inline constexpr int kSheetLineTop = 8;
inline constexpr int kSheetLinePitch = 14;
inline constexpr int kRoomSheetWidthTwips = 2000;
inline constexpr int kStudentSheetWidthTwips = 1950;       // no photo
inline constexpr int kStudentSheetPhotoWidthTwips = 2985;  // with the photo
inline constexpr int kPhotoBoxWidth = 60;
inline constexpr int kPhotoBoxHeight = 80;
// Height in twips: the top of the first unused line in pixels x 15 + 45.
constexpr int SheetHeightTwips(int lines) { return (kSheetLineTop + kSheetLinePitch * lines) * 15 + 45; }

std::vector<std::string> StudentSheetLines(const StudentRecord& s, const CategoryLists& lists, const Options& options,
                                           const CivilDate& today);
std::vector<std::string> RoomSheetLines(const RoomRecord& r, int freePlaces, const CategoryLists& lists);

struct DetailSheetView {
  bool visible = false;
  SheetKind kind = SheetKind::None;  // of the text built last
  int slot = 0;
  std::vector<std::string> lines;
  int heightTwips = 0;
  int widthTwips = 0;       // a room's, or a student's without a photo
  int photoWidthTwips = 0;  // a student's with the photo loaded (0: a room)
  std::string photoPath;    // the student's photo file; empty: no photo box
  SheetOffset offset;
  int builds = 0;  // counts the texts built: a new text, a new photo
};

class DetailSheets {
 public:
  struct Sources {
    const StudentTable& students;
    const RoomTable& rooms;
    const CategoryLists& lists;
    const ActiveSessionTable& sessions;
    const Options& options;
    const Clock& clock;
  };

  explicit DetailSheets(Sources sources) : s_(sources) {}

  // ShowStudentSheet / ShowRoomSheet: nothing with "显示详细信息" off or a
  // slot without an entry (a sheet already shown stays where it is).
  void ShowStudent(int slot, SheetOffset at);
  void ShowRoom(int slot, SheetOffset at);
  // HideSheets: both windows go; the cache and the texts stay.
  void Hide();
  // The boards were redrawn: a figure on a sheet may have changed (a
  // balance after a check-out), so the next show builds its text anew.
  void DropCache();

  const DetailSheetView& view() const { return view_; }
  bool cached(SheetKind kind, int slot) const { return cacheKind_ == kind && cacheSlot_ == slot; }

 private:
  void Build(SheetKind kind, int slot, std::vector<std::string> lines);

  Sources s_;
  DetailSheetView view_;
  SheetKind cacheKind_ = SheetKind::None;
  int cacheSlot_ = 0;
};

}  // namespace tarvolen
