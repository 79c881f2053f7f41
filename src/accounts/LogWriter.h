#pragma once
// The one writer of the operation log: one LogRecord per completed
// operation, appended to the current year's log file.
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "store/Gbk.h"
#include "store/Tables.h"
#include "store/YearFile.h"

namespace tarvolen {

struct LogContext {
  YearFile& log;
  const StudentTable& students;
  int operatorId;  // CurrentIdentity
  DateTime now;
};

// A remark holds at most this many GBK bytes.
constexpr size_t kMaxRemarkBytes = 94;

// Writes the line. A remark longer than 94 GBK bytes is cut on a character
// boundary (the operation it records has already happened and must not be
// lost for its remark). A failed write is returned for the caller to tell.
Status WriteLogLine(const LogContext& ctx, uint8_t kind, int student, int64_t amountScaled, int room,
                    const std::string& remark);

}  // namespace tarvolen
