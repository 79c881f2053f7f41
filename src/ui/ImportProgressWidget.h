#pragma once
// The progress of a spreadsheet import on its page: "正在导入 n/m 行", a bar
// and the button 取消, shown while an import of that kind runs.
#include <QWidget>

#include "import/SheetImport.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarvolen {

class ImportProgressWidget : public QWidget {
  Q_OBJECT
 public:
  // `name` makes the object names distinct: <name>, <name>Cancel.
  ImportProgressWidget(SheetImport& import, SheetImport::Kind kind, const QString& name, QWidget* parent = nullptr);
  void render();

 private:
  SheetImport& import_;
  SheetImport::Kind kind_;
  QLabel* label_;
  QProgressBar* bar_;
  QPushButton* cancel_;
};

}  // namespace tarvolen
