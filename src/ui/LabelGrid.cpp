#include "ui/LabelGrid.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tarvolen {
namespace {

constexpr int kBoardPixelSize = 12;

const char* const kRow = "tarvolenRow";  // -1 on a heading
const char* const kColumn = "tarvolenColumn";

}  // namespace

LabelGrid::LabelGrid(const Names& names, int rows, const std::vector<int>& stretch, QWidget* parent) : QWidget(parent) {
  setObjectName(names.panel);
  setAutoFillBackground(true);
  const int columns = static_cast<int>(names.cells.size());
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(1, 1, 1, 1);
  grid->setSpacing(1);

  headings_.resize(static_cast<size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    QLabel* h = MakeLabel(QStringLiteral("%1_%2").arg(names.headingPrefix).arg(c), true, -1, c);
    headings_[static_cast<size_t>(c)].label = h;
    grid->addWidget(h, 0, c);
    grid->setColumnStretch(c, c < static_cast<int>(stretch.size()) ? stretch[static_cast<size_t>(c)] : 1);
  }
  cells_.assign(static_cast<size_t>(rows), std::vector<Cell>(static_cast<size_t>(columns)));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      QLabel* l = MakeLabel(QStringLiteral("%1_%2").arg(names.cells[static_cast<size_t>(c)]).arg(r), false, r, c);
      cells_[static_cast<size_t>(r)][static_cast<size_t>(c)].label = l;
      grid->addWidget(l, r + 1, c);
    }
  }
  for (int r = 0; r <= rows; ++r) grid->setRowStretch(r, 1);

  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setObjectName(names.scrollBar);
  scrollBar_->setRange(0, 0);
  scrollBar_->setPageStep(1);
  grid->addWidget(scrollBar_, 0, columns, rows + 1, 1);
  connect(scrollBar_, &QScrollBar::valueChanged, this, &LabelGrid::pageChanged);
}

QLabel* LabelGrid::MakeLabel(const QString& name, bool heading, int row, int column) {
  auto* l = new QLabel(this);
  l->setObjectName(name);
  l->setAutoFillBackground(true);
  l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  l->setContentsMargins(2, 0, 0, 0);
  QFont f = l->font();
  f.setPixelSize(kBoardPixelSize);
  l->setFont(f);
  l->setProperty(kRow, row);
  l->setProperty(kColumn, column);
  l->setMouseTracking(true);
  l->installEventFilter(this);
  if (heading) {
    l->setAlignment(Qt::AlignCenter);
    l->setCursor(Qt::PointingHandCursor);
  } else {
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  return l;
}

QLabel* LabelGrid::heading(int column) const {
  if (column < 0 || column >= columnCount()) return nullptr;
  return headings_[static_cast<size_t>(column)].label;
}

QLabel* LabelGrid::cell(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return nullptr;
  return cells_[static_cast<size_t>(row)][static_cast<size_t>(column)].label;
}

void LabelGrid::Draw(Cell& cell, const std::string& text, QRgb fg, QRgb bg, const std::string& tooltip) {
  if (cell.text != text) {
    cell.text = text;
    cell.label->setText(QString::fromStdString(text));
  }
  if (cell.tooltip != tooltip) {
    cell.tooltip = tooltip;
    cell.label->setToolTip(QString::fromStdString(tooltip));
  }
  if (!cell.coloured || cell.fg != fg || cell.bg != bg) {
    cell.coloured = true;
    cell.fg = fg;
    cell.bg = bg;
    QPalette p = cell.label->palette();
    p.setColor(QPalette::WindowText, QColor::fromRgb(fg));
    p.setColor(QPalette::Window, QColor::fromRgb(bg));
    cell.label->setPalette(p);
  }
}

void LabelGrid::SetHeading(int column, const std::string& text, QRgb fg, QRgb bg) {
  if (column < 0 || column >= columnCount()) return;
  Draw(headings_[static_cast<size_t>(column)], text, fg, bg, {});
}

void LabelGrid::SetCell(int row, int column, const std::string& text, QRgb fg, QRgb bg, const std::string& tooltip) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
  Draw(cells_[static_cast<size_t>(row)][static_cast<size_t>(column)], text, fg, bg, tooltip);
}

void LabelGrid::SetPages(int range, int page) {
  if (drawnRange_ == range && drawnPage_ == page) return;
  QSignalBlocker block(scrollBar_);
  scrollBar_->setRange(0, range);
  scrollBar_->setValue(page);
  drawnRange_ = range;
  drawnPage_ = page;
}

bool LabelGrid::eventFilter(QObject* watched, QEvent* event) {
  const QVariant rowValue = watched->property(kRow);
  if (!rowValue.isValid()) return QWidget::eventFilter(watched, event);
  const int row = rowValue.toInt();
  const int column = watched->property(kColumn).toInt();
  if (event->type() == QEvent::MouseMove) {
    if (row >= 0) emit cellPointerMoved(row, column);
  } else if (event->type() == QEvent::MouseButtonPress) {
    if (row < 0) {
      emit headingPressed(column);
    } else {
      const auto* press = static_cast<QMouseEvent*>(event);
      emit cellPressed(row, column, press->button(), press->modifiers());
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tarvolen
