#include "FuzzFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace tarvolen::fuzz {
namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz folder: %s\n", what.c_str());
  std::abort();
}

void RemoveFolder(const std::filesystem::path& base) {
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
}

}  // namespace

FuzzFolder::FuzzFolder() : base_("/tmp/tarvolen-fuzz-" + std::to_string(::getpid())) {
  desk_ = ProgramFolder(base_ / "desk");
  RemoveFolder(base_);  // left by an earlier process of the same id
  for (const auto& sub :
       {desk_.root() / "data", desk_.checkinYear(2000).parent_path(), desk_.logYear(2000).parent_path()}) {
    std::error_code ec;
    std::filesystem::create_directories(sub, ec);
    if (ec) Fail("cannot create " + sub.string() + ": " + ec.message());
  }
}

const FuzzFolder& FuzzFolder::Get() {
  static const FuzzFolder folder;
  static const bool cleanup = [] {
    std::atexit([] { RemoveFolder(folder.base_); });
    return true;
  }();
  (void)cleanup;
  return folder;
}

void FuzzFolder::Write(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
  // Written over in place and cut to length, never opened with O_TRUNC: on
  // ext4 a file truncated to zero and rewritten is flushed to disk at close,
  // which costs milliseconds per execution.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) Fail("cannot open " + path.string() + ": " + std::strerror(errno));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t w = ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) Fail("cannot write " + path.string() + ": " + std::strerror(errno));
    done += static_cast<size_t>(w);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) Fail("cannot stat " + path.string() + ": " + std::strerror(errno));
  if (static_cast<size_t>(st.st_size) != bytes.size() && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) {
    Fail("cannot cut " + path.string() + ": " + std::strerror(errno));
  }
  ::close(fd);
}

int32_t FuzzInput::takeInt32() {
  uint8_t b[4] = {};
  auto part = take(sizeof b);
  std::copy(part.begin(), part.end(), b);
  int32_t v;
  std::memcpy(&v, b, sizeof v);
  return v;
}

std::span<const uint8_t> FuzzInput::take(size_t n) {
  n = std::min(n, rest_.size());
  auto part = rest_.first(n);
  rest_ = rest_.subspan(n);
  return part;
}

}  // namespace tarvolen::fuzz
