#!/usr/bin/env bash
# A student who checked in 47 minutes ago swipes again: the session ends and
# is billed. Room 1 bills in units of 15 minutes with 5 minutes tolerance at
# 12 yuan an hour, so 47 minutes bill 45 and cost 9.00; the balance in
# students.dat, the check-out record of the year file and the freed session
# record must all say so.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation billing --demo) || exit 1
LOG="$E2E_TMP/billing.log"
set_record_text "$HOME_DIR" 21 "pw"

# Room 1's tariff, a running session of student 1 started 47 minutes ago,
# and the session count; the balance before, for the check after.
BEFORE=$("$PY" - "$HOME_DIR" <<'PYEOF'
import datetime, struct, sys
home = sys.argv[1]
with open(home + '/rooms.dat', 'r+b') as f:
    f.seek(32)                      # record 2 = room slot 1
    rec = bytearray(f.read(32))
    n = int.from_bytes(rec[0:2], 'little')
    o = 2 + n                       # after the name: type, limit, status
    o += 1 + 2 + 2
    struct.pack_into('<f', rec, o, 12.0)        # price
    o += 4 + 1                                  # capacity
    struct.pack_into('<f', rec, o, 0.0)         # minimum fee
    struct.pack_into('<f', rec, o + 4, 0.0)     # handling fee
    struct.pack_into('<hh', rec, o + 8, 15, 5)  # unit, tolerance
    f.seek(32)
    f.write(rec)
start = datetime.datetime.now() - datetime.timedelta(minutes=47)
days = (start.date() - datetime.date(1899, 12, 30)).days
with open(home + '/shuju.dat', 'wb') as f:
    f.write(struct.pack('<hhhd', 1, 1, start.hour * 60 + start.minute, float(days)) + b'\0\0')
with open(home + '/set.dat', 'r+b') as f:
    f.write(struct.pack('<i', 1))   # position 1: one session
with open(home + '/students.dat', 'rb') as f:
    f.seek(128)                     # record 2 = student slot 1
    rec = f.read(128)
n = int.from_bytes(rec[16:18], 'little')
print('%.2f' % struct.unpack_from('<f', rec, 18 + n + 24)[0])
PYEOF
)
check "the arranged installation reads back a balance" test -n "$BEFORE"

start_desk "$HOME_DIR" "$LOG"
PID=$DESK_PID
PROMPT=$(wait_window "管理员验证" "$PID")
check "the prompt is up" test -n "$PROMPT"
check "loading finishes" wait_log "$LOG" "[启动] 载入完毕"
log_in "$PROMPT" "pw" "音乐学院琴房 管理员" "$PID"
check "the administrator is confirmed" wait_log "$LOG" "[身份] 6"
check "the main window carries the identity in its title" test -n "$MAIN"

# The card reader: keypad digits and Enter.
press "$MAIN" KP_1 KP_0 KP_0 KP_1 Return
check "the swipe checks the student out of 琴房101" wait_log "$LOG" "]下线琴房101"
check "the announcement bills 45 minutes for 9.00 yuan" log_has "$LOG" "0时45分 9.00元"

AFTER=$("$PY" - "$HOME_DIR" <<'PYEOF'
import glob, struct, sys
home = sys.argv[1]
with open(home + '/students.dat', 'rb') as f:
    f.seek(128)
    rec = f.read(128)
n = int.from_bytes(rec[16:18], 'little')
balance = struct.unpack_from('<f', rec, 18 + n + 24)[0]
semester, total = struct.unpack_from('<ii', rec, 18 + n + 16)
year = sorted(glob.glob(home + '/数据/登记/*.dat'))[-1]
with open(year, 'rb') as f:
    out = f.read(32)
kind = out[15]
fee = struct.unpack_from('<f', out, 16)[0]
with open(home + '/shuju.dat', 'rb') as f:
    room = struct.unpack('<h', f.read(2))[0]
with open(home + '/set.dat', 'rb') as f:
    count = struct.unpack('<i', f.read(4))[0]
print('%.2f %d %.2f %d %d %d' % (balance, kind, fee, room, count, total))
PYEOF
)
read -r BAL KIND FEE ROOM COUNT TOTAL <<<"$AFTER"
EXPECTED=$("$PY" -c "print('%.2f' % (float('$BEFORE') - 9.0))")
check "students.dat: the balance fell by 9.00 ($BEFORE -> $BAL)" test "$BAL" = "$EXPECTED"
check "students.dat: 47 to 50 minutes added to the total ($TOTAL)" test "$TOTAL" -ge 47 -a "$TOTAL" -le 50
check "the year file's record 1 is a check-out (kind 1)" test "$KIND" = 1
check "the check-out record carries the fee 9.00" test "$FEE" = "9.00"
check "the session record is freed (room slot 0)" test "$ROOM" = 0
check "set.dat position 1 counts no session" test "$COUNT" = 0

kill -TERM "$PID"
check "SIGTERM still saves and ends" wait_log "$LOG" "[退出] 已保存"
if [[ $E2E_FAILED -gt 0 ]]; then show_log "$LOG"; fi
finish
