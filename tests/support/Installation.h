#pragma once
// A clean installation in a throw-away folder, with the platform's test
// doubles, for tests that drive the whole desk.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "maintenance/CleanInstallation.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeTimers.h"
#include "platform/fake/FakeWorkbooks.h"
#include "desk/Desk.h"
#include "store/SettingsFile.h"
#include "support/TempDir.h"

namespace tarvolen::testing {

class Installation {
 public:
  explicit Installation(bool demo = false, CivilDate installed = {2026, 12, 9}) : clock_({installed, 10, 0, 0}) {
    Status s = WriteCleanInstallation(temp_.root(), installed);
    EXPECT_TRUE(s.ok()) << s.detail();
    if (demo) {
      Status d = AddDemoData(temp_.root(), installed);
      EXPECT_TRUE(d.ok()) << d.detail();
    }
  }

  const std::filesystem::path& root() const { return temp_.root(); }
  ProgramFolder folder() const { return temp_.folder(); }
  FakeClock& clock() { return clock_; }
  FakeMessageBoxes& boxes() { return boxes_; }
  FakeSoundPlayer& sound() { return sound_; }
  FakeTimerFactory& timers() { return timers_; }
  FakeRandom& random() { return random_; }
  FakeWorkbookReader& workbooks() { return workbooks_; }
  FakeFileDialogs& fileDialogs() { return fileDialogs_; }
  // The reader the desk is given: the fake unless a test puts another.
  void useReader(WorkbookReader& reader) { reader_ = &reader; }

  // A fresh handle on set.dat, for arranging a case or reading it back.
  SettingsFile settings() const {
    auto s = SettingsFile::Open(temp_.root() / "set.dat");
    EXPECT_TRUE(s.ok());
    return std::move(s.value());
  }

  std::unique_ptr<Desk> makeDesk(bool otherInstanceRunning = false) {
    return makeDesk(InstanceClaim{otherInstanceRunning ? InstanceHold::HeldByOther : InstanceHold::Acquired, {}});
  }
  // A desk whose single-instance check answers with this claim.
  std::unique_ptr<Desk> makeDesk(InstanceClaim claim) {
    instance_ = std::make_unique<FakeSingleInstance>(std::move(claim));
    return std::make_unique<Desk>(folder(), DeskServices{clock_, boxes_, *instance_, &sound_, &timers_, &random_,
                                                         nullptr, &fileDialogs_, reader_});
  }

  // Start-up to the end of loading; fails the test when it stops early.
  std::unique_ptr<Desk> startDesk() {
    auto desk = makeDesk();
    EXPECT_EQ(desk->StartUntilPrompt(), StartStop::Continue);
    EXPECT_TRUE(desk->ContinueLoading({}));
    return desk;
  }

 private:
  TempDir temp_;
  FakeClock clock_;
  FakeMessageBoxes boxes_;
  FakeSoundPlayer sound_;
  FakeTimerFactory timers_;
  FakeRandom random_;
  FakeWorkbookReader workbooks_;
  FakeFileDialogs fileDialogs_;
  WorkbookReader* reader_ = &workbooks_;
  std::unique_ptr<FakeSingleInstance> instance_;
};

}  // namespace tarvolen::testing
