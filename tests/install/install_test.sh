#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR under the prefix /usr, checks what went where, starts
# the installed program there (a tree in another place than its prefix: it must find its own files)
# on SDL's dummy drivers, then uninstalls. Usage: install_test.sh BUILD SOURCE VERSION APP_ID
set -euo pipefail
build=$1
source=$2
version=$3
id=$4
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "install test: $*"; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >"$root.log" 2>&1 || { cat "$root.log"; fail "cmake --install failed"; }
rm -f "$root.log"

expected=$(cat <<LIST
usr/bin/varnook
usr/lib/varnook/ALLPICDATA.BMP
usr/lib/varnook/BEEP.wav
usr/lib/varnook/BEEPS.wav
usr/lib/varnook/CLAP.wav
usr/lib/varnook/CLICK.wav
usr/lib/varnook/DE-COPYRIGHT.txt
usr/lib/varnook/DE.DICT
usr/lib/varnook/DEFAULT.COMMON
usr/lib/varnook/DEFAULT.DEFS
usr/lib/varnook/DEFAULT.DICT
usr/lib/varnook/ES-COPYRIGHT.txt
usr/lib/varnook/ES.DICT
usr/lib/varnook/FR-COPYRIGHT.txt
usr/lib/varnook/FR.DICT
usr/lib/varnook/IT-COPYRIGHT.txt
usr/lib/varnook/IT.DICT
usr/lib/varnook/NL-COPYRIGHT.txt
usr/lib/varnook/NL.DICT
usr/lib/varnook/PT-COPYRIGHT.txt
usr/lib/varnook/PT.DICT
usr/lib/varnook/RIGHT.wav
usr/lib/varnook/SCOWL-COPYRIGHT.txt
usr/lib/varnook/TICK.wav
usr/lib/varnook/UNCLICK.wav
usr/lib/varnook/Varnook.htm
usr/lib/varnook/Varnook-de.htm
usr/lib/varnook/Varnook-es.htm
usr/lib/varnook/Varnook-fr.htm
usr/lib/varnook/Varnook-it.htm
usr/lib/varnook/Varnook-nl.htm
usr/lib/varnook/Varnook-pt.htm
usr/lib/varnook/WORDNET-LICENSE.txt
usr/lib/varnook/libQXDLL.so
usr/lib/varnook/varnook
usr/share/applications/$id.desktop
usr/share/doc/varnook/DE-COPYRIGHT.txt
usr/share/doc/varnook/ES-COPYRIGHT.txt
usr/share/doc/varnook/FR-COPYRIGHT.txt
usr/share/doc/varnook/IT-COPYRIGHT.txt
usr/share/doc/varnook/NL-COPYRIGHT.txt
usr/share/doc/varnook/PT-COPYRIGHT.txt
usr/share/doc/varnook/LICENSE
usr/share/doc/varnook/README.md
usr/share/doc/varnook/SCOWL-COPYRIGHT.txt
usr/share/doc/varnook/WORDNET-LICENSE.txt
usr/share/icons/hicolor/128x128/apps/varnook.png
usr/share/icons/hicolor/16x16/apps/varnook.png
usr/share/icons/hicolor/22x22/apps/varnook.png
usr/share/icons/hicolor/24x24/apps/varnook.png
usr/share/icons/hicolor/256x256/apps/varnook.png
usr/share/icons/hicolor/32x32/apps/varnook.png
usr/share/icons/hicolor/48x48/apps/varnook.png
usr/share/icons/hicolor/64x64/apps/varnook.png
usr/share/man/man6/varnook.6
usr/share/metainfo/$id.metainfo.xml
LIST
)
actual=$(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
  fail "installed files differ: $(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual"))"
[ "$(readlink "$root/usr/bin/varnook")" = "../lib/varnook/varnook" ] || fail "bin/varnook is no relative link"
# Each icon is a PNG of its folder's size: the signature, then width and height in its header.
for size in 16 22 24 32 48 64 128 256; do
  header=$(od -An -tu1 -N24 "$root/usr/share/icons/hicolor/${size}x$size/apps/varnook.png" | xargs)
  [ "$header" = "137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 0 $size 0 0 0 $size" ] ||
    [ "$header" = "137 80 78 71 13 10 26 10 0 0 0 13 73 72 68 82 0 0 1 0 0 0 1 0" -a $size -eq 256 ] ||
    fail "the ${size}px icon is not a ${size}x$size PNG"
done

desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "the desktop file does not validate"
grep -qx 'Categories=Game;LogicGame;' "$root/usr/share/applications/$id.desktop" || fail "desktop categories"
grep -qx 'StartupWMClass=varnook' "$root/usr/share/applications/$id.desktop" || fail "StartupWMClass"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$root/out" 2>&1 ||
  fail "the AppStream file does not validate: $(cat "$root/out")"

# The installed program, through its link in bin/.
program=$root/usr/bin/varnook
[ "$("$program" --version)" = "varnook $version" ] || fail "--version says $("$program" --version)"
run() {
  set +e
  env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$root/config" timeout 5 "$program" >"$root/out" 2>&1
  status=$?
  set -e
}
# Headless, it loads its engine and dictionary and then waits for input until it is stopped.
run
[ $status -eq 124 ] || fail "the installed program ended with $status: $(cat "$root/out")"
[ ! -s "$root/out" ] || fail "the installed program said: $(cat "$root/out")"
# Without the installed dictionary it refuses to start, naming the one in its own folder.
mv "$root/usr/lib/varnook/DEFAULT.DICT" "$root/DEFAULT.DICT"
run
[ $status -eq 1 ] || fail "without its dictionary the program ended with $status"
grep -q "DEFAULT.DICT .* program folder $root/usr/lib/varnook/" "$root/out" ||
  fail "not its own dictionary: $(cat "$root/out")"
mv "$root/DEFAULT.DICT" "$root/usr/lib/varnook/DEFAULT.DICT"

# Uninstalling removes every installed file and the program's own folders.
DESTDIR=$root cmake -DMANIFEST="$build/install_manifest.txt" -P "$source/packaging/uninstall.cmake" >/dev/null
left=$(cd "$root" && find usr \( -type f -o -type l \) | head -5)
[ -z "$left" ] || fail "left after uninstall: $left"
[ ! -e "$root/usr/lib/varnook" ] || fail "the program folder is left after uninstall"
echo "install test: $(echo "$expected" | wc -l) files installed, started headlessly and uninstalled"
