#pragma once
// How the readers turn stored cell values into the texts of the Workbook
// interface, the same for .xls and .xlsx.
#include <string>
#include <string_view>

namespace tarvolen::sheets {

// The operator's sentences for a workbook that cannot be read.
inline constexpr const char* kOpenFailed = "文件无法打开";
inline constexpr const char* kNotWorkbook = "不是电子表格文件(.xls或.xlsx)";
inline constexpr const char* kDamaged = "电子表格文件已损坏或不完整";
inline constexpr const char* kPassword = "电子表格有密码保护，请先取消密码再导入";
inline constexpr const char* kNoSharedStrings = "电子表格缺少共享字符串部分，文件不完整";
inline constexpr const char* kTooLarge = "电子表格过大，无法读取";

// A number as plain decimal digits, never an exponent ("1e-05" would read
// back as 1): whole numbers without a point, others with up to 15
// significant digits and no trailing zeros. Not finite: empty.
std::string PlainNumber(double value);

// A numeric text as stored in an .xlsx <v>: kept when it is already plain
// decimal, otherwise read and written as PlainNumber.
std::string PlainNumberText(std::string_view stored);

// A serial day number of the 1900 date system (1904 when asked) as
// "yyyy-mm-dd", with " hh:mm:ss" when it has a time part and `withTime`.
// Before 1900-01-01 or past 9999: the number itself (PlainNumber).
std::string SerialDateText(double serial, bool date1904, bool withTime);

// Whether a number format shows a date: the built-in ids 14..22, 27..36,
// 45..47, 50..58, or a format code with a day, month or year part outside
// quotes and brackets.
bool IsDateFormat(int id, std::string_view code);

// "AB" of "AB12" as 28; 0 when there are no letters or more than three.
int ColumnOfReference(std::string_view reference);
// 12 of "AB12"; 0 when there is none.
int RowOfReference(std::string_view reference);

}  // namespace tarvolen::sheets
