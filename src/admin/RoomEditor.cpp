#include "admin/RoomEditor.h"

#include <algorithm>
#include <cstdio>

#include "admin/RoomEntries.h"
#include "admin/RoomRow.h"
#include "store/Gbk.h"
#include "store/NumberText.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

constexpr const char* kBadNumber = "数据输入有误！";
constexpr int kNameBytes = 8;
constexpr int kNameCells = 8;

const std::vector<std::string>& OpenEntryList() {
  static const std::vector<std::string> entries(kOpenEntries.begin(), kOpenEntries.end());
  return entries;
}

// A single as a plain number for a field: "10", "12.5"; never an exponent,
// which the field would read back as another number.
std::string PlainNumber(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
  std::string s = text;
  if (s.find('e') == std::string::npos) return s;
  std::snprintf(text, sizeof text, "%.10f", static_cast<double>(value));
  s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

// What a number field holds, for its member: nothing (or text without a
// number) is 0; a number that does not fit refuses the whole change.
struct NumberField {
  int field;
  NumberTarget target;
  bool negativeAllowed;
};

// A name the record can hold: one over 8 GBK bytes is cut to 8 display
// cells (a character of two GBK bytes is two cells wide). A text with no
// GBK form is kept: its save fails and says why.
std::string StorableName(const std::string& typed) {
  if (GbkLength(typed) <= kNameBytes) return typed;
  return CutToWidth(typed, kNameCells);
}

}  // namespace

RoomEditor::RoomEditor(Services services, Hooks hooks)
    : data_(services.data),
      feedback_(services.feedback),
      operator_(services.op),
      area_(services.area),
      boxes_(services.boxes),
      hooks_(std::move(hooks)),
      rows_(kRows),
      selected_(kRows, false) {
  Rebuild();
}

void RoomEditor::Rebuild() {
  const CategoryLists& lists = data_.categories();
  typeEntries_ = TypeEntries(lists);
  typeFilterEntries_ = TypeFilterEntries(lists);
  serviceFilterEntries_ = ServiceFilterEntries();
  if (typeFilter_ >= static_cast<int>(typeFilterEntries_.size())) typeFilter_ = 0;
  for (int slot = 1; slot <= kRows; ++slot) rows_[static_cast<size_t>(slot - 1)] = RoomRow(slot);
  ++entriesVersion_;
  ++rowsVersion_;
  ++selectionVersion_;
}

const std::vector<std::string>& RoomEditor::entries(int field) const {
  static const std::vector<std::string> none;
  switch (field) {
    case Type: return typeEntries_;
    case TimeLimit: return TimeLimitEntries();
    case Open: return OpenEntryList();
    default: return none;
  }
}

std::string RoomEditor::RoomRow(int slot) const {
  if (!RoomTable::validSlot(slot)) return {};
  return RoomListRow(data_.rooms()[slot], data_.categories());
}

// --- Fields -------------------------------------------------------------

void RoomEditor::SetText(int i, const std::string& text) {
  if (i < 0 || i >= kFields || hasEntries(i)) return;
  fields_[static_cast<size_t>(i)].text = text;
}

void RoomEditor::ChooseEntry(int i, int entry) {
  if (!hasEntries(i)) return;
  const int count = static_cast<int>(entries(i).size());
  fields_[static_cast<size_t>(i)].entry = entry >= 0 && entry < count ? entry : -1;
}

void RoomEditor::SetEnabled(int i, bool on) {
  if (i < 0 || i >= kFields) return;
  if (!on && i <= Capacity) {
    int others = 0;
    for (int f = Name; f <= Capacity; ++f) {
      if (f != i && fields_[static_cast<size_t>(f)].enabled) ++others;
    }
    if (others == 0) {
      // The box stays checked; the page draws it so again.
      feedback_.PushMessage("不能继续关闭！");
      fields_[static_cast<size_t>(i)].enabled = true;
      return;
    }
  }
  fields_[static_cast<size_t>(i)].enabled = on;
}

void RoomEditor::SetLocked(int i, bool on) {
  if (i < 0 || i >= kFields) return;
  fields_[static_cast<size_t>(i)].locked = on;
}

void RoomEditor::Load(int slot) {
  const RoomRecord& room = data_.rooms()[slot];
  auto unlocked = [this](int i) -> FieldState* {
    FieldState& f = fields_[static_cast<size_t>(i)];
    return f.locked ? nullptr : &f;
  };
  if (FieldState* f = unlocked(Name)) f->text = room.name;
  if (FieldState* f = unlocked(Type)) {
    f->entry = -1;
    for (size_t e = 0; e < typeEntries_.size(); ++e) {
      if (EntryNumber(typeEntries_[e], 2) == room.type) {
        f->entry = static_cast<int>(e);
        break;
      }
    }
  }
  if (FieldState* f = unlocked(TimeLimit)) {
    f->entry = room.timeLimitCode >= 0 && room.timeLimitCode < kTimeLimitEntries ? room.timeLimitCode : -1;
  }
  if (FieldState* f = unlocked(Open)) f->entry = room.isOpen() ? 0 : 1;
  if (FieldState* f = unlocked(Price)) f->text = PlainNumber(room.price);
  if (FieldState* f = unlocked(Capacity)) f->text = std::to_string(room.capacity);
  if (FieldState* f = unlocked(MinimumFee)) f->text = PlainNumber(room.minimumFee);
  if (FieldState* f = unlocked(BillingUnit)) f->text = std::to_string(room.billingUnit);
  if (FieldState* f = unlocked(Tolerance)) f->text = std::to_string(room.tolerance);
  if (FieldState* f = unlocked(HandlingFee)) f->text = PlainNumber(room.handlingFee);
  slotLabel_ = "序号:" + std::to_string(slot);
}

std::optional<RoomRecord> RoomEditor::RecordFromFields() {
  static constexpr std::array<NumberField, 6> kNumbers = {{
      {Price, NumberTarget::Single, true},
      {Capacity, NumberTarget::Byte, false},
      {MinimumFee, NumberTarget::Single, true},
      {BillingUnit, NumberTarget::Int16, false},
      {Tolerance, NumberTarget::Int16, false},
      {HandlingFee, NumberTarget::Single, true},
  }};
  std::array<double, kFields> value{};
  for (const NumberField& n : kNumbers) {
    const NumberText read = ReadNumber(field(n.field).text, n.target);
    // A field holding no number stores 0.
    if (read.read == NumberText::Read::Empty || read.read == NumberText::Read::NotNumber) continue;
    if (!read.isNumber() || (!n.negativeAllowed && read.real < 0)) {
      (void)feedback_.Refuse(kBadNumber, true);
      return std::nullopt;
    }
    value[static_cast<size_t>(n.field)] = read.real;
  }
  RoomRecord room;
  room.name = StorableName(field(Name).text);
  const int type = field(Type).entry;
  room.type = static_cast<uint8_t>(type >= 0 ? EntryNumber(typeEntries_[static_cast<size_t>(type)], 2) : 0);
  room.timeLimitCode = static_cast<int16_t>(std::max(field(TimeLimit).entry, 0));
  // No choice made counts as closed: a room nobody opened adds no places.
  room.serviceStatus = static_cast<int16_t>(field(Open).entry == 0 ? 0 : 1);
  room.price = static_cast<float>(value[Price]);
  room.capacity = static_cast<uint8_t>(value[Capacity]);
  room.minimumFee = static_cast<float>(value[MinimumFee]);
  room.billingUnit = static_cast<int16_t>(value[BillingUnit]);
  room.tolerance = static_cast<int16_t>(value[Tolerance]);
  room.handlingFee = static_cast<float>(value[HandlingFee]);
  return room;
}

// --- The list -----------------------------------------------------------

int RoomEditor::selectedCount() const { return static_cast<int>(std::count(selected_.begin(), selected_.end(), true)); }

void RoomEditor::SetSelection(const std::vector<int>& rows) {
  std::fill(selected_.begin(), selected_.end(), false);
  for (int r : rows) {
    if (r >= 0 && r < kRows) selected_[static_cast<size_t>(r)] = true;
  }
  ++selectionVersion_;
}

void RoomEditor::MakeCurrent(int row) {
  current_ = row;
  Load(SlotOfRow(row));
  ++selectionVersion_;
}

void RoomEditor::SelectAlone(int row) {
  std::fill(selected_.begin(), selected_.end(), false);
  selected_[static_cast<size_t>(row)] = true;
  ++selectionVersion_;
}

void RoomEditor::ClickRow(int row) {
  if (row < 0 || row >= kRows) return;
  MakeCurrent(row);
}

void RoomEditor::SelectOnly(int slot) {
  if (!RoomTable::validSlot(slot)) return;
  SelectAlone(slot - 1);
  MakeCurrent(slot - 1);
  Focus(kFocusList);
}

void RoomEditor::RefreshRow(int slot) {
  if (!RoomTable::validSlot(slot)) return;
  rows_[static_cast<size_t>(slot - 1)] = RoomRow(slot);
  ++rowsVersion_;
}

void RoomEditor::Focus(int target) {
  focusTarget_ = target;
  ++focusRequest_;
}

// --- Search -------------------------------------------------------------

void RoomEditor::Search() {
  const bool typeSet = typeFilter_ > 0 && typeFilter_ < static_cast<int>(typeFilterEntries_.size());
  const bool serviceSet = serviceFilter_ > 0 && serviceFilter_ < static_cast<int>(serviceFilterEntries_.size());
  const bool nameSet = !nameFilter_.empty();
  if (!typeSet && !serviceSet && !nameSet) {
    boxes_.show("提示", "请至少限定一项条件。", BoxIcon::Critical);
    return;
  }
  const int type = typeSet ? EntryNumber(typeFilterEntries_[static_cast<size_t>(typeFilter_)], 3) : 0;
  const int service = serviceSet ? EntryNumber(serviceFilterEntries_[static_cast<size_t>(serviceFilter_)], 3) : 0;
  current_ = -1;
  int found = 0;
  int first = -1;
  const RoomTable& rooms = data_.rooms();
  for (int slot = 1; slot <= kRows; ++slot) {
    const RoomRecord& room = rooms[slot];
    const bool match = !room.isFree() && (!nameSet || room.name == nameFilter_) && (!typeSet || room.type == type) &&
                       (!serviceSet || (room.serviceStatus & 1) == service);
    selected_[static_cast<size_t>(slot - 1)] = match;
    if (!match) continue;
    ++found;
    if (first < 0) first = slot - 1;
  }
  ++selectionVersion_;
  if (found > 0) {
    feedback_.PushMessage("找到" + std::to_string(found) + "项\"");
    MakeCurrent(first);
  } else {
    (void)feedback_.Refuse("未找到指定项", true);
  }
  Focus(kFocusList);
}

// --- Add, change, delete ------------------------------------------------

bool RoomEditor::Allowed() const { return commandsEnabled() && operator_.Require(Right::Rooms).ok(); }

bool RoomEditor::Save(int slot, const RoomRecord& record, const std::string& name) {
  if (Status saved = RoomTable::SaveRecordOf(data_.folder(), slot, record); !saved.ok()) {
    (void)feedback_.Refuse("房间" + name + "保存失败：" + saved.detail(), true);
    return false;
  }
  data_.rooms()[slot] = record;
  return true;
}

void RoomEditor::AddPlaces(int slot, int change) {
  ActiveSessionTable& sessions = data_.sessions();
  sessions.setFreePlaces(slot, std::clamp(sessions.freePlaces(slot) + change, 0, 255));
  sessions.setTotalPlaces(sessions.totalPlaces() + change);
}

void RoomEditor::BoardChanged() {
  if (hooks_.roomsChanged) hooks_.roomsChanged();
  // The command ends with the system beep, which no sound cue stands for.
}

void RoomEditor::Add() {
  if (!Allowed()) return;
  if (field(Name).text.empty()) {
    (void)feedback_.Refuse("请输入名称", true);
    return;
  }
  const int slot = data_.rooms().firstFree();
  if (slot == 0) {
    (void)feedback_.Refuse("失败！无空余记录。", true);
    return;
  }
  const std::optional<RoomRecord> room = RecordFromFields();
  if (!room || !Save(slot, *room, room->name)) return;
  if (room->isOpen()) AddPlaces(slot, room->capacity);
  RefreshRow(slot);
  SelectAlone(slot - 1);
  MakeCurrent(slot - 1);
  Focus(kFocusList);
  BoardChanged();
}

bool RoomEditor::Change() {
  if (!Allowed()) return false;
  // An empty name would delete the rooms without the rules of deleting.
  if (field(Name).text.empty()) {
    (void)feedback_.Refuse("请输入名称", true);
    return false;
  }
  const std::optional<RoomRecord> room = RecordFromFields();
  if (!room) return false;
  const ActiveSessionTable& sessions = data_.sessions();
  for (int row = 0; row < kRows; ++row) {
    if (!selected_[static_cast<size_t>(row)]) continue;
    const int slot = SlotOfRow(row);
    const RoomRecord stored = data_.rooms()[slot];
    // An empty slot counts as closed, whatever its record says.
    const bool wasOpen = !stored.isFree() && stored.isOpen();
    const int change = (wasOpen ? -stored.capacity : 0) + (room->isOpen() ? room->capacity : 0);
    if (sessions.freePlaces(slot) + change < 0) {
      feedback_.PushMessage("房间" + stored.name + "修改失败。可用人数不足");
      continue;
    }
    if (!Save(slot, *room, stored.isFree() ? room->name : stored.name)) continue;
    AddPlaces(slot, change);
    RefreshRow(slot);
  }
  BoardChanged();
  return true;
}

void RoomEditor::Delete() {
  if (!Allowed()) return;
  const ActiveSessionTable& sessions = data_.sessions();
  for (int row = 0; row < kRows; ++row) {
    if (!selected_[static_cast<size_t>(row)]) continue;
    const int slot = SlotOfRow(row);
    const RoomRecord stored = data_.rooms()[slot];
    const int change = !stored.isFree() && stored.isOpen() ? -stored.capacity : 0;
    if (sessions.freePlaces(slot) + change < 0) {
      feedback_.PushMessage("房间" + stored.name + "删除失败。可用人数不足");
      continue;
    }
    RoomRecord empty;
    empty.serviceStatus = 1;
    if (!Save(slot, empty, stored.name)) continue;
    AddPlaces(slot, change);
    RefreshRow(slot);
  }
  BoardChanged();
}

// --- Keyboard walk ------------------------------------------------------

bool RoomEditor::WalkActive() const {
  return commandsEnabled() && current_ >= 0 && selected(current_) && selectedCount() == 1;
}

void RoomEditor::EnterInField(int i) {
  if (i < 0 || i >= kFields || !WalkActive()) return;
  // Fields the operator switched off or locked are passed over as if Enter
  // had been pressed in them.
  for (int f = i; f < kFields - 1;) {
    Focus(++f);
    const FieldState& next = field(f);
    if (next.enabled && !next.locked) return;
  }
  // Past the last field: the room is changed and the next row (after the
  // last, the first) comes up. A refused change stays on its row, so the
  // typing is not lost to the next room's values.
  if (!Change()) return;
  const int next = (current_ + 1) % kRows;
  selected_[static_cast<size_t>(current_)] = false;
  selected_[static_cast<size_t>(next)] = true;
  MakeCurrent(next);
  Focus(Name);
}

}  // namespace tarvolen
