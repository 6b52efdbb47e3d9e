#!/usr/bin/env bash
# The soak run of the real program: random actions for SECONDS (default 120) from SEED
# (default 1). Needs the builds of tools/build.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/wine-env.sh"
state="$root/build/soak-state"
wine_session_open "$state"
HALTIQO_SOAK_SECONDS="${1:-120}" HALTIQO_SOAK_SEED="${2:-1}" \
  "$root/tools/wine-run.sh" "$state" "$root/build/windows/e2e_tests.exe" --gtest_filter='Soak.*'
