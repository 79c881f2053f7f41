// A long list (a query result) of a million rows: its keys made and sorted
// in the core's list, as a heading click or the opening of the grid does.
// The grid must open and sort such a list well under a second.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "board/ListCursor.h"
#include "board/ListModel.h"
#include "session/TimeText.h"

namespace tarvolen::bench {
namespace {

constexpr int kRows = 1'000'000;

// Spread over the range and out of order, as the values of a real column.
int64_t Value(int row) { return (static_cast<int64_t>(row) * 7919) % kRows; }

// A number column: the keys are the numbers.
void BM_SortMillionRowsByNumber(benchmark::State& state) {
  ListCursor cursor;
  ListModel list(cursor, 2, 0, 0);
  for (auto _ : state) {
    std::vector<int64_t> keys(kRows);
    for (int i = 0; i < kRows; ++i) keys[static_cast<size_t>(i)] = Value(i);
    list.Sort(keys);
    benchmark::DoNotOptimize(list.itemAt(0));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortMillionRowsByNumber)->Unit(benchmark::kMillisecond);

// A text column: ten-character keys, as the boards make them.
void BM_SortMillionRowsByText(benchmark::State& state) {
  ListCursor cursor;
  ListModel list(cursor, 2, 1, 0);
  for (auto _ : state) {
    std::vector<std::string> keys(kRows);
    for (int i = 0; i < kRows; ++i) keys[static_cast<size_t>(i)] = TenDigits(Value(i) * 37 % kRows);
    list.Sort(std::move(keys));
    benchmark::DoNotOptimize(list.itemAt(0));
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SortMillionRowsByText)->Unit(benchmark::kMillisecond);

// The sort alone, its text keys made beforehand: what the list itself costs.
void BM_SortMillionTextKeysOnly(benchmark::State& state) {
  ListCursor cursor;
  ListModel list(cursor, 2, 1, 0);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> keys(kRows);
    for (int i = 0; i < kRows; ++i) keys[static_cast<size_t>(i)] = TenDigits(Value(i) * 37 % kRows);
    state.ResumeTiming();
    list.Sort(std::move(keys));
    benchmark::DoNotOptimize(list.itemAt(0));
  }
}
BENCHMARK(BM_SortMillionTextKeysOnly)->Unit(benchmark::kMillisecond);

// Reversing the direction and showing the last page: arithmetic only.
void BM_ReverseAndShowLastPage(benchmark::State& state) {
  ListCursor cursor;
  ListModel list(cursor, 2, 0, 0);
  std::vector<int64_t> keys(kRows);
  for (int i = 0; i < kRows; ++i) keys[static_cast<size_t>(i)] = Value(i);
  list.Sort(keys);
  int direction = 0;
  for (auto _ : state) {
    direction = 1 - direction;
    list.setOrdering(0, direction);
    list.ShowPage(list.pageRange());
    int sum = 0;
    for (int r = 0; r < ListModel::kPageRows; ++r) sum += list.itemInRow(r);
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ReverseAndShowLastPage);

}  // namespace
}  // namespace tarvolen::bench
