#!/usr/bin/env bash
# Re-initialisation in the running program, on the demo installation: the
# panel 恢复出厂设置 on the page 数据备份 with the words 立即清除 brings the
# delivered files back from ct/, says so in the box 重要提示 and ends the
# program without save-and-exit; the next start is a first run.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation reinit --demo) || exit 1
LOG="$E2E_TMP/reinit.log"
set_record_text "$HOME_DIR" 21 "pw"

desk_as_administrator "$HOME_DIR" "$LOG"
focus "$MAIN"

open_admin_page "$LOG" 7
check "数据备份 opens" wait_control "$LOG" Command33
click_control "$MAIN" "$(control_centre Command33)"
check "the panel shows the delivered values" wait_control "$LOG" Text12_0
check "活动年份 is 5" test "$(control_text Text12_0)" = 5
check "the autumn divider is 8 15" test "$(control_text Text12_3) $(control_text Text12_4)" = "8 15"
fill_control "$MAIN" Text11 "立即清除"
click_control "$MAIN" "$(control_centre Command34)"
BOX=$(wait_window "重要提示" "$PID" 15)
check "the box 重要提示 comes" test -n "$BOX"
check "it says to restart" log_has "$LOG" "操作完成，你现在需要立即重启本程序，以完成初始化！"
press "$BOX" Return
check "the desk ends with code 0" ends_with_code "$PID" 0
check "without save-and-exit" log_lacks "$LOG" "[退出] 已保存"
check "students.dat is gone" test ! -e "$HOME_DIR/students.dat"
check "rooms.dat is the clean copy" cmp -s "$HOME_DIR/rooms.dat" "$HOME_DIR/ct/rooms.dat"
check "the administrator's password is not set up again" record_is "$HOME_DIR" 21 "雪松岭VOID0427"
check "the autumn divider is 815" integer_is "$HOME_DIR" 1034 815

LOG2="$E2E_TMP/reinit2.log"
start_desk "$HOME_DIR" "$LOG2"
# The clean set.dat has no last start: a new semester may be greeted first.
GREETING=$(wait_window "提示" "$DESK_PID" 5)
[[ -n "$GREETING" ]] && press "$GREETING" Return
check "the next start asks for a new password" test -n "$(wait_window "设定管理密码" "$DESK_PID")"
kill -TERM "$DESK_PID"
wait_exit "$DESK_PID"
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
