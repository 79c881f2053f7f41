#pragma once
// One box Text8(i) of the operation panels: it asks the operation inputs
// before a typed key goes in, and reports focus, text and Enter.
#include <QLineEdit>
#include <functional>

namespace tarvolen {

class OperationBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit OperationBox(QWidget* parent = nullptr) : QLineEdit(parent) {}

  std::function<bool(char32_t key)> acceptsKey;

 signals:
  void focusGained();
  void focusLost();
  void enterPressed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tarvolen
