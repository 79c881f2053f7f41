#pragma once
// A query as the query page hands it to the engine: the source, the display
// mode and every criterion row's values as the page shows them (captions
// and the sets of the multi-select lists), with the column titles.
#include <array>
#include <cstdint>
#include <string>

#include "query/QueryRows.h"
#include "query/Wildcard.h"

namespace tarvolen::query {

struct CriterionValue {
  CriterionValue() = default;
  CriterionValue(bool tickedIn, std::string fromIn = {}, std::string toIn = {}, uint32_t fromSetIn = 0,
                 uint32_t toSetIn = 0)
      : ticked(tickedIn), from(std::move(fromIn)), to(std::move(toIn)), fromSet(fromSetIn), toSet(toSetIn) {}

  bool ticked = false;
  std::string from;      // the from value's caption
  std::string to;        // the to value's caption
  uint32_t fromSet = 0;  // the from value's set (bit i = index i)
  uint32_t toSet = 0;    // the second set of the operator row in the combined display
  MatchKind match = MatchKind::Similar;
};

struct QueryRequest {
  Source source = Source::Checkins;
  Mode mode = Mode::All;
  // 忽略下线时间 (combined display): the date and time rows test the check-in only.
  bool ignoreCheckoutTime = false;
  // Minutes per unit of the 用时 row: 60 while its unit reads 小时, 1 for 分.
  int minutesPerUnit = 60;
  std::array<CriterionValue, kRows> rows{};
  // The rows' titles as the page shows them (rows 18 and 19 change with the source).
  std::array<std::string, kRows> titles{};

  QueryRequest() {
    for (int j = 0; j < kRows; ++j) titles[static_cast<size_t>(j)] = kRowTitles[static_cast<size_t>(j)];
  }
  CriterionValue& row(int j) { return rows[static_cast<size_t>(j)]; }
  const CriterionValue& row(int j) const { return rows[static_cast<size_t>(j)]; }
};

// How captions are read: the leading number of the text, 0 when there is none.
double CaptionNumber(std::string_view text);
// "yyyy年mm月dd日" as a day number (store/OleDate); the digits in their places.
int32_t CaptionDay(std::string_view text);
// The first four characters as a year, 0 when they are not a number.
int CaptionYear(std::string_view text);
// Money as fixed-point with four decimals.
int64_t ScaledMoney(double yuan);

}  // namespace tarvolen::query
