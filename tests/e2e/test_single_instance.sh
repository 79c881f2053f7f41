#!/usr/bin/env bash
# One desk per program folder: a second start on the same folder shows
# "本程序已经在运行中！" in a box titled 提示 and ends with code 1, leaving
# the first instance running and usable; a desk killed outright leaves a
# stale lock that does not keep the next start out. A desk on another
# folder is not affected.
source "$(dirname "$0")/lib.sh" "$1"

PASSWORD='Lock-9'
HOME_DIR=$(new_installation single) || exit 1
OTHER_DIR=$(new_installation other) || exit 1
LOG_A="$E2E_TMP/a.log"
LOG_B="$E2E_TMP/b.log"
LOG_C="$E2E_TMP/c.log"
LOG_D="$E2E_TMP/d.log"
LOG_O="$E2E_TMP/other.log"

start_desk "$HOME_DIR" "$LOG_A"
A=$DESK_PID
PROMPT_A=$(wait_window "设定管理密码" "$A")
check "the first instance reaches the prompt" test -n "$PROMPT_A"
check "the first instance finishes loading" wait_log "$LOG_A" "[启动] 载入完毕"

# --- a second start on the same folder ------------------------------------

start_desk "$HOME_DIR" "$LOG_B"
B=$DESK_PID
BOX=$(wait_window "提示" "$B" 15)
check "a second start on the same folder shows a box titled 提示" test -n "$BOX"
check "the second start shows no prompt of its own" window_absent "设定管理密码" "$B"
check "the second start waits for the box to be answered" running "$B"
press "$BOX" Return
check "the second start ends with code 1 once the box is closed" ends_with_code "$B" 1
check "the second start saved nothing" log_lacks "$LOG_B" "[退出]"

check "the first instance is still running" running "$A"
check "the first instance's prompt is still up" window_shown "设定管理密码" "$A"
check "the first instance showed no box" window_absent "提示" "$A"

# The first instance still works.
log_in --first-run "$PROMPT_A" "$PASSWORD"
check "the first instance still confirms the administrator" wait_log "$LOG_A" "[身份] 6"
check "the password is stored at once" test "$(record_text "$HOME_DIR" 21)" = "$PASSWORD"

# --- another folder is another desk ----------------------------------------

start_desk "$OTHER_DIR" "$LOG_O"
O=$DESK_PID
check "a desk on another folder starts beside it" test -n "$(wait_window "设定管理密码" "$O")"
check "the desk on another folder shows no box" window_absent "提示" "$O"
kill -TERM "$O"
check "the desk on another folder ends by SIGTERM with code 0" ends_with_code "$O" 0

# --- a killed holder -------------------------------------------------------

kill -KILL "$A"
check "the first instance is killed" wait_exit "$A"
check "the killed instance saved nothing" log_lacks "$LOG_A" "[退出]"
check "the killed instance left its lock behind" test -e "$HOME_DIR/tarvolen.lock"

start_desk "$HOME_DIR" "$LOG_C"
C=$DESK_PID
PROMPT_C=$(wait_window "管理员验证" "$C")
check "after kill -9 a new start reaches the prompt (the stale lock does not block)" test -n "$PROMPT_C"
check "the new start shows no box" window_absent "提示" "$C"
check "the new start finishes loading" wait_log "$LOG_C" "[启动] 载入完毕"

# The new start holds the folder in turn.
start_desk "$HOME_DIR" "$LOG_D"
D=$DESK_PID
BOX=$(wait_window "提示" "$D" 15)
check "the new start holds the folder against a further start" test -n "$BOX"
[[ -n "$BOX" ]] && press "$BOX" Return
check "the further start exits with code 1" ends_with_code "$D" 1

# The password set by the killed instance lets the new one in.
log_in "$PROMPT_C" "$PASSWORD"
check "the new start confirms the administrator" wait_log "$LOG_C" "[身份] 6"
check "the main window is titled 音乐学院琴房 管理员" test -n "$(wait_window "音乐学院琴房 管理员" "$C")"

kill -INT "$C"
check "SIGINT runs save-and-exit" wait_log "$LOG_C" "[退出] 已保存"
check "the new start ends after SIGINT with code 0" ends_with_code "$C" 0

if [[ $E2E_FAILED -gt 0 ]]; then
  show_log "$LOG_A"
  show_log "$LOG_B"
  show_log "$LOG_C"
fi
finish
