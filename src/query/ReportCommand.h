#pragma once
// tarvolen-report: the utilisation report made without a display, for a
// nightly job. The arguments, the run, and the file written by the output's
// extension: .csv and .xlsx hold the numbers, .png and .pdf the picture.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/WorkbookWriter.h"
#include "query/UtilisationPicture.h"
#include "store/OleDate.h"
#include "store/Result.h"

namespace tarvolen::query {

struct ReportArguments {
  std::filesystem::path home;
  std::optional<CivilDate> from;  // both or neither: the current semester without them
  std::optional<CivilDate> to;
  std::string type;  // a room type's name; empty: every type
  std::filesystem::path out;
  bool help = false;
};

enum class ReportFormat { Csv, Xlsx, Png, Pdf };

// "yyyy-mm-dd" of a day that exists, nothing else.
std::optional<CivilDate> ParseIsoDate(const std::string& text);
// The format named by the output's extension (case ignored).
std::optional<ReportFormat> FormatOf(const std::filesystem::path& out);

// The arguments after the program's name; a refusal says what is wrong.
Result<ReportArguments> ParseReportArguments(const std::vector<std::string>& args);
extern const char* const kReportUsage;

// Reads the program folder (never writing to it), builds the report and
// writes `out`. The status says what failed.
Status RunReport(const ReportArguments& args, const DateTime& now, WorkbookWriter& workbooks, PictureFiles& pictures);

}  // namespace tarvolen::query
