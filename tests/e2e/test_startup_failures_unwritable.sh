#!/usr/bin/env bash
# A program folder the desk cannot write into stops the start with the
# truth: a box titled 提示 saying "程序目录不可写入：<folder>（<reason>）",
# never "本程序已经在运行中！", and the program ends with code 1 once it is
# closed, having changed nothing. So for an immutable folder (as root,
# chmod does not stop a write: chattr +i does), for one where a killed desk
# left its lock behind, and for a full disk. Once the folder is writable
# again, the next start gets to the prompt.
source "$(dirname "$0")/lib.sh" "$1"

command -v chattr >/dev/null || { echo "SKIP: no chattr here (e2fsprogs)"; exit 0; }

# Folders made immutable or mounted by this script: always undone, also when
# the script ends early, before lib.sh removes its temporary folder.
IMMUTABLE=()
MOUNTED=()
undo_folders() {
  local d
  for d in "${IMMUTABLE[@]}"; do chattr -i "$d" 2>/dev/null; done
  for d in "${MOUNTED[@]}"; do umount --lazy "$d" 2>/dev/null; done
}
trap 'status=$?; undo_folders; (exit $status); e2e_cleanup' EXIT

# Noted before it is made so: a signal right after chattr must not leave it.
make_immutable() {
  IMMUTABLE+=("$1")
  chattr +i "$1"
}

# Every file of a folder with its contents.
folder_digest() {
  (cd "$1" && find . -type f -exec md5sum {} + | LC_ALL=C sort | md5sum)
}

# refused_start NAME DIR LOG REASON: the start on DIR shows the folder's box
# with REASON, and nothing else.
refused_start() {
  local name=$1 dir=$2 log=$3 reason=$4 before pid box
  before=$(folder_digest "$dir")
  start_desk "$dir" "$log"
  pid=$DESK_PID
  box=$(wait_window "提示" "$pid" 15)
  check "$name: a box titled 提示 is shown" test -n "$box"
  check "$name: the box names the folder and the system's reason" \
    wait_log "$log" "[提示框] 提示：程序目录不可写入：$dir（$reason）" 5
  check "$name: the box does not claim another instance" log_lacks "$log" "本程序已经在运行中！"
  check "$name: it is the only box" test "$(log_count "$log" "[提示框]")" = 1
  check "$name: no prompt is shown" window_absent "设定管理密码" "$pid"
  check "$name: the program waits for the box" running "$pid"
  [[ -n "$box" ]] && press "$box" Return
  check "$name: the program ends with code 1 after the box is closed" ends_with_code "$pid" 1
  check "$name: loading never started" log_lacks "$log" "[启动]"
  check "$name: nothing was saved" log_lacks "$log" "[退出]"
  check "$name: no file was created, removed or changed" test "$before" = "$(folder_digest "$dir")"
}

# reaches_prompt NAME DIR LOG TITLE: the start on DIR gets to the prompt
# without a box; the desk is ended again.
reaches_prompt() {
  local name=$1 dir=$2 log=$3 title=$4 pid
  start_desk "$dir" "$log"
  pid=$DESK_PID
  check "$name: the start reaches the prompt" test -n "$(wait_window "$title" "$pid")"
  check "$name: no box is shown" window_absent "提示" "$pid"
  kill -KILL "$pid"
  wait_exit "$pid"
}

EPERM_TEXT="Operation not permitted"
ENOSPC_TEXT="No space left on device"

# --- an immutable folder ---------------------------------------------------

DIR=$(new_installation immutable) || exit 1
LOG="$E2E_TMP/immutable.log"
if make_immutable "$DIR"; then
  refused_start "immutable folder" "$DIR" "$LOG" "$EPERM_TEXT"
  check "immutable folder: no lock file was left" test ! -e "$DIR/tarvolen.lock"
  chattr -i "$DIR"
  reaches_prompt "immutable folder made writable again" "$DIR" "$E2E_TMP/immutable-again.log" "设定管理密码"
else
  echo "SKIP: chattr +i does not work on $DIR's file system"
fi
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"

# --- a killed desk's lock in an immutable folder ----------------------------

DIR=$(new_installation stale) || exit 1
LOG="$E2E_TMP/stale.log"
start_desk "$DIR" "$E2E_TMP/stale-holder.log"
HOLDER=$DESK_PID
check "stale lock: the holder reaches the prompt" test -n "$(wait_window "设定管理密码" "$HOLDER")"
kill -KILL "$HOLDER"
check "stale lock: the holder is killed" wait_exit "$HOLDER"
check "stale lock: its lock file stays behind" test -e "$DIR/tarvolen.lock"
if make_immutable "$DIR"; then
  refused_start "stale lock in an immutable folder" "$DIR" "$LOG" "$EPERM_TEXT"
  chattr -i "$DIR"
fi
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"

# --- a full disk -----------------------------------------------------------

DIR="$E2E_TMP/full/home"
mkdir -p "$DIR"
MOUNTED+=("$DIR")
if mount -t tmpfs -o size=2m tmpfs "$DIR" 2>/dev/null; then
  "$E2E_BIN/tarvolen-init" "$DIR" >"$E2E_TMP/full/init.log" 2>&1
  check "full disk: the installation fits" test -e "$DIR/set.dat"
  dd if=/dev/zero of="$DIR/filler" bs=4k 2>/dev/null
  check "full disk: the disk is full" test "$(df --output=avail "$DIR" | tail -n 1 | tr -d ' ')" = 0
  LOG="$E2E_TMP/full.log"
  refused_start "full disk" "$DIR" "$LOG" "$ENOSPC_TEXT"
  [[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
  rm -f "$DIR/filler"
  reaches_prompt "disk with room again" "$DIR" "$E2E_TMP/full-again.log" "设定管理密码"
else
  echo "SKIP: cannot mount a small tmpfs here (full disk)"
fi

finish
