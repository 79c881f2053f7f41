#include "platform/sheets/XlsReader.h"

#include <fcntl.h>
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

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

// --- In a child process ----------------------------------------------------

namespace tarvolen::sheets {
namespace {

void PutNumber(std::string& out, uint64_t n) { out.append(reinterpret_cast<const char*>(&n), sizeof n); }
void PutText(std::string& out, const std::string& s) {
  PutNumber(out, s.size());
  out.append(s);
}

std::string Serialise(const Result<Workbook>& book) {
  std::string out;
  if (!book.ok()) {
    out.push_back('E');
    PutNumber(out, static_cast<uint64_t>(book.status().code()));
    PutText(out, book.status().detail());
    return out;
  }
  out.push_back('W');
  PutNumber(out, book->sheets.size());
  for (const Sheet& sheet : book->sheets) {
    PutText(out, sheet.name);
    PutNumber(out, sheet.rows.size());
    for (const SheetRow& row : sheet.rows) {
      PutNumber(out, static_cast<uint64_t>(row.number));
      PutNumber(out, row.cells.size());
      for (const std::string& cell : row.cells) PutText(out, cell);
    }
  }
  return out;
}

class Reader {
 public:
  explicit Reader(const std::string& bytes) : bytes_(bytes) {}
  bool number(uint64_t& n) {
    if (bytes_.size() - at_ < sizeof n) return false;
    std::memcpy(&n, bytes_.data() + at_, sizeof n);
    at_ += sizeof n;
    return true;
  }
  bool text(std::string& s) {
    uint64_t n = 0;
    if (!number(n) || n > bytes_.size() - at_) return false;
    s.assign(bytes_, at_, n);
    at_ += n;
    return true;
  }
  bool byte(char& c) {
    if (at_ >= bytes_.size()) return false;
    c = bytes_[at_++];
    return true;
  }
  // A count no larger than the bytes left could describe.
  bool count(uint64_t& n) { return number(n) && n <= bytes_.size() - at_; }

 private:
  const std::string& bytes_;
  size_t at_ = 0;
};

std::optional<Result<Workbook>> Deserialise(const std::string& bytes) {
  Reader in(bytes);
  char kind = 0;
  if (!in.byte(kind)) return std::nullopt;
  if (kind == 'E') {
    uint64_t code = 0;
    std::string detail;
    if (!in.number(code) || !in.text(detail)) return std::nullopt;
    return Result<Workbook>(Status(static_cast<ErrorCode>(code), detail));
  }
  Workbook book;
  uint64_t sheets = 0;
  if (kind != 'W' || !in.count(sheets)) return std::nullopt;
  for (uint64_t s = 0; s < sheets; ++s) {
    Sheet sheet;
    uint64_t rows = 0;
    if (!in.text(sheet.name) || !in.count(rows)) return std::nullopt;
    for (uint64_t r = 0; r < rows; ++r) {
      SheetRow row;
      uint64_t number = 0;
      uint64_t cells = 0;
      if (!in.number(number) || !in.count(cells)) return std::nullopt;
      row.number = static_cast<int>(number);
      row.cells.resize(cells);
      for (std::string& cell : row.cells) {
        if (!in.text(cell)) return std::nullopt;
      }
      sheet.rows.push_back(std::move(row));
    }
    book.sheets.push_back(std::move(sheet));
  }
  return Result<Workbook>(std::move(book));
}

}  // namespace

Result<Workbook> ReadXlsIsolated(const std::string& path, const WorkbookLimits& limits, int seconds) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return ReadXls(path, limits);
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(fds[0]);
    ::close(fds[1]);
    return ReadXls(path, limits);
  }
  if (child == 0) {
    ::close(fds[0]);
    const std::string out = Serialise(ReadXls(path, limits));
    size_t done = 0;
    while (done < out.size()) {
      const ssize_t n = ::write(fds[1], out.data() + done, out.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) ::_exit(2);
      done += static_cast<size_t>(n);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string bytes;
  char buffer[1 << 16];
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  bool timedOut = false;
  while (true) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    pollfd p{fds[0], POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timedOut = ready == 0;
      break;
    }
    const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fds[0]);
  if (timedOut) ::kill(child, SIGKILL);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return Status(ErrorCode::Corrupt, kDamaged);
  std::optional<Result<Workbook>> book = Deserialise(bytes);
  if (!book) return Status(ErrorCode::Corrupt, kDamaged);
  return std::move(*book);
}

}  // namespace tarvolen::sheets
