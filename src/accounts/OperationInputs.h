#pragma once
// The three operation panels of the page "会员管理": member operations
// (Combo6), room operations (Combo7) and the free record. Ten boxes
// Text8(0..9), each with a result label Label20(i) that shows the student
// or room looked up and keeps its slot in a tag. A preparation turns what
// the panels hold into the pending operation, or refuses with a message.
#include <array>
#include <optional>
#include <string>

#include "accounts/OperationKinds.h"
#include "notify/Feedback.h"
#include "platform/Clock.h"
#include "store/InstallationData.h"

namespace tarvolen {

// Lookups as the panels make them: status 0 found (slot), 1 no valid
// input, 2 not found.
struct Lookup {
  int status = 1;
  int slot = 0;
};
// The card text read as a number; 0, empty, no number or more than 15
// digits give status 1; the first slot holding the card wins.
Lookup FindStudentByCard(const StudentTable& students, const std::string& text);
// Exact, case-sensitive; when several rooms carry the name the highest slot wins.
Lookup FindRoomByName(const RoomTable& rooms, const std::string& name);

class OperationInputs {
 public:
  static constexpr int kBoxes = 10;  // Text8(9) only ends the Enter chain
  static constexpr std::array<const char*, 6> kMemberOperations = {"充值", "挂失",     "解除挂失",
                                                                   "补卡", "违规停用", "恢复使用"};
  static constexpr std::array<const char*, 2> kRoomOperations = {"停止使用", "恢复使用"};
  static constexpr std::array<const char*, kBoxes> kPrompts = {
      "",           "请输入卡号",     "请输入备注(24字以内)", "请输入房间名称",       "请输入备注(24字以内)",
      "请输入金额", "请输入房间名称", "请输入卡号",           "请输入备注(24字以内)", ""};

  struct Box {
    std::string text;
    bool visible = true;
    bool focused = false;  // drawn green while it has the focus
  };
  struct ResultLabel {
    std::string caption;
    std::string tag;  // the slot found, as text; empty or "0" for none
    bool visible = true;
  };

  struct Services {
    InstallationData& data;
    Feedback& feedback;
  };
  explicit OperationInputs(Services services);

  // Combo6 / Combo7: a chooser entry picked (-1: none).
  void ChooseMemberOperation(int index);
  void ChooseRoomOperation(int index);
  // Box events. A key typed is asked first: false refuses it.
  void BoxFocusGained(int box);
  void BoxFocusLost(int box);
  bool AcceptsKey(int box, char32_t key) const;
  void SetText(int box, const std::string& text);
  // Enter in a box: the validating lookup, then the focus moves on or a
  // preparation is due.
  enum class Next { Stay, Moved, PrepareMember, PrepareRoom, PrepareFreeRecord };
  Next BoxEnter(int box);

  // The preparations: the pending operation, or nullopt after the refusal
  // was told. The member preparation leaves the lifting of an expired
  // suspension to the caller (it needs the clock and the suspension file).
  std::optional<PendingOperation> PrepareMember();
  std::optional<PendingOperation> PrepareRoom();
  std::optional<PendingOperation> PrepareFreeRecord();

  // The closing step: every box and label emptied.
  void Clear();

  const Box& box(int i) const { return boxes_.at(static_cast<size_t>(i)); }
  const ResultLabel& label(int i) const { return labels_.at(static_cast<size_t>(i)); }
  int memberIndex() const { return memberIndex_; }
  int roomIndex() const { return roomIndex_; }
  // The prompt beside box 0 ("" while the box is hidden).
  std::string box0Prompt() const;
  bool command1Enabled() const { return memberIndex_ >= 0; }
  bool command17Enabled() const { return roomIndex_ >= 0; }
  // The box the focus should go to; the number changes with every request.
  int focusBox() const { return focusBox_; }
  int focusRequest() const { return focusRequest_; }

 private:
  OperationKind KindOfBox(int box) const;
  bool IsCardBox(int box) const;
  bool IsNewCardBox(int box) const { return box == 1 && kind_ == OperationKind::CardReplace; }
  // Looks the box up and keeps the result in its label; false when the
  // lookup failed (the label is then cleared).
  bool LookUp(int box, Lookup& found);
  void ClearLabel(int i);
  void Focus(int box);
  int TagSlot(int label) const;

  InstallationData& data_;
  Feedback& feedback_;
  std::array<Box, kBoxes> boxes_{};
  std::array<ResultLabel, kBoxes> labels_{};
  int memberIndex_ = -1;
  int roomIndex_ = -1;
  OperationKind kind_ = OperationKind::None;
  int focusBox_ = -1;
  int focusRequest_ = 0;
};

}  // namespace tarvolen
