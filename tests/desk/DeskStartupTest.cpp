// Start-up of the whole desk over a real installation in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "store/RecordFile.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using testing::ReadAll;
using namespace settings;

struct FailureCase {
  const char* name;
  std::function<void(Installation&)> damage;
  bool otherInstance;
  StartStop expected;
  const char* boxText;
};

class StartupFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, StopsWithItsBoxAndWritesNothing) {
  const FailureCase& c = GetParam();
  Installation inst;
  c.damage(inst);
  const bool hadSettings = std::filesystem::exists(inst.root() / "set.dat");
  auto before = hadSettings ? ReadAll(inst.root() / "set.dat") : Bytes{};

  auto desk = inst.makeDesk(c.otherInstance);
  EXPECT_EQ(desk->StartUntilPrompt(), c.expected);
  ASSERT_EQ(inst.boxes().boxes.size(), 1u);
  EXPECT_EQ(inst.boxes().boxes[0].title, "提示");
  EXPECT_NE(inst.boxes().boxes[0].text.find(c.boxText), std::string::npos) << inst.boxes().boxes[0].text;
  EXPECT_FALSE(desk->promptShown());

  // A stopped start leaves the data as it found it; a missing set.dat is
  // not created by the attempt.
  EXPECT_EQ(std::filesystem::exists(inst.root() / "set.dat"), hadSettings);
  if (hadSettings) {
    EXPECT_EQ(ReadAll(inst.root() / "set.dat"), before);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupFailure,
    ::testing::Values(
        FailureCase{"AppNameMissing", [](Installation& i) { std::filesystem::remove(i.root() / "appname.txt"); }, false,
                    StartStop::AppNameMissing, "appname.txt"},
        FailureCase{"OtherInstance", [](Installation&) {}, true, StartStop::AlreadyRunning, "本程序已经在运行中！"},
        FailureCase{"SettingsMissing", [](Installation& i) { std::filesystem::remove(i.root() / "set.dat"); }, false,
                    StartStop::DataDamaged, "数据损坏"},
        FailureCase{"SessionsMissing", [](Installation& i) { std::filesystem::remove(i.root() / "shuju.dat"); }, false,
                    StartStop::DataDamaged, "数据损坏"},
        FailureCase{"AdministratorNameEmpty",
                    [](Installation& i) { ASSERT_TRUE(i.settings().writeStringRecord(kRecIdentityName + 6, "").ok()); },
                    false, StartStop::DataDamaged, "数据损坏"},
        FailureCase{"AdministratorPasswordEmpty",
                    [](Installation& i) { ASSERT_TRUE(i.settings().writeStringRecord(kRecPassword + 6, "").ok()); },
                    false, StartStop::DataDamaged, "数据损坏"}),
    [](const ::testing::TestParamInfo<FailureCase>& p) { return std::string(p.param.name); });

TEST(DeskStartup, AllZeroSettingsGreetTheSemesterThenStopAsDamaged) {
  // A set.dat of zeros has no last start (a new semester) and no identities.
  Installation inst;
  testing::WriteAll(inst.root() / "set.dat", Bytes(kByteViewSize, 0));
  auto desk = inst.makeDesk();
  EXPECT_EQ(desk->StartUntilPrompt(), StartStop::DataDamaged);
  ASSERT_EQ(inst.boxes().boxes.size(), 2u);
  EXPECT_EQ(inst.boxes().boxes[0].text, "欢迎新学期！");
  EXPECT_EQ(inst.boxes().boxes[1].text, "数据损坏");
}

TEST(DeskStartup, CleanInstallationIsAFirstRun) {
  Installation inst;
  auto desk = inst.makeDesk();
  ASSERT_EQ(desk->StartUntilPrompt(), StartStop::Continue);
  EXPECT_TRUE(inst.boxes().boxes.empty());
  EXPECT_TRUE(desk->prompt().firstRun());
  EXPECT_EQ(desk->prompt().view().title, "设定管理密码");
  EXPECT_EQ(desk->prompt().selected(), 6);
  EXPECT_TRUE(desk->promptShown());
  EXPECT_FALSE(desk->mainWindowShown());
}

TEST(DeskStartup, DamagedDataFilesStillStart) {
  Installation inst(/*demo=*/true);
  // Students cut in the middle of a record, rooms emptied, a level list
  // full of junk: all load, missing bytes as zeros.
  std::filesystem::resize_file(inst.root() / "students.dat", 128 * 5 + 40);
  std::filesystem::resize_file(inst.root() / "rooms.dat", 0);
  testing::WriteAll(inst.root() / "hy.dat", Bytes(140, 0xFF));
  auto desk = inst.startDesk();
  EXPECT_EQ(desk->students()[4].card, 1004);
  EXPECT_TRUE(desk->rooms()[1].isFree());
  EXPECT_EQ(desk->sessions().totalPlaces(), 0);
  EXPECT_EQ(inst.boxes().boxes.size(), 0u);
}

TEST(DeskStartup, StudentsLoadWithThePumpAndTheCompletionMessageLast) {
  Installation inst(/*demo=*/true);
  auto desk = inst.makeDesk();
  ASSERT_EQ(desk->StartUntilPrompt(), StartStop::Continue);
  int pumped = 0;
  bool loadedDuringPump = false;
  ASSERT_TRUE(desk->ContinueLoading([&] {
    ++pumped;
    loadedDuringPump = loadedDuringPump || desk->studentsLoaded() || desk->cardInputEnabled();
    return true;
  }));
  EXPECT_EQ(pumped, 5000);
  EXPECT_FALSE(loadedDuringPump);
  EXPECT_TRUE(desk->studentsLoaded());
  EXPECT_TRUE(desk->cardInputEnabled());
  ASSERT_FALSE(desk->notifier().history().empty());
  EXPECT_EQ(desk->notifier().history().back(), "数据已经载入完毕");
  ASSERT_FALSE(inst.sound().played.empty());
  EXPECT_EQ(inst.sound().played.back(), "5.wav");
  EXPECT_EQ(desk->students().findByCard(1001), 1);
}

TEST(DeskStartup, APumpThatAsksToStopAbandonsTheLoad) {
  Installation inst(/*demo=*/true);
  auto desk = inst.makeDesk();
  ASSERT_EQ(desk->StartUntilPrompt(), StartStop::Continue);
  int pumped = 0;
  EXPECT_FALSE(desk->ContinueLoading([&] { return ++pumped < 10; }));
  EXPECT_EQ(pumped, 10);
  EXPECT_FALSE(desk->studentsLoaded());
}

TEST(DeskStartup, RoomsGiveFreePlacesOnlyWhenInService) {
  Installation inst(/*demo=*/true);
  auto desk = inst.startDesk();
  int total = 0;
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    const RoomRecord& room = desk->rooms()[r];
    int expected = (!room.isFree() && room.isOpen()) ? room.capacity : 0;
    EXPECT_EQ(desk->sessions().freePlaces(r), expected) << "room " << r;
    total += expected;
  }
  EXPECT_GT(total, 0);
  EXPECT_EQ(desk->sessions().totalPlaces(), total);
}

// --- calendar roll-over at start-up -------------------------------------

struct RolloverCase {
  const char* name;
  CivilDate lastStart;
  CivilDate today;
  bool countsReset;
  bool greeted;
};

class StartupRollover : public ::testing::TestWithParam<RolloverCase> {};

TEST_P(StartupRollover, AppliesThePlan) {
  const RolloverCase& c = GetParam();
  Installation inst(false, c.lastStart);
  {
    SettingsFile s = inst.settings();
    ASSERT_TRUE(s.writeLong(kCheckinCount, 5).ok());
    ASSERT_TRUE(s.writeLong(kLogCount, 7).ok());
  }
  inst.clock().set({c.today, 8, 30, 0});
  auto desk = inst.startDesk();
  desk->SaveAndExit();

  SettingsFile s = inst.settings();
  EXPECT_EQ(s.longAt(kCheckinCount), c.countsReset ? 0 : 5);
  EXPECT_EQ(s.longAt(kLogCount), c.countsReset ? 0 : 7);
  EXPECT_EQ(s.dateRecord(kRecLastStart), ToOle(c.today));
  bool greeted = !inst.boxes().boxes.empty() && inst.boxes().boxes[0].text == "欢迎新学期！";
  EXPECT_EQ(greeted, c.greeted);
  if (greeted) {
    EXPECT_EQ(inst.boxes().boxes[0].icon, BoxIcon::Critical);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StartupRollover,
    ::testing::Values(RolloverCase{"SameDay", {2012, 3, 5}, {2012, 3, 5}, false, false},
                      RolloverCase{"NextDaySameSemester", {2012, 3, 5}, {2012, 3, 6}, false, false},
                      RolloverCase{"NewYearSameSemester", {2011, 12, 31}, {2012, 1, 2}, true, false},
                      RolloverCase{"SpringStarts", {2012, 2, 14}, {2012, 2, 15}, false, true},
                      RolloverCase{"AutumnStartsNextDay", {2012, 8, 15}, {2012, 8, 16}, false, true}),
    [](const ::testing::TestParamInfo<RolloverCase>& p) { return std::string(p.param.name); });

TEST(DeskStartup, FreshSettingsDateCountsAsNewYearAndSemester) {
  Installation inst;
  ASSERT_TRUE(inst.settings().writeDateRecord(kRecLastStart, 0).ok());
  auto desk = inst.startDesk();
  ASSERT_EQ(inst.boxes().boxes.size(), 1u);
  EXPECT_EQ(inst.boxes().boxes[0].text, "欢迎新学期！");
}

// Writes a session record into shuju.dat at record n.
void WriteSession(const std::filesystem::path& root, int n, SessionRecord s) {
  auto f = RecordFile::Open(root / "shuju.dat", kSessionRecordLength);
  ASSERT_TRUE(f.ok());
  ASSERT_TRUE(f->write(n, Pack(s).value()).ok());
}

TEST(DeskStartup, PreviousDaySessionsDroppedWhenAsked) {
  Installation inst(true, {2012, 3, 5});
  for (int n = 1; n <= 3; ++n)
    WriteSession(inst.root(), n, {1, static_cast<int16_t>(n), 600, ToOle(CivilDate{2012, 3, 5})});
  {
    SettingsFile s = inst.settings();
    ASSERT_TRUE(s.writeLong(kSessionCount, 3).ok());
    ASSERT_TRUE(s.writeByte(kDropPreviousDay, 1).ok());
  }
  inst.clock().set({{2012, 3, 6}, 8, 0, 0});
  auto desk = inst.startDesk();
  EXPECT_EQ(desk->sessions().count(), 0);
  EXPECT_EQ(inst.settings().longAt(kSessionCount), 0);
  const auto& h = desk->notifier().history();
  EXPECT_NE(std::find(h.begin(), h.end(), "3个数据已忽略。"), h.end());
}

TEST(DeskStartup, PreviousDaySessionsKeptByDefault) {
  Installation inst(true, {2012, 3, 5});
  for (int n = 1; n <= 3; ++n)
    WriteSession(inst.root(), n, {1, static_cast<int16_t>(n), 600, ToOle(CivilDate{2012, 3, 5})});
  ASSERT_TRUE(inst.settings().writeLong(kSessionCount, 3).ok());
  inst.clock().set({{2012, 3, 6}, 8, 0, 0});
  auto desk = inst.startDesk();
  EXPECT_EQ(desk->sessions().count(), 3);
}

// --- save-and-exit ---------------------------------------------------------

TEST(DeskExit, WritesOnlyCountersAndPickedIdentityWhenNothingChanged) {
  Installation inst;
  auto desk = inst.startDesk();
  auto before = ReadAll(inst.root() / "set.dat");
  desk->prompt().select(2);
  desk->SaveAndExit();
  auto after = ReadAll(inst.root() / "set.dat");
  ASSERT_EQ(before.size(), after.size());
  for (size_t i = 0; i < before.size(); ++i) {
    if (before[i] == after[i]) continue;
    // Only position 1100 may differ; the counters are written as they were.
    EXPECT_EQ(i + 1, static_cast<size_t>(kLastIdentity)) << "byte at position " << i + 1 << " changed";
  }
  EXPECT_EQ(after[kLastIdentity - 1], 2);
}

TEST(DeskExit, WindowSizeNeverSavedBelowTheMinimum) {
  Installation inst;
  auto desk = inst.startDesk();
  desk->options().windowWidth = 6000;
  desk->options().windowHeight = 6000;
  desk->options().windowState = 1;
  desk->dirty().mark(OptionGroup::Window);
  desk->SaveAndExit();
  SettingsFile s = inst.settings();
  EXPECT_EQ(s.longAt(kWindowWidth), kMinWindowWidth);
  EXPECT_EQ(s.longAt(kWindowHeight), kMinWindowHeight);
  EXPECT_EQ(s.integerAt(kWindowState), 0);
}

TEST(DeskExit, MinimisedStateStartsNormal) {
  Installation inst;
  ASSERT_TRUE(inst.settings().writeInteger(kWindowState, 1).ok());
  auto desk = inst.startDesk();
  EXPECT_EQ(desk->options().windowState, 0);
}

TEST(DeskExit, RemovesTheHooksItInstalled) {
  Installation inst;
  auto desk = inst.startDesk();
  int installed = 0;
  int removed = 0;
  desk->installHooks.connect([&] { ++installed; });
  desk->removeHooks.connect([&] { ++removed; });
  desk->prompt().setPassword("pw");
  desk->prompt().setSecond("pw");
  ASSERT_EQ(desk->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
  desk->SwitchIdentity();
  desk->prompt().select(0);
  ASSERT_EQ(desk->ConfirmIdentity(), IdentityPrompt::Outcome::Confirmed);
  EXPECT_EQ(installed, 1);  // only at the first confirmation
  desk->SaveAndExit();
  EXPECT_EQ(removed, 1);
}

}  // namespace
}  // namespace tarvolen
