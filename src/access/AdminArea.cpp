#include "access/AdminArea.h"

namespace tarvolen {

void AdminArea::Toggle() {
  if (isLocked()) return;
  open_ = !open_;
  if (!open_) page_ = -1;
  if (hooks_.keyboardForArea) hooks_.keyboardForArea(open_);
}

void AdminArea::SetCategoryEdit(bool on) {
  if (categoryEdit_ == on) return;
  categoryEdit_ = on;
  // The lists' files are opened for each change; leaving the edit mode
  // reminds that the changed names are complete only after a restart.
  if (!on) feedback_.PushMessage("请重新运行本程序以便修改的数据生效！");
}

Status AdminArea::Navigate(int page) {
  if (page < 0 || page >= kPages) return Status(ErrorCode::Refused, "no such page");
  if (isLocked()) return Status(ErrorCode::Refused, "confirmation open");
  if (page == static_cast<int>(Right::Students) && !(hooks_.studentsLoaded && hooks_.studentsLoaded())) {
    return feedback_.Refuse("数据正在载入！请稍后。");
  }
  if (Status s = operator_.Require(static_cast<Right>(page)); !s.ok()) return s;
  page_ = page;
  SetCategoryEdit(page == static_cast<int>(Right::Parameters));
  roomEdit_ = page == static_cast<int>(Right::Rooms);
  studentEdit_ = page == static_cast<int>(Right::Students);
  return Status::Ok();
}

}  // namespace tarvolen
