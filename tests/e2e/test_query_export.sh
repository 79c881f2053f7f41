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

"$PY" - "$HOME_DIR" <<'PYEOF'
import datetime, os, struct, sys
home = sys.argv[1]
start = datetime.datetime.now() - datetime.timedelta(minutes=47)
days = float((start.date() - datetime.date(1899, 12, 30)).days)
minute = start.hour * 60 + start.minute
with open(home + '/students.dat', 'rb') as f:
    f.seek(128)                     # record 2 = student slot 1
    rec = f.read(128)
n = int.from_bytes(rec[16:18], 'little')
enrolled, = struct.unpack_from('<d', rec, 18 + n + 3)
with open(home + '/shuju.dat', 'wb') as f:
    f.write(struct.pack('<hhhd', 1, 1, minute, days) + b'\0\0')
with open(home + '/set.dat', 'r+b') as f:
    f.write(struct.pack('<i', 1))   # position 1: one session
year = os.path.join(home, '数据', '登记', '%04d.dat' % start.year)
with open(year, 'ab') as f:         # its check-in: room 1, student 1, operator 6
    f.write(struct.pack('<hhhdBBfd', 1, 1, minute, days, 6, 0, 0.0, enrolled).ljust(32, b'\0'))
PYEOF
check "the session of 1001 is arranged" test -s "$HOME_DIR/shuju.dat"

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
wait_focus "$PROMPT"
log_in "$PROMPT" "pw" "音乐学院琴房 管理员" "$PID"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"

press "$MAIN" KP_1 KP_0 KP_0 KP_2 Return
press "$MAIN" Return
check "1002 is checked in" wait_log "$LOG" "[0000001002]登录"
press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
check "1001 is checked out" wait_log "$LOG" "[0000001001]下线琴房101"

focus "$MAIN"
controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
check "the administration area opens" wait_control "$LOG" Option1_6
click_control "$MAIN" "$(control_centre Option1_6)"
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
