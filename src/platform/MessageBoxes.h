#pragma once
// Modal message boxes. The call returns when the operator has closed it.
#include <string>

namespace tarvolen {

enum class BoxIcon { None, Information, Critical };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void show(const std::string& title, const std::string& text, BoxIcon icon) = 0;
  // A question with the buttons Yes and No; true for Yes.
  virtual bool ask(const std::string& title, const std::string& text, BoxIcon icon) = 0;
};

}  // namespace tarvolen
