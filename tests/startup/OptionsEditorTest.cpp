// Options changed on the settings panels and what save-and-exit writes.
#include <gtest/gtest.h>

#include <functional>

#include "desk/SessionEngine.h"
#include "store/TextCells.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using testing::ReadAll;
using namespace settings;

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desk_ = inst_.startDesk();
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    before_ = ReadAll(inst_.root() / "set.dat");
  }
  // Positions (1-based) whose byte changed since SetUp.
  std::vector<int64_t> ChangedPositions() {
    auto after = ReadAll(inst_.root() / "set.dat");
    std::vector<int64_t> out;
    for (size_t i = 0; i < std::min(before_.size(), after.size()); ++i) {
      if (before_[i] != after[i]) out.push_back(static_cast<int64_t>(i + 1));
    }
    return out;
  }
  OptionsEditor& editor() { return desk_->optionsEditor(); }

  Installation inst_;
  std::unique_ptr<Desk> desk_;
  Bytes before_;
};

struct GroupCase {
  const char* name;
  std::function<void(OptionsEditor&)> change;
  int64_t position;  // one byte that must now differ
};

class DirtyGroupTest : public OptionsTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(DirtyGroupTest, OneChangeWritesItsGroup) {
  GetParam().change(editor());
  desk_->SaveAndExit();
  auto changed = ChangedPositions();
  EXPECT_NE(std::find(changed.begin(), changed.end(), GetParam().position), changed.end())
      << "position " << GetParam().position << " not written";
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirtyGroupTest,
    ::testing::Values(
        GroupCase{"TimeLimit",
                  [](OptionsEditor& e) { ASSERT_TRUE(e.SetNumber(NumberOption::DefaultTimeLimit, "90").ok()); },
                  kDefaultTimeLimit},
        GroupCase{"SoundOff", [](OptionsEditor& e) { ASSERT_TRUE(e.SetCheck(CheckOption::SoundOn, false).ok()); },
                  kSoundOn},
        GroupCase{"AssignmentMode",
                  [](OptionsEditor& e) { ASSERT_TRUE(e.SetChoice(ChoiceOption::AssignmentMode, 5).ok()); },
                  kAssignmentMode},
        GroupCase{"Font",
                  [](OptionsEditor& e) {
                    ASSERT_TRUE(e.ChooseFont({"宋体", 20, true, false, false}).status.ok());
                  },
                  kFontSize},
        GroupCase{"Colour", [](OptionsEditor& e) { ASSERT_TRUE(e.ChooseColour(3, 0x123456).ok()); }, kColourBase + 12},
        GroupCase{"CardDigitsField",
                  [](OptionsEditor& e) { ASSERT_TRUE(e.SetNumber(NumberOption::CardDigitsField, "12").ok()); },
                  kCardDigitsShown18},
        GroupCase{"Parameters",
                  [](OptionsEditor& e) { ASSERT_TRUE(e.SetNumber(NumberOption::OvertimeWait, "33").ok()); },
                  kOvertimeWait},
        GroupCase{"Photo", [](OptionsEditor& e) { ASSERT_TRUE(e.ChoosePhoto("/photos/0012.png").ok()); },
                  kPhotoNameLength},
        GroupCase{"Window", [](OptionsEditor& e) { e.WindowResized(20000, 12000, 2); }, kWindowState}),
    [](const ::testing::TestParamInfo<GroupCase>& p) { return std::string(p.param.name); });

TEST_F(OptionsTest, RoomsInTimeAloneWritesNothing) {
  ASSERT_TRUE(editor().SetCheck(CheckOption::UseOvertimeRooms, true).ok());
  desk_->dirty() = DirtyGroups{};  // as if that had been saved already
  before_ = ReadAll(inst_.root() / "set.dat");
  ASSERT_TRUE(editor().SetCheck(CheckOption::UseRoomsInTime, true).ok());
  desk_->SaveAndExit();
  auto changed = ChangedPositions();
  for (int64_t p : changed) EXPECT_TRUE(p == kLastIdentity) << "position " << p;
}

TEST_F(OptionsTest, RoomsInTimeOnlyWhileOvertimeRoomsAreUsed) {
  ASSERT_TRUE(editor().SetCheck(CheckOption::UseOvertimeRooms, false).ok());
  EXPECT_FALSE(editor().SetCheck(CheckOption::UseRoomsInTime, true).ok());
  EXPECT_FALSE(desk_->options().useRoomsInTime);
  ASSERT_TRUE(editor().SetCheck(CheckOption::UseOvertimeRooms, true).ok());
  ASSERT_TRUE(editor().SetCheck(CheckOption::UseRoomsInTime, true).ok());
  ASSERT_TRUE(editor().SetCheck(CheckOption::UseOvertimeRooms, false).ok());
  EXPECT_FALSE(desk_->options().useRoomsInTime);  // switched off with it
}

TEST_F(OptionsTest, NumberBoxesReadTextAsZeroAndClampBytes) {
  struct Case {
    const char* text;
    int stored;
  } cases[] = {{"abc", 0}, {"", 0}, {"300", 255}, {"-5", 0}, {"12.6", 13}, {"  7", 7}};
  for (const auto& c : cases) {
    ASSERT_TRUE(editor().SetNumber(NumberOption::DailyLimit, c.text).ok());
    EXPECT_EQ(desk_->options().dailyLimit, c.stored) << c.text;
  }
  ASSERT_TRUE(editor().SetNumber(NumberOption::RechargeReminder, "2.5").ok());
  desk_->SaveAndExit();
  SettingsFile s = inst_.settings();
  EXPECT_EQ(s.byteAt(kDailyLimit), 7);
  EXPECT_FLOAT_EQ(s.singleAt(kRechargeReminder), 2.5f);
}

TEST_F(OptionsTest, CardOnlyChangesTheDigitTimeoutAtOnce) {
  ASSERT_TRUE(editor().SetCheck(CheckOption::CardOnly, true).ok());
  EXPECT_EQ(desk_->cardInput().digitTimeoutMs(), 50);
  ASSERT_TRUE(editor().SetCheck(CheckOption::CardOnly, false).ok());
  EXPECT_EQ(desk_->cardInput().digitTimeoutMs(), 9999);
}

TEST_F(OptionsTest, SoundOnPlaysTheSampleOnlyWhenSwitchedOn) {
  ASSERT_TRUE(editor().SetCheck(CheckOption::SoundOn, false).ok());
  inst_.sound().played.clear();
  ASSERT_TRUE(editor().SetCheck(CheckOption::SoundOn, false).ok());
  EXPECT_TRUE(inst_.sound().played.empty());
  ASSERT_TRUE(editor().SetCheck(CheckOption::SoundOn, true).ok());
  EXPECT_EQ(inst_.sound().played, std::vector<std::string>{"5.wav"});
}

TEST_F(OptionsTest, FontAndColourRules) {
  for (int size : {8, 49}) {
    const FontChoice refused = editor().ChooseFont({"宋体", size});
    EXPECT_TRUE(refused.askAgain) << size;
    EXPECT_FALSE(refused.status.ok()) << size;
    ASSERT_FALSE(inst_.boxes().boxes.empty());
    EXPECT_EQ(inst_.boxes().boxes.back().text, "大小超出范围！");
    EXPECT_NE(desk_->options().font.size, size);
  }
  for (int size : {9, 48}) {
    const FontChoice taken = editor().ChooseFont({"宋体", size});
    EXPECT_TRUE(taken.status.ok()) << size;
    EXPECT_FALSE(taken.askAgain) << size;
    EXPECT_EQ(desk_->options().font.size, size);
  }
  ASSERT_TRUE(editor().ChooseMessageColour(0x800080).ok());
  EXPECT_EQ(desk_->options().messageColour, 0x800081);
}

TEST(NumberOptionTextTest, WholeNumbersAndSingles) {
  Options o;
  o.defaultTimeLimit = -5;
  o.dailyLimit = 255;
  o.pricePerHour = 10.0f;
  o.balanceNeeded = 0.5f;
  o.rechargeReminder = 12.3f;  // a Single: 12.3 is 12.30000019 in float
  o.dailyHours = 1234567.0f;
  EXPECT_EQ(NumberOptionText(o, NumberOption::DefaultTimeLimit), "-5");
  EXPECT_EQ(NumberOptionText(o, NumberOption::DailyLimit), "255");
  EXPECT_EQ(NumberOptionText(o, NumberOption::PricePerHour), "10");
  EXPECT_EQ(NumberOptionText(o, NumberOption::BalanceNeeded), "0.5");
  EXPECT_EQ(NumberOptionText(o, NumberOption::RechargeReminder), "12.3");
  EXPECT_EQ(NumberOptionText(o, NumberOption::DailyHours), "1234567");
}

TEST(SwatchTextColourTest, EachChannelIsInverted) {
  EXPECT_EQ(SwatchTextColour(0x000000), 0xFFFFFF);
  EXPECT_EQ(SwatchTextColour(0xFFFFFF), 0x000000);
  EXPECT_EQ(SwatchTextColour(0x0000FF), 0xFFFF00);  // red on cyan
  EXPECT_EQ(SwatchTextColour(0x123456), 0xEDCBA9);
  EXPECT_EQ(SwatchTextColour(static_cast<int32_t>(0xFF808080u)), 0x7F7F7F);  // a stray high byte is ignored
}

TEST_F(OptionsTest, PhotoFolderFromOneChosenPhoto) {
  ASSERT_TRUE(editor().ChoosePhoto("/srv/photos/0012.jpg").ok());
  EXPECT_EQ(desk_->options().photoFolder, "/srv/photos/");
  EXPECT_EQ(desk_->options().photoExtension, ".jpg");
  EXPECT_EQ(desk_->options().photoNameLength, 4);
  EXPECT_EQ(desk_->notifier().history().back(), "已定位照片路径");
  desk_->SaveAndExit();
  auto desk2 = inst_.startDesk();
  EXPECT_EQ(desk2->options().photoFolder, "/srv/photos/");
  std::string longFolder = "/" + std::string(70, 'a') + "/x.jpg";
  EXPECT_FALSE(editor().ChoosePhoto(longFolder).ok());
  EXPECT_EQ(desk_->options().photoFolder, "/srv/photos/");
}

TEST_F(OptionsTest, AShorterPhotoFolderLeavesNoPieceOfTheLongerOne) {
  const std::string longFolder = "/srv/school/photos/students/2012/";  // 33 characters: records 23..26
  ASSERT_TRUE(editor().ChoosePhoto(longFolder + "0012.jpg").ok());
  desk_->SaveAndExit();
  desk_ = inst_.startDesk();
  ASSERT_EQ(desk_->options().photoFolder, longFolder);
  desk_->prompt().setPassword("pw");
  ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::Confirmed);
  ASSERT_TRUE(editor().ChoosePhoto("/p/7.png").ok());
  desk_->SaveAndExit();
  EXPECT_EQ(inst_.startDesk()->options().photoFolder, "/p/");
}

TEST_F(OptionsTest, CustomNameIsWrittenAtOnceAndRefusedWhenTooLong) {
  ASSERT_TRUE(editor().SetCustomName("琴房中心").ok());
  EXPECT_EQ(inst_.settings().stringRecord(kRecCustomName), "琴房中心");
  EXPECT_FALSE(editor().SetCustomName("一二三四五六七八九十一二").ok());  // 24 bytes
  EXPECT_EQ(inst_.settings().stringRecord(kRecCustomName), "琴房中心");
}

// Every refusal reaches the operator from the core itself: the windows only
// forward the call.
TEST_F(OptionsTest, RefusalsAreToldToTheOperator) {
  struct Case {
    const char* name;
    std::function<Status(Desk&)> call;
    const char* message;
  } cases[] = {
      {"LongPhotoFolder", [](Desk& d) { return d.optionsEditor().ChoosePhoto("/" + std::string(70, 'a') + "/1.jpg"); },
       "照片路径过长（最多60个字符），请把照片放在较短的路径下。"},
      {"LongCustomName", [](Desk& d) { return d.optionsEditor().SetCustomName("一二三四五六七八九十一二"); },
       "名称过长（最多22个字节，即11个汉字），未保存。"},
      {"CustomNameWithoutGbkForm", [](Desk& d) { return d.optionsEditor().SetCustomName("琴房🎹"); },
       "名称含有不能保存的字符，未保存。"},
      {"CompanyTextWithoutGbkForm", [](Desk& d) { return d.optionsEditor().SaveCompanyText(0, "电话🎹"); },
       "内容含有不能保存的字符，未保存。"},
      {"LongCompanyText", [](Desk& d) { return d.optionsEditor().SaveCompanyText(0, std::string(127, 'x')); },
       "内容过长（最多126个字节），未保存。"},
      {"RoomsInTimeWhileDisabled",
       [](Desk& d) {
         d.options().useOvertimeRooms = false;
         return d.optionsEditor().SetCheck(CheckOption::UseRoomsInTime, true);
       },
       "使用未超时房间只在使用超时房间时可选。"},
      {"CategoryOutsideEditMode", [](Desk& d) { return d.categoryEditor().ChangeName(NameList::Classes, 0, "甲班"); },
       "请先勾选“修改中”。"},
  };
  for (const auto& c : cases) {
    const size_t before = desk_->notifier().history().size();
    EXPECT_FALSE(c.call(*desk_).ok()) << c.name;
    ASSERT_EQ(desk_->notifier().history().size(), before + 1) << c.name;
    EXPECT_EQ(desk_->notifier().history().back(), c.message) << c.name;
  }

  // Without the right of the page: the navigation's message.
  desk_->SwitchIdentity();
  desk_->prompt().select(0);
  ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::Confirmed);
  EXPECT_FALSE(editor().SetNumber(NumberOption::DailyLimit, "3").ok());
  EXPECT_EQ(desk_->notifier().history().back(), "请以管理员身份进入。");
}

TEST_F(OptionsTest, CompanyTextSavedAlone) {
  ASSERT_TRUE(editor().SaveCompanyText(2, "张老师").ok());
  CompanyInfo c;
  ASSERT_TRUE(c.load(inst_.folder()).ok());
  EXPECT_EQ(c.texts[2], "张老师");
  EXPECT_EQ(c.texts[0], "音乐学院");
  EXPECT_FALSE(editor().SaveCompanyText(3, std::string(127, 'x')).ok());
}

TEST_F(OptionsTest, CategoryNamesChangeOnlyInEditMode) {
  CategoryEditor& e = desk_->categoryEditor();
  EXPECT_FALSE(e.ChangeName(NameList::Classes, 5, "六班").ok());
  ASSERT_TRUE(desk_->adminArea().Navigate(1).ok());  // the parameter page ticks "修改中"
  ASSERT_TRUE(desk_->adminArea().categoryEdit());
  ASSERT_TRUE(e.ChangeName(NameList::Classes, 5, "六班").ok());
  EXPECT_EQ(desk_->categories().className(5), "六班");
  ASSERT_TRUE(e.ChangeName(NameList::Grades, 0, "初级班级名称非常非常长的名字").ok());
  EXPECT_LE(CellWidth(desk_->categories().gradeName(0)), 16);
  EXPECT_EQ(e.ChangeLevel(1, "银 卡", "95", "500").detail(), "不能有空格。");
  ASSERT_TRUE(e.ChangeLevel(1, "白银会员", "300", "abc").ok());
  EXPECT_EQ(desk_->categories().levels[1].percentage, 255);
  EXPECT_EQ(desk_->categories().levels[1].threshold, 0);
  CategoryLists reread;
  ASSERT_TRUE(reread.load(inst_.folder()).ok());
  EXPECT_EQ(reread.className(5), "六班");
  EXPECT_EQ(reread.levelName(1), "白银会员");
  ASSERT_TRUE(desk_->adminArea().Navigate(0).ok());
  EXPECT_EQ(desk_->notifier().history().back(), "请重新运行本程序以便修改的数据生效！");
}

TEST_F(OptionsTest, AChangedMajorShowsOnThePageButTheDeskKeepsTheOldUntilARestart) {
  CategoryEditor& e = desk_->categoryEditor();
  const std::string before = desk_->categories().majorName(2);
  ASSERT_TRUE(desk_->adminArea().Navigate(1).ok());
  ASSERT_TRUE(e.ChangeName(NameList::Majors, 2, "作曲").ok());
  EXPECT_EQ(e.NameShown(NameList::Majors, 2), "作曲");
  EXPECT_EQ(desk_->categories().majorName(2), before);
  EXPECT_EQ(e.NameShown(NameList::Majors, 3), desk_->categories().majorName(3));
  ASSERT_TRUE(e.ChangeName(NameList::Classes, 1, "乙班").ok());
  EXPECT_EQ(e.NameShown(NameList::Classes, 1), "乙班");
  CategoryLists reread;
  ASSERT_TRUE(reread.load(inst_.folder()).ok());
  EXPECT_EQ(reread.majorName(2), "作曲");
}

}  // namespace
}  // namespace tarvolen
