#pragma once
// The room list of the student panel: every room a swiping student could be
// checked in to, free rooms and occupied ones, sorted by the chosen column,
// 30 rows a page. The page and the selected row are the key handler's room
// cursor, so keys, wheel and board always agree.
#include <array>
#include <string>
#include <vector>

#include "board/CellColour.h"
#include "board/ListCursor.h"
#include "board/ListModel.h"
#include "store/ActiveSessionTable.h"
#include "session/RoomAssignment.h"
#include "store/OleDate.h"
#include "store/Tables.h"

namespace tarvolen {

// Text colour of a row from its overtime text: normal when the time is not
// up ("余...") or there is no limit ("----"), else the overtime colour (an
// overtime of exactly 0 minutes is already drawn as overtime).
int RowTextColour(const std::string& overtimeText);

// Everything a drawn row of the room list shows.
struct RoomRow {
  int room = 0;          // slot carried by the room name cell (Labffj)
  int occupant = 0;      // student slot carried by the time cell (Labfys); 0 for a free room
  std::string roomName;  // Labffj
  std::string typeName;  // Labflb
  std::string card;      // Labfkh: plain digits, empty for a free room
  std::string name;      // Labfxm
  std::string used;      // Labfys: Rctime of the minutes used, "----" for a free room
  std::string overtime;  // Labfcs: Rtime of the overtime, "----" for a free room
  int textColour = cellcolour::kText;
  int background = cellcolour::kBackground;  // kSelected on the selected row

  // A row that shows a room (an empty row has no room name).
  bool showsRoom() const { return !roomName.empty(); }
};

struct RoomListContext {
  const RoomTable& rooms;
  const StudentTable& students;
  const ActiveSessionTable& sessions;
  const CategoryLists& categories;
  int student = 0;  // the swiping student (dedicated rooms)
  AssignmentOptions options;
  DateTime now;
};

class RoomBoard {
 public:
  static constexpr int kRows = ListCursor::kRows;
  static constexpr int kColumns = 7;  // "房间" "用时" "超时" "姓名" "卡号" "类别" "人数"

  // `cursor` is the key handler's room cursor; it must outlive the board.
  explicit RoomBoard(ListCursor& cursor);

  // Rebuilds the candidate list and the rows of the shown page. With a room
  // `a` of 1 or more, the page holding the candidate (a, b) is shown and its
  // row selected (b: the occupant, 0 for a free room); with a = 0 the board
  // is only refreshed. The selection never rests on an empty row while a
  // filled row stands above it.
  void BuildRoomList(const RoomListContext& ctx, int a, int b);

  // Selects a row: nothing when it is already selected or shows no room.
  // The room name label (tfj) follows the selection.
  void SelectRoomRow(int row);
  // The key handler moved the cursor: the backgrounds and the label follow.
  void CursorMoved();

  // A heading click: the sorted column again reverses the direction, another
  // column is sorted ascending. The list is rebuilt.
  void ClickHeading(const RoomListContext& ctx, int column);
  // The scroll bar moved to `page`: the list is rebuilt.
  void ShowPage(const RoomListContext& ctx, int page);

  // Start-up ordering is "超时" descending.
  int sortColumn() const { return list_.sortColumn(); }
  int direction() const { return list_.direction(); }  // 0 ascending, 1 descending
  void setOrdering(int column, int direction) { list_.setOrdering(column, direction); }

  const std::array<RoomRow, kRows>& rows() const { return rows_; }
  int candidateCount() const { return list_.count(); }
  // Last page of the scroll bar: (n - 1) \ 30, 0 when empty.
  int pageRange() const { return list_.pageRange(); }
  int page() const { return list_.page(); }
  // -1 until a row has been selected.
  int selectedRow() const { return list_.selectedRow(); }
  // The label above the student panel (tfj): the selected room's name.
  const std::string& selectedRoomLabel() const { return label_; }
  // The sorted, paged candidates behind the rows.
  const ListModel& list() const { return list_; }

  // The sort keys in ascending order (prefix and four-digit reference).
  std::vector<std::string> keys() const { return list_.keys(); }

 private:
  std::string OccupiedPrefix(const RoomListContext& ctx, const SessionRecord& s, int elapsed, int overtime) const;
  std::string FreePrefix(const RoomListContext& ctx, int room) const;
  RoomRow MakeRow(const RoomListContext& ctx, int reference) const;
  void Paint(int row);
  // The selected row moves up to the first row that shows a room.
  void WalkSelectionUp();

  ListModel list_;
  // Per candidate (the list's item): < 1000 a session position, 1000 + r
  // the free room r.
  std::vector<int> references_;
  std::array<RoomRow, kRows> rows_{};
  std::string label_;
};

}  // namespace tarvolen
