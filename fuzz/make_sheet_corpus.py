#!/usr/bin/python3
"""Writes the seeds of the two workbook readers' fuzz targets:
fuzz/corpus/xlsx_reader/ (small .xlsx packages with stored, uncompressed
parts, so the fuzzer mutates the XML itself, and one deflated package) and
fuzz/corpus/xls_reader/ (.xls workbooks from python3-xlwt). Run with
Debian's python3:  /usr/bin/python3 fuzz/make_sheet_corpus.py fuzz/corpus"""
import datetime
import os
import sys
import zipfile

import xlwt

NS = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
R = 'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"'


def package(path, sheets, strings=None, styles=None, compress=zipfile.ZIP_STORED, date1904=False):
    with zipfile.ZipFile(path, "w", compress) as z:
        z.writestr("[Content_Types].xml", '<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>')
        entries = "".join('<sheet name="%s" sheetId="%d" r:id="rId%d"/>' % (n, i + 1, i + 1) for i, (n, _) in enumerate(sheets))
        pr = '<workbookPr date1904="1"/>' if date1904 else ""
        z.writestr("xl/workbook.xml", '<?xml version="1.0"?><workbook %s %s>%s<sheets>%s</sheets></workbook>' % (NS, R, pr, entries))
        rels = "".join('<Relationship Id="rId%d" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet%d.xml"/>' % (i + 1, i + 1) for i in range(len(sheets)))
        rels += '<Relationship Id="rS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>'
        rels += '<Relationship Id="rT" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>'
        z.writestr("xl/_rels/workbook.xml.rels", '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">%s</Relationships>' % rels)
        for i, (_, rows) in enumerate(sheets):
            z.writestr("xl/worksheets/sheet%d.xml" % (i + 1), '<?xml version="1.0"?><worksheet %s><sheetData>%s</sheetData></worksheet>' % (NS, rows))
        if strings is not None:
            items = "".join("<si>%s</si>" % s for s in strings)
            z.writestr("xl/sharedStrings.xml", '<?xml version="1.0"?><sst %s count="%d">%s</sst>' % (NS, len(strings), items))
        if styles is not None:
            z.writestr("xl/styles.xml", '<?xml version="1.0"?><styleSheet %s>%s</styleSheet>' % (NS, styles))


def xlsx(folder):
    os.makedirs(folder, exist_ok=True)
    styles = ('<numFmts count="1"><numFmt numFmtId="164" formatCode="yyyy&quot;年&quot;m&quot;月&quot;d&quot;日&quot;"/></numFmts>'
              '<cellXfs count="3"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/></cellXfs>')
    rooms = ('<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="inlineStr"><is><t>容量</t></is></c></row>'
             '<row r="2"><c r="A2" t="s"><v>2</v></c><c r="B2" t="s"><v>3</v></c><c r="C2"><v>4</v></c></row>'
             '<row r="3"><c r="A3" t="inlineStr"><is><r><t>琴房</t></r><r><t>102</t></r></is></c><c r="C3"><v>1.5E+1</v></c></row>')
    package(os.path.join(folder, "rooms.xlsx"), [("房间", rooms)],
            ["房间名称", "类型", "琴房101", "<r><t>钢</t></r><r><t>琴</t></r><rPh><t>gangqin</t></rPh>"], styles)
    students = ('<row r="2"><c r="A2" t="s"><v>0</v></c><c r="B2" t="s"><v>1</v></c><c r="C2" t="s"><v>2</v></c><c r="D2" t="b"><v>1</v></c></row>'
                '<row r="3"><c r="A3"><v>1001</v></c><c r="B3" t="str"><v>张三</v><f>A1</f></c><c r="C3" s="1"><v>40057</v></c><c r="D3" t="e"><v>#N/A</v></c></row>'
                '<row><c><v>1002</v></c><c t="d"><v>2009-09-01T00:00:00</v></c><c s="2"><v>40057.5</v></c></row>')
    package(os.path.join(folder, "students.xlsx"), [("说明", '<row r="1"><c r="A1" t="inlineStr"><is><t>学生名单</t></is></c></row>'), ("学生", students)],
            ["琴卡号", "姓名", "入学时间"], styles, date1904=True)
    package(os.path.join(folder, "nostrings.xlsx"), [("a", '<row r="1"><c r="A1" t="s"><v>0</v></c></row>')])
    package(os.path.join(folder, "deflated.xlsx"), [("a", rooms)], ["房间名称", "类型", "琴房101", "钢琴"], styles,
            compress=zipfile.ZIP_DEFLATED)


def xls(folder):
    os.makedirs(folder, exist_ok=True)
    wb = xlwt.Workbook(encoding="utf-8")
    ws = wb.add_sheet("房间")
    for c, t in enumerate(["房间名称", "类型", "限时", "开放", "价格", "容量"]):
        ws.write(0, c, t)
    ws.write(1, 0, "琴房101")
    ws.write(1, 1, "钢琴")
    ws.write(1, 2, 45)
    ws.write(1, 3, "是")
    ws.write(1, 4, 12.5)
    ws.write(1, 5, xlwt.Formula("1+1"))
    wb.save(os.path.join(folder, "rooms.xls"))
    wb = xlwt.Workbook(encoding="utf-8")
    wb.add_sheet("说明").write(0, 0, "学生")
    ws = wb.add_sheet("学生")
    for c, t in enumerate(["琴卡号", "姓名", "入学时间", "余额"]):
        ws.write(2, c, t)
    ws.write(3, 0, 1001)
    ws.write(3, 1, "张三")
    ws.write(3, 2, datetime.date(2009, 9, 1), xlwt.easyxf(num_format_str="yyyy-mm-dd"))
    ws.write(3, 3, True)
    wb.save(os.path.join(folder, "students.xls"))


if __name__ == "__main__":
    root = sys.argv[1] if len(sys.argv) > 1 else "fuzz/corpus"
    xlsx(os.path.join(root, "xlsx_reader"))
    xls(os.path.join(root, "xls_reader"))
