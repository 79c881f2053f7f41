#include "store/YearFile.h"

#include <algorithm>
#include <limits>

#include "store/Records.h"

namespace tarvolen {
namespace {

int32_t ClampCount(int64_t records) {
  return static_cast<int32_t>(std::min<int64_t>(records, std::numeric_limits<int32_t>::max()));
}

}  // namespace

Result<YearFile::Opened> YearFile::open(const std::filesystem::path& path, size_t recordLength, SettingsFile* settings,
                                        int64_t counterPosition, int32_t storedCount) {
  settings_ = settings;
  counterPosition_ = counterPosition;
  count_ = std::max(storedCount, 0);
  auto f = RecordFile::Open(path, recordLength);
  if (!f.ok()) return f.status();
  file_ = std::move(f.value());
  Opened opened;
  const int64_t size = file_.sizeInBytes();
  if (size <= 0 || recordLength == 0) return opened;
  const int64_t length = static_cast<int64_t>(recordLength);
  const int64_t whole = size / length;
  int64_t present = whole;
  if (const int64_t tail = size % length; tail != 0) {
    // An append writes the record's members, then lengthens the file to a
    // whole record: a stop in between leaves a short record that is whole
    // all the same. One cut inside its members is the last record written
    // and nothing came after it, so the count ends before it whatever
    // set.dat said, and the next append is written over it. When the tail
    // cannot be read it is kept, as never overwriting is the safe side.
    auto start = file_.readBlock(whole + 1, 1);
    if (start.ok()) start->resize(static_cast<size_t>(tail));
    if (start.ok() && !HoldsWholeYearRecord(start.value(), recordLength)) {
      opened.tornRecord = true;
      count_ = ClampCount(whole);
      return opened;
    }
    present = whole + 1;
  }
  if (present > count_) count_ = ClampCount(present);
  return opened;
}

Status YearFile::Retract() {
  if (count_ <= 0) return Status::Ok();
  --count_;
  if (settings_ == nullptr) return Status::Ok();
  return settings_->writeLong(counterPosition_, count_);
}

Result<WritePlan> YearFile::planAppend(const Result<Bytes>& packed) const {
  if (!packed.ok()) return packed.status();
  if (!file_.isOpen()) return Status(ErrorCode::WriteFailed, "year file not open");
  if (count_ == std::numeric_limits<int32_t>::max()) return Status(ErrorCode::Corrupt, "record count out of range");
  WritePlan plan{file_.planWrite(static_cast<int64_t>(count_) + 1, packed.value())};
  if (settings_ != nullptr) plan.push_back(settings_->planLong(counterPosition_, count_ + 1));
  return plan;
}

Status YearFile::append(const Result<Bytes>& packed) {
  if (!packed.ok()) return packed.status();
  if (!file_.isOpen()) return Status(ErrorCode::WriteFailed, "year file not open");
  if (count_ == std::numeric_limits<int32_t>::max()) return Status(ErrorCode::Corrupt, "record count out of range");
  if (Status s = file_.write(static_cast<int64_t>(count_) + 1, packed.value()); !s.ok()) return s;
  ++count_;
  if (settings_ != nullptr) {
    // The record is safe already; a failed counter write is caught up by the
    // next start, which never counts below the records in the file.
    (void)settings_->writeLong(counterPosition_, count_);
  }
  return Status::Ok();
}

}  // namespace tarvolen
