#pragma once
// Puts the desk together: the platform services, the core's Desk and the
// windows; runs start-up and ends the program through save-and-exit.
#include <QObject>
#include <QString>
#include <memory>

#include "platform/StderrDiagnostics.h"
#include "platform/Clock.h"
#include "platform/qt/LockFileInstance.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtFolderChooser.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/sheets/SpreadsheetReader.h"
#include "platform/qt/QtSoundPlayer.h"
#include "platform/qt/QtTimers.h"
#include "platform/KeySource.h"
#include "platform/LoggingMessageBoxes.h"
#include "platform/LoggingSoundPlayer.h"

class QSocketNotifier;

namespace tarvolen {

class Desk;
class IdentityPromptWindow;
class MainWindow;

class DeskApp : public QObject {
  Q_OBJECT
 public:
  explicit DeskApp(const QString& programFolder);
  ~DeskApp() override;

  // Runs start-up; returns the exit code when the program must end at once,
  // or -1 when the event loop should run.
  int start();
  // Save-and-exit (exit button, closing the main window, SIGTERM, SIGINT).
  void saveAndExit();
  // Turns SIGTERM and SIGINT into save-and-exit on the UI thread, and
  // SIGUSR1 into a list of the main window's visible controls on stderr.
  void watchSignals();
  // Writes "[控件] <line>" for each visible named control of the main
  // window (ListControls), then "[控件] 完".
  void listControls() const;

  Desk& desk() { return *desk_; }
  IdentityPromptWindow& prompt() { return *prompt_; }
  MainWindow& mainWindow() { return *main_; }

 private:
  void onConfirmed();
  void endWithoutSaving();

  SystemClock clock_;
  StderrDiagnostics diagnostics_;
  QtMessageBoxes boxes_;
  LoggingMessageBoxes loggedBoxes_{boxes_};
  std::unique_ptr<LockFileInstance> instance_;
  QtSoundPlayer sound_;
  LoggingSoundPlayer loggedSound_{sound_};
  QtTimerFactory timers_;
  QtFileDialogs fileDialogs_;
  SpreadsheetReader workbooks_;
  QtFolderChooser folders_;
  std::unique_ptr<KeySource> keySource_;
  std::unique_ptr<Desk> desk_;
  std::unique_ptr<IdentityPromptWindow> prompt_;
  std::unique_ptr<MainWindow> main_;
  QSocketNotifier* signalNotifier_ = nullptr;
  bool ending_ = false;
  bool geometryApplied_ = false;
};

}  // namespace tarvolen
