#include "store/YearFile.h"

#include <algorithm>
#include <limits>

namespace tarvolen {

Status YearFile::open(const std::filesystem::path& path, size_t recordLength, SettingsFile* settings,
                      int64_t counterPosition, int32_t storedCount) {
  settings_ = settings;
  counterPosition_ = counterPosition;
  count_ = std::max(storedCount, 0);
  auto f = RecordFile::Open(path, recordLength);
  if (!f.ok()) return f.status();
  file_ = std::move(f.value());
  int64_t present = file_.recordCount();
  if (present > count_) {
    count_ = static_cast<int32_t>(std::min<int64_t>(present, std::numeric_limits<int32_t>::max()));
  }
  return Status::Ok();
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
