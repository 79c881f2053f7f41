#pragma once
// Packing of fixed-length records: members in declaration order, no padding,
// little-endian. Strings are a 16-bit byte count followed by GBK bytes.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "store/OleDate.h"
#include "store/Result.h"

namespace tarvolen {

using Bytes = std::vector<uint8_t>;

// Builds a record's bytes. A text without a GBK form makes the whole record
// fail (see status()); the caller then writes nothing.
class RecordWriter {
 public:
  RecordWriter& byte(uint8_t v);
  RecordWriter& integer(int16_t v);
  RecordWriter& longValue(int32_t v);
  RecordWriter& single(float v);
  RecordWriter& currency(int64_t scaled);  // value x 10000
  RecordWriter& date(OleDate v);
  RecordWriter& string(std::string_view utf8);

  const Status& status() const { return status_; }
  const Bytes& bytes() const { return bytes_; }
  // The packed bytes, or an error when a text failed or the record would not
  // fit its record length.
  Result<Bytes> finish(size_t recordLength) const;

 private:
  void raw(const void* p, size_t n);
  Bytes bytes_;
  Status status_;
};

// Reads members from a record's bytes. Reading past the end yields zeros; a
// string whose count runs past the record is cut at the record's end.
class RecordReader {
 public:
  // The reader keeps a reference to the bytes: they must outlive it, so a
  // temporary buffer is refused at compile time.
  explicit RecordReader(const Bytes& bytes) : data_(bytes) {}
  explicit RecordReader(Bytes&&) = delete;

  uint8_t byte();
  int16_t integer();
  int32_t longValue();
  float single();
  int64_t currency();
  OleDate date();
  std::string string();     // decoded to UTF-8
  std::string rawString();  // GBK bytes as stored

  size_t position() const { return pos_; }

 private:
  // Kept inline: a member wholly inside the record (every member of a
  // record read from its file) is then a fixed-size copy, which matters
  // when a swipe unpacks thousands of year-file records.
  void raw(void* p, size_t n) {
    if (pos_ <= data_.size() && n <= data_.size() - pos_) {
      std::memcpy(p, data_.data() + pos_, n);
      pos_ += n;
    } else {
      rawPastEnd(p, n);
    }
  }
  void rawPastEnd(void* p, size_t n);
  const Bytes& data_;
  size_t pos_ = 0;
};

// Currency helpers: card, ID and telephone numbers are whole numbers held as
// fixed-point values with four decimals.
constexpr int64_t kCurrencyScale = 10000;
// The largest whole number a Currency member can hold (15 digits): the
// limit for card, ID and telephone numbers.
constexpr int64_t kMaxWholeNumber = 922337203685477;

}  // namespace tarvolen
