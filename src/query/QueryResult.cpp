#include "query/QueryResult.h"

#include <sys/mman.h>

#include <cmath>
#include <cstdio>

#include "query/CheckinPairing.h"
#include "session/StudentDetails.h"
#include "store/OleDate.h"

namespace tarvolen::query {

namespace {

// The field a criterion row's column shows, per source and display mode.
Field RowField(Source source, Mode mode, int row) {
  switch (row) {
    case kDate: return source == Source::Checkins && mode == Mode::Combined ? Field::DateSpan : Field::Date;
    case kTime: return Field::Time;
    case kName: return Field::Name;
    case kRoom: return Field::RoomName;
    case kSex: return Field::Sex;
    case kMajor: return Field::Major;
    case kLevel: return Field::Level;
    case kGrade: return Field::Grade;
    case kClass: return Field::Class;
    case kSemesterHours: return Field::SemesterHours;
    case kTotalHours: return Field::TotalHours;
    case kRecharged: return Field::Recharged;
    case kBalance: return Field::Balance;
    case kLost: return Field::Lost;
    case kSuspended: return Field::Suspended;
    case kRoomType: return Field::RoomType;
    case kCapacity: return Field::Capacity;
    case kOpen: return Field::Open;
    case kRow18: return source == Source::Log ? Field::Operation : Field::Minutes;
    case kRow19: return source == Source::Log ? Field::Amount : source == Source::Rooms ? Field::Price : Field::Fee;
    case kOperator: return Field::Operator;
    case kRemark: return Field::Remark;
    case kTelephone: return Field::Telephone;
    case kCheckinCount: return Field::CheckinCount;
    case kMinimumFee: return Field::MinimumFee;
    case kBillingUnit: return Field::BillingUnit;
    case kTolerance: return Field::Tolerance;
    case kHandlingFee: return Field::HandlingFee;
    default: return Field::Number;
  }
}

bool IsSummed(Field f) {
  switch (f) {
    case Field::SemesterHours:
    case Field::TotalHours:
    case Field::Recharged:
    case Field::Balance:
    case Field::Capacity:
    case Field::Fee:
    case Field::CheckinCount:
    case Field::Price:
    case Field::MinimumFee:
    case Field::BillingUnit:
    case Field::Tolerance:
    case Field::HandlingFee:
    case Field::Amount: return true;
    default: return false;
  }
}

bool IsHours(Field f) { return f == Field::SemesterHours || f == Field::TotalHours; }

std::string Fixed(double v, int decimals) { return FormatFixed(v, decimals); }

std::string YesNo(bool v) { return v ? "是" : "否"; }

std::string DayText(int32_t day) { return FormatChineseDate(FromDayNumber(day)); }

}  // namespace

std::string FormatMinutes(int minutes) {
  char buf[32];
  const int m = minutes < 0 ? -minutes : minutes;
  std::snprintf(buf, sizeof buf, "%s%d:%02d", minutes < 0 ? "-" : "", m / 60, m % 60);
  return buf;
}

std::string F3Rctime(int minutes) {
  const long m = minutes < 0 ? -static_cast<long>(minutes) : minutes;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%ld时%02ld分", m / 60, m % 60);
  return (minutes < 0 ? std::string("负") : std::string()) + buf;
}

std::vector<Column> ColumnsFor(Source source, Mode mode, const std::array<std::string, kRows>& titles) {
  std::vector<Column> cols;
  cols.push_back({"序号", Field::Number});
  const std::string_view codes = RowCodes(source, mode);
  for (int j = 0; j < kRows; ++j) {
    if (RowDigit(codes, j) <= 0) continue;
    Column c{titles[static_cast<size_t>(j)], RowField(source, mode, j)};
    if (source == Source::Log && j == kRow19) c.title = kLogAmountTitle;
    cols.push_back(std::move(c));
  }
  if (source == Source::Checkins && mode == Mode::All) cols.push_back({kKindColumn, Field::Kind});
  if (source == Source::Checkins && mode == Mode::Combined) {
    cols.push_back({kCheckoutOperatorColumn, Field::CheckoutOperator});
  }
  if (source != Source::Rooms) {
    cols.push_back({kCardColumn, Field::Card});
    cols.push_back({kIdColumn, Field::Id});
  }
  return cols;
}

QueryResult::QueryResult(Source source, Mode mode, std::vector<Column> columns, ResultContext context)
    : source_(source),
      mode_(mode),
      columns_(std::move(columns)),
      context_(std::move(context)),
      sums_(columns_.size(), 0.0),
      summed_(columns_.size(), false) {
  for (size_t c = 0; c < columns_.size(); ++c) {
    summed_[c] = IsSummed(columns_[c].field);
    if (summed_[c]) summedColumns_.push_back(c);
  }
  if (context_.students) perStudent_.assign(context_.students->size(), 0);
  if (context_.rooms) perRoom_.assign(context_.rooms->size(), 0);
}

HitBatch QueryResult::MakeBatch() const {
  HitBatch batch;
  batch.perStudent.assign(perStudent_.size(), 0);
  batch.perRoom.assign(perRoom_.size(), 0);
  return batch;
}

void QueryResult::Append(HitBatch&& batch) {
  hits_.insert(hits_.end(), batch.hits.begin(), batch.hits.end());
  feeSum_ += batch.feeSum;
  if (batch.perStudent.size() > perStudent_.size()) perStudent_.resize(batch.perStudent.size(), 0);
  for (size_t s = 0; s < batch.perStudent.size(); ++s) perStudent_[s] += batch.perStudent[s];
  const size_t rooms = std::min(batch.perRoom.size(), perRoom_.size());
  for (size_t r = 0; r < rooms; ++r) perRoom_[r] += batch.perRoom[r];
}

void QueryResult::Reserve(size_t n) {
  hits_.reserve(n);
  // A large result is written once front to back: in huge pages the kernel
  // maps it in 2 MiB steps instead of one fault per 4 KiB page. Only a hint;
  // where it is not taken nothing changes.
  constexpr uintptr_t kHuge = uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<uintptr_t>(hits_.data());
  const uintptr_t end = begin + hits_.capacity() * sizeof(Hit);
  const uintptr_t first = (begin + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t last = end & ~(kHuge - 1);
  if (last > first) (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

void QueryResult::AddLogDetails(int64_t amountScaled, std::string remark) {
  amounts_.push_back(amountScaled);
  remarks_.push_back(std::move(remark));
  amountSum_ += static_cast<double>(amountScaled) / 10000.0;
}

void QueryResult::Finish() {
  for (size_t c : summedColumns_) {
    const Field f = columns_[c].field;
    double sum = 0;
    if (f == Field::Fee) {
      sum = feeSum_;
    } else if (f == Field::Amount) {
      sum = amountSum_;
    } else {
      // One hit standing for each slot: its value times the slot's records.
      Hit probe;
      for (size_t s = 0; s < perStudent_.size(); ++s) {
        if (perStudent_[s] == 0) continue;
        probe.student = static_cast<int16_t>(s);
        double v = 0;
        if (Value(probe, 0, f, v)) sum += v * static_cast<double>(perStudent_[s]);
      }
      probe = Hit{};
      for (size_t r = 0; r < perRoom_.size(); ++r) {
        if (perRoom_[r] == 0) continue;
        probe.room = static_cast<int16_t>(r);
        double v = 0;
        if (Value(probe, 0, f, v)) sum += v * static_cast<double>(perRoom_[r]);
      }
    }
    sums_[c] = sum;
  }
}

std::string QueryResult::heading(int column) const {
  if (column < 0 || column >= columnCount()) return {};
  return columns_[static_cast<size_t>(column)].title;
}

const StudentRecord* QueryResult::StudentOf(const Hit& h) const {
  if (!context_.students) return nullptr;
  // The log shows a student only when the record names one.
  if (source_ == Source::Log && h.student <= 0) return nullptr;
  if (h.student < 0 || static_cast<size_t>(h.student) >= context_.students->size()) return nullptr;
  return &(*context_.students)[static_cast<size_t>(h.student)];
}

const RoomRecord* QueryResult::RoomOf(const Hit& h) const {
  if (!context_.rooms) return nullptr;
  if (h.room < 0 || static_cast<size_t>(h.room) >= context_.rooms->size()) return nullptr;
  return &(*context_.rooms)[static_cast<size_t>(h.room)];
}

bool QueryResult::HasRoomDetails(const Hit& h) const { return source_ != Source::Log || h.room > 0; }

bool QueryResult::Value(const Hit& h, size_t item, Field field, double& out) const {
  const StudentRecord* s = nullptr;
  const RoomRecord* r = nullptr;
  switch (field) {
    case Field::SemesterHours:
    case Field::TotalHours:
    case Field::Recharged:
    case Field::Balance:
    case Field::CheckinCount:
      s = StudentOf(h);
      if (s == nullptr) return false;
      break;
    case Field::Capacity:
    case Field::Price:
    case Field::MinimumFee:
    case Field::BillingUnit:
    case Field::Tolerance:
    case Field::HandlingFee:
      r = RoomOf(h);
      if (r == nullptr || !HasRoomDetails(h)) return false;
      break;
    default: break;
  }
  switch (field) {
    case Field::SemesterHours: out = s->semesterMinutes; return true;  // minutes; shown as hours
    case Field::TotalHours: out = s->totalMinutes; return true;
    case Field::Recharged: out = s->totalRecharged; return true;
    case Field::Balance: out = s->balance; return true;
    case Field::CheckinCount: out = s->checkinCount; return true;
    case Field::Capacity: out = r->capacity; return true;
    case Field::Price: out = r->price; return true;
    case Field::MinimumFee: out = r->minimumFee; return true;
    case Field::BillingUnit: out = r->billingUnit; return true;
    case Field::Tolerance: out = r->tolerance; return true;
    case Field::HandlingFee: out = r->handlingFee; return true;
    case Field::Fee: out = h.fee; return true;
    case Field::Minutes: {
      const CheckinSide in = CheckinOf(h, item);
      out = MinutesBetween(in.day, in.time, h.day, h.time);
      return true;
    }
    case Field::Amount:
      if (item >= amounts_.size()) return false;
      out = static_cast<double>(amounts_[item]) / 10000.0;
      return true;
    case Field::Date: out = static_cast<double>(h.day) * 1440 + h.time; return true;
    case Field::Time: out = h.time; return true;
    case Field::DateSpan: {
      const CheckinSide in = CheckinOf(h, item);
      out = static_cast<double>(in.day) * 1440 + in.time;
      return true;
    }
    default: return false;
  }
}

std::string QueryResult::Cell(const Hit& h, size_t item, Field field) const {
  const CategoryLists& lists = context_.categories;
  switch (field) {
    case Field::Number: return {};
    case Field::Date: return DayText(h.day);
    case Field::DateSpan:
      if (CheckinOf(h, item).day != h.day) return DayText(CheckinOf(h, item).day) + "至" + DayText(h.day);
      return DayText(h.day);
    case Field::Time: return FormatMinutes(CheckinOf(h, item).time);
    case Field::Minutes: {
      const CheckinSide in = CheckinOf(h, item);
      return F3Rctime(MinutesBetween(in.day, in.time, h.day, h.time));
    }
    case Field::Fee: return Fixed(h.fee, 2);
    case Field::Operator: {
      const int id = CheckinOf(h, item).operatorId;
      return id < 7 ? context_.identities[static_cast<size_t>(id)] : std::string();
    }
    case Field::CheckoutOperator: return h.operatorId < 7 ? context_.identities[h.operatorId] : std::string();
    case Field::Kind: return context_.operationNames.name(h.kind + 10);
    case Field::Operation: return context_.operationNames.name(h.kind);
    case Field::Amount: return item < amounts_.size() ? Fixed(static_cast<double>(amounts_[item]) / 10000.0, 2) : "";
    case Field::Remark: return item < remarks_.size() ? remarks_[item] : std::string();
    default: break;
  }
  if (field == Field::RoomName || field == Field::RoomType || field == Field::Capacity || field == Field::Open ||
      field == Field::Price || field == Field::MinimumFee || field == Field::BillingUnit || field == Field::Tolerance ||
      field == Field::HandlingFee) {
    const RoomRecord* r = RoomOf(h);
    if (r == nullptr) return {};
    if (field == Field::RoomName) return r->name;
    if (!HasRoomDetails(h)) return {};
    switch (field) {
      case Field::RoomType: return lists.majorName(r->type);
      case Field::Capacity: return std::to_string(r->capacity);
      case Field::Open: return YesNo(r->isOpen());
      case Field::Price: return Fixed(r->price, 2);
      case Field::MinimumFee: return Fixed(r->minimumFee, 2);
      case Field::BillingUnit: return std::to_string(r->billingUnit);
      case Field::Tolerance: return std::to_string(r->tolerance);
      case Field::HandlingFee: return Fixed(r->handlingFee, 2);
      default: return {};
    }
  }
  const StudentRecord* s = StudentOf(h);
  if (s == nullptr) return {};
  switch (field) {
    case Field::Name: return s->name;
    case Field::Sex: return s->sex == 1 ? "女" : "男";
    case Field::Major: return lists.majorName(s->major);
    case Field::Level: return lists.levelName(s->level);
    case Field::Grade:
      return EnrolmentYearLabel(s->enrolled) + "|" +
             lists.gradeName(NianNJi(s->enrolled, context_.today, context_.dividers));
    case Field::Class: return lists.className(s->classIndex);
    case Field::SemesterHours: return Fixed(s->semesterMinutes / 60.0, 1);
    case Field::TotalHours: return Fixed(s->totalMinutes / 60.0, 1);
    case Field::Recharged: return Fixed(s->totalRecharged, 2);
    case Field::Balance: return Fixed(s->balance, 2);
    case Field::Lost: return YesNo(s->isLost());
    case Field::Suspended: return YesNo(s->isSuspended());
    case Field::Telephone: return std::to_string(s->telephone);
    case Field::CheckinCount: return std::to_string(s->checkinCount);
    case Field::Card: return StrKh(s->card, context_.cardDigits);
    case Field::Id: return StrZh(s->idNumber, context_.idDigits);
    default: return {};
  }
}

std::string QueryResult::cellText(int item, int column) const {
  if (item < 0 || item >= itemCount() || column < 0 || column >= columnCount()) return {};
  return Cell(hits_[static_cast<size_t>(item)], static_cast<size_t>(item), columns_[static_cast<size_t>(column)].field);
}

bool QueryResult::isNumeric(int column) const {
  if (column < 0 || column >= columnCount()) return false;
  const Field f = columns_[static_cast<size_t>(column)].field;
  return f == Field::Number || IsSummed(f) || f == Field::Minutes;
}

bool QueryResult::sortsByTime(int column) const {
  if (column < 0 || column >= columnCount()) return false;
  const Field f = columns_[static_cast<size_t>(column)].field;
  return f == Field::Date || f == Field::Time || f == Field::DateSpan;
}

ListKeys QueryResult::sortKeys(int column) const {
  const size_t n = hits_.size();
  if (column < 0 || column >= columnCount()) return std::vector<int64_t>(n, 0);
  const Field f = columns_[static_cast<size_t>(column)].field;
  if (f == Field::Number) {
    // The running numbers follow the order on screen: sorting by them keeps it.
    return std::vector<int64_t>(n, 0);
  }
  if (isNumeric(column) || sortsByTime(column)) {
    std::vector<int64_t> keys(n);
    for (size_t i = 0; i < n; ++i) {
      double v = 0;
      // An empty cell sorts before every number.
      keys[i] = Value(hits_[i], i, f, v) ? std::llround(v * 10000.0) : INT64_MIN;
    }
    return keys;
  }
  std::vector<std::string> keys(n);
  for (size_t i = 0; i < n; ++i) keys[i] = Cell(hits_[i], i, f);
  return keys;
}

std::string QueryResult::averageCell(int column) const {
  if (column == 0) return "平均";
  if (column < 0 || column >= columnCount() || hits_.size() < 2 || !summed_[static_cast<size_t>(column)]) return {};
  const Field f = columns_[static_cast<size_t>(column)].field;
  const double n = static_cast<double>(hits_.size());
  const double sum = sums_[static_cast<size_t>(column)];
  return IsHours(f) ? Fixed(sum / 60.0 / n, 1) : Fixed(sum / n, 2);
}

std::string QueryResult::totalCell(int column) const {
  if (column == 0) return "合计";
  if (column < 0 || column >= columnCount() || hits_.size() < 2 || !summed_[static_cast<size_t>(column)]) return {};
  const Field f = columns_[static_cast<size_t>(column)].field;
  const double sum = sums_[static_cast<size_t>(column)];
  return IsHours(f) ? Fixed(sum / 60.0, 1) : Fixed(sum, 2);
}

}  // namespace tarvolen::query
