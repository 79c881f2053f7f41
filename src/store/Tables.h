#pragma once
// The in-memory tables loaded from the record files. Slot i of a table is
// record i + 1 of its file; slots are never compacted: deleting writes an
// empty entry in place, adding takes the first empty slot from the low end.
#include <array>
#include <functional>
#include <vector>

#include "store/ProgramFolder.h"
#include "store/Records.h"
#include "store/WritePlan.h"

namespace tarvolen {

// Called between records while a long table loads, so the window stays
// responsive; returning false abandons the load.
using LoadPump = std::function<bool()>;

// Reads `count` consecutive records from `first` on. A missing file is
// created empty, a short one reads as zeros; a missing folder is an error.
Result<std::vector<Bytes>> LoadRecords(const std::filesystem::path& path, size_t recordLength, int64_t first,
                                       int64_t count);

// Opens the file, writes one packed record, closes it.
Status SaveRecord(const std::filesystem::path& path, size_t recordLength, int64_t record, const Result<Bytes>& packed);

class StudentTable {
 public:
  static constexpr int kLastSlot = 5000;

  StudentTable() : slots_(kLastSlot + 1) {}

  // Records 2..5001 into slots 1..5000, one slot at a time, the pump run
  // after every record. Slot 0 is never loaded.
  Status load(const ProgramFolder& folder, const LoadPump& pump = {});
  // Writes slot s to record s + 1 at once.
  Status save(const ProgramFolder& folder, int slot) const;
  // Writes `record` as slot's record without touching the table: the file
  // first, memory after, wherever money changes.
  static Status SaveRecordOf(const ProgramFolder& folder, int slot, const StudentRecord& record);
  // The write SaveRecordOf would make, for the crash journal.
  static Result<PlannedWrite> PlanRecordOf(const ProgramFolder& folder, int slot, const StudentRecord& record);

  static bool validSlot(int slot) { return slot >= 1 && slot <= kLastSlot; }
  StudentRecord& operator[](int slot) { return slots_.at(static_cast<size_t>(slot)); }
  const StudentRecord& operator[](int slot) const { return slots_.at(static_cast<size_t>(slot)); }

  // First slot whose non-zero card equals `card`, 0 when none.
  int findByCard(int64_t card) const;
  // First slot with a zero card, 0 when the table is full.
  int firstFree() const;

 private:
  std::vector<StudentRecord> slots_;
};

class RoomTable {
 public:
  static constexpr int kLastSlot = 999;

  RoomTable() : slots_(kLastSlot + 1) {}

  Status load(const ProgramFolder& folder);
  Status save(const ProgramFolder& folder, int slot) const;
  // Writes `record` as the room of `slot` without touching the table, so a
  // caller can change memory only after the file took the change.
  static Status SaveRecordOf(const ProgramFolder& folder, int slot, const RoomRecord& record);

  static bool validSlot(int slot) { return slot >= 1 && slot <= kLastSlot; }
  RoomRecord& operator[](int slot) { return slots_.at(static_cast<size_t>(slot)); }
  const RoomRecord& operator[](int slot) const { return slots_.at(static_cast<size_t>(slot)); }

  int findByName(const std::string& name) const;
  int firstFree() const;

 private:
  std::vector<RoomRecord> slots_;
};

// The four vocabularies students and rooms refer to by index.
struct CategoryLists {
  static constexpr int kLevels = 7;
  static constexpr int kGradeSlots = 20;  // 10..19 stay empty
  static constexpr int kLoadedGrades = 10;
  static constexpr int kNames = 31;  // classes and majors

  std::array<LevelRecord, kLevels> levels{};
  std::array<std::string, kGradeSlots> grades{};
  std::array<std::string, kNames> classes{};
  std::array<std::string, kNames> majors{};

  // A missing file loads as empty names; a missing folder cannot happen here.
  Status load(const ProgramFolder& folder);

  // Names by index; an index out of range gives an empty name.
  std::string levelName(int i) const;
  std::string gradeName(int i) const;
  std::string className(int i) const;
  std::string majorName(int i) const;
  // The level list row: name, " ", percentage, "% ", threshold.
  std::string levelRow(int i) const;
};

}  // namespace tarvolen
