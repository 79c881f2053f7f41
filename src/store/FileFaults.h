#pragma once
// Faults a test injects into the record files, per file: the next writes of
// one file fail as a full disk or a removed medium would, or the process is
// killed just before a write, as a crash would. Production code never sets
// a fault; RecordFile and the journal ask before every write.
#include <filesystem>

namespace tarvolen {

struct WriteFault {
  int skip = 0;       // writes of the file that still succeed first
  int count = 1;      // writes that then fail (or the one that kills)
  bool kill = false;  // the process is killed (SIGKILL) before the write
};

class FileFaults {
 public:
  // Faults for the file at `path`; an empty path means every file.
  static void Inject(const std::filesystem::path& path, WriteFault fault);
  static void Clear();
  // RecordFile, before each write of `path`: true when this write must fail.
  static bool BeforeWrite(const std::filesystem::path& path);
};

}  // namespace tarvolen
