#pragma once
// Changes of the options from the settings panels: each takes effect at
// once where it is read, marks its group for save-and-exit, and is refused
// when the identity in use lacks the right of its page. A refusal or a
// failed write is told to the operator here (a message line, or the box the
// font dialog needs); the returned status says what happened.
#include <cstdint>
#include <functional>
#include <string>

#include "access/Operator.h"
#include "notify/Feedback.h"
#include "platform/MessageBoxes.h"
#include "startup/Options.h"
#include "store/InstallationData.h"
#include "store/Result.h"

namespace tarvolen {

enum class CheckOption {
  ShowDetails,       // "显示详细信息"
  CardOnly,          // "只能刷卡登记"
  FocusForced,       // "焦点强制"
  MainRowDigits,     // "启用大键盘数字"
  SoundOn,           // "打开音效"
  UseIdleRooms,      // "使用空闲房间"
  UseOvertimeRooms,  // "使用超时房间"
  UseRoomsInTime,    // "使用未超时房间"
  ByDedicatedRoom,   // "按专用琴房分配"
  VerificationCode,  // "使用验证码"
  AutoCheckin,       // "自动登录"
  AutoCheckout,      // "自动下线"
  DropPreviousDay,   // "不保存前一天的数据"
};

enum class NumberOption {
  DefaultTimeLimit,   // "限时(分)："
  CardDigitsField,    // "卡号位数："
  PricePerHour,       // "价格(时/元)"
  BalanceNeeded,      // "登记所需余额(元)"
  YearsOfStudy,       // "学制(年)"
  DailyHours,         // "每日限时(小时)"
  DailyLimit,         // "每日限次:"
  IdDigits,           // "显示证号位数:"
  CardDigits,         // "显示卡号位数:"
  RechargeReminder,   // "提醒充值:"
  ProtectionMinutes,  // "登录保护(分)"
  OvertimeWait,       // "超时等待(分):"
};

enum class ChoiceOption { AssignmentMode, BoardSize, UpgradePolicy, PhotoNaming };

// What became of a font chosen in the font dialog.
struct FontChoice {
  Status status;
  // The size was refused with the box "大小超出范围！": the dialog opens again.
  bool askAgain = false;
};

class OptionsEditor {
 public:
  // Where a changed option takes effect beyond the options themselves.
  struct Hooks {
    std::function<void(bool)> cardOnlyChanged;                  // the key handler's digit timeout
    std::function<void(bool)> soundChanged;                     // the sound cues
    std::function<void()> roomChoiceChanged;                    // the use-options: the lists are redrawn
    std::function<void(const std::string&)> customNameChanged;  // the window title
    std::function<void()> boardSizeChanged;                     // the main window is laid out again
  };

  OptionsEditor(Options& options, DirtyGroups& dirty, const Operator& op, Feedback& feedback, MessageBoxes& boxes,
                InstallationData& data, Hooks hooks)
      : options_(options),
        dirty_(dirty),
        operator_(op),
        feedback_(feedback),
        boxes_(boxes),
        data_(data),
        hooks_(std::move(hooks)) {}

  Status SetCheck(CheckOption option, bool on);
  // A number box's text: text that is not a number counts as 0; a Byte
  // option is kept within 0..255 and an Integer within its range.
  Status SetNumber(NumberOption option, const std::string& text);
  Status SetChoice(ChoiceOption option, int index);

  // The message font from the font dialog: a size outside 9..48 is refused
  // with the box "大小超出范围！" and the dialog opens again.
  FontChoice ChooseFont(const MessageFont& font);
  Status ChooseMessageColour(int32_t colour);
  // Interface colour i (0..9) of the swatches.
  Status ChooseColour(int index, int32_t colour);
  // One photo chosen in the photo dialog: its folder, extension and name
  // length. A folder of more than 60 characters is refused.
  Status ChoosePhoto(const std::string& path);
  // "自定义名称": written at once to set.dat record 4; the title follows.
  Status SetCustomName(const std::string& name);
  // A company text saved by its "保存" button.
  Status SaveCompanyText(int index, const std::string& text);
  // The main window was resized (twips; state 0 normal, 2 maximised).
  void WindowResized(int32_t widthTwips, int32_t heightTwips, int state);

 private:
  Status Require(Right right) const { return operator_.Require(right); }
  // A write that failed: told as "<what>保存失败：<detail>".
  Status WriteFailed(const std::string& what, const Status& failure) const;
  Options& options_;
  DirtyGroups& dirty_;
  const Operator& operator_;
  Feedback& feedback_;
  MessageBoxes& boxes_;
  InstallationData& data_;
  Hooks hooks_;
};

// The value of a number box: its leading number, 0 when there is none.
double NumberBoxValue(const std::string& text);

// What a number box shows for its option: whole numbers as they are, a
// Single with up to seven significant digits and no trailing zeros.
std::string NumberOptionText(const Options& options, NumberOption option);

// The text colour of a colour swatch: the inverse of its background (each
// of red, green and blue replaced by 255 minus itself), stored as 0x00BBGGRR.
inline int32_t SwatchTextColour(int32_t background) {
  return static_cast<int32_t>(0xFFFFFFu ^ (static_cast<uint32_t>(background) & 0xFFFFFFu));
}

}  // namespace tarvolen
