#pragma once
// The administration area (Picture2): the nine navigation buttons
// Option1(0..8) and their pages Picture3(0..8). It forwards every action
// to the desk and draws the desk's state in render(); the window that holds
// it opens and closes it with Command5 and calls render() after every change.
#include <QWidget>
#include <array>
#include <memory>

#include "ui/AdminDialogs.h"

class QCheckBox;
class QPushButton;

namespace tarvolen {

class AdminBackupPage;
class AdminCompanyPage;
class AdminMembersPage;
class AdminParametersPage;
class AdminQueryPage;
class AdminRoomsPage;
class AdminSettingsPage;
class AdminStudentsPage;
class AdminUsersPage;
class Desk;

class AdminAreaWidget : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kPages = 9;

  explicit AdminAreaWidget(Desk& desk, QWidget* parent = nullptr);
  ~AdminAreaWidget() override;

  // Draws the desk's state: which buttons and which page show, and every
  // value and enabled state of the pages.
  void render();

  // The dialogs the pages open (colour, font, photo, custom name); the
  // platform's own unless replaced.
  void setDialogs(AdminDialogs dialogs) { dialogs_ = std::move(dialogs); }

  QPushButton* navigationButton(int i) const { return option1_[static_cast<size_t>(i)]; }
  QWidget* page(int i) const { return picture3_[static_cast<size_t>(i)]; }
  AdminMembersPage& membersPage() const { return *members_; }
  AdminRoomsPage& roomsPage() const { return *rooms_; }
  AdminQueryPage& queryPage() const { return *queries_; }

 signals:
  // "切换用户" (Command14) was pressed.
  void switchIdentityRequested();
  // The custom display name changed: the main window's title follows.
  void titleChanged();
  // Something was handed to the desk (an option, a colour, a list entry...):
  // other windows may have to redraw.
  void changed();

 private:
  QWidget* MakePlaceholder(int i);
  void Option1_Click(int i);
  void After();

  Desk& desk_;
  AdminDialogs dialogs_;
  std::array<QPushButton*, kPages> option1_{};
  std::array<QWidget*, kPages> picture3_{};  // scroll areas
  AdminSettingsPage* settings_;
  AdminParametersPage* parameters_;
  AdminUsersPage* users_;
  AdminCompanyPage* company_;
  AdminMembersPage* members_;
  AdminStudentsPage* students_;
  AdminRoomsPage* rooms_;
  AdminQueryPage* queries_;
  AdminBackupPage* backup_;
};

}  // namespace tarvolen
