#include "store/Tables.h"

#include "store/RecordFile.h"

namespace tarvolen {

Result<std::vector<Bytes>> LoadRecords(const std::filesystem::path& path, size_t recordLength, int64_t first,
                                       int64_t count) {
  auto file = RecordFile::Open(path, recordLength);
  if (!file.ok()) return file.status();
  auto block = file->readBlock(first, count);
  if (!block.ok()) return block.status();
  std::vector<Bytes> out;
  out.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    auto begin = block->begin() + static_cast<long>(static_cast<size_t>(i) * recordLength);
    out.emplace_back(begin, begin + static_cast<long>(recordLength));
  }
  return out;
}

Status SaveRecord(const std::filesystem::path& path, size_t recordLength, int64_t record, const Result<Bytes>& packed) {
  if (!packed.ok()) return packed.status();
  auto file = RecordFile::Open(path, recordLength);
  if (!file.ok()) return file.status();
  return file->write(record, packed.value());
}

Status StudentTable::load(const ProgramFolder& folder, const LoadPump& pump) {
  // One block read; the records are then taken one at a time with the pump
  // between them, and the completion comes only after the last one.
  auto records = LoadRecords(folder.students(), kStudentRecordLength, 2, kLastSlot);
  if (!records.ok()) return records.status();
  for (int s = 1; s <= kLastSlot; ++s) {
    slots_[static_cast<size_t>(s)] = UnpackStudent((*records)[static_cast<size_t>(s - 1)]);
    if (pump && !pump()) return Status(ErrorCode::Refused, "student load abandoned");
  }
  return Status::Ok();
}

Status StudentTable::SaveRecordOf(const ProgramFolder& folder, int slot, const StudentRecord& record) {
  if (slot < 0 || slot > kLastSlot) return Status(ErrorCode::WriteFailed, "no such student slot");
  return SaveRecord(folder.students(), kStudentRecordLength, slot + 1, Pack(record));
}

Result<PlannedWrite> StudentTable::PlanRecordOf(const ProgramFolder& folder, int slot, const StudentRecord& record) {
  if (slot < 0 || slot > kLastSlot) return Status(ErrorCode::WriteFailed, "no such student slot");
  auto packed = Pack(record);
  if (!packed.ok()) return packed.status();
  const int64_t l = static_cast<int64_t>(kStudentRecordLength);
  return PlannedWrite{folder.students(), slot * l, packed.value(), (slot + 1) * l};
}

Status StudentTable::save(const ProgramFolder& folder, int slot) const {
  if (slot < 0 || slot > kLastSlot) return Status(ErrorCode::WriteFailed, "no such student slot");
  return SaveRecordOf(folder, slot, (*this)[slot]);
}

int StudentTable::findByCard(int64_t card) const {
  if (card == 0) return 0;
  for (int s = 1; s <= kLastSlot; ++s) {
    if (slots_[static_cast<size_t>(s)].card == card) return s;
  }
  return 0;
}

int StudentTable::firstFree() const {
  for (int s = 1; s <= kLastSlot; ++s) {
    if (slots_[static_cast<size_t>(s)].card == 0) return s;
  }
  return 0;
}

Status RoomTable::load(const ProgramFolder& folder) {
  auto records = LoadRecords(folder.rooms(), kRoomRecordLength, 2, kLastSlot);
  if (!records.ok()) return records.status();
  for (int r = 1; r <= kLastSlot; ++r) {
    slots_[static_cast<size_t>(r)] = UnpackRoom((*records)[static_cast<size_t>(r - 1)]);
  }
  return Status::Ok();
}

Status RoomTable::SaveRecordOf(const ProgramFolder& folder, int slot, const RoomRecord& record) {
  if (slot < 0 || slot > kLastSlot) return Status(ErrorCode::WriteFailed, "no such room slot");
  return SaveRecord(folder.rooms(), kRoomRecordLength, slot + 1, Pack(record));
}

Status RoomTable::save(const ProgramFolder& folder, int slot) const {
  if (slot < 0 || slot > kLastSlot) return Status(ErrorCode::WriteFailed, "no such room slot");
  return SaveRecordOf(folder, slot, (*this)[slot]);
}

int RoomTable::findByName(const std::string& name) const {
  if (name.empty()) return 0;
  for (int r = 1; r <= kLastSlot; ++r) {
    if (slots_[static_cast<size_t>(r)].name == name) return r;
  }
  return 0;
}

int RoomTable::firstFree() const {
  for (int r = 1; r <= kLastSlot; ++r) {
    if (slots_[static_cast<size_t>(r)].name.empty()) return r;
  }
  return 0;
}

namespace {
template <size_t N>
Status LoadNames(const std::filesystem::path& path, std::array<std::string, N>& names, int count) {
  auto records = LoadRecords(path, kCategoryRecordLength, 1, count);
  if (!records.ok()) return records.status();
  for (int i = 0; i < count; ++i) names[static_cast<size_t>(i)] = UnpackString((*records)[static_cast<size_t>(i)]);
  return Status::Ok();
}

template <size_t N>
std::string NameAt(const std::array<std::string, N>& names, int i) {
  return i >= 0 && static_cast<size_t>(i) < N ? names[static_cast<size_t>(i)] : std::string();
}
}  // namespace

Status CategoryLists::load(const ProgramFolder& folder) {
  Status first;
  auto levelRecords = LoadRecords(folder.levels(), kCategoryRecordLength, 1, kLevels);
  if (levelRecords.ok()) {
    for (int i = 0; i < kLevels; ++i)
      levels[static_cast<size_t>(i)] = UnpackLevel((*levelRecords)[static_cast<size_t>(i)]);
  } else {
    first = levelRecords.status();
  }
  for (Status s : {LoadNames(folder.grades(), grades, kLoadedGrades), LoadNames(folder.classes(), classes, kNames),
                   LoadNames(folder.majors(), majors, kNames)}) {
    if (first.ok() && !s.ok()) first = s;
  }
  return first;
}

std::string CategoryLists::levelName(int i) const {
  return i >= 0 && i < kLevels ? levels[static_cast<size_t>(i)].name : std::string();
}
std::string CategoryLists::gradeName(int i) const { return NameAt(grades, i); }
std::string CategoryLists::className(int i) const { return NameAt(classes, i); }
std::string CategoryLists::majorName(int i) const { return NameAt(majors, i); }

std::string CategoryLists::levelRow(int i) const {
  if (i < 0 || i >= kLevels) return {};
  const auto& l = levels[static_cast<size_t>(i)];
  return l.name + " " + std::to_string(l.percentage) + "% " + std::to_string(l.threshold);
}

}  // namespace tarvolen
