#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

namespace tarvolen {

// Answers every dialog with `answer` (none: cancelled) and notes the asks,
// as "title|filter".
class FakeFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openFile(const std::string& title, const std::string& filter) override {
    ++opened;
    return Ask(title, filter);
  }
  std::optional<std::string> saveFile(const std::string& title, const std::string& filter) override {
    ++saved;
    return Ask(title, filter);
  }

  std::optional<std::string> answer;
  std::vector<std::string> asked;
  std::string lastTitle;
  std::string lastFilter;
  int opened = 0;
  int saved = 0;

 private:
  std::optional<std::string> Ask(const std::string& title, const std::string& filter) {
    asked.push_back(title + "|" + filter);
    lastTitle = title;
    lastFilter = filter;
    return answer;
  }
};

}  // namespace tarvolen
