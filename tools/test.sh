#!/usr/bin/env bash
# Installs what is missing, builds both configurations and runs every test. The Windows tests
# run under Wine on a private display; CTest starts and stops both itself.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
# Whatever happens, leave no display or Wine server behind.
trap '"$root/tools/wine-session.sh" stop "$root/build/native/wine-state" >/dev/null 2>&1 || true' EXIT
cd "$root/build/native"
ctest --output-on-failure "$@"
