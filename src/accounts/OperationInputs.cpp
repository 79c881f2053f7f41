#include "accounts/OperationInputs.h"

#include "store/Gbk.h"
#include "store/NumberText.h"

namespace tarvolen {
namespace {

constexpr const char* kIncomplete = "请把数据输入完整！";
constexpr const char* kBadNumber = "数据输入有误！";
constexpr const char* kIllegalCard = "卡号输入非法";
constexpr const char* kWrongCard = "卡号输入错误，请查证";
constexpr const char* kWrongRoom = "房间输入错误";
constexpr size_t kCardBoxLength = 12;
constexpr char32_t kBackspace = 8;

bool IsDigit(char32_t k) { return k >= '0' && k <= '9'; }

// The log line holds 94 GBK bytes of remark: a longer one, or one with a
// character GBK cannot write, is refused before anything happens rather
// than logged cut short.
bool RemarkFits(Feedback& feedback, const std::string& remark) {
  const long bytes = GbkLength(remark);
  if (bytes < 0) {
    (void)feedback.Refuse("备注含有无法保存的字符", true);
    return false;
  }
  if (bytes > 94) {
    (void)feedback.Refuse("备注过长，最多47个汉字", true);
    return false;
  }
  return true;
}

}  // namespace

Lookup FindStudentByCard(const StudentTable& students, const std::string& text) {
  const NumberText n = ReadNumber(text, NumberTarget::Card);
  if (!n.isNumber() || n.whole == 0) return {1, 0};
  const int slot = students.findByCard(n.whole);
  return slot > 0 ? Lookup{0, slot} : Lookup{2, 0};
}

Lookup FindRoomByName(const RoomTable& rooms, const std::string& name) {
  if (name.empty()) return {1, 0};
  for (int r = RoomTable::kLastSlot; r >= 1; --r) {
    if (rooms[r].name == name) return {0, r};
  }
  return {2, 0};
}

OperationInputs::OperationInputs(Services services) : data_(services.data), feedback_(services.feedback) {
  boxes_[0].visible = false;
  labels_[0].visible = false;
}

OperationKind OperationInputs::KindOfBox(int box) const {
  if (box <= 2) return memberIndex_ < 0 ? OperationKind::None : static_cast<OperationKind>(memberIndex_ + 1);
  if (box <= 4) return roomIndex_ < 0 ? OperationKind::None : static_cast<OperationKind>(roomIndex_ + 7);
  return OperationKind::FreeRecord;
}

bool OperationInputs::IsCardBox(int box) const {
  return box == 1 || box == 7 || (box == 0 && kind_ == OperationKind::CardReplace);
}

void OperationInputs::ClearLabel(int i) {
  labels_[static_cast<size_t>(i)].caption.clear();
  labels_[static_cast<size_t>(i)].tag.clear();
}

void OperationInputs::Focus(int box) {
  focusBox_ = box;
  ++focusRequest_;
}

int OperationInputs::TagSlot(int label) const {
  const NumberText n = ReadNumber(labels_.at(static_cast<size_t>(label)).tag, NumberTarget::Int32);
  return n.isNumber() ? static_cast<int>(n.whole) : 0;
}

void OperationInputs::ChooseMemberOperation(int index) {
  memberIndex_ = index >= 0 && index < static_cast<int>(kMemberOperations.size()) ? index : -1;
  for (int i : {0, 1}) {
    labels_[static_cast<size_t>(i)].tag = "0";
    labels_[static_cast<size_t>(i)].caption = "---";
  }
  for (int i : {0, 1, 2}) boxes_[static_cast<size_t>(i)].text.clear();
  kind_ = memberIndex_ < 0 ? OperationKind::None : static_cast<OperationKind>(memberIndex_ + 1);
  boxes_[0].visible =
      kind_ == OperationKind::Recharge || kind_ == OperationKind::CardReplace || kind_ == OperationKind::Suspension;
  labels_[0].visible = kind_ == OperationKind::CardReplace;
  boxes_[2].visible = kind_ != OperationKind::Recharge;
  Focus(boxes_[0].visible ? 0 : 1);
}

void OperationInputs::ChooseRoomOperation(int index) {
  roomIndex_ = index >= 0 && index < static_cast<int>(kRoomOperations.size()) ? index : -1;
  kind_ = roomIndex_ < 0 ? OperationKind::None : static_cast<OperationKind>(roomIndex_ + 7);
  boxes_[3].text.clear();
  labels_[3].tag.clear();
  labels_[3].caption = "---";
  boxes_[4].text.clear();
  Focus(3);
}

std::string OperationInputs::box0Prompt() const {
  if (!boxes_[0].visible) return "";
  switch (static_cast<OperationKind>(memberIndex_ + 1)) {
    case OperationKind::Recharge: return "请输入金额(元)";
    case OperationKind::CardReplace: return "请输入旧卡号";
    case OperationKind::Suspension: return "停用天数";
    default: return "";
  }
}

void OperationInputs::BoxFocusGained(int box) {
  if (box < 0 || box >= kBoxes) return;
  boxes_[static_cast<size_t>(box)].focused = true;
  kind_ = KindOfBox(box);
}

void OperationInputs::BoxFocusLost(int box) {
  if (box < 0 || box >= kBoxes) return;
  boxes_[static_cast<size_t>(box)].focused = false;
  Lookup found;
  (void)LookUp(box, found);
}

bool OperationInputs::LookUp(int box, Lookup& found) {
  const std::string& text = boxes_[static_cast<size_t>(box)].text;
  ResultLabel& label = labels_[static_cast<size_t>(box)];
  if (IsCardBox(box)) {
    found = FindStudentByCard(data_.students(), text);
    // The new card must be free; every other card must belong to someone.
    const bool ok = IsNewCardBox(box) ? found.status == 2 : found.status == 0;
    if (!ok) {
      // A failed lookup forgets the previous holder: an edited card never
      // operates on the student it named before.
      ClearLabel(box);
      return false;
    }
    label.tag = std::to_string(found.slot);
    label.caption = found.slot > 0 ? data_.students()[found.slot].name : "";
    return true;
  }
  if (box == 3 || box == 6) {
    found = FindRoomByName(data_.rooms(), text);
    if (found.status != 0) {
      ClearLabel(box);
      return false;
    }
    label.tag = std::to_string(found.slot);
    label.caption = data_.categories().majorName(data_.rooms()[found.slot].type);
    return true;
  }
  return true;
}

bool OperationInputs::AcceptsKey(int box, char32_t key) const {
  if (key == kBackspace) return true;
  if (box < 0 || box >= kBoxes) return false;
  const size_t length = boxes_[static_cast<size_t>(box)].text.size();
  if (box == 0 && kind_ == OperationKind::Recharge) return (IsDigit(key) || key == '.') && length < kCardBoxLength;
  if (box == 0 && (kind_ == OperationKind::CardReplace || kind_ == OperationKind::Suspension)) return IsDigit(key);
  if (box == 1 || box == 7) return IsDigit(key) && length < kCardBoxLength;
  return true;
}

void OperationInputs::SetText(int box, const std::string& text) {
  if (box < 0 || box >= kBoxes) return;
  boxes_[static_cast<size_t>(box)].text = text;
}

OperationInputs::Next OperationInputs::BoxEnter(int box) {
  if (box < 0 || box >= kBoxes - 1) return Next::Stay;
  Lookup found;
  if (IsCardBox(box)) {
    found = FindStudentByCard(data_.students(), boxes_[static_cast<size_t>(box)].text);
    const bool wrong = IsNewCardBox(box) ? found.status == 0 : found.status == 2;
    if (found.status == 1 || wrong) {
      feedback_.PushMessage(found.status == 1 ? kIllegalCard : kWrongCard);
      boxes_[static_cast<size_t>(box)].text.clear();
      ClearLabel(box);
      Focus(box);
      return Next::Stay;
    }
    (void)LookUp(box, found);
  } else if (box == 3 || box == 6) {
    if (!LookUp(box, found)) {
      feedback_.PushMessage(kWrongRoom);
      boxes_[static_cast<size_t>(box)].text.clear();
      Focus(box);
      return Next::Stay;
    }
  }
  int next = box + 1;
  while (next < kBoxes - 1 && !boxes_[static_cast<size_t>(next)].visible) ++next;
  if (next == 3 && command1Enabled()) return Next::PrepareMember;
  if (next == 5 && command17Enabled()) return Next::PrepareRoom;
  if (next == 9) return Next::PrepareFreeRecord;
  Focus(next);
  return Next::Moved;
}

std::optional<PendingOperation> OperationInputs::PrepareMember() {
  PendingOperation op;
  auto incomplete = [this] {
    (void)feedback_.Refuse(kIncomplete, true);
    return std::nullopt;
  };
  if (memberIndex_ < 0) return incomplete();
  kind_ = op.kind = static_cast<OperationKind>(memberIndex_ + 1);
  Lookup found;
  if (op.kind == OperationKind::CardReplace) {
    const NumberText newCard = ReadNumber(boxes_[1].text, NumberTarget::Card);
    if (!newCard.isNumber() || newCard.whole == 0) return incomplete();
    (void)LookUp(0, found);
    (void)LookUp(1, found);
    op.student = TagSlot(0);
    op.newCard = newCard.whole;
    // The holder of the new card now: the execution refuses when there is one.
    op.amount = data_.students().findByCard(newCard.whole);
  } else {
    (void)LookUp(1, found);
    op.student = TagSlot(1);
    if (op.kind == OperationKind::Recharge || op.kind == OperationKind::Suspension) {
      const NumberText n =
          ReadNumber(boxes_[0].text, op.kind == OperationKind::Recharge ? NumberTarget::Currency : NumberTarget::Int32);
      if (!n.isNumberOrEmpty()) {
        (void)feedback_.Refuse(kBadNumber, true);
        return std::nullopt;
      }
      op.amount = op.kind == OperationKind::Recharge ? n.whole : n.whole * 10000;
    }
  }
  if (!StudentTable::validSlot(op.student)) return incomplete();
  op.remark = boxes_[2].visible ? boxes_[2].text : "";
  if (!RemarkFits(feedback_, op.remark)) return std::nullopt;
  return op;
}

std::optional<PendingOperation> OperationInputs::PrepareRoom() {
  PendingOperation op;
  Lookup found;
  (void)LookUp(3, found);
  op.room = TagSlot(3);
  if (roomIndex_ < 0 || !RoomTable::validSlot(op.room)) {
    (void)feedback_.Refuse(kIncomplete, true);
    return std::nullopt;
  }
  kind_ = op.kind = static_cast<OperationKind>(roomIndex_ + 7);
  op.remark = boxes_[4].text;
  if (!RemarkFits(feedback_, op.remark)) return std::nullopt;
  return op;
}

std::optional<PendingOperation> OperationInputs::PrepareFreeRecord() {
  if (boxes_[8].text.empty()) {
    (void)feedback_.Refuse("不可缺少备注");
    return std::nullopt;
  }
  PendingOperation op;
  kind_ = op.kind = OperationKind::FreeRecord;
  op.remark = boxes_[8].text;
  if (!RemarkFits(feedback_, op.remark)) return std::nullopt;
  // Card and room are optional; one typed but not found is refused rather
  // than recorded without its student or room.
  Lookup found;
  if (!boxes_[7].text.empty() && !LookUp(7, found)) {
    (void)feedback_.Refuse(kWrongCard, true);
    return std::nullopt;
  }
  if (!boxes_[6].text.empty() && !LookUp(6, found)) {
    (void)feedback_.Refuse(kWrongRoom, true);
    return std::nullopt;
  }
  op.student = boxes_[7].text.empty() ? 0 : TagSlot(7);
  op.room = boxes_[6].text.empty() ? 0 : TagSlot(6);
  // Anything that is not a Currency number records 0.
  const NumberText amount = ReadNumber(boxes_[5].text, NumberTarget::Currency);
  op.amount = amount.isNumber() ? amount.whole : 0;
  return op;
}

void OperationInputs::Clear() {
  for (int i = 0; i < kBoxes - 1; ++i) {
    boxes_[static_cast<size_t>(i)].text.clear();
    ClearLabel(i);
  }
}

}  // namespace tarvolen
