#include "platform/sheets/XlsReader.h"

#include <freexl.h>

#include <algorithm>

#include "platform/sheets/CellText.h"

namespace tarvolen::sheets {
namespace {

class Handle {
 public:
  ~Handle() {
    if (h_ != nullptr) freexl_close(h_);
  }
  const void* h_ = nullptr;
};

std::string CellString(const FreeXL_CellValue& v, size_t limit) {
  std::string text;
  switch (v.type) {
    // Whole numbers come as INT, every other number as DOUBLE.
    case FREEXL_CELL_INT: text = std::to_string(v.value.int_value); break;
    case FREEXL_CELL_DOUBLE: text = PlainNumber(v.value.double_value); break;
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
      if (v.value.text_value != nullptr) text = v.value.text_value;
      break;
    default: break;  // empty, and formulas, which FreeXL gives as NULL
  }
  if (text.size() > limit) {
    // Cut on a character boundary of the UTF-8 text.
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    text.resize(cut);
  }
  return text;
}

}  // namespace

Result<Workbook> ReadXls(const std::string& path, const WorkbookLimits& limits) {
  Handle book;
  const int opened = freexl_open(path.c_str(), &book.h_);
  if (opened != FREEXL_OK) {
    if (opened == FREEXL_FILE_NOT_FOUND) return Status(ErrorCode::OpenFailed, kOpenFailed);
    if (opened == FREEXL_INVALID_CFBF_HEADER) return Status(ErrorCode::Corrupt, kNotWorkbook);
    return Status(ErrorCode::Corrupt, kDamaged);
  }
  unsigned int info = 0;
  if (freexl_get_info(book.h_, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
    return Status(ErrorCode::Corrupt, kPassword);
  }
  unsigned int sheetCount = 0;
  if (freexl_get_info(book.h_, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK) {
    return Status(ErrorCode::Corrupt, kDamaged);
  }
  Workbook out;
  const unsigned int wanted = std::min<unsigned int>(sheetCount, static_cast<unsigned int>(std::max(0, limits.sheets)));
  for (unsigned int s = 0; s < wanted; ++s) {
    Sheet sheet;
    const char* name = nullptr;
    if (freexl_get_worksheet_name(book.h_, static_cast<unsigned short>(s), &name) == FREEXL_OK && name != nullptr) {
      sheet.name = name;
    }
    if (freexl_select_active_worksheet(book.h_, static_cast<unsigned short>(s)) != FREEXL_OK) {
      return Status(ErrorCode::Corrupt, kDamaged);
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(book.h_, &rows, &columns) != FREEXL_OK) {
      return Status(ErrorCode::Corrupt, kDamaged);
    }
    const unsigned short usedColumns = static_cast<unsigned short>(std::min<int>(columns, std::max(0, limits.columns)));
    for (unsigned int r = 0; r < rows; ++r) {
      SheetRow row;
      row.number = static_cast<int>(r + 1);
      size_t last = 0;
      for (unsigned short c = 0; c < usedColumns; ++c) {
        FreeXL_CellValue v{};
        if (freexl_get_cell_value(book.h_, r, c, &v) != FREEXL_OK) continue;
        std::string text = CellString(v, limits.cellBytes);
        if (text.empty()) continue;
        row.cells.resize(c + 1u);
        row.cells[c] = std::move(text);
        last = c + 1u;
      }
      if (last > 0) sheet.rows.push_back(std::move(row));
    }
    out.sheets.push_back(std::move(sheet));
  }
  return out;
}

}  // namespace tarvolen::sheets
