#pragma once
// The files a fuzz target hands to a reader that takes a path. Each fuzzing
// process gets one folder under /tmp, made on first use and reused by every
// execution (a new folder per input would cost more than most readers), and
// removed when the process ends normally. The program folder is
// <folder>/desk, so the suspension file <folder>/deskts.dat stays inside.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>

#include "store/ProgramFolder.h"

namespace tarvolen::fuzz {

class FuzzFolder {
 public:
  // The folder of this process; data/, 数据/登记/ and 数据/日志/ exist in it.
  static const FuzzFolder& Get();

  const ProgramFolder& desk() const { return desk_; }

  // Replaces the file's content with exactly these bytes. Aborts when the
  // file cannot be written: a fuzz run on a broken /tmp proves nothing.
  static void Write(const std::filesystem::path& path, std::span<const uint8_t> bytes);

 private:
  FuzzFolder();
  std::filesystem::path base_;
  ProgramFolder desk_;
};

// Splits an input into parts: whole numbers first, then bytes. Reading past
// the end gives zeros and empty parts, so every input is usable.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : rest_(data, size) {}

  int32_t takeInt32();
  std::span<const uint8_t> take(size_t n);
  std::span<const uint8_t> rest() const { return rest_; }

 private:
  std::span<const uint8_t> rest_;
};

}  // namespace tarvolen::fuzz
