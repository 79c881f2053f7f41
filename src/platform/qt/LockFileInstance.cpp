#include "platform/qt/LockFileInstance.h"

#include <QDir>
#include <QSysInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <csignal>

namespace tarvolen {
namespace {

InstanceClaim Claim(InstanceHold hold) { return {hold, {}}; }

// QLockFile tells only a category (PermissionError for EACCES/EROFS,
// UnknownError for anything else, a full disk among them). Writing a small
// file beside the lock, as the lock itself is written, gets the system's
// own words; empty when that write goes through.
QString WriteFailure(const QString& folder) {
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("tarvolen.XXXXXX.probe")));
  if (!probe.open()) return probe.errorString();
  const QByteArray bytes(256, ' ');
  if (probe.write(bytes) != bytes.size() || !probe.flush()) return probe.errorString();
  return {};
}

// Whether the process named in the lock file still runs. A lock written on
// another machine (a shared folder) cannot be checked from here: it counts
// as held.
bool HolderRuns(const QLockFile& lock) {
  qint64 pid = 0;
  QString host;
  QString app;
  if (!lock.getLockInfo(&pid, &host, &app)) return false;
  if (!host.isEmpty() && host != QSysInfo::machineHostName()) return true;
  return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

}  // namespace

LockFileInstance::LockFileInstance(const QString& folder)
    : folder_(folder), lock_(std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("tarvolen.lock")))) {}

InstanceClaim LockFileInstance::acquire() {
  if (lock_->isLocked()) return Claim(InstanceHold::Acquired);
  if (lock_->tryLock(0)) return Claim(InstanceHold::Acquired);
  if (lock_->error() != QLockFile::LockFailedError) return notWritable();

  // A holder that died leaves a stale lock: QLockFile sees that its process
  // is gone; remove it and try once more.
  if (lock_->removeStaleLockFile()) {
    if (lock_->tryLock(0)) return Claim(InstanceHold::Acquired);
    if (lock_->error() != QLockFile::LockFailedError) return notWritable();
    return Claim(InstanceHold::HeldByOther);
  }
  // Not removed: either a running holder keeps it, or the dead holder's
  // file cannot be removed because the folder takes no changes.
  if (HolderRuns(*lock_)) return Claim(InstanceHold::HeldByOther);
  QString failure = WriteFailure(folder_);
  if (failure.isEmpty()) return Claim(InstanceHold::HeldByOther);
  return {InstanceHold::FolderNotWritable, failure.toStdString()};
}

InstanceClaim LockFileInstance::notWritable() const {
  QString reason = WriteFailure(folder_);
  if (reason.isEmpty()) {
    // The folder took the probe after all (space freed meanwhile, say):
    // name what QLockFile saw.
    reason = lock_->error() == QLockFile::PermissionError ? QStringLiteral("没有权限写入 tarvolen.lock")
                                                          : QStringLiteral("写入 tarvolen.lock 失败");
  }
  return {InstanceHold::FolderNotWritable, reason.toStdString()};
}

}  // namespace tarvolen
