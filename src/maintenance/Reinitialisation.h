#pragma once
// "恢复出厂设置" (the panel Picdel): returns the installation to its
// delivered state and ends the program. Before anything is deleted the
// seven boxes are checked and so is what brings the installation back:
// C.txt must exist, name set.dat among its files, and every file it names
// must be in ct/. When anything is wrong the operator is told what, and
// nothing changes.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/MessageBoxes.h"
#include "store/InstallationData.h"

namespace tarvolen {

class Reinitialisation {
 public:
  static constexpr int kBoxes = 7;
  // Text12(0..6): the labels and the delivered values.
  static constexpr std::array<const char*, kBoxes> kLabels = {
      "活动年份:", "证号位数:", "卡号位数:", "学期分隔日(署假):", "月", "学期分隔日(寒假):", "月"};
  static constexpr std::array<const char*, kBoxes> kDelivered = {"5", "12", "10", "8", "15", "2", "15"};
  static constexpr const char* kWarning = "以上数据非常重要，请忽自行改动！";

  struct Services {
    InstallationData& data;
    MessageBoxes& boxes;
  };
  struct Hooks {
    // The installation was rewritten: the program ends now, without
    // save-and-exit (it would write the old options over the new files).
    std::function<void()> ended;
  };

  Reinitialisation(Services services, Hooks hooks);

  // Command33 shows and hides the panel, Command35 ("取消") hides it.
  bool panelShown() const { return shown_; }
  void TogglePanel() { shown_ = !shown_; }
  void HidePanel() { shown_ = false; }
  const std::string& box(int i) const { return boxes_.at(static_cast<size_t>(i)); }
  void SetBox(int i, const std::string& text) { boxes_.at(static_cast<size_t>(i)) = text; }
  const std::string& confirmation() const { return confirmation_; }
  void SetConfirmation(const std::string& text) { confirmation_ = text; }

  // Command34 "确定".
  void Run();
  bool ended() const { return ended_; }

 private:
  struct Values {
    uint8_t years, idDigits, cardDigits;
    int16_t autumn, spring;
  };
  // The values of the boxes, or the refusal (already shown).
  bool ReadValues(Values& out);
  // The names C.txt lists, checked against ct/; false after the refusal.
  bool ReadCleanFiles(std::vector<std::string>& names);
  // Everything of the run rewritten; the failures, if any.
  std::vector<std::string> Rewrite(const Values& values, const std::vector<std::string>& names);

  InstallationData& data_;
  MessageBoxes& messageBoxes_;
  Hooks hooks_;
  bool shown_ = false;
  std::array<std::string, kBoxes> boxes_{};
  std::string confirmation_;
  bool ended_ = false;
};

}  // namespace tarvolen
