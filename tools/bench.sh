#!/usr/bin/env bash
# The benchmarks, each beside its yardstick, in one run: Solve beside LAPACK's dgesv (native);
# start-up beside a minimal Win32 program, the grid beside a bare loop of the same windows, and
# the solve command at n = 26 (under Wine). Needs the builds of tools/build.sh.
#
# The exact solve's goals, checked at the end (a miss is reported, not an error):
#   natively, 15 significant digits at n = 26 (parse, solve, texts)      <= 1 ms
#   natively, 255-character numbers spanning the double range at n = 26   <= 100 ms
#   under Wine, those from the click to the message box                   <= 250 ms
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$root/build/native" --target solve_bench >/dev/null
cmake --build "$root/build/windows" --target grid_bench startup_bench minimal_window >/dev/null
state="$root/build/bench-state"
mkdir -p "$state"
log="$state/solve.log" # the figures the goals are checked on
"$root/build/native/solve_bench" --benchmark_repetitions=15 \
  --benchmark_report_aggregates_only=true | tee "$log"

source "$root/tools/wine-env.sh"
wine_session_open "$state"
win() { "$root/tools/wine-run.sh" "$state" "$@"; }
dir=$(winepath -w "$root/build/windows")
win "$root/build/windows/startup_bench.exe" "$dir\\Haltiqo.exe" "$dir\\minimal_window.exe" 15
win "$root/build/windows/grid_bench.exe" 5 | tee "$log.wine"

# A median in milliseconds from Google Benchmark's line for one kind of text.
median_ms() {
  awk -v kind="$1" '$1 ~ /^BM_ExactSolve.*_median$/ && index($0, kind) {
    v = $2; if ($3 == "us") v /= 1000; else if ($3 == "s") v *= 1000; print v; exit }' "$log"
}
goal() { # what, measured ms, goal ms
  awk -v what="$1" -v got="$2" -v most="$3" 'BEGIN {
    printf "goal: %s %.3g ms, at most %g ms: %s\n", what, got, most, got <= most ? "met" : "MISSED" }'
}
goal "15 significant digits, native" "$(median_ms '15 significant digits')" 1
goal "255 characters, native" "$(median_ms '255 characters')" 100
goal "255 characters, click to message box under Wine" \
  "$(sed -n 's/^solve n=26, 255 characters spanning the double range (to the message box): \([0-9.]*\) ms.*/\1/p' "$log.wine")" 250
