// The page "数据备份" inside the main window, on the demo installation: the
// boxes reach the desk's backup, the button runs it and the page shows the
// progress while the timer carries the copy; the two panels open and close
// with their buttons and show the delivered values.
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <memory>

#include "ui/AdminAreaWidget.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class AdminBackupPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void typedBoxesAndTheButtonMakeABackup();
  void thePanelsOpenAndCloseWithTheirButtons();

 private:
  template <typename W>
  W* child(const QString& name) const {
    W* w = main_->findChild<W*>(name);
    if (w == nullptr) qWarning("no child %s", qPrintable(name));
    return w;
  }
  void click(const QString& name) {
    auto* b = child<QAbstractButton>(name);
    QVERIFY(b != nullptr);
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(8, b->height() / 2));
  }
  void type(const QString& name, const QString& text) {
    auto* e = child<QLineEdit>(name);
    QVERIFY(e != nullptr);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    QTest::keyClicks(e, text);
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void AdminBackupPageTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
  click(QStringLiteral("Command5"));
  click(QStringLiteral("Option1_7"));
  QCOMPARE(demo_->desk().adminArea().page(), 7);
  QVERIFY(main_->adminArea().page(7)->isVisible());
}

void AdminBackupPageTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void AdminBackupPageTest::typedBoxesAndTheButtonMakeABackup() {
  QTemporaryDir store;
  QVERIFY(store.isValid());
  QCOMPARE(child<QLineEdit>(QStringLiteral("Text9"))->text(), QStringLiteral("2012年09月03日"));
  type(QStringLiteral("Dir1_0"), store.path());
  type(QStringLiteral("Text7"), QStringLiteral("week"));
  QCOMPARE(QString::fromStdString(demo_->desk().backup().folder(0)), store.path());
  click(QStringLiteral("Command23"));
  QVERIFY(demo_->desk().backup().busy());
  QVERIFY(child<QProgressBar>(QStringLiteral("BackupProgress"))->isVisible());
  QVERIFY(!child<QPushButton>(QStringLiteral("Command24"))->isEnabled());
  for (int i = 0; i < 1000 && demo_->desk().backup().busy(); ++i) demo_->timers().advance(1);
  QVERIFY(!demo_->desk().backup().busy());
  QCOMPARE(QString::fromStdString(demo_->boxes().boxes.back().text), QStringLiteral("备份成功"));
  QVERIFY(std::filesystem::exists(std::filesystem::path(store.path().toStdString()) / "week[2012年09月03日]" /
                                  "students.dat"));
  QVERIFY(!child<QProgressBar>(QStringLiteral("BackupProgress"))->isVisible());
  QVERIFY(child<QPushButton>(QStringLiteral("Command24"))->isEnabled());
}

void AdminBackupPageTest::thePanelsOpenAndCloseWithTheirButtons() {
  QVERIFY(!child<QWidget>(QStringLiteral("Picture8"))->isVisible());
  click(QStringLiteral("Command36"));
  QVERIFY(child<QWidget>(QStringLiteral("Picture8"))->isVisible());
  click(QStringLiteral("Check17_1"));
  QVERIFY(demo_->desk().clearing().ticked(1));
  click(QStringLiteral("Command37"));
  QVERIFY(!child<QWidget>(QStringLiteral("Picture8"))->isVisible());

  click(QStringLiteral("Command33"));
  QVERIFY(child<QWidget>(QStringLiteral("Picdel"))->isVisible());
  const char* delivered[] = {"5", "12", "10", "8", "15", "2", "15"};
  for (int i = 0; i < 7; ++i) {
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text12_%1").arg(i))->text(), QString::fromUtf8(delivered[i]));
  }
  type(QStringLiteral("Text12_0"), QStringLiteral("4"));
  QCOMPARE(demo_->desk().reinitialisation().box(0), std::string("4"));
  click(QStringLiteral("Command35"));
  QVERIFY(!child<QWidget>(QStringLiteral("Picdel"))->isVisible());
}

QTEST_MAIN(AdminBackupPageTest)
#include "AdminBackupPageTest.moc"
