#!/usr/bin/env bash
# Backup and restore in the running program, on the demo installation: the
# page 数据备份 backs the data up into a folder typed into its backup half,
# card 1001 is recharged on the page 会员管理, the backup is restored, and
# students.dat holds the backed-up balance again; a recharge after the
# restore starts from that balance (the desk's memory was reloaded).
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation backup --demo) || exit 1
STORE="$E2E_TMP/store"
mkdir -p "$STORE"
LOG="$E2E_TMP/backup.log"
set_record_text "$HOME_DIR" 21 "pw"

# balance SLOT: the balance in students.dat, "0.00".
balance() {
  "$PY" - "$HOME_DIR" "$1" <<'PYEOF'
import struct, sys
with open(sys.argv[1] + '/students.dat', 'rb') as f:
    f.seek(int(sys.argv[2]) * 128)
    rec = f.read(128)
n = int.from_bytes(rec[16:18], 'little')
print('%.2f' % struct.unpack_from('<f', rec, 42 + n)[0])
PYEOF
}
balance_is() { [[ "$(balance "$1")" == "$2" ]]; }
BEFORE=$(balance 1)
RECHARGED=$("$PY" -c "print('%.2f' % ($BEFORE + 100.5))")
PLUS_ONE=$("$PY" -c "print('%.2f' % ($BEFORE + 1))")

desk_as_administrator "$HOME_DIR" "$LOG"
focus "$MAIN"

open_admin_page "$LOG" 7
check "数据备份 opens" wait_control "$LOG" Command23
check "the time box shows today" test "$(control_text Text9)" = "$(date +%Y年%m月%d日)"

# --- the backup ------------------------------------------------------------

fill_control "$MAIN" Dir1_0 "$STORE"
fill_control "$MAIN" Text7 "e2e"
fill_control "$MAIN" Text9 "t1"
click_control "$MAIN" "$(control_centre Command23)"
check "the success box comes" answer_box "$PID"
check "the box said 备份成功" log_has "$LOG" "[提示框] 提示：备份成功"
BACKUP="$STORE/e2e[t1]"
check "the backup folder holds students.dat" test -f "$BACKUP/students.dat"
check "the backup folder is private" test "$(stat -c %a "$BACKUP")" = 700
check "its students.dat is private" test "$(stat -c %a "$BACKUP/students.dat")" = 600

# recharge AMOUNT: card 1001 on the page 会员管理, confirmed.
recharge() {
  controls "$LOG"
  click_control "$MAIN" "$(control_centre Option1_5)" || return 1
  wait_control "$LOG" Combo6 || return 1
  # The page keeps the operation chosen last: 充值 is chosen only once.
  if [[ -z "$(control_centre OpText8_0)" ]]; then
    click_control "$MAIN" "$(control_centre Combo6)" || return 1
    sleep 0.3
    xdotool key --delay 50 Escape Down
    wait_control "$LOG" OpText8_0 || return 1
  fi
  click_control "$MAIN" "$(control_centre OpText8_0)" || return 1
  xdotool key --delay 25 ctrl+a BackSpace
  xdotool type --delay 25 "$1"
  xdotool key --delay 50 Return
  xdotool type --delay 25 "1001"
  xdotool key --delay 50 Return
  wait_control "$LOG" Command19 || return 1
  click_control "$MAIN" "$(control_centre Command19)" || return 1
  answer_box "$PID"
}

check "card 1001 is recharged by 100.5" recharge 100.5
check "students.dat holds the recharged balance" eventually balance_is 1 "$RECHARGED"

# --- the restore -----------------------------------------------------------

controls "$LOG"
click_control "$MAIN" "$(control_centre Option1_7)"
check "数据备份 opens again" wait_control "$LOG" Command24
fill_control "$MAIN" Dir1_1 "$BACKUP"
click_control "$MAIN" "$(control_centre Command24)"
check "the restore asks first" answer_box "$PID"
check "the question was the replacement's" log_has "$LOG" "现在的数据将被替换。确认吗？"
check "the success box comes" answer_box "$PID"
check "the box said 恢复成功" log_has "$LOG" "[提示框] 提示：恢复成功"
check "students.dat holds the backed-up balance" eventually balance_is 1 "$BEFORE"

check "a recharge of 1 after the restore" recharge 1
check "it starts from the restored balance" eventually balance_is 1 "$PLUS_ONE"

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
check "the balance stays the restored one plus 1" balance_is 1 "$PLUS_ONE"
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
