#pragma once
// The standard dialogs opened from the administration pages. Each answer is
// empty when the operator cancels. The pages ask through this table, so the
// widget tests can answer in place of the operator.
#include <QColor>
#include <QFont>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace tarvolen {

struct AdminDialogs {
  // The colour dialog, preset with the swatch's colour.
  std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)> colour;
  // The font dialog, preset with the font button's font.
  std::function<std::optional<QFont>(const QFont& initial, QWidget* parent)> font;
  // "请选择其中一张照片": the path of any one existing photo.
  std::function<std::optional<QString>(QWidget* parent)> photo;
  // The input box "提示" / "请输入名称", with the stored name as default.
  std::function<std::optional<QString>(const QString& current, QWidget* parent)> customName;

  // The dialogs of the platform (QColorDialog, QFontDialog, QFileDialog, QInputDialog).
  static AdminDialogs Standard();
};

}  // namespace tarvolen
