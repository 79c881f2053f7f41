#pragma once
// The byte writes an operation is about to make, each one setting bytes to
// a value (never adding to what is there), so making them twice leaves the
// files as making them once. The crash journal records a plan before the
// writes start and finishes it at the next start when they were cut off.
#include <cstdint>
#include <filesystem>
#include <vector>

#include "store/Packing.h"

namespace tarvolen {

struct PlannedWrite {
  std::filesystem::path file;  // absolute while planned, relative in the journal
  int64_t offset = 0;          // byte offset from the start of the file
  Bytes bytes;
  // The file is made at least this long afterwards (a record written past
  // the end makes the file whole records long); 0: no such rule.
  int64_t minSize = 0;
};

using WritePlan = std::vector<PlannedWrite>;

}  // namespace tarvolen
