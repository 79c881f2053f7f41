#include "store/PrivateFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "maintenance/CleanInstallation.h"
#include "store/InstallationData.h"
#include "store/Journal.h"
#include "store/RecordFile.h"
#include "support/Installation.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

namespace fs = std::filesystem;

// The most permissive umask for the length of a test: whatever the desk
// creates must still be private.
class PermissiveUmask {
 public:
  PermissiveUmask() : saved_(::umask(0)) {}
  ~PermissiveUmask() { ::umask(saved_); }
  PermissiveUmask(const PermissiveUmask&) = delete;
  PermissiveUmask& operator=(const PermissiveUmask&) = delete;

 private:
  mode_t saved_;
};

// Every file and folder under `root` (root included) whose mode is not the
// private one, as "path mode" lines.
std::vector<std::string> NotPrivate(const fs::path& root) {
  std::vector<std::string> out;
  auto look = [&out](const fs::path& p) {
    const int bits = PermissionBits(p);
    const int want = fs::is_directory(p) ? kPrivateFolderMode : kPrivateFileMode;
    if (bits != want) out.push_back(p.string() + " " + std::to_string(bits));
  };
  look(root);
  for (const auto& entry : fs::recursive_directory_iterator(root)) look(entry.path());
  return out;
}

TEST(PrivateFiles, ACleanInstallationWithDemoDataIsTheOwnersAlone) {
  PermissiveUmask umask;
  testing::TempDir temp;
  const CivilDate today{2026, 12, 9};
  ASSERT_TRUE(WriteCleanInstallation(temp.root(), today).ok());
  ASSERT_TRUE(AddDemoData(temp.root(), today).ok());
  EXPECT_EQ(NotPrivate(temp.root()), std::vector<std::string>{});
  // The suspension file lies beside the folder, and is as private.
  ASSERT_TRUE(fs::exists(temp.folder().suspension()));
  EXPECT_EQ(PermissionBits(temp.folder().suspension()), static_cast<int>(kPrivateFileMode));
}

TEST(PrivateFiles, FilesTheDeskCreatesLaterArePrivate) {
  PermissiveUmask umask;
  testing::Installation inst;
  const ProgramFolder folder = inst.folder();

  // The year files of a year the installation has not seen yet.
  InstallationData data(folder);
  ASSERT_TRUE(data.OpenSettings().ok());
  ASSERT_TRUE(data.OpenYearFiles(2031, 0, 0).status.ok());
  EXPECT_EQ(PermissionBits(folder.checkinYear(2031)), static_cast<int>(kPrivateFileMode));
  EXPECT_EQ(PermissionBits(folder.logYear(2031)), static_cast<int>(kPrivateFileMode));

  // The crash journal.
  Journal journal(folder);
  ASSERT_TRUE(journal.Begin(WritePlan{PlannedWrite{folder.students(), 0, Bytes{1}, 0}}).ok());
  EXPECT_EQ(PermissionBits(folder.journal()), static_cast<int>(kPrivateFileMode));

  // Any record file.
  auto file = RecordFile::Open(folder.file("new.dat"), 32);
  ASSERT_TRUE(file.ok());
  EXPECT_EQ(PermissionBits(folder.file("new.dat")), static_cast<int>(kPrivateFileMode));
}

TEST(PrivateFiles, FoldersAreCreatedPrivateAndExistingOnesKeepTheirMode) {
  PermissiveUmask umask;
  testing::TempDir temp(testing::TempDir::Root::Created);
  ASSERT_EQ(::chmod(temp.root().c_str(), 0755), 0);
  const fs::path deep = temp.root() / "a" / "b" / "c";
  ASSERT_TRUE(CreatePrivateFolders(deep).ok());
  EXPECT_EQ(PermissionBits(temp.root()), 0755);
  for (const fs::path& p : {temp.root() / "a", temp.root() / "a" / "b", deep}) {
    EXPECT_EQ(PermissionBits(p), static_cast<int>(kPrivateFolderMode)) << p;
  }
  // Again: nothing to do, no error.
  EXPECT_TRUE(CreatePrivateFolders(deep).ok());
  // A file in the way is told, not replaced.
  auto file = RecordFile::Open(temp.root() / "f", 1);
  ASSERT_TRUE(file.ok());
  const Status s = CreatePrivateFolders(temp.root() / "f" / "g");
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.detail().find("not a folder"), std::string::npos);
}

struct PrivacyCase {
  const char* name;
  int folderMode;
  int settingsMode;               // -1: no set.dat
  std::vector<std::string> said;  // parts of the warning; empty: no warning
};

class PrivacyWarningTest : public ::testing::TestWithParam<PrivacyCase> {};

TEST_P(PrivacyWarningTest, SaysWhatOthersCanReach) {
  const PrivacyCase& c = GetParam();
  testing::TempDir temp(testing::TempDir::Root::Created);
  const fs::path settings = temp.root() / "set.dat";
  if (c.settingsMode >= 0) {
    auto file = RecordFile::Open(settings, 24);
    ASSERT_TRUE(file.ok());
    ASSERT_EQ(::chmod(settings.c_str(), static_cast<mode_t>(c.settingsMode)), 0);
  }
  ASSERT_EQ(::chmod(temp.root().c_str(), static_cast<mode_t>(c.folderMode)), 0);
  const std::string text = PrivacyWarning(temp.root(), settings);
  if (c.said.empty()) {
    EXPECT_EQ(text, "");
    return;
  }
  EXPECT_EQ(text.rfind("程序目录可被其他用户读取：", 0), 0u) << text;
  for (const std::string& part : c.said) EXPECT_NE(text.find(part), std::string::npos) << text << " / " << part;
}

INSTANTIATE_TEST_SUITE_P(Modes, PrivacyWarningTest,
                         ::testing::Values(PrivacyCase{"Private", 0700, 0600, {}},
                                           PrivacyCase{"PrivateWithoutSettings", 0700, -1, {}},
                                           PrivacyCase{"FolderReadable", 0755, 0600, {"（权限0755）"}},
                                           PrivacyCase{"GroupWritableFolder", 0770, 0600, {"（权限0770）"}},
                                           PrivacyCase{"SettingsReadable", 0700, 0644, {"set.dat（权限0644", "密码"}},
                                           PrivacyCase{"Both", 0755, 0644, {"（权限0755）", "set.dat（权限0644"}}),
                         [](const ::testing::TestParamInfo<PrivacyCase>& p) { return std::string(p.param.name); });

TEST(PrivateFiles, AStartOnAFolderOthersCanReadSaysSoOnceAndGoesOn) {
  testing::Installation inst(/*demo=*/true);
  ASSERT_EQ(::chmod(inst.root().c_str(), 0755), 0);
  auto desk = inst.startDesk();
  int said = 0;
  for (const std::string& line : desk->notifier().history()) {
    if (line.rfind("程序目录可被其他用户读取", 0) == 0) ++said;
  }
  EXPECT_EQ(said, 1);
  EXPECT_TRUE(desk->studentsLoaded());
  // Nothing is changed without the operator.
  EXPECT_EQ(PermissionBits(inst.root()), 0755);
}

TEST(PrivateFiles, APrivateFolderStartsWithoutTheWarning) {
  testing::Installation inst(/*demo=*/true);
  auto desk = inst.startDesk();
  for (const std::string& line : desk->notifier().history()) {
    EXPECT_EQ(line.find("其他用户"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace tarvolen
