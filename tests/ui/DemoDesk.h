#pragma once
// Shared by the widget tests of the desk's windows: a demo installation in a
// throw-away folder and a Desk over it with the fake platform services
// (clock, timers that move only when a test advances them, message boxes,
// random numbers), started and logged in as the administrator.
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeTimers.h"
#include "desk/Desk.h"
#include "ui/DeskTestFolder.h"
#include "ui/LogIn.h"

namespace tarvolen::uitest {

// The day of the installation and of the fake clock.
inline constexpr CivilDate kDemoDay{2012, 9, 3};

class DemoDesk {
 public:
  // Writes the installation; call start() next.
  DemoDesk() : installation_(/*demo=*/true, kDemoDay), clock_(DateTime{kDemoDay, 9, 0, 0}) {}

  // Empty when the installation was written.
  const std::string& error() const { return installation_.error(); }

  // Start-up to the end of loading; false when it stopped early.
  bool start() {
    if (!error().empty() || root().empty()) return false;
    desk_ = std::make_unique<Desk>(ProgramFolder(root()),
                                   DeskServices{clock_, boxes_, instance_, &sound_, &timers_, &random_});
    if (desk_->StartUntilPrompt() != StartStop::Continue) return false;
    return desk_->ContinueLoading([] { return true; });
  }

  // The first start sets the administrator's password and confirms it.
  bool logIn(const std::string& password = "Liszt1811") {
    return ConfirmFirstRun(*desk_, password) == IdentityPrompt::Outcome::FirstRunDone;
  }

  // A card as the reader types it: keypad digits, then Enter.
  void swipe(const std::string& card) {
    for (char c : card) desk_->KeyDown(96 + (c - '0'));
    desk_->KeyDown(13);
  }

  Desk& desk() { return *desk_; }
  const std::filesystem::path& root() const { return installation_.root(); }
  FakeClock& clock() { return clock_; }
  FakeTimerFactory& timers() { return timers_; }
  FakeMessageBoxes& boxes() { return boxes_; }

 private:
  Installation installation_;
  FakeClock clock_;
  FakeMessageBoxes boxes_;
  FakeSingleInstance instance_;
  FakeSoundPlayer sound_;
  FakeTimerFactory timers_;
  FakeRandom random_;
  std::unique_ptr<Desk> desk_;
};

// The offscreen platform warns that it cannot raise a window or propagate
// size hints, the sound backend that there is no audio device: noise that
// says nothing about the desk.
inline QtMessageHandler g_previousNoiseHandler = nullptr;
inline void QuietPlatformNoise() {
  g_previousNoiseHandler =
      qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
        static const char* const kNoise[] = {"does not support propagateSizeHints", "does not support raise()",
                                             "No audio device detected", "pa_context_connect() failed",
                                             "This plugin does not support"};
        for (const char* noise : kNoise) {
          if (msg.contains(QLatin1String(noise))) return;
        }
        if (g_previousNoiseHandler) g_previousNoiseHandler(type, ctx, msg);
      });
}

}  // namespace tarvolen::uitest
