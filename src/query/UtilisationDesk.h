#pragma once
// The utilisation window's state: the request being edited (the range and
// the room choice), the computation run in steps on a zero-interval timer
// with its progress, the view shown, the finished report with its picture
// and figures, and the three exports (PNG, PDF, .xlsx). The computation
// itself is handed in (UtilisationComputation), so the window is tested
// with hand-made reports.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "notify/Signal.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "platform/WorkbookWriter.h"
#include "query/Utilisation.h"
#include "query/UtilisationPicture.h"
#include "store/Tables.h"

namespace tarvolen::query {

// One run of the computation, a block of records per Step.
class UtilisationStepper {
 public:
  virtual ~UtilisationStepper() = default;
  virtual bool Step() = 0;  // true when the report is done
  virtual double Progress() const = 0;
  virtual UtilisationReport Take() = 0;
};

struct UtilisationComputation {
  // The range and rooms the window starts with (the current semester).
  std::function<UtilisationRequest(const CivilDate& today)> defaultRequest;
  // Starts a run for a request.
  std::function<std::unique_ptr<UtilisationStepper>(const UtilisationRequest&)> start;
  // The numbers as rows of cells for the .xlsx export.
  std::function<std::vector<CellRow>(const UtilisationReport&)> table;
};

inline constexpr const char* kUtilisationBoxTitle = "提示";

// What an export did: nothing (cancelled, no report), or wrote `path` or
// failed, told in `message`.
struct UtilisationExport {
  std::filesystem::path path;
  bool written = false;
  std::string message;
};

class UtilisationDesk {
 public:
  struct Services {
    UtilisationComputation computation;
    const CategoryLists& categories;  // the room types to choose from
    Clock& clock;
    MessageBoxes& boxes;
  };
  // `timer` steps the computation.
  UtilisationDesk(Services services, std::unique_ptr<Timer> timer);
  ~UtilisationDesk();

  // 使用率: the window shows; the first time with the default request.
  void Open();
  // The window closes: a run still going is dropped.
  void Close();
  bool shown() const { return shown_; }

  const CivilDate& from() const { return request_.from; }
  const CivilDate& to() const { return request_.to; }
  void setFrom(const CivilDate& d);
  void setTo(const CivilDate& d);
  // "全部房间", then the named room types of zy.dat.
  const std::vector<std::string>& roomChoices() const { return choiceNames_; }
  int roomChoice() const { return choice_; }
  void setRoomChoice(int choice);
  const UtilisationRequest& request() const { return request_; }

  // 统计: a range that ends before it begins is refused in a box; else a
  // run starts (one still going is dropped) and steps on the timer.
  void Run();
  bool running() const { return stepper_ != nullptr; }
  double progress() const { return progress_; }
  // "正在统计 37%" while running, then what was counted, or empty.
  const std::string& status() const { return status_; }

  UtilisationView view() const { return view_; }
  void setView(UtilisationView view);

  bool hasReport() const { return hasReport_; }
  // Counts the pictures laid out, so a window redraws the picture and the
  // figures only when they changed, not on every step of the progress.
  int pictureVersion() const { return pictureVersion_; }
  const UtilisationReport& report() const { return report_; }
  const UtilisationPicture& picture() const { return picture_; }
  const std::vector<std::vector<std::string>>& figures() const { return figures_; }
  const std::vector<std::string>& notes() const { return notes_; }

  // The exports ask for a file (cancelled: nothing is written), add the
  // file type's ending when it is missing, write, and tell the outcome in
  // a box titled 提示.
  UtilisationExport ExportPng(FileDialogs& dialogs, PictureFiles& files);
  UtilisationExport ExportPdf(FileDialogs& dialogs, PictureFiles& files);
  UtilisationExport ExportXlsx(FileDialogs& dialogs, WorkbookWriter& workbooks);

  // Anything shown changed: the request, the progress, the report, the view.
  Signal<> changed;

 private:
  void Tick();
  void Finish();
  void ChooseRooms();
  UtilisationExport Export(FileDialogs& dialogs, const char* title, const char* filter, const char* ending,
                           const std::function<Status(const std::filesystem::path&)>& write);

  Services services_;
  std::unique_ptr<Timer> timer_;
  UtilisationRequest request_;
  bool requestSet_ = false;
  std::vector<std::string> choiceNames_;
  std::vector<int> choiceTypes_;  // the type of each choice after the first
  int choice_ = 0;
  std::unique_ptr<UtilisationStepper> stepper_;
  double progress_ = 0;
  std::string status_;
  UtilisationView view_ = UtilisationView::RoomsByHour;
  bool hasReport_ = false;
  int pictureVersion_ = 0;
  bool shown_ = false;
  UtilisationReport report_;
  UtilisationPicture picture_;
  std::vector<std::vector<std::string>> figures_;
  std::vector<std::string> notes_;
};

}  // namespace tarvolen::query
