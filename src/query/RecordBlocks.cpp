#include "query/RecordBlocks.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tarvolen {

RecordBlocks::RecordBlocks(const std::filesystem::path& path, size_t recordLength, size_t blockRecords)
    : length_(recordLength == 0 ? 1 : recordLength), buffer_(length_ * (blockRecords == 0 ? 1 : blockRecords)) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0 && errno != ENOENT) {
    status_ = Status(ErrorCode::OpenFailed, path.string() + ": " + std::strerror(errno));
  }
}

RecordBlocks::RecordBlocks(const std::filesystem::path& path, size_t recordLength, size_t first, size_t count,
                           size_t blockRecords)
    : RecordBlocks(path, recordLength, blockRecords) {
  remaining_ = count * length_;
  if (fd_ >= 0 && first > 0 && ::lseek(fd_, static_cast<off_t>(first * length_), SEEK_SET) < 0) {
    status_ = Status(ErrorCode::ReadFailed, path.string() + ": " + std::strerror(errno));
    ::close(fd_);
    fd_ = -1;
  }
}

RecordBlocks::~RecordBlocks() {
  if (fd_ >= 0) ::close(fd_);
}

std::span<const uint8_t> RecordBlocks::next() {
  if (fd_ < 0) return {};
  // The buffer holds whole records, so every block but the last is whole.
  const size_t want = std::min(buffer_.size(), remaining_);
  size_t filled = 0;
  while (filled < want) {
    const ssize_t got = ::read(fd_, buffer_.data() + filled, want - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      status_ = Status(ErrorCode::ReadFailed, std::strerror(errno));
      break;
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
  }
  const size_t whole = filled / length_ * length_;
  if (whole == 0) {
    ::close(fd_);
    fd_ = -1;
    return {};
  }
  remaining_ -= whole;
  if (filled < buffer_.size() || remaining_ == 0) {
    // The end of the file or of the range: a partial tail is dropped with it.
    ::close(fd_);
    fd_ = -1;
  }
  return {buffer_.data(), whole};
}

}  // namespace tarvolen
