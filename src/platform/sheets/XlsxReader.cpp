#include "platform/sheets/XlsxReader.h"

#include <expat.h>
#include <minizip/unzip.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/sheets/CellText.h"

namespace tarvolen::sheets {
namespace {

// No part of a workbook this desk reads comes near this; a larger one is a
// zip bomb or not meant for it.
constexpr uint64_t kPartLimit = 256ull << 20;
constexpr int kMaxRow = 1048576;

std::string_view LocalName(const char* name) {
  std::string_view n(name);
  const size_t bar = n.rfind('|');
  return bar == std::string_view::npos ? n : n.substr(bar + 1);
}
bool Namespaced(const char* name) { return std::string_view(name).find('|') != std::string_view::npos; }

// An attribute by its local name (namespaced or not, as asked).
const char* Attribute(const char** attrs, std::string_view local, bool namespaced = false) {
  for (int i = 0; attrs[i] != nullptr; i += 2) {
    if (LocalName(attrs[i]) == local && Namespaced(attrs[i]) == namespaced) return attrs[i + 1];
  }
  return nullptr;
}

int ToInt(const char* text, int fallback) {
  if (text == nullptr) return fallback;
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || v < 0 || v > 0x7fffffff) return fallback;
  return static_cast<int>(v);
}

// Appends at most up to `limit` bytes, never cutting a UTF-8 character.
void AppendLimited(std::string& to, std::string_view s, size_t limit) {
  if (to.size() >= limit) return;
  if (to.size() + s.size() <= limit) {
    to.append(s);
    return;
  }
  size_t take = limit - to.size();
  while (take > 0 && (static_cast<unsigned char>(s[take]) & 0xC0) == 0x80) --take;
  to.append(s.substr(0, take));
}

class XmlHandler {
 public:
  virtual ~XmlHandler() = default;
  virtual void start(std::string_view name, const char** attrs) = 0;
  virtual void end(std::string_view name) = 0;
  virtual void text(std::string_view) {}
  // Set by a handler that met content it cannot take.
  std::optional<Status> failure;
};

class Zip {
 public:
  explicit Zip(const std::string& path) : file_(unzOpen64(path.c_str())) {}
  ~Zip() {
    if (file_ != nullptr) unzClose(file_);
  }
  Zip(const Zip&) = delete;
  Zip& operator=(const Zip&) = delete;
  bool open() const { return file_ != nullptr; }
  bool has(const std::string& name) { return unzLocateFile(file_, name.c_str(), 2) == UNZ_OK; }

  // Streams the part through expat into the handler. Missing: ErrorCode::Missing.
  Status parse(const std::string& name, XmlHandler& handler) {
    if (!has(name)) return Status(ErrorCode::Missing, kDamaged);
    if (unzOpenCurrentFile(file_) != UNZ_OK) return Status(ErrorCode::Corrupt, kDamaged);
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreateNS(nullptr, '|'), XML_ParserFree);
    if (!parser) {
      unzCloseCurrentFile(file_);
      return Status(ErrorCode::Corrupt, kTooLarge);
    }
    XML_Parser p = parser.get();
    XML_SetUserData(p, &handler);
    XML_SetElementHandler(
        p, [](void* h, const XML_Char* n, const XML_Char** a) { static_cast<XmlHandler*>(h)->start(LocalName(n), a); },
        [](void* h, const XML_Char* n) { static_cast<XmlHandler*>(h)->end(LocalName(n)); });
    XML_SetCharacterDataHandler(p, [](void* h, const XML_Char* s, int len) {
      static_cast<XmlHandler*>(h)->text(std::string_view(s, static_cast<size_t>(len)));
    });
    // A workbook part has no document type; one with entity declarations
    // is refused before any entity can be declared.
    XML_SetStartDoctypeDeclHandler(p, [](void* h, const XML_Char*, const XML_Char*, const XML_Char*, int) {
      static_cast<XmlHandler*>(h)->failure = Status(ErrorCode::Corrupt, kDamaged);
    });
    std::vector<char> buffer(1 << 16);
    uint64_t total = 0;
    Status result;
    while (true) {
      const int got = unzReadCurrentFile(file_, buffer.data(), static_cast<unsigned>(buffer.size()));
      if (got < 0) {
        result = Status(ErrorCode::Corrupt, kDamaged);
        break;
      }
      total += static_cast<uint64_t>(got);
      if (total > kPartLimit) {
        result = Status(ErrorCode::Corrupt, kTooLarge);
        break;
      }
      if (XML_Parse(p, buffer.data(), got, got == 0 ? XML_TRUE : XML_FALSE) != XML_STATUS_OK) {
        result = Status(ErrorCode::Corrupt, kDamaged);
        break;
      }
      if (handler.failure) {
        result = *handler.failure;
        break;
      }
      if (got == 0) break;
    }
    // A part cut short (or its checksum wrong) shows here.
    if (unzCloseCurrentFile(file_) != UNZ_OK && result.ok()) result = Status(ErrorCode::Corrupt, kDamaged);
    if (result.ok() && handler.failure) result = *handler.failure;
    return result;
  }

 private:
  unzFile file_;
};

struct SheetEntry {
  std::string name;
  std::string relationship;
};

class WorkbookPart final : public XmlHandler {
 public:
  void start(std::string_view name, const char** attrs) override {
    if (name == "sheet") {
      const char* n = Attribute(attrs, "name");
      const char* id = Attribute(attrs, "id", true);
      sheets.push_back({n != nullptr ? n : "", id != nullptr ? id : ""});
    } else if (name == "workbookPr") {
      const char* d = Attribute(attrs, "date1904");
      date1904 = d != nullptr && (std::string_view(d) == "1" || std::string_view(d) == "true");
    }
  }
  void end(std::string_view) override {}
  std::vector<SheetEntry> sheets;
  bool date1904 = false;
};

class RelationshipsPart final : public XmlHandler {
 public:
  void start(std::string_view name, const char** attrs) override {
    if (name != "Relationship") return;
    const char* id = Attribute(attrs, "Id");
    const char* target = Attribute(attrs, "Target");
    const char* type = Attribute(attrs, "Type");
    if (id == nullptr || target == nullptr) return;
    targets[id] = PartName(target);
    const std::string_view t = type != nullptr ? type : "";
    if (t.ends_with("/sharedStrings")) sharedStrings = PartName(target);
    if (t.ends_with("/styles")) styles = PartName(target);
  }
  void end(std::string_view) override {}

  // Targets are relative to xl/, or absolute within the package.
  static std::string PartName(std::string_view target) {
    if (target.starts_with("/")) return std::string(target.substr(1));
    return "xl/" + std::string(target);
  }
  std::map<std::string, std::string> targets;
  std::string sharedStrings = "xl/sharedStrings.xml";
  std::string styles = "xl/styles.xml";
};

class SharedStringsPart final : public XmlHandler {
 public:
  explicit SharedStringsPart(size_t limit) : limit_(limit) {}
  void start(std::string_view name, const char**) override {
    if (name == "si") {
      current_.clear();
      inItem_ = true;
    } else if (name == "rPh") {
      ++phonetic_;  // the reading hints above East Asian text are not the text
    } else if (name == "t" && inItem_ && phonetic_ == 0) {
      inText_ = true;
    }
  }
  void end(std::string_view name) override {
    if (name == "si") {
      strings.push_back(std::move(current_));
      current_.clear();
      inItem_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "t") {
      inText_ = false;
    }
  }
  void text(std::string_view s) override {
    if (inText_) AppendLimited(current_, s, limit_);
  }
  std::vector<std::string> strings;

 private:
  size_t limit_;
  std::string current_;
  bool inItem_ = false;
  bool inText_ = false;
  int phonetic_ = 0;
};

class StylesPart final : public XmlHandler {
 public:
  void start(std::string_view name, const char** attrs) override {
    if (name == "numFmt") {
      const char* code = Attribute(attrs, "formatCode");
      formats[ToInt(Attribute(attrs, "numFmtId"), -1)] = code != nullptr ? code : "";
    } else if (name == "cellXfs") {
      inCellXfs_ = true;
    } else if (name == "xf" && inCellXfs_) {
      xfFormats.push_back(ToInt(Attribute(attrs, "numFmtId"), 0));
    }
  }
  void end(std::string_view name) override {
    if (name == "cellXfs") inCellXfs_ = false;
  }
  // Whether cell style s shows a date.
  std::vector<bool> DateStyles() const {
    std::vector<bool> dates;
    for (int id : xfFormats) {
      auto f = formats.find(id);
      dates.push_back(IsDateFormat(id, f != formats.end() ? std::string_view(f->second) : std::string_view()));
    }
    return dates;
  }
  std::map<int, std::string> formats;
  std::vector<int> xfFormats;

 private:
  bool inCellXfs_ = false;
};

class SheetPart final : public XmlHandler {
 public:
  SheetPart(const WorkbookLimits& limits, const std::vector<std::string>* strings, const std::vector<bool>& dates,
            bool date1904)
      : limits_(limits), strings_(strings), dates_(dates), date1904_(date1904) {}

  void start(std::string_view name, const char** attrs) override {
    if (name == "row") {
      const char* r = Attribute(attrs, "r");
      const int number = r != nullptr ? ToInt(r, 0) : rowNumber_ + 1;
      if (number < 1 || number > kMaxRow) {
        failure = Status(ErrorCode::Corrupt, kDamaged);
        return;
      }
      rowNumber_ = number;
      row_ = SheetRow{number, {}};
      column_ = 0;
      inRow_ = true;
    } else if (name == "c" && inRow_) {
      const char* r = Attribute(attrs, "r");
      const int column = r != nullptr ? ColumnOfReference(r) : column_ + 1;
      if (column < 1 || column > 16384) {
        failure = Status(ErrorCode::Corrupt, kDamaged);
        return;
      }
      column_ = column;
      const char* t = Attribute(attrs, "t");
      type_ = t != nullptr ? t : "n";
      style_ = ToInt(Attribute(attrs, "s"), 0);
      value_.clear();
      inCell_ = true;
    } else if (inCell_ && name == "v") {
      inValue_ = true;
    } else if (inCell_ && name == "rPh") {
      ++phonetic_;
    } else if (inCell_ && name == "t" && type_ == "inlineStr" && phonetic_ == 0) {
      inValue_ = true;
    }
  }

  void end(std::string_view name) override {
    if (name == "v" || name == "t") {
      inValue_ = false;
    } else if (name == "rPh") {
      --phonetic_;
    } else if (name == "c" && inCell_) {
      inCell_ = false;
      if (column_ <= limits_.columns) Store(CellText());
    } else if (name == "row" && inRow_) {
      inRow_ = false;
      if (!row_.cells.empty()) rows.push_back(std::move(row_));
    }
  }

  void text(std::string_view s) override {
    if (inValue_) AppendLimited(value_, s, limits_.cellBytes);
  }

  std::vector<SheetRow> rows;

 private:
  std::string CellText() {
    if (type_ == "s") {
      if (value_.empty()) return {};
      if (strings_ == nullptr) {
        failure = Status(ErrorCode::Missing, kNoSharedStrings);
        return {};
      }
      const int index = ToInt(value_.c_str(), -1);
      if (index < 0 || index >= static_cast<int>(strings_->size())) {
        failure = Status(ErrorCode::Corrupt, kDamaged);
        return {};
      }
      return (*strings_)[static_cast<size_t>(index)];
    }
    if (type_ == "inlineStr" || type_ == "str") return value_;
    if (type_ == "b") return value_.empty() ? "" : (value_ == "1" || value_ == "true") ? "TRUE" : "FALSE";
    if (type_ == "e") return {};
    if (type_ == "d") return value_.size() >= 10 ? value_.substr(0, 10) : value_;
    if (value_.empty()) return {};
    const bool date = style_ >= 0 && style_ < static_cast<int>(dates_.size()) && dates_[static_cast<size_t>(style_)];
    if (date) {
      char* end = nullptr;
      const double serial = std::strtod(value_.c_str(), &end);
      if (end != value_.c_str() && *end == '\0') return SerialDateText(serial, date1904_, true);
    }
    return PlainNumberText(value_);
  }

  void Store(std::string text) {
    if (text.empty()) return;
    if (row_.cells.size() < static_cast<size_t>(column_)) row_.cells.resize(static_cast<size_t>(column_));
    row_.cells[static_cast<size_t>(column_ - 1)] = std::move(text);
  }

  const WorkbookLimits& limits_;
  const std::vector<std::string>* strings_;
  const std::vector<bool>& dates_;
  bool date1904_;
  SheetRow row_;
  int rowNumber_ = 0;
  int column_ = 0;
  std::string type_;
  int style_ = 0;
  std::string value_;
  bool inRow_ = false;
  bool inCell_ = false;
  bool inValue_ = false;
  int phonetic_ = 0;
};

}  // namespace

Result<Workbook> ReadXlsx(const std::string& path, const WorkbookLimits& limits) {
  Zip zip(path);
  if (!zip.open()) return Status(ErrorCode::Corrupt, kDamaged);
  WorkbookPart workbook;
  if (Status s = zip.parse("xl/workbook.xml", workbook); !s.ok()) {
    return Status(ErrorCode::Corrupt, s.code() == ErrorCode::Missing ? kNotWorkbook : s.detail());
  }
  RelationshipsPart rels;
  if (Status s = zip.parse("xl/_rels/workbook.xml.rels", rels); !s.ok()) return Status(ErrorCode::Corrupt, s.detail());

  std::optional<SharedStringsPart> strings;
  if (zip.has(rels.sharedStrings)) {
    strings.emplace(limits.cellBytes);
    if (Status s = zip.parse(rels.sharedStrings, *strings); !s.ok()) return s;
  }
  std::vector<bool> dates;
  if (zip.has(rels.styles)) {
    StylesPart styles;
    if (Status s = zip.parse(rels.styles, styles); !s.ok()) return s;
    dates = styles.DateStyles();
  }

  Workbook out;
  const size_t wanted = std::min(workbook.sheets.size(), static_cast<size_t>(std::max(0, limits.sheets)));
  for (size_t i = 0; i < wanted; ++i) {
    const SheetEntry& entry = workbook.sheets[i];
    auto target = rels.targets.find(entry.relationship);
    if (target == rels.targets.end()) return Status(ErrorCode::Corrupt, kDamaged);
    SheetPart part(limits, strings ? &strings->strings : nullptr, dates, workbook.date1904);
    if (Status s = zip.parse(target->second, part); !s.ok()) return s;
    Sheet sheet;
    sheet.name = entry.name;
    sheet.rows = std::move(part.rows);
    // Rows in number order, the first of a number kept.
    std::stable_sort(sheet.rows.begin(), sheet.rows.end(),
                     [](const SheetRow& a, const SheetRow& b) { return a.number < b.number; });
    sheet.rows.erase(std::unique(sheet.rows.begin(), sheet.rows.end(),
                                 [](const SheetRow& a, const SheetRow& b) { return a.number == b.number; }),
                     sheet.rows.end());
    out.sheets.push_back(std::move(sheet));
  }
  return out;
}

}  // namespace tarvolen::sheets
