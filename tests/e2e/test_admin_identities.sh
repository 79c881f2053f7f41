#!/usr/bin/env bash
# Identities in the running program: the administrator sets up user one on
# the page 用户管理 (name, password, one more right), changes the own
# password on the page 设置, and exits; set.dat holds records 9, 16, 21 and
# position 1003. The next start lets user one in under its new name with
# only the pages its word allows, and the administrator only with the new
# password.
source "$(dirname "$0")/lib.sh" "$1"

OLD_PASSWORD='Adm1n'
NEW_PASSWORD='N3wAdm'
USER_NAME='Tutor'
USER_PASSWORD='Tut0r'
HOME_DIR=$(new_installation identities) || exit 1
set_record_text "$HOME_DIR" 21 "$OLD_PASSWORD"

# The page opens from the navigation of the administration area.
open_page() {  # PAGE
  controls "$LOG"
  if [[ -z "$(control_centre Picture2)" ]]; then
    click_control "$MAIN" "$(control_centre Command5)" || return 1
    wait_control "$LOG" "Option1_$1" || return 1
  fi
  click_control "$MAIN" "$(control_centre "Option1_$1")" || return 1
  wait_control "$LOG" "Picture3_$1"
}
user_one_selected() {
  controls "$LOG"
  [[ "$(control_text Text4_0)" == 用户一 ]]
}

# --- first run: the administrator sets things up ---------------------------

LOG="$E2E_TMP/desk1.log"
start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
wait_focus "$PROMPT"
log_in "$PROMPT" "$OLD_PASSWORD" "音乐学院琴房 管理员" "$PID"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"
focus "$MAIN"

check "用户管理 opens" open_page 4
# The list's first row is the visitor; Down moves to user one.
read -r LX LY <<<"$(awk '$2 == "List4" { print $3 + 20, $4 + 8; exit }' "$E2E_TMP/controls")"
click_only "$MAIN" "$LX" "$LY"
xdotool key --delay 50 Down
check "user one is selected: its name is in the box" eventually user_one_selected
check "user one holds 设置 (box 0)" test "$(control_state Check8_0)" = on
check "user one lacks 企业信息 (box 8)" test "$(control_state Check8_8)" = off
fill_control "$MAIN" Text4_0 "$USER_NAME"
fill_control "$MAIN" Text4_3 "$USER_PASSWORD"
fill_control "$MAIN" Text4_4 "$USER_PASSWORD"
click_control "$MAIN" "$(control_left Check8_8)"
check "企业信息 is ticked for user one" wait_control_state "$LOG" Check8_8 on
click_control "$MAIN" "$(control_centre Command2)"
check "确定修改 writes the name to record 9 at once" eventually record_is "$HOME_DIR" 9 "$USER_NAME"
check "确定修改 writes the password to record 16 at once" eventually record_is "$HOME_DIR" 16 "$USER_PASSWORD"
check "确定修改 writes the word 577 + 256 to position 1003" eventually integer_is "$HOME_DIR" 1003 833

check "设置 opens" open_page 0
fill_control "$MAIN" Text4_5 "$OLD_PASSWORD"
fill_control "$MAIN" Text4_1 "$NEW_PASSWORD"
fill_control "$MAIN" Text4_2 "$NEW_PASSWORD"
click_control "$MAIN" "$(control_centre Command4)"
check "the own password is changed in record 21" eventually record_is "$HOME_DIR" 21 "$NEW_PASSWORD"

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the first run ends with code 0" ends_with_code "$PID" 0
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"

# --- second run: user one, then the administrator --------------------------

LOG="$E2E_TMP/desk2.log"
start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "loading finishes again" wait_log "$LOG" "[启动] 载入完毕"
wait_focus "$PROMPT"
# Back to the list and its first entry, the visitor (the focus moves on to
# 确认), back to the list again and one down: user one, whose password box
# takes the focus.
press "$PROMPT" shift+Tab Home shift+Tab Down
log_in "$PROMPT" "$USER_PASSWORD" "音乐学院琴房 $USER_NAME" "$PID"
check "user one is confirmed with its new password" wait_log "$LOG" "[身份] 1"
check "the title carries user one's new name" test -n "$MAIN"
focus "$MAIN"
controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
wait_control "$LOG" Option1_0
SHOWN=$(sed -nE 's/^\[控件\] Option1_([0-8]) .*/\1/p' "$E2E_TMP/controls" | sort | tr -d '\n')
check "user one sees 设置, 统计查询 and 企业信息 only (buttons $SHOWN)" test "$SHOWN" = 068

# The settings page's 切换用户 hands over to the administrator.
click_control "$MAIN" "$(control_centre Option1_0)"
wait_control "$LOG" Command14
click_control "$MAIN" "$(control_centre Command14)"
check "切换用户 brings the prompt back" test -n "$(wait_window "管理员验证" "$PID" 10)"
wait_focus "$PROMPT"
press "$PROMPT" shift+Tab End
type_text "$PROMPT" "$OLD_PASSWORD"
press "$PROMPT" Return
check "the old administrator password is refused" answer_box "$PID"
check "nobody else was confirmed" test "$(log_count "$LOG" "[身份]")" = 1
wait_focus "$PROMPT"
log_in "$PROMPT" "$NEW_PASSWORD"
check "the new administrator password lets in" wait_log "$LOG" "[身份] 6"

kill -TERM "$PID"
check "the second run exits cleanly" wait_log "$LOG" "[退出] 已保存"
check "the second run ends with code 0" ends_with_code "$PID" 0

[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
