// The crash journal: what Begin writes Read gives back, a journal cut short
// or damaged is dropped, and finishing one twice leaves the files as once.
#include <gtest/gtest.h>

#include <fstream>

#include "store/FileFaults.h"
#include "store/Journal.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using testing::TempDir;

class JournalTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(dir_.root() / "数据/登记"); }
  void TearDown() override { FileFaults::Clear(); }

  ProgramFolder folder() const { return dir_.folder(); }
  // Two writes inside a file, one past the end of another (made whole).
  WritePlan SamplePlan() const {
    return {
        {folder().settings(), 1029, {7, 0, 0, 0}, 0},
        {folder().file("数据/登记/2012.dat"), 64, {1, 2, 3}, 96},
    };
  }
  Bytes FileBytes(const std::filesystem::path& p) const {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  void WriteFile(const std::filesystem::path& p, const Bytes& b) const {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  }

  TempDir dir_{TempDir::Root::Created};
};

TEST_F(JournalTest, BeginThenReadGivesThePlanBackAndClearEmptiesIt) {
  Journal journal(folder());
  ASSERT_TRUE(journal.Begin(SamplePlan()).ok());
  auto read = journal.Read();
  ASSERT_TRUE(read.ok());
  ASSERT_TRUE(read->has_value());
  const WritePlan& plan = **read;
  ASSERT_EQ(plan.size(), 2u);
  for (size_t i = 0; i < plan.size(); ++i) {
    EXPECT_EQ(plan[i].file, SamplePlan()[i].file);
    EXPECT_EQ(plan[i].offset, SamplePlan()[i].offset);
    EXPECT_EQ(plan[i].bytes, SamplePlan()[i].bytes);
    EXPECT_EQ(plan[i].minSize, SamplePlan()[i].minSize);
  }
  ASSERT_TRUE(journal.Clear().ok());
  EXPECT_EQ(std::filesystem::file_size(journal.path()), 0u);
  EXPECT_FALSE(journal.Read()->has_value());
}

TEST_F(JournalTest, AFileOutsideTheFolderIsRefused) {
  Journal journal(folder());
  EXPECT_FALSE(journal.Begin({{folder().suspension(), 0, {1}, 0}}).ok());
}

// Every cut of the journal and every flipped byte: dropped, never half applied.
TEST_F(JournalTest, ACutShortOrDamagedJournalIsDroppedAndTouchesNothing) {
  Journal journal(folder());
  ASSERT_TRUE(journal.Begin(SamplePlan()).ok());
  const Bytes whole = FileBytes(journal.path());
  for (size_t cut = 1; cut < whole.size(); ++cut) {
    WriteFile(journal.path(), Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)));
    EXPECT_FALSE(journal.Read()->has_value()) << "cut at " << cut;
  }
  for (size_t i = 0; i < whole.size(); ++i) {
    Bytes damaged = whole;
    damaged[i] ^= 0x10;
    WriteFile(journal.path(), damaged);
    EXPECT_FALSE(journal.Read()->has_value()) << "byte " << i;
  }
  WriteFile(journal.path(), Bytes(whole.begin(), whole.end() - 3));
  auto recovered = journal.Recover();
  ASSERT_TRUE(recovered.ok());
  EXPECT_EQ(*recovered, Journal::Recovery::Dropped);
  EXPECT_EQ(std::filesystem::file_size(journal.path()), 0u);
  EXPECT_FALSE(std::filesystem::exists(folder().settings()));
}

TEST_F(JournalTest, FinishingTwiceLeavesTheFilesAsFinishingOnce) {
  WriteFile(folder().settings(), Bytes(2000, 0xAA));
  Journal journal(folder());
  ASSERT_TRUE(journal.Begin(SamplePlan()).ok());
  // A start killed after it made the writes but before it emptied the journal.
  auto plan = journal.Read();
  ASSERT_TRUE(plan.ok() && plan->has_value());
  ASSERT_TRUE(Journal::Apply(**plan).ok());
  const Bytes settingsOnce = FileBytes(folder().settings());
  const Bytes yearOnce = FileBytes(folder().file("数据/登记/2012.dat"));

  auto recovered = journal.Recover();
  ASSERT_TRUE(recovered.ok());
  EXPECT_EQ(*recovered, Journal::Recovery::Finished);
  EXPECT_EQ(FileBytes(folder().settings()), settingsOnce);
  EXPECT_EQ(FileBytes(folder().file("数据/登记/2012.dat")), yearOnce);

  // The writes themselves: bytes set in place, the short file made whole.
  EXPECT_EQ(settingsOnce.size(), 2000u);
  EXPECT_EQ(settingsOnce[1028], 0xAA);
  EXPECT_EQ(settingsOnce[1029], 7);
  EXPECT_EQ(settingsOnce[1030], 0);
  EXPECT_EQ(settingsOnce[1033], 0xAA);
  ASSERT_EQ(yearOnce.size(), 96u);
  EXPECT_EQ(yearOnce[64], 1);
  EXPECT_EQ(yearOnce[66], 3);
  EXPECT_EQ(yearOnce[95], 0);
  EXPECT_EQ(*journal.Recover(), Journal::Recovery::Nothing);
}

TEST_F(JournalTest, AFailedWriteWhileFinishingKeepsTheJournalForTheNextStart) {
  Journal journal(folder());
  ASSERT_TRUE(journal.Begin(SamplePlan()).ok());
  FileFaults::Inject(folder().file("数据/登记/2012.dat"), WriteFault{});
  EXPECT_FALSE(journal.Recover().ok());
  FileFaults::Clear();
  EXPECT_TRUE(journal.Read()->has_value());
  EXPECT_EQ(*journal.Recover(), Journal::Recovery::Finished);
}

}  // namespace
}  // namespace tarvolen
