#pragma once
// The store's tests work in a program folder that exists from the start.
#include <filesystem>

#include "support/TempDir.h"

namespace tarvolen::storetest {

using testing::ReadAll;
using testing::Slice;
using testing::WriteAll;

class TempFolder : public testing::TempDir {
 public:
  TempFolder() {
    std::error_code ec;
    std::filesystem::create_directory(root(), ec);
  }
};

}  // namespace tarvolen::storetest
