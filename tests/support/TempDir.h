#pragma once
// A throw-away program folder <base>/A inside a fresh temporary <base>, so
// the files that lie beside the folder (the suspension file) go with it.
// The folder itself is made at once only when asked for (Root::Created):
// an installation, for one, must be written into a folder it creates.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "store/Packing.h"
#include "store/ProgramFolder.h"
#include "store/SettingsFile.h"

namespace tarvolen::testing {

class TempDir {
 public:
  enum class Root { Absent, Created };

  explicit TempDir(Root root = Root::Absent) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      ADD_FAILURE() << "cannot create a temporary folder";
      return;
    }
    base_ = pattern;
    root_ = base_ / "A";
    if (root == Root::Created) {
      std::error_code ec;
      std::filesystem::create_directory(root_, ec);
    }
  }
  ~TempDir() {
    std::error_code ec;
    if (!base_.empty()) std::filesystem::remove_all(base_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& root() const { return root_; }
  const std::filesystem::path& base() const { return base_; }
  ProgramFolder folder() const { return ProgramFolder(root_); }
  std::filesystem::path path(const std::string& relative) const { return root_ / relative; }

  // The sub-folders an installation provides: 数据/登记, 数据/日志, data.
  void makeDataFolders() const {
    std::filesystem::create_directories(root_ / "数据/登记");
    std::filesystem::create_directories(root_ / "数据/日志");
    std::filesystem::create_directories(root_ / "data");
  }

 private:
  std::filesystem::path base_;
  std::filesystem::path root_;
};

// set.dat in the folder (created with the folder when missing), open for
// the test; empty (and the test failed) when it cannot be opened.
inline std::optional<SettingsFile> OpenSettings(const TempDir& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir.root(), ec);
  auto s = SettingsFile::Open(dir.path("set.dat"));
  if (!s.ok()) {
    ADD_FAILURE() << "cannot open set.dat: " << s.status().detail();
    return std::nullopt;
  }
  return std::move(s.value());
}

inline Bytes ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::filesystem::path& p, const Bytes& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteAll(const std::filesystem::path& p, const std::string& text) {
  WriteAll(p, Bytes(text.begin(), text.end()));
}

inline Bytes Slice(const Bytes& b, size_t offset, size_t size) {
  if (offset >= b.size()) return {};
  size_t end = std::min(b.size(), offset + size);
  return Bytes(b.begin() + static_cast<long>(offset), b.begin() + static_cast<long>(end));
}

}  // namespace tarvolen::testing
