// fuzz_make_corpus DIR: writes the seed corpus of every fuzz target into
// DIR/<target>/, made by the desk's own packers and a demo installation, so
// the fuzzers start from records the desk really writes.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "maintenance/CleanInstallation.h"
#include "store/Gbk.h"
#include "store/ProgramFolder.h"
#include "store/Records.h"
#include "store/SettingsLayout.h"

namespace fs = std::filesystem;
using namespace tarvolen;

namespace {

const CivilDate kToday{2024, 3, 11};

fs::path g_out;
bool g_failed = false;

void Seed(const std::string& target, const std::string& name, const Bytes& bytes) {
  const fs::path dir = g_out / target;
  fs::create_directories(dir);
  std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "fuzz_make_corpus: cannot write %s/%s\n", target.c_str(), name.c_str());
    g_failed = true;
  }
}

Bytes Packed(const Result<Bytes>& r) {
  if (!r.ok()) {
    std::fprintf(stderr, "fuzz_make_corpus: a seed record does not pack: %s\n", r.status().detail().c_str());
    g_failed = true;
    return {};
  }
  return r.value();
}

Bytes ReadFile(const fs::path& path, size_t limit = SIZE_MAX) {
  std::ifstream in(path, std::ios::binary);
  Bytes b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.eof() && !in) g_failed = true;
  if (b.size() > limit) b.resize(limit);
  return b;
}

// Exactly `length` bytes of the file, zero past its end.
Bytes ReadFixed(const fs::path& path, size_t length) {
  Bytes b = ReadFile(path, length);
  b.resize(length, 0);
  return b;
}

Bytes Record(const fs::path& path, size_t length, int64_t n) {
  Bytes all = ReadFile(path);
  Bytes b(length, 0);
  const size_t from = static_cast<size_t>(n - 1) * length;
  for (size_t i = 0; i < length && from + i < all.size(); ++i) b[i] = all[from + i];
  return b;
}

Bytes WithCount(int32_t count, const Bytes& rest) {
  Bytes b(4);
  std::memcpy(b.data(), &count, 4);
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

// Records packed one after another, each padded to its record length.
template <class T>
Bytes FileOf(const std::vector<T>& records, size_t length) {
  Bytes file;
  for (const T& r : records) {
    Bytes b = Packed(Pack(r));
    b.resize(length, 0);
    file.insert(file.end(), b.begin(), b.end());
  }
  return file;
}

void UnpackSeeds(const ProgramFolder& desk) {
  const auto students = DemoStudents(kToday, 815);
  for (size_t i : {0u, 5u, 19u}) Seed("unpack_student", "demo" + std::to_string(i), Packed(Pack(students[i].student)));
  const auto rooms = DemoRooms();
  for (size_t i : {0u, 4u, 11u}) Seed("unpack_room", "demo" + std::to_string(i), Packed(Pack(rooms[i].room)));
  for (int n : {1, 4, 7})
    Seed("unpack_level", "hy" + std::to_string(n), Record(desk.levels(), kCategoryRecordLength, n));

  const OleDate today = ToOle(kToday);
  Seed("unpack_session", "running", Packed(Pack(SessionRecord{3, 12, 930, today})));
  Seed("unpack_session", "free", Packed(Pack(SessionRecord{0, 7, 600, today - 1})));
  Seed("unpack_checkin", "in", Packed(Pack(CheckinRecord{3, 12, 930, today, 6, 0, 0.0f, today - 200})));
  Seed("unpack_checkin", "out", Packed(Pack(CheckinRecord{3, 12, 1012, today, 1, 1, 12.5f, today - 200})));
  Seed("unpack_log", "recharge",
       Packed(Pack(LogRecord{1, 6, today + 0.5, 720, 12, 1000000, 0, "充值100元", today - 200})));
  Seed("unpack_log", "room", Packed(Pack(LogRecord{7, 1, today, 60, 0, 0, 42, "", 0})));
  Seed("unpack_suspension", "one", Packed(Pack(SuspensionRecord{12, today - 200, today + 30, 1})));
  Seed("unpack_string", "major", Record(desk.majors(), kCategoryRecordLength, 1));
  Seed("unpack_string", "name", Record(desk.settings(), kSettingsRecordLength, settings::kRecCustomName));
  Seed("unpack_string", "company", Packed(PackString("北方音乐学院 琴房管理中心", kCompanyRecordLength)));
}

void FileSeeds(const ProgramFolder& desk) {
  const OleDate today = ToOle(kToday);
  Seed("settings_file", "clean", ReadFile(desk.settings()));
  Seed("settings_file", "short", ReadFile(desk.settings(), 200));

  Seed("app_name", "clean", ReadFile(desk.appName()));
  const auto gbk = ToGbk("\"琴房管理\",120\r\n");
  Seed("app_name", "gbk", gbk.ok() ? Bytes(gbk->begin(), gbk->end()) : Bytes{});
  const std::string bom = "\xEF\xBB\xBF琴房, 7";
  Seed("app_name", "bom", Bytes(bom.begin(), bom.end()));

  Seed("suspension_file", "demo", WithCount(1, ReadFile(desk.suspension())));
  const std::vector<SuspensionRecord> suspensions = {
      {12, today - 200, today + 30, 1}, {4, today - 900, today - 2, 1}, {12, today - 200, today + 9, 2}};
  Seed("suspension_file", "three", WithCount(3, FileOf(suspensions, kSuspensionRecordLength)));

  const std::vector<CheckinRecord> checkins = {{2, 4, 1300, today - 1, 6, 0, 0.0f, today - 900},
                                               {3, 12, 930, today, 6, 0, 0.0f, today - 200},
                                               {5, 4, 940, today, 1, 0, 0.0f, today - 900},
                                               {3, 12, 1012, today, 1, 1, 12.5f, today - 200},
                                               {3, 12, 1020, today, 1, 0, 0.0f, today - 200}};
  Seed("checkin_year_file", "day", WithCount(5, FileOf(checkins, kCheckinRecordLength)));
  Seed("checkin_year_file", "behind", WithCount(2, FileOf(checkins, kCheckinRecordLength)));
  // The utilisation reads the same records (its number first is the default
  // time limit); a session across midnight and one out of order besides.
  std::vector<CheckinRecord> sessionsOfAYear = checkins;
  sessionsOfAYear.push_back({1, 7, 1400, today - 3, 1, 0, 0.0f, today - 900});
  sessionsOfAYear.push_back({1, 7, 30, today - 2, 1, 1, 3.0f, today - 900});
  sessionsOfAYear.push_back({2, 9, 700, today - 5, 1, 1, 2.0f, today - 900});
  sessionsOfAYear.push_back({2, 9, 800, today - 5, 1, 0, 0.0f, today - 900});
  Seed("utilisation", "week", WithCount(120, FileOf(sessionsOfAYear, kCheckinRecordLength)));

  const std::vector<SessionRecord> sessions = {
      {3, 12, 930, today}, {0, 7, 600, today - 1}, {4, 4, 60, today - 1}, {2, 9, 900, today}};
  Seed("load_sessions", "three", WithCount(3, FileOf(sessions, kSessionRecordLength)));
  Seed("load_sessions", "count_high", WithCount(40, FileOf(sessions, kSessionRecordLength)));

  Seed("student_table", "demo", ReadFile(desk.students(), 7 * kStudentRecordLength));
  Seed("room_table", "demo", ReadFile(desk.rooms(), 14 * kRoomRecordLength));

  Bytes lists = ReadFixed(desk.levels(), 7 * kCategoryRecordLength);
  for (const auto& [path, records] : {std::pair{desk.grades(), 10}, {desk.classes(), 31}, {desk.majors(), 31}}) {
    Bytes part = ReadFixed(path, static_cast<size_t>(records) * kCategoryRecordLength);
    lists.insert(lists.end(), part.begin(), part.end());
  }
  Seed("category_lists", "clean", lists);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_corpus DIR\n");
    return 2;
  }
  g_out = argv[1];
  const fs::path work = fs::temp_directory_path() / ("tarvolen-corpus-" + std::to_string(::getpid()));
  std::error_code ec;
  fs::remove_all(work, ec);
  const fs::path dir = work / "desk";
  if (Status s = WriteCleanInstallation(dir, kToday); !s.ok()) {
    std::fprintf(stderr, "fuzz_make_corpus: %s\n", s.detail().c_str());
    return 1;
  }
  if (Status s = AddDemoData(dir, kToday); !s.ok()) {
    std::fprintf(stderr, "fuzz_make_corpus: %s\n", s.detail().c_str());
    return 1;
  }
  const ProgramFolder desk(dir);
  UnpackSeeds(desk);
  FileSeeds(desk);
  fs::remove_all(work, ec);
  return g_failed ? 1 : 0;
}
