#include "store/SettingsFile.h"

#include <cstring>

#include "store/Records.h"

namespace tarvolen {
namespace {
template <class T>
Bytes BytesOf(T value) {
  Bytes b(sizeof(T));
  std::memcpy(b.data(), &value, sizeof(T));
  return b;
}
template <class T>
T ValueOf(const Bytes& b) {
  T v{};
  std::memcpy(&v, b.data(), std::min(sizeof(T), b.size()));
  return v;
}
}  // namespace

Result<SettingsFile> SettingsFile::Open(const std::filesystem::path& path) {
  auto f = RecordFile::Open(path, kSettingsRecordLength);
  if (!f.ok()) return f.status();
  SettingsFile s;
  s.file_ = std::move(f.value());
  return s;
}

Bytes SettingsFile::bytesAt(int64_t position, size_t size) const {
  auto r = file_.readAt(position, size);
  return r.ok() ? r.value() : Bytes(size, 0);
}

uint8_t SettingsFile::byteAt(int64_t p) const { return ValueOf<uint8_t>(bytesAt(p, 1)); }
int16_t SettingsFile::integerAt(int64_t p) const { return ValueOf<int16_t>(bytesAt(p, 2)); }
int32_t SettingsFile::longAt(int64_t p) const { return ValueOf<int32_t>(bytesAt(p, 4)); }
float SettingsFile::singleAt(int64_t p) const { return ValueOf<float>(bytesAt(p, 4)); }

Status SettingsFile::writeByte(int64_t p, uint8_t v) { return file_.writeAt(p, BytesOf(v)); }
Status SettingsFile::writeInteger(int64_t p, int16_t v) { return file_.writeAt(p, BytesOf(v)); }
Status SettingsFile::writeLong(int64_t p, int32_t v) { return file_.writeAt(p, BytesOf(v)); }
PlannedWrite SettingsFile::planLong(int64_t p, int32_t v) const { return file_.planWriteAt(p, BytesOf(v)); }
Status SettingsFile::writeSingle(int64_t p, float v) { return file_.writeAt(p, BytesOf(v)); }

std::string SettingsFile::stringRecord(int64_t record) const {
  auto r = file_.read(record);
  return r.ok() ? UnpackString(r.value()) : std::string();
}

OleDate SettingsFile::dateRecord(int64_t record) const {
  auto r = file_.read(record);
  return r.ok() ? ValueOf<OleDate>(r.value()) : 0.0;
}

int32_t SettingsFile::longRecord(int64_t record) const {
  auto r = file_.read(record);
  return r.ok() ? ValueOf<int32_t>(r.value()) : 0;
}

Status SettingsFile::writeStringRecord(int64_t record, std::string_view text) {
  auto packed = PackString(text, kSettingsRecordLength);
  if (!packed.ok()) return packed.status();
  return file_.write(record, packed.value());
}

Status SettingsFile::writeDateRecord(int64_t record, OleDate v) { return file_.write(record, BytesOf(v)); }
Status SettingsFile::writeLongRecord(int64_t record, int32_t v) { return file_.write(record, BytesOf(v)); }

}  // namespace tarvolen
