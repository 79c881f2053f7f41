// Navigation, the user page, the own password change and every right.
#include <gtest/gtest.h>

#include <functional>

#include "desk/SessionEngine.h"
#include "store/TextCells.h"
#include "support/Installation.h"

namespace tarvolen {
namespace {

using testing::Installation;
using namespace settings;

class AccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desk_ = inst_.startDesk();
    desk_->prompt().setPassword("admin");
    desk_->prompt().setSecond("admin");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
  }
  // Gives slot 1 exactly `word` and logs in as slot 1.
  void LogInWith(uint16_t word) {
    std::string pw = "u1";
    ASSERT_TRUE(desk_->op().UpdateIdentity(desk_->settings(), 1, "用户一", &pw, word).ok());
    desk_->SwitchIdentity();
    desk_->prompt().select(1);
    desk_->prompt().setPassword("u1");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::Confirmed);
  }
  std::string last() const { return desk_->notifier().history().back(); }

  Installation inst_{true};
  std::unique_ptr<Desk> desk_;
};

TEST_F(AccessTest, AdministrationAreaSetsTheKeyboardMode) {
  desk_->adminArea().Toggle();
  EXPECT_EQ(desk_->cardInput().mode(), KeyboardMode::Administration);
  desk_->mainWindowForeground = [] { return true; };
  for (int k : {97, 96, 96, 97, 13}) desk_->KeyDown(k);
  EXPECT_EQ(desk_->sessions().count(), 0);
  EXPECT_FALSE(desk_->engine().dialogue().visible);
  ASSERT_TRUE(desk_->adminArea().Navigate(2).ok());
  EXPECT_TRUE(desk_->adminArea().roomEdit());
  desk_->adminArea().Toggle();
  EXPECT_EQ(desk_->cardInput().mode(), KeyboardMode::Normal);
  EXPECT_EQ(desk_->adminArea().page(), -1);
  EXPECT_TRUE(desk_->adminArea().roomEdit());  // kept when the area closes
}

// One case per right: the operation of that right is refused without it
// and allowed with it.
struct RightCase {
  const char* name;
  int bit;
  std::function<Status(Desk&)> operation;
};

class EveryRight : public AccessTest, public ::testing::WithParamInterface<RightCase> {};

TEST_P(EveryRight, IsCheckedWhereTheOperationRuns) {
  const RightCase& c = GetParam();
  LogInWith(static_cast<uint16_t>(1023 & ~(1u << c.bit)));
  EXPECT_FALSE(c.operation(*desk_).ok()) << "without bit " << c.bit;
  LogInWith(static_cast<uint16_t>(1u << c.bit));
  EXPECT_TRUE(c.operation(*desk_).ok()) << "with bit " << c.bit;
}

Status Swipe(Desk& d) {
  d.mainWindowForeground = [] { return true; };
  for (int k : {97, 96, 96, 98, 13}) d.KeyDown(k);
  const bool opened = d.engine().dialogue().visible;
  d.engine().CancelCheckIn();
  return opened ? Status::Ok() : Status(ErrorCode::Refused, d.notifier().history().back());
}

INSTANTIATE_TEST_SUITE_P(
    Table, EveryRight,
    ::testing::Values(RightCase{"Settings", 0, [](Desk& d) { return d.optionsEditor().ChooseColour(1, 0xABCDEF); }},
                      RightCase{"Parameters", 1,
                                [](Desk& d) { return d.optionsEditor().SetNumber(NumberOption::DailyLimit, "3"); }},
                      RightCase{"Rooms", 2, [](Desk& d) { return d.adminArea().Navigate(2); }},
                      RightCase{"Students", 3, [](Desk& d) { return d.adminArea().Navigate(3); }},
                      RightCase{"Users", 4,
                                [](Desk& d) {
                                  d.userPage().Select(2);
                                  return d.userPage().Save();
                                }},
                      RightCase{"Members", 5, [](Desk& d) { return d.adminArea().Navigate(5); }},
                      RightCase{"Queries", 6, [](Desk& d) { return d.adminArea().Navigate(6); }},
                      RightCase{"Backup", 7, [](Desk& d) { return d.adminArea().Navigate(7); }},
                      RightCase{"Company", 8, [](Desk& d) { return d.optionsEditor().SaveCompanyText(1, "x"); }},
                      RightCase{"CheckIn", 9, Swipe}),
    [](const ::testing::TestParamInfo<RightCase>& p) { return std::string(p.param.name); });

TEST_F(AccessTest, NavigationMessages) {
  LogInWith(0);
  EXPECT_FALSE(desk_->adminArea().Navigate(4).ok());
  EXPECT_EQ(last(), "请以管理员身份进入。");
  EXPECT_EQ(desk_->adminArea().page(), -1);
  EXPECT_EQ(desk_->navigationVisible(), 0);
}

TEST_F(AccessTest, UserPageRefusals) {
  struct Case {
    const char* name;
    int row;
    const char* newName;
    const char* password;  // nullptr: boxes not touched
    const char* confirmation;
    const char* message;
  } cases[] = {
      {"NoRow", -1, "x", nullptr, nullptr, "请选定用户"},
      {"EmptyName", 2, "", nullptr, nullptr, "修改失败！名称不能为空且低于18位。"},
      {"TenChineseCharacters", 2, "一二三四五六七八九十", nullptr, nullptr, "修改失败！名称不能为空且低于18位。"},
      {"EmptyUserPassword", 2, "用户二", "", "", "修改失败！来访密码长度:0~18位，管理密码长度:1~18位"},
      {"NineteenCharacters", 2, "用户二", "1234567890123456789", "1234567890123456789",
       "修改失败！来访密码长度:0~18位，管理密码长度:1~18位"},
      {"Mismatch", 2, "用户二", "abc", "abd", "修改失败！二次密码输入不一至。"},
      {"TooManyBytes", 2, "用户二", "一二三四五六七八九十一二", "一二三四五六七八九十一二",
       "名称或密码过长（最多22个字节，即11个汉字），不能保存。"},
      {"NameWithoutGbkForm", 2, "钢琴🎹", nullptr, nullptr, "名称或密码含有不能保存的字符，不能保存。"},
      {"PasswordWithoutGbkForm", 2, "用户二", "pw🎹", "pw🎹", "名称或密码含有不能保存的字符，不能保存。"},
  };
  for (const auto& c : cases) {
    auto before = testing::ReadAll(inst_.root() / "set.dat");
    UserPage page(desk_->op(), desk_->feedback(), desk_->data());  // a fresh page: nothing selected yet
    if (c.row >= 0) page.Select(c.row);
    page.setName(c.newName);
    if (c.password) {
      page.typePassword(c.password);
      page.typeConfirmation(c.confirmation);
    }
    EXPECT_FALSE(page.Save().ok()) << c.name;
    EXPECT_EQ(last(), c.message) << c.name;
    EXPECT_EQ(testing::ReadAll(inst_.root() / "set.dat"), before) << c.name;
  }
}

TEST_F(AccessTest, UserPageSavesNamePasswordAndWord) {
  UserPage& page = desk_->userPage();
  page.Select(0);
  EXPECT_FALSE(page.rightEnabled(1));
  EXPECT_FALSE(page.rightEnabled(4));
  EXPECT_TRUE(page.rightEnabled(9));
  page.setRight(2, true);  // disabled for the visitor: keeps its tick
  page.setRight(9, true);
  page.setName("来宾");
  page.typePassword("");  // the visitor may have an empty password
  page.typeConfirmation("");
  ASSERT_TRUE(page.Save().ok());
  EXPECT_EQ(last(), "修改成功！");
  SettingsFile s = inst_.settings();
  EXPECT_EQ(s.stringRecord(kRecIdentityName + 0), "来宾");
  EXPECT_EQ(s.stringRecord(kRecPassword + 0), "");
  EXPECT_EQ(s.integerAt(kPermissionBase), 512);

  page.Select(3);
  page.setName("九个汉字的用户名称");  // 18 cells: accepted
  ASSERT_TRUE(page.Save().ok());
  EXPECT_EQ(inst_.settings().stringRecord(kRecPassword + 3), kNoPassword);  // boxes untouched: kept
}

TEST_F(AccessTest, OwnPasswordChangeOutcomes) {
  struct Case {
    const char* old;
    const char* fresh;
    const char* confirm;
    const char* message;
    bool clear;
  } cases[] = {
      {"wrong", "n", "n", "修改失败!旧密码不正确！", true},
      {"admin", "", "", "修改失败！管理密码长度:1~18位", false},
      {"admin", "new", "neu", "修改失败！二次输入的密码不一至", false},
      {"admin", "new", "new", "修改成功！", true},
  };
  for (const auto& c : cases) {
    auto out = ChangeOwnPassword(desk_->op(), desk_->feedback(), desk_->settings(), c.old, c.fresh, c.confirm);
    EXPECT_EQ(last(), c.message);
    EXPECT_EQ(out.clearAll, c.clear) << c.message;
  }
  EXPECT_EQ(inst_.settings().stringRecord(kRecPassword + 6), "new");
  EXPECT_EQ(inst_.sound().played.back(), "6.wav");
}

TEST_F(AccessTest, VisitorCannotChangeItsOwnPassword) {
  desk_->SwitchIdentity();
  desk_->prompt().select(0);
  ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::Confirmed);
  EXPECT_FALSE(desk_->passwordChangeEnabled());
  EXPECT_FALSE(ChangeOwnPassword(desk_->op(), desk_->feedback(), desk_->settings(), "", "x", "x").status.ok());
}

}  // namespace
}  // namespace tarvolen
