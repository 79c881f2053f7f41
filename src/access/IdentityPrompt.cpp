#include "access/IdentityPrompt.h"

#include "store/Gbk.h"
#include "store/TextCells.h"

namespace tarvolen {

void IdentityPrompt::start(int lastIdentity, bool firstRun) {
  view_ = View{};
  for (int k = 0; k < IdentityTable::kCount; ++k) view_.names.push_back(identities_[k].name);
  if (IdentityTable::validSlot(lastIdentity)) select(lastIdentity);
  if (firstRun) {
    select(IdentityTable::kAdministrator);
    view_.title = "设定管理密码";
    view_.listVisible = false;
    view_.passwordEnabled = true;
    view_.labelVisible = false;
    view_.firstRunLabelVisible = true;
    view_.secondBoxVisible = true;
    view_.focus = Focus::Password;
  }
}

void IdentityPrompt::select(int k) {
  if (!IdentityTable::validSlot(k)) return;
  picked_ = true;
  view_.selected = k;
  bool needs = identities_.needsPassword(k);
  view_.label = std::string(needs ? "请输入" : "未设定") + PasswordWord(k);
  if (!firstRun()) view_.passwordEnabled = needs;
  view_.focus = view_.passwordEnabled ? Focus::Password : Focus::Confirm;
}

void IdentityPrompt::stop(const std::string& text) { boxes_.show("提示", text, BoxIcon::Critical); }

IdentityPrompt::Outcome IdentityPrompt::confirm() {
  if (firstRun()) {
    size_t length = CharacterCount(view_.second);
    if (length < 1 || length > 18) {
      stop("密码长度应为1~18位");
      return Outcome::Stay;
    }
    if (view_.password != view_.second) {
      stop("二次输入的密码不一至");
      return Outcome::Stay;
    }
    // The password lives in a 24-byte record: more than 22 GBK bytes (or a
    // character GBK lacks) could not be stored whole, so it is refused.
    long bytes = GbkLength(view_.second);
    if (bytes < 0 || bytes > static_cast<long>(settings::kMaxSettingsText)) {
      stop("密码过长或含有不能保存的字符（最多22个字节，即11个汉字）");
      return Outcome::Stay;
    }
    if (Status s = settings_.writeStringRecord(settings::kRecPassword + IdentityTable::kAdministrator, view_.second);
        !s.ok()) {
      stop("密码保存失败：" + s.detail());
      return Outcome::Stay;
    }
    identities_[IdentityTable::kAdministrator].password = view_.second;
    leaveFirstRun();
    select(IdentityTable::kAdministrator);
    return Outcome::FirstRunDone;
  }

  int k = view_.selected;
  if (!IdentityTable::validSlot(k)) {
    stop("请选择身份！");
    return Outcome::Stay;
  }
  // The sentinel never matches: an identity that is not set up cannot log in.
  const std::string& expected = identities_[k].password;
  bool matches = !identities_.isNotSetUp(k) && view_.password == expected;
  if (!matches) {
    view_.password.clear();
    stop("密码错误！");
    view_.focus = Focus::Password;
    return Outcome::Stay;
  }
  view_.password.clear();
  return Outcome::Confirmed;
}

void IdentityPrompt::leaveFirstRun() {
  view_.secondBoxVisible = false;
  view_.firstRunLabelVisible = false;
  view_.password.clear();
  view_.second.clear();
  view_.labelVisible = true;
  view_.listVisible = true;
  view_.title = "管理员验证";
}

IdentityPrompt::Outcome IdentityPrompt::cancel(bool mainWindowVisible) {
  return mainWindowVisible ? Outcome::BackToMain : Outcome::EndProgram;
}

void IdentityPrompt::beginSwitch() {
  view_.password.clear();
  if (view_.selected >= 0) {
    view_.focus = view_.passwordEnabled ? Focus::Password : Focus::Confirm;
  }
}

}  // namespace tarvolen
