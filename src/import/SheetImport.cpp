#include "import/SheetImport.h"

#include <algorithm>
#include <array>
#include <climits>
#include <type_traits>

#include "import/CellConverters.h"
#include "store/Gbk.h"
#include "store/Records.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

constexpr const char* kNoHeading = "导入失败，请规范名称字段与对应标题相似。";
constexpr int kRoomNameBytes = 8;
constexpr int kRoomNameCells = 8;
constexpr int kStudentNameCells = 8;

enum RoomField {
  rName,
  rType,
  rTimeLimit,
  rOpen,
  rPrice,
  rCapacity,
  rMinimumFee,
  rBillingUnit,
  rTolerance,
  rHandlingFee
};
enum StudentField {
  sCard,
  sId,
  sName,
  sSex,
  sMajor,
  sGrade,
  sClass,
  sSemester,
  sTotal,
  sLevel,
  sRecharged,
  sBalance,
  sTelephone,
  sCount,
  sRoom1,
  sRoom2,
  sRoom3,
};
constexpr std::array<const char*, 17> kStudentFieldNames = {
    "卡号", "证号",   "姓名", "性别",     "专业", "年级",      "班级",      "学期累计", "总累计",
    "等级", "总费用", "余额", "联系电话", "次数", "专用琴房1", "专用琴房2", "专用琴房3"};

// A room name the record holds: one over 8 GBK bytes is cut to 8 display
// cells, as the room editor does.
std::string StorableRoomName(const std::string& text) {
  if (GbkLength(text) <= kRoomNameBytes) return text;
  return CutToWidth(text, kRoomNameCells);
}

}  // namespace

SheetImport::SheetImport(Services services, Hooks hooks, std::unique_ptr<Timer> timer)
    : data_(services.data),
      options_(services.options),
      feedback_(services.feedback),
      boxes_(services.boxes),
      clock_(services.clock),
      operator_(services.op),
      area_(services.area),
      reader_(services.reader),
      dialogs_(services.dialogs),
      roomEditor_(services.roomEditor),
      studentList_(services.studentList),
      hooks_(std::move(hooks)),
      timer_(std::move(timer)) {
  timer_->onTimeout = [this] { Slice(); };
}

SheetImport::~SheetImport() { timer_->stop(); }

std::string SheetImport::progressText() const {
  if (!running_) return {};
  return "正在导入 " + std::to_string(done_) + "/" + std::to_string(rowsTotal()) + " 行";
}

const std::string& SheetImport::Cell(const SheetRow& row, int field) const {
  static const std::string none;
  const int column = header_.columns.at(static_cast<size_t>(field));
  if (column == HeaderMatch::kNoColumn || column > static_cast<int>(row.cells.size())) return none;
  return row.cells[static_cast<size_t>(column - 1)];
}

void SheetImport::Note(int row, const char* field) {
  if (++notes_ <= kShownNotes) {
    feedback_.PushMessage("第" + std::to_string(row) + "行：" + field + "无法识别，保持原值");
  }
}

// The file, the workbook, the header and the data rows; false when the
// import ends here (cancelled, unreadable, no heading).
bool SheetImport::Prepare(Kind kind, const char* title) {
  const std::optional<std::string> path = dialogs_.openFile(title, kFilter);
  if (!path) return false;
  WorkbookLimits limits;
  limits.sheets = HeaderMatch::kSheets;
  limits.columns = HeaderMatch::kColumns;
  Result<Workbook> book = reader_.read(*path, limits);
  if (!book.ok()) {
    boxes_.show("提示", "导入失败：" + book.status().detail(), BoxIcon::Critical);
    return false;
  }
  book_ = std::move(book.value());
  if (kind == Kind::Rooms) {
    header_ = FindHeader(book_, kRoomImportHeadings);
  } else {
    header_ = FindHeader(book_, kStudentImportHeadings);
  }
  if (header_.count == 0) {
    book_ = {};
    boxes_.show("提示", kNoHeading, BoxIcon::Critical);
    return false;
  }
  // The data rows follow the header without a gap; the first row whose
  // mapped cells are all empty ends them.
  rows_.clear();
  const Sheet& sheet = book_.sheets[static_cast<size_t>(header_.sheet)];
  auto it = std::upper_bound(sheet.rows.begin(), sheet.rows.end(), header_.row,
                             [](int n, const SheetRow& r) { return n < r.number; });
  for (int expected = header_.row + 1; it != sheet.rows.end() && it->number == expected; ++it, ++expected) {
    bool any = false;
    for (int f = 0; f < static_cast<int>(header_.columns.size()) && !any; ++f) any = !Cell(*it, f).empty();
    if (!any) break;
    rows_.push_back(&*it);
  }
  kind_ = kind;
  done_ = 0;
  stored_ = 0;
  notes_ = 0;
  changedRooms_.clear();
  return true;
}

void SheetImport::ImportRooms() {
  if (running_ || !area_.roomEdit() || !operator_.Require(Right::Rooms).ok()) return;
  int row = roomEditor_.currentRow();
  if (row < 0 || !roomEditor_.selected(row)) {
    row = -1;
    for (int r = 0; r < RoomEditor::kRows && row < 0; ++r) {
      if (roomEditor_.selected(r)) row = r;
    }
  }
  if (row < 0) {
    boxes_.show("提示", "请选定要导入的起始行号。", BoxIcon::None);
    return;
  }
  if (!Prepare(Kind::Rooms, "导入房间数据")) return;
  slot_ = RoomEditor::SlotOfRow(row);
  running_ = true;
  timer_->start(kSliceIntervalMs);
  changed();
}

void SheetImport::ImportStudents() {
  if (running_ || !(hooks_.studentEditMode && hooks_.studentEditMode())) return;
  if (!Prepare(Kind::Students, "导入学生数据")) return;
  Result<RecordFile> file = RecordFile::Open(data_.folder().students(), kStudentRecordLength);
  if (!file.ok()) {
    book_ = {};
    boxes_.show("提示", "导入失败：" + file.status().detail(), BoxIcon::Critical);
    return;
  }
  studentFile_ = std::move(file.value());
  slot_ = 1;
  running_ = true;
  timer_->start(kSliceIntervalMs);
  changed();
}

void SheetImport::Slice() {
  if (!running_) return;
  for (int n = 0; n < kRowsPerSlice; ++n) {
    if (done_ >= rowsTotal()) {
      Finish(false);
      return;
    }
    const SheetRow& row = *rows_[static_cast<size_t>(done_)];
    ++done_;
    const bool goOn = kind_ == Kind::Rooms ? RoomRow(row) : StudentRow(row);
    if (!goOn) {
      Finish(false);
      return;
    }
  }
  changed();
}

void SheetImport::Cancel() {
  if (running_) Finish(true);
}

// One room row into slot_; false when the import must stop.
bool SheetImport::RoomRow(const SheetRow& row) {
  const int slot = slot_;
  const RoomRecord stored = data_.rooms()[slot];
  RoomRecord room = stored;
  const HeaderMatch& h = header_;
  bool refused = false;
  if (h.has(rName)) {
    room.name = StorableRoomName(Cell(row, rName));
    if (GbkLength(room.name) < 0) {
      feedback_.PushMessage("第" + std::to_string(row.number) + "行：房间名称无法保存，未导入");
      refused = true;
    }
  }
  if (h.has(rType)) {
    if (auto type = CellMajor(Cell(row, rType), data_.categories())) room.type = *type;
  }
  if (h.has(rTimeLimit)) room.timeLimitCode = CellTimeLimitCode(Cell(row, rTimeLimit));
  if (h.has(rOpen)) room.serviceStatus = room.name.empty() ? 1 : CellServiceStatus(Cell(row, rOpen));
  auto single = [&](int field, float& member) {
    if (!h.has(field)) return;
    if (auto v = CellSingle(Cell(row, field))) {
      member = *v;
    } else {
      Note(row.number, RoomEditor::kCaptions[static_cast<size_t>(field)]);
    }
  };
  auto whole = [&](int field, auto& member, NumberTarget target) {
    if (!h.has(field)) return;
    if (auto v = CellWhole(Cell(row, field), target)) {
      member = static_cast<std::remove_reference_t<decltype(member)>>(*v);
    } else {
      Note(row.number, RoomEditor::kCaptions[static_cast<size_t>(field)]);
    }
  };
  single(rPrice, room.price);
  whole(rCapacity, room.capacity, NumberTarget::Byte);
  single(rMinimumFee, room.minimumFee);
  whole(rBillingUnit, room.billingUnit, NumberTarget::Int16);
  whole(rTolerance, room.tolerance, NumberTarget::Int16);
  single(rHandlingFee, room.handlingFee);

  if (!refused) {
    // The places as the room editor's change keeps them: an empty slot
    // counts as closed; the people present must still fit.
    ActiveSessionTable& sessions = data_.sessions();
    const bool wasOpen = !stored.isFree() && stored.isOpen();
    const bool isOpen = !room.isFree() && room.isOpen();
    const int change = (wasOpen ? -stored.capacity : 0) + (isOpen ? room.capacity : 0);
    if (sessions.freePlaces(slot) + change < 0) {
      feedback_.PushMessage("房间" + (stored.isFree() ? room.name : stored.name) + "修改失败。可用人数不足");
    } else if (Status saved = RoomTable::SaveRecordOf(data_.folder(), slot, room); !saved.ok()) {
      boxes_.show("提示", "房间" + room.name + "保存失败：" + saved.detail(), BoxIcon::Critical);
      return false;
    } else {
      data_.rooms()[slot] = room;
      sessions.setFreePlaces(slot, std::clamp(sessions.freePlaces(slot) + change, 0, 255));
      sessions.setTotalPlaces(sessions.totalPlaces() + change);
      changedRooms_.push_back(slot);
      ++stored_;
    }
  }
  if (slot >= RoomTable::kLastSlot) {
    boxes_.show("提示", "到达数据记录上限，未导入完成.行:" + std::to_string(row.number + 1), BoxIcon::Critical);
    return false;
  }
  ++slot_;
  return true;
}

// One student row into the next free slot; false when the import must stop.
bool SheetImport::StudentRow(const SheetRow& row) {
  StudentTable& students = data_.students();
  while (slot_ <= StudentTable::kLastSlot && students[slot_].card > 0) ++slot_;
  if (slot_ > StudentTable::kLastSlot) {
    feedback_.PushMessage("数据满 " + Cell(row, sName));
    return false;
  }
  const int slot = slot_;
  StudentRecord s = students[slot];
  const HeaderMatch& h = header_;
  const CategoryLists& lists = data_.categories();
  const Dividers div = SaneDividers(options_.autumnDivider, options_.springDivider);
  const std::string rowText = "第" + std::to_string(row.number) + "行：";

  auto number = [&](int field, int64_t& member) {
    if (!h.has(field)) return;
    if (auto v = CellCardNumber(Cell(row, field))) {
      member = *v;
    } else {
      Note(row.number, kStudentFieldNames[static_cast<size_t>(field)]);
    }
  };
  auto whole = [&](int field, auto& member, NumberTarget target, int64_t low, int64_t high) {
    if (!h.has(field)) return;
    const auto v = CellWhole(Cell(row, field), target);
    if (v && *v >= low && *v <= high) {
      member = static_cast<std::remove_reference_t<decltype(member)>>(*v);
    } else {
      Note(row.number, kStudentFieldNames[static_cast<size_t>(field)]);
    }
  };
  auto single = [&](int field, float& member) {
    if (!h.has(field)) return;
    if (auto v = CellSingle(Cell(row, field))) {
      member = *v;
    } else {
      Note(row.number, kStudentFieldNames[static_cast<size_t>(field)]);
    }
  };

  number(sCard, s.card);
  number(sId, s.idNumber);
  number(sTelephone, s.telephone);
  if (h.has(sName)) s.name = CutToWidth(Cell(row, sName), kStudentNameCells);
  if (h.has(sSex)) s.sex = CellSex(Cell(row, sSex));
  if (h.has(sMajor)) {
    if (auto m = CellMajor(Cell(row, sMajor), lists)) s.major = *m;
  } else if (const int m = studentList_.filterValue(StudentList::kMajor); m >= 0) {
    s.major = static_cast<uint8_t>(m);
  }
  if (h.has(sGrade)) {
    if (auto d = CellEnrolment(Cell(row, sGrade), clock_.today(), div)) {
      s.enrolled = *d;
    } else {
      Note(row.number, kStudentFieldNames[sGrade]);
    }
  } else {
    std::optional<OleDate> d;
    if (studentList_.filterValue(StudentList::kGrade) >= 0) {
      const std::string& entry = studentList_.filterEntries(StudentList::kGrade)
                                     .at(static_cast<size_t>(studentList_.filterIndex(StudentList::kGrade)));
      const NumberText year = ReadNumber(FirstCharacters(entry, 4), NumberTarget::Int32);
      if (year.isNumber()) d = EnrolmentOfYear(static_cast<int>(year.whole), div);
    }
    if (!d) d = EnrolmentOfYear(clock_.today().year, div);
    if (d) s.enrolled = *d;
  }
  if (h.has(sClass)) {
    if (auto c = CellClass(Cell(row, sClass), lists)) s.classIndex = *c;
  } else if (const int c = studentList_.filterValue(StudentList::kClass); c >= 0) {
    s.classIndex = static_cast<uint8_t>(c);
  }
  whole(sSemester, s.semesterMinutes, NumberTarget::Int32, INT32_MIN, INT32_MAX);
  whole(sTotal, s.totalMinutes, NumberTarget::Int32, INT32_MIN, INT32_MAX);
  whole(sCount, s.checkinCount, NumberTarget::Int32, INT32_MIN, INT32_MAX);
  // The level's index; one past the seven levels leaves the level as it was.
  whole(sLevel, s.level, NumberTarget::Byte, 0, CategoryLists::kLevels - 1);
  single(sRecharged, s.totalRecharged);
  single(sBalance, s.balance);
  if (h.has(sRoom1)) s.dedicatedRooms[0] = CellRoom(Cell(row, sRoom1), data_.rooms());
  if (h.has(sRoom2)) s.dedicatedRooms[1] = CellRoom(Cell(row, sRoom2), data_.rooms());
  if (h.has(sRoom3)) s.dedicatedRooms[2] = CellRoom(Cell(row, sRoom3), data_.rooms());
  // A new holder starts with a usable card, whatever the slot's last one was.
  s.status = 0;

  if (s.card <= 0) {
    // Stored, it would still be a free slot: the row is told and skipped.
    feedback_.PushMessage(rowText + "没有卡号，未导入");
    return true;
  }
  Result<Bytes> packed = Pack(s);
  if (!packed.ok()) {
    feedback_.PushMessage(rowText + "姓名无法保存，未导入");
    return true;
  }
  if (Status written = studentFile_.write(slot + 1, packed.value()); !written.ok()) {
    boxes_.show("提示", "学生" + s.name + "保存失败：" + written.detail(), BoxIcon::Critical);
    return false;
  }
  students[slot] = s;
  ++stored_;
  ++slot_;
  return true;
}

void SheetImport::Finish(bool cancelled) {
  timer_->stop();
  running_ = false;
  const Kind kind = kind_;
  book_ = {};
  rows_.clear();
  studentFile_.close();
  if (notes_ > kShownNotes) {
    feedback_.PushMessage("另有" + std::to_string(notes_ - kShownNotes) + "个数据无法识别，保持原值");
  }
  const std::string count = std::to_string(stored_);
  const std::string head = cancelled ? "导入已取消,共导入" : "导入完成,共导入";
  if (kind == Kind::Rooms) {
    for (int slot : changedRooms_) roomEditor_.RefreshRow(slot);
    if (!changedRooms_.empty() && hooks_.roomsChanged) hooks_.roomsChanged();
    changedRooms_.clear();
    changed();
    boxes_.show("提示", head + count + "组数据", BoxIcon::None);
    return;
  }
  changed();
  boxes_.show("提示", head + count + "组数据,数据更新中,请等待。", BoxIcon::None);
  studentList_.Rebuild();
  feedback_.PushMessage("数据载入完成");
  changed();  // the list rebuilt
}

}  // namespace tarvolen
