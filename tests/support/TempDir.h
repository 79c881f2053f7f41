#pragma once
// A throw-away program folder <base>/A inside a fresh temporary <base>, so
// the files that lie beside the folder (the suspension file) go with it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "store/Packing.h"
#include "store/ProgramFolder.h"

namespace tarvolen::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "cannot create a temporary folder";
      return;
    }
    base_ = pattern;
    root_ = base_ / "A";
  }
  ~TempDir() {
    std::error_code ec;
    if (!base_.empty()) std::filesystem::remove_all(base_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& root() const { return root_; }
  ProgramFolder folder() const { return ProgramFolder(root_); }
  std::filesystem::path path(const std::string& relative) const { return root_ / relative; }

 private:
  std::filesystem::path base_;
  std::filesystem::path root_;
};

inline Bytes ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& p, const Bytes& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tarvolen::testing
