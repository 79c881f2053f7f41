#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

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

TEST_F(ReportInputsTest, TheReportIsWrittenByItsExtension) {
  struct NoWorkbooks : WorkbookWriter {
    Result<CellRow> ReadTitleRow(const std::filesystem::path&) override { return Status(ErrorCode::Missing, "-"); }
    Status WriteSheet(const std::filesystem::path& path, const std::vector<CellRow>& rows) override {
      written = path;
      lines = rows.size();
      return Status::Ok();
    }
    std::filesystem::path written;
    size_t lines = 0;
  } workbooks;
  struct OnlyPng : PictureFiles {
    Status SavePng(const std::filesystem::path& path, const UtilisationPicture& picture) override {
      painted = path;
      EXPECT_GT(picture.width, 0);
      return Status::Ok();
    }
    Status SavePdf(const std::filesystem::path&, const UtilisationPicture&) override {
      return Status(ErrorCode::WriteFailed, "no pdf here");
    }
    std::filesystem::path painted;
  } pictures;
  const DateTime now{{2026, 12, 1}, 10, 0, 0};
  auto run = [&](std::vector<std::string> extra, const std::string& out) {
    std::vector<std::string> args = {"--home", temp_.root().string(), "--out", (temp_.root() / out).string()};
    args.insert(args.end(), extra.begin(), extra.end());
    auto parsed = ParseReportArguments(args);
    EXPECT_TRUE(parsed.ok());
    return RunReport(*parsed, now, workbooks, pictures);
  };
  ASSERT_TRUE(run({}, "r.csv").ok());
  std::ifstream csv(temp_.root() / "r.csv");
  std::string title;
  std::getline(csv, title);
  EXPECT_NE(title.find("房间使用率"), std::string::npos) << title;
  ASSERT_TRUE(run({"--from", "2026-03-01", "--to", "2026-03-31"}, "r.xlsx").ok());
  EXPECT_EQ(workbooks.written, temp_.root() / "r.xlsx");
  EXPECT_GT(workbooks.lines, 2u);
  ASSERT_TRUE(run({}, "r.png").ok());
  EXPECT_EQ(pictures.painted, temp_.root() / "r.png");
  const Status noPdf = run({}, "r.pdf");
  EXPECT_FALSE(noPdf.ok());
  const Status badType = run({"--type", "没有这种"}, "r.csv");
  ASSERT_FALSE(badType.ok());
  EXPECT_NE(badType.detail().find("没有这种"), std::string::npos);
  const Status unwritable = run({}, "no/such/folder/r.csv");
  EXPECT_FALSE(unwritable.ok());
}

}  // namespace
}  // namespace tarvolen::testing
