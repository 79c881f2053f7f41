#include <algorithm>
#include <cstdio>

#include "query/ReportCommand.h"
#include "query/ReportInputs.h"
#include "query/Utilisation.h"

namespace tarvolen::query {

namespace {

Status WriteText(const std::filesystem::path& path, const std::string& text) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return Status(ErrorCode::OpenFailed, path.string() + ": cannot be written");
  const bool whole = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const bool closed = std::fclose(f) == 0;
  if (!whole || !closed) return Status(ErrorCode::WriteFailed, path.string() + ": not written whole");
  return Status::Ok();
}

}  // namespace

Status RunReport(const ReportArguments& args, const DateTime& now, WorkbookWriter& workbooks, PictureFiles& pictures) {
  const ProgramFolder folder(args.home);
  auto inputs = ReadReportInputs(folder);
  if (!inputs.ok()) return inputs.status();
  UtilisationRequest request = DefaultUtilisationRequest(now.date, inputs->dividers);
  if (args.from) request.from = *args.from;
  if (args.to) request.to = *args.to;
  if (!args.type.empty()) {
    const auto& majors = inputs->categories.majors;
    const auto it = std::find(majors.begin(), majors.end(), args.type);
    if (it == majors.end()) return Status(ErrorCode::Refused, "no room type named " + args.type);
    request.type = static_cast<int>(it - majors.begin());
  }
  const UtilisationContext context{folder, inputs->rooms, inputs->categories, inputs->defaultTimeLimit, inputs->running,
                                   now};
  const UtilisationReport report = BuildUtilisation(request, context);
  switch (*FormatOf(args.out)) {
    case ReportFormat::Csv: return WriteText(args.out, UtilisationCsv(report));
    case ReportFormat::Xlsx: return workbooks.WriteSheet(args.out, UtilisationTable(report));
    case ReportFormat::Png: return pictures.SavePng(args.out, LayOutUtilisation(report, UtilisationView::RoomsByHour));
    case ReportFormat::Pdf: return pictures.SavePdf(args.out, LayOutUtilisation(report, UtilisationView::RoomsByHour));
  }
  return Status(ErrorCode::Refused, "unknown output format");
}

}  // namespace tarvolen::query
