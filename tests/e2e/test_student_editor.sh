#!/usr/bin/env bash
# A student added through the editor of the page 学生数据 can check in at
# once: card 2001 and a name are typed, sex, major, grade and class chosen,
# "新增" stores the student (students.dat read back), and after the area is
# closed a swipe of 2001 checks the new student in.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation students --demo) || exit 1
LOG="$E2E_TMP/students.log"
set_record_text "$HOME_DIR" 21 "pw"

desk_as_administrator "$HOME_DIR" "$LOG"
focus "$MAIN"

open_admin_page "$LOG" 3
check "学生数据 opens in edit mode" wait_control_state "$LOG" Check4 on

# choose NAME: the chooser takes the focus (its list closed again) and
# moves to its first entry, as the operator does with the keyboard.
choose() {
  controls "$LOG"
  click_control "$MAIN" "$(control_centre "$1")" || return 1
  sleep 0.3
  xdotool key --delay 50 Escape Down
}

fill_control "$MAIN" Combo3_0 "2001"
fill_control "$MAIN" Combo3_2 "Newcomer"
for field in 3 4 5 6; do choose "Combo3_$field"; done
controls "$LOG"
click_control "$MAIN" "$(control_centre Command45)"
check "新增 stores the student" wait_log "$LOG" "新增成功！"

check "students.dat holds card 2001 for the new name in slot 21" test "$(student_with_card "$HOME_DIR" 2001)" = "21 Newcomer"

controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
check "the area closes" eventually control_gone "$LOG" Picture2
press "$MAIN" KP_2 KP_0 KP_0 KP_1 Return
press "$MAIN" Return
check "the new card checks the student in" wait_log "$LOG" "Newcomer[0000002001]登录"

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
