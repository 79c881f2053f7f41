#include "access/Operator.h"

namespace tarvolen {

Status Operator::Require(Right right, const char* refusal, bool sound) const {
  if (Has(right)) return Status::Ok();
  return feedback_.Refuse(refusal, sound);
}

Status Operator::UpdateIdentity(SettingsFile& settings, int k, const std::string& name, const std::string* password,
                                uint16_t permissions) {
  if (!IdentityTable::validSlot(k)) return Status(ErrorCode::Refused, "no such identity");
  if (Status s = settings.writeStringRecord(settings::kRecIdentityName + k, name); !s.ok()) return s;
  identities_[k].name = name;
  if (password != nullptr) {
    if (Status s = settings.writeStringRecord(settings::kRecPassword + k, *password); !s.ok()) return s;
    identities_[k].password = *password;
  }
  if (Status s = settings.writeInteger(settings::kPermissionBase + 2 * k, static_cast<int16_t>(permissions)); !s.ok()) {
    return s;
  }
  identities_[k].permissions = permissions;
  return Status::Ok();
}

Status Operator::UpdatePassword(SettingsFile& settings, int k, const std::string& password) {
  if (!IdentityTable::validSlot(k)) return Status(ErrorCode::Refused, "no such identity");
  if (Status s = settings.writeStringRecord(settings::kRecPassword + k, password); !s.ok()) return s;
  identities_[k].password = password;
  return Status::Ok();
}

}  // namespace tarvolen
