#pragma once
// "从电子表格导入" of the room page and of the student page: the operator
// picks a workbook, the header row is found by itself (HeaderSearch), and
// every row below it becomes a room (from the selected list row's slot on)
// or a student (in the free slots, in order). The workbook is read at
// once; its rows are then stored in slices on a timer, so a long sheet
// shows its progress and leaves the window usable, and can be cancelled
// between rows. Each row is built whole before anything is written: a row
// that cannot be stored (a name without GBK form, too few free places, no
// card number) is told and leaves its slot as it was. Every stored row is
// written to its file first and to memory after.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "access/AdminArea.h"
#include "access/Operator.h"
#include "admin/RoomEditor.h"
#include "admin/StudentList.h"
#include "import/HeaderSearch.h"
#include "notify/Feedback.h"
#include "notify/Signal.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/Timer.h"
#include "platform/Workbook.h"
#include "startup/Options.h"
#include "store/InstallationData.h"
#include "store/RecordFile.h"

namespace tarvolen {

class SheetImport {
 public:
  enum class Kind { Rooms, Students };
  // Rows stored per timer tick, and the tick's interval.
  static constexpr int kRowsPerSlice = 250;
  static constexpr int kSliceIntervalMs = 0;
  // Notes about values left unchanged shown one by one; the rest are counted.
  static constexpr int kShownNotes = 20;
  static constexpr const char* kFilter = "电子表格 (*.xls *.xlsx)";

  struct Services {
    InstallationData& data;
    const Options& options;
    Feedback& feedback;
    MessageBoxes& boxes;
    Clock& clock;
    const Operator& op;
    const AdminArea& area;  // the room page's edit mode Check3
    WorkbookReader& reader;
    FileDialogs& dialogs;
    RoomEditor& roomEditor;
    StudentList& studentList;
  };
  struct Hooks {
    std::function<bool()> studentEditMode;  // Check4
    // Rooms or places changed: the boards and counters are redrawn.
    std::function<void()> roomsChanged;
  };

  SheetImport(Services services, Hooks hooks, std::unique_ptr<Timer> timer);
  SheetImport(const SheetImport&) = delete;
  SheetImport& operator=(const SheetImport&) = delete;
  ~SheetImport();

  // The two buttons; enabled in their page's edit mode while no import runs.
  bool roomsEnabled() const { return !running() && area_.roomEdit(); }
  bool studentsEnabled() const { return !running() && hooks_.studentEditMode && hooks_.studentEditMode(); }
  void ImportRooms();
  void ImportStudents();

  // The import under way: rows done of rows to do.
  bool running() const { return running_; }
  Kind kind() const { return kind_; }
  int rowsDone() const { return done_; }
  int rowsTotal() const { return static_cast<int>(rows_.size()); }
  // "正在导入 n/m 行" while running, else empty.
  std::string progressText() const;
  // Stops after the row in hand; what was stored stays and is told.
  void Cancel();
  // One slice of rows (the timer's tick).
  void Slice();

  // Fires when an import starts, advances and ends.
  Signal<> changed;

 private:
  bool Prepare(Kind kind, const char* title);
  bool RoomRow(const SheetRow& row);
  bool StudentRow(const SheetRow& row);
  const std::string& Cell(const SheetRow& row, int field) const;
  void Note(int row, const char* field);
  void Finish(bool cancelled);

  InstallationData& data_;
  const Options& options_;
  Feedback& feedback_;
  MessageBoxes& boxes_;
  Clock& clock_;
  const Operator& operator_;
  const AdminArea& area_;
  WorkbookReader& reader_;
  FileDialogs& dialogs_;
  RoomEditor& roomEditor_;
  StudentList& studentList_;
  Hooks hooks_;
  std::unique_ptr<Timer> timer_;

  bool running_ = false;
  Kind kind_ = Kind::Rooms;
  Workbook book_;
  HeaderMatch header_;
  std::vector<const SheetRow*> rows_;  // the data rows, in order
  int done_ = 0;
  int stored_ = 0;
  int notes_ = 0;
  int slot_ = 0;  // rooms: the slot of the next row; students: where the free-slot search goes on
  std::vector<int> changedRooms_;
  RecordFile studentFile_;
};

}  // namespace tarvolen
