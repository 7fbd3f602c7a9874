#!/usr/bin/env bash
# Packs the cross-compiled program into a zip that a Windows user unpacks
# and runs: velmora.exe, Logscope.exe, velmora.ini, skins/ and an empty logs/.
#   package-windows.sh WINDOWS-BUILD-DIR OUTPUT.zip
set -euo pipefail

build=${1:?usage: package-windows.sh WINDOWS-BUILD-DIR OUTPUT.zip}
output=${2:?usage: package-windows.sh WINDOWS-BUILD-DIR OUTPUT.zip}
source_dir=$(cd "$(dirname "$0")/.." && pwd)

for exe in velmora.exe Logscope.exe; do
    [ -f "$build/$exe" ] || { echo "package: $build/$exe is missing (make windows)" >&2; exit 1; }
done
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root="$stage/VELMORA"
mkdir -p "$root/logs"
# The debug information stays in the build; the package gets a stripped copy.
x86_64-w64-mingw32-strip -o "$root/velmora.exe" "$build/velmora.exe"
x86_64-w64-mingw32-strip -o "$root/Logscope.exe" "$build/Logscope.exe"
cp "$source_dir/app/velmora.ini" "$root/velmora.ini"
cp -r "$source_dir/skins" "$root/skins"

output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
rm -f "$output"
(cd "$stage" && zip -q -r -X "$output" VELMORA)
echo "Packed $output ($(du -k "$output" | cut -f1) KiB)"
