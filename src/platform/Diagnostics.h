#pragma once
// Notes for a maintainer (the program's log), not for the operator: the
// core never prints by itself; the program connects this to stderr.
#include <string>

namespace tarvolen {

class Diagnostics {
 public:
  virtual ~Diagnostics() = default;
  virtual void Note(const std::string& line) = 0;
};

// Keeps nothing: for tests and tools that have no log.
class SilentDiagnostics final : public Diagnostics {
 public:
  void Note(const std::string&) override {}
};

}  // namespace tarvolen
