#!/usr/bin/env bash
# The life of a new installation: the first start asks for the administrator
# password and stores it; SIGTERM saves and ends; the next start asks for
# that password, refuses a wrong one with a message box and keeps running,
# lets the right one in under the title "音乐学院琴房 管理员", and the 退出
# button saves the identity picked in the prompt.
source "$(dirname "$0")/lib.sh" "$1"

PASSWORD='Tarv-2024x'
HOME_DIR=$(new_installation first-run) || exit 1
LOG1="$E2E_TMP/first.log"
LOG2="$E2E_TMP/second.log"

# --- first start: set the administrator password --------------------------

check "a clean installation holds the not-set-up administrator password" \
  test "$(record_text "$HOME_DIR" 21)" = "雪松岭VOID0427"

start_desk "$HOME_DIR" "$LOG1"
FIRST=$DESK_PID
PROMPT=$(wait_window "设定管理密码" "$FIRST")
check "the first start shows the prompt titled 设定管理密码" test -n "$PROMPT"
check "loading finishes with the prompt on screen" wait_log "$LOG1" "[启动] 载入完毕"
check "no 管理员验证 prompt on a first run" window_absent "管理员验证"

# Text1 has the focus; Tab goes to Text2; Enter confirms.
log_in --first-run "$PROMPT" "$PASSWORD"
check "the typed pair confirms the administrator" wait_log "$LOG1" "[身份] 6"
check "no message box after a matching pair" window_absent "提示"
check "the prompt is gone after the confirmation" wait_window_gone "设定管理密码" "$FIRST"

check "set.dat record 21 holds the password at once" test "$(record_text "$HOME_DIR" 21)" = "$PASSWORD"

kill -TERM "$FIRST"
check "SIGTERM runs save-and-exit" wait_log "$LOG1" "[退出] 已保存"
check "the process ends after SIGTERM with code 0" ends_with_code "$FIRST" 0
check "set.dat record 21 reads back the password" test "$(record_text "$HOME_DIR" 21)" = "$PASSWORD"
check "the administrator is the identity last picked (position 1100)" test "$(settings_byte "$HOME_DIR" 1100)" = 6
if [[ $E2E_FAILED -gt 0 ]]; then show_log "$LOG1"; fi

# --- second start: a normal start -----------------------------------------

# The visitor was picked last, so the administrator must be picked again
# and the exit must store that pick.
set_settings_byte "$HOME_DIR" 1100 0

start_desk "$HOME_DIR" "$LOG2"
SECOND=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$SECOND")
check "the next start shows the prompt titled 管理员验证" test -n "$PROMPT"
check "the next start is not a first run" window_absent "设定管理密码"
check "loading finishes on the second start" wait_log "$LOG2" "[启动] 载入完毕"

# The visitor is selected and the focus is on 确认: back to the list, pick
# the last entry (the administrator), which moves the focus to Text1.
press "$PROMPT" shift+Tab End
type_text "$PROMPT" "tarv-2024x"
press "$PROMPT" Return
BOX=$(wait_window "提示" "$SECOND" 15)
check "a wrong password (other case) shows a message box titled 提示" test -n "$BOX"
check "the message box takes the keyboard by itself" wait_focus "$BOX"
press "$BOX" Return
check "the message box closes with Return" wait_window_gone "提示" "$SECOND"
check "the program keeps running after the refusal" running "$SECOND"
check "no identity was confirmed by the wrong password" test "$(log_count "$LOG2" "[身份]")" = 0
check "the prompt is still up after the refusal" window_shown "管理员验证" "$SECOND"

# The box emptied the password box: typing the password alone gets in.
log_in "$PROMPT" "$PASSWORD" "音乐学院琴房 管理员" "$SECOND"
check "the right password confirms the administrator" wait_log "$LOG2" "[身份] 6"
check "the main window is titled 音乐学院琴房 管理员" test -n "$MAIN"
check "the prompt is hidden once the main window is up" wait_window_gone "管理员验证" "$SECOND"

# 退出 sits at the bottom right of the main window.
click_at "$MAIN" -50 -24
check "the 退出 button runs save-and-exit" wait_log "$LOG2" "[退出] 已保存"
check "the process ends after 退出 with code 0" ends_with_code "$SECOND" 0
check "position 1100 holds the administrator picked in the prompt" test "$(settings_byte "$HOME_DIR" 1100)" = 6
check "the password is unchanged by the second run" test "$(record_text "$HOME_DIR" 21)" = "$PASSWORD"
check "set.dat keeps its size" test "$(file_size "$HOME_DIR/set.dat")" = 1117
if [[ $E2E_FAILED -gt 0 ]]; then show_log "$LOG2"; fi

finish
