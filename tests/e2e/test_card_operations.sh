#!/usr/bin/env bash
# Card operations in the running program, on the demo installation: a
# recharge of 100.5 on card 1001 typed into the page 会员管理 and confirmed
# (students.dat's balance and total recharged, the log line and set.dat
# position 1038 read back), then a loss report of card 1002 confirmed with
# the verification code read from the control list.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation operations --demo) || exit 1
LOG="$E2E_TMP/operations.log"
set_record_text "$HOME_DIR" 21 "pw"
set_settings_byte "$HOME_DIR" 1022 1  # 使用验证码

# student SLOT: card, total recharged, balance and status from students.dat.
student() {
  "$PY" - "$HOME_DIR" "$1" <<'PYEOF'
import struct, sys
with open(sys.argv[1] + '/students.dat', 'rb') as f:
    f.seek(int(sys.argv[2]) * 128)
    rec = f.read(128)
n = int.from_bytes(rec[16:18], 'little')
card = struct.unpack_from('<q', rec, 0)[0] // 10000
total, = struct.unpack_from('<f', rec, 30 + n)
balance, = struct.unpack_from('<f', rec, 42 + n)
status, = struct.unpack_from('<h', rec, 46 + n)
print('%d %.2f %.2f %d' % (card, total, balance, status))
PYEOF
}
# log_line N: operation, student, amount x 10000, room and remark of line N
# of this year's operation log.
log_line() {
  "$PY" - "$HOME_DIR" "$1" <<'PYEOF'
import datetime, struct, sys
path = '%s/数据/日志/%d.dat' % (sys.argv[1], datetime.date.today().year)
with open(path, 'rb') as f:
    f.seek((int(sys.argv[2]) - 1) * 128)
    rec = f.read(128)
op, who = rec[0], rec[1]
student, = struct.unpack_from('<h', rec, 12)
amount, = struct.unpack_from('<q', rec, 14)
room, = struct.unpack_from('<h', rec, 22)
n = int.from_bytes(rec[24:26], 'little')
print('%d %d %d %d %d %s' % (op, who, student, amount, room, rec[26:26 + n].decode('gbk')))
PYEOF
}
log_line_is() { [[ "$(log_line "$1")" == "$2" ]]; }
student_is() { [[ "$(student "$1")" == "$2" ]]; }

read -r CARD TOTAL BALANCE STATUS <<<"$(student 1)"
check "the demo's card 1001 is student 1" test "$CARD" = 1001
EXPECTED_TOTAL=$("$PY" -c "print('%.2f' % ($TOTAL + 100.5))")
EXPECTED_BALANCE=$("$PY" -c "print('%.2f' % ($BALANCE + 100.5))")

desk_as_administrator "$HOME_DIR" "$LOG"
focus "$MAIN"

open_admin_page "$LOG" 5
check "会员管理 opens" wait_control "$LOG" Combo6

# choose COMBO DOWNS: the chooser takes the focus (its list closed again)
# and moves down that many entries, as the operator does with the keyboard.
choose() {
  controls "$LOG"
  click_control "$MAIN" "$(control_centre "$1")" || return 1
  sleep 0.3
  xdotool key --delay 50 Escape
  local i
  for ((i = 0; i < $2; i++)); do xdotool key --delay 50 Down; done
}

# --- a recharge of 100.5 -----------------------------------------------------

choose Combo6 1
check "充值 shows the amount box" wait_control "$LOG" OpText8_0
xdotool type --delay 25 "100.5"
xdotool key --delay 50 Return
xdotool type --delay 25 "1001"
xdotool key --delay 50 Return
check "Enter in the card box opens the confirmation" wait_control "$LOG" Picture5
check "the summary names the student" grep -q "Summary_.*姓名:张伟" "$E2E_TMP/controls"
check "the summary shows the recharge" grep -q "Summary_.*\[充值\]：100.50元" "$E2E_TMP/controls"
check "a recharge asks for no code" test -z "$(control_centre Text16)"
click_control "$MAIN" "$(control_centre Command19)"
check "the success box comes" answer_box "$PID"
check "the box said what was done" log_has "$LOG" "[提示框] 提示：充值成功 张伟0000001001 +100.50"
check "students.dat holds the new balance and total recharged" \
  eventually student_is 1 "1001 $EXPECTED_TOTAL $EXPECTED_BALANCE 0"
check "the log's first line is the recharge of 100.5 by the administrator" \
  eventually log_line_is 1 "1 6 1 1005000 0 "
check "set.dat position 1038 counts the line" test "$(settings_long "$HOME_DIR" 1038)" = 1

# --- a loss report confirmed with the code -----------------------------------

choose Combo6 1
amount_box_hidden() {
  controls "$LOG"
  [[ -z "$(control_centre OpText8_0)" ]]
}
check "挂失 hides the amount box" eventually amount_box_hidden
click_control "$MAIN" "$(control_centre OpText8_1)"
xdotool type --delay 25 "1002"
xdotool key --delay 50 Return
xdotool type --delay 25 "card lost"
xdotool key --delay 50 Return
check "the confirmation asks for the code" wait_control "$LOG" Text16
CODE=$(awk '$2 == "Label19" { print $8 $9 $10 $11; exit }' "$E2E_TMP/controls")
check "the code has four characters" test "${#CODE}" = 4
# One character changed (compared without case, so X and Y stand apart).
WRONG=X
[[ "${CODE:0:1}" == [xX] ]] && WRONG=Y
xdotool type --delay 25 "$WRONG${CODE:1}"
xdotool key --delay 50 Return
check "a wrong code is refused" wait_log "$LOG" "验证码错误！"
xdotool key --delay 25 ctrl+a BackSpace
xdotool type --delay 25 "$CODE"
xdotool key --delay 50 Return
check "the success box comes" answer_box "$PID"
check "the box said what was done" log_has "$LOG" "[提示框] 提示：挂失成功 王芳 卡号:0000001002"
check "students.dat marks card 1002 lost" eventually test "$(student 2 | awk '{ print $4 }')" = 1
check "the log's second line is the loss report with its remark" \
  eventually log_line_is 2 "2 6 2 0 0 card lost"

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
