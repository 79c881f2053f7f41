#include "startup/Options.h"

#include <algorithm>

#include "store/TextCells.h"

namespace tarvolen {

using namespace settings;

uint8_t ClampToByte(long value) { return static_cast<uint8_t>(std::clamp<long>(value, 0, 255)); }

void Options::load(const SettingsFile& s) {
  defaultTimeLimit = s.integerAt(kDefaultTimeLimit);
  useRoomsInTime = s.byteAt(kUseRoomsInTime) != 0;
  assignmentMode = std::min<int>(s.byteAt(kAssignmentMode), 5);
  soundOn = s.byteAt(kSoundOn) != 0;
  useIdleRooms = s.byteAt(kUseIdleRooms) != 0;
  useOvertimeRooms = s.byteAt(kUseOvertimeRooms) != 0;
  // "使用未超时房间" is only available while overtime rooms are used.
  if (!useOvertimeRooms) useRoomsInTime = false;
  font.bold = s.byteAt(kFontBold) != 0;
  font.italic = s.byteAt(kFontItalic) != 0;
  font.strikethrough = s.byteAt(kFontStrikethrough) != 0;
  font.size = s.byteAt(kFontSize);
  cardDigitsField = s.byteAt(kCardDigitsShown18);
  autoCheckin = s.byteAt(kAutoCheckin) != 0;
  showDetails = s.byteAt(kShowDetails) != 0;
  cardOnly = s.byteAt(kCardOnly) != 0;
  focusForced = s.byteAt(kFocusForced) != 0;
  mainRowDigits = s.byteAt(kMainRowDigits) != 0;

  font.name = s.stringRecord(kRecFontName);
  messageColour = s.longRecord(kRecMessageColour);
  photoExtension = s.stringRecord(kRecPhotoExtension);
  photoFolder.clear();
  for (int64_t r = kRecPhotoFolder; r <= kRecPhotoFolderLast; ++r) photoFolder += s.stringRecord(r);

  dropPreviousDay = s.byteAt(kDropPreviousDay) != 0;
  upgradePolicy = std::min<int>(s.byteAt(kUpgradePolicy), 4);
  pricePerHour = s.singleAt(kPricePerHour);
  yearsOfStudy = s.byteAt(kYearsOfStudy);
  byDedicatedRoom = s.byteAt(kByDedicatedRoom) != 0;
  verificationCode = s.byteAt(kVerificationCode) != 0;
  photoNameLength = s.byteAt(kPhotoNameLength);
  photoNaming = std::min<int>(s.byteAt(kPhotoNaming), 2);
  dailyLimit = s.byteAt(kDailyLimit);
  idDigits = s.byteAt(kIdDigits);
  cardDigits = s.byteAt(kCardDigits);
  balanceNeeded = s.singleAt(kBalanceNeeded);
  dailyHours = s.singleAt(kDailyHours);
  rechargeReminder = s.singleAt(kRechargeReminder);
  autoCheckout = s.byteAt(kAutoCheckout) != 0;
  overtimeWait = s.byteAt(kOvertimeWait);
  protectionMinutes = s.byteAt(kProtectionMinutes);
  boardSize = s.byteAt(kBoardSize);
  windowWidth = s.longAt(kWindowWidth);
  windowHeight = s.longAt(kWindowHeight);
  windowState = s.integerAt(kWindowState);
  if (windowState != 2) windowState = 0;  // minimised (1) or junk starts normal

  for (int i = 0; i < 10; ++i) colours[static_cast<size_t>(i)] = s.longAt(kColourBase + 4 * i);
  autumnDivider = s.integerAt(kAutumnDivider);
  springDivider = s.integerAt(kSpringDivider);
}

namespace {
uint8_t Flag(bool b) { return b ? 1 : 0; }
}  // namespace

void SaveOptionGroups(const Options& o, const DirtyGroups& dirty, SettingsFile& s) {
  // Save-and-exit skips a failed value and writes the rest: each value is
  // one write, and the program is ending with nobody left to tell.
  if (dirty.isSet(OptionGroup::TimeLimit)) {
    (void)s.writeInteger(kDefaultTimeLimit, static_cast<int16_t>(std::clamp(o.defaultTimeLimit, -32768, 32767)));
  }
  if (dirty.isSet(OptionGroup::Board)) {
    (void)s.writeByte(kShowDetails, Flag(o.showDetails));
    (void)s.writeByte(kCardOnly, Flag(o.cardOnly));
    (void)s.writeByte(kFocusForced, Flag(o.focusForced));
    (void)s.writeByte(kMainRowDigits, Flag(o.mainRowDigits));
    (void)s.writeByte(kBoardSize, ClampToByte(o.boardSize));
    (void)s.writeByte(kUseRoomsInTime, Flag(o.useRoomsInTime));
    (void)s.writeByte(kAssignmentMode, ClampToByte(o.assignmentMode));
    (void)s.writeByte(kSoundOn, Flag(o.soundOn));
    (void)s.writeByte(kUseIdleRooms, Flag(o.useIdleRooms));
    (void)s.writeByte(kUseOvertimeRooms, Flag(o.useOvertimeRooms));
    (void)s.writeByte(kByDedicatedRoom, Flag(o.byDedicatedRoom));
    (void)s.writeByte(kVerificationCode, Flag(o.verificationCode));
    (void)s.writeByte(kAutoCheckin, Flag(o.autoCheckin));
  }
  if (dirty.isSet(OptionGroup::Font)) {
    (void)s.writeByte(kFontBold, Flag(o.font.bold));
    (void)s.writeByte(kFontItalic, Flag(o.font.italic));
    (void)s.writeByte(kFontStrikethrough, Flag(o.font.strikethrough));
    (void)s.writeByte(kFontSize, ClampToByte(o.font.size));
    (void)s.writeStringRecord(kRecFontName, o.font.name);
  }
  if (dirty.isSet(OptionGroup::Colour)) {
    (void)s.writeLongRecord(kRecMessageColour, o.messageColour);
    for (int i = 0; i < 10; ++i) (void)s.writeLong(kColourBase + 4 * i, o.colours[static_cast<size_t>(i)]);
  }
  if (dirty.isSet(OptionGroup::CardDigitsField)) {
    (void)s.writeByte(kCardDigitsShown18, ClampToByte(o.cardDigitsField));
  }
  if (dirty.isSet(OptionGroup::Parameters)) {
    (void)s.writeByte(kYearsOfStudy, ClampToByte(o.yearsOfStudy));
    (void)s.writeByte(kProtectionMinutes, ClampToByte(o.protectionMinutes));
    (void)s.writeByte(kDropPreviousDay, Flag(o.dropPreviousDay));
    (void)s.writeByte(kAutoCheckout, Flag(o.autoCheckout));
    (void)s.writeByte(kOvertimeWait, ClampToByte(o.overtimeWait));
    (void)s.writeByte(kUpgradePolicy, ClampToByte(o.upgradePolicy));
    (void)s.writeSingle(kPricePerHour, o.pricePerHour);
    (void)s.writeSingle(kBalanceNeeded, o.balanceNeeded);
    (void)s.writeSingle(kDailyHours, o.dailyHours);
    (void)s.writeByte(kDailyLimit, ClampToByte(o.dailyLimit));
    (void)s.writeByte(kIdDigits, ClampToByte(o.idDigits));
    (void)s.writeByte(kCardDigits, ClampToByte(o.cardDigits));
    (void)s.writeSingle(kRechargeReminder, o.rechargeReminder);
  }
  if (dirty.isSet(OptionGroup::Photo)) {
    (void)s.writeStringRecord(kRecPhotoExtension, o.photoExtension);
    // Pieces of 10 characters from record 23 on, never past record 28. The
    // records after the last piece are emptied: the folder is read back as
    // the join of all six, so a piece of a longer folder saved before would
    // otherwise stick to the end of a shorter one.
    const size_t length = CharacterCount(o.photoFolder);
    size_t i = 0;
    for (int64_t record = kRecPhotoFolder; record <= kRecPhotoFolderLast; ++record, i += 10) {
      (void)s.writeStringRecord(record, i < length ? SliceCharacters(o.photoFolder, i, 10) : std::string());
    }
    (void)s.writeByte(kPhotoNameLength, ClampToByte(o.photoNameLength));
    (void)s.writeByte(kPhotoNaming, ClampToByte(o.photoNaming));
  }
  if (dirty.isSet(OptionGroup::Window)) {
    (void)s.writeLong(kWindowWidth, std::max(o.windowWidth, kMinWindowWidth));
    (void)s.writeLong(kWindowHeight, std::max(o.windowHeight, kMinWindowHeight));
    (void)s.writeInteger(kWindowState, static_cast<int16_t>(o.windowState == 2 ? 2 : 0));
  }
}

}  // namespace tarvolen
