#include "store/RecordFile.h"

#include "store/FileFaults.h"
#include "store/PrivateFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvolen {
namespace {
int64_t g_writesMade = 0;
}  // namespace

int64_t RecordFile::WritesMade() { return g_writesMade; }

Result<RecordFile> RecordFile::Open(const std::filesystem::path& path, size_t recordLength) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, kPrivateFileMode);
  if (fd < 0) {
    // A read-only file still loads; its writes then fail one by one.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (fd < 0) {
    return Status(ErrorCode::OpenFailed, path.string() + ": " + std::strerror(errno));
  }
  RecordFile f;
  f.fd_ = fd;
  f.length_ = recordLength;
  f.path_ = path;
  return f;
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : fd_(other.fd_), length_(other.length_), path_(std::move(other.path_)) {
  other.fd_ = -1;
}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    length_ = other.length_;
    path_ = std::move(other.path_);
    other.fd_ = -1;
  }
  return *this;
}

RecordFile::~RecordFile() { close(); }

void RecordFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Result<Bytes> RecordFile::readRange(int64_t offset, size_t size) const {
  if (fd_ < 0) return Status(ErrorCode::ReadFailed, "file not open");
  Bytes out(size, 0);
  size_t done = 0;
  while (done < size) {
    ssize_t r = ::pread(fd_, out.data() + done, size - done, offset + static_cast<int64_t>(done));
    if (r < 0) {
      if (errno == EINTR) continue;
      return Status(ErrorCode::ReadFailed, path_.string() + ": " + std::strerror(errno));
    }
    if (r == 0) break;  // end of file: the rest stays zero
    done += static_cast<size_t>(r);
  }
  return out;
}

Status RecordFile::writeRange(int64_t offset, const Bytes& bytes) {
  if (fd_ < 0) return Status(ErrorCode::WriteFailed, "file not open");
  if (FileFaults::BeforeWrite(path_)) return Status(ErrorCode::WriteFailed, path_.string() + ": injected failure");
  ++g_writesMade;
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t w = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, offset + static_cast<int64_t>(done));
    if (w < 0) {
      if (errno == EINTR) continue;
      return Status(ErrorCode::WriteFailed, path_.string() + ": " + std::strerror(errno));
    }
    done += static_cast<size_t>(w);
  }
  return Status::Ok();
}

Result<Bytes> RecordFile::read(int64_t n) const {
  if (n < 1) return Status(ErrorCode::ReadFailed, "record numbers start at 1");
  return readRange((n - 1) * static_cast<int64_t>(length_), length_);
}

Result<Bytes> RecordFile::readBlock(int64_t first, int64_t count) const {
  if (first < 1 || count < 0) return Status(ErrorCode::ReadFailed, "bad record range");
  return readRange((first - 1) * static_cast<int64_t>(length_), static_cast<size_t>(count) * length_);
}

Status RecordFile::write(int64_t n, const Bytes& packed) {
  if (n < 1) return Status(ErrorCode::WriteFailed, "record numbers start at 1");
  if (packed.size() > length_) {
    return Status(ErrorCode::TooLong, "record does not fit its length");
  }
  const int64_t offset = (n - 1) * static_cast<int64_t>(length_);
  if (Status s = writeRange(offset, packed); !s.ok()) return s;
  // A record written at or past the end makes the file n*L long, so every
  // reader sees whole records; the part no write covered reads as zero. The
  // tail of a record already inside the file is left as found.
  const int64_t end = offset + static_cast<int64_t>(length_);
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return Status(ErrorCode::WriteFailed, path_.string() + ": " + std::strerror(errno));
  if (st.st_size < end && ::ftruncate(fd_, end) != 0) {
    return Status(ErrorCode::WriteFailed, path_.string() + ": " + std::strerror(errno));
  }
  return Status::Ok();
}

Result<Bytes> RecordFile::readAt(int64_t position, size_t size) const {
  if (position < 1) return Status(ErrorCode::ReadFailed, "positions start at 1");
  return readRange(position - 1, size);
}

Status RecordFile::writeAt(int64_t position, const Bytes& bytes) {
  if (position < 1) return Status(ErrorCode::WriteFailed, "positions start at 1");
  return writeRange(position - 1, bytes);
}

PlannedWrite RecordFile::planWrite(int64_t n, const Bytes& packed) const {
  const int64_t l = static_cast<int64_t>(length_);
  return PlannedWrite{path_, (n - 1) * l, packed, n * l};
}

PlannedWrite RecordFile::planWriteAt(int64_t position, const Bytes& bytes) const {
  return PlannedWrite{path_, position - 1, bytes, 0};
}

int64_t RecordFile::sizeInBytes() const {
  struct stat st {};
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

int64_t RecordFile::recordCount() const {
  int64_t size = sizeInBytes();
  if (size <= 0 || length_ == 0) return 0;
  int64_t l = static_cast<int64_t>(length_);
  return (size + l - 1) / l;
}

}  // namespace tarvolen
