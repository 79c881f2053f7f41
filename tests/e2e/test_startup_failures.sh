#!/usr/bin/env bash
# Damaged installations. A missing set.dat, shuju.dat or appname.txt, or an
# empty administrator name or password, stops the start: a box titled 提示
# is shown before any prompt, and the program ends with code 1 once it is
# closed, saving nothing. A students.dat cut in the middle of a record and
# an empty rooms.dat are not damage: the start goes on to the prompt.
source "$(dirname "$0")/lib.sh" "$1"

# --- damage that stops the start -------------------------------------------

# Every file of a folder with its contents, the lock file aside (it comes
# and goes with a running desk).
folder_digest() {
  (cd "$1" && find . -type f ! -name tarvolen.lock -exec md5sum {} + | LC_ALL=C sort | md5sum)
}

# name | what is done to a clean installation (run with $DIR set)
STOPPING=(
  "set.dat removed|rm -f \"\$DIR/set.dat\""
  "shuju.dat removed|rm -f \"\$DIR/shuju.dat\""
  "appname.txt removed|rm -f \"\$DIR/appname.txt\""
  "identity 6 name emptied in set.dat|set_record_text \"\$DIR\" 14 ''"
  "identity 6 password emptied in set.dat|set_record_text \"\$DIR\" 21 ''"
)

i=0
for row in "${STOPPING[@]}"; do
  i=$((i + 1))
  IFS='|' read -r name damage <<<"$row"
  DIR=$(new_installation "stop$i") || exit 1
  failed_before=$E2E_FAILED
  eval "$damage"
  before=$(folder_digest "$DIR")
  LOG="$E2E_TMP/stop$i.log"

  start_desk "$DIR" "$LOG"
  pid=$DESK_PID
  box=$(wait_window "提示" "$pid" 15)
  check "$name: a box titled 提示 is shown" test -n "$box"
  check "$name: no identity prompt is shown" window_absent "设定管理密码" "$pid"
  check "$name: no normal prompt is shown" window_absent "管理员验证" "$pid"
  check "$name: the program waits for the box" running "$pid"
  [[ -n "$box" ]] && press "$box" Return
  check "$name: the program ends with code 1 after the box is closed" ends_with_code "$pid" 1
  check "$name: loading never started" log_lacks "$LOG" "[启动]"
  check "$name: nothing was saved" log_lacks "$LOG" "[退出]"
  check "$name: no file was created, removed or changed" test "$before" = "$(folder_digest "$DIR")"
  [[ $E2E_FAILED -gt $failed_before ]] && show_log "$LOG"
done

# --- damage the start survives ---------------------------------------------

STUDENT_RECORD=128
# Cuts a file at half its length, moved to the middle of the record there.
cut_mid_record() {
  local size
  size=$(file_size "$1")
  truncate -s $(((size / 2 / $2) * $2 + $2 / 2 + 1)) "$1"
}
ends_inside_record() {
  local size
  size=$(file_size "$1")
  ((size > 0 && size % $2 != 0))
}

# name | damage | proof that the damage is there (run with $DIR set)
SURVIVING=(
  "students.dat cut in the middle of a record|cut_mid_record \"\$DIR/students.dat\" $STUDENT_RECORD|ends_inside_record \"\$DIR/students.dat\" $STUDENT_RECORD"
  "empty rooms.dat|truncate -s 0 \"\$DIR/rooms.dat\"|test \$(file_size \"\$DIR/rooms.dat\") = 0"
)

i=0
for row in "${SURVIVING[@]}"; do
  i=$((i + 1))
  IFS='|' read -r name damage proof <<<"$row"
  DIR=$(new_installation "go$i" --demo) || exit 1
  failed_before=$E2E_FAILED
  eval "$damage"
  check "$name: the damage is in place" eval "$proof"
  LOG="$E2E_TMP/go$i.log"

  start_desk "$DIR" "$LOG"
  pid=$DESK_PID
  prompt=$(wait_window "设定管理密码" "$pid")
  check "$name: the start reaches the prompt" test -n "$prompt"
  check "$name: loading finishes" wait_log "$LOG" "[启动] 载入完毕"
  check "$name: no box is shown" window_absent "提示" "$pid"

  # The desk is usable: set the administrator password and get in.
  log_in --first-run "$prompt" "Go$i"
  check "$name: the administrator is confirmed" wait_log "$LOG" "[身份] 6"
  kill -TERM "$pid"
  check "$name: SIGTERM saves" wait_log "$LOG" "[退出] 已保存"
  check "$name: the program ends with code 0" ends_with_code "$pid" 0
  [[ $E2E_FAILED -gt $failed_before ]] && show_log "$LOG"
done

finish
