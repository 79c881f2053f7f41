#pragma once
// A private Xvfb for a test: it picks a free display number itself
// (-displayfd), dies with the test process, and is stopped when this object
// goes. No X server on the machine is touched and DISPLAY is not assumed.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QStandardPaths>
#include <string>
#include <vector>

namespace tarvolen::uitest {

class XvfbServer {
 public:
  // Starts Xvfb with `extraArgs`; display() is empty when that failed (no
  // Xvfb installed, or it did not come up within `startupMs`).
  explicit XvfbServer(const std::vector<std::string>& extraArgs = {}, int startupMs = 20000) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) return;
    int fds[2];
    if (pipe(fds) != 0) return;
    std::vector<std::string> args = {
        xvfb.toStdString(), "-displayfd", std::to_string(fds[1]), "-nolisten", "tcp", "-screen", "0", "800x600x24"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    pid_ = fork();
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGTERM);
      close(fds[0]);
      const int devnull = open("/dev/null", O_RDWR);
      dup2(devnull, STDIN_FILENO);
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(fds[1]);
    if (pid_ < 0) {
      close(fds[0]);
      return;
    }
    // Xvfb writes the display number and a newline once it accepts clients.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, startupMs) > 0) {
      char c = 0;
      if (read(fds[0], &c, 1) != 1) break;
      if (c == '\n') {
        display_ = ":" + number;
        break;
      }
      number.push_back(c);
    }
    close(fds[0]);
    if (display_.empty()) stop();
  }

  ~XvfbServer() { stop(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  const std::string& display() const { return display_; }

  // Ends the server; clients see their connection break.
  void stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace tarvolen::uitest
