#!/usr/bin/env bash
# Runs a Windows program under Wine in the session that wine-session.sh started.
#   wine-run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
state=$1
shift
export DISPLAY=":$(cat "$state/display")"
exec wine "$@"
