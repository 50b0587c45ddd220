#!/usr/bin/env bash
# The real program on a large X display (xvfb-run gives a 3840 x 2160 one): it must open enlarged,
# at the largest zoom that keeps its window within 85% of the screen's height; a click at the
# enlarged place of "CLASSIC GAME" opens the play surface; F11 fills the screen with the picture at
# the largest zoom that fits, centred on black, and F11 again ends that; Ctrl+minus makes the window
# smaller, and "Save and Exit" ends the program with that choice kept in the store.
# Writes to OUT: geometry-open, geometry-full, geometry-smaller (x y width height), full.ppm,
# config/ (the store) and varnook.log.
set -euo pipefail
source "$(dirname "$0")/screen.sh"
program=$1
out=$2
mkdir -p "$out"
rm -rf "$out"/geometry-* "$out"/*.ppm "$out/config"

start_program
await_window "Varnook"
sleep 0.5
# The window's place and size; X Y WIDTH HEIGHT are set for the clicks and reads that follow.
locate() {
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  echo "$X $Y $WIDTH $HEIGHT" >"$out/geometry-$1"
}
locate open
zoom=$((WIDTH / 704))
[ "$zoom" -ge 2 ] || { echo "opened at ${WIDTH}x$HEIGHT on a 3840 x 2160 screen"; exit 1; }
at() { echo $(($1 * zoom + zoom / 2)); }

await "$(at 300)" "$(at 155)" "51 68 140"  # the menu
click "$(at 352)" "$(at 209)"              # "CLASSIC GAME", enlarged
await "$(at 300)" "$(at 155)" "150 150 240"

# Full screen, then back. Keys go to the window under the pointer (there is no window manager).
xdotool mousemove $((X + $(at 600))) $((Y + $(at 500)))
xdotool key F11
for _ in $(seq 1 100); do
  locate full
  [ "$WIDTH" -eq 3840 ] && break
  sleep 0.1
done
[ "$WIDTH" -eq 3840 ] || { echo "F11 did not fill the screen (the window is ${WIDTH}x$HEIGHT)"; exit 1; }
# 704 x 528 four times is 2816 x 2112, centred: from (512, 24).
await $((512 + 300 * 4)) $((24 + 155 * 4)) "150 150 240"
await 100 100 "0 0 0"
shot full.ppm
xdotool key F11
for _ in $(seq 1 100); do
  locate back
  [ "$WIDTH" -eq $((704 * zoom)) ] && break
  sleep 0.1
done
[ "$WIDTH" -eq $((704 * zoom)) ] || { echo "F11 again left the window ${WIDTH}x$HEIGHT"; exit 1; }

# One step smaller with Ctrl+minus.
xdotool mousemove $((X + $(at 600))) $((Y + $(at 500)))
xdotool key ctrl+minus
for _ in $(seq 1 100); do
  locate smaller
  [ "$WIDTH" -eq $((704 * (zoom - 1))) ] && break
  sleep 0.1
done
[ "$WIDTH" -eq $((704 * (zoom - 1))) ] || { echo "Ctrl+minus left the window ${WIDTH}x$HEIGHT"; exit 1; }
zoom=$((zoom - 1))
click "$(at 66)" "$(at 472)"  # "Save and Exit": the program ends, its settings written
await_end "after \"Save and Exit\""
