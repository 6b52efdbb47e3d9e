#!/usr/bin/env bash
# Takes the README's pictures (docs/*.png) from the real program on a private display.
# Needs the builds of tools/build.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/wine-env.sh"
state="$root/build/shot-state"
out="$root/build/shots"
mkdir -p "$out" "$root/docs"
wine_session_open "$state"
HALTIQO_SCREENSHOTS="$(winepath -w "$out")" "$root/tools/wine-run.sh" "$state" \
  "$root/build/windows/e2e_tests.exe" --gtest_filter='Screenshots.*' >/dev/null
convert "$out/start.bmp" -crop 720x500+0+0 +repage "$root/docs/start.png"
convert "$out/solved.bmp" -crop 720x500+0+0 +repage "$root/docs/solved.png"
convert "$out/about.bmp" -crop 720x500+0+0 +repage "$root/docs/about.png"
convert "$out/pasted.bmp" -crop 860x470+0+0 +repage "$root/docs/pasted.png"
echo "pictures in $root/docs"
