#include "query/UtilisationDesk.h"

#include <algorithm>
#include <cctype>

namespace tarvolen::query {

namespace {

constexpr const char* kAllRooms = "全部房间";

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

}  // namespace

UtilisationDesk::UtilisationDesk(Services services, std::unique_ptr<Timer> timer)
    : services_(std::move(services)), timer_(std::move(timer)) {
  timer_->onTimeout = [this] { Tick(); };
  ChooseRooms();
}

UtilisationDesk::~UtilisationDesk() { timer_->stop(); }

void UtilisationDesk::Open() {
  ChooseRooms();
  if (!requestSet_) {
    const UtilisationRequest byDefault = services_.computation.defaultRequest(services_.clock.today());
    request_.from = byDefault.from;
    request_.to = byDefault.to;
    requestSet_ = true;
  }
  shown_ = true;
  changed();
}

void UtilisationDesk::Close() {
  timer_->stop();
  if (stepper_ != nullptr) status_.clear();
  stepper_.reset();
  shown_ = false;
  changed();
}

void UtilisationDesk::setFrom(const CivilDate& d) {
  request_.from = d;
  changed();
}

void UtilisationDesk::setTo(const CivilDate& d) {
  request_.to = d;
  changed();
}

// The room types with a name in zy.dat, in their order.
void UtilisationDesk::ChooseRooms() {
  const int chosenType = choice_ > 0 ? choiceTypes_[static_cast<size_t>(choice_ - 1)] : -1;
  choiceNames_.assign(1, kAllRooms);
  choiceTypes_.clear();
  for (int t = 0; t < CategoryLists::kNames; ++t) {
    const std::string& name = services_.categories.majors[static_cast<size_t>(t)];
    if (name.empty()) continue;
    choiceNames_.push_back(name);
    choiceTypes_.push_back(t);
  }
  // Keep the type chosen before when it is still there.
  auto it = std::find(choiceTypes_.begin(), choiceTypes_.end(), chosenType);
  choice_ = it == choiceTypes_.end() ? 0 : static_cast<int>(it - choiceTypes_.begin()) + 1;
  setRoomChoice(choice_);
}

void UtilisationDesk::setRoomChoice(int choice) {
  if (choice < 0 || choice >= static_cast<int>(choiceNames_.size())) choice = 0;
  choice_ = choice;
  request_.rooms.clear();
  request_.type.reset();
  if (choice_ > 0) request_.type = choiceTypes_[static_cast<size_t>(choice_ - 1)];
  changed();
}

void UtilisationDesk::Run() {
  if (DayNumber(request_.from) > DayNumber(request_.to)) {
    services_.boxes.show(kUtilisationBoxTitle, "开始日期不能晚于结束日期", BoxIcon::Critical);
    return;
  }
  timer_->stop();
  stepper_ = services_.computation.start(request_);
  progress_ = 0;
  status_ = "正在统计 0%";
  changed();
  if (stepper_ == nullptr) {
    status_.clear();
    changed();
    return;
  }
  // A zero interval: one block of records each time the event loop is idle.
  timer_->start(0);
}

void UtilisationDesk::Tick() {
  if (stepper_ == nullptr) {
    timer_->stop();
    return;
  }
  if (stepper_->Step()) {
    Finish();
    return;
  }
  const double p = std::clamp(stepper_->Progress(), 0.0, 1.0);
  const int before = static_cast<int>(progress_ * 100);
  progress_ = p;
  const int percent = static_cast<int>(p * 100);
  // The window redraws when the shown percentage moves, not on every block.
  if (percent != before) {
    status_ = "正在统计 " + std::to_string(percent) + "%";
    changed();
  }
}

void UtilisationDesk::Finish() {
  timer_->stop();
  report_ = stepper_->Take();
  stepper_.reset();
  progress_ = 1;
  hasReport_ = true;
  picture_ = LayOutUtilisation(report_, view_);
  ++pictureVersion_;
  figures_ = UtilisationFigureRows(report_);
  notes_ = report_.Notes();
  status_ = report_.empty() ? std::string("所选时段没有使用记录")
                            : "统计完成：" + std::to_string(report_.rooms.size()) + "间房间";
  changed();
}

void UtilisationDesk::setView(UtilisationView view) {
  if (view == view_) return;
  view_ = view;
  if (hasReport_) {
    picture_ = LayOutUtilisation(report_, view_);
    ++pictureVersion_;
  }
  changed();
}

UtilisationExport UtilisationDesk::Export(FileDialogs& dialogs, const char* title, const char* filter,
                                          const char* ending,
                                          const std::function<Status(const std::filesystem::path&)>& write) {
  UtilisationExport out;
  if (!hasReport_ || running()) return out;
  const auto chosen = dialogs.saveFile(title, filter);
  if (!chosen || chosen->empty()) return out;
  std::filesystem::path path(*chosen);
  if (Lower(path.extension().string()) != ending) path += ending;
  out.path = path;
  const Status written = write(path);
  out.written = written.ok();
  out.message = written.ok() ? "已导出 " + path.string() : "导出失败：" + written.detail();
  services_.boxes.show(kUtilisationBoxTitle, out.message, written.ok() ? BoxIcon::Information : BoxIcon::Critical);
  return out;
}

UtilisationExport UtilisationDesk::ExportPng(FileDialogs& dialogs, PictureFiles& files) {
  return Export(dialogs, "导出图片", "PNG 图片 (*.png)", ".png",
                [&](const std::filesystem::path& p) { return files.SavePng(p, picture_); });
}

UtilisationExport UtilisationDesk::ExportPdf(FileDialogs& dialogs, PictureFiles& files) {
  return Export(dialogs, "导出PDF", "PDF 文件 (*.pdf)", ".pdf",
                [&](const std::filesystem::path& p) { return files.SavePdf(p, picture_); });
}

UtilisationExport UtilisationDesk::ExportXlsx(FileDialogs& dialogs, WorkbookWriter& workbooks) {
  return Export(dialogs, "导出电子表格", "电子表格 (*.xlsx)", ".xlsx", [&](const std::filesystem::path& p) {
    return workbooks.WriteSheet(p, services_.computation.table(report_));
  });
}

}  // namespace tarvolen::query
