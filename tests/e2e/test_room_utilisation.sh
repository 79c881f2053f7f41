#!/usr/bin/env bash
# Room utilisation in the running program, on the demo installation: a
# session of card 1001 in 琴房101 began 47 minutes ago (its check-in record
# and its session arranged in the files); card 1002 is checked in and card
# 1001 checked out by swipes. On the page 统计查询 使用率 opens the window on
# the current semester; 统计 counts, the pointer over the heat map's rows
# finds the row of 琴房101, and the picture is exported through Qt's own
# save dialog as PNG (a PNG file of the picture's size) and as PDF (its
# text holds the room's row and the figures' headings).
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation usage --demo) || exit 1
LOG="$E2E_TMP/usage.log"
OUT="$E2E_TMP/picture"
set_record_text "$HOME_DIR" 21 "pw"

session_of_1001_begun "$HOME_DIR" 47
check "the session of 1001 is arranged" test -s "$HOME_DIR/shuju.dat"

query_page_after_swipes "$HOME_DIR" "$LOG"
check "统计查询 shows 使用率" wait_control "$LOG" CommandUsage
click_control "$MAIN" "$(control_centre CommandUsage)"
UWIN=$(wait_window "房间使用率" "$PID")
check "使用率 opens the utilisation window" test -n "$UWIN"
check "the window lists its controls" wait_control "$LOG" UtilisationWindow/CommandCount

click_control "$UWIN" "$(control_centre UtilisationWindow/CommandCount)"
counted() {
  controls "$LOG"
  [[ "$(control_text UtilisationWindow/LabelStatus)" == 统计完成* ]]
}
check "统计 counts the rooms" eventually counted

# The heat map's first column, row by row (20 pixels each, the first room
# under its type's heading), until the pointer finds the row of 琴房101.
read -r PX PY_ < <(awk '$2 == "UtilisationWindow/PictureUsage" { print $3, $4; exit }' "$E2E_TMP/controls")
FOUND=""
check "the heat map is listed" test -n "${PX:-}"
for ((row = 0; row < 12; row++)); do
  [[ -n "${PX:-}" ]] || break
  xdotool mousemove --window "$UWIN" $((PX + 141)) $((PY_ + 97 + row * 20))
  sleep 0.2
  controls "$LOG"
  HOVER=$(awk '$2 == "UtilisationWindow/LabelHover" { $1 = $2 = $3 = $4 = $5 = $6 = $7 = ""; print; exit }' "$E2E_TMP/controls")
  if [[ "$HOVER" == *琴房101* ]]; then FOUND=$HOVER; break; fi
done
check "the heat map has the row of 琴房101 ($FOUND)" test -n "$FOUND"
[[ -n "$FOUND" ]] || grep UtilisationWindow/ "$E2E_TMP/controls"
check "its cell tells a share in percent" grep -qE '琴房101 [0-9]+时: [0-9]+\.[0-9]%' <<<"$FOUND"

# The pointer leaves the heat map, so no tooltip stands over the dialog.
xdotool mousemove --window "$UWIN" 5 5
sleep 1
click_control "$UWIN" "$(control_centre UtilisationWindow/CommandPng)"
DIALOG=$(wait_window "导出图片" "$PID")
check "导出PNG asks for a file" test -n "$DIALOG"
type_text "$DIALOG" "$OUT"
press "$DIALOG" Return
check "the PNG export is confirmed" answer_box "$PID"
log_has "$LOG" "[导出]" || show_log "$LOG"
check "the PNG export is logged as written" wait_log "$LOG" "[导出] $OUT.png 已导出"
png_size() {
  "$PY" - "$OUT.png" <<'PYEOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n' and data[12:16] == b'IHDR'
w, h = struct.unpack('>II', data[16:24])
print(w, h)
PYEOF
}
SIZE=$(png_size)
check "the file is a PNG ($SIZE)" test -n "$SIZE"
read -r W H <<<"$SIZE"
check "of a picture with rows and figures" test "${W:-0}" -ge 400 -a "${H:-0}" -ge 200

click_control "$UWIN" "$(control_centre UtilisationWindow/CommandPdf)"
DIALOG=$(wait_window "导出PDF" "$PID")
check "导出PDF asks for a file" test -n "$DIALOG"
type_text "$DIALOG" "$OUT"
press "$DIALOG" Return
check "the PDF export is confirmed" answer_box "$PID"
check "the PDF export is logged as written" wait_log "$LOG" "[导出] $OUT.pdf 已导出"
TEXT=$(pdftotext -layout "$OUT.pdf" - 2>/dev/null)
check "the exported picture has the row of 琴房101" grep -q "琴房101" <<<"$TEXT"
check "and the figures beside it" grep -q "开放时段占用率" <<<"$TEXT"

kill -TERM "$PID"
check "the desk ends" wait_exit "$PID"
finish
