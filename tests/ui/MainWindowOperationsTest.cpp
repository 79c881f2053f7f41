// The page "会员管理" and the confirmation panel inside the main window:
// keys typed into the operation boxes, Enter walking to the preparation,
// the panel drawn from the desk with its code, the area locked while it is
// open, and the operation reaching the student's record.
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "accounts/AccountOperations.h"
#include "ui/AdminAreaWidget.h"
#include "ui/ControlList.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class MainWindowOperationsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void rechargeTypedAndConfirmed();
  void lossReportWithTheCodeTypedBack();
  void abandonGivesTheAreaBack();

 private:
  template <typename W>
  W* child(const QString& name) const {
    W* w = main_->findChild<W*>(name);
    if (w == nullptr) qWarning("no child %s", qPrintable(name));
    return w;
  }
  void click(const QString& name) {
    auto* b = child<QPushButton>(name);
    QVERIFY(b != nullptr);
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void choose(const QString& combo, int index) {
    auto* c = child<QComboBox>(combo);
    QVERIFY(c != nullptr);
    c->setCurrentIndex(index);
    emit c->activated(index);
  }
  void type(int box, const QString& text) {
    auto* e = child<QLineEdit>(QStringLiteral("OpText8_%1").arg(box));
    QVERIFY(e != nullptr);
    QVERIFY2(e->isVisible(), qPrintable(e->objectName()));
    e->setFocus();
    // QTest types Latin-1 only: Chinese arrives as an input method's commit.
    if (text.toLatin1() == text.toUtf8()) {
      QTest::keyClicks(e, text);
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QCoreApplication::sendEvent(e, &commit);
    }
  }
  void enter(int box) { QTest::keyClick(child<QLineEdit>(QStringLiteral("OpText8_%1").arg(box)), Qt::Key_Return); }
  bool listed(const QString& line) const {
    for (const std::string& l : ListControls(main_.get())) {
      if (QString::fromStdString(l).contains(line)) return true;
    }
    return false;
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowOperationsTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
  demo_->desk().options().verificationCode = true;
  click(QStringLiteral("Command5"));
  click(QStringLiteral("Option1_5"));
  QCOMPARE(demo_->desk().adminArea().page(), 5);
}

void MainWindowOperationsTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MainWindowOperationsTest::rechargeTypedAndConfirmed() {
  choose(QStringLiteral("Combo6"), 0);
  QCOMPARE(child<QLabel>(QStringLiteral("Prompt8_0"))->text(), QStringLiteral("请输入金额(元)"));
  QVERIFY(!child<QLineEdit>(QStringLiteral("OpText8_2"))->isVisible());
  type(0, QStringLiteral("1x00.5"));  // the letter is refused
  QCOMPARE(child<QLineEdit>(QStringLiteral("OpText8_0"))->text(), QStringLiteral("100.5"));
  enter(0);
  type(1, QStringLiteral("1001"));
  enter(1);  // the remark box is hidden: the member preparation
  auto* panel = child<QWidget>(QStringLiteral("Picture5"));
  QVERIFY(panel->isVisible());
  QCOMPARE(child<QLabel>(QStringLiteral("Label3_17"))->text(), QStringLiteral("请核对信息"));
  QVERIFY(!child<QLineEdit>(QStringLiteral("Text16"))->isVisible());
  QVERIFY(listed(QStringLiteral("  [充值]：100.50元")));
  QVERIFY(listed(QStringLiteral("  姓名:张伟")));
  QVERIFY(!child<QPushButton>(QStringLiteral("Command5"))->isEnabled());
  QVERIFY(!main_->adminArea().isEnabled());
  click(QStringLiteral("Command19"));
  QVERIFY(!panel->isVisible());
  QCOMPARE(demo_->boxes().boxes.back().text, std::string("充值成功 张伟0000001001 +100.50"));
  QCOMPARE(demo_->desk().students()[1].balance, 220.5f);
  QVERIFY(child<QPushButton>(QStringLiteral("Command5"))->isEnabled());
  QVERIFY(child<QLineEdit>(QStringLiteral("OpText8_1"))->text().isEmpty());
}

void MainWindowOperationsTest::lossReportWithTheCodeTypedBack() {
  choose(QStringLiteral("Combo6"), 1);
  QVERIFY(!child<QLineEdit>(QStringLiteral("OpText8_0"))->isVisible());
  type(1, QStringLiteral("1002"));
  enter(1);
  QCOMPARE(child<QLabel>(QStringLiteral("Label20_1"))->text(), QStringLiteral("王芳"));
  type(2, QStringLiteral("丢失"));
  enter(2);
  QVERIFY(child<QWidget>(QStringLiteral("Picture5"))->isVisible());
  const QString code = child<QLabel>(QStringLiteral("Label19"))->text();
  QCOMPARE(code.size(), 7);
  QCOMPARE(child<QLabel>(QStringLiteral("Label21"))->text(), QStringLiteral("备注:丢失"));
  auto* text16 = child<QLineEdit>(QStringLiteral("Text16"));
  QTest::keyClicks(text16, QStringLiteral("????"));
  QTest::keyClick(text16, Qt::Key_Return);
  QVERIFY(child<QWidget>(QStringLiteral("Picture5"))->isVisible());
  text16->clear();
  QTest::keyClicks(text16, QString(code).remove(QLatin1Char(' ')).toLower());
  QTest::keyClick(text16, Qt::Key_Return);
  QVERIFY(!child<QWidget>(QStringLiteral("Picture5"))->isVisible());
  QVERIFY(demo_->desk().students()[2].isLost());
}

void MainWindowOperationsTest::abandonGivesTheAreaBack() {
  choose(QStringLiteral("Combo7"), 0);
  type(3, QStringLiteral("琴房104"));
  click(QStringLiteral("Command17"));
  QVERIFY(child<QWidget>(QStringLiteral("Picture5"))->isVisible());
  QVERIFY(listed(QStringLiteral("  [房间停用]")));
  click(QStringLiteral("Command21"));
  QVERIFY(!child<QWidget>(QStringLiteral("Picture5"))->isVisible());
  QVERIFY(main_->adminArea().isEnabled());
  QVERIFY(demo_->desk().rooms()[4].isOpen());
}

QTEST_MAIN(MainWindowOperationsTest)
#include "MainWindowOperationsTest.moc"
