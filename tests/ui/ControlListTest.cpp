// The control list the desk writes on SIGUSR1: what an outside driver
// clicks by, so positions, clipping, states and hidden passwords matter.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtTest>

#include "ui/ControlList.h"

using namespace tarvolen;

namespace {

// The line of the named control, or an empty string.
QString LineOf(const std::vector<std::string>& lines, const QString& name) {
  for (const auto& l : lines) {
    const QString line = QString::fromStdString(l);
    if (line.section(QLatin1Char(' '), 0, 0) == name) return line;
  }
  return {};
}

}  // namespace

class ControlListTest : public QObject {
  Q_OBJECT

 private slots:
  void noWindowListsNothing() { QVERIFY(ListControls(nullptr).empty()); }

  void positionsStatesAndTexts() {
    QWidget window;
    window.resize(300, 200);
    auto* box = new QCheckBox(QStringLiteral("打开音效"), &window);
    box->setObjectName(QStringLiteral("CheckSound"));
    box->setGeometry(10, 20, 100, 24);
    box->setChecked(true);
    auto* button = new QPushButton(QStringLiteral("修改"), &window);
    button->setObjectName(QStringLiteral("Command4"));
    button->setGeometry(120, 20, 80, 24);
    auto* name = new QLineEdit(QStringLiteral("用户一"), &window);
    name->setObjectName(QStringLiteral("Text4_0"));
    name->setGeometry(10, 60, 100, 22);
    auto* password = new QLineEdit(QStringLiteral("Secret1"), &window);
    password->setObjectName(QStringLiteral("Text4_3"));
    password->setEchoMode(QLineEdit::Password);
    password->setGeometry(10, 90, 100, 22);
    auto* unnamed = new QPushButton(QStringLiteral("x"), &window);
    unnamed->setGeometry(0, 0, 5, 5);
    auto* hidden = new QPushButton(QStringLiteral("y"), &window);
    hidden->setObjectName(QStringLiteral("Hidden"));
    hidden->hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const auto lines = ListControls(&window);
    QCOMPARE(LineOf(lines, QStringLiteral("CheckSound")), QStringLiteral("CheckSound 10 20 100 24 on 打开音效"));
    QCOMPARE(LineOf(lines, QStringLiteral("Command4")), QStringLiteral("Command4 120 20 80 24 - 修改"));
    QCOMPARE(LineOf(lines, QStringLiteral("Text4_0")), QStringLiteral("Text4_0 10 60 100 22 - 用户一"));
    QCOMPARE(LineOf(lines, QStringLiteral("Text4_3")), QStringLiteral("Text4_3 10 90 100 22 - "));
    QVERIFY(LineOf(lines, QStringLiteral("Hidden")).isEmpty());
    QCOMPARE(static_cast<int>(lines.size()), 4);
  }

  void aControlScrolledOutOfItsAreaIsCutOrLeftOut() {
    QWidget window;
    window.resize(200, 120);
    auto* area = new QScrollArea(&window);
    area->setGeometry(0, 0, 200, 100);
    area->setFrameShape(QFrame::NoFrame);
    auto* page = new QWidget;
    page->setFixedSize(180, 400);
    auto* low = new QPushButton(QStringLiteral("切换用户"), page);
    low->setObjectName(QStringLiteral("Low"));
    low->setGeometry(0, 300, 100, 24);
    auto* edge = new QPushButton(QStringLiteral("边"), page);
    edge->setObjectName(QStringLiteral("Edge"));
    edge->setGeometry(0, 90, 100, 24);
    area->setWidget(page);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const auto lines = ListControls(&window);
    QVERIFY2(LineOf(lines, QStringLiteral("Low")).isEmpty(), "a control below the fold cannot be clicked");
    // Only the ten pixels in view are offered.
    QCOMPARE(LineOf(lines, QStringLiteral("Edge")), QStringLiteral("Edge 0 90 100 10 - 边"));
  }
};

QTEST_MAIN(ControlListTest)
#include "ControlListTest.moc"
