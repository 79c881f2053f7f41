#include "maintenance/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "store/FileFaults.h"

namespace tarvolen {

namespace fs = std::filesystem;

CopyJob::CopyJob(std::vector<CopyItem> items) : items_(std::move(items)) {}

CopyJob::CopyJob(CopyJob&& other) noexcept { *this = std::move(other); }

CopyJob& CopyJob::operator=(CopyJob&& other) noexcept {
  if (this == &other) return *this;
  CloseFiles();
  items_ = std::move(other.items_);
  sizes_ = std::move(other.sizes_);
  created_ = std::move(other.created_);
  buffer_ = std::move(other.buffer_);
  inKernel_ = other.inKernel_;
  flushed_ = other.flushed_;
  next_ = other.next_;
  current_ = other.current_;
  fdIn_ = other.fdIn_;
  fdOut_ = other.fdOut_;
  left_ = other.left_;
  written_ = other.written_;
  done_ = other.done_;
  total_ = other.total_;
  other.fdIn_ = -1;
  other.fdOut_ = -1;
  return *this;
}

CopyJob::~CopyJob() { CloseFiles(); }

void CopyJob::CloseFiles() {
  if (fdIn_ >= 0) ::close(fdIn_);
  if (fdOut_ >= 0) ::close(fdOut_);
  fdIn_ = -1;
  fdOut_ = -1;
}

std::string CopyJob::currentName() const {
  if (items_.empty()) return {};
  return items_[std::min(current_, items_.size() - 1)].name;
}

Status CopyJob::Prepare() {
  sizes_.clear();
  total_ = 0;
  for (const CopyItem& item : items_) {
    struct stat st {};
    if (::stat(item.source.c_str(), &st) != 0) {
      return Status(ErrorCode::ReadFailed, item.name + "（" + std::strerror(errno) + "）");
    }
    int64_t size = st.st_size;
    if (item.limit >= 0) size = std::min(size, item.limit);
    sizes_.push_back(size);
    total_ += size;
  }
  return Status::Ok();
}

Status CopyJob::FlushAll() {
  // Every target was handed to the disk as it was copied; waiting for all
  // of them only now keeps the copying going while the disk writes.
  for (size_t i = 0; i < created_.size(); ++i) {
    current_ = i;
    int fd = ::open(created_[i].c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Fail(std::strerror(errno));
    const int synced = ::fsync(fd);
    const int err = errno;
    ::close(fd);
    if (synced != 0) return Fail(std::strerror(err));
  }
  flushed_ = true;
  return Status::Ok();
}

Status CopyJob::Fail(const std::string& why) {
  const std::string name = items_[current_].name;
  CloseFiles();
  next_ = items_.size();
  flushed_ = true;
  return Status(ErrorCode::WriteFailed, name + "（" + why + "）");
}

Status CopyJob::OpenNext() {
  current_ = next_++;
  const CopyItem& item = items_[current_];
  fdIn_ = ::open(item.source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fdIn_ < 0) return Fail(std::strerror(errno));
  // A new file only: a copy never writes into a file it did not make.
  fdOut_ = ::open(item.target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fdOut_ < 0) return Fail(std::strerror(errno));
  created_.push_back(item.target);
  written_ = 0;
  // Private whatever the umask says.
  if (::fchmod(fdOut_, 0600) != 0) return Fail(std::strerror(errno));
  left_ = current_ < sizes_.size() ? sizes_[current_] : (item.limit >= 0 ? item.limit : INT64_MAX);
  return Status::Ok();
}

void CopyJob::StartWriteback(int64_t bytes) {
  // The disk starts on what was just copied while the next block is; the
  // flush at the file's end then waits only for the last of it. A refusal
  // changes nothing: the flush at the end still covers every byte.
  (void)::sync_file_range(fdOut_, written_, bytes, SYNC_FILE_RANGE_WRITE);
  written_ += bytes;
}

Status CopyJob::FinishFile() {
  const int out = fdOut_;
  fdOut_ = -1;
  ::close(fdIn_);
  fdIn_ = -1;
  if (::close(out) != 0) return Fail(std::strerror(errno));
  return Status::Ok();
}

Status CopyJob::Step(int64_t budget) {
  if (buffer_.empty()) buffer_.resize(kBlockBytes);
  int64_t copied = 0;
  while (!done()) {
    if (fdIn_ < 0 && next_ >= items_.size()) return FlushAll();
    if (fdIn_ < 0) {
      if (Status s = OpenNext(); !s.ok()) return s;
    }
    while (left_ > 0) {
      if (copied >= budget) return Status::Ok();
      if (inKernel_) {
        // The kernel copies without passing the bytes through this process.
        const size_t want = static_cast<size_t>(std::min<int64_t>(left_, kKernelBlockBytes));
        if (FileFaults::BeforeWrite(items_[current_].target)) return Fail("injected failure");
        ssize_t c = ::copy_file_range(fdIn_, nullptr, fdOut_, nullptr, want, 0);
        if (c < 0 && errno == EINTR) continue;
        if (c < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
          inKernel_ = false;  // not between these file systems: plain reads and writes
          continue;
        }
        if (c < 0) return Fail(std::strerror(errno));
        if (c == 0) break;  // the file is shorter than it was measured
        StartWriteback(c);
        left_ -= c;
        done_ += c;
        copied += c;
        continue;
      }
      const size_t want = static_cast<size_t>(std::min<int64_t>(left_, static_cast<int64_t>(buffer_.size())));
      ssize_t r = ::read(fdIn_, buffer_.data(), want);
      if (r < 0) {
        if (errno == EINTR) continue;
        return Fail(std::strerror(errno));
      }
      if (r == 0) break;  // the file is shorter than it was measured
      if (FileFaults::BeforeWrite(items_[current_].target)) return Fail("injected failure");
      size_t written = 0;
      while (written < static_cast<size_t>(r)) {
        ssize_t w = ::write(fdOut_, buffer_.data() + written, static_cast<size_t>(r) - written);
        if (w < 0) {
          if (errno == EINTR) continue;
          return Fail(std::strerror(errno));
        }
        written += static_cast<size_t>(w);
      }
      StartWriteback(r);
      left_ -= r;
      done_ += r;
      copied += r;
    }
    if (Status s = FinishFile(); !s.ok()) return s;
  }
  return Status::Ok();
}

Status MakePrivateFolder(const fs::path& path) {
  if (::mkdir(path.c_str(), 0700) != 0) {
    if (errno != EEXIST || !fs::is_directory(path)) {
      return Status(ErrorCode::WriteFailed, path.string() + "（" + std::strerror(errno) + "）");
    }
    return Status::Ok();
  }
  if (::chmod(path.c_str(), 0700) != 0) {
    return Status(ErrorCode::WriteFailed, path.string() + "（" + std::strerror(errno) + "）");
  }
  return Status::Ok();
}

Status SyncFolder(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return Status(ErrorCode::WriteFailed, path.string() + "（" + std::strerror(errno) + "）");
  const int synced = ::fsync(fd);
  const int err = errno;
  ::close(fd);
  if (synced != 0) return Status(ErrorCode::WriteFailed, path.string() + "（" + std::strerror(err) + "）");
  return Status::Ok();
}

std::vector<std::string> DatFilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (!it->is_regular_file(typeEc)) continue;
    const std::string name = it->path().filename().string();
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dat") == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

bool IsSameOrInside(const fs::path& inner, const fs::path& outer) {
  std::error_code ec;
  const fs::path a = fs::weakly_canonical(inner, ec).lexically_normal();
  if (ec) return false;
  const fs::path b = fs::weakly_canonical(outer, ec).lexically_normal();
  if (ec) return false;
  auto ai = a.begin();
  for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
    if (bi->empty()) continue;  // a trailing separator
    if (ai == a.end() || *ai != *bi) return false;
  }
  return true;
}

bool HoldsAnyFile(const fs::path& folder) {
  std::error_code ec;
  for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (!it->is_directory(typeEc)) return true;
  }
  return static_cast<bool>(ec);  // what cannot be looked at is not taken as empty
}

}  // namespace tarvolen
