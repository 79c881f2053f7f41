#!/usr/bin/env bash
# The main window follows its size, and the detail sheets show beside the
# pointer. Five quick resizes to 1280 x 800 give one layout pass, after
# which the lists, their scroll bars and the right-hand column stand where
# the pass puts them; a damaged board size (255) is taken as "自动调整".
# With "显示详细信息" on, resting the pointer on a checked-in student's name
# shows the student's sheet, on the room cell the room's, and the headings
# hide it again. The sort arrow stands at the right end of the sorted
# heading, follows the pass and a click on another heading, and the second
# click on it shows the other arrow of the pair.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation layout --demo) || exit 1
LOG="$E2E_TMP/desk.log"
set_record_text "$HOME_DIR" 21 "pw"
set_settings_byte "$HOME_DIR" 1114 1    # 显示详细信息
set_settings_byte "$HOME_DIR" 1101 255  # a board size no list holds

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
log_in "$PROMPT" "pw" "音乐学院琴房 管理员" "$PID"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"
check "the main window has the keyboard" wait_focus "$MAIN"

# control_box NAME: "x y width height" of a control.
control_box() { awk -v n="$1" '$2 == n { print $3, $4, $5, $6; exit }' "$E2E_TMP/controls"; }

# --- the layout pass -------------------------------------------------------

controls "$LOG"
check "at the delivered size the session list is 711 wide" test "$(control_box Picture1)" = "6 6 711 499"
check "the name heading's arrow stands at its right end" test "$(control_box Image1_0)" = "63 6 16 14"
check "only the ascending arrow shows" test -z "$(control_box Image1_1)"
check "the heading's text has no arrow" test "$(control_text Label1_0)" = "姓名"
sleep 0.5
PASSES=$(log_count "$LOG" "[布局]")
for w in 1100 1150 1200 1250 1280; do xdotool windowsize "$MAIN" "$w" 800; done
passes_grew() { (($(log_count "$LOG" "[布局]") > PASSES)); }
check "the resizes are laid out" eventually passes_grew
sleep 1
check "five quick resizes give one pass" test "$(log_count "$LOG" "[布局]")" = $((PASSES + 1))

controls "$LOG"
check "the session list is 1116 x 752" test "$(control_box Picture1)" = "6 6 1116 752"
check "its headings are 122 apart, 120 x 22" test "$(control_box Label1_1)" = "128 6 120 22"
check "its rows are 24 high" test "$(control_box Labname_0)" = "6 30 120 22"
check "its scroll bar stands at 9 columns" test "$(control_box VScroll1)" = "1104 6 17 752"
check "the marker of a row spans the list" test "$(control_box Labtt_29)" = "6 726 1096 22"
check "the right-hand column follows the list" test "$(awk '$2 == "Command5" { print $3; exit }' "$E2E_TMP/controls")" = 1147
check "the exit button ends 6 px from the right and bottom edges" \
  test "$(awk '$2 == "exitButton" { print $3 + $5, $4 + $6; exit }' "$E2E_TMP/controls")" = "1274 794"
check "the temporary-information panel shows its title at the bottom" \
  test "$(awk '$2 == "Label24" { print $3, $4; exit }' "$E2E_TMP/controls")" = "1130 752"
check "the pass moved the sort arrow with its heading" test "$(control_box Image1_0)" = "108 6 16 22"

# --- the sort arrows ---------------------------------------------------------

arrow_at() { controls "$LOG" && [[ "$(control_box "$1")" == "$2" ]]; }
check "a click on 卡号" click_control "$MAIN" "$(control_centre Label1_1)"
check "moves the arrow to its right end" eventually arrow_at Image1_0 "230 6 16 22"
check "the card heading reads without an arrow" test "$(control_text Label1_1)" = "卡号"
sleep 0.6  # past the double-click time: a quick second click is a double click
check "a second click on 卡号" click_control "$MAIN" "$(control_centre Label1_1)"
check "shows the descending arrow there" eventually arrow_at Image1_1 "230 6 16 22"
check "and hides the ascending one" test -z "$(control_box Image1_0)"

# --- detail sheets ---------------------------------------------------------

press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
# The room list is sorted by 超时, descending.
check "the room list's descending arrow shows" wait_control "$LOG" Image1t_1
check "at the right end of 超时" test "$(control_box Image1t_1)" = "352 6 16 22"
press "$MAIN" Return
check "1001 is checked in" wait_log "$LOG" "]登录"
controls "$LOG"
check "the session list shows 1001" test "$(control_text Labkh_0)" = 1001

# hover NAME: the pointer onto a control, then a small move on it.
hover() {
  local at
  at=$(control_centre "$1")
  [[ -n "$at" ]] || return 1
  # shellcheck disable=SC2086
  xdotool mousemove --window "$MAIN" $at && sleep 0.1 && xdotool mousemove_relative 2 1
}
# sheet_line I: line I of the sheet as it reads, its spaces kept.
sheet_line() { grep -m 1 "^\[控件\] FStr255_Label1_$1 " "$E2E_TMP/controls" | sed -E 's/^([^ ]+ ){7}//'; }

check "the pointer on the name" hover Labname_0
check "shows the student's sheet" wait_control "$LOG" FStr255_Label1_14
check "its first line is the name" test "$(sheet_line 0)" = "姓名:$(control_text Labname_0)"
check "its fifteenth the status" test "$(sheet_line 14)" = "状    态:[正常]"
check "no sixteenth line" test -z "$(control_centre FStr255_Label1_15)"
check "the sheet stands below and right of the cell" \
  test "$(awk '$2 == "FStr255" { print ($3 >= 64 && $4 >= 32) ? "yes" : "no"; exit }' "$E2E_TMP/controls")" = yes
check "the sheet is 130 x 221 without a photo" \
  test "$(awk '$2 == "FStr255" { print $5, $6; exit }' "$E2E_TMP/controls")" = "130 221"

hover Labfh_0
room_sheet() { controls "$LOG" && [[ "$(sheet_line 0)" == 名称:* ]]; }
check "the room cell shows the room's sheet" eventually room_sheet
check "of nine lines" test -z "$(control_centre FStr255_Label1_9)"
check "the room is the session's" test "$(sheet_line 0)" = "名称:$(control_text Labfh_0)"

hover Label1_0
sheet_gone() { controls "$LOG" && [[ -z "$(control_centre FStr255)" ]]; }
check "a heading hides the sheet" eventually sheet_gone
check "the main window keeps the keyboard" wait_focus "$MAIN"

kill -TERM "$PID"
check "SIGTERM saves and ends" wait_log "$LOG" "[退出] 已保存"
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
