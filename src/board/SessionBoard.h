#pragma once
// The session list of the main window: the students checked in now, sorted
// by the chosen column, 30 rows a page, with the flash of a new session's
// row and the counters of the status line. The page and the selected row
// are the key handler's session cursor.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "board/ListCursor.h"
#include "board/ListModel.h"
#include "board/RoomBoard.h"
#include "platform/Timer.h"
#include "store/ActiveSessionTable.h"
#include "session/RoomAssignment.h"
#include "startup/Calendar.h"
#include "store/OleDate.h"
#include "store/Tables.h"

namespace tarvolen {

// The flash table, as 0x00BBGGRR: red, orange, yellow, green, cyan, blue,
// magenta, white. The flash uses the first six.
inline constexpr std::array<uint32_t, 8> kFlashColours = {0x000000FF, 0x000080FF, 0x0000FFFF, 0x0000FF00,
                                                          0x00FFFF00, 0x00FF0000, 0x00FF00FF, 0x00FFFFFF};

// Everything a drawn row of the session list shows.
struct SessionRow {
  int student = 0;          // slot carried by the name cell (Labname)
  int room = 0;             // slot carried by the card cell (Labkh)
  std::string name;         // Labname
  std::string card;         // Labkh: plain digits
  std::string checkIn;      // Labsj: Rtime of the start minute
  std::string used;         // Labys: Rctime of the minutes used
  std::string usedTooltip;  // the start date "yyyy-mm-dd"
  std::string roomName;     // Labfh
  std::string typeName;     // Lablb
  std::string grade;        // Lablj: "yy" "级|" grade name
  std::string major;        // Labzlj
  std::string overtime;     // Labcs: Rtime of the overtime
  int textColour = cellcolour::kText;
  // Background as a colour index (1, or 4 on the selected row) ...
  int background = cellcolour::kBackground;
  // ... unless the flash painted the row with a table colour.
  std::optional<uint32_t> flashColour;

  bool showsEntry() const { return !card.empty(); }
};

struct SessionListContext {
  const RoomTable& rooms;
  const StudentTable& students;
  const ActiveSessionTable& sessions;
  const CategoryLists& categories;
  Dividers dividers;  // for the grade
  int defaultTimeLimit = 0;
  DateTime now;
};

// The texts of the status line, the places label and the use-option captions.
struct CounterTexts {
  std::string online;                // Label3(3) "在线：n"
  std::string overtime;              // Label3(4) "超时：n"
  std::string page;                  // Label3(5) "第x/y页"
  std::string places;                // free and overtime places against the total "a/b"
  std::string idleRoomsCaption;      // "使用空闲房间(n)"
  std::string overtimeRoomsCaption;  // "使用超时房间(n)"
  std::string roomsInTimeCaption;    // "使用未超时房间(n)"
};

// Places the three use-options offer together.
int CountAvailablePlaces(const ActiveSessionTable& sessions, const AssignmentOptions& options);

class SessionBoard {
 public:
  static constexpr int kRows = ListCursor::kRows;
  static constexpr int kColumns = 9;  // "姓名" "卡号" "登记时间" "用时" "房间号" "类别" "年级" "专业" "超时"
  static constexpr int kFlashIntervalMs = 250;
  static constexpr int kFlashLastCount = 50;  // 51 ticks

  // `cursor` is the key handler's session cursor; `flashTimer` is Timclor1.
  SessionBoard(ListCursor& cursor, std::unique_ptr<Timer> flashTimer);
  SessionBoard(const SessionBoard&) = delete;
  SessionBoard& operator=(const SessionBoard&) = delete;

  // Rebuilds the rows of the shown page. With a student `a` of 1 or more the
  // page holding that student's session is shown and its row flashes.
  void ShowSessionList(const SessionListContext& ctx, int a);

  // Selects a row: nothing when it is already selected or shows no entry.
  void SelectSessionRow(int row);
  // The key handler moved the cursor: the backgrounds follow.
  void CursorMoved();

  void FlashSessionRow(int row);
  void StopFlash();
  // One tick of the flash timer.
  void FlashTick();
  // Told after every flash tick (the timer's own and StopFlash's), so the
  // flashing row is redrawn.
  std::function<void()> onFlashTick;
  bool flashing() const { return timer_->isActive(); }
  int flashRow() const { return flashRow_; }
  int flashCounter() const { return flashCounter_; }

  // A heading click: the sorted column again reverses, another column sorts
  // ascending. The list is redrawn.
  void ClickHeading(const SessionListContext& ctx, int column);
  // The scroll bar moved: the page is shown and the flash stops.
  void ShowPage(const SessionListContext& ctx, int page);

  // Start-up ordering is "姓名" ascending.
  int sortColumn() const { return list_.sortColumn(); }
  int direction() const { return list_.direction(); }
  void setOrdering(int column, int direction) { list_.setOrdering(column, direction); }

  const std::array<SessionRow, kRows>& rows() const { return rows_; }
  int page() const { return list_.page(); }
  // (count - 1) \ 30, 0 when empty.
  int pageRange() const { return list_.pageRange(); }
  int selectedRow() const { return list_.selectedRow(); }
  // The sorted, paged sessions behind the rows.
  const ListModel& list() const { return list_; }

  CounterTexts ShowCounters(const ActiveSessionTable& sessions) const;

  // The sort keys in ascending order (prefix and three-digit position).
  std::vector<std::string> keys() const { return list_.keys(); }

 private:
  std::string Prefix(const SessionListContext& ctx, const SessionRecord& s) const;
  SessionRow MakeRow(const SessionListContext& ctx, int position) const;
  void PaintIndex(int row, int colour);
  void Paint(int row);

  ListModel list_;
  std::unique_ptr<Timer> timer_;
  // Per session shown (the list's item): its position in the table.
  std::vector<int> positions_;
  std::array<SessionRow, kRows> rows_{};
  int flashRow_ = -1;
  int flashCounter_ = kFlashLastCount + 1;
};

}  // namespace tarvolen
