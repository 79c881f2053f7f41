#include "store/SideFiles.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <sstream>

#include "store/Gbk.h"
#include "store/RecordFile.h"
#include "store/Tables.h"

namespace tarvolen {

int32_t SuspensionFile::count() const {
  int32_t n = settings_.longAt(settings::kSuspensionCount);
  return n < 0 ? 0 : n;
}

Status SuspensionFile::add(int16_t student, OleDate keyDate, OleDate endDate, int16_t kind) {
  auto file = RecordFile::Open(path_, kSuspensionRecordLength);
  if (!file.ok()) return file.status();
  auto packed = Pack(SuspensionRecord{student, keyDate, endDate, kind});
  if (!packed.ok()) return packed.status();
  const int32_t used = count();
  if (used == std::numeric_limits<int32_t>::max()) return Status(ErrorCode::Corrupt, "suspension count out of range");
  const int32_t n = used + 1;
  if (Status s = file->write(n, packed.value()); !s.ok()) return s;
  return settings_.writeLong(settings::kSuspensionCount, n);
}

OleDate SuspensionFile::find(int16_t student, OleDate keyDate, int16_t kind) const {
  auto file = RecordFile::Open(path_, kSuspensionRecordLength);
  if (!file.ok()) return 0;
  // Records past the end of the file are empty and match no suspension; a
  // damaged count must not make the lookup read (or allocate) beyond it.
  const int64_t n = std::min<int64_t>(count(), file->recordCount());
  auto block = file->readBlock(1, n);
  if (!block.ok()) return 0;
  const long length = static_cast<long>(kSuspensionRecordLength);
  for (int64_t i = 0; i < n; ++i) {
    Bytes b(block->begin() + i * length, block->begin() + (i + 1) * length);
    SuspensionRecord r = UnpackSuspension(b);
    if (r.student == student && r.keyDate == keyDate && r.kind == kind) return r.endDate;
  }
  return 0;
}

Status SuspensionFile::remove(int16_t student, OleDate keyDate, int16_t kind) {
  if (!std::filesystem::exists(path_)) return Status::Ok();
  auto file = RecordFile::Open(path_, kSuspensionRecordLength);
  if (!file.ok()) return file.status();
  const int32_t n = count();
  // Past the end of the file every record is empty; only a search for
  // student 0 could match one there, so the scan stops at the end.
  const int64_t scan = std::min<int64_t>(n, file->recordCount());
  for (int64_t i = 1; i <= scan; ++i) {
    auto b = file->read(i);
    if (!b.ok()) return b.status();
    SuspensionRecord r = UnpackSuspension(b.value());
    if (r.student != student || r.keyDate != keyDate || (kind != 0 && r.kind != kind)) continue;
    if (i != n) {
      auto last = file->read(n);
      if (!last.ok()) return last.status();
      if (Status s = file->write(i, last.value()); !s.ok()) return s;
    }
    return settings_.writeLong(settings::kSuspensionCount, n - 1);
  }
  return Status::Ok();
}

Status CompanyInfo::load(const ProgramFolder& folder) {
  auto records = LoadRecords(folder.company(), kCompanyRecordLength, 1, kTexts);
  if (!records.ok()) return records.status();
  for (int i = 0; i < kTexts; ++i) texts[static_cast<size_t>(i)] = UnpackString((*records)[static_cast<size_t>(i)]);
  return Status::Ok();
}

Status CompanyInfo::save(const ProgramFolder& folder, int i) const {
  if (i < 0 || i >= kTexts) return Status(ErrorCode::WriteFailed, "no such company text");
  return SaveRecord(folder.company(), kCompanyRecordLength, i + 1,
                    PackString(texts[static_cast<size_t>(i)], kCompanyRecordLength));
}

Status OperationNames::load(const ProgramFolder& folder) {
  auto records = LoadRecords(folder.operationNames(), kOperationNameRecordLength, 1, kNames);
  if (!records.ok()) return records.status();
  for (int i = 1; i <= kNames; ++i)
    names[static_cast<size_t>(i)] = UnpackString((*records)[static_cast<size_t>(i - 1)]);
  return Status::Ok();
}

std::string OperationNames::name(int i) const {
  return i >= 1 && i <= kNames ? names[static_cast<size_t>(i)] : std::string();
}

const std::array<const char*, 12>& DeliveredOperationNames() {
  static const std::array<const char*, 12> kNamesList = {
      "", "充值", "挂失", "解除挂失", "补卡", "违规停用", "恢复使用", "房间停用", "房间使用", "记录", "登录", "下线"};
  return kNamesList;
}

Status OperationNames::WriteDelivered(const ProgramFolder& folder) {
  auto file = RecordFile::Open(folder.operationNames(), kOperationNameRecordLength);
  if (!file.ok()) return file.status();
  const auto& delivered = DeliveredOperationNames();
  for (int i = 1; i <= 99; ++i) {
    const char* text = i < static_cast<int>(delivered.size()) ? delivered[static_cast<size_t>(i)] : "";
    auto packed = PackString(text, kOperationNameRecordLength);
    if (!packed.ok()) return packed.status();
    if (Status s = file->write(i, packed.value()); !s.ok()) return s;
  }
  return Status::Ok();
}

namespace {
std::string Trim(std::string s) {
  const char* ws = " \t\r\n";
  s.erase(0, s.find_first_not_of(ws));
  size_t end = s.find_last_not_of(ws);
  s.erase(end == std::string::npos ? 0 : end + 1);
  return s;
}

bool IsUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
    }
    i += n;
  }
  return true;
}
}  // namespace

Result<AppName> ReadAppName(const ProgramFolder& folder) {
  std::ifstream in(folder.appName(), std::ios::binary);
  if (!in) return Status(ErrorCode::Missing, folder.appName().string());
  std::string line;
  std::getline(in, line);
  // An editor saving UTF-8 may put a byte-order mark first.
  if (line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
  if (!IsUtf8(line)) line = FromGbk(line);
  AppName out;
  size_t comma = line.rfind(',');
  std::string name = Trim(comma == std::string::npos ? line : line.substr(0, comma));
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
  out.name = name;
  if (comma != std::string::npos) {
    std::istringstream v(Trim(line.substr(comma + 1)));
    v >> out.version;
    if (!v) out.version = 0;
  }
  return out;
}

}  // namespace tarvolen
