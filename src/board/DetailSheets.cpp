#include "board/DetailSheets.h"

#include <cmath>
#include <cstdio>

#include "session/StudentDetails.h"
#include "startup/Calendar.h"

namespace tarvolen {
namespace {

std::string StatusText(int16_t status) {
  if (status == 0) return "[正常]";
  std::string s;
  if ((status & StudentRecord::kLost) != 0) s += "[挂失]";
  if ((status & StudentRecord::kSuspended) != 0) s += "[停用]";
  return s;
}

}  // namespace

HoverEffect HoverAction(HoverList list, int column) {
  if (column == kHoverHeading || column == kHoverPanel) return {false, SheetAction::Hide};
  if (list == HoverList::Session) {
    switch (column) {
      case 0: return {true, SheetAction::StudentSheet};  // Labname
      case 4: return {true, SheetAction::RoomSheet};     // Labfh
      case 1:                                            // Labkh
      case 2: return {true, SheetAction::Hide};          // Labsj
      default: return {column >= 0 && column <= kSessionMarkerColumn, SheetAction::None};
    }
  }
  switch (column) {
    case 0: return {true, SheetAction::RoomSheet};     // Labffj
    case 3: return {true, SheetAction::StudentSheet};  // Labfxm
    case 1:                                            // Labfys
    case 2:                                            // Labfcs
    case 4:                                            // Labfkh
    case 5: return {true, SheetAction::Hide};          // Labflb
    case kRoomMarkerColumn: return {true, SheetAction::None};
    default: return {false, SheetAction::None};  // the places cell selects nothing
  }
}

SheetOffset SheetOffsetFrom(int cellLeft, int cellTop, int pointerX, int pointerY) {
  return {static_cast<int>(std::nearbyint(cellLeft + 64 + pointerX / 15.0)),
          static_cast<int>(std::nearbyint(cellTop + 32 + pointerY / 15.0))};
}

std::vector<std::string> StudentSheetLines(const StudentRecord& s, const CategoryLists& lists, const Options& options,
                                           const CivilDate& today) {
  const Dividers div = SaneDividers(options.autumnDivider, options.springDivider);
  char yy[8];
  std::snprintf(yy, sizeof yy, "%02d", ((DateOf(s.enrolled).year % 100) + 100) % 100);
  return {
      "姓名:" + s.name,
      "证号:" + StrZh(s.idNumber, options.idDigits),
      "卡号:" + StrKh(s.card, options.cardDigits),
      std::string("性别:") + (s.sex == 1 ? "女" : "男"),
      "专业:" + lists.majorName(s.major),
      "年级:" + std::string(yy) + "级 (" + lists.gradeName(NianNJi(s.enrolled, today, div)) + ")",
      "班级:" + lists.className(s.classIndex),
      "等级:" + lists.levelName(s.level),
      "学期累计:" + FormatFixed(s.semesterMinutes / 60.0, 1) + "小时",
      "总 累 计:" + FormatFixed(s.totalMinutes / 60.0, 1) + "小时",
      "总 付 费:" + FormatFixed(s.totalRecharged, 2) + "元",
      "余    额:" + FormatFixed(s.balance, 2) + "元",
      "联系电话:" + std::to_string(s.telephone),
      "累计次数:" + std::to_string(s.checkinCount),
      "状    态:" + StatusText(s.status),
  };
}

std::vector<std::string> RoomSheetLines(const RoomRecord& r, int freePlaces, const CategoryLists& lists) {
  return {
      "名称:" + r.name,
      "类别:" + lists.majorName(r.type),
      "人数:" + std::to_string(r.capacity - freePlaces) + "/" + std::to_string(r.capacity),
      std::string("开放:") + (r.isOpen() ? "是" : "否"),
      "上课费用:" + FormatFixed(r.price, 2) + "元/小时",
      "手 续 费:" + FormatFixed(r.handlingFee, 2) + "元 ",
      "最低消费:" + FormatFixed(r.minimumFee, 2) + "元",
      "计费单位:" + std::to_string(r.billingUnit) + "分",
      "容    差:" + std::to_string(r.tolerance) + "分",
  };
}

void DetailSheets::Build(SheetKind kind, int slot, std::vector<std::string> lines) {
  cacheKind_ = kind;
  cacheSlot_ = slot;
  view_.kind = kind;
  view_.slot = slot;
  view_.lines = std::move(lines);
  view_.heightTwips = SheetHeightTwips(static_cast<int>(view_.lines.size()));
  ++view_.builds;
}

void DetailSheets::ShowStudent(int slot, SheetOffset at) {
  if (!s_.options.showDetails || !StudentTable::validSlot(slot) || s_.students[slot].isFree()) return;
  if (!cached(SheetKind::Student, slot)) {
    const StudentRecord& st = s_.students[slot];
    Build(SheetKind::Student, slot, StudentSheetLines(st, s_.lists, s_.options, s_.clock.now().date));
    view_.widthTwips = kStudentSheetWidthTwips;
    view_.photoWidthTwips = kStudentSheetPhotoWidthTwips;
    view_.photoPath = PhotoPath(st, s_.options);
  }
  view_.offset = at;
  view_.visible = true;
}

void DetailSheets::ShowRoom(int slot, SheetOffset at) {
  if (!s_.options.showDetails || slot < 1 || slot > RoomTable::kLastSlot || s_.rooms[slot].isFree()) return;
  if (!cached(SheetKind::Room, slot)) {
    Build(SheetKind::Room, slot, RoomSheetLines(s_.rooms[slot], s_.sessions.freePlaces(slot), s_.lists));
    view_.widthTwips = kRoomSheetWidthTwips;
    view_.photoWidthTwips = 0;
  }
  // Whether or not the text was built, a room's sheet shows no photo.
  view_.photoPath.clear();
  view_.offset = at;
  view_.visible = true;
}

void DetailSheets::Hide() { view_.visible = false; }

void DetailSheets::DropCache() {
  cacheKind_ = SheetKind::None;
  cacheSlot_ = 0;
}

}  // namespace tarvolen
