#pragma once
// A fixed grid of labels for the 30-row lists of the main window: a heading
// row, `rows` rows of cells and a scroll bar for the pages. The session list
// and the room list are each one of these; the core's board says what every
// cell shows, this grid only draws it (touching a label only when its text
// or colours change) and reports the pointer and the scroll bar.
//
// Object names: the heading of column c is "<headingPrefix>_c", the cell of
// row r in column c "<cellNames[c]>_r", the row's marker (a see-through
// label under the row's cells) "<marker>_r"; controls are found by these
// names. Every label stands where the main window's layout pass puts it.
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QLabel;
class QScrollBar;

namespace tarvolen {

class LabelGrid : public QWidget {
  Q_OBJECT
 public:
  struct Names {
    QString panel;               // the grid itself
    QString headingPrefix;       // "Label1", "Labgl"
    std::vector<QString> cells;  // one per column: "Labname", "Labffj", ...
    QString scrollBar;           // "VScroll1", "VScroll2"
    QString marker;              // "Labtt", "Labftt"
  };

  // Where the labels go (in the grid's own pixels) and their text size in
  // points. Headings and columns without a rectangle are hidden.
  struct Geometry {
    std::vector<QRect> headings;
    std::vector<std::vector<QRect>> cells;  // [row][column]
    std::vector<QRect> markers;             // [row]
    QRect scrollBar;
    int textSize = 0;
  };

  LabelGrid(const Names& names, int rows, QWidget* parent = nullptr);

  void ApplyGeometry(const Geometry& geometry);

  int rowCount() const { return static_cast<int>(cells_.size()); }
  int columnCount() const { return static_cast<int>(headings_.size()); }
  QLabel* heading(int column) const;
  QLabel* cell(int row, int column) const;
  QLabel* marker(int row) const;
  // The column number a marker reports: one past the last cell column.
  int markerColumn() const { return columnCount(); }
  QScrollBar* scrollBar() const { return scrollBar_; }

  void SetHeading(int column, const std::string& text, QRgb fg, QRgb bg);
  void SetCell(int row, int column, const std::string& text, QRgb fg, QRgb bg, const std::string& tooltip = {});
  // The scroll bar shows pages 0 .. range at `page`, without reporting it.
  void SetPages(int range, int page);
  // The next SetPages sets the scroll bar even if the numbers are the same:
  // after the operator moved it, it must show the page the core settled on.
  void ForgetPage() { drawnPage_ = -1; }

 signals:
  void headingPressed(int column);
  // Only a pointer that moves: a list appearing under a resting pointer gets
  // enter events too, and must not take the selection. `inCell`: the
  // pointer inside the cell. A marker reports column markerColumn().
  void cellPointerMoved(int row, int column, QPoint inCell);
  void headingPointerMoved(int column);
  // The pointer moves over the grid between its labels.
  void panelPointerMoved();
  void cellPressed(int row, int column, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void pageChanged(int page);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // One drawn label, with what it shows now.
  struct Cell {
    QLabel* label = nullptr;
    std::string text;
    std::string tooltip;
    QRgb fg = 0;
    QRgb bg = 0;
    bool coloured = false;
  };

  QLabel* MakeLabel(const QString& name, bool heading, int row, int column);
  static void Draw(Cell& cell, const std::string& text, QRgb fg, QRgb bg, const std::string& tooltip);

  std::vector<Cell> headings_;
  std::vector<std::vector<Cell>> cells_;
  std::vector<QLabel*> markers_;
  int textSize_ = 0;
  QScrollBar* scrollBar_ = nullptr;
  int drawnRange_ = -1;
  int drawnPage_ = -1;
};

}  // namespace tarvolen
