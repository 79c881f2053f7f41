#!/usr/bin/env bash
# The two small windows around a swipe, on the real desktop. A second swipe
# within 登录保护 (2 minutes) asks "此卡用时未超过2分钟,是否要下线？" in the
# countdown box 提示, which takes the keyboard, keeps the main window
# disabled and, left alone, answers 是 by itself: the student is checked
# out. With the keyboard elsewhere (焦点强制 on), the floating card window
# shows while digits are typed and goes when the main window is back.
source "$(dirname "$0")/lib.sh" "$1"
command -v xwd >/dev/null || { echo "missing tool: xwd (package x11-apps)" >&2; exit 2; }

HOME_DIR=$(new_installation countdown --demo) || exit 1
LOG="$E2E_TMP/desk.log"
set_record_text "$HOME_DIR" 21 "pw"
set_settings_byte "$HOME_DIR" 1116 1   # 焦点强制: digits count with the window behind

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "the prompt is up" test -n "$PROMPT"
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
log_in "$PROMPT" "pw" "音乐学院琴房 管理员" "$PID"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"
check "the main window is up" test -n "$MAIN"
check "the main window has the keyboard" wait_focus "$MAIN"

# --- the countdown box -----------------------------------------------------

press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
press "$MAIN" Return
check "1001 is checked in" wait_log "$LOG" "]登录琴房101"
press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
BOX=$(wait_window "提示" "$PID" 10)
check "a second swipe at once opens the countdown box 提示" test -n "$BOX"
check "the box takes the keyboard" wait_focus "$BOX"
check "nothing is checked out while the box counts" log_lacks "$LOG" "]下线"
# 15 seconds, then 是 one second after 0.
check "left alone, the box answers 是: the student is checked out" wait_log "$LOG" "]下线琴房101" 30
check "the box is gone" wait_window_gone "提示" "$PID"
check "the main window gets the keyboard back" wait_focus "$MAIN"
check "the check-out is logged once" test "$(log_count "$LOG" "]下线琴房101")" = 1

# --- the floating card window ----------------------------------------------

check "no floating card window while the main window is in front" window_absent "floatingCard" "$PID"
ROOT=$(xdotool search --maxdepth 0 --name '' 2>/dev/null | head -n 1)
[[ -z "$ROOT" ]] && ROOT=$(xwininfo -root | awk '/Window id:/ {print $4}')
xdotool windowfocus "$ROOT" 2>/dev/null
FLOAT=$(wait_window "floatingCard" "$PID" 10)
check "with the keyboard elsewhere the floating card window shows" test -n "$FLOAT"
# white_pixels WINDOW: how many pure white pixels the window shows.
white_pixels() {
  xwd -silent -id "$1" 2>/dev/null | "$PY" -c '
import struct, sys
d = sys.stdin.buffer.read()
if len(d) < 100:
    print(-1); sys.exit()
h = struct.unpack(">25I", d[:100])
size, w, hgt, order, bpp, bpl, ncolors = h[0], h[4], h[5], h[7], h[11], h[12], h[19]
rm, gm, bm = h[14], h[15], h[16]
if bpp != 32:
    print(-1); sys.exit()
img = d[size + 12 * ncolors:]
fmt = "<I" if order == 0 else ">I"
n = 0
for y in range(hgt):
    row = img[y * bpl:y * bpl + 4 * w]
    for (p,) in struct.iter_unpack(fmt, row):
        if p & rm == rm and p & gm == gm and p & bm == bm:
            n += 1
print(n)'
}
check "it shows no digits before any are typed" test "$(white_pixels "$FLOAT")" = 0
xdotool key --delay 25 KP_4 KP_2
shows_digits() { [[ "$(white_pixels "$FLOAT")" -gt 50 ]]; }
wait_digits() {
  local i
  for ((i = 0; i < 100; i++)); do shows_digits && return 0; sleep 0.1; done
  return 1
}
check "typed digits appear in white in the floating card window" wait_digits
focus "$MAIN"
check "it goes when the main window is back in front" wait_window_gone "floatingCard" "$PID"

kill -TERM "$PID"
check "SIGTERM saves and ends" wait_log "$LOG" "[退出] 已保存"
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
