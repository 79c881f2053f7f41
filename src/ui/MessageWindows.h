#pragma once
// The five message line windows (FMsg1, Fmsg2 .. Fmsg5) across the bottom of
// the screen: frameless, above every other window, see-through but for the
// text, never taking the keyboard or the mouse. Window 1 holds the newest
// line. They only draw the core's message stack: text, level (opacity
// level / 255), the message font and colour.
#include <QString>
#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QWidget;

namespace tarvolen {

class Desk;

class MessageWindows {
 public:
  explicit MessageWindows(Desk& desk);
  ~MessageWindows();
  MessageWindows(const MessageWindows&) = delete;
  MessageWindows& operator=(const MessageWindows&) = delete;

  // Draws the stack; cheap when nothing changed (every fading step calls it).
  void render();

  // Window k = 1..5 and its label.
  QWidget* window(int k) const { return windows_[static_cast<size_t>(k - 1)]; }
  QLabel* label(int k) const { return labels_[static_cast<size_t>(k - 1)]; }

 private:
  struct Drawn {
    std::string text;
    int level = -1;
    bool shaped = false;  // the window's shape fits the text and font
  };
  void ApplyLook();

  Desk& desk_;
  std::array<QWidget*, 5> windows_{};
  std::array<QLabel*, 5> labels_{};
  std::array<Drawn, 5> drawn_{};
  // The look last applied: font and colour from the options, the screen.
  QString fontKey_;
  int32_t colour_ = -1;
  int screenWidth_ = -1;
  int screenHeight_ = -1;
};

}  // namespace tarvolen
