#include "ui/ListGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>

#include "ui/ListTableModel.h"

namespace tarvolen {

ListGrid::ListGrid(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  // Fixed row heights: the view never measures a row's contents, so a
  // million rows scroll as fast as thirty.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setSortIndicatorShown(true);
}

void ListGrid::setListModel(ListTableModel* model) {
  // The indicator is set before sorting is switched on, so showing the
  // model does not sort it a second time.
  setSortingEnabled(false);
  setModel(model);
  if (model == nullptr) return;
  horizontalHeader()->setSortIndicator(model->sortColumn(), model->sortOrder());
  setSortingEnabled(true);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, model,
          [model](const QModelIndex& current) { model->Select(current.row()); });
}

}  // namespace tarvolen
