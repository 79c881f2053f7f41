#pragma once
// The administration area (Picture2): opened and closed by one button
// (Command5), nine navigation buttons Option1(0..8) with their pages, and
// the edit-mode boxes that navigation ticks.
#include <array>
#include <functional>
#include <string>

#include "access/Operator.h"
#include "notify/Feedback.h"
#include "store/Result.h"

namespace tarvolen {

class AdminArea {
 public:
  static constexpr int kPages = 9;
  static constexpr std::array<const char*, kPages> kCaptions = {
      "设置", "参数设置", "房间数据", "学生数据", "用户管理", "会员管理", "统计查询", "数据备份", "企业信息"};

  struct Hooks {
    // The key handler: administration mode while the area is open (swipes
    // ignored), normal mode when it closes.
    std::function<void(bool open)> keyboardForArea;
    // Whether the students have loaded (page 3 waits for them).
    std::function<bool()> studentsLoaded;
    // While an operation waits for its confirmation the area and its
    // button take nothing.
    std::function<bool()> locked;
  };

  AdminArea(const Operator& op, Feedback& feedback, Hooks hooks)
      : operator_(op), feedback_(feedback), hooks_(std::move(hooks)) {}

  // Command5: opens (key handler to mode 3) or closes (mode 0, no page).
  void Toggle();
  bool isOpen() const { return open_; }
  bool isLocked() const { return hooks_.locked && hooks_.locked(); }

  // Option1(i): shows page i when the identity in use holds right i.
  Status Navigate(int page);
  int page() const { return page_; }  // -1: none

  // The edit-mode boxes: the category lists ("修改中", Check2), rooms
  // (Check3) and students (Check4). They keep their state when the area closes.
  bool categoryEdit() const { return categoryEdit_; }
  bool roomEdit() const { return roomEdit_; }
  bool studentEdit() const { return studentEdit_; }
  void SetCategoryEdit(bool on);
  void SetRoomEdit(bool on) { roomEdit_ = on; }
  void SetStudentEdit(bool on) { studentEdit_ = on; }

 private:
  const Operator& operator_;
  Feedback& feedback_;
  Hooks hooks_;
  bool open_ = false;
  int page_ = -1;
  bool categoryEdit_ = false;
  bool roomEdit_ = false;
  bool studentEdit_ = false;
};

}  // namespace tarvolen
