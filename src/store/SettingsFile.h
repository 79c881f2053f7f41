#pragma once
// set.dat, open for the whole run and addressed two ways: by byte position
// for numbers, and as 24-byte records for strings and a few other values.
// Every value is one write in place.
#include <filesystem>
#include <string>

#include "store/RecordFile.h"
#include "store/SettingsLayout.h"

namespace tarvolen {

class SettingsFile {
 public:
  static Result<SettingsFile> Open(const std::filesystem::path& path);

  // Byte view. Reads past the end give 0.
  uint8_t byteAt(int64_t position) const;
  int16_t integerAt(int64_t position) const;
  int32_t longAt(int64_t position) const;
  float singleAt(int64_t position) const;
  Status writeByte(int64_t position, uint8_t value);
  Status writeInteger(int64_t position, int16_t value);
  Status writeLong(int64_t position, int32_t value);
  Status writeSingle(int64_t position, float value);
  // What writeLong would write, for the crash journal.
  PlannedWrite planLong(int64_t position, int32_t value) const;

  // Record view.
  std::string stringRecord(int64_t record) const;
  OleDate dateRecord(int64_t record) const;
  int32_t longRecord(int64_t record) const;
  // Refused (nothing written) when the GBK form is longer than 22 bytes.
  Status writeStringRecord(int64_t record, std::string_view text);
  Status writeDateRecord(int64_t record, OleDate value);
  Status writeLongRecord(int64_t record, int32_t value);

  RecordFile& file() { return file_; }

 private:
  Bytes bytesAt(int64_t position, size_t size) const;
  RecordFile file_;
};

}  // namespace tarvolen
