#include "ui/ControlList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocumentFragment>
#include <QWidget>

namespace tarvolen {

std::vector<std::string> ListControls(const QWidget* window) {
  std::vector<std::string> lines;
  if (window == nullptr) return lines;
  for (const QWidget* w : window->findChildren<QWidget*>()) {
    if (w->objectName().isEmpty() || !w->isVisible()) continue;
    QRect shown(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget* p = w->parentWidget(); p != nullptr && p != window; p = p->parentWidget()) {
      shown &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    }
    shown &= window->rect();
    if (shown.isEmpty()) continue;

    QString state = QStringLiteral("-");
    QString text;
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) {
      if (b->isCheckable()) state = b->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
      text = b->text();
    } else if (const auto* l = qobject_cast<const QLabel*>(w)) {
      text = l->text();
      // Coloured lines are rich text: the list shows what they read.
      if (l->textFormat() == Qt::RichText) text = QTextDocumentFragment::fromHtml(text).toPlainText();
    } else if (const auto* c = qobject_cast<const QComboBox*>(w)) {
      text = c->currentText();
    } else if (const auto* e = qobject_cast<const QLineEdit*>(w)) {
      if (e->echoMode() == QLineEdit::Normal) text = e->text();
    }
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    lines.push_back(w->objectName().toStdString() + " " + std::to_string(shown.x()) + " " + std::to_string(shown.y()) +
                    " " + std::to_string(shown.width()) + " " + std::to_string(shown.height()) + " " +
                    state.toStdString() + " " + text.toStdString());
  }
  return lines;
}

}  // namespace tarvolen
