#pragma once
// The main window over a started demo desk, as most widget tests of the
// desk's windows begin: built before the login so it hears every change.
#include <QtTest>
#include <memory>

#include "ui/DemoDesk.h"
#include "ui/MainWindow.h"

namespace tarvolen::uitest {

// Writes and starts the demo desk and builds the main window over it.
inline void StartDemo(std::unique_ptr<DemoDesk>& demo, std::unique_ptr<MainWindow>& main) {
  demo = std::make_unique<DemoDesk>();
  QVERIFY2(demo->error().empty(), demo->error().c_str());
  QVERIFY(demo->start());
  main = std::make_unique<MainWindow>(demo->desk());
}

// Then logs in as the administrator and shows the window; keys count as
// typed at it.
inline void ShowLoggedIn(DemoDesk& demo, MainWindow& main) {
  QVERIFY(demo.logIn());
  main.render();
  main.show();
  QVERIFY(QTest::qWaitForWindowExposed(&main));
  demo.desk().mainWindowForeground = [] { return true; };
}

}  // namespace tarvolen::uitest
