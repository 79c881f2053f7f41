// Billing of a session and the level rule.
#include <gtest/gtest.h>

#include <limits>

#include "session/Billing.h"

namespace tarvolen {
namespace {

struct BillCase {
  const char* name;
  int minutes;
  int unit, tolerance;
  float price, percentage, handling, minimum;
  int billed;
  bool anomaly;
  float fee;
};

class BillingTable : public ::testing::TestWithParam<BillCase> {};

TEST_P(BillingTable, BillsAsTheTariffSays) {
  const BillCase& c = GetParam();
  RoomRecord room;
  room.billingUnit = static_cast<int16_t>(c.unit);
  room.tolerance = static_cast<int16_t>(c.tolerance);
  room.price = c.price;
  room.handlingFee = c.handling;
  room.minimumFee = c.minimum;
  Bill b = ComputeBill(c.minutes, room, static_cast<int>(c.percentage));
  EXPECT_EQ(b.billed, c.billed);
  EXPECT_EQ(b.hadAnomaly, c.anomaly);
  EXPECT_FLOAT_EQ(b.fee, c.fee);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BillingTable,
    ::testing::Values(BillCase{"Unit15Tol5_47", 47, 15, 5, 12, 100, 0, 0, 45, false, 9.0f},
                      BillCase{"Unit30Tol5_35", 35, 30, 5, 12, 100, 0, 0, 30, false, 6.0f},
                      BillCase{"Unit30Tol5_36", 36, 30, 5, 12, 100, 0, 0, 60, false, 12.0f},
                      BillCase{"Unit30Tol5_0", 0, 30, 5, 12, 100, 0, 0, 30, false, 6.0f},
                      BillCase{"Unit1Plain", 47, 1, 5, 12, 100, 0, 0, 47, false, 9.4f},
                      BillCase{"Unit0Plain", 47, 0, 5, 12, 100, 0, 0, 47, false, 9.4f},
                      BillCase{"TwoMinutesFreeEvenFees", 2, 0, 0, 12, 100, 1, 5, 2, false, 0.0f},
                      BillCase{"ThreeMinutesPaysMinimum", 3, 0, 0, 12, 100, 1, 5, 3, false, 5.0f},
                      BillCase{"Unit10Tol30Anomaly", 5, 10, 30, 12, 100, 1, 5, 0, true, 0.0f},
                      BillCase{"ClockSetBack", -15, 1, 0, 12, 100, 1, 5, 0, true, 0.0f},
                      BillCase{"LevelDiscountAndHandling", 45, 15, 5, 12, 80, 1, 5, 45, false, 8.2f},
                      BillCase{"MinimumFeeFloor", 45, 15, 5, 12, 80, 1, 10, 45, false, 10.0f},
                      BillCase{"HugeMinutesNoOverflow", 28800 + 1439, 15, 5, 12, 100, 0, 0, 30240, false, 6048.0f}),
    [](const ::testing::TestParamInfo<BillCase>& p) { return std::string(p.param.name); });

TEST(BillingTest, AnomalyRemembersTheNegativeMinutes) {
  RoomRecord room;
  room.billingUnit = 10;
  room.tolerance = 30;
  Bill b = ComputeBill(5, room, 100);
  EXPECT_EQ(b.anomaly, -10);
  EXPECT_EQ(TimeAnomalyRemark(-15), "用时异常(-15分)，已忽略为0，请保持系统时间准确！");
}

TEST(BillingTest, BilledMinutesNeverOverflow) {
  // Far below any int: kept at the lowest int instead of wrapping to a positive bill.
  EXPECT_EQ(BilledMinutes(std::numeric_limits<int>::min(), 30, 32767), std::numeric_limits<int>::min());
  EXPECT_GT(BilledMinutes(std::numeric_limits<int>::max(), 7, 0), 0);
  EXPECT_EQ(AddMinutes(std::numeric_limits<int32_t>::max() - 1, 5), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(AddMinutes(10, -15), -5);
}

CategoryLists Levels(std::initializer_list<std::pair<const char*, int32_t>> levels) {
  CategoryLists lists;
  int i = 0;
  for (auto [name, threshold] : levels) {
    lists.levels[static_cast<size_t>(i)].name = name;
    lists.levels[static_cast<size_t>(i)].threshold = threshold;
    ++i;
  }
  return lists;
}

TEST(LevelRuleTest, PoliciesAndThresholds) {
  CategoryLists lists = Levels({{"普通", 0}, {"银卡", 600}, {"金卡", 1200}});
  StudentRecord s;
  s.totalMinutes = 1250;
  s.totalRecharged = 500;
  s.balance = 120;
  s.checkinCount = 700;
  struct Case {
    int policy;
    int level;
  } cases[] = {{2, 2}, {0, 0}, {1, 0}, {4, 1}, {3, 0}, {9, 0}};
  for (const auto& c : cases) EXPECT_EQ(LevelFor(s, lists, c.policy), c.level) << c.policy;
  s.totalRecharged = 1500;  // spent 1380
  EXPECT_EQ(LevelFor(s, lists, 1), 2);
}

TEST(LevelRuleTest, SkipsUnnamedAndNeverReachedLevels) {
  CategoryLists lists = Levels({{"普通", 0}, {"银卡", 600}, {"", 700}, {"金卡", -1}});
  StudentRecord s;
  s.totalMinutes = 100000;
  EXPECT_EQ(LevelFor(s, lists, 2), 1);
  CategoryLists none = Levels({{"", 0}});
  EXPECT_EQ(LevelFor(s, none, 2), -1);
}

}  // namespace
}  // namespace tarvolen
