#!/usr/bin/env bash
# The query window in the running program, on the demo installation: a
# session of card 1001 began 47 minutes ago (its check-in record and its
# session arranged in the files); card 1002 is checked in and card 1001
# checked out by swipes. On the page 统计查询 the display mode 组合显示 is
# chosen and 检索 pressed: the query window opens. 导出电子表格 asks for a
# file in Qt's own save dialog, the path is typed into it, and the .xlsx
# written is read back with python3-openpyxl: the template's heading in
# row 1, the titles in row 2, and the one session of 1001 (its check-in
# paired with its check-out, 47 minutes) in row 3.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation query --demo) || exit 1
LOG="$E2E_TMP/query.log"
OUT="$E2E_TMP/report"
set_record_text "$HOME_DIR" 21 "pw"

session_of_1001_begun "$HOME_DIR" 47
check "the session of 1001 is arranged" test -s "$HOME_DIR/shuju.dat"

query_page_after_swipes "$HOME_DIR" "$LOG"
check "统计查询 opens" wait_control "$LOG" Combo10
click_control "$MAIN" "$(control_centre Combo10)"
sleep 0.5
xdotool key --delay 50 End Return
check "组合显示 shows 忽略下线时间" wait_control "$LOG" Check15
click_control "$MAIN" "$(control_centre Command26)"
QWIN=$(wait_window "系统查询-登录数据-组合显示" "$PID")
check "检索 opens the query window" test -n "$QWIN"

check "the window lists its buttons" wait_control "$LOG" QueryWindow/Command2
click_control "$QWIN" "$(control_centre QueryWindow/Command2)"
DIALOG=$(wait_window "导出数据" "$PID")
check "导出电子表格 asks for a file" test -n "$DIALOG"
type_text "$DIALOG" "$OUT"
press "$DIALOG" Return
check "the export is confirmed" answer_box "$PID"
check "the export is logged as written" wait_log "$LOG" "[导出] $OUT.xlsx 成功"

sheet() {
  "$PY" - "$OUT.xlsx" <<'PYEOF'
import openpyxl, sys
ws = openpyxl.load_workbook(sys.argv[1]).active
for row in ws.iter_rows(values_only=True):
    print('\t'.join('' if v is None else str(v) for v in row))
PYEOF
}
SHEET=$(sheet)
row() { sed -n "$1p" <<<"$SHEET"; }
check "row 1 is the template's heading" test "$(row 1 | cut -f1)" = "琴房管理查询报表"
check "row 2 holds the titles" test "$(row 2 | cut -f1-4 | tr '\t' '|')" = "序号|日期|时间|姓名"
check "row 3 is the session of 1001" test "$(row 3 | cut -f1,4,5 | tr '\t' '|')" = "1|张伟|琴房101"
# 47 minutes, one more when the clock turned a minute during the test.
USED=$(row 3 | cut -f20)
check "its minutes used pair the check-in with the check-out ($USED)" test "$USED" = "0时47分" -o "$USED" = "0时48分"
check "the session of 1002 is still open: one line only" test "$(wc -l <<<"$SHEET")" = 3

kill -TERM "$PID"
check "the desk ends" wait_exit "$PID"
finish
