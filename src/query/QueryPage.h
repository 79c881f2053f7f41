#pragma once
// The query page 统计查询: the source and display-mode choice, the 29
// criterion rows with their tick boxes, values, connectors and unit or
// match labels, the value editors each row opens, and the search that
// turns the page into a QueryRequest. The window draws this state and
// forwards clicks; every rule of the page lives here.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "access/Identities.h"
#include "notify/Feedback.h"
#include "platform/Clock.h"
#include "query/QueryRequest.h"
#include "startup/Calendar.h"
#include "startup/Options.h"
#include "store/SideFiles.h"
#include "store/Tables.h"

namespace tarvolen::query {

struct PageRow {
  bool shown = false;    // Check14(j) visible
  bool ticked = false;   // Check14(j) value
  bool locked = false;   // cannot be unticked (the grade row of the student source)
  std::string title;     // Check14(j) caption
  std::string from;      // Labfrom(j)
  std::string to;        // Labto(j)
  uint32_t fromSet = 0;  // Labfrom(j) tag
  uint32_t toSet = 0;    // Labto(j) tag (the operator row's second set)
  bool fromShown = false;
  bool toShown = false;
  bool connectorShown = false;
  std::string connector = "至";  // Label26(j)
  std::string unit;              // the Label28 element of the row: a unit or 相似 / 全等
};

// Which editor a value opens.
enum class ValueEditor { None, Date, Time, Toggle, List, Text };

// An entry of a multi-select list: its index in the set and its name.
struct ListEntry {
  int index = 0;
  std::string name;
};

class QueryPage {
 public:
  struct Services {
    Feedback& feedback;
    const StudentTable& students;
    const RoomTable& rooms;
    const CategoryLists& categories;
    const OperationNames& operationNames;
    const IdentityTable& identities;
    const Options& options;  // the calendar's dividers
    Clock& clock;
  };
  // Starts with the check-in source chosen; Reset chooses it again, with
  // the tables and options as they are now.
  explicit QueryPage(Services services);
  void Reset() { ChooseSource(0); }

  // Option4: 统计 (false) or 查询 (true); only 查询 produces a result.
  bool queryMode() const { return queryMode_; }
  void setQueryMode(bool query) { queryMode_ = query; }

  int source() const { return source_; }
  int mode() const { return mode_; }  // -1 until one is chosen
  bool modeListShown() const { return modeListShown_; }
  bool ignoreCheckoutTimeShown() const { return check15Shown_; }
  bool ignoreCheckoutTime() const { return ignoreCheckoutTime_; }
  void setIgnoreCheckoutTime(bool on) { ignoreCheckoutTime_ = on; }
  const PageRow& row(int j) const { return rows_[static_cast<size_t>(j)]; }
  // The texts of the source list (name padded to 24 characters, row codes).
  std::string sourceEntry(int i) const;

  // Combo9_Click, Combo10_Click, Check14_Click, Label28_Click.
  void ChooseSource(int source);
  void ChooseMode(int mode);
  void Tick(int j, bool ticked);
  void ClickUnit(int j);
  // The minutes one unit of the 用时 row stands for: 60 for 小时, 1 for 分.
  int minutesPerUnit() const { return unitFactor_; }

  // The editor the from (or to) value of row j opens.
  ValueEditor EditorFor(int j, bool to) const;
  // The date, time or text an editor gives; copied into the value at once.
  void SetValue(int j, bool to, const std::string& text);
  void SetDate(int j, bool to, const CivilDate& day);
  void SetTime(int j, bool to, int hour, int minute);
  // Toggles 女/男 or 是/否.
  void Toggle(int j);
  // The entries of the list a value opens, and the set it starts from.
  std::vector<ListEntry> ListEntries(int j) const;
  uint32_t CurrentSet(int j, bool to) const;
  // 确定 of a list: the set and the names joined by commas ("-[未选择]" for none).
  void ChooseSet(int j, bool to, uint32_t set);

  // 检索: refused with 4.wav and "请选择显示方式!" when the mode list shows
  // and no mode is chosen. Otherwise the request and the window's title.
  struct Search {
    bool refused = false;
    bool run = false;  // false in the 统计 mode: the window shows empty
    QueryRequest request;
    std::string title;
  };
  Search MakeSearch() const;

 private:
  PageRow& at(int j) { return rows_[static_cast<size_t>(j)]; }
  std::string_view codes() const;
  int digit(int j) const { return RowDigit(codes(), j); }
  void SetDefaults(int j);
  void FollowOperationSet();
  std::string NamesOf(int j, uint32_t set) const;

  Services services_;
  bool queryMode_ = true;
  int source_ = 0;
  int mode_ = -1;
  bool modeListShown_ = true;
  bool check15Shown_ = false;
  bool ignoreCheckoutTime_ = false;
  int unitFactor_ = 60;
  std::array<PageRow, kRows> rows_{};
};

inline constexpr const char* kChooseModeMessage = "请选择显示方式!";
inline constexpr const char* kNothingChosen = "-[未选择]";
inline constexpr const char* kTelephonePattern = "1380000****";

}  // namespace tarvolen::query
