#!/usr/bin/env bash
# The benchmarks, each beside its yardstick, in one run: Solve beside LAPACK's dgesv (native);
# start-up beside a minimal Win32 program, the grid beside a bare loop of the same windows, and
# the solve command at n = 26 (under Wine). Needs the builds of tools/build.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build "$root/build/native" --target solve_bench >/dev/null
cmake --build "$root/build/windows" --target grid_bench startup_bench minimal_window >/dev/null
"$root/build/native/solve_bench" --benchmark_repetitions=15 --benchmark_report_aggregates_only=true

source "$root/tools/wine-env.sh"
state="$root/build/bench-state"
wine_session_open "$state"
win() { "$root/tools/wine-run.sh" "$state" "$@"; }
dir=$(winepath -w "$root/build/windows")
win "$root/build/windows/startup_bench.exe" "$dir\\Haltiqo.exe" "$dir\\minimal_window.exe" 15
win "$root/build/windows/grid_bench.exe" 5
