#include "ui/AdminControls.h"

#include <QLayout>
#include <QMouseEvent>

#include "startup/OptionsEditor.h"
#include "ui/WindowLook.h"

namespace tarvolen::adminui {

SwatchLabel::SwatchLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setAlignment(Qt::AlignCenter);
  setMinimumSize(96, 28);
  setMaximumHeight(32);
  setCursor(Qt::PointingHandCursor);
}

void SwatchLabel::paint(int32_t stored) {
  const QColor bg = FromStoredColour(static_cast<uint32_t>(stored) & 0xFFFFFFu);
  const QColor fg = FromStoredColour(static_cast<uint32_t>(SwatchTextColour(stored)));
  const QString sheet = QStringLiteral("QLabel { background-color: %1; color: %2; border: 1px solid #808080; }")
                            .arg(bg.name(), fg.name());
  if (sheet == drawn_) return;
  drawn_ = sheet;
  setStyleSheet(sheet);
}

void SwatchLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    emit clicked();
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

int32_t ToStoredColour(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) | (static_cast<uint32_t>(rgb.green()) << 8) |
                              (static_cast<uint32_t>(rgb.blue()) << 16));
}

bool HandOverNumber(OptionsEditor& editor, ValueBox& box, NumberOption option) {
  if (!box.edit()->isModified()) return false;
  (void)editor.SetNumber(option, Utf8(box.edit()->text()));
  box.handedOver();
  return true;
}

void Tighten(QLayout* layout) {
  layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
  layout->setSpacing(kPageSpacing);
}

}  // namespace tarvolen::adminui
