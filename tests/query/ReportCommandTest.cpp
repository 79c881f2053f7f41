#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "maintenance/CleanInstallation.h"
#include "query/ReportCommand.h"
#include "query/ReportInputs.h"
#include "support/TempDir.h"

namespace tarvolen::testing {
namespace {

using namespace query;

TEST(ReportArguments, WhatIsAcceptedAndWhatIsRefused) {
  struct Case {
    std::vector<std::string> args;
    bool ok;
    std::string refusal;  // a part of the message
  };
  const std::vector<Case> cases = {
      {{"--home", "/d", "--out", "r.csv"}, true, ""},
      {{"--home", "/d", "--from", "2026-02-15", "--to", "2026-08-14", "--type", "钢琴", "--out", "r.PDF"}, true, ""},
      {{"--out", "r.csv"}, false, "--home"},
      {{"--home", "/d"}, false, "--out"},
      {{"--home", "/d", "--out", "r.txt"}, false, ".csv, .xlsx, .png or .pdf"},
      {{"--home", "/d", "--out", "r.csv", "--from", "2026-02-30", "--to", "2026-03-01"}, false, "yyyy-mm-dd"},
      {{"--home", "/d", "--out", "r.csv", "--from", "2026/02/01", "--to", "2026-03-01"}, false, "yyyy-mm-dd"},
      {{"--home", "/d", "--out", "r.csv", "--from", "2026-02-01"}, false, "go together"},
      {{"--home", "/d", "--out"}, false, "needs a value"},
      {{"--home", "/d", "--out", "r.csv", "--colour"}, false, "unknown argument"},
  };
  for (const Case& c : cases) {
    auto parsed = ParseReportArguments(c.args);
    EXPECT_EQ(parsed.ok(), c.ok) << c.args.size() << " arguments, last " << c.args.back();
    if (!c.ok && !parsed.ok()) {
      EXPECT_NE(parsed.status().detail().find(c.refusal), std::string::npos) << c.refusal;
    }
  }
  auto full = ParseReportArguments({"--home", "/d", "--from", "2026-02-15", "--to", "2026-08-14", "--out", "r.png"});
  ASSERT_TRUE(full.ok());
  EXPECT_EQ(full->from, (CivilDate{2026, 2, 15}));
  EXPECT_EQ(full->to, (CivilDate{2026, 8, 14}));
  EXPECT_EQ(FormatOf(full->out), ReportFormat::Png);
  EXPECT_TRUE(ParseReportArguments({"--help"})->help);
}

class ReportInputsTest : public ::testing::Test {
 protected:
  ReportInputsTest() {
    EXPECT_TRUE(WriteCleanInstallation(temp_.root(), {2026, 12, 1}).ok());
    EXPECT_TRUE(AddDemoData(temp_.root(), {2026, 12, 1}).ok());
  }
  TempDir temp_{TempDir::Root::Created};
};

TEST_F(ReportInputsTest, TheDemoInstallationsRoomsTypesAndSettings) {
  auto in = ReadReportInputs(ProgramFolder(temp_.root()));
  ASSERT_TRUE(in.ok()) << in.status().detail();
  for (const DemoRoom& r : DemoRooms()) EXPECT_EQ(in->rooms[r.slot].name, r.room.name);
  EXPECT_EQ(in->defaultTimeLimit, 120);
  EXPECT_EQ(in->dividers, (Dividers{815, 215}));
  EXPECT_TRUE(in->running.empty());
  EXPECT_FALSE(in->categories.majors[0].empty());
}

TEST_F(ReportInputsTest, AReadOnlyFolderIsReadAndNothingIsCreated) {
  std::filesystem::remove(temp_.root() / "shuju.dat");
  ::chmod(temp_.root().c_str(), 0500);
  auto in = ReadReportInputs(ProgramFolder(temp_.root()));
  ::chmod(temp_.root().c_str(), 0700);
  ASSERT_TRUE(in.ok()) << in.status().detail();
  EXPECT_FALSE(std::filesystem::exists(temp_.root() / "shuju.dat"));
}

TEST_F(ReportInputsTest, AFolderWithoutItsFilesIsRefusedByName) {
  std::filesystem::resize_file(temp_.root() / "set.dat", 100);
  auto shortSettings = ReadReportInputs(ProgramFolder(temp_.root()));
  ASSERT_FALSE(shortSettings.ok());
  EXPECT_NE(shortSettings.status().detail().find("set.dat"), std::string::npos);
  std::filesystem::remove(temp_.root() / "set.dat");
  auto none = ReadReportInputs(ProgramFolder(temp_.root()));
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(none.status().code(), ErrorCode::Missing);
  EXPECT_FALSE(std::filesystem::exists(temp_.root() / "set.dat"));
}

}  // namespace
}  // namespace tarvolen::testing
