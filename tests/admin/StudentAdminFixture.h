#pragma once
// The demo installation's desk with the administrator logged in and the
// page "学生数据" open (its edit mode on), for the student list and editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "desk/SessionEngine.h"
#include "store/FileFaults.h"
#include "support/Installation.h"

namespace tarvolen::testing {

class StudentAdminTest : public ::testing::Test {
 protected:
  static constexpr CivilDate kToday{2012, 9, 3};

  void SetUp() override {
    inst_.clock().set({kToday, 9, 30, 0});
    desk_ = inst_.startDesk();
    desk_->mainWindowForeground = [] { return true; };
    desk_->prompt().setPassword("pw");
    desk_->prompt().setSecond("pw");
    ASSERT_EQ(desk_->ConfirmIdentity(), IdentityPrompt::Outcome::FirstRunDone);
    desk_->adminArea().Toggle();
    ASSERT_TRUE(desk_->adminArea().Navigate(3).ok());
    ASSERT_TRUE(desk_->adminArea().studentEdit());
  }
  void TearDown() override { FileFaults::Clear(); }

  StudentList& list() { return desk_->studentList(); }
  StudentEditor& editor() { return desk_->studentEditor(); }
  std::string LastMessage() const {
    const auto& h = desk_->notifier().history();
    return h.empty() ? "" : h.back();
  }
  bool Announced(const std::string& what) const {
    const auto& h = desk_->notifier().history();
    return std::find(h.begin(), h.end(), what) != h.end();
  }
  StudentRecord OnDisk(int slot) const {
    StudentTable t;
    EXPECT_TRUE(t.load(inst_.folder()).ok());
    return t[slot];
  }
  // All filters unlimited: every student listed.
  void ShowEveryone() {
    for (int f = 0; f < 3; ++f) list().ChooseFilter(f, 0);
  }
  // Student `slot`'s row made the only selected and current one.
  void Pick(int slot) {
    const int row = list().RowOf(slot);
    ASSERT_GE(row, 0) << slot;
    list().SetSelection({row}, row);
  }

  Installation inst_{true, kToday};
  std::unique_ptr<Desk> desk_;
};

}  // namespace tarvolen::testing
