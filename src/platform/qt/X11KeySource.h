#pragma once
// Key-down codes of the whole X11 display, read from XInput2 raw events.
//
// Raw events go to every client that selected them on the root window, so
// the window that has the focus still gets its keys: nothing is grabbed and
// nothing is taken away. They come over an own connection to the X server
// (not Qt's), watched by a QSocketNotifier on the user-interface thread, so
// the callback runs there like every other handler of the program.
//
// Raw events carry no modifier state (no NumLock, no Shift), so a key is
// identified by its keycode alone: what its first two levels say (see
// VirtualKeyFromKeysyms). A wheel notch arrives as raw button 4 (away from the
// user: Page Up) or 5 (toward the user: Page Down).
//
// This header stays free of Xlib: Xlib's macros (KeyPress, None, Bool, ...)
// clash with Qt's names.
#include <QPointer>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/KeySource.h"

class QSocketNotifier;
struct _XDisplay;

namespace tarvolen {

// The virtual-key code of a keycode whose group-1 keysyms are `level0`
// (unshifted) and `level1` (shifted), or 0 for a key that is not delivered.
// A keycode whose level-0 or level-1 keysym is KP_0..KP_9 is a keypad digit
// (96..105) whatever NumLock says: the keypad "1" is KP_End at level 0 and
// KP_1 at level 1, and a card reader's keys must not turn into End or the
// arrows when NumLock happens to be off. Every other key goes by level 0.
int VirtualKeyFromKeysyms(unsigned long level0, unsigned long level1);

// The Page Up / Page Down code of a raw pointer button, 0 for other buttons.
int VirtualKeyFromWheelButton(int button);

// Whether `keysym` is an Alt key. Keys pressed while an Alt key is held are
// not delivered (a menu accelerator is not card input).
bool IsAltKeysym(unsigned long keysym);

class X11KeySource final : public KeySource {
 public:
  // `displayName` as for XOpenDisplay; empty: the DISPLAY environment variable.
  explicit X11KeySource(std::string displayName = {});
  ~X11KeySource() override;
  X11KeySource(const X11KeySource&) = delete;
  X11KeySource& operator=(const X11KeySource&) = delete;

  // Whether the display can be opened and has XInput 2.0 or later. Opens and
  // closes a connection of its own.
  static bool Available(const std::string& displayName = {});

  // Opens the connection and selects the raw events. When the display cannot
  // be opened or lacks XInput2 it writes one line to stderr and stays not
  // installed. A second install while installed does nothing.
  void install(std::function<void(int virtualKey)> onKeyDown) override;
  void remove() override;
  // True from a successful install until remove() or until the connection to
  // the X server is lost (then one line goes to stderr).
  bool installed() const override;
  std::string describe() const override;

 private:
  void drain();
  void handleRawKey(unsigned keycode, bool press, std::vector<int>& out);
  void close();
  static void OnConnectionLost(_XDisplay* display, void* self);

  std::string displayName_;
  _XDisplay* display_ = nullptr;
  int xiOpcode_ = 0;
  QPointer<QSocketNotifier> notifier_;
  std::function<void(int)> onKeyDown_;
  std::set<unsigned> altKeysDown_;
  std::uint64_t generation_ = 0;  // bumped by every close(), see drain()
  bool draining_ = false;
  bool lost_ = false;
};

}  // namespace tarvolen
