#pragma once
// The result of one query: the columns, one compact hit per kept record and
// the sums of the summed columns. Cells are made on demand, when a grid
// draws them or an export writes them, so a million-row result costs its
// hits and no formatted text. Student and room columns show the tables as
// they were when the query ran (the result holds a copy of them).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board/ListSource.h"
#include "query/QueryRows.h"
#include "startup/Calendar.h"
#include "store/SideFiles.h"
#include "store/Tables.h"

namespace tarvolen::query {

// What a column shows.
enum class Field : uint8_t {
  Number,  // the running number
  Date,
  Time,
  Name,
  RoomName,
  Sex,
  Major,
  Level,
  Grade,
  Class,
  SemesterHours,
  TotalHours,
  Recharged,
  Balance,
  Lost,
  Suspended,
  RoomType,
  Capacity,
  Open,
  Fee,
  Operator,  // the record's operator (the check-in's in the combined display)
  Kind,
  Card,
  Id,
  DateSpan,  // combined: the check-in date, "至" and the check-out date when they differ
  Minutes,   // combined: the minutes used
  CheckoutOperator,
  Telephone,
  CheckinCount,
  Price,
  MinimumFee,
  BillingUnit,
  Tolerance,
  HandlingFee,
  Operation,
  Amount,
  Remark,
};

struct Column {
  std::string title;
  Field field = Field::Number;
};

// One kept record, 16 bytes. For the student and room sources `student` /
// `room` is the slot of the listed entry.
struct Hit {
  int32_t day = 0;  // the record's date (the check-out's in the combined display)
  float fee = 0;
  int16_t time = 0;
  int16_t student = 0;
  int16_t room = 0;
  uint8_t operatorId = 0;  // the record's operator (the check-out's in the combined display)
  uint8_t kind = 0;        // check-in kind, or the log's operation code
};

// The combined display's check-in side of a line.
struct CheckinSide {
  int32_t day = 0;
  int16_t time = 0;
  uint8_t operatorId = 0;
};

// What the cells are made from besides the hits.
struct ResultContext {
  std::shared_ptr<const std::vector<StudentRecord>> students;  // by slot
  std::shared_ptr<const std::vector<RoomRecord>> rooms;        // by slot
  CategoryLists categories;
  OperationNames operationNames;
  std::array<std::string, 7> identities{};
  int cardDigits = 12;
  int idDigits = 12;
  Dividers dividers;
  CivilDate today;
};

// The columns a source and display mode list, titled from the page's row titles.
std::vector<Column> ColumnsFor(Source source, Mode mode, const std::array<std::string, kRows>& titles);

// Hits gathered apart from a result (by a second scanning thread) with the
// counts a result keeps of them; QueryResult::Append takes them in one go.
struct HitBatch {
  std::vector<Hit> hits;
  double feeSum = 0;
  std::vector<int64_t> perStudent;
  std::vector<int64_t> perRoom;
};

class QueryResult : public ListSource {
 public:
  QueryResult(Source source, Mode mode, std::vector<Column> columns, ResultContext context);

  Source source() const { return source_; }
  Mode mode() const { return mode_; }
  const std::vector<Column>& columns() const { return columns_; }

  // --- filled by the engine -------------------------------------------------
  void Add(const Hit& hit) {
    hits_.push_back(hit);
    CountInto(source_, hit, feeSum_, perStudent_, perRoom_);
  }
  // An empty batch whose counts fit this result, and its hits added after
  // the ones already listed.
  HitBatch MakeBatch() const;
  void Append(HitBatch&& batch);
  static void AddTo(HitBatch& batch, Source source, const Hit& hit) {
    batch.hits.push_back(hit);
    CountInto(source, hit, batch.feeSum, batch.perStudent, batch.perRoom);
  }
  // A line of the combined display: the check-out and its check-in.
  void AddSession(const Hit& checkout, const CheckinSide& checkin) {
    Add(checkout);
    checkins_.push_back(checkin);
  }
  // The log's amount (Currency, x 10000) and remark of the hit just added.
  void AddLogDetails(int64_t amountScaled, std::string remark);
  // Room for n hits, so they never move while they grow.
  void Reserve(size_t n);
  // After the last record: the sums of the summed columns.
  void Finish();

  const std::vector<Hit>& hits() const { return hits_; }

  // --- ListSource --------------------------------------------------------------
  int itemCount() const override { return static_cast<int>(hits_.size()); }
  int columnCount() const override { return static_cast<int>(columns_.size()); }
  std::string heading(int column) const override;
  // The running number column gives "": its numbers follow the grid's order.
  std::string cellText(int item, int column) const override;
  ListKeys sortKeys(int column) const override;

  // Columns whose cells are numbers: sorted as numbers, exported as numbers.
  bool isNumeric(int column) const;
  // Columns holding dates or times: sorted in time order, exported as text.
  bool sortsByTime(int column) const;
  // The average and total lines (rows 0 and 1 of the grid): "平均" and "合计"
  // in column 0; a summed column gets its average or sum when at least two
  // records are listed, every other cell stays empty.
  std::string averageCell(int column) const;
  std::string totalCell(int column) const;

 private:
  // The student and room columns hold the tables' values, the same for
  // every record of a slot: their sums count the records per slot and
  // multiply once at the end, so a record costs a few increments.
  static void CountInto(Source source, const Hit& h, double& feeSum, std::vector<int64_t>& perStudent,
                        std::vector<int64_t>& perRoom) {
    feeSum += h.fee;
    if (source == Source::Log ? h.student > 0 : h.student >= 0) {
      const auto s = static_cast<size_t>(h.student);
      if (s < perStudent.size()) {
        ++perStudent[s];
      } else if (source == Source::Students) {
        perStudent.resize(s + 1, 0);
        ++perStudent[s];
      }
    }
    if (h.room >= 0 && (source != Source::Log || h.room > 0) && static_cast<size_t>(h.room) < perRoom.size()) {
      ++perRoom[static_cast<size_t>(h.room)];
    }
  }
  CheckinSide CheckinOf(const Hit& h, size_t item) const {
    return item < checkins_.size() ? checkins_[item] : CheckinSide{h.day, h.time, h.operatorId};
  }
  const StudentRecord* StudentOf(const Hit& h) const;
  const RoomRecord* RoomOf(const Hit& h) const;
  bool HasRoomDetails(const Hit& h) const;
  // The value a summed or numeric column holds for a hit; false when the cell is empty.
  bool Value(const Hit& h, size_t item, Field field, double& out) const;
  std::string Cell(const Hit& h, size_t item, Field field) const;

  Source source_;
  Mode mode_;
  std::vector<Column> columns_;
  ResultContext context_;
  std::vector<Hit> hits_;
  std::vector<CheckinSide> checkins_;  // the combined display's, by item
  std::vector<int64_t> amounts_;       // the log's amounts, by item
  std::vector<std::string> remarks_;   // the log's remarks, by item
  std::vector<double> sums_;           // by column
  std::vector<bool> summed_;           // by column
  std::vector<size_t> summedColumns_;  // the summed columns, in order
  std::vector<int64_t> perStudent_;    // listed records by student slot
  std::vector<int64_t> perRoom_;       // listed records by room slot
  double feeSum_ = 0;
  double amountSum_ = 0;
};

// Minutes as "h:mm" (95 gives 1:35).
std::string FormatMinutes(int minutes);
// Minutes as "h时mm分", "负" in front of a negative count (-75 gives 负1时15分).
std::string F3Rctime(int minutes);

}  // namespace tarvolen::query
