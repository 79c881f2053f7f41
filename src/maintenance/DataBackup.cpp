#include "maintenance/DataBackup.h"

#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <cstdio>
#include <system_error>

#include "store/Records.h"
#include "store/SettingsLayout.h"

namespace tarvolen {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "提示";
constexpr const char* kNeedNameAndTime = "必要的名称或时间";
constexpr const char* kDeviceUnavailable = "设备不可用！";
constexpr const char* kOwnFolder = "不可用原目录。";
constexpr const char* kAlreadyThere = "文件已经存在！不可选择此路径!";
constexpr const char* kBackedUp = "备份成功";
constexpr const char* kBackupFailed = "备份失败：";
constexpr const char* kReplaceQuestion = "现在的数据将被替换。确认吗？";
constexpr const char* kNotABackup = "文件缺失或者您选择的不是备份文件夹!";
constexpr const char* kRestored = "恢复成功";
constexpr const char* kRestoreFailed = "恢复失败：";
constexpr const char* kCheckedIn = "请将所有会员下线再执行此操作！";
constexpr const char* kJournalWaits = "上次未完成的登记操作要在重新启动本程序后才能完成，请先重新启动再恢复数据。";
// Beside each target while a restore copies.
constexpr const char* kPartSuffix = ".part";

// A name or time that would lead out of the chosen folder.
bool SafeComponent(const std::string& text) {
  return !text.empty() && text.find('/') == std::string::npos && text.find("..") == std::string::npos &&
         text.find('\0') == std::string::npos;
}

}  // namespace

std::string BackupDateText(const CivilDate& date) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d年%02d月%02d日", date.year, date.month, date.day);
  return buf;
}

DataBackup::DataBackup(Services services, Hooks hooks, std::unique_ptr<Timer> pump)
    : data_(services.data),
      feedback_(services.feedback),
      boxes_(services.boxes),
      chooser_(services.folders),
      hooks_(std::move(hooks)),
      pump_(std::move(pump)),
      time_(BackupDateText(services.clock.today())) {
  pump_->onTimeout = [this] { Pump(); };
}

DataBackup::~DataBackup() {
  if (busy()) RemoveCreated();
}

void DataBackup::Changed() {
  if (hooks_.changed) hooks_.changed();
}

void DataBackup::ChooseFolder(int half) {
  if (chooser_ == nullptr || busy()) return;
  const std::string title = half == kBackupHalf ? "备份路径：" : "数据恢复：";
  auto chosen = chooser_->chooseFolder(title, folder(half));
  if (!chosen) return;
  SetFolder(half, *chosen);
  Changed();
}

std::string DataBackup::progressText() const {
  if (!busy()) return {};
  std::string text = progress_.kind == Kind::Backup ? "正在备份：" : "正在恢复：";
  return text + progress_.file + " " + std::to_string(progress_.percent()) + "%";
}

void DataBackup::Backup() {
  if (busy()) return;
  if (Status s = StartBackup(); !s.ok()) return;
  Changed();
}

Status DataBackup::StartBackup() {
  if (!SafeComponent(name_) || !SafeComponent(time_)) {
    feedback_.PushMessage(kNeedNameAndTime);
    return Status(ErrorCode::Refused, kNeedNameAndTime);
  }
  std::error_code ec;
  const fs::path base(folders_[kBackupHalf]);
  // A relative folder would depend on where the program was started.
  if (base.empty() || !base.is_absolute() || !fs::is_directory(base, ec)) {
    feedback_.PushMessage(kDeviceUnavailable);
    return Status(ErrorCode::Refused, kDeviceUnavailable);
  }
  const fs::path target = base / (name_ + "[" + time_ + "]");
  const fs::path& root = data_.folder().root();
  // Inside the program folder a backup would not survive the disk, and
  // re-initialisation would empty parts of it.
  if (IsSameOrInside(target, root)) {
    boxes_.show(kTitle, kOwnFolder, BoxIcon::None);
    return Status(ErrorCode::Refused, kOwnFolder);
  }
  // A backup never goes over another one (nor beside other files): the
  // folder may exist only as empty folders.
  if (fs::exists(fs::symlink_status(target, ec)) &&
      (!fs::is_directory(fs::symlink_status(target, ec)) || HoldsAnyFile(target))) {
    boxes_.show(kTitle, kAlreadyThere, BoxIcon::None);
    return Status(ErrorCode::Refused, kAlreadyThere);
  }

  std::string pattern = (base / (name_ + "[" + time_ + "].part-XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    Status s(ErrorCode::WriteFailed, base.string() + "（" + std::strerror(errno) + "）");
    boxes_.show(kTitle, kBackupFailed + s.detail(), BoxIcon::Critical);
    return s;
  }
  temporary_ = pattern;
  final_ = target;
  std::vector<CopyItem> items;
  Status made = MakePrivateFolder(temporary_ / "数据");
  for (const char* sub : kBackupFolders) {
    if (made.ok()) made = MakePrivateFolder(temporary_ / sub);
  }
  if (!made.ok()) {
    Fail(kBackupFailed, made);
    return made;
  }
  for (const char* single : kBackupSingleFiles) {
    const fs::path source = data_.folder().file(single);
    if (fs::is_regular_file(source, ec)) items.push_back({source, temporary_ / single, single});
  }
  // Only the records in use: the count lives in set.dat, which a restore
  // keeps, and records past it are left-overs of removed suspensions.
  const fs::path suspensions = data_.folder().suspension();
  if (fs::is_regular_file(suspensions, ec) && data_.hasSettings()) {
    const int32_t count = std::max(data_.settings().longAt(settings::kSuspensionCount), 0);
    items.push_back({suspensions, temporary_ / kBackupSuspensionFile, suspensions.filename().string(),
                     static_cast<int64_t>(count) * static_cast<int64_t>(kSuspensionRecordLength)});
  }
  for (const char* sub : kBackupFolders) {
    for (const std::string& file : DatFilesIn(data_.folder().file(sub))) {
      const std::string relative = std::string(sub) + "/" + file;
      items.push_back({data_.folder().file(relative), temporary_ / relative, relative});
    }
  }
  job_ = CopyJob(std::move(items));
  if (Status s = job_.Prepare(); !s.ok()) {
    Fail(kBackupFailed, s);
    return s;
  }
  progress_ = Progress{Kind::Backup, 0, job_.bytesTotal(), job_.currentName()};
  pump_->start(0);
  return Status::Ok();
}

void DataBackup::Restore() {
  if (busy()) return;
  if (data_.sessions().count() > 0) {
    boxes_.show(kTitle, kCheckedIn, BoxIcon::None);
    return;
  }
  if (hooks_.journalWaiting && hooks_.journalWaiting()) {
    boxes_.show(kTitle, kJournalWaits, BoxIcon::Critical);
    return;
  }
  if (!boxes_.ask(kTitle, kReplaceQuestion, BoxIcon::Critical)) return;
  if (Status s = StartRestore(); !s.ok()) return;
  Changed();
}

Status DataBackup::StartRestore() {
  std::error_code ec;
  const fs::path source(folders_[kRestoreHalf]);
  const fs::path& root = data_.folder().root();
  if (!source.empty() && IsSameOrInside(source, root) && IsSameOrInside(root, source)) {
    boxes_.show(kTitle, kOwnFolder, BoxIcon::None);
    return Status(ErrorCode::Refused, kOwnFolder);
  }
  bool complete = source.is_absolute() && fs::is_directory(source, ec);
  for (const char* required : kRestoreRequiredFiles) {
    if (complete && !fs::is_regular_file(source / required, ec)) complete = false;
  }
  if (!complete) {
    boxes_.show(kTitle, kNotABackup, BoxIcon::None);
    return Status(ErrorCode::Refused, kNotABackup);
  }

  std::vector<CopyItem> items;
  replacements_.clear();
  auto add = [&](const fs::path& from, const fs::path& to, const std::string& name) {
    fs::path part = to;
    part += kPartSuffix;
    std::error_code rmEc;
    fs::remove(part, rmEc);  // a left-over of a restore cut off earlier
    items.push_back({from, part, name});
    replacements_.emplace_back(part, to);
  };
  restoresJournal_ = false;
  for (const char* single : kBackupSingleFiles) {
    if (!fs::is_regular_file(source / single, ec)) continue;
    add(source / single, data_.folder().file(single), single);
    if (std::string(single) == "journal.dat") restoresJournal_ = true;
  }
  restoresSuspensions_ = fs::is_regular_file(source / kBackupSuspensionFile, ec);
  if (restoresSuspensions_) add(source / kBackupSuspensionFile, data_.folder().suspension(), kBackupSuspensionFile);
  for (const char* sub : kBackupFolders) {
    const std::vector<std::string> files = DatFilesIn(source / sub);
    if (files.empty()) continue;
    if (Status s = MakePrivateFolder(data_.folder().file("数据")); !s.ok()) {
      boxes_.show(kTitle, kRestoreFailed + s.detail(), BoxIcon::Critical);
      return s;
    }
    if (Status s = MakePrivateFolder(data_.folder().file(sub)); !s.ok()) {
      boxes_.show(kTitle, kRestoreFailed + s.detail(), BoxIcon::Critical);
      return s;
    }
    for (const std::string& file : files) {
      const std::string relative = std::string(sub) + "/" + file;
      add(source / relative, data_.folder().file(relative), relative);
    }
  }
  job_ = CopyJob(std::move(items));
  if (Status s = job_.Prepare(); !s.ok()) {
    Fail(kRestoreFailed, s);
    return s;
  }
  progress_ = Progress{Kind::Restore, 0, job_.bytesTotal(), job_.currentName()};
  pump_->start(0);
  return Status::Ok();
}

void DataBackup::Pump() {
  if (!busy()) {
    pump_->stop();
    return;
  }
  Status s = job_.Step(kSliceBytes);
  progress_.done = job_.bytesDone();
  progress_.file = job_.currentName();
  if (!s.ok()) {
    Fail(progress_.kind == Kind::Backup ? kBackupFailed : kRestoreFailed, s);
    return;
  }
  if (!job_.done()) {
    Changed();
    return;
  }
  if (progress_.kind == Kind::Backup) {
    FinishBackup();
  } else {
    FinishRestore();
  }
}

void DataBackup::RemoveCreated() {
  std::error_code ec;
  if (progress_.kind == Kind::Backup && !temporary_.empty()) fs::remove_all(temporary_, ec);
  if (progress_.kind == Kind::Restore) {
    for (const auto& [part, target] : replacements_) fs::remove(part, ec);
  }
}

void DataBackup::End() {
  pump_->stop();
  progress_ = Progress{};
  job_ = CopyJob();
  temporary_.clear();
  replacements_.clear();
  Changed();
}

void DataBackup::Fail(const std::string& prefix, const Status& why) {
  if (progress_.kind == Kind::None) progress_.kind = prefix == kBackupFailed ? Kind::Backup : Kind::Restore;
  RemoveCreated();
  End();
  boxes_.show(kTitle, prefix + why.detail(), BoxIcon::Critical);
}

void DataBackup::FinishBackup() {
  // Every file is flushed; the folders' entries too, then the one rename
  // that makes the backup appear whole.
  Status s = SyncFolder(temporary_ / "数据");
  for (const char* sub : kBackupFolders) {
    if (s.ok()) s = SyncFolder(temporary_ / sub);
  }
  if (s.ok()) s = SyncFolder(temporary_);
  std::error_code ec;
  if (s.ok() && fs::exists(fs::symlink_status(final_, ec))) {
    // Only empty folders may stand there (checked at the start): they give
    // way to the backup. Something that came meanwhile stops it.
    if (HoldsAnyFile(final_) || !fs::is_directory(final_, ec)) {
      s = Status(ErrorCode::Refused, kAlreadyThere);
    } else {
      fs::remove_all(final_, ec);
      if (ec) s = Status(ErrorCode::WriteFailed, final_.filename().string() + "（" + ec.message() + "）");
    }
  }
  if (s.ok()) {
    fs::rename(temporary_, final_, ec);
    if (ec) s = Status(ErrorCode::WriteFailed, final_.filename().string() + "（" + ec.message() + "）");
  }
  if (!s.ok()) {
    if (s.code() == ErrorCode::Refused) {
      RemoveCreated();
      End();
      boxes_.show(kTitle, kAlreadyThere, BoxIcon::None);
      return;
    }
    Fail(kBackupFailed, s);
    return;
  }
  (void)SyncFolder(final_.parent_path());  // the rename is made; a late flush failure changes nothing
  lastBackup_ = final_;
  temporary_.clear();
  End();
  boxes_.show(kTitle, kBackedUp, BoxIcon::None);
}

void DataBackup::FinishRestore() {
  // Every copy is whole beside its target. The counts of the year files
  // are taken from the restored files alone (set.dat stays, and its counts
  // belong to the files being replaced), so the next append follows the
  // last restored record.
  // Zero is only a floor: the reload takes the counts from the restored
  // files whether or not it could be written.
  if (data_.hasSettings()) {
    (void)data_.settings().writeLong(settings::kCheckinCount, 0);
    (void)data_.settings().writeLong(settings::kLogCount, 0);
  }
  data_.Close();
  std::string failed;
  std::error_code ec;
  for (const auto& [part, target] : replacements_) {
    fs::rename(part, target, ec);
    if (ec && failed.empty()) failed = target.filename().string() + "（" + ec.message() + "）";
    if (ec) fs::remove(part, ec);
  }
  replacements_.clear();
  // The renames are made and the files flushed; a folder that cannot be
  // flushed only leaves its entries to the kernel's own write-back.
  for (const char* sub : kBackupFolders) (void)SyncFolder(data_.folder().file(sub));
  (void)SyncFolder(data_.folder().root());

  // A journal belongs to the data it was written for. One that came with
  // the backup finishes the operation it was taken in the middle of, on the
  // restored files; the program's own (empty: a waiting one refuses the
  // restore) is never replayed over restored data.
  if (restoresJournal_) {
    auto recovered = data_.journal().Recover();
    if (!recovered.ok() && failed.empty()) failed = "journal.dat（" + recovered.status().detail() + "）";
  } else if (Status s = data_.journal().Clear(); !s.ok() && failed.empty()) {
    failed = "journal.dat（" + s.detail() + "）";
  }

  Status reloaded = hooks_.reload ? hooks_.reload() : Status::Ok();
  // A count that cannot be saved is re-derived from its file at the next
  // start (a count is never taken below the records a file holds).
  if (data_.hasSettings()) {
    if (data_.checkins().isOpen()) (void)data_.settings().writeLong(settings::kCheckinCount, data_.checkins().count());
    if (data_.log().isOpen()) (void)data_.settings().writeLong(settings::kLogCount, data_.log().count());
    if (restoresSuspensions_) {
      std::error_code sizeEc;
      const auto size = fs::file_size(data_.folder().suspension(), sizeEc);
      const auto records = sizeEc ? 0 : size / kSuspensionRecordLength;
      if (Status s = data_.settings().writeLong(settings::kSuspensionCount, static_cast<int32_t>(records));
          !s.ok() && failed.empty()) {
        failed = "set.dat（" + s.detail() + "）";
      }
    }
  }
  if (!reloaded.ok() && failed.empty()) failed = reloaded.detail();
  End();
  if (!failed.empty()) {
    boxes_.show(kTitle, kRestoreFailed + failed, BoxIcon::Critical);
    return;
  }
  boxes_.show(kTitle, kRestored, BoxIcon::None);
}

}  // namespace tarvolen
