// Clearing parts of the data while the desk runs, and re-initialisation:
// files and memory read back after each tick; a damaged ct/ or a wrong box
// changes nothing; a good one brings the delivered files back and ends the
// program without saving.
#include <gtest/gtest.h>

#include "maintenance/CleanInstallation.h"
#include "maintenance/DataClearing.h"
#include "maintenance/Reinitialisation.h"
#include "BackupFixture.h"

namespace tarvolen {
namespace {

namespace fs = std::filesystem;
using testing::BackupFixture;
using testing::ReadAll;
using testing::WriteAll;
using namespace settings;

class DataClearingTest : public BackupFixture {
 protected:
  void SetUp() override {
    BackupFixture::SetUp();
    // History in both year files, in this year and an earlier one.
    ASSERT_TRUE(desk_->engine().CheckIn(1, 1));
    inst_.clock().advanceMinutes(30);
    ASSERT_TRUE(desk_->engine().CheckOut(1));
    WriteAll(inst_.folder().checkinYear(2011), Bytes(64, 1));
    WriteAll(inst_.folder().logYear(2011), Bytes(128, 1));
    WriteAll(inst_.folder().logYear(2012), Bytes(256, 1));
    ASSERT_TRUE(desk_->data().settings().writeLong(kLogCount, 2).ok());
    desk_->log().setCount(2);
  }
  DataClearing& clearing() { return desk_->clearing(); }
  void Tick(int part) {
    for (int i = 0; i < DataClearing::kParts; ++i) clearing().SetTicked(i, i == part);
  }
  size_t Size(const fs::path& p) {
    std::error_code ec;
    auto s = fs::file_size(p, ec);
    return ec ? 0 : s;
  }
};

TEST_F(DataClearingTest, EachTickClearsItsPartOnDiskAndInMemoryAndNothingElse) {
  const auto original = Files(inst_.root());
  struct Case {
    int part;
    std::vector<std::string> emptied;  // files gone or 0 bytes
  } cases[] = {
      {DataClearing::Checkins, {"数据/登记/2011.dat", "数据/登记/2012.dat"}},
      {DataClearing::Students, {"students.dat"}},
      {DataClearing::Rooms, {"rooms.dat"}},
      {DataClearing::Log, {"数据/日志/2011.dat", "数据/日志/2012.dat"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(DataClearing::kCaptions[static_cast<size_t>(c.part)]);
    const auto before = Files(inst_.root());
    Tick(c.part);
    clearing().SetConfirmation("立即清除");
    inst_.boxes().boxes.clear();
    clearing().Clear();
    EXPECT_EQ(LastBox(), "操作完成！");
    const auto after = Files(inst_.root());
    for (const auto& [name, bytes] : before) {
      const bool emptied = std::find(c.emptied.begin(), c.emptied.end(), name) != c.emptied.end();
      if (emptied) {
        EXPECT_TRUE(!after.count(name) || after.at(name).empty()) << name;
      } else if (name != "set.dat") {
        ASSERT_TRUE(after.count(name)) << name;
        EXPECT_EQ(after.at(name), bytes) << name;
      }
    }
  }
  EXPECT_TRUE(desk_->students()[1].isFree());
  EXPECT_EQ(desk_->students().findByCard(1001), 0);
  EXPECT_TRUE(desk_->rooms()[1].isFree());
  EXPECT_EQ(desk_->sessions().totalPlaces(), 0);
  EXPECT_EQ(desk_->sessions().freePlaces(1), 0);
  EXPECT_EQ(inst_.settings().longAt(kCheckinCount), 0);
  EXPECT_EQ(inst_.settings().longAt(kLogCount), 0);
  EXPECT_EQ(desk_->checkins().count(), 0);
  EXPECT_EQ(desk_->log().count(), 0);
  for (int r = 0; r < desk_->studentList().rowCount(); ++r) {
    EXPECT_EQ(desk_->studentList().rowText(r).find("张伟"), std::string::npos);
  }
  EXPECT_EQ(desk_->roomEditor().row(0).find("琴房101"), std::string::npos);
  (void)original;
}

TEST_F(DataClearingTest, ClearingOnlyTheLogKeepsTheRestAndTheNextLineIsRecordOne) {
  Tick(DataClearing::Log);
  clearing().SetConfirmation("立即清除");
  clearing().Clear();
  ASSERT_EQ(LastBox(), "操作完成！");
  EXPECT_EQ(desk_->checkins().count(), 2);
  EXPECT_EQ(desk_->students().findByCard(1001), 1);
  ASSERT_TRUE(desk_->log().append(PackString("x", kLogRecordLength)).ok());
  EXPECT_EQ(Size(inst_.folder().logYear(2012)), kLogRecordLength);
  EXPECT_EQ(inst_.settings().longAt(kLogCount), 1);
  // The next check-in follows the kept history.
  ASSERT_TRUE(desk_->engine().CheckIn(2, 2));
  EXPECT_EQ(desk_->checkins().count(), 3);
}

TEST_F(DataClearingTest, NothingHappensWithoutTheExactWordsOrATickOrWhileSomebodyPractises) {
  const auto before = Files(inst_.root());
  struct Case {
    const char* what;
    const char* words;
    bool tick;
    bool checkedIn;
    const char* box;  // nullptr: no box at all
  } cases[] = {
      {"a trailing space", "立即清除 ", true, false, nullptr},
      {"other words", "清除", true, false, nullptr},
      {"no tick", "立即清除", false, false, nullptr},
      {"somebody checked in", "立即清除", true, true, "请将所有会员下线再执行此操作！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.checkedIn) {
      ASSERT_TRUE(desk_->engine().CheckIn(3, 3));
    }
    const auto files = Files(inst_.root());
    for (int i = 0; i < DataClearing::kParts; ++i) clearing().SetTicked(i, c.tick);
    clearing().SetConfirmation(c.words);
    inst_.boxes().boxes.clear();
    clearing().Clear();
    if (c.box == nullptr) {
      EXPECT_TRUE(inst_.boxes().boxes.empty());
    } else {
      EXPECT_EQ(LastBox(), c.box);
    }
    EXPECT_EQ(Files(inst_.root()), files);
    EXPECT_EQ(desk_->students().findByCard(1001), 1);
    EXPECT_FALSE(desk_->rooms()[1].isFree());
  }
  (void)before;
}

class ReinitialisationTest : public DataClearingTest {
 protected:
  Reinitialisation& reinit() { return desk_->reinitialisation(); }
  void Confirm() {
    ended_ = 0;
    desk_->endWithoutSaving.connect([this] { ++ended_; });
    reinit().SetConfirmation("立即清除");
    inst_.boxes().boxes.clear();
    reinit().Run();
  }
  int ended_ = 0;
};

TEST_F(ReinitialisationTest, TheBoxesShowTheDeliveredValues) {
  const char* delivered[] = {"5", "12", "10", "8", "15", "2", "15"};
  for (int i = 0; i < Reinitialisation::kBoxes; ++i) EXPECT_EQ(reinit().box(i), delivered[i]);
}

TEST_F(ReinitialisationTest, ADamagedCleanCopyOrAWrongBoxChangesNothing) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    const char* box;
  } cases[] = {
      {"no C.txt", [this] { fs::remove(inst_.root() / "C.txt"); }, "找不到文件 C.txt，未作任何改动。"},
      {"a file missing in ct/", [this] { fs::remove(inst_.root() / "ct/zy.dat"); },
       "缺少文件 ct/zy.dat，未作任何改动。"},
      {"set.dat missing in ct/", [this] { fs::remove(inst_.root() / "ct/set.dat"); },
       "缺少文件 ct/set.dat，未作任何改动。"},
      {"set.dat not listed", [this] { WriteAll(inst_.root() / "C.txt", std::string("hy.dat\r\nzy.dat\r\n")); },
       "C.txt 未列出 set.dat，未作任何改动。"},
      {"a name leading out of ct/", [this] { WriteAll(inst_.root() / "C.txt", std::string("../set.dat\r\n")); },
       "缺少文件 ct/../set.dat，未作任何改动。"},
      {"a cut ct/set.dat", [this] { WriteAll(inst_.root() / "ct/set.dat", std::string("short")); },
       "ct/set.dat 已损坏，未作任何改动。"},
      {"a divider that is no day",
       [this] {
         reinit().SetBox(4, "31");
         reinit().SetBox(3, "2");
       },
       "学期分隔日(署假)的值无效，未作任何改动。"},
      {"29 February",
       [this] {
         reinit().SetBox(5, "2");
         reinit().SetBox(6, "29");
       },
       "学期分隔日(寒假)的值无效，未作任何改动。"},
      {"a byte over 255", [this] { reinit().SetBox(1, "256"); }, "证号位数的值无效，未作任何改动。"},
      {"not a number", [this] { reinit().SetBox(0, "五"); }, "活动年份的值无效，未作任何改动。"},
  };
  const auto saved = Files(inst_.root());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& [name, bytes] : saved) WriteAll(inst_.root() / name, bytes);
    for (int i = 0; i < Reinitialisation::kBoxes; ++i)
      reinit().SetBox(i, Reinitialisation::kDelivered[static_cast<size_t>(i)]);
    c.arrange();
    const auto before = Files(inst_.root());
    Confirm();
    EXPECT_EQ(LastBox(), c.box);
    EXPECT_EQ(Files(inst_.root()), before);
    EXPECT_EQ(ended_, 0);
    EXPECT_FALSE(reinit().ended());
    EXPECT_TRUE(desk_->checkins().isOpen());
  }
}

TEST_F(ReinitialisationTest, WithoutTheExactWordsNothingHappens) {
  const auto before = Files(inst_.root());
  reinit().SetConfirmation("立即清除 ");
  reinit().Run();
  EXPECT_TRUE(inst_.boxes().boxes.empty());
  EXPECT_EQ(Files(inst_.root()), before);
}

TEST_F(ReinitialisationTest, TheDeliveredFilesComeBackAndTheProgramEndsWithoutSaving) {
  WriteAll(inst_.root() / "数据/学生/名单.dat", std::string("x"));
  ASSERT_TRUE(desk_->engine().CheckIn(2, 2));  // the running session goes too
  // Options changed in this run must not be saved over the clean set.dat.
  desk_->options().yearsOfStudy = 9;
  desk_->options().idDigits = 3;
  desk_->dirty().mark(OptionGroup::Parameters);
  reinit().SetBox(0, "4");
  reinit().SetBox(3, "9");
  reinit().SetBox(4, "1");
  Confirm();
  ASSERT_EQ(inst_.boxes().boxes.size(), 1u) << LastBox();
  EXPECT_EQ(inst_.boxes().boxes[0].title, "重要提示");
  EXPECT_EQ(LastBox(), "操作完成，你现在需要立即重启本程序，以完成初始化！");
  EXPECT_EQ(ended_, 1);

  const fs::path root = inst_.root();
  for (const char* folder : {"数据/学生", "数据/日志", "数据/登记"}) EXPECT_TRUE(fs::is_empty(root / folder)) << folder;
  EXPECT_FALSE(fs::exists(root / "students.dat"));
  EXPECT_FALSE(fs::exists(root / "journal.dat"));
  EXPECT_EQ(ReadAll(root / "shuju.dat"), Bytes(kSessionRecordLength, 0));
  for (const char* name : RestoredFiles()) {
    if (std::string(name) == "set.dat") continue;
    EXPECT_EQ(ReadAll(root / name), ReadAll(root / "ct" / name)) << name;
  }
  Bytes set = ReadAll(root / "set.dat");
  Bytes clean = ReadAll(root / "ct/set.dat");
  ASSERT_EQ(set.size(), clean.size());
  SettingsFile s = inst_.settings();
  EXPECT_EQ(s.byteAt(kYearsOfStudy), 4);
  EXPECT_EQ(s.byteAt(kIdDigits), 12);
  EXPECT_EQ(s.byteAt(kCardDigits), 10);
  EXPECT_EQ(s.integerAt(kAutumnDivider), 901);
  EXPECT_EQ(s.integerAt(kSpringDivider), 215);
  EXPECT_EQ(s.longAt(kSessionCount), 0);
  // Only the five values differ from the clean copy.
  for (size_t i = 0; i < set.size(); ++i) {
    const int64_t p = static_cast<int64_t>(i) + 1;
    if (p == kYearsOfStudy || p == kAutumnDivider || p == kAutumnDivider + 1) continue;
    EXPECT_EQ(set[i], clean[i]) << "position " << p;
  }
  EXPECT_EQ(ReadAll(root / "data/rrsm.dat").size(), 99 * kOperationNameRecordLength);

  // Save-and-exit writes nothing now, and the next start is a first run.
  desk_->SaveAndExit();
  EXPECT_EQ(ReadAll(root / "set.dat"), set);
  desk_.reset();
  auto next = inst_.makeDesk();
  EXPECT_EQ(next->StartUntilPrompt(), StartStop::Continue);
  EXPECT_TRUE(next->prompt().firstRun());
}

TEST_F(ReinitialisationTest, TheDeliveredValuesGiveTheDeliveredDividers) {
  Confirm();
  SettingsFile s = inst_.settings();
  EXPECT_EQ(s.integerAt(kAutumnDivider), 815);
  EXPECT_EQ(s.integerAt(kSpringDivider), 215);
}

}  // namespace
}  // namespace tarvolen
