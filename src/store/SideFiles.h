#pragma once
// The small files beside the tables: the suspension file, the company
// texts, the operation names and appname.txt.
#include <array>
#include <optional>
#include <string>

#include "store/ProgramFolder.h"
#include "store/Records.h"
#include "store/SettingsFile.h"

namespace tarvolen {

// <folder>ts.dat; the number of records in use is set.dat position 1054.
class SuspensionFile {
 public:
  SuspensionFile(const ProgramFolder& folder, SettingsFile& settings)
      : path_(folder.suspension()), settings_(settings) {}

  Status add(int16_t student, OleDate keyDate, OleDate endDate, int16_t kind);
  // End date of the first record matching all three, 0 when none.
  OleDate find(int16_t student, OleDate keyDate, int16_t kind) const;
  // Moves the last record over the first match (kind 0 matches any kind) and
  // lowers the count. No match changes nothing.
  Status remove(int16_t student, OleDate keyDate, int16_t kind);

  int32_t count() const;

 private:
  std::filesystem::path path_;
  SettingsFile& settings_;
};

// vin.dat: ten texts of the company panel.
struct CompanyInfo {
  static constexpr int kTexts = 10;
  static constexpr size_t kMaxBytes = 126;
  std::array<std::string, kTexts> texts{};

  Status load(const ProgramFolder& folder);
  // Rewrites record i + 1 alone; refused when the text does not fit.
  Status save(const ProgramFolder& folder, int i) const;
};

// data/rrsm.dat: names 1..20 of operations and check-in kinds.
struct OperationNames {
  static constexpr int kNames = 20;
  static constexpr size_t kMaxBytes = 14;
  std::array<std::string, kNames + 1> names{};  // index 0 unused

  Status load(const ProgramFolder& folder);
  std::string name(int i) const;

  // Writes records 1..99: the eleven delivered names, then empty strings.
  static Status WriteDelivered(const ProgramFolder& folder);
};

// The eleven delivered operation names, index 1..11.
const std::array<const char*, 12>& DeliveredOperationNames();

// appname.txt: one line, a name (optionally quoted) and the version x 100.
struct AppName {
  std::string name;
  int version = 0;
};
// Missing file: ErrorCode::Missing. The file's text may be GBK or UTF-8.
Result<AppName> ReadAppName(const ProgramFolder& folder);

}  // namespace tarvolen
