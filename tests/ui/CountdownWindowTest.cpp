// The yes/no countdown box (FMSG) as the desk asks it: a second swipe within
// the protection time asks whether to check out. The default button counts
// down in its caption and presses itself; the buttons forward to the desk
// after the input guard; the close control is refused; the main window is
// disabled while the box is open.
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "ui/CountdownWindow.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

namespace {
const QString kQuestion = QStringLiteral("此卡用时未超过2分钟,是否要下线？");
}

class CountdownWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void opensWithTheQuestionAndDisablesTheMainWindow();
  void captionsCountDownAndTheDefaultPressesItself();
  void closeIsRefused();
  void noKeepsTheSession();
  void yesChecksOut();
  void pressesDuringTheGuardAreIgnored();

 private:
  void askCheckOut();
  CountdownWindow& box() { return main_->countdownWindow(); }
  QPushButton* yes() { return box().findChild<QPushButton*>(QStringLiteral("Command1_0")); }
  QPushButton* no() { return box().findChild<QPushButton*>(QStringLiteral("Command1_1")); }
  int sessions() { return static_cast<int>(demo_->desk().sessions().count()); }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void CountdownWindowTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
}

void CountdownWindowTest::cleanup() {
  main_.reset();
  demo_.reset();
}

// Checks 1001 in, then swipes it again at once: within 登录保护 (2 minutes).
void CountdownWindowTest::askCheckOut() {
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);
  QCOMPARE(sessions(), 1);
  QVERIFY(!box().isVisible());
  QVERIFY(main_->isEnabled());
  demo_->swipe("1001");
}

void CountdownWindowTest::opensWithTheQuestionAndDisablesTheMainWindow() {
  askCheckOut();
  QVERIFY(box().isVisible());
  QCOMPARE(box().objectName(), QStringLiteral("FMSG"));
  QCOMPARE(box().windowTitle(), QStringLiteral("提示"));
  QVERIFY(box().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(box().textLabel()->text(), kQuestion);
  QCOMPARE(yes()->text(), QStringLiteral("是(15)"));
  QCOMPARE(no()->text(), QStringLiteral("否"));
  QVERIFY(!main_->isEnabled());
  QCOMPARE(sessions(), 1);
}

void CountdownWindowTest::captionsCountDownAndTheDefaultPressesItself() {
  askCheckOut();
  for (int shown = 14; shown >= 0; --shown) {
    demo_->timers().advance(1000);
    QCOMPARE(yes()->text(), QStringLiteral("是(%1)").arg(shown));
    QCOMPARE(no()->text(), QStringLiteral("否"));
    QVERIFY(box().isVisible());
    QCOMPARE(sessions(), 1);
  }
  // One second after showing 0, "是" presses itself: the check-out.
  demo_->timers().advance(1000);
  QVERIFY(!box().isVisible());
  QVERIFY(main_->isEnabled());
  QCOMPARE(sessions(), 0);
  QCOMPARE(main_->findChild<QLabel*>(QStringLiteral("Labname_0"))->text(), QString());
}

void CountdownWindowTest::closeIsRefused() {
  askCheckOut();
  QVERIFY(!box().close());
  QVERIFY(box().isVisible());
  QVERIFY(demo_->desk().countdown().view().visible);
  QVERIFY(!main_->isEnabled());
}

void CountdownWindowTest::noKeepsTheSession() {
  askCheckOut();
  demo_->timers().advance(300);  // past the input guard
  QTest::mouseClick(no(), Qt::LeftButton);
  QVERIFY(!box().isVisible());
  QVERIFY(main_->isEnabled());
  QCOMPARE(sessions(), 1);
  QCOMPARE(main_->findChild<QLabel*>(QStringLiteral("Labname_0"))->text(), QStringLiteral("张伟"));
}

void CountdownWindowTest::yesChecksOut() {
  askCheckOut();
  demo_->timers().advance(300);
  QTest::mouseClick(yes(), Qt::LeftButton);
  QVERIFY(!box().isVisible());
  QVERIFY(main_->isEnabled());
  QCOMPARE(sessions(), 0);
  QCOMPARE(main_->findChild<QLabel*>(QStringLiteral("Label3_3"))->text(), QStringLiteral("在线：0"));
}

void CountdownWindowTest::pressesDuringTheGuardAreIgnored() {
  askCheckOut();
  demo_->timers().advance(299);
  QTest::mouseClick(yes(), Qt::LeftButton);
  QTest::mouseClick(no(), Qt::LeftButton);
  QVERIFY(box().isVisible());
  QCOMPARE(sessions(), 1);
  demo_->timers().advance(1);
  QTest::mouseClick(no(), Qt::LeftButton);
  QVERIFY(!box().isVisible());
  QCOMPARE(sessions(), 1);
}

QTEST_MAIN(CountdownWindowTest)
#include "CountdownWindowTest.moc"
