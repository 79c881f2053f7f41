#pragma once
// The crash journal (journal.dat in the program folder). Before the first
// write of a check-in or check-out the whole plan of its writes is written
// here and flushed to the disk; once every write is made the journal is
// emptied. A process killed in between leaves a complete journal, and the
// next start makes its writes again (each sets bytes to a value, so making
// one twice is harmless) before anything reads the files. A journal cut
// short, or one whose checksum does not match, was killed while it was
// being written, before any data file was touched: it is dropped.
#include <filesystem>
#include <optional>

#include "store/ProgramFolder.h"
#include "store/Result.h"
#include "store/WritePlan.h"

namespace tarvolen {

class Journal {
 public:
  explicit Journal(ProgramFolder folder) : folder_(std::move(folder)) {}

  // Writes the plan and flushes it. A file outside the program folder is
  // refused, as the journal names files relative to it.
  Status Begin(const WritePlan& plan);
  // Empties the journal: the operation is complete, or was taken back.
  Status Clear();

  // The plan a complete journal holds (absolute paths); nullopt for an
  // empty, missing, cut-short or damaged one.
  Result<std::optional<WritePlan>> Read() const;

  // Makes every write of the plan, in order.
  static Status Apply(const WritePlan& plan);

  enum class Recovery { Nothing, Finished, Dropped };
  // Start-up: a complete journal's writes are made and the journal is
  // emptied; a damaged one is emptied. On a failed write the journal stays
  // for the next start.
  Result<Recovery> Recover();

  std::filesystem::path path() const { return folder_.journal(); }

 private:
  ProgramFolder folder_;
};

// The journal's bytes for a plan whose paths are already relative, and back.
Bytes EncodeJournal(const WritePlan& relativePlan);
std::optional<WritePlan> DecodeJournal(const Bytes& bytes);

}  // namespace tarvolen
