#pragma once
// A workbook reader and file dialogs for tests: workbooks are built in
// memory and handed out by path; the dialog answers what the test set.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake/FakeFileDialogs.h"
#include "platform/Workbook.h"

namespace tarvolen {

// Builds a sheet row by row: Row(1, {"房间名称", "类型"}).
class SheetBuilder {
 public:
  explicit SheetBuilder(std::string name = "Sheet1") { sheet_.name = std::move(name); }
  SheetBuilder& Row(int number, std::vector<std::string> cells) {
    sheet_.rows.push_back({number, std::move(cells)});
    return *this;
  }
  Sheet build() const { return sheet_; }

 private:
  Sheet sheet_;
};

class FakeWorkbookReader final : public WorkbookReader {
 public:
  void put(const std::string& path, Workbook book) { books_.insert_or_assign(path, std::move(book)); }
  void fail(const std::string& path, const std::string& why) { failures_.insert_or_assign(path, why); }

  Result<Workbook> read(const std::string& path, const WorkbookLimits&) override {
    ++reads;
    if (auto f = failures_.find(path); f != failures_.end()) return Status(ErrorCode::Corrupt, f->second);
    auto b = books_.find(path);
    if (b == books_.end()) return Status(ErrorCode::OpenFailed, "文件无法打开");
    return b->second;
  }
  int reads = 0;

 private:
  std::map<std::string, Workbook> books_;
  std::map<std::string, std::string> failures_;
};

}  // namespace tarvolen
