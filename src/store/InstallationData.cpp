#include "store/InstallationData.h"

#include <filesystem>

namespace tarvolen {

Status InstallationData::OpenSettings() {
  settings_.reset();
  if (!std::filesystem::exists(folder_.settings())) {
    return Status(ErrorCode::Missing, folder_.settings().string());
  }
  auto s = SettingsFile::Open(folder_.settings());
  if (!s.ok()) return s.status();
  settings_.emplace(std::move(s.value()));
  return Status::Ok();
}

bool InstallationData::hasSessionFile() const { return std::filesystem::exists(folder_.sessions()); }

Status InstallationData::LoadRooms() {
  Status loaded = rooms_.load(folder_);
  sessions_.SetPlacesFromRooms(rooms_);
  return loaded;
}

Status InstallationData::LoadSessions(int32_t storedCount, const ActiveSessionTable::LoadContext& ctx) {
  if (!settings_) return Status(ErrorCode::Missing, folder_.settings().string());
  auto file = RecordFile::Open(folder_.sessions(), kSessionRecordLength);
  if (!file.ok()) return file.status();
  sessions_.LoadSessions(std::move(file.value()), *settings_, storedCount, ctx);
  return Status::Ok();
}

InstallationData::YearFilesOpened InstallationData::OpenYearFiles(int year, int32_t checkinCount, int32_t logCount) {
  YearFilesOpened out;
  if (!settings_) {
    out.status = Status(ErrorCode::Missing, folder_.settings().string());
    return out;
  }
  auto checkins = checkins_.open(folder_.checkinYear(year), kCheckinRecordLength, &*settings_, settings::kCheckinCount,
                                 checkinCount);
  auto log = log_.open(folder_.logYear(year), kLogRecordLength, &*settings_, settings::kLogCount, logCount);
  out.tornCheckin = checkins.ok() && checkins->tornRecord;
  out.tornLog = log.ok() && log->tornRecord;
  out.status = !checkins.ok() ? checkins.status() : !log.ok() ? log.status() : Status::Ok();
  return out;
}

void InstallationData::Close() {
  checkins_.close();
  log_.close();
  sessions_.file().close();
  settings_.reset();
}

Status InstallationData::Reload(int year, const ActiveSessionTable::LoadContext& sessions) {
  Close();
  Status first = Status::Ok();
  auto keep = [&first](Status s) {
    if (first.ok() && !s.ok()) first = std::move(s);
  };
  categories_ = CategoryLists{};
  keep(LoadCategories());
  keep(OpenSettings());
  keep(LoadOperationNames());
  rooms_ = RoomTable{};
  sessions_ = ActiveSessionTable{};
  keep(LoadRooms());
  students_ = StudentTable{};
  if (settings_) {
    keep(LoadSessions(settings_->longAt(settings::kSessionCount), sessions));
  }
  keep(LoadStudents());
  company_ = CompanyInfo{};
  keep(LoadCompany());
  if (settings_) {
    keep(
        OpenYearFiles(year, settings_->longAt(settings::kCheckinCount), settings_->longAt(settings::kLogCount)).status);
  }
  return first;
}

}  // namespace tarvolen
