// The identity prompt on the very first start of a clean installation: the
// administrator password is set ("设定管理密码") and stored in set.dat.
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

namespace {

enum class Submit { ClickConfirm, EnterInFirst, EnterInSecond };

}  // namespace
Q_DECLARE_METATYPE(Submit)

class IdentityPromptFirstRunTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformWarnings(); }
  void init();
  void cleanup();

  void showsFirstRunLayout();
  void refusesBadPasswords_data();
  void refusesBadPasswords();
  void storesAdministratorPassword_data();
  void storesAdministratorPassword();
  void nextStartAsksForThePassword();
  void cancelEndsTheProgramAndKeepsTheSentinel();

 private:
  void startWindow();
  void submit(Submit how);
  QLabel* label(const char* name) const { return window_->findChild<QLabel*>(QString::fromLatin1(name)); }

  std::unique_ptr<Installation> inst_;
  std::unique_ptr<DeskUnderTest> desk_;
  std::unique_ptr<IdentityPromptWindow> window_;
};

void IdentityPromptFirstRunTest::init() {
  inst_ = std::make_unique<Installation>();
  QVERIFY(!QTest::currentTestFailed());
  // The delivered installation is a first run: password 6 is the sentinel.
  QCOMPARE(Q(inst_->recordText(kRecPassword + 6)), QString::fromUtf8(kSentinel));
  desk_ = std::make_unique<DeskUnderTest>(inst_->root());
  QCOMPARE(desk_->start(), StartStop::Continue);
  QVERIFY(desk_->loaded);
  startWindow();
}

void IdentityPromptFirstRunTest::cleanup() {
  window_.reset();
  desk_.reset();
  inst_.reset();
}

void IdentityPromptFirstRunTest::startWindow() {
  window_ = std::make_unique<IdentityPromptWindow>(desk_->desk);
  window_->show();
  window_->render();
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void IdentityPromptFirstRunTest::submit(Submit how) {
  switch (how) {
    case Submit::ClickConfirm: QTest::mouseClick(window_->confirmButton(), Qt::LeftButton); break;
    case Submit::EnterInFirst: QTest::keyClick(window_->passwordBox(), Qt::Key_Return); break;
    case Submit::EnterInSecond: QTest::keyClick(window_->secondBox(), Qt::Key_Return); break;
  }
}

void IdentityPromptFirstRunTest::showsFirstRunLayout() {
  QCOMPARE(window_->windowTitle(), QStringLiteral("设定管理密码"));
  QVERIFY(!window_->identityList()->isVisible());
  QVERIFY(window_->secondBox()->isVisible());
  QLabel* label2 = label("Label2");
  QVERIFY(label2 != nullptr);
  QVERIFY(label2->isVisible());
  QCOMPARE(label2->text(), QStringLiteral("您是第一次运行本程序请设定您的管理密码"));
  QVERIFY(!window_->captionLabel()->isVisible());
  QVERIFY(window_->passwordBox()->isVisible());
  QVERIFY(window_->passwordBox()->isEnabled());
  QCOMPARE(window_->passwordBox()->echoMode(), QLineEdit::Password);
  QCOMPARE(window_->secondBox()->echoMode(), QLineEdit::Password);
  QCOMPARE(window_->confirmButton()->text(), QStringLiteral("确认"));
  QCOMPARE(window_->cancelButton()->text(), QStringLiteral("取  消"));
  // The list has the administrator selected behind the scenes.
  QCOMPARE(window_->identityList()->currentIndex(), 6);
  QCOMPARE(window_->identityList()->currentText(), QStringLiteral("管理员"));
  // The operator starts typing into the first box.
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window_->passwordBox()));
}

void IdentityPromptFirstRunTest::refusesBadPasswords_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::addColumn<Submit>("how");
  QTest::addColumn<QString>("box");

  const QString length = QStringLiteral("密码长度应为1~18位");
  const QString differ = QStringLiteral("二次输入的密码不一至");
  QTest::newRow("Enter in the first box, second empty") << "abc"
                                                        << "" << Submit::EnterInFirst << length;
  QTest::newRow("both empty") << ""
                              << "" << Submit::ClickConfirm << length;
  QTest::newRow("19 characters") << QString(19, QChar('x')) << QString(19, QChar('x')) << Submit::ClickConfirm
                                 << length;
  QTest::newRow("first empty, second typed") << ""
                                             << "abc" << Submit::EnterInSecond << differ;
  QTest::newRow("different texts") << "abc"
                                   << "abd" << Submit::ClickConfirm << differ;
  QTest::newRow("differ only in case") << "Pass1"
                                       << "pass1" << Submit::EnterInSecond << differ;
  QTest::newRow("trailing space") << "Pass1 "
                                  << "Pass1" << Submit::ClickConfirm << differ;
}

void IdentityPromptFirstRunTest::refusesBadPasswords() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  QFETCH(Submit, how);
  QFETCH(QString, box);

  const std::string before = inst_->settingsBytes();
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QSignalSpy ended(window_.get(), &IdentityPromptWindow::endProgramRequested);

  Type(window_->passwordBox(), first);
  Type(window_->secondBox(), second);
  submit(how);

  QCOMPARE(desk_->boxTexts(), QStringList{box});
  QCOMPARE(confirmed.count(), 0);
  QCOMPARE(ended.count(), 0);
  // Still the first-run prompt, nothing written.
  QVERIFY(window_->isVisible());
  QCOMPARE(window_->windowTitle(), QStringLiteral("设定管理密码"));
  QVERIFY(window_->secondBox()->isVisible());
  QVERIFY(!desk_->desk.mainWindowShown());
  QCOMPARE(inst_->settingsBytes(), before);
  QCOMPARE(Q(inst_->recordText(kRecPassword + 6)), QString::fromUtf8(kSentinel));

  // The prompt stays usable: a correct pair after the refusal goes through.
  window_->passwordBox()->clear();
  window_->secondBox()->clear();
  Type(window_->passwordBox(), QStringLiteral("ok1"));
  Type(window_->secondBox(), QStringLiteral("ok1"));
  submit(Submit::ClickConfirm);
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(Q(inst_->recordText(kRecPassword + 6)), QStringLiteral("ok1"));
}

void IdentityPromptFirstRunTest::storesAdministratorPassword_data() {
  QTest::addColumn<QString>("password");
  QTest::addColumn<Submit>("how");

  QTest::newRow("plain, Enter in the second box") << "Pw-7x" << Submit::EnterInSecond;
  QTest::newRow("one character, clicked") << "q" << Submit::ClickConfirm;
  QTest::newRow("18 characters") << "ABCDEFGHIJ12345678" << Submit::ClickConfirm;
  QTest::newRow("Chinese, Enter in the first box") << "琴房密码" << Submit::EnterInFirst;
  QTest::newRow("mixed case kept") << "MiXeD" << Submit::ClickConfirm;
}

void IdentityPromptFirstRunTest::storesAdministratorPassword() {
  QFETCH(QString, password);
  QFETCH(Submit, how);

  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QSignalSpy ended(window_.get(), &IdentityPromptWindow::endProgramRequested);
  const std::string before = inst_->settingsBytes();

  // Typed as the operator does: first box, Tab, second box.
  Type(window_->passwordBox(), password);
  QTest::keyClick(window_->passwordBox(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window_->secondBox()));
  Type(QApplication::focusWidget(), password);
  submit(how);

  QCOMPARE(desk_->boxTexts(), QStringList{});
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(ended.count(), 0);
  QVERIFY(!window_->isVisible());
  QCOMPARE(desk_->desk.currentIdentity(), 6);
  QVERIFY(desk_->desk.mainWindowShown());

  // set.dat record 21: a 16-bit little-endian byte count, then the GBK bytes.
  const std::string gbk = ToGbkBytes(password.toStdString());
  QCOMPARE(inst_->recordCount(kRecPassword + 6), static_cast<int>(gbk.size()));
  QCOMPARE(QByteArray::fromStdString(inst_->recordGbk(kRecPassword + 6)), QByteArray::fromStdString(gbk));
  // Only record 21 changed (apart from nothing else: the picked identity and
  // the counters are written at exit, not here).
  const std::string after = inst_->settingsBytes();
  QCOMPARE(after.size(), before.size());
  for (size_t i = 0; i < after.size(); ++i) {
    if (after[i] == before[i]) continue;
    QVERIFY2(i >= 20 * kRecordLength && i < 21 * kRecordLength,
             qPrintable(QStringLiteral("byte %1 changed outside record 21").arg(i + 1)));
  }

  // The prompt is back in normal mode for a later switch of identity.
  QCOMPARE(window_->windowTitle(), QStringLiteral("管理员验证"));
  QVERIFY(!window_->secondBox()->isVisibleTo(window_.get()));
  QVERIFY(!label("Label2")->isVisibleTo(window_.get()));
  QVERIFY(window_->identityList()->isVisibleTo(window_.get()));
  QVERIFY(window_->captionLabel()->isVisibleTo(window_.get()));
  QCOMPARE(window_->captionLabel()->text(), QStringLiteral("请输入管理密码"));
  QCOMPARE(window_->identityList()->currentIndex(), 6);
  QVERIFY(window_->passwordBox()->text().isEmpty());
  QVERIFY(window_->secondBox()->text().isEmpty());

  // Switching back to the administrator now needs the new password.
  desk_->desk.SwitchIdentity();
  window_->show();
  window_->render();
  Type(window_->passwordBox(), password);
  QTest::keyClick(window_->passwordBox(), Qt::Key_Return);
  QCOMPARE(desk_->boxTexts(), QStringList{});
  QCOMPARE(confirmed.count(), 2);
}

void IdentityPromptFirstRunTest::nextStartAsksForThePassword() {
  Type(window_->passwordBox(), QStringLiteral("Organ88"));
  Type(window_->secondBox(), QStringLiteral("Organ88"));
  QTest::mouseClick(window_->confirmButton(), Qt::LeftButton);
  QVERIFY(desk_->desk.mainWindowShown());
  window_.reset();
  desk_.reset();

  // A new start over the same folder is a normal start.
  desk_ = std::make_unique<DeskUnderTest>(inst_->root());
  QCOMPARE(desk_->start(), StartStop::Continue);
  startWindow();
  QCOMPARE(window_->windowTitle(), QStringLiteral("管理员验证"));
  QVERIFY(window_->identityList()->isVisible());
  QVERIFY(!window_->secondBox()->isVisible());
  QVERIFY(!label("Label2")->isVisible());
  QCOMPARE(window_->identityList()->currentIndex(), 6);
  QCOMPARE(window_->captionLabel()->text(), QStringLiteral("请输入管理密码"));

  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  Type(window_->passwordBox(), QStringLiteral("Organ88"));
  QTest::keyClick(window_->passwordBox(), Qt::Key_Return);
  QCOMPARE(desk_->boxTexts(), QStringList{});
  QCOMPARE(confirmed.count(), 1);
  QCOMPARE(desk_->desk.currentIdentity(), 6);
}

void IdentityPromptFirstRunTest::cancelEndsTheProgramAndKeepsTheSentinel() {
  QSignalSpy confirmed(window_.get(), &IdentityPromptWindow::confirmed);
  QSignalSpy ended(window_.get(), &IdentityPromptWindow::endProgramRequested);
  const std::string before = inst_->settingsBytes();

  Type(window_->passwordBox(), QStringLiteral("abc"));
  Type(window_->secondBox(), QStringLiteral("abc"));
  QTest::mouseClick(window_->cancelButton(), Qt::LeftButton);

  QCOMPARE(ended.count(), 1);
  QCOMPARE(confirmed.count(), 0);
  QCOMPARE(inst_->settingsBytes(), before);
  window_.reset();
  desk_.reset();

  // The next start is a first run again.
  desk_ = std::make_unique<DeskUnderTest>(inst_->root());
  QCOMPARE(desk_->start(), StartStop::Continue);
  startWindow();
  QCOMPARE(window_->windowTitle(), QStringLiteral("设定管理密码"));
  QVERIFY(window_->secondBox()->isVisible());
}

QTEST_MAIN(IdentityPromptFirstRunTest)
#include "IdentityPromptFirstRunTest.moc"
