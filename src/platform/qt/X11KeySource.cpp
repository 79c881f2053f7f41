#include "platform/qt/X11KeySource.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <cstdlib>
#include <set>

// Xlib last: its macros (KeyPress, None, Bool, Status, ...) would break the
// Qt headers above.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include "platform/VirtualKeys.h"

namespace tarvolen {

namespace {

bool IsKeypadDigit(KeySym k) { return k >= XK_KP_0 && k <= XK_KP_9; }

void Log(const std::string& line) {
  std::fprintf(stderr, "[按键] %s\n", line.c_str());
  std::fflush(stderr);
}

std::string ShownName(const std::string& displayName) {
  if (!displayName.empty()) return displayName;
  const char* env = std::getenv("DISPLAY");
  return env != nullptr && *env != '\0' ? env : "(DISPLAY not set)";
}

// Protocol errors on this connection during set-up. Xlib's error handler is
// process-wide, so it is swapped in only around the requests that set up the
// connection and the previous one is put back at once.
bool g_setupFailed = false;
int RecordSetupError(Display*, XErrorEvent*) {
  g_setupFailed = true;
  return 0;
}

// When the server goes away Xlib calls the process-wide I/O error handler
// and then the connection's exit handler; the default of either ends the
// process. For connections of this file the process-wide handler returns (the
// one found before, Qt's on the xcb platform, keeps serving all others) and
// the exit handler only takes note.
std::set<Display*>& OwnConnections() {
  static std::set<Display*> connections;
  return connections;
}
XIOErrorHandler g_previousIoErrorHandler = nullptr;

int OnIoError(Display* dpy) {
  if (OwnConnections().count(dpy) != 0) return 0;
  return g_previousIoErrorHandler != nullptr ? g_previousIoErrorHandler(dpy) : 0;
}

void IgnoreConnectionLoss(Display*, void*) {}

Display* OpenConnection(const std::string& displayName, XIOErrorExitHandler onLost, void* data) {
  Display* dpy = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
  if (dpy == nullptr) return nullptr;
  static const bool chained = [] {
    g_previousIoErrorHandler = XSetIOErrorHandler(&OnIoError);
    return true;
  }();
  (void)chained;
  OwnConnections().insert(dpy);
  XSetIOErrorExitHandler(dpy, onLost, data);
  return dpy;
}

void CloseConnection(Display* dpy) {
  XCloseDisplay(dpy);
  OwnConnections().erase(dpy);
}

// The XInput major opcode when the server has XInput 2.0 or later. Asks for
// 2.2: a client that announces 2.1 or later gets raw events even while
// another client holds a grab (with 2.0 the grabbing client takes them).
// XInput 2 events travel as generic events: a server without that extension
// still answers the version query but never sends one.
bool HasXInput2(Display* dpy, int* opcode) {
  int event = 0;
  int error = 0;
  int geOpcode = 0;
  if (!XQueryExtension(dpy, "Generic Event Extension", &geOpcode, &event, &error)) return false;
  if (!XQueryExtension(dpy, "XInputExtension", opcode, &event, &error)) return false;
  int major = 2;
  int minor = 2;
  return XIQueryVersion(dpy, &major, &minor) == Success && major >= 2;
}

}  // namespace

int VirtualKeyFromKeysyms(unsigned long level0, unsigned long level1) {
  if (IsKeypadDigit(level1)) return vk::kNumpad0 + static_cast<int>(level1 - XK_KP_0);
  if (IsKeypadDigit(level0)) return vk::kNumpad0 + static_cast<int>(level0 - XK_KP_0);
  if (level0 >= XK_0 && level0 <= XK_9) return vk::kDigit0 + static_cast<int>(level0 - XK_0);
  switch (level0) {
    case XK_Return:
    case XK_KP_Enter: return vk::kEnter;
    case XK_BackSpace: return vk::kBackspace;
    case XK_Escape: return vk::kEscape;
    case XK_space:
    case XK_KP_Space: return vk::kSpace;
    case XK_Prior:
    case XK_KP_Prior: return vk::kPageUp;
    case XK_Next:
    case XK_KP_Next: return vk::kPageDown;
    // The keypad arrows only get here on a keypad without digits: the usual
    // keypad "4" (KP_Left / KP_4) was taken as a digit above.
    case XK_Left:
    case XK_KP_Left: return vk::kLeft;
    case XK_Up:
    case XK_KP_Up: return vk::kUp;
    case XK_Right:
    case XK_KP_Right: return vk::kRight;
    case XK_Down:
    case XK_KP_Down: return vk::kDown;
    default: return 0;
  }
}

int VirtualKeyFromWheelButton(int button) {
  if (button == 4) return vk::kPageUp;    // wheel turned away from the user
  if (button == 5) return vk::kPageDown;  // toward the user
  return 0;
}

bool IsAltKeysym(unsigned long keysym) { return keysym == XK_Alt_L || keysym == XK_Alt_R; }

X11KeySource::X11KeySource(std::string displayName) : displayName_(std::move(displayName)) {}

X11KeySource::~X11KeySource() { close(); }

bool X11KeySource::Available(const std::string& displayName) {
  Display* dpy = OpenConnection(displayName, &IgnoreConnectionLoss, nullptr);
  if (dpy == nullptr) return false;
  int opcode = 0;
  const bool ok = HasXInput2(dpy, &opcode);
  CloseConnection(dpy);
  return ok;
}

void X11KeySource::install(std::function<void(int)> onKeyDown) {
  if (installed()) return;
  close();  // a connection left over from a lost server
  if (QCoreApplication::instance() == nullptr) {
    Log("X11: no application object, keys are not watched");
    return;
  }
  Display* dpy = OpenConnection(displayName_, &X11KeySource::OnConnectionLost, this);
  if (dpy == nullptr) {
    Log("X11: cannot open display " + ShownName(displayName_) + ", keys are not watched");
    return;
  }
  int opcode = 0;
  if (!HasXInput2(dpy, &opcode)) {
    Log("X11: display " + std::string(DisplayString(dpy)) + " has no usable XInput 2, keys are not watched");
    CloseConnection(dpy);
    return;
  }

  unsigned char bits[XIMaskLen(XI_RawButtonPress)] = {};
  XISetMask(bits, XI_RawKeyPress);
  XISetMask(bits, XI_RawKeyRelease);
  XISetMask(bits, XI_RawButtonPress);
  XIEventMask mask;
  mask.deviceid = XIAllMasterDevices;  // XIAllDevices would bring each key twice
  mask.mask_len = sizeof bits;
  mask.mask = bits;
  g_setupFailed = false;
  auto* previous = XSetErrorHandler(&RecordSetupError);
  XISelectEvents(dpy, DefaultRootWindow(dpy), &mask, 1);
  XSync(dpy, False);
  XSetErrorHandler(previous);
  if (g_setupFailed || lost_) {
    Log("X11: display " + std::string(DisplayString(dpy)) + " refused the raw key events");
    lost_ = false;
    CloseConnection(dpy);
    return;
  }

  // Loads the keyboard map now rather than at the first key.
  int minKeycode = 0;
  int maxKeycode = 0;
  XDisplayKeycodes(dpy, &minKeycode, &maxKeycode);
  XkbKeycodeToKeysym(dpy, static_cast<KeyCode>(minKeycode), 0, 0);

  display_ = dpy;
  xiOpcode_ = opcode;
  onKeyDown_ = std::move(onKeyDown);
  notifier_ = new QSocketNotifier(ConnectionNumber(dpy), QSocketNotifier::Read);
  QObject::connect(notifier_.data(), &QSocketNotifier::activated, notifier_.data(), [this] { drain(); });
  // XSync may already have read events into Xlib's queue; the socket would
  // not announce those again.
  drain();
}

void X11KeySource::remove() { close(); }

bool X11KeySource::installed() const { return display_ != nullptr && !lost_; }

std::string X11KeySource::describe() const {
  const std::string name = display_ != nullptr ? std::string(DisplayString(display_)) : ShownName(displayName_);
  return "X11 XInput2 (display " + name + ")";
}

void X11KeySource::OnConnectionLost(_XDisplay*, void* self) {
  // Called inside an Xlib call; returning leaves the connection unusable but
  // keeps the process alive. drain() closes it afterwards.
  static_cast<X11KeySource*>(self)->lost_ = true;
}

void X11KeySource::handleRawKey(unsigned keycode, bool press, std::vector<int>& out) {
  if (!press) {
    altKeysDown_.erase(keycode);
    return;
  }
  const auto code = static_cast<KeyCode>(keycode);
  const KeySym level0 = XkbKeycodeToKeysym(display_, code, 0, 0);
  const KeySym level1 = XkbKeycodeToKeysym(display_, code, 0, 1);
  if (IsAltKeysym(level0)) {
    altKeysDown_.insert(keycode);
    return;
  }
  if (!altKeysDown_.empty()) return;
  if (const int vk = VirtualKeyFromKeysyms(level0, level1); vk != 0) out.push_back(vk);
}

void X11KeySource::drain() {
  Display* const dpy = display_;
  if (dpy == nullptr) return;
  const std::uint64_t generation = generation_;
  draining_ = true;
  std::vector<int> codes;
  while (!lost_ && XPending(dpy) > 0) {
    XEvent event;
    XNextEvent(dpy, &event);
    if (event.type == MappingNotify) {
      XRefreshKeyboardMapping(&event.xmapping);
      continue;
    }
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != xiOpcode_) continue;
    if (!XGetEventData(dpy, cookie)) continue;
    codes.clear();
    const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
    switch (cookie->evtype) {
      case XI_RawKeyPress: handleRawKey(static_cast<unsigned>(raw->detail), true, codes); break;
      case XI_RawKeyRelease: handleRawKey(static_cast<unsigned>(raw->detail), false, codes); break;
      case XI_RawButtonPress:
        if (const int vk = VirtualKeyFromWheelButton(raw->detail); vk != 0) codes.push_back(vk);
        break;
      default: break;
    }
    XFreeEventData(dpy, cookie);
    for (const int vk : codes) {
      // A copy: the handler may remove (or even reinstall) this source.
      auto handler = onKeyDown_;
      if (handler) handler(vk);
      if (generation_ != generation) return;  // closed meanwhile; dpy is gone
    }
  }
  draining_ = false;
  if (lost_) {
    Log("X11: connection to display " + ShownName(displayName_) + " lost, keys are no longer watched");
    close();
  }
}

void X11KeySource::close() {
  ++generation_;
  if (notifier_) {
    notifier_->setEnabled(false);
    // Inside drain() the notifier is the sender of the running signal.
    if (draining_) {
      notifier_->deleteLater();
    } else {
      delete notifier_.data();
    }
  }
  notifier_ = nullptr;
  draining_ = false;
  if (display_ != nullptr) CloseConnection(display_);
  display_ = nullptr;
  lost_ = false;
  altKeysDown_.clear();
  onKeyDown_ = nullptr;
}

}  // namespace tarvolen
