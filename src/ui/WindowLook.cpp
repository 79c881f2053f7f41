#include "ui/WindowLook.h"

#include <QBitmap>
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
  window->clearMask();
  const QImage image = window->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  QRegion region(QBitmap::fromImage(image.createAlphaMask()));
  if (region.isEmpty()) region = QRegion(0, 0, 1, 1);
  window->setMask(region);
}

}  // namespace tarvolen
