#include "platform/sheets/SpreadsheetReader.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>
#include <vector>

#include "platform/sheets/CellText.h"
#include "platform/sheets/XlsReader.h"
#include "platform/sheets/XlsxReader.h"

namespace tarvolen {
namespace {

constexpr std::string_view kZipMagic("PK\x03\x04", 4);
constexpr std::string_view kCompoundMagic("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

// Whether the compound file's directory names the stream "EncryptedPackage"
// (UTF-16LE), which is how an .xlsx with a password to open is stored.
bool HoldsEncryptedPackage(std::ifstream& file) {
  static const std::string needle = [] {
    std::string s;
    for (char c : std::string_view("EncryptedPackage")) {
      s.push_back(c);
      s.push_back('\0');
    }
    return s;
  }();
  file.clear();
  file.seekg(0);
  std::vector<char> block(1 << 16);
  std::string carry;
  while (file) {
    file.read(block.data(), static_cast<std::streamsize>(block.size()));
    const auto got = static_cast<size_t>(file.gcount());
    if (got == 0) break;
    std::string window = carry + std::string(block.data(), got);
    if (window.find(needle) != std::string::npos) return true;
    carry = window.substr(window.size() > needle.size() ? window.size() - needle.size() : 0);
  }
  return false;
}

}  // namespace

Result<Workbook> SpreadsheetReader::read(const std::string& path, const WorkbookLimits& limits) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Status(ErrorCode::OpenFailed, sheets::kOpenFailed);
  std::array<char, 8> head{};
  file.read(head.data(), head.size());
  const std::string_view start(head.data(), static_cast<size_t>(file.gcount()));
  if (start.starts_with(kZipMagic)) return sheets::ReadXlsx(path, limits);
  if (start == kCompoundMagic) {
    Result<Workbook> book = sheets::ReadXlsIsolated(path, limits);
    if (!book.ok() && HoldsEncryptedPackage(file)) return Status(ErrorCode::Corrupt, sheets::kPassword);
    return book;
  }
  return Status(ErrorCode::Corrupt, sheets::kNotWorkbook);
}

}  // namespace tarvolen
