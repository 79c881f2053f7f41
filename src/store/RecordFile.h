#pragma once
// A file of fixed-length records, numbered from 1. Record n occupies bytes
// (n-1)*L .. n*L-1. Reading past the end yields zeros; writing record n past
// the end extends the file to n*L bytes, the uncovered bytes reading as zero.
// Writes go in place, one record at a time, and only the packed bytes are
// written: the tail of a record already in the file is left as found.
#include <cstdint>
#include <filesystem>
#include <string>

#include "store/Packing.h"
#include "store/Result.h"
#include "store/WritePlan.h"

namespace tarvolen {

class RecordFile {
 public:
  // Opens, or creates empty, the file. A missing folder makes the open fail.
  static Result<RecordFile> Open(const std::filesystem::path& path, size_t recordLength);

  RecordFile() = default;
  RecordFile(RecordFile&& other) noexcept;
  RecordFile& operator=(RecordFile&& other) noexcept;
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;
  ~RecordFile();

  bool isOpen() const { return fd_ >= 0; }
  size_t recordLength() const { return length_; }
  const std::filesystem::path& path() const { return path_; }

  // Record n (n >= 1) as exactly L bytes, zero past the end of the file.
  Result<Bytes> read(int64_t n) const;
  // Records first..first+count-1 in one read, count*L bytes, zero-filled.
  Result<Bytes> readBlock(int64_t first, int64_t count) const;
  // Writes the packed bytes of record n and makes the file at least n*L
  // long. More than L bytes: refused, nothing written.
  Status write(int64_t n, const Bytes& packed);

  // Byte-position view (position p is offset p-1).
  Result<Bytes> readAt(int64_t position, size_t size) const;
  Status writeAt(int64_t position, const Bytes& bytes);

  // The same writes as planned bytes, for the crash journal; nothing written.
  PlannedWrite planWrite(int64_t n, const Bytes& packed) const;
  PlannedWrite planWriteAt(int64_t position, const Bytes& bytes) const;

  // Current size of the file in bytes, -1 when it cannot be told.
  int64_t sizeInBytes() const;
  // Number of records the file holds, a partly written last one included.
  int64_t recordCount() const;

  void close();

  // Writes made by every RecordFile of the process (for measurements).
  static int64_t WritesMade();

 private:
  Result<Bytes> readRange(int64_t offset, size_t size) const;
  Status writeRange(int64_t offset, const Bytes& bytes);

  int fd_ = -1;
  size_t length_ = 0;
  std::filesystem::path path_;
};

}  // namespace tarvolen
