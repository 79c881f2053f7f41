#pragma once
// A program folder as it is delivered: the settings with their identities
// and option defaults, the category lists, the side files, the folder tree,
// the cue sounds and the clean copies that re-initialisation restores
// (C.txt and ct/). Optionally a few rooms and students to try the desk with.
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "access/Identities.h"
#include "store/OleDate.h"
#include "store/Records.h"
#include "store/Result.h"

namespace tarvolen {

// The seven identities of a new installation, slot k = identity k.
struct DefaultIdentity {
  const char* name;
  const char* password;  // "" needs none; settings::kNoPassword = not set up
  int16_t permissions;
};
const std::array<DefaultIdentity, 7>& DefaultIdentities();

// One numeric option of set.dat's byte view and its delivered value.
enum class SettingType { Byte, Integer, Long, Single };
struct SettingDefault {
  int64_t position;
  SettingType type;
  double value;
};
// Every numeric byte-view value except the permission words and colours.
const std::vector<SettingDefault>& DefaultSettings();

// Interface colours 0..9 (set.dat 1060 + 4i), as 0x00BBGGRR.
struct DefaultColour {
  const char* role;
  int32_t bgr;
};
const std::array<DefaultColour, 10>& DefaultColours();

// Texts of set.dat's record view.
inline constexpr const char* kDefaultCustomName = "音乐学院琴房";
inline constexpr const char* kDefaultFontName = "WenQuanYi Micro Hei";
inline constexpr int32_t kDefaultMessageColour = 0x0000C0;  // dark red
inline constexpr const char* kDefaultPhotoExtension = ".jpg";

// appname.txt
inline constexpr const char* kAppNameLine = "\"Tarvolen\",100";

// The files re-initialisation restores from ct/, in the order of C.txt.
const std::array<const char*, 8>& RestoredFiles();

// The folders of an installation, relative to the program folder.
const std::array<const char*, 7>& InstallationFolders();

// Cue sounds sound/3.wav .. sound/8.wav.
struct CueSound {
  const char* file;
  double frequencyHz;
  int durationMs;
};
const std::array<CueSound, 6>& CueSounds();

// Writes a clean installation into `dir`, creating it when needed. Refused
// (ErrorCode::Refused, nothing touched) when `dir` already holds a set.dat.
// set.dat is written last, under a temporary name that is renamed at the
// very end, so an installation that fails half-way can simply be repeated.
// The last start (set.dat record 5) is `today`: nothing to roll over.
Status WriteCleanInstallation(const std::filesystem::path& dir, const CivilDate& today);

// Demo rooms and students for trying the desk out.
struct DemoRoom {
  int slot;
  RoomRecord room;
};
std::vector<DemoRoom> DemoRooms();

// The demo students hold the cards kDemoFirstCard .. kDemoFirstCard + 19,
// slot s holding card kDemoFirstCard + s - 1.
constexpr int kDemoStudentCount = 20;
constexpr int64_t kDemoFirstCard = 1001;

struct DemoStudent {
  int slot;
  StudentRecord student;
};
// Enrolment dates are built from the school year of `today` and the autumn
// divider (month * 100 + day): the newest students enrolled in the school
// year that contains today, the oldest four years before.
std::vector<DemoStudent> DemoStudents(const CivilDate& today, int16_t autumnDivider);
// The demo student whose card is suspended stays so for this many days.
constexpr int kDemoSuspensionDays = 30;

// Adds the demo rooms and students to the clean installation in `dir`,
// including the suspension record of the suspended demo card (that file
// lies beside the folder, "<dir>ts.dat"). Missing when `dir` holds no
// set.dat; refused when it already has a room or a student.
Status AddDemoData(const std::filesystem::path& dir, const CivilDate& today);

}  // namespace tarvolen
