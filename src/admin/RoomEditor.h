#pragma once
// The page "房间数据": the room list List2 (row r is room slot r + 1), the
// ten editor fields Combofj(0..9) with their enable boxes Chefj(i) and lock
// boxes Check6(i), the search fields, and adding, changing and deleting
// rooms while the edit mode Check3 is on. Every save writes rooms.dat
// first; the table, the room's free places and the total follow only what
// the file took, so a refused or failed change leaves memory as the file.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "access/AdminArea.h"
#include "access/Operator.h"
#include "notify/Feedback.h"
#include "platform/MessageBoxes.h"
#include "store/InstallationData.h"

namespace tarvolen {

class RoomEditor {
 public:
  static constexpr int kFields = 10;
  static constexpr int kRows = RoomTable::kLastSlot;
  // The field indexes; Type, TimeLimit and Open are choices of an entry.
  enum Field {
    Name,
    Type,
    TimeLimit,
    Open,
    Price,
    Capacity,
    MinimumFee,
    BillingUnit,
    Tolerance,
    HandlingFee,
  };
  static constexpr std::array<const char*, kFields> kCaptions = {
      "名称", "类型", "时限", "开放", "价格", "人数", "最低消费(元)", "计费单位(分)", "容差(分)", "手续费(元)"};
  static constexpr const char* kLockCaption = "锁定";
  // Where the focus goes besides the fields.
  static constexpr int kFocusList = kFields;

  struct FieldState {
    std::string text;     // the typed text (fields without entries)
    int entry = -1;       // the chosen entry of Type, TimeLimit, Open; -1 none
    bool enabled = true;  // Chefj(i)
    bool locked = false;  // Check6(i)
  };

  struct Services {
    InstallationData& data;
    Feedback& feedback;
    const Operator& op;
    const AdminArea& area;  // the edit mode Check3
    MessageBoxes& boxes;
  };
  struct Hooks {
    // Rooms or places changed: the board counters and page are redrawn.
    std::function<void()> roomsChanged;
  };

  RoomEditor(Services services, Hooks hooks);
  RoomEditor(const RoomEditor&) = delete;
  RoomEditor& operator=(const RoomEditor&) = delete;

  // The entry lists from the major names and every row from the room table;
  // run once the rooms are loaded. A major renamed later shows after a restart.
  void Rebuild();

  // The choice lists.
  bool hasEntries(int field) const { return field == Type || field == TimeLimit || field == Open; }
  const std::vector<std::string>& entries(int field) const;
  const std::vector<std::string>& typeFilterEntries() const { return typeFilterEntries_; }
  const std::vector<std::string>& serviceFilterEntries() const { return serviceFilterEntries_; }

  // The fields.
  const FieldState& field(int i) const { return fields_.at(static_cast<size_t>(i)); }
  void SetText(int i, const std::string& text);
  void ChooseEntry(int i, int entry);
  // Chefj(i): at least one of the fields 0..5 stays enabled ("不能继续关闭！").
  void SetEnabled(int i, bool on);
  void SetLocked(int i, bool on);
  // Enter in field i: the keyboard walk.
  void EnterInField(int i);

  // The list.
  static int SlotOfRow(int row) { return row + 1; }
  const std::string& row(int r) const { return rows_.at(static_cast<size_t>(r)); }
  bool selected(int r) const { return selected_.at(static_cast<size_t>(r)); }
  int selectedCount() const;
  int currentRow() const { return current_; }
  // Label36: "序号:" and the slot of the room last loaded.
  const std::string& slotLabel() const { return slotLabel_; }
  // The operator's selection in the list.
  void SetSelection(const std::vector<int>& rows);
  // A click on a row: it becomes the current row and its room is loaded
  // into every field that is not locked.
  void ClickRow(int row);
  // Row slot - 1 alone selected, made current and loaded (a jump from the
  // main window to a room).
  void SelectOnly(int slot);
  // Row slot - 1 built again from the stored room (the room operations call
  // this after taking a room out of service or back).
  void RefreshRow(int slot);
  // The row of a slot as the list shows it.
  std::string RoomRow(int slot) const;

  // The search fields: Combo14(0) types, Combo14(1) service, Text14 name.
  int typeFilter() const { return typeFilter_; }
  int serviceFilter() const { return serviceFilter_; }
  const std::string& nameFilter() const { return nameFilter_; }
  void ChooseTypeFilter(int entry) { typeFilter_ = entry; }
  void ChooseServiceFilter(int entry) { serviceFilter_ = entry; }
  void SetNameFilter(const std::string& text) { nameFilter_ = text; }
  // "查找" (Command41): selects the rooms the filters and the name match.
  void Search();

  // "新增" (Command40), "修改" (Command9), "删除" (Command39): only in edit mode.
  bool commandsEnabled() const { return area_.roomEdit(); }
  void Add();
  // False when the fields were refused as a whole and nothing was tried.
  bool Change();
  void Delete();

  // The control that should take the focus (a field, or kFocusList); the
  // number changes with every request.
  int focusTarget() const { return focusTarget_; }
  int focusRequest() const { return focusRequest_; }
  // Change counters for the page's redraw: the rows' texts, the selection
  // and current row, the entry lists.
  uint64_t rowsVersion() const { return rowsVersion_; }
  uint64_t selectionVersion() const { return selectionVersion_; }
  uint64_t entriesVersion() const { return entriesVersion_; }

 private:
  // The record the ten fields describe, or nullopt after the refusal was told.
  std::optional<RoomRecord> RecordFromFields();
  // The room written to rooms.dat, then the table; false (told, naming the
  // room) when the file refused it.
  bool Save(int slot, const RoomRecord& record, const std::string& name);
  void AddPlaces(int slot, int change);
  void Load(int slot);
  void MakeCurrent(int row);
  void SelectAlone(int row);
  void Focus(int target);
  bool Allowed() const;
  bool WalkActive() const;
  void BoardChanged();

  InstallationData& data_;
  Feedback& feedback_;
  const Operator& operator_;
  const AdminArea& area_;
  MessageBoxes& boxes_;
  Hooks hooks_;

  std::array<FieldState, kFields> fields_{};
  std::vector<std::string> typeEntries_;
  std::vector<std::string> typeFilterEntries_;
  std::vector<std::string> serviceFilterEntries_;
  std::vector<std::string> rows_;
  std::vector<bool> selected_;
  int current_ = -1;
  std::string slotLabel_;
  int typeFilter_ = 0;
  int serviceFilter_ = 0;
  std::string nameFilter_;
  int focusTarget_ = -1;
  int focusRequest_ = 0;
  uint64_t rowsVersion_ = 0;
  uint64_t selectionVersion_ = 0;
  uint64_t entriesVersion_ = 0;
};

}  // namespace tarvolen
