// Backup and restore of the program folder's data: a round trip gives every
// file back byte for byte and the desk's memory agrees with the restored
// files at once; every refusal changes nothing; a copy that fails is told
// with the file's name and leaves no backup that looks complete.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "maintenance/DataBackup.h"
#include "store/Journal.h"
#include "store/RecordFile.h"
#include "support/Installation.h"
#include "BackupFixture.h"

namespace tarvolen {
namespace {

namespace fs = std::filesystem;
using testing::BackupFixture;
using testing::ReadAll;
using testing::WriteAll;
using namespace settings;

class DataBackupTest : public BackupFixture {
 protected:
  int64_t CheckinRecords(int year) {
    std::error_code ec;
    auto size = fs::file_size(inst_.folder().checkinYear(year), ec);
    return ec ? 0 : static_cast<int64_t>(size / kCheckinRecordLength);
  }
  CheckinRecord Checkin(int year, int n) {
    auto f = RecordFile::Open(inst_.folder().checkinYear(year), kCheckinRecordLength);
    return UnpackCheckin(f->read(n).value());
  }
  void Practise(int student, int room) {
    ASSERT_TRUE(desk_->engine().CheckIn(student, room));
    inst_.clock().advanceMinutes(40);
    ASSERT_TRUE(desk_->engine().CheckOut(student));
  }
};

TEST_F(DataBackupTest, TheTimeBoxStartsAsTodayAndTheFolderIsNamedByNameAndTime) {
  EXPECT_EQ(backup().time(), "2012年09月03日");
  const fs::path made = MakeBackup("week24");
  EXPECT_EQ(LastBox(), "备份成功");
  EXPECT_EQ(made, store_.base() / "week24[2012年09月03日]");
  EXPECT_TRUE(fs::is_directory(made / "数据/登记"));
  EXPECT_TRUE(fs::is_directory(made / "数据/日志"));
  EXPECT_TRUE(fs::is_directory(made / "数据/学生"));
}

TEST_F(DataBackupTest, ABackupIsPrivateWhateverTheUmaskAndTheModesOfItsSources) {
  // Sources opened to everybody and the most permissive umask: the copies
  // still belong to the desk's user alone.
  for (const char* name : {"students.dat", "rooms.dat", "hy.dat"}) {
    ASSERT_EQ(::chmod((inst_.root() / name).c_str(), 0666), 0) << name;
  }
  const mode_t saved = ::umask(0);
  const fs::path made = MakeBackup();
  ::umask(saved);
  ASSERT_EQ(LastBox(), "备份成功");
  EXPECT_EQ(Mode(made), 0700u);
  for (const auto& entry : fs::recursive_directory_iterator(made)) {
    EXPECT_EQ(Mode(entry.path()), entry.is_directory() ? 0700u : 0600u) << entry.path();
  }
}

TEST_F(DataBackupTest, RoundTripGivesEveryFileBackAndTheNextCheckInFollowsTheRestoredRecords) {
  Practise(1, 1);  // two check-in records, student 1 billed
  WriteAll(inst_.root() / "fj.dat", std::string("fj"));
  WriteAll(inst_.root() / "数据/学生/名单.dat", std::string("list"));
  WriteAll(inst_.root() / "数据/学生/notes.txt", std::string("not a data file"));
  const float balance = desk_->students()[1].balance;
  const auto before = Files(inst_.root());

  const fs::path made = MakeBackup();
  ASSERT_EQ(LastBox(), "备份成功");
  const auto saved = Files(made);
  for (const char* name : {"bj.dat", "fj.dat", "lj.dat", "zy.dat", "rooms.dat", "students.dat", "hy.dat",
                           "数据/登记/2012.dat", "数据/学生/名单.dat"}) {
    ASSERT_TRUE(saved.count(name)) << name;
    EXPECT_EQ(saved.at(name), before.at(name)) << name;
    EXPECT_EQ(Mode(made / name), 0600u) << name;
  }
  EXPECT_FALSE(saved.count("数据/学生/notes.txt"));  // only *.dat files
  EXPECT_FALSE(saved.count("set.dat"));
  EXPECT_EQ(Mode(made), 0700u);
  EXPECT_EQ(Mode(made / "数据/登记"), 0700u);

  // Later: two more sessions, a student renamed in memory and on disk.
  Practise(1, 2);
  Practise(2, 3);
  ASSERT_EQ(CheckinRecords(2012), 6);
  desk_->students()[3].name = "改名";
  ASSERT_TRUE(desk_->students().save(inst_.folder(), 3).ok());

  RestoreFrom(made);
  EXPECT_EQ(inst_.boxes().boxes[inst_.boxes().boxes.size() - 2].text, "现在的数据将被替换。确认吗？");
  ASSERT_EQ(LastBox(), "恢复成功");
  const auto after = Files(inst_.root());
  for (const auto& [name, bytes] : saved) {
    if (name == "ts.dat") continue;  // lies beside the folder
    EXPECT_EQ(after.at(name), bytes) << name;
  }
  // Memory is what the files say, at once.
  EXPECT_FLOAT_EQ(desk_->students()[1].balance, balance);
  EXPECT_EQ(desk_->students()[3].name, "李娜");
  EXPECT_EQ(desk_->checkins().count(), 2);
  EXPECT_EQ(inst_.settings().longAt(kCheckinCount), 2);

  // The next session appends at 3 and 4: no gap, nothing overwritten.
  Practise(4, 1);
  EXPECT_EQ(CheckinRecords(2012), 4);
  EXPECT_EQ(Checkin(2012, 2).student, 1);
  EXPECT_EQ(Checkin(2012, 3).student, 4);
  EXPECT_EQ(Checkin(2012, 4).student, 4);
  // A student saved after the restore writes the restored record, changed.
  desk_->students()[3].balance += 1.0f;
  ASSERT_TRUE(desk_->students().save(inst_.folder(), 3).ok());
  StudentTable reread;
  ASSERT_TRUE(reread.load(inst_.folder()).ok());
  EXPECT_EQ(reread[3].name, "李娜");
  EXPECT_FALSE(fs::exists(inst_.root() / "rooms.dat.part"));
}

TEST_F(DataBackupTest, RefusalsChangeNothing) {
  const fs::path program = inst_.root();
  fs::create_directories(program / "备份");
  const fs::path existing = MakeBackup("旧");
  inst_.boxes().boxes.clear();
  struct Case {
    const char* what;
    std::string name;
    std::string time;
    std::string folder;
    const char* message;  // pushed onto the message stack
    const char* box;      // shown in a box
  } cases[] = {
      {"no name", "", "2012年09月03日", store_.base().string(), "必要的名称或时间", nullptr},
      {"no time", "周", "", store_.base().string(), "必要的名称或时间", nullptr},
      {"a name with a slash", "../x", "t", store_.base().string(), "必要的名称或时间", nullptr},
      {"a name with dots", "a..b", "t", store_.base().string(), "必要的名称或时间", nullptr},
      {"a time with a slash", "周", "2012/09/03", store_.base().string(), "必要的名称或时间", nullptr},
      {"a folder that is not there", "周", "t", (store_.base() / "nowhere").string(), "设备不可用！", nullptr},
      {"a relative folder", "周", "t", "tmp", "设备不可用！", nullptr},
      {"the program folder", "周", "t", program.string(), nullptr, "不可用原目录。"},
      {"inside the program folder", "周", "t", (program / "备份").string(), nullptr, "不可用原目录。"},
      {"over a backup", "旧", "2012年09月03日", store_.base().string(), nullptr, "文件已经存在！不可选择此路径!"},
  };
  const auto storeBefore = StoreEntries();
  const auto programBefore = Files(program);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    inst_.boxes().boxes.clear();
    const size_t pushed = desk_->notifier().history().size();
    backup().SetName(c.name);
    backup().SetTime(c.time);
    backup().SetFolder(DataBackup::kBackupHalf, c.folder);
    backup().Backup();
    EXPECT_FALSE(backup().busy());
    if (c.message != nullptr) {
      EXPECT_EQ(LastMessage(), c.message);
      EXPECT_TRUE(inst_.boxes().boxes.empty());
    } else {
      EXPECT_EQ(desk_->notifier().history().size(), pushed);
      EXPECT_EQ(LastBox(), c.box);
    }
    EXPECT_EQ(StoreEntries(), storeBefore);
    EXPECT_EQ(Files(program), programBefore);
  }
  EXPECT_TRUE(fs::exists(existing / "rooms.dat"));
}

TEST_F(DataBackupTest, TheFolderChooserFillsItsHalfAndACancelChangesNothing) {
  FakeFolderChooser chooser;
  DataBackup page(DataBackup::Services{desk_->data(), desk_->feedback(), inst_.boxes(), &chooser, inst_.clock()},
                  DataBackup::Hooks{}, inst_.timers().make());
  page.SetFolder(DataBackup::kRestoreHalf, "/old");
  chooser.answer = store_.base().string();
  page.ChooseFolder(DataBackup::kBackupHalf);
  EXPECT_EQ(page.folder(DataBackup::kBackupHalf), store_.base().string());
  EXPECT_EQ(chooser.asked.back(), "备份路径：");
  chooser.answer.reset();
  page.ChooseFolder(DataBackup::kRestoreHalf);
  EXPECT_EQ(chooser.asked.back(), "数据恢复：");
  EXPECT_EQ(chooser.starts.back(), "/old");
  EXPECT_EQ(page.folder(DataBackup::kRestoreHalf), "/old");
}

TEST_F(DataBackupTest, AnEmptyFolderOfTheSameNameIsTaken) {
  fs::create_directories(store_.base() / "周[2012年09月03日]/数据/登记");
  const fs::path made = MakeBackup();
  EXPECT_EQ(LastBox(), "备份成功");
  EXPECT_TRUE(fs::exists(made / "rooms.dat"));
}

TEST_F(DataBackupTest, RestoreRefusalsChangeNothing) {
  const fs::path made = MakeBackup();
  const fs::path noRooms = store_.base() / "无房间";
  fs::create_directories(noRooms);
  for (const auto& [name, bytes] : Files(made)) {
    if (name == "rooms.dat") continue;
    fs::create_directories((noRooms / name).parent_path());
    WriteAll(noRooms / name, bytes);
  }
  Practise(1, 1);
  struct Case {
    const char* what;
    std::string folder;
    bool answer;
    bool checkedIn;
    const char* box;
  } cases[] = {
      {"answered no", made.string(), false, false, "现在的数据将被替换。确认吗？"},
      {"the program folder", inst_.root().string(), true, false, "不可用原目录。"},
      {"a folder without rooms.dat", noRooms.string(), true, false, "文件缺失或者您选择的不是备份文件夹!"},
      {"a folder that is not there", (store_.base() / "nowhere").string(), true, false,
       "文件缺失或者您选择的不是备份文件夹!"},
      {"somebody checked in", made.string(), true, true, "请将所有会员下线再执行此操作！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.checkedIn) {
      ASSERT_TRUE(desk_->engine().CheckIn(2, 2));
    }
    const auto files = Files(inst_.root());
    inst_.boxes().boxes.clear();
    inst_.boxes().answer = c.answer;
    backup().SetFolder(DataBackup::kRestoreHalf, c.folder);
    backup().Restore();
    EXPECT_FALSE(backup().busy());
    EXPECT_EQ(LastBox(), c.box);
    EXPECT_EQ(Files(inst_.root()), files);
  }
}

TEST_F(DataBackupTest, AFailedCopyIsToldByNameAndLeavesNoBackup) {
  Practise(1, 1);
  // The third block written anywhere fails: bj.dat and fj.dat... go, lj.dat fails.
  FileFaults::Inject({}, WriteFault{2, 1});
  backup().SetName("周");
  backup().Backup();
  ASSERT_TRUE(RunCopy());
  EXPECT_EQ(LastBox().rfind("备份失败：", 0), 0u) << LastBox();
  EXPECT_NE(LastBox().find("zy.dat"), std::string::npos) << LastBox();
  for (const auto& b : inst_.boxes().boxes) EXPECT_NE(b.text, "备份成功");
  EXPECT_TRUE(StoreEntries().empty());  // neither the backup nor its temporary folder
}

TEST_F(DataBackupTest, AFailedRestoreCopyChangesNothing) {
  const fs::path made = MakeBackup();
  Practise(1, 1);
  const auto before = Files(inst_.root());
  const float balance = desk_->students()[1].balance;
  FileFaults::Inject({}, WriteFault{3, 1});
  RestoreFrom(made);
  EXPECT_EQ(LastBox().rfind("恢复失败：", 0), 0u) << LastBox();
  for (const auto& b : inst_.boxes().boxes) EXPECT_NE(b.text, "恢复成功");
  FileFaults::Clear();
  EXPECT_EQ(Files(inst_.root()), before);  // no part copies left either
  EXPECT_FLOAT_EQ(desk_->students()[1].balance, balance);
}

TEST_F(DataBackupTest, AFullDiskIsToldAndLeavesNoBackup) {
  const fs::path small = store_.base() / "small";
  fs::create_directories(small);
  const std::string mount = "mount -t tmpfs -o size=1m tmpfs '" + small.string() + "' 2>/dev/null";
  if (std::system(mount.c_str()) != 0) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  // Two megabytes of check-ins do not fit.
  {
    auto f = RecordFile::Open(inst_.folder().checkinYear(2011), kCheckinRecordLength);
    ASSERT_TRUE(f.ok());
    ASSERT_TRUE(f->write(65536, Bytes(kCheckinRecordLength, 1)).ok());
  }
  backup().SetFolder(DataBackup::kBackupHalf, small.string());
  backup().SetName("周");
  backup().Backup();
  const bool ended = RunCopy();
  const std::string box = LastBox();
  const bool empty = fs::is_empty(small);
  (void)std::system(("umount '" + small.string() + "'").c_str());
  ASSERT_TRUE(ended);
  EXPECT_EQ(box.rfind("备份失败：数据/登记/2011.dat", 0), 0u) << box;
  EXPECT_TRUE(empty);
}

TEST_F(DataBackupTest, OlderBackupsWithoutBalancesOrFjStayRestorable) {
  const fs::path made = MakeBackup();
  for (const char* name : {"students.dat", "hy.dat", "fj.dat", "ts.dat", "journal.dat"}) fs::remove(made / name);
  desk_->students()[3].name = "改名";
  ASSERT_TRUE(desk_->students().save(inst_.folder(), 3).ok());
  RestoreFrom(made);
  EXPECT_EQ(LastBox(), "恢复成功");
  EXPECT_EQ(desk_->students()[3].name, "改名");  // not in that backup: kept
}

TEST_F(DataBackupTest, ABackupOfAnEarlierYearRestoresItsYearAndKeepsTheCurrentCount) {
  Practise(1, 1);
  const fs::path made = MakeBackup();
  // A new year: the desk starts again in 2013 and practises once.
  Start({2013, 1, 7});
  Practise(2, 2);
  fs::remove(inst_.folder().checkinYear(2012));
  RestoreFrom(made);
  ASSERT_EQ(LastBox(), "恢复成功");
  EXPECT_EQ(CheckinRecords(2012), 2);
  EXPECT_EQ(desk_->checkins().count(), 2);  // 2013's two records
  EXPECT_EQ(inst_.settings().longAt(kCheckinCount), 2);
  Practise(3, 3);
  EXPECT_EQ(CheckinRecords(2013), 4);
  EXPECT_EQ(Checkin(2013, 3).student, 3);
}

TEST_F(DataBackupTest, TheSuspensionFileTravelsWithItsRecordsInUse) {
  // The demo holds one suspension; a stale record lies past the count.
  const fs::path ts = inst_.folder().suspension();
  ASSERT_EQ(inst_.settings().longAt(kSuspensionCount), 1);
  Bytes bytes = ReadAll(ts);
  const Bytes inUse = bytes;
  bytes.resize(bytes.size() + kSuspensionRecordLength, 7);
  WriteAll(ts, bytes);
  const fs::path made = MakeBackup();
  EXPECT_EQ(ReadAll(made / "ts.dat"), testing::Slice(inUse, 0, kSuspensionRecordLength));
  ASSERT_TRUE(desk_->data().settings().writeLong(kSuspensionCount, 0).ok());
  RestoreFrom(made);
  ASSERT_EQ(LastBox(), "恢复成功");
  EXPECT_EQ(inst_.settings().longAt(kSuspensionCount), 1);
  EXPECT_EQ(ReadAll(ts), testing::Slice(inUse, 0, kSuspensionRecordLength));
}

TEST_F(DataBackupTest, AJournalIsBackedUpAndFinishedOnTheRestoredFilesNeverTheCurrentOne) {
  const fs::path made = MakeBackup();
  // A journal that came with the backup sets a byte of the restored rooms.dat.
  {
    Journal journal{ProgramFolder(made)};
    ASSERT_TRUE(journal.Begin(WritePlan{PlannedWrite{made / "rooms.dat", 40, Bytes{0x55}, 0}}).ok());
  }
  RestoreFrom(made);
  ASSERT_EQ(LastBox(), "恢复成功");
  EXPECT_EQ(ReadAll(inst_.folder().rooms()).at(40), 0x55);
  EXPECT_EQ(fs::file_size(inst_.folder().journal()), 0u);

  // Without one, the program's journal is emptied: nothing is replayed later.
  fs::remove(made / "journal.dat");
  {
    Journal journal(inst_.folder());
    ASSERT_TRUE(journal.Begin(WritePlan{PlannedWrite{inst_.folder().rooms(), 40, Bytes{0x66}, 0}}).ok());
  }
  RestoreFrom(made);
  ASSERT_EQ(LastBox(), "恢复成功");
  EXPECT_EQ(fs::file_size(inst_.folder().journal()), 0u);
  EXPECT_NE(ReadAll(inst_.folder().rooms()).at(40), 0x66);
}

TEST_F(DataBackupTest, TheProgressIsShownWhileTheCopyRuns) {
  {
    auto f = RecordFile::Open(inst_.folder().checkinYear(2011), kCheckinRecordLength);
    ASSERT_TRUE(f.ok());
    // 20 MB: two slices.
    ASSERT_TRUE(f->write(20 * 32768, Bytes(kCheckinRecordLength, 1)).ok());
  }
  backup().SetName("周");
  backup().Backup();
  ASSERT_TRUE(backup().busy());
  EXPECT_TRUE(desk_->adminArea().isLocked());
  inst_.timers().advance(1);
  ASSERT_TRUE(backup().busy());
  EXPECT_GT(backup().progress().percent(), 0);
  EXPECT_LT(backup().progress().percent(), 100);
  EXPECT_EQ(backup().progressText().rfind("正在备份：数据/登记/2011.dat ", 0), 0u) << backup().progressText();
  ASSERT_TRUE(RunCopy());
  EXPECT_EQ(LastBox(), "备份成功");
  EXPECT_FALSE(desk_->adminArea().isLocked());
  EXPECT_EQ(backup().progressText(), "");
}

}  // namespace
}  // namespace tarvolen
