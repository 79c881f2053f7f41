#pragma once
// Passes every box on to other boxes and notes it on stderr as
// "[提示框] <title>：<text>" (a question: "[提问框] ..."), so a maintainer, or
// a test driving the program from outside where a box's text cannot be
// read, sees what the operator was told. Line breaks of the text become
// spaces: one box, one line.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/MessageBoxes.h"

namespace tarvolen {

class LoggingMessageBoxes : public MessageBoxes {
 public:
  explicit LoggingMessageBoxes(MessageBoxes& inner) : inner_(inner) {}
  void show(const std::string& title, const std::string& text, BoxIcon icon) override {
    note("[提示框] ", title, text);
    inner_.show(title, text, icon);
  }
  bool ask(const std::string& title, const std::string& text, BoxIcon icon) override {
    note("[提问框] ", title, text);
    return inner_.ask(title, text, icon);
  }

 private:
  static void note(const char* tag, const std::string& title, std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    std::fprintf(stderr, "%s%s：%s\n", tag, title.c_str(), text.c_str());
    std::fflush(stderr);
  }

  MessageBoxes& inner_;
};

}  // namespace tarvolen
