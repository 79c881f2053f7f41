#pragma once
// A QAbstractTableModel over a core list: the column titles, the cell texts
// and the text colours come from the ListSource, the order and the selection
// from the ListModel. Nothing is copied: a cell's text is made when a view
// asks for it, so a million-row list costs its sort order and no more.
// Sorting goes through the core (heading rules, one sort per key column; a
// change of direction only reads the order from the other end).
#include <QAbstractTableModel>
#include <QRgb>
#include <functional>

namespace tarvolen {

class ListModel;
class ListSource;

class ListTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Maps a colour index of the core (cellcolour) to the colour drawn.
  using Palette = std::function<QRgb(int index)>;

  // `source` and `list` must outlive this model. The list is sorted here.
  ListTableModel(const ListSource& source, ListModel& list, Palette palette, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  // The source's items changed: sorted again and shown anew.
  void Refresh();
  // The item shown in a row of the view; -1 outside the list.
  int itemAt(int row) const;
  // The core's ordering, for the heading's sort indicator.
  int sortColumn() const;
  Qt::SortOrder sortOrder() const;
  // The row becomes the list's selection (drawn in the selected colour).
  void Select(int row);

 private:
  const ListSource& source_;
  ListModel& list_;
  Palette palette_;
};

}  // namespace tarvolen
