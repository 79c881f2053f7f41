// The main window's size and state: the saved size is applied at the first
// showing, a resize is reported to the desk in twips, and save-and-exit
// never stores less than the minimum size.
#include <QScreen>
#include <QtTest>
#include <algorithm>
#include <memory>

#include "store/SettingsFile.h"
#include "store/SettingsLayout.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;
using namespace tarvolen::settings;

class MainWindowGeometryTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void savedSizeIsApplied();
  void aSavedSizeBeyondTheScreenIsCut();
  void aResizeIsReportedInTwips();
  void maximisedStateIsReportedAndSaved();
  void nothingIsReportedBeforeTheSavedSizeIsApplied();

 private:
  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowGeometryTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  QVERIFY(demo_->logIn());
}

void MainWindowGeometryTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MainWindowGeometryTest::savedSizeIsApplied() {
  // The offscreen screen is 800 x 600: a height within it shows the saved
  // size applied (the end-to-end test sees a wider window come back).
  demo_->desk().options().windowWidth = 13125;
  demo_->desk().options().windowHeight = 8700;  // 580 px
  main_->applySavedGeometry();
  main_->show();
  QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  QCOMPARE(main_->size(), QSize(875, 580));
}

void MainWindowGeometryTest::aSavedSizeBeyondTheScreenIsCut() {
  demo_->desk().options().windowWidth = 2147483647;
  demo_->desk().options().windowHeight = 2147483647;
  main_->applySavedGeometry();
  main_->show();
  QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
  QVERIFY(main_->width() <= std::max(screen.width(), 875));
  QVERIFY(main_->height() <= std::max(screen.height(), 547));
}

void MainWindowGeometryTest::aResizeIsReportedInTwips() {
  main_->applySavedGeometry();
  main_->show();
  QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  demo_->desk().dirty() = {};
  main_->resize(1100, 800);
  QTRY_COMPARE(demo_->desk().options().windowWidth, main_->frameGeometry().width() * 15);
  QCOMPARE(demo_->desk().options().windowHeight, main_->frameGeometry().height() * 15);
  QVERIFY(demo_->desk().dirty().isSet(OptionGroup::Window));

  // Below the minimum the window does not go, and the exit stores at least
  // the minimum in any case.
  main_->resize(300, 200);
  QVERIFY(main_->width() >= 875);
  demo_->desk().options().windowWidth = 3000;
  demo_->desk().options().windowHeight = 2000;
  demo_->desk().SaveAndExit();
  auto settings = SettingsFile::Open(demo_->root() / "set.dat");
  QVERIFY(settings.ok());
  QCOMPARE(settings->longAt(kWindowWidth), kMinWindowWidth);
  QCOMPARE(settings->longAt(kWindowHeight), kMinWindowHeight);
}

void MainWindowGeometryTest::maximisedStateIsReportedAndSaved() {
  main_->applySavedGeometry();
  main_->show();
  QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  main_->setWindowState(Qt::WindowMaximized);
  QTRY_COMPARE(demo_->desk().options().windowState, 2);
  demo_->desk().SaveAndExit();
  auto settings = SettingsFile::Open(demo_->root() / "set.dat");
  QVERIFY(settings.ok());
  QCOMPARE(settings->integerAt(kWindowState), 2);
}

void MainWindowGeometryTest::nothingIsReportedBeforeTheSavedSizeIsApplied() {
  demo_->desk().dirty() = {};
  main_->resize(1000, 700);
  main_->show();
  QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  QVERIFY(!demo_->desk().dirty().isSet(OptionGroup::Window));
}

QTEST_MAIN(MainWindowGeometryTest)
#include "MainWindowGeometryTest.moc"
