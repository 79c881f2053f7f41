#pragma once
// Walks the records of a RecordFile from a given record back towards record
// 1, reading 64 KiB at a time instead of one record per system call: the
// way the newest records of a year file of a million records are read.
#include <cstdint>

#include "store/RecordFile.h"

namespace tarvolen {

class BackwardRecordReader {
 public:
  static constexpr size_t kBlockBytes = 64 * 1024;

  // `file` must outlive the reader; `last` is the first record given.
  BackwardRecordReader(const RecordFile& file, int64_t last);

  // The next record towards record 1, as exactly L bytes (zero past the end
  // of the file), and its number. A record that cannot be read is skipped.
  // False once record 1 has been given.
  bool next(Bytes& record, int64_t& number);
  // Records skipped so far because they could not be read.
  int unreadable() const { return unreadable_; }

 private:
  void fill(int64_t last);

  const RecordFile& file_;
  size_t length_;
  int64_t next_;
  // Records blockFirst_ .. blockFirst_ + block_.size() / L - 1. When the
  // block read failed, the records of its range are read one at a time.
  int64_t blockFirst_;
  Bytes block_;
  bool oneAtATime_ = false;
  int unreadable_ = 0;
};

}  // namespace tarvolen
