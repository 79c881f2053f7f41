#pragma once
// The page "数据备份", its two halves: a backup of the data files into a
// folder named "<name>[<time>]" under the folder chosen in the backup half,
// and a restore from the folder chosen in the restore half. Both copy in
// large blocks, a slice per tick of their timer, so the window stays
// responsive and shows the progress.
//
// A backup is written into a temporary folder beside its final one and
// renamed into place only when every file was copied and flushed: a backup
// that failed leaves nothing that looks complete. A restore copies every
// file beside its target first and replaces the targets only when all
// copies succeeded; then the installation is loaded again from the files,
// so memory and files agree at once.
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "maintenance/FileCopy.h"
#include "notify/Feedback.h"
#include "platform/Clock.h"
#include "platform/FolderChooser.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "store/InstallationData.h"

namespace tarvolen {

// The files a backup holds, by their names relative to the program folder
// (and to the backup folder). Only the category lists but hy.dat, the
// rooms' file and the three data folders' *.dat files were ever needed to
// restore; the rest is copied when present and never required, so older
// backups stay restorable.
inline constexpr std::array<const char*, 8> kBackupSingleFiles = {"bj.dat",    "fj.dat",       "lj.dat", "zy.dat",
                                                                  "rooms.dat", "students.dat", "hy.dat", "journal.dat"};
inline constexpr std::array<const char*, 4> kRestoreRequiredFiles = {"bj.dat", "lj.dat", "zy.dat", "rooms.dat"};
inline constexpr std::array<const char*, 3> kBackupFolders = {"数据/登记", "数据/日志", "数据/学生"};
// The suspension file lies beside the program folder; in a backup it is
// this file, holding only the records in use.
inline constexpr const char* kBackupSuspensionFile = "ts.dat";

// "yyyy年mm月dd日"
std::string BackupDateText(const CivilDate& date);

class DataBackup {
 public:
  static constexpr int kBackupHalf = 0;
  static constexpr int kRestoreHalf = 1;
  // Bytes copied per tick of the timer.
  static constexpr int64_t kSliceBytes = int64_t{16} << 20;

  struct Services {
    InstallationData& data;
    Feedback& feedback;
    MessageBoxes& boxes;
    FolderChooser* folders;  // none: only typed folders
    const Clock& clock;
  };
  struct Hooks {
    // A check-in or check-out whose completion waits for the next start.
    std::function<bool()> journalWaiting;
    // The files under the program folder were replaced: the installation
    // and everything drawn from it are loaded again.
    std::function<Status()> reload;
    // The page's state changed (progress, a copy started or ended).
    std::function<void()> changed;
  };

  enum class Kind { None, Backup, Restore };
  struct Progress {
    Kind kind = Kind::None;
    int64_t done = 0;
    int64_t total = 0;
    std::string file;
    int percent() const { return total <= 0 ? 0 : static_cast<int>(done * 100 / total); }
  };

  DataBackup(Services services, Hooks hooks, std::unique_ptr<Timer> pump);
  ~DataBackup();
  DataBackup(const DataBackup&) = delete;
  DataBackup& operator=(const DataBackup&) = delete;

  // Text7 "备份名称：", Text9 "备份时间：" (today at start-up).
  const std::string& name() const { return name_; }
  const std::string& time() const { return time_; }
  void SetName(const std::string& text) { name_ = text; }
  void SetTime(const std::string& text) { time_ = text; }
  // The folder of each half ("备份路径：", "数据恢复："), typed or chosen.
  const std::string& folder(int half) const { return folders_.at(static_cast<size_t>(half)); }
  void SetFolder(int half, const std::string& folder) { folders_.at(static_cast<size_t>(half)) = folder; }
  // The folder chooser of a half; a cancelled dialog changes nothing.
  void ChooseFolder(int half);

  // Command23 "备份" and Command24 "恢复": they start the copy; the timer
  // carries it on.
  void Backup();
  void Restore();
  // One slice of the copy under way (the timer's tick).
  void Pump();

  bool busy() const { return progress_.kind != Kind::None; }
  const Progress& progress() const { return progress_; }
  // "正在备份：<file> 45%" while a copy runs, otherwise empty.
  std::string progressText() const;
  // Where the last backup went (its folder), for the operator and tests.
  const std::filesystem::path& lastBackup() const { return lastBackup_; }

 private:
  Status StartBackup();
  Status StartRestore();
  void FinishBackup();
  void FinishRestore();
  void Fail(const std::string& prefix, const Status& why);
  void RemoveCreated();
  void End();
  void Changed();

  InstallationData& data_;
  Feedback& feedback_;
  MessageBoxes& boxes_;
  FolderChooser* chooser_;
  Hooks hooks_;
  std::unique_ptr<Timer> pump_;

  std::string name_;
  std::string time_;
  std::array<std::string, 2> folders_{};
  Progress progress_;
  CopyJob job_;
  // A backup: the temporary folder and the final one.
  std::filesystem::path temporary_;
  std::filesystem::path final_;
  std::filesystem::path lastBackup_;
  // A restore: each copy beside its target, and whether the backup brought
  // a suspension file and a journal.
  std::vector<std::pair<std::filesystem::path, std::filesystem::path>> replacements_;
  bool restoresSuspensions_ = false;
  bool restoresJournal_ = false;
};

}  // namespace tarvolen
