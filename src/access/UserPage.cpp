#include "access/UserPage.h"

#include "store/Gbk.h"
#include "store/TextCells.h"

namespace tarvolen {
namespace {

// Why a name or password cannot be stored whole in its 24-byte record;
// nullptr when it can.
const char* WhyNotStorable(const std::string& text) {
  switch (FitGbk(text, settings::kMaxSettingsText)) {
    case GbkFit::Fits: return nullptr;
    case GbkFit::TooLong: return "名称或密码过长（最多22个字节，即11个汉字），不能保存。";
    case GbkFit::NotGbk: return "名称或密码含有不能保存的字符，不能保存。";
  }
  return nullptr;
}

}  // namespace

void UserPage::Select(int k) {
  if (!IdentityTable::validSlot(k)) return;
  const Identity& id = operator_.identities()[k];
  selected_ = k;
  name_ = id.name;
  password_.clear();
  confirmation_.clear();
  for (int i = 0; i < kRights; ++i) {
    rights_[static_cast<size_t>(i)] = (id.permissions & (1u << i)) != 0;
    // Nobody changes "用户管理" here; the visitor never gets the pages of
    // settings, rooms and students either.
    const bool locked = i == 4 || (k == 0 && i >= 1 && i <= 4);
    enabled_[static_cast<size_t>(i)] = !locked;
  }
  passwordChanged_ = false;
}

void UserPage::typePassword(std::string text) {
  password_ = std::move(text);
  passwordChanged_ = true;
}

void UserPage::typeConfirmation(std::string text) {
  confirmation_ = std::move(text);
  passwordChanged_ = true;
}

void UserPage::setRight(int bit, bool on) {
  if (bit < 0 || bit >= kRights || !enabled_[static_cast<size_t>(bit)]) return;
  rights_[static_cast<size_t>(bit)] = on;
}

Status UserPage::Save() {
  if (Status s = operator_.Require(Right::Users, Operator::kNoRight, true); !s.ok()) return s;
  const int k = selected_;
  if (!IdentityTable::validSlot(k)) return feedback_.Refuse("请选定用户", true);
  const int width = CellWidth(name_);
  if (name_.empty() || width >= 19) return feedback_.Refuse("修改失败！名称不能为空且低于18位。", false);
  if (passwordChanged_) {
    const size_t length = CharacterCount(password_);
    if (length > 18 || (k != 0 && length < 1)) {
      return feedback_.Refuse("修改失败！来访密码长度:0~18位，管理密码长度:1~18位", true);
    }
    if (confirmation_ != password_) return feedback_.Refuse("修改失败！二次密码输入不一至。", true);
  }
  // A name or password whose GBK form does not fit its 24-byte record is
  // refused whole rather than stored cut.
  const char* why = WhyNotStorable(name_);
  if (why == nullptr && passwordChanged_) why = WhyNotStorable(password_);
  if (why != nullptr) return feedback_.Refuse(why, true);
  uint16_t word = 0;
  for (int i = 0; i < kRights; ++i) {
    if (rights_[static_cast<size_t>(i)]) word = static_cast<uint16_t>(word | (1u << i));
  }
  if (Status s = operator_.UpdateIdentity(data_.settings(), k, name_, passwordChanged_ ? &password_ : nullptr, word);
      !s.ok()) {
    return feedback_.Refuse("修改失败：" + s.detail(), true);
  }
  passwordChanged_ = false;
  feedback_.PushMessage("修改成功！");
  return Status::Ok();
}

PasswordChangeOutcome ChangeOwnPassword(Operator& op, Feedback& feedback, SettingsFile& settings,
                                        const std::string& oldPassword, const std::string& newPassword,
                                        const std::string& confirmation) {
  PasswordChangeOutcome out;
  const int s = op.current();
  auto refuse = [&](const std::string& text) {
    out.status = feedback.Refuse(text, true);
    return out;
  };
  // The visitor's box "修改" is disabled; the identities above it may change their own.
  if (s < 1) return refuse("修改失败！访客不能修改密码。");
  if (!op.Has(Right::Settings)) return refuse(Operator::kNoRight);
  if (oldPassword != op.identities()[s].password) {
    out.clearAll = true;
    return refuse("修改失败!旧密码不正确！");
  }
  const size_t length = CharacterCount(newPassword);
  if (length < 1 || length > 18) return refuse("修改失败！管理密码长度:1~18位");
  if (confirmation != newPassword) return refuse("修改失败！二次输入的密码不一至");
  if (const char* why = WhyNotStorable(newPassword)) return refuse(why);
  if (Status w = op.UpdatePassword(settings, s, newPassword); !w.ok()) return refuse("修改失败：" + w.detail());
  feedback.PushMessage("修改成功！");
  feedback.PlaySoundCue(Cue::CheckOut);
  out.clearAll = true;
  return out;
}

}  // namespace tarvolen
