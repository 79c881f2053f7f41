#include "accounts/LogWriter.h"

#include "store/Gbk.h"
#include "store/TextCells.h"

namespace tarvolen {

Status WriteLogLine(const LogContext& ctx, uint8_t kind, int student, int64_t amountScaled, int room,
                    const std::string& remark) {
  LogRecord r;
  r.operation = kind;
  r.operatorId = static_cast<uint8_t>(ctx.operatorId);
  r.date = ToOle(ctx.now.date);
  r.time = static_cast<int16_t>(MinuteOfDay(ctx.now));
  r.student = static_cast<int16_t>(student);
  r.amountScaled = amountScaled;
  r.room = static_cast<int16_t>(room);
  long bytes = GbkLength(remark);
  r.remark =
      (bytes >= 0 && static_cast<size_t>(bytes) <= kMaxRemarkBytes) ? remark : CutToGbkBytes(remark, kMaxRemarkBytes);
  // Slot 0 of the table is never used: its key date stays zero.
  r.keyDate = (student >= 0 && student <= StudentTable::kLastSlot) ? ctx.students[student].enrolled : 0.0;
  return ctx.log.append(Pack(r));
}

}  // namespace tarvolen
