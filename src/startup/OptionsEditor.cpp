#include "startup/OptionsEditor.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "startup/UseOptions.h"
#include "notify/MessageLayout.h"
#include "store/Gbk.h"
#include "store/NumberText.h"
#include "store/TextCells.h"

namespace tarvolen {

double NumberBoxValue(const std::string& text) {
  // Read like every number box; what is no number, or none that fits, is 0.
  const NumberText n = ReadNumber(text, NumberTarget::Currency);
  return n.isNumber() ? n.real : 0;
}

namespace {
std::string SingleText(float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.7g", static_cast<double>(v));
  return text;
}
}  // namespace

std::string NumberOptionText(const Options& o, NumberOption n) {
  switch (n) {
    case NumberOption::DefaultTimeLimit: return std::to_string(o.defaultTimeLimit);
    case NumberOption::CardDigitsField: return std::to_string(o.cardDigitsField);
    case NumberOption::PricePerHour: return SingleText(o.pricePerHour);
    case NumberOption::BalanceNeeded: return SingleText(o.balanceNeeded);
    case NumberOption::YearsOfStudy: return std::to_string(o.yearsOfStudy);
    case NumberOption::DailyHours: return SingleText(o.dailyHours);
    case NumberOption::DailyLimit: return std::to_string(o.dailyLimit);
    case NumberOption::IdDigits: return std::to_string(o.idDigits);
    case NumberOption::CardDigits: return std::to_string(o.cardDigits);
    case NumberOption::RechargeReminder: return SingleText(o.rechargeReminder);
    case NumberOption::ProtectionMinutes: return std::to_string(o.protectionMinutes);
    case NumberOption::OvertimeWait: return std::to_string(o.overtimeWait);
  }
  return {};
}

namespace {
int Clamp(double v, int lo, int hi) {
  if (!(v >= lo)) return lo;  // NaN too
  if (v > hi) return hi;
  return static_cast<int>(std::lround(v));
}
}  // namespace

Status OptionsEditor::WriteFailed(const std::string& what, const Status& failure) const {
  feedback_.PushMessage(what + "保存失败：" + failure.detail());
  return failure;
}

Status OptionsEditor::SetCheck(CheckOption option, bool on) {
  Options& o = options_;
  DirtyGroups& dirty = dirty_;
  // The three use-options also sit on the check-in panel of every operator;
  // the others belong to the settings pages.
  const bool boardOption = option == CheckOption::UseIdleRooms || option == CheckOption::UseOvertimeRooms ||
                           option == CheckOption::UseRoomsInTime;
  if (!boardOption) {
    const Right right = (option == CheckOption::AutoCheckout || option == CheckOption::DropPreviousDay)
                            ? Right::Parameters
                            : Right::Settings;
    if (Status s = Require(right); !s.ok()) return s;
  }
  switch (option) {
    case CheckOption::ShowDetails: o.showDetails = on; break;
    case CheckOption::CardOnly:
      o.cardOnly = on;
      if (hooks_.cardOnlyChanged) hooks_.cardOnlyChanged(on);
      break;
    case CheckOption::FocusForced: o.focusForced = on; break;
    case CheckOption::MainRowDigits: o.mainRowDigits = on; break;
    case CheckOption::SoundOn:
      o.soundOn = on;
      if (hooks_.soundChanged) hooks_.soundChanged(on);
      if (on) feedback_.PlaySoundCue(Cue::Ready);
      break;
    case CheckOption::UseIdleRooms:
    case CheckOption::UseOvertimeRooms:
    case CheckOption::UseRoomsInTime: {
      if (option == CheckOption::UseRoomsInTime && !RoomsInTimeEnabled(o)) {
        return feedback_.Refuse("使用未超时房间只在使用超时房间时可选。");
      }
      const UseOption which = option == CheckOption::UseIdleRooms       ? UseOption::IdleRooms
                              : option == CheckOption::UseOvertimeRooms ? UseOption::OvertimeRooms
                                                                        : UseOption::RoomsInTime;
      ClickUseOption(o, dirty, which, on);
      if (hooks_.roomChoiceChanged) hooks_.roomChoiceChanged();
      return Status::Ok();
    }
    case CheckOption::ByDedicatedRoom: o.byDedicatedRoom = on; break;
    case CheckOption::VerificationCode: o.verificationCode = on; break;
    case CheckOption::AutoCheckin: o.autoCheckin = on; break;
    case CheckOption::AutoCheckout:
      o.autoCheckout = on;
      dirty.mark(OptionGroup::Parameters);
      return Status::Ok();
    case CheckOption::DropPreviousDay:
      o.dropPreviousDay = on;
      dirty.mark(OptionGroup::Parameters);
      return Status::Ok();
  }
  dirty.mark(OptionGroup::Board);
  return Status::Ok();
}

Status OptionsEditor::SetNumber(NumberOption option, const std::string& text) {
  Options& o = options_;
  const double v = NumberBoxValue(text);
  const Right right = option == NumberOption::DefaultTimeLimit || option == NumberOption::CardDigitsField
                          ? Right::Settings
                          : Right::Parameters;
  if (Status s = Require(right); !s.ok()) return s;
  switch (option) {
    case NumberOption::DefaultTimeLimit:
      o.defaultTimeLimit = Clamp(v, -32768, 32767);
      dirty_.mark(OptionGroup::TimeLimit);
      return Status::Ok();
    case NumberOption::CardDigitsField:
      o.cardDigitsField = Clamp(v, 0, 255);
      dirty_.mark(OptionGroup::CardDigitsField);
      return Status::Ok();
    case NumberOption::PricePerHour: o.pricePerHour = static_cast<float>(v); break;
    case NumberOption::BalanceNeeded: o.balanceNeeded = static_cast<float>(v); break;
    case NumberOption::YearsOfStudy: o.yearsOfStudy = Clamp(v, 0, 255); break;
    case NumberOption::DailyHours: o.dailyHours = static_cast<float>(v); break;
    case NumberOption::DailyLimit: o.dailyLimit = Clamp(v, 0, 255); break;
    case NumberOption::IdDigits: o.idDigits = Clamp(v, 0, 255); break;
    case NumberOption::CardDigits: o.cardDigits = Clamp(v, 0, 255); break;
    case NumberOption::RechargeReminder: o.rechargeReminder = static_cast<float>(v); break;
    case NumberOption::ProtectionMinutes: o.protectionMinutes = Clamp(v, 0, 255); break;
    case NumberOption::OvertimeWait: o.overtimeWait = Clamp(v, 0, 255); break;
  }
  dirty_.mark(OptionGroup::Parameters);
  return Status::Ok();
}

Status OptionsEditor::SetChoice(ChoiceOption option, int index) {
  Options& o = options_;
  switch (option) {
    case ChoiceOption::AssignmentMode:
      if (Status s = Require(Right::Settings); !s.ok()) return s;
      o.assignmentMode = std::clamp(index, 0, 5);
      dirty_.mark(OptionGroup::Board);
      return Status::Ok();
    case ChoiceOption::BoardSize:
      if (Status s = Require(Right::Settings); !s.ok()) return s;
      o.boardSize = std::clamp(index, 0, 21);
      dirty_.mark(OptionGroup::Board);
      if (hooks_.boardSizeChanged) hooks_.boardSizeChanged();
      return Status::Ok();
    case ChoiceOption::UpgradePolicy:
      if (Status s = Require(Right::Parameters); !s.ok()) return s;
      o.upgradePolicy = std::clamp(index, 0, 4);
      dirty_.mark(OptionGroup::Parameters);
      return Status::Ok();
    case ChoiceOption::PhotoNaming:
      if (Status s = Require(Right::Settings); !s.ok()) return s;
      o.photoNaming = std::clamp(index, 0, 2);
      dirty_.mark(OptionGroup::Photo);
      return Status::Ok();
  }
  return Status::Ok();
}

FontChoice OptionsEditor::ChooseFont(const MessageFont& font) {
  if (Status s = Require(Right::Settings); !s.ok()) return {s};
  if (!IsValidMessageFontSize(font.size)) {
    boxes_.show("提示", kFontSizeRefusal, BoxIcon::None);
    return {Status(ErrorCode::Refused, kFontSizeRefusal), true};
  }
  long bytes = GbkLength(font.name);
  if (bytes < 0 || bytes > static_cast<long>(settings::kMaxSettingsText))
    return {feedback_.Refuse("字体名称过长，不能保存。")};
  options_.font = font;
  dirty_.mark(OptionGroup::Font);
  return {Status::Ok()};
}

Status OptionsEditor::ChooseMessageColour(int32_t colour) {
  if (Status s = Require(Right::Settings); !s.ok()) return s;
  options_.messageColour = MessageColourFor(colour & 0xFFFFFF);
  dirty_.mark(OptionGroup::Colour);
  return Status::Ok();
}

Status OptionsEditor::ChooseColour(int index, int32_t colour) {
  if (Status s = Require(Right::Settings); !s.ok()) return s;
  if (index < 0 || index >= 10) return Status(ErrorCode::Refused, "no such colour");
  options_.colours[static_cast<size_t>(index)] = colour & 0xFFFFFF;
  dirty_.mark(OptionGroup::Colour);
  return Status::Ok();
}

Status OptionsEditor::ChoosePhoto(const std::string& path) {
  if (Status s = Require(Right::Settings); !s.ok()) return s;
  const size_t slash = path.find_last_of("/\\");
  const size_t dot = path.rfind('.');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const bool hasExtension = dot != std::string::npos && dot >= nameStart;
  const std::string extension = hasExtension ? path.substr(dot) : std::string();
  const std::string name = path.substr(nameStart, (hasExtension ? dot : path.size()) - nameStart);
  // Six records of ten characters hold the folder; more would not survive.
  if (CharacterCount(folder) > 60)
    return feedback_.Refuse("照片路径过长（最多60个字符），请把照片放在较短的路径下。", true);
  long extBytes = GbkLength(extension);
  if (extBytes < 0 || extBytes > static_cast<long>(settings::kMaxSettingsText)) {
    return feedback_.Refuse("照片文件扩展名不能保存。", true);
  }
  for (size_t i = 0; i < CharacterCount(folder); i += 10) {
    long pieceBytes = GbkLength(SliceCharacters(folder, i, 10));
    if (pieceBytes < 0 || pieceBytes > static_cast<long>(settings::kMaxSettingsText)) {
      return feedback_.Refuse("照片路径含有不能保存的字符。", true);
    }
  }
  Options& o = options_;
  o.photoFolder = folder;
  o.photoExtension = extension;
  o.photoNameLength = static_cast<int>(std::min<size_t>(CharacterCount(name), 255));
  dirty_.mark(OptionGroup::Photo);
  feedback_.PushMessage("已定位照片路径");
  return Status::Ok();
}

Status OptionsEditor::SetCustomName(const std::string& name) {
  if (Status s = Require(Right::Settings); !s.ok()) return s;
  switch (FitGbk(name, settings::kMaxSettingsText)) {
    case GbkFit::Fits: break;
    case GbkFit::TooLong: return feedback_.Refuse("名称过长（最多22个字节，即11个汉字），未保存。", true);
    case GbkFit::NotGbk: return feedback_.Refuse("名称含有不能保存的字符，未保存。", true);
  }
  if (Status s = data_.settings().writeStringRecord(settings::kRecCustomName, name); !s.ok()) {
    return WriteFailed("名称", s);
  }
  if (hooks_.customNameChanged) hooks_.customNameChanged(name);
  return Status::Ok();
}

Status OptionsEditor::SaveCompanyText(int index, const std::string& text) {
  if (Status s = Require(Right::Company); !s.ok()) return s;
  if (index < 0 || index >= CompanyInfo::kTexts) return Status(ErrorCode::Refused, "no such company text");
  switch (FitGbk(text, CompanyInfo::kMaxBytes)) {
    case GbkFit::Fits: break;
    case GbkFit::TooLong: return feedback_.Refuse("内容过长（最多126个字节），未保存。", true);
    case GbkFit::NotGbk: return feedback_.Refuse("内容含有不能保存的字符，未保存。", true);
  }
  CompanyInfo& company = data_.company();
  const std::string before = company.texts[static_cast<size_t>(index)];
  company.texts[static_cast<size_t>(index)] = text;
  Status saved = company.save(data_.folder(), index);
  if (!saved.ok()) {
    company.texts[static_cast<size_t>(index)] = before;
    return WriteFailed("企业信息", saved);
  }
  return saved;
}

void OptionsEditor::WindowResized(int32_t widthTwips, int32_t heightTwips, int state) {
  Options& o = options_;
  o.windowWidth = widthTwips;
  o.windowHeight = heightTwips;
  o.windowState = state == 2 ? 2 : 0;
  dirty_.mark(OptionGroup::Window);
}

}  // namespace tarvolen
