#pragma once
// A demo installation with its desk running and the administrator confirmed,
// a folder beside it for backups, and the copy of the page 数据备份 driven
// through its fake timer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>

#include "desk/SessionEngine.h"
#include "platform/fake/FakeFolderChooser.h"
#include "store/FileFaults.h"
#include "support/Installation.h"
#include "support/TempDir.h"

namespace tarvolen::testing {

class BackupFixture : public ::testing::Test {
 protected:
  void SetUp() override { Start({2012, 9, 3}); }
  void TearDown() override { FileFaults::Clear(); }

  void Start(CivilDate today) {
    desk_.reset();
    inst_.clock().set({today, 9, 0, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    if (desk_->prompt().firstRun()) {
      desk_->prompt().setPassword("pw");
      desk_->prompt().setSecond("pw");
      ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    } else {
      desk_->prompt().select(6);
      desk_->prompt().setPassword("pw");
      ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::Confirmed);
    }
    backup().SetFolder(DataBackup::kBackupHalf, store_.base().string());
  }

  DataBackup& backup() { return desk_->backup(); }
  // Ticks the copy's timer until it ends; false when it never does.
  bool RunCopy() {
    for (int i = 0; i < 100000 && backup().busy(); ++i) inst_.timers().advance(1);
    return !backup().busy();
  }
  // A whole backup named "周" at the time box's date; its folder.
  std::filesystem::path MakeBackup(const std::string& name = "周") {
    backup().SetName(name);
    backup().Backup();
    EXPECT_TRUE(RunCopy());
    return backup().lastBackup();
  }
  void RestoreFrom(const std::filesystem::path& folder) {
    backup().SetFolder(DataBackup::kRestoreHalf, folder.string());
    backup().Restore();
    EXPECT_TRUE(RunCopy());
  }
  std::string LastBox() { return inst_.boxes().boxes.empty() ? "" : inst_.boxes().boxes.back().text; }
  std::string LastMessage() const {
    const auto& h = desk_->notifier().history();
    return h.empty() ? "" : h.back();
  }

  // Every regular file under `root` by its relative name, with its bytes.
  static std::map<std::string, Bytes> Files(const std::filesystem::path& root) {
    std::map<std::string, Bytes> out;
    if (!std::filesystem::exists(root)) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
      if (e.is_regular_file()) out[std::filesystem::relative(e.path(), root).string()] = ReadAll(e.path());
    }
    return out;
  }
  static unsigned Mode(const std::filesystem::path& p) {
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) return 0;
    return st.st_mode & 0777;
  }
  // Entries in the backup store (complete backups and anything half made).
  std::vector<std::string> StoreEntries() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(store_.base())) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  Installation inst_{true, {2012, 9, 3}};
  TempDir store_;
  std::unique_ptr<Desk> desk_;
};

}  // namespace tarvolen::testing
