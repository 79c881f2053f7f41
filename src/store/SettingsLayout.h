#pragma once
// The map of set.dat. Byte positions count from 1 (position p is offset
// p-1); records are 24 bytes long, numbered from 1.
#include <cstdint>

namespace tarvolen::settings {

// Byte view.
constexpr int64_t kSessionCount = 1;          // Long
constexpr int64_t kDefaultTimeLimit = 5;      // Integer, minutes
constexpr int64_t kUseRoomsInTime = 9;        // Byte
constexpr int64_t kAssignmentMode = 10;       // Byte 0..5
constexpr int64_t kSoundOn = 11;              // Byte
constexpr int64_t kUseIdleRooms = 12;         // Byte
constexpr int64_t kUseOvertimeRooms = 13;     // Byte
constexpr int64_t kFontBold = 14;             // Byte
constexpr int64_t kFontItalic = 15;           // Byte
constexpr int64_t kFontStrikethrough = 16;    // Byte
constexpr int64_t kFontSize = 17;             // Byte 9..48
constexpr int64_t kCardDigitsShown18 = 18;    // Byte, "卡号位数：" stored only
constexpr int64_t kAutoCheckin = 19;          // Byte
constexpr int64_t kPermissionBase = 1001;     // Integer at 1001 + 2k
constexpr int64_t kUpgradePolicy = 1015;      // Byte
constexpr int64_t kPricePerHour = 1016;       // Single, stored only
constexpr int64_t kYearsOfStudy = 1020;       // Byte
constexpr int64_t kByDedicatedRoom = 1021;    // Byte
constexpr int64_t kVerificationCode = 1022;   // Byte
constexpr int64_t kPhotoNameLength = 1023;    // Byte
constexpr int64_t kPhotoNaming = 1024;        // Byte
constexpr int64_t kDailyLimit = 1027;         // Byte
constexpr int64_t kIdDigits = 1028;           // Byte
constexpr int64_t kCardDigits = 1029;         // Byte
constexpr int64_t kCheckinCount = 1030;       // Long
constexpr int64_t kAutumnDivider = 1034;      // Integer month*100+day
constexpr int64_t kSpringDivider = 1036;      // Integer month*100+day
constexpr int64_t kLogCount = 1038;           // Long
constexpr int64_t kBalanceNeeded = 1042;      // Single
constexpr int64_t kDailyHours = 1046;         // Single, stored only
constexpr int64_t kRechargeReminder = 1050;   // Single
constexpr int64_t kSuspensionCount = 1054;    // Long
constexpr int64_t kAutoCheckout = 1058;       // Byte
constexpr int64_t kOvertimeWait = 1059;       // Byte
constexpr int64_t kColourBase = 1060;         // Long at 1060 + 4i, i = 0..9
constexpr int64_t kLastIdentity = 1100;       // Byte 0..6
constexpr int64_t kBoardSize = 1101;          // Byte
constexpr int64_t kWindowWidth = 1102;        // Long, twips
constexpr int64_t kWindowHeight = 1106;       // Long, twips
constexpr int64_t kWindowState = 1110;        // Integer
constexpr int64_t kDropPreviousDay = 1112;    // Byte
constexpr int64_t kProtectionMinutes = 1113;  // Byte
constexpr int64_t kShowDetails = 1114;        // Byte
constexpr int64_t kCardOnly = 1115;           // Byte
constexpr int64_t kFocusForced = 1116;        // Byte
constexpr int64_t kMainRowDigits = 1117;      // Byte
constexpr int64_t kByteViewSize = 1117;       // bytes of a complete set.dat

// Record view.
constexpr int64_t kRecCustomName = 4;       // String
constexpr int64_t kRecLastStart = 5;        // Date
constexpr int64_t kRecFontName = 6;         // String
constexpr int64_t kRecMessageColour = 7;    // Long
constexpr int64_t kRecIdentityName = 8;     // String, 8 + k
constexpr int64_t kRecPassword = 15;        // String, 15 + k
constexpr int64_t kRecPhotoExtension = 22;  // String
constexpr int64_t kRecPhotoFolder = 23;     // String pieces, 23..28
constexpr int64_t kRecPhotoFolderLast = 28;

// A String record of set.dat holds at most this many GBK bytes.
constexpr size_t kMaxSettingsText = 22;
// Minimum window size saved at exit, in twips.
constexpr int32_t kMinWindowWidth = 13125;
constexpr int32_t kMinWindowHeight = 8205;

// The password that means "not set up".
inline constexpr const char* kNoPassword = "雪松岭VOID0427";

}  // namespace tarvolen::settings
