#pragma once
// Whether another instance of the program runs on the same program folder.
#include <string>

namespace tarvolen {

enum class InstanceHold {
  Acquired,           // this process now holds the folder
  HeldByOther,        // another running instance holds it
  FolderNotWritable,  // the hold cannot be written into the folder at all
};

struct InstanceClaim {
  InstanceHold hold = InstanceHold::Acquired;
  // FolderNotWritable: the system's reason, as the system words it (may be
  // empty when it gave none).
  std::string reason;
};

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // Tries to hold the folder for this process. A hold left by a killed
  // process does not count as another instance.
  [[nodiscard]] virtual InstanceClaim acquire() = 0;
};

}  // namespace tarvolen
