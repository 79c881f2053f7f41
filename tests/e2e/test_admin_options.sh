#!/usr/bin/env bash
# The administration area in the running program: the administrator opens
# it with Command5, picks the settings page, switches "打开音效" and the
# assignment mode; a card typed meanwhile checks nobody in; SIGTERM saves
# exactly those options (positions 11 and 10 of set.dat), and the next start
# shows them on the settings page. The window's size goes the same way;
# the custom display name is written at once and names the window from then on.
source "$(dirname "$0")/lib.sh" "$1"

PASSWORD='Adm1n'
HOME_DIR=$(new_installation admin --demo) || exit 1
set_record_text "$HOME_DIR" 21 "$PASSWORD"
SOUND_BEFORE=$(settings_byte "$HOME_DIR" 11)
MODE_BEFORE=$(settings_byte "$HOME_DIR" 10)

# laid_out_at WIDTH: the exit button's right edge sits 6 px from that width.
laid_out_at() {
  controls "$LOG"
  [[ "$(awk '$2 == "exitButton" { print $3 + $5 + 6; exit }' "$E2E_TMP/controls")" == "$1" ]]
}
mode_changed() {
  controls "$LOG"
  [[ -n "$(control_text ComboMode)" && "$(control_text ComboMode)" != "$MODE_SHOWN" ]]
}

# The administrator's login as this test checks it: the prompt once loading
# is done, the main window after the confirmation, each with the keyboard.
login() {
  PROMPT=$(wait_window "管理员验证" "$PID")
  wait_log "$LOG" "[启动] 载入完毕" || return 1
  wait_focus "$PROMPT" || return 1
  log_in "$PROMPT" "$PASSWORD" "${TITLE_NAME:-音乐学院琴房} 管理员" "$PID" || return 1
  wait_log "$LOG" "[身份] 6" && wait_focus "$MAIN"
}

# --- first run: change two options -----------------------------------------

LOG="$E2E_TMP/desk1.log"
start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
check "the administrator logs in" login

controls "$LOG"
check "Command5 is on the main window" test -n "$(control_centre Command5)"
check "the administration area is closed at first" test -z "$(control_centre Picture2)"
click_control "$MAIN" "$(control_centre Command5)"
check "Command5 opens the administration area" wait_control "$LOG" Picture2
check "all nine navigation buttons show for the administrator" \
  test "$(grep -c '^\[控件\] Option1_[0-8] ' "$E2E_TMP/controls")" = 9

click_control "$MAIN" "$(control_centre Option1_0)"
check "设置 shows the settings page" wait_control "$LOG" Picture3_0
check "the settings page has 打开音效" test -n "$(control_centre CheckSound)"

# A card typed while the area is open checks nobody in.
MESSAGES=$(log_count "$LOG" "[消息]")
xdotool key --delay 25 KP_1 KP_0 KP_0 KP_1 KP_Enter
sleep 0.5
controls "$LOG"
check "a swipe with the area open shows no student panel" test -z "$(control_centre Picture4)"
check "a swipe with the area open pushes no message" test "$(log_count "$LOG" "[消息]")" = "$MESSAGES"

SOUND_SHOWN=$(control_state CheckSound)
click_control "$MAIN" "$(control_left CheckSound)"
check "打开音效 changes on a click" wait_control_state "$LOG" CheckSound "$([[ $SOUND_SHOWN == on ]] && echo off || echo on)"
MODE_SHOWN=$(control_text ComboMode)
# The mode list: a click opens it; Down and Return take the next mode.
click_control "$MAIN" "$(control_centre ComboMode)"
sleep 0.5
xdotool key --delay 50 Down Return
check "the mode list shows another mode" eventually mode_changed

# 自定义名称: the input box "提示" asks for the name; it is written at once
# and the title follows.
click_control "$MAIN" "$(control_centre CommandCustomName)"
BOX=$(wait_window "提示" "$PID" 10)
check "自定义名称 asks for the name" test -n "$BOX"
press "$BOX" ctrl+a BackSpace
type_text "$BOX" "North Hall"
press "$BOX" Return
check "the title follows the new name" test -n "$(wait_window "North Hall 管理员" "$PID" 10)"
check "the name is in record 4 at once" test "$(record_text "$HOME_DIR" 4)" = "North Hall"
MAIN=$(wait_window "North Hall 管理员" "$PID")
focus "$MAIN"

# The operator makes the window larger: its size is saved too, in twips.
xdotool windowsize --sync "$MAIN" 1000 700
check "the desk lays the window out at 1000 px" eventually laid_out_at 1000

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the program ends with code 0" ends_with_code "$PID" 0
if [[ "$SOUND_BEFORE" == 0 ]]; then
  check "the first run's loaded cue was silent" log_lacks "$LOG" "[声音]"
else
  check "the first run's loaded cue played" log_has "$LOG" "[声音] 5.wav"
fi

SOUND_AFTER=$(settings_byte "$HOME_DIR" 11)
MODE_AFTER=$(settings_byte "$HOME_DIR" 10)
check "打开音效 is switched at position 11 ($SOUND_BEFORE -> $SOUND_AFTER)" \
  test "$SOUND_AFTER" = "$((1 - SOUND_BEFORE))"
check "the assignment mode moved on at position 10 ($MODE_BEFORE -> $MODE_AFTER)" \
  test "$MODE_AFTER" = "$(((MODE_BEFORE + 1) % 6))"
check "the window width is saved at position 1102 (1000 px = 15000 twips)" \
  test "$(settings_long "$HOME_DIR" 1102)" = 15000
check "the window height is saved at position 1106 (700 px = 10500 twips)" \
  test "$(settings_long "$HOME_DIR" 1106)" = 10500
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"

# --- second run: the options are applied -----------------------------------

TITLE_NAME="North Hall"

LOG="$E2E_TMP/desk2.log"
start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
check "the administrator logs in again" login
controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
wait_control "$LOG" Option1_0
click_control "$MAIN" "$(control_centre Option1_0)"
check "设置 shows the settings page again" wait_control "$LOG" CheckSound
check "the window comes back at its saved size" \
  test "$(xdotool getwindowgeometry --shell "$MAIN" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')" = "WIDTH=1000 HEIGHT=700 "
MODES=(手动选择 按超时 随机分配 房间顺序 房间逆序 最近下线)
check "the settings page shows the saved mode ${MODES[$MODE_AFTER]}" \
  test "$(control_text ComboMode)" = "${MODES[$MODE_AFTER]}"
SOUND_BOX=$(control_state CheckSound)
if [[ "$SOUND_AFTER" == 0 ]]; then
  check "打开音效 shows unticked" test "$SOUND_BOX" = off
  check "the loaded cue stays silent with the sound off" log_lacks "$LOG" "[声音]"
else
  check "打开音效 shows ticked" test "$SOUND_BOX" = on
  check "the loaded cue plays with the sound on" log_has "$LOG" "[声音] 5.wav"
fi
kill -TERM "$PID"
check "the second run exits cleanly" wait_log "$LOG" "[退出] 已保存"
check "the second run ends with code 0" ends_with_code "$PID" 0
check "position 11 keeps the switched sound" test "$(settings_byte "$HOME_DIR" 11)" = "$SOUND_AFTER"
check "position 10 keeps the new mode" test "$(settings_byte "$HOME_DIR" 10)" = "$MODE_AFTER"

[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
