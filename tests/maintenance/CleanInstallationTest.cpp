#include "store/FileFaults.h"
#include "maintenance/CleanInstallation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "maintenance/ToneWriter.h"
#include "store/Gbk.h"
#include "store/ProgramFolder.h"
#include "store/RecordFile.h"
#include "store/SettingsFile.h"
#include "store/SettingsLayout.h"
#include "store/SideFiles.h"
#include "store/Tables.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

namespace fs = std::filesystem;

constexpr CivilDate kToday{2025, 3, 10};

Bytes ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file under `root` with its bytes, keyed by relative path.
std::map<std::string, Bytes> Snapshot(const fs::path& root) {
  std::map<std::string, Bytes> out;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) out[fs::relative(entry.path(), root).string()] = ReadAll(entry.path());
  }
  return out;
}

int16_t Le16(const Bytes& b, size_t at) { return static_cast<int16_t>(b[at] | (b[at + 1] << 8)); }
int32_t Le32(const Bytes& b, size_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
                              (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24));
}
std::string Tag(const Bytes& b, size_t at) {
  return std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
}

class InstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = temp_.base();
    dir_ = temp_.root();
    folder_ = ProgramFolder(dir_);
  }
  void TearDown() override { FileFaults::Clear(); }

  void Install(const CivilDate& today = kToday) {
    Status s = WriteCleanInstallation(dir_, today);
    ASSERT_TRUE(s.ok()) << s.detail();
  }
  void InstallWithDemo(const CivilDate& today = kToday) {
    ASSERT_NO_FATAL_FAILURE(Install(today));
    Status s = AddDemoData(dir_, today);
    ASSERT_TRUE(s.ok()) << s.detail();
  }
  SettingsFile OpenSettings(const fs::path& path) {
    auto f = SettingsFile::Open(path);
    EXPECT_TRUE(f.ok());
    return std::move(f.value());
  }

  testing::TempDir temp_;
  fs::path base_;
  fs::path dir_;
  ProgramFolder folder_;
};

// ---------------------------------------------------------------- set.dat

TEST_F(InstallTest, SettingsFileHoldsTheWholeByteView) {
  Install();
  EXPECT_EQ(fs::file_size(folder_.settings()), 1117u);
  EXPECT_EQ(fs::file_size(folder_.file("ct/set.dat")), 1117u);
  EXPECT_FALSE(fs::exists(folder_.file("set.dat.part")));
}

TEST_F(InstallTest, IdentitiesNamesPasswordsAndPermissions) {
  Install();
  SettingsFile s = OpenSettings(folder_.settings());
  struct Expected {
    const char* name;
    std::string password;
    int16_t word;
  };
  const std::string none = settings::kNoPassword;
  const Expected expected[7] = {{"访客", "", 0},       {"用户一", none, 577}, {"用户二", none, 577},
                                {"用户三", none, 577}, {"用户四", none, 577}, {"用户五", none, 577},
                                {"管理员", none, 1023}};
  for (int k = 0; k < 7; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(s.stringRecord(settings::kRecIdentityName + k), expected[k].name);
    EXPECT_EQ(s.stringRecord(settings::kRecPassword + k), expected[k].password);
    EXPECT_EQ(s.integerAt(settings::kPermissionBase + 2 * k), expected[k].word);
  }
  // The rights the users need at the desk: 设置 (bit 0), 统计查询 (6), 登记 (9).
  EXPECT_EQ(s.integerAt(settings::kPermissionBase + 2), (1 << 0) | (1 << 6) | (1 << 9));
  EXPECT_EQ(s.byteAt(settings::kLastIdentity), 6);
}

TEST_F(InstallTest, NumericOptionDefaults) {
  Install();
  SettingsFile s = OpenSettings(folder_.settings());
  enum Kind { B, I, L, S };
  struct Case {
    int64_t position;
    Kind kind;
    double value;
  };
  const Case cases[] = {
      {1, L, 0},        {5, I, 120},     {9, B, 0},    {10, B, 3},     {11, B, 1},     {12, B, 1},   {13, B, 0},
      {14, B, 0},       {15, B, 0},      {16, B, 0},   {17, B, 14},    {18, B, 10},    {19, B, 0},   {1015, B, 0},
      {1016, S, 10.0},  {1020, B, 5},    {1021, B, 0}, {1022, B, 0},   {1023, B, 0},   {1024, B, 0}, {1027, B, 5},
      {1028, B, 12},    {1029, B, 10},   {1030, L, 0}, {1034, I, 815}, {1036, I, 215}, {1038, L, 0}, {1042, S, 0.0},
      {1046, S, 4.0},   {1050, S, 10.0}, {1054, L, 0}, {1058, B, 0},   {1059, B, 10},  {1100, B, 6}, {1101, B, 0},
      {1102, L, 13125}, {1106, L, 8205}, {1110, I, 0}, {1112, B, 0},   {1113, B, 2},   {1114, B, 1}, {1115, B, 0},
      {1116, B, 0},     {1117, B, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    switch (c.kind) {
      case B: EXPECT_EQ(s.byteAt(c.position), c.value); break;
      case I: EXPECT_EQ(s.integerAt(c.position), c.value); break;
      case L: EXPECT_EQ(s.longAt(c.position), c.value); break;
      case S: EXPECT_FLOAT_EQ(s.singleAt(c.position), static_cast<float>(c.value)); break;
    }
  }
}

TEST_F(InstallTest, RecordViewTexts) {
  Install();
  SettingsFile s = OpenSettings(folder_.settings());
  EXPECT_EQ(s.stringRecord(settings::kRecCustomName), "音乐学院琴房");
  EXPECT_EQ(s.stringRecord(settings::kRecFontName), "WenQuanYi Micro Hei");
  EXPECT_EQ(s.longRecord(settings::kRecMessageColour), 0x0000C0);
  EXPECT_NE(s.longRecord(settings::kRecMessageColour), 0x800080);
  EXPECT_EQ(s.stringRecord(settings::kRecPhotoExtension), ".jpg");
  for (int64_t r = settings::kRecPhotoFolder; r <= settings::kRecPhotoFolderLast; ++r) {
    EXPECT_EQ(s.stringRecord(r), "") << r;
  }
}

TEST_F(InstallTest, LastStartIsTodayAndCleanCopyHasNone) {
  for (const CivilDate today : {CivilDate{2025, 3, 10}, CivilDate{2024, 2, 29}, CivilDate{2030, 12, 31}}) {
    SCOPED_TRACE(today.year);
    fs::remove_all(dir_);
    Install(today);
    SettingsFile live = OpenSettings(folder_.settings());
    SettingsFile clean = OpenSettings(folder_.file("ct/set.dat"));
    EXPECT_EQ(DateOf(live.dateRecord(settings::kRecLastStart)), today);
    EXPECT_EQ(clean.dateRecord(settings::kRecLastStart), 0.0);
  }
}

TEST_F(InstallTest, CleanSettingsDifferOnlyInTheLastStart) {
  Install();
  Bytes live = ReadAll(folder_.settings());
  Bytes clean = ReadAll(folder_.file("ct/set.dat"));
  ASSERT_EQ(live.size(), clean.size());
  const size_t recordStart = (settings::kRecLastStart - 1) * kSettingsRecordLength;
  std::vector<size_t> differing;
  for (size_t i = 0; i < live.size(); ++i) {
    if (live[i] != clean[i]) differing.push_back(i);
  }
  ASSERT_FALSE(differing.empty());
  for (size_t i : differing) {
    EXPECT_GE(i, recordStart);
    EXPECT_LT(i, recordStart + sizeof(OleDate));
  }
}

TEST_F(InstallTest, InterfaceColoursAreReadable) {
  Install();
  SettingsFile s = OpenSettings(folder_.settings());
  auto colour = [&](int i) { return s.longAt(settings::kColourBase + 4 * i); };
  auto channel = [](int32_t bgr, int shift) { return (bgr >> shift) & 0xFF; };
  auto luminance = [&](int32_t bgr) {
    return 0.299 * channel(bgr, 0) + 0.587 * channel(bgr, 8) + 0.114 * channel(bgr, 16);
  };
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(colour(i), DefaultColours()[static_cast<size_t>(i)].bgr) << i;
    EXPECT_EQ(colour(i) & ~0x00FFFFFF, 0) << i;  // high byte of 0x00BBGGRR stays 0
  }
  EXPECT_GT(luminance(colour(0)), 200.0);                         // 底色 light
  EXPECT_EQ(colour(2), 0);                                        // 文字 black
  EXPECT_GT(channel(colour(3), 0), channel(colour(3), 8) + 80);   // 超时: red over green
  EXPECT_GT(channel(colour(3), 0), channel(colour(3), 16) + 80);  // and over blue
  // Each title text must stand out from its title.
  EXPECT_GT(std::abs(luminance(colour(6)) - luminance(colour(5))), 100.0);
  EXPECT_GT(std::abs(luminance(colour(8)) - luminance(colour(7))), 100.0);
  // Black text on the selection and on the background.
  EXPECT_GT(luminance(colour(4)), 150.0);
  EXPECT_GT(luminance(colour(1)), 150.0);
}

// ---------------------------------------------------------------- other files

TEST_F(InstallTest, FoldersAndEmptyFiles) {
  Install();
  for (const char* f : {"数据/登记", "数据/日志", "数据/学生", "data", "sound", "Font", "ct"}) {
    EXPECT_TRUE(fs::is_directory(folder_.file(f))) << f;
  }
  for (const char* f : {"数据/登记", "数据/日志", "数据/学生", "Font"}) {
    EXPECT_TRUE(fs::is_empty(folder_.file(f))) << f;
  }
  for (const char* f : {"shuju.dat", "students.dat", "rooms.dat", "ct/rooms.dat"}) {
    ASSERT_TRUE(fs::is_regular_file(folder_.file(f))) << f;
    EXPECT_EQ(fs::file_size(folder_.file(f)), 0u) << f;
  }
  StudentTable students;
  ASSERT_TRUE(students.load(folder_).ok());
  EXPECT_EQ(students.firstFree(), 1);
  RoomTable rooms;
  ASSERT_TRUE(rooms.load(folder_).ok());
  EXPECT_EQ(rooms.firstFree(), 1);
}

TEST_F(InstallTest, AppNameLine) {
  Install();
  const std::string expected = "\"Tarvolen\",100\r\n";
  EXPECT_EQ(ReadAll(folder_.appName()), Bytes(expected.begin(), expected.end()));
  auto app = ReadAppName(folder_);
  ASSERT_TRUE(app.ok());
  EXPECT_EQ(app->name, "Tarvolen");
  EXPECT_EQ(app->version, 100);
}

TEST_F(InstallTest, CategoryLists) {
  Install();
  CategoryLists lists;
  ASSERT_TRUE(lists.load(folder_).ok());
  struct Level {
    const char* name;
    int percentage;
    int threshold;
  };
  const Level levels[7] = {{"普通会员", 100, 0}, {"银卡会员", 95, 500}, {"金卡会员", 90, 1000}, {"", 100, -1},
                           {"", 100, -1},        {"", 100, -1},         {"", 100, -1}};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(lists.levels[static_cast<size_t>(i)].name, levels[i].name);
    EXPECT_EQ(lists.levels[static_cast<size_t>(i)].percentage, levels[i].percentage);
    EXPECT_EQ(lists.levels[static_cast<size_t>(i)].threshold, levels[i].threshold);
  }
  struct Names {
    std::string (CategoryLists::*get)(int) const;
    std::vector<std::string> named;
    int slots;
  };
  const Names lists4[] = {
      {&CategoryLists::gradeName, {"一年级", "二年级", "三年级", "四年级", "五年级"}, 20},
      {&CategoryLists::className, {"一班", "二班", "三班"}, 31},
      {&CategoryLists::majorName, {"钢琴", "声乐", "小提琴", "古筝"}, 31},
  };
  for (const Names& n : lists4) {
    for (int i = 0; i < n.slots; ++i) {
      std::string want = static_cast<size_t>(i) < n.named.size() ? n.named[static_cast<size_t>(i)] : "";
      EXPECT_EQ((lists.*n.get)(i), want) << i;
    }
  }
  // Whole records: the files end where their last record ends.
  EXPECT_EQ(fs::file_size(folder_.levels()), 7u * 20u);
  EXPECT_EQ(fs::file_size(folder_.grades()), 10u * 20u);
  EXPECT_EQ(fs::file_size(folder_.classes()), 31u * 20u);
  EXPECT_EQ(fs::file_size(folder_.majors()), 31u * 20u);
}

TEST_F(InstallTest, CompanyTexts) {
  Install();
  CompanyInfo info;
  ASSERT_TRUE(info.load(folder_).ok());
  EXPECT_EQ(info.texts[0], "音乐学院");
  for (int i = 1; i < CompanyInfo::kTexts; ++i) EXPECT_EQ(info.texts[static_cast<size_t>(i)], "") << i;
  EXPECT_EQ(fs::file_size(folder_.company()), 10u * 128u);
}

TEST_F(InstallTest, OperationNames) {
  Install();
  OperationNames names;
  ASSERT_TRUE(names.load(folder_).ok());
  const char* expected[] = {"充值",     "挂失",     "解除挂失", "补卡", "违规停用", "恢复使用",
                            "房间停用", "房间使用", "记录",     "登录", "下线"};
  for (int i = 1; i <= 11; ++i) EXPECT_EQ(names.name(i), expected[i - 1]) << i;
  for (int i = 12; i <= OperationNames::kNames; ++i) EXPECT_EQ(names.name(i), "") << i;
  // Records 12..99 are written too (empty), so the file reaches record 99.
  EXPECT_GT(fs::file_size(folder_.operationNames()), 98u * 16u);
}

TEST_F(InstallTest, RestoreListNamesFilesPresentInCt) {
  Install();
  Bytes raw = ReadAll(folder_.file("C.txt"));
  std::string text(raw.begin(), raw.end());
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "every line ends with CR LF";
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  const std::vector<std::string> expected = {"set.dat", "hy.dat",    "lj.dat",  "bj.dat",
                                             "zy.dat",  "rooms.dat", "vin.dat", "appname.txt"};
  EXPECT_EQ(lines, expected);
  for (const auto& name : lines) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(fs::is_regular_file(folder_.file("ct/" + name)));
    if (name != "set.dat") {
      EXPECT_EQ(ReadAll(folder_.file("ct/" + name)), ReadAll(folder_.file(name)));
    }
  }
  // Nothing in ct/ that C.txt does not name.
  std::set<std::string> inCt;
  for (const auto& e : fs::directory_iterator(folder_.file("ct"))) inCt.insert(e.path().filename().string());
  EXPECT_EQ(inCt, std::set<std::string>(expected.begin(), expected.end()));
}

TEST_F(InstallTest, CueSoundsAreValidDistinctWaves) {
  Install();
  std::set<Bytes> seen;
  for (int n = 3; n <= 8; ++n) {
    SCOPED_TRACE(n);
    Bytes wav = ReadAll(folder_.sound(std::to_string(n) + ".wav"));
    ASSERT_GT(wav.size(), kWavHeaderSize);
    EXPECT_EQ(Tag(wav, 0), "RIFF");
    EXPECT_EQ(Le32(wav, 4), static_cast<int32_t>(wav.size()) - 8);
    EXPECT_EQ(Tag(wav, 8), "WAVE");
    EXPECT_EQ(Tag(wav, 12), "fmt ");
    EXPECT_EQ(Le32(wav, 16), 16);
    EXPECT_EQ(Le16(wav, 20), 1);      // PCM
    EXPECT_EQ(Le16(wav, 22), 1);      // mono
    EXPECT_EQ(Le32(wav, 24), 22050);  // sample rate
    EXPECT_EQ(Le32(wav, 28), 44100);  // bytes per second
    EXPECT_EQ(Le16(wav, 32), 2);      // block align
    EXPECT_EQ(Le16(wav, 34), 16);     // bits per sample
    EXPECT_EQ(Tag(wav, 36), "data");
    const int32_t dataSize = Le32(wav, 40);
    EXPECT_EQ(dataSize, static_cast<int32_t>(wav.size() - kWavHeaderSize));
    const double seconds = dataSize / 2.0 / 22050.0;
    EXPECT_GE(seconds, 0.1);
    EXPECT_LE(seconds, 0.4);
    EXPECT_TRUE(seen.insert(wav).second) << "each cue sounds different";
  }
}

// ---------------------------------------------------------------- refusals and failures

TEST_F(InstallTest, SecondRunIsRefusedAndChangesNothing) {
  InstallWithDemo();
  const auto before = Snapshot(base_);  // the suspension file beside the folder too
  Status again = WriteCleanInstallation(dir_, CivilDate{2026, 1, 1});
  EXPECT_EQ(again.code(), ErrorCode::Refused);
  Status demoAgain = AddDemoData(dir_, CivilDate{2026, 1, 1});
  EXPECT_EQ(demoAgain.code(), ErrorCode::Refused);
  EXPECT_EQ(Snapshot(base_), before);
}

TEST_F(InstallTest, DemoNeedsAnInstallation) {
  Status s = AddDemoData(dir_, kToday);
  EXPECT_EQ(s.code(), ErrorCode::Missing);
  EXPECT_FALSE(fs::exists(dir_));
}

TEST_F(InstallTest, FailedInstallationLeavesNoSettingsAndCanBeRepeated) {
  FileFaults::Inject({}, WriteFault{});  // the first write of any file
  Status failed = WriteCleanInstallation(dir_, kToday);
  EXPECT_FALSE(failed.ok());
  EXPECT_FALSE(fs::exists(folder_.settings()));
  FileFaults::Clear();
  Install();
  EXPECT_EQ(fs::file_size(folder_.settings()), 1117u);
}

TEST_F(InstallTest, SettingsThatCannotBeWrittenLeaveNoSettingsFile) {
  // Something in the way of the temporary settings file.
  fs::create_directories(folder_.file("set.dat.part/blocker"));
  Status failed = WriteCleanInstallation(dir_, kToday);
  EXPECT_FALSE(failed.ok());
  EXPECT_FALSE(fs::exists(folder_.settings()));
}

TEST_F(InstallTest, InvalidDateIsRefused) {
  Status s = WriteCleanInstallation(dir_, CivilDate{2025, 2, 30});
  EXPECT_EQ(s.code(), ErrorCode::Refused);
  EXPECT_FALSE(fs::exists(folder_.settings()));
}

// ---------------------------------------------------------------- demo data

TEST_F(InstallTest, DemoRoomsAndTheirPlaces) {
  InstallWithDemo();
  RoomTable rooms;
  ASSERT_TRUE(rooms.load(folder_).ok());
  CategoryLists lists;
  ASSERT_TRUE(lists.load(folder_).ok());
  int named = 0, outOfService = 0, freePlaces = 0, large = 0;
  std::set<std::string> names;
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    const RoomRecord& room = rooms[r];
    if (room.isFree()) continue;
    SCOPED_TRACE(room.name);
    ++named;
    EXPECT_LE(r, 12);
    EXPECT_TRUE(names.insert(room.name).second) << "room names are unique";
    EXPECT_GT(GbkLength(room.name), 0);
    EXPECT_LE(GbkLength(room.name), 8);
    EXPECT_EQ(rooms.findByName(room.name), r);
    EXPECT_FALSE(lists.majorName(room.type).empty());
    EXPECT_TRUE(room.timeLimitCode == 0 || room.timeLimitCode == 24);
    EXPECT_TRUE(room.capacity == 1 || room.capacity == 2 || room.capacity == 4);
    EXPECT_GE(room.price, 6.0f);
    EXPECT_LE(room.price, 20.0f);
    EXPECT_GE(room.minimumFee, 1.0f);
    EXPECT_LE(room.minimumFee, 5.0f);
    EXPECT_TRUE(room.handlingFee == 0.0f || room.handlingFee == 0.5f);
    EXPECT_TRUE(room.billingUnit == 15 || room.billingUnit == 30);
    EXPECT_EQ(room.tolerance, 5);
    if (room.isOpen()) {
      freePlaces += room.capacity;
    } else {
      ++outOfService;
    }
    if (room.capacity == 4) ++large;
  }
  EXPECT_EQ(named, 12);
  EXPECT_EQ(outOfService, 1);
  EXPECT_FALSE(rooms[5].isOpen());
  EXPECT_EQ(freePlaces, 20);
  EXPECT_GE(large, 1);
  EXPECT_EQ(rooms.findByName("琴房101"), 1);
}

struct DemoDateCase {
  CivilDate today;
  int newestYear;  // enrolment year of the newest students
};

class InstallDemoStudentsTest : public InstallTest, public ::testing::WithParamInterface<DemoDateCase> {};

TEST_P(InstallDemoStudentsTest, CardsAndStudents) {
  const DemoDateCase c = GetParam();
  InstallWithDemo(c.today);
  StudentTable students;
  ASSERT_TRUE(students.load(folder_).ok());
  RoomTable rooms;
  ASSERT_TRUE(rooms.load(folder_).ok());
  CategoryLists lists;
  ASSERT_TRUE(lists.load(folder_).ok());

  int lost = 0, suspended = 0, low = 0, dedicated = 0;
  std::set<int> years;
  for (int64_t card = 1001; card <= 1020; ++card) {
    SCOPED_TRACE(card);
    const int slot = students.findByCard(card);
    ASSERT_EQ(slot, static_cast<int>(card - 1000));
    const StudentRecord& s = students[slot];
    EXPECT_FALSE(s.name.empty());
    EXPECT_FALSE(lists.majorName(s.major).empty());
    EXPECT_FALSE(lists.className(s.classIndex).empty());
    EXPECT_EQ(s.level, 0);
    EXPECT_EQ(s.totalRecharged, s.balance);
    const CivilDate enrolled = DateOf(s.enrolled);
    EXPECT_EQ(enrolled.month, 8);
    EXPECT_EQ(enrolled.day, 15);
    EXPECT_GE(enrolled.year, c.newestYear - 4);
    EXPECT_LE(enrolled.year, c.newestYear);
    years.insert(enrolled.year);
    if (s.status == 1) ++lost;
    if (s.status == 2) ++suspended;
    EXPECT_TRUE(s.status == 0 || s.status == 1 || s.status == 2);
    if (s.balance < 1.0f) {
      ++low;
      EXPECT_FLOAT_EQ(s.balance, 0.5f);
    } else {
      EXPECT_GE(s.balance, 50.0f);
      EXPECT_LE(s.balance, 200.0f);
    }
    for (int16_t room : s.dedicatedRooms) {
      if (room == 0) continue;
      ++dedicated;
      EXPECT_EQ(room, 1);
      EXPECT_FALSE(rooms[room].isFree());
    }
  }
  EXPECT_EQ(students.findByCard(1000), 0);
  EXPECT_EQ(students.findByCard(1021), 0);
  EXPECT_TRUE(students[21].isFree());
  EXPECT_EQ(years.size(), 5u);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(suspended, 1);
  EXPECT_EQ(low, 1);
  EXPECT_EQ(dedicated, 1);
}

INSTANTIATE_TEST_SUITE_P(SchoolYears, InstallDemoStudentsTest,
                         ::testing::Values(DemoDateCase{{2025, 3, 10}, 2024},  // spring: last autumn's year
                                           DemoDateCase{{2025, 8, 14}, 2024},  // the day before the divider
                                           DemoDateCase{{2025, 8, 15}, 2025},  // the divider starts the year
                                           DemoDateCase{{2025, 12, 31}, 2025}));

TEST_F(InstallTest, SuspendedDemoCardHasItsEndDate) {
  InstallWithDemo();
  StudentTable students;
  ASSERT_TRUE(students.load(folder_).ok());
  SettingsFile settingsFile = OpenSettings(folder_.settings());
  SuspensionFile suspensions(folder_, settingsFile);
  EXPECT_EQ(suspensions.count(), 1);
  for (int slot = 1; slot <= 20; ++slot) {
    const StudentRecord& s = students[slot];
    OleDate end = suspensions.find(static_cast<int16_t>(slot), s.enrolled, 1);
    if (s.isSuspended()) {
      EXPECT_EQ(end, ToOle(kToday) + kDemoSuspensionDays) << slot;
    } else {
      EXPECT_EQ(end, 0.0) << slot;
    }
  }
  EXPECT_TRUE(fs::is_regular_file(base_ / "Ats.dat"));
}

TEST_F(InstallTest, DemoLeavesTheCleanCopiesClean) {
  Install();
  const auto cleanBefore = Snapshot(folder_.file("ct"));
  ASSERT_TRUE(AddDemoData(dir_, kToday).ok());
  EXPECT_EQ(Snapshot(folder_.file("ct")), cleanBefore);
  EXPECT_EQ(fs::file_size(folder_.file("ct/rooms.dat")), 0u);
  SettingsFile clean = OpenSettings(folder_.file("ct/set.dat"));
  EXPECT_EQ(clean.longAt(settings::kSuspensionCount), 0);
}

// ---------------------------------------------------------------- tones

TEST(ToneWriter, RefusesImpossibleTones) {
  const Tone bad[] = {
      {0.0, 200}, {-440.0, 200}, {11025.0, 200}, {440.0, 0}, {440.0, -5}, {440.0, 10001},
  };
  for (const Tone& t : bad) {
    SCOPED_TRACE(t.frequencyHz);
    SCOPED_TRACE(t.durationMs);
    auto wav = MakeToneWav(t);
    EXPECT_FALSE(wav.ok());
  }
}

TEST(ToneWriter, SamplesFollowTheFrequencyWithSoftEnds) {
  struct Case {
    double hz;
    int ms;
  };
  for (const Case c : {Case{440.0, 1000}, Case{880.0, 250}, Case{220.0, 400}}) {
    SCOPED_TRACE(c.hz);
    auto wav = MakeToneWav(Tone{c.hz, c.ms, 0.5, 10});
    ASSERT_TRUE(wav.ok());
    const size_t samples = static_cast<size_t>(22050 * c.ms / 1000);
    ASSERT_EQ(wav->size(), kWavHeaderSize + 2 * samples);
    std::vector<int> pcm;
    for (size_t i = 0; i < samples; ++i) pcm.push_back(Le16(*wav, kWavHeaderSize + 2 * i));
    // Sign changes: two per period.
    int crossings = 0;
    for (size_t i = 1; i < pcm.size(); ++i) {
      if ((pcm[i - 1] < 0) != (pcm[i] < 0)) ++crossings;
    }
    const double expected = 2.0 * c.hz * c.ms / 1000.0;
    EXPECT_NEAR(crossings, expected, 3.0);
    // Soft start and end, full level in the middle.
    EXPECT_EQ(pcm.front(), 0);
    EXPECT_EQ(pcm.back(), 0);
    EXPECT_LT(std::abs(pcm[5]), 2000);
    EXPECT_LT(std::abs(pcm[pcm.size() - 6]), 2000);
    int peak = 0;
    for (int v : pcm) peak = std::max(peak, std::abs(v));
    EXPECT_NEAR(peak, 0.5 * 32767, 400);
  }
}

TEST_F(InstallTest, ToneFileReplacesALongerOne) {
  fs::create_directories(dir_);
  const fs::path path = dir_ / "t.wav";
  ASSERT_TRUE(WriteToneWav(path, Tone{440.0, 400}).ok());
  ASSERT_TRUE(WriteToneWav(path, Tone{440.0, 100}).ok());
  auto expected = MakeToneWav(Tone{440.0, 100});
  ASSERT_TRUE(expected.ok());
  EXPECT_EQ(ReadAll(path), expected.value());
}

}  // namespace
}  // namespace tarvolen
