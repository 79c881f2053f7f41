#include "ui/ListTableModel.h"

#include <QColor>

#include "board/ListModel.h"
#include "board/ListSource.h"

namespace tarvolen {

ListTableModel::ListTableModel(const ListSource& source, ListModel& list, Palette palette, QObject* parent)
    : QAbstractTableModel(parent), source_(source), list_(list), palette_(std::move(palette)) {
  SortList(list_, source_);
}

int ListTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : list_.count(); }

int ListTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : source_.columnCount();
}

int ListTableModel::itemAt(int row) const { return list_.itemAt(row); }

int ListTableModel::sortColumn() const { return list_.sortColumn(); }

Qt::SortOrder ListTableModel::sortOrder() const {
  return list_.direction() == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
}

void ListTableModel::Select(int row) {
  const int before = list_.selectedPosition();
  if (before == row || !list_.SelectPosition(row)) return;
  const int last = columnCount() - 1;
  if (before >= 0) emit dataChanged(index(before, 0), index(before, last), {Qt::BackgroundRole});
  emit dataChanged(index(row, 0), index(row, last), {Qt::BackgroundRole});
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int item = list_.itemAt(index.row());
  if (item < 0) return {};
  switch (role) {
    case Qt::DisplayRole: return QString::fromStdString(source_.cellText(item, index.column()));
    case Qt::ForegroundRole:
      if (palette_) return QColor::fromRgb(palette_(source_.textColour(item)));
      return {};
    case Qt::BackgroundRole:
      if (palette_) {
        const bool selected = index.row() == list_.selectedPosition();
        return QColor::fromRgb(palette_(selected ? cellcolour::kSelected : cellcolour::kBackground));
      }
      return {};
    default: return {};
  }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= source_.columnCount()) return {};
  return QString::fromStdString(source_.heading(section));
}

void ListTableModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= list_.columns()) return;
  const int direction = order == Qt::DescendingOrder ? 1 : 0;
  if (column == list_.sortColumn() && direction == list_.direction()) return;
  // The rows all move: a reset is cheaper than mapping a million persistent
  // indexes, and a view keeps no per-row state worth keeping here.
  beginResetModel();
  const bool resort = column != list_.sortColumn();
  list_.setOrdering(column, direction);
  if (resort) SortList(list_, source_);
  endResetModel();
}

void ListTableModel::Refresh() {
  beginResetModel();
  SortList(list_, source_);
  list_.KeepPageInRange();
  endResetModel();
}

}  // namespace tarvolen
