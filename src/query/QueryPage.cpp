#include "query/QueryPage.h"

#include <algorithm>
#include <cstdio>

namespace tarvolen::query {

namespace {

constexpr const char* kSimilar = "相似";
constexpr const char* kExact = "全等";
constexpr const char* kHours = "小时";
constexpr const char* kMinutes = "分";
constexpr const char* kUnavailable = "[不可用]";

// The unit a row shows beside its values as delivered.
std::string DefaultUnit(int j) {
  switch (j) {
    case kName:
    case kRoom:
    case kRemark: return kSimilar;
    case kSemesterHours:
    case kTotalHours: return kHours;
    case kRecharged:
    case kBalance:
    case kRow19:
    case kMinimumFee:
    case kHandlingFee: return "元";
    case kCapacity: return "人";
    case kBillingUnit:
    case kTolerance: return "分钟";
    default: return {};
  }
}

std::string Two(int v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", v);
  return buf;
}

bool IsToggle(int j) { return j == kSex || j == kLost || j == kSuspended || j == kOpen; }

}  // namespace

QueryPage::QueryPage(Services services) : services_(services) { ChooseSource(0); }

std::string QueryPage::sourceEntry(int i) const {
  if (i < 0 || i >= kSources) return {};
  std::string name = kSourceNames[static_cast<size_t>(i)];
  // Padded to 24 characters (a Chinese character is one character here).
  const size_t chars = static_cast<size_t>(
      std::count_if(name.begin(), name.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
  if (chars < 24) name.append(24 - chars, ' ');
  const Mode m = i == 0 && mode_ == static_cast<int>(Mode::Combined) ? Mode::Combined : Mode::All;
  return name + std::string(RowCodes(static_cast<Source>(i), m));
}

std::string_view QueryPage::codes() const {
  const Mode m = mode_ == static_cast<int>(Mode::Combined) ? Mode::Combined : Mode::All;
  return RowCodes(static_cast<Source>(source_), m);
}

void QueryPage::ChooseSource(int source) {
  if (source < 0 || source >= kSources) return;
  source_ = source;
  for (int j = 0; j < kRows; ++j) {
    PageRow& r = at(j);
    r.shown = digit(j) > 0;
    r.ticked = false;
    r.locked = false;
    r.fromShown = r.toShown = r.connectorShown = false;
    r.title = kRowTitles[static_cast<size_t>(j)];
    r.unit = DefaultUnit(j);
    r.connector = j == kOperator ? "与" : "至";
  }
  unitFactor_ = 60;
  if (source_ == static_cast<int>(Source::Students)) {
    at(kGrade).ticked = true;
    at(kGrade).locked = true;
    SetDefaults(kGrade);
  }
  Tick(kDate, true);
  PageRow& r19 = at(kRow19);
  PageRow& r18 = at(kRow18);
  switch (static_cast<Source>(source_)) {
    case Source::Rooms:
      r19.title = "练琴费用";
      r19.unit = "元/小时";
      r19.to = "0";
      r19.connector = "至";
      modeListShown_ = false;
      break;
    case Source::Log:
      modeListShown_ = false;
      r18.title = "操作类型";
      r18.unit.clear();
      r18.from = "[充值]";
      r18.fromSet = 1;
      FollowOperationSet();
      break;
    case Source::Checkins:
    case Source::Students:
      modeListShown_ = true;
      r19.title = "消费金额";
      r19.unit = "元";
      r19.to = "0";
      r19.connector = "至";
      r18.title = "用时";
      r18.unit = mode_ == static_cast<int>(Mode::Combined) ? kHours : "";
      r18.from = r18.to = "0";
      r18.connector = "至";
      r18.fromSet = 0;
      break;
  }
  check15Shown_ = modeListShown_ && source_ == 0 && mode_ == static_cast<int>(Mode::Combined);
}

void QueryPage::ChooseMode(int mode) {
  if (mode < 0 || mode >= kModes) return;
  mode_ = mode;
  if (source_ != static_cast<int>(Source::Checkins)) return;
  if (mode_ == static_cast<int>(Mode::Combined)) {
    check15Shown_ = true;
    at(kRow18).shown = true;
    at(kRow18).unit = kHours;
    unitFactor_ = 60;
  } else {
    check15Shown_ = false;
    PageRow& r18 = at(kRow18);
    r18.ticked = r18.shown = r18.fromShown = r18.toShown = r18.connectorShown = false;
    r18.unit.clear();
    at(kOperator).toShown = at(kOperator).connectorShown = false;
  }
}

void QueryPage::Tick(int j, bool ticked) {
  if (j < 0 || j >= kRows) return;
  PageRow& r = at(j);
  if (r.locked) ticked = true;
  r.ticked = ticked;
  const int d = digit(j);
  // The log's row 19 has a to value only for the operations that give a range.
  const bool hasTo = d == 3 && !(source_ == static_cast<int>(Source::Log) && j == kRow19 && r.connector.empty());
  r.fromShown = ticked && d >= 2;
  r.toShown = r.connectorShown = ticked && hasTo;
  SetDefaults(j);
}

void QueryPage::SetDefaults(int j) {
  PageRow& r = at(j);
  const CategoryLists& lists = services_.categories;
  const bool log = source_ == static_cast<int>(Source::Log);
  switch (j) {
    case kDate: {
      const Options& o = services_.options;
      const DateRange range =
          QueryDefaultRange(services_.clock.today(), SaneDividers(o.autumnDivider, o.springDivider));
      r.from = FormatChineseDate(range.from);
      r.to = FormatChineseDate(range.to);
      break;
    }
    case kTime:
      r.from = "06:00";
      r.to = "22:00";
      break;
    case kName: r.from = services_.students[1].name; break;
    case kRoom: r.from = services_.rooms[1].name; break;
    case kSex: r.from = "女"; break;
    case kMajor:
    case kRoomType:
      r.from = lists.majorName(0);
      r.fromSet = 1;
      break;
    case kLevel:
      r.from = lists.levelName(0);
      r.fromSet = 1;
      break;
    case kGrade:
      r.from = lists.gradeName(0);
      r.fromSet = 1;
      break;
    case kClass:
      r.from = lists.className(0);
      r.fromSet = 1;
      break;
    case kSemesterHours:
    case kBalance:
      r.from = "0";
      r.to = "500";
      break;
    case kTotalHours:
    case kRecharged:
      r.from = "0";
      r.to = "2000";
      break;
    case kLost:
    case kSuspended: r.from = "否"; break;
    case kCapacity:
      r.from = "1";
      r.to = "8";
      break;
    case kOpen: r.from = "是"; break;
    case kRow18:
      if (log) {
        r.from = "[未选择]";
        r.fromSet = 0;
        FollowOperationSet();
      } else {
        r.from = "0";
        r.to = "0";
      }
      break;
    case kRow19:
      r.from = "0";
      if (log && at(kRow18).fromSet == 1) r.to = "100";
      if (log && at(kRow18).fromSet == 16) {
        r.from = "1";
        r.to = "30";
      }
      break;
    case kOperator:
      r.from = r.to = services_.identities[0].name;
      r.fromSet = r.toSet = 1;
      break;
    case kRemark: r.from.clear(); break;
    case kTelephone: r.from = kTelephonePattern; break;
    case kCheckinCount:
    case kMinimumFee:
    case kBillingUnit:
    case kTolerance:
    case kHandlingFee:
      r.from = "0";
      r.to = "100";
      break;
    default: break;
  }
}

void QueryPage::FollowOperationSet() {
  if (source_ != static_cast<int>(Source::Log)) return;
  PageRow& r = at(kRow19);
  const uint32_t set = at(kRow18).fromSet;
  if (set == 1 || set == 256) {
    r.title = "金额";
    r.from = "0";
    r.unit = "元";
    r.connector = "至";
    r.to = "0";
  } else if (set == 8) {
    r.title = "新卡号";
    r.from = "0";
    r.unit.clear();
    r.connector.clear();
    r.to.clear();
  } else if (set == 16) {
    r.title = "封停时间";
    r.from = "0";
    r.unit = "天";
    r.connector = "至";
    r.to = "0";
  } else {
    r.title = kUnavailable;
    r.from.clear();
    r.unit.clear();
    r.connector.clear();
    r.to.clear();
  }
  r.toShown = r.connectorShown = r.ticked && !r.connector.empty();
}

void QueryPage::ClickUnit(int j) {
  if (j < 0 || j >= kRows) return;
  PageRow& r = at(j);
  if (j == kName || j == kRoom || j == kRemark) {
    r.unit = r.unit == kSimilar ? kExact : kSimilar;
  } else if (j == kRow18 && source_ == static_cast<int>(Source::Checkins) && !r.unit.empty()) {
    const bool hours = r.unit == kHours;
    r.unit = hours ? kMinutes : kHours;
    unitFactor_ = hours ? 1 : 60;
  }
}

ValueEditor QueryPage::EditorFor(int j, bool to) const {
  if (j < 0 || j >= kRows || j == kUnused) return ValueEditor::None;
  if (j == kDate) return ValueEditor::Date;
  if (j == kTime) return ValueEditor::Time;
  if (IsToggle(j)) return to ? ValueEditor::None : ValueEditor::Toggle;
  const bool list = j == kMajor || j == kLevel || j == kGrade || j == kClass || j == kRoomType || j == kOperator ||
                    (j == kRow18 && source_ == static_cast<int>(Source::Log));
  if (list) return to && j != kOperator ? ValueEditor::None : ValueEditor::List;
  return ValueEditor::Text;
}

void QueryPage::SetValue(int j, bool to, const std::string& text) {
  if (j < 0 || j >= kRows) return;
  (to ? at(j).to : at(j).from) = text;
}

void QueryPage::SetDate(int j, bool to, const CivilDate& day) { SetValue(j, to, FormatChineseDate(day)); }

void QueryPage::SetTime(int j, bool to, int hour, int minute) { SetValue(j, to, Two(hour) + ":" + Two(minute)); }

void QueryPage::Toggle(int j) {
  if (!IsToggle(j)) return;
  PageRow& r = at(j);
  if (j == kSex) {
    r.from = r.from == "女" ? "男" : "女";
  } else {
    r.from = r.from == "是" ? "否" : "是";
  }
}

std::vector<ListEntry> QueryPage::ListEntries(int j) const {
  std::vector<ListEntry> out;
  const CategoryLists& lists = services_.categories;
  auto add = [&](int index, const std::string& name) {
    if (!name.empty()) out.push_back({index, name});
  };
  switch (j) {
    case kMajor:
    case kRoomType:
      for (int i = 0; i < CategoryLists::kNames; ++i) add(i, lists.majorName(i));
      break;
    case kLevel:
      for (int i = 0; i < CategoryLists::kLevels; ++i) add(i, lists.levelName(i));
      break;
    case kGrade:
      for (int i = 0; i < CategoryLists::kGradeSlots; ++i) add(i, lists.gradeName(i));
      break;
    case kClass:
      for (int i = 0; i < CategoryLists::kNames; ++i) add(i, lists.className(i));
      break;
    case kRow18:
      for (int code = 1; code <= OperationNames::kNames; ++code) add(code - 1, services_.operationNames.name(code));
      break;
    case kOperator:
      for (int k = 0; k < IdentityTable::kCount; ++k) add(k, services_.identities[k].name);
      break;
    default: break;
  }
  return out;
}

uint32_t QueryPage::CurrentSet(int j, bool to) const {
  if (j < 0 || j >= kRows) return 0;
  return to ? row(j).toSet : row(j).fromSet;
}

std::string QueryPage::NamesOf(int j, uint32_t set) const {
  std::string names;
  for (const ListEntry& e : ListEntries(j)) {
    if (e.index >= 32 || ((set >> e.index) & 1u) == 0) continue;
    if (!names.empty()) names += ",";
    names += e.name;
  }
  return names.empty() ? kNothingChosen : names;
}

void QueryPage::ChooseSet(int j, bool to, uint32_t set) {
  if (EditorFor(j, to) != ValueEditor::List) return;
  PageRow& r = at(j);
  (to ? r.toSet : r.fromSet) = set;
  (to ? r.to : r.from) = NamesOf(j, set);
  if (j == kRow18 && !to) FollowOperationSet();
}

QueryPage::Search QueryPage::MakeSearch() const {
  Search s;
  if (modeListShown_ && mode_ < 0) {
    // The refusal is told to the operator here; the search says so by `refused`.
    (void)services_.feedback.Refuse(kChooseModeMessage, true);
    s.refused = true;
    return s;
  }
  const bool checkins = source_ == static_cast<int>(Source::Checkins);
  s.title = std::string("系统查询-") + kSourceNames[static_cast<size_t>(source_)];
  if (checkins && mode_ >= 0) s.title += std::string("-") + kModeNames[static_cast<size_t>(mode_)];
  s.run = queryMode_;
  QueryRequest& rq = s.request;
  rq.source = static_cast<Source>(source_);
  rq.mode = checkins && mode_ >= 0 ? static_cast<Mode>(mode_) : Mode::All;
  rq.ignoreCheckoutTime = rq.mode == Mode::Combined && ignoreCheckoutTime_;
  rq.minutesPerUnit = unitFactor_;
  for (int j = 0; j < kRows; ++j) {
    const PageRow& r = row(j);
    CriterionValue& v = rq.row(j);
    v.ticked = r.ticked && r.shown;
    v.from = r.from;
    v.to = r.to;
    v.fromSet = r.fromSet;
    v.toSet = r.toSet;
    v.match = r.unit == kExact ? MatchKind::Exact : MatchKind::Similar;
    rq.titles[static_cast<size_t>(j)] = r.title;
  }
  return s;
}

}  // namespace tarvolen::query
