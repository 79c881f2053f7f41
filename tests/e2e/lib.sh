# Shared by the end-to-end tests: sourced as
#   source "$(dirname "$0")/lib.sh" "$1"      ($1 = the build's bin folder)
# Gives every test its own Xvfb display, a private temporary folder, helpers
# to start the desk, wait for its log lines and windows, type at it with
# xdotool and read set.dat back; and it always cleans up.
#
# Synchronisation is by polling (log lines, windows, process state) with a
# limit; a limit only ends a wait that would otherwise hang.

set -u

E2E_BIN=${1:-}
if [[ -z "$E2E_BIN" || ! -x "$E2E_BIN/tarvolen" || ! -x "$E2E_BIN/tarvolen-init" ]]; then
  echo "usage: bash $0 BUILD/bin   (needs tarvolen and tarvolen-init there)" >&2
  exit 2
fi
E2E_BIN=$(cd "$E2E_BIN" && pwd)
for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool (scripts/install-deps.sh)" >&2; exit 2; }
done

# Debian's python3 (not whichever one comes first on PATH).
PY=/usr/bin/python3

E2E_PASSED=0
E2E_FAILED=0
E2E_PIDS=()
XVFB_PID=
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tarvolen-e2e.XXXXXX")

# --- results ---------------------------------------------------------------

pass() { E2E_PASSED=$((E2E_PASSED + 1)); echo "ok   - $*"; }
fail() { E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL - $*"; }
# check "what is proved" command args...: passes when the command succeeds.
check() {
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}
# Prints the last lines of a log after a failure, for the reader.
show_log() {
  echo "---- $1 (last lines) ----"
  tail -n 20 "$1" 2>/dev/null | sed 's/^/    /'
  echo "----"
}
# The final line, and the exit status of the script.
E2E_FINISHED=0
finish() {
  E2E_FINISHED=1
  echo "$E2E_PASSED passed, $E2E_FAILED failed"
  if [[ $E2E_FAILED -eq 0 && $E2E_PASSED -gt 0 ]]; then exit 0; fi
  exit 1
}

# --- clean-up --------------------------------------------------------------

e2e_cleanup() {
  local status=$? pid
  if [[ $E2E_FINISHED -eq 0 ]]; then
    # Ended before its last check: still a result line, and a failure.
    fail "the script ended early (status $status)"
    echo "$E2E_PASSED passed, $E2E_FAILED failed"
    status=1
  fi
  for pid in "${E2E_PIDS[@]}"; do
    running "$pid" && kill -KILL "$pid" 2>/dev/null
  done
  if [[ -n "$XVFB_PID" ]]; then
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$E2E_TMP"
  exit "$status"
}
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM HUP

# --- the X server ----------------------------------------------------------

# Starts Xvfb on the first free display number in 90..140 and exports
# DISPLAY. A number taken by someone else in the meantime is skipped.
start_xvfb() {
  local n i
  for n in $(seq 90 140); do
    [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$E2E_TMP/xvfb-$n.log" 2>&1 &
    XVFB_PID=$!
    for ((i = 0; i < 100; i++)); do
      kill -0 "$XVFB_PID" 2>/dev/null || break  # lost the number: next one
      # Ours only when the lock names our server.
      if [[ "$(tr -d ' \n' 2>/dev/null </tmp/.X$n-lock)" == "$XVFB_PID" ]] &&
        xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  done
  echo "no free X display in 90..140" >&2
  return 1
}

# The desk runs as an ordinary X11 client of our server.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$E2E_TMP/xdg-runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_xvfb || exit 1

# --- installations ---------------------------------------------------------

# new_installation NAME [--demo]: writes a clean installation into a fresh
# folder under the test's temporary folder and prints its path.
new_installation() {
  local name=$1
  shift
  local dir="$E2E_TMP/$name/home"
  mkdir -p "$E2E_TMP/$name"
  "$E2E_BIN/tarvolen-init" "$dir" "$@" >"$E2E_TMP/$name/init.log" 2>&1 || {
    echo "tarvolen-init failed:" >&2
    cat "$E2E_TMP/$name/init.log" >&2
    return 1
  }
  echo "$dir"
}

# set.dat, read and patched independently of the program: record n is the
# 24 bytes from (n-1)*24, a 16-bit little-endian byte count then GBK bytes;
# byte position p is offset p-1.
record_text() {  # DIR N
  "$PY" - "$1/set.dat" "$2" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
n = int(sys.argv[2])
rec = data[(n - 1) * 24:n * 24]
count = int.from_bytes(rec[:2], 'little')
sys.stdout.write(rec[2:2 + count].decode('gbk'))
EOF
}
settings_byte() {  # DIR POSITION
  "$PY" - "$1/set.dat" "$2" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
print(data[int(sys.argv[2]) - 1])
EOF
}
settings_long() { settings_number "$1" "$2" 4; }     # DIR POSITION: a Long
settings_integer() { settings_number "$1" "$2" 2; }  # DIR POSITION: an Integer
settings_number() {  # DIR POSITION BYTES: a little-endian signed number
  "$PY" - "$1/set.dat" "$2" "$3" <<'EOF'
import sys
data = open(sys.argv[1], 'rb').read()
p = int(sys.argv[2]) - 1
print(int.from_bytes(data[p:p + int(sys.argv[3])], 'little', signed=True))
EOF
}
set_settings_byte() {  # DIR POSITION VALUE
  "$PY" - "$1/set.dat" "$2" "$3" <<'EOF'
import sys
with open(sys.argv[1], 'r+b') as f:
    f.seek(int(sys.argv[2]) - 1)
    f.write(bytes([int(sys.argv[3])]))
EOF
}
set_record_text() {  # DIR N TEXT
  "$PY" - "$1/set.dat" "$2" "$3" <<'EOF'
import sys
gbk = sys.argv[3].encode('gbk')
assert len(gbk) <= 22
with open(sys.argv[1], 'r+b') as f:
    f.seek((int(sys.argv[2]) - 1) * 24)
    f.write(len(gbk).to_bytes(2, 'little') + gbk + bytes(22 - len(gbk)))
EOF
}
file_size() { stat -c %s "$1"; }
# record_is DIR N TEXT / integer_is DIR POSITION VALUE: set.dat holds that now.
record_is() { [[ "$(record_text "$1" "$2")" == "$3" ]]; }
integer_is() { [[ "$(settings_integer "$1" "$2")" == "$3" ]]; }

# eventually COMMAND...: polls the command for up to 10 seconds (a write the
# desk makes when it gets to a click).
eventually() {
  local i
  for ((i = 0; i < 50; i++)); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# --- the desk process ------------------------------------------------------

# start_desk DIR LOG: starts the program on DIR with stderr to LOG; the pid
# is left in DESK_PID.
start_desk() {
  "$E2E_BIN/tarvolen" --home "$1" 2>"$2" >/dev/null &
  DESK_PID=$!
  E2E_PIDS+=("$DESK_PID")
}

running() { [[ -d /proc/$1 ]] && [[ "$(awk '{print $3}' /proc/"$1"/stat 2>/dev/null)" != Z ]]; }

# wait_exit PID [SECONDS]: waits for the process to end; its exit code is
# left in EXIT_CODE. Fails when it is still running at the limit.
wait_exit() {
  local pid=$1 limit=${2:-20} i
  EXIT_CODE=
  for ((i = 0; i < limit * 10; i++)); do
    if ! running "$pid"; then
      wait "$pid" 2>/dev/null
      EXIT_CODE=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# ends_with_code PID CODE [SECONDS]: the process ends, with that exit code.
ends_with_code() {
  wait_exit "$1" "${3:-20}" || return 1
  [[ "$EXIT_CODE" == "$2" ]] || { echo "    exit code $EXIT_CODE, expected $2"; return 1; }
}

# wait_log FILE TEXT [SECONDS]: waits for a line holding TEXT.
wait_log() {
  local file=$1 text=$2 limit=${3:-20} i
  for ((i = 0; i < limit * 10; i++)); do
    grep -qF -- "$text" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
log_has() { grep -qF -- "$2" "$1" 2>/dev/null; }
log_lacks() { ! log_has "$@"; }
log_count() { grep -cF -- "$2" "$1" 2>/dev/null; }

# --- windows and keys ------------------------------------------------------

# wait_window TITLE [PID] [SECONDS]: waits for a visible window with exactly
# that title (of that process, when PID is given) and prints its id.
wait_window() {
  local title=$1 pid=${2:-} limit=${3:-20}
  local args=(search --sync --onlyvisible)
  # Conditions are or-ed unless --all is given.
  [[ -n "$pid" ]] && args+=(--all --pid "$pid")
  timeout "$limit" xdotool "${args[@]}" --name "^${title}\$" 2>/dev/null | head -n 1
}
# window_shown TITLE [PID]: whether such a window is visible right now.
window_shown() {
  local args=(search --onlyvisible)
  [[ -n "${2:-}" ]] && args+=(--all --pid "$2")
  [[ -n "$(xdotool "${args[@]}" --name "^$1\$" 2>/dev/null)" ]]
}

window_absent() { ! window_shown "$@"; }
# wait_window_gone TITLE [PID] [SECONDS]: waits until no such window shows.
wait_window_gone() {
  local limit=${3:-20} i
  for ((i = 0; i < limit * 10; i++)); do
    window_shown "$1" "${2:-}" || return 0
    sleep 0.1
  done
  return 1
}

# wait_focus WINDOW [SECONDS]: waits until the window has the keyboard.
wait_focus() {
  local limit=${2:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    [[ "$(xdotool getwindowfocus 2>/dev/null)" == "$1" ]] && return 0
    sleep 0.1
  done
  return 1
}

# focus WINDOW: gives it the keyboard (no window manager: no activation).
focus() { [[ -n "$1" ]] && timeout 10 xdotool windowfocus --sync "$1"; }
# type_text WINDOW TEXT: focuses the window and types the text.
type_text() { focus "$1" && xdotool type --delay 25 -- "$2"; }
# press WINDOW KEY...: focuses the window and presses the keys in turn.
press() {
  local w=$1
  shift
  focus "$w" && xdotool key --delay 25 "$@"
}
# click_at WINDOW X Y: focuses the window and clicks at a point of it;
# negative coordinates count from the right or bottom edge.
click_at() {
  focus "$1" && click_only "$@"
}
# click_only WINDOW X Y: the click alone; the keyboard stays where it is.
click_only() {
  local w=$1 x=$2 y=$3 WIDTH= HEIGHT=
  [[ -n "$w" ]] || return 1
  eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null | grep -E '^(WIDTH|HEIGHT)=[0-9]+$')"
  [[ -n "$WIDTH" && -n "$HEIGHT" ]] || return 1
  ((x < 0)) && x=$((WIDTH + x))
  ((y < 0)) && y=$((HEIGHT + y))
  xdotool mousemove --window "$w" "$x" "$y" click 1
}

# --- logging in ------------------------------------------------------------

# log_in [--first-run] PROMPT PASSWORD [MAIN_TITLE [PID]]: types the password
# into the identity prompt and confirms it with Return; the first run's
# prompt (--first-run) takes it twice, Tab between. With MAIN_TITLE, then
# waits for the main window of that title (of PID) and leaves its id in MAIN;
# fails when it does not come. Only the steps: whatever a test proves along
# the way it checks itself, before or after the call.
log_in() {
  local twice=0
  if [[ "$1" == --first-run ]]; then
    twice=1
    shift
  fi
  local prompt=$1 password=$2 title=${3:-} pid=${4:-}
  type_text "$prompt" "$password"
  if ((twice)); then
    press "$prompt" Tab
    type_text "$prompt" "$password"
  fi
  press "$prompt" Return
  [[ -z "$title" ]] && return 0
  MAIN=$(wait_window "$title" "$pid")
  [[ -n "$MAIN" ]]
}

# --- controls of the main window -------------------------------------------

# controls LOG: asks the desk in $PID for the list of
# its visible controls (SIGUSR1) and waits until the list is complete; then
# control_centre NAME prints "x y" of that control within the window.
controls() {
  local before
  before=$(log_count "$1" "[控件] 完")
  kill -USR1 "$PID"
  local i
  for ((i = 0; i < 100; i++)); do
    (($(log_count "$1" "[控件] 完") > before)) && break
    sleep 0.1
  done
  # Only the newest list counts.
  tac "$1" | awk '/^\[控件\] 完$/ { if (seen++) exit } /^\[控件\] / { print }' >"$E2E_TMP/controls"
}
control_centre() {
  awk -v n="$1" '$2 == n { printf "%d %d\n", $3 + $5 / 2, $4 + $6 / 2; exit }' "$E2E_TMP/controls"
}
# A check box is clicked on its indicator, at its left end.
control_left() {
  awk -v n="$1" '$2 == n { printf "%d %d\n", $3 + 7, $4 + $6 / 2; exit }' "$E2E_TMP/controls"
}
click_control() {  # WINDOW "x y"
  [[ -n "$2" ]] || return 1
  # shellcheck disable=SC2086
  click_only "$1" $2
}

# wait_control LOG NAME [SECONDS]: asks for the list again until the control
# shows (a click takes effect when the desk gets to it).
wait_control() {
  local limit=${3:-10} i
  for ((i = 0; i < limit * 5; i++)); do
    controls "$1"
    [[ -n "$(control_centre "$2")" ]] && return 0
    sleep 0.2
  done
  return 1
}
# wait_control_state LOG NAME STATE [SECONDS]: the same, until the control
# shows that state ("on"/"off").
wait_control_state() {
  local limit=${4:-10} i
  for ((i = 0; i < limit * 5; i++)); do
    controls "$1"
    [[ "$(control_state "$2")" == "$3" ]] && return 0
    sleep 0.2
  done
  return 1
}

# control_state NAME: "on"/"off" for a box that can be ticked, "-" otherwise.
control_state() { awk -v n="$1" '$2 == n { print $7; exit }' "$E2E_TMP/controls"; }
# control_text NAME: what the control shows (its first word).
control_text() { awk -v n="$1" '$2 == n { print $8; exit }' "$E2E_TMP/controls"; }
# fill_control WINDOW NAME TEXT: clicks into a text box and types over it.
fill_control() {
  click_control "$1" "$(control_centre "$2")" || return 1
  xdotool key --delay 25 ctrl+a BackSpace && xdotool type --delay 25 -- "$3"
}

# answer_box [PID]: waits for the message box "提示" (of PID) and closes it
# with Return, as the operator does. Fails when no box comes.
answer_box() {
  local box
  box=$(wait_window "提示" "${1:-}" 15)
  [[ -n "$box" ]] || return 1
  press "$box" Return
}

# student_with_card DIR CARD: "slot name" of the first student in
# DIR/students.dat holding CARD (record slot + 1 of 128 bytes: the card
# as a fixed-point number x 10000, then the name as a 16-bit GBK byte
# count and its bytes); nothing when no student holds it.
student_with_card() {
  "$PY" - "$1" "$2" <<'PYEOF'
import struct, sys
with open(sys.argv[1] + '/students.dat', 'rb') as f:
    data = f.read()
for slot in range(1, len(data) // 128):
    rec = data[slot * 128:(slot + 1) * 128]
    if struct.unpack_from('<q', rec, 0)[0] == int(sys.argv[2]) * 10000:
        n = int.from_bytes(rec[16:18], 'little')
        print(slot, rec[18:18 + n].decode('gbk'))
        break
PYEOF
}

# control_gone LOG NAME: the control list taken now no longer shows NAME.
control_gone() {
  controls "$1"
  [[ -z "$(control_centre "$2")" ]]
}

# --- a session of card 1001 and the query page -------------------------------

# A session of card 1001 (student slot 1) in 琴房101 that began MINUTES ago:
# its running session in shuju.dat, the count in set.dat and its check-in
# record (operator 6) in the current year file, all arranged in the files.
session_of_1001_begun() {  # DIR MINUTES
  "$PY" - "$1" "$2" <<'PYEOF'
import datetime, os, struct, sys
home = sys.argv[1]
start = datetime.datetime.now() - datetime.timedelta(minutes=int(sys.argv[2]))
days = float((start.date() - datetime.date(1899, 12, 30)).days)
minute = start.hour * 60 + start.minute
with open(home + '/students.dat', 'rb') as f:
    f.seek(128)                     # record 2 = student slot 1
    rec = f.read(128)
n = int.from_bytes(rec[16:18], 'little')
enrolled, = struct.unpack_from('<d', rec, 18 + n + 3)
with open(home + '/shuju.dat', 'wb') as f:
    f.write(struct.pack('<hhhd', 1, 1, minute, days) + b'\0\0')
with open(home + '/set.dat', 'r+b') as f:
    f.write(struct.pack('<i', 1))   # position 1: one session
year = os.path.join(home, '数据', '登记', '%04d.dat' % start.year)
with open(year, 'ab') as f:         # its check-in: room 1, student 1, operator 6
    f.write(struct.pack('<hhhdBBfd', 1, 1, minute, days, 6, 0, 0.0, enrolled).ljust(32, b'\0'))
PYEOF
}

# Starts the desk on DIR and confirms the administrator (password "pw");
# PID is the desk's, MAIN its main window.
desk_as_administrator() {  # DIR LOG
  local home=$1 log=$2 prompt
  start_desk "$home" "$log"
  PID=$DESK_PID
  prompt=$(wait_window "管理员验证" "$PID")
  check "loading finishes" wait_log "$log" "[启动] 载入完毕"
  wait_focus "$prompt"
  log_in "$prompt" "pw" "音乐学院琴房 管理员" "$PID"
  check "the administrator is confirmed" wait_log "$log" "[身份] 6"
}

# Opens the administration area and its page N (Option1_N).
open_admin_page() {  # LOG N
  controls "$1"
  click_control "$MAIN" "$(control_centre Command5)"
  check "the administration area opens" wait_control "$1" "Option1_$2"
  click_control "$MAIN" "$(control_centre "Option1_$2")"
}

# The desk as administrator on DIR, card 1002 checked in and card 1001
# checked out by swipes, and the page 统计查询 opened.
query_page_after_swipes() {  # DIR LOG
  desk_as_administrator "$1" "$2"
  press "$MAIN" KP_1 KP_0 KP_0 KP_2 Return
  press "$MAIN" Return
  check "1002 is checked in" wait_log "$2" "[0000001002]登录"
  press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
  check "1001 is checked out" wait_log "$2" "[0000001001]下线琴房101"
  focus "$MAIN"
  open_admin_page "$2" 6
}
