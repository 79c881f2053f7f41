// The grid of the long lists over a million-row core list: the view asks
// for the rows it shows and no more, makes no widget per row, and sorts
// through the core's list.
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "board/ListCursor.h"
#include "board/ListModel.h"
#include "board/ListSource.h"
#include "ui/ListGrid.h"
#include "ui/ListTableModel.h"

namespace tarvolen {
namespace {

constexpr int kItems = 1'000'000;

// Item i has the number (i * 7919) mod 1,000,000 (each once, out of order)
// in column 0 and its text "N" + the number backwards in column 1.
class MillionRows : public ListSource {
 public:
  static int Number(int item) { return static_cast<int>((static_cast<int64_t>(item) * 7919) % kItems); }
  static std::string Backwards(int item) {
    std::string s = std::to_string(Number(item) + kItems);
    return "N" + std::string(s.rbegin(), s.rend());
  }

  int itemCount() const override { return kItems; }
  int columnCount() const override { return 2; }
  std::string heading(int column) const override { return column == 0 ? "编号" : "名称"; }
  std::string cellText(int item, int column) const override {
    ++cellsMade;
    return column == 0 ? std::to_string(Number(item)) : Backwards(item);
  }
  int textColour(int item) const override { return Number(item) == 0 ? cellcolour::kOvertimeText : cellcolour::kText; }
  ListKeys sortKeys(int column) const override {
    ++sorts;
    if (column == 0) {
      std::vector<int64_t> keys(kItems);
      for (int i = 0; i < kItems; ++i) keys[static_cast<size_t>(i)] = Number(i);
      return keys;
    }
    std::vector<std::string> keys(kItems);
    for (int i = 0; i < kItems; ++i) keys[static_cast<size_t>(i)] = Backwards(i);
    return keys;
  }

  mutable int64_t cellsMade = 0;
  mutable int sorts = 0;
};

QRgb Palette(int index) { return qRgb(index, index, index); }

}  // namespace

class ListGridTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void aMillionRowsShowWithoutAWidgetPerRow();
  void headingsAndColoursComeFromTheCore();
  void reversingTheDirectionDoesNotSortAgain();
  void anotherColumnSortsOnceByItsKeys();
  void aHeadingClickSortsThroughTheCore();
  void theSelectedRowIsTheListsSelection();

 private:
  QString text(int row, int column) const { return model_->data(model_->index(row, column)).toString(); }

  MillionRows source_;
  std::unique_ptr<ListCursor> cursor_;
  std::unique_ptr<ListModel> list_;
  std::unique_ptr<ListTableModel> model_;
  std::unique_ptr<ListGrid> grid_;
};

void ListGridTest::init() {
  source_.cellsMade = 0;
  source_.sorts = 0;
  cursor_ = std::make_unique<ListCursor>();
  list_ = std::make_unique<ListModel>(*cursor_, 2, 0, 0);
  model_ = std::make_unique<ListTableModel>(source_, *list_, Palette);
  grid_ = std::make_unique<ListGrid>();
  grid_->setListModel(model_.get());
  grid_->resize(400, 300);
  grid_->show();
  QVERIFY(QTest::qWaitForWindowExposed(grid_.get()));
}

void ListGridTest::cleanup() {
  grid_.reset();
  model_.reset();
  list_.reset();
  cursor_.reset();
}

void ListGridTest::aMillionRowsShowWithoutAWidgetPerRow() {
  QCOMPARE(model_->rowCount(), kItems);
  QCOMPARE(model_->columnCount(), 2);
  QCOMPARE(source_.sorts, 1);  // showing the grid sorted nothing again
  grid_->repaint();
  // Scroll bars, headers, viewport and the like: a handful, not a million.
  QVERIFY2(grid_->findChildren<QWidget*>().size() < 40, "widgets per row");
  // Only the cells in sight were made.
  QVERIFY(source_.cellsMade > 0);
  QVERIFY2(source_.cellsMade < 2000, qPrintable(QString::number(source_.cellsMade)));
  QCOMPARE(text(0, 0), QStringLiteral("0"));
  QCOMPARE(text(kItems - 1, 0), QStringLiteral("999999"));
  QVERIFY(!model_->data(model_->index(kItems, 0)).isValid());

  grid_->scrollToBottom();
  grid_->repaint();
  QVERIFY(source_.cellsMade < 4000);
}

void ListGridTest::headingsAndColoursComeFromTheCore() {
  QCOMPARE(model_->headerData(0, Qt::Horizontal).toString(), QStringLiteral("编号"));
  QCOMPARE(model_->headerData(1, Qt::Horizontal).toString(), QStringLiteral("名称"));
  // Row 0 shows number 0, drawn in the overtime colour; row 1 in the text colour.
  QCOMPARE(model_->data(model_->index(0, 0), Qt::ForegroundRole).value<QColor>().rgb(),
           Palette(cellcolour::kOvertimeText));
  QCOMPARE(model_->data(model_->index(1, 1), Qt::ForegroundRole).value<QColor>().rgb(), Palette(cellcolour::kText));
  QCOMPARE(model_->data(model_->index(1, 1), Qt::BackgroundRole).value<QColor>().rgb(),
           Palette(cellcolour::kBackground));
}

void ListGridTest::reversingTheDirectionDoesNotSortAgain() {
  grid_->sortByColumn(0, Qt::DescendingOrder);
  QCOMPARE(list_->direction(), 1);
  QCOMPARE(source_.sorts, 1);
  QCOMPARE(text(0, 0), QStringLiteral("999999"));
  QCOMPARE(text(kItems - 1, 0), QStringLiteral("0"));
}

void ListGridTest::anotherColumnSortsOnceByItsKeys() {
  grid_->sortByColumn(1, Qt::AscendingOrder);
  QCOMPARE(list_->sortColumn(), 1);
  QCOMPARE(source_.sorts, 2);
  // Backwards, every text ends in 1: number 0 ("1000000") comes first,
  // number 100000 ("1100000") second.
  QCOMPARE(text(0, 1), QStringLiteral("N0000001"));
  QCOMPARE(text(1, 1), QStringLiteral("N0000011"));
  QCOMPARE(text(1, 0), QStringLiteral("100000"));
  for (int row : {1, 500000, kItems - 1}) QVERIFY(text(row - 1, 1) < text(row, 1));
}

void ListGridTest::aHeadingClickSortsThroughTheCore() {
  QHeaderView* header = grid_->horizontalHeader();
  const QPoint second(header->sectionViewportPosition(1) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, second);
  QCOMPARE(list_->sortColumn(), 1);
  QCOMPARE(source_.sorts, 2);
  QCOMPARE(text(1, 0), QString::fromLatin1(list_->direction() == 0 ? "100000" : "899999"));
}

void ListGridTest::theSelectedRowIsTheListsSelection() {
  grid_->selectRow(65);
  QCOMPARE(list_->selectedPosition(), 65);
  QCOMPARE(list_->page(), 2);  // the shared cursor stands on page 2, row 5
  QCOMPARE(list_->selectedRow(), 5);
  QCOMPARE(model_->data(model_->index(65, 0), Qt::BackgroundRole).value<QColor>().rgb(),
           Palette(cellcolour::kSelected));
  QCOMPARE(model_->data(model_->index(64, 0), Qt::BackgroundRole).value<QColor>().rgb(),
           Palette(cellcolour::kBackground));
}

}  // namespace tarvolen

QTEST_MAIN(tarvolen::ListGridTest)
#include "ListGridTest.moc"
