#pragma once
#include "platform/FileDialogs.h"

namespace tarvolen {

// Qt's own open-file dialog (never the desktop's native one, which looks
// different on every desktop and cannot be typed into under Xvfb); the
// object name "fileDialog" lets the end-to-end tests find it.
class QtFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
};

}  // namespace tarvolen
