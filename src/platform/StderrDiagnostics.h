#pragma once
// The program's log: each note a line on stderr.
#include <cstdio>

#include "platform/Diagnostics.h"

namespace tarvolen {

class StderrDiagnostics final : public Diagnostics {
 public:
  void Note(const std::string& line) override { std::fprintf(stderr, "%s\n", line.c_str()); }
};

}  // namespace tarvolen
