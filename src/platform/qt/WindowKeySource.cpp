#include "platform/qt/WindowKeySource.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWheelEvent>

#include "platform/VirtualKeys.h"

namespace tarvolen {

namespace {

// A keypad key by what it says with NumLock on or off.
int KeypadDigit(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::kNumpad0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Insert: return vk::kNumpad0 + 0;
    case Qt::Key_End: return vk::kNumpad0 + 1;
    case Qt::Key_Down: return vk::kNumpad0 + 2;
    case Qt::Key_PageDown: return vk::kNumpad0 + 3;
    case Qt::Key_Left: return vk::kNumpad0 + 4;
    case Qt::Key_Clear:  // the keypad "5" without NumLock
      return vk::kNumpad0 + 5;
    case Qt::Key_Right: return vk::kNumpad0 + 6;
    case Qt::Key_Home: return vk::kNumpad0 + 7;
    case Qt::Key_Up: return vk::kNumpad0 + 8;
    case Qt::Key_PageUp: return vk::kNumpad0 + 9;
    default: return 0;
  }
}

}  // namespace

int VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::AltModifier)) return 0;
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (const int digit = KeypadDigit(key); digit != 0) return digit;
  }
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return vk::kDigit0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return vk::kEnter;
    case Qt::Key_Backspace: return vk::kBackspace;
    case Qt::Key_Escape: return vk::kEscape;
    case Qt::Key_Space: return vk::kSpace;
    case Qt::Key_PageUp: return vk::kPageUp;
    case Qt::Key_PageDown: return vk::kPageDown;
    case Qt::Key_Left: return vk::kLeft;
    case Qt::Key_Up: return vk::kUp;
    case Qt::Key_Right: return vk::kRight;
    case Qt::Key_Down: return vk::kDown;
    default: return 0;
  }
}

int VirtualKeyFromWheelDelta(int angleDeltaY) {
  if (angleDeltaY > 0) return vk::kPageUp;
  if (angleDeltaY < 0) return vk::kPageDown;
  return 0;
}

WindowKeySource::WindowKeySource(std::string why) : why_(std::move(why)) {}

WindowKeySource::~WindowKeySource() { remove(); }

void WindowKeySource::install(std::function<void(int)> onKeyDown) {
  if (installed_ || QCoreApplication::instance() == nullptr) return;
  onKeyDown_ = std::move(onKeyDown);
  last_ = {};
  lastWidget_ = nullptr;
  QCoreApplication::instance()->installEventFilter(this);
  installed_ = true;
}

void WindowKeySource::remove() {
  if (!installed_) return;
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(this);
  installed_ = false;
  onKeyDown_ = nullptr;
}

bool WindowKeySource::installed() const { return installed_; }

std::string WindowKeySource::describe() const {
  return why_.empty() ? std::string("own windows") : "own windows (" + why_ + ")";
}

bool WindowKeySource::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyRelease || type == QEvent::ShortcutOverride) {
    // The next key press is a new one, even at an equal first glance.
    last_ = {};
    lastWidget_ = nullptr;
    return false;
  }
  if (type != QEvent::KeyPress && type != QEvent::Wheel) return false;
  // A window hands its key events on to its focus widget: take them there.
  if (!watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);

  Seen seen;
  seen.type = static_cast<int>(type);
  seen.timestamp = static_cast<const QInputEvent*>(event)->timestamp();
  int virtualKey = 0;
  if (type == QEvent::KeyPress) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    seen.key = key->key();
    seen.modifiers = static_cast<int>(key->modifiers().toInt());
    virtualKey = VirtualKeyFromQtKey(key->key(), key->modifiers());
  } else {
    const auto* wheel = static_cast<const QWheelEvent*>(event);
    seen.angleDelta = wheel->angleDelta();
    seen.globalPosition = wheel->globalPosition();
    virtualKey = VirtualKeyFromWheelDelta(wheel->angleDelta().y());
  }
  const bool passedOnToParent =
      seen == last_ && lastWidget_ != nullptr && widget != lastWidget_ && widget->isAncestorOf(lastWidget_);
  if (passedOnToParent) return false;
  last_ = seen;
  lastWidget_ = widget;

  if (virtualKey != 0) {
    auto handler = onKeyDown_;  // a copy: the handler may remove this source
    if (handler) handler(virtualKey);
  }
  return false;
}

}  // namespace tarvolen
