#pragma once
#include <map>

#include "platform/WorkbookWriter.h"

namespace tarvolen {

// Keeps the written sheets in memory; templates are given by path.
class FakeWorkbookWriter final : public WorkbookWriter {
 public:
  Result<CellRow> ReadTitleRow(const std::filesystem::path& path) override {
    auto it = templates.find(path);
    if (it == templates.end()) return Status(ErrorCode::Missing, path.string());
    return it->second;
  }
  Status WriteSheet(const std::filesystem::path& path, const std::vector<CellRow>& rows) override {
    if (!failure.ok()) return failure;
    written[path] = rows;
    return Status::Ok();
  }
  std::map<std::filesystem::path, CellRow> templates;
  std::map<std::filesystem::path, std::vector<CellRow>> written;
  Status failure;  // returned by every write when set
};

}  // namespace tarvolen
