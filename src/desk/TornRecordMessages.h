#pragma once
// What the operator is told at start-up when a year file ends in a record
// that was only partly written (power lost during an append). The part is
// left out of the count, and the next record is written over it.
namespace tarvolen {

inline constexpr const char* kTornCheckinRecordMessage = "登记文件末尾有不完整的记录，已忽略。";
inline constexpr const char* kTornLogRecordMessage = "日志文件末尾有不完整的记录，已忽略。";

}  // namespace tarvolen
