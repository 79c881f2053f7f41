#include "access/AdminArea.h"

#include "startup/Desk.h"

namespace tarvolen {

void AdminArea::Toggle() {
  open_ = !open_;
  if (open_) {
    desk_.cardInput().setMode(KeyboardMode::Administration);
  } else {
    desk_.cardInput().setMode(KeyboardMode::Normal);
    page_ = -1;
  }
}

void AdminArea::SetCategoryEdit(bool on) {
  if (categoryEdit_ == on) return;
  categoryEdit_ = on;
  // The lists' files are opened for each change; leaving the edit mode
  // reminds that the changed names are complete only after a restart.
  if (!on) desk_.PushMessage("请重新运行本程序以便修改的数据生效！");
}

Status AdminArea::Navigate(int page) {
  if (page < 0 || page >= kPages) return Status(ErrorCode::Refused, "no such page");
  if (page == 3 && !desk_.studentsLoaded()) return desk_.Refuse("数据正在载入！请稍后。");
  if (!desk_.CurrentIdentityHas(static_cast<Right>(page))) return desk_.Refuse("请以管理员身份进入。");
  page_ = page;
  SetCategoryEdit(page == 1);
  roomEdit_ = page == 2;
  studentEdit_ = page == 3;
  return Status::Ok();
}

}  // namespace tarvolen
