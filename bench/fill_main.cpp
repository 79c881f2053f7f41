// tarvolen-fill DIR: a full installation (5000 students, 999 rooms, 1001
// active sessions, administrator password "admin") for timing the program.
#include <cstdio>

#include "FullInstallation.h"
#include "platform/Clock.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvolen-fill DIR\n");
    return 2;
  }
  tarvolen::SystemClock clock;
  tarvolen::Status s = tarvolen::bench::WriteFullInstallation(argv[1], clock.today());
  if (!s.ok()) {
    std::fprintf(stderr, "tarvolen-fill: %s\n", s.detail().c_str());
    return 1;
  }
  return 0;
}
