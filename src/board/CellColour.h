#pragma once
// Cell colour indices of the lists (the colour swatches of the options).
namespace tarvolen::cellcolour {

constexpr int kBackground = 1;    // "背景"
constexpr int kText = 2;          // "文字"
constexpr int kOvertimeText = 3;  // "超时"
constexpr int kSelected = 4;      // "选择"

}  // namespace tarvolen::cellcolour
