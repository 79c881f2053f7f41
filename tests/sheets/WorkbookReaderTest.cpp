// The spreadsheet readers on workbooks written here: every kind of cell of
// .xlsx (shared and inline strings, numbers, booleans, dates by their number
// format, formulas) and of .xls, the limits of sheets, columns and cell
// lengths, and the files that are no readable workbook.
#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <string>

#include "platform/sheets/CellText.h"
#include "platform/sheets/SpreadsheetReader.h"
#include "platform/sheets/XlsReader.h"
#include "support/TempDir.h"
#include "sheets/SheetFixtures.h"

namespace tarvolen {
namespace {

using testing::RunPython;

class WorkbookReaderTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return (temp_.base() / name).string(); }
  Result<Workbook> Read(const std::string& name, WorkbookLimits limits = {}) {
    return reader_.read(Path(name), limits);
  }
  std::string Failure(const std::string& name) {
    Result<Workbook> b = Read(name);
    EXPECT_FALSE(b.ok()) << name;
    return b.ok() ? "" : b.status().detail();
  }

  testing::TempDir temp_{testing::TempDir::Root::Created};
  SpreadsheetReader reader_;
};

TEST_F(WorkbookReaderTest, XlsxCellsOfEveryKind) {
  lxw_workbook* wb = workbook_new(Path("kinds.xlsx").c_str());
  lxw_worksheet* first = workbook_add_worksheet(wb, "房间");
  lxw_worksheet* second = workbook_add_worksheet(wb, "学生");
  lxw_format* isoDate = workbook_add_format(wb);
  format_set_num_format(isoDate, "yyyy-mm-dd");
  lxw_format* chineseDate = workbook_add_format(wb);
  format_set_num_format(chineseDate, "yyyy\"年\"m\"月\"d\"日\"");
  lxw_format* builtinDate = workbook_add_format(wb);
  format_set_num_format_index(builtinDate, 14);
  lxw_format* money = workbook_add_format(wb);
  format_set_num_format(money, "0.00");
  worksheet_write_string(first, 0, 0, "房间名称", nullptr);
  worksheet_write_number(first, 0, 1, 45, nullptr);
  worksheet_write_number(first, 0, 2, 12.5, nullptr);
  worksheet_write_number(first, 0, 3, 13800138000.0, nullptr);
  worksheet_write_number(first, 0, 4, 0.00001, nullptr);
  worksheet_write_number(first, 0, 5, -3, money);
  worksheet_write_boolean(first, 1, 0, 1, nullptr);
  worksheet_write_boolean(first, 1, 1, 0, nullptr);
  lxw_datetime d{2009, 9, 1, 0, 0, 0};
  worksheet_write_datetime(first, 1, 2, &d, isoDate);
  worksheet_write_datetime(first, 1, 3, &d, chineseDate);
  worksheet_write_datetime(first, 1, 4, &d, builtinDate);
  worksheet_write_formula_num(first, 1, 5, "=1+2", nullptr, 3);
  worksheet_write_string(first, 3, 0, "第四行", nullptr);  // row 3 left empty
  worksheet_write_string(first, 3, 28, "AC", nullptr);     // column 29 kept
  worksheet_write_string(first, 3, 29, "AD", nullptr);     // column 30 not
  worksheet_write_string(second, 2, 1, "姓名", nullptr);
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);

  Result<Workbook> book = Read("kinds.xlsx");
  ASSERT_TRUE(book.ok()) << book.status().detail();
  ASSERT_EQ(book->sheets.size(), 2u);
  const Sheet& s = book->sheets[0];
  EXPECT_EQ(s.name, "房间");
  EXPECT_EQ(s.cell(1, 1), "房间名称");
  EXPECT_EQ(s.cell(1, 2), "45");
  EXPECT_EQ(s.cell(1, 3), "12.5");
  EXPECT_EQ(s.cell(1, 4), "13800138000");
  EXPECT_EQ(s.cell(1, 5), "0.00001");
  EXPECT_EQ(s.cell(1, 6), "-3");
  EXPECT_EQ(s.cell(2, 1), "TRUE");
  EXPECT_EQ(s.cell(2, 2), "FALSE");
  EXPECT_EQ(s.cell(2, 3), "2009-09-01");
  EXPECT_EQ(s.cell(2, 4), "2009-09-01");
  EXPECT_EQ(s.cell(2, 5), "2009-09-01");
  EXPECT_EQ(s.cell(2, 6), "3");
  EXPECT_EQ(s.cell(3, 1), "");
  EXPECT_EQ(s.cell(4, 1), "第四行");
  EXPECT_EQ(s.cell(4, 29), "AC");
  EXPECT_EQ(s.cell(4, 30), "");
  ASSERT_EQ(s.rows.size(), 3u);  // the empty row is left out
  EXPECT_EQ(book->sheets[1].cell(3, 2), "姓名");
}

TEST_F(WorkbookReaderTest, XlsxInlineStringsAndLimits) {
  // Constant-memory mode writes inline strings instead of shared ones.
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  lxw_workbook* wb = workbook_new_opt(Path("inline.xlsx").c_str(), &options);
  for (int i = 0; i < 10; ++i) {
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    worksheet_write_string(ws, 0, 0, ("表" + std::to_string(i + 1)).c_str(), nullptr);
  }
  const std::string longText(10000, 'x');
  lxw_worksheet* ws = workbook_get_worksheet_by_name(wb, "Sheet1");
  worksheet_write_string(ws, 1, 0, longText.c_str(), nullptr);
  lxw_format* blank = workbook_add_format(wb);
  format_set_bold(blank);
  for (int r = 2; r < 65536; ++r) worksheet_write_blank(ws, r, 0, blank);
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
  ASSERT_TRUE(RunPython(temp_.base(),
                        "import zipfile, sys\n"
                        "z = zipfile.ZipFile('" +
                            Path("inline.xlsx") +
                            "')\n"
                            "sys.exit(0 if b'inlineStr' in z.read('xl/worksheets/sheet1.xml') else 1)\n"));

  Result<Workbook> book = Read("inline.xlsx");
  ASSERT_TRUE(book.ok()) << book.status().detail();
  ASSERT_EQ(book->sheets.size(), 9u);  // the first nine sheets only
  EXPECT_EQ(book->sheets[8].cell(1, 1), "表9");
  EXPECT_EQ(book->sheets[0].cell(2, 1), longText);
  EXPECT_EQ(book->sheets[0].rows.size(), 2u);  // 65,534 blank cells hold no text

  WorkbookLimits tight;
  tight.cellBytes = 100;
  Result<Workbook> cut = Read("inline.xlsx", tight);
  ASSERT_TRUE(cut.ok());
  EXPECT_EQ(cut->sheets[0].cell(2, 1), std::string(100, 'x'));
}

TEST_F(WorkbookReaderTest, XlsxFromOpenpyxlWithDatesAndFormulas) {
  ASSERT_TRUE(RunPython(temp_.base(), R"(
import datetime, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.title = "学生"
ws.append(["琴卡号", "姓名", "入学时间", "余额"])
ws.append([1001, "张三", datetime.date(2009, 9, 1), 12.75])
ws.append(["0012", "李四", "2010级", "=1+1"])
c = ws.cell(row=4, column=3, value=-100)
c.number_format = "yyyy-mm-dd"
wb.save(")" + Path("py.xlsx") + R"(")
)"));
  Result<Workbook> book = Read("py.xlsx");
  ASSERT_TRUE(book.ok()) << book.status().detail();
  const Sheet& s = book->sheets[0];
  EXPECT_EQ(s.name, "学生");
  EXPECT_EQ(s.cell(2, 1), "1001");
  EXPECT_EQ(s.cell(2, 2), "张三");
  EXPECT_EQ(s.cell(2, 3), "2009-09-01");
  EXPECT_EQ(s.cell(2, 4), "12.75");
  EXPECT_EQ(s.cell(3, 1), "0012");  // a text keeps its leading zeros
  EXPECT_EQ(s.cell(3, 3), "2010级");
  EXPECT_EQ(s.cell(3, 4), "");      // a formula without a stored result
  EXPECT_EQ(s.cell(4, 3), "-100");  // a date before 1900 stays a number
}

TEST_F(WorkbookReaderTest, XlsFromXlwt) {
  ASSERT_TRUE(RunPython(temp_.base(), R"(
import datetime, xlwt
wb = xlwt.Workbook(encoding="utf-8")
ws = wb.add_sheet("说明")
ws.write(0, 0, "没有标题")
ws = wb.add_sheet("学生")
date = xlwt.easyxf(num_format_str="yyyy-mm-dd")
ws.write(2, 0, "琴卡号")
ws.write(2, 1, "姓名")
ws.write(3, 0, 1001)
ws.write(3, 1, "张三")
ws.write(3, 2, 12.5)
ws.write(3, 3, datetime.date(2009, 9, 1), date)
ws.write(3, 4, True)
ws.write(3, 5, xlwt.Formula("1+2"))
ws.write(3, 6, 13800138000)
ws.write(3, 30, "第31列")
wb.save(")" + Path("xlwt.xls") + R"(")
)"));
  Result<Workbook> book = Read("xlwt.xls");
  ASSERT_TRUE(book.ok()) << book.status().detail();
  ASSERT_EQ(book->sheets.size(), 2u);
  EXPECT_EQ(book->sheets[0].cell(1, 1), "没有标题");
  const Sheet& s = book->sheets[1];
  EXPECT_EQ(s.name, "学生");
  EXPECT_EQ(s.cell(3, 1), "琴卡号");
  EXPECT_EQ(s.cell(4, 1), "1001");
  EXPECT_EQ(s.cell(4, 2), "张三");
  EXPECT_EQ(s.cell(4, 3), "12.5");
  EXPECT_EQ(s.cell(4, 4), "2009-09-01");
  EXPECT_EQ(s.cell(4, 6), "");  // formulas come as empty
  EXPECT_EQ(s.cell(4, 7), "13800138000");
  EXPECT_EQ(s.cell(4, 31), "");
}

TEST_F(WorkbookReaderTest, FilesThatAreNoReadableWorkbook) {
  using testing::WriteBytes;
  EXPECT_EQ(Failure("absent.xlsx"), sheets::kOpenFailed);
  WriteBytes(Path("empty.xls"), "");
  EXPECT_EQ(Failure("empty.xls"), sheets::kNotWorkbook);
  WriteBytes(Path("text.xlsx"), "房间名称,类型\n琴房101,钢琴\n");
  EXPECT_EQ(Failure("text.xlsx"), sheets::kNotWorkbook);

  // Cut in half: the zip's directory is gone, or a BIFF stream ends early.
  lxw_workbook* wb = workbook_new(Path("whole.xlsx").c_str());
  lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
  for (int r = 0; r < 200; ++r) worksheet_write_string(ws, r, 0, ("行" + std::to_string(r)).c_str(), nullptr);
  ASSERT_EQ(workbook_close(wb), LXW_NO_ERROR);
  const std::string whole = testing::ReadBytes(Path("whole.xlsx"));
  WriteBytes(Path("half.xlsx"), whole.substr(0, whole.size() / 2));
  EXPECT_EQ(Failure("half.xlsx"), sheets::kDamaged);

  ASSERT_TRUE(RunPython(temp_.base(), R"(
import xlwt, zipfile
wb = xlwt.Workbook(encoding="utf-8")
ws = wb.add_sheet("a")
for r in range(2000):
    ws.write(r, 0, "行%d" % r)
wb.save(")" + Path("whole.xls") + R"(")
data = open(")" + Path("whole.xls") + R"(", "rb").read()
open(")" + Path("half.xls") + R"(", "wb").write(data[:len(data) // 2])
src = zipfile.ZipFile(")" + Path("whole.xlsx") +
                                          R"(")
out = zipfile.ZipFile(")" + Path("nostrings.xlsx") +
                                          R"(", "w")
for item in src.infolist():
    if item.filename != "xl/sharedStrings.xml":
        out.writestr(item.filename, src.read(item.filename))
out.close()
out = zipfile.ZipFile(")" + Path("other.xlsx") +
                                          R"(", "w")
out.writestr("readme.txt", "not a workbook")
out.close()
out = zipfile.ZipFile(")" + Path("entities.xlsx") +
                                          R"(", "w")
for item in src.infolist():
    data = src.read(item.filename)
    if item.filename == "xl/sharedStrings.xml":
        data = b'<?xml version="1.0"?><!DOCTYPE x [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;">]><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>&b;</t></si></sst>'
    out.writestr(item.filename, data)
out.close()
)"));
  EXPECT_EQ(Failure("half.xls"), sheets::kDamaged);
  EXPECT_EQ(Failure("nostrings.xlsx"), sheets::kNoSharedStrings);
  EXPECT_EQ(Failure("other.xlsx"), sheets::kNotWorkbook);
  EXPECT_EQ(Failure("entities.xlsx"), sheets::kDamaged);

  // An .xlsx with a password to open is a compound file holding the
  // stream "EncryptedPackage" in its directory.
  std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  compound += std::string(504, '\0');
  for (char c : std::string("EncryptedPackage")) compound += std::string{c, '\0'};
  compound += std::string(2048, '\0');
  WriteBytes(Path("locked.xlsx"), compound);
  EXPECT_EQ(Failure("locked.xlsx"), sheets::kPassword);
}

// A file on which FreeXL reads past a buffer (found by fuzzing): it is read
// in a child process, and whatever the child does the desk gets an answer.
TEST_F(WorkbookReaderTest, XlsThatFreeXlMisreadsIsReadApart) {
  const std::string crash =
      std::string(TARVOLEN_SOURCE_DIR) + "/fuzz/corpus/xls_reader/crash-fcdb0f64e0af16355918fb351a46f6cb93ad0ff2";
  Result<Workbook> book = reader_.read(crash, WorkbookLimits{});
  if (!book.ok()) {
    EXPECT_EQ(book.status().detail(), sheets::kDamaged);
  }

  // The child's answer carries every sheet, row and cell.
  ASSERT_TRUE(RunPython(temp_.base(), R"(
import xlwt
wb = xlwt.Workbook(encoding="utf-8")
for s in range(3):
    ws = wb.add_sheet("表%d" % s)
    for r in range(0, 300, 3):
        ws.write(r, s, "格%d-%d" % (s, r))
wb.save(")" + Path("many.xls") + R"(")
)"));
  Result<Workbook> apart = sheets::ReadXlsIsolated(Path("many.xls"), WorkbookLimits{});
  Result<Workbook> direct = sheets::ReadXls(Path("many.xls"), WorkbookLimits{});
  ASSERT_TRUE(apart.ok() && direct.ok());
  ASSERT_EQ(apart->sheets.size(), 3u);
  for (size_t s = 0; s < 3; ++s) {
    EXPECT_EQ(apart->sheets[s].name, direct->sheets[s].name);
    ASSERT_EQ(apart->sheets[s].rows.size(), 100u);
    for (size_t r = 0; r < 100; ++r) {
      EXPECT_EQ(apart->sheets[s].rows[r].number, direct->sheets[s].rows[r].number);
      EXPECT_EQ(apart->sheets[s].rows[r].cells, direct->sheets[s].rows[r].cells);
    }
  }
  EXPECT_EQ(apart->sheets[2].cell(298, 3), "格2-297");
  // An error of the child comes back as it was.
  testing::WriteBytes(Path("junk.xls"), std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(600, 'x'));
  Result<Workbook> junk = sheets::ReadXlsIsolated(Path("junk.xls"), WorkbookLimits{});
  ASSERT_FALSE(junk.ok());
  EXPECT_EQ(junk.status().detail(), sheets::ReadXls(Path("junk.xls"), WorkbookLimits{}).status().detail());
}

TEST(CellTextTest, NumbersAndDates) {
  using namespace sheets;
  EXPECT_EQ(PlainNumber(45), "45");
  EXPECT_EQ(PlainNumber(-0.0), "0");
  EXPECT_EQ(PlainNumber(12.5), "12.5");
  EXPECT_EQ(PlainNumber(1e-5), "0.00001");
  EXPECT_EQ(PlainNumber(1.5e20), "150000000000000000000");
  EXPECT_EQ(PlainNumber(0.1 + 0.2), "0.3");
  EXPECT_EQ(PlainNumberText("1.5E+3"), "1500");
  EXPECT_EQ(PlainNumberText("0012"), "0012");
  EXPECT_EQ(PlainNumberText("x"), "x");
  EXPECT_EQ(SerialDateText(40057, false, true), "2009-09-01");
  EXPECT_EQ(SerialDateText(40057.5, false, true), "2009-09-01 12:00:00");
  EXPECT_EQ(SerialDateText(1, false, false), "1900-01-01");
  EXPECT_EQ(SerialDateText(61, false, false), "1900-03-01");
  EXPECT_EQ(SerialDateText(38595, true, false), "2009-09-01");
  EXPECT_EQ(SerialDateText(-100, false, false), "-100");
  EXPECT_TRUE(IsDateFormat(14, ""));
  EXPECT_TRUE(IsDateFormat(164, "yyyy\"年\"m\"月\"d\"日\""));
  EXPECT_FALSE(IsDateFormat(164, "0.00"));
  EXPECT_FALSE(IsDateFormat(164, "\"m\"0"));
  EXPECT_FALSE(IsDateFormat(164, "[Red]0.00"));
  EXPECT_EQ(ColumnOfReference("AB12"), 28);
  EXPECT_EQ(ColumnOfReference("12"), 0);
  EXPECT_EQ(RowOfReference("AB12"), 12);
}

}  // namespace
}  // namespace tarvolen
