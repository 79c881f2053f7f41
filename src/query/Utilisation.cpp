#include "query/Utilisation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>

#include "query/CheckinPairing.h"
#include "query/OccupiedMinutes.h"
#include "query/RecordBlocks.h"
#include "session/SessionClock.h"

namespace tarvolen::query {

UtilisationRequest DefaultUtilisationRequest(const CivilDate& today, const Dividers& dividers) {
  UtilisationRequest rq;
  rq.from = ChanDay1(today, dividers);
  // The semester lasts until the first later day that belongs to another.
  const int32_t first = DayNumber(today);
  int32_t last = first;
  for (int32_t d = first + 1; d <= first + 400; ++d) {
    const CivilDate start = ChanDay1(FromDayNumber(d), dividers);
    if (start != rq.from) {
      last = std::max(first, DayNumber(start) - 1);
      break;
    }
  }
  rq.to = FromDayNumber(last);
  return rq;
}

namespace {

// Check-in records, offsets of their members.
constexpr size_t kRoomAt = 0, kStudentAt = 2, kTimeAt = 4, kDateAt = 6, kOperatorAt = 14, kKindAt = 15, kFeeAt = 16;

// Day numbers of 1900-01-01 and of the day after 9999-12-31.
constexpr int32_t kFirstDay = 2;
constexpr int32_t kEndDay = 2958466;
constexpr int kSlots = RoomTable::kLastSlot + 1;
// Records read per block.
constexpr size_t kBlockRecords = 16384;
// A range that begins in January reads the year file before it too: the desk
// keeps the file it opened at start, so a run from December into January
// leaves its January records in the old year's file.
constexpr int kCarryOverMonth = 1;

template <class T>
T Load(const uint8_t* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

std::string DeletedLabel(int slot) { return "房间" + std::to_string(slot) + "(已删除)"; }

double Ratio(int64_t part, int64_t whole) {
  return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0.0;
}

}  // namespace

struct UtilisationBuilder::State {
  enum class Ending { CheckedOut, Estimated, Running };

  State(UtilisationRequest rq, UtilisationContext ctx) : request(std::move(rq)), context(std::move(ctx)) {}

  UtilisationRequest request;
  UtilisationContext context;
  bool valid = false;
  int32_t fromDay = 0, toDay = -1;
  int64_t rangeFrom = 0, rangeEnd = 0;  // absolute minutes, the end cut at now
  int64_t now = 0;

  std::vector<int> years;
  size_t yearIndex = 0;
  std::unique_ptr<RecordBlocks> blocks;
  std::span<const uint8_t> block;  // the block being scanned, from `at`
  size_t at = 0;
  uint64_t totalBytes = 0, doneBytes = 0;

  CheckinPairing pairing;
  // Which student slots (any 16-bit value) have a check-in waiting.
  std::vector<uint8_t> waiting = std::vector<uint8_t>(65536, 0);
  std::vector<std::vector<MinuteInterval>> intervals = std::vector<std::vector<MinuteInterval>>(kSlots);
  std::vector<int64_t> sessions = std::vector<int64_t>(kSlots, 0);
  std::vector<int64_t> estimated = std::vector<int64_t>(kSlots, 0);
  std::vector<double> fees = std::vector<double>(kSlots, 0.0);

  bool done = false;
  UtilisationReport report;

  void Start();
  std::vector<int> YearFilesPresent(int first, int last) const;
  void Scan(std::span<const uint8_t> records);
  void AddSession(int room, int64_t start, int64_t end, Ending ending);
  int64_t EstimatedEnd(const PendingCheckin& in) const;
  bool IsRunning(const PendingCheckin& in) const;
  void Finish();
  std::vector<int> RowSlots() const;
};

void UtilisationBuilder::State::Start() {
  report.from = request.from;
  report.to = request.to;
  report.totals.label = "合计";
  const CivilDate& f = request.from;
  const CivilDate& t = request.to;
  if (!IsValidCivil(f.year, f.month, f.day) || !IsValidCivil(t.year, t.month, t.day)) return;
  fromDay = std::max(DayNumber(f), kFirstDay);
  toDay = std::min(DayNumber(t), kEndDay - 1);
  if (fromDay > toDay) return;
  valid = true;
  now = AbsoluteMinute(DayNumber(context.now.date), MinuteOfDay(context.now));
  rangeFrom = AbsoluteMinute(fromDay, 0);
  rangeEnd = std::min(AbsoluteMinute(toDay + 1, 0), now);
  const CivilDate first = FromDayNumber(fromDay);
  const int firstYear = first.year - (first.month == kCarryOverMonth ? 1 : 0);
  const int lastYear = FromDayNumber(toDay).year;
  years = YearFilesPresent(firstYear, lastYear);
  for (int y : years) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(context.folder.checkinYear(y), ec);
    if (!ec) totalBytes += static_cast<uint64_t>(size);
  }
}

std::vector<int> UtilisationBuilder::State::YearFilesPresent(int first, int last) const {
  std::vector<int> all;
  for (int y = first; y <= last; ++y) all.push_back(y);
  if (all.size() <= 3) return all;
  // A wide range: only the years whose file is there, from one listing of
  // the folder instead of a look-up per year. A folder that cannot be
  // listed leaves every year to be tried.
  std::vector<int> present;
  std::error_code ec;
  std::filesystem::directory_iterator it(context.folder.checkinYear(first).parent_path(), ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != 8 || name.substr(4) != ".dat") continue;
    int year = 0;
    bool digits = true;
    for (size_t i = 0; i < 4; ++i) {
      digits = digits && name[i] >= '0' && name[i] <= '9';
      year = year * 10 + (name[i] - '0');
    }
    if (digits && year >= first && year <= last) present.push_back(year);
  }
  if (ec) return all;
  std::sort(present.begin(), present.end());
  return present;
}

void UtilisationBuilder::State::AddSession(int room, int64_t start, int64_t end, Ending ending) {
  const int64_t from = std::max(start, rangeFrom);
  const int64_t to = std::min(end, rangeEnd);
  if (from >= to) return;
  const auto r = static_cast<size_t>(room);
  intervals[r].push_back({from, to});
  ++sessions[r];
  if (ending == Ending::Estimated) ++estimated[r];
  if (ending == Ending::Running) ++report.activeSessions;
}

int64_t UtilisationBuilder::State::EstimatedEnd(const PendingCheckin& in) const {
  const RoomRecord& room = context.rooms[in.room];
  // A room deleted since then has no limit of its own: the default holds.
  const int code = room.isFree() ? 0 : room.timeLimitCode;
  const int limit = RoomTimeLimit(code, context.defaultTimeLimit);
  if (limit == kNoTimeLimit) return AbsoluteMinute(in.day + 1, 0);
  return AbsoluteMinute(in.day, in.time) + std::max(limit, 0);
}

bool UtilisationBuilder::State::IsRunning(const PendingCheckin& in) const {
  return std::any_of(context.running.begin(), context.running.end(), [&](const SessionRecord& s) {
    return s.room == in.room && s.student == in.student && HasValidStart(s) && s.startMinute == in.time &&
           DayNumberOf(s.startDate) == in.day;
  });
}

void UtilisationBuilder::State::Scan(std::span<const uint8_t> records) {
  const uint8_t* end = records.data() + records.size();
  for (const uint8_t* p = records.data(); p < end; p += kCheckinRecordLength) {
    const uint8_t kind = p[kKindAt];
    const int16_t room = Load<int16_t>(p + kRoomAt);
    const int16_t time = Load<int16_t>(p + kTimeAt);
    const double date = Load<double>(p + kDateAt);
    // NaN fails the date test too.
    if (kind > 1 || !RoomTable::validSlot(room) || time < 0 || time > 1439 || !(date >= kFirstDay && date < kEndDay)) {
      ++report.skippedRecords;
      continue;
    }
    const auto day = static_cast<int32_t>(date);
    const int16_t student = Load<int16_t>(p + kStudentAt);
    uint8_t& waits = waiting[static_cast<uint16_t>(student)];
    if (kind == 0) {
      // A second check-in of a student still checked in: the first one's
      // check-out was never written. It ends by its room's limit, at the
      // latest when the student checks in again, instead of pairing with a
      // later check-out and counting days.
      if (waits) {
        if (auto earlier = pairing.TakeCheckin(student)) {
          AddSession(earlier->room, AbsoluteMinute(earlier->day, earlier->time),
                     std::min(EstimatedEnd(*earlier), AbsoluteMinute(day, time)), Ending::Estimated);
        }
      }
      pairing.AddCheckin(student, p[kOperatorAt], time, day, room);
      waits = 1;
      continue;
    }
    if (day >= fromDay && day <= toDay) {
      const float fee = Load<float>(p + kFeeAt);
      if (std::isfinite(fee)) fees[static_cast<size_t>(room)] += fee;
    }
    if (!waits) continue;
    waits = 0;
    const auto in = pairing.TakeCheckin(student);
    if (!in) continue;
    const int64_t start = AbsoluteMinute(in->day, in->time);
    const int64_t stop = AbsoluteMinute(day, time);
    if (stop < start) {
      if ((in->day >= fromDay && in->day <= toDay) || (day >= fromDay && day <= toDay)) {
        ++report.checkoutsBeforeCheckin;
      }
      continue;
    }
    AddSession(in->room, start, stop, Ending::CheckedOut);
  }
}

std::vector<int> UtilisationBuilder::State::RowSlots() const {
  std::vector<int> slots;
  const auto wanted = [&](const RoomRecord& room) {
    return !request.type || (!room.isFree() && room.type == *request.type);
  };
  if (!request.rooms.empty()) {
    for (int slot : request.rooms) {
      if (!RoomTable::validSlot(slot) || std::find(slots.begin(), slots.end(), slot) != slots.end()) continue;
      if (wanted(context.rooms[slot])) slots.push_back(slot);
    }
  } else {
    for (int slot = 1; slot <= RoomTable::kLastSlot; ++slot) {
      const RoomRecord& room = context.rooms[slot];
      const bool used = sessions[static_cast<size_t>(slot)] > 0 || fees[static_cast<size_t>(slot)] != 0;
      if (room.isFree() ? used : wanted(room) && (room.isOpen() || used)) slots.push_back(slot);
    }
  }
  const auto key = [&](int slot) {
    const RoomRecord& room = context.rooms[slot];
    return std::make_tuple(room.isFree() ? 1 : 0, room.isFree() ? 0 : int{room.type}, slot);
  };
  std::sort(slots.begin(), slots.end(), [&](int a, int b) { return key(a) < key(b); });
  return slots;
}

void UtilisationBuilder::State::Finish() {
  done = true;
  if (!valid) return;
  // What is still waiting at the end of the files: running now, or a
  // check-out that never came.
  for (size_t s = 0; s < waiting.size(); ++s) {
    if (!waiting[s]) continue;
    const auto student = static_cast<int16_t>(static_cast<uint16_t>(s));
    const auto in = pairing.TakeCheckin(student);
    if (!in) continue;
    const int64_t start = AbsoluteMinute(in->day, in->time);
    if (IsRunning(*in)) {
      AddSession(in->room, start, now, Ending::Running);
    } else {
      AddSession(in->room, start, EstimatedEnd(*in), Ending::Estimated);
    }
  }

  // The available minutes: every day of the range before today whole,
  // today up to now, nothing of the days after.
  const int32_t today = DayNumber(context.now.date);
  const int nowMinute = MinuteOfDay(context.now);
  const int32_t lastWhole = std::min(toDay, today - 1);
  const int64_t wholeDays = std::max<int64_t>(0, int64_t{lastWhole} - fromDay + 1);
  const int firstWeekday = WeekdayOf(fromDay);
  for (int w = 0; w < 7; ++w) {
    const int64_t days = wholeDays / 7 + (((w - firstWeekday + 7) % 7) < wholeDays % 7 ? 1 : 0);
    for (size_t h = 0; h < 24; ++h) report.availableByWeekdayHour[static_cast<size_t>(w)][h] = days * 60;
  }
  if (today >= fromDay && today <= toDay) {
    for (int h = 0; h < 24; ++h) {
      const int64_t part = std::clamp<int64_t>(nowMinute - h * 60, 0, 60);
      report.availableByWeekdayHour[static_cast<size_t>(WeekdayOf(today))][static_cast<size_t>(h)] += part;
    }
  }
  for (const auto& weekday : report.availableByWeekdayHour) {
    for (size_t h = 0; h < 24; ++h) report.availableByHour[h] += weekday[h];
  }

  RoomUtilisation& totals = report.totals;
  for (int slot : RowSlots()) {
    const auto r = static_cast<size_t>(slot);
    const RoomRecord& room = context.rooms[slot];
    RoomUtilisation row;
    row.slot = slot;
    row.deleted = room.isFree();
    row.label = row.deleted ? DeletedLabel(slot) : room.name;
    row.type = row.deleted ? -1 : room.type;
    row.typeName = row.deleted ? "已删除" : context.categories.majorName(room.type);
    MergeIntervals(intervals[r]);
    row.occupiedMinutes = SpreadOverHours(intervals[r], row.minutesByHour, report.minutesByWeekdayHour);
    row.sessions = sessions[r];
    row.estimatedSessions = estimated[r];
    row.fees = fees[r];
    for (size_t h = 0; h < 24; ++h) totals.minutesByHour[h] += row.minutesByHour[h];
    totals.occupiedMinutes += row.occupiedMinutes;
    totals.sessions += row.sessions;
    totals.estimatedSessions += row.estimatedSessions;
    totals.fees += row.fees;
    report.rooms.push_back(std::move(row));
  }
  report.estimatedSessions = totals.estimatedSessions;

  for (int h = 0; h < 24; ++h) {
    if (totals.minutesByHour[static_cast<size_t>(h)] == 0) continue;
    if (report.firstHour < 0) report.firstHour = h;
    report.lastHour = h;
  }
  int64_t opening = 0;
  for (int h = report.firstHour; h >= 0 && h <= report.lastHour; ++h) {
    opening += report.availableByHour[static_cast<size_t>(h)];
  }
  for (RoomUtilisation& row : report.rooms) row.openingShare = Ratio(row.occupiedMinutes, opening);
  totals.openingShare = Ratio(totals.occupiedMinutes, opening * static_cast<int64_t>(report.rooms.size()));
}

UtilisationBuilder::UtilisationBuilder(UtilisationRequest request, UtilisationContext context)
    : state_(std::make_unique<State>(std::move(request), std::move(context))) {
  state_->Start();
}

UtilisationBuilder::~UtilisationBuilder() = default;

bool UtilisationBuilder::Step(size_t records) {
  State& s = *state_;
  if (s.done) return true;
  size_t left = std::max<size_t>(records, 1) * kCheckinRecordLength;
  while (left > 0) {
    if (s.at < s.block.size()) {
      const size_t n = std::min(left, s.block.size() - s.at);
      s.Scan(s.block.subspan(s.at, n));
      s.at += n;
      s.doneBytes += n;
      left -= n;
      continue;
    }
    if (!s.valid || s.yearIndex >= s.years.size()) {
      s.Finish();
      return true;
    }
    if (!s.blocks) {
      s.blocks = std::make_unique<RecordBlocks>(s.context.folder.checkinYear(s.years[s.yearIndex]),
                                                kCheckinRecordLength, kBlockRecords);
    }
    s.block = s.blocks->next();
    s.at = 0;
    if (s.block.empty()) {
      if (!s.blocks->status().ok() && s.report.readFault.empty()) {
        s.report.readFault = "登记文件" + std::to_string(s.years[s.yearIndex]) + ".dat未能读完，其后的记录未计入：" +
                             s.blocks->status().detail();
      }
      s.blocks.reset();
      ++s.yearIndex;
    }
  }
  return false;
}

double UtilisationBuilder::Progress() const {
  const State& s = *state_;
  if (s.done) return 1.0;
  if (s.totalBytes == 0) return 0.0;
  // The merging at the end is the last few per cent.
  return 0.95 * std::min(1.0, static_cast<double>(s.doneBytes) / static_cast<double>(s.totalBytes));
}

UtilisationReport UtilisationBuilder::Take() {
  while (!Step()) {
  }
  return std::move(state_->report);
}

UtilisationReport BuildUtilisation(const UtilisationRequest& request, const UtilisationContext& context) {
  UtilisationBuilder builder(request, context);
  return builder.Take();
}

}  // namespace tarvolen::query
