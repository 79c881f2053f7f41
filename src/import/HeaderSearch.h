#pragma once
// Which sheet, row and columns of a workbook hold the fields of an import.
// Each field has a list of accepted heading words; a header cell (spaces
// removed) belongs to the first field not yet found whose list contains it,
// so a shorter heading than a listed word matches too ("房号" and "名称"
// both give the room name).
#include <array>
#include <span>
#include <string>
#include <vector>

#include "platform/Workbook.h"

namespace tarvolen {

// Heading lists of the room fields, in field order, words separated by spaces.
inline constexpr std::array<const char*, 10> kRoomImportHeadings = {
    "房间名称 号数 房号", "类型 类别 模式 类 种类", "限时限 总时间 超时",
    "使用状况 开放 状态", "价格 单价 练琴费用",     "容纳人数 容量",
    "保底费 最低消费",    "计费单位 计时段",        "容差",
    "手续费 登记费"};

// Heading lists of the student fields. The list of the third dedicated room
// repeats 专用琴房2, so a column headed 专用琴房3 is not recognised (one
// headed 专用琴房三 is); "性别 " carries a trailing space.
inline constexpr std::array<const char*, 17> kStudentImportHeadings = {"琴卡号 ID 序号",
                                                                       "证号 学号",
                                                                       "姓名 名字",
                                                                       "性别 ",
                                                                       "专业 技能 特长",
                                                                       "年级 入学时间 入学年份",
                                                                       "班级",
                                                                       "学期累计",
                                                                       "总计 总累计",
                                                                       "级别 等级 身份",
                                                                       "总费用 总冲值",
                                                                       "余额 剩余金额 余款",
                                                                       "手机 联系电话",
                                                                       "次数",
                                                                       "专用琴房 专用琴房1 专用琴房一",
                                                                       "专用琴房2 专用琴房二",
                                                                       "专用琴房2 专用琴房三"};

struct HeaderMatch {
  static constexpr int kNoColumn = 30;  // the field has no column
  static constexpr int kSheets = 9;
  static constexpr int kRows = 5;
  static constexpr int kColumns = 29;

  int sheet = 0;             // index into Workbook::sheets; meaningful when count > 0
  int row = 0;               // the header row, 1..5
  int count = 0;             // fields found
  std::vector<int> columns;  // per field: its column 1..29, or kNoColumn

  bool has(int field) const { return columns.at(static_cast<size_t>(field)) != kNoColumn; }
};

std::string WithoutSpaces(const std::string& text);

// The columns of one header row.
HeaderMatch MatchRow(const Sheet& sheet, int row, std::span<const char* const> headings);

// Sheets 1..9 and rows 1..5: the one with the most fields found, the
// earlier on equal counts. count 0: nothing matched anywhere.
HeaderMatch FindHeader(const Workbook& book, std::span<const char* const> headings);

}  // namespace tarvolen
