#pragma once
// The student editor beside the student list: fifteen fields, one per
// member of a student record, each with an enable box Check1(i) and a lock
// box Check5(i); adding ("新增"), changing ("修改") with the card-collision
// question, the dedicated-room chooser and the Enter walk through the
// fields and down the rows. What the fields hold becomes stored values
// only after every field has been read without fault.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "admin/StudentList.h"
#include "notify/Feedback.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "startup/Options.h"
#include "store/InstallationData.h"

namespace tarvolen {

class StudentEditor {
 public:
  static constexpr int kFields = 15;
  enum Field {
    kCard,
    kId,
    kName,
    kSex,
    kMajor,
    kGrade,
    kClass,
    kLevel,
    kSemester,
    kTotal,
    kRecharged,
    kBalance,
    kTelephone,
    kCount,
    kRooms,
  };
  static constexpr std::array<const char*, kFields> kCaptions = {
      "卡号",         "证号",       "姓名",       "性别",     "专业",     "年级",     "班级",    "等级",
      "学期累计(分)", "总累计(分)", "总费用(元)", "余额(元)", "联系电话", "累计次数", "专用琴房"};
  static constexpr const char* kNote = "注：年级是入学时间。";
  static constexpr const char* kNoRoom = "[无]";

  struct Services {
    InstallationData& data;
    const Options& options;
    Feedback& feedback;
    MessageBoxes& boxes;
    Clock& clock;
  };
  struct Hooks {
    std::function<bool()> editMode;  // Check4
  };

  StudentEditor(Services services, StudentList& list, Hooks hooks);

  // Start-up: the entries of the choice fields and the room chooser.
  void FillEntries();
  // Entries of a choice field (sex, major, grade, class, level) or of the
  // room chooser Combo3(14); empty for the text fields.
  const std::vector<std::string>& entries(int field) const { return entries_.at(static_cast<size_t>(field)); }
  static bool IsChoice(int field) { return field >= kSex && field <= kLevel; }

  // Text fields (and Text17, the dedicated rooms).
  const std::string& text(int field) const { return text_.at(static_cast<size_t>(field)); }
  void SetText(int field, const std::string& text);
  // Choice fields: the chosen entry, -1 for none.
  int choice(int field) const { return choice_.at(static_cast<size_t>(field)); }
  void Choose(int field, int index);
  // Combo3(14): a room chosen, added to or put in place of Text17.
  void ChooseRoom(int index);
  // Label39: "修改" or "增加", changed by a click.
  const char* roomMode() const { return addRooms_ ? "增加" : "修改"; }
  void ToggleRoomMode() { addRooms_ = !addRooms_; }

  bool enabled(int field) const { return enabled_.at(static_cast<size_t>(field)); }
  void SetEnabled(int field, bool on);
  bool locked(int field) const { return locked_.at(static_cast<size_t>(field)); }
  void SetLocked(int field, bool on);

  // A row made current: the student's values into every unlocked field.
  void Load(int slot);
  // Label38: "序号:" and the slot loaded.
  std::string slotLabel() const { return loaded_ > 0 ? "序号:" + std::to_string(loaded_) : ""; }

  // Command45 "新增" and Command8 "修改" (enabled with exactly one row selected).
  void Add();
  void Change();
  bool command8Enabled() const;
  // Enter in field i: the walk to the next usable field, or from the last
  // one a change and the next row.
  void Enter(int field);

  int focusField() const { return focusField_; }
  int focusRequest() const { return focusRequest_; }

 private:
  // The record the fields describe over `base`; nullopt when a field was
  // refused (and told).
  std::optional<StudentRecord> Read(const StudentRecord& base, bool adding);
  // Other holders of `card` (not `self`): nullopt when one practises (told)
  // or the operator said no; otherwise the slots whose cards were taken.
  std::optional<std::vector<int>> TakeCardFromOthers(int64_t card, int self);
  void UpdateList(int slot, bool adding, bool rebuild);
  bool Usable(int field) const { return enabled(field) && !locked(field); }
  void Focus(int field);
  std::array<int16_t, 3> RoomsFromText(const std::string& text) const;

  InstallationData& data_;
  const Options& options_;
  Feedback& feedback_;
  MessageBoxes& boxes_;
  Clock& clock_;
  StudentList& list_;
  Hooks hooks_;
  std::array<std::vector<std::string>, kFields> entries_{};
  std::array<std::string, kFields> text_{};
  std::array<int, kFields> choice_{};
  std::array<bool, kFields> enabled_{};
  std::array<bool, kFields> locked_{};
  bool addRooms_ = false;
  int loaded_ = 0;
  // A student of a grade past the four entries keeps the enrolment date
  // loaded with him while the grade field is left unchosen.
  OleDate keptEnrolment_ = 0;
  int focusField_ = -1;
  int focusRequest_ = 0;
};

}  // namespace tarvolen
