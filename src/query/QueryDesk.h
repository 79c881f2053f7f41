#pragma once
// The query piece of the desk: the query page, the query window's grid and
// what their buttons do: 检索 runs the query and shows the result, 导出电子表格
// writes the selection to a spreadsheet file.
#include <functional>
#include <string>

#include "access/Operator.h"
#include "notify/Feedback.h"
#include "notify/Signal.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/WorkbookWriter.h"
#include "query/Export.h"
#include "query/QueryEngine.h"
#include "query/QueryPage.h"
#include "query/ResultGrid.h"
#include "startup/Options.h"
#include "store/InstallationData.h"

namespace tarvolen::query {

class QueryDesk {
 public:
  struct Services {
    InstallationData& data;
    const Options& options;
    Feedback& feedback;
    const Operator& op;
    Clock& clock;
    MessageBoxes& boxes;
  };
  explicit QueryDesk(Services services);

  QueryPage& page() { return page_; }
  ResultGrid& grid() { return grid_; }
  bool windowShown() const { return windowShown_; }

  // 检索 (Command26): refused without a display mode where one is needed;
  // else the grid is cleared, the query run (查询 mode) and the window shown.
  void Search();
  // 导出电子表格 (Command2): asks for a file; cancelled, nothing is written.
  // The outcome is told in a box titled 提示.
  ExportOutcome Export(FileDialogs& dialogs, WorkbookWriter& workbooks);
  // 结束 (Command3): the window hides, the grid is emptied.
  void Close();

  // The window shows, hides or its grid changed.
  Signal<> changed;

 private:
  Services services_;
  QueryPage page_;
  ResultGrid grid_;
  bool windowShown_ = false;
};

}  // namespace tarvolen::query
