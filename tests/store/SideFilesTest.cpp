// Where the files lie, the suspension file, the company texts, the operation
// names and appname.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <tuple>

#include "store/FileFaults.h"
#include "store/Gbk.h"
#include "store/SideFiles.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using testing::ReadAll;
using testing::Slice;
using testing::TempDir;
using testing::WriteAll;
namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Paths

TEST(ProgramFolderPaths, SuspensionFileLiesBesideTheFolder) {
  for (const char* root : {"/x/A", "/x/A/", "/x/A//"}) {
    EXPECT_EQ(ProgramFolder(root).suspension(), fs::path("/x/Ats.dat")) << root;
    EXPECT_EQ(ProgramFolder(root).students(), fs::path("/x/A/students.dat")) << root;
  }
  EXPECT_EQ(ProgramFolder("/srv/琴房").suspension(), fs::path("/srv/琴房ts.dat"));
}

TEST(ProgramFolderPaths, DataFilesLieUnderTheFolder) {
  ProgramFolder f("/x/A");
  struct Case {
    fs::path got;
    const char* expected;
  };
  for (const Case& c :
       {Case{f.settings(), "/x/A/set.dat"}, Case{f.rooms(), "/x/A/rooms.dat"}, Case{f.sessions(), "/x/A/shuju.dat"},
        Case{f.levels(), "/x/A/hy.dat"}, Case{f.grades(), "/x/A/lj.dat"}, Case{f.classes(), "/x/A/bj.dat"},
        Case{f.majors(), "/x/A/zy.dat"}, Case{f.company(), "/x/A/vin.dat"},
        Case{f.operationNames(), "/x/A/data/rrsm.dat"}, Case{f.appName(), "/x/A/appname.txt"},
        Case{f.checkinYear(2011), "/x/A/数据/登记/2011.dat"}, Case{f.logYear(2011), "/x/A/数据/日志/2011.dat"},
        Case{f.sound("3.wav"), "/x/A/sound/3.wav"}}) {
    EXPECT_EQ(c.got, fs::path(c.expected));
  }
}

TEST(ProgramFolderPaths, YearFileNamesHaveFourDigits) {
  EXPECT_EQ(YearFileName(2011), "2011.dat");
  EXPECT_EQ(YearFileName(999), "0999.dat");
  EXPECT_EQ(YearFileName(7), "0007.dat");
}

// ---------------------------------------------------------------------------
// Suspension file

class SuspensionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteAll(tmp.path("set.dat"), Bytes(settings::kByteViewSize, 0));
    auto s = SettingsFile::Open(tmp.path("set.dat"));
    ASSERT_TRUE(s.ok());
    settingsFile.emplace(std::move(s.value()));
    file.emplace(tmp.folder(), *settingsFile);
  }
  void TearDown() override { FileFaults::Clear(); }

  fs::path tsPath() const { return tmp.base() / "Ats.dat"; }
  int32_t storedCount() const { return settingsFile->longAt(settings::kSuspensionCount); }

  TempDir tmp{TempDir::Root::Created};
  std::optional<SettingsFile> settingsFile;
  std::optional<SuspensionFile> file;
};

TEST_F(SuspensionTest, AddCreatesTheFileBesideTheFolderAndCountsInSettings) {
  ASSERT_FALSE(fs::exists(tsPath()));
  ASSERT_TRUE(file->add(12, 40422.0, 40544.5, 1).ok());
  ASSERT_TRUE(fs::exists(tsPath()));
  EXPECT_FALSE(fs::exists(tmp.path("ts.dat")));
  EXPECT_EQ(storedCount(), 1);
  EXPECT_EQ(file->count(), 1);
  const Bytes expected = {0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0xBC, 0xE3, 0x40, 0x00, 0x00,
                          0x00, 0x00, 0x10, 0xCC, 0xE3, 0x40, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(ReadAll(tsPath()), expected);

  ASSERT_TRUE(file->add(13, 40000.0, 40600.0, 1).ok());
  EXPECT_EQ(storedCount(), 2);
  EXPECT_EQ(fs::file_size(tsPath()), 48u);
  // The count is at position 1054 (offset 1053), little-endian.
  EXPECT_EQ(Slice(ReadAll(tmp.path("set.dat")), 1053, 4), (Bytes{2, 0, 0, 0}));
}

TEST_F(SuspensionTest, FindMatchesSlotKeyDateAndKindExactly) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  ASSERT_TRUE(file->add(5, 101.0, 300.0, 1).ok());
  ASSERT_TRUE(file->add(6, 100.0, 400.0, 2).ok());
  ASSERT_TRUE(file->add(5, 100.0, 500.0, 1).ok());  // a second record for the same student
  EXPECT_EQ(file->find(5, 100.0, 1), 200.0);        // the first match wins
  EXPECT_EQ(file->find(5, 101.0, 1), 300.0);
  EXPECT_EQ(file->find(6, 100.0, 2), 400.0);
  EXPECT_EQ(file->find(6, 100.0, 1), 0.0);
  EXPECT_EQ(file->find(6, 100.0, 0), 0.0);  // find has no wildcard kind
  EXPECT_EQ(file->find(5, 102.0, 1), 0.0);
  EXPECT_EQ(file->find(7, 100.0, 1), 0.0);
}

TEST_F(SuspensionTest, FindLooksOnlyAtRecordsInUse) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  ASSERT_TRUE(file->add(6, 100.0, 300.0, 1).ok());
  ASSERT_TRUE(settingsFile->writeLong(settings::kSuspensionCount, 1).ok());
  EXPECT_EQ(file->find(6, 100.0, 1), 0.0);
  EXPECT_EQ(file->find(5, 100.0, 1), 200.0);
}

TEST_F(SuspensionTest, RemovingTheLastRecordOnlyLowersTheCount) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  ASSERT_TRUE(file->add(6, 100.0, 300.0, 1).ok());
  const Bytes before = ReadAll(tsPath());
  ASSERT_TRUE(file->remove(6, 100.0, 1).ok());
  EXPECT_EQ(storedCount(), 1);
  EXPECT_EQ(ReadAll(tsPath()), before);
  EXPECT_EQ(file->find(6, 100.0, 1), 0.0);
  EXPECT_EQ(file->find(5, 100.0, 1), 200.0);
  // The next add reuses record 2.
  ASSERT_TRUE(file->add(7, 1.0, 2.0, 1).ok());
  EXPECT_EQ(fs::file_size(tsPath()), 48u);
  EXPECT_EQ(file->find(7, 1.0, 1), 2.0);
}

TEST_F(SuspensionTest, RemovingAnEarlierRecordMovesTheLastOneOverIt) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  ASSERT_TRUE(file->add(6, 100.0, 300.0, 1).ok());
  ASSERT_TRUE(file->add(7, 100.0, 400.0, 1).ok());
  ASSERT_TRUE(file->remove(5, 100.0, 1).ok());
  EXPECT_EQ(storedCount(), 2);
  Bytes disk = ReadAll(tsPath());
  EXPECT_EQ(Slice(disk, 0, 24), Slice(disk, 48, 24));  // record 3 copied to record 1
  EXPECT_EQ(file->find(5, 100.0, 1), 0.0);
  EXPECT_EQ(file->find(6, 100.0, 1), 300.0);
  EXPECT_EQ(file->find(7, 100.0, 1), 400.0);
}

TEST_F(SuspensionTest, RemoveWithKindZeroTakesTheFirstRecordOfAnyKind) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 3).ok());
  ASSERT_TRUE(file->add(5, 100.0, 300.0, 1).ok());
  ASSERT_TRUE(file->remove(5, 100.0, 0).ok());
  EXPECT_EQ(storedCount(), 1);
  EXPECT_EQ(file->find(5, 100.0, 3), 0.0);
  EXPECT_EQ(file->find(5, 100.0, 1), 300.0);
}

TEST_F(SuspensionTest, RemoveWithoutAMatchChangesNothing) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  ASSERT_TRUE(file->add(6, 100.0, 300.0, 1).ok());
  const Bytes ts = ReadAll(tsPath());
  const Bytes set = ReadAll(tmp.path("set.dat"));
  for (auto [slot, key, kind] : {std::tuple<int16_t, double, int16_t>{5, 101.0, 1}, {5, 100.0, 2}, {8, 100.0, 0}}) {
    ASSERT_TRUE(file->remove(slot, key, kind).ok());
  }
  EXPECT_EQ(ReadAll(tsPath()), ts);
  EXPECT_EQ(ReadAll(tmp.path("set.dat")), set);
}

TEST_F(SuspensionTest, MissingFileFindsNothingAndRemovesNothing) {
  ASSERT_TRUE(settingsFile->writeLong(settings::kSuspensionCount, 3).ok());  // a count without its file
  EXPECT_TRUE(file->remove(5, 100.0, 0).ok());
  EXPECT_EQ(storedCount(), 3);
  EXPECT_FALSE(fs::exists(tsPath()));
  EXPECT_EQ(file->find(5, 100.0, 1), 0.0);
}

TEST_F(SuspensionTest, DamagedCountNeverCrashesALookup) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  for (int32_t junk : {0x7FFFFFFF, 50000000, -1}) {
    ASSERT_TRUE(settingsFile->writeLong(settings::kSuspensionCount, junk).ok());
    EXPECT_EQ(file->find(5, 100.0, 1), junk > 0 ? 200.0 : 0.0) << junk;
    EXPECT_EQ(file->find(9, 100.0, 1), 0.0) << junk;
  }
  // The largest count cannot grow: refused, nothing written.
  ASSERT_TRUE(settingsFile->writeLong(settings::kSuspensionCount, 0x7FFFFFFF).ok());
  EXPECT_FALSE(file->add(6, 100.0, 300.0, 1).ok());
  EXPECT_EQ(storedCount(), 0x7FFFFFFF);
  EXPECT_EQ(fs::file_size(tsPath()), 24u);
}

TEST_F(SuspensionTest, FailedWriteKeepsTheCount) {
  ASSERT_TRUE(file->add(5, 100.0, 200.0, 1).ok());
  FileFaults::Inject(tsPath(), WriteFault{});
  EXPECT_EQ(file->add(6, 100.0, 300.0, 1).code(), ErrorCode::WriteFailed);
  EXPECT_EQ(storedCount(), 1);
  EXPECT_EQ(fs::file_size(tsPath()), 24u);
  EXPECT_EQ(file->find(6, 100.0, 1), 0.0);
}

// ---------------------------------------------------------------------------
// Company texts and operation names

TEST(CompanyInfoFile, EachTextIsSavedAloneInRecordIPlusOne) {
  TempDir tmp{TempDir::Root::Created};
  CompanyInfo info;
  info.texts[0] = "琴声音乐学校";
  info.texts[3] = "北京";
  ASSERT_TRUE(info.save(tmp.folder(), 3).ok());
  Bytes disk = ReadAll(tmp.path("vin.dat"));
  ASSERT_EQ(disk.size(), 4u * 128u);
  EXPECT_EQ(Slice(disk, 0, 3 * 128), Bytes(3 * 128, 0));  // text 0 was not saved
  EXPECT_EQ(Slice(disk, 3 * 128, 6), (Bytes{0x04, 0x00, 0xB1, 0xB1, 0xBE, 0xA9}));

  ASSERT_TRUE(info.save(tmp.folder(), 0).ok());
  CompanyInfo back;
  ASSERT_TRUE(back.load(tmp.folder()).ok());
  EXPECT_EQ(back.texts[0], "琴声音乐学校");
  EXPECT_EQ(back.texts[3], "北京");
  EXPECT_EQ(back.texts[9], "");

  info.texts[1] = std::string(127, 'c');
  const Bytes before = ReadAll(tmp.path("vin.dat"));
  EXPECT_EQ(info.save(tmp.folder(), 1).code(), ErrorCode::TooLong);
  EXPECT_EQ(ReadAll(tmp.path("vin.dat")), before);
  EXPECT_FALSE(info.save(tmp.folder(), 10).ok());
  EXPECT_FALSE(info.save(tmp.folder(), -1).ok());
}

TEST(OperationNamesFile, DeliveredNamesFillRecordsOneToNinetyNine) {
  TempDir tmp{TempDir::Root::Created};
  tmp.makeDataFolders();
  ASSERT_TRUE(OperationNames::WriteDelivered(tmp.folder()).ok());
  Bytes disk = ReadAll(tmp.path("data/rrsm.dat"));
  ASSERT_EQ(disk.size(), 99u * 16u);
  EXPECT_EQ(Slice(disk, 0, 6), (Bytes{0x04, 0x00, 0xB3, 0xE4, 0xD6, 0xB5}));    // 1 充值
  EXPECT_EQ(Slice(disk, 160, 6), (Bytes{0x04, 0x00, 0xCF, 0xC2, 0xCF, 0xDF}));  // 11 下线
  EXPECT_EQ(Slice(disk, 176, 2), (Bytes{0x00, 0x00}));                          // 12 empty
  EXPECT_EQ(Slice(disk, 98 * 16, 2), (Bytes{0x00, 0x00}));                      // 99 empty

  OperationNames names;
  ASSERT_TRUE(names.load(tmp.folder()).ok());
  const char* expected[] = {"",         "充值",     "挂失",     "解除挂失", "补卡", "违规停用",
                            "恢复使用", "房间停用", "房间使用", "记录",     "登录", "下线"};
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(names.name(i), expected[i]) << i;
  for (int i = 12; i <= 20; ++i) EXPECT_EQ(names.name(i), "") << i;
  EXPECT_EQ(names.name(0), "");
  EXPECT_EQ(names.name(21), "");
  EXPECT_EQ(names.name(-1), "");
}

TEST(OperationNamesFile, MissingDataFolderFailsTheLoad) {
  TempDir tmp{TempDir::Root::Created};
  OperationNames names;
  EXPECT_EQ(names.load(tmp.folder()).code(), ErrorCode::OpenFailed);
  EXPECT_EQ(OperationNames::WriteDelivered(tmp.folder()).code(), ErrorCode::OpenFailed);
}

// ---------------------------------------------------------------------------
// appname.txt

TEST(AppNameFile, NameAndVersionAreRead) {
  auto gbkName = ToGbk("\"琴房管理\",107\r\n");
  ASSERT_TRUE(gbkName.ok());
  struct Case {
    std::string content;
    const char* name;
    int version;
  };
  for (const Case& c :
       {Case{"\"琴房管理\",107", "琴房管理", 107}, Case{"Tarvolen,107", "Tarvolen", 107},
        Case{*gbkName, "琴房管理", 107}, Case{"Tarvolen,107\r\nsecond line,999\r\n", "Tarvolen", 107},
        Case{"  \"Practice rooms\" , 215 ", "Practice rooms", 215}, Case{"\"琴房,管理\",108", "琴房,管理", 108},
        Case{"\xEF\xBB\xBF\"琴房管理\",107", "琴房管理", 107}}) {
    TempDir tmp{TempDir::Root::Created};
    WriteAll(tmp.path("appname.txt"), c.content);
    auto app = ReadAppName(tmp.folder());
    ASSERT_TRUE(app.ok()) << c.content;
    EXPECT_EQ(app->name, c.name) << c.content;
    EXPECT_EQ(app->version, c.version) << c.content;
  }
}

TEST(AppNameFile, MissingFileIsReported) {
  TempDir tmp{TempDir::Root::Created};
  auto app = ReadAppName(tmp.folder());
  ASSERT_FALSE(app.ok());
  EXPECT_EQ(app.status().code(), ErrorCode::Missing);
}

}  // namespace
}  // namespace tarvolen
