#!/usr/bin/env bash
# A card swipe on a fresh demo installation, typed like the card reader
# types it: the administrator password is set at the first start, the card
# 1001 is swiped (keypad digits and Enter) with the main window in front,
# and Enter takes the proposed room. The session, its record in the session
# file, the session count and the check-in record of the year file are on
# disk at once, the announcement is logged once and shows on the message
# line at the bottom of the screen.
source "$(dirname "$0")/lib.sh" "$1"

PASSWORD='Swipe-1001'
HOME_DIR=$(new_installation swipe --demo) || exit 1
LOG="$E2E_TMP/desk.log"

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "设定管理密码" "$PID")
check "the first start asks for the administrator password" test -n "$PROMPT"
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
log_in --first-run "$PROMPT" "$PASSWORD"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"
check "the prompt is gone" wait_window_gone "设定管理密码" "$PID"
# The first confirmation leaves the title alone: the window shows the
# program's name, which X carries only as _NET_WM_NAME (xdotool's --name
# search reads WM_NAME), so the window is looked for by its class.
main_window() {  # PID: prints the visible window of PID named "tarvolen"
  local i w
  for ((i = 0; i < 200; i++)); do
    for w in $(xdotool search --onlyvisible --all --pid "$1" --class '^tarvolen$' 2>/dev/null); do
      [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "tarvolen" ]] && { echo "$w"; return 0; }
    done
    sleep 0.1
  done
  return 1
}
MAIN=$(main_window "$PID")
check "the main window is up" test -n "$MAIN"
check "the main window has the keyboard" wait_focus "$MAIN"
check "the keys of the desktop are watched" wait_log "$LOG" "[按键] 来源"

# The card reader: keypad digits and Enter open the check-in dialogue with
# 琴房101 proposed; Enter takes it.
press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
press "$MAIN" Return
check "the check-in is announced" wait_log "$LOG" "]登录琴房101 钢琴"
check "the announcement names the student and the full card number" \
  log_has "$LOG" "张伟[0000001001]登录琴房101 钢琴"
check "the announcement is logged once" test "$(log_count "$LOG" "]登录琴房101 钢琴")" = 1
check "the announcement shows on the message line FMsg1" window_shown "FMsg1" "$PID"

ON_DISK=$("$PY" - "$HOME_DIR" <<'PYEOF'
import glob, struct, sys
home = sys.argv[1]
with open(home + '/set.dat', 'rb') as f:
    count = struct.unpack('<i', f.read(4))[0]          # position 1: Long
room = student = -1
with open(home + '/shuju.dat', 'rb') as f:
    rec = f.read(4)                                    # record 1
if len(rec) == 4:
    room, student = struct.unpack('<hh', rec)
years = sorted(glob.glob(home + '/数据/登记/*.dat'))
kind = -1
if years:
    with open(years[-1], 'rb') as f:
        rec = f.read(32)
    if len(rec) > 15:
        kind = rec[15]                                 # record 1: kind
print(count, room, student, kind, len(years))
PYEOF
)
read -r COUNT ROOM STUDENT KIND YEARS <<<"$ON_DISK"
check "set.dat position 1 counts one session ($COUNT)" test "$COUNT" = 1
check "shuju.dat record 1: room slot 1 ($ROOM)" test "$ROOM" = 1
check "shuju.dat record 1: student slot 1 ($STUDENT)" test "$STUDENT" = 1
check "one year file under 数据/登记 ($YEARS)" test "$YEARS" = 1
check "its record 1 is a check-in (kind $KIND)" test "$KIND" = 0

kill -TERM "$PID"
check "SIGTERM saves and ends" wait_log "$LOG" "[退出] 已保存"
check "the program ends with code 0" ends_with_code "$PID" 0
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
