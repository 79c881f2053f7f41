#!/usr/bin/env bash
# Takes docs/utilisation.png: the utilisation window on a generated semester.
#   bash scripts/utilisation-screenshot.sh BUILD/bin [OUT.png]
# A demo installation gets check-ins and check-outs for its four open rooms
# on every day of the current semester up to yesterday (busier afternoons
# and evenings, quieter weekends); the desk is started under its own Xvfb,
# 统计查询 → 使用率 → 统计 is clicked, and the window is grabbed with xwd
# and written as PNG (python3's zlib, no image library needed).
OUT_PNG=$(realpath -m "${2:-$(dirname "$0")/../docs/utilisation.png}")
source "$(dirname "$0")/../tests/e2e/lib.sh" "$1"

HOME_DIR=$(new_installation shot --demo) || exit 1
LOG="$E2E_TMP/shot.log"
set_record_text "$HOME_DIR" 21 "pw"

"$PY" - "$HOME_DIR" <<'PYEOF'
import datetime, os, random, struct, sys
home = sys.argv[1]
random.seed(7)
today = datetime.date.today()
# The semester holding today by the default dividers (15 August, 15 February).
autumn = datetime.date(today.year, 8, 15)
spring = datetime.date(today.year, 2, 15)
start = autumn if today >= autumn else (spring if today >= spring else datetime.date(today.year - 1, 8, 15))
start = max(start, datetime.date(today.year, 1, 1))  # the current year's file only
with open(home + '/students.dat', 'rb') as f:
    data = f.read()
enrolled = {}
for slot in range(1, 21):
    rec = data[slot * 128:(slot + 1) * 128]
    n = int.from_bytes(rec[16:18], 'little')
    enrolled[slot], = struct.unpack_from('<d', rec, 18 + n + 3)
events = []
day = start
while day < today:
    days = float((day - datetime.date(1899, 12, 30)).days)
    weekend = day.weekday() >= 5
    for room in (1, 2, 3, 4):
        minute = 8 * 60 + random.randrange(0, 60)
        while minute < 21 * 60:
            busy = 0.35 if minute < 12 * 60 else (0.6 if minute < 17 * 60 else 0.8)
            if weekend:
                busy *= 0.5
            if random.random() < busy:
                length = random.choice((30, 45, 60, 90, 120))
                student = random.randrange(1, 21)
                end = min(minute + length, 22 * 60)
                fee = round((end - minute) / 60 * 10, 1)
                events.append((days, minute, 0, room, student, 0.0))
                events.append((days, end, 1, room, student, fee))
                minute = end + random.randrange(0, 20)
            else:
                minute += random.randrange(20, 60)
    day += datetime.timedelta(days=1)
events.sort()
year = os.path.join(home, '数据', '登记', '%04d.dat' % today.year)
with open(year, 'ab') as f:
    for days, minute, kind, room, student, fee in events:
        f.write(struct.pack('<hhhdBBfd', room, student, minute, days, 6, kind, fee, enrolled[student]).ljust(32, b'\0'))
PYEOF

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
wait_log "$LOG" "[启动] 载入完毕"
wait_focus "$PROMPT"
log_in "$PROMPT" "pw" "音乐学院琴房 管理员" "$PID"
focus "$MAIN"
controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
wait_control "$LOG" Option1_6
click_control "$MAIN" "$(control_centre Option1_6)"
wait_control "$LOG" CommandUsage
click_control "$MAIN" "$(control_centre CommandUsage)"
UWIN=$(wait_window "房间使用率" "$PID")
wait_control "$LOG" UtilisationWindow/CommandCount
click_control "$UWIN" "$(control_centre UtilisationWindow/CommandCount)"
counted() {
  controls "$LOG"
  [[ "$(control_text UtilisationWindow/LabelStatus)" == 统计完成* ]]
}
check "统计 counts the semester" eventually counted
# The pointer over a busy cell, so its share shows beside the views, then
# off the heat map: its tooltip is a window of its own that xwd leaves black.
read -r PX PY_ < <(awk '$2 == "UtilisationWindow/PictureUsage" { print $3, $4; exit }' "$E2E_TMP/controls")
xdotool mousemove --window "$UWIN" $((PX + 136 + 9 * 32 + 10)) $((PY_ + 97))
sleep 0.3
xdotool mousemove --window "$UWIN" $((PX + 136 + 9 * 32 + 10)) $((PY_ - 30))
sleep 1

# Other windows of the desk (the floating card box) stay off the shot.
for w in $(xdotool search --pid "$PID" 2>/dev/null); do
  [[ "$w" == "$UWIN" ]] || xdotool windowunmap "$w" 2>/dev/null
done
sleep 0.5
xwd -silent -id "$UWIN" >"$E2E_TMP/window.xwd"
"$PY" - "$E2E_TMP/window.xwd" "$OUT_PNG" <<'PYEOF'
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', data[:100])
header_size, depth, width, height = h[0], h[3], h[4], h[5]
byte_order, bpp, stride, ncolors = h[7], h[11], h[12], h[19]
step = bpp // 8
assert step in (3, 4), 'a 24- or 32-bit visual is expected, not %d' % bpp
pixels = data[header_size + ncolors * 12:]
rows = []
for y in range(height):
    line = pixels[y * stride:y * stride + width * step]
    rgb = bytearray(width * 3)
    if byte_order == 0:  # LSB first: B G R (X)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::step], line[1::step], line[0::step]
    else:                # MSB first: (X) R G B
        o = step - 3
        rgb[0::3], rgb[1::3], rgb[2::3] = line[o::step], line[o + 1::step], line[o + 2::step]
    rows.append(b'\0' + bytes(rgb))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
PYEOF
check "the window is written to $OUT_PNG" test -s "$OUT_PNG"
kill -TERM "$PID"
wait_exit "$PID"
finish
