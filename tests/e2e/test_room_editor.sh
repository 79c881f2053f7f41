#!/usr/bin/env bash
# The room editor in the running program, on the demo installation: the
# page 房间数据 opens in edit mode, a click on the first row of the room
# list loads 琴房101 (Label36 "序号:1"), its capacity (field 5) is typed
# over and "修改" pressed. rooms.dat is read back, and the count of idle
# places on the student panel (shown by a swipe) follows: 20 before, 22
# after the capacity of 琴房101 went from 1 to 3.
source "$(dirname "$0")/lib.sh" "$1"

HOME_DIR=$(new_installation rooms --demo) || exit 1
LOG="$E2E_TMP/rooms.log"
set_record_text "$HOME_DIR" 21 "pw"

# room SLOT: name, capacity and service status of the room in rooms.dat
# (record SLOT + 1 of 32 bytes: name, type, time limit, status, price, capacity).
room() {
  "$PY" - "$HOME_DIR" "$1" <<'PYEOF'
import struct, sys
with open(sys.argv[1] + '/rooms.dat', 'rb') as f:
    f.seek(int(sys.argv[2]) * 32)
    rec = f.read(32)
n = int.from_bytes(rec[0:2], 'little')
name = rec[2:2 + n].decode('gbk')
p = 2 + n
status, = struct.unpack_from('<h', rec, p + 3)
capacity = rec[p + 9]
print('%s %d %d' % (name, capacity, status))
PYEOF
}
room_is() { [[ "$(room "$1")" == "$2" ]]; }

desk_as_administrator "$HOME_DIR" "$LOG"
focus "$MAIN"
check "琴房101 holds one place" room_is 1 "琴房101 1 0"

# idle_places_are CARD N: a swipe of CARD shows the student panel, whose
# "使用空闲房间" box counts the idle places; the dialogue is then cancelled.
idle_places_are() {
  local keys=() i
  for ((i = 0; i < ${#1}; i++)); do keys+=("KP_${1:i:1}"); done
  press "$MAIN" "${keys[@]}" Return
  wait_control "$LOG" Check10 || return 1
  local shown
  shown=$(control_text Check10)
  click_control "$MAIN" "$(control_centre Command15)"
  [[ "$shown" == "使用空闲房间($2)" ]] || { echo "    shown: $shown"; return 1; }
}
check "20 idle places before" idle_places_are 1002 20
panel_gone() {
  controls "$LOG"
  [[ -z "$(control_centre Check10)" ]]
}
check "取消 ends the dialogue" eventually panel_gone

click_control "$MAIN" "$(control_centre Command5)"
check "the administration area opens" wait_control "$LOG" Option1_2
click_control "$MAIN" "$(control_centre Option1_2)"
check "房间数据 opens" wait_control "$LOG" List2
check "the page opens in edit mode" test "$(control_state Check3)" = on

# The first row of the list: a few pixels below its top edge.
LIST_TOP=$(awk '$2 == "List2" { printf "%d %d\n", $3 + 60, $4 + 10; exit }' "$E2E_TMP/controls")
click_control "$MAIN" "$LIST_TOP"
label36_is() {
  controls "$LOG"
  [[ "$(control_text Label36)" == "$1" ]]
}
check "a click on the first row loads slot 1" eventually label36_is "序号:1"
check "its name is in field 0" test "$(control_text Combofj_0)" = "琴房101"
check "its capacity is in field 5" test "$(control_text Combofj_5)" = 1
fill_control "$MAIN" Combofj_5 "3"
click_control "$MAIN" "$(control_centre Command9)"
check "rooms.dat holds the new capacity" eventually room_is 1 "琴房101 3 0"
check "the other rooms are untouched" room_is 2 "琴房102 1 0"

controls "$LOG"
click_control "$MAIN" "$(control_centre Command5)"
check "the administration area closes" eventually control_gone "$LOG" List2
check "22 idle places after" idle_places_are 1003 22

kill -TERM "$PID"
check "SIGTERM runs save-and-exit" wait_log "$LOG" "[退出] 已保存"
check "the desk ends with code 0" ends_with_code "$PID" 0
check "rooms.dat still holds the change" room_is 1 "琴房101 3 0"
[[ $E2E_FAILED -gt 0 ]] && show_log "$LOG"
finish
