#pragma once
// The two windows of a detail sheet: the translucent backing plate
// (FStr128, with the photo box Image1) and over it the see-through sheet of
// text lines (FStr255, 40 labels). Both float above everything without
// taking the focus; they draw the desk's DetailSheets view beside the
// pointer. A click on either hides both (`clicked`).
#include <QObject>
#include <QPoint>
#include <QSize>
#include <array>
#include <string>

class QLabel;
class QWidget;

namespace tarvolen {

class Desk;

class DetailSheetWindows : public QObject {
  Q_OBJECT
 public:
  explicit DetailSheetWindows(Desk& desk);
  ~DetailSheetWindows() override;

  // Shows, moves or hides the windows as the view says; `origin` is the
  // main window's outer top-left corner on the screen.
  void render(QPoint origin);

  QWidget* sheet() const { return sheet_; }
  QWidget* plate() const { return plate_; }
  bool photoShown() const { return photoShown_; }

 signals:
  void clicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rebuild();

  Desk& desk_;
  QWidget* plate_;
  QWidget* sheet_;
  QLabel* photo_;
  std::array<QLabel*, 40> lines_{};
  int drawnBuilds_ = -1;
  bool photoShown_ = false;
  QSize size_;
};

}  // namespace tarvolen
