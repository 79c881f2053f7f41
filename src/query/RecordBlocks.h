#pragma once
// Reads a file of fixed-length records front to back in large blocks, for
// scans over whole year files. Opened read-only: a missing file reads as no
// records and nothing is created. A partly written last record is left out.
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "store/Result.h"

namespace tarvolen {

class RecordBlocks {
 public:
  RecordBlocks(const std::filesystem::path& path, size_t recordLength, size_t blockRecords = 32768);
  // Only the records first .. first + count - 1 (fewer where the file ends).
  RecordBlocks(const std::filesystem::path& path, size_t recordLength, size_t first, size_t count,
               size_t blockRecords = 32768);
  ~RecordBlocks();
  RecordBlocks(const RecordBlocks&) = delete;
  RecordBlocks& operator=(const RecordBlocks&) = delete;

  // The next whole records (a multiple of the record length); empty at the end.
  std::span<const uint8_t> next();
  // A read that failed part way (the records before it were returned).
  const Status& status() const { return status_; }

 private:
  int fd_ = -1;
  size_t length_;
  size_t remaining_ = SIZE_MAX;  // bytes still to read
  std::vector<uint8_t> buffer_;
  Status status_;
};

}  // namespace tarvolen
