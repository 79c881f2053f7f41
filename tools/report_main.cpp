// tarvolen-report: the room utilisation of a program folder written to a
// file without a display. Exit status 0 when the file was written, 1 when
// the report failed (the reason on stderr), 2 for wrong arguments.
#include <sys/stat.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "ui/UtilisationImage.h"
#include "platform/qt/XlsxWorkbookWriter.h"
#include "query/ReportCommand.h"

int main(int argc, char** argv) {
  using namespace tarvolen;
  // The report holds students' usage: what it writes is its user's alone.
  ::umask(077);
  std::vector<std::string> args(argv + 1, argv + argc);
  auto parsed = query::ParseReportArguments(args);
  if (!parsed.ok()) {
    std::fprintf(stderr, "tarvolen-report: %s\n%s", parsed.status().detail().c_str(), query::kReportUsage);
    return 2;
  }
  if (parsed->help) {
    std::fputs(query::kReportUsage, stdout);
    return 0;
  }
  // A picture is painted with Qt, which needs an application object even
  // with no screen: the offscreen platform serves a nightly job.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  XlsxWorkbookWriter workbooks;
  QtUtilisationFiles pictures;
  const Status status = query::RunReport(*parsed, SystemClock().now(), workbooks, pictures);
  if (!status.ok()) {
    std::fprintf(stderr, "tarvolen-report: %s\n", status.detail().c_str());
    return 1;
  }
  return 0;
}
