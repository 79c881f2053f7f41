#include "store/FileFaults.h"

#include <csignal>
#include <map>

namespace tarvolen {
namespace {

// Keyed by the normalised path, "" for every file. Only tests fill it; the
// core runs on one thread.
std::map<std::filesystem::path, WriteFault>& Faults() {
  static std::map<std::filesystem::path, WriteFault> faults;
  return faults;
}

bool Consume(WriteFault& f) {
  if (f.skip > 0) {
    --f.skip;
    return false;
  }
  if (f.count <= 0) return false;
  --f.count;
  if (f.kill) std::raise(SIGKILL);
  return true;
}

}  // namespace

void FileFaults::Inject(const std::filesystem::path& path, WriteFault fault) {
  Faults()[path.empty() ? path : path.lexically_normal()] = fault;
}

void FileFaults::Clear() { Faults().clear(); }

bool FileFaults::BeforeWrite(const std::filesystem::path& path) {
  auto& faults = Faults();
  if (faults.empty()) return false;
  bool fail = false;
  if (auto any = faults.find({}); any != faults.end()) fail = Consume(any->second) || fail;
  if (auto one = faults.find(path.lexically_normal()); one != faults.end()) fail = Consume(one->second) || fail;
  return fail;
}

}  // namespace tarvolen
