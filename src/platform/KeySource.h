#pragma once
// Delivers the key-down codes of the whole desktop (Windows virtual-key
// numbering: Enter 13, Backspace 8, Escape 27, Space 32, Page Up 33,
// Page Down 34, arrows 37..40, main-row digits 48..57, keypad digits
// 96..105) without taking them from the window that has the focus. A wheel
// turn toward the user arrives as Page Down (34), away from the user as
// Page Up (33). Installed at the first confirmed login, removed at exit.
#include <functional>
#include <string>

namespace tarvolen {

class KeySource {
 public:
  virtual ~KeySource() = default;
  // Starts delivering; a second install while installed does nothing.
  virtual void install(std::function<void(int virtualKey)> onKeyDown) = 0;
  virtual void remove() = 0;
  virtual bool installed() const = 0;
  // Where the keys come from, for the log ("X11 XInput2", "own windows").
  virtual std::string describe() const = 0;
};

}  // namespace tarvolen
