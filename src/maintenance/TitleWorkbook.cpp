#include "maintenance/TitleWorkbook.h"

#include <system_error>

#include "store/RecordFile.h"
#include "store/TextCells.h"

namespace tarvolen {

namespace {

constexpr size_t kSector = 512;
constexpr size_t kMiniStreamCutoff = 4096;
constexpr uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr uint32_t kFreeSector = 0xFFFFFFFF;
constexpr uint32_t kFatSector = 0xFFFFFFFD;
constexpr uint32_t kNoStream = 0xFFFFFFFF;

void Put16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, static_cast<uint16_t>(v));
  Put16(b, static_cast<uint16_t>(v >> 16));
}
void Set32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

std::u16string Utf16(const std::string& utf8) {
  std::u16string out;
  for (auto cp : CodePoints(utf8)) {
    const auto c = static_cast<uint32_t>(cp);
    if (c >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

void Record(Bytes& stream, uint16_t type, const Bytes& body) {
  Put16(stream, type);
  Put16(stream, static_cast<uint16_t>(body.size()));
  stream.insert(stream.end(), body.begin(), body.end());
}

Bytes Bof(uint16_t kind) {
  Bytes b;
  Put16(b, 0x0600);  // BIFF8
  Put16(b, kind);    // 0x0005 workbook globals, 0x0010 worksheet
  Put16(b, 0x0DBB);  // build
  Put16(b, 0x07CC);  // year
  Put32(b, 0);       // file history
  Put32(b, 0x0006);  // lowest version that can read it
  return b;
}

// The workbook stream: globals (code page, the sheet, the shared strings)
// and the one sheet with the text cells of row 1.
Bytes WorkbookStream(const std::vector<std::string>& cells) {
  Bytes globals;
  Record(globals, 0x0809, Bof(0x0005));
  Record(globals, 0x0042, {0xB0, 0x04});  // code page 1200: texts are UTF-16
  const std::u16string sheetName = u"Sheet1";
  Bytes sheet;
  Put32(sheet, 0);  // the sheet's offset, set below
  Put16(sheet, 0);  // visible worksheet
  sheet.push_back(static_cast<uint8_t>(sheetName.size()));
  sheet.push_back(0);  // 8-bit characters
  for (char16_t c : sheetName) sheet.push_back(static_cast<uint8_t>(c));
  const size_t sheetRecordAt = globals.size() + 4;
  Record(globals, 0x0085, sheet);
  Bytes sst;
  Put32(sst, static_cast<uint32_t>(cells.size()));
  Put32(sst, static_cast<uint32_t>(cells.size()));
  for (const auto& text : cells) {
    const std::u16string u = Utf16(text);
    Put16(sst, static_cast<uint16_t>(u.size()));
    sst.push_back(0x01);  // 16-bit characters
    for (char16_t c : u) Put16(sst, static_cast<uint16_t>(c));
  }
  Record(globals, 0x00FC, sst);
  Record(globals, 0x000A, {});

  Bytes stream = globals;
  Set32(stream, sheetRecordAt, static_cast<uint32_t>(stream.size()));
  Record(stream, 0x0809, Bof(0x0010));
  Bytes dims;
  Put32(dims, 0);
  Put32(dims, cells.empty() ? 0 : 1);
  Put16(dims, 0);
  Put16(dims, static_cast<uint16_t>(cells.size()));
  Put16(dims, 0);
  Record(stream, 0x0200, dims);
  for (size_t c = 0; c < cells.size(); ++c) {
    Bytes label;
    Put16(label, 0);                         // row 1
    Put16(label, static_cast<uint16_t>(c));  // column
    Put16(label, 0x0F);                      // the default cell format
    Put32(label, static_cast<uint32_t>(c));  // string c of the shared strings
    Record(stream, 0x00FD, label);
  }
  Record(stream, 0x000A, {});
  // A stream below the cut-off would belong in the mini stream: padded to
  // it, it lives in ordinary sectors and the file needs no mini FAT.
  if (stream.size() < kMiniStreamCutoff) stream.resize(kMiniStreamCutoff, 0);
  return stream;
}

void DirectoryEntry(Bytes& dir, const std::u16string& name, uint8_t type, uint32_t child, uint32_t start,
                    uint32_t size) {
  const size_t at = dir.size();
  for (char16_t c : name) Put16(dir, static_cast<uint16_t>(c));
  dir.resize(at + 64, 0);
  Put16(dir, static_cast<uint16_t>((name.size() + 1) * 2));
  dir.push_back(type);
  dir.push_back(1);  // black
  Put32(dir, kNoStream);
  Put32(dir, kNoStream);
  Put32(dir, child);
  dir.resize(at + 116, 0);  // class id, state, times
  Put32(dir, start);
  Put32(dir, size);
  Put32(dir, 0);
}

}  // namespace

Bytes MakeTitleWorkbook(const std::vector<std::string>& cells) {
  Bytes stream = WorkbookStream(cells);
  const size_t streamSectors = (stream.size() + kSector - 1) / kSector;
  stream.resize(streamSectors * kSector, 0);
  const auto dirSector = static_cast<uint32_t>(streamSectors);
  const uint32_t fatSector = dirSector + 1;

  Bytes file;
  const uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  for (uint8_t b : signature) file.push_back(b);
  file.resize(24, 0);   // class id
  Put16(file, 0x003E);  // minor version
  Put16(file, 0x0003);  // major version: 512-byte sectors
  Put16(file, 0xFFFE);  // little-endian
  Put16(file, 9);       // sector size 2^9
  Put16(file, 6);       // mini sector size 2^6
  file.resize(44, 0);   // reserved, directory sector count (0 in version 3)
  Put32(file, 1);       // FAT sectors
  Put32(file, dirSector);
  Put32(file, 0);  // transactions
  Put32(file, static_cast<uint32_t>(kMiniStreamCutoff));
  Put32(file, kEndOfChain);  // no mini FAT
  Put32(file, 0);
  Put32(file, kEndOfChain);  // no further FAT index sectors
  Put32(file, 0);
  Put32(file, fatSector);
  while (file.size() < kSector) Put32(file, kFreeSector);

  file.insert(file.end(), stream.begin(), stream.end());

  Bytes dir;
  DirectoryEntry(dir, u"Root Entry", 5, 1, kEndOfChain, 0);
  DirectoryEntry(dir, u"Workbook", 2, kNoStream, 0, static_cast<uint32_t>(WorkbookStream(cells).size()));
  while (dir.size() < kSector) DirectoryEntry(dir, u"", 0, kNoStream, 0, 0);
  // Unused entries are all zero but for their siblings and child.
  file.insert(file.end(), dir.begin(), dir.end());

  Bytes fat;
  for (uint32_t s = 0; s < streamSectors; ++s) Put32(fat, s + 1 < streamSectors ? s + 1 : kEndOfChain);
  Put32(fat, kEndOfChain);  // the directory
  Put32(fat, kFatSector);
  while (fat.size() < kSector) Put32(fat, kFreeSector);
  file.insert(file.end(), fat.begin(), fat.end());
  return file;
}

Status WriteTitleWorkbook(const std::filesystem::path& path, const std::vector<std::string>& cells) {
  const Bytes bytes = MakeTitleWorkbook(cells);
  // A fresh file, private like every file of the installation, so no tail
  // of an older, longer one survives.
  std::error_code ec;
  std::filesystem::remove(path, ec);
  if (ec) return Status(ErrorCode::WriteFailed, path.string() + ": " + ec.message());
  auto file = RecordFile::Open(path, bytes.size());
  if (!file.ok()) return file.status();
  return file->write(1, bytes);
}

}  // namespace tarvolen
