#pragma once
// The identity prompt ("管理员验证"): pick one of the seven identities and
// type its password; on the very first run, set the administrator password
// instead ("设定管理密码"). The prompt owns the contents of its boxes; the
// window only mirrors them.
#include <string>
#include <vector>

#include "access/Identities.h"
#include "platform/MessageBoxes.h"
#include "store/SettingsFile.h"

namespace tarvolen {

class IdentityPrompt {
 public:
  enum class Focus { Password, Confirm };
  enum class Outcome {
    Stay,          // refused; the prompt stays up
    Confirmed,     // normal confirmation of the selected identity
    FirstRunDone,  // administrator password set, slot 6 confirmed
    EndProgram,    // cancelled at start-up: end without saving
    BackToMain,    // cancelled while switching: back to the same identity
  };

  struct View {
    std::string title = "管理员验证";
    std::vector<std::string> names;
    int selected = -1;
    bool listVisible = true;
    std::string label = "请输入管理密码";
    bool labelVisible = true;
    bool passwordEnabled = true;
    bool secondBoxVisible = false;
    bool firstRunLabelVisible = false;  // "您是第一次运行本程序请设定您的管理密码"
    std::string password;
    std::string second;
    Focus focus = Focus::Password;
  };

  static constexpr const char* kFirstRunText = "您是第一次运行本程序请设定您的管理密码";

  IdentityPrompt(IdentityTable& identities, SettingsFile& settings, MessageBoxes& boxes)
      : identities_(identities), settings_(settings), boxes_(boxes) {}

  // Fills the list and selects `lastIdentity` (an out-of-range value selects
  // nothing); `firstRun` switches to setting the administrator password.
  void start(int lastIdentity, bool firstRun);

  // A change of the list's selection, the program's own included.
  void select(int k);
  void setPassword(std::string text) { view_.password = std::move(text); }
  void setSecond(std::string text) { view_.second = std::move(text); }

  Outcome confirm();
  Outcome cancel(bool mainWindowVisible);
  // "切换用户": the prompt shown again with its list as it was.
  void beginSwitch();

  const View& view() const { return view_; }
  bool firstRun() const { return view_.secondBoxVisible; }
  // Whether the selection changed during the run (save-and-exit stores it).
  bool picked() const { return picked_; }
  int selected() const { return view_.selected; }

 private:
  void stop(const std::string& text);
  void leaveFirstRun();

  IdentityTable& identities_;
  SettingsFile& settings_;
  MessageBoxes& boxes_;
  View view_;
  bool picked_ = false;
};

}  // namespace tarvolen
