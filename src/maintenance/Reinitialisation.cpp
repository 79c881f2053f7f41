#include "maintenance/Reinitialisation.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "maintenance/DataClearing.h"
#include "maintenance/FileCopy.h"
#include "store/Gbk.h"
#include "store/OleDate.h"
#include "store/Records.h"
#include "store/SettingsLayout.h"
#include "store/SideFiles.h"

namespace tarvolen {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "提示";
constexpr const char* kDoneTitle = "重要提示";
constexpr const char* kDone = "操作完成，你现在需要立即重启本程序，以完成初始化！";
constexpr const char* kUnchanged = "，未作任何改动。";

// A whole number of at most three digits, 0..255.
bool ReadByte(const std::string& text, int& out) {
  if (text.empty() || text.size() > 3) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v > 255) return false;
  out = v;
  return true;
}

// A divider: a day that exists in every year (no 29 February).
bool ReadDivider(const std::string& month, const std::string& day, int16_t& out) {
  int m = 0;
  int d = 0;
  if (!ReadByte(month, m) || !ReadByte(day, d) || !IsValidCivil(2001, m, d)) return false;
  out = static_cast<int16_t>(m * 100 + d);
  return true;
}

// A name of C.txt stays inside ct/ and the program folder.
bool PlainName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos && name != "." &&
         name != "..";
}

}  // namespace

Reinitialisation::Reinitialisation(Services services, Hooks hooks)
    : data_(services.data), messageBoxes_(services.boxes), hooks_(std::move(hooks)) {
  for (int i = 0; i < kBoxes; ++i) boxes_[static_cast<size_t>(i)] = kDelivered[static_cast<size_t>(i)];
}

bool Reinitialisation::ReadValues(Values& out) {
  int years = 0;
  int id = 0;
  int card = 0;
  const char* bad = nullptr;
  if (!ReadByte(boxes_[0], years)) {
    bad = "活动年份";
  } else if (!ReadByte(boxes_[1], id)) {
    bad = "证号位数";
  } else if (!ReadByte(boxes_[2], card)) {
    bad = "卡号位数";
  } else if (!ReadDivider(boxes_[3], boxes_[4], out.autumn)) {
    bad = "学期分隔日(署假)";
  } else if (!ReadDivider(boxes_[5], boxes_[6], out.spring)) {
    bad = "学期分隔日(寒假)";
  }
  if (bad != nullptr) {
    messageBoxes_.show(kTitle, std::string(bad) + "的值无效" + kUnchanged, BoxIcon::Critical);
    return false;
  }
  out.years = static_cast<uint8_t>(years);
  out.idDigits = static_cast<uint8_t>(id);
  out.cardDigits = static_cast<uint8_t>(card);
  return true;
}

bool Reinitialisation::ReadCleanFiles(std::vector<std::string>& names) {
  const fs::path list = data_.folder().file("C.txt");
  std::ifstream in(list, std::ios::binary);
  if (!in) {
    messageBoxes_.show(kTitle, std::string("找不到文件 C.txt") + kUnchanged, BoxIcon::Critical);
    return false;
  }
  const std::string text = FromGbk(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) names.push_back(line);
    start = end + 1;
  }
  bool settingsListed = false;
  for (const std::string& name : names) {
    std::error_code ec;
    if (!PlainName(name) || !fs::is_regular_file(data_.folder().file("ct") / name, ec)) {
      messageBoxes_.show(kTitle, "缺少文件 ct/" + name + kUnchanged, BoxIcon::Critical);
      return false;
    }
    if (name == "set.dat") settingsListed = true;
  }
  if (!settingsListed) {
    // Without a clean set.dat the next start could only say "数据损坏".
    messageBoxes_.show(kTitle, std::string("C.txt 未列出 set.dat") + kUnchanged, BoxIcon::Critical);
    return false;
  }
  auto clean = RecordFile::Open(data_.folder().file("ct/set.dat"), kSettingsRecordLength);
  const bool usable = clean.ok() && clean->sizeInBytes() >= settings::kByteViewSize;
  if (!usable) {
    messageBoxes_.show(kTitle, std::string("ct/set.dat 已损坏") + kUnchanged, BoxIcon::Critical);
    return false;
  }
  return true;
}

std::vector<std::string> Reinitialisation::Rewrite(const Values& values, const std::vector<std::string>& names) {
  std::vector<std::string> failed;
  auto keep = [&failed](const Status& s) {
    if (!s.ok()) failed.push_back(s.detail());
  };
  const ProgramFolder& folder = data_.folder();
  data_.Close();
  keep(RemoveFilesIn(folder.file("数据/学生")));
  keep(RemoveFilesIn(folder.file("数据/日志")));
  keep(RemoveFilesIn(folder.file("数据/登记")));
  // The crash journal goes too: replayed at the next start it would write
  // old records into the clean files.
  for (const fs::path& p : {folder.settings(), folder.sessions(), folder.students(), folder.journal()}) {
    std::error_code ec;
    fs::remove(p, ec);
    if (ec) failed.push_back(p.filename().string() + "（" + ec.message() + "）");
  }
  {
    auto sessions = RecordFile::Open(folder.sessions(), kSessionRecordLength);
    keep(sessions.ok() ? sessions->write(1, Bytes{0}) : sessions.status());
  }
  {
    std::error_code ec;
    fs::remove(folder.operationNames(), ec);
    keep(OperationNames::WriteDelivered(folder));
  }
  // Each clean copy beside its target first, then renamed over it.
  for (const std::string& name : names) {
    fs::path part = folder.file(name);
    part += ".part";
    std::error_code ec;
    fs::remove(part, ec);
    CopyJob job({CopyItem{folder.file("ct") / name, part, name}});
    Status s = job.Prepare();
    if (s.ok()) s = job.Step(INT64_MAX);
    if (s.ok()) {
      fs::rename(part, folder.file(name), ec);
      if (ec) s = Status(ErrorCode::WriteFailed, name + "（" + ec.message() + "）");
    }
    if (!s.ok()) fs::remove(part, ec);
    keep(s);
  }
  auto opened = SettingsFile::Open(folder.settings());
  if (!opened.ok()) {
    failed.push_back(opened.status().detail());
    return failed;
  }
  SettingsFile& s = opened.value();
  keep(s.writeByte(settings::kYearsOfStudy, values.years));
  keep(s.writeByte(settings::kIdDigits, values.idDigits));
  keep(s.writeByte(settings::kCardDigits, values.cardDigits));
  keep(s.writeInteger(settings::kAutumnDivider, values.autumn));
  keep(s.writeInteger(settings::kSpringDivider, values.spring));
  return failed;
}

void Reinitialisation::Run() {
  if (ended_ || confirmation_ != kConfirmWords) return;
  Values values{};
  if (!ReadValues(values)) return;
  std::vector<std::string> names;
  if (!ReadCleanFiles(names)) return;
  const std::vector<std::string> failed = Rewrite(values, names);
  ended_ = true;
  if (!failed.empty()) {
    std::string text = "以下文件未能处理：";
    for (size_t i = 0; i < failed.size(); ++i) text += (i > 0 ? "；" : "") + failed[i];
    messageBoxes_.show(kTitle, text, BoxIcon::Critical);
  }
  messageBoxes_.show(kDoneTitle, kDone, BoxIcon::Information);
  if (hooks_.ended) hooks_.ended();
}

}  // namespace tarvolen
