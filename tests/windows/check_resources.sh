#!/usr/bin/env bash
# The resources of the Windows binaries, read with icoutils' wrestool and icotool:
#   Varnook.exe: an icon with every size from 16 to 256 pixels, version information whose file and
#   product versions are VERSION, a manifest asking for per-monitor (v2) DPI awareness;
#   each DLL: version information with VERSION.
#   check_resources.sh VERSION OUT Varnook.exe DLL...
set -euo pipefail
version=$1
out=$2
exe=$3
shift 3
rm -rf "$out"
mkdir -p "$out"

# The strings of a binary's version information, one a line (its UTF-16 text, zeros as line breaks).
version_strings() {
  wrestool -x --raw -t 16 "$1" | iconv -f UTF-16LE -t UTF-8 -c | tr -s '\0' '\n'
}
# The line after NAME in those strings: NAME's value.
value_of() { awk -v name="$2" 'found { print; exit } $0 ~ (name "$") { found = 1 }' <<<"$1"; }

for binary in "$exe" "$@"; do
  strings=$(version_strings "$binary")
  for name in FileVersion ProductVersion; do
    value=$(value_of "$strings" "$name")
    [ "$value" = "$version" ] || { echo "$binary: $name is \"$value\", not \"$version\""; exit 1; }
  done
  [ "$(value_of "$strings" ProductName)" = Varnook ] || { echo "$binary: no ProductName Varnook"; exit 1; }
done

wrestool -x -t 14 -o "$out/program.ico" "$exe"
sizes=$(icotool -l "$out/program.ico" | sed -n 's/.*--width=\([0-9]*\) --height=\([0-9]*\).*/\1x\2/p' | sort -n | xargs)
for size in 16 24 32 48 64 128 256; do
  grep -qw "${size}x$size" <<<"$sizes" || { echo "$exe: no ${size}x$size icon (has: $sizes)"; exit 1; }
done

manifest=$(wrestool -x --raw -t 24 "$exe")
grep -q '<dpiAwareness[^>]*>PerMonitorV2' <<<"$manifest" || { echo "$exe: the manifest asks for no PerMonitorV2"; exit 1; }
grep -q 'Microsoft.Windows.Common-Controls" version="6' <<<"$manifest" ||
  { echo "$exe: the manifest asks for no common controls 6"; exit 1; }
if grep -q activeCodePage <<<"$manifest"; then echo "$exe: the manifest changes the code page"; exit 1; fi
echo "icons $sizes; version $version in $exe $*; PerMonitorV2 manifest"
