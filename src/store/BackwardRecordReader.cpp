#include "store/BackwardRecordReader.h"

#include <algorithm>

namespace tarvolen {

BackwardRecordReader::BackwardRecordReader(const RecordFile& file, int64_t last)
    : file_(file), length_(file.recordLength()), next_(length_ > 0 ? last : 0), blockFirst_(last + 1) {}

void BackwardRecordReader::fill(int64_t last) {
  const int64_t perBlock = std::max<int64_t>(1, static_cast<int64_t>(kBlockBytes / length_));
  blockFirst_ = std::max<int64_t>(1, last - perBlock + 1);
  auto block = file_.readBlock(blockFirst_, last - blockFirst_ + 1);
  oneAtATime_ = !block.ok();
  if (block.ok()) {
    block_ = std::move(block.value());
  } else {
    block_.clear();
  }
}

bool BackwardRecordReader::next(Bytes& record, int64_t& number) {
  while (next_ >= 1) {
    const int64_t n = next_--;
    if (n < blockFirst_) fill(n);
    if (oneAtATime_) {
      auto single = file_.read(n);
      if (!single.ok()) {
        ++unreadable_;
        continue;
      }
      record = std::move(single.value());
    } else {
      const auto from = block_.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(n - blockFirst_) * length_);
      record.assign(from, from + static_cast<ptrdiff_t>(length_));
    }
    number = n;
    return true;
  }
  return false;
}

}  // namespace tarvolen
