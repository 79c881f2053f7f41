// What start-up makes of the single-instance check: only another running
// desk is "already running"; a folder the hold cannot be written into is
// told as such, with the folder and the system's reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "store/RecordFile.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using testing::ReadAll;

struct ClaimCase {
  const char* name;
  InstanceClaim claim;
  StartStop expected;
  // The one box's text, with "{folder}" for the program folder; none: no box.
  std::optional<std::string> boxText;
};

std::string WithFolder(std::string text, const std::filesystem::path& folder) {
  const std::string mark = "{folder}";
  if (auto at = text.find(mark); at != std::string::npos) text.replace(at, mark.size(), folder.string());
  return text;
}

class InstanceClaimAtStart : public ::testing::TestWithParam<ClaimCase> {};

TEST_P(InstanceClaimAtStart, DecidesTheBoxAndTheStop) {
  const ClaimCase& c = GetParam();
  Installation inst;
  const auto settingsBefore = ReadAll(inst.root() / "set.dat");

  auto desk = inst.makeDesk(c.claim);
  EXPECT_EQ(desk->StartUntilPrompt(), c.expected);
  EXPECT_EQ(desk->promptShown(), c.expected == StartStop::Continue);
  if (!c.boxText) {
    EXPECT_TRUE(inst.boxes().boxes.empty());
    return;
  }
  ASSERT_EQ(inst.boxes().boxes.size(), 1u);
  const auto& box = inst.boxes().boxes[0];
  EXPECT_EQ(box.title, "提示");
  EXPECT_EQ(box.icon, BoxIcon::Critical);
  EXPECT_EQ(box.text, WithFolder(*c.boxText, inst.root()));
  // A refused start changes nothing in the folder.
  EXPECT_EQ(ReadAll(inst.root() / "set.dat"), settingsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Table, InstanceClaimAtStart,
    ::testing::Values(
        ClaimCase{"Acquired", {InstanceHold::Acquired, {}}, StartStop::Continue, std::nullopt},
        ClaimCase{"HeldByOther", {InstanceHold::HeldByOther, {}}, StartStop::AlreadyRunning, "本程序已经在运行中！"},
        ClaimCase{"ReadOnlyFolder",
                  {InstanceHold::FolderNotWritable, "Operation not permitted"},
                  StartStop::FolderNotWritable,
                  "程序目录不可写入：{folder}（Operation not permitted）"},
        ClaimCase{"DiskFull",
                  {InstanceHold::FolderNotWritable, "No space left on device"},
                  StartStop::FolderNotWritable,
                  "程序目录不可写入：{folder}（No space left on device）"},
        ClaimCase{"NoReasonGiven",
                  {InstanceHold::FolderNotWritable, ""},
                  StartStop::FolderNotWritable,
                  "程序目录不可写入：{folder}"}),
    [](const ::testing::TestParamInfo<ClaimCase>& p) { return std::string(p.param.name); });

TEST(InstanceClaimAtStartOrder, AnUnwritableFolderIsToldBeforeDamagedData) {
  // With set.dat gone as well, the folder is what the operator must fix
  // first: its box comes alone, before any "数据损坏".
  Installation inst;
  std::filesystem::remove(inst.root() / "set.dat");
  auto desk = inst.makeDesk(InstanceClaim{InstanceHold::FolderNotWritable, "Read-only file system"});
  EXPECT_EQ(desk->StartUntilPrompt(), StartStop::FolderNotWritable);
  ASSERT_EQ(inst.boxes().boxes.size(), 1u);
  EXPECT_EQ(inst.boxes().boxes[0].text.rfind("程序目录不可写入：", 0), 0u) << inst.boxes().boxes[0].text;
  EXPECT_FALSE(std::filesystem::exists(inst.root() / "set.dat"));
}

}  // namespace
}  // namespace tarvolen
