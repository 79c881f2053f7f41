#include "platform/qt/LockFileInstance.h"

#include <QDir>

namespace tarvolen {

LockFileInstance::LockFileInstance(const QString& folder)
    : lock_(std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("tarvolen.lock")))) {}

bool LockFileInstance::acquire() {
  if (lock_->isLocked()) return true;
  if (lock_->tryLock(0)) return true;
  // A holder that died leaves a stale lock: QLockFile sees that its process
  // is gone; remove it and try once more.
  if (lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile()) {
    return lock_->tryLock(0);
  }
  return false;
}

}  // namespace tarvolen
