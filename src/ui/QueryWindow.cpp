#include "ui/QueryWindow.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "desk/Desk.h"
#include "query/QueryDesk.h"
#include "query/PrintLayout.h"
#include "store/TextCells.h"
#include "ui/AdminControls.h"

namespace tarvolen {

using adminui::SetChecked;
using adminui::SetVisible;
using adminui::Text;

// The grid's lines as a table: the three fixed lines (offset 0, three
// rows) or the records (offset 3). Cells are asked of the core as drawn.
class ResultLinesModel : public QAbstractTableModel {
 public:
  ResultLinesModel(const query::ResultGrid& grid, bool fixed, QObject* parent)
      : QAbstractTableModel(parent), grid_(grid), fixed_(fixed) {}

  int rowCount(const QModelIndex& parent = {}) const override {
    if (parent.isValid()) return 0;
    if (fixed_) return grid_.columnCount() > 0 ? query::ResultGrid::kFixedRows : 0;
    return grid_.records();
  }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : grid_.columnCount(); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const int row = fixed_ ? index.row() : index.row() + query::ResultGrid::kFixedRows;
    if (role == Qt::DisplayRole) return Text(grid_.cell(row, index.column()));
    if (role == Qt::TextAlignmentRole && grid_.result() != nullptr && row >= 2 &&
        grid_.result()->isNumeric(index.column()) && row != 2) {
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role == Qt::BackgroundRole && fixed_) return QColor(0xE8, 0xE8, 0xE8);
    return {};
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }

 private:
  const query::ResultGrid& grid_;
  bool fixed_;
};

namespace {

QTableView* MakeView(const QString& name, QWidget* parent) {
  auto* v = new QTableView(parent);
  v->setObjectName(name);
  v->horizontalHeader()->hide();
  v->verticalHeader()->hide();
  v->setWordWrap(false);
  v->setSelectionBehavior(QAbstractItemView::SelectRows);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Fixed row heights: a million records scroll as fast as thirty.
  v->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  v->verticalHeader()->setDefaultSectionSize(v->fontMetrics().height() + 6);
  return v;
}

}  // namespace

QueryWindow::QueryWindow(Desk& desk, FileDialogs& dialogs, WorkbookWriter& workbooks, QWidget* parent)
    : QWidget(parent, Qt::Window), desk_(desk), dialogs_(dialogs), workbooks_(workbooks) {
  setObjectName(QStringLiteral("QueryWindow"));
  QFont f = font();
  f.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), f.family()});
  setFont(f);
  // The smallest size the window keeps: 5760 x 3840 twips.
  setMinimumSize(5760 / 15, 3840 / 15);

  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  auto button = [&](const char* name, const char* caption, void (QueryWindow::*slot)()) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QPushButton::clicked, this, slot);
    buttons->addWidget(b);
    return b;
  };
  button("Command6", "导出格式设置", &QueryWindow::Command6_Click);
  button("Command2", "导出电子表格", &QueryWindow::Command2_Click);
  button("Command1", "打印", &QueryWindow::Command1_Click);
  button("Command3", "结束", &QueryWindow::Command3_Click);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  // Picture1: the column selectors in two columns of fifteen, the line range, the aggregate lines.
  picture1_ = new QWidget(this);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  auto* panel = new QGridLayout(picture1_);
  query::ExportChoice& choice = desk_.queries().grid().exportChoice();
  for (int c = 0; c < kSelectors; ++c) {
    auto* box = new QCheckBox(picture1_);
    box->setObjectName(QStringLiteral("Check1_%1").arg(c));
    connect(box, &QCheckBox::toggled, this, [&choice, c](bool on) { choice.ticked[static_cast<size_t>(c)] = on; });
    panel->addWidget(box, c % 15, c / 15);
    check1_[static_cast<size_t>(c)] = box;
  }
  auto* range = new QHBoxLayout;
  range->addWidget(new QLabel(QStringLiteral("序号："), picture1_));
  for (int i = 0; i < 2; ++i) {
    auto* edit = new QLineEdit(picture1_);
    edit->setObjectName(QStringLiteral("Text1_%1").arg(i));
    edit->setMaximumWidth(90);
    connect(edit, &QLineEdit::textEdited, this,
            [&choice, i](const QString& t) { (i == 0 ? choice.firstLine : choice.lastLine) = t.toStdString(); });
    if (i == 1) range->addWidget(new QLabel(QStringLiteral("至"), picture1_));
    range->addWidget(edit);
    text1_[static_cast<size_t>(i)] = edit;
  }
  range->addStretch(1);
  panel->addLayout(range, 15, 0, 1, 2);
  check2_ = new QCheckBox(QStringLiteral("平均数"), picture1_);
  check2_->setObjectName(QStringLiteral("Check2_Export"));
  connect(check2_, &QCheckBox::toggled, this, [&choice](bool on) { choice.averages = on; });
  check3_ = new QCheckBox(QStringLiteral("总计数"), picture1_);
  check3_->setObjectName(QStringLiteral("Check3_Export"));
  connect(check3_, &QCheckBox::toggled, this, [&choice](bool on) { choice.totals = on; });
  panel->addWidget(check2_, 16, 0);
  panel->addWidget(check3_, 16, 1);
  picture1_->hide();
  layout->addWidget(picture1_);

  const query::ResultGrid& grid = desk_.queries().grid();
  fixed_ = MakeView(QStringLiteral("MSFle_Fixed"), this);
  fixedModel_ = new ResultLinesModel(grid, true, this);
  fixed_->setModel(fixedModel_);
  fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fixed_->setFixedHeight(3 * fixed_->verticalHeader()->defaultSectionSize() + 2 * fixed_->frameWidth());
  connect(fixed_, &QTableView::clicked, this, [this](const QModelIndex& i) {
    if (i.row() == 2) TitleClicked(i.column());
  });
  body_ = MakeView(QStringLiteral("MSFle"), this);
  bodyModel_ = new ResultLinesModel(grid, false, this);
  body_->setModel(bodyModel_);
  // The fixed lines scroll sideways with the records and keep their widths.
  connect(body_->horizontalScrollBar(), &QScrollBar::valueChanged, fixed_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(body_->horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int c, int, int size) { fixed_->setColumnWidth(c, size); });
  layout->addWidget(fixed_);
  layout->addWidget(body_, 1);
}

QueryWindow::~QueryWindow() = default;

void QueryWindow::render() {
  const query::ResultGrid& grid = desk_.queries().grid();
  setWindowTitle(Text(grid.title()));
  fixedModel_->Reset();
  bodyModel_->Reset();
  FitColumns();
  RenderPanel();
}

void QueryWindow::FitColumns() {
  const query::ResultGrid& grid = desk_.queries().grid();
  const QFontMetrics m(body_->font());
  // From the fixed lines and the first records: the rest are alike.
  const int rows = std::min(grid.rowCount(), query::ResultGrid::kFixedRows + 200);
  for (int c = 0; c < grid.columnCount(); ++c) {
    int w = 40;
    for (int r = 0; r < rows; ++r) w = std::max(w, m.horizontalAdvance(Text(grid.cell(r, c))) + 16);
    body_->setColumnWidth(c, std::min(w, 400));
    fixed_->setColumnWidth(c, std::min(w, 400));
  }
}

void QueryWindow::RenderPanel() {
  const query::ExportChoice& choice = desk_.queries().grid().exportChoice();
  for (int c = 0; c < kSelectors; ++c) {
    QCheckBox* box = check1_[static_cast<size_t>(c)];
    box->setText(Text(choice.captions[static_cast<size_t>(c)]));
    SetVisible(box, choice.shown[static_cast<size_t>(c)]);
    SetChecked(box, choice.ticked[static_cast<size_t>(c)]);
  }
  adminui::MirrorText(text1_[0], choice.firstLine);
  adminui::MirrorText(text1_[1], choice.lastLine);
  SetChecked(check2_, choice.averages);
  SetChecked(check3_, choice.totals);
}

void QueryWindow::TitleClicked(int column) {
  desk_.queries().grid().ClickTitle(column);
  bodyModel_->Reset();
}

void QueryWindow::Command6_Click() { picture1_->setVisible(picture1_->isHidden()); }

void QueryWindow::Command2_Click() {
  const query::ExportOutcome out = desk_.queries().Export(dialogs_, workbooks_);
  if (!out.path.empty()) std::fprintf(stderr, "[导出] %s %s\n", out.path.c_str(), out.message.c_str());
}

void QueryWindow::Command1_Click() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, this);
  preview.setObjectName(QStringLiteral("PrintPreview"));
  preview.setWindowTitle(windowTitle());
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PaintPages(*p); });
  preview.exec();
}

void QueryWindow::Command3_Click() { desk_.queries().Close(); }

void QueryWindow::closeEvent(QCloseEvent* event) {
  // The window's own close button is 结束 too.
  event->ignore();
  desk_.queries().Close();
}

bool QueryWindow::PrintToPdf(const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  PaintPages(printer);
  return QFileInfo::exists(path);
}

void QueryWindow::PaintPages(QPrinter& printer) {
  const query::ResultGrid& grid = desk_.queries().grid();
  const query::ExportChoice& choice = grid.exportChoice();
  QPainter p;
  if (!p.begin(&printer)) return;
  QFont f = font();
  f.setPointSize(9);
  p.setFont(f);
  const QFontMetrics m(p.font(), &printer);
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  query::PageMetrics metrics;
  metrics.width = page.width();
  metrics.height = page.height();
  metrics.lineHeight = m.height() + m.height() / 3;
  metrics.cellWidth = std::max(m.horizontalAdvance(QLatin1Char('M')), m.horizontalAdvance(QChar(0x623F)) / 2);
  metrics.padding = metrics.cellWidth;
  const query::PrintLayout layout =
      query::LayOutPrint(grid.title(), grid.Selection(), choice.averages, choice.totals, metrics);
  auto drawRow = [&](const CellRow& row, const query::PrintPage& pg, int y) {
    for (const query::PrintColumn& col : pg.columns) {
      if (static_cast<size_t>(col.column) >= row.size()) continue;
      const QString text = Text(CutToWidth(row[static_cast<size_t>(col.column)].text, query::kMaxPrintedCells));
      const QRect cell(col.x, y, col.width, metrics.lineHeight);
      p.drawText(cell, (col.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text);
    }
  };
  for (size_t i = 0; i < layout.pages.size(); ++i) {
    const query::PrintPage& pg = layout.pages[i];
    if (i > 0) printer.newPage();
    QFont bold = p.font();
    bold.setBold(true);
    p.save();
    p.setFont(bold);
    p.drawText(QRect(0, layout.headingY, metrics.width, metrics.lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
               Text(layout.heading));
    drawRow(layout.titles, pg, layout.titlesY);
    p.restore();
    const int lineY = layout.titlesY + metrics.lineHeight;
    p.drawLine(0, lineY, metrics.width, lineY);
    for (int r = pg.first; r < pg.last; ++r) {
      drawRow(layout.body[static_cast<size_t>(r)], pg, layout.bodyY + (r - pg.first) * metrics.lineHeight);
    }
    p.drawText(QRect(0, layout.footerY, metrics.width, metrics.lineHeight), Qt::AlignHCenter | Qt::AlignVCenter,
               Text(layout.footer(pg)));
  }
  p.end();
}

}  // namespace tarvolen
