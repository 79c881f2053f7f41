#pragma once
// The floating card window: the card number being typed, in large white
// digits with a black shadow, floating above every window while the main
// window is not in front. Three labels (Label1_0 .. Label1_2) offset by 0, 1
// and 2 pixels to the right and down, the first white, the others black.
#include <QWidget>
#include <array>
#include <string>

class QLabel;

namespace tarvolen {

class Desk;

class FloatingCardWindow : public QWidget {
  Q_OBJECT
 public:
  explicit FloatingCardWindow(Desk& desk);

  // Shows the card buffer; shown exactly while the card input says the
  // floating window shows and an identity has been confirmed.
  void render();

  QLabel* label(int i) const { return labels_[static_cast<size_t>(i)]; }

 private:
  Desk& desk_;
  std::array<QLabel*, 3> labels_{};
  std::string drawn_ = std::string(1, '\0');
  bool shaped_ = false;
};

}  // namespace tarvolen
