#!/usr/bin/env bash
# The layer check: a folder of the core includes only folders below it in
# LAYERS (its own folder allowed). The core never includes the Qt side
# (platform/qt, ui, app) nor the test doubles (platform/fake); platform/qt
# is the Qt adapters and never includes the windows. Every folder under src/
# must be placed in one of the lists below, so a new folder cannot slip past.
#   scripts/check-layers.sh [SOURCE_ROOT]
# Lists each offending include and exits 1; exits 0 when all is in order.
set -euo pipefail

# The core's folders, lowest first. docs/architecture.md quotes this line.
LAYERS="store platform notify access startup session board cardinput accounts admin import query maintenance desk"
# Above the core (Qt adapters, windows, main), the test doubles and the
# spreadsheet readers (FreeXL, minizip, expat; the core sees only
# platform/Workbook.h).
OUTSIDE="platform/qt platform/fake platform/sheets ui app"

root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
src="$root/src"
[[ -d "$src" ]] || { echo "check-layers: no src/ under $root" >&2; exit 2; }

declare -A placed=()
for dir in $LAYERS $OUTSIDE; do placed[$dir]=1; done

failures=0
fail() {
  echo "$1"
  failures=$((failures + 1))
}

# Every folder under src/ is placed.
while IFS= read -r dir; do
  dir="${dir#"$src"/}"
  [[ -n "${placed[$dir]+x}" ]] ||
    fail "src/$dir/: folder not placed in the layer order (scripts/check-layers.sh, LAYERS or OUTSIDE)"
done < <(find "$src" -mindepth 1 -type d | sort)

sources_in() {
  find "$1" -maxdepth 1 -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.cpp' -o -name '*.cc' \) | sort
}

# The files to check, each with the folder it counts as: a core folder, the
# doubles standing where the interfaces they implement stand, and the Qt
# adapters (which may use the whole core, never the windows or main).
files=()
for layer in $LAYERS; do
  [[ -d "$src/$layer" ]] || continue # placed before its first file
  while IFS= read -r f; do files+=("$layer" "$f"); done < <(sources_in "$src/$layer")
done
for dir in platform/fake platform/qt; do
  [[ -d "$src/$dir" ]] || continue
  while IFS= read -r f; do files+=("$dir" "$f"); done < <(sources_in "$src/$dir")
done

# One awk over every file: an include's folder is its first path part, or
# platform/qt and platform/fake for the adapters and the doubles.
problems="$(
  for ((k = 0; k < ${#files[@]}; k += 2)); do printf '%s\t%s\n' "${files[k]}" "${files[k + 1]}"; done |
    awk -F'\t' -v layers="$LAYERS" -v outsideList="$OUTSIDE" -v src="$src/" '
      BEGIN {
        n = split(layers, l, " "); for (i = 1; i <= n; i++) rank[l[i]] = i
        n = split(outsideList, o, " "); for (i = 1; i <= n; i++) outside[o[i]] = 1
      }
      {
        from = $1; file = $2; lineNo = 0
        fromRank = (from == "platform/fake") ? rank["platform"] : rank[from]
        while ((getline text < file) > 0) {
          lineNo++
          if (text !~ /^[ \t]*#[ \t]*include[ \t]*"/) continue
          path = text; sub(/^[^"]*"/, "", path); sub(/".*$/, "", path)
          if (index(path, "/") == 0) continue
          np = split(path, part, "/")
          to = part[1]
          if (to == "platform" && np > 2) to = "platform/" part[2]
          if (to == from) continue
          where = "src/" substr(file, length(src) + 1) ":" lineNo ": " from " includes \"" path "\""
          if (to in outside) {
            print where " (" from " must not include " to "/)"
          } else if (!(to in rank)) {
            print where " (" to " is not a folder of the layer order)"
          } else if (from != "platform/qt" && rank[to] > fromRank) {
            print where " (" to " is above " from ")"
          }
        }
        close(file)
      }'
)"
if [[ -n "$problems" ]]; then
  echo "$problems"
  failures=$((failures + $(wc -l <<<"$problems")))
fi

# The page that describes the layers quotes the order as it is here.
doc="$root/docs/architecture.md"
if ! grep -qsF "LAYERS=\"$LAYERS\"" "$doc"; then
  fail "docs/architecture.md: does not quote the layer order LAYERS=\"$LAYERS\""
fi

if ((failures > 0)); then
  echo "check-layers: $failures problem(s)"
  exit 1
fi
echo "check-layers: in order"
