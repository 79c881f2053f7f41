// Any bytes as a legacy .xls workbook through FreeXL, then the header
// search of the import over what was read.
#include "FuzzFolder.h"
#include "import/HeaderSearch.h"
#include "platform/sheets/SpreadsheetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  static const std::filesystem::path path = fuzz::FuzzFolder::Get().desk().root() / "book.xls";
  fuzz::FuzzFolder::Write(path, {data, size});
  // Through the reader the program uses: it tells compound files apart.
  SpreadsheetReader reader;
  Result<Workbook> book = reader.read(path.string(), WorkbookLimits{});
  if (!book.ok()) return 0;
  (void)FindHeader(*book, kRoomImportHeadings);
  return 0;
}
