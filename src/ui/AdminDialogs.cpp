#include "ui/AdminDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>

namespace tarvolen {

AdminDialogs AdminDialogs::Standard() {
  AdminDialogs d;
  d.colour = [](const QColor& initial, QWidget* parent) -> std::optional<QColor> {
    QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
  };
  d.font = [](const QFont& initial, QWidget* parent) -> std::optional<QFont> {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, initial, parent);
    if (!ok) return std::nullopt;
    return chosen;
  };
  d.photo = [](QWidget* parent) -> std::optional<QString> {
    QString path = QFileDialog::getOpenFileName(parent, QStringLiteral("请选择其中一张照片"), QString(),
                                                QStringLiteral("*.*(请定位照片路径) (*)"));
    if (path.isEmpty()) return std::nullopt;
    return path;
  };
  d.customName = [](const QString& current, QWidget* parent) -> std::optional<QString> {
    bool ok = false;
    QString name = QInputDialog::getText(parent, QStringLiteral("提示"), QStringLiteral("请输入名称"),
                                         QLineEdit::Normal, current, &ok);
    if (!ok) return std::nullopt;
    return name;
  };
  return d;
}

}  // namespace tarvolen
