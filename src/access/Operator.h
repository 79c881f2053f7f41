#pragma once
// The operator at the desk: the identity table, the identity in use, and the
// test of a right where each operation runs. The identity editors' writes go
// through here, to set.dat first and to memory after.
#include <cstdint>
#include <string>

#include "access/Identities.h"
#include "notify/Feedback.h"
#include "store/SettingsFile.h"

namespace tarvolen {

class Operator {
 public:
  // The refusal of an operation the identity in use has no right to.
  static constexpr const char* kNoRight = "请以管理员身份进入。";

  explicit Operator(Feedback& feedback) : feedback_(feedback) {}

  IdentityTable& identities() { return identities_; }
  const IdentityTable& identities() const { return identities_; }

  // The identity in use (CurrentIdentity): 0 visitor .. 6 administrator.
  int current() const { return current_; }
  void setCurrent(int k) { current_ = k; }

  bool Has(Right right) const { return identities_.has(current_, right); }
  // Ok when the identity in use holds `right`; otherwise the refusal is told
  // to the operator ("请以管理员身份进入。" unless another text is given).
  Status Require(Right right, const char* refusal = kNoRight, bool sound = false) const;

  // Name, password (when given) and permission word of slot k: each value is
  // one write to set.dat, and memory follows only what reached the file.
  Status UpdateIdentity(SettingsFile& settings, int k, const std::string& name, const std::string* password,
                        uint16_t permissions);
  Status UpdatePassword(SettingsFile& settings, int k, const std::string& password);

 private:
  Feedback& feedback_;
  IdentityTable identities_;
  int current_ = 0;
};

}  // namespace tarvolen
