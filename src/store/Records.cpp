#include "store/Records.h"

#include <algorithm>
#include <cmath>

namespace tarvolen {

int64_t CurrencyFromWhole(int64_t whole) {
  if (whole > kMaxWholeNumber) whole = kMaxWholeNumber;
  if (whole < -kMaxWholeNumber) whole = -kMaxWholeNumber;
  return whole * kCurrencyScale;
}

int64_t WholeFromCurrency(int64_t scaled) {
  int64_t q = scaled / kCurrencyScale;
  int64_t r = scaled % kCurrencyScale;
  if (r >= kCurrencyScale / 2) ++q;
  if (r <= -kCurrencyScale / 2) --q;
  // The extreme raw values round one past the 15-digit range; keep every
  // loaded number one that the record can be written back with.
  return std::clamp(q, -kMaxWholeNumber, kMaxWholeNumber);
}

namespace {
bool FitsWholeNumber(int64_t v) { return v >= -kMaxWholeNumber && v <= kMaxWholeNumber; }
}  // namespace

Result<Bytes> Pack(const StudentRecord& r) {
  // A card, ID or telephone number beyond 15 digits is never stored, not
  // even cut to the largest value: that would be a different number.
  if (!FitsWholeNumber(r.card) || !FitsWholeNumber(r.idNumber) || !FitsWholeNumber(r.telephone)) {
    return Status(ErrorCode::TooLong, "number longer than 15 digits");
  }
  RecordWriter w;
  w.currency(CurrencyFromWhole(r.card)).currency(CurrencyFromWhole(r.idNumber)).string(r.name);
  w.byte(r.sex).byte(r.major).byte(r.level).date(r.enrolled).byte(r.classIndex);
  w.single(r.totalRecharged).longValue(r.semesterMinutes).longValue(r.totalMinutes);
  w.single(r.balance).integer(r.status).longValue(r.checkinCount);
  w.currency(CurrencyFromWhole(r.telephone));
  for (int16_t room : r.dedicatedRooms) w.integer(room);
  return w.finish(kStudentRecordLength);
}

StudentRecord UnpackStudent(const Bytes& b) {
  RecordReader rd(b);
  StudentRecord r;
  r.card = WholeFromCurrency(rd.currency());
  r.idNumber = WholeFromCurrency(rd.currency());
  r.name = rd.string();
  r.sex = rd.byte();
  r.major = rd.byte();
  r.level = rd.byte();
  r.enrolled = rd.date();
  r.classIndex = rd.byte();
  r.totalRecharged = rd.single();
  r.semesterMinutes = rd.longValue();
  r.totalMinutes = rd.longValue();
  r.balance = rd.single();
  r.status = rd.integer();
  r.checkinCount = rd.longValue();
  r.telephone = WholeFromCurrency(rd.currency());
  for (auto& room : r.dedicatedRooms) room = rd.integer();
  return r;
}

Result<Bytes> Pack(const RoomRecord& r) {
  RecordWriter w;
  w.string(r.name).byte(r.type).integer(r.timeLimitCode).integer(r.serviceStatus);
  w.single(r.price).byte(r.capacity).single(r.minimumFee).single(r.handlingFee);
  w.integer(r.billingUnit).integer(r.tolerance);
  return w.finish(kRoomRecordLength);
}

RoomRecord UnpackRoom(const Bytes& b) {
  RecordReader rd(b);
  RoomRecord r;
  r.name = rd.string();
  r.type = rd.byte();
  r.timeLimitCode = rd.integer();
  r.serviceStatus = rd.integer();
  r.price = rd.single();
  r.capacity = rd.byte();
  r.minimumFee = rd.single();
  r.handlingFee = rd.single();
  r.billingUnit = rd.integer();
  r.tolerance = rd.integer();
  return r;
}

Result<Bytes> Pack(const LevelRecord& r) {
  RecordWriter w;
  w.string(r.name).byte(r.percentage).longValue(r.threshold);
  return w.finish(kCategoryRecordLength);
}

LevelRecord UnpackLevel(const Bytes& b) {
  RecordReader rd(b);
  LevelRecord r;
  r.name = rd.string();
  r.percentage = rd.byte();
  r.threshold = rd.longValue();
  return r;
}

Result<Bytes> Pack(const SessionRecord& r) {
  RecordWriter w;
  w.integer(r.room).integer(r.student).integer(r.startMinute).date(r.startDate);
  return w.finish(kSessionRecordLength);
}

SessionRecord UnpackSession(const Bytes& b) {
  RecordReader rd(b);
  SessionRecord r;
  r.room = rd.integer();
  r.student = rd.integer();
  r.startMinute = rd.integer();
  r.startDate = rd.date();
  return r;
}

Result<Bytes> Pack(const CheckinRecord& r) {
  RecordWriter w;
  w.integer(r.room).integer(r.student).integer(r.time).date(r.date);
  w.byte(r.operatorId).byte(r.kind).single(r.fee).date(r.keyDate);
  return w.finish(kCheckinRecordLength);
}

CheckinRecord UnpackCheckin(const Bytes& b) {
  RecordReader rd(b);
  CheckinRecord r;
  r.room = rd.integer();
  r.student = rd.integer();
  r.time = rd.integer();
  r.date = rd.date();
  r.operatorId = rd.byte();
  r.kind = rd.byte();
  r.fee = rd.single();
  r.keyDate = rd.date();
  return r;
}

bool HoldsWholeYearRecord(const Bytes& start, size_t recordLength) {
  // The members are stepped over as the unpacking reads them; a reader past
  // the bytes present means a member is missing.
  RecordReader rd(start);
  if (recordLength == kCheckinRecordLength) {
    // room, student, time, date, operator, kind, fee, key date
    for (int i = 0; i < 3; ++i) (void)rd.integer();
    (void)rd.date();
    (void)rd.byte();
    (void)rd.byte();
    (void)rd.single();
    (void)rd.date();
  } else if (recordLength == kLogRecordLength) {
    // operation, operator, date, time, student, amount, room, remark, key date
    (void)rd.byte();
    (void)rd.byte();
    (void)rd.date();
    (void)rd.integer();
    (void)rd.integer();
    (void)rd.currency();
    (void)rd.integer();
    (void)rd.rawString();
    (void)rd.date();
  } else {
    return false;
  }
  return rd.position() <= start.size();
}

Result<Bytes> Pack(const LogRecord& r) {
  RecordWriter w;
  w.byte(r.operation).byte(r.operatorId).date(r.date).integer(r.time).integer(r.student);
  w.currency(r.amountScaled).integer(r.room).string(r.remark).date(r.keyDate);
  return w.finish(kLogRecordLength);
}

LogRecord UnpackLog(const Bytes& b) {
  RecordReader rd(b);
  LogRecord r;
  r.operation = rd.byte();
  r.operatorId = rd.byte();
  r.date = rd.date();
  r.time = rd.integer();
  r.student = rd.integer();
  r.amountScaled = rd.currency();
  r.room = rd.integer();
  r.remark = rd.string();
  r.keyDate = rd.date();
  return r;
}

Result<Bytes> Pack(const SuspensionRecord& r) {
  RecordWriter w;
  w.integer(r.student).date(r.keyDate).date(r.endDate).integer(r.kind);
  return w.finish(kSuspensionRecordLength);
}

SuspensionRecord UnpackSuspension(const Bytes& b) {
  RecordReader rd(b);
  SuspensionRecord r;
  r.student = rd.integer();
  r.keyDate = rd.date();
  r.endDate = rd.date();
  r.kind = rd.integer();
  return r;
}

Result<Bytes> PackString(std::string_view text, size_t recordLength) {
  RecordWriter w;
  w.string(text);
  return w.finish(recordLength);
}

std::string UnpackString(const Bytes& b) {
  RecordReader rd(b);
  return rd.string();
}

bool HasValidStart(const SessionRecord& session) {
  static const int32_t first = DayNumber({1900, 1, 1});
  static const int32_t last = DayNumber({9999, 12, 31});
  const double day = std::trunc(session.startDate);
  return std::isfinite(day) && day >= first && day <= last && session.startMinute >= 0 && session.startMinute < 1440;
}

}  // namespace tarvolen
