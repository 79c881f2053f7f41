#include "ui/LabelGrid.h"

#include <QEvent>
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

LabelGrid::LabelGrid(const Names& names, int rows, QWidget* parent) : QWidget(parent) {
  setObjectName(names.panel);
  setAutoFillBackground(true);
  setMouseTracking(true);
  const int columns = static_cast<int>(names.cells.size());

  // The markers first, so the cells lie over them.
  markers_.resize(static_cast<size_t>(rows));
  for (int r = 0; r < rows; ++r) {
    QLabel* m = MakeLabel(QStringLiteral("%1_%2").arg(names.marker).arg(r), false, r, columns);
    m->setAutoFillBackground(false);
    markers_[static_cast<size_t>(r)] = m;
  }
  headings_.resize(static_cast<size_t>(columns));
  for (int c = 0; c < columns; ++c) {
    headings_[static_cast<size_t>(c)].label =
        MakeLabel(QStringLiteral("%1_%2").arg(names.headingPrefix).arg(c), true, -1, c);
  }
  cells_.assign(static_cast<size_t>(rows), std::vector<Cell>(static_cast<size_t>(columns)));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      cells_[static_cast<size_t>(r)][static_cast<size_t>(c)].label =
          MakeLabel(QStringLiteral("%1_%2").arg(names.cells[static_cast<size_t>(c)]).arg(r), false, r, c);
    }
  }

  scrollBar_ = new QScrollBar(Qt::Vertical, this);
  scrollBar_->setObjectName(names.scrollBar);
  scrollBar_->setRange(0, 0);
  scrollBar_->setPageStep(1);
  connect(scrollBar_, &QScrollBar::valueChanged, this, &LabelGrid::pageChanged);
}

void LabelGrid::ApplyGeometry(const Geometry& g) {
  const auto place = [](QWidget* w, const QRect* r) {
    if (r == nullptr || r->width() <= 0 || r->height() <= 0) {
      w->hide();
      return;
    }
    if (w->geometry() != *r) w->setGeometry(*r);
    w->show();
  };
  const bool newSize = g.textSize > 0 && g.textSize != textSize_;
  const auto size = [&](QLabel* l) {
    if (!newSize) return;
    QFont f = l->font();
    f.setPointSize(g.textSize);
    l->setFont(f);
  };
  for (int c = 0; c < columnCount(); ++c) {
    QLabel* h = headings_[static_cast<size_t>(c)].label;
    place(h, c < static_cast<int>(g.headings.size()) ? &g.headings[static_cast<size_t>(c)] : nullptr);
    size(h);
  }
  for (int r = 0; r < rowCount(); ++r) {
    const std::vector<QRect>* row = r < static_cast<int>(g.cells.size()) ? &g.cells[static_cast<size_t>(r)] : nullptr;
    for (int c = 0; c < columnCount(); ++c) {
      QLabel* l = cells_[static_cast<size_t>(r)][static_cast<size_t>(c)].label;
      place(l, row != nullptr && c < static_cast<int>(row->size()) ? &(*row)[static_cast<size_t>(c)] : nullptr);
      size(l);
    }
    place(markers_[static_cast<size_t>(r)],
          r < static_cast<int>(g.markers.size()) ? &g.markers[static_cast<size_t>(r)] : nullptr);
  }
  place(scrollBar_, &g.scrollBar);
  if (newSize) textSize_ = g.textSize;
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

QLabel* LabelGrid::marker(int row) const {
  if (row < 0 || row >= rowCount()) return nullptr;
  return markers_[static_cast<size_t>(row)];
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
    const QPoint inCell = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (row >= 0) {
      emit cellPointerMoved(row, column, inCell);
    } else {
      emit headingPointerMoved(column);
    }
    // Taken here: passed on, the grid would see a move over its panel.
    return true;
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

void LabelGrid::mouseMoveEvent(QMouseEvent* event) {
  emit panelPointerMoved();
  QWidget::mouseMoveEvent(event);
}

}  // namespace tarvolen
