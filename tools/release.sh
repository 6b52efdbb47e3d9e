#!/usr/bin/env bash
# Builds the download for Windows users: dist/Haltiqo-VERSION-win64.zip (Haltiqo.exe, a readme
# for Windows users, the license) and dist/Haltiqo-VERSION-win64.msi. VERSION is the program's
# own file version, read back from the executable's version resource, unless one is given: the
# upgrade check packages the same program as other versions.
#   release.sh [VERSION]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" windows >/dev/null
exe="$root/build/windows/Haltiqo.exe"

version=$(python3 - "$exe" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
at = data.find(struct.pack('<I', 0xFEEF04BD))  # VS_FIXEDFILEINFO's signature
if at < 0:
    sys.exit('no version resource in ' + sys.argv[1])
ms, ls = struct.unpack_from('<II', data, at + 8)
print(f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}')
PY
)
version=${1:-$version}
name="Haltiqo-$version-win64"
dist="$root/dist"
stage="$root/build/release/$name"
rm -rf "$stage" "$dist/$name.zip" "$dist/$name.msi"
mkdir -p "$stage" "$dist"

# Windows line ends, and a byte-order mark so that every Notepad reads the readme as UTF-8.
crlf() { sed 's/$/\r/'; }
cp "$exe" "$stage/Haltiqo.exe"
{ printf '\xef\xbb\xbf'; sed "s/@VERSION@/$version/" "$root/release/README.txt" | crlf; } \
  >"$stage/README.txt"
crlf <"$root/LICENSE" >"$stage/LICENSE.txt"

# The same bytes from the same commit: fixed times, no extra attributes.
stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null || date +%s)
touch -d "@$stamp" "$stage"/*
(cd "$stage" && zip -q -X -D "$dist/$name.zip" Haltiqo.exe README.txt LICENSE.txt)

# wixl finds the files relative to the working folder. Each version has its own product code,
# the same each time it is built, so that a package built twice installs once.
cp "$root/res/Haltiqo.ico" "$stage/Haltiqo.ico"
product=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID("EB979C63-DDCC-4AA3-92F2-DF8B99B24F3D"), sys.argv[1])).upper())' "$version")
(cd "$stage" && wixl -a x64 -D Version="$version" -D ProductCode="$product" \
  -o "$dist/$name.msi" "$root/release/Haltiqo.wxs")

unzip -l "$dist/$name.zip"
ls -l "$dist/$name.msi"
