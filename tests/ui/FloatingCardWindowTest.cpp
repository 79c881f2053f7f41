// The floating card window: the typed card number in three labels (white on
// top, two black shadows 1 and 2 pixels down and right), shown only while
// the main window is not in front and an identity has been confirmed; the
// main window reports its activation to the card input.
#include <QLabel>
#include <QtTest>
#include <memory>

#include "ui/DemoMainWindow.h"
#include "ui/FloatingCardWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class FloatingCardWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void hiddenBeforeAnIdentityIsConfirmed();
  void showsTheBufferWhileTheMainWindowIsBehind();
  void hiddenWhileTheMainWindowIsInFront();
  void followsTheMainWindowsActivation();
  void aTopMostWindowThatTakesNoInput();

 private:
  FloatingCardWindow& floating() { return main_->floatingCardWindow(); }
  void start(bool logIn);

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void FloatingCardWindowTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  // "焦点强制": card digits count while the main window is behind.
  demo_->desk().options().focusForced = true;
}

void FloatingCardWindowTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void FloatingCardWindowTest::start(bool logIn) {
  if (logIn) QVERIFY(demo_->logIn());
  main_->render();
}

void FloatingCardWindowTest::hiddenBeforeAnIdentityIsConfirmed() {
  start(false);
  demo_->desk().cardInput().setForeground(false);
  QVERIFY(demo_->desk().cardInput().floatingVisible());
  QVERIFY(!floating().isVisible());
  // The confirmation brings it up (the main window is still behind).
  QVERIFY(demo_->logIn());
  main_->render();
  QVERIFY(floating().isVisible());
}

void FloatingCardWindowTest::showsTheBufferWhileTheMainWindowIsBehind() {
  start(true);
  demo_->desk().mainWindowForeground = [] { return false; };
  demo_->desk().KeyDown(97);
  demo_->desk().KeyDown(98);
  demo_->desk().KeyDown(99);
  QVERIFY(floating().isVisible());
  for (int i = 0; i < 3; ++i) QCOMPARE(floating().label(i)->text(), QStringLiteral("123"));
  QCOMPARE(floating().label(0)->palette().color(QPalette::WindowText), QColor(Qt::white));
  QCOMPARE(floating().label(1)->palette().color(QPalette::WindowText), QColor(Qt::black));
  QCOMPARE(floating().label(2)->palette().color(QPalette::WindowText), QColor(Qt::black));
  QCOMPARE(floating().label(1)->pos() - floating().label(0)->pos(), QPoint(1, 1));
  QCOMPARE(floating().label(2)->pos() - floating().label(0)->pos(), QPoint(2, 2));
  QVERIFY(floating().label(0)->font().pointSize() >= 24);
  QCOMPARE(main_->findChild<QLabel*>(QStringLiteral("TKey"))->text(), QStringLiteral("123"));

  // Backspace takes the last digit off in both places.
  demo_->desk().KeyDown(8);
  QCOMPARE(floating().label(0)->text(), QStringLiteral("12"));
  QCOMPARE(floating().label(2)->text(), QStringLiteral("12"));
  // The digit timeout empties it.
  demo_->timers().advance(9999);
  QCOMPARE(floating().label(0)->text(), QString());
}

void FloatingCardWindowTest::hiddenWhileTheMainWindowIsInFront() {
  start(true);
  demo_->desk().mainWindowForeground = [] { return true; };
  demo_->desk().KeyDown(97);
  QVERIFY(!floating().isVisible());
  QCOMPARE(main_->findChild<QLabel*>(QStringLiteral("TKey"))->text(), QStringLiteral("1"));
  demo_->desk().mainWindowForeground = [] { return false; };
  demo_->desk().KeyDown(98);
  QVERIFY(floating().isVisible());
  QCOMPARE(floating().label(0)->text(), QStringLiteral("12"));
}

void FloatingCardWindowTest::followsTheMainWindowsActivation() {
  start(true);
  main_->show();
  main_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(main_.get()));
  QVERIFY(demo_->desk().cardInput().foreground());
  QVERIFY(!floating().isVisible());
  // The desk asks the window itself whether it is in front.
  QVERIFY(demo_->desk().mainWindowForeground());

  QWidget other;
  other.setWindowTitle(QStringLiteral("another program"));
  other.show();
  other.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&other));
  QVERIFY(!main_->isActiveWindow());
  QVERIFY(!demo_->desk().cardInput().foreground());
  QVERIFY(floating().isVisible());
  QVERIFY(!demo_->desk().mainWindowForeground());

  main_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(main_.get()));
  QVERIFY(demo_->desk().cardInput().foreground());
  QVERIFY(!floating().isVisible());
}

void FloatingCardWindowTest::aTopMostWindowThatTakesNoInput() {
  start(true);
  const Qt::WindowFlags f = floating().windowFlags();
  QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(f.testFlag(Qt::FramelessWindowHint));
  QVERIFY(f.testFlag(Qt::WindowTransparentForInput));
  QVERIFY(f.testFlag(Qt::WindowDoesNotAcceptFocus));
  QVERIFY(floating().testAttribute(Qt::WA_TranslucentBackground));
}

QTEST_MAIN(FloatingCardWindowTest)
#include "FloatingCardWindowTest.moc"
