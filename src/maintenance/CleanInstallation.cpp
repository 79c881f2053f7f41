#include "maintenance/CleanInstallation.h"

#include "maintenance/TitleWorkbook.h"

#include <string>
#include <system_error>

#include "maintenance/ToneWriter.h"
#include "store/Gbk.h"
#include "store/PrivateFiles.h"
#include "store/ProgramFolder.h"
#include "store/RecordFile.h"
#include "store/SettingsFile.h"
#include "store/SettingsLayout.h"
#include "store/SideFiles.h"
#include "store/Tables.h"

namespace tarvolen {

namespace fs = std::filesystem;

const std::array<DefaultIdentity, 7>& DefaultIdentities() {
  static const std::array<DefaultIdentity, 7> kIdentities = {{
      {"访客", "", 0},
      {"用户一", settings::kNoPassword, static_cast<int16_t>(kUserPermissions)},
      {"用户二", settings::kNoPassword, static_cast<int16_t>(kUserPermissions)},
      {"用户三", settings::kNoPassword, static_cast<int16_t>(kUserPermissions)},
      {"用户四", settings::kNoPassword, static_cast<int16_t>(kUserPermissions)},
      {"用户五", settings::kNoPassword, static_cast<int16_t>(kUserPermissions)},
      // The sentinel makes the first start ask for the administrator password.
      {"管理员", settings::kNoPassword, static_cast<int16_t>(kAdministratorPermissions)},
  }};
  return kIdentities;
}

const std::vector<SettingDefault>& DefaultSettings() {
  using namespace settings;
  using T = SettingType;
  static const std::vector<SettingDefault> kSettings = {
      {kSessionCount, T::Long, 0},
      {kDefaultTimeLimit, T::Integer, 120},
      {kUseRoomsInTime, T::Byte, 0},
      {kAssignmentMode, T::Byte, 3},  // 房间顺序
      {kSoundOn, T::Byte, 1},
      {kUseIdleRooms, T::Byte, 1},
      {kUseOvertimeRooms, T::Byte, 0},
      {kFontBold, T::Byte, 0},
      {kFontItalic, T::Byte, 0},
      {kFontStrikethrough, T::Byte, 0},
      {kFontSize, T::Byte, 14},
      {kCardDigitsShown18, T::Byte, 10},
      {kAutoCheckin, T::Byte, 0},
      {kUpgradePolicy, T::Byte, 0},
      {kPricePerHour, T::Single, 10.0},
      {kYearsOfStudy, T::Byte, 5},
      {kByDedicatedRoom, T::Byte, 0},
      {kVerificationCode, T::Byte, 0},
      {kPhotoNameLength, T::Byte, 0},
      {kPhotoNaming, T::Byte, 0},
      {kDailyLimit, T::Byte, 5},
      {kIdDigits, T::Byte, 12},
      {kCardDigits, T::Byte, 10},
      {kCheckinCount, T::Long, 0},
      {kAutumnDivider, T::Integer, 815},
      {kSpringDivider, T::Integer, 215},
      {kLogCount, T::Long, 0},
      {kBalanceNeeded, T::Single, 0.0},
      {kDailyHours, T::Single, 4.0},
      {kRechargeReminder, T::Single, 10.0},
      {kSuspensionCount, T::Long, 0},
      {kAutoCheckout, T::Byte, 0},
      {kOvertimeWait, T::Byte, 10},
      {kLastIdentity, T::Byte, 6},
      {kBoardSize, T::Byte, 0},
      {kWindowWidth, T::Long, kMinWindowWidth},
      {kWindowHeight, T::Long, kMinWindowHeight},
      {kWindowState, T::Integer, 0},
      {kDropPreviousDay, T::Byte, 0},
      {kProtectionMinutes, T::Byte, 2},
      {kShowDetails, T::Byte, 1},
      {kCardOnly, T::Byte, 0},
      {kFocusForced, T::Byte, 0},
      {kMainRowDigits, T::Byte, 1},  // the last position: makes the file 1117 bytes
  };
  return kSettings;
}

const std::array<DefaultColour, 10>& DefaultColours() {
  static const std::array<DefaultColour, 10> kColours = {{
      {"底色", 0x00F0F0F0},          // light grey      RGB(240,240,240)
      {"背景", 0x00FFFFFF},          // white           RGB(255,255,255)
      {"文字", 0x00000000},          // black
      {"超时", 0x001E1EC8},          // red             RGB(200,30,30)
      {"选择", 0x00F7E4CC},          // pale blue       RGB(204,228,247)
      {"房间标题", 0x00A06E46},      // steel blue      RGB(70,110,160)
      {"房间标题文字", 0x00FFFFFF},  // white
      {"界面标题", 0x00784628},      // dark blue       RGB(40,70,120)
      {"界面标题文字", 0x00FFFFFF},  // white
      {"边框", 0x00A0A0A0},          // mid grey        RGB(160,160,160)
  }};
  return kColours;
}

const std::array<const char*, 8>& RestoredFiles() {
  static const std::array<const char*, 8> kFiles = {"set.dat", "hy.dat",    "lj.dat",  "bj.dat",
                                                    "zy.dat",  "rooms.dat", "vin.dat", "appname.txt"};
  return kFiles;
}

const std::array<const char*, 7>& InstallationFolders() {
  static const std::array<const char*, 7> kFolders = {"数据/登记", "数据/日志", "数据/学生", "data",
                                                      "sound",     "Font",      "ct"};
  return kFolders;
}

const std::array<CueSound, 6>& CueSounds() {
  // 3 check-in and overtime, 4 refusal, 5 data loaded, 6 check-out,
  // 7 lost or suspended card, 8 level raised.
  static const std::array<CueSound, 6> kSounds = {{
      {"3.wav", 880.0, 150},
      {"4.wav", 220.0, 350},
      {"5.wav", 660.0, 200},
      {"6.wav", 523.25, 250},
      {"7.wav", 330.0, 400},
      {"8.wav", 1046.5, 300},
  }};
  return kSounds;
}

namespace {

constexpr const char* kSettingsPartName = "set.dat.part";

Status IoError(const fs::path& path, const std::error_code& ec) {
  return Status(ErrorCode::WriteFailed, path.string() + ": " + ec.message());
}

// Opens `path` as a new, empty record file, replacing whatever was there.
Result<RecordFile> OpenFresh(const fs::path& path, size_t recordLength) {
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) return IoError(path, ec);
  return RecordFile::Open(path, recordLength);
}

// Writes record n padded to its full length, so a clean list file holds
// whole records.
Status WriteWholeRecord(RecordFile& file, int64_t n, const Result<Bytes>& packed) {
  if (!packed.ok()) return packed.status();
  Bytes bytes = packed.value();
  bytes.resize(file.recordLength(), 0);
  return file.write(n, bytes);
}

Status WriteEmptyFile(const fs::path& path, size_t recordLength) {
  auto file = OpenFresh(path, recordLength);
  return file.ok() ? Status::Ok() : file.status();
}

// A small text file, GBK, every line ended by CR LF.
Status WriteTextFile(const fs::path& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  auto gbk = ToGbk(text);
  if (!gbk.ok()) return gbk.status();
  auto file = OpenFresh(path, gbk->size());
  if (!file.ok()) return file.status();
  return file->write(1, Bytes(gbk->begin(), gbk->end()));
}

Status WriteLevels(const ProgramFolder& folder) {
  static const std::array<LevelRecord, CategoryLists::kLevels> kLevelList = {{
      {"普通会员", 100, 0},
      {"银卡会员", 95, 500},
      {"金卡会员", 90, 1000},
      {"", 100, -1},
      {"", 100, -1},
      {"", 100, -1},
      {"", 100, -1},
  }};
  auto file = OpenFresh(folder.levels(), kCategoryRecordLength);
  if (!file.ok()) return file.status();
  for (size_t i = 0; i < kLevelList.size(); ++i) {
    if (Status s = WriteWholeRecord(file.value(), static_cast<int64_t>(i) + 1, Pack(kLevelList[i])); !s.ok()) {
      return s;
    }
  }
  return Status::Ok();
}

// A list of `count` names, entry i in record i + 1, the rest empty.
Status WriteNameList(const fs::path& path, const std::vector<const char*>& names, int count, size_t recordLength) {
  auto file = OpenFresh(path, recordLength);
  if (!file.ok()) return file.status();
  for (int i = 0; i < count; ++i) {
    const char* name = static_cast<size_t>(i) < names.size() ? names[static_cast<size_t>(i)] : "";
    if (Status s = WriteWholeRecord(file.value(), i + 1, PackString(name, recordLength)); !s.ok()) return s;
  }
  return Status::Ok();
}

// The files that are the same in the program folder and in ct/.
Status WriteRestorableFiles(const ProgramFolder& folder) {
  if (Status s = WriteLevels(folder); !s.ok()) return s;
  if (Status s = WriteNameList(folder.grades(), {"一年级", "二年级", "三年级", "四年级", "五年级"},
                               CategoryLists::kLoadedGrades, kCategoryRecordLength);
      !s.ok()) {
    return s;
  }
  if (Status s =
          WriteNameList(folder.classes(), {"一班", "二班", "三班"}, CategoryLists::kNames, kCategoryRecordLength);
      !s.ok()) {
    return s;
  }
  if (Status s = WriteNameList(folder.majors(), {"钢琴", "声乐", "小提琴", "古筝"}, CategoryLists::kNames,
                               kCategoryRecordLength);
      !s.ok()) {
    return s;
  }
  if (Status s = WriteNameList(folder.company(), {"音乐学院"}, CompanyInfo::kTexts, kCompanyRecordLength); !s.ok()) {
    return s;
  }
  if (Status s = WriteEmptyFile(folder.rooms(), kRoomRecordLength); !s.ok()) return s;
  return WriteTextFile(folder.appName(), {kAppNameLine});
}

Status WriteSettingValue(SettingsFile& file, const SettingDefault& d) {
  switch (d.type) {
    case SettingType::Byte: return file.writeByte(d.position, static_cast<uint8_t>(d.value));
    case SettingType::Integer: return file.writeInteger(d.position, static_cast<int16_t>(d.value));
    case SettingType::Long: return file.writeLong(d.position, static_cast<int32_t>(d.value));
    case SettingType::Single: return file.writeSingle(d.position, static_cast<float>(d.value));
  }
  return Status(ErrorCode::WriteFailed, "unknown setting type");
}

// set.dat with every delivered value; `lastStart` goes to record 5.
Status WriteSettings(const fs::path& path, OleDate lastStart) {
  std::error_code ec;
  fs::remove(path, ec);
  if (ec) return IoError(path, ec);
  auto opened = SettingsFile::Open(path);
  if (!opened.ok()) return opened.status();
  SettingsFile& file = opened.value();

  using namespace settings;
  if (Status s = file.writeStringRecord(kRecCustomName, kDefaultCustomName); !s.ok()) return s;
  if (Status s = file.writeDateRecord(kRecLastStart, lastStart); !s.ok()) return s;
  if (Status s = file.writeStringRecord(kRecFontName, kDefaultFontName); !s.ok()) return s;
  if (Status s = file.writeLongRecord(kRecMessageColour, kDefaultMessageColour); !s.ok()) return s;
  const auto& identities = DefaultIdentities();
  for (int k = 0; k < static_cast<int>(identities.size()); ++k) {
    const auto& id = identities[static_cast<size_t>(k)];
    if (Status s = file.writeStringRecord(kRecIdentityName + k, id.name); !s.ok()) return s;
    if (Status s = file.writeStringRecord(kRecPassword + k, id.password); !s.ok()) return s;
    if (Status s = file.writeInteger(kPermissionBase + 2 * k, id.permissions); !s.ok()) return s;
  }
  if (Status s = file.writeStringRecord(kRecPhotoExtension, kDefaultPhotoExtension); !s.ok()) return s;
  for (int64_t r = kRecPhotoFolder; r <= kRecPhotoFolderLast; ++r) {
    if (Status s = file.writeStringRecord(r, ""); !s.ok()) return s;
  }
  const auto& colours = DefaultColours();
  for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
    if (Status s = file.writeLong(kColourBase + 4 * i, colours[static_cast<size_t>(i)].bgr); !s.ok()) return s;
  }
  for (const auto& d : DefaultSettings()) {
    if (Status s = WriteSettingValue(file, d); !s.ok()) return s;
  }
  if (file.file().sizeInBytes() != kByteViewSize) {
    return Status(ErrorCode::WriteFailed, path.string() + ": settings file has the wrong size");
  }
  file.file().close();
  return Status::Ok();
}

// The live set.dat goes in last and appears in one step.
Status WriteLiveSettings(const ProgramFolder& folder, OleDate lastStart) {
  const fs::path part = folder.file(kSettingsPartName);
  Status s = WriteSettings(part, lastStart);
  std::error_code ec;
  if (s.ok()) {
    fs::rename(part, folder.settings(), ec);
    if (!ec) return Status::Ok();
    s = IoError(folder.settings(), ec);
  }
  fs::remove(part, ec);  // best effort: the failure reported is the first one
  return s;
}

// Month and day of a divider as stored (month * 100 + day) in `year`.
Result<CivilDate> DividerDate(int year, int16_t divider) {
  int month = divider / 100;
  int day = divider % 100;
  if (!IsValidCivil(year, month, day)) return Status(ErrorCode::Corrupt, "autumn divider is not a day of the year");
  return CivilDate{year, month, day};
}

}  // namespace

Status WriteCleanInstallation(const fs::path& dir, const CivilDate& today) {
  const ProgramFolder folder(dir);
  std::error_code ec;
  if (fs::exists(folder.settings(), ec)) {
    return Status(ErrorCode::Refused, folder.settings().string() + " already exists");
  }
  if (ec) return Status(ErrorCode::OpenFailed, folder.settings().string() + ": " + ec.message());
  if (!IsValidCivil(today.year, today.month, today.day)) return Status(ErrorCode::Refused, "invalid date");

  // The folders are private to the desk's user; files get their private
  // mode as they are created.
  if (Status s = CreatePrivateFolders(dir); !s.ok()) return s;
  for (const char* name : InstallationFolders()) {
    if (Status s = CreatePrivateFolders(folder.file(name)); !s.ok()) return s;
  }

  for (const auto& cue : CueSounds()) {
    if (Status s = WriteToneWav(folder.sound(cue.file), Tone{cue.frequencyHz, cue.durationMs}); !s.ok()) return s;
  }

  // Clean copies first: ct/ holds what re-initialisation brings back. Its
  // set.dat has no last start, so the first start after a restore rolls over.
  const ProgramFolder clean(folder.file("ct"));
  if (Status s = WriteRestorableFiles(clean); !s.ok()) return s;
  if (Status s = WriteSettings(clean.settings(), 0.0); !s.ok()) return s;
  std::vector<std::string> restored(RestoredFiles().begin(), RestoredFiles().end());
  if (Status s = WriteTextFile(folder.file("C.txt"), restored); !s.ok()) return s;

  if (Status s = WriteRestorableFiles(folder); !s.ok()) return s;
  {
    std::error_code rmEc;
    fs::remove(folder.operationNames(), rmEc);
    if (rmEc) return IoError(folder.operationNames(), rmEc);
  }
  if (Status s = OperationNames::WriteDelivered(folder); !s.ok()) return s;
  if (Status s = WriteEmptyFile(folder.sessions(), kSessionRecordLength); !s.ok()) return s;
  if (Status s = WriteEmptyFile(folder.students(), kStudentRecordLength); !s.ok()) return s;
  // The export template: its row 1 heads every exported sheet.
  if (Status s = WriteTitleWorkbook(folder.file("1.dat"), {kTemplateHeading}); !s.ok()) return s;

  // A brand-new installation has nothing to roll over: its last start is today.
  return WriteLiveSettings(folder, ToOle(today));
}

std::vector<DemoRoom> DemoRooms() {
  // name, type (major), time-limit code, service status, price, capacity,
  // minimum fee, handling fee, billing unit, tolerance.
  auto room = [](const char* name, uint8_t type, int16_t limit, int16_t status, float price, uint8_t capacity,
                 float minimumFee, float handlingFee, int16_t unit) {
    return RoomRecord{name, type, limit, status, price, capacity, minimumFee, handlingFee, unit, 5};
  };
  return {
      {1, room("琴房101", 0, 0, 0, 10.0f, 1, 2.0f, 0.0f, 30)},
      {2, room("琴房102", 0, 0, 0, 10.0f, 1, 2.0f, 0.0f, 30)},
      {3, room("琴房103", 0, 0, 0, 12.0f, 1, 3.0f, 0.5f, 30)},
      {4, room("琴房104", 0, 24, 0, 15.0f, 2, 3.0f, 0.5f, 15)},
      {5, room("琴房105", 0, 0, 1, 10.0f, 1, 2.0f, 0.0f, 30)},  // out of service
      {6, room("琴房201", 1, 0, 0, 8.0f, 1, 1.0f, 0.0f, 30)},
      {7, room("琴房202", 1, 0, 0, 8.0f, 2, 2.0f, 0.0f, 15)},
      {8, room("琴房203", 2, 0, 0, 6.0f, 1, 1.0f, 0.0f, 15)},
      {9, room("琴房204", 2, 24, 0, 6.0f, 2, 1.0f, 0.5f, 30)},
      {10, room("琴房205", 3, 0, 0, 8.0f, 1, 2.0f, 0.0f, 30)},
      {11, room("合奏301", 0, 24, 0, 20.0f, 4, 5.0f, 0.5f, 30)},
      {12, room("排练302", 1, 24, 0, 16.0f, 4, 4.0f, 0.5f, 30)},
  };
}

std::vector<DemoStudent> DemoStudents(const CivilDate& today, int16_t autumnDivider) {
  struct Row {
    const char* name;
    uint8_t sex;
    uint8_t major;
    int yearsAgo;  // enrolled this many school years before today's
    uint8_t classIndex;
    float balance;
    int16_t status;
    int16_t dedicatedRoom;
  };
  static const std::array<Row, kDemoStudentCount> kRows = {{
      {"张伟", 0, 0, 0, 0, 120.0f, 0, 0}, {"王芳", 1, 1, 1, 1, 80.0f, 0, 0},
      {"李娜", 1, 2, 2, 2, 200.0f, 0, 0}, {"刘洋", 0, 3, 3, 0, 65.5f, 0, 0},
      {"陈静", 1, 0, 4, 1, 150.0f, 0, 1},                                    // room 1 is hers
      {"杨帆", 0, 1, 0, 2, 50.0f, 0, 0},  {"赵敏", 1, 2, 1, 0, 0.5f, 0, 0},  // nearly empty card
      {"黄磊", 0, 3, 2, 1, 95.0f, 0, 0},  {"周婷", 1, 0, 3, 2, 180.0f, 0, 0},
      {"吴昊", 0, 1, 4, 0, 110.0f, 0, 0}, {"徐丽", 1, 2, 0, 1, 75.0f, 0, 0},
      {"孙浩", 0, 3, 1, 2, 60.0f, 1, 0},  // reported lost
      {"马骏", 0, 0, 2, 0, 140.0f, 0, 0}, {"朱琳", 1, 1, 3, 1, 90.0f, 0, 0},
      {"胡斌", 0, 2, 4, 2, 55.0f, 2, 0},  // suspended
      {"郭欣", 1, 3, 0, 0, 170.0f, 0, 0}, {"何涛", 0, 0, 1, 1, 100.0f, 0, 0},
      {"高岚", 1, 1, 2, 2, 85.0f, 0, 0},  {"林晨", 0, 2, 3, 0, 130.0f, 0, 0},
      {"罗雪", 1, 3, 4, 1, 190.0f, 0, 0},
  }};
  const int monthDay = today.month * 100 + today.day;
  const int schoolYear = monthDay >= autumnDivider ? today.year : today.year - 1;
  std::vector<DemoStudent> out;
  for (int i = 0; i < static_cast<int>(kRows.size()); ++i) {
    const Row& row = kRows[static_cast<size_t>(i)];
    const int slot = i + 1;
    const int year = schoolYear - row.yearsAgo;
    StudentRecord s;
    s.card = kDemoFirstCard + i;
    s.idNumber = static_cast<int64_t>(year) * 10000 + slot;
    s.name = row.name;
    s.sex = row.sex;
    s.major = row.major;
    s.level = 0;
    s.enrolled = ToOle(CivilDate{year, autumnDivider / 100, autumnDivider % 100});
    s.classIndex = row.classIndex;
    s.totalRecharged = row.balance;
    s.balance = row.balance;
    s.status = row.status;
    s.telephone = 13900000000 + s.card;
    s.dedicatedRooms = {row.dedicatedRoom, 0, 0};
    out.push_back({slot, s});
  }
  return out;
}

Status AddDemoData(const fs::path& dir, const CivilDate& today) {
  const ProgramFolder folder(dir);
  std::error_code ec;
  if (!fs::is_regular_file(folder.settings(), ec)) {
    return Status(ErrorCode::Missing, folder.settings().string() + ": no installation here");
  }
  if (!IsValidCivil(today.year, today.month, today.day)) return Status(ErrorCode::Refused, "invalid date");
  auto opened = SettingsFile::Open(folder.settings());
  if (!opened.ok()) return opened.status();
  SettingsFile& settingsFile = opened.value();
  const int16_t autumn = settingsFile.integerAt(settings::kAutumnDivider);
  if (auto check = DividerDate(today.year, autumn); !check.ok()) return check.status();

  RoomTable rooms;
  if (Status s = rooms.load(folder); !s.ok()) return s;
  StudentTable students;
  if (Status s = students.load(folder); !s.ok()) return s;
  for (int r = 1; r <= RoomTable::kLastSlot; ++r) {
    if (!rooms[r].isFree()) return Status(ErrorCode::Refused, "the installation already holds rooms");
  }
  for (int s = 1; s <= StudentTable::kLastSlot; ++s) {
    if (!students[s].isFree()) return Status(ErrorCode::Refused, "the installation already holds students");
  }

  for (const auto& demo : DemoRooms()) {
    rooms[demo.slot] = demo.room;
    if (Status s = rooms.save(folder, demo.slot); !s.ok()) return s;
  }
  const auto demoStudents = DemoStudents(today, autumn);
  for (const auto& demo : demoStudents) {
    students[demo.slot] = demo.student;
    if (Status s = students.save(folder, demo.slot); !s.ok()) return s;
  }
  // A suspended card carries its end date in the suspension file; without
  // one the first swipe would lift the suspension at once.
  SuspensionFile suspensions(folder, settingsFile);
  for (const auto& demo : demoStudents) {
    if (!demo.student.isSuspended()) continue;
    const OleDate end = ToOle(today) + kDemoSuspensionDays;
    if (Status s = suspensions.add(static_cast<int16_t>(demo.slot), demo.student.enrolled, end, 1); !s.ok()) {
      return s;
    }
  }
  return Status::Ok();
}

}  // namespace tarvolen
