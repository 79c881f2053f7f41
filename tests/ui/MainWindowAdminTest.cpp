// The administration area inside the main window: Command5 opens it over
// the lists and closes it again, card swipes are ignored while it is open,
// the navigation shows what the identity may use, and its pages act on the
// desk the main window draws (options, title, switching identity).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "access/AdminArea.h"
#include "cardinput/CardInput.h"
#include "desk/SessionEngine.h"
#include "ui/AdminAreaWidget.h"
#include "ui/DemoMainWindow.h"
#include "ui/LogIn.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class MainWindowAdminTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void command5OpensAndClosesTheArea();
  void swipesAreIgnoredWhileTheAreaIsOpen();
  void theAreaStaysOverTheStudentPanel();
  void navigationFollowsTheIdentity_data();
  void navigationFollowsTheIdentity();
  void anOptionChangedThereReachesTheDesk();
  void theSettingsPageSwitchAsksTheMainWindowToSwitch();

 private:
  template <typename W>
  W* child(const QString& name) const {
    W* w = main_->findChild<W*>(name);
    if (w == nullptr) qWarning("no child %s", qPrintable(name));
    return w;
  }
  void clickButton(const QString& name) {
    auto* b = child<QPushButton>(name);
    QVERIFY(b != nullptr);
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
  }
  bool areaShown() const { return child<QWidget>(QStringLiteral("Picture2"))->isVisible(); }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowAdminTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
}

void MainWindowAdminTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MainWindowAdminTest::command5OpensAndClosesTheArea() {
  QVERIFY(!areaShown());
  QVERIFY(child<QWidget>(QStringLiteral("Picture1"))->isVisible());

  clickButton(QStringLiteral("Command5"));
  QVERIFY(areaShown());
  QVERIFY(demo_->desk().adminArea().isOpen());
  QCOMPARE(demo_->desk().cardInput().mode(), KeyboardMode::Administration);

  clickButton(QStringLiteral("Option1_0"));
  QCOMPARE(demo_->desk().adminArea().page(), 0);
  QVERIFY(child<QWidget>(QStringLiteral("Picture3_0"))->isVisible());

  clickButton(QStringLiteral("Command5"));
  QVERIFY(!areaShown());
  QCOMPARE(demo_->desk().adminArea().page(), -1);
  QCOMPARE(demo_->desk().cardInput().mode(), KeyboardMode::Normal);

  // Opened again, no page is shown until one is picked.
  clickButton(QStringLiteral("Command5"));
  QVERIFY(areaShown());
  for (int i = 0; i < AdminArea::kPages; ++i) {
    QVERIFY(!child<QWidget>(QStringLiteral("Picture3_%1").arg(i))->isVisible());
    QVERIFY(!child<QPushButton>(QStringLiteral("Option1_%1").arg(i))->isChecked());
  }
}

void MainWindowAdminTest::swipesAreIgnoredWhileTheAreaIsOpen() {
  clickButton(QStringLiteral("Command5"));
  demo_->swipe("1001");
  QVERIFY(!demo_->desk().engine().dialogue().visible);
  QVERIFY(!child<QWidget>(QStringLiteral("Picture4"))->isVisible());

  clickButton(QStringLiteral("Command5"));
  demo_->swipe("1001");
  QVERIFY(demo_->desk().engine().dialogue().visible);
  QVERIFY(child<QWidget>(QStringLiteral("Picture4"))->isVisible());
}

void MainWindowAdminTest::theAreaStaysOverTheStudentPanel() {
  demo_->swipe("1001");
  QVERIFY(child<QWidget>(QStringLiteral("Picture4"))->isVisible());
  clickButton(QStringLiteral("Command5"));
  QVERIFY(areaShown());
  // The area is the topmost child of the board: a point in the middle of
  // it belongs to the area, not to the panel under it.
  QWidget* area = child<QWidget>(QStringLiteral("Picture2"));
  QWidget* board = area->parentWidget();
  QWidget* hit = board->childAt(area->geometry().center());
  QVERIFY(hit != nullptr);
  QVERIFY(hit == area || area->isAncestorOf(hit));
}

void MainWindowAdminTest::navigationFollowsTheIdentity_data() {
  QTest::addColumn<int>("identity");
  QTest::addColumn<QString>("visible");  // one character per button

  QTest::newRow("administrator") << 6 << "111111111";
  QTest::newRow("visitor") << 0 << "000000000";
  QTest::newRow("user one") << 1 << "100000100";  // 设置 + 统计查询
}

void MainWindowAdminTest::navigationFollowsTheIdentity() {
  QFETCH(int, identity);
  QFETCH(QString, visible);

  Desk& desk = demo_->desk();
  if (identity == 1) {
    // User one is delivered without a password: the administrator gives it one.
    desk.userPage().Select(1);
    desk.userPage().typePassword("Viola1");
    desk.userPage().typeConfirmation("Viola1");
    QVERIFY(desk.userPage().Save().ok());
  }
  desk.SwitchIdentity();
  const char* password = identity == 1 ? "Viola1" : identity == 6 ? "Liszt1811" : "";
  QCOMPARE(LogInAs(desk, identity, password), IdentityPrompt::Outcome::Confirmed);
  QCOMPARE(desk.currentIdentity(), identity);
  main_->render();

  clickButton(QStringLiteral("Command5"));
  for (int i = 0; i < AdminArea::kPages; ++i) {
    QCOMPARE(child<QPushButton>(QStringLiteral("Option1_%1").arg(i))->isVisible(), visible[i] == QLatin1Char('1'));
  }
}

void MainWindowAdminTest::anOptionChangedThereReachesTheDesk() {
  clickButton(QStringLiteral("Command5"));
  clickButton(QStringLiteral("Option1_0"));
  auto* sound = child<QCheckBox>(QStringLiteral("CheckSound"));
  QVERIFY(sound != nullptr && sound->isVisible());
  const bool before = demo_->desk().options().soundOn;
  QCOMPARE(sound->isChecked(), before);
  QTest::mouseClick(sound, Qt::LeftButton, {}, QPoint(6, sound->height() / 2));
  QCOMPARE(demo_->desk().options().soundOn, !before);

  // The assignment mode chosen there is the one the desk uses.
  auto* mode = child<QComboBox>(QStringLiteral("ComboMode"));
  QVERIFY(mode != nullptr && mode->isVisible());
  const int next = (mode->currentIndex() + 1) % mode->count();
  mode->setCurrentIndex(next);
  emit mode->activated(next);
  QCOMPARE(demo_->desk().options().assignmentMode, next);
}

void MainWindowAdminTest::theSettingsPageSwitchAsksTheMainWindowToSwitch() {
  clickButton(QStringLiteral("Command5"));
  clickButton(QStringLiteral("Option1_0"));
  QSignalSpy switched(main_.get(), &MainWindow::switchRequested);
  auto* page = child<QWidget>(QStringLiteral("Picture3_0"));
  auto* command14 = page->findChild<QPushButton*>(QStringLiteral("Command14"));
  QVERIFY(command14 != nullptr && command14->isVisible());
  QTest::mouseClick(command14, Qt::LeftButton);
  QCOMPARE(switched.count(), 1);
}

QTEST_MAIN(MainWindowAdminTest)
#include "MainWindowAdminTest.moc"
