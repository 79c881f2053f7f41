// The utilisation window over a hand-made computation: 统计 runs in steps
// on the timer with the progress shown, the heat map takes the picture's
// size and paints its colours, the pointer over a cell tells its share, the
// figures list the rooms, the view switch redraws, and the exports write a
// real PNG and PDF (or tell why not).
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileDialogs.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeWorkbookWriter.h"
#include "ui/UtilisationImage.h"
#include "query/UtilisationFakes.h"
#include "ui/ControlList.h"
#include "ui/UtilisationWindow.h"

namespace tarvolen {

using testing::FakeUtilisation;

class UtilisationWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void opensOnTheDefaultRangeAndListsItsControls();
  void countsInStepsThenShowsThePictureFiguresAndNotes();
  void thePointerOverACellTellsItsShare();
  void theViewSwitchRedrawsThePicture();
  void exportsWriteAPngAndAPdf();
  void anExportIntoAFolderThatCannotBeWrittenIsTold();
  void closingTheWindowDropsTheRun();
  void aTallPictureGoesOverSeveralPdfPagesCutBetweenRows();

 private:
  template <class T>
  T* child(const char* name) {
    return window_->findChild<T*>(QString::fromLatin1(name));
  }
  void runToEnd();

  CategoryLists categories_;
  FakeClock clock_{{{2026, 10, 5}, 10, 0, 0}};
  FakeTimerFactory timers_;
  FakeMessageBoxes boxes_;
  FakeFileDialogs dialogs_;
  FakeWorkbookWriter workbooks_;
  QtUtilisationFiles files_;
  FakeUtilisation fake_;
  std::unique_ptr<query::UtilisationDesk> desk_;
  std::unique_ptr<UtilisationWindow> window_;
  std::unique_ptr<QTemporaryDir> out_;
};

void UtilisationWindowTest::init() {
  categories_ = CategoryLists{};
  categories_.majors[0] = "钢琴";
  fake_ = FakeUtilisation{};
  fake_.report = testing::PianoReport();
  boxes_.boxes.clear();
  dialogs_.answer.reset();
  desk_ = std::make_unique<query::UtilisationDesk>(
      query::UtilisationDesk::Services{fake_.computation(), categories_, clock_, boxes_}, timers_.make());
  window_ = std::make_unique<UtilisationWindow>(*desk_, dialogs_, workbooks_, files_);
  out_ = std::make_unique<QTemporaryDir>();
  desk_->Open();
}

void UtilisationWindowTest::cleanup() {
  window_.reset();
  desk_.reset();
}

void UtilisationWindowTest::runToEnd() {
  for (int i = 0; i < 100 && desk_->running(); ++i) timers_.advance(1);
}

void UtilisationWindowTest::opensOnTheDefaultRangeAndListsItsControls() {
  QVERIFY(window_->isVisible());
  QCOMPARE(child<QDateEdit>("DateFrom")->date(), QDate(2026, 9, 1));
  QCOMPARE(child<QDateEdit>("DateTo")->date(), QDate(2027, 2, 14));
  QCOMPARE(child<QComboBox>("ComboRooms")->count(), 2);
  QCOMPARE(child<QComboBox>("ComboRooms")->itemText(1), QStringLiteral("钢琴"));
  QVERIFY(!child<QPushButton>("CommandPng")->isEnabled());
  // A date typed goes to the desk.
  child<QDateEdit>("DateFrom")->setDate(QDate(2026, 9, 15));
  QCOMPARE(desk_->from(), (CivilDate{2026, 9, 15}));
  QStringList names;
  for (const std::string& line : ListControls(window_.get())) {
    names << QString::fromStdString(line).section(QLatin1Char(' '), 0, 0);
  }
  for (const char* name :
       {"DateFrom", "DateTo", "ComboRooms", "CommandCount", "OptionView_0", "OptionView_1", "ScrollPicture",
        "PictureUsage", "GridFigures", "CommandPng", "CommandPdf", "CommandXlsx", "CommandClose"}) {
    QVERIFY2(names.contains(QString::fromLatin1(name)), name);
  }
}

void UtilisationWindowTest::countsInStepsThenShowsThePictureFiguresAndNotes() {
  fake_.steps = 4;
  QTest::mouseClick(child<QPushButton>("CommandCount"), Qt::LeftButton);
  QVERIFY(desk_->running());
  timers_.advance(1);
  QVERIFY(child<QProgressBar>("ProgressCount")->isVisible());
  QCOMPARE(child<QProgressBar>("ProgressCount")->value(), 25);
  QCOMPARE(child<QLabel>("LabelStatus")->text(), QStringLiteral("正在统计 25%"));
  QVERIFY(!child<QPushButton>("CommandPng")->isEnabled());
  runToEnd();
  QVERIFY(!child<QProgressBar>("ProgressCount")->isVisible());
  QCOMPARE(child<QLabel>("LabelStatus")->text(), QStringLiteral("统计完成：2间房间"));
  QVERIFY(child<QPushButton>("CommandPng")->isEnabled());
  QCOMPARE(window_->picture()->size(), QSize(desk_->picture().width, desk_->picture().height));

  // The painted heat map: the cell of 琴房01 at 14 o'clock in its colour.
  const QImage shot = window_->picture()->grab().toImage();
  const auto& cell = desk_->picture().cells[0];
  QCOMPARE(shot.pixel(cell.rect.x + 3, cell.rect.y + 3) & 0xFFFFFF, query::ShareColour(0.375));
  QCOMPARE(shot.pixel(1, 1) & 0xFFFFFF, 0xFFFFFFu);

  QTableWidget* grid = window_->figures();
  QCOMPARE(grid->rowCount(), 3);
  QCOMPARE(grid->horizontalHeaderItem(4)->text(), QStringLiteral("开放时段占用率"));
  QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("琴房01"));
  QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("房间9(已删除)"));
  QCOMPARE(grid->item(2, 0)->text(), QStringLiteral("合计"));
  QCOMPARE(child<QLabel>("LabelNotes")->text(), QStringLiteral("签退早于签到的记录1条，未计入"));
}

void UtilisationWindowTest::thePointerOverACellTellsItsShare() {
  desk_->Run();
  runToEnd();
  const auto& cell = desk_->picture().cells[0];
  QWidget* picture = window_->picture();
  auto move = [picture](QPoint at) {
    QMouseEvent ev(QEvent::MouseMove, at, picture->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &ev);
  };
  const QPoint over(cell.rect.x + 2, cell.rect.y + 2);
  move(over);
  QCOMPARE(child<QLabel>("LabelHover")->text(), QStringLiteral("琴房01 14时: 37.5%"));
  QHelpEvent help(QEvent::ToolTip, over, picture->mapToGlobal(over));
  QApplication::sendEvent(picture, &help);
  QCOMPARE(QToolTip::text(), QStringLiteral("琴房01 14时: 37.5%"));
  move(QPoint(2, 2));
  QCOMPARE(child<QLabel>("LabelHover")->text(), QString());
}

void UtilisationWindowTest::theViewSwitchRedrawsThePicture() {
  desk_->Run();
  runToEnd();
  const int roomsHeight = window_->picture()->height();
  QTest::mouseClick(child<QRadioButton>("OptionView_1"), Qt::LeftButton);
  QCOMPARE(desk_->view(), query::UtilisationView::WeekdaysByHour);
  QVERIFY(child<QRadioButton>("OptionView_1")->isChecked());
  QCOMPARE(window_->picture()->height(), desk_->picture().height);
  QVERIFY(window_->picture()->height() != roomsHeight);
}

void UtilisationWindowTest::exportsWriteAPngAndAPdf() {
  desk_->Run();
  runToEnd();
  dialogs_.answer = out_->filePath(QStringLiteral("使用率")).toStdString();
  QTest::mouseClick(child<QPushButton>("CommandPng"), Qt::LeftButton);
  QFile png(out_->filePath(QStringLiteral("使用率.png")));
  QVERIFY(png.open(QIODevice::ReadOnly));
  QCOMPARE(png.read(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
  png.close();
  QImage back(png.fileName());
  QCOMPARE(back.size(), QSize(desk_->picture().width, desk_->picture().height));
  const auto& cell = desk_->picture().cells[1];  // 琴房01 at 15 o'clock: full
  QCOMPARE(back.pixel(cell.rect.x + 3, cell.rect.y + 3) & 0xFFFFFF, query::ShareColour(1.0));

  QTest::mouseClick(child<QPushButton>("CommandPdf"), Qt::LeftButton);
  QFile pdf(out_->filePath(QStringLiteral("使用率.pdf")));
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QCOMPARE(pdf.read(5), QByteArray("%PDF-"));
  QTest::mouseClick(child<QPushButton>("CommandXlsx"), Qt::LeftButton);
  QCOMPARE(workbooks_.written.count(out_->filePath(QStringLiteral("使用率.xlsx")).toStdString()), size_t{1});
  QCOMPARE(boxes_.boxes.size(), size_t{3});
  QCOMPARE(boxes_.boxes[0].icon, BoxIcon::Information);
}

// A tall picture goes over several PDF pages; a folder that takes no file
// gives the reason. As root a folder's mode does not stop a write; an
// immutable folder does, and a path under a missing folder always fails.
void UtilisationWindowTest::anExportIntoAFolderThatCannotBeWrittenIsTold() {
  desk_->Run();
  runToEnd();
  dialogs_.answer = out_->filePath(QStringLiteral("无此目录/使用率.png")).toStdString();
  QTest::mouseClick(child<QPushButton>("CommandPng"), Qt::LeftButton);
  QCOMPARE(boxes_.boxes.size(), size_t{1});
  QVERIFY2(boxes_.boxes[0].text.rfind("导出失败：无法写入文件 ", 0) == 0, boxes_.boxes[0].text.c_str());
  QCOMPARE(boxes_.boxes[0].icon, BoxIcon::Critical);

  const QString folder = out_->filePath(QStringLiteral("locked"));
  QVERIFY(QDir().mkpath(folder));
  if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0) {
    QSKIP("chattr +i is not available here");
  }
  const Status png = SaveUtilisationPng((folder + QStringLiteral("/a.png")).toStdString(), desk_->picture());
  const Status pdf = SaveUtilisationPdf((folder + QStringLiteral("/a.pdf")).toStdString(), desk_->picture());
  QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
  QVERIFY(!png.ok());
  QVERIFY(!pdf.ok());
  QVERIFY2(png.detail().find("a.png") != std::string::npos, png.detail().c_str());
  QVERIFY(!QFile::exists(folder + QStringLiteral("/a.png")));
}

void UtilisationWindowTest::closingTheWindowDropsTheRun() {
  fake_.steps = 50;
  desk_->Run();
  timers_.advance(1);
  window_->close();
  QVERIFY(!desk_->running());
  QVERIFY(!desk_->shown());
  QVERIFY(!window_->isVisible());
  desk_->Open();
  QVERIFY(window_->isVisible());
}

// 200 rooms are about 4,100 pixels tall: five A4 pages at 96 dpi, every
// room's label whole on one of them.
void UtilisationWindowTest::aTallPictureGoesOverSeveralPdfPagesCutBetweenRows() {
  query::UtilisationReport report = testing::PianoReport();
  const query::RoomUtilisation room = report.rooms.front();
  report.rooms.clear();
  for (int slot = 1; slot <= 200; ++slot) {
    query::RoomUtilisation r = room;
    r.slot = slot;
    r.label = "R" + std::to_string(1000 + slot);
    report.rooms.push_back(r);
  }
  const auto picture = query::LayOutUtilisation(report, query::UtilisationView::RoomsByHour);
  const QString path = out_->filePath(QStringLiteral("tall.pdf"));
  const Status written = SaveUtilisationPdf(path.toStdString(), picture);
  QVERIFY2(written.ok(), written.detail().c_str());
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("no pdftotext here");
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
  QVERIFY(text.waitForFinished(20000));
  const QString all = QString::fromUtf8(text.readAllStandardOutput());
  const qsizetype pages = all.count(QLatin1Char('\f'));
  QVERIFY2(pages >= 5 && pages <= 6, qPrintable(QString::number(pages)));
  for (int slot = 1; slot <= 200; ++slot) {
    QVERIFY2(all.contains(QStringLiteral("R%1").arg(1000 + slot)), qPrintable(QString::number(slot)));
  }
}

}  // namespace tarvolen

QTEST_MAIN(tarvolen::UtilisationWindowTest)
#include "UtilisationWindowTest.moc"
