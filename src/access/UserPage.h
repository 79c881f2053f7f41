#pragma once
// The user page "用户管理" (rename an identity, set its password and its
// rights) and the own password change "密码修改" of the settings page.
#include <array>
#include <string>

#include "access/Operator.h"
#include "notify/Feedback.h"
#include "store/InstallationData.h"
#include "store/Result.h"

namespace tarvolen {

class UserPage {
 public:
  static constexpr int kRights = 10;

  UserPage(Operator& op, Feedback& feedback, InstallationData& data)
      : operator_(op), feedback_(feedback), data_(data) {}

  // A row of the identity list chosen.
  void Select(int k);
  int selected() const { return selected_; }

  void setName(std::string name) { name_ = std::move(name); }
  // Typing into either password box sets the password-changed mark.
  void typePassword(std::string text);
  void typeConfirmation(std::string text);
  void setRight(int bit, bool on);

  const std::string& name() const { return name_; }
  const std::string& password() const { return password_; }
  const std::string& confirmation() const { return confirmation_; }
  bool right(int bit) const { return rights_[static_cast<size_t>(bit)]; }
  bool rightEnabled(int bit) const { return enabled_[static_cast<size_t>(bit)]; }

  // "确定修改". A refusal changes nothing in memory or on disk.
  Status Save();

 private:
  Operator& operator_;
  Feedback& feedback_;
  InstallationData& data_;
  int selected_ = -1;
  std::string name_;
  std::string password_;
  std::string confirmation_;
  std::array<bool, kRights> rights_{};
  std::array<bool, kRights> enabled_{};
  bool passwordChanged_ = false;
};

// "修改" of the password panel: the identity in use changes its password.
// The boxes are emptied by the caller as the outcome says.
struct PasswordChangeOutcome {
  Status status;
  bool clearAll = false;  // wrong old password, or success
};
PasswordChangeOutcome ChangeOwnPassword(Operator& op, Feedback& feedback, SettingsFile& settings,
                                        const std::string& oldPassword, const std::string& newPassword,
                                        const std::string& confirmation);

}  // namespace tarvolen
