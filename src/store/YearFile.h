#pragma once
// An append file of the current year (check-ins or the operation log). The
// count of records in use lives in set.dat; it is written through after
// every append, and at open it is never taken lower than the whole records
// the file already holds, so a crash can never make a later append
// overwrite a record. A record cut short by a crash during its append (the
// file's length not a multiple of the record length) is not counted: the
// next append is written over it.
#include <filesystem>

#include "store/RecordFile.h"
#include "store/SettingsFile.h"

namespace tarvolen {

class YearFile {
 public:
  YearFile() = default;
  struct Opened {
    // The file ended in a partly written record, now left out of the count.
    bool tornRecord = false;
  };
  // `counterPosition` is the set.dat position of the count (1030 or 1038);
  // `storedCount` is the count as start-up holds it (0 after a new year).
  Result<Opened> open(const std::filesystem::path& path, size_t recordLength, SettingsFile* settings,
                      int64_t counterPosition, int32_t storedCount);

  bool isOpen() const { return file_.isOpen(); }
  int32_t count() const { return count_; }
  void setCount(int32_t count) { count_ = count; }

  // Takes back the last append of an operation that could not be completed:
  // the count goes down by one (its record is overwritten by the next append).
  Status Retract();
  // Writes the record at count + 1; only a successful write raises the count.
  Status append(const Result<Bytes>& packed);
  // The writes append would make (the record, then the count), nothing written.
  Result<WritePlan> planAppend(const Result<Bytes>& packed) const;
  Result<Bytes> read(int64_t n) const { return file_.read(n); }
  const RecordFile& file() const { return file_; }
  void close() { file_.close(); }

 private:
  RecordFile file_;
  SettingsFile* settings_ = nullptr;
  int64_t counterPosition_ = 0;
  int32_t count_ = 0;
};

}  // namespace tarvolen
