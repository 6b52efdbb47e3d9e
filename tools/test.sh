#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test. The Windows tests
# run under Wine on a private display; CTest starts and stops both itself.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
# Whatever happens, leave no display or Wine server behind.
source "$root/tools/wine-env.sh"
wine_session_stop_on_exit "$root/build/native/wine-state"
cd "$root/build/native"
ctest --output-on-failure "$@"
