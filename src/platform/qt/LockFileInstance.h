#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

#include "platform/SingleInstance.h"

namespace tarvolen {

// One running desk per program folder: a lock file in the folder. A lock
// left by a process that no longer runs is taken over at once. A folder the
// lock file cannot be written into is told apart from a running holder,
// with the system's reason.
class LockFileInstance final : public SingleInstance {
 public:
  explicit LockFileInstance(const QString& folder);
  InstanceClaim acquire() override;

 private:
  InstanceClaim notWritable() const;

  QString folder_;
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace tarvolen
