// The page 统计查询 and the query window on the demo installation: a
// check-in and a check-out typed at the desk, the combined query searched
// from the page, the grid's fixed lines and a sort by a click on a title,
// the export written as .xlsx with libxlsxwriter and read back by Debian's
// python3-openpyxl, the template's title row read with FreeXL, a failed
// export told as such, and the printed table as a PDF read back by
// pdftotext.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "platform/fake/FakeFileDialogs.h"
#include "platform/qt/XlsxWorkbookWriter.h"
#include "query/QueryDesk.h"
#include "ui/AdminAreaWidget.h"
#include "ui/AdminQueryPage.h"
#include "ui/DemoMainWindow.h"
#include "ui/MainWindow.h"
#include "ui/QueryWindow.h"

using namespace tarvolen;
using namespace tarvolen::uitest;

class QueryWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QuietPlatformNoise(); }
  void init();
  void cleanup();

  void searchWithoutModeIsRefused();
  void combinedQueryShowsTheSessionAndSorts();
  void exportReadsBackFromTheFile();
  void exportIntoAMissingFolderFails();
  void exportIntoAnImmutableFolderFails();
  void templateTitleRowIsReadWithFreeXl();
  void printedTableReadsBackFromThePdf();

 private:
  template <typename W>
  W* child(const QString& name) const {
    W* w = main_->findChild<W*>(name);
    if (w == nullptr) qWarning("no child %s", qPrintable(name));
    return w;
  }
  void click(QAbstractButton* b) {
    QVERIFY(b != nullptr);
    QVERIFY2(b->isVisible() && b->isEnabled(), qPrintable(b->objectName()));
    QTest::mouseClick(b, Qt::LeftButton, Qt::KeyboardModifiers(), QPoint(8, b->height() / 2));
  }
  void choose(QComboBox* combo, int index) {
    QVERIFY(combo != nullptr);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }
  QueryWindow& window() { return main_->adminArea().queryPage().queryWindow(); }
  void searchCombined();
  // Runs Debian's python3 on a script; its standard output.
  QString python(const QString& script, const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), QStringList{QStringLiteral("-c"), script} + args);
    if (!p.waitForFinished(30000)) return QStringLiteral("(python did not finish)");
    return QString::fromUtf8(p.readAllStandardOutput()) + QString::fromUtf8(p.readAllStandardError());
  }

  std::unique_ptr<DemoDesk> demo_;
  std::unique_ptr<MainWindow> main_;
  QTemporaryDir out_;
};

void QueryWindowTest::init() {
  StartDemo(demo_, main_);
  if (QTest::currentTestFailed()) return;
  ShowLoggedIn(*demo_, *main_);
  // A session of card 1002: checked in at 9:00, out at 10:15.
  demo_->swipe("1002");
  demo_->desk().KeyDown(13);
  demo_->clock().set(DateTime{kDemoDay, 10, 15, 0});
  demo_->swipe("1002");
  click(child<QPushButton>(QStringLiteral("Command5")));
  click(child<QPushButton>(QStringLiteral("Option1_6")));
  QVERIFY(main_->adminArea().page(6)->isVisible());
}

void QueryWindowTest::cleanup() {
  main_.reset();
  demo_.reset();
}

void QueryWindowTest::searchCombined() {
  choose(child<QComboBox>(QStringLiteral("Combo10")), 3);
  QVERIFY(child<QCheckBox>(QStringLiteral("Check15"))->isVisible());
  click(child<QPushButton>(QStringLiteral("Command26")));
  QVERIFY(window().isVisible());
}

void QueryWindowTest::searchWithoutModeIsRefused() {
  click(child<QPushButton>(QStringLiteral("Command26")));
  QVERIFY(!window().isVisible());
  QCOMPARE(QString::fromStdString(demo_->desk().notifier().stack().text(1)), QStringLiteral("请选择显示方式!"));
}

void QueryWindowTest::combinedQueryShowsTheSessionAndSorts() {
  searchCombined();
  QCOMPARE(window().windowTitle(), QStringLiteral("系统查询-登录数据-组合显示"));
  QAbstractItemModel* fixed = window().fixedLines()->model();
  QAbstractItemModel* body = window().records()->model();
  QCOMPARE(fixed->rowCount(), 3);
  QCOMPARE(fixed->index(0, 0).data().toString(), QStringLiteral("平均"));
  QCOMPARE(fixed->index(2, 0).data().toString(), QStringLiteral("序号"));
  QCOMPARE(fixed->index(2, 19).data().toString(), QStringLiteral("用时"));
  QCOMPARE(body->rowCount(), 1);
  QCOMPARE(body->index(0, 19).data().toString(), QStringLiteral("1时15分"));
  QCOMPARE(body->index(0, 2).data().toString(), QStringLiteral("9:00"));
  // A click on a title sorts; the running number stays 1.
  QTableView* view = window().fixedLines();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::KeyboardModifiers(),
                    view->visualRect(fixed->index(2, 3)).center());
  QCOMPARE(demo_->desk().queries().grid().sortColumn(), 3);
  QCOMPARE(body->index(0, 0).data().toString(), QStringLiteral("1"));
  click(window().findChild<QPushButton*>(QStringLiteral("Command3")));
  QVERIFY(!window().isVisible());
  QCOMPARE(demo_->desk().queries().grid().rowCount(), 0);
}

void QueryWindowTest::exportReadsBackFromTheFile() {
  searchCombined();
  FakeFileDialogs dialogs;
  dialogs.answer = out_.filePath(QStringLiteral("报表")).toStdString();
  XlsxWorkbookWriter books;
  query::ExportChoice& choice = demo_->desk().queries().grid().exportChoice();
  choice.totals = true;
  const query::ExportOutcome out = demo_->desk().queries().Export(dialogs, books);
  QVERIFY2(out.written, out.message.c_str());
  QCOMPARE(QString::fromStdString(out.path.string()), out_.filePath(QStringLiteral("报表.xlsx")));
  const QString rows = python(QStringLiteral("import openpyxl,sys\n"
                                             "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
                                             "for row in ws.iter_rows(values_only=True):\n"
                                             "    print('|'.join('' if v is None else repr(v) for v in row[:21]))\n"),
                              {QString::fromStdString(out.path.string())});
  const QStringList lines = rows.trimmed().split(QLatin1Char('\n'));
  QVERIFY2(lines.size() == 4, qPrintable(rows));
  QVERIFY2(lines[0].startsWith(QStringLiteral("'琴房管理查询报表'")), qPrintable(rows));  // the template's title row
  QVERIFY2(lines[1].startsWith(QStringLiteral("'合计'")), qPrintable(rows));
  QVERIFY2(lines[2].startsWith(QStringLiteral("'序号'|'日期'|'时间'|'姓名'")), qPrintable(rows));
  // The record: its running number and its fee are numbers, the rest text.
  QVERIFY2(lines[3].startsWith(QStringLiteral("1|'2012年09月03日'|'9:00'|")), qPrintable(rows));
  QVERIFY2(lines[3].contains(QStringLiteral("|'1时15分'|")), qPrintable(rows));
  QCOMPARE(demo_->boxes().boxes.back().text, std::string("成功"));
}

void QueryWindowTest::exportIntoAMissingFolderFails() {
  searchCombined();
  FakeFileDialogs dialogs;
  dialogs.answer = out_.filePath(QStringLiteral("无此目录/报表.xlsx")).toStdString();
  XlsxWorkbookWriter books;
  const query::ExportOutcome out = demo_->desk().queries().Export(dialogs, books);
  QVERIFY(!out.written);
  QVERIFY2(demo_->boxes().boxes.back().text.rfind("导出失败：", 0) == 0, demo_->boxes().boxes.back().text.c_str());
  QVERIFY(!QFileInfo::exists(QString::fromStdString(out.path.string())));
}

// As root a folder's mode does not stop a write; an immutable folder does.
void QueryWindowTest::exportIntoAnImmutableFolderFails() {
  searchCombined();
  const QString folder = out_.filePath(QStringLiteral("locked"));
  QVERIFY(QDir().mkpath(folder));
  if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), folder}) != 0) {
    QSKIP("chattr +i is not available here");
  }
  FakeFileDialogs dialogs;
  dialogs.answer = (folder + QStringLiteral("/报表")).toStdString();
  XlsxWorkbookWriter books;
  const query::ExportOutcome out = demo_->desk().queries().Export(dialogs, books);
  QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
  QVERIFY(!out.written);
  QVERIFY2(demo_->boxes().boxes.back().text.rfind("导出失败：", 0) == 0, demo_->boxes().boxes.back().text.c_str());
}

void QueryWindowTest::templateTitleRowIsReadWithFreeXl() {
  XlsxWorkbookWriter books;
  const Result<CellRow> row = books.ReadTitleRow(demo_->root() / "1.dat");
  QVERIFY2(row.ok(), row.status().detail().c_str());
  QCOMPARE(row->size(), size_t{1});
  QCOMPARE(QString::fromStdString((*row)[0].text), QStringLiteral("琴房管理查询报表"));
  QCOMPARE(books.ReadTitleRow(demo_->root() / "none.dat").status().code(), ErrorCode::Missing);
  // A file that is not a workbook is refused, not read.
  QVERIFY(!books.ReadTitleRow(demo_->root() / "set.dat").ok());
}

void QueryWindowTest::printedTableReadsBackFromThePdf() {
  searchCombined();
  const QString pdf = out_.filePath(QStringLiteral("table.pdf"));
  QVERIFY(window().PrintToPdf(pdf));
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!p.waitForStarted(5000)) QSKIP("pdftotext is missing (poppler-utils)");
  QVERIFY(p.waitForFinished(30000));
  const QString text = QString::fromUtf8(p.readAllStandardOutput());
  QVERIFY2(text.contains(QStringLiteral("系统查询-登录数据-组合显示")), qPrintable(text));
  QVERIFY2(text.contains(QStringLiteral("1时15分")), qPrintable(text));
  QVERIFY2(text.contains(QStringLiteral("第 1 页，共")), qPrintable(text));
  // Title and record side by side on their lines.
  QRegularExpression titles(QStringLiteral("序号\\s+日期\\s+时间\\s+姓名"));
  QVERIFY2(titles.match(text).hasMatch(), qPrintable(text));
}

QTEST_MAIN(QueryWindowTest)
#include "QueryWindowTest.moc"
