// The identity prompt's rules, on the core alone.
#include <gtest/gtest.h>

#include "access/IdentityPrompt.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "support/TempDir.h"

namespace tarvolen {
namespace {

using namespace settings;

class PromptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = testing::OpenSettings(temp_);
    ASSERT_TRUE(settings_);
    const char* names[7] = {"访客", "用户一", "用户二", "用户三", "用户四", "用户五", "管理员"};
    const char* passwords[7] = {"", "Secret", kNoPassword, "x", "y", "z", "admin"};
    for (int k = 0; k < 7; ++k) {
      ASSERT_TRUE(settings_->writeStringRecord(kRecIdentityName + k, names[k]).ok());
      ASSERT_TRUE(settings_->writeStringRecord(kRecPassword + k, passwords[k]).ok());
    }
    identities_.load(*settings_);
    prompt_.emplace(identities_, *settings_, boxes_);
  }

  std::string lastBox() const { return boxes_.boxes.empty() ? "" : boxes_.boxes.back().text; }

  testing::TempDir temp_;
  std::optional<SettingsFile> settings_;
  IdentityTable identities_;
  FakeMessageBoxes boxes_;
  std::optional<IdentityPrompt> prompt_;
};

TEST_F(PromptTest, LabelFollowsThePasswordState) {
  struct Case {
    int slot;
    const char* label;
    bool enabled;
  } cases[] = {{0, "未设定访问密码", false},
               {1, "请输入用户密码", true},
               {2, "未设定用户密码", false},
               {6, "请输入管理密码", true}};
  prompt_->start(0, false);
  for (const auto& c : cases) {
    prompt_->select(c.slot);
    EXPECT_EQ(prompt_->view().label, c.label) << c.slot;
    EXPECT_EQ(prompt_->view().passwordEnabled, c.enabled) << c.slot;
    EXPECT_EQ(prompt_->view().focus, c.enabled ? IdentityPrompt::Focus::Password : IdentityPrompt::Focus::Confirm);
  }
  EXPECT_TRUE(prompt_->picked());
}

TEST_F(PromptTest, ConfirmationCases) {
  struct Case {
    int slot;
    const char* typed;
    IdentityPrompt::Outcome outcome;
    const char* box;
  } cases[] = {
      {-1, "", IdentityPrompt::Outcome::Stay, "请选择身份！"},
      {0, "", IdentityPrompt::Outcome::Confirmed, ""},
      {1, "Secret", IdentityPrompt::Outcome::Confirmed, ""},
      {1, "secret", IdentityPrompt::Outcome::Stay, "密码错误！"},     // case-sensitive
      {1, "Secret ", IdentityPrompt::Outcome::Stay, "密码错误！"},    // no trimming
      {2, kNoPassword, IdentityPrompt::Outcome::Stay, "密码错误！"},  // not set up: never
      {2, "", IdentityPrompt::Outcome::Stay, "密码错误！"},
      {6, "admin", IdentityPrompt::Outcome::Confirmed, ""},
  };
  for (const auto& c : cases) {
    boxes_.boxes.clear();
    prompt_->start(c.slot, false);
    prompt_->setPassword(c.typed);
    EXPECT_EQ(prompt_->confirm(), c.outcome) << c.slot << " " << c.typed;
    EXPECT_EQ(lastBox(), c.box) << c.slot << " " << c.typed;
    // The box is emptied after every answer but "请选择身份！".
    if (c.slot >= 0) {
      EXPECT_EQ(prompt_->view().password, "");
    }
  }
}

TEST_F(PromptTest, FirstRunSetsTheAdministratorPassword) {
  ASSERT_TRUE(settings_->writeStringRecord(kRecPassword + 6, kNoPassword).ok());
  identities_.load(*settings_);
  struct Case {
    const char* first;
    const char* second;
    const char* box;
  } refused[] = {
      {"", "", "密码长度应为1~18位"},
      {"abc", "", "密码长度应为1~18位"},
      {"1234567890123456789", "1234567890123456789", "密码长度应为1~18位"},
      {"abc", "abd", "二次输入的密码不一至"},
      // 12 Chinese characters pass the length rule but not the 22-byte record.
      {"一二三四五六七八九十一二", "一二三四五六七八九十一二",
       "密码过长或含有不能保存的字符（最多22个字节，即11个汉字）"},
  };
  prompt_->start(3, true);
  EXPECT_EQ(prompt_->view().title, "设定管理密码");
  EXPECT_FALSE(prompt_->view().listVisible);
  EXPECT_TRUE(prompt_->view().secondBoxVisible);
  EXPECT_TRUE(prompt_->view().passwordEnabled);
  for (const auto& c : refused) {
    prompt_->setPassword(c.first);
    prompt_->setSecond(c.second);
    EXPECT_EQ(prompt_->confirm(), IdentityPrompt::Outcome::Stay) << c.first;
    EXPECT_EQ(lastBox(), c.box);
    EXPECT_EQ(settings_->stringRecord(kRecPassword + 6), kNoPassword);
  }
  prompt_->setPassword("一二三四五六七八九十一");  // 11 characters, 22 bytes: fits
  prompt_->setSecond("一二三四五六七八九十一");
  EXPECT_EQ(prompt_->confirm(), IdentityPrompt::Outcome::FirstRunDone);
  EXPECT_EQ(settings_->stringRecord(kRecPassword + 6), "一二三四五六七八九十一");
  EXPECT_EQ(prompt_->view().title, "管理员验证");
  EXPECT_TRUE(prompt_->view().listVisible);
  EXPECT_FALSE(prompt_->view().secondBoxVisible);
  EXPECT_EQ(prompt_->selected(), 6);
  EXPECT_EQ(prompt_->view().label, "请输入管理密码");
}

TEST_F(PromptTest, CancelEndsOnlyAtStartUp) {
  prompt_->start(6, false);
  EXPECT_EQ(prompt_->cancel(false), IdentityPrompt::Outcome::EndProgram);
  EXPECT_EQ(prompt_->cancel(true), IdentityPrompt::Outcome::BackToMain);
}

}  // namespace
}  // namespace tarvolen
