#pragma once
// The query window: the result grid MSFle with its three fixed lines (the
// averages, the totals and the column titles, which sort on a click) above
// the records, the export settings panel Picture1 and the buttons
// 导出格式设置 (Command6), 导出电子表格 (Command2), 打印 (Command1) and 结束
// (Command3). It draws the desk's ResultGrid; the export and every rule
// of the grid are the core's, the window only paints the printed pages.
#include <QWidget>
#include <array>

class QCheckBox;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTableView;

namespace tarvolen {

class Desk;
class FileDialogs;
class ResultLinesModel;
class WorkbookWriter;

class QueryWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kSelectors = 30;

  QueryWindow(Desk& desk, FileDialogs& dialogs, WorkbookWriter& workbooks, QWidget* parent = nullptr);
  ~QueryWindow() override;

  // Draws the grid and the panel anew (after a query, a sort, a close).
  void render();
  // The selection as a printed table on `printer` (a PDF or a real one).
  void PaintPages(QPrinter& printer);
  // The same into a PDF file; false when it could not be written.
  bool PrintToPdf(const QString& path);

  QTableView* fixedLines() const { return fixed_; }
  QTableView* records() const { return body_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command6_Click();
  void TitleClicked(int column);
  void RenderPanel();
  void FitColumns();

  Desk& desk_;
  FileDialogs& dialogs_;
  WorkbookWriter& workbooks_;
  ResultLinesModel* fixedModel_;
  ResultLinesModel* bodyModel_;
  QTableView* fixed_;
  QTableView* body_;
  QWidget* picture1_;
  std::array<QCheckBox*, kSelectors> check1_{};
  std::array<QLineEdit*, 2> text1_{};
  QCheckBox* check2_;
  QCheckBox* check3_;
};

}  // namespace tarvolen
