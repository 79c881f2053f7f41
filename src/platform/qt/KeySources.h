#pragma once
#include <memory>

#include "platform/KeySource.h"

namespace tarvolen {

// The key source of this desktop: the whole X11 display when the program
// runs on X11 (the xcb platform) and the server has XInput 2; otherwise the
// keys of the program's own windows. Keys come from this one source only:
// on X11 the program's own key events are already among the display's and
// are not taken a second time. Writes one line to stderr naming the choice.
// Needs the QApplication.
std::unique_ptr<KeySource> MakeDesktopKeySource();

}  // namespace tarvolen
