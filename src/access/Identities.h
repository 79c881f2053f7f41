#pragma once
// The seven fixed identities (0 visitor, 1..5 users, 6 administrator), each
// with a name, a password and a permission word; and the rights they grant.
#include <array>
#include <cstdint>
#include <string>

#include "store/SettingsFile.h"

namespace tarvolen {

enum class Right : int {
  Settings = 0,    // 设置
  Parameters = 1,  // 参数设置
  Rooms = 2,       // 房间数据
  Students = 3,    // 学生数据
  Users = 4,       // 用户管理
  Members = 5,     // 会员管理
  Queries = 6,     // 统计查询
  Backup = 7,      // 数据备份
  Company = 8,     // 企业信息
  CheckIn = 9,     // 登记: checking students in and out by card
};

// The bit of a right in a permission word.
constexpr uint16_t RightBit(Right right) { return static_cast<uint16_t>(1u << static_cast<int>(right)); }

// Permission words of a clean installation: a user may use the settings
// page, the queries and the card desk; the administrator everything.
constexpr uint16_t kUserPermissions = RightBit(Right::Settings) | RightBit(Right::Queries) | RightBit(Right::CheckIn);
constexpr uint16_t kAdministratorPermissions = 0x3FF;
// The rights that show a navigation button of the administration area (0..8).
constexpr uint16_t kNavigationRights = 0x1FF;

struct Identity {
  std::string name;
  std::string password;  // empty: none needed; the sentinel: not set up
  uint16_t permissions = 0;
};

class IdentityTable {
 public:
  static constexpr int kCount = 7;
  static constexpr int kAdministrator = 6;

  void load(const SettingsFile& settings);

  static bool validSlot(int k) { return k >= 0 && k < kCount; }
  Identity& operator[](int k) { return identities_.at(static_cast<size_t>(k)); }
  const Identity& operator[](int k) const { return identities_.at(static_cast<size_t>(k)); }

  bool has(int k, Right right) const;
  // Password states.
  bool isNotSetUp(int k) const;     // the sentinel
  bool needsPassword(int k) const;  // neither empty nor the sentinel

 private:
  std::array<Identity, kCount> identities_{};
};

// The word used in the prompt's label for slot k: 访问密码 / 用户密码 / 管理密码.
std::string PasswordWord(int k);

}  // namespace tarvolen
