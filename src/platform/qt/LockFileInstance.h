#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

#include "platform/SingleInstance.h"

namespace tarvolen {

// One running desk per program folder: a lock file in the folder. A lock
// left by a process that no longer runs is taken over at once.
class LockFileInstance final : public SingleInstance {
 public:
  explicit LockFileInstance(const QString& folder);
  bool acquire() override;

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace tarvolen
