#include "store/Journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "store/FileFaults.h"
#include "store/PrivateFiles.h"

namespace tarvolen {
namespace {

// "TVJ1", the number of writes, each write (path length u16, path, offset
// i64, minimum size i64, byte count u32, bytes), then a CRC-32 of all of it.
constexpr char kMagic[4] = {'T', 'V', 'J', '1'};

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutUnsigned(Bytes& out, uint64_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

class Reader {
 public:
  explicit Reader(const Bytes& b) : b_(b) {}
  bool take(uint64_t& value, int size) {
    if (b_.size() - pos_ < static_cast<size_t>(size)) return false;
    value = 0;
    for (int i = 0; i < size; ++i) value |= static_cast<uint64_t>(b_[pos_ + static_cast<size_t>(i)]) << (8 * i);
    pos_ += static_cast<size_t>(size);
    return true;
  }
  bool take(Bytes& out, size_t size) {
    if (b_.size() - pos_ < size) return false;
    out.assign(b_.begin() + static_cast<long>(pos_), b_.begin() + static_cast<long>(pos_ + size));
    pos_ += size;
    return true;
  }
  size_t left() const { return b_.size() - pos_; }

 private:
  const Bytes& b_;
  size_t pos_ = 0;
};

Status Failed(const std::filesystem::path& path, const char* what) {
  return Status(ErrorCode::WriteFailed, path.string() + ": " + what + std::strerror(errno));
}

Status WriteAll(int fd, const std::filesystem::path& path, const Bytes& bytes, int64_t offset) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t w = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<int64_t>(done));
    if (w < 0) {
      if (errno == EINTR) continue;
      return Failed(path, "");
    }
    done += static_cast<size_t>(w);
  }
  return Status::Ok();
}

Status ApplyOne(const PlannedWrite& w) {
  if (FileFaults::BeforeWrite(w.file)) return Status(ErrorCode::WriteFailed, w.file.string() + ": injected failure");
  const int fd = ::open(w.file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, kPrivateFileMode);
  if (fd < 0) return Failed(w.file, "");
  Status s = WriteAll(fd, w.file, w.bytes, w.offset);
  struct stat st {};
  if (s.ok() && w.minSize > 0) {
    if (::fstat(fd, &st) != 0) {
      s = Failed(w.file, "");
    } else if (st.st_size < w.minSize && ::ftruncate(fd, w.minSize) != 0) {
      s = Failed(w.file, "");
    }
  }
  ::close(fd);
  return s;
}

}  // namespace

Bytes EncodeJournal(const WritePlan& plan) {
  Bytes out(kMagic, kMagic + 4);
  PutUnsigned(out, plan.size(), 4);
  for (const PlannedWrite& w : plan) {
    const std::string name = w.file.generic_string();
    PutUnsigned(out, name.size(), 2);
    out.insert(out.end(), name.begin(), name.end());
    PutUnsigned(out, static_cast<uint64_t>(w.offset), 8);
    PutUnsigned(out, static_cast<uint64_t>(w.minSize), 8);
    PutUnsigned(out, w.bytes.size(), 4);
    out.insert(out.end(), w.bytes.begin(), w.bytes.end());
  }
  PutUnsigned(out, Crc32(out.data(), out.size()), 4);
  return out;
}

std::optional<WritePlan> DecodeJournal(const Bytes& bytes) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), kMagic, 4) != 0) return std::nullopt;
  const size_t body = bytes.size() - 4;
  uint32_t stored = 0;
  for (int i = 0; i < 4; ++i) stored |= static_cast<uint32_t>(bytes[body + static_cast<size_t>(i)]) << (8 * i);
  if (Crc32(bytes.data(), body) != stored) return std::nullopt;
  const Bytes content(bytes.begin() + 4, bytes.begin() + static_cast<long>(body));
  Reader r(content);
  uint64_t count = 0;
  if (!r.take(count, 4)) return std::nullopt;
  WritePlan plan;
  for (uint64_t i = 0; i < count; ++i) {
    uint64_t nameSize = 0, offset = 0, minSize = 0, size = 0;
    Bytes name;
    PlannedWrite w;
    if (!r.take(nameSize, 2) || !r.take(name, nameSize) || !r.take(offset, 8) || !r.take(minSize, 8) ||
        !r.take(size, 4) || !r.take(w.bytes, size)) {
      return std::nullopt;
    }
    w.file = std::string(name.begin(), name.end());
    w.offset = static_cast<int64_t>(offset);
    w.minSize = static_cast<int64_t>(minSize);
    if (w.offset < 0 || w.minSize < 0) return std::nullopt;
    plan.push_back(std::move(w));
  }
  if (r.left() != 0) return std::nullopt;
  return plan;
}

Status Journal::Begin(const WritePlan& plan) {
  WritePlan relative = plan;
  for (PlannedWrite& w : relative) {
    const std::filesystem::path rel = w.file.lexically_normal().lexically_relative(folder_.root().lexically_normal());
    if (rel.empty() || rel.is_absolute() || *rel.begin() == "..") {
      return Status(ErrorCode::Refused, w.file.string() + ": outside the program folder");
    }
    w.file = rel;
  }
  const Bytes bytes = EncodeJournal(relative);
  const std::filesystem::path file = path();
  if (FileFaults::BeforeWrite(file)) return Status(ErrorCode::WriteFailed, file.string() + ": injected failure");
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kPrivateFileMode);
  if (fd < 0) return Failed(file, "");
  Status s = WriteAll(fd, file, bytes, 0);
  // Only a journal on the disk may be relied on at the next start.
  if (s.ok() && ::fsync(fd) != 0) s = Failed(file, "");
  ::close(fd);
  return s;
}

Status Journal::Clear() {
  const std::filesystem::path file = path();
  if (FileFaults::BeforeWrite(file)) return Status(ErrorCode::WriteFailed, file.string() + ": injected failure");
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kPrivateFileMode);
  if (fd < 0) return Failed(file, "");
  Status s = ::fsync(fd) == 0 ? Status::Ok() : Failed(file, "");
  ::close(fd);
  return s;
}

Result<std::optional<WritePlan>> Journal::Read() const {
  const std::filesystem::path file = path();
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::optional<WritePlan>();
    return Status(ErrorCode::ReadFailed, file.string() + ": " + std::strerror(errno));
  }
  Bytes bytes;
  uint8_t buf[4096];
  for (;;) {
    ssize_t r = ::read(fd, buf, sizeof buf);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) {
      const Status failed(ErrorCode::ReadFailed, file.string() + ": " + std::strerror(errno));
      ::close(fd);
      return failed;
    }
    if (r == 0) break;
    bytes.insert(bytes.end(), buf, buf + r);
  }
  ::close(fd);
  std::optional<WritePlan> plan = DecodeJournal(bytes);
  if (plan) {
    for (PlannedWrite& w : *plan) w.file = folder_.root() / w.file;
  }
  return plan;
}

Status Journal::Apply(const WritePlan& plan) {
  for (const PlannedWrite& w : plan) {
    if (Status s = ApplyOne(w); !s.ok()) return s;
  }
  return Status::Ok();
}

Result<Journal::Recovery> Journal::Recover() {
  const std::filesystem::path file = path();
  std::error_code ec;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec || size == 0) return Recovery::Nothing;
  auto plan = Read();
  if (!plan.ok()) return plan.status();
  Recovery done = Recovery::Dropped;
  if (plan->has_value()) {
    if (Status s = Apply(**plan); !s.ok()) return s;
    done = Recovery::Finished;
  }
  if (Status s = Clear(); !s.ok()) return s;
  return done;
}

}  // namespace tarvolen
