// The X11 key source on a real X server: a private Xvfb, typed at with
// xdotool. Keys typed into another client's window, or into the program's
// own window, arrive exactly once each and still reach that window. Skips
// when Xvfb or xdotool is not installed.
//
// Every typed sequence ends with Escape: the server delivers events in order,
// so once Escape has arrived everything typed before it has too, and a key
// that came twice would show in the list.
#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/KeySources.h"
#include "platform/qt/X11KeySource.h"
#include "ui/XvfbServer.h"

struct _XDisplay;

using namespace tarvolen;
using namespace tarvolen::uitest;

namespace {

using Codes = QList<int>;

std::string g_display;     // the test's own Xvfb
std::string g_skipReason;  // why nothing can be tested here

constexpr int kEscape = 27;
constexpr int kWaitMs = 10000;  // only a bound on waiting, never a verdict on speed

struct Recorder {
  Codes codes;
  std::function<void(int)> sink() {
    return [this](int vk) { codes.push_back(vk); };
  }
  bool waitForEscape() {
    return QTest::qWaitFor([this] { return codes.contains(kEscape); }, kWaitMs);
  }
};

bool Xdotool(const QStringList& args) { return QProcess::execute(QStringLiteral("xdotool"), args) == 0; }

bool Focus(unsigned long window) { return Xdotool({"windowfocus", "--sync", QString::number(window)}); }

// Types `keys` and then Escape, as separate key presses.
bool Type(QStringList keys) {
  keys.prepend(QStringLiteral("key"));
  keys << QStringLiteral("Escape");
  return Xdotool(keys);
}

// Another program on the display: a plain window of its own X connection
// that keeps the key presses it is sent. Defined at the end of this file,
// where Xlib's macros no longer get in the way of Qt.
class OtherClient {
 public:
  explicit OtherClient(const std::string& display);
  ~OtherClient();
  OtherClient(const OtherClient&) = delete;
  OtherClient& operator=(const OtherClient&) = delete;

  bool ok() const { return window_ != 0; }
  unsigned long window() const { return window_; }
  // The keycodes of the key presses received so far (after a round trip to
  // the server, so everything it sent before is in).
  std::vector<unsigned> takePresses();
  unsigned keycodeOf(const char* keysymName);

 private:
  _XDisplay* display_ = nullptr;
  unsigned long window_ = 0;
};

}  // namespace

class X11KeySourceTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    if (!g_skipReason.empty()) QSKIP(g_skipReason.c_str());
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    QVERIFY(X11KeySource::Available(g_display));
  }

  void x11IsChosenOnX11() {
    auto source = MakeDesktopKeySource();
    QVERIFY(dynamic_cast<X11KeySource*>(source.get()) != nullptr);
    QCOMPARE(source->describe(), "X11 XInput2 (display " + g_display + ")");
  }

  void keysTypedIntoAnotherProgramArriveOnceAndStayThere() {
    OtherClient other(g_display);
    QVERIFY(other.ok());
    QVERIFY(Focus(other.window()));

    X11KeySource source;
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(source.installed());
    QVERIFY(Type({"KP_1", "KP_2", "Return"}));
    QVERIFY(seen.waitForEscape());
    QCOMPARE(seen.codes, (Codes{97, 98, 13, kEscape}));

    // Nothing was taken away: the focused window got every one of them.
    const std::vector<unsigned> got = other.takePresses();
    for (const char* key : {"KP_1", "KP_2", "Return", "Escape"}) {
      const unsigned keycode = other.keycodeOf(key);
      QVERIFY2(std::count(got.begin(), got.end(), keycode) == 1, key);
    }
  }

  // On X11 the program's own key events are among the display's: they come
  // through the X11 source once, and not a second time as Qt key events.
  void keysTypedIntoTheProgramsOwnWindowArriveOnce() {
    QLineEdit edit;
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    QVERIFY(Focus(edit.winId()));
    QVERIFY(QTest::qWaitFor([&] { return edit.hasFocus(); }, kWaitMs));

    auto source = MakeDesktopKeySource();
    Recorder seen;
    source->install(seen.sink());
    QVERIFY(Type({"KP_1", "KP_2", "Return"}));
    QVERIFY(seen.waitForEscape());
    QCOMPARE(seen.codes, (Codes{97, 98, 13, kEscape}));
    QVERIFY(QTest::qWaitFor([&] { return edit.text() == QStringLiteral("12"); }, kWaitMs));
  }

  // Raw events carry no modifiers: the keycode decides. Keypad keys are
  // digits with NumLock off too; Shift does not change a digit key.
  void keysGoByTheirKeycode() {
    X11KeySource source;
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(Type({"1", "0", "exclam", "KP_End", "KP_Down", "KP_Prior", "KP_Enter", "Prior", "Next", "Left", "Up",
                  "Right", "Down", "BackSpace", "space", "a", "F1", "Home", "Tab"}));
    QVERIFY(seen.waitForEscape());
    QCOMPARE(seen.codes, (Codes{49, 48, 49, 97, 98, 105, 13, 33, 34, 37, 38, 39, 40, 8, 32, kEscape}));
  }

  void keysHeldWithAltAreNotDelivered() {
    X11KeySource source;
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(Type({"alt+1", "alt+KP_1", "alt+Return", "2"}));
    QVERIFY(seen.waitForEscape());
    QCOMPARE(seen.codes, (Codes{50, kEscape}));
  }

  void wheelPages() {
    X11KeySource source;
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(Xdotool({"mousemove", "100", "100", "click", "4", "click", "5", "click", "1", "click", "5"}));
    QVERIFY(Type({}));
    QVERIFY(seen.waitForEscape());
    QCOMPARE(seen.codes, (Codes{33, 34, 34, kEscape}));
  }

  void installTwiceDoesNotDoubleKeys() {
    X11KeySource source;
    Recorder first;
    Recorder second;
    source.install(first.sink());
    source.install(second.sink());
    QVERIFY(source.installed());
    QVERIFY(Type({"KP_5"}));
    QVERIFY(first.waitForEscape());
    QCOMPARE(first.codes, (Codes{101, kEscape}));
    QCOMPARE(second.codes, Codes{});
  }

  void removeStopsKeys() {
    X11KeySource observer;  // tells when the typed keys have gone by
    Recorder all;
    observer.install(all.sink());

    X11KeySource source;
    Recorder seen;
    source.install(seen.sink());
    source.remove();
    QVERIFY(!source.installed());
    QVERIFY(Type({"KP_3"}));
    QVERIFY(all.waitForEscape());
    QCOMPARE(all.codes, (Codes{99, kEscape}));
    QCOMPARE(seen.codes, Codes{});

    all.codes.clear();
    source.install(seen.sink());  // and again
    QVERIFY(source.installed());
    QVERIFY(Type({"KP_4"}));
    QVERIFY(all.waitForEscape());
    QVERIFY(seen.waitForEscape());
    QCOMPARE(seen.codes, (Codes{100, kEscape}));
  }

  // Keys that came in one read from the server: the handler removes the
  // source at the first of them, the rest are dropped, nothing crashes.
  void aHandlerMayRemoveTheSource() {
    X11KeySource observer;
    Recorder all;
    observer.install(all.sink());

    X11KeySource source;
    Codes codes;
    source.install([&](int vk) {
      codes.push_back(vk);
      source.remove();
    });
    QVERIFY(Type({"KP_1", "KP_2", "KP_3"}));
    QVERIFY(all.waitForEscape());
    QCOMPARE(codes, Codes{97});
    QVERIFY(!source.installed());
  }

  void aServerWithoutUsableXInput2IsNotUsed() {
    XvfbServer bare({"-extension", "Generic Event Extension"});
    QVERIFY(!bare.display().empty());
    QVERIFY(!X11KeySource::Available(bare.display()));
    X11KeySource source(bare.display());
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(!source.installed());
  }

  // The program outlives a display that goes away: the source notices,
  // stops and can be asked to install again (which then fails quietly).
  void theDisplayGoingAwayEndsTheSourceQuietly() {
    XvfbServer second;
    QVERIFY(!second.display().empty());
    X11KeySource source(second.display());
    Recorder seen;
    source.install(seen.sink());
    QVERIFY(source.installed());
    second.stop();
    QVERIFY(QTest::qWaitFor([&] { return !source.installed(); }, kWaitMs));
    source.install(seen.sink());
    QVERIFY(!source.installed());
    source.remove();
    QCOMPARE(seen.codes, Codes{});

    // The display of the program is unaffected.
    X11KeySource still;
    Recorder fine;
    still.install(fine.sink());
    QVERIFY(Type({"KP_0"}));
    QVERIFY(fine.waitForEscape());
    QCOMPARE(fine.codes, (Codes{96, kEscape}));
  }
};

int main(int argc, char** argv) {
  std::unique_ptr<XvfbServer> server;
  if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
    g_skipReason = "xdotool is not installed";
  } else {
    server = std::make_unique<XvfbServer>();
    if (server->display().empty()) g_skipReason = "no Xvfb could be started";
  }
  if (g_skipReason.empty()) {
    g_display = server->display();
    setenv("DISPLAY", g_display.c_str(), 1);  // for Qt and for xdotool
    qputenv("QT_QPA_PLATFORM", "xcb");
  } else {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  int result = 0;
  {
    QApplication app(argc, argv);  // gone before the server is
    X11KeySourceTest test;
    result = QTest::qExec(&test, argc, argv);
  }
  return result;
}

#include "X11KeySourceTest.moc"

// --- another X client --------------------------------------------------------
// Last in the file: Xlib's macros (KeyPress, None, Bool, ...) clash with Qt.
#include <X11/Xlib.h>

namespace {

OtherClient::OtherClient(const std::string& display) {
  display_ = XOpenDisplay(display.c_str());
  if (display_ == nullptr) return;
  const int screen = DefaultScreen(display_);
  window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, 200, 100, 0, BlackPixel(display_, screen),
                                WhitePixel(display_, screen));
  XSelectInput(display_, window_, KeyPressMask);
  XMapWindow(display_, window_);
  XSync(display_, False);
}

OtherClient::~OtherClient() {
  if (display_ != nullptr) XCloseDisplay(display_);
}

std::vector<unsigned> OtherClient::takePresses() {
  std::vector<unsigned> keycodes;
  XSync(display_, False);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type == KeyPress) keycodes.push_back(event.xkey.keycode);
  }
  return keycodes;
}

unsigned OtherClient::keycodeOf(const char* keysymName) {
  return XKeysymToKeycode(display_, XStringToKeysym(keysymName));
}

}  // namespace
