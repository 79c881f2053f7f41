#include "query/ReportCommand.h"

#include <algorithm>
#include <cctype>

namespace tarvolen::query {

const char* const kReportUsage =
    "usage: tarvolen-report --home DIR [--from yyyy-mm-dd --to yyyy-mm-dd] [--type NAME] --out FILE\n"
    "  the room utilisation of DIR's check-in records; FILE ends in .csv, .xlsx, .png or .pdf.\n"
    "  Without --from/--to: the current semester. --type: the rooms of one room type.\n";

std::optional<CivilDate> ParseIsoDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
  }
  const int y = std::stoi(text.substr(0, 4)), m = std::stoi(text.substr(5, 2)), d = std::stoi(text.substr(8, 2));
  if (y < 1900 || !IsValidCivil(y, m, d)) return std::nullopt;
  return CivilDate{y, m, d};
}

std::optional<ReportFormat> FormatOf(const std::filesystem::path& out) {
  std::string ext = out.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".csv") return ReportFormat::Csv;
  if (ext == ".xlsx") return ReportFormat::Xlsx;
  if (ext == ".png") return ReportFormat::Png;
  if (ext == ".pdf") return ReportFormat::Pdf;
  return std::nullopt;
}

Result<ReportArguments> ParseReportArguments(const std::vector<std::string>& args) {
  ReportArguments a;
  auto refuse = [](const std::string& why) { return Status(ErrorCode::Refused, why); };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      a.help = true;
      return a;
    }
    const bool takesValue = arg == "--home" || arg == "--from" || arg == "--to" || arg == "--type" || arg == "--out";
    if (!takesValue) return refuse("unknown argument " + arg);
    if (i + 1 >= args.size()) return refuse(arg + " needs a value");
    const std::string& value = args[++i];
    if (arg == "--home") {
      a.home = value;
    } else if (arg == "--from" || arg == "--to") {
      auto day = ParseIsoDate(value);
      if (!day) return refuse(arg + " " + value + ": not a day written yyyy-mm-dd");
      (arg == "--from" ? a.from : a.to) = day;
    } else if (arg == "--type") {
      a.type = value;
    } else {
      a.out = value;
    }
  }
  if (a.home.empty()) return refuse("--home DIR is missing");
  if (a.out.empty()) return refuse("--out FILE is missing");
  if (!FormatOf(a.out)) return refuse(a.out.string() + ": the output must end in .csv, .xlsx, .png or .pdf");
  if (a.from.has_value() != a.to.has_value()) return refuse("--from and --to go together");
  return a;
}

}  // namespace tarvolen::query
