// Any bytes as an .xlsx workbook: the zip package, its XML parts and the
// cells, then the header search of the import over what was read.
#include "FuzzFolder.h"
#include "import/HeaderSearch.h"
#include "platform/sheets/XlsxReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static const std::filesystem::path path = fuzz::FuzzFolder::Get().desk().root() / "book.xlsx";
  fuzz::FuzzFolder::Write(path, {data, size});
  Result<Workbook> book = sheets::ReadXlsx(path.string(), WorkbookLimits{});
  if (!book.ok()) return 0;
  (void)FindHeader(*book, kStudentImportHeadings);
  return 0;
}
