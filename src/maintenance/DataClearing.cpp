#include "maintenance/DataClearing.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "store/Records.h"
#include "store/SettingsLayout.h"

namespace tarvolen {

namespace fs = std::filesystem;

namespace {
constexpr const char* kTitle = "提示";
constexpr const char* kCheckedIn = "请将所有会员下线再执行此操作！";
constexpr const char* kDone = "操作完成！";
constexpr const char* kFailed = "清除失败：";
constexpr const char* kJournalWaits = "上次未完成的登记操作要在重新启动本程序后才能完成，请先重新启动再清除数据。";
}  // namespace

Status EmptyFile(const fs::path& path) {
  // O_TRUNC keeps the file's own permissions; a missing one is made private.
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return Status(ErrorCode::WriteFailed, path.filename().string() + "（" + std::strerror(errno) + "）");
  const int synced = ::fsync(fd);
  const int err = errno;
  ::close(fd);
  if (synced != 0) return Status(ErrorCode::WriteFailed, path.filename().string() + "（" + std::strerror(err) + "）");
  return Status::Ok();
}

Status RemoveFilesIn(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return Status::Ok();
  std::vector<fs::path> files;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeEc;
    if (!it->is_directory(typeEc)) files.push_back(it->path());
  }
  if (ec) return Status(ErrorCode::WriteFailed, folder.string() + "（" + ec.message() + "）");
  for (const fs::path& file : files) {
    fs::remove(file, ec);
    if (ec) return Status(ErrorCode::WriteFailed, file.filename().string() + "（" + ec.message() + "）");
  }
  return Status::Ok();
}

std::string DataClearing::ClearYearFiles(YearFile& file, const char* folder, size_t recordLength, int64_t counter,
                                         const fs::path& current) {
  file.close();
  std::string failed;
  if (Status s = RemoveFilesIn(data_.folder().file(folder)); !s.ok()) failed = std::string(folder) + "/" + s.detail();
  if (Status s = data_.settings().writeLong(counter, 0); !s.ok() && failed.empty())
    failed = "set.dat（" + s.detail() + "）";
  // The count starts again from what the file holds: 0 when it was removed,
  // and never below the records of a file that could not be.
  auto opened = file.open(current, recordLength, &data_.settings(), counter, 0);
  if (!opened.ok() && failed.empty()) failed = opened.status().detail();
  return failed;
}

void DataClearing::Clear() {
  if (confirmation_ != kConfirmWords) return;
  bool any = false;
  for (bool t : ticked_) any = any || t;
  if (!any) return;
  if (data_.sessions().count() > 0) {
    boxes_.show(kTitle, kCheckedIn, BoxIcon::None);
    return;
  }
  if (hooks_.journalWaiting && hooks_.journalWaiting()) {
    boxes_.show(kTitle, kJournalWaits, BoxIcon::Critical);
    return;
  }
  if (!data_.hasSettings()) return;
  // Each part is cleared on disk first; memory follows only what the disk
  // took. A failure is told, never followed by "操作完成！".
  std::vector<std::string> failed;
  if (ticked_[Checkins]) {
    std::string f = ClearYearFiles(data_.checkins(), "数据/登记", kCheckinRecordLength, settings::kCheckinCount,
                                   data_.folder().checkinYear(hooks_.year ? hooks_.year() : 0));
    if (!f.empty()) failed.push_back(f);
  }
  if (ticked_[Students]) {
    if (Status s = EmptyFile(data_.folder().students()); !s.ok()) {
      failed.push_back(s.detail());
    } else {
      for (int slot = 1; slot <= StudentTable::kLastSlot; ++slot) data_.students()[slot] = StudentRecord{};
      if (hooks_.studentsCleared) hooks_.studentsCleared();
    }
  }
  if (ticked_[Rooms]) {
    if (Status s = EmptyFile(data_.folder().rooms()); !s.ok()) {
      failed.push_back(s.detail());
    } else {
      for (int slot = 1; slot <= RoomTable::kLastSlot; ++slot) data_.rooms()[slot] = RoomRecord{};
      // No room is left: no free place and no place at all.
      data_.sessions().SetPlacesFromRooms(data_.rooms());
      if (hooks_.roomsCleared) hooks_.roomsCleared();
    }
  }
  if (ticked_[Log]) {
    std::string f = ClearYearFiles(data_.log(), "数据/日志", kLogRecordLength, settings::kLogCount,
                                   data_.folder().logYear(hooks_.year ? hooks_.year() : 0));
    if (!f.empty()) failed.push_back(f);
  }
  if (!failed.empty()) {
    std::string text = kFailed;
    for (size_t i = 0; i < failed.size(); ++i) text += (i > 0 ? "；" : "") + failed[i];
    boxes_.show(kTitle, text, BoxIcon::Critical);
    return;
  }
  shown_ = false;
  boxes_.show(kTitle, kDone, BoxIcon::None);
}

}  // namespace tarvolen
