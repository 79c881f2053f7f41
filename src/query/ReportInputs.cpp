#include "query/ReportInputs.h"

#include <cstring>

#include "query/RecordBlocks.h"
#include "store/SettingsLayout.h"

namespace tarvolen::query {

namespace {

// The whole file as whole records of `length`, read-only; a missing file is
// empty.
Result<std::vector<uint8_t>> WholeRecords(const std::filesystem::path& path, size_t length) {
  std::vector<uint8_t> bytes;
  RecordBlocks blocks(path, length);
  for (auto block = blocks.next(); !block.empty(); block = blocks.next()) {
    bytes.insert(bytes.end(), block.begin(), block.end());
  }
  if (!blocks.status().ok()) return blocks.status();
  return bytes;
}

Bytes RecordAt(const std::vector<uint8_t>& bytes, size_t length, size_t record) {
  const size_t at = (record - 1) * length;
  if (at + length > bytes.size()) return Bytes(length, 0);
  return Bytes(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length));
}

template <typename T>
T ValueAt(const std::vector<uint8_t>& bytes, int64_t position) {
  T v{};
  const auto at = static_cast<size_t>(position - 1);
  if (at + sizeof v <= bytes.size()) std::memcpy(&v, bytes.data() + at, sizeof v);
  return v;
}

}  // namespace

Result<ReportInputs> ReadReportInputs(const ProgramFolder& folder) {
  ReportInputs in;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(folder.settings(), ec)) {
    return Status(ErrorCode::Missing, folder.settings().string() + ": 不是程序目录（没有set.dat）");
  }
  auto settings = WholeRecords(folder.settings(), 1);
  if (!settings.ok()) return settings.status();
  if (settings->size() < static_cast<size_t>(settings::kSpringDivider + 1)) {
    return Status(ErrorCode::Corrupt, folder.settings().string() + ": 文件不完整");
  }
  in.defaultTimeLimit = ValueAt<int16_t>(*settings, settings::kDefaultTimeLimit);
  in.dividers = SaneDividers(ValueAt<int16_t>(*settings, settings::kAutumnDivider),
                             ValueAt<int16_t>(*settings, settings::kSpringDivider));
  const int32_t sessionCount = ValueAt<int32_t>(*settings, settings::kSessionCount);

  if (!std::filesystem::is_regular_file(folder.rooms(), ec)) {
    return Status(ErrorCode::Missing, folder.rooms().string() + ": 没有房间文件");
  }
  auto rooms = WholeRecords(folder.rooms(), kRoomRecordLength);
  if (!rooms.ok()) return rooms.status();
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    in.rooms[r] = UnpackRoom(RecordAt(*rooms, kRoomRecordLength, static_cast<size_t>(r + 1)));
  }

  auto majors = WholeRecords(folder.majors(), kCategoryRecordLength);
  if (!majors.ok()) return majors.status();
  for (size_t i = 0; i < in.categories.majors.size(); ++i) {
    in.categories.majors[i] = UnpackString(RecordAt(*majors, kCategoryRecordLength, i + 1));
  }

  // The running sessions as start-up finds them: records from 1 on until
  // the stored count is reached; free records are passed over.
  auto sessions = WholeRecords(folder.sessions(), kSessionRecordLength);
  if (!sessions.ok()) return sessions.status();
  const size_t records = sessions->size() / kSessionRecordLength;
  for (size_t r = 1; r <= records && static_cast<int32_t>(in.running.size()) < sessionCount; ++r) {
    SessionRecord s = UnpackSession(RecordAt(*sessions, kSessionRecordLength, r));
    if (s.room >= 1 && RoomTable::validSlot(s.room) && HasValidStart(s)) in.running.push_back(s);
  }
  return in;
}

}  // namespace tarvolen::query
