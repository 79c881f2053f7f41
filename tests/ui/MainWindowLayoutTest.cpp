// The main window laid out by the layout timer: the lists and the student
// panel at the numbers of the pass, the board size option, a restore after
// a minimised pass; and the detail sheets beside the pointer, with and
// without a photo.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "desk/SessionEngine.h"
#include "ui/DemoMainWindow.h"
#include "ui/DetailSheetWindows.h"
#include "ui/MainWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class MainWindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void theDeliveredSizeIsLaidOutAtOnce();
  void aResizeIsLaidOutAfter300ms();
  void theBoardSizeOptionSetsEveryTextSize();
  void aRestoreAfterAMinimisedPassLaysOutTheNewSize();
  void theAdministrationAreaLiesOverTheLists();
  void theInfoPanelSlidesUpAndHides();

  void theStudentsSheetShowsBesideThePointer();
  void theRoomCellShowsTheRoomsSheet();
  void headingsAndTheOptionOffShowNoSheet();
  void aClickOnTheSheetHidesBoth();
  void aPhotoWidensTheSheetAndABrokenOneDoesNot();

 private:
  template <class T = QWidget>
  T* child(const QString& name) const {
    auto* w = main_->findChild<T*>(name);
    if (w == nullptr) qWarning("no control %s", qPrintable(name));
    return w;
  }
  QLabel* sheetLine(int i) const {
    return main_->detailSheetWindows().sheet()->findChild<QLabel*>(QStringLiteral("FStr255_Label1_%1").arg(i));
  }
  // The window is laid out for its size inside the frame.
  void resizeOuter(int w, int h) { main_->resize(w, h); }
  void laidOutAt(int w, int h) {
    resizeOuter(w, h);
    demo_->timers().advance(300);
  }
  void checkInFirst() {
    demo_->swipe("1001");
    demo_->desk().KeyDown(13);
    QCOMPARE(child<QLabel>(QStringLiteral("Labkh_0"))->text(), QStringLiteral("1001"));
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
};

void MainWindowLayoutTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
  demo_->desk().options().showDetails = true;
}

void MainWindowLayoutTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void MainWindowLayoutTest::theDeliveredSizeIsLaidOutAtOnce() {
  // Laid out in the constructor, for the window's size before it showed
  // (no pass of the layout timer has run yet).
  QVERIFY(demo_->desk().layoutScheduler().pending());
  QCOMPARE(child(QStringLiteral("Picture1"))->geometry(), QRect(6, 6, 711, 499));
  QCOMPARE(child(QStringLiteral("Label1_0"))->geometry(), QRect(0, 0, 75, 14));  // H = 16
  // The window keeps at least 875 x 535 inside its frame, so its outer size
  // is never below the minimum the pass assumes.
  laidOutAt(875, 547);
  QCOMPARE(child(QStringLiteral("Picture1"))->geometry(), QRect(6, 6, 711, 499));
  QVERIFY(child(QStringLiteral("Labname_29"))->isVisible());
}

void MainWindowLayoutTest::aResizeIsLaidOutAfter300ms() {
  resizeOuter(1280, 800);
  demo_->timers().advance(299);
  QCOMPARE(child(QStringLiteral("Picture1"))->width(), 711);
  demo_->timers().advance(1);
  QCOMPARE(child(QStringLiteral("Picture1"))->geometry(), QRect(6, 6, 1116, 752));
  QCOMPARE(child(QStringLiteral("Label1_1"))->geometry(), QRect(122, 0, 120, 22));
  QCOMPARE(child(QStringLiteral("Labcs_29"))->geometry(), QRect(976, 720, 120, 22));
  QCOMPARE(child(QStringLiteral("Labtt_0"))->geometry(), QRect(0, 24, 1096, 22));
  QCOMPARE(child(QStringLiteral("VScroll1"))->geometry(), QRect(1098, 0, 17, 752));
  QCOMPARE(child(QStringLiteral("VScroll2"))->geometry(), QRect(732, 0, 17, 752));
  QCOMPARE(child(QStringLiteral("Labftt_3"))->geometry(), QRect(61, 96, 610, 22));
  QCOMPARE(child(QStringLiteral("detailCaption_2"))->pos(), QPoint(773, 110));  // 姓名, first below the status
  QCOMPARE(child(QStringLiteral("detailCaption_12"))->pos(), QPoint(773, 80 + 13 * 30));
  QCOMPARE(child(QStringLiteral("statusLine"))->pos(), QPoint(773, 80));
  QCOMPARE(child(QStringLiteral("List5"))->width(), 350);
  QCOMPARE(child(QStringLiteral("Command15"))->pos(), QPoint(1116 - 129, 752 - 33));
  QCOMPARE(child(QStringLiteral("Label9"))->x(), 732 + 122);
  QCOMPARE(child(QStringLiteral("rightColumn"))->x(), 1147);
  QCOMPARE(child<QLabel>(QStringLiteral("Labname_0"))->font().pointSize(), 18);
  QCOMPARE(child<QListWidget>(QStringLiteral("List5"))->font().pointSize(), 18);
  QVERIFY(!child(QStringLiteral("Labfrs_0"))->isVisible());  // the places column is not laid out
  // The sort arrows at their sorted headings' right ends: 姓名 ascending,
  // 超时 descending; one image of each pair shows.
  QCOMPARE(child(QStringLiteral("Image1_0"))->geometry(), QRect(120 - 18, 0, 16, 22));
  QVERIFY(child(QStringLiteral("Image1_0"))->isVisible());
  QVERIFY(!child(QStringLiteral("Image1_1"))->isVisible());
  QCOMPARE(child(QStringLiteral("Image1t_1"))->geometry(), QRect(2 * 122 + 120 - 18, 0, 16, 22));
  QVERIFY(child(QStringLiteral("Image1t_1"))->isVisibleTo(child(QStringLiteral("roomList"))));
  QVERIFY(!child(QStringLiteral("Image1t_0"))->isVisibleTo(child(QStringLiteral("roomList"))));
}

void MainWindowLayoutTest::theBoardSizeOptionSetsEveryTextSize() {
  QVERIFY(demo_->desk().optionsEditor().SetChoice(ChoiceOption::BoardSize, 5).ok());  // 14
  demo_->timers().advance(300);
  for (const char* name : {"Labname_0", "Label1_3", "Labffj_7", "Labgl_2", "detailCaption_4", "detailValue_4"}) {
    QCOMPARE(child<QLabel>(QLatin1String(name))->font().pointSize(), 14);
  }
  QCOMPARE(child<QListWidget>(QStringLiteral("List5"))->font().pointSize(), 14);
  QVERIFY(demo_->desk().optionsEditor().SetChoice(ChoiceOption::BoardSize, 0).ok());  // 自动调整, H = 16
  demo_->timers().advance(300);
  QCOMPARE(child<QLabel>(QStringLiteral("Labname_0"))->font().pointSize(), 12);
}

void MainWindowLayoutTest::aRestoreAfterAMinimisedPassLaysOutTheNewSize() {
  resizeOuter(1000, 700);
  main_->setWindowState(Qt::WindowMinimized);
  demo_->timers().advance(300);  // the pass finds the window minimised
  QCOMPARE(child(QStringLiteral("Picture1"))->width(), 711);
  QVERIFY(demo_->desk().layoutScheduler().minimisedFlag());
  main_->setWindowState(Qt::WindowNoState);
  demo_->timers().advance(300);
  QCOMPARE(child(QStringLiteral("Picture1"))->geometry(), QRect(6, 6, 836, 652));
}

void MainWindowLayoutTest::theAdministrationAreaLiesOverTheLists() {
  laidOutAt(1280, 800);
  QCOMPARE(child(QStringLiteral("Picture2"))->geometry(), QRect(6, 6, 1116, 752));
  laidOutAt(875, 547);
  QCOMPARE(child(QStringLiteral("Picture2"))->geometry(), child(QStringLiteral("Picture1"))->geometry());
  // The open area's pages stand inside it.
  demo_->desk().adminArea().Toggle();
  main_->render();
  QVERIFY(demo_->desk().adminArea().Navigate(0).ok());
  main_->render();
  auto* page = child(QStringLiteral("Picture3_0"));
  QTRY_VERIFY(page->isVisible());
  QVERIFY(QRect(QPoint(0, 0), child(QStringLiteral("Picture2"))->size()).contains(page->geometry()));
}

void MainWindowLayoutTest::theInfoPanelSlidesUpAndHides() {
  laidOutAt(875, 547);
  const int ow = 875;
  QWidget* panel = child(QStringLiteral("Text1"));
  QCOMPARE(panel->geometry(), QRect(ow - 130 - 20, 547 - 48, 130, 200));
  QVERIFY(!child(QStringLiteral("Label25"))->isVisible());
  QTest::mouseClick(child(QStringLiteral("Label24")), Qt::LeftButton);
  demo_->timers().advance(60);
  QCOMPARE(panel->y(), 547 - 200 - 16);
  QVERIFY(child(QStringLiteral("Label25"))->isVisible());
  QTest::mouseClick(child(QStringLiteral("Label25")), Qt::LeftButton);
  QCOMPARE(panel->y(), 547 - 48);
  QVERIFY(!child(QStringLiteral("Label25"))->isVisible());
}

void MainWindowLayoutTest::theStudentsSheetShowsBesideThePointer() {
  checkInFirst();
  QLabel* name = child<QLabel>(QStringLiteral("Labname_0"));
  QTest::mouseMove(name, QPoint(30, 5));
  DetailSheetWindows& sheets = main_->detailSheetWindows();
  QTRY_VERIFY(sheets.sheet()->isVisible());
  QVERIFY(sheets.plate()->isVisible());
  QCOMPARE(sheetLine(0)->text(), QStringLiteral("姓名:") + name->text());
  QCOMPARE(sheetLine(14)->text(), QStringLiteral("状    态:[正常]"));
  QVERIFY(!sheetLine(15)->isVisible());
  // x = 0 + 64 + 30/15, y = 16 + 32 + 5/15 from the window's outer corner.
  QCOMPARE(sheets.sheet()->pos(), main_->mapToGlobal(QPoint(66, 48)));
  QCOMPARE(sheets.sheet()->size(), QSize(130, 221));
  QCOMPARE(sheets.plate()->geometry(), sheets.sheet()->geometry());
  QVERIFY(!sheets.photoShown());
}

void MainWindowLayoutTest::theRoomCellShowsTheRoomsSheet() {
  checkInFirst();
  QTest::mouseMove(child(QStringLiteral("Labfh_0")), QPoint(10, 5));
  DetailSheetWindows& sheets = main_->detailSheetWindows();
  QTRY_VERIFY(sheets.sheet()->isVisible());
  QCOMPARE(sheetLine(0)->text(), QStringLiteral("名称:") + child<QLabel>(QStringLiteral("Labfh_0"))->text());
  QVERIFY(sheetLine(8)->isVisible());
  QVERIFY(!sheetLine(9)->isVisible());
  QCOMPARE(sheets.sheet()->size(), QSize(133, 137));  // 2000 x 2055 twips
  // The card cell hides it again.
  QTest::mouseMove(child(QStringLiteral("Labkh_0")), QPoint(10, 5));
  QTRY_VERIFY(!sheets.sheet()->isVisible());
  QVERIFY(!sheets.plate()->isVisible());
}

void MainWindowLayoutTest::headingsAndTheOptionOffShowNoSheet() {
  checkInFirst();
  DetailSheetWindows& sheets = main_->detailSheetWindows();
  QTest::mouseMove(child(QStringLiteral("Labname_0")), QPoint(10, 5));
  QTRY_VERIFY(sheets.sheet()->isVisible());
  QTest::mouseMove(child(QStringLiteral("Label1_0")), QPoint(10, 5));
  QTRY_VERIFY(!sheets.sheet()->isVisible());

  demo_->desk().options().showDetails = false;
  QTest::mouseMove(child(QStringLiteral("Labname_0")), QPoint(12, 6));
  QTest::qWait(20);
  QVERIFY(!sheets.sheet()->isVisible());
}

void MainWindowLayoutTest::aClickOnTheSheetHidesBoth() {
  checkInFirst();
  DetailSheetWindows& sheets = main_->detailSheetWindows();
  QTest::mouseMove(child(QStringLiteral("Labname_0")), QPoint(10, 5));
  QTRY_VERIFY(sheets.sheet()->isVisible());
  QTest::mouseClick(sheetLine(0), Qt::LeftButton);
  QVERIFY(!sheets.sheet()->isVisible());
  QVERIFY(!sheets.plate()->isVisible());
  QVERIFY(!demo_->desk().detailSheets().view().visible);
}

void MainWindowLayoutTest::aPhotoWidensTheSheetAndABrokenOneDoesNot() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  Options& o = demo_->desk().options();
  o.photoFolder = QDir(dir.path()).absolutePath().toStdString() + "/";
  o.photoExtension = ".png";
  o.photoNaming = 1;  // the card number
  o.photoNameLength = 4;
  QImage big(3000, 4000, QImage::Format_RGB32);
  big.fill(Qt::darkCyan);
  QVERIFY(big.save(dir.filePath(QStringLiteral("1001.png"))));
  checkInFirst();

  DetailSheetWindows& sheets = main_->detailSheetWindows();
  // A point no test before used: a pointer already there gives no move.
  QTest::mouseMove(child(QStringLiteral("Labname_0")), QPoint(11, 7));
  QTRY_VERIFY(sheets.sheet()->isVisible());
  QVERIFY(sheets.photoShown());
  QCOMPARE(sheets.sheet()->width(), 199);  // 2985 twips
  auto* photo = sheets.plate()->findChild<QLabel*>(QStringLiteral("Image1"));
  QCOMPARE(photo->geometry(), QRect(199 - 8 - 60, 8, 60, 80));
  QCOMPARE(photo->pixmap().size(), QSize(60, 80));  // read scaled

  // The same file turned to junk: shown as no photo once the sheet is built again.
  QFile junk(dir.filePath(QStringLiteral("1001.png")));
  QVERIFY(junk.open(QIODevice::WriteOnly | QIODevice::Truncate));
  junk.write("not a picture");
  junk.close();
  demo_->desk().engine().RefreshBoards();  // the boards redraw: the cache goes
  QTest::mouseMove(child(QStringLiteral("Labname_0")), QPoint(14, 6));
  QTRY_COMPARE(sheets.sheet()->width(), 130);
  QVERIFY(!sheets.photoShown());
  QVERIFY(!photo->isVisible());
}

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
