#include "store/Packing.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "store/Gbk.h"

static_assert(std::endian::native == std::endian::little, "records are packed little-endian");

namespace tarvolen {

void RecordWriter::raw(const void* p, size_t n) {
  const auto* b = static_cast<const uint8_t*>(p);
  bytes_.insert(bytes_.end(), b, b + n);
}

RecordWriter& RecordWriter::byte(uint8_t v) {
  raw(&v, 1);
  return *this;
}
RecordWriter& RecordWriter::integer(int16_t v) {
  raw(&v, 2);
  return *this;
}
RecordWriter& RecordWriter::longValue(int32_t v) {
  raw(&v, 4);
  return *this;
}
RecordWriter& RecordWriter::single(float v) {
  raw(&v, 4);
  return *this;
}
RecordWriter& RecordWriter::currency(int64_t scaled) {
  raw(&scaled, 8);
  return *this;
}
RecordWriter& RecordWriter::date(OleDate v) {
  raw(&v, 8);
  return *this;
}

RecordWriter& RecordWriter::string(std::string_view utf8) {
  auto gbk = ToGbk(utf8);
  if (!gbk.ok()) {
    if (status_.ok()) status_ = gbk.status();
    integer(0);
    return *this;
  }
  if (gbk->size() > 0xFFFF) {
    if (status_.ok()) status_ = Status(ErrorCode::TooLong, "text longer than any record");
    integer(0);
    return *this;
  }
  uint16_t n = static_cast<uint16_t>(gbk->size());
  raw(&n, 2);
  raw(gbk->data(), gbk->size());
  return *this;
}

Result<Bytes> RecordWriter::finish(size_t recordLength) const {
  if (!status_.ok()) return status_;
  if (bytes_.size() > recordLength) {
    return Status(ErrorCode::TooLong, "record of " + std::to_string(bytes_.size()) +
                                          " bytes does not fit a record length of " + std::to_string(recordLength));
  }
  return bytes_;
}

void RecordReader::rawPastEnd(void* p, size_t n) {
  auto* out = static_cast<uint8_t*>(p);
  std::memset(out, 0, n);
  if (pos_ < data_.size()) {
    size_t avail = std::min(n, data_.size() - pos_);
    std::memcpy(out, data_.data() + pos_, avail);
  }
  pos_ += n;
}

uint8_t RecordReader::byte() {
  uint8_t v;
  raw(&v, 1);
  return v;
}
int16_t RecordReader::integer() {
  int16_t v;
  raw(&v, 2);
  return v;
}
int32_t RecordReader::longValue() {
  int32_t v;
  raw(&v, 4);
  return v;
}
float RecordReader::single() {
  float v;
  raw(&v, 4);
  return v;
}
int64_t RecordReader::currency() {
  int64_t v;
  raw(&v, 8);
  return v;
}
OleDate RecordReader::date() {
  OleDate v;
  raw(&v, 8);
  return v;
}

std::string RecordReader::rawString() {
  uint16_t n;
  raw(&n, 2);
  std::string s;
  if (pos_ < data_.size()) {
    size_t avail = std::min<size_t>(n, data_.size() - pos_);
    s.assign(reinterpret_cast<const char*>(data_.data() + pos_), avail);
  }
  pos_ += n;
  return s;
}

std::string RecordReader::string() { return FromGbk(rawString()); }

}  // namespace tarvolen
