#!/usr/bin/env bash
# Students imported from a workbook through the page 学生数据: the .xlsx is
# written here with python3-openpyxl, its path typed into the open dialog
# (Qt's own dialog, which takes typing under Xvfb), the end box answered;
# students.dat holds the new student, and a swipe of the imported card
# checks the student in.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation sheets --demo) || exit 1
LOG="$E2E_TMP/sheets.log"
BOOK="$E2E_TMP/students.xlsx"
set_record_text "$HOME_DIR" 21 "pw"
"$PY" - "$BOOK" <<'PYEOF'
import sys, openpyxl
wb = openpyxl.Workbook()
ws = wb.active
ws.append(["学生名单"])
ws.append(["琴卡号", "姓名", "性别", "专业", "班级", "余额"])
ws.append([3001, "Imported", "男", "钢琴", "一班", 50])
ws.append([3002, "Second", "女", "声乐", "二班", 20.5])
wb.save(sys.argv[1])
PYEOF
check "the workbook is written" test -s "$BOOK"

desk_as_administrator "$HOME_DIR" "$LOG"
focus "$MAIN"

open_admin_page "$LOG" 3
check "学生数据 opens in edit mode" wait_control_state "$LOG" Check4 on
controls "$LOG"
click_control "$MAIN" "$(control_centre ImportStudents)"
DIALOG=$(wait_window "导入学生数据" "$PID")
check "the open dialog comes" test -n "$DIALOG"
focus "$DIALOG"
sleep 0.5
xdotool type --delay 25 -- "$BOOK"
xdotool key Return
check "the end box counts two rows" wait_log "$LOG" "[提示框] 提示：导入完成,共导入2组数据,数据更新中,请等待。"
check "the box is answered" answer_box "$PID"
check "the list is rebuilt" wait_log "$LOG" "数据载入完成"

check "students.dat holds card 3001 in slot 21" test "$(student_with_card "$HOME_DIR" 3001)" = "21 Imported"

controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
check "the area closes" eventually control_gone "$LOG" Picture2
press "$MAIN" KP_3 KP_0 KP_0 KP_1 Return
press "$MAIN" Return
check "the imported card checks the student in" wait_log "$LOG" "Imported[0000003001]登录"

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
