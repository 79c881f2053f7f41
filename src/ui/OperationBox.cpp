#include "ui/OperationBox.h"

#include <QKeyEvent>

namespace tarvolen {

void OperationBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit enterPressed();
    return;
  }
  if (event->key() == Qt::Key_Backspace) {
    if (!acceptsKey || acceptsKey(8)) QLineEdit::keyPressEvent(event);
    return;
  }
  const QString text = event->text();
  // Keys that type nothing (arrows, Tab, shortcuts) are the box's own.
  if (text.isEmpty() || !text.at(0).isPrint() || (event->modifiers() & Qt::ControlModifier)) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  const char32_t key = text.toUcs4().value(0);
  if (acceptsKey && !acceptsKey(key)) return;
  QLineEdit::keyPressEvent(event);
}

void OperationBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  emit focusGained();
}

void OperationBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  emit focusLost();
}

}  // namespace tarvolen
