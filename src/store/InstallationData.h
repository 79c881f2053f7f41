#pragma once
// The installation's data: the files of one program folder and the tables
// read from them. set.dat, shuju.dat and the two year files of the current
// year stay open from start-up to exit; every other file is opened by the
// operation that uses it. Start-up opens and loads the pieces one step at a
// time (its order matters, see the desk); restore, import and data clearing
// close everything and load it again with `Reload`.
#include <functional>
#include <optional>
#include <string>

#include "store/ActiveSessionTable.h"
#include "store/Journal.h"
#include "store/ProgramFolder.h"
#include "store/SettingsFile.h"
#include "store/SideFiles.h"
#include "store/Tables.h"
#include "store/YearFile.h"

namespace tarvolen {

class InstallationData {
 public:
  explicit InstallationData(ProgramFolder folder) : folder_(std::move(folder)), journal_(folder_) {}
  InstallationData(const InstallationData&) = delete;
  InstallationData& operator=(const InstallationData&) = delete;

  // The steps of start-up, in the order the desk runs them.
  // A missing category file loads as empty names.
  Status LoadCategories() { return categories_.load(folder_); }
  // set.dat is opened only when it exists: opening would create it, and a
  // missing set.dat must stop the start as damaged data.
  Status OpenSettings();
  bool hasSettings() const { return settings_.has_value(); }
  bool hasSessionFile() const;
  Status LoadOperationNames() { return operationNames_.load(folder_); }
  // Rooms, and the free and total places of the rooms in service.
  Status LoadRooms();
  // The running sessions from shuju.dat; `storedCount` is set.dat position 1
  // as start-up holds it.
  Status LoadSessions(int32_t storedCount, const ActiveSessionTable::LoadContext& ctx);
  Status LoadStudents(const LoadPump& pump = {}) { return students_.load(folder_, pump); }
  Status LoadCompany() { return company_.load(folder_); }
  // The two append files of `year`; their counts are never taken lower than
  // the whole records the files hold, and a torn last record is said.
  struct YearFilesOpened {
    Status status;
    bool tornCheckin = false;
    bool tornLog = false;
  };
  YearFilesOpened OpenYearFiles(int year, int32_t checkinCount, int32_t logCount);

  // Closes every open file; the tables keep what they hold until a reload.
  void Close();
  // Everything again from disk, as start-up reads it: category lists,
  // set.dat, operation names, rooms, sessions, students, company texts and
  // the year files of `year` with their counts re-derived from set.dat and
  // the files. The first failing step is returned; the steps after it are
  // still run so the desk holds whatever could be read.
  Status Reload(int year, const ActiveSessionTable::LoadContext& sessions);

  const ProgramFolder& folder() const { return folder_; }
  SettingsFile& settings() { return *settings_; }
  const SettingsFile& settings() const { return *settings_; }
  CategoryLists& categories() { return categories_; }
  const CategoryLists& categories() const { return categories_; }
  StudentTable& students() { return students_; }
  const StudentTable& students() const { return students_; }
  RoomTable& rooms() { return rooms_; }
  const RoomTable& rooms() const { return rooms_; }
  ActiveSessionTable& sessions() { return sessions_; }
  const ActiveSessionTable& sessions() const { return sessions_; }
  CompanyInfo& company() { return company_; }
  const CompanyInfo& company() const { return company_; }
  const OperationNames& operationNames() const { return operationNames_; }
  YearFile& checkins() { return checkins_; }
  YearFile& log() { return log_; }
  // The crash journal of check-in and check-out.
  Journal& journal() { return journal_; }
  // The suspension file beside the folder, opened for one use.
  SuspensionFile suspensions() { return SuspensionFile(folder_, *settings_); }

 private:
  ProgramFolder folder_;
  std::optional<SettingsFile> settings_;
  CategoryLists categories_;
  OperationNames operationNames_;
  StudentTable students_;
  RoomTable rooms_;
  ActiveSessionTable sessions_;
  CompanyInfo company_;
  YearFile checkins_;
  YearFile log_;
  Journal journal_;
};

}  // namespace tarvolen
