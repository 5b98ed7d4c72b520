#!/usr/bin/env bash
# Start-up side by side: a minimal window, the floor (the same window loading what Varnel must load) and
# varnel.exe, started in turn under one Wine and one private Xvfb, each timed from process creation until its
# window's colour is on the screen and ended through its own message loop. Prints medians, ratios to the
# floor and peak working sets. Usage: startup-bench.sh [runs per program, default 11] [launcher options]
# (--trace: when each window of the program first appeared, as medians; --kill: end the programs by force).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-11}
shift || true
# A prefix of its own: no settings file from the tests changes the main window's colour here.
export VARNEL_WINEPREFIX=$PWD/build/bench-wineprefix-$(scripts/wine-arch)
source scripts/wine-env
# The build of the word size this machine's Wine runs (the 64-bit one where no 32-bit program runs).
build=${BUILD_DIR:-build/$VARNEL_ARCH}
[ -f "$build/build.ninja" ] || cmake --preset "$VARNEL_ARCH" -B "$build" >/dev/null
cmake --build "$build" --target varnel startup_minimal startup_floor startup_launcher >/dev/null
start_private_display
cleanup() { wineserver -k 2>/dev/null || true; kill "$XVFB_PID" 2>/dev/null || true; }
trap cleanup EXIT
rm -f "$WINEPREFIX/drive_c/windows/Varnel.Ini"

programs=("$build/bin/bench/startup_minimal.exe" "$build/bin/bench/startup_floor.exe" "$build/bin/varnel.exe")
winpaths=()
for p in "${programs[@]}"; do winpaths+=("$("$WINE" winepath -w "$PWD/$p" 2>/dev/null)"); done
results=$(mktemp)
"$WINE" "$build/bin/bench/startup_launcher.exe" --runs "$runs" "$@" "${winpaths[@]}" | tr -d '\r' | tee "$results" >&2
# The figures are read and printed with a decimal point, whatever the locale the Wine runs used.
export LC_ALL=C

median() { sort -n | awk '{v[NR]=$1} END {if (NR) print (NR % 2) ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
warm() { awk -v p="$1" -v f="$2" '$1 == "run" && $3 == p && $6 == "warm" {print $f}' "$results"; }
floor_ms=$(warm startup_floor.exe 4 | median)
floor_kib=$(warm startup_floor.exe 5 | median)
echo
warm_ups=$(awk '$1 == "run" && $6 == "warm-up" {print $2}' "$results" | sort -u | wc -l)
echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $runs warm runs each after $warm_ups warm-up rounds," \
  "load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "| program | start-up, median | × floor | peak working set, median | × floor |"
echo "|---|---|---|---|---|"
for p in startup_minimal.exe startup_floor.exe varnel.exe; do
  ms=$(warm "$p" 4 | median)
  kib=$(warm "$p" 5 | median)
  awk -v p="$p" -v ms="$ms" -v kib="$kib" -v fms="$floor_ms" -v fkib="$floor_kib" 'BEGIN {
    printf "| %s | %.1f ms | %.2f | %.1f MiB | %.2f |\n", p, ms, ms / fms, kib / 1024, kib / fkib }'
done
# The start-up by phase: per program and window class, the median moment it first appeared.
phase_rows() { awk '$1 == "phase" && $5 == "warm" {name = $6; for (i = 7; i <= NF; i++) name = name " " $i; print $3 "\t" name "\t" $4}' "$results"; }
if [ -n "$(phase_rows)" ]; then
  echo
  echo "| program | window first seen | median |"
  echo "|---|---|---|"
  phase_rows | cut -f1,2 | sort -u | while IFS=$'\t' read -r p name; do
    ms=$(phase_rows | awk -F'\t' -v p="$p" -v n="$name" '$1 == p && $2 == n {print $3}' | median)
    printf '%s\t%s\t%s\n' "$p" "$ms" "$name"
  done | sort -t$'\t' -k1,1 -k2,2n | awk -F'\t' '{printf "| %s | %s | %.1f ms |\n", $1, $3, $2}'
fi
grep -q 'ended-by-force' "$results" && echo "warning: some runs did not end through their message loop" >&2
echo "varnel.exe: $(stat -c %s "$build/bin/varnel.exe") bytes"
rm -f "$results"
