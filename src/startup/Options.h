#pragma once
// The options of the settings panels, read from set.dat at start-up and
// written back at save-and-exit, one group at a time, only for the groups
// changed during the run.
#include <array>
#include <cstdint>
#include <string>

#include "store/SettingsFile.h"

namespace tarvolen {

struct MessageFont {
  std::string name;
  int size = 12;
  bool bold = false;
  bool italic = false;
  bool strikethrough = false;
};

struct Options {
  // Group 0.
  int defaultTimeLimit = 0;  // "限时(分)"
  // Group 1.
  bool useRoomsInTime = false;  // "使用未超时房间" (its own change marks nothing)
  int assignmentMode = 0;
  bool soundOn = false;
  bool useIdleRooms = false;
  bool useOvertimeRooms = false;
  bool autoCheckin = false;
  bool showDetails = false;
  bool cardOnly = false;
  bool focusForced = false;
  bool mainRowDigits = false;
  int boardSize = 0;
  bool byDedicatedRoom = false;
  bool verificationCode = false;
  // Group 2.
  MessageFont font;
  // Group 3.
  int32_t messageColour = 0;
  std::array<int32_t, 10> colours{};
  // Group 4.
  int cardDigitsField = 0;  // "卡号位数：", stored only
  // Group 5.
  int yearsOfStudy = 0;  // saved back as read
  int protectionMinutes = 0;
  bool dropPreviousDay = false;
  bool autoCheckout = false;
  int overtimeWait = 0;
  int upgradePolicy = 0;
  float pricePerHour = 0;
  float balanceNeeded = 0;
  float dailyHours = 0;
  int dailyLimit = 0;
  int idDigits = 0;
  int cardDigits = 0;
  float rechargeReminder = 0;
  // Group 6.
  std::string photoExtension;
  std::string photoFolder;
  int photoNameLength = 0;
  int photoNaming = 0;
  // Group 7 (twips; state 0 normal, 2 maximised).
  int32_t windowWidth = 0;
  int32_t windowHeight = 0;
  int windowState = 0;

  // Calendar dividers (month * 100 + day), changed only by re-initialisation.
  int autumnDivider = 0;
  int springDivider = 0;

  // All option values of set.dat (both views), the counters excepted.
  void load(const SettingsFile& settings);
};

enum class OptionGroup : int {
  TimeLimit = 0,
  Board = 1,
  Font = 2,
  Colour = 3,
  CardDigitsField = 4,
  Parameters = 5,
  Photo = 6,
  Window = 7,
};

class DirtyGroups {
 public:
  void mark(OptionGroup g) { flags_[static_cast<size_t>(g)] = true; }
  bool isSet(OptionGroup g) const { return flags_[static_cast<size_t>(g)]; }

 private:
  std::array<bool, 8> flags_{};
};

// Writes the groups that are marked. Every value is one write; a failing
// write is skipped and the rest still written.
void SaveOptionGroups(const Options& options, const DirtyGroups& dirty, SettingsFile& settings);

// A Byte option from a number: clamped to 0..255, never wrapped.
uint8_t ClampToByte(long value);

}  // namespace tarvolen
