#!/usr/bin/env bash
# Switching identity in the running program: "切换用户" brings the prompt
# back with the keyboard on it while the main window stays up, disabled;
# a cancel returns to the same identity; a confirmation of another identity
# retitles the main window; the identity picked last is saved at exit.
source "$(dirname "$0")/lib.sh" "$1"

PASSWORD='Sw1tch'
HOME_DIR=$(new_installation switch) || exit 1
set_record_text "$HOME_DIR" 21 "$PASSWORD"
LOG="$E2E_TMP/desk.log"

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "the start shows the prompt" test -n "$PROMPT"
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
check "the prompt has the keyboard at start" wait_focus "$PROMPT"
log_in "$PROMPT" "$PASSWORD" "音乐学院琴房 管理员" "$PID"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"
check "the main window is titled 音乐学院琴房 管理员" test -n "$MAIN"
check "the main window has the keyboard" wait_focus "$MAIN"

# --- switch, then cancel ---------------------------------------------------

# 切换用户 sits at the bottom left of the main window.
click_at "$MAIN" 50 -24
check "切换用户 brings the prompt back" test -n "$(wait_window "管理员验证" "$PID" 10)"
check "the prompt takes the keyboard by itself" wait_focus "$PROMPT"
check "the main window stays on screen while switching" window_shown "音乐学院琴房 管理员" "$PID"

# The main window is disabled: a click on its 退出 does nothing. 取消 on the
# prompt is clicked after it, so the program has handled the first click
# once the prompt is gone.
click_only "$MAIN" -50 -24
click_only "$PROMPT" -80 -20
check "取消 hides the prompt" wait_window_gone "管理员验证" "$PID"
check "the disabled main window ignored 退出" log_lacks "$LOG" "[退出]"
check "the program is still running" running "$PID"
check "the main window gets the keyboard back" wait_focus "$MAIN"
check "no identity was confirmed by the cancel" test "$(log_count "$LOG" "[身份]")" = 1
check "the title still names the administrator" window_shown "音乐学院琴房 管理员" "$PID"

# --- switch to the visitor -------------------------------------------------

click_at "$MAIN" 50 -24
check "切换用户 brings the prompt back again" test -n "$(wait_window "管理员验证" "$PID" 10)"
check "the prompt takes the keyboard again" wait_focus "$PROMPT"
# Back to the list, its first entry (the visitor: no password, the focus
# moves to 确认), Space confirms.
xdotool key --delay 25 shift+Tab Home space
check "the visitor is confirmed without a password" wait_log "$LOG" "[身份] 0"
check "the main window is titled 音乐学院琴房 访客" test -n "$(wait_window "音乐学院琴房 访客" "$PID")"
check "the prompt is hidden" wait_window_gone "管理员验证" "$PID"

kill -INT "$PID"
check "SIGINT runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the program ends with code 0" ends_with_code "$PID" 0
check "position 1100 holds the visitor, picked last" test "$(settings_byte "$HOME_DIR" 1100)" = 0

[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
