#include "access/Identities.h"

namespace tarvolen {

void IdentityTable::load(const SettingsFile& settings) {
  for (int k = 0; k < kCount; ++k) {
    auto& id = identities_[static_cast<size_t>(k)];
    id.name = settings.stringRecord(settings::kRecIdentityName + k);
    id.password = settings.stringRecord(settings::kRecPassword + k);
    id.permissions = static_cast<uint16_t>(settings.integerAt(settings::kPermissionBase + 2 * k));
  }
}

bool IdentityTable::has(int k, Right right) const {
  if (!validSlot(k)) return false;
  return ((*this)[k].permissions & (1u << static_cast<int>(right))) != 0;
}

bool IdentityTable::isNotSetUp(int k) const { return (*this)[k].password == settings::kNoPassword; }

bool IdentityTable::needsPassword(int k) const {
  const auto& pw = (*this)[k].password;
  return !pw.empty() && pw != settings::kNoPassword;
}

std::string PasswordWord(int k) {
  if (k == 0) return "访问密码";
  if (k == IdentityTable::kAdministrator) return "管理密码";
  return "用户密码";
}

}  // namespace tarvolen
