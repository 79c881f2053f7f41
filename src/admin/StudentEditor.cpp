#include "admin/StudentEditor.h"

#include <algorithm>
#include <cmath>

#include "session/TimeText.h"
#include "startup/Calendar.h"
#include "store/Gbk.h"
#include "store/NumberText.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

constexpr const char* kBadNumber = "数据输入有误！";
constexpr int kEntryPadding = 44;
constexpr std::array<const char*, 4> kGradeNumerals = {"一", "二", "三", "四"};
// The largest whole number a Currency member holds.
constexpr int64_t kWholeMax = INT64_MAX / 10000;

// A card, ID or telephone: the absolute value, rounded to a whole number.
// Empty or no number reads 0; nullopt when it does not fit.
std::optional<int64_t> WholeNumber(const std::string& text) {
  const NumberText n = ReadNumber(text, NumberTarget::Currency);
  if (n.read == NumberText::Read::OutOfRange) return std::nullopt;
  if (!n.isNumber()) return 0;
  const uint64_t scaled = n.whole < 0 ? 0 - static_cast<uint64_t>(n.whole) : static_cast<uint64_t>(n.whole);
  const uint64_t whole = (scaled + 5000) / 10000;
  if (whole > static_cast<uint64_t>(kWholeMax)) return std::nullopt;
  return static_cast<int64_t>(whole);
}

// A Long or Single field: empty or no number reads 0; nullopt when it does not fit.
std::optional<int32_t> LongField(const std::string& text) {
  const NumberText n = ReadNumber(text, NumberTarget::Int32);
  if (n.read == NumberText::Read::OutOfRange) return std::nullopt;
  return n.isNumber() ? static_cast<int32_t>(n.whole) : 0;
}
std::optional<float> SingleField(const std::string& text) {
  const NumberText n = ReadNumber(text, NumberTarget::Single);
  if (n.read == NumberText::Read::OutOfRange) return std::nullopt;
  return n.isNumber() ? static_cast<float>(n.real) : 0.0f;
}

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::vector<std::string> CodedEntries(const std::array<std::string, CategoryLists::kNames>& names) {
  std::vector<std::string> entries;
  for (int i = 0; i < CategoryLists::kNames; ++i) {
    const std::string& name = names[static_cast<size_t>(i)];
    if (!name.empty()) entries.push_back(name + std::string(kEntryPadding, ' ') + ZeroPadded(i, 2));
  }
  return entries;
}

// The number in the last two characters of an entry.
int EntryCode(const std::string& entry) {
  if (entry.size() < 2) return -1;
  const NumberText n = ReadNumber(std::string_view(entry).substr(entry.size() - 2), NumberTarget::Int32);
  return n.isNumber() ? static_cast<int>(n.whole) : -1;
}

int EntryWithCode(const std::vector<std::string>& entries, int code) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (EntryCode(entries[i]) == code) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

StudentEditor::StudentEditor(Services services, StudentList& list, Hooks hooks)
    : data_(services.data),
      options_(services.options),
      feedback_(services.feedback),
      boxes_(services.boxes),
      clock_(services.clock),
      list_(list),
      hooks_(std::move(hooks)) {
  choice_.fill(-1);
  enabled_.fill(true);
  locked_.fill(false);
}

void StudentEditor::FillEntries() {
  const CategoryLists& lists = data_.categories();
  entries_[kSex] = {"男", "女"};
  entries_[kMajor] = CodedEntries(lists.majors);
  entries_[kClass] = CodedEntries(lists.classes);
  entries_[kLevel].clear();
  for (int i = 0; i < CategoryLists::kLevels; ++i) entries_[kLevel].push_back(lists.levelName(i));
  // The four school years, newest first: their start year and the grade's numeral.
  const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
  const double today = DayNumber(clock_.now().date);
  entries_[kGrade].clear();
  for (int i = 0; i < 4; ++i) {
    const auto back = static_cast<int32_t>(std::floor(today - i * 365.25));
    const CivilDate start = ChanNDay1(FromDayNumber(back), div);
    entries_[kGrade].push_back(ZeroPadded(start.year, 4) + "[" + kGradeNumerals[static_cast<size_t>(i)] + "年级]");
  }
  entries_[kRooms] = {kNoRoom};
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    if (!data_.rooms()[r].isFree()) entries_[kRooms].push_back(data_.rooms()[r].name);
  }
}

void StudentEditor::SetText(int field, const std::string& text) {
  if (field >= 0 && field < kFields && !IsChoice(field)) text_[static_cast<size_t>(field)] = text;
}

void StudentEditor::Choose(int field, int index) {
  if (!IsChoice(field)) return;
  const int n = static_cast<int>(entries_[static_cast<size_t>(field)].size());
  choice_[static_cast<size_t>(field)] = index >= 0 && index < n ? index : -1;
}

void StudentEditor::ChooseRoom(int index) {
  const auto& rooms = entries_[kRooms];
  if (index < 0 || index >= static_cast<int>(rooms.size())) return;
  const std::string& chosen = rooms[static_cast<size_t>(index)];
  std::string& text = text_[kRooms];
  if (!text.empty() && addRooms_ && chosen != kNoRoom) {
    text += "," + chosen;
    // Four names: the oldest goes.
    if (std::count(text.begin(), text.end(), ',') >= 3) text.erase(0, text.find(',') + 1);
  } else {
    text = chosen == kNoRoom ? "" : chosen;
  }
}

void StudentEditor::SetEnabled(int field, bool on) {
  if (field < 0 || field >= kFields) return;
  if (!on && field < 10) {
    int others = 0;
    for (int i = 0; i < 10; ++i) others += (i != field && enabled_[static_cast<size_t>(i)]) ? 1 : 0;
    if (others == 0) {
      feedback_.PushMessage("不能继续关闭！");
      return;
    }
  }
  enabled_[static_cast<size_t>(field)] = on;
}

void StudentEditor::SetLocked(int field, bool on) {
  if (field >= 0 && field < kFields) locked_[static_cast<size_t>(field)] = on;
}

void StudentEditor::Load(int slot) {
  if (!StudentTable::validSlot(slot)) return;
  const StudentRecord& s = data_.students()[slot];
  const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
  auto put = [this](int field, const std::string& value) {
    if (!locked(field)) text_[static_cast<size_t>(field)] = value;
  };
  auto pick = [this](int field, int index) {
    if (!locked(field)) choice_[static_cast<size_t>(field)] = index;
  };
  put(kCard, std::to_string(s.card));
  put(kId, std::to_string(s.idNumber));
  put(kName, s.name);
  pick(kSex, s.sex <= 1 ? s.sex : -1);
  pick(kMajor, EntryWithCode(entries_[kMajor], s.major));
  const int grade = NianNJi(s.enrolled, clock_.now().date, div);
  if (!locked(kGrade)) keptEnrolment_ = grade < 4 ? 0 : s.enrolled;
  pick(kGrade, grade < 4 ? grade : -1);
  pick(kClass, EntryWithCode(entries_[kClass], s.classIndex));
  pick(kLevel, s.level < CategoryLists::kLevels ? s.level : -1);
  put(kSemester, std::to_string(s.semesterMinutes));
  put(kTotal, std::to_string(s.totalMinutes));
  put(kRecharged, GeneralNumber(ScaledFromSingle(s.totalRecharged)));
  put(kBalance, GeneralNumber(ScaledFromSingle(s.balance)));
  put(kTelephone, std::to_string(s.telephone));
  put(kCount, std::to_string(s.checkinCount));
  std::string rooms;
  for (int16_t r : s.dedicatedRooms) {
    if (r == 0 || !RoomTable::validSlot(r)) continue;
    if (!rooms.empty()) rooms += ",";
    rooms += data_.rooms()[r].name;
  }
  put(kRooms, rooms);
  loaded_ = slot;
}

std::array<int16_t, 3> StudentEditor::RoomsFromText(const std::string& text) const {
  std::array<int16_t, 3> rooms{};
  size_t next = 0;
  size_t from = 0;
  while (from <= text.size() && next < rooms.size()) {
    const size_t comma = text.find(',', from);
    const std::string name = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
    // Unknown names are skipped; the lowest room of a name is the one.
    if (const int r = data_.rooms().findByName(name); r > 0) rooms[next++] = static_cast<int16_t>(r);
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  return rooms;
}

std::optional<StudentRecord> StudentEditor::Read(const StudentRecord& base, bool adding) {
  auto bad = [this]() -> std::optional<StudentRecord> {
    (void)feedback_.Refuse(kBadNumber, true);
    return std::nullopt;
  };
  // The five choices are asked for without a sound.
  auto missing = [this](const char* text) -> std::optional<StudentRecord> {
    (void)feedback_.Refuse(text);
    return std::nullopt;
  };
  const std::optional<int64_t> card = WholeNumber(text(kCard));
  if (!card) return bad();
  if (*card == 0) {
    (void)feedback_.Refuse("请输入卡号", true);
    return std::nullopt;
  }
  const std::string name = Trimmed(text(kName));
  if (name.empty()) return missing("请输入姓名");
  if (choice(kSex) < 0) return missing("请选择性别");
  if (choice(kMajor) < 0) return missing("请选择专业");
  if (choice(kGrade) < 0 && (adding || keptEnrolment_ == 0)) return missing("请选择年级");
  if (choice(kClass) < 0) return missing("请选择班级");

  const auto id = WholeNumber(text(kId));
  const auto telephone = WholeNumber(text(kTelephone));
  const auto semester = LongField(text(kSemester));
  const auto total = LongField(text(kTotal));
  const auto count = LongField(text(kCount));
  const auto recharged = SingleField(text(kRecharged));
  const auto balance = SingleField(text(kBalance));
  if (!id || !telephone || !semester || !total || !count || !recharged || !balance) return bad();
  const std::string stored = CutToWidth(text(kName), 8);
  if (GbkLength(stored) < 0) return bad();

  StudentRecord s = base;
  s.card = *card;
  s.idNumber = *id;
  s.name = stored;
  s.sex = static_cast<uint8_t>(choice(kSex));
  s.major = static_cast<uint8_t>(std::max(0, EntryCode(entries_[kMajor][static_cast<size_t>(choice(kMajor))])));
  if (choice(kGrade) >= 0) {
    const std::string& entry = entries_[kGrade][static_cast<size_t>(choice(kGrade))];
    const int year = static_cast<int>(ReadNumber(entry.substr(0, 4), NumberTarget::Int32).whole);
    s.enrolled = ToOle(EnrolmentDateFromYear(year, SaneDividers(options_.autumnDivider, options_.springDivider)));
  } else {
    s.enrolled = keptEnrolment_;
  }
  s.classIndex = static_cast<uint8_t>(std::max(0, EntryCode(entries_[kClass][static_cast<size_t>(choice(kClass))])));
  // No level chosen stores the lowest level.
  s.level = static_cast<uint8_t>(std::max(0, choice(kLevel)));
  s.semesterMinutes = *semester;
  s.totalMinutes = *total;
  s.totalRecharged = *recharged;
  s.balance = *balance;
  s.telephone = *telephone;
  s.checkinCount = *count;
  s.dedicatedRooms = RoomsFromText(text(kRooms));
  return s;
}

std::optional<std::vector<int>> StudentEditor::TakeCardFromOthers(int64_t card, int self) {
  StudentTable& students = data_.students();
  std::vector<int> holders;
  for (int slot = 1; slot <= StudentTable::kLastSlot; ++slot) {
    if (slot != self && students[slot].card == card) holders.push_back(slot);
  }
  if (holders.empty()) return holders;
  // A practising holder keeps the card: a freed slot would be taken by the
  // next add while its session still bills it.
  for (int slot : holders) {
    if (data_.sessions().FindSession(slot) >= 0) {
      feedback_.PushMessage("更改失败：已登记的学生:" + students[slot].name);
      return std::nullopt;
    }
  }
  const StudentRecord& first = students[holders.front()];
  if (!boxes_.ask("提示", std::to_string(first.card) + first.name + "是存在卡号，是否替换？", BoxIcon::Critical)) {
    return std::nullopt;
  }
  for (int slot : holders) {
    StudentRecord freed = students[slot];
    freed.card = 0;
    if (Status saved = StudentTable::SaveRecordOf(data_.folder(), slot, freed); !saved.ok()) {
      (void)feedback_.Refuse("保存失败：" + freed.name + "，" + saved.detail(), true);
      return std::nullopt;
    }
    students[slot] = freed;
  }
  return holders;
}

void StudentEditor::UpdateList(int slot, bool adding, bool rebuild) {
  if (!list_.FollowStudent(slot)) {
    if (rebuild) {
      list_.Rebuild();
    } else if (adding) {
      (void)list_.AppendRow(slot);
    } else {
      list_.RefreshRow(list_.current());
    }
  }
  list_.SelectOnly(list_.RowOf(slot));
}

void StudentEditor::Add() {
  if (!(hooks_.editMode && hooks_.editMode())) return;
  const int slot = data_.students().firstFree();
  if (slot == 0) {
    (void)feedback_.Refuse("失败！数据已满。", true);
    return;
  }
  // A slot freed by a deleted student keeps his other members: a new
  // student starts from a clean record.
  auto s = Read(StudentRecord{}, true);
  if (!s) return;
  s->status = 0;
  auto taken = TakeCardFromOthers(s->card, 0);
  if (!taken) return;
  if (Status saved = StudentTable::SaveRecordOf(data_.folder(), slot, *s); !saved.ok()) {
    (void)feedback_.Refuse("新增失败：" + saved.detail(), true);
    if (!taken->empty()) list_.Rebuild();
    return;
  }
  data_.students()[slot] = *s;
  UpdateList(slot, true, !taken->empty());
  feedback_.PushMessage("新增成功！");
}

bool StudentEditor::command8Enabled() const {
  return hooks_.editMode && hooks_.editMode() && list_.selectedCount() == 1;
}

void StudentEditor::Change() {
  if (!command8Enabled()) return;
  const int row = list_.current();
  const int slot = row >= 0 ? list_.rowSlot(row) : 0;
  if (!StudentTable::validSlot(slot) || data_.students()[slot].card == 0) {
    (void)feedback_.Refuse("请选择要修改的学生", true);
    return;
  }
  const std::optional<int64_t> card = WholeNumber(text(kCard));
  if (card && *card == 0 && data_.sessions().FindSession(slot) >= 0) {
    feedback_.PushMessage("更改失败：已登记的学生:" + data_.students()[slot].name);
    return;
  }
  auto s = Read(data_.students()[slot], false);
  if (!s) return;
  auto taken = TakeCardFromOthers(s->card, slot);
  if (!taken) return;
  if (Status saved = StudentTable::SaveRecordOf(data_.folder(), slot, *s); !saved.ok()) {
    (void)feedback_.Refuse("修改失败：" + saved.detail(), true);
    if (!taken->empty()) list_.Rebuild();
    return;
  }
  data_.students()[slot] = *s;
  UpdateList(slot, false, !taken->empty());
  feedback_.PushMessage("修改成功！");
}

void StudentEditor::Focus(int field) {
  focusField_ = field;
  ++focusRequest_;
}

void StudentEditor::Enter(int field) {
  if (!command8Enabled() || list_.current() < 0 || !list_.isSelected(list_.current())) return;
  for (int f = field; f >= 0 && f < kRooms;) {
    if (f >= kCount) {
      Change();
      const int next = list_.current() + 1 < list_.rowCount() ? list_.current() + 1 : 0;
      list_.SelectOnly(next);
      Focus(kCard);
      return;
    }
    if (Usable(f + 1)) {
      Focus(f + 1);
      return;
    }
    ++f;
  }
}

}  // namespace tarvolen
