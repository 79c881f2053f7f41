#pragma once
// Copying files in large blocks (copy_file_range, where the kernel copies by
// itself; reads and writes of 1 MiB where it refuses), a slice at a time,
// so a copy of hundreds of megabytes can be driven by a timer while the
// window stays responsive.
// Every target is a new file private to the desk's user (mode 0600): bytes
// are copied, never the source's permissions. The disk is started on each
// block as it is copied, and the job ends only when every target has been
// flushed (fsync). Writes ask FileFaults first, so a test can make any
// block fail as a full disk would.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "store/Result.h"

namespace tarvolen {

struct CopyItem {
  std::filesystem::path source;
  std::filesystem::path target;
  // The file as the operator is told of it (relative to the folder copied).
  std::string name;
  // At most this many bytes are copied; -1 copies the whole file.
  int64_t limit = -1;
};

class CopyJob {
 public:
  // Bytes read and written per system call.
  static constexpr size_t kBlockBytes = size_t{1} << 20;
  // Bytes per copy_file_range call, where the kernel copies by itself.
  static constexpr int64_t kKernelBlockBytes = int64_t{4} << 20;

  CopyJob() = default;
  explicit CopyJob(std::vector<CopyItem> items);
  CopyJob(const CopyJob&) = delete;
  CopyJob& operator=(const CopyJob&) = delete;
  CopyJob(CopyJob&&) noexcept;
  CopyJob& operator=(CopyJob&&) noexcept;
  ~CopyJob();

  // Measures the sources. A source that cannot be looked at fails, named.
  Status Prepare();
  // Copies about `budget` bytes (at least one block, or one file's end).
  // A failure names the file (CopyItem::name) and stops the job.
  Status Step(int64_t budget);
  bool done() const { return next_ >= items_.size() && fdIn_ < 0 && flushed_; }

  int64_t bytesDone() const { return done_; }
  int64_t bytesTotal() const { return total_; }
  // The file being copied (or the last one), for the progress line.
  std::string currentName() const;
  const std::vector<CopyItem>& items() const { return items_; }
  // Targets that were created (whole or in part), for the clean-up of a
  // failed copy.
  const std::vector<std::filesystem::path>& created() const { return created_; }

 private:
  Status OpenNext();
  void StartWriteback(int64_t bytes);
  Status FinishFile();
  Status FlushAll();
  Status Fail(const std::string& why);
  void CloseFiles();

  std::vector<CopyItem> items_;
  std::vector<int64_t> sizes_;
  std::vector<std::filesystem::path> created_;
  std::vector<unsigned char> buffer_;
  size_t next_ = 0;     // the next item to open
  size_t current_ = 0;  // the item being copied
  int fdIn_ = -1;
  int fdOut_ = -1;
  bool flushed_ = false;  // every target flushed to the disk (fsync)
  bool inKernel_ = true;  // copy_file_range until it is refused
  int64_t left_ = 0;      // bytes of the current item still to copy
  int64_t written_ = 0;   // bytes of the current target written so far
  int64_t done_ = 0;
  int64_t total_ = 0;
};

// Creates `path` (and none of its parents) as a folder private to the user
// (0700); an existing folder is fine.
Status MakePrivateFolder(const std::filesystem::path& path);
// Flushes a folder's entries (the names of files made or renamed in it).
Status SyncFolder(const std::filesystem::path& path);
// The names of the regular files in `folder` whose names end in ".dat",
// sorted; a missing folder has none.
std::vector<std::string> DatFilesIn(const std::filesystem::path& folder);
// Whether `inner` is `outer` or lies inside it, after resolving both.
bool IsSameOrInside(const std::filesystem::path& inner, const std::filesystem::path& outer);
// Whether the tree under `folder` holds anything but folders.
bool HoldsAnyFile(const std::filesystem::path& folder);

}  // namespace tarvolen
