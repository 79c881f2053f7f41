// The five message line windows: window 1 shows the newest line, each window
// shows its line at the opacity of its level (level / 255) and leaves the
// screen once the line has faded; they lie across the bottom of the screen,
// newest lowest, in the message font and colour of the options.
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "notify/MessageLayout.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"
#include "ui/MessageWindows.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class MessageWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void theLoadingLineShowsInWindowOne();
  void newestLineInWindowOneOlderOnesMoveUp();
  void opacityFollowsTheLevelAndFadedLinesLeave();
  void sixPushesKeepTheLastFive();
  void windowsLieAcrossTheBottomOfTheScreen();
  void fontAndColourComeFromTheOptions();
  void topMostWindowsThatTakeNoInput();

 private:
  MessageWindows& stack() { return main_->messageWindows(); }
  int level(int k) { return demo_->desk().notifier().stack().level(k); }
  // The window's opacity on the 0..255 scale of the levels.
  int shownLevel(int k) { return qRound(stack().window(k)->windowOpacity() * 255.0); }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MessageWindowsTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  main_->render();
}

void MessageWindowsTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MessageWindowsTest::theLoadingLineShowsInWindowOne() {
  QCOMPARE(stack().label(1)->text(), QStringLiteral("数据已经载入完毕"));
  QCOMPARE(level(1), 250);
  QCOMPARE(shownLevel(1), 250);
  QVERIFY(stack().window(1)->isVisible());
  for (int k = 2; k <= 5; ++k) {
    QCOMPARE(stack().label(k)->text(), QString());
    QVERIFY(!stack().window(k)->isVisible());
  }
}

void MessageWindowsTest::newestLineInWindowOneOlderOnesMoveUp() {
  demo_->desk().PushMessage("第一行");
  demo_->desk().PushMessage("第二行");
  QCOMPARE(stack().label(1)->text(), QStringLiteral("第二行"));
  QCOMPARE(stack().label(2)->text(), QStringLiteral("第一行"));
  QCOMPARE(stack().label(3)->text(), QStringLiteral("数据已经载入完毕"));
  QCOMPARE(shownLevel(1), 250);
  QCOMPARE(shownLevel(2), 245);
  QCOMPARE(shownLevel(3), 240);
  for (int k = 1; k <= 3; ++k) QVERIFY(stack().window(k)->isVisible());
  QVERIFY(!stack().window(4)->isVisible());
}

void MessageWindowsTest::opacityFollowsTheLevelAndFadedLinesLeave() {
  demo_->desk().PushMessage("甲");
  demo_->desk().PushMessage("乙");
  for (int step = 0; step < 60; ++step) {
    for (int k = 1; k <= 5; ++k) {
      QCOMPARE(shownLevel(k), level(k));
      QCOMPARE(stack().window(k)->isVisible(), level(k) > 0);
    }
    demo_->timers().advance(200);
  }
  // Every line has faded and left the screen; the texts stay.
  for (int k = 1; k <= 5; ++k) QVERIFY(!stack().window(k)->isVisible());
  QCOMPARE(stack().label(1)->text(), QStringLiteral("乙"));

  // A new line after that replaces window 1's text and shows alone.
  demo_->desk().PushMessage("丙");
  QCOMPARE(stack().label(1)->text(), QStringLiteral("丙"));
  QCOMPARE(stack().label(2)->text(), QStringLiteral("甲"));
  QCOMPARE(shownLevel(1), 250);
  QVERIFY(stack().window(1)->isVisible());
  QVERIFY(!stack().window(2)->isVisible());
}

void MessageWindowsTest::sixPushesKeepTheLastFive() {
  const QStringList lines = {QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("三"),
                             QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六")};
  for (const QString& l : lines) demo_->desk().PushMessage(l.toStdString());
  for (int k = 1; k <= 5; ++k) {
    QCOMPARE(stack().label(k)->text(), lines[6 - k]);
    QVERIFY(stack().window(k)->isVisible());
    QCOMPARE(shownLevel(k), 250 - 5 * (k - 1));
  }
}

void MessageWindowsTest::windowsLieAcrossTheBottomOfTheScreen() {
  demo_->desk().PushMessage("一");
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const int h = stack().window(1)->height();
  QVERIFY(h >= stack().label(1)->fontMetrics().height());
  for (int k = 1; k <= 5; ++k) {
    QWidget* w = stack().window(k);
    QCOMPARE(w->width(), screen.width());
    QCOMPARE(w->x(), screen.x());
    QCOMPARE(w->height(), h);
    QCOMPARE(w->y(), screen.y() + MessageWindowTop(screen.height(), h, k));
    QCOMPARE(stack().label(k)->width(), screen.width());
    QVERIFY(stack().label(k)->alignment().testFlag(Qt::AlignHCenter));
  }
  // Window 1 right above the 32-pixel strip at the bottom.
  QCOMPARE(stack().window(1)->geometry().bottom() + 1, screen.bottom() + 1 - 32);
}

void MessageWindowsTest::fontAndColourComeFromTheOptions() {
  // The demo stores "WenQuanYi Micro Hei", 14 points, and 0x0000C0.
  for (int k = 1; k <= 5; ++k) {
    QLabel* l = stack().label(k);
    QCOMPARE(l->font().family(), QStringLiteral("WenQuanYi Micro Hei"));
    QCOMPARE(l->font().pointSize(), 14);
    QVERIFY(!l->font().bold());
    QCOMPARE(l->palette().color(QPalette::WindowText), QColor(0xC0, 0, 0));
  }
  // Changed options show with the next redraw.
  demo_->desk().options().messageColour = 0x00FF8000;  // 0x00BBGGRR: blue 255, green 128
  demo_->desk().options().font.bold = true;
  demo_->desk().options().font.size = 20;
  demo_->desk().PushMessage("大字");
  for (int k = 1; k <= 5; ++k) {
    QCOMPARE(stack().label(k)->palette().color(QPalette::WindowText), QColor(0, 0x80, 0xFF));
    QVERIFY(stack().label(k)->font().bold());
    QCOMPARE(stack().label(k)->font().pointSize(), 20);
  }
}

void MessageWindowsTest::topMostWindowsThatTakeNoInput() {
  const char* const names[] = {"FMsg1", "Fmsg2", "Fmsg3", "Fmsg4", "Fmsg5"};
  for (int k = 1; k <= 5; ++k) {
    QWidget* w = stack().window(k);
    QCOMPARE(w->objectName(), QString::fromLatin1(names[k - 1]));
    QVERIFY(w->isWindow());
    const Qt::WindowFlags f = w->windowFlags();
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.testFlag(Qt::WindowTransparentForInput));
    QVERIFY(f.testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(w->testAttribute(Qt::WA_TranslucentBackground));
  }
}

QTEST_MAIN(MessageWindowsTest)
#include "MessageWindowsTest.moc"
