// The main window around the identity prompt: its title after a
// confirmation, switching identity ("切换用户") and coming back with a
// cancel, and its close control running save-and-exit instead of closing.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "ui/DeskTestFolder.h"
#include "ui/IdentityPromptWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

using PasswordMap = QMap<int, QString>;

namespace {
constexpr const char* kAdminPassword = "Bach1685";
}  // namespace

class MainWindowIdentityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init();
  void cleanup();

  void titleAfterConfirmation_data();
  void titleAfterConfirmation();
  void mainWindowHasItsButtons();
  void switchThenCancelKeepsTheIdentity_data();
  void switchThenCancelKeepsTheIdentity();
  void switchToAnotherIdentity();
  void switchRefusesAWrongPassword();
  void closingTheMainWindowAsksToExit();

 private:
  void start();
  void confirm(int slot, const QString& password);
  void clickSwitch();
  QPushButton* button(const char* name) const { return main_->findChild<QPushButton*>(QString::fromLatin1(name)); }

  std::unique_ptr<Installation> inst_;
  std::unique_ptr<DeskUnderTest> desk_;
  std::unique_ptr<IdentityPromptWindow> prompt_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowIdentityTest::init() {
  inst_ = std::make_unique<Installation>();
  QVERIFY(!QTest::currentTestFailed());
  inst_->writeRecord(kRecPassword + 6, kAdminPassword);
  inst_->writeRecord(kRecPassword + 1, "Viola1");
}

void MainWindowIdentityTest::cleanup() {
  main_.reset();
  prompt_.reset();
  desk_.reset();
  inst_.reset();
}

// The two windows wired the way the program wires them.
void MainWindowIdentityTest::start() {
  desk_ = std::make_unique<DeskUnderTest>(inst_->root());
  QCOMPARE(desk_->start(), StartStop::Continue);
  prompt_ = std::make_unique<IdentityPromptWindow>(desk_->desk);
  main_ = std::make_unique<MainWindow>(desk_->desk);
  connect(prompt_.get(), &IdentityPromptWindow::confirmed, main_.get(), [this] {
    main_->render();
    main_->show();
  });
  connect(prompt_.get(), &IdentityPromptWindow::cancelledBack, main_.get(), [this] { main_->render(); });
  connect(main_.get(), &MainWindow::switchRequested, prompt_.get(), [this] {
    desk_->desk.SwitchIdentity();
    main_->render();
    prompt_->show();
    prompt_->render();
  });
  prompt_->show();
  prompt_->render();
  QVERIFY(QTest::qWaitForWindowExposed(prompt_.get()));
  QVERIFY(!main_->isVisible());
}

void MainWindowIdentityTest::confirm(int slot, const QString& password) {
  prompt_->identityList()->setCurrentIndex(slot);
  QCOMPARE(prompt_->identityList()->currentIndex(), slot);
  Type(prompt_->passwordBox(), password);
  QTest::mouseClick(prompt_->confirmButton(), Qt::LeftButton);
}

void MainWindowIdentityTest::clickSwitch() {
  QPushButton* b = main_->switchButton();
  QVERIFY(b != nullptr);
  QVERIFY(b->isVisible() && b->isEnabled());
  QTest::mouseClick(b, Qt::LeftButton);
}

void MainWindowIdentityTest::titleAfterConfirmation_data() {
  QTest::addColumn<QString>("customName");    // empty: as delivered
  QTest::addColumn<QString>("identityName");  // empty: as delivered
  QTest::addColumn<int>("slot");
  QTest::addColumn<QString>("password");
  QTest::addColumn<QString>("title");

  QTest::newRow("administrator") << ""
                                 << "" << 6 << kAdminPassword << "音乐学院琴房 管理员";
  QTest::newRow("visitor") << ""
                           << "" << 0 << ""
                           << "音乐学院琴房 访客";
  QTest::newRow("user one") << ""
                            << "" << 1 << "Viola1"
                            << "音乐学院琴房 用户一";
  QTest::newRow("own custom name") << "北楼琴房"
                                   << "" << 6 << kAdminPassword << "北楼琴房 管理员";
  QTest::newRow("renamed identity") << ""
                                    << "值班老师" << 1 << "Viola1"
                                    << "音乐学院琴房 值班老师";
}

void MainWindowIdentityTest::titleAfterConfirmation() {
  QFETCH(QString, customName);
  QFETCH(QString, identityName);
  QFETCH(int, slot);
  QFETCH(QString, password);
  QFETCH(QString, title);

  if (!customName.isEmpty()) inst_->writeRecord(kRecCustomName, customName.toStdString());
  if (!identityName.isEmpty()) inst_->writeRecord(kRecIdentityName + slot, identityName.toStdString());
  start();
  confirm(slot, password);

  QCOMPARE(desk_->boxTexts(), QStringList{});
  QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
  QCOMPARE(main_->windowTitle(), title);
  QVERIFY(main_->isEnabled());
  QVERIFY(!prompt_->isVisible());
  QCOMPARE(desk_->desk.currentIdentity(), slot);
}

void MainWindowIdentityTest::mainWindowHasItsButtons() {
  start();
  confirm(6, QString::fromLatin1(kAdminPassword));
  QPushButton* sw = main_->switchButton();
  QPushButton* ex = button("exitButton");
  QVERIFY(sw != nullptr);
  QVERIFY(ex != nullptr);
  QCOMPARE(sw->text(), QStringLiteral("切换用户"));
  QCOMPARE(ex->text(), QStringLiteral("退出"));
  QVERIFY(sw->isVisible());
  QVERIFY(ex->isVisible());

  QSignalSpy exit(main_.get(), &MainWindow::exitRequested);
  QTest::mouseClick(ex, Qt::LeftButton);
  QCOMPARE(exit.count(), 1);
}

void MainWindowIdentityTest::switchThenCancelKeepsTheIdentity_data() {
  QTest::addColumn<int>("confirmedAs");
  QTest::addColumn<QString>("password");
  QTest::addColumn<int>("pickedWhileSwitching");
  QTest::addColumn<QString>("typedWhileSwitching");
  QTest::addColumn<QString>("title");

  QTest::newRow("admin, picks the visitor") << 6 << kAdminPassword << 0 << ""
                                            << "音乐学院琴房 管理员";
  QTest::newRow("admin, picks user one and types") << 6 << kAdminPassword << 1 << "Viola1"
                                                   << "音乐学院琴房 管理员";
  QTest::newRow("admin, changes nothing") << 6 << kAdminPassword << 6 << ""
                                          << "音乐学院琴房 管理员";
  QTest::newRow("user one, picks the admin") << 1 << "Viola1" << 6 << "wrong"
                                             << "音乐学院琴房 用户一";
  QTest::newRow("visitor, picks user one") << 0 << "" << 1 << ""
                                           << "音乐学院琴房 访客";
}

void MainWindowIdentityTest::switchThenCancelKeepsTheIdentity() {
  QFETCH(int, confirmedAs);
  QFETCH(QString, password);
  QFETCH(int, pickedWhileSwitching);
  QFETCH(QString, typedWhileSwitching);
  QFETCH(QString, title);

  start();
  confirm(confirmedAs, password);
  QCOMPARE(desk_->desk.currentIdentity(), confirmedAs);
  QCOMPARE(main_->windowTitle(), title);

  clickSwitch();
  // The main window stays on screen, disabled; the prompt is up with the
  // list as it was and an empty password box.
  QVERIFY(main_->isVisible());
  QVERIFY(!main_->isEnabled());
  QVERIFY(prompt_->isVisible());
  QCOMPARE(prompt_->windowTitle(), QStringLiteral("管理员验证"));
  QVERIFY(prompt_->identityList()->isVisible());
  QCOMPARE(prompt_->identityList()->currentIndex(), confirmedAs);
  QVERIFY(prompt_->passwordBox()->text().isEmpty());

  QSignalSpy back(prompt_.get(), &IdentityPromptWindow::cancelledBack);
  QSignalSpy ended(prompt_.get(), &IdentityPromptWindow::endProgramRequested);
  QSignalSpy confirmed(prompt_.get(), &IdentityPromptWindow::confirmed);
  prompt_->identityList()->setCurrentIndex(pickedWhileSwitching);
  if (prompt_->passwordBox()->isEnabled()) Type(prompt_->passwordBox(), typedWhileSwitching);
  QTest::mouseClick(prompt_->cancelButton(), Qt::LeftButton);

  QCOMPARE(back.count(), 1);
  QCOMPARE(ended.count(), 0);
  QCOMPARE(confirmed.count(), 0);
  QCOMPARE(desk_->desk.currentIdentity(), confirmedAs);
  QVERIFY(!prompt_->isVisible());
  QVERIFY(main_->isVisible());
  QVERIFY(main_->isEnabled());
  QCOMPARE(main_->windowTitle(), title);
  QCOMPARE(desk_->boxTexts(), QStringList{});
}

void MainWindowIdentityTest::switchToAnotherIdentity() {
  start();
  confirm(6, QString::fromLatin1(kAdminPassword));
  QCOMPARE(main_->windowTitle(), QStringLiteral("音乐学院琴房 管理员"));

  clickSwitch();
  QSignalSpy confirmed(prompt_.get(), &IdentityPromptWindow::confirmed);
  confirm(1, QStringLiteral("Viola1"));
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(desk_->desk.currentIdentity(), 1);
  QCOMPARE(main_->windowTitle(), QStringLiteral("音乐学院琴房 用户一"));
  QVERIFY(main_->isEnabled());
  QVERIFY(!prompt_->isVisible());

  // And back to the visitor, who needs no password.
  clickSwitch();
  confirm(0, QString());
  QCOMPARE(confirmed.count(), 2);
  QCOMPARE(desk_->desk.currentIdentity(), 0);
  QCOMPARE(main_->windowTitle(), QStringLiteral("音乐学院琴房 访客"));
  QCOMPARE(desk_->boxTexts(), QStringList{});
}

void MainWindowIdentityTest::switchRefusesAWrongPassword() {
  start();
  confirm(1, QStringLiteral("Viola1"));
  clickSwitch();
  QSignalSpy confirmed(prompt_.get(), &IdentityPromptWindow::confirmed);

  confirm(6, QStringLiteral("bach1685"));
  QCOMPARE(desk_->boxTexts(), QStringList{QStringLiteral("密码错误！")});
  QCOMPARE(confirmed.count(), 0);
  QVERIFY(prompt_->isVisible());
  QVERIFY(prompt_->passwordBox()->text().isEmpty());
  QVERIFY(!main_->isEnabled());
  QCOMPARE(desk_->desk.currentIdentity(), 1);
  QCOMPARE(main_->windowTitle(), QStringLiteral("音乐学院琴房 用户一"));

  QTest::mouseClick(prompt_->cancelButton(), Qt::LeftButton);
  QCOMPARE(desk_->desk.currentIdentity(), 1);
  QVERIFY(main_->isEnabled());
}

void MainWindowIdentityTest::closingTheMainWindowAsksToExit() {
  start();
  confirm(6, QString::fromLatin1(kAdminPassword));
  QSignalSpy exit(main_.get(), &MainWindow::exitRequested);
  // The close control runs save-and-exit; the window itself stays until the
  // program ends.
  QVERIFY(!main_->close());
  QCOMPARE(exit.count(), 1);
  QVERIFY(main_->isVisible());
}

QTEST_MAIN(MainWindowIdentityTest)
#include "MainWindowIdentityTest.moc"
