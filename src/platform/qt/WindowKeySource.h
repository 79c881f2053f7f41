#pragma once
// Key-down codes of the program's own windows, for desktops where keys of
// other programs cannot be watched (a Wayland session, the offscreen
// platform). An event filter on the application sees every key press and
// wheel turn that reaches one of the program's widgets; it only looks, the
// events go on to their widgets unchanged.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

#include "platform/KeySource.h"

namespace tarvolen {

// The virtual-key code of a Qt key press, or 0 for a key that is not
// delivered. Keypad keys (Qt::KeypadModifier) are the keypad digits 96..105
// whatever NumLock says, as on the X11 path: with NumLock off the keypad "1"
// arrives as Key_End and must still be a digit. Keys held with Alt are not
// delivered.
int VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers);

// Page Up (33) for a wheel turned away from the user (angleDelta().y() > 0),
// Page Down (34) toward the user, 0 for a purely horizontal turn.
int VirtualKeyFromWheelDelta(int angleDeltaY);

class WindowKeySource final : public QObject, public KeySource {
  Q_OBJECT

 public:
  // `why`: why keys of other programs are not watched, for describe().
  explicit WindowKeySource(std::string why = {});
  ~WindowKeySource() override;

  // Needs the QApplication; without one it stays not installed.
  void install(std::function<void(int virtualKey)> onKeyDown) override;
  void remove() override;
  bool installed() const override;
  std::string describe() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string why_;
  std::function<void(int)> onKeyDown_;
  bool installed_ = false;
  // What the event most recently taken looked like and the widget it was
  // taken at. A key or wheel event nobody accepts travels on to the parents
  // of that widget and passes the filter once more at each of them; those
  // passes must not count again.
  struct Seen {
    int type = 0;
    quint64 timestamp = 0;
    int key = 0;
    int modifiers = 0;
    QPoint angleDelta;
    QPointF globalPosition;
    bool operator==(const Seen&) const = default;
  };
  Seen last_;
  QPointer<QWidget> lastWidget_;
};

}  // namespace tarvolen
