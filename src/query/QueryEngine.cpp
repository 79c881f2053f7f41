#include "query/QueryEngine.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <system_error>
#include <thread>

#include "query/CheckinPairing.h"
#include "query/RecordBlocks.h"
#include "query/Wildcard.h"
#include "store/Gbk.h"
#include "store/OleDate.h"
#include "store/Records.h"

namespace tarvolen::query {

namespace {

// A range of whole numbers, both ends included.
struct Range {
  int64_t from = 0;
  int64_t to = 0;
  bool holds(int64_t v) const { return from <= v && v <= to; }
};

// Index i is in a set when bit i is. An index past its list (a damaged
// record) is in no set.
bool InSet(uint32_t set, int index, int listSize) {
  return index >= 0 && index < listSize && index < 32 && ((set >> index) & 1u) != 0;
}
constexpr int kNameList = CategoryLists::kNames;  // majors, classes, room types: 0..30
constexpr int kLevelList = CategoryLists::kLevels;
constexpr int kGradeList = CategoryLists::kGradeSlots;
constexpr int kIdentityList = 7;
constexpr int kOperationList = OperationNames::kNames;  // codes 1..20 as bits 0..19

// The criterion values turned into what the tests compare with.
struct Criteria {
  const QueryRequest& rq;
  explicit Criteria(const QueryRequest& request) : rq(request) {}

  bool on(int row) const { return rq.row(row).ticked; }
  const CriterionValue& v(int row) const { return rq.row(row); }
  Range whole(int row) const {
    return {std::llround(CaptionNumber(v(row).from)), std::llround(CaptionNumber(v(row).to))};
  }
  // Rows 9 and 10 show hours; the records hold minutes.
  Range hoursAsMinutes(int row) const {
    return {std::llround(CaptionNumber(v(row).from) * 60), std::llround(CaptionNumber(v(row).to) * 60)};
  }
  Range money(int row) const {
    return {ScaledMoney(CaptionNumber(v(row).from)), ScaledMoney(CaptionNumber(v(row).to))};
  }
  Range days() const { return {CaptionDay(v(kDate).from), CaptionDay(v(kDate).to)}; }
  Range minutesOfDay() const { return {CaptionMinutes(v(kTime).from), CaptionMinutes(v(kTime).to)}; }
  bool pattern(int row, std::string_view text) const { return MatchesPattern(text, v(row).from, v(row).match); }
  static int64_t CaptionMinutes(const std::string& hhmm) {
    // The first two characters are the hour, characters 4 and 5 the minute.
    auto part = [&](size_t at) { return at < hhmm.size() ? CaptionNumber(hhmm.substr(at, 2)) : 0.0; };
    return std::llround(part(0)) * 60 + std::llround(part(3));
  }
};

bool MoneyIn(const Range& r, double yuan) { return r.holds(ScaledMoney(yuan)); }

// Rows of a student: 2, 4, 5, 6, 8, 9..14; for the student source also 7
// (from the enrolment date), 22 and 23.
bool StudentPasses(const StudentRecord& s, const Criteria& c, bool studentSource, const QueryContext& ctx) {
  if (c.on(kName) && !c.pattern(kName, s.name)) return false;
  if (c.on(kSex) && s.sex != (c.v(kSex).from == "女" ? 1 : 0)) return false;
  if (c.on(kMajor) && !InSet(c.v(kMajor).fromSet, s.major, kNameList)) return false;
  if (c.on(kLevel) && !InSet(c.v(kLevel).fromSet, s.level, kLevelList)) return false;
  if (studentSource && c.on(kGrade) &&
      !InSet(c.v(kGrade).fromSet, NianNJi(s.enrolled, ctx.today, ctx.dividers), kGradeList)) {
    return false;
  }
  if (c.on(kClass) && !InSet(c.v(kClass).fromSet, s.classIndex, kNameList)) return false;
  if (c.on(kSemesterHours) && !c.hoursAsMinutes(kSemesterHours).holds(s.semesterMinutes)) return false;
  if (c.on(kTotalHours) && !c.hoursAsMinutes(kTotalHours).holds(s.totalMinutes)) return false;
  if (c.on(kRecharged) && !MoneyIn(c.money(kRecharged), s.totalRecharged)) return false;
  if (c.on(kBalance) && !MoneyIn(c.money(kBalance), s.balance)) return false;
  if (c.on(kLost) && (s.status & 1) != (c.v(kLost).from == "是" ? 1 : 0)) return false;
  if (c.on(kSuspended) && (s.status & 2) != (c.v(kSuspended).from == "是" ? 2 : 0)) return false;
  if (studentSource) {
    if (c.on(kTelephone) && !c.pattern(kTelephone, std::to_string(s.telephone))) return false;
    if (c.on(kCheckinCount) && !c.whole(kCheckinCount).holds(s.checkinCount)) return false;
  }
  return true;
}

// Rows of a room: 3, 15, 16, 17; for the room source also 19 and 25..28.
bool RoomPasses(const RoomRecord& r, const Criteria& c, bool roomSource) {
  if (c.on(kRoom) && !c.pattern(kRoom, r.name)) return false;
  if (c.on(kRoomType) && !InSet(c.v(kRoomType).fromSet, r.type, kNameList)) return false;
  if (c.on(kCapacity) && !c.whole(kCapacity).holds(r.capacity)) return false;
  if (c.on(kOpen) && (r.serviceStatus & 1) != (c.v(kOpen).from == "否" ? 1 : 0)) return false;
  if (roomSource) {
    if (c.on(kRow19) && !MoneyIn(c.money(kRow19), r.price)) return false;
    if (c.on(kMinimumFee) && !MoneyIn(c.money(kMinimumFee), r.minimumFee)) return false;
    if (c.on(kBillingUnit) && !c.whole(kBillingUnit).holds(r.billingUnit)) return false;
    if (c.on(kTolerance) && !c.whole(kTolerance).holds(r.tolerance)) return false;
    if (c.on(kHandlingFee) && !MoneyIn(c.money(kHandlingFee), r.handlingFee)) return false;
  }
  return true;
}

// The student and room rows do not depend on the record, only on the slot:
// they are decided once per slot before the scan. Slots outside the tables
// pass nothing.
struct SlotFilter {
  bool studentRows = false;       // a student row is ticked
  bool roomRows = false;          // a room row is ticked
  std::vector<uint8_t> students;  // 1: passes, by slot 0..5000
  std::vector<uint8_t> rooms;     // by slot 0..999
  bool studentOk(int slot) const {
    return !studentRows || (slot >= 0 && static_cast<size_t>(slot) < students.size() && students[slot]);
  }
  bool roomOk(int slot) const {
    return !roomRows || (slot >= 0 && static_cast<size_t>(slot) < rooms.size() && rooms[slot]);
  }
};

SlotFilter MakeSlotFilter(const Criteria& c, const QueryContext& ctx) {
  SlotFilter f;
  for (int row :
       {kName, kSex, kMajor, kLevel, kClass, kSemesterHours, kTotalHours, kRecharged, kBalance, kLost, kSuspended}) {
    f.studentRows = f.studentRows || c.on(row);
  }
  for (int row : {kRoom, kRoomType, kCapacity, kOpen}) f.roomRows = f.roomRows || c.on(row);
  f.students.resize(StudentTable::kLastSlot + 1);
  for (int s = 0; s <= StudentTable::kLastSlot; ++s) {
    f.students[static_cast<size_t>(s)] = StudentPasses(ctx.students[s], c, false, ctx) ? 1 : 0;
  }
  f.rooms.resize(RoomTable::kLastSlot + 1);
  for (int r = 0; r <= RoomTable::kLastSlot; ++r) {
    f.rooms[static_cast<size_t>(r)] = RoomPasses(ctx.rooms[r], c, false) ? 1 : 0;
  }
  return f;
}

template <class T>
T Load(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// The day of a stored date. Dates of the years 1900..9999 (every date the
// desk writes) are their whole part; anything else goes the careful way.
int32_t DayOf(const uint8_t* p) {
  const double v = Load<double>(p);
  if (v >= 0 && v < 2958466.0) return static_cast<int32_t>(v);
  return DayNumberOf(v);
}

ResultContext MakeResultContext(const QueryContext& ctx) {
  ResultContext rc;
  auto students = std::make_shared<std::vector<StudentRecord>>(StudentTable::kLastSlot + 1);
  for (int s = 0; s <= StudentTable::kLastSlot; ++s) (*students)[static_cast<size_t>(s)] = ctx.students[s];
  rc.students = std::move(students);
  auto rooms = std::make_shared<std::vector<RoomRecord>>(RoomTable::kLastSlot + 1);
  for (int r = 0; r <= RoomTable::kLastSlot; ++r) (*rooms)[static_cast<size_t>(r)] = ctx.rooms[r];
  rc.rooms = std::move(rooms);
  rc.categories = ctx.categories;
  rc.operationNames = ctx.operationNames;
  rc.identities = ctx.identities;
  rc.cardDigits = ctx.cardDigits;
  rc.idDigits = ctx.idDigits;
  rc.dividers = ctx.dividers;
  rc.today = ctx.today;
  return rc;
}

// The years of the range: the first four characters of the date row's
// values, whether the row is ticked or not.
struct Years {
  int first = 0;
  int last = -1;
};
Years YearsOf(const QueryRequest& rq) {
  Years y{CaptionYear(rq.row(kDate).from), CaptionYear(rq.row(kDate).to)};
  y.first = std::max(y.first, 1);
  y.last = std::min(y.last, 9999);
  return y;
}

// Room for every record of the range's files, so the hits never move while
// they grow (the space is only reserved: pages untouched cost nothing).
void ReserveFor(QueryResult& result, const Years& years, const std::function<std::filesystem::path(int)>& path,
                size_t recordLength) {
  size_t records = 0;
  for (int year = years.first; year <= years.last; ++year) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path(year), ec);
    if (!ec) records += static_cast<size_t>(size) / recordLength;
  }
  result.Reserve(records);
}

void NoteFault(QueryOutcome& out, const RecordBlocks& blocks) {
  if (!blocks.status().ok() && out.readFault.empty()) out.readFault = blocks.status().detail();
}

// Check-in records, offsets of their members.
namespace ci {
constexpr size_t kRoom = 0, kStudent = 2, kTime = 4, kDate = 6, kOperator = 14, kKind = 15, kFee = 16, kKeyDate = 20;
}

// A stretch of one year file: records first .. first + count - 1.
struct FilePart {
  std::filesystem::path path;
  size_t first = 0;
  size_t count = 0;
};

// The year files of the range as parts, split in two halves of about equal
// record counts when there are enough records for a second thread to pay.
// A missing file has no records and no part.
constexpr size_t kRecordsForTwoThreads = size_t{1} << 18;
struct ScanPlan {
  std::array<std::vector<FilePart>, 2> halves;
  size_t records = 0;
};
ScanPlan PlanScan(const Years& years, const std::function<std::filesystem::path(int)>& path, size_t recordLength) {
  ScanPlan plan;
  std::vector<FilePart> files;
  for (int year = years.first; year <= years.last; ++year) {
    std::error_code ec;
    auto file = path(year);
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) continue;
    const size_t n = static_cast<size_t>(size) / recordLength;
    files.push_back({std::move(file), 0, n});
    plan.records += n;
  }
  if (plan.records < kRecordsForTwoThreads) {
    plan.halves[0] = std::move(files);
    return plan;
  }
  size_t firstHalf = plan.records / 2;
  for (FilePart& f : files) {
    if (firstHalf >= f.count) {
      firstHalf -= f.count;
      plan.halves[0].push_back(f);
    } else if (firstHalf == 0) {
      plan.halves[1].push_back(f);
    } else {
      plan.halves[0].push_back({f.path, 0, firstHalf});
      plan.halves[1].push_back({f.path, firstHalf, f.count - firstHalf});
      firstHalf = 0;
    }
  }
  return plan;
}

// Feeds every record of the parts to `record`; the first read fault, if any.
template <typename OnRecord>
std::string ReadParts(const std::vector<FilePart>& parts, size_t recordLength, OnRecord&& record) {
  std::string fault;
  for (const FilePart& part : parts) {
    RecordBlocks blocks(part.path, recordLength, part.first, part.count);
    for (auto block = blocks.next(); !block.empty(); block = blocks.next()) {
      const uint8_t* end = block.data() + block.size();
      for (const uint8_t* p = block.data(); p < end; p += recordLength) record(p);
    }
    if (!blocks.status().ok() && fault.empty()) fault = blocks.status().detail();
  }
  return fault;
}

// Runs `first` here and `second` on a thread of its own, both to their end.
// Where no thread can be started the second runs here after the first.
template <typename First, typename Second>
void RunSideBySide(First&& first, Second&& second) {
  std::thread worker;
  try {
    worker = std::thread(second);
  } catch (const std::system_error&) {
    first();
    second();
    return;
  }
  first();
  worker.join();
}

void ScanCheckins(const QueryRequest& rq, const QueryContext& ctx, QueryOutcome& out) {
  const Criteria c(rq);
  const SlotFilter slots = MakeSlotFilter(c, ctx);
  const Range days = c.days();
  const Range minutes = c.minutesOfDay();
  const Range fee = c.money(kRow19);
  const uint32_t operators = c.v(kOperator).fromSet;
  const bool date = c.on(kDate), time = c.on(kTime), grade = c.on(kGrade), byFee = c.on(kRow19),
             byOperator = c.on(kOperator);
  // The test of one record; true with `h` filled when it is kept.
  auto keep = [&](const uint8_t* p, Hit& h) {
    const uint8_t kind = p[ci::kKind];
    if (rq.mode == Mode::CheckinsOnly && kind == 1) return false;
    if (rq.mode == Mode::CheckoutsOnly && kind == 0) return false;
    const int16_t room = Load<int16_t>(p + ci::kRoom);
    if (!slots.roomOk(room)) return false;
    const int32_t day = DayOf(p + ci::kDate);
    if (date && !days.holds(day)) return false;
    const int16_t t = Load<int16_t>(p + ci::kTime);
    if (time && !minutes.holds(t)) return false;
    if (grade &&
        !InSet(c.v(kGrade).fromSet, NianNJi(Load<double>(p + ci::kKeyDate), ctx.today, ctx.dividers), kGradeList)) {
      return false;
    }
    const float f = Load<float>(p + ci::kFee);
    if (byFee && !MoneyIn(fee, f)) return false;
    const uint8_t op = p[ci::kOperator];
    if (byOperator && !InSet(operators, op, kIdentityList)) return false;
    const int16_t student = Load<int16_t>(p + ci::kStudent);
    if (!slots.studentOk(student)) return false;
    h = Hit{day, f, t, student, room, op, kind};
    return true;
  };
  const ScanPlan plan = PlanScan(
      YearsOf(rq), [&](int y) { return ctx.folder.checkinYear(y); }, kCheckinRecordLength);
  QueryResult& result = *out.result;
  // Room for every record, so the hits never move while they grow (only
  // reserved: pages never written cost nothing).
  result.Reserve(plan.records);
  std::string faults[2];
  auto firstHalf = [&] {
    faults[0] = ReadParts(plan.halves[0], kCheckinRecordLength, [&](const uint8_t* p) {
      Hit h;
      if (keep(p, h)) result.Add(h);
    });
  };
  if (plan.halves[1].empty()) {
    firstHalf();
  } else {
    // The second half of the files is read and tested on a second thread
    // into a batch of its own, added behind the first half's hits: the
    // result lists the records in file order either way.
    HitBatch batch = result.MakeBatch();
    size_t secondRecords = 0;
    for (const FilePart& f : plan.halves[1]) secondRecords += f.count;
    batch.hits.reserve(secondRecords);
    const Source source = result.source();
    RunSideBySide(firstHalf, [&] {
      faults[1] = ReadParts(plan.halves[1], kCheckinRecordLength, [&](const uint8_t* p) {
        Hit h;
        if (keep(p, h)) QueryResult::AddTo(batch, source, h);
      });
    });
    result.Append(std::move(batch));
  }
  for (const std::string& fault : faults) {
    if (!fault.empty() && out.readFault.empty()) out.readFault = fault;
  }
}

void ScanCombined(const QueryRequest& rq, const QueryContext& ctx, QueryOutcome& out) {
  const Criteria c(rq);
  const SlotFilter slots = MakeSlotFilter(c, ctx);
  const Range days = c.days();
  const Range minutes = c.minutesOfDay();
  const Range fee = c.money(kRow19);
  const int64_t unit = rq.minutesPerUnit;
  const Range used{std::llround(CaptionNumber(c.v(kRow18).from) * static_cast<double>(unit)),
                   std::llround(CaptionNumber(c.v(kRow18).to) * static_cast<double>(unit))};
  const bool checkoutSide = !rq.ignoreCheckoutTime;
  const Years years = YearsOf(rq);
  CheckinPairing pending;
  QueryResult& result = *out.result;
  for (int year = years.first; year <= years.last; ++year) {
    RecordBlocks blocks(ctx.folder.checkinYear(year), kCheckinRecordLength);
    for (auto block = blocks.next(); !block.empty(); block = blocks.next()) {
      const uint8_t* end = block.data() + block.size();
      for (const uint8_t* p = block.data(); p < end; p += kCheckinRecordLength) {
        const uint8_t kind = p[ci::kKind];
        const int16_t student = Load<int16_t>(p + ci::kStudent);
        const int16_t t = Load<int16_t>(p + ci::kTime);
        const int32_t day = DayOf(p + ci::kDate);
        if (kind == 0) {
          pending.AddCheckin(student, p[ci::kOperator], t, day);
          continue;
        }
        if (kind != 1) continue;
        // A check-out without its check-in (before the range, or never
        // written) has no session to show.
        const auto in = pending.TakeCheckin(student);
        if (!in) continue;
        const int16_t room = Load<int16_t>(p + ci::kRoom);
        if (!slots.roomOk(room)) continue;
        if (c.on(kDate)) {
          if (checkoutSide && !days.holds(day)) continue;
          if (!days.holds(in->day)) continue;
        }
        if (c.on(kTime)) {
          if (checkoutSide && !minutes.holds(t)) continue;
          if (in->time > minutes.to) continue;
        }
        if (c.on(kGrade) &&
            !InSet(c.v(kGrade).fromSet, NianNJi(Load<double>(p + ci::kKeyDate), ctx.today, ctx.dividers), kGradeList)) {
          continue;
        }
        const float f = Load<float>(p + ci::kFee);
        if (c.on(kRow19) && !MoneyIn(fee, f)) continue;
        const uint8_t op = p[ci::kOperator];
        // The operator row's two sets: the first for who checked in, the
        // second for who checked out.
        if (c.on(kOperator) && (!InSet(c.v(kOperator).fromSet, in->operatorId, kIdentityList) ||
                                !InSet(c.v(kOperator).toSet, op, kIdentityList))) {
          continue;
        }
        const int32_t m = MinutesBetween(in->day, in->time, day, t);
        if (c.on(kRow18) && !used.holds(m)) continue;
        if (!slots.studentOk(student)) continue;
        const Hit h{day, f, t, student, room, op, kind};
        result.AddSession(h, CheckinSide{in->day, in->time, in->operatorId});
      }
    }
    NoteFault(out, blocks);
  }
  out.droppedCheckins = pending.dropped();
}

// Log records, offsets of their members.
namespace lg {
constexpr size_t kOperation = 0, kOperator = 1, kDate = 2, kTime = 10, kStudent = 12, kAmount = 14, kRoom = 22,
                 kRemark = 24;
}

void ScanLog(const QueryRequest& rq, const QueryContext& ctx, QueryOutcome& out) {
  const Criteria c(rq);
  const SlotFilter slots = MakeSlotFilter(c, ctx);
  const Range days = c.days();
  const Range minutes = c.minutesOfDay();
  const Range amount = c.money(kRow19);
  const Years years = YearsOf(rq);
  QueryResult& result = *out.result;
  ReserveFor(
      result, years, [&](int y) { return ctx.folder.logYear(y); }, kLogRecordLength);
  for (int year = years.first; year <= years.last; ++year) {
    RecordBlocks blocks(ctx.folder.logYear(year), kLogRecordLength);
    for (auto block = blocks.next(); !block.empty(); block = blocks.next()) {
      const uint8_t* end = block.data() + block.size();
      for (const uint8_t* p = block.data(); p < end; p += kLogRecordLength) {
        const int16_t room = Load<int16_t>(p + lg::kRoom);
        if (!slots.roomOk(room)) continue;
        const int32_t day = DayOf(p + lg::kDate);
        if (c.on(kDate) && !days.holds(day)) continue;
        const int16_t t = Load<int16_t>(p + lg::kTime);
        if (c.on(kTime) && !minutes.holds(t)) continue;
        // The remark's length says where the key date lies.
        const size_t remarkLength =
            std::min<size_t>(static_cast<uint16_t>(Load<int16_t>(p + lg::kRemark)), kLogRecordLength - lg::kRemark - 2);
        const uint8_t* remarkBytes = p + lg::kRemark + 2;
        if (c.on(kGrade)) {
          const size_t keyAt = lg::kRemark + 2 + remarkLength;
          double key = 0;
          if (keyAt + sizeof key <= kLogRecordLength) key = Load<double>(p + keyAt);
          if (!InSet(c.v(kGrade).fromSet, NianNJi(key, ctx.today, ctx.dividers), kGradeList)) continue;
        }
        const uint8_t operation = p[lg::kOperation];
        if (c.on(kRow18) && !InSet(c.v(kRow18).fromSet, static_cast<int>(operation) - 1, kOperationList)) continue;
        const int64_t scaled = Load<int64_t>(p + lg::kAmount);
        if (c.on(kRow19) && !amount.holds(scaled)) continue;
        const uint8_t op = p[lg::kOperator];
        if (c.on(kOperator) && !InSet(c.v(kOperator).fromSet, op, kIdentityList)) continue;
        std::string remark = FromGbk(std::string_view(reinterpret_cast<const char*>(remarkBytes), remarkLength));
        if (c.on(kRemark) && !c.pattern(kRemark, remark)) continue;
        const int16_t student = Load<int16_t>(p + lg::kStudent);
        if (!slots.studentOk(student)) continue;
        const Hit h{day, 0, t, student, room, op, operation};
        result.Add(h);
        result.AddLogDetails(scaled, std::move(remark));
      }
    }
    NoteFault(out, blocks);
  }
}

void ScanStudents(const QueryRequest& rq, const QueryContext& ctx, QueryOutcome& out,
                  std::vector<StudentRecord>& fromFile) {
  const Criteria c(rq);
  RecordBlocks blocks(ctx.folder.students(), kStudentRecordLength, 1024);
  int64_t record = 0;
  for (auto block = blocks.next(); !block.empty(); block = blocks.next()) {
    for (size_t at = 0; at < block.size(); at += kStudentRecordLength) {
      ++record;
      const Bytes bytes(block.begin() + static_cast<long>(at),
                        block.begin() + static_cast<long>(at + kStudentRecordLength));
      fromFile.push_back(UnpackStudent(bytes));
      const StudentRecord& s = fromFile.back();
      if (s.isFree() || record > INT16_MAX) continue;
      if (!StudentPasses(s, c, true, ctx)) continue;
      Hit h;
      h.student = static_cast<int16_t>(fromFile.size() - 1);
      out.result->Add(h);
    }
  }
  NoteFault(out, blocks);
}

void ScanRooms(const QueryRequest& rq, const QueryContext& ctx, QueryOutcome& out) {
  const Criteria c(rq);
  for (int slot = 1; slot <= RoomTable::kLastSlot; ++slot) {
    const RoomRecord& r = ctx.rooms[slot];
    if (r.isFree() || !RoomPasses(r, c, true)) continue;
    Hit h;
    h.room = static_cast<int16_t>(slot);
    out.result->Add(h);
  }
}

}  // namespace

QueryOutcome RunQuery(const QueryRequest& request, const QueryContext& context) {
  QueryOutcome out;
  ResultContext rc = MakeResultContext(context);
  // The student source lists students.dat as the file holds it: record r is
  // slot r - 1, the hits index this copy.
  auto fileStudents = std::make_shared<std::vector<StudentRecord>>();
  if (request.source == Source::Students) rc.students = fileStudents;
  out.result = std::make_unique<QueryResult>(request.source, request.mode,
                                             ColumnsFor(request.source, request.mode, request.titles), std::move(rc));
  switch (request.source) {
    case Source::Checkins:
      if (request.mode == Mode::Combined) {
        ScanCombined(request, context, out);
      } else {
        ScanCheckins(request, context, out);
      }
      break;
    case Source::Students: ScanStudents(request, context, out, *fileStudents); break;
    case Source::Rooms: ScanRooms(request, context, out); break;
    case Source::Log: ScanLog(request, context, out); break;
  }
  out.result->Finish();
  return out;
}

}  // namespace tarvolen::query
