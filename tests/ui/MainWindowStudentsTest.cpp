// The page 学生数据 inside the main window: the list drawn from the desk's
// rows, a click loading the editor, a search selecting the row, and a
// Ctrl-click on a name of the session list opening the page on that student.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "desk/SessionEngine.h"
#include "ui/AdminAreaWidget.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class MainWindowStudentsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void theListShowsTheNewestGradeAndLoadsARow();
  void aCtrlClickOnASessionNameOpensTheStudent();
  void aPlainClickDoesNotJump();

 private:
  template <typename W>
  W* child(const QString& name) const {
    W* w = main_->findChild<W*>(name);
    if (w == nullptr) qWarning("no child %s", qPrintable(name));
    return w;
  }
  void click(const QString& name) {
    auto* b = child<QPushButton>(name);
    QVERIFY(b != nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
  }
  QWidget* sessionNameCell(int row) const {
    return main_->findChildren<QWidget*>(QStringLiteral("Labname_%1").arg(row)).value(0);
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowStudentsTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
}

void MainWindowStudentsTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MainWindowStudentsTest::theListShowsTheNewestGradeAndLoadsARow() {
  click(QStringLiteral("Command5"));
  click(QStringLiteral("Option1_3"));
  auto* list = child<QListWidget>(QStringLiteral("List1"));
  QVERIFY(list->isVisible());
  QCOMPARE(list->count(), 4);
  QVERIFY(list->item(1)->text().endsWith(QStringLiteral("0006")));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  QCOMPARE(child<QLineEdit>(QStringLiteral("Combo3_2"))->text(), QStringLiteral("杨帆"));
  QVERIFY(child<QPushButton>(QStringLiteral("Command8"))->isEnabled());

  // A search selects the row it finds.
  child<QLineEdit>(QStringLiteral("Text15"))->setText(QStringLiteral("徐丽"));
  emit child<QLineEdit>(QStringLiteral("Text15"))->textEdited(QStringLiteral("徐丽"));
  click(QStringLiteral("Command44"));
  QCOMPARE(list->selectedItems().size(), 1);
  QVERIFY(list->selectedItems()[0]->text().endsWith(QStringLiteral("0011")));
}

void MainWindowStudentsTest::aCtrlClickOnASessionNameOpensTheStudent() {
  QVERIFY(demo_->desk().engine().CheckIn(2, 1));
  demo_->desk().engine().RefreshBoards();
  main_->render();
  QWidget* cell = sessionNameCell(0);
  QVERIFY(cell != nullptr);
  QTest::mouseClick(cell, Qt::LeftButton, Qt::ControlModifier);
  QCOMPARE(demo_->desk().adminArea().page(), 3);
  auto* list = child<QListWidget>(QStringLiteral("List1"));
  QVERIFY(list->isVisible());
  QCOMPARE(list->selectedItems().size(), 1);
  QVERIFY(list->selectedItems()[0]->text().endsWith(QStringLiteral("0002")));
}

void MainWindowStudentsTest::aPlainClickDoesNotJump() {
  QVERIFY(demo_->desk().engine().CheckIn(2, 1));
  demo_->desk().engine().RefreshBoards();
  main_->render();
  QTest::mouseClick(sessionNameCell(0), Qt::LeftButton);
  QVERIFY(!demo_->desk().adminArea().isOpen());
  QTest::mouseClick(sessionNameCell(0), Qt::RightButton, Qt::ControlModifier);
  QVERIFY(!demo_->desk().adminArea().isOpen());
}

QTEST_MAIN(MainWindowStudentsTest)
#include "MainWindowStudentsTest.moc"
