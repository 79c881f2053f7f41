#pragma once
// Page 6 "统计查询" of the administration area: the mode buttons Option4,
// the source list Combo9, the display-mode list Combo10 with Check15, the
// 29 criterion rows (Check14, Labfrom, Label26, Labto, Label28), the value
// editors Textdate, Picdate and Listdate, the search button Command26 and
// 使用率 (CommandUsage), which opens the utilisation window.
// The page's state is the desk's QueryPage; render() draws it. The query
// window it opens is its own top-level window.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "notify/Signal.h"
#include "platform/qt/QtFileDialogs.h"
#include "ui/UtilisationImage.h"
#include "platform/qt/XlsxWorkbookWriter.h"
#include "query/QueryRows.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tarvolen {

class Desk;
class QueryWindow;
class UtilisationWindow;

class AdminQueryPage : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kRows = query::kRows;

  AdminQueryPage(Desk& desk, std::function<void()> changed, QWidget* parent = nullptr);
  ~AdminQueryPage() override;

  void render();
  QueryWindow& queryWindow() const { return *window_; }
  UtilisationWindow& utilisationWindow() const { return *usage_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Combo9_Click(int index);
  void Combo10_Click(int index);
  void Check14_Click(int j, bool on);
  void Label28_Click(int j);
  void Value_MouseDown(int j, bool to);
  void Command26_Click();
  void CommandUsage_Click();
  void EditDate(int j, bool to);
  void EditList(int j, bool to);
  void ParkText();
  void ShowWindow();
  void After();

  Desk& desk_;
  std::function<void()> changed_;
  QtFileDialogs dialogs_;
  XlsxWorkbookWriter workbooks_;
  std::unique_ptr<QueryWindow> window_;
  Connections listening_;
  std::array<QRadioButton*, 2> option4_{};
  QComboBox* combo9_;
  QComboBox* combo10_;
  QCheckBox* check15_;
  std::array<QCheckBox*, kRows> check14_{};
  std::array<QPushButton*, kRows> labfrom_{};
  std::array<QLabel*, kRows> label26_{};
  std::array<QPushButton*, kRows> labto_{};
  std::array<QPushButton*, kRows> label28_{};
  QLineEdit* textdate_;
  int textRow_ = -1;  // the value Textdate serves
  bool textTo_ = false;
  QPushButton* command26_;
  QtUtilisationFiles pictures_;
  QtFileDialogs usageDialogs_;  // over the utilisation window, the active one when it asks
  std::unique_ptr<UtilisationWindow> usage_;
  QPushButton* commandUsage_;
};

}  // namespace tarvolen
