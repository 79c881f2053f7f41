// The main window through a check-in on the demo installation: a swipe shows
// the student panel with the details and the room list, Enter or a click on
// a room name checks in, the session list, the counters and the activity
// text follow; headings sort, the pointer selects, the use-options and the
// buttons forward to the desk.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "desk/SessionEngine.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

namespace {

// Demo colours (0x00BBGGRR in set.dat) as the window must draw them.
const QColor kWhite(255, 255, 255);     // 1 背景
const QColor kBlack(0, 0, 0);           // 2 文字
const QColor kPaleBlue(204, 228, 247);  // 4 选择

// The eleven rooms in service, as the room list shows them at first: sorted
// by 超时 descending, every room free.
const char* const kRoomsAtFirst[] = {"排练302", "合奏301", "琴房205", "琴房204", "琴房203", "琴房202",
                                     "琴房201", "琴房104", "琴房103", "琴房102", "琴房101"};
constexpr int kRoomCount = 11;

}  // namespace

class MainWindowCheckinTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void swipeShowsTheStudentPanel();
  void roomListShowsTheCandidatesWithTheProposalSelected();
  void enterChecksInAndTheSessionListShowsTheStudent();
  void theNewRowFlashesAndStops();
  void clickOnARoomNameChecksInThere();
  void aRightClickOnARoomNameDoesNothing();
  void pointerOverARowSelectsIt();
  void aRestingPointerDoesNotTakeTheProposal();
  void headingClicksSortTheRoomList();
  void headingClicksSortTheSessionList();
  void cancelHidesThePanelWithoutACheckIn();
  void useOptionsForwardAndFollowTheDesk();
  void majorSelectorForwardsTheChoice();
  void checkOutEverybodyEmptiesTheList();
  void secondSwipeChecksOutAndBills();
  void thePhotoShowsWhenItLoads();
  void todaysActivityListsTheEarlierSessions();

 private:
  QLabel* label(const QString& name) const {
    auto* l = main_->findChild<QLabel*>(name);
    if (l == nullptr) qWarning("no label %s", qPrintable(name));
    return l;
  }
  QString text(const QString& name) const {
    QLabel* l = label(name);
    return l != nullptr ? l->text() : QStringLiteral("<missing %1>").arg(name);
  }
  QString cell(const char* column, int row) const {
    return text(QStringLiteral("%1_%2").arg(QLatin1String(column)).arg(row));
  }
  QColor background(const char* column, int row) const {
    QLabel* l = label(QStringLiteral("%1_%2").arg(QLatin1String(column)).arg(row));
    return l != nullptr ? l->palette().color(QPalette::Window) : QColor();
  }
  QColor foreground(const char* column, int row) const {
    QLabel* l = label(QStringLiteral("%1_%2").arg(QLatin1String(column)).arg(row));
    return l != nullptr ? l->palette().color(QPalette::WindowText) : QColor();
  }
  // The arrow of a list's pair ("Image1", "Image1t") that shows, as it
  // reads, when it stands at the right end of `heading`; else what is wrong.
  QString arrowAt(const char* pair, const QString& heading) const {
    QString shown;
    for (int i = 0; i < 2; ++i) {
      QLabel* a = label(QStringLiteral("%1_%2").arg(QLatin1String(pair)).arg(i));
      if (a == nullptr || !a->isVisible()) continue;
      if (!shown.isEmpty()) return QStringLiteral("both arrows show");
      const QLabel* h = label(heading);
      if (a->x() != h->x() + h->width() - 18 || a->y() != h->y()) return QStringLiteral("arrow %1 elsewhere").arg(i);
      shown = a->text();
    }
    return shown.isEmpty() ? QStringLiteral("no arrow") : shown;
  }
  template <typename W>
  W* child(const char* name) const {
    return main_->findChild<W*>(QString::fromLatin1(name));
  }
  // A click on a check box's indicator (a click beyond its text misses it).
  static void click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }
  bool panelShown() const { return child<QWidget>("Picture4")->isVisible(); }
  int rowOfRoom(const QString& room) const {
    for (int r = 0; r < MainWindow::kRows; ++r) {
      if (cell("Labffj", r) == room) return r;
    }
    return -1;
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowCheckinTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
}

void MainWindowCheckinTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MainWindowCheckinTest::swipeShowsTheStudentPanel() {
  QVERIFY(!panelShown());
  QVERIFY(!child<QLabel>("tfj")->isVisible());
  demo_->swipe("1001");

  QVERIFY(panelShown());
  QCOMPARE(text("TKey"), QStringLiteral("1001"));
  const char* const captions[] = {"卡号：",     "证号：",     "姓名：",   "性别：",     "专业：",
                                  "年级：",     "班级：",     "等级：",   "学期累计：", "总 累 计：",
                                  "总 付 费：", "余    额：", "联系电话:"};
  for (int i = 0; i < 13; ++i)
    QCOMPARE(text(QStringLiteral("detailCaption_%1").arg(i)), QString::fromUtf8(captions[i]));
  QCOMPARE(text("detailValue_0"), QStringLiteral("0000001001"));  // 显示卡号位数 10
  QCOMPARE(text("detailValue_2"), QStringLiteral("张伟"));
  QCOMPARE(text("detailValue_3"), QStringLiteral("男"));
  QCOMPARE(text("detailValue_4"), QStringLiteral("钢琴"));
  QCOMPARE(text("detailValue_6"), QStringLiteral("一班"));
  QCOMPARE(text("detailValue_11"), QStringLiteral("120.00元"));
  QCOMPARE(text("detailValue_12"), QStringLiteral("13900001001"));

  QLabel* status = label("statusLine");
  QCOMPARE(status->text(), QStringLiteral("状态:[正常]"));
  QCOMPARE(status->palette().color(QPalette::WindowText), QColor(0, 255, 0));
  QVERIFY(status->toolTip().isEmpty());

  QCOMPARE(text("todayHeading"), QStringLiteral("--------------今日活动(0)--------------"));
  QCOMPARE(child<QListWidget>("List5")->count(), 0);

  auto* combo = child<QComboBox>("Combo2");
  const auto& entries = demo_->desk().engine().majors().entries();
  QCOMPARE(combo->count(), static_cast<int>(entries.size()));
  QVERIFY(combo->count() >= 2);
  QCOMPARE(combo->itemText(combo->count() - 1).left(6), QStringLiteral("[对应专业]"));
  QCOMPARE(combo->currentIndex(), demo_->desk().cardInput().majorIndex());

  // The demo photo folder holds no photos: the picture stays empty.
  QVERIFY(child<QLabel>("photo")->pixmap().isNull());
}

void MainWindowCheckinTest::roomListShowsTheCandidatesWithTheProposalSelected() {
  demo_->swipe("1001");
  for (int r = 0; r < kRoomCount; ++r) {
    QCOMPARE(cell("Labffj", r), QString::fromUtf8(kRoomsAtFirst[r]));
    QCOMPARE(cell("Labfys", r), QStringLiteral("----"));
    QCOMPARE(cell("Labfcs", r), QStringLiteral("----"));
    QCOMPARE(cell("Labfxm", r), QString());
    QCOMPARE(cell("Labfkh", r), QString());
    QCOMPARE(cell("Labfrs", r), QString());
    QCOMPARE(foreground("Labffj", r), kBlack);
  }
  QCOMPARE(cell("Labflb", 0), QStringLiteral("声乐"));
  QCOMPARE(cell("Labflb", 2), QStringLiteral("古筝"));
  QCOMPARE(cell("Labflb", 10), QStringLiteral("钢琴"));
  for (int r = kRoomCount; r < MainWindow::kRows; ++r) QCOMPARE(cell("Labffj", r), QString());

  // 琴房101 is proposed: its row is selected, its name above the panel.
  QCOMPARE(background("Labffj", 10), kPaleBlue);
  QCOMPARE(background("Labfcs", 10), kPaleBlue);
  QCOMPARE(background("Labffj", 9), kWhite);
  QCOMPARE(background("Labffj", 11), kWhite);
  QVERIFY(child<QLabel>("tfj")->isVisible());
  QCOMPARE(text("tfj"), QStringLiteral("琴房101"));

  QCOMPARE(text("Labgl_2"), QStringLiteral("超时"));
  QCOMPARE(arrowAt("Image1t", QStringLiteral("Labgl_2")), QStringLiteral("▼"));
  QCOMPARE(text("Labgl_0"), QStringLiteral("房间"));
  QCOMPARE(text("Labgl_6"), QStringLiteral("人数"));
  QCOMPARE(child<QScrollBar>("VScroll2")->maximum(), 0);
  QCOMPARE(child<QCheckBox>("Check10")->text(), QStringLiteral("使用空闲房间(20)"));
  QCOMPARE(text("Label9"), QStringLiteral("20/20"));
}

void MainWindowCheckinTest::enterChecksInAndTheSessionListShowsTheStudent() {
  QCOMPARE(text("Label3_3"), QStringLiteral("在线：0"));
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);

  QVERIFY(!panelShown());
  QVERIFY(!child<QLabel>("tfj")->isVisible());
  QCOMPARE(text("TKey"), QString());
  QCOMPARE(cell("Labname", 0), QStringLiteral("张伟"));
  QCOMPARE(cell("Labkh", 0), QStringLiteral("1001"));
  QCOMPARE(cell("Labsj", 0), QStringLiteral("9:00"));
  QCOMPARE(cell("Labfh", 0), QStringLiteral("琴房101"));
  QCOMPARE(cell("Lablb", 0), QStringLiteral("钢琴"));
  QCOMPARE(cell("Labzlj", 0), QStringLiteral("钢琴"));
  QCOMPARE(cell("Labcs", 0), QStringLiteral("余2:00"));
  QCOMPARE(label("Labys_0")->toolTip(), QStringLiteral("2012-09-03"));
  QCOMPARE(foreground("Labname", 0), kBlack);
  QCOMPARE(cell("Labname", 1), QString());
  QCOMPARE(label("Labys_1")->toolTip(), QString());

  QCOMPARE(text("Label3_3"), QStringLiteral("在线：1"));
  QCOMPARE(text("Label3_4"), QStringLiteral("超时：0"));
  QCOMPARE(text("Label3_5"), QStringLiteral("第1/1页"));
  QCOMPARE(child<QPlainTextEdit>("activityText")->toPlainText(),
           QStringLiteral("09:00 张伟[0000001001]登录琴房101 钢琴"));
}

void MainWindowCheckinTest::theNewRowFlashesAndStops() {
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);
  QCOMPARE(cell("Labname", 0), QStringLiteral("张伟"));

  // Each tick of 250 ms paints the whole row with the next colour.
  demo_->timers().advance(250);
  QCOMPARE(background("Labname", 0), QColor(255, 0, 0));
  QCOMPARE(background("Labcs", 0), QColor(255, 0, 0));
  demo_->timers().advance(250);
  QCOMPARE(background("Labname", 0), QColor(255, 128, 0));
  QCOMPARE(background("Labname", 1), kWhite);

  // 51 ticks in all (the counter runs 0..50); then the row is painted as
  // the selected row, or as any other row.
  demo_->timers().advance(48 * 250);
  QVERIFY(demo_->desk().engine().sessionBoard().flashing());
  // 50 ticks so far; the last one (counter 49) painted 49 mod 6 = 1, orange.
  QCOMPARE(background("Labname", 0), QColor(255, 128, 0));
  QCOMPARE(background("Labzlj", 0), QColor(255, 128, 0));
  demo_->timers().advance(250);
  const QColor settled = demo_->desk().engine().sessionBoard().selectedRow() == 0 ? kPaleBlue : kWhite;
  QCOMPARE(background("Labname", 0), settled);
  QCOMPARE(background("Labcs", 0), settled);
  demo_->timers().advance(2000);
  QCOMPARE(background("Labname", 0), settled);
}

void MainWindowCheckinTest::clickOnARoomNameChecksInThere() {
  demo_->swipe("1002");
  QVERIFY(panelShown());
  const int row = rowOfRoom(QStringLiteral("琴房102"));
  QVERIFY(row >= 0);
  QTest::mouseClick(label(QStringLiteral("Labffj_%1").arg(row)), Qt::LeftButton);

  QVERIFY(!panelShown());
  QCOMPARE(cell("Labname", 0), QStringLiteral("王芳"));
  QCOMPARE(cell("Labfh", 0), QStringLiteral("琴房102"));
  QCOMPARE(text("Label3_3"), QStringLiteral("在线：1"));
}

void MainWindowCheckinTest::aRightClickOnARoomNameDoesNothing() {
  demo_->swipe("1002");
  const int row = rowOfRoom(QStringLiteral("琴房102"));
  QVERIFY(row >= 0);
  QTest::mouseClick(label(QStringLiteral("Labffj_%1").arg(row)), Qt::RightButton);
  // A click on another cell of the row checks nothing in either.
  QTest::mouseClick(label(QStringLiteral("Labflb_%1").arg(row)), Qt::LeftButton);
  QVERIFY(panelShown());
  QCOMPARE(demo_->desk().sessions().count(), 0);
  QCOMPARE(cell("Labname", 0), QString());
}

void MainWindowCheckinTest::pointerOverARowSelectsIt() {
  demo_->swipe("1001");
  QCOMPARE(text("tfj"), QStringLiteral("琴房101"));
  QTest::mouseMove(label("Labfxm_8"));
  QCOMPARE(background("Labffj", 8), kPaleBlue);
  QCOMPARE(background("Labfcs", 8), kPaleBlue);
  QCOMPARE(background("Labffj", 10), kWhite);
  QCOMPARE(text("tfj"), QString::fromUtf8(kRoomsAtFirst[8]));
  // Enter now checks in to the row under the pointer.
  demo_->desk().KeyDown(13);
  QCOMPARE(cell("Labfh", 0), QString::fromUtf8(kRoomsAtFirst[8]));

  // The session list selects the same way; an empty row is not selected.
  QTest::mouseMove(label("Labsj_0"));
  QCOMPARE(background("Labname", 0), kPaleBlue);
  QTest::mouseMove(label("Labsj_5"));
  QCOMPARE(background("Labname", 5), kWhite);
  QCOMPARE(demo_->desk().engine().sessionBoard().selectedRow(), 0);
}

void MainWindowCheckinTest::aRestingPointerDoesNotTakeTheProposal() {
  // The pointer rests where row 5 of the room list will appear.
  QTest::mouseMove(label("Labsj_5"));
  demo_->swipe("1001");
  QVERIFY(panelShown());
  // The panel appeared under the pointer: a room cell of row 5 has it.
  bool underPointer = false;
  for (const char* c : {"Labffj", "Labfys", "Labfcs", "Labfxm", "Labfkh", "Labflb"}) {
    underPointer = underPointer || label(QStringLiteral("%1_5").arg(QLatin1String(c)))->underMouse();
  }
  QVERIFY(underPointer);
  QCOMPARE(text("tfj"), QStringLiteral("琴房101"));
  QCOMPARE(background("Labffj", 10), kPaleBlue);
  QCOMPARE(background("Labffj", 5), kWhite);
  demo_->desk().KeyDown(13);
  QCOMPARE(cell("Labfh", 0), QStringLiteral("琴房101"));
}

void MainWindowCheckinTest::headingClicksSortTheRoomList() {
  demo_->swipe("1001");
  QTest::mouseClick(label("Labgl_0"), Qt::LeftButton);
  QCOMPARE(arrowAt("Image1t", QStringLiteral("Labgl_0")), QStringLiteral("▲"));
  QCOMPARE(text("Labgl_0"), QStringLiteral("房间"));
  QCOMPARE(text("Labgl_2"), QStringLiteral("超时"));
  QCOMPARE(cell("Labffj", 0), QStringLiteral("琴房101"));
  QCOMPARE(cell("Labffj", 10), QStringLiteral("排练302"));
  QTest::mouseClick(label("Labgl_0"), Qt::LeftButton);
  QCOMPARE(arrowAt("Image1t", QStringLiteral("Labgl_0")), QStringLiteral("▼"));
  QCOMPARE(cell("Labffj", 0), QStringLiteral("排练302"));
}

void MainWindowCheckinTest::headingClicksSortTheSessionList() {
  demo_->swipe("1002");
  demo_->desk().KeyDown(13);
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);
  QCOMPARE(text("Label3_3"), QStringLiteral("在线：2"));

  QTest::mouseClick(label("Label1_1"), Qt::LeftButton);  // 卡号
  QCOMPARE(arrowAt("Image1", QStringLiteral("Label1_1")), QStringLiteral("▲"));
  QCOMPARE(text("Label1_1"), QStringLiteral("卡号"));
  QCOMPARE(text("Label1_0"), QStringLiteral("姓名"));
  QCOMPARE(cell("Labkh", 0), QStringLiteral("1001"));
  QCOMPARE(cell("Labkh", 1), QStringLiteral("1002"));
  QTest::mouseClick(label("Label1_1"), Qt::LeftButton);
  QCOMPARE(arrowAt("Image1", QStringLiteral("Label1_1")), QStringLiteral("▼"));
  QCOMPARE(cell("Labkh", 0), QStringLiteral("1002"));
  QCOMPARE(cell("Labname", 0), QStringLiteral("王芳"));
  QCOMPARE(cell("Labkh", 1), QStringLiteral("1001"));
}

void MainWindowCheckinTest::cancelHidesThePanelWithoutACheckIn() {
  demo_->swipe("1001");
  QVERIFY(panelShown());
  QTest::mouseClick(child<QPushButton>("Command15"), Qt::LeftButton);
  QVERIFY(!panelShown());
  QVERIFY(!child<QLabel>("tfj")->isVisible());
  QCOMPARE(text("TKey"), QString());
  QCOMPARE(demo_->desk().sessions().count(), 0);
  QCOMPARE(cell("Labname", 0), QString());
}

void MainWindowCheckinTest::useOptionsForwardAndFollowTheDesk() {
  demo_->swipe("1001");
  auto* idle = child<QCheckBox>("Check10");
  auto* overtime = child<QCheckBox>("Check11");
  auto* inTime = child<QCheckBox>("Check7");
  QVERIFY(idle->isChecked());
  QVERIFY(!overtime->isChecked());
  QVERIFY(!inTime->isEnabled());
  QCOMPARE(overtime->text(), QStringLiteral("使用超时房间(0)"));
  QCOMPARE(inTime->text(), QStringLiteral("使用未超时房间(0)"));

  click(overtime);
  QVERIFY(demo_->desk().options().useOvertimeRooms);
  QVERIFY(demo_->desk().dirty().isSet(OptionGroup::Board));
  QVERIFY(inTime->isEnabled());
  click(inTime);
  QVERIFY(demo_->desk().options().useRoomsInTime);
  QVERIFY(inTime->isChecked());

  // Off again: "使用未超时房间" goes off with it and cannot be clicked.
  click(overtime);
  QVERIFY(!demo_->desk().options().useOvertimeRooms);
  QVERIFY(!demo_->desk().options().useRoomsInTime);
  QVERIFY(!inTime->isChecked());
  QVERIFY(!inTime->isEnabled());

  // Without free rooms the room list has nothing to offer.
  click(idle);
  QVERIFY(!demo_->desk().options().useIdleRooms);
  QVERIFY(!idle->isChecked());
  QCOMPARE(cell("Labffj", 0), QString());
}

void MainWindowCheckinTest::majorSelectorForwardsTheChoice() {
  demo_->swipe("1001");
  auto* combo = child<QComboBox>("Combo2");
  QCOMPARE(combo->currentIndex(), 0);
  QTest::keyClick(combo, Qt::Key_Down);
  QCOMPARE(demo_->desk().cardInput().majorIndex(), 1);
  QCOMPARE(combo->currentIndex(), 1);
  // Left moves the selector through the key handler; the list follows.
  demo_->desk().KeyDown(37);
  QCOMPARE(demo_->desk().cardInput().majorIndex(), 0);
  QCOMPARE(combo->currentIndex(), 0);
}

void MainWindowCheckinTest::checkOutEverybodyEmptiesTheList() {
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);
  demo_->swipe("1002");
  demo_->desk().KeyDown(13);
  QCOMPARE(text("Label3_3"), QStringLiteral("在线：2"));
  demo_->boxes().answer = true;
  QTest::mouseClick(child<QPushButton>("Command46"), Qt::LeftButton);
  QCOMPARE(demo_->boxes().boxes.back().text, std::string("确定要清空学员登记列表吗"));
  QCOMPARE(text("Label3_3"), QStringLiteral("在线：0"));
  QCOMPARE(cell("Labname", 0), QString());
  QCOMPARE(cell("Labname", 1), QString());
  auto* activity = child<QPlainTextEdit>("activityText");
  QVERIFY(activity->toPlainText().contains(QStringLiteral("王芳[0000001002]下线")));
  // Four lines overflow the box: it shows the last ones.
  QCOMPARE(activity->toPlainText().split(QLatin1Char('\n')).size(), 4);
  QVERIFY(activity->verticalScrollBar()->maximum() > 0);
  QCOMPARE(activity->verticalScrollBar()->value(), activity->verticalScrollBar()->maximum());
}

void MainWindowCheckinTest::secondSwipeChecksOutAndBills() {
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);
  demo_->clock().advanceMinutes(45);
  demo_->swipe("1001");
  QCOMPARE(cell("Labname", 0), QString());
  QCOMPARE(text("Label3_3"), QStringLiteral("在线：0"));
  const QStringList lines = child<QPlainTextEdit>("activityText")->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 2);
  QVERIFY(lines[1].startsWith(QStringLiteral("09:45 张伟[0000001001]下线琴房101 钢琴")));
}

void MainWindowCheckinTest::thePhotoShowsWhenItLoads() {
  // Photos named by card number, 4 digits, in a folder of the installation.
  Options& o = demo_->desk().options();
  o.photoFolder = (demo_->root() / "photos").string() + "/";
  o.photoExtension = ".png";
  o.photoNaming = 1;
  o.photoNameLength = 4;
  QVERIFY(QDir().mkpath(Q(o.photoFolder)));
  QImage picture(60, 80, QImage::Format_RGB32);
  picture.fill(QColor(10, 120, 200));
  QVERIFY(picture.save(Q(o.photoFolder + "1003.png")));

  demo_->swipe("1003");
  const QPixmap shown = child<QLabel>("photo")->pixmap();
  QVERIFY(!shown.isNull());
  QCOMPARE(shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2), QColor(10, 120, 200));

  // No file for 1004: the picture is cleared, not kept.
  QTest::mouseClick(child<QPushButton>("Command15"), Qt::LeftButton);
  demo_->swipe("1004");
  QVERIFY(panelShown());
  QVERIFY(child<QLabel>("photo")->pixmap().isNull());
}

void MainWindowCheckinTest::todaysActivityListsTheEarlierSessions() {
  demo_->swipe("1001");
  demo_->desk().KeyDown(13);
  demo_->clock().advanceMinutes(30);
  demo_->swipe("1001");  // out after 30 minutes
  demo_->clock().advanceMinutes(5);
  demo_->swipe("1001");
  QVERIFY(panelShown());
  QCOMPARE(text("todayHeading"), QStringLiteral("--------------今日活动(2)--------------"));
  auto* list = child<QListWidget>("List5");
  QCOMPARE(list->count(), 2);
  QVERIFY(list->item(0)->text().startsWith(QStringLiteral("9:00")));
  QVERIFY(list->item(0)->text().contains(QStringLiteral("琴房101")));
  QVERIFY(list->item(1)->text().startsWith(QStringLiteral("9:30")));
  QVERIFY(list->item(1)->text().contains(QStringLiteral("费用:")));
}

QTEST_MAIN(MainWindowCheckinTest)
#include "MainWindowCheckinTest.moc"
