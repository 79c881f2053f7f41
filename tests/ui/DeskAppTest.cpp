// The program's own wiring (DeskApp) with the real Qt services: message
// boxes are modal QMessageBoxes titled "提示", the windows are connected to
// the desk, one desk per program folder, and the exit button saves.
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "platform/qt/LockFileInstance.h"
#include "ui/DeskApp.h"
#include "ui/DeskTestFolder.h"
#include "ui/IdentityPromptWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

namespace {

constexpr const char* kAdminPassword = "Chopin10";

// Answers every modal message box the way an operator does (Return), and
// remembers what each one showed.
class BoxAnswerer : public QObject {
 public:
  struct Seen {
    QString title;
    QString text;
    QString objectName;
    bool modal;
  };

  BoxAnswerer() {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) return;
      seen.push_back({box->windowTitle(), box->text(), box->objectName(),
                      box->isModal() && box->windowModality() != Qt::NonModal});
      QTest::keyClick(box, Qt::Key_Return);
    });
    timer_.start();
  }

  QStringList texts() const {
    QStringList t;
    for (const auto& s : seen) t << s.text;
    return t;
  }

  std::vector<Seen> seen;

 private:
  QTimer timer_;
};

}  // namespace

class DeskAppTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void firstRunShowsTheMainWindow();
  void wrongPasswordShowsAModalBox();
  void switchButtonBringsThePromptBack();
  void disabledMainWindowHandsActivationToThePrompt();
  void secondDeskOnTheSameFolderIsRefused();
  void missingSettingsStopsTheStart();
  // Last: save-and-exit asks the application to quit.
  void exitButtonSavesThePickedIdentity();

 private:
  int startApp();

  std::unique_ptr<Installation> inst_;
  std::unique_ptr<DeskApp> app_;
};

void DeskAppTest::initTestCase() { QuietPlatformWarnings(); }

void DeskAppTest::init() {
  // The real clock runs the desk: the installation is dated today.
  inst_ = std::make_unique<Installation>(false, SystemClock().today());
  QVERIFY(!QTest::currentTestFailed());
}

void DeskAppTest::cleanup() {
  app_.reset();
  inst_.reset();
}

int DeskAppTest::startApp() {
  app_ = std::make_unique<DeskApp>(QString::fromStdString(inst_->root().string()));
  return app_->start();
}

void DeskAppTest::firstRunShowsTheMainWindow() {
  BoxAnswerer boxes;
  QCOMPARE(startApp(), -1);
  IdentityPromptWindow& prompt = app_->prompt();
  QVERIFY(prompt.isVisible());
  QCOMPARE(prompt.windowTitle(), QStringLiteral("设定管理密码"));
  QVERIFY(!app_->mainWindow().isVisible());

  Type(prompt.passwordBox(), QString::fromLatin1(kAdminPassword));
  Type(prompt.secondBox(), QString::fromLatin1(kAdminPassword));
  QTest::keyClick(prompt.secondBox(), Qt::Key_Return);

  QCOMPARE(boxes.texts(), QStringList{});
  QVERIFY(app_->mainWindow().isVisible());
  QVERIFY(app_->mainWindow().isEnabled());
  QVERIFY(!prompt.isVisible());
  QCOMPARE(app_->desk().currentIdentity(), 6);
  QCOMPARE(Q(inst_->recordText(kRecPassword + 6)), QString::fromLatin1(kAdminPassword));
}

void DeskAppTest::wrongPasswordShowsAModalBox() {
  inst_->writeRecord(kRecPassword + 6, kAdminPassword);
  BoxAnswerer boxes;
  QCOMPARE(startApp(), -1);
  IdentityPromptWindow& prompt = app_->prompt();
  QCOMPARE(prompt.windowTitle(), QStringLiteral("管理员验证"));

  Type(prompt.passwordBox(), QStringLiteral("chopin10"));
  QTest::keyClick(prompt.passwordBox(), Qt::Key_Return);
  // The call above returned only after the box had been answered.
  QCOMPARE(boxes.seen.size(), size_t{1});
  QCOMPARE(boxes.seen[0].title, QStringLiteral("提示"));
  QCOMPARE(boxes.seen[0].text, QStringLiteral("密码错误！"));
  QCOMPARE(boxes.seen[0].objectName, QStringLiteral("messageBox"));
  QVERIFY(boxes.seen[0].modal);
  QVERIFY(prompt.isVisible());
  QVERIFY(prompt.passwordBox()->text().isEmpty());
  QVERIFY(!app_->mainWindow().isVisible());

  Type(prompt.passwordBox(), QString::fromLatin1(kAdminPassword));
  QTest::keyClick(prompt.passwordBox(), Qt::Key_Return);
  QCOMPARE(boxes.seen.size(), size_t{1});
  QVERIFY(app_->mainWindow().isVisible());
  QCOMPARE(app_->mainWindow().windowTitle(), QStringLiteral("音乐学院琴房 管理员"));
}

void DeskAppTest::switchButtonBringsThePromptBack() {
  inst_->writeRecord(kRecPassword + 6, kAdminPassword);
  BoxAnswerer boxes;
  QCOMPARE(startApp(), -1);
  IdentityPromptWindow& prompt = app_->prompt();
  MainWindow& main = app_->mainWindow();
  Type(prompt.passwordBox(), QString::fromLatin1(kAdminPassword));
  QTest::keyClick(prompt.passwordBox(), Qt::Key_Return);
  QVERIFY(main.isVisible());

  QTest::mouseClick(main.switchButton(), Qt::LeftButton);
  QVERIFY(prompt.isVisible());
  QVERIFY(main.isVisible());
  QVERIFY(!main.isEnabled());
  QCOMPARE(prompt.identityList()->currentIndex(), 6);

  prompt.identityList()->setCurrentIndex(0);
  QTest::mouseClick(prompt.cancelButton(), Qt::LeftButton);
  QVERIFY(!prompt.isVisible());
  QVERIFY(main.isEnabled());
  QCOMPARE(app_->desk().currentIdentity(), 6);
  QCOMPARE(main.windowTitle(), QStringLiteral("音乐学院琴房 管理员"));

  // Switching for real: the visitor, no password.
  QTest::mouseClick(main.switchButton(), Qt::LeftButton);
  prompt.identityList()->setCurrentIndex(0);
  QTest::mouseClick(prompt.confirmButton(), Qt::LeftButton);
  QVERIFY(main.isEnabled());
  QCOMPARE(app_->desk().currentIdentity(), 0);
  QCOMPARE(main.windowTitle(), QStringLiteral("音乐学院琴房 访客"));
  QCOMPARE(boxes.texts(), QStringList{});
}

void DeskAppTest::disabledMainWindowHandsActivationToThePrompt() {
  inst_->writeRecord(kRecPassword + 6, kAdminPassword);
  BoxAnswerer boxes;
  QCOMPARE(startApp(), -1);
  IdentityPromptWindow& prompt = app_->prompt();
  MainWindow& main = app_->mainWindow();
  Type(prompt.passwordBox(), QString::fromLatin1(kAdminPassword));
  QTest::keyClick(prompt.passwordBox(), Qt::Key_Return);
  QTRY_VERIFY2(main.isActiveWindow(),
               QApplication::activeWindow()
                   ? qPrintable(QApplication::activeWindow()->objectName() + QLatin1Char('/') +
                                QString::fromLatin1(QApplication::activeWindow()->metaObject()->className()))
                   : "none");

  // The switch puts the prompt in front with the keyboard.
  QTest::mouseClick(main.switchButton(), Qt::LeftButton);
  QTRY_VERIFY(prompt.isActiveWindow());
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(prompt.passwordBox()));

  // The operator clicks the disabled main window: it is activated for a
  // moment and hands the activation straight back to the prompt.
  QSignalSpy handedBack(&main, &MainWindow::activatedWhileDisabled);
  main.activateWindow();
  QTRY_COMPARE(handedBack.count(), 1);
  QTRY_VERIFY(prompt.isActiveWindow());
  QVERIFY(!main.isEnabled());

  // Once enabled again, activating the main window keeps it active.
  QTest::mouseClick(prompt.cancelButton(), Qt::LeftButton);
  QVERIFY(main.isEnabled());
  QTRY_VERIFY(main.isActiveWindow());
  QCOMPARE(handedBack.count(), 1);
  QCOMPARE(boxes.texts(), QStringList{});
}

void DeskAppTest::secondDeskOnTheSameFolderIsRefused() {
  BoxAnswerer boxes;
  QCOMPARE(startApp(), -1);
  QCOMPARE(boxes.texts(), QStringList{});

  {
    DeskApp second(QString::fromStdString(inst_->root().string()));
    QCOMPARE(second.start(), 1);
  }
  QCOMPARE(boxes.texts(), QStringList{QStringLiteral("本程序已经在运行中！")});
  QCOMPARE(boxes.seen[0].title, QStringLiteral("提示"));

  // The refused desk did not take the folder away from the first one.
  LockFileInstance third(QString::fromStdString(inst_->root().string()));
  QCOMPARE(third.acquire().hold, InstanceHold::HeldByOther);
  QVERIFY(app_->prompt().isVisible());

  // Once the first desk is gone, the folder is free again.
  app_.reset();
  LockFileInstance fourth(QString::fromStdString(inst_->root().string()));
  QCOMPARE(fourth.acquire().hold, InstanceHold::Acquired);
}

void DeskAppTest::missingSettingsStopsTheStart() {
  std::filesystem::remove(inst_->settingsPath());
  BoxAnswerer boxes;
  QCOMPARE(startApp(), 1);
  QCOMPARE(boxes.texts(), QStringList{QStringLiteral("数据损坏")});
  // Nothing was recreated in its place.
  QVERIFY(!std::filesystem::exists(inst_->settingsPath()));
}

void DeskAppTest::exitButtonSavesThePickedIdentity() {
  inst_->writeRecord(kRecPassword + 6, kAdminPassword);
  QCOMPARE(inst_->byteAt(kPosLastIdentity), uint8_t{6});
  BoxAnswerer boxes;
  QCOMPARE(startApp(), -1);
  IdentityPromptWindow& prompt = app_->prompt();
  prompt.identityList()->setCurrentIndex(0);
  QTest::mouseClick(prompt.confirmButton(), Qt::LeftButton);
  QVERIFY(app_->mainWindow().isVisible());
  QCOMPARE(inst_->byteAt(kPosLastIdentity), uint8_t{6});  // not before the exit

  QTest::mouseClick(app_->mainWindow().exitButton(), Qt::LeftButton);
  QCOMPARE(inst_->byteAt(kPosLastIdentity), uint8_t{0});
  QCOMPARE(boxes.texts(), QStringList{});
}

QTEST_MAIN(DeskAppTest)
#include "DeskAppTest.moc"
