#pragma once
// The grid of a long list (student list, room editor, query result): a
// table view over a ListTableModel. Rows are drawn by the view as they
// scroll into sight; no widget is made per row or per cell. A heading click
// sorts through the core's rules.
#include <QTableView>

namespace tarvolen {

class ListTableModel;

class ListGrid : public QTableView {
  Q_OBJECT
 public:
  explicit ListGrid(QWidget* parent = nullptr);

  // The grid shows `model` (owned elsewhere), with the core's ordering as
  // the heading's sort indicator.
  void setListModel(ListTableModel* model);
};

}  // namespace tarvolen
