#!/usr/bin/env bash
# The Windows program under wine on the X display this runs under (xvfb-run gives one), from the
# folder a player gets by unzipping varnook-windows-x64.zip: without QXDLL.dll and without
# DEFAULT.DICT it refuses to start (a message box, exit code 1); then "CLASSIC GAME" shows the play
# surface, the keys pause, resume, show the solution, browse it and return to the menu, "EXIT"
# closes the program, and the registry holds its records.
#   play_wine.sh WINE_RUN PREFIX BIN_DIR OUT ZIP
# Writes OUT/screenshot-windows.png (the window with its frame, as wine draws it) and logs.
set -euo pipefail
source "$(dirname "$0")/../e2e/screen.sh"
wine_run=$1
prefix=$2
out=$4
zip=$5
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)

finish() {
  WINEPREFIX=$prefix wineserver --kill 2>/dev/null || true
}
trap finish EXIT

# The player's folder, straight from the zip.
(cd "$out" && cmake -E tar xf "$zip")
folder=$out/Varnook
for f in Varnook.exe QXDLL.dll DEFAULT.DICT ALLPICDATA.BMP CLICK.wav UNCLICK.wav BEEP.wav BEEPS.wav RIGHT.wav \
  CLAP.wav TICK.wav Varnook.htm; do
  [ -f "$folder/$f" ] || { echo "the zip has no Varnook/$f"; exit 1; }
done

# Waits for a visible window whose name matches, and prints its id.
await_window() {
  for _ in $(seq 1 600); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# A folder that lacks one file: the program names it and the folder in a message box and ends
# with exit code 1 once the box is closed.
refusal() {
  local missing=$1 dir=$out/without-$1
  cp -r "$folder" "$dir"
  rm "$dir/$missing"
  local status=0
  "$wine_run" "$prefix" "$dir/Varnook.exe" >"$out/refusal-$missing.log" 2>&1 &
  local pid=$!
  box=$(await_window '^Varnook$') || { echo "no message box without $missing"; cat "$out/refusal-$missing.log"; exit 1; }
  sleep 0.5
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
  wait "$pid" || status=$?
  [ "$status" -eq 1 ] || { echo "exit code $status without $missing, not 1"; exit 1; }
  grep -q "$missing" "$out/refusal-$missing.log" || { echo "the message does not name $missing"; exit 1; }
  grep -q 'without-' "$out/refusal-$missing.log" || { echo "the message does not name the folder"; exit 1; }
}
refusal QXDLL.dll
refusal DEFAULT.DICT

# A first start: no records yet.
WINEPREFIX=$prefix WINEDEBUG=-all wine reg delete 'HKCU\Software\Mirrim' /f >/dev/null 2>&1 || true

"$wine_run" "$prefix" "$folder/Varnook.exe" >"$out/varnook.log" 2>&1 &
pid=$!
wid=$(await_window '^Varnook$') || { echo "no Varnook window appeared"; cat "$out/varnook.log"; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
# The client area lies at the bottom left of what wine draws, below its caption and inside its
# border: find its top-left corner from the window's outer size and the client size (704 x 528).
frame=$(((WIDTH - 704) / 2))
X=$((X + frame))
Y=$((Y + HEIGHT - 528 - frame))
echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry"

await 300 155 "51 68 140"   # the menu is painted
click 352 209               # "CLASSIC GAME"
await 300 155 "150 150 240" # the play surface is up
click 253 198               # a letter of the top row
sleep 0.5
shot play.ppm
pnmcut -left $((X - frame)) -top $((Y - (HEIGHT - 528 - frame))) -width "$WIDTH" -height "$HEIGHT" "$out/play.ppm" |
  pnmtopng >"$out/screenshot-windows.png"
kill -0 "$pid" 2>/dev/null || { echo "Varnook.exe ended during the game"; cat "$out/varnook.log"; exit 1; }

# The keys, with the pointer over the word list: Ctrl+P pauses and Space resumes; Ctrl+L shows the
# solution (Return, half a second after it appears, closes a best-score window it may bring); the
# wheel lights the word under the pointer, Page Down the word a page on; Ctrl+M returns to the menu.
strip() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut -left $((X + 176)) -top $((Y + 44)) -width 308 -height 46 | md5sum; }
xdotool mousemove $((X + 588)) $((Y + 150))
xdotool key ctrl+p
await 300 155 "128 128 255"
xdotool key space
await 300 155 "150 150 240"
xdotool key ctrl+l
for _ in $(seq 1 40); do
  [ "$(pixel 330 112)" = "51 68 140" ] && break
  sleep 0.6
  xdotool key Return
done
await 330 112 "51 68 140"   # "Back to Main Menu ": the results are up
xdotool click 5
await_not 286 66 "150 150 240"  # a word of three letters or more in the strip
before=$(strip)
xdotool key Next
for _ in $(seq 1 100); do
  [ "$(strip)" != "$before" ] && break
  sleep 0.1
done
[ "$(strip)" != "$before" ] || { echo "Page Down lit no other word"; exit 1; }
xdotool key ctrl+m
await 300 155 "51 68 140"

# "EXIT": the program ends by itself.
click 352 451
for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Varnook.exe did not end after EXIT"
  exit 1
fi
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { echo "Varnook.exe ended with $status"; cat "$out/varnook.log"; exit 1; }

# The records are in the registry under the current user.
WINEPREFIX=$prefix WINEDEBUG=-all wine reg query 'HKCU\Software\Mirrim\Varnook\1.0' >"$out/registry.txt" 2>&1
grep -q 'SOLVINGDATA' "$out/registry.txt" || { echo "no SOLVINGDATA in the registry:"; cat "$out/registry.txt"; exit 1; }
grep -q 'SOUNDOPTIONS' "$out/registry.txt" || { echo "no SOUNDOPTIONS in the registry"; exit 1; }
# The game played is Classic Mode: the record's mode is 1.
grep -q 'SOLVINGDATA.*REG_BINARY.*00000100' "$out/registry.txt" ||
  { echo "SOLVINGDATA does not hold the mode of the game played:"; cat "$out/registry.txt"; exit 1; }
echo "Varnook.exe played under wine; records in HKCU\\Software\\Mirrim\\Varnook\\1.0"
