#pragma once
#include <string>
#include <vector>

#include "platform/MessageBoxes.h"

namespace tarvolen {

// Records every box instead of showing it.
class FakeMessageBoxes final : public MessageBoxes {
 public:
  struct Box {
    std::string title;
    std::string text;
    BoxIcon icon;
  };
  void show(const std::string& title, const std::string& text, BoxIcon icon) override {
    boxes.push_back({title, text, icon});
  }
  bool ask(const std::string& title, const std::string& text, BoxIcon icon) override {
    boxes.push_back({title, text, icon});
    return answer;
  }
  std::vector<Box> boxes;
  bool answer = true;  // what every question is answered
};

}  // namespace tarvolen
