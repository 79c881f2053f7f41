#include "ui/WindowLook.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QWidget>

#include "startup/Options.h"

namespace tarvolen {

QFont FontFromOptions(const MessageFont& font) {
  QFont f(QString::fromStdString(font.name));
  if (font.size > 0) f.setPointSize(font.size);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setStrikeOut(font.strikethrough);
  return f;
}

void ShapeToContent(QWidget* window) {
  // Only X11 desktops may lack a compositor; elsewhere the translucent
  // background does the work (and the offscreen platform has no shapes).
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  window->clearMask();
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  QRegion region(QBitmap::fromImage(image.createAlphaMask()));
  if (region.isEmpty()) region = QRegion(0, 0, 1, 1);
  window->setMask(region);
}

namespace {

class ActivationKeeper final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::WindowActivate || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isWindow()) return false;
    if (!w->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus)) {
      last_ = w;
    } else if (last_ && last_->isVisible()) {
      last_->activateWindow();
    }
    return false;
  }

 private:
  QPointer<QWidget> last_;
};

}  // namespace

void KeepActivationOffNoFocusWindows() {
  static QPointer<ActivationKeeper> keeper;
  if (keeper || qApp == nullptr) return;
  keeper = new ActivationKeeper(qApp);
  qApp->installEventFilter(keeper);
}

}  // namespace tarvolen
