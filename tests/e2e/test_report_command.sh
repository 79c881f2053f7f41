#!/usr/bin/env bash
# tarvolen-report on the demo installation, with no display: a week of
# check-in records written into 数据/登记/2026.dat (琴房101 used 10:00-11:30
# on two days, 琴房102 14:15-15:00 once, and one pair whose check-out lies
# before its check-in). The .csv is read back: 琴房101 with 3 hours and two
# sessions, 琴房102 with 0.75 hours, the bad pair noted; .xlsx, .png and
# .pdf are written as what they claim to be. Wrong arguments end with 2, a
# folder that is no installation and an unwritable output with 1, each with
# a message on stderr; the program folder is left as it was.
source "$(dirname "$0")/lib.sh" "$1"

REPORT="$E2E_BIN/tarvolen-report"
[[ -x "$REPORT" ]] || { echo "no $REPORT" >&2; exit 2; }
HOME_DIR=$(new_installation report --demo) || exit 1
OUT="$E2E_TMP/out"
mkdir -p "$OUT"

"$PY" - "$HOME_DIR" <<'PYEOF'
import datetime, struct, sys
home = sys.argv[1]
def day(y, m, d):
    return float((datetime.date(y, m, d) - datetime.date(1899, 12, 30)).days)
def rec(room, student, minute, date, kind, fee=0.0):
    return struct.pack('<hhhdBBfd', room, student, minute, date, 1, kind, fee, day(2026, 8, 15)) + b'\0' * 4
records = [
    rec(1, 1, 600, day(2026, 3, 2), 0), rec(1, 1, 690, day(2026, 3, 2), 1, 15.0),
    rec(2, 2, 855, day(2026, 3, 3), 0), rec(2, 2, 900, day(2026, 3, 3), 1, 7.5),
    rec(1, 3, 600, day(2026, 3, 4), 0), rec(1, 3, 690, day(2026, 3, 4), 1, 15.0),
    rec(3, 4, 700, day(2026, 3, 5), 0), rec(3, 4, 650, day(2026, 3, 5), 1, 0.0),
]
with open(home + '/数据/登记/2026.dat', 'wb') as f:
    f.write(b''.join(records))
PYEOF
BEFORE=$(cd "$HOME_DIR" && find . -type f -exec md5sum {} + | sort)

run_report() {  # OUTFILE [extra args...]: runs the week's report, keeps stderr
  local out=$1
  shift
  "$REPORT" --home "$HOME_DIR" --from 2026-03-01 --to 2026-03-07 --out "$out" "$@" 2>"$OUT/stderr"
}

run_report "$OUT/week.csv"
check "the .csv report ends with 0" test $? -eq 0
check "the .csv report is written" test -s "$OUT/week.csv"
"$PY" - "$OUT/week.csv" >"$OUT/csv.check" 2>&1 <<'PYEOF'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding='utf-8', newline='')))
head = next(r for r in rows if r and r[0] == '房间')
def row(name):
    for r in rows:
        if r and r[0] == name:
            return dict(zip(head, r))
    raise SystemExit('no row ' + name)
a, b = row('琴房101'), row('琴房102')
hours = [h for h in head if '小时' in h][0]
count = [h for h in head if '次数' in h][0]
assert abs(float(a[hours]) - 3.0) < 1e-6, a
assert int(float(a[count])) == 2, a
assert abs(float(b[hours]) - 0.75) < 1e-6, b
print('ok')
PYEOF
check "the .csv holds 琴房101 with 3 hours in two sessions and 琴房102 with 0.75 hours" grep -qx ok "$OUT/csv.check"
[[ -s "$OUT/csv.check" ]] && ! grep -qx ok "$OUT/csv.check" && cat "$OUT/csv.check" >&2

run_report "$OUT/week.xlsx"
check "the .xlsx report ends with 0" test $? -eq 0
check "the .xlsx holds 琴房101" "$PY" -c "
import openpyxl, sys
ws = openpyxl.load_workbook(sys.argv[1]).active
sys.exit(0 if any(r[0] == '琴房101' for r in ws.iter_rows(values_only=True)) else 1)" "$OUT/week.xlsx"

run_report "$OUT/week.png"
check "the .png report ends with 0" test $? -eq 0
check "the .png is a PNG" test "$(head -c 8 "$OUT/week.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a

run_report "$OUT/week.pdf" --type "$("$PY" -c "
import sys
b = open(sys.argv[1] + '/zy.dat', 'rb').read(20)
n = int.from_bytes(b[0:2], 'little')
print(b[2:2 + n].decode('gbk'))" "$HOME_DIR")"
check "the .pdf report of the first room type ends with 0" test $? -eq 0
check "the .pdf is a PDF" test "$(head -c 5 "$OUT/week.pdf")" = "%PDF-"

"$REPORT" --home "$HOME_DIR" --out "$OUT/x.txt" 2>"$OUT/stderr"
check "an unknown output kind ends with 2" test $? -eq 2
check "  and says which kinds there are" grep -q ".csv, .xlsx, .png or .pdf" "$OUT/stderr"
"$REPORT" --home "$HOME_DIR" --from 2026-02-30 --to 2026-03-01 --out "$OUT/x.csv" 2>"$OUT/stderr"
check "a day that does not exist ends with 2" test $? -eq 2
"$REPORT" --home "$E2E_TMP/nothing" --out "$OUT/x.csv" 2>"$OUT/stderr"
check "a folder that is no installation ends with 1" test $? -eq 1
check "  and names set.dat" grep -q "set.dat" "$OUT/stderr"
"$REPORT" --home "$HOME_DIR" --type 没有这种 --out "$OUT/x.csv" 2>"$OUT/stderr"
check "an unknown room type ends with 1" test $? -eq 1
run_report "$E2E_TMP/no/such/folder/week.csv"
check "an output that cannot be written ends with 1" test $? -eq 1
check "  and says so" test -s "$OUT/stderr"

AFTER=$(cd "$HOME_DIR" && find . -type f -exec md5sum {} + | sort)
check "the program folder is left as it was" test "$BEFORE" = "$AFTER"
finish
