#!/usr/bin/env bash
# Who may read the program folder: the demo folder that ./run.sh prepares
# (tarvolen-init DIR --demo), written under the most permissive umask, is
# 0700 with every file in it 0600, and so is the suspension file beside it.
# The desk started on it says nothing about privacy and leaves the lock
# file private too; started again on a folder opened to others (0755) it
# says so once in a message line and goes on, changing nothing.
source "$(dirname "$0")/lib.sh" "$1"

DIR="$E2E_TMP/demo/home"
mkdir -p "$E2E_TMP/demo"
# As run.sh does it, but with umask 000 so the program's own modes show.
(umask 000 && "$E2E_BIN/tarvolen-init" "$DIR" --demo >"$E2E_TMP/init.log" 2>&1)
check "tarvolen-init --demo succeeds" test -e "$DIR/set.dat"
check "the program folder is 0700" test "$(stat -c %a "$DIR")" = 700
open_entries() { find "$DIR" "$DIR"ts.dat \( -type d ! -perm 0700 \) -o \( -type f ! -perm 0600 \) -print; }
check "every folder in it is 0700 and every file 0600" test -z "$(open_entries)"
check "the suspension file beside it is 0600" test "$(stat -c %a "${DIR}ts.dat")" = 600
[[ -n "$(open_entries)" ]] && open_entries | head -5 | sed 's/^/    open: /'

LOG1="$E2E_TMP/private.log"
set_record_text "$DIR" 21 "pw"
start_desk "$DIR" "$LOG1"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "loading finishes on the private folder" wait_log "$LOG1" "[启动] 载入完毕"
check "no privacy message for a private folder" log_lacks "$LOG1" "其他用户"
lock_private() { [[ -e "$DIR/tarvolen.lock" && "$(stat -c %a "$DIR/tarvolen.lock")" == 600 ]]; }
check "the lock file the desk made is private" lock_private
kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG1" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
check "every file is still private after the run" test -z "$(open_entries)"

chmod 0755 "$DIR"
LOG2="$E2E_TMP/open.log"
start_desk "$DIR" "$LOG2"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "loading finishes on the open folder" wait_log "$LOG2" "[启动] 载入完毕"
check "the open folder is said in a message line" wait_log "$LOG2" "[消息] 程序目录可被其他用户读取：$DIR（权限0755）"
check "it is said once" test "$(log_count "$LOG2" "程序目录可被其他用户读取")" = 1
check "the desk goes on" running "$PID"
kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG2" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
check "the folder's mode is left to the operator" test "$(stat -c %a "$DIR")" = 755
[[ $E2E_FAILED -gt 0 ]] && { show_log "$LOG1"; show_log "$LOG2"; }
finish
