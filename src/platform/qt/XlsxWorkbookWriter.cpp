#include "platform/qt/XlsxWorkbookWriter.h"

#include <freexl.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <system_error>

namespace tarvolen {

Result<CellRow> XlsxWorkbookWriter::ReadTitleRow(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return Status(ErrorCode::Missing, path.string());
  const void* handle = nullptr;
  const int opened = freexl_open(path.c_str(), &handle);
  if (opened != FREEXL_OK) {
    if (handle != nullptr) freexl_close(handle);
    return Status(ErrorCode::Corrupt, path.string() + ": FreeXL " + std::to_string(opened));
  }
  CellRow row;
  unsigned int rows = 0;
  unsigned short columns = 0;
  if (freexl_select_active_worksheet(handle, 0) == FREEXL_OK &&
      freexl_worksheet_dimensions(handle, &rows, &columns) == FREEXL_OK && rows > 0) {
    for (unsigned short c = 0; c < columns; ++c) {
      FreeXL_CellValue v;
      if (freexl_get_cell_value(handle, 0, c, &v) != FREEXL_OK) break;
      SheetCell cell;
      switch (v.type) {
        case FREEXL_CELL_INT:
          cell = {std::to_string(v.value.int_value), true, static_cast<double>(v.value.int_value)};
          break;
        case FREEXL_CELL_DOUBLE: {
          char buf[64];
          std::snprintf(buf, sizeof buf, "%g", v.value.double_value);
          cell = {buf, true, v.value.double_value};
          break;
        }
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME: cell.text = v.value.text_value != nullptr ? v.value.text_value : ""; break;
        default: break;
      }
      row.push_back(std::move(cell));
    }
  }
  freexl_close(handle);
  return row;
}

Status XlsxWorkbookWriter::WriteSheet(const std::filesystem::path& path, const std::vector<CellRow>& rows) {
  lxw_workbook* book = workbook_new(path.c_str());
  if (book == nullptr) return Status(ErrorCode::WriteFailed, path.string());
  lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
  lxw_error failed = LXW_NO_ERROR;
  for (size_t r = 0; r < rows.size() && failed == LXW_NO_ERROR; ++r) {
    for (size_t c = 0; c < rows[r].size() && failed == LXW_NO_ERROR; ++c) {
      const SheetCell& cell = rows[r][c];
      const auto row = static_cast<lxw_row_t>(r);
      const auto col = static_cast<lxw_col_t>(c);
      if (cell.number) {
        failed = worksheet_write_number(sheet, row, col, cell.value, nullptr);
      } else if (!cell.text.empty()) {
        failed = worksheet_write_string(sheet, row, col, cell.text.c_str(), nullptr);
      }
    }
  }
  // The file itself is made only here: a folder that cannot take it fails now.
  const lxw_error closed = workbook_close(book);
  if (failed != LXW_NO_ERROR) return Status(ErrorCode::WriteFailed, lxw_strerror(failed));
  if (closed != LXW_NO_ERROR) return Status(ErrorCode::WriteFailed, path.string() + ": " + lxw_strerror(closed));
  return Status::Ok();
}

}  // namespace tarvolen
