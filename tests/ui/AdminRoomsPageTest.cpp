// The page "房间数据" inside the main window, on the demo installation:
// the room list drawn from the desk, a click loading a room into the
// fields, Enter walking through them, the buttons reaching rooms.dat and
// the board's counters, the search selecting rows of the list, and the
// enable boxes keeping one of the first six fields on.
#include <QCheckBox>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "admin/RoomEditor.h"
#include "admin/RoomRow.h"
#include "ui/AdminAreaWidget.h"
#include "ui/AdminRoomsPage.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class AdminRoomsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void listShowsEveryRoomSlot();
  void clickedRowLoadsTheRoom();
  void capacityChangedReachesTheFileAndTheBoard();
  void severalRowsChangedAtOnce();
  void enterWalksToTheNextOpenField();
  void searchSelectsTheRowsFound();
  void addedRoomIsSelectedAndDeletedAgain();
  void oneOfTheFirstSixFieldsStaysOn();
  void editModeOffDisablesTheButtons();

 private:
  template <typename W>
  W* child(const QString& name) const {
    W* w = main_->findChild<W*>(name);
    if (w == nullptr) qWarning("no child %s", qPrintable(name));
    return w;
  }
  QWidget* field(int i) const { return child<QWidget>(QStringLiteral("Combofj_%1").arg(i)); }
  QLineEdit* edit(int i) const { return qobject_cast<QLineEdit*>(field(i)); }
  QComboBox* chooser(int i) const { return qobject_cast<QComboBox*>(field(i)); }
  QListWidget* list() const { return child<QListWidget>(QStringLiteral("List2")); }
  RoomEditor& editor() { return demo_->desk().roomEditor(); }
  void click(const QString& name) {
    auto* b = child<QAbstractButton>(name);
    QVERIFY(b != nullptr);
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(name));
    QTest::mouseClick(b, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(8, b->height() / 2));
  }
  void clickRow(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QListWidgetItem* item = list()->item(row);
    QVERIFY(item != nullptr);
    list()->scrollToItem(item);
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, modifiers, list()->visualItemRect(item).center());
  }
  // Typed over what the box holds; Chinese arrives as an input method's commit.
  void retype(QLineEdit* e, const QString& text) {
    QVERIFY(e != nullptr);
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Backspace);
    if (text.toLatin1() == text.toUtf8()) {
      QTest::keyClicks(e, text);
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QCoreApplication::sendEvent(e, &commit);
    }
  }
  void choose(QComboBox* combo, int index) {
    QVERIFY(combo != nullptr);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  QList<int> selectedRows() const {
    QList<int> rows;
    for (QListWidgetItem* item : list()->selectedItems()) rows.append(list()->row(item));
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void AdminRoomsPageTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
  click(QStringLiteral("Command5"));
  click(QStringLiteral("Option1_2"));
  QCOMPARE(demo_->desk().adminArea().page(), 2);
  QVERIFY(main_->adminArea().page(2)->isVisible());
}

void AdminRoomsPageTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void AdminRoomsPageTest::listShowsEveryRoomSlot() {
  QCOMPARE(list()->count(), RoomEditor::kRows);
  QCOMPARE(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
  QCOMPARE(child<QLabel>(QStringLiteral("List2Heading"))->text(), QString::fromUtf8(kRoomListHeader));
  QCOMPARE(list()->item(3)->text(), QString::fromStdString(editor().RoomRow(4)));
  QVERIFY(list()->item(3)->text().startsWith(QStringLiteral(" 琴房104")));
  QVERIFY(list()->item(12)->text().isEmpty());
  QVERIFY(child<QCheckBox>(QStringLiteral("Check3"))->isChecked());
  QCOMPARE(child<QCheckBox>(QStringLiteral("Chefj_6"))->text(), QStringLiteral("最低消费(元)"));
  QCOMPARE(child<QCheckBox>(QStringLiteral("Check6_0"))->text(), QStringLiteral("锁定"));
  QCOMPARE(child<QPushButton>(QStringLiteral("Command41"))->text(), QStringLiteral("查找"));
  QCOMPARE(child<QComboBox>(QStringLiteral("Combo14_0"))->currentText(), QStringLiteral("[不限定]"));
  QCOMPARE(child<QComboBox>(QStringLiteral("Combo14_1"))->currentText(), QStringLiteral("[不限定]"));
}

void AdminRoomsPageTest::clickedRowLoadsTheRoom() {
  clickRow(3);
  QCOMPARE(child<QLabel>(QStringLiteral("Label36"))->text(), QStringLiteral("序号:4"));
  QCOMPARE(edit(0)->text(), QStringLiteral("琴房104"));
  QVERIFY(chooser(1)->currentText().startsWith(QStringLiteral("钢琴 ")));
  QCOMPARE(chooser(2)->currentText(), QStringLiteral("120分钟"));
  QCOMPARE(chooser(3)->currentText(), QStringLiteral("是"));
  QCOMPARE(edit(4)->text(), QStringLiteral("15"));
  QCOMPARE(edit(5)->text(), QStringLiteral("2"));
  QCOMPARE(edit(9)->text(), QStringLiteral("0.5"));
  QCOMPARE(selectedRows(), QList<int>{3});

  // A locked field keeps what it shows.
  click(QStringLiteral("Check6_5"));
  clickRow(4);
  QCOMPARE(edit(0)->text(), QStringLiteral("琴房105"));
  QCOMPARE(chooser(3)->currentText(), QStringLiteral("否"));
  QCOMPARE(edit(5)->text(), QStringLiteral("2"));
}

void AdminRoomsPageTest::capacityChangedReachesTheFileAndTheBoard() {
  auto* idle = child<QCheckBox>(QStringLiteral("Check10"));
  QCOMPARE(idle->text(), QStringLiteral("使用空闲房间(20)"));
  clickRow(10);  // 合奏301, 4 places
  retype(edit(5), QStringLiteral("6"));
  click(QStringLiteral("Command9"));
  QCOMPARE(demo_->desk().rooms()[11].capacity, 6);
  RoomTable onDisk;
  QVERIFY(onDisk.load(demo_->desk().folder()).ok());
  QCOMPARE(onDisk[11].capacity, 6);
  QCOMPARE(list()->item(10)->text(), QString::fromStdString(editor().RoomRow(11)));
  QCOMPARE(idle->text(), QStringLiteral("使用空闲房间(22)"));
}

void AdminRoomsPageTest::severalRowsChangedAtOnce() {
  clickRow(1);
  clickRow(2, Qt::ControlModifier);
  QCOMPARE(selectedRows(), (QList<int>{1, 2}));
  QCOMPARE(editor().selectedCount(), 2);
  retype(edit(0), QStringLiteral("同名房"));
  click(QStringLiteral("Command9"));
  QCOMPARE(demo_->desk().rooms()[2].name, std::string("同名房"));
  QCOMPARE(demo_->desk().rooms()[3].name, std::string("同名房"));
  QCOMPARE(list()->item(1)->text(), list()->item(2)->text());
}

void AdminRoomsPageTest::enterWalksToTheNextOpenField() {
  clickRow(0);
  main_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(main_.get()));
  click(QStringLiteral("Check6_2"));  // time limit locked
  click(QStringLiteral("Chefj_3"));   // open/closed switched off
  QVERIFY(!field(3)->isEnabled());
  edit(0)->setFocus();
  QTest::keyClick(edit(0), Qt::Key_Return);
  QTRY_VERIFY(field(1)->hasFocus());
  QTest::keyClick(field(1), Qt::Key_Return);
  QTRY_VERIFY(field(4)->hasFocus());

  // Enter in the last field saves the room and brings up the next one.
  retype(edit(9), QStringLiteral("1.5"));
  QTest::keyClick(edit(9), Qt::Key_Return);
  QCOMPARE(demo_->desk().rooms()[1].handlingFee, 1.5f);
  QCOMPARE(selectedRows(), QList<int>{1});
  QCOMPARE(list()->currentRow(), 1);
  QCOMPARE(edit(0)->text(), QStringLiteral("琴房102"));
  QTRY_VERIFY(field(0)->hasFocus());
}

void AdminRoomsPageTest::searchSelectsTheRowsFound() {
  clickRow(0);
  choose(child<QComboBox>(QStringLiteral("Combo14_1")), 2);  // 开放：否
  click(QStringLiteral("Command41"));
  QCOMPARE(selectedRows(), QList<int>{4});
  QCOMPARE(list()->currentRow(), 4);
  QCOMPARE(child<QLabel>(QStringLiteral("Label36"))->text(), QStringLiteral("序号:5"));
  QCOMPARE(demo_->desk().notifier().history().back(), std::string("找到1项\""));

  choose(child<QComboBox>(QStringLiteral("Combo14_1")), 0);
  retype(child<QLineEdit>(QStringLiteral("Text14")), QStringLiteral("琴房20"));
  click(QStringLiteral("Command41"));
  QVERIFY(selectedRows().isEmpty());
  QCOMPARE(demo_->desk().notifier().history().back(), std::string("未找到指定项"));
}

void AdminRoomsPageTest::addedRoomIsSelectedAndDeletedAgain() {
  clickRow(3);
  retype(edit(0), QStringLiteral("新琴房"));
  click(QStringLiteral("Command40"));
  QCOMPARE(demo_->desk().rooms()[13].name, std::string("新琴房"));
  QCOMPARE(selectedRows(), QList<int>{12});
  QCOMPARE(list()->currentRow(), 12);
  QVERIFY(list()->item(12)->text().startsWith(QStringLiteral(" 新琴房")));
  click(QStringLiteral("Command39"));
  QVERIFY(demo_->desk().rooms()[13].isFree());
  QVERIFY(list()->item(12)->text().isEmpty());
}

void AdminRoomsPageTest::oneOfTheFirstSixFieldsStaysOn() {
  for (int i = 0; i < 5; ++i) click(QStringLiteral("Chefj_%1").arg(i));
  QVERIFY(!field(0)->isEnabled());
  click(QStringLiteral("Chefj_5"));
  QVERIFY(child<QCheckBox>(QStringLiteral("Chefj_5"))->isChecked());
  QVERIFY(field(5)->isEnabled());
  QCOMPARE(demo_->desk().notifier().history().back(), std::string("不能继续关闭！"));
}

void AdminRoomsPageTest::editModeOffDisablesTheButtons() {
  click(QStringLiteral("Check3"));
  QVERIFY(!demo_->desk().adminArea().roomEdit());
  for (const char* name : {"Command40", "Command9", "Command39"}) {
    QVERIFY2(!child<QPushButton>(QLatin1String(name))->isEnabled(), name);
  }
  QVERIFY(child<QPushButton>(QStringLiteral("Command41"))->isEnabled());
  click(QStringLiteral("Check3"));
  QVERIFY(demo_->desk().adminArea().roomEdit());
  QVERIFY(child<QPushButton>(QStringLiteral("Command9"))->isEnabled());
}

QTEST_MAIN(AdminRoomsPageTest)
#include "AdminRoomsPageTest.moc"
