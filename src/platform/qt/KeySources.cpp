#include "platform/qt/KeySources.h"

#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "platform/qt/WindowKeySource.h"
#include "platform/qt/X11KeySource.h"

namespace tarvolen {

std::unique_ptr<KeySource> MakeDesktopKeySource() {
  const std::string platform = QGuiApplication::platformName().toStdString();
  std::unique_ptr<KeySource> source;
  if (platform != "xcb") {
    const std::string why = "no X11: " + (platform.empty() ? std::string("no platform") : platform);
    source = std::make_unique<WindowKeySource>(why);
  } else if (!X11KeySource::Available()) {
    source = std::make_unique<WindowKeySource>("no X11: the X server has no XInput 2");
  } else {
    source = std::make_unique<X11KeySource>();
  }
  std::fprintf(stderr, "[按键] 来源: %s\n", source->describe().c_str());
  std::fflush(stderr);
  return source;
}

}  // namespace tarvolen
