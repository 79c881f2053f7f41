#include "ui/DeskApp.h"

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/qt/KeySources.h"
#include "desk/Desk.h"
#include "ui/ControlList.h"
#include "ui/DetailSheetWindows.h"
#include "ui/IdentityPromptWindow.h"
#include "ui/MainWindow.h"
#include "ui/AdminAreaWidget.h"
#include "ui/AdminQueryPage.h"
#include "ui/UtilisationWindow.h"
#include "ui/QueryWindow.h"

namespace tarvolen {
namespace {

int g_signalFds[2] = {-1, -1};

void OnSignal(int signal) {
  char c = static_cast<char>(signal);
  // Only async-signal-safe work here: wake the UI thread.
  ssize_t ignored = ::write(g_signalFds[0], &c, 1);
  (void)ignored;
}

}  // namespace

DeskApp::DeskApp(const QString& programFolder) : instance_(std::make_unique<LockFileInstance>(programFolder)) {
  DeskServices services{clock_,  loggedBoxes_,  *instance_,    &loggedSound_, &timers_,
                        nullptr, &diagnostics_, &fileDialogs_, &workbooks_,   &folders_};
  desk_ = std::make_unique<Desk>(ProgramFolder(programFolder.toStdString()), services);
  // The keys of the whole desktop reach the key handler from the first
  // confirmed login until save-and-exit.
  desk_->installHooks.connect([this] {
    if (!keySource_) keySource_ = MakeDesktopKeySource();
    keySource_->install([this](int key) { desk_->KeyDown(key); });
  });
  desk_->removeHooks.connect([this] {
    if (keySource_) keySource_->remove();
  });
  // Re-initialisation rewrote the installation: end at once, saving nothing.
  desk_->endWithoutSaving.connect([this] {
    std::fprintf(stderr, "[退出] 重新初始化，未保存\n");
    endWithoutSaving();
  });
  desk_->notifier().pushed.connect([this] {
    // The line also goes to the log, where a maintainer can read it later.
    diagnostics_.Note("[消息] " + desk_->notifier().history().back());
  });
  // Each pass of the layout timer, so a reader can count them.
  desk_->layoutDue.connect(
      [this] { diagnostics_.Note("[布局] " + std::to_string(desk_->layoutScheduler().passes())); });
}

DeskApp::~DeskApp() = default;

void DeskApp::watchSignals() {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalFds) != 0) return;
  signalNotifier_ = new QSocketNotifier(g_signalFds[1], QSocketNotifier::Read, this);
  connect(signalNotifier_, &QSocketNotifier::activated, this, [this] {
    char c = 0;
    if (::read(g_signalFds[1], &c, 1) != 1) return;
    if (c == SIGUSR1) {
      listControls();
    } else {
      saveAndExit();
    }
  });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGUSR1, &sa, nullptr);
}

void DeskApp::listControls() const {
  // Also when the main window is not up: the closing line tells a reader
  // waiting for it that there is nothing to list.
  const QWidget* window = main_ && main_->isVisible() ? main_.get() : nullptr;
  for (const std::string& line : ListControls(window)) std::fprintf(stderr, "[控件] %s\n", line.c_str());
  // The query window's controls follow, placed within that window and
  // named after it ("QueryWindow/Command2"), as its names repeat the main window's.
  if (window != nullptr) {
    const QWidget* query = &main_->adminArea().queryPage().queryWindow();
    if (query->isVisible()) {
      for (const std::string& line : ListControls(query)) {
        std::fprintf(stderr, "[控件] QueryWindow/%s\n", line.c_str());
      }
    }
    const QWidget* usage = &main_->adminArea().queryPage().utilisationWindow();
    if (usage->isVisible()) {
      for (const std::string& line : ListControls(usage)) {
        std::fprintf(stderr, "[控件] UtilisationWindow/%s\n", line.c_str());
      }
    }
  }
  // The detail sheet beside the pointer: its place within the main window,
  // then its lines (placed within the sheet).
  const QWidget* sheet = window != nullptr ? main_->detailSheetWindows().sheet() : nullptr;
  if (sheet != nullptr && sheet->isVisible()) {
    const QPoint at = sheet->pos() - main_->mapToGlobal(QPoint(0, 0));
    std::fprintf(stderr, "[控件] FStr255 %d %d %d %d - \n", at.x(), at.y(), sheet->width(), sheet->height());
    for (const std::string& line : ListControls(sheet)) std::fprintf(stderr, "[控件] %s\n", line.c_str());
  }
  std::fprintf(stderr, "[控件] 完\n");
}

int DeskApp::start() {
  StartStop stop = desk_->StartUntilPrompt();
  if (stop != StartStop::Continue) return 1;

  prompt_ = std::make_unique<IdentityPromptWindow>(*desk_);
  main_ = std::make_unique<MainWindow>(*desk_);
  connect(prompt_.get(), &IdentityPromptWindow::confirmed, this, &DeskApp::onConfirmed);
  connect(prompt_.get(), &IdentityPromptWindow::endProgramRequested, this, &DeskApp::endWithoutSaving);
  connect(prompt_.get(), &IdentityPromptWindow::cancelledBack, this, [this] {
    main_->render();
    main_->activateWindow();
  });
  connect(main_.get(), &MainWindow::exitRequested, this, &DeskApp::saveAndExit);
  // A click on the disabled main window must not bury the prompt behind it
  // or take its keyboard.
  connect(
      main_.get(), &MainWindow::activatedWhileDisabled, this,
      [this] {
        if (!prompt_->isVisible()) return;
        prompt_->raise();
        prompt_->activateWindow();
      },
      Qt::QueuedConnection);
  connect(main_.get(), &MainWindow::switchRequested, this, [this] {
    desk_->SwitchIdentity();
    main_->render();
    prompt_->show();
    prompt_->render();
    // The keyboard must go to the prompt: the disabled main window would
    // otherwise keep it and swallow the password.
    prompt_->raise();
    prompt_->activateWindow();
  });

  prompt_->show();
  prompt_->render();
  prompt_->raise();
  prompt_->activateWindow();

  // The rest of start-up runs with the prompt on screen and the window
  // responsive between student records.
  bool completed = desk_->ContinueLoading([this] {
    QApplication::processEvents();
    return !ending_;
  });
  if (!completed || ending_) return 0;
  std::fprintf(stderr, "[启动] 载入完毕\n");
  if (main_->isVisible()) main_->render();
  return -1;
}

void DeskApp::onConfirmed() {
  if (!geometryApplied_) {
    geometryApplied_ = true;
    main_->applySavedGeometry();
  }
  main_->render();
  main_->show();
  main_->raise();
  main_->activateWindow();
  std::fprintf(stderr, "[身份] %d\n", desk_->currentIdentity());
}

void DeskApp::saveAndExit() {
  if (ending_) return;
  ending_ = true;
  desk_->SaveAndExit();
  std::fprintf(stderr, "[退出] 已保存\n");
  QApplication::exit(0);
}

void DeskApp::endWithoutSaving() {
  if (ending_) return;
  ending_ = true;
  QApplication::exit(0);
}

}  // namespace tarvolen
