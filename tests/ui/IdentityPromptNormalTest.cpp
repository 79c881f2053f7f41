// The identity prompt at a normal start ("管理员验证"): the label follows the
// selected identity, passwords are compared exactly, identities that are
// not set up never get in, and the prompt cannot be closed or cancelled
// into a running program.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <map>
#include <memory>

#include "ui/DeskTestFolder.h"
#include "ui/IdentityPromptWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

using PasswordMap = QMap<int, QString>;

namespace {
constexpr const char* kAdminPassword = "Secret9";
}  // namespace

class IdentityPromptNormalTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init();
  void cleanup();

  void showsNormalLayout();
  void initialSelectionComesFromSettings_data();
  void initialSelectionComesFromSettings();
  void labelFollowsSelection_data();
  void labelFollowsSelection();
  void wrongPasswordIsRefused_data();
  void wrongPasswordIsRefused();
  void rightPasswordConfirms_data();
  void rightPasswordConfirms();
  void visitorIsConfirmedWithEmptyBox();
  void notSetUpIdentityIsAlwaysRefused_data();
  void notSetUpIdentityIsAlwaysRefused();
  void cancelAtStartUpEndsTheProgram();
  void closeControlDoesNotClose();

 private:
  void startWindow();
  void pick(int k);
  QWidget* focused() const { return QApplication::focusWidget(); }

  std::unique_ptr<Installation> inst_;
  std::unique_ptr<DeskUnderTest> desk_;
  std::unique_ptr<IdentityPromptWindow> window_;
};

void IdentityPromptNormalTest::init() {
  inst_ = std::make_unique<Installation>();
  QVERIFY(!QTest::currentTestFailed());
  inst_->writeRecord(kRecPassword + 6, kAdminPassword);
}

void IdentityPromptNormalTest::cleanup() {
  window_.reset();
  desk_.reset();
  inst_.reset();
}

void IdentityPromptNormalTest::startWindow() {
  desk_ = std::make_unique<DeskUnderTest>(inst_->root());
  QCOMPARE(desk_->start(), StartStop::Continue);
  QVERIFY(desk_->loaded);
  window_ = std::make_unique<IdentityPromptWindow>(desk_->desk);
  window_->show();
  window_->render();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

// The operator picks identity k in the drop-down list.
void IdentityPromptNormalTest::pick(int k) {
  QComboBox* list = window_->identityList();
  QVERIFY(list->isVisible());
  list->setFocus();
  // Walk the list with the arrow keys, as from the keyboard.
  while (list->currentIndex() < k) QTest::keyClick(list, Qt::Key_Down);
  while (list->currentIndex() > k) QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(list->currentIndex(), k);
}

void IdentityPromptNormalTest::showsNormalLayout() {
  startWindow();
  QCOMPARE(window_->windowTitle(), QStringLiteral("管理员验证"));
  QVERIFY(window_->identityList()->isVisible());
  QVERIFY(!window_->secondBox()->isVisible());
  QVERIFY(!window_->findChild<QLabel*>(QStringLiteral("Label2"))->isVisible());
  QVERIFY(window_->captionLabel()->isVisible());
  const QStringList expected = {"访客", "用户一", "用户二", "用户三", "用户四", "用户五", "管理员"};
  QStringList names;
  for (int i = 0; i < window_->identityList()->count(); ++i) names << window_->identityList()->itemText(i);
  QCOMPARE(names, expected);
  QCOMPARE(window_->passwordBox()->echoMode(), QLineEdit::Password);
}

void IdentityPromptNormalTest::initialSelectionComesFromSettings_data() {
  QTest::addColumn<int>("stored");
  QTest::addColumn<int>("selected");
  QTest::addColumn<QString>("label");
  QTest::addColumn<bool>("passwordEnabled");

  QTest::newRow("administrator") << 6 << 6 << "请输入管理密码" << true;
  QTest::newRow("visitor") << 0 << 0 << "未设定访问密码" << false;
  QTest::newRow("user three") << 3 << 3 << "未设定用户密码" << false;
}

void IdentityPromptNormalTest::initialSelectionComesFromSettings() {
  QFETCH(int, stored);
  QFETCH(int, selected);
  QFETCH(QString, label);
  QFETCH(bool, passwordEnabled);

  inst_->writeByte(kPosLastIdentity, static_cast<uint8_t>(stored));
  startWindow();
  QCOMPARE(window_->identityList()->currentIndex(), selected);
  QCOMPARE(window_->captionLabel()->text(), label);
  QCOMPARE(window_->passwordBox()->isEnabled(), passwordEnabled);
  QWidget* expectedFocus =
      passwordEnabled ? static_cast<QWidget*>(window_->passwordBox()) : static_cast<QWidget*>(window_->confirmButton());
  QCOMPARE(focused(), expectedFocus);
}

void IdentityPromptNormalTest::labelFollowsSelection_data() {
  QTest::addColumn<PasswordMap>("passwords");  // stored before the start
  QTest::addColumn<int>("slot");
  QTest::addColumn<QString>("label");
  QTest::addColumn<bool>("passwordEnabled");

  QTest::newRow("visitor, empty password") << PasswordMap{} << 0 << "未设定访问密码" << false;
  QTest::newRow("visitor with a password") << PasswordMap{{0, "door"}} << 0 << "请输入访问密码" << true;
  QTest::newRow("user one, not set up") << PasswordMap{} << 1 << "未设定用户密码" << false;
  QTest::newRow("user three with a password") << PasswordMap{{3, "u3"}} << 3 << "请输入用户密码" << true;
  QTest::newRow("user two, empty password") << PasswordMap{{2, ""}} << 2 << "未设定用户密码" << false;
  QTest::newRow("user five, not set up") << PasswordMap{} << 5 << "未设定用户密码" << false;
  QTest::newRow("administrator") << PasswordMap{} << 6 << "请输入管理密码" << true;
}

void IdentityPromptNormalTest::labelFollowsSelection() {
  QFETCH(PasswordMap, passwords);
  QFETCH(int, slot);
  QFETCH(QString, label);
  QFETCH(bool, passwordEnabled);

  for (auto it = passwords.cbegin(); it != passwords.cend(); ++it) {
    inst_->writeRecord(kRecPassword + it.key(), it.value().toStdString());
  }
  // Start on an identity other than the one picked, so the pick is a change.
  inst_->writeByte(kPosLastIdentity, slot == 4 ? 3 : 4);
  startWindow();
  pick(slot);

  QCOMPARE(window_->captionLabel()->text(), label);
  QCOMPARE(window_->passwordBox()->isEnabled(), passwordEnabled);
  QWidget* expectedFocus =
      passwordEnabled ? static_cast<QWidget*>(window_->passwordBox()) : static_cast<QWidget*>(window_->confirmButton());
  QCOMPARE(focused(), expectedFocus);
  QCOMPARE(desk_->boxTexts(), QStringList{});
}

void IdentityPromptNormalTest::wrongPasswordIsRefused_data() {
  QTest::addColumn<QString>("typed");

  QTest::newRow("another word") << "wrong";
  QTest::newRow("all lower case") << "secret9";
  QTest::newRow("all upper case") << "SECRET9";
  QTest::newRow("trailing space") << "Secret9 ";
  QTest::newRow("leading space") << " Secret9";
  QTest::newRow("a prefix") << "Secret";
  QTest::newRow("one character more") << "Secret99";
  QTest::newRow("empty") << "";
  QTest::newRow("the not-set-up sentinel") << QString::fromUtf8(kSentinel);
}

void IdentityPromptNormalTest::wrongPasswordIsRefused() {
  QFETCH(QString, typed);

  startWindow();
  QCOMPARE(window_->identityList()->currentIndex(), 6);
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QSignalSpy ended(window_.get(), &IdentityPromptWindow::endProgramRequested);

  Type(window_->passwordBox(), typed);
  QCOMPARE(window_->passwordBox()->text(), typed);
  QTest::keyClick(window_->passwordBox(), Qt::Key_Return);

  QCOMPARE(desk_->boxTexts(), QStringList{QStringLiteral("密码错误！")});
  QVERIFY(window_->passwordBox()->text().isEmpty());
  QCOMPARE(focused(), static_cast<QWidget*>(window_->passwordBox()));
  QCOMPARE(confirmed.count(), 0);
  QCOMPARE(ended.count(), 0);
  QVERIFY(window_->isVisible());
  QVERIFY(!desk_->desk.mainWindowShown());
  QCOMPARE(desk_->desk.currentIdentity(), 0);

  // The box was emptied for real: typing the password now gets in, with
  // nothing of the wrong attempt left in front of it.
  Type(window_->passwordBox(), QString::fromLatin1(kAdminPassword));
  QTest::mouseClick(window_->confirmButton(), Qt::LeftButton);
  QCOMPARE(desk_->boxTexts().size(), 1);
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(desk_->desk.currentIdentity(), 6);
}

void IdentityPromptNormalTest::rightPasswordConfirms_data() {
  QTest::addColumn<PasswordMap>("passwords");
  QTest::addColumn<int>("slot");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("withEnter");

  QTest::newRow("administrator, Enter") << PasswordMap{} << 6 << kAdminPassword << true;
  QTest::newRow("administrator, click") << PasswordMap{} << 6 << kAdminPassword << false;
  QTest::newRow("user two") << PasswordMap{{2, "Flute2"}} << 2 << "Flute2" << true;
  QTest::newRow("visitor with a password") << PasswordMap{{0, "door"}} << 0 << "door" << false;
  QTest::newRow("Chinese password") << PasswordMap{{4, "长笛"}} << 4 << "长笛" << true;
}

void IdentityPromptNormalTest::rightPasswordConfirms() {
  QFETCH(PasswordMap, passwords);
  QFETCH(int, slot);
  QFETCH(QString, typed);
  QFETCH(bool, withEnter);

  for (auto it = passwords.cbegin(); it != passwords.cend(); ++it) {
    inst_->writeRecord(kRecPassword + it.key(), it.value().toStdString());
  }
  startWindow();
  if (slot != window_->identityList()->currentIndex()) pick(slot);
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);

  Type(window_->passwordBox(), typed);
  if (withEnter) {
    QTest::keyClick(window_->passwordBox(), Qt::Key_Return);
  } else {
    QTest::mouseClick(window_->confirmButton(), Qt::LeftButton);
  }

  QCOMPARE(desk_->boxTexts(), QStringList{});
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(desk_->desk.currentIdentity(), slot);
  QVERIFY(!window_->isVisible());
  QVERIFY(desk_->desk.mainWindowShown());
  QVERIFY(window_->passwordBox()->text().isEmpty());
}

void IdentityPromptNormalTest::visitorIsConfirmedWithEmptyBox() {
  startWindow();
  pick(0);
  QVERIFY(!window_->passwordBox()->isEnabled());
  // Keys for the disabled box go nowhere.
  Type(window_->passwordBox(), QStringLiteral("abc"));
  QVERIFY(window_->passwordBox()->text().isEmpty());

  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QTest::mouseClick(window_->confirmButton(), Qt::LeftButton);
  QCOMPARE(desk_->boxTexts(), QStringList{});
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(desk_->desk.currentIdentity(), 0);
  QVERIFY(!window_->isVisible());
}

void IdentityPromptNormalTest::notSetUpIdentityIsAlwaysRefused_data() {
  QTest::addColumn<int>("slot");
  QTest::addColumn<QString>("attempt");  // held by the prompt when confirming

  for (int k = 1; k <= 5; ++k) {
    QTest::addRow("user %d, empty box", k) << k << QString();
  }
  QTest::newRow("user one, the sentinel itself") << 1 << QString::fromUtf8(kSentinel);
  QTest::newRow("user five, the sentinel itself") << 5 << QString::fromUtf8(kSentinel);
}

void IdentityPromptNormalTest::notSetUpIdentityIsAlwaysRefused() {
  QFETCH(int, slot);
  QFETCH(QString, attempt);

  startWindow();
  pick(slot);
  QCOMPARE(window_->captionLabel()->text(), QStringLiteral("未设定用户密码"));
  QVERIFY(!window_->passwordBox()->isEnabled());
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);

  // The box is disabled, so no key can fill it; even a prompt that somehow
  // holds the sentinel text does not let the identity in.
  if (!attempt.isEmpty()) desk_->desk.prompt().setPassword(attempt.toStdString());
  QTest::mouseClick(window_->confirmButton(), Qt::LeftButton);
  QCOMPARE(desk_->boxTexts(), QStringList{QStringLiteral("密码错误！")});
  QCOMPARE(confirmed.count(), 0);
  QVERIFY(window_->isVisible());
  QVERIFY(!desk_->desk.mainWindowShown());

  // A second try fares no better.
  QTest::mouseClick(window_->confirmButton(), Qt::LeftButton);
  QCOMPARE(desk_->boxTexts().size(), 2);
  QCOMPARE(confirmed.count(), 0);
}

void IdentityPromptNormalTest::cancelAtStartUpEndsTheProgram() {
  startWindow();
  const std::string before = inst_->settingsBytes();
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QSignalSpy ended(window_.get(), &IdentityPromptWindow::endProgramRequested);
  QSignalSpy back(window_.get(), &IdentityPromptWindow::cancelledBack);

  // Picking another identity and typing does not matter: nothing is saved.
  pick(2);
  Type(window_->passwordBox(), QStringLiteral("x"));
  QTest::mouseClick(window_->cancelButton(), Qt::LeftButton);

  QCOMPARE(ended.count(), 1);
  QCOMPARE(confirmed.count(), 0);
  QCOMPARE(back.count(), 0);
  QCOMPARE(desk_->boxTexts(), QStringList{});
  QVERIFY(!desk_->desk.mainWindowShown());
  QCOMPARE(inst_->settingsBytes(), before);
  QCOMPARE(inst_->byteAt(kPosLastIdentity), uint8_t{6});
}

void IdentityPromptNormalTest::closeControlDoesNotClose() {
  startWindow();
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QSignalSpy ended(window_.get(), &IdentityPromptWindow::endProgramRequested);
  QSignalSpy back(window_.get(), &IdentityPromptWindow::cancelledBack);

  QVERIFY(!window_->close());
  QVERIFY(window_->isVisible());
  QCOMPARE(confirmed.count() + ended.count() + back.count(), 0);
  QVERIFY(desk_->desk.promptShown());
  // The title bar offers no close button either.
  QVERIFY(!(window_->windowFlags() & Qt::WindowCloseButtonHint));

  // Still working after the attempt.
  Type(window_->passwordBox(), QString::fromLatin1(kAdminPassword));
  QTest::keyClick(window_->passwordBox(), Qt::Key_Return);
  QCOMPARE(confirmed.count(), 1);
}

QTEST_MAIN(IdentityPromptNormalTest)
#include "IdentityPromptNormalTest.moc"
