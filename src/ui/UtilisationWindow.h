#pragma once
// The utilisation window (使用率 on the page 统计查询): the range DateFrom ..
// DateTo, the room choice ComboRooms, 统计 (CommandCount) with the progress
// ProgressCount and LabelStatus, the views OptionView_0 (按房间) and
// OptionView_1 (按星期), the heat map PictureUsage in ScrollPicture with the
// share under the pointer (tooltip and LabelHover), the figures GridFigures,
// the notes LabelNotes and the exports CommandPng, CommandPdf, CommandXlsx.
// It draws the desk's UtilisationDesk; every rule is the core's.
#include <QWidget>
#include <array>

#include "notify/Signal.h"

class QDateEdit;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QTableWidget;

namespace tarvolen {

class FileDialogs;
class UtilisationPictureWidget;
class WorkbookWriter;
namespace query {
class PictureFiles;
class UtilisationDesk;
}  // namespace query

class UtilisationWindow : public QWidget {
  Q_OBJECT
 public:
  UtilisationWindow(query::UtilisationDesk& desk, FileDialogs& dialogs, WorkbookWriter& workbooks,
                    query::PictureFiles& files, QWidget* parent = nullptr);
  ~UtilisationWindow() override;

  // Shows or hides the window as the desk says and draws its state.
  void render();

  UtilisationPictureWidget* picture() const { return picture_; }
  QTableWidget* figures() const { return figures_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CommandCount_Click();
  void CommandPng_Click();
  void CommandPdf_Click();
  void CommandXlsx_Click();
  void RenderReport();

  query::UtilisationDesk& desk_;
  FileDialogs& dialogs_;
  WorkbookWriter& workbooks_;
  query::PictureFiles& files_;
  Connections listening_;
  QDateEdit* dateFrom_;
  QDateEdit* dateTo_;
  QComboBox* comboRooms_;
  QPushButton* commandCount_;
  QProgressBar* progress_;
  QLabel* status_;
  std::array<QRadioButton*, 2> optionView_{};
  QScrollArea* scroll_;
  UtilisationPictureWidget* picture_;
  QLabel* hover_;
  QTableWidget* figures_;
  QLabel* notes_;
  QPushButton* commandPng_;
  QPushButton* commandPdf_;
  QPushButton* commandXlsx_;
  QPushButton* commandClose_;
  int drawnVersion_ = -1;
};

// The heat map: paints the picture the core laid out, only where exposed,
// and tells the cell under the pointer.
class UtilisationPictureWidget : public QWidget {
 public:
  UtilisationPictureWidget(const query::UtilisationDesk& desk, QLabel* hover, QWidget* parent);
  // The picture changed: the widget takes its size.
  void Reset();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  const query::UtilisationDesk& desk_;
  QLabel* hover_;
};

}  // namespace tarvolen
