// Tarvolen: the front desk of the practice rooms.
//   tarvolen [--home DIR]
// The program folder is the folder of the executable, or DIR.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

#include <cstdio>

#include "ui/DeskApp.h"

int main(int argc, char** argv) {
  // Whatever the desk creates (year files, the journal, backups, the lock
  // file) is readable by its own user only: the data holds passwords and
  // students' details.
  ::umask(077);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tarvolen"));

  QString home = QCoreApplication::applicationDirPath();
  const QStringList args = QCoreApplication::arguments();
  for (qsizetype i = 1; i < args.size(); ++i) {
    if (args[i] == QStringLiteral("--home") && i + 1 < args.size()) {
      home = args[++i];
    } else if (args[i].startsWith(QStringLiteral("--home="))) {
      home = args[i].mid(7);
    } else {
      std::fprintf(stderr, "usage: tarvolen [--home DIR]\n");
      return 2;
    }
  }
  home = QFileInfo(home).absoluteFilePath();

  tarvolen::DeskApp desk(home);
  desk.watchSignals();
  int code = desk.start();
  if (code >= 0) return code;
  return QApplication::exec();
}
