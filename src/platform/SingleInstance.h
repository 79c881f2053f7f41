#pragma once
// Whether another instance of the program runs on the same program folder.

namespace tarvolen {

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;
  // True when this process now holds the folder; false when another running
  // instance holds it. A hold left by a killed process does not count.
  virtual bool acquire() = 0;
};

}  // namespace tarvolen
