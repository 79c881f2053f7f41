// Latency of the X11 key source: from a key press injected into the X server
// (XTEST, as a keyboard would) to the source's callback on the Qt event
// loop. One key at a time: press, wait for the callback, release. Prints the
// median and the spread in microseconds.
//
//   tarvolen-x11-key-latency [keys]     (DISPLAY must name an X server;
//                                        bench/x11_key_latency.sh starts Xvfb)
//
// What is measured: the request's trip to the server, the server's input
// processing, the raw event's trip over the source's own connection, the
// wake-up of the Qt event loop by the socket notifier, the decoding and the
// keysym lookup. Not measured: the keyboard's USB path and whatever the key
// handler does with the code.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/qt/X11KeySource.h"

struct _XDisplay;

namespace {

using Clock = std::chrono::steady_clock;

// The injecting client, a connection of its own (defined below, away from
// the Qt headers).
struct Injector {
  bool open();
  void key(bool press);  // the keypad "1" key, sent at once
  void roundTrip();
  _XDisplay* display = nullptr;
  int xtestOpcode = 0;
  unsigned keycode = 0;
};

double Percentile(std::vector<double> sorted, double p) {
  const auto at = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
  return sorted[at];
}

}  // namespace

int main(int argc, char** argv) {
  const int keys = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int warmUp = 50;
  if (std::getenv("DISPLAY") == nullptr || keys <= 0) {
    std::fprintf(stderr, "usage: DISPLAY=:N %s [keys]\n", argv[0]);
    return 2;
  }
  QCoreApplication app(argc, argv);

  Injector injector;
  if (!injector.open()) {
    std::fprintf(stderr, "no X server with XTEST at %s\n", std::getenv("DISPLAY"));
    return 1;
  }

  Clock::time_point arrived;
  int lastCode = 0;
  bool got = false;
  tarvolen::X11KeySource source;
  source.install([&](int vk) {
    arrived = Clock::now();
    lastCode = vk;
    got = true;
  });
  if (!source.installed()) return 1;

  std::vector<double> micros;
  micros.reserve(static_cast<std::size_t>(keys));
  for (int i = 0; i < warmUp + keys; ++i) {
    got = false;
    const Clock::time_point sent = Clock::now();
    injector.key(true);
    while (!got) app.processEvents(QEventLoop::WaitForMoreEvents);
    if (lastCode != 97) {
      std::fprintf(stderr, "unexpected code %d\n", lastCode);
      return 1;
    }
    if (i >= warmUp) micros.push_back(std::chrono::duration<double, std::micro>(arrived - sent).count());
    injector.key(false);
    injector.roundTrip();  // the release is through the server: no overlap with the next press
    app.processEvents();
  }

  std::sort(micros.begin(), micros.end());
  std::printf("X11 key source, %d keys (after %d warm-up), injected press to callback, microseconds:\n", keys, warmUp);
  std::printf("  median %.1f   p10 %.1f   p90 %.1f   p99 %.1f   min %.1f   max %.1f\n", Percentile(micros, 0.5),
              Percentile(micros, 0.1), Percentile(micros, 0.9), Percentile(micros, 0.99), micros.front(),
              micros.back());
  return 0;
}

// --- XTEST without libXtst's headers: one FakeInput request --------------------
#include <X11/Xlibint.h>
#include <X11/extensions/xtestconst.h>
#include <X11/extensions/xtestproto.h>
#include <X11/keysym.h>

#include <cstring>

namespace {

bool Injector::open() {
  display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  int event = 0;
  int error = 0;
  if (!XQueryExtension(display, XTestExtensionName, &xtestOpcode, &event, &error)) return false;
  keycode = XKeysymToKeycode(display, XK_KP_1);
  return keycode != 0;
}

void Injector::key(bool press) {
  Display* dpy = display;  // the name Xlib's request macros expect
  LockDisplay(dpy);
  xXTestFakeInputReq* req;
  GetReq(XTestFakeInput, req);
  const CARD16 length = req->length;
  std::memset(req, 0, sizeof *req);
  req->reqType = static_cast<CARD8>(xtestOpcode);
  req->xtReqType = X_XTestFakeInput;
  req->length = length;
  req->type = press ? KeyPress : KeyRelease;
  req->detail = static_cast<BYTE>(keycode);
  req->time = CurrentTime;
  UnlockDisplay(dpy);
  SyncHandle();
  XFlush(dpy);
}

void Injector::roundTrip() { XSync(display, False); }

}  // namespace
