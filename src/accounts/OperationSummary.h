#pragma once
// The printed summary of the confirmation panel: lines of coloured runs.
// The core writes the texts and colours; the window only draws them.
#include <string>
#include <vector>

#include "accounts/OperationKinds.h"
#include "platform/Clock.h"
#include "startup/Options.h"
#include "store/NumberText.h"
#include "store/SideFiles.h"
#include "store/Tables.h"

namespace tarvolen {

enum class SummaryColour { White, Red, Green, Yellow };

struct SummaryRun {
  std::string text;
  SummaryColour colour = SummaryColour::White;
  bool operator==(const SummaryRun&) const = default;
};
using SummaryLine = std::vector<SummaryRun>;

// A line's runs joined: what the control list shows of it.
std::string LineText(const SummaryLine& line);

struct SummaryContext {
  const CategoryLists& lists;
  const Options& options;
  CivilDate today;
};

// A member operation. `endDate` is the running suspension's end (read
// when bit 1 is set); `restored` says the preparation has just lifted it.
std::vector<SummaryLine> MemberSummary(const SummaryContext& ctx, const StudentRecord& s, bool restored,
                                       OleDate endDate, const PendingOperation& op);
std::vector<SummaryLine> RoomSummary(const SummaryContext& ctx, const RoomRecord& room, OperationKind kind);
// A free record: the student and room when given (nullptr when not).
std::vector<SummaryLine> FreeRecordSummary(const SummaryContext& ctx, const StudentRecord* s, const RoomRecord* room,
                                           int64_t amountScaled);

}  // namespace tarvolen
